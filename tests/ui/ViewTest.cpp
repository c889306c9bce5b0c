// The view's own slots and the controller: sounds, window moves, the busy lock, syncFW.
#include "Hid_Thread.h"
#include "RecordingPrompt.h"
#include "SoundBoard.h"
#include "Ui_Controler.h"
#include "VirtualMouse.h"
#include "myQQuickView.h"

#include <QDir>
#include <QQmlComponent>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

class ViewTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static QString fileOf(const SoundBoard &board, int player) {
        return QFileInfo(board.source(player).toLocalFile()).fileName();
    }

private slots:
    void init() {
        QDir::setCurrent(m_dir.path());
        QDir().mkpath(QStringLiteral("modules/setting"));
    }

    // Key capture listens on the view: after the scene's busy lock it must have the focus again.
    void focusComesBackAfterTheBusyLock() {
        QWidget window;
        auto *view = new myQQuickView(&window, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        view->setFocus();
        view->setEnabled(false);
        QVERIFY(!view->hasFocus());
        view->setEnabled(true);
        QCOMPARE(window.focusWidget(), view);
    }

    // An asynchronous part of the scene is built a slice at a time from the event loop: other
    // events run before it stands, and it does stand.
    void asynchronousPartsAreBuiltInSlices() {
        myQQuickView view(nullptr, false);
        QQmlComponent part(view.engine());
        part.setData("import QtQuick\n"
                     "Item { property alias built: l.status\n"
                     "  Loader { id: l; asynchronous: true\n"
                     "    sourceComponent: Item { Repeater { model: 20000; Item {} } } } }",
                     QUrl(QStringLiteral("file:///slices.qml")));
        std::unique_ptr<QObject> root(part.create());
        QVERIFY(root);
        bool otherEventRan = false;
        QTimer::singleShot(0, root.get(),
                           [&] { otherEventRan = root->property("built").toInt() != 1; });
        QTRY_COMPARE(root->property("built").toInt(), 1); // Loader.Ready
        QVERIFY(otherEventRan);
    }

    void soundSlots() {
        myQQuickView view;
        SoundBoard &sounds = *view.soundBoard();
        view.setEnableAudio(false);
        for (uchar i = 0; i <= 4; ++i)
            view.playMedia_Index(i);
        for (int i = 0; i < SoundBoard::SoundCount; ++i)
            QVERIFY(sounds.source(i).isEmpty());
        QCOMPARE(sounds.playerCount(), 0); // sound off builds no player
        // The background does not ask whether sound is on.
        view.playMedia_Background();
        QCOMPARE(fileOf(sounds, 0), QStringLiteral("00.wav"));

        view.setEnableAudio(true);
        view.playMedia_Index(2);
        view.playMedia_Index(3);
        QCOMPARE(fileOf(sounds, 2), QStringLiteral("02.wav"));
        QCOMPARE(fileOf(sounds, 3), QStringLiteral("03.wav"));
        QCOMPARE(fileOf(sounds, 0), QStringLiteral("00.wav")); // a background goes on

        view.clearAllMedia();
        for (int i = 0; i < SoundBoard::SoundCount; ++i)
            QVERIFY(sounds.source(i).isEmpty());
    }

    void controllerMovesAndLocks() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QWidget widget;
        Ui_Controler controller;
        controller.onXChanged(5); // no widget yet: nothing happens, nothing crashes
        controller.initialise(&widget, &hid);
        QCOMPARE(widget.objectName(), QStringLiteral("Widget"));
        QCOMPARE(controller.view()->objectName(), QStringLiteral("ui_View"));
        widget.move(100, 100);
        controller.onXChanged(5);
        controller.onYChanged(-3);
        QCOMPARE(widget.pos(), QPoint(105, 97));

        QQuickItem *root = controller.view()->rootObject();
        controller.setBusy(300);
        QCOMPARE(root->property("busyTime").toInt(), 300);
        QMetaObject::invokeMethod(&controller, "setBusy"); // the entry without an argument
        QCOMPARE(root->property("busyTime").toInt(), 0);
    }

    void syncFwCopiesUserPicturesOnlyFromAKeyboard() {
        {
            VirtualMouse mouse;
            Hid_Thread hid;
            QVERIFY(mouse.connect(hid));
            myQQuickView view;
            view.setDeviceLink(&hid);
            mouse.clearLog();
            view.syncFW();
            QVERIFY(mouse.log().isEmpty());
            QVERIFY(!QFile::exists(QStringLiteral("modules/setting/p1.bin")));
        }
        VirtualMouse keyboard({}, VirtualMouse::Personality::Keyboard);
        Hid_Thread hid;
        QVERIFY(keyboard.connect(hid));
        uchar picture[512];
        for (int i = 0; i < 512; ++i)
            picture[i] = uchar(i % 251);
        hid.hid_12H_SetUserPicture(3, 0, picture);
        myQQuickView view;
        view.setDeviceLink(&hid);
        view.syncFW();
        view.currentProfile()->sync();
        QSettings p1(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        const QStringList stored = p1.value(QStringLiteral("userPicture/3")).toStringList();
        QCOMPARE(stored.size(), 512);
        for (int i = 0; i < 512; ++i)
            QCOMPARE(stored[i].toInt(), i % 251);
        for (int i = 0; i < 5; ++i)
            QVERIFY(p1.contains(QStringLiteral("userPicture/%1").arg(i)));
    }
};

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
