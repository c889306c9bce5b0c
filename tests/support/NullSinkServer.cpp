#include "NullSinkServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr char SinkName[] = "q7null";
constexpr int StartTimeoutMs = 15000;
constexpr int BytesPerSample = 2;
// The monitor may take a while to deliver its first samples.
constexpr int StallMs = 5000;
} // namespace

NullSinkServer::~NullSinkServer() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished();
    }
}

QString NullSinkServer::address() const {
    return QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native"));
}

bool NullSinkServer::start(QString *error) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty()) {
        *error = QStringLiteral("pulseaudio or parec is not installed (Debian packages "
                                "pulseaudio, pulseaudio-utils)");
        return false;
    }
    if (!m_dir.isValid()) {
        *error = QStringLiteral("no temporary folder for the sound server");
        return false;
    }
    // Its state, cookie and runtime files stay in the private folder. Run as root (CI) it warns
    // and goes on; without a default script it loads only the sink and an open socket.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    env.remove(QStringLiteral("PULSE_SERVER"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.start(program,
                   {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("-n"), QStringLiteral("--use-pid-file=no"),
                    QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                    QStringLiteral("module-null-sink sink_name=%1").arg(QLatin1String(SinkName)),
                    QStringLiteral("-L"),
                    QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1")
                        .arg(m_dir.filePath(QStringLiteral("native")))});
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!QFileInfo::exists(m_dir.filePath(QStringLiteral("native")))) {
        if (m_server.state() == QProcess::NotRunning || deadline.hasExpired()) {
            *error = QStringLiteral("pulseaudio did not start: ") +
                     QString::fromLocal8Bit(m_server.readAll()).trimmed();
            return false;
        }
        m_server.waitForReadyRead(50);
    }
    // The socket's file is there once bound, which may be before the server answers on it.
    while (!answers()) {
        if (m_server.state() == QProcess::NotRunning || deadline.hasExpired()) {
            *error = QStringLiteral("pulseaudio does not answer on its socket: ") +
                     QString::fromLocal8Bit(m_server.readAll()).trimmed();
            return false;
        }
        m_server.waitForReadyRead(50);
    }
    qputenv("PULSE_SERVER", address().toLocal8Bit());
    return true;
}

bool NullSinkServer::answers() const {
    QProcess info;
    info.start(QStringLiteral("pactl"),
               {QStringLiteral("--server=") + address(), QStringLiteral("info")});
    return info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit &&
           info.exitCode() == 0;
}

NullSinkServer::Recording::Recording(const NullSinkServer &server) {
    m_process.start(QStringLiteral("parec"),
                    {QStringLiteral("--server=") + server.address(),
                     QStringLiteral("--device=%1.monitor").arg(QLatin1String(SinkName)),
                     QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(SampleRate),
                     QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20"),
                     QStringLiteral("--raw")});
    m_process.waitForStarted();
}

NullSinkServer::Recording::~Recording() {
    m_process.kill();
    m_process.waitForFinished();
}

int NullSinkServer::Recording::position() {
    m_samples += m_process.readAllStandardOutput();
    return int(qint64(m_samples.size()) / BytesPerSample * 1000 / SampleRate);
}

bool NullSinkServer::Recording::reach(int ms) {
    const QDeadlineTimer deadline(ms - position() + StallMs);
    while (position() < ms) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

int NullSinkServer::Recording::loudest(int fromMs, int toMs) const {
    const qsizetype first = qsizetype(fromMs) * SampleRate / 1000;
    const qsizetype last =
        std::min(qsizetype(toMs) * SampleRate / 1000, m_samples.size() / BytesPerSample);
    int peak = 0;
    for (qsizetype i = first; i < last; ++i) {
        const auto lo = uchar(m_samples[BytesPerSample * i]);
        const auto hi = uchar(m_samples[BytesPerSample * i + 1]);
        peak = std::max(peak, std::abs(int(qint16(lo | hi << 8))));
    }
    return peak;
}
