#pragma once

#include <QList>
#include <QString>

#include <optional>

// Which profile the mouse takes for the application in focus: a list of (application, profile)
// rules, a profile for every other application, and the switches of that feature. Kept in
// ./modules/setting/profileRules.ini. A file that cannot be read whole is never written over:
// it is kept beside as ".damaged" first, and the rules that could be read stay.
class RuleStore {
public:
    struct Rule {
        QString application; // as the desktop names it (X11 WM_CLASS, Wayland app id)
        int profile;         // 0 … 9
    };
    static constexpr int maximumRules = 500;
    static constexpr int maximumNameLength = 255;

    explicit RuleStore(const QString &path = defaultPath());
    static QString defaultPath();

    const QList<Rule> &rules() const { return m_rules; }
    std::optional<int> defaultProfile() const { return m_default; }
    // The profile for application: its rule, or the default; nothing when neither says.
    std::optional<int> profileFor(const QString &application) const;

    bool rulesOn() const { return m_rulesOn; }
    // Rules are on and have something to do: a rule, or a profile for every other application.
    bool inUse() const { return m_rulesOn && (!m_rules.isEmpty() || m_default); }
    // A click on a profile button sends the profile to the mouse, not only the pages.
    bool applyOnSwitch() const { return m_applyOnSwitch; }
    // The current profile is sent again when the mouse is plugged in and after a resume.
    bool keepInStep() const { return m_keepInStep; }

    // Each change is written at once; false (and error says why) when refused or not written,
    // and then nothing changed.
    bool addRule(const QString &application, int profile, QString *error = nullptr);
    bool removeRule(const QString &application, QString *error = nullptr);
    bool setDefaultProfile(std::optional<int> profile, QString *error = nullptr);
    bool setRulesOn(bool on, QString *error = nullptr);
    bool setApplyOnSwitch(bool on, QString *error = nullptr);
    bool setKeepInStep(bool on, QString *error = nullptr);

    // Why an application name cannot be a rule's (empty, control characters, too long).
    static std::optional<QString> nameProblem(const QString &application);
    // What was wrong with the file when it was read; empty when nothing.
    QString problem() const { return m_problem; }

private:
    void read();
    bool write(QString *error);
    // Runs change on a copy; writes it; keeps the old state when the write fails.
    template <typename Change> bool edit(Change change, QString *error);

    QString m_path;
    QList<Rule> m_rules;
    std::optional<int> m_default;
    bool m_rulesOn = true;
    bool m_applyOnSwitch = false;
    bool m_keepInStep = true;
    QString m_problem;
    bool m_writable = true;     // the path is a file (or nothing) we may write
    bool m_keptDamaged = false; // the damaged original is safe beside it
};
