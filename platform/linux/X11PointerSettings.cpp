#include "X11PointerSettings.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
constexpr char ProductIdProperty[] = "Device Product ID"; // INTEGER[2]: vendor, product
constexpr char SpeedProperty[] = "libinput Accel Speed";  // FLOAT[1], −1 … 1
// 8-bit flags: adaptive, flat (and custom on newer drivers); exactly one is 1.
constexpr char ProfileProperty[] = "libinput Accel Profile Enabled";
constexpr int ProfileAdaptive = 0;
constexpr int ProfileFlat = 1;
constexpr char FloatType[] = "FLOAT";
constexpr int XInputMajor = 2;
constexpr int XInputMinor = 2;
constexpr quint32 MaxItems = 16;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> reply(T *r) {
    return Reply<T>(r, &std::free);
}
} // namespace

struct X11PointerSettings::Connection {
    xcb_connection_t *c = nullptr;
    ~Connection() {
        if (c)
            xcb_disconnect(c);
    }

    xcb_atom_t atom(const char *name) {
        auto r = reply(xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 1, uint16_t(std::strlen(name)), name), nullptr));
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The property's items with their format, empty when the device has none.
    struct Items {
        xcb_atom_t type = XCB_ATOM_NONE;
        uint8_t format = 0;
        std::vector<uint8_t> bytes;
        quint32 count = 0;
    };
    Items get(quint16 device, xcb_atom_t property) {
        Items items;
        if (property == XCB_ATOM_NONE)
            return items;
        auto r = reply(xcb_input_xi_get_property_reply(
            c, xcb_input_xi_get_property(c, device, 0, property, XCB_ATOM_ANY, 0, MaxItems),
            nullptr));
        if (!r || r->type == XCB_ATOM_NONE)
            return items;
        items.type = r->type;
        items.format = r->format;
        items.count = r->num_items;
        const auto *data = static_cast<const uint8_t *>(xcb_input_xi_get_property_items(r.get()));
        items.bytes.assign(data, data + r->num_items * (r->format / 8));
        return items;
    }

    bool change(quint16 device, xcb_atom_t property, const Items &items) {
        xcb_generic_error_t *error =
            xcb_request_check(c, xcb_input_xi_change_property_checked(
                                     c, device, XCB_PROP_MODE_REPLACE, items.format, property,
                                     items.type, items.count, items.bytes.data()));
        std::free(error);
        return error == nullptr;
    }
};

X11PointerSettings::X11PointerSettings(Device mouse, const QByteArray &display)
    : m_mouse(mouse), m_display(display) {}

bool X11PointerSettings::forEachMousePointer(
    const char *property, const std::function<bool(Connection &, quint16)> &change) {
    Connection x;
    x.c = xcb_connect(m_display.isEmpty() ? nullptr : m_display.constData(), nullptr);
    if (xcb_connection_has_error(x.c))
        return fail(QStringLiteral("the X server does not answer"));
    auto version = reply(xcb_input_xi_query_version_reply(
        x.c, xcb_input_xi_query_version(x.c, XInputMajor, XInputMinor), nullptr));
    if (!version || version->major_version < XInputMajor)
        return fail(QStringLiteral("the X server has no XInput 2"));
    const xcb_atom_t productId = x.atom(ProductIdProperty);
    const xcb_atom_t wanted = x.atom(property);

    auto devices = reply(xcb_input_xi_query_device_reply(
        x.c, xcb_input_xi_query_device(x.c, XCB_INPUT_DEVICE_ALL), nullptr));
    if (!devices)
        return fail(QStringLiteral("the X server lists no input devices"));
    int changed = 0;
    for (auto it = xcb_input_xi_query_device_infos_iterator(devices.get()); it.rem;
         xcb_input_xi_device_info_next(&it)) {
        if (it.data->type != XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER)
            continue;
        const Connection::Items ids = x.get(it.data->deviceid, productId);
        if (ids.format != 32 || ids.count < 2)
            continue;
        quint32 id[2];
        std::memcpy(id, ids.bytes.data(), sizeof(id));
        if (id[0] != m_mouse.vendor || id[1] != m_mouse.product)
            continue;
        if (x.get(it.data->deviceid, wanted).count == 0)
            continue; // not driven by libinput
        if (!change(x, it.data->deviceid))
            return fail(
                QStringLiteral("the X server did not keep \"%1\"").arg(QLatin1String(property)));
        ++changed;
    }
    if (changed == 0)
        return fail(QStringLiteral("the X server has no libinput pointer of the mouse (%1:%2)")
                        .arg(m_mouse.vendor, 4, 16, QLatin1Char('0'))
                        .arg(m_mouse.product, 4, 16, QLatin1Char('0')));
    return succeed();
}

bool X11PointerSettings::setSpeed(int speed) {
    const float value = float(desktopSpeed(speed));
    return forEachMousePointer(SpeedProperty, [value](Connection &x, quint16 device) {
        Connection::Items items{x.atom(FloatType), 32, std::vector<uint8_t>(sizeof(float)), 1};
        std::memcpy(items.bytes.data(), &value, sizeof(float));
        if (!x.change(device, x.atom(SpeedProperty), items))
            return false;
        const Connection::Items now = x.get(device, x.atom(SpeedProperty));
        float kept = 0;
        if (now.bytes.size() >= sizeof(float))
            std::memcpy(&kept, now.bytes.data(), sizeof(float));
        return now.count == 1 && std::abs(kept - value) < 1e-4f;
    });
}

bool X11PointerSettings::setAcceleration(bool on) {
    return forEachMousePointer(ProfileProperty, [on](Connection &x, quint16 device) {
        const xcb_atom_t property = x.atom(ProfileProperty);
        Connection::Items items = x.get(device, property);
        if (items.format != 8 || items.count <= ProfileFlat)
            return false;
        std::fill(items.bytes.begin(), items.bytes.end(), 0);
        items.bytes[on ? ProfileAdaptive : ProfileFlat] = 1;
        return x.change(device, property, items) && x.get(device, property).bytes == items.bytes;
    });
}

std::optional<bool> X11PointerSettings::acceleration() {
    std::optional<bool> on;
    forEachMousePointer(ProfileProperty, [&on](Connection &x, quint16 device) {
        const Connection::Items items = x.get(device, x.atom(ProfileProperty));
        if (items.format == 8 && items.count > ProfileFlat && !on)
            on = items.bytes[ProfileFlat] == 0;
        return true;
    });
    return on;
}
