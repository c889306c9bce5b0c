#include "WindowInputFilter.h"

#include "KeyTranslator.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <optional>

namespace {

// X11 and Wayland keycodes are evdev codes plus this.
constexpr quint32 KeycodeOffset = 8;

std::optional<KeyTranslator::Button> buttonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return KeyTranslator::Button::Left;
    case Qt::RightButton:
        return KeyTranslator::Button::Right;
    case Qt::MiddleButton:
        return KeyTranslator::Button::Middle;
    default:
        return std::nullopt;
    }
}

} // namespace

WindowInputFilter::WindowInputFilter(KeyTranslator *translator, QObject *parent)
    : QObject(parent), m_translator(translator) {}

void WindowInputFilter::setGlobalSources(std::function<bool()> keys,
                                         std::function<bool()> buttons) {
    m_globalKeys = std::move(keys);
    m_globalButtons = std::move(buttons);
}

bool WindowInputFilter::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // X11 turns a held key into release/press pairs marked as repeats: none is a change.
        if (key->isAutoRepeat() || key->nativeScanCode() <= KeycodeOffset)
            break;
        if (m_globalKeys && m_globalKeys())
            break;
        m_translator->evdevKeyEvent(key->nativeScanCode() - KeycodeOffset,
                                    event->type() == QEvent::KeyPress);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto button = buttonOf(mouse->button());
        if (!button || (m_globalButtons && m_globalButtons()))
            break;
        m_translator->buttonEvent(*button, event->type() == QEvent::MouseButtonPress,
                                  mouse->globalPosition().toPoint());
        break;
    }
    case QEvent::FocusOut:
        // Keys held now are released in another window, out of our sight.
        if (!m_globalKeys || !m_globalKeys())
            m_translator->releaseAll();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
