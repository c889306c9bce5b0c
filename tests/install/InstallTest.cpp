// cmake --install into a temporary root, then the installed programs as a user runs them.
#include "InstalledProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class InstallTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_prefix;
    QString m_factory;
    QMap<QString, QByteArray> m_installed;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString installed(const QString &relative) const {
        return m_prefix + QLatin1Char('/') + relative;
    }
    QString userModules(const QString &home) const {
        return path(home) + QStringLiteral("/.local/share/q7config/modules");
    }
    InstalledProgram program() const { return {m_prefix, path(QStringLiteral("scratch"))}; }
    // The global settings as q7ctl prints them for the user with that home folder.
    InstalledProgram::Run loadApConfig(const char *home) const {
        return program().q7ctl(path(QLatin1String(home)),
                               {QStringLiteral("call"), QStringLiteral("loadApConfig")});
    }
    QByteArray usersApConfig() const {
        return InstalledProgram::snapshot(userModules(QStringLiteral("home1")))
            .value(QStringLiteral("setting/apConfig.bin"));
    }

    static void setWritable(const QString &dir, bool writable) {
        QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QStringList entries{dir};
        while (it.hasNext())
            entries << it.next();
        for (const QString &entry : entries) {
            const auto mode = QFile::permissions(entry);
            QFile::setPermissions(entry, writable
                                             ? mode | QFile::WriteOwner
                                             : mode & ~(QFile::WriteOwner | QFile::WriteUser |
                                                        QFile::WriteGroup | QFile::WriteOther));
        }
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(path(QStringLiteral("scratch"))));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), path(QStringLiteral("root")));
        const InstalledProgram::Run install =
            InstalledProgram::run(QStringLiteral(CMAKE_COMMAND),
                                  {QStringLiteral("--install"), QStringLiteral(Q7_BUILD_DIR),
                                   QStringLiteral("--prefix"), QStringLiteral("/usr")},
                                  env);
        QVERIFY2(install.exitCode == 0, qPrintable(install.out + install.err));
        m_prefix = path(QStringLiteral("root/usr"));
        m_factory = installed(QStringLiteral("share/q7config/modules"));
        setWritable(m_factory, false);
        m_installed = InstalledProgram::snapshot(path(QStringLiteral("root")));
    }
    void cleanupTestCase() { setWritable(m_factory, true); }

    void installsEachPieceWhereTheProgramLooks() {
        const QString id = QStringLiteral(Q7_APP_ID);
        for (const QString &piece :
             {QStringLiteral("lib/q7config/libq7-virtual-mouse.so"),
              QStringLiteral("lib/q7config/libq7sound.so"),
              QStringLiteral("share/q7config/modules/setting/apConfig.bin"),
              QStringLiteral("share/q7config/modules/media/01.wav"),
              QStringLiteral("lib/udev/rules.d/70-q7-mouse.rules"),
              QStringLiteral("share/applications/") + id + QStringLiteral(".desktop"),
              QStringLiteral("share/metainfo/") + id + QStringLiteral(".metainfo.xml"),
              QStringLiteral("share/icons/hicolor/scalable/apps/") + id + QStringLiteral(".svg"),
              QStringLiteral("share/man/man1/q7ctl.1.gz"),
              QStringLiteral("share/man/man1/q7config.1.gz")})
            QVERIFY2(QFileInfo::exists(installed(piece)), qPrintable(piece));
        // Only what ships: no test programs.
        QCOMPARE(QDir(installed(QStringLiteral("bin"))).entryList(QDir::Files),
                 (QStringList{QStringLiteral("q7config"), QStringLiteral("q7ctl")}));
    }

    void firstStartCreatesTheUsersFolderFromTheFactoryData() {
        QString output, name;
        QVERIFY2(program().startWindow(path(QStringLiteral("home1")), &output, &name),
                 qPrintable(output));
        // --virtual starts the program again with the library preloaded, under its own name.
        QCOMPARE(name, QStringLiteral("q7config"));
        QCOMPARE(InstalledProgram::snapshot(userModules(QStringLiteral("home1"))),
                 InstalledProgram::snapshot(m_factory));
    }

    void aWrittenSettingLandsInTheUsersFolderOnly() {
        // The global settings as the page saves them, with the custom link changed.
        const InstalledProgram::Run loaded = loadApConfig("home1");
        QJsonArray items = QJsonDocument::fromJson(loaded.out.toUtf8()).array();
        QVERIFY2(items.size() > 1 && items.last() == QStringLiteral("https://example.com/q7"),
                 qPrintable(loaded.out));
        items[items.size() - 1] = QStringLiteral("https://example.com/changed");
        const InstalledProgram::Run saved = program().q7ctl(
            path(QStringLiteral("home1")),
            {QStringLiteral("call"), QStringLiteral("saveApConfig"),
             QString::fromUtf8(QJsonDocument(items).toJson(QJsonDocument::Compact))});
        QVERIFY2(saved.exitCode == 0, qPrintable(saved.err));
        QVERIFY(usersApConfig().contains("https://example.com/changed"));
        // Nothing under the prefix changed or appeared (no modules/ beside the program either).
        QCOMPARE(InstalledProgram::snapshot(path(QStringLiteral("root"))), m_installed);
    }

    void secondStartKeepsTheUsersChangedFile() {
        const QByteArray before = usersApConfig();
        QString output;
        QVERIFY2(program().startWindow(path(QStringLiteral("home1")), &output), qPrintable(output));
        QCOMPARE(usersApConfig(), before);
        const InstalledProgram::Run loaded = loadApConfig("home1");
        QVERIFY2(loaded.out.contains(QStringLiteral("\"https://example.com/changed\"]")),
                 qPrintable(loaded.out));
    }

    void anotherUserStartsFromTheFactoryData() {
        const InstalledProgram::Run loaded = loadApConfig("home2");
        QCOMPARE(loaded.exitCode, 0);
        QVERIFY2(loaded.out.contains(QStringLiteral("\"https://example.com/q7\"]")),
                 qPrintable(loaded.out));
    }

    void helpListsWhatTheManualPageLists_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("q7ctl") << QStringLiteral("q7ctl");
        QTest::newRow("q7config") << QStringLiteral("q7config");
    }
    void helpListsWhatTheManualPageLists() {
        QFETCH(QString, name);
        const InstalledProgram::Run help = InstalledProgram::run(
            installed(QStringLiteral("bin/") + name), {QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith(QStringLiteral("usage: ") + name), qPrintable(help.out));
        const InstalledProgram::Run page = InstalledProgram::run(
            QStringLiteral("gzip"),
            {QStringLiteral("-dc"), installed(QStringLiteral("share/man/man1/%1.1.gz").arg(name))});
        QCOMPARE(page.exitCode, 0);
        static const QRegularExpression option(QStringLiteral(R"(^\\fB\\-\\-([a-z]+)\\fR$)"),
                                               QRegularExpression::MultilineOption);
        int options = 0;
        for (auto it = option.globalMatch(page.out); it.hasNext(); ++options) {
            const QString flag = QStringLiteral("--") + it.next().captured(1);
            QVERIFY2(help.out.contains(flag), qPrintable(flag));
        }
        QVERIFY(options >= 2);
    }

    void desktopEntryAndMetadataValidate() {
        const QString id = QStringLiteral(Q7_APP_ID);
        const QString desktop =
            installed(QStringLiteral("share/applications/") + id + QStringLiteral(".desktop"));
        const QString metainfo =
            installed(QStringLiteral("share/metainfo/") + id + QStringLiteral(".metainfo.xml"));
        InstalledProgram::Run check =
            InstalledProgram::run(QStringLiteral("desktop-file-validate"), {desktop});
        QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
        check = InstalledProgram::run(QStringLiteral("appstreamcli"),
                                      {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                       QStringLiteral("--explain"), metainfo});
        QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));

        QFile entry(desktop);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        const QRegularExpression icon(QStringLiteral("^Icon=(.+)$"),
                                      QRegularExpression::MultilineOption);
        const QString iconName = icon.match(QString::fromUtf8(text)).captured(1);
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/scalable/apps/") +
                                            iconName + QStringLiteral(".svg"))));
        QFile software(metainfo);
        QVERIFY(software.open(QIODevice::ReadOnly));
        QVERIFY(software.readAll().contains("<modalias>usb:v04D9pA09F*</modalias>"));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "InstallTest.moc"
