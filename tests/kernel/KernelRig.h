#pragma once

#include "KernelQ7.h"
#include "KernelTestbed.h"
#include "ProcessRun.h"
#include "TrafficLogReader.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>

// One scenario's fake kernel: the testbed, the mice on it, and copies of the shipped q7config
// and q7ctl (unmodified, with a fresh modules/ tree and a home of their own) run as children.
// The children inherit umockdev's preload from the harness (started by umockdev-wrapper), so
// they reach the devices through the stock hidapi, libudev and libevdev.
class KernelRig {
public:
    using Run = ProcessRun;
    // Root keeps every capability but the one that opens any file regardless of its mode.
    enum class Access { Full, FileModesApply };

    KernelRig();
    ~KernelRig();

    q7kernel::KernelTestbed &bed() { return *m_bed; }
    // A Q7 with its own memory and traffic log, plugged in.
    q7kernel::KernelQ7 &addQ7(const QString &name = QStringLiteral("q7"), const char *port = "1-3");
    q7kernel::KernelQ7 &q7(const QString &name = QStringLiteral("q7"));
    QList<WireReport> traffic(const QString &name = QStringLiteral("q7")) const;
    void clearTraffic(const QString &name = QStringLiteral("q7")) const;

    Run q7ctl(const QStringList &args, Access access = Access::Full) const;
    // Starts one of the copied programs ("q7config", "q7ctl") in the process, with the
    // process's environment (see environment()).
    void start(QProcess &process, const QString &program, const QStringList &args,
               Access access) const;

    // The programs' environment: their own home and runtime folder, offscreen.
    QProcessEnvironment environment() const;
    QString folder(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<q7kernel::KernelTestbed> m_bed;
    std::map<QString, std::unique_ptr<q7kernel::KernelQ7>> m_mice;
};
