#pragma once

#include <QEvent>

// Posted to the window to start the scene's second step from the event loop.
class UserEvent : public QEvent {
public:
    static constexpr QEvent::Type EventType = QEvent::User; // 1000
    static constexpr int StartSceneCode = 2177;

    explicit UserEvent(int code) : QEvent(EventType), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};
