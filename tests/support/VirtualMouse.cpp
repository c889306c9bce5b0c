#include "VirtualMouse.h"

#include "DeviceTableReader.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "VirtualMouseControl.h"

#include <QFile>

VirtualMouse::VirtualMouse(const QString &faults, Personality personality)
    : m_personality(personality) {
    qputenv("Q7_VIRTUAL_STATE", statePath().toLocal8Bit());
    qputenv("Q7_VIRTUAL_LOG", logPath().toLocal8Bit());
    if (faults.isEmpty())
        qunsetenv("Q7_VIRTUAL_FAULT");
    else
        qputenv("Q7_VIRTUAL_FAULT", faults.toLocal8Bit());
    if (personality == Personality::Keyboard)
        qputenv("Q7_VIRTUAL_DEVICE", "keyboard");
    else
        qunsetenv("Q7_VIRTUAL_DEVICE");
    qunsetenv("Q7_VIRTUAL_CODE");
    q7vm_reset_for_tests();
    LinkState::instance().reset();
}

VirtualMouse::~VirtualMouse() {
    // Environment first, then the reset that reads it: a watcher thread still running meanwhile
    // only ever sees a whole session.
    qunsetenv("Q7_VIRTUAL_FAULT");
    qunsetenv("Q7_VIRTUAL_DEVICE");
    qunsetenv("Q7_VIRTUAL_LOG");
    qunsetenv("Q7_VIRTUAL_STATE");
    q7vm_reset_for_tests();
    LinkState::instance().reset();
}

void VirtualMouse::restart() const {
    q7vm_reset_for_tests();
}

QList<VirtualMouse::Report> VirtualMouse::log() const {
    return readTrafficLog(logPath());
}

QList<QByteArray> VirtualMouse::reports(const QString &kind) const {
    return reportsOfKind(log(), kind);
}

void VirtualMouse::clearLog() const {
    QFile(logPath()).resize(0);
}

DeviceTable VirtualMouse::table() const {
    DeviceTable t = DeviceTableReader::read(QString::fromLatin1(DeviceTableReader::EmbeddedPath),
                                            {QStringLiteral("Keyboard"), QStringLiteral("Q7")});
    if (m_personality == Personality::Keyboard && t.size() > 1) {
        t[1] = t[0];
        t[1].productName = QStringLiteral("Keyboard");
    }
    return t;
}

bool VirtualMouse::connect(Hid_Thread &hid, bool scrambling) const {
    hid.scanDevices(table());
    LinkState::instance().scrambling = scrambling;
    hid.swichCurDevice(hid.currentIndex());
    return LinkState::instance().connected.load();
}
