#pragma once

#include "PtyNode.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <glib.h>

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

namespace q7kernel {

class KernelTestbed;
using Bytes = std::vector<std::uint8_t>;

// What a hidraw node tells about its device through ioctls.
struct HidrawIdentity {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string name; // HIDIOCGRAWNAME, as HID_NAME in sysfs
    std::string phys;
    Bytes reportDescriptor;
};

// The device behind a node. Each returns bytes moved or -errno.
struct HidrawDevice {
    std::function<int(const std::uint8_t *report, std::size_t length)> setFeature;
    std::function<int(std::uint8_t *report, std::size_t length)> getFeature;
    std::function<int(const std::uint8_t *report, std::size_t length)> output;
    // An input report was read by a program.
    std::function<void(const Bytes &report)> inputRead;
};

// One /dev/hidrawN as the kernel's hidraw driver shows it: the ioctls hidapi issues, output
// reports through write(), input reports through read() and poll(). umockdev hands every call
// to the handlers here, on its worker thread.
//
// Input reports queue here and enter the pty one at a time, so that each read() returns
// exactly one report, as hidraw does; a report reaches only the programs that have the node
// open when it comes. A blocking read() with nothing queued waits here, not in the pty, so
// that umockdev's worker never blocks.
class HidrawNode {
public:
    HidrawNode(KernelTestbed &bed, int number, HidrawIdentity identity, HidrawDevice device);
    ~HidrawNode();
    HidrawNode(const HidrawNode &) = delete;
    HidrawNode &operator=(const HidrawNode &) = delete;

    const std::string &devnode() const { return pty_.devnode(); }
    std::string majorMinor() const { return pty_.majorMinor(); }
    int number() const { return number_; }

    // An input report for the programs that hold the node open now.
    void queueInput(Bytes report);
    // The device is gone: readers get EIO now, every later call ENODEV.
    void hangUp();
    // Opening fails with EACCES for anyone without CAP_DAC_OVERRIDE.
    void denyAccess() { pty_.denyAccess(); }
    int openCount();
    // Reads waiting here for a report: a program blocked reading the node.
    int waitingReaders() const;
    // How often programs opened the node (or tried to).
    int opens() const { return opens_.load(); }

private:
    static gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self);
    static gboolean onRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self);
    static gboolean onWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self);
    static void onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, HidrawNode *self);
    // Lets go of the clients whose descriptor was closed (with the mutex held).
    void forgetClosed();

    void answerIoctl(UMockdevIoctlClient *client);
    // Reads the report in the pty into the client's buffer; the next one moves up.
    void deliver(UMockdevIoctlClient *client);
    // Moves the next report into the pty and hands it to a waiting reader, while there are both.
    void pump();

    KernelTestbed &bed_;
    int number_;
    HidrawIdentity identity_;
    HidrawDevice device_;
    PtyNode pty_;
    UMockdevIoctlBase *handler_ = nullptr;

    mutable std::mutex mutex_;
    std::deque<Bytes> queue_;
    std::deque<UMockdevIoctlClient *> waiting_;
    bool inPty_ = false;
    bool delivering_ = false; // a reader is taking the report in the pty
    Bytes reportInPty_;
    bool gone_ = false;
    std::atomic<int> opens_{0};
    std::set<UMockdevIoctlClient *> clients_;
    std::vector<UMockdevIoctlClient *> ended_; // ended while their read waited (kept: see ~)
};

} // namespace q7kernel
