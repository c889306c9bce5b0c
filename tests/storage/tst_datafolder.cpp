// Which folder the program keeps its files in, and how a user's own folder is filled.
#include "DataFolder.h"
#include "StorageSandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The sandbox's file helpers, without its copy of the shipped tree.
constexpr auto writeFile = &StorageSandbox::writeFile;
constexpr auto readFile = &StorageSandbox::readFile;

QStringList treeOf(const QString &dir) {
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(dir).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

} // namespace

class DataFolderTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_factory;
    QString m_user;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private slots:
    void init() {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        m_factory = path(QStringLiteral("usr/share/q7config/modules"));
        m_user = path(QStringLiteral("home/.local/share/q7config"));
        QVERIFY(writeFile(m_factory + QStringLiteral("/setting/apConfig.bin"), "[common]\n"));
        QVERIFY(writeFile(m_factory + QStringLiteral("/setting/p1.bin"), "p1"));
        QVERIFY(writeFile(m_factory + QStringLiteral("/img/skin1/bg.png"), "png"));
        QVERIFY(QDir().mkpath(m_factory + QStringLiteral("/macro")));
    }

    void cleanup() {
        // Writable again, so the next init can clear the folder.
        QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = it.next();
            QFile::setPermissions(entry, QFile::permissions(entry) | QFile::WriteOwner);
        }
    }

    void writableFolderBesideTheProgramIsUsedInPlace() {
        const QString beside = path(QStringLiteral("bin/modules"));
        QVERIFY(QDir().mkpath(beside));
        const DataFolder::Choice choice = DataFolder::choose(beside, beside, m_user);
        QCOMPARE(choice.base, path(QStringLiteral("bin")));
        QVERIFY(choice.error.isEmpty());
        QVERIFY(!QFileInfo::exists(m_user));
    }

    void firstStartCopiesTheFactoryTreeWithWritableFiles() {
        const QStringList factoryTree = treeOf(m_factory);
        for (const QString &entry : factoryTree)
            QFile::setPermissions(m_factory + QLatin1Char('/') + entry,
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther);

        const DataFolder::Choice choice =
            DataFolder::choose(path(QStringLiteral("usr/bin/modules")), m_factory, m_user);
        QVERIFY2(choice.error.isEmpty(), qPrintable(choice.error));
        QCOMPARE(choice.base, m_user);
        const QString modules = m_user + QStringLiteral("/modules");
        QCOMPARE(treeOf(modules), factoryTree); // the empty macro/ folder too
        QCOMPARE(readFile(modules + QStringLiteral("/setting/p1.bin")), QByteArray("p1"));
        QVERIFY(QFileInfo(modules + QStringLiteral("/setting/p1.bin")).permissions() &
                QFile::WriteOwner);
    }

    void laterStartsAddOnlyWhatIsMissing() {
        const QString modules = m_user + QStringLiteral("/modules");
        QVERIFY(DataFolder::choose({}, m_factory, m_user).error.isEmpty());
        QVERIFY(writeFile(modules + QStringLiteral("/setting/p1.bin"), "changed by the user"));
        QVERIFY(QFile::remove(modules + QStringLiteral("/img/skin1/bg.png")));
        QVERIFY(writeFile(m_factory + QStringLiteral("/setting/p2.bin"), "new in an update"));

        QVERIFY(DataFolder::choose({}, m_factory, m_user).error.isEmpty());
        QCOMPARE(readFile(modules + QStringLiteral("/setting/p1.bin")),
                 QByteArray("changed by the user"));
        QCOMPARE(readFile(modules + QStringLiteral("/img/skin1/bg.png")), QByteArray("png"));
        QCOMPARE(readFile(modules + QStringLiteral("/setting/p2.bin")),
                 QByteArray("new in an update"));
        QCOMPARE(readFile(m_factory + QStringLiteral("/setting/p1.bin")), QByteArray("p1"));
    }

    void problemsAreNamedAndTheUserFolderStaysChosen() {
        DataFolder::Choice choice =
            DataFolder::choose({}, path(QStringLiteral("nowhere/modules")), m_user);
        QCOMPARE(choice.base, m_user);
        QVERIFY2(choice.error.contains(path(QStringLiteral("nowhere/modules"))),
                 qPrintable(choice.error));

        // A file where the user's folder should be.
        QVERIFY(writeFile(m_user, "not a folder"));
        choice = DataFolder::choose({}, m_factory, m_user);
        QVERIFY2(choice.error.contains(m_user), qPrintable(choice.error));
        QCOMPARE(readFile(m_user), QByteArray("not a folder"));
    }

    void userFolderFollowsXdgDataHome() {
        const QByteArray home = qgetenv("HOME");
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("HOME", path(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
        const QString chosen = DataFolder::userBase();
        qputenv("XDG_DATA_HOME", "relative/data"); // the XDG rules say to ignore it
        const QString ignoringRelative = DataFolder::userBase();
        qputenv("HOME", home);
        qputenv("XDG_DATA_HOME", dataHome);
        if (dataHome.isNull())
            qunsetenv("XDG_DATA_HOME");

        QCOMPARE(chosen, path(QStringLiteral("data/q7config")));
        QCOMPARE(ignoringRelative, path(QStringLiteral("home/.local/share/q7config")));
    }
};

QTEST_GUILESS_MAIN(DataFolderTest)
#include "tst_datafolder.moc"
