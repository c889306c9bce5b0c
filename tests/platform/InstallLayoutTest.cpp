// Finding the program's pieces from its own folder, in a build tree and under a prefix.
#include "InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class InstallLayoutTest : public QObject {
    Q_OBJECT

    static bool touch(const QString &path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    }

private slots:
    void runningProgramDirIsThisExecutablesFolder() {
        QCOMPARE(InstallLayout::runningProgramDir(),
                 QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath());
    }

    void aBuildTreeKeepsEverythingBesideTheProgram() {
        QTemporaryDir dir;
        const QString bin = dir.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin + QStringLiteral("/modules")));
        QVERIFY(touch(bin + QStringLiteral("/libq7-virtual-mouse.so")));
        const InstallLayout layout(bin);
        QCOMPARE(layout.factoryModules(), bin + QStringLiteral("/modules"));
        QCOMPARE(layout.virtualMouseLibrary(), bin + QStringLiteral("/libq7-virtual-mouse.so"));
        // A build tree tells its user to copy the rule from its sources.
        if (QFileInfo::exists(QStringLiteral("/etc/udev/rules.d/70-q7-mouse.rules")) ||
            QFileInfo::exists(QStringLiteral("/usr/lib/udev/rules.d/70-q7-mouse.rules")))
            QSKIP("this machine has the rule installed; the advice names that copy");
        const QString source = QStringLiteral(Q7_SOURCE_UDEV_RULE);
        QCOMPARE(layout.udevRule(), source);
        QVERIFY2(layout.permissionAdvice().contains(QStringLiteral("sudo cp ") + source +
                                                    QStringLiteral(" /etc/udev/rules.d/")),
                 qPrintable(layout.permissionAdvice()));
    }

    void aPrefixSpreadsThemAndTheAdviceNamesTheInstalledRule() {
        QTemporaryDir dir;
        const QString prefix = dir.filePath(QStringLiteral("opt/q7 mouse"));
        const QString rule = prefix + QStringLiteral("/lib/udev/rules.d/70-q7-mouse.rules");
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        QVERIFY(touch(rule));
        const InstallLayout layout(prefix + QStringLiteral("/bin"));
        QCOMPARE(layout.factoryModules(), prefix + QStringLiteral("/share/q7config/modules"));
        QCOMPARE(layout.virtualMouseLibrary(),
                 prefix + QStringLiteral("/lib/q7config/libq7-virtual-mouse.so"));
        QCOMPARE(layout.udevRule(), rule);
        // udev reads no rule from there: copy it, with the space quoted for the shell.
        const QString advice = layout.permissionAdvice();
        QVERIFY2(advice.contains(QStringLiteral("sudo cp '") + rule +
                                 QStringLiteral("' /etc/udev/rules.d/ && sudo udevadm control "
                                                "--reload && sudo udevadm trigger")),
                 qPrintable(advice));
    }
};

QTEST_GUILESS_MAIN(InstallLayoutTest)
#include "InstallLayoutTest.moc"
