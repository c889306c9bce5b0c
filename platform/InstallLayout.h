#pragma once

#include <QString>

// Where the program's pieces lie, found from the executable's own folder so that a copy runs
// wherever it is put. A build tree (or a portable copy) keeps everything in one folder: the
// program, libq7-virtual-mouse.so, libq7sound.so and modules/. An install spreads them under a
// prefix: bin/, lib/q7config/, share/q7config/modules/ and lib/udev/rules.d/.
class InstallLayout {
public:
    // The running executable's folder; usable before QCoreApplication exists.
    static QString runningProgramDir();

    explicit InstallLayout(const QString &programDir = runningProgramDir());

    QString programDir() const { return m_programDir; }
    // modules/ beside the program, whether or not it exists.
    QString besideModules() const;
    // The data as shipped: modules/ beside the program when there is one, else the prefix's
    // share/q7config/modules.
    QString factoryModules() const;
    QString virtualMouseLibrary() const;
    // The audio module, loaded when the program first plays a sound.
    QString soundModule() const;
    // The udev rule as installed under the prefix, else one already in udev's folders, else the
    // one in the source tree this program was built from; empty when none is there.
    QString udevRule() const;
    // What to type so that this user may open the mouse: reload an installed rule, or copy the
    // rule into place first.
    QString permissionAdvice() const;

    static constexpr const char *ruleName = "70-q7-mouse.rules";

private:
    QString prefixPath(const QString &relative) const;
    // A library of ours: beside the program, else under the prefix's lib/q7config/.
    QString besideOrInstalled(const QString &library) const;

    QString m_programDir;
};
