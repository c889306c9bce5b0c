#include "InputNode.h"

#include "KernelTestbed.h"

#include <umockdev.h>

#include <linux/input.h>
#include <sys/time.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace q7kernel {

namespace {

constexpr int kEvdevVersion = 0x010001;
constexpr unsigned kBitsPerLong = 8 * sizeof(unsigned long);

// The capabilities: which event types, and which codes of EV_KEY and EV_REL.
struct Capabilities {
    std::vector<unsigned> types;
    std::vector<unsigned> keys;
    std::vector<unsigned> relative;
};

Capabilities capabilitiesOf(InputNode::Kind kind) {
    if (kind == InputNode::Kind::Mouse)
        return {
            {EV_SYN, EV_KEY, EV_REL}, {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}, {REL_X, REL_Y, REL_WHEEL}};
    Capabilities keyboard{{EV_SYN, EV_KEY, EV_MSC, EV_REP}, {}, {}};
    for (unsigned code = KEY_ESC; code <= KEY_MENU; ++code)
        keyboard.keys.push_back(code);
    return keyboard;
}

void setBits(std::uint8_t *bits, std::size_t size, const std::vector<unsigned> &codes) {
    std::memset(bits, 0, size);
    for (unsigned code : codes)
        if (code / 8 < size)
            bits[code / 8] |= std::uint8_t(1u << (code % 8));
}

// The sysfs form of a bit mask: hexadecimal longs, the highest first.
std::string sysfsBits(const std::vector<unsigned> &codes) {
    if (codes.empty())
        return "0";
    const unsigned top = *std::max_element(codes.begin(), codes.end());
    std::vector<unsigned long> words(top / kBitsPerLong + 1, 0);
    for (unsigned code : codes)
        words[code / kBitsPerLong] |= 1ul << (code % kBitsPerLong);
    std::string text;
    char word[24];
    for (std::size_t i = words.size(); i-- > 0;) {
        std::snprintf(word, sizeof word, text.empty() ? "%lx" : " %lx", words[i]);
        text += word;
    }
    return text;
}

} // namespace

InputNode::InputNode(KernelTestbed &bed, Kind kind, std::string name)
    : bed_(bed), kind_(kind), name_(std::move(name)) {}

InputNode::~InputNode() {
    unplug();
    for (const auto &[devnode, handler] : retired_) {
        GError *error = nullptr;
        umockdev_testbed_detach_ioctl(bed_.bed(), devnode.c_str(), &error);
        g_clear_error(&error);
        g_signal_handlers_disconnect_by_data(handler, this);
        g_object_unref(handler);
    }
    // Clients still connected are left alone: finalizing one with an open stream only warns.
    for (UMockdevIoctlClient *client : clients_)
        if (!umockdev_ioctl_client_get_connected(client))
            g_object_unref(client);
}

std::string InputNode::devnode() const {
    return "/dev/input/event" + std::to_string(number_);
}

std::string InputNode::inputPath() const {
    return "/devices/virtual/q7-test/input/input" + std::to_string(number_ + 100);
}

std::string InputNode::eventPath() const {
    return inputPath() + "/event" + std::to_string(number_);
}

void InputNode::plug() {
    if (pty_)
        return;
    number_ = bed_.nextEventNumber();
    pty_ = std::make_unique<PtyNode>(bed_, devnode());
    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(onIoctl), this);
    g_signal_connect(handler_, "client-connected", G_CALLBACK(onConnected), this);
    {
        std::lock_guard lock(mutex_);
        for (UMockdevIoctlClient *client : clients_)
            g_object_unref(client);
        clients_.clear();
    }
    GError *error = nullptr;
    if (!umockdev_testbed_attach_ioctl(bed_.bed(), devnode().c_str(), handler_, &error)) {
        g_clear_error(&error);
        throw std::runtime_error("cannot attach the ioctl handler of " + devnode());
    }
    const Capabilities caps = capabilitiesOf(kind_);
    const std::string role = kind_ == Kind::Keyboard ? "E: ID_INPUT_KEYBOARD=1\nE: ID_INPUT_KEY=1\n"
                                                     : "E: ID_INPUT_MOUSE=1\n";
    const std::string mm = pty_->majorMinor();
    bed_.add("P: " + inputPath() + "\nE: SUBSYSTEM=input\nE: PRODUCT=3/7a7a/" +
             std::string(kind_ == Kind::Keyboard ? "1" : "2") + "/1\nE: NAME=\"" + name_ +
             "\"\nE: ID_INPUT=1\n" + role + "A: name=" + name_ + "\nA: capabilities/ev=" +
             sysfsBits(caps.types) + "\nA: capabilities/key=" + sysfsBits(caps.keys) +
             "\nA: capabilities/rel=" + sysfsBits(caps.relative) + "\n\n" + "P: " + eventPath() +
             "\nE: SUBSYSTEM=input\nE: DEVNAME=" + devnode() + "\nE: MAJOR=" +
             mm.substr(0, mm.find(':')) + "\nE: MINOR=" + mm.substr(mm.find(':') + 1) +
             "\nE: ID_INPUT=1\n" + role + "A: dev=" + mm + "\n");
}

