// GNOME's pointer settings through real GIO, with the keyfile backend in a private config folder.
#include "linux/GnomePointerSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class PointerSettingsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_config;

    QByteArray keyfile() const {
        QFile file(m_config.filePath(QStringLiteral("glib-2.0/settings/keyfile")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        if (!GnomePointerSettings().speed())
            QSKIP("the desktop's mouse schema is not installed (gsettings-desktop-schemas)");
    }

    void scales() {
        QCOMPARE(PointerSettings::desktopSpeed(1), -1.0);
        QCOMPARE(PointerSettings::desktopSpeed(10), 0.0);
        QCOMPARE(PointerSettings::desktopSpeed(20), 1.0);
        QCOMPARE(PointerSettings::desktopSpeed(2), -8.0 / 9.0);
        QCOMPARE(PointerSettings::desktopSpeed(15), 0.5);
        QCOMPARE(PointerSettings::desktopSpeed(0), -1.0); // clamped
        QCOMPARE(PointerSettings::desktopSpeed(99), 1.0);
        QCOMPARE(PointerSettings::scrollFactor(3), 1.0);
        QCOMPARE(PointerSettings::scrollFactor(1), 1.0 / 3);
        QCOMPARE(PointerSettings::scrollFactor(0), 1.0 / 3);
    }

    // The view's slots and q7ctl write each setting through here; the values land in the
    // backend's file and another reader sees them.
    void writesReachTheDesktop() {
        GnomePointerSettings settings;
        QVERIFY(settings.setDoubleClickTime(830));
        QVERIFY(settings.setSpeed(15));
        QVERIFY(settings.setAcceleration(false));
        QVERIFY(settings.lastError().isEmpty());
        const QByteArray written = keyfile();
        QVERIFY2(written.contains("double-click=830") && written.contains("speed=0.5") &&
                     written.contains("accel-profile='flat'"),
                 written.constData());
        QCOMPARE(GnomePointerSettings().doubleClickTime().value(), 830);
        QCOMPARE(GnomePointerSettings().acceleration().value(), false);
    }

    void refusedWritesSayWhyAndKeepTheDesktopsValue() {
        GnomePointerSettings settings;
        QVERIFY(!settings.takes(PointerSettings::Setting::WheelLines));
        QVERIFY(!settings.setWheelLines(3));
        QCOMPARE(settings.lastError(), QStringLiteral("GNOME has no wheel lines setting"));
        QVERIFY(!settings.setDoubleClickTime(-10));
        QVERIFY(settings.lastError().contains(QLatin1String("too short")));
        QCOMPARE(GnomePointerSettings().doubleClickTime().value(), 830);
    }

    void missingSchemaFailsEveryCall() {
        // Opened on first use, whichever call comes first.
        QVERIFY(!GnomePointerSettings("org.example.no-such-schema").setSpeed(5));
        GnomePointerSettings settings("org.example.no-such-schema");
        QVERIFY(!settings.setSpeed(5));
        QVERIFY(settings.lastError().contains(QLatin1String("not installed")));
        QVERIFY(!settings.setDoubleClickTime(500));
        QVERIFY(!settings.setAcceleration(true));
        QVERIFY(!settings.acceleration().has_value());
        QVERIFY(!settings.speed().has_value());
    }
};

QTEST_GUILESS_MAIN(PointerSettingsTest)
#include "PointerSettingsTest.moc"
