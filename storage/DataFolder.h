#pragma once

#include <QString>

// Decides which folder holds the modules/ tree the program reads and writes, and makes it ready.
// modules/ beside the program is used when this user may write there (a build tree, a portable
// copy); otherwise each user gets their own $XDG_DATA_HOME/q7config/modules, filled from the
// factory data with only the files it lacks, so a user's changes are never overwritten.
// Every path the program keeps is relative to the chosen folder, made current at start-up.
class DataFolder {
public:
    struct Choice {
        QString base;  // the folder that holds modules/
        QString error; // what went wrong preparing it; base is still the best folder there is
    };

    static Choice choose(const QString &besideModules, const QString &factoryModules,
                         const QString &userBase);
    // $XDG_DATA_HOME/q7config, or ~/.local/share/q7config.
    static QString userBase();
    // choose() for the running program, then make the chosen folder current.
    static Choice enter();

private:
    static QString fillMissing(const QString &factory, const QString &target);
};
