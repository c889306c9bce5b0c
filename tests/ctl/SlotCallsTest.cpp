// The view's slots as q7ctl and the D-Bus interface call them: every slot that sends or stores
// has a domain for each parameter, and what each getter gives back its setter takes unchanged.
#include "Hid_Thread.h"
#include "LocalSlotCaller.h"
#include "RecordingPrompt.h"
#include "SlotDomains.h"
#include "StorageSandbox.h"
#include "VirtualMouse.h"
#include "myQQuickView.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaMethod>
#include <QTest>

#include <memory>

namespace {

// What the program's files hold now: a change to any of them shows.
QByteArray filesDigest() {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QDirIterator it(QStringLiteral("modules"), {QStringLiteral("*.bin")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString &file : files) {
        hash.addData(file.toUtf8());
        hash.addData(StorageSandbox::readFile(file));
    }
    return hash.result();
}

// An argument of the parameter's type that reaches the slot's work: numbers 1, lists long
// enough for any table, the name of a macro that exists.
QVariant sample(int typeId, const QString &macro) {
    switch (typeId) {
    case QMetaType::UChar:
        return QVariant::fromValue(uchar(1));
    case QMetaType::Int:
        return 1;
    case QMetaType::UInt:
        return 1u;
    case QMetaType::Bool:
        return true;
    case QMetaType::QString:
        return macro;
    case QMetaType::QStringList:
        return QStringList{QStringLiteral("A      [按下]")};
    case QMetaType::QVariantList:
        return QVariantList(512, 1);
    }
    return QVariant::fromValue(QVariant(1));
}

// A desktop that takes every pointer setting: the round trips here are about the slots' arguments;
// what each desktop takes is the pointer settings tests' concern.
class EveryPointerSetting : public PointerSettings {
public:
    QString desktop() const override { return QStringLiteral("a desktop that takes all"); }
    bool takes(Setting) const override { return true; }
    bool setSpeed(int) override { return succeed(); }
    bool setAcceleration(bool) override { return succeed(); }
    std::optional<bool> acceleration() override { return true; }
    bool setDoubleClickTime(int) override { return succeed(); }
    bool setWheelLines(int) override { return succeed(); }
};

} // namespace

class SlotCallsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StorageSandbox> m_sandbox;
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<Hid_Thread> m_hid;
    std::unique_ptr<myQQuickView> m_view;

    void start(VirtualMouse::Personality personality) {
        m_view.reset();
        m_hid.reset();
        m_mouse.reset();
        m_sandbox = std::make_unique<StorageSandbox>();
        m_mouse = std::make_unique<VirtualMouse>(QString(), personality);
        m_hid = std::make_unique<Hid_Thread>();
        QVERIFY(m_mouse->connect(*m_hid));
        m_view = std::make_unique<myQQuickView>(nullptr, false);
        m_view->setDeviceLink(m_hid.get());
        m_view->setPointerSettings(std::make_unique<EveryPointerSetting>());
    }

private slots:
    void initTestCase() { qputenv("GSETTINGS_BACKEND", "memory"); }

    void cleanup() {
        m_view.reset();
        m_hid.reset();
        m_mouse.reset();
        m_sandbox.reset();
    }

