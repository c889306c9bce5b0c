#pragma once

#include "PtyNode.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

#include <glib.h>

namespace q7kernel {

class KernelTestbed;

// A keyboard or a mouse under /dev/input/eventN, as udev and libevdev see it: the input device
// and its event node in sysfs with the properties udev gives them (ID_INPUT_KEYBOARD,
// ID_INPUT_MOUSE), the evdev ioctls libevdev asks, and the events the test writes. Every
// EVIOCGRAB is counted: nobody may take the device away from the desktop.
class InputNode {
public:
    enum class Kind { Keyboard, Mouse };

    InputNode(KernelTestbed &bed, Kind kind, std::string name);
    ~InputNode();
    InputNode(const InputNode &) = delete;
    InputNode &operator=(const InputNode &) = delete;

    void plug();
    void unplug();
    std::string devnode() const;

    // A key or button going down (1) or up (0), followed by its SYN_REPORT.
    void key(unsigned code, int value);
    int grabs() const { return grabs_.load(); }
    // How many descriptors programs hold on the node (of this plug).
    int openCount() const;

private:
    static gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, InputNode *self);
    static void onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, InputNode *self);
    void answer(UMockdevIoctlClient *client);
    std::string inputPath() const;
    std::string eventPath() const;

    KernelTestbed &bed_;
    Kind kind_;
    std::string name_;
    int number_ = -1;
    std::unique_ptr<PtyNode> pty_;
    UMockdevIoctlBase *handler_ = nullptr;
    std::vector<std::pair<std::string, UMockdevIoctlBase *>> retired_; // earlier plugs' handlers
    std::atomic<int> grabs_{0};
    mutable std::mutex mutex_;
    std::vector<UMockdevIoctlClient *> clients_; // the descriptors opened on this plug's node
};

} // namespace q7kernel
