#pragma once

#include <QObject>

class QSystemTrayIcon;
class Widget;

// Rules help only while the program runs: with rules in use, closing the window leaves the
// program running without it. A tray icon offers "Show" and "Quit" where the desktop shows one;
// elsewhere a line on the terminal says how to reach it. At rest it only waits for events.
class BackgroundRunner : public QObject {
    Q_OBJECT
public:
    explicit BackgroundRunner(Widget &widget);

    // Rules are on and there is something for them to do (a rule, or a default profile).
    bool keepsRunning() const;
    // The program started without its window (at login): it waits in the background.
    void startHidden();

public slots:
    void show();
    void quit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void goBackground();

    Widget &m_widget;
    QSystemTrayIcon *m_tray = nullptr;
};
