#include "InstallLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

// Folders systemd-udevd reads rules from.
const QStringList udevRuleDirs = {
    QStringLiteral("/etc/udev/rules.d"),
    QStringLiteral("/usr/local/lib/udev/rules.d"),
    QStringLiteral("/usr/lib/udev/rules.d"),
    QStringLiteral("/lib/udev/rules.d"),
};

const QString reloadCommand = QStringLiteral(
    "sudo udevadm control --reload && sudo udevadm trigger --subsystem-match=hidraw");

QString shellQuoted(const QString &path) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

QString InstallLayout::runningProgramDir() {
    return QFileInfo(QStringLiteral("/proc/self/exe"))
        .canonicalFilePath()
        .section(QLatin1Char('/'), 0, -2);
}

InstallLayout::InstallLayout(const QString &programDir)
    : m_programDir(QDir::cleanPath(programDir)) {}

QString InstallLayout::prefixPath(const QString &relative) const {
    return QDir::cleanPath(m_programDir + QStringLiteral("/../") + relative);
}

QString InstallLayout::besideModules() const {
    return m_programDir + QStringLiteral("/modules");
}

QString InstallLayout::factoryModules() const {
    if (QFileInfo(besideModules()).isDir())
        return besideModules();
    return prefixPath(QStringLiteral("share/q7config/modules"));
}

QString InstallLayout::besideOrInstalled(const QString &library) const {
    const QString beside = m_programDir + QLatin1Char('/') + library;
    if (QFileInfo::exists(beside))
        return beside;
    return prefixPath(QStringLiteral("lib/q7config/") + library);
}

QString InstallLayout::virtualMouseLibrary() const {
    return besideOrInstalled(QStringLiteral("libq7-virtual-mouse.so"));
}

QString InstallLayout::soundModule() const {
    return besideOrInstalled(QStringLiteral("libq7sound.so"));
}

QString InstallLayout::udevRule() const {
    const QString installed = prefixPath(QStringLiteral("lib/udev/rules.d/") + ruleName);
    if (QFileInfo::exists(installed))
        return installed;
    for (const QString &dir : udevRuleDirs) {
        const QString copied = dir + QLatin1Char('/') + QLatin1String(ruleName);
        if (QFileInfo::exists(copied))
            return copied;
    }
    const QString source = QStringLiteral(Q7_SOURCE_UDEV_RULE);
    return QFileInfo::exists(source) ? source : QString();
}

QString InstallLayout::permissionAdvice() const {
    const QString rule = udevRule();
    if (rule.isEmpty())
        return QStringLiteral("Install the udev rule %1 from the program's sources into "
                              "/etc/udev/rules.d/, then run: %2, and plug the mouse in again.")
            .arg(QLatin1String(ruleName), reloadCommand);
    const QString ruleDir = QFileInfo(rule).canonicalPath();
    for (const QString &dir : udevRuleDirs) {
        if (QFileInfo(dir).canonicalFilePath() == ruleDir)
            return QStringLiteral("The udev rule is installed (%1). Let udev read it: %2, then "
                                  "plug the mouse in again. It gives access to the user logged "
                                  "in at the machine itself, not over ssh.")
                .arg(rule, reloadCommand);
    }
    return QStringLiteral("Install the udev rule: sudo cp %1 /etc/udev/rules.d/ && %2, then plug "
                          "the mouse in again.")
        .arg(shellQuoted(rule), reloadCommand);
}
