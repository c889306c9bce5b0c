#include "EvdevReader.h"

#include "KeyTranslator.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <libevdev/libevdev.h>
#include <poll.h>
#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcInput)

namespace {

constexpr int KeyRepeat = 2;

} // namespace

EvdevReader::EvdevReader(int fd, KeyTranslator *translator, std::function<QPoint()> pointerPosition,
                         QObject *parent)
    : QObject(parent), m_fd(fd), m_translator(translator),
      m_pointerPosition(std::move(pointerPosition)) {
    if (libevdev_new_from_fd(m_fd, &m_device) < 0) {
        m_device = nullptr;
        close();
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EvdevReader::readAvailable);
}

EvdevReader::~EvdevReader() {
    close();
}

QString EvdevReader::name() const {
    return m_device ? QString::fromUtf8(libevdev_get_name(m_device)) : QString();
}

void EvdevReader::readAvailable() {
    unsigned flag = LIBEVDEV_READ_FLAG_NORMAL;
    bool readSomething = false;
    for (;;) {
        input_event event{};
        const int rc = libevdev_next_event(m_device, flag, &event);
        if (rc == LIBEVDEV_READ_STATUS_SUCCESS) {
            readSomething = true;
            handle(event.type, event.code, event.value);
        } else if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            readSomething = true;
            // SYN_DROPPED: libevdev now replays what changed while events were lost.
            if (flag == LIBEVDEV_READ_FLAG_NORMAL)
                flag = LIBEVDEV_READ_FLAG_SYNC;
            else
                handle(event.type, event.code, event.value);
        } else if (rc == -EAGAIN && flag == LIBEVDEV_READ_FLAG_SYNC) {
            flag = LIBEVDEV_READ_FLAG_NORMAL;
        } else if (rc == -EAGAIN && (readSomething || !hungUp())) {
            return;
        } else {
            qCDebug(lcInput) << "input device" << name() << "is gone";
            releaseHeld();
            close();
            emit gone();
            return;
        }
    }
}

void EvdevReader::handle(unsigned type, unsigned code, int value) {
    if (type != EV_KEY)
        return;
    const bool isDown = value != 0;
    switch (code) {
    case BTN_LEFT:
    case BTN_RIGHT:
    case BTN_MIDDLE:
        if (value == KeyRepeat)
            return;
        m_translator->buttonEvent(code == BTN_LEFT    ? KeyTranslator::Button::Left
                                  : code == BTN_RIGHT ? KeyTranslator::Button::Right
                                                      : KeyTranslator::Button::Middle,
                                  isDown, m_pointerPosition());
        return;
    default:
        // A repeat is a key still down: the translator's state table reports nothing.
        m_translator->evdevKeyEvent(code, isDown);
    }
}

// What the device held when it went away will not be released by it.
void EvdevReader::releaseHeld() {
    for (unsigned code = 0; code <= KEY_MAX; ++code) {
        if (libevdev_get_event_value(m_device, EV_KEY, code) != 0)
            handle(EV_KEY, code, 0);
    }
}

// Readable but empty: the device was unplugged (or the writer of a recording closed).
bool EvdevReader::hungUp() const {
    pollfd fd{m_fd, POLLIN, 0};
    return poll(&fd, 1, 0) > 0 && (fd.revents & (POLLHUP | POLLERR | POLLNVAL));
}

void EvdevReader::close() {
    // May run inside the notifier's own signal: stop it now, delete it later.
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
    }
    m_notifier = nullptr;
    if (m_device)
        libevdev_free(m_device);
    m_device = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
