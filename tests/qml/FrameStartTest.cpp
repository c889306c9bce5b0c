// The real program started against the virtual mouse, in its own copy of the shipped modules/
// folder: the frame after its opening animation, a page, a profile, the other skin, the close.
#include "RecordingPrompt.h"
#include "TreeCopy.h"
#include "VirtualMouse.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QFile>
#include <QGuiApplication>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Searches the visual tree: items a Repeater made are not QObject children of anything here.
QQuickItem *findItem(QQuickItem *parent, const QString &name) {
    for (QQuickItem *child : parent->childItems()) {
        if (child->objectName() == name)
            return child;
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

QQuickItem *item(myQQuickView *view, const char *name) {
    QQuickItem *found = findItem(view->rootObject(), QLatin1String(name));
    if (!found)
        qWarning("no item %s", name);
    return found;
}

void click(myQQuickView *view, QQuickItem *target) {
    QVERIFY(target);
    const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
    QTest::mouseClick(view, Qt::LeftButton, {}, centre.toPoint());
}

// Skin 1 draws its lines in ice blue, skin 2 in ember orange.
bool isIce(QRgb c) {
    return qBlue(c) > 180 && qGreen(c) > 150 && qRed(c) < 120;
}
bool isEmber(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 170 && qBlue(c) < 100;
}

// The page-area bracket: an accent stroke 2 px wide just outside the area's top-left corner.
QRgb bracketPixel(const QImage &shot) {
    return shot.pixel(167, 110);
}

// Picks element `index` of a drop-down list.
void chooseIn(myQQuickView *view, const char *chooserName, int index) {
    QQuickItem *chooser = item(view, chooserName);
    QVERIFY(chooser);
    QVERIFY(QMetaObject::invokeMethod(chooser, "showList"));
    QQuickItem *list = findItem(chooser, QStringLiteral("dropList"));
    QVERIFY(list);
    const qreal rowHeight = chooser->property("rowHeight").toReal();
    QTRY_VERIFY(list->height() > (index + 1) * rowHeight - 1);
    const QPointF row = list->mapToScene(QPointF(30, index * rowHeight + rowHeight / 2));
    QTest::mouseClick(view, Qt::LeftButton, {}, row.toPoint());
    QCOMPARE(chooser->property("defaultIndex").toInt(), index);
}

// Opens the settings panel, picks element `index` of a chooser there, and closes the panel.
void chooseInPanel(myQQuickView *view, const char *chooserName, int index) {
    click(view, item(view, "settingsButton"));
    QQuickItem *content = item(view, "panelContent");
    QTRY_COMPARE(content->x(), 0.0);
    chooseIn(view, chooserName, index);
    click(view, item(view, "settingsButton"));
    QTRY_VERIFY(!item(view, "globalSetting")->isVisible());
}

int rowCount(QQuickItem *list) {
    const QObject *model = list->property("mdItems").value<QObject *>();
    return model ? model->property("count").toInt() : -1;
}

} // namespace

class FrameStartTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_shots = QStringLiteral(Q7_SHOT_DIR);

    // Once the page has slid in, the window as it stands.
    bool savePage(myQQuickView *view, const QString &name) {
        QQuickItem *frame = item(view, "main_Q7");
        if (!QTest::qWaitFor([&] { return !frame->property("pageSlidingIn").toBool(); }, 3000))
            return false;
        QTest::qWait(100);
        return view->grabFramebuffer().save(m_shots + QLatin1Char('/') + name);
    }

    // Opens page `id` from the function menu and keeps a shot of it.
    bool showPage(myQQuickView *view, int id, const QString &name) {
        click(view, item(view, qPrintable(QStringLiteral("fnButton%1").arg(id))));
        QQuickItem *frame = item(view, "main_Q7");
        return QTest::qWaitFor([&] { return frame->property("curID").toInt() == id; }) &&
               savePage(view, name);
    }

private slots:
    void initTestCase() {
        QVERIFY(copyFreshModules(QStringLiteral(Q7_MODULES_DIR), QStringLiteral(Q7_MODULES_SOURCE),
                                 m_dir.filePath(QStringLiteral("modules"))));
        QDir::setCurrent(m_dir.path());
        QDir().mkpath(m_shots);
    }

    void startsAnimatesSwitchesAndCloses() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp());
        myQQuickView *view = widget.view();
        QQuickItem *root = view->rootObject();
        QTRY_COMPARE(root->property("startStage").toInt(), 2);
        QVERIFY2(prompt.warnings.isEmpty(), qPrintable(prompt.warnings.join(QLatin1Char('\n'))));
        QCOMPARE(root->property("skin_No").toInt(), 1);

        // The menus stand once the whole opening has played.
        QQuickItem *menuFunc = item(view, "menuFunc");
        QQuickItem *menuProf = item(view, "menuProf");
        QVERIFY(menuFunc && menuProf);
        QTRY_COMPARE_WITH_TIMEOUT(menuFunc->x(), 8.0, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(menuProf->x(), 1000.0 - menuProf->width() - 8, 3000);
        QTest::qWait(300);
        QImage shot = view->grabFramebuffer();
        QVERIFY(shot.save(m_shots + QStringLiteral("/frame-skin1.png")));
        QCOMPARE(shot.size(), QSize(1000, 600));
        QVERIFY2(isIce(bracketPixel(shot)), qPrintable(QColor(bracketPixel(shot)).name()));
        QCOMPARE(item(view, "main_Q7")->property("curID").toInt(), -1);

        // A function opens its page; a profile switches the device's profile.
        click(view, item(view, "fnButton3"));
        QCOMPARE(item(view, "main_Q7")->property("curID").toInt(), 3);
        QVERIFY(savePage(view, QStringLiteral("sensor-skin1.png")));
        // The key page with its mouse picture; the macro page with a new macro and a few lines.
        QVERIFY(showPage(view, 0, QStringLiteral("keydefine-skin1.png")));
        click(view, item(view, "fnButton1"));
        QTRY_COMPARE(item(view, "main_Q7")->property("curID").toInt(), 1);
        QTRY_VERIFY(!item(view, "main_Q7")->property("pageSlidingIn").toBool());
        click(view, item(view, "newMacro"));
        click(view, item(view, "addMouse"));
        click(view, item(view, "addDelay"));
        QVERIFY(QFile::exists(QStringLiteral("modules/macro/Macro. 001.bin")));
        QVERIFY(savePage(view, QStringLiteral("macro-skin1.png")));
        QVERIFY(showPage(view, 2, QStringLiteral("color-skin1.png")));
        // The press-gun page, then with its weapon grid open over it.
        QVERIFY(showPage(view, 4, QStringLiteral("pressgun-skin1.png")));
        click(view, item(view, "weaponPicture"));
        QVERIFY(item(view, "weaponGrid")->isVisible());
        QVERIFY(savePage(view, QStringLiteral("pressgun-grid-skin1.png")));
        click(view, item(view, "weapon4"));
        QVERIFY(!item(view, "weaponGrid")->isVisible());
        click(view, item(view, "profile2"));
        QCOMPARE(menuProf->property("currentIndex").toInt(), 2);
        QCOMPARE(view->currentProfileIndex(), 2);

        // The settings with the rule switches, then the rules panel; a rule added there.
        view->setRunningApplicationsSource([] {
            return QStringList{QStringLiteral("steam"), QStringLiteral("firefox")};
        });
        click(view, item(view, "settingsButton"));
        QTRY_COMPARE(item(view, "panelContent")->x(), 0.0);
        QTest::qWait(300);
        QVERIFY(view->grabFramebuffer().save(m_shots + QStringLiteral("/settings-skin1.png")));
        QVERIFY(item(view, "ruleSwitch_rulesOn")->property("isSelect").toBool());
        click(view, item(view, "ruleSwitch_applyOnSwitch"));
        QVERIFY(view->ruleStore().applyOnSwitch());
        click(view, item(view, "ruleSwitch_applyOnSwitch"));
        QVERIFY(!view->ruleStore().applyOnSwitch());
        // Start at login: an autostart entry that starts the program without its window.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        const QString entry = m_dir.filePath(
            QStringLiteral("config/autostart/%1.desktop").arg(QGuiApplication::desktopFileName()));
        click(view, item(view, "ruleSwitch_autostart"));
        QVERIFY(item(view, "ruleSwitch_autostart")->property("isSelect").toBool());
        QFile started(entry);
        QVERIFY(started.open(QIODevice::ReadOnly));
        QVERIFY(started.readAll().contains(
            "\nExec=\"" + QFile::encodeName(QCoreApplication::applicationDirPath()) +
            "/q7config\" --background\n"));
        click(view, item(view, "ruleSwitch_autostart"));
        QVERIFY(!QFile::exists(entry));
        click(view, item(view, "editRules"));
        QTRY_VERIFY(item(view, "rulesPanel"));
        QTRY_COMPARE(item(view, "panelContent")->x(), 0.0);
        QQuickItem *running = item(view, "runningList");
        QCOMPARE(rowCount(running), 2);
        QTest::mouseClick(view, Qt::LeftButton, {}, running->mapToScene(QPointF(30, 12)).toPoint());
        QCOMPARE(item(view, "ruleApplication")->property("text").toString(), "firefox");
        chooseIn(view, "ruleProfile", 2);
        click(view, item(view, "addRule"));
        QCOMPARE(view->ruleStore().profileFor(QStringLiteral("firefox")), std::optional<int>(2));
        QCOMPARE(rowCount(item(view, "ruleList")), 1);
        chooseIn(view, "defaultProfile", 1);
        QCOMPARE(view->ruleStore().defaultProfile(), std::optional<int>(0));
        QTRY_VERIFY(
            !findItem(item(view, "defaultProfile"), QStringLiteral("dropList"))->isVisible());
        QTRY_VERIFY(!findItem(item(view, "ruleProfile"), QStringLiteral("dropList"))->isVisible());
        QVERIFY(view->grabFramebuffer().save(m_shots + QStringLiteral("/rules-skin1.png")));
        click(view, item(view, "rulesBack"));
        QTRY_VERIFY(item(view, "ruleSwitch_rulesOn"));
        click(view, item(view, "settingsButton"));
        QTRY_VERIFY(!item(view, "globalSetting")->isVisible());
        // The other skin, chosen in the panel.
        chooseInPanel(view, "skinChooser", 1);
        QCOMPARE(root->property("skin_No").toInt(), 2);
        QTest::qWait(300);
        shot = view->grabFramebuffer();
        QVERIFY(shot.save(m_shots + QStringLiteral("/frame-skin2.png")));
        QVERIFY2(isEmber(bracketPixel(shot)), qPrintable(QColor(bracketPixel(shot)).name()));
        QVERIFY(savePage(view, QStringLiteral("color-skin2.png")));
        QVERIFY(showPage(view, 3, QStringLiteral("sensor-skin2.png")));
        QVERIFY(showPage(view, 0, QStringLiteral("keydefine-skin2.png")));
        QVERIFY(showPage(view, 4, QStringLiteral("pressgun-skin2.png")));
        // The rules from a profile's menu, for that profile; leaving them closes the panel.
        QQuickItem *p5 = item(view, "profile4");
        QTest::mouseClick(view, Qt::RightButton, {},
                          p5->mapToScene(QPointF(p5->width() / 2, p5->height() / 2)).toPoint());
        QTRY_COMPARE(item(view, "profileMenu")->property("opacity").toReal(), 1.0);
        click(view, item(view, "profileMenuItem3"));
        QTRY_VERIFY(item(view, "rulesPanel"));
        QTRY_COMPARE(item(view, "panelContent")->x(), 0.0);
        QCOMPARE(item(view, "ruleProfile")->property("defaultIndex").toInt(), 4);
        QTest::qWait(300);
        QVERIFY(view->grabFramebuffer().save(m_shots + QStringLiteral("/rules-skin2.png")));
        click(view, item(view, "rulesBack"));
        QTRY_VERIFY(!item(view, "globalSetting")->isVisible());
        QVERIFY(showPage(view, 1, QStringLiteral("macro-skin2.png")));

        // Both pages in Chinese.
        QQuickItem *panel = item(view, "globalSetting");
        QVERIFY(QMetaObject::invokeMethod(panel, "setLanguage", Q_ARG(QVariant, 0)));
        QTest::qWait(200);
        QVERIFY(savePage(view, QStringLiteral("macro-zh.png")));
        QVERIFY(showPage(view, 0, QStringLiteral("keydefine-zh.png")));

        // Chinese, the longest labels in the widest glyphs, in both skins.
        chooseInPanel(view, "languageChooser", 0);
        QCOMPARE(root->property("globalSetting_stringList").toStringList().value(86),
                 QStringLiteral("传感器"));
        click(view, item(view, "settingsButton"));
        QTRY_COMPARE(item(view, "panelContent")->x(), 0.0);
        QVERIFY(view->grabFramebuffer().save(m_shots + QStringLiteral("/settings-skin2-zh.png")));
        click(view, item(view, "editRules"));
        QTRY_VERIFY(item(view, "rulesPanel"));
        QTRY_COMPARE(item(view, "panelContent")->x(), 0.0);
        QVERIFY(view->grabFramebuffer().save(m_shots + QStringLiteral("/rules-skin2-zh.png")));
        click(view, item(view, "settingsButton"));
        QTRY_VERIFY(!item(view, "globalSetting")->isVisible());
        QVERIFY(showPage(view, 3, QStringLiteral("sensor-skin2-zh.png")));
        QVERIFY(showPage(view, 2, QStringLiteral("color-skin2-zh.png")));
        chooseInPanel(view, "skinChooser", 0);
        QCOMPARE(root->property("skin_No").toInt(), 1);
        QVERIFY(savePage(view, QStringLiteral("color-skin1-zh.png")));
        QVERIFY(showPage(view, 3, QStringLiteral("sensor-skin1-zh.png")));
        QVERIFY(showPage(view, 4, QStringLiteral("pressgun-skin1-zh.png")));
        click(view, item(view, "weaponPicture"));
        QVERIFY(savePage(view, QStringLiteral("pressgun-grid-skin1-zh.png")));

        click(view, item(view, "closeButton"));
        QTRY_VERIFY_WITH_TIMEOUT(!widget.isVisible(), 3000);
        QVERIFY(prompt.warnings.isEmpty());
    }
};

QTEST_MAIN(FrameStartTest)
#include "FrameStartTest.moc"
