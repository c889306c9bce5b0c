#include "KeepInStep.h"

#include "LinkState.h"
#include "ProfileApplier.h"
#include "SleepWatch.h"
#include "Widget.h"
#include "myQQuickView.h"

KeepInStep::KeepInStep(Widget &widget) : QObject(&widget), m_widget(widget) {
    connect(&widget, &Widget::mouseReturned, this, &KeepInStep::resync);
    connect(&widget, &Widget::deviceChecked, this, [this] {
        if (std::exchange(m_afterResume, false))
            resync();
    });
}

bool KeepInStep::watchSleep() {
    m_sleep = new SleepWatch(this);
    connect(m_sleep, &SleepWatch::resumed, this, &KeepInStep::resumed);
    if (m_sleep->start())
        return true;
    qInfo("%s", qUtf8Printable(m_sleep->reason()));
    return false;
}

void KeepInStep::resumed() {
    m_widget.deviceLink().sentRecord().forget();
    m_afterResume = true;
    m_widget.deviceChanged();
}

void KeepInStep::resync() {
    myQQuickView *view = m_widget.view();
    ProfileApplier *applier = view->profileApplier();
    m_widget.deviceLink().sentRecord().forget();
    if (!applier || LinkState::instance().demoMode.load() || !m_widget.holdsDeviceLock())
        return;
    if (!view->ruleStore().keepInStep()) {
        qInfo("Keep in step is off: the mouse keeps what it holds until a profile is applied.");
        return;
    }
    applier->forgetDevice();
    qInfo("The mouse is back: it is given profile %d again.", view->currentProfileIndex() + 1);
    applier->apply(view->currentProfileIndex());
}
