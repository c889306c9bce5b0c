#include "RuleStore.h"

#include "FileReplacement.h"
#include "IniFileCheck.h"
#include "RegularFile.h"
#include "StoragePaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("RuleStore", text);
}

const QString RulesOnKey = QStringLiteral("options/rulesOn");
const QString ApplyOnSwitchKey = QStringLiteral("options/applyOnSwitch");
const QString KeepInStepKey = QStringLiteral("options/keepInStep");
// Profiles count from 1 in the file, as the window shows them; 0 is no default.
const QString DefaultKey = QStringLiteral("options/defaultProfile");
const QString RulesArray = QStringLiteral("rules");
const QString ApplicationKey = QStringLiteral("application");
const QString ProfileKey = QStringLiteral("profile");
constexpr int Profiles = 10;

std::optional<int> profileNumber(const QVariant &value) {
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    return ok && n >= 1 && n <= Profiles ? std::optional<int>(n - 1) : std::nullopt;
}

std::optional<bool> flag(const QVariant &value) {
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}
} // namespace

RuleStore::RuleStore(const QString &path) : m_path(path) {
    read();
}

QString RuleStore::defaultPath() {
    return StoragePaths::settingDir + QStringLiteral("profileRules.ini");
}

std::optional<QString> RuleStore::nameProblem(const QString &application) {
    if (application.trimmed().isEmpty())
        return tr("an application name cannot be empty");
    if (application.size() > maximumNameLength)
        return tr("an application name has at most %1 characters").arg(maximumNameLength);
    for (const QChar c : application)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return tr("an application name cannot hold control characters");
    return std::nullopt;
}

void RuleStore::read() {
    m_rules.clear();
    m_problem.clear();
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink())
        return;
    if (!RegularFile::isUsableForSettings(m_path)) {
        m_writable = false;
        m_problem = tr("%1 is not a file; the rules live in memory until it is.").arg(m_path);
        return;
    }
    if (QFileInfo(m_path).size() == 0)
        return;
    m_problem = IniFileCheck::problem(m_path);
    if (QFileInfo(m_path).size() > IniFileCheck::maximumSize)
        return;
    const QSettings file(m_path, QSettings::IniFormat);
    QStringList dropped;
    const auto take = [&](const QString &key, bool &target) {
        if (!file.contains(key))
            return;
        if (const auto v = flag(file.value(key)))
            target = *v;
        else
            dropped.append(key);
    };
    take(RulesOnKey, m_rulesOn);
    take(ApplyOnSwitchKey, m_applyOnSwitch);
    take(KeepInStepKey, m_keepInStep);
    if (file.contains(DefaultKey)) {
        m_default = profileNumber(file.value(DefaultKey));
        if (!m_default && file.value(DefaultKey).toString().trimmed() != QLatin1String("0"))
            dropped.append(DefaultKey);
    }
    // Entries are read where they are; a count that lies costs nothing.
    for (int i = 1; i <= maximumRules; ++i) {
        const QString prefix =
            RulesArray + QLatin1Char('/') + QString::number(i) + QLatin1Char('/');
        if (!file.contains(prefix + ApplicationKey) && !file.contains(prefix + ProfileKey))
            continue;
        const QString application = file.value(prefix + ApplicationKey).toString();
        const std::optional<int> profile = profileNumber(file.value(prefix + ProfileKey));
        const bool duplicate = std::any_of(m_rules.cbegin(), m_rules.cend(), [&](const Rule &r) {
            return r.application == application;
        });
        if (nameProblem(application) || !profile || duplicate)
            dropped.append(prefix.chopped(1));
        else
            m_rules.append({application, *profile});
    }
    if (m_problem.isEmpty() && !dropped.isEmpty())
        m_problem = tr("%1: entries that are not rules were left out: %2")
                        .arg(m_path, dropped.join(QStringLiteral(", ")));
}

