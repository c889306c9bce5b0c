// Start-up as the program runs it: connected, demo and absent, and the device watch's delay;
// closed while rules are in use, it goes on without its window.
#include "AfterFirstFrame.h"
#include "BackgroundRunner.h"
#include "DeviceLock.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "RecordingPrompt.h"
#include "SoundBoard.h"
#include "VirtualMouse.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QDir>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

class StartupTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The program reads ./modules/ from its own folder; here a fresh one per test.
    void writeConfig(const QString &demoCode = {}) {
        QDir(m_dir.path()).mkpath(QStringLiteral("modules/setting"));
        QSettings config(m_dir.filePath(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat);
        config.clear();
        config.setValue(QStringLiteral("common/name"), QStringLiteral("Q7 Test"));
        config.setValue(QStringLiteral("common/product_name"),
                        QStringList{QStringLiteral("Keyboard"), QStringLiteral("Q7")});
        if (!demoCode.isEmpty())
            config.setValue(QStringLiteral("common/sCode1"), demoCode);
    }

private slots:
    void init() {
        QDir::setCurrent(m_dir.path());
        writeConfig();
    }

    void connectedShowsTheWindowAndRunsTheSceneAfterItsInit() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        QTest::failOnWarning(QRegularExpression(QStringLiteral("run before initUI")));
        Widget widget;
        QCOMPARE(widget.windowTitle(), QStringLiteral("Q7 Test"));
        QCOMPARE(widget.size(), QSize(1000, 600));
        QVERIFY(widget.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(widget.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(widget.startUp());
        QVERIFY(widget.isVisible());
        QQuickItem *root = widget.view()->rootObject();
        QVERIFY(root);
        // Both scene calls are queued: nothing has run yet.
        QCOMPARE(root->property("startStage").toInt(), 0);
        QTRY_COMPARE(root->property("startStage").toInt(), 2);
        QVERIFY(root->isVisible());
        QVERIFY(prompt.warnings.isEmpty());
    }

    // The link asks for the settings at each check: a reset replaces the object it read before.
    void deviceCheckAfterAConfigurationResetReadsTheNewSettings() {
        QFile::copy(m_dir.filePath(QStringLiteral("modules/setting/apConfig.bin")),
                    m_dir.filePath(QStringLiteral("modules/setting/apConfigD.bin")));
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp());
        widget.view()->resetApconfig();
        widget.view()->appSettings()->setValue(QStringLiteral("common/sCode1"),
                                               QStringLiteral("123456"));
        widget.checkDevice();
        const FrameCodec::SecrecyCode code = LinkState::instance().secrecyCode();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(code.data()) + 1, 6),
                 QByteArray("123456"));
        QFile::remove(m_dir.filePath(QStringLiteral("modules/setting/apConfigD.bin")));
    }

    // While q7ctl holds the mouse the window shows, keeps its event loop, sends nothing and
    // starts its scene when q7ctl lets go.
    void waitsForTheDeviceLockAndNeverRunsWithoutIt() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Hid_Thread probe;
        QVERIFY(mouse.connect(probe));
        DeviceLock q7ctl(DeviceLock::keyFor(probe.currentEntry()), QStringLiteral("q7ctl"));
        QVERIFY(q7ctl.tryLock());
        Widget widget;
        QVERIFY(widget.startUp());
        QVERIFY(widget.isVisible());
        QVERIFY(!widget.holdsDeviceLock());
        QTest::qWait(3 * Widget::LockRetryMs); // the retry timer runs: the loop is not blocked
        QCOMPARE(widget.view()->rootObject()->property("startStage").toInt(), 0);
        mouse.clearLog();
        widget.view()->ui_0BH_SetCurrentDPIStage(3);
        widget.deviceLink().waitForSend();
        QVERIFY(mouse.reports(QStringLiteral("feature_out")).isEmpty());

        q7ctl.unlock();
        QTRY_VERIFY(widget.holdsDeviceLock());
        QTRY_COMPARE(widget.view()->rootObject()->property("startStage").toInt(), 2);
        // The pages' start-up reads are past; count only the set.
        mouse.clearLog();
        widget.view()->ui_0BH_SetCurrentDPIStage(4);
        widget.deviceLink().waitForSend();
        QCOMPARE(mouse.reports(QStringLiteral("feature_out")).size(), 1);
        // Now the window holds it: q7ctl is told who has the mouse.
        QVERIFY(!q7ctl.tryLock());
        QVERIFY2(q7ctl.holderText().startsWith(QStringLiteral("the q7config window (pid ")),
                 qPrintable(q7ctl.holderText()));
    }

    void demoShowsTheWindowAndTheNotice() {
        writeConfig(QStringLiteral("m-vorkel"));
        VirtualMouse mouse(QStringLiteral("absent"));
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp());
        QVERIFY(widget.isVisible());
        QVERIFY(LinkState::instance().demoMode.load());
        QTRY_COMPARE(prompt.warnings, QStringList{QStringLiteral("===== Demo Mode =====")});
        QCOMPARE(prompt.titles.value(0), QStringLiteral("Q7 Test"));
        QTRY_COMPARE(widget.view()->rootObject()->property("startStage").toInt(), 2);
    }

    void absentWarnsAndEndsWithoutWindow() {
        VirtualMouse mouse(QStringLiteral("absent"));
        RecordingPrompt prompt;
        Widget widget;
        QSignalSpy ending(&widget, &Widget::programEnding);
        QVERIFY(!widget.startUp());
        QCOMPARE(prompt.warnings, QStringList{QStringLiteral("Can not detect Q7 !")});
        QCOMPARE(prompt.titles.value(0), QStringLiteral("Q7 Test"));
        QCOMPARE(ending.count(), 1);
        QVERIFY(!widget.isVisible());
        QCOMPARE(widget.view()->rootObject()->property("startStage").toInt(), 0);
    }

    // What the first frame does not need (the bus) runs once the window shows, and once only; a
    // window that never shows gets it after the fallback delay.
    void afterFirstFrameWaitsForTheWindowToShow() {
        QWindow window;
        window.resize(50, 50);
        window.create();
        int runs = 0;
        AfterFirstFrame shown(
            &window, [&runs] { ++runs; }, 60000);
        QTest::qWait(100);
        QCOMPARE(runs, 0);
        window.show();
        QTRY_COMPARE(runs, 1);
        window.hide();
        window.show();
        QTest::qWait(100);
        QCOMPARE(runs, 1);

        AfterFirstFrame never(
            nullptr, [&runs] { ++runs; }, 10);
        QTRY_COMPARE(runs, 2);
    }

    void burstOfDeviceChangesGivesOneCheck() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QSignalSpy checks(&widget, &Widget::deviceChecked);
        for (int i = 0; i < 3; ++i) {
            widget.deviceChanged();
            QTest::qWait(500);
        }
        QCOMPARE(checks.count(), 0);
        QTest::qWait(Widget::DeviceCheckDelayMs - 500 - 300);
        QCOMPARE(checks.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(checks.count(), 1, 1000);
        QTest::qWait(200);
        QCOMPARE(checks.count(), 1);
    }

    // Started hidden (at login), the window builds its frame only when it first opens.
    void startedHiddenItBuildsTheFrameWhenItOpens() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp(false));
        QQuickItem *root = widget.view()->rootObject();
        QTest::qWait(200);
        QVERIFY(!widget.isVisible());
        QVERIFY(!root->property("frameBuilt").toBool());
        widget.reveal();
        QTRY_COMPARE(root->property("startStage").toInt(), 2);
        QTRY_VERIFY(root->property("frameBuilt").toBool());
        QVERIFY(prompt.warnings.isEmpty());
    }

    // Hidden, it makes no sound; shown again, its music comes back.
    void closedWithARuleItGoesOnSilentlyAndComesBack() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        BackgroundRunner background(widget);
        QVERIFY(widget.startUp());
        myQQuickView *view = widget.view();
        QVERIFY(view->setRule(QStringLiteral("game"), 2));
        view->playMedia_Background();
        QVERIFY(!view->soundBoard()->source(0).isEmpty());
        QVERIFY(widget.close());
        QVERIFY(background.keepsRunning());
        QVERIFY(view->soundBoard()->source(0).isEmpty());
        widget.reveal();
        QVERIFY(widget.isVisible());
        QVERIFY(!view->soundBoard()->source(0).isEmpty());
        QVERIFY(view->removeRule(QStringLiteral("game")));
        QVERIFY(prompt.warnings.isEmpty());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
