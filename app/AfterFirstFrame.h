#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QWindow;

// Runs a task once, after a window's first frame has gone to the screen: work that the first frame
// does not need waits for it. Where the window system never shows the window (none was made, or
// it opened on a hidden workspace) the task runs after `fallbackMs` all the same.
class AfterFirstFrame : public QObject {
    Q_OBJECT
public:
    AfterFirstFrame(QWindow *window, std::function<void()> task, int fallbackMs,
                    QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void run();

    std::function<void()> m_task;
    QTimer m_fallback;
};
