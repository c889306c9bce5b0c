#pragma once

#include <QObject>

class SleepWatch;
class Widget;

// Gives the mouse its current profile again when what it holds is no longer known: it was
// plugged in again, or the computer woke up (the mouse may have lost power or been set up
// elsewhere meanwhile). On unless the user turned it off in the global settings.
class KeepInStep : public QObject {
    Q_OBJECT
public:
    explicit KeepInStep(Widget &widget);

    // Watches for resumes; false (and why, on the terminal) when it cannot.
    bool watchSleep();

public slots:
    // Forgets what the mouse was given and sends the current profile whole.
    void resync();
    // After a resume the mouse comes back on its own time: the next device check resyncs.
    void resumed();

private:
    Widget &m_widget;
    SleepWatch *m_sleep = nullptr;
    bool m_afterResume = false;
};
