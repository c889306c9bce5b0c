// The desktop's pointer settings through GSettings, with the in-memory backend.
#include "PointerSettings.h"

#include <QTest>

class PointerSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("GSETTINGS_BACKEND", "memory");
        if (!PointerSettings().isAvailable())
            QSKIP("the desktop's mouse schema is not installed (gsettings-desktop-schemas)");
    }

    void speedScale() {
        QCOMPARE(PointerSettings::desktopSpeed(1), -1.0);
        QCOMPARE(PointerSettings::desktopSpeed(10), 0.0);
        QCOMPARE(PointerSettings::desktopSpeed(20), 1.0);
        QCOMPARE(PointerSettings::desktopSpeed(2), -8.0 / 9.0);
        QCOMPARE(PointerSettings::desktopSpeed(15), 0.5);
        QCOMPARE(PointerSettings::desktopSpeed(0), -1.0); // clamped
        QCOMPARE(PointerSettings::desktopSpeed(99), 1.0);
    }

    // The view's slots and q7ctl write each setting through here and read it back; what is
    // left is what they never ask for.
    void refusedWritesKeepTheDesktopsValue() {
        PointerSettings settings;
        QVERIFY(settings.setDoubleClickTime(830));
        QVERIFY(!settings.setWheelLines(3));
        QVERIFY(!settings.setDoubleClickTime(-10));
        QCOMPARE(PointerSettings().doubleClickTime().value(), 830);
    }

    void missingSchemaFailsEveryCallQuietly() {
        // Opened on first use, whichever call comes first.
        QVERIFY(!PointerSettings(QStringLiteral("org.example.no-such-schema")).setSpeed(5));
        PointerSettings settings(QStringLiteral("org.example.no-such-schema"));
        QVERIFY(!settings.isAvailable());
        QVERIFY(!settings.setSpeed(5));
        QVERIFY(!settings.setDoubleClickTime(500));
        QVERIFY(!settings.setAcceleration(true));
        QVERIFY(!settings.acceleration().has_value());
        QVERIFY(!settings.speed().has_value());
    }
};

QTEST_GUILESS_MAIN(PointerSettingsTest)
#include "PointerSettingsTest.moc"
