// Other HID devices are left alone: one of another vendor with the Q7's own usages, and one
// with the Q7's ids but another layout of interfaces. With two Q7s the program takes one and
// says which.
#include "KernelRig.h"
#include "ReportDescriptors.h"
#include "UsbHidDevice.h"

#include <QTest>

using q7kernel::UsbHidDevice;
namespace Descriptors = q7kernel::ReportDescriptors;

class OtherDevicesTest : public QObject {
    Q_OBJECT

    KernelRig m_rig;
    std::unique_ptr<UsbHidDevice> m_otherVendor;
    std::unique_ptr<UsbHidDevice> m_otherLayout;

    int decoyOpens() const {
        int opens = 0;
        for (const UsbHidDevice *device : {m_otherVendor.get(), m_otherLayout.get()})
            for (std::size_t i = 0; i < 2; ++i)
                opens += device->node(i)->opens();
        return opens;
    }

private slots:
    void initTestCase() {
        m_otherVendor = std::make_unique<UsbHidDevice>(
            m_rig.bed(),
            UsbHidDevice::Identity{0x7a7a, 0x0001, 0x0100, "Other Maker", "Other Gadget", "",
                                   "1-5"},
            std::vector<UsbHidDevice::Interface>{
                {Descriptors::collection(0xff00, 0xff00, 8, 32, 32), {}},
                {Descriptors::collection(0xff01, 0xff01, 0, 0, 4), {}}});
        // The Q7's ids, but a plain mouse and keyboard where its vendor interfaces would be.
        m_otherLayout = std::make_unique<UsbHidDevice>(
            m_rig.bed(),
            UsbHidDevice::Identity{0x04d9, 0xa09f, 0x0100, "Q7 Peripherals", "Q7 Gaming Mouse", "",
                                   "1-2"},
            std::vector<UsbHidDevice::Interface>{
                {Descriptors::collection(0x0001, 0x0002, 0, 0, 4), {}},
                {Descriptors::collection(0x0001, 0x0006, 0, 1, 8), {}}});
        m_otherLayout->plug();
        m_otherVendor->plug();
    }

    void othersAloneAreNoQ7() {
        const KernelRig::Run r = m_rig.q7ctl({"call", "getSensorType"});
        QCOMPARE(r.exitCode, 3);
        QVERIFY2(r.err.contains(QStringLiteral("Can not detect Q7 !")), qPrintable(r.err));
        QCOMPARE(decoyOpens(), 0);
    }

    void theQ7AmongThemIsFound() {
        m_rig.addQ7();
        const KernelRig::Run r = m_rig.q7ctl({"call", "getSensorType"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out.trimmed(), QStringLiteral("3"));
        QVERIFY(!r.err.contains(QStringLiteral("plugged in")));
        QCOMPARE(reportsOfKind(m_rig.traffic(), "feature_out").size(), 1);
        QCOMPARE(decoyOpens(), 0);
    }

    void ofTwoQ7sOneIsTakenAndNamed() {
        q7kernel::KernelQ7 &second = m_rig.addQ7(QStringLiteral("second"), "1-4");
        m_rig.clearTraffic();
        const KernelRig::Run r = m_rig.q7ctl({"call", "getSensorType"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QRegularExpression said(
            QStringLiteral("2 Q7 devices are plugged in; using the one at (/dev/hidraw\\d+) and "
                           "(/dev/hidraw\\d+)\\."));
        const QRegularExpressionMatch which = said.match(r.err);
        QVERIFY2(which.hasMatch(), qPrintable(r.err));
        // The one named has the traffic, the other none; both of its interfaces are one mouse's.
        const bool secondTaken = which.captured(1) == QString::fromStdString(second.commandNode());
        const QString taken = secondTaken ? QStringLiteral("second") : QStringLiteral("q7");
        const QString other = secondTaken ? QStringLiteral("q7") : QStringLiteral("second");
        QCOMPARE(which.captured(1), QString::fromStdString(m_rig.q7(taken).commandNode()));
        QCOMPARE(which.captured(2), QString::fromStdString(m_rig.q7(taken).eventNode()));
        QCOMPARE(reportsOfKind(m_rig.traffic(taken), "feature_out").size(), 1);
        QVERIFY(m_rig.traffic(other).isEmpty());
    }
};

QTEST_GUILESS_MAIN(OtherDevicesTest)
#include "OtherDevicesTest.moc"
