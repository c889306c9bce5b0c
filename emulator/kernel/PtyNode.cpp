#include "PtyNode.h"

#include "KernelTestbed.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace q7kernel {

PtyNode::PtyNode(KernelTestbed &bed, std::string devnode)
    : bed_(bed), devnode_(std::move(devnode)) {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) < 0)
        throw std::runtime_error("openpty failed");
    slaveName_ = name;
    // Programs the test starts must not hold the master: closing it is how the device goes.
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    termios raw{};
    tcgetattr(master_, &raw);
    cfmakeraw(&raw);
    tcsetattr(master_, TCSANOW, &raw);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(slave_, F_SETFL, fcntl(slave_, F_GETFL) | O_NONBLOCK);

    const std::string path = bed_.nodePath(devnode_);
    const std::string folder = path.substr(0, path.rfind('/'));
    for (std::size_t at = bed_.root().size() + 1; at != std::string::npos;) {
        at = folder.find('/', at + 1);
        ::mkdir(folder.substr(0, at).c_str(), 0755);
    }
    ::unlink(path.c_str());
    if (::symlink(slaveName_.c_str(), path.c_str()) < 0)
        throw std::runtime_error("cannot link " + path);
}

PtyNode::~PtyNode() {
    hangUp();
    if (slave_ >= 0)
        ::close(slave_);
}

std::string PtyNode::majorMinor() const {
    struct stat st {};
    if (::stat(slaveName_.c_str(), &st) != 0)
        return "0:0";
    return std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
}

bool PtyNode::write(const std::uint8_t *data, std::size_t size) {
    std::size_t done = 0;
    while (master_ >= 0 && done < size) {
        const ssize_t n = ::write(master_, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return done == size;
}

bool PtyNode::waitReadable(int timeoutMs) const {
    pollfd fd{slave_, POLLIN, 0};
    return ::poll(&fd, 1, timeoutMs) > 0 && (fd.revents & POLLIN);
}

void PtyNode::drain() {
    std::uint8_t scratch[256];
    while (::read(slave_, scratch, sizeof scratch) > 0) {
    }
}

void PtyNode::hangUp() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void PtyNode::denyAccess() {
    ::chmod(slaveName_.c_str(), 0);
}

} // namespace q7kernel
