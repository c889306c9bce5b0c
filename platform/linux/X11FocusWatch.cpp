#include "X11FocusWatch.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Property values are read whole up to this many 32-bit units: a class name or a list of a
// few thousand windows.
constexpr uint32_t PropertyReadUnits = 4096;

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

uint32_t internAtom(xcb_connection_t *connection, const char *name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
}

// The 32-bit items of a property (windows, atoms).
QList<uint32_t> items32(const QByteArray &value) {
    QList<uint32_t> items(value.size() / int(sizeof(uint32_t)));
    if (items.isEmpty())
        return items;
    std::memcpy(items.data(), value.constData(), size_t(items.size()) * sizeof(uint32_t));
    return items;
}

// WM_CLASS holds two NUL-terminated strings, the instance then the class; the class names the
// application. A window that sets only one string gets that one.
QString classOf(const QByteArray &wmClass) {
    const QList<QByteArray> parts = wmClass.split('\0');
    if (parts.size() > 1 && !parts.at(1).isEmpty())
        return QString::fromUtf8(parts.at(1));
    return QString::fromUtf8(parts.value(0));
}

} // namespace

X11FocusWatch::X11FocusWatch(QObject *parent, const QString &partialReason)
    : FocusWatch(parent), m_partialReason(partialReason) {}

X11FocusWatch::~X11FocusWatch() {
    delete m_notifier;
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool X11FocusWatch::start() {
    if (m_connection)
        return m_notifier != nullptr;
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection))
        return cannotStart(tr("The X server (DISPLAY=%1) does not answer: the focused application "
                              "cannot be followed.")
                               .arg(qEnvironmentVariable("DISPLAY")));
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    m_activeWindowAtom = internAtom(m_connection, "_NET_ACTIVE_WINDOW");
    m_clientListAtom = internAtom(m_connection, "_NET_CLIENT_LIST");

    // Asked for before anything is read, and in place once the next reply is here: a change
    // made meanwhile comes as an event.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);

    // A window manager that lists what it supports and leaves the active window out will never
    // name it. One that lists nothing (or none yet) may still set it.
    const QList<uint32_t> supported =
        items32(rootProperty(internAtom(m_connection, "_NET_SUPPORTED")));
    if (!supported.isEmpty() && !supported.contains(m_activeWindowAtom))
        return cannotStart(tr("The window manager does not say which window is active "
                              "(_NET_ACTIVE_WINDOW): the focused application cannot be followed."));
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11FocusWatch::readEvents);
    setReason(m_partialReason);
    if (!m_partialReason.isEmpty())
        qCInfo(lcFocus).noquote() << m_partialReason;
    qCDebug(lcFocus) << "x11: watching _NET_ACTIVE_WINDOW on the root of screen" << screenNumber;
    QMetaObject::invokeMethod(this, &X11FocusWatch::readEvents, Qt::QueuedConnection);
    return true;
}

void X11FocusWatch::readEvents() {
    // Every reply waited for may bring events along, which xcb queues without the socket
    // becoming readable again: after each refresh, read until none is left. The first call
    // reads the active window whatever the events say.
    if (!m_notifier->isEnabled())
        return;
    bool activeChanged = !m_readOnce;
    m_readOnce = true;
    if (activeChanged)
        refresh();
    do {
        activeChanged = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto *change = reinterpret_cast<xcb_property_notify_event_t *>(event);
                activeChanged |= change->window == m_root && change->atom == m_activeWindowAtom;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(m_connection)) {
            m_notifier->setEnabled(false);
            return lost(tr("The X server went away: the focused application is no longer "
                           "followed."));
        }
        if (activeChanged)
            refresh();
    } while (activeChanged);
}

void X11FocusWatch::refresh() {
    const QList<uint32_t> active = items32(rootProperty(m_activeWindowAtom));
    report(active.isEmpty() || active.first() == XCB_WINDOW_NONE ? QString()
                                                                 : applicationOf(active.first()));
}

QString X11FocusWatch::applicationOf(uint32_t window) const {
    return classOf(property(window, XCB_ATOM_WM_CLASS));
}

QStringList X11FocusWatch::runningApplications() const {
    if (!m_notifier)
        return {};
    QStringList applications;
    for (uint32_t window : items32(rootProperty(m_clientListAtom))) {
        const QString application = applicationOf(window);
        if (!application.isEmpty() && !applications.contains(application))
            applications.append(application);
    }
    applications.sort(Qt::CaseInsensitive);
    // The replies may have brought events that the socket will not announce again.
    QMetaObject::invokeMethod(const_cast<X11FocusWatch *>(this), &X11FocusWatch::readEvents,
                              Qt::QueuedConnection);
    return applications;
}

QByteArray X11FocusWatch::rootProperty(uint32_t atom) const {
    return property(m_root, atom);
}

QByteArray X11FocusWatch::property(uint32_t window, uint32_t atom) const {
    if (atom == XCB_ATOM_NONE)
        return {};
    // A window that is already gone answers with an error: no value.
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, window, atom,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, PropertyReadUnits),
                               nullptr));
    if (!reply)
        return {};
    const int length = xcb_get_property_value_length(reply.get());
    if (reply->format == 32 && length % 4 != 0)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())), length);
}
