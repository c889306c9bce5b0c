// q7config on a virtual X display against the virtual mouse: keys and a click sent with xdotool
// into its window come out as the q7.input lines of what reaches the scene.
#include "TreeCopy.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr int StartTimeoutMs = 30000;
} // namespace

class InputCaptureE2ETest : public QObject {
    Q_OBJECT

    QTemporaryDir m_install;
    QProcess m_xserver;
    QString m_display;

    // Runs xdotool on the display: its standard output, a null string on failure.
    QString xdotool(const QStringList &args) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("xdotool"), args);
        if (!process.waitForFinished(StartTimeoutMs) || process.exitCode() != 0) {
            qWarning() << "xdotool" << args << "failed:" << process.readAllStandardError();
            process.kill();
            return {};
        }
        const QString out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        return out.isNull() ? QStringLiteral("") : out;
    }

private slots:
    void initTestCase() {
        for (const char *tool : {"Xvfb", "xdotool"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 is missing: ./dev installs it (packages xvfb, "
                                                "xdotool)")
                                     .arg(QLatin1String(tool))));
        }
        QVERIFY(QFile::copy(QStringLiteral(Q7CONFIG_PATH), m_install.filePath("q7config")));
        QVERIFY(copyFreshModules(QStringLiteral(Q7_MODULES_DIR), QStringLiteral(Q7_MODULES_SOURCE),
                                 m_install.filePath("modules")));

        // Xvfb picks a free display and writes its number to standard output.
        m_xserver.start(QStringLiteral("Xvfb"),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"),
                         QStringLiteral("-screen"), QStringLiteral("0"),
                         QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp")});
        QVERIFY(m_xserver.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(m_xserver.canReadLine(), StartTimeoutMs);
        m_display = QLatin1Char(':') + QString::fromLatin1(m_xserver.readLine()).trimmed();
    }

    void cleanupTestCase() {
        m_xserver.terminate();
        m_xserver.waitForFinished();
    }

    void keysAndClickReachTheScene() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("q7.input.debug=true"));
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VIRTUAL_MOUSE_PATH));
        env.insert(QStringLiteral("Q7_VIRTUAL_STATE"), m_install.filePath("mouse.state"));
        // Where this user may read /dev/input, keys would come from there, not from xdotool.
        env.insert(QStringLiteral("Q7_GLOBAL_CAPTURE"), QStringLiteral("0"));
        env.remove(QStringLiteral("Q7_VIRTUAL_FAULT"));
        // A runtime folder of its own: another window of this user would be raised instead.
        const QString runtime = m_install.filePath("runtime");
        QVERIFY(QDir().mkpath(runtime));
        QVERIFY(
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(m_install.filePath("q7config"));
        QVERIFY(program.waitForStarted());
        const auto stop = qScopeGuard([&program] {
            program.kill();
            program.waitForFinished();
        });

        const QString window =
            xdotool({"search", "--sync", "--onlyvisible", "--name", "Q7 Gaming Mouse"})
                .section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(!window.isEmpty(), qPrintable(QString::fromUtf8(program.readAll())));
        QVERIFY(!xdotool({"windowfocus", "--sync", window}).isNull());
        QVERIFY(!xdotool({"key", "a", "KP_Enter", "Return", "Pause", "Num_Lock", "backslash"})
                     .isNull());

        // A click in the middle of the window, at a screen position of our choosing.
        const QString geometry = xdotool({"getwindowgeometry", "--shell", window});
        auto value = [&geometry](const char *name) {
            const QRegularExpression line(QStringLiteral("^%1=(-?\\d+)$").arg(QLatin1String(name)),
                                          QRegularExpression::MultilineOption);
            return line.match(geometry).captured(1).toInt();
        };
        const int x = value("X") + value("WIDTH") / 2;
        const int y = value("Y") + value("HEIGHT") / 2;
        QVERIFY(
            !xdotool({"mousemove", "--sync", QString::number(x), QString::number(y), "click", "1"})
                 .isNull());

        QString output;
        const QRegularExpression report(QStringLiteral("^q7\\.input: ((key|button) .*)$"),
                                        QRegularExpression::MultilineOption);
        QStringList reports;
        const QString click = QStringLiteral("button 0xf0 up %1,%2").arg(x).arg(y);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                output += QString::fromUtf8(program.readAll());
                reports.clear();
                for (const auto &match : report.globalMatch(output))
                    reports.append(match.captured(1));
                return reports.contains(click);
            }(),
            StartTimeoutMs);
        QCOMPARE(reports,
                 (QStringList{"key 0x04 down", "key 0x04 up", "key 0x58 down", "key 0x58 up",
                              "key 0x28 down", "key 0x28 up", "key 0x48 down", "key 0x48 up",
                              "key 0x53 down", "key 0x53 up", "key 0x31 down", "key 0x31 up",
                              QStringLiteral("button 0xf0 down %1,%2").arg(x).arg(y), click}));
    }
};

QTEST_MAIN(InputCaptureE2ETest)
#include "InputCaptureE2ETest.moc"
