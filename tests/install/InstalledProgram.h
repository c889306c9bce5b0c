#pragma once

#include "ProcessRun.h"

#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// q7config and q7ctl as installed under a prefix, run the way a user runs them: a home folder
// of their own, no display, the virtual mouse shipped in the prefix.
class InstalledProgram {
public:
    using Run = ProcessRun;

    // scratch: a folder for the virtual mouse's state and logs.
    InstalledProgram(const QString &prefix, const QString &scratch);

    Run q7ctl(const QString &home, const QStringList &args) const;
    // Starts q7config --virtual, waits until it has found the mouse (so its start-up, the data
    // folder included, is done), then ends it. False when it never got that far. name, when
    // given, is the name the process had then, as ps shows it.
    bool startWindow(const QString &home, QString *output, QString *name = nullptr) const;

    QString prefix() const { return m_prefix; }

    // Every file under dir with its content, by relative path.
    static QMap<QString, QByteArray> snapshot(const QString &dir);
    static Run run(const QString &program, const QStringList &args,
                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                   int timeoutMs = 120000);

private:
    QProcessEnvironment environment(const QString &home) const;

    QString m_prefix;
    QString m_scratch;
};
