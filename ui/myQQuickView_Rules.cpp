// The slots of the rules that choose a profile by the application in focus.
#include "myQQuickView.h"

#include "Autostart.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {
const QString RulesOn = QStringLiteral("rulesOn");
const QString ApplyOnSwitch = QStringLiteral("applyOnSwitch");
const QString KeepInStep = QStringLiteral("keepInStep");
const QString AutostartOption = QStringLiteral("autostart");
} // namespace

// A change that was refused or not written is told, as a warning box (q7ctl: not done).
static bool told(bool done, const QString &error) {
    if (!done)
        UserPrompt::current().warning(QStringLiteral("Q7"), error);
    return done;
}

QVariantList myQQuickView::getRules() {
    QVariantList rules;
    for (const RuleStore::Rule &r : m_ruleStore.rules())
        rules.append(QVariantMap{{QStringLiteral("application"), r.application},
                                 {QStringLiteral("profile"), r.profile}});
    return rules;
}

bool myQQuickView::setRule(QString application, int profile) {
    QString error;
    if (!told(m_ruleStore.addRule(application, profile, &error), error))
        return false;
    emit rulesChanged();
    return true;
}

bool myQQuickView::removeRule(QString application) {
    QString error;
    if (!told(m_ruleStore.removeRule(application, &error), error))
        return false;
    emit rulesChanged();
    return true;
}

int myQQuickView::getDefaultRuleProfile() {
    return m_ruleStore.defaultProfile().value_or(-1);
}

bool myQQuickView::setDefaultRuleProfile(int profile) {
    QString error;
    const std::optional<int> chosen = profile < 0 ? std::nullopt : std::optional<int>(profile);
    if (!told(m_ruleStore.setDefaultProfile(chosen, &error), error))
        return false;
    emit rulesChanged();
    return true;
}

QVariantMap myQQuickView::getRuleOptions() {
    const FocusStatus focus = m_focusStatus ? m_focusStatus() : FocusStatus();
    return {{RulesOn, m_ruleStore.rulesOn()},
            {ApplyOnSwitch, m_ruleStore.applyOnSwitch()},
            {KeepInStep, m_ruleStore.keepInStep()},
            {AutostartOption, Autostart::isOn(QGuiApplication::desktopFileName())},
            {QStringLiteral("focusState"), focus.state},
            {QStringLiteral("focusNote"), focus.note}};
}

bool myQQuickView::setRuleOption(QString option, bool on) {
    QString error;
    bool done = false;
    if (option == RulesOn)
        done = m_ruleStore.setRulesOn(on, &error);
    else if (option == ApplyOnSwitch)
        done = m_ruleStore.setApplyOnSwitch(on, &error);
    else if (option == KeepInStep)
        done = m_ruleStore.setKeepInStep(on, &error);
    else if (option == AutostartOption)
        // q7ctl turns it on too: the entry starts the program beside it, never q7ctl.
        done = Autostart::setOn(
            QGuiApplication::desktopFileName(),
            QCoreApplication::applicationDirPath() + QStringLiteral("/q7config"), on, &error);
    else
        error = QStringLiteral("no option \"%1\"").arg(option);
    if (!told(done, error))
        return false;
    emit rulesChanged();
    return true;
}

QStringList myQQuickView::getRunningApplications() {
    QStringList names = m_runningApplications ? m_runningApplications() : QStringList();
    names.removeDuplicates();
    names.removeAll(QString());
    names.sort(Qt::CaseInsensitive);
    return names;
}
