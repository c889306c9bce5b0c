#include "KernelTestbed.h"

#include <umockdev.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace q7kernel {

bool KernelTestbed::underPreload() {
    const char *preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, "libumockdev-preload");
}

KernelTestbed::KernelTestbed() {
    if (!underPreload())
        throw std::runtime_error("run under umockdev-wrapper: libumockdev-preload is not loaded");
    bed_ = umockdev_testbed_new();
    gchar *root = umockdev_testbed_get_root_dir(bed_);
    root_ = root;
    g_free(root);
}

KernelTestbed::~KernelTestbed() {
    g_object_unref(bed_);
}

void KernelTestbed::add(const std::string &description) {
    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(bed_, description.c_str(), &error)) {
        const std::string message = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("umockdev refused a device description: " + message);
    }
}

void KernelTestbed::uevent(const std::string &devpath, const char *action) {
    umockdev_testbed_uevent(bed_, ("/sys" + devpath).c_str(), action);
}

void KernelTestbed::remove(const std::string &devpath) {
    umockdev_testbed_remove_device(bed_, ("/sys" + devpath).c_str());
}

void KernelTestbed::unlink(const std::string &path) {
    ::unlink((root_ + path).c_str());
}

} // namespace q7kernel