    // The scene calls the slots by name and q7ctl offers each with its domain: none may go
    // missing or come without one.
    void everySlotThatSendsOrStoresHasADomain() {
        RecordingPrompt prompt;
        for (const auto personality :
             {VirtualMouse::Personality::Mouse, VirtualMouse::Personality::Keyboard}) {
            start(personality);
            const QString macro = m_view->createMacroIni().toString();
            const QMetaObject *meta = m_view->metaObject();
            int slotCount = 0;
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod slot = meta->method(i);
                if (slot.methodType() != QMetaMethod::Slot)
                    continue;
                ++slotCount;
                const QString name = QString::fromLatin1(slot.name());
                QVERIFY2(SlotDomains::isKnown(name), qPrintable(name + " has no domain entry"));
                QVariantList args;
                QGenericArgument generic[10];
                for (int p = 0; p < slot.parameterCount(); ++p)
                    args.append(sample(slot.parameterType(p), macro));
                for (int p = 0; p < args.size(); ++p)
                    generic[p] = QGenericArgument(QMetaType(slot.parameterType(p)).name(),
                                                  args[p].constData());
                m_view->flushStorage();
                const QByteArray before = filesDigest();
                m_mouse->clearLog();
                QVERIFY(slot.invoke(m_view.get(), Qt::DirectConnection, generic[0], generic[1],
                                    generic[2], generic[3], generic[4], generic[5]));
                m_hid->waitForSend();
                m_view->flushStorage();
                const bool sends = !m_mouse->reports(QStringLiteral("feature_out")).isEmpty();
                const bool stores = filesDigest() != before;
                if (sends || stores)
                    QVERIFY2(
                        SlotDomains::parametersWithoutDomain(name, slot.parameterCount()).isEmpty(),
                        qPrintable(QStringLiteral("%1 %2 with no domain for parameter(s) %3")
                                       .arg(name, sends ? "sends" : "stores")
                                       .arg(SlotDomains::parametersWithoutDomain(
                                                name, slot.parameterCount())
                                                .join(QStringLiteral(", ")))));
            }
            QCOMPARE(slotCount, 98);
        }
    }

    // Each getter's result, given to its setter as q7ctl gives it, is taken and read back.
    void getThenSetGivesTheSameBack_data() {
        QTest::addColumn<QString>("getter");
        QTest::addColumn<QStringList>("getterArgs");
        QTest::addColumn<QString>("setter");
        QTest::addColumn<QStringList>("setterArgs"); // %1 is what the getter gave
        const QString codes = QStringLiteral("[5,7,9,11,15,19,23,27]");
        QTest::newRow("rate") << "ui_81H_GetReportRate" << QStringList{} << "ui_01H_SetReportRate"
                              << QStringList{"%1"};
        QTest::newRow("stage") << "ui_8BH_GetCurrentDPIStage" << QStringList{}
                               << "ui_0BH_SetCurrentDPIStage" << QStringList{"%1"};
        QTest::newRow("DPI values") << "ui_91H_GetDPISet" << QStringList{} << "ui_11H_SetDPISet"
                                    << QStringList{"8", codes, "%1"};
        QTest::newRow("lighting record")
            << "ui_8DH_GetRGBLedEffect" << QStringList{} << "ui_0DH_SetRGBLedEffect"
            << QStringList{"3", "255", "1", "%1"};
        for (const char *type : {"0", "1", "2"})
            QTest::newRow(qPrintable(QStringLiteral("colours type ") + type))
                << "ui_90H_GetLED8StageColor" << QStringList{type} << "ui_10H_SetLED8StageColor"
                << QStringList{type, "%1"};
        QTest::newRow("key table")
            << "ui_92H_GetKeyMatrix" << QStringList{} << "ui_12H_SetKeyMatrix" << QStringList{"%1"};
        QTest::newRow("scroll swap")
            << "getScrollPinSwap" << QStringList{} << "setScrollPinSwap" << QStringList{"%1"};
        QTest::newRow("cursor speed")
            << "getCursorSpeed" << QStringList{} << "setCursorSpeed" << QStringList{"%1"};
        QTest::newRow("scroll lines") << "getVerticalScrollLines" << QStringList{}
                                      << "setVerticalScrollLines" << QStringList{"%1"};
        QTest::newRow("double click")
            << "getDoubleClickSpeed" << QStringList{} << "setDoubleClickSpeed" << QStringList{"%1"};
        QTest::newRow("weapons") << "getGundata" << QStringList{"0"} << "saveGundata"
                                 << QStringList{"0", "%1"};
        QTest::newRow("fire key") << "getSelGundata" << QStringList{"1"} << "saveSelGundata"
                                  << QStringList{"1", "%1"};
        QTest::newRow("settings") << "loadApConfig" << QStringList{} << "saveApConfig"
                                  << QStringList{"%1"};
        QTest::newRow("macro lines") << "loadMacroIni" << QStringList{"MACRO"} << "saveMacroIni"
                                     << QStringList{"MACRO", "%1"};
        QTest::newRow("macro binding") << "loadMacroIniConfig" << QStringList{"MACRO"}
                                       << "setMacroIniConfig" << QStringList{"MACRO", "%1"};
        QTest::newRow("profile") << "getCurrentProfile" << QStringList{}
                                 << "ui_02H_SetCurrentProfile" << QStringList{"%1"};
    }
    void getThenSetGivesTheSameBack() {
        QFETCH(QString, getter);
        QFETCH(QStringList, getterArgs);
        QFETCH(QString, setter);
        QFETCH(QStringList, setterArgs);
        start(VirtualMouse::Personality::Mouse);
        LocalSlotCaller caller(*m_view);
        const SlotOutcome macro = caller.call({QStringLiteral("createMacroIni"), {}, {}});
        QVERIFY(macro.done());
        const QString name = jsonText(*macro.value);
        QVERIFY(caller
                    .call({QStringLiteral("saveMacroIni"),
                           {name, QStringLiteral("[\"A      [按下]\"]")},
                           {}})
                    .done());
        for (QString &arg : getterArgs)
            arg.replace(QStringLiteral("MACRO"), name);
        for (QString &arg : setterArgs)
            arg.replace(QStringLiteral("MACRO"), name);
        const SlotOutcome got = caller.call({getter, getterArgs, {}});
        QVERIFY2(got.done() && got.value, qPrintable(got.messages.join('\n')));
        for (QString &arg : setterArgs)
            arg = arg.arg(jsonText(*got.value));
        const SlotOutcome set = caller.call({setter, setterArgs, {}});
        QVERIFY2(set.done(), qPrintable(set.messages.join('\n')));
        const SlotOutcome again = caller.call({getter, getterArgs, {}});
        QCOMPARE(jsonText(*again.value), jsonText(*got.value));
    }
};

QTEST_MAIN(SlotCallsTest)
#include "SlotCallsTest.moc"
