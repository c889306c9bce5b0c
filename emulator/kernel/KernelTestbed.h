#pragma once

#include <string>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace q7kernel {

// The fake kernel the tests run on: umockdev's sysfs, /dev and uevents, in a folder of its own.
// Only a process started under libumockdev-preload (umockdev-wrapper) can make one; programs it
// starts inherit the preload and see the same devices through the stock libraries.
class KernelTestbed {
public:
    KernelTestbed();
    ~KernelTestbed();
    KernelTestbed(const KernelTestbed &) = delete;
    KernelTestbed &operator=(const KernelTestbed &) = delete;

    // Checked before anything of umockdev runs: it caches its first answer.
    static bool underPreload();

    UMockdevTestbed *bed() const { return bed_; }
    // The folder that stands for "/": sys/, dev/ and the ioctl sockets live under it.
    const std::string &root() const { return root_; }
    // Where a node such as "/dev/hidraw0" lives in the folder.
    std::string nodePath(const std::string &devnode) const { return root_ + devnode; }

    // Devices in umockdev's text format (P:, E:, A:, H:, L: lines, a blank line between two);
    // each gets its "add" uevent, in order.
    void add(const std::string &description);
    // Devices are named by their path under /sys, as on the P: lines ("/devices/...").
    void uevent(const std::string &devpath, const char *action);
    // The device's folder, its children, /sys/class link and node.
    void remove(const std::string &devpath);
    // Unlinks a file of the folder (a node, a class link), as the kernel does on a remove.
    void unlink(const std::string &path);

    // A fresh hidraw or evdev number for each node made on this testbed.
    int nextHidrawNumber() { return hidraw_++; }
    int nextEventNumber() { return event_++; }
    int nextHidNumber() { return ++hid_; }

private:
    UMockdevTestbed *bed_ = nullptr;
    std::string root_;
    int hidraw_ = 0;
    int event_ = 0;
    int hid_ = 0;
};

} // namespace q7kernel
