#pragma once

#include "ProfileFollower.h"

#include <QObject>

#include <memory>

class FocusWatch;
class Widget;

// Gives the rules the focused application: the desktop's focus watch, started only once rules
// have something to do (rules on, and a rule or a profile for every other application) or the
// rules panel asks which applications run, so that a start without rules asks the desktop
// nothing. The watch then feeds the follower, which switches the mouse's profile.
class FocusRules : public QObject {
    Q_OBJECT
public:
    explicit FocusRules(Widget &widget);
    ~FocusRules() override;

    // Starts the watch unless it was started before (once: a desktop that cannot tell is not
    // asked again).
    void ensureWatch();
    const FocusWatch *watch() const { return m_watch.get(); }

private:
    void apply(int profile);

    Widget &m_widget;
    ProfileFollower m_follower;
    std::unique_ptr<FocusWatch> m_watch;
    bool m_started = false;
};
