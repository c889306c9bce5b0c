#include "HidrawNode.h"

#include "KernelTestbed.h"

#include <umockdev.h>

#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace q7kernel {

namespace {

constexpr int kPtyHandOverMs = 1000;

// The request numbers of <linux/hidraw.h>; the length-carrying ones differ only in size.
enum HidrawRequest : unsigned {
    kGetDescriptorSize = 0x01,
    kGetDescriptor = 0x02,
    kGetInfo = 0x03,
    kGetName = 0x04,
    kGetPhys = 0x05,
    kSetFeature = 0x06,
    kGetFeature = 0x07,
    kGetUniq = 0x08,
};

// The caller's buffer behind the ioctl argument, copied here; written back on completion.
UMockdevIoctlData *argumentBuffer(UMockdevIoctlClient *client, std::size_t size) {
    GError *error = nullptr;
    UMockdevIoctlData *data =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, &error);
    g_clear_error(&error);
    return data;
}

// HIDIOCGRAWNAME and its kin: the text with its terminator, cut to the caller's room.
int copyText(UMockdevIoctlData *data, const std::string &text) {
    const std::size_t length = std::min(text.size() + 1, std::size_t(data->data_len));
    std::memcpy(data->data, text.c_str(), length);
    if (length > 0)
        data->data[length - 1] = 0;
    return int(length);
}

void finish(UMockdevIoctlClient *client, int result) {
    if (result < 0)
        umockdev_ioctl_client_complete(client, -1, -result);
    else
        umockdev_ioctl_client_complete(client, result, 0);
}

} // namespace

HidrawNode::HidrawNode(KernelTestbed &bed, int number, HidrawIdentity identity, HidrawDevice device)
    : bed_(bed), number_(number), identity_(std::move(identity)), device_(std::move(device)),
      pty_(bed, "/dev/hidraw" + std::to_string(number)) {
    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(onIoctl), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(onRead), this);
    g_signal_connect(handler_, "handle-write", G_CALLBACK(onWrite), this);
    g_signal_connect(handler_, "client-connected", G_CALLBACK(onConnected), this);
    GError *error = nullptr;
    if (!umockdev_testbed_attach_ioctl(bed_.bed(), devnode().c_str(), handler_, &error)) {
        g_clear_error(&error);
        throw std::runtime_error("cannot attach the ioctl handler of " + devnode());
    }
}

HidrawNode::~HidrawNode() {
    hangUp();
    GError *error = nullptr;
    umockdev_testbed_detach_ioctl(bed_.bed(), devnode().c_str(), &error);
    g_clear_error(&error);
    g_signal_handlers_disconnect_by_data(handler_, this);
    std::lock_guard lock(mutex_);
    for (UMockdevIoctlClient *client : clients_) {
        // A program that ended inside a read leaves its stream open until umockdev reads it
        // again, which may never happen; letting such a client go now would only warn.
        if (!umockdev_ioctl_client_get_connected(client))
            g_object_unref(client);
    }
    g_object_unref(handler_);
}

int HidrawNode::openCount() {
    std::lock_guard lock(mutex_);
    forgetClosed();
    return int(clients_.size());
}

int HidrawNode::waitingReaders() const {
    std::lock_guard lock(mutex_);
    return int(waiting_.size());
}

void HidrawNode::queueInput(Bytes report) {
    {
        std::lock_guard lock(mutex_);
        forgetClosed();
        if (gone_ || clients_.empty())
            return; // nobody holds the node: the report is lost, as with hidraw
        queue_.push_back(std::move(report));
    }
    pump();
}

void HidrawNode::pump() {
    for (;;) {
        UMockdevIoctlClient *reader = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (!inPty_ && !queue_.empty() && !gone_) {
                reportInPty_ = std::move(queue_.front());
                queue_.pop_front();
                inPty_ = pty_.write(reportInPty_.data(), reportInPty_.size());
            }
            // One hand-over at a time: a second reader would block on the empty pty.
            if (inPty_ && !delivering_ && !waiting_.empty()) {
                reader = waiting_.front();
                waiting_.pop_front();
                delivering_ = true;
            }
        }
        if (!reader)
            return;
        deliver(reader);
    }
}