void InputNode::unplug() {
    if (!pty_)
        return;
    bed_.unlink(devnode());
    bed_.unlink("/sys/class/input/event" + std::to_string(number_));
    pty_->hangUp();
    bed_.uevent(eventPath(), "remove");
    bed_.uevent(inputPath(), "remove");
    bed_.remove(eventPath());
    bed_.remove(inputPath());
    // The ioctl socket stays until the end (see UsbHidDevice): a program may be opening it.
    retired_.emplace_back(devnode(), handler_);
    handler_ = nullptr;
    pty_.reset();
}

void InputNode::key(unsigned code, int value) {
    input_event events[2] = {};
    timeval now{};
    gettimeofday(&now, nullptr);
    events[0].input_event_sec = now.tv_sec;
    events[0].input_event_usec = now.tv_usec;
    events[0].type = EV_KEY;
    events[0].code = std::uint16_t(code);
    events[0].value = value;
    events[1] = events[0];
    events[1].type = EV_SYN;
    events[1].code = SYN_REPORT;
    events[1].value = 0;
    if (pty_)
        pty_->write(reinterpret_cast<const std::uint8_t *>(events), sizeof events);
}

void InputNode::onConnected(UMockdevIoctlBase *handler, UMockdevIoctlClient *client,
                            InputNode *self) {
    if (handler != self->handler_)
        return; // an earlier plug's node
    std::lock_guard lock(self->mutex_);
    self->clients_.push_back(static_cast<UMockdevIoctlClient *>(g_object_ref(client)));
}

int InputNode::openCount() const {
    std::lock_guard lock(mutex_);
    // umockdev tells of a closed descriptor only through the client's state.
    return int(std::count_if(clients_.begin(), clients_.end(), [](UMockdevIoctlClient *c) {
        return umockdev_ioctl_client_get_connected(c);
    }));
}

gboolean InputNode::onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, InputNode *self) {
    self->answer(client);
    return TRUE;
}

void InputNode::answer(UMockdevIoctlClient *client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    const unsigned nr = _IOC_NR(request);
    const std::size_t size = _IOC_SIZE(request);
    if (_IOC_TYPE(request) != 'E') {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return;
    }
    if (nr == _IOC_NR(EVIOCGRAB)) {
        // The argument is a plain number: 1 grabs, 0 lets go. Either way it is recorded.
        ++grabs_;
        umockdev_ioctl_client_complete(client, 0, 0);
        return;
    }
    if (_IOC_DIR(request) != _IOC_READ || size == 0) {
        umockdev_ioctl_client_complete(client, 0, 0); // e.g. EVIOCSCLOCKID
        return;
    }
    GError *error = nullptr;
    UMockdevIoctlData *data =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, &error);
    g_clear_error(&error);
    if (!data) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    std::uint8_t *out = data->data;
    std::memset(out, 0, size);
    long result = 0;
    const Capabilities caps = capabilitiesOf(kind_);
    if (nr == _IOC_NR(EVIOCGVERSION)) {
        std::memcpy(out, &kEvdevVersion, std::min(size, sizeof kEvdevVersion));
    } else if (nr == _IOC_NR(EVIOCGID)) {
        input_id id{BUS_USB, 0x7a7a, std::uint16_t(kind_ == Kind::Keyboard ? 1 : 2), 1};
        std::memcpy(out, &id, std::min(size, sizeof id));
    } else if (nr == _IOC_NR(EVIOCGREP)) {
        const unsigned int repeat[2] = {250, 33};
        std::memcpy(out, repeat, std::min(size, sizeof repeat));
    } else if (nr == _IOC_NR(EVIOCGNAME(0))) {
        const std::size_t n = std::min(size - 1, name_.size());
        std::memcpy(out, name_.data(), n);
        result = long(n + 1);
    } else if (nr == _IOC_NR(EVIOCGPHYS(0)) || nr == _IOC_NR(EVIOCGUNIQ(0))) {
        result = -ENOENT; // neither has one, as with many virtual devices
    } else if (nr >= _IOC_NR(EVIOCGBIT(0, 0)) && nr < _IOC_NR(EVIOCGBIT(EV_MAX, 0)) + 1) {
        const unsigned type = nr - _IOC_NR(EVIOCGBIT(0, 0));
        setBits(out, size,
                type == 0        ? caps.types
                : type == EV_KEY ? caps.keys
                : type == EV_REL ? caps.relative
                                 : std::vector<unsigned>{});
        result = long(size);
    } else if (nr == _IOC_NR(EVIOCGPROP(0)) || nr == _IOC_NR(EVIOCGKEY(0)) ||
               nr == _IOC_NR(EVIOCGLED(0)) || nr == _IOC_NR(EVIOCGSW(0)) ||
               nr == _IOC_NR(EVIOCGSND(0))) {
        result = long(size); // nothing held, lit or switched
    } else {
        result = -EINVAL;
    }
    if (result < 0)
        umockdev_ioctl_client_complete(client, -1, int(-result));
    else
        umockdev_ioctl_client_complete(client, result, 0);
    g_object_unref(data);
}

} // namespace q7kernel
