// q7ctl finds the Q7 through the stock hidapi, and each command it sends puts the golden bytes
// on the emulated wire: feature reports through HIDIOCSFEATURE / HIDIOCGFEATURE, bulk data
// through write() and read().
#include "GoldenFrames.h"
#include "KernelRig.h"
#include "WireDescrambler.h"

#include <QTest>

class ExchangesTest : public QObject {
    Q_OBJECT

    KernelRig m_rig;
    QString m_macro; // a macro of the library, as a JSON string

    static QString numbers(int count, int first, int step = 1) {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list.append(QString::number(first + i * step));
        return QLatin1Char('[') + list.join(QLatin1Char(',')) + QLatin1Char(']');
    }

    // Every key unassigned but the first, which keeps the left button.
    static QString keyTable() {
        return QStringLiteral("[1,0,240,0") + QStringLiteral(",0").repeated(60) + QLatin1Char(']');
    }

    static void row(const QStringList &goldens, const QStringList &call,
                    const char *firstOutput = "", const QString &printed = {}) {
        QTest::newRow(qPrintable(goldens.join(QStringLiteral(" + "))))
            << goldens << call << bytesOf(firstOutput) << printed;
    }

private slots:
    void initTestCase() {
        m_rig.addQ7();
        const KernelRig::Run created = m_rig.q7ctl({"call", "createMacroIni"});
        QVERIFY2(created.exitCode == 0, qPrintable(created.err));
        m_macro = created.out.trimmed();
    }

    void eachCommandCarriesItsGoldenFrame_data() {
        QTest::addColumn<QStringList>("goldens"); // the frames the call sends, in order
        QTest::addColumn<QStringList>("call");
        QTest::addColumn<QByteArray>("firstOutput"); // empty: not checked
        QTest::addColumn<QString>("printed");        // empty: not checked
        // Sets, then the gets that read them back where the program reads the mouse.
        row({"k 01 report rate"}, {"ui_01H_SetReportRate", "2"});
        row({"m 03 options"}, {"ui_03H_SetKeyboardoption", "3", "1", "64", "8"});
        row({"m 83 options"}, {"ui_83H_GetKeyboardoption"}, "", "[3,1,64,8]");
        // Read, change, write: the wheel was already reversed, so the same options go back.
        row({"m 83 options", "k 81 report rate", "m 03 options"}, {"setScrollPinSwap", "true"});
        row({"k 04 sensitivity"}, {"ui_04H_SetButtonSensitivity", "5", "6", "7", "8", "9"});
        row({"m 0B dpi stage"}, {"ui_0BH_SetCurrentDPIStage", "4"});
        row({"m 0D rgb effect"}, {"ui_0DH_SetRGBLedEffect", "2", "200", "5", "[2,200,5]"});
        row({"m 10 colours type 1"}, {"ui_10H_SetLED8StageColor", "1", numbers(24, 1)},
            "00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18"
            " 00 00 00 00 00 00 00 00");
        row({"m 10 colours type 2"}, {"ui_10H_SetLED8StageColor", "2", numbers(8, 0)},
            "00 10 32 54 76 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
            " 00 00 00 00 00 00 00 00");
        row({"m 11 dpi set"},
            {"ui_11H_SetDPISet", "6", "[7,15,23,31,39,49,93,103]", numbers(8, 800, 800)},
            "00 07 0f 17 1f 27 31 5d 67 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
            " 00 00 00 00 00 00 00 00");
        row({"m 91 dpi set"}, {"ui_91H_SyncDPI"}, "", "6");
        row({"m 12 key matrix"}, {"ui_12H_SetKeyMatrix", keyTable()},
            "00 01 00 f0 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
            " 00 00 00 00 00 00 00 00");
        row({"m 92 key matrix"}, {"ui_92H_GetKeyMatrix"}, "", keyTable());
        row({"m 87 led instruct"}, {"chkIsLogoLedWork"}, "", "true");
    }

    void eachCommandCarriesItsGoldenFrame() {
        QFETCH(QStringList, goldens);
        QFETCH(QStringList, call);
        QFETCH(QByteArray, firstOutput);
        QFETCH(QString, printed);
        m_rig.clearTraffic();
        const KernelRig::Run r = m_rig.q7ctl(QStringList{"call"} + call);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        if (!printed.isEmpty())
            QCOMPARE(r.out.trimmed(), printed);

        const QList<WireReport> log = m_rig.traffic();
        const QList<QByteArray> frames = reportsOfKind(log, QStringLiteral("feature_out"));
        QCOMPARE(frames.size(), goldens.size());
        int outputCount = 0, inputCount = 0;
        for (int i = 0; i < goldens.size(); ++i) {
            const GoldenFrame &golden = goldenFrame(qPrintable(goldens[i]));
            QCOMPARE(descrambleWireFrame(frames[i]), bytesOf(golden.frame));
            outputCount += golden.outputs;
            inputCount += golden.inputs;
        }
        const QList<QByteArray> outputs = reportsOfKind(log, QStringLiteral("output"));
        QCOMPARE(outputs.size(), outputCount);
        QCOMPARE(reportsOfKind(log, QStringLiteral("input")).size(), inputCount);
        if (!firstOutput.isEmpty())
            QCOMPARE(outputs.value(0), firstOutput);
        for (const WireReport &report : log)
            QVERIFY2(!report.refused, "the firmware refused a frame");
    }

    // A macro goes out in four reports and comes back the same.
    void aMacroGoesAndComesBack() {
        m_rig.clearTraffic();
        const KernelRig::Run set = m_rig.q7ctl({"call", "ui_13H_SetMacroKey", "7", m_macro});
        QVERIFY2(set.exitCode == 0, qPrintable(set.err));
        const KernelRig::Run get = m_rig.q7ctl({"call", "ui_93H_GetMacroKey", "7"});
        QVERIFY2(get.exitCode == 0, qPrintable(get.err));
        const QList<WireReport> log = m_rig.traffic();
        const QList<QByteArray> frames = reportsOfKind(log, QStringLiteral("feature_out"));
        QCOMPARE(frames.size(), 2);
        QCOMPARE(descrambleWireFrame(frames[0]), bytesOf(goldenFrame("m 13 macro").frame));
        QCOMPARE(descrambleWireFrame(frames[1]), bytesOf(goldenFrame("m 93 macro").frame));
        QByteArray sent, received;
        for (const QByteArray &report : reportsOfKind(log, QStringLiteral("output")))
            sent += report.mid(1);
        for (const QByteArray &report : reportsOfKind(log, QStringLiteral("input")))
            received += report;
        QCOMPARE(sent.size(), 128);
        QCOMPARE(received, sent);
    }
};

QTEST_GUILESS_MAIN(ExchangesTest)
#include "ExchangesTest.moc"