bool RuleStore::write(QString *error) {
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!m_writable)
        return fail(tr("%1 is not a file that can be written").arg(m_path));
    // The file as it was stays whole beside the new one: nothing the user wrote is lost.
    if (!m_problem.isEmpty() && !m_keptDamaged && QFileInfo::exists(m_path)) {
        const QString kept = m_path + QStringLiteral(".damaged");
        QFile::remove(kept);
        if (!QFile::copy(m_path, kept))
            return fail(tr("%1 could not be read whole and could not be kept aside as %2")
                            .arg(m_path, kept));
        m_keptDamaged = true;
    }
    const QString draft = m_path + QStringLiteral(".new");
    QFile::remove(draft);
    {
        QSettings out(draft, QSettings::IniFormat);
        out.setValue(RulesOnKey, m_rulesOn);
        out.setValue(ApplyOnSwitchKey, m_applyOnSwitch);
        out.setValue(KeepInStepKey, m_keepInStep);
        out.setValue(DefaultKey, m_default ? *m_default + 1 : 0);
        out.beginWriteArray(RulesArray, int(m_rules.size()));
        for (int i = 0; i < m_rules.size(); ++i) {
            out.setArrayIndex(i);
            out.setValue(ApplicationKey, m_rules[i].application);
            out.setValue(ProfileKey, m_rules[i].profile + 1);
        }
        out.endArray();
        out.sync();
        if (out.status() != QSettings::NoError) {
            QFile::remove(draft);
            return fail(tr("%1 could not be written").arg(draft));
        }
    }
    FileReplacement replacement(draft, m_path);
    const bool done = replacement.prepare() && replacement.commit();
    QFile::remove(draft);
    if (!done)
        return fail(replacement.error());
    m_problem.clear();
    return true;
}

template <typename Change> bool RuleStore::edit(Change change, QString *error) {
    const QList<Rule> rules = m_rules;
    const std::optional<int> fallback = m_default;
    const bool on = m_rulesOn, apply = m_applyOnSwitch, keep = m_keepInStep;
    change();
    if (write(error))
        return true;
    m_rules = rules;
    m_default = fallback;
    m_rulesOn = on, m_applyOnSwitch = apply, m_keepInStep = keep;
    return false;
}

std::optional<int> RuleStore::profileFor(const QString &application) const {
    for (const Rule &r : m_rules)
        if (r.application == application)
            return r.profile;
    // Desktops differ in case (X11 "Firefox", Wayland "firefox"): an exact match comes first.
    for (const Rule &r : m_rules)
        if (r.application.compare(application, Qt::CaseInsensitive) == 0)
            return r.profile;
    return m_default;
}

bool RuleStore::addRule(const QString &application, int profile, QString *error) {
    if (const auto problem = nameProblem(application)) {
        if (error)
            *error = *problem;
        return false;
    }
    if (profile < 0 || profile >= Profiles) {
        if (error)
            *error = tr("profiles are 1 to %1").arg(Profiles);
        return false;
    }
    const auto same = [&](const Rule &r) { return r.application == application; };
    if (!std::any_of(m_rules.cbegin(), m_rules.cend(), same) && m_rules.size() >= maximumRules) {
        if (error)
            *error = tr("at most %1 rules").arg(maximumRules);
        return false;
    }
    return edit(
        [&] {
            for (Rule &r : m_rules)
                if (same(r)) {
                    r.profile = profile;
                    return;
                }
            m_rules.append({application, profile});
        },
        error);
}

bool RuleStore::removeRule(const QString &application, QString *error) {
    const auto same = [&](const Rule &r) { return r.application == application; };
    if (!std::any_of(m_rules.cbegin(), m_rules.cend(), same)) {
        if (error)
            *error = tr("there is no rule for \"%1\"").arg(application);
        return false;
    }
    return edit([&] { m_rules.removeIf(same); }, error);
}

bool RuleStore::setDefaultProfile(std::optional<int> profile, QString *error) {
    if (profile && (*profile < 0 || *profile >= Profiles)) {
        if (error)
            *error = tr("profiles are 1 to %1").arg(Profiles);
        return false;
    }
    return edit([&] { m_default = profile; }, error);
}

bool RuleStore::setRulesOn(bool on, QString *error) {
    return edit([&] { m_rulesOn = on; }, error);
}

bool RuleStore::setApplyOnSwitch(bool on, QString *error) {
    return edit([&] { m_applyOnSwitch = on; }, error);
}

bool RuleStore::setKeepInStep(bool on, QString *error) {
    return edit([&] { m_keepInStep = on; }, error);
}
