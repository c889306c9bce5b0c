#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class RuleStore;

// Switches the profile when the application in focus changes, by the rules: its rule's profile,
// or the default one. Only a change of focus switches, so a profile chosen by hand holds until
// the focus moves. Focus on nothing (between windows) changes nothing.
class ProfileFollower : public QObject {
    Q_OBJECT
public:
    // apply selects a profile (0 … 9) and makes the mouse hold it.
    ProfileFollower(const RuleStore &rules, std::function<void(int)> apply,
                    QObject *parent = nullptr);

    QString focusedApplication() const { return m_focused; }
    // The program's own window: focus on it leaves the profile as it is (the default profile
    // would otherwise replace the one being edited).
    void setOwnNames(const QStringList &names) { m_own = names; }

public slots:
    void focusChanged(const QString &application);

signals:
    void switched(const QString &application, int profile);

private:
    const RuleStore &m_rules;
    std::function<void(int)> m_apply;
    QString m_focused;
    QStringList m_own;
};
