#include "KernelWindow.h"

#include "NoticeChannel.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>

namespace {

constexpr int StartTimeoutMs = 30000;
constexpr int PingTimeoutMs = 10000;
constexpr int StepMs = 100;
constexpr int PingEveryMs = 250;
// What the window says to each ping; kept out of the output the scenarios read.
const QString PingAnswer = QStringLiteral("Another start of the program asked for this window.\n");
// Where the sensor page's button and that page's Apply sit in the 1000 x 600 window.
constexpr int SensorButtonX = 80, SensorButtonY = 348;
constexpr int ApplyX = 894, ApplyY = 390;
constexpr int ApplyRounds = 20;

// Helpers of the display run without umockdev: they have no devices to see.
QProcessEnvironment plainEnvironment(const QString &display) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    env.remove(QStringLiteral("UMOCKDEV_DIR"));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    return env;
}

} // namespace

KernelWindow::KernelWindow(const KernelRig &rig, KernelRig::Access access,
                           const QString &loggingRules)
    : m_rig(rig) {
    m_xserver.setProcessEnvironment(plainEnvironment({}));
    m_xserver.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1280x800x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QDeadlineTimer deadline(StartTimeoutMs);
    while (!m_xserver.canReadLine() && !deadline.hasExpired() &&
           m_xserver.state() != QProcess::NotRunning)
        m_xserver.waitForReadyRead(StepMs);
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xserver.readLine()).trimmed();

    QProcessEnvironment env = rig.environment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (!loggingRules.isEmpty())
        env.insert(QStringLiteral("QT_LOGGING_RULES"), loggingRules);
    m_program.setProcessEnvironment(env);
    m_program.setProcessChannelMode(QProcess::MergedChannels);
    rig.start(m_program, QStringLiteral("q7config"), {}, access);
    m_program.waitForStarted();
}

KernelWindow::~KernelWindow() {
    end();
}

void KernelWindow::end() {
    if (m_program.state() != QProcess::NotRunning) {
        m_program.terminate();
        if (!m_program.waitForFinished(5000)) {
            m_program.kill();
            m_program.waitForFinished();
        }
    }
    collect();
    if (m_xserver.state() != QProcess::NotRunning) {
        m_xserver.terminate();
        m_xserver.waitForFinished();
    }
}

void KernelWindow::collect() {
    m_output += QString::fromUtf8(m_program.readAll());
    m_output.remove(PingAnswer);
}

void KernelWindow::ping() {
    if (!isRunning() || (m_sincePing.isValid() && m_sincePing.elapsed() < PingEveryMs))
        return;
    m_sincePing.start();
    QLocalSocket socket;
    socket.connectToServer(NoticeChannel::serverNameFor(QLatin1String(Title)));
    if (!socket.waitForConnected(StepMs))
        return; // not listening yet, or gone
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << NoticeChannel::RaiseCode << quint32(0) << QByteArray();
    QElapsedTimer timer;
    timer.start();
    socket.write(message);
    socket.waitForBytesWritten(PingTimeoutMs);
    // The window lets go of the connection once its GUI thread has read the message.
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(PingTimeoutMs);
    m_slowestMs = std::max(m_slowestMs, int(timer.elapsed()));
}

bool KernelWindow::waitFor(const QRegularExpression &line, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        collect();
        if (line.match(m_output).hasMatch())
            return true;
        if (deadline.hasExpired() || !isRunning()) {
            noteEnd();
            return false;
        }
        ping();
        m_program.waitForReadyRead(StepMs);
    }
}

void KernelWindow::noteEnd() {
    if (isRunning() || m_endNoted)
        return;
    m_endNoted = true;
    // A crash prints nothing of its own: the output a failing scenario shows must say so.
    m_output +=
        m_program.exitStatus() == QProcess::CrashExit
            ? QStringLiteral("[q7config ended by signal %1]\n").arg(m_program.exitCode())
            : QStringLiteral("[q7config exited with status %1]\n").arg(m_program.exitCode());
}

bool KernelWindow::waitFor(const QString &text, int timeoutMs) {
    return waitFor(QRegularExpression(QRegularExpression::escape(text)), timeoutMs);
}

void KernelWindow::idle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        ping();
        m_program.waitForReadyRead(StepMs);
        collect();
    }
}

QString KernelWindow::xdotool(const QStringList &args) const {
    QProcess process;
    process.setProcessEnvironment(plainEnvironment(m_display));
    process.start(QStringLiteral("xdotool"), args);
    if (!process.waitForFinished(StartTimeoutMs) || process.exitCode() != 0)
        return {};
    const QString out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return out.isNull() ? QStringLiteral("") : out;
}

bool KernelWindow::click(int x, int y) const {
    const QString window =
        xdotool({"search", "--onlyvisible", "--name", QLatin1String(Title)}).section('\n', 0, 0);
    if (window.isEmpty())
        return false;
    const QString geometry = xdotool({"getwindowgeometry", "--shell", window});
    const auto value = [&geometry](const char *name) {
        const QRegularExpression line(QStringLiteral("^%1=(-?\\d+)$").arg(QLatin1String(name)),
                                      QRegularExpression::MultilineOption);
        return line.match(geometry).captured(1).toInt();
    };
    return !xdotool({"mousemove", "--sync", QString::number(value("X") + x),
                     QString::number(value("Y") + y), "click", "1"})
                .isNull();
}

bool KernelWindow::applySensorPage(const QString &mouse) {
    const auto frames = [this, &mouse] {
        return reportsOfKind(m_rig.traffic(mouse), QStringLiteral("feature_out")).size();
    };
    const qsizetype before = frames();
    for (int round = 0; round < ApplyRounds && isRunning(); ++round) {
        click(SensorButtonX, SensorButtonY);
        idle(300); // the page slides in
        click(ApplyX, ApplyY);
        idle(700);
        if (frames() > before)
            return true;
    }
    return false;
}

int KernelWindow::visibleWindows() const {
    const QString found = xdotool({"search", "--onlyvisible", "--name", QLatin1String(Title)});
    return found.isEmpty() ? 0 : int(found.count(QLatin1Char('\n'))) + 1;
}

bool KernelWindow::pressReturn() {
    return !xdotool({"key", "Return"}).isNull();
}
