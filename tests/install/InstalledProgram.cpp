#include "InstalledProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

InstalledProgram::InstalledProgram(const QString &prefix, const QString &scratch)
    : m_prefix(prefix), m_scratch(scratch) {}

QProcessEnvironment InstalledProgram::environment(const QString &home) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("LD_PRELOAD"));
    env.remove(QStringLiteral("Q7_VIRTUAL_FAULT"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    // Private: the device lock and the one-window notice live there.
    QDir().mkpath(m_scratch + QStringLiteral("/run"));
    QFile::setPermissions(m_scratch + QStringLiteral("/run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_scratch + QStringLiteral("/run"));
    env.insert(QStringLiteral("TMPDIR"), m_scratch);
    env.insert(QStringLiteral("Q7_VIRTUAL_STATE"), m_scratch + QStringLiteral("/mouse.state"));
    return env;
}

InstalledProgram::Run InstalledProgram::run(const QString &program, const QStringList &args,
                                            const QProcessEnvironment &env, int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    return ProcessRun::finish(process, timeoutMs);
}

InstalledProgram::Run InstalledProgram::q7ctl(const QString &home, const QStringList &args) const {
    QProcessEnvironment env = environment(home);
    env.insert(QStringLiteral("LD_PRELOAD"),
               m_prefix + QStringLiteral("/lib/q7config/libq7-virtual-mouse.so"));
    return run(m_prefix + QStringLiteral("/bin/q7ctl"), args, env, 30000);
}

bool InstalledProgram::startWindow(const QString &home, QString *output, QString *name) const {
    QProcess process;
    process.setProcessEnvironment(environment(home));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(m_prefix + QStringLiteral("/bin/q7config"), {QStringLiteral("--virtual")});
    QByteArray said;
    QElapsedTimer waited;
    waited.start();
    // The device check's own line: start-up got past the data folder and found the mouse.
    while (!said.contains("Device Connect") && process.state() != QProcess::NotRunning &&
           waited.elapsed() < 60000) {
        process.waitForReadyRead(200);
        said += process.readAll();
    }
    if (name) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(process.processId()));
        *name = comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll().trimmed())
                                               : QString();
    }
    // Let it finish starting before it ends, as a user would.
    process.waitForFinished(2000);
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    said += process.readAll();
    if (output)
        *output = QString::fromUtf8(said);
    return said.contains("Device Connect");
}

QMap<QString, QByteArray> InstalledProgram::snapshot(const QString &dir) {
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(QDir(dir).relativeFilePath(file.fileName()),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}
