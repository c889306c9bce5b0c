// The .deb as ./dev package builds it: what it declares and what lintian says. Its contents are
// the install rules', which the install test runs from a prefix of its own.
#include "InstalledProgram.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class PackageTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_deb;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private slots:
    void initTestCase() {
        const InstalledProgram::Run pack = InstalledProgram::run(
            QStringLiteral(CPACK_COMMAND),
            {QStringLiteral("--config"), QStringLiteral(Q7_BUILD_DIR "/CPackConfig.cmake"),
             QStringLiteral("-B"), path(QStringLiteral("package"))},
            QProcessEnvironment::systemEnvironment(), 240000);
        QVERIFY2(pack.exitCode == 0, qPrintable(pack.out + pack.err));
        const QStringList debs = QDir(path(QStringLiteral("package")))
                                     .entryList({QStringLiteral("q7config_*.deb")}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        m_deb = path(QStringLiteral("package/") + debs.first());
    }

    void declaresWhatItNeedsAndReloadsUdev() {
        const InstalledProgram::Run depends =
            InstalledProgram::run(QStringLiteral("dpkg-deb"),
                                  {QStringLiteral("--field"), m_deb, QStringLiteral("Depends")});
        QCOMPARE(depends.exitCode, 0);
        // From dpkg-shlibdeps, and the run-time pieces it cannot see.
        for (const char *package : {"libqt6quickwidgets6", "libhidapi-hidraw0", "libudev1",
                                    "qml6-module-qtquick", "qt6-wayland"})
            QVERIFY2(depends.out.contains(QLatin1String(package)), qPrintable(depends.out));
        const InstalledProgram::Run postinst =
            InstalledProgram::run(QStringLiteral("dpkg-deb"),
                                  {QStringLiteral("--info"), m_deb, QStringLiteral("postinst")});
        QVERIFY2(postinst.out.contains(QStringLiteral("udevadm trigger --subsystem-match=hidraw")),
                 qPrintable(postinst.out));
    }

    void lintianFindsNoErrors() {
        const InstalledProgram::Run lintian =
            InstalledProgram::run(QStringLiteral("lintian"),
                                  {QStringLiteral("--fail-on"), QStringLiteral("error"),
                                   QStringLiteral("--allow-root"), m_deb},
                                  QProcessEnvironment::systemEnvironment(), 240000);
        QVERIFY2(lintian.exitCode == 0, qPrintable(lintian.out + lintian.err));
        QVERIFY2(!lintian.out.contains(QStringLiteral("E: ")), qPrintable(lintian.out));
    }
};

QTEST_GUILESS_MAIN(PackageTest)
#include "PackageTest.moc"