void HidrawNode::deliver(UMockdevIoctlClient *client) {
    pty_.waitReadable(kPtyHandOverMs);
    int error = 0;
    GError *failure = nullptr;
    const int result = umockdev_ioctl_client_execute(client, &error, &failure);
    if (failure) {
        // The program ended while its read waited here: the report stays for the next reader.
        g_clear_error(&failure);
        std::lock_guard lock(mutex_);
        if (clients_.erase(client))
            ended_.push_back(client);
        delivering_ = false;
        return;
    }
    Bytes report;
    {
        std::lock_guard lock(mutex_);
        report = std::move(reportInPty_);
        inPty_ = false;
        delivering_ = false;
    }
    if (result > 0 && device_.inputRead)
        device_.inputRead(report);
    umockdev_ioctl_client_complete(client, result, error);
}

void HidrawNode::hangUp() {
    std::deque<UMockdevIoctlClient *> waiting;
    {
        std::lock_guard lock(mutex_);
        if (gone_)
            return;
        gone_ = true;
        queue_.clear();
        waiting.swap(waiting_);
        pty_.hangUp();
        // The kernel refuses to open a node whose device is gone; here it is gone at once.
        bed_.unlink(devnode());
    }
    for (UMockdevIoctlClient *client : waiting)
        umockdev_ioctl_client_complete(client, -1, EIO);
}

gboolean HidrawNode::onRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self) {
    {
        std::lock_guard lock(self->mutex_);
        if (self->gone_) {
            umockdev_ioctl_client_complete(client, -1, EIO);
            return TRUE;
        }
        // Completed when a report is there: a blocking read waits without blocking umockdev.
        self->waiting_.push_back(client);
    }
    self->pump();
    return TRUE;
}

gboolean HidrawNode::onWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self) {
    {
        std::lock_guard lock(self->mutex_);
        if (self->gone_) {
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return TRUE;
        }
    }
    UMockdevIoctlData *data = umockdev_ioctl_client_get_arg(client);
    finish(client, self->device_.output ? self->device_.output(data->data, data->data_len) : -EIO);
    return TRUE;
}

gboolean HidrawNode::onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self) {
    {
        std::lock_guard lock(self->mutex_);
        if (self->gone_) {
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return TRUE;
        }
    }
    self->answerIoctl(client);
    return TRUE;
}

void HidrawNode::answerIoctl(UMockdevIoctlClient *client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    const std::size_t size = _IOC_SIZE(request);
    if (_IOC_TYPE(request) != 'H') {
        finish(client, -ENOTTY);
        return;
    }
    UMockdevIoctlData *data = argumentBuffer(client, size);
    if (!data) {
        finish(client, -EFAULT);
        return;
    }
    int result = -ENOTTY;
    switch (_IOC_NR(request)) {
    case kGetDescriptorSize: {
        const int length = int(identity_.reportDescriptor.size());
        std::memcpy(data->data, &length, sizeof length);
        result = 0;
        break;
    }
    case kGetDescriptor: {
        auto *descriptor = reinterpret_cast<hidraw_report_descriptor *>(data->data);
        const std::size_t length =
            std::min<std::size_t>(descriptor->size, identity_.reportDescriptor.size());
        std::copy_n(identity_.reportDescriptor.begin(), length, descriptor->value);
        result = 0;
        break;
    }
    case kGetInfo: {
        hidraw_devinfo info{};
        info.bustype = 0x03; // USB
        info.vendor = __s16(identity_.vendorId);
        info.product = __s16(identity_.productId);
        std::memcpy(data->data, &info, sizeof info);
        result = 0;
        break;
    }
    case kGetName:
        result = copyText(data, identity_.name);
        break;
    case kGetPhys:
        result = copyText(data, identity_.phys);
        break;
    case kGetUniq:
        result = copyText(data, {});
        break;
    case kSetFeature:
        result = device_.setFeature ? device_.setFeature(data->data, size) : -EPIPE;
        break;
    case kGetFeature:
        result = device_.getFeature ? device_.getFeature(data->data, size) : -EPIPE;
        break;
    }
    finish(client, result);
    g_object_unref(data);
}

void HidrawNode::onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self) {
    g_object_ref(client);
    ++self->opens_;
    std::lock_guard lock(self->mutex_);
    self->forgetClosed();
    self->clients_.insert(client);
}

void HidrawNode::forgetClosed() {
    // umockdev tells of a closed descriptor only through the client's state.
    for (auto it = clients_.begin(); it != clients_.end();) {
        if (umockdev_ioctl_client_get_connected(*it)) {
            ++it;
            continue;
        }
        g_object_unref(*it);
        it = clients_.erase(it);
    }
    // The last program let go: what it did not read is gone with its descriptor.
    if (clients_.empty()) {
        queue_.clear();
        if (inPty_ && !delivering_) {
            pty_.waitReadable(kPtyHandOverMs);
            pty_.drain();
            inPty_ = false;
        }
    }
}

} // namespace q7kernel
