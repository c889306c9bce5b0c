#include "KernelRig.h"

#include "TreeCopy.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {
constexpr int RunTimeoutMs = 60000;
} // namespace

KernelRig::KernelRig() {
    // The testbed first: umockdev decides once whether this process is under its preload.
    m_bed = std::make_unique<q7kernel::KernelTestbed>();
    for (const char *name : {"home", "runtime", "state"})
        QDir().mkpath(m_dir.filePath(QLatin1String(name)));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString program = m_dir.filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    QFile::copy(QStringLiteral(Q7CONFIG_PATH), program + QStringLiteral("/q7config"));
    QFile::copy(QStringLiteral(Q7CTL_PATH), program + QStringLiteral("/q7ctl"));
    copyFreshModules(QStringLiteral(Q7_MODULES_DIR), QStringLiteral(Q7_MODULES_SOURCE),
                     program + QStringLiteral("/modules"));
}

KernelRig::~KernelRig() {
    m_mice.clear();
    m_bed.reset();
}

q7kernel::KernelQ7 &KernelRig::addQ7(const QString &name, const char *port) {
    q7vm::EmulatorSettings settings;
    settings.kind = q7vm::DeviceKind::Mouse;
    settings.secrecyCode = "274951";
    settings.statePath =
        folder(QStringLiteral("state/") + name + QStringLiteral(".state")).toStdString();
    settings.logPath =
        folder(QStringLiteral("state/") + name + QStringLiteral(".jsonl")).toStdString();
    auto mouse = std::make_unique<q7kernel::KernelQ7>(*m_bed, settings, port);
    mouse->plug();
    return *(m_mice[name] = std::move(mouse));
}

q7kernel::KernelQ7 &KernelRig::q7(const QString &name) {
    return *m_mice.at(name);
}

QList<WireReport> KernelRig::traffic(const QString &name) const {
    return readTrafficLog(folder(QStringLiteral("state/") + name + QStringLiteral(".jsonl")));
}

void KernelRig::clearTraffic(const QString &name) const {
    QFile(folder(QStringLiteral("state/") + name + QStringLiteral(".jsonl"))).resize(0);
}

QProcessEnvironment KernelRig::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &key : env.keys())
        if (key.startsWith(QLatin1String("Q7_VIRTUAL")) || key.startsWith(QLatin1String("XDG_")))
            env.remove(key);
    env.insert(QStringLiteral("HOME"), folder(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    return env;
}

namespace {

// The program, or setpriv in front of it when root must meet file modes like anyone else.
void startProgram(QProcess &process, const QString &program, const QStringList &args,
                  KernelRig::Access access) {
    if (access == KernelRig::Access::FileModesApply && ::geteuid() == 0)
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                                  QStringLiteral("--"), program} +
                          args);
    else
        process.start(program, args);
}

} // namespace

KernelRig::Run KernelRig::q7ctl(const QStringList &args, Access access) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    startProgram(process, folder(QStringLiteral("program/q7ctl")), args, access);
    if (!process.waitForFinished(RunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("q7ctl did not end in time")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

std::unique_ptr<QProcess> KernelRig::startWindow(Access access) const {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setProcessChannelMode(QProcess::MergedChannels);
    startProgram(*process, folder(QStringLiteral("program/q7config")), {}, access);
    process->waitForStarted();
    return process;
}

bool waitForOutput(QProcess &process, const QRegularExpression &line, QString &seen,
                   int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        seen += QString::fromUtf8(process.readAll());
        if (line.match(seen).hasMatch())
            return true;
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(50);
    }
}

void endWindow(QProcess &process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}
