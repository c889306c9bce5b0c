#pragma once

#include "DeviceRecord.h"
#include "TrafficLogReader.h"
#include "WireDescrambler.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class Hid_Thread;

// A fresh virtual mouse for one test: its own state and log files, the given faults, and the
// process-wide link state back to that of a new process.
class VirtualMouse {
public:
    enum class Personality { Mouse, Keyboard };

    explicit VirtualMouse(const QString &faults = {}, Personality personality = Personality::Mouse);
    ~VirtualMouse();

    QString statePath() const { return m_dir.filePath(QStringLiteral("state")); }
    QString logPath() const { return m_dir.filePath(QStringLiteral("traffic.jsonl")); }

    using Report = WireReport;
    QList<Report> log() const;
    // The bytes of every report of one kind, in order.
    QList<QByteArray> reports(const QString &kind) const;
    void clearLog() const;

    // The shipped device table, with record 1 turned into the keyboard for that personality.
    DeviceTable table() const;
    // Scan, select and check, as the program does at start; true when connected.
    bool connect(Hid_Thread &hid, bool scrambling = true) const;

    // Restarts the device as a new process would find it (same state file).
    void restart() const;

private:
    QTemporaryDir m_dir;
    Personality m_personality;
};
