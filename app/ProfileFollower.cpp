#include "ProfileFollower.h"

#include "RuleStore.h"

ProfileFollower::ProfileFollower(const RuleStore &rules, std::function<void(int)> apply,
                                 QObject *parent)
    : QObject(parent), m_rules(rules), m_apply(std::move(apply)) {}

void ProfileFollower::focusChanged(const QString &application) {
    if (application.isEmpty() || application == m_focused)
        return;
    m_focused = application;
    if (!m_rules.rulesOn() || m_own.contains(application, Qt::CaseInsensitive))
        return;
    const std::optional<int> profile = m_rules.profileFor(application);
    if (!profile)
        return;
    m_apply(*profile);
    emit switched(application, *profile);
}
