#include "KernelRig.h"

#include "TreeCopy.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {
constexpr int RunTimeoutMs = 10000;
} // namespace

KernelRig::KernelRig() {
    // The testbed first: umockdev decides once whether this process is under its preload.
    m_bed = std::make_unique<q7kernel::KernelTestbed>();
    for (const char *name : {"home", "runtime", "state"})
        QDir().mkpath(m_dir.filePath(QLatin1String(name)));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The harness finds the window's notice channel where the window makes it.
    qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
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
    // No session bus and no Wayland: q7ctl must reach the mouse itself, not a window the
    // developer has open, and the window its own X display.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + folder(QStringLiteral("no-bus")));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

void KernelRig::start(QProcess &process, const QString &program, const QStringList &args,
                      Access access) const {
    const QString path = folder(QStringLiteral("program/") + program);
    // Root meets file modes like anyone else without the capability that overrides them.
    if (access == Access::FileModesApply && ::geteuid() == 0)
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                                  QStringLiteral("--"), path} +
                          args);
    else
        process.start(path, args);
}

KernelRig::Run KernelRig::q7ctl(const QStringList &args, Access access) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    start(process, QStringLiteral("q7ctl"), args, access);
    return ProcessRun::finish(process, RunTimeoutMs);
}
