#pragma once

#include <QObject>

class Hid_Thread;
class QWidget;
class myQQuickView;

// Published to the scene as "ui_Ctl": the frameless window's moves, its closing and the busy lock.
class Ui_Controler : public QObject {
    Q_OBJECT
public:
    static constexpr int Width = 1000;
    static constexpr int Height = 600;

    explicit Ui_Controler(QObject *parent = nullptr);

    // Makes the widget a frameless translucent window and builds the view and scene inside it.
    void initialise(QWidget *widget, Hid_Thread *hid);
    myQQuickView *view() const { return m_view; }

public slots:
    void onMinimize();
    // Hands a drag of the scene to the window system (a window manager's move on X11, the only
    // way to move a window on Wayland). False where it refuses: the scene then moves the window
    // itself with onXChanged and onYChanged.
    bool startSystemMove();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime = 0);

private:
    QWidget *m_widget = nullptr;
    myQQuickView *m_view = nullptr;
};
