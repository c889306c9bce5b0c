#include "Hid_Thread.h"

#include "HidTransport.h"
#include "InstallLayout.h"
#include "LinkState.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSettings>
#include <QThreadPool>
#include <QtConcurrent>

#include <hidapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr unsigned SearchedRecord = 1; // only the mouse is ever searched for
constexpr char DefaultCode[] = "274951";
constexpr char DemoAccessCode[] = "m-vorkel";

// Runs its function when the scope ends, however the exchange ends.
template <typename F> struct ScopeExit {
    F run;
    ~ScopeExit() { run(); }
};
template <typename F> ScopeExit(F) -> ScopeExit<F>;

} // namespace

Hid_Thread::Hid_Thread() : QThread(nullptr) {
    HidTransport::init();
}

Hid_Thread::~Hid_Thread() {
    stopWatch();
    waitForSend();
    closeCommandInterface();
    closeEventInterface();
}

DeviceEntry Hid_Thread::entry(unsigned index) const {
    QMutexLocker lock(&m_devicesMutex);
    if (index < unsigned(m_devices.size()))
        return m_devices.at(index);
    return {};
}

QList<DeviceEntry> Hid_Thread::devices() const {
    QMutexLocker lock(&m_devicesMutex);
    return m_devices;
}

void Hid_Thread::forgetPath(int index, Interface which) {
    QMutexLocker lock(&m_devicesMutex);
    if (index < 0 || index >= m_devices.size())
        return;
    DeviceEntry &e = m_devices[index];
    (which == Interface::Command ? e.commandPath : e.eventPath).clear();
}

// ---- selection ------------------------------------------------------------------------------

void Hid_Thread::swichCurDevice(unsigned int did) {
    const bool changed = m_did.exchange(did) != did;
    // Checked before the watcher starts: its failing open would hide why the device is absent.
    chkDeviceIsEnCode();
    // A watcher that has ended (device gone) is started again, so the ready report keeps
    // shortening the settle pause after a re-plug.
    if (changed || !isWatching())
        startWatch(did);
}

uchar Hid_Thread::hidCS(uchar *cmd) {
    return FrameCodec::checksum(cmd);
}

void Hid_Thread::USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode) {
    FrameCodec::SecrecyCode code;
    std::copy_n(SecrecyCode, code.size(), code.begin());
    FrameCodec::scramble(FIFOBuf, code);
}

void Hid_Thread::USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode) {
    FrameCodec::SecrecyCode code;
    std::copy_n(SecrecyCode, code.size(), code.begin());
    FrameCodec::descramble(FIFOBuf, code);
}

QString Hid_Thread::configuredCode(unsigned index) const {
    if (index > 1)
        return {};
    const QString key = QStringLiteral("common/sCode%1").arg(index);
    QSettings *settings = m_settings ? m_settings() : nullptr;
    if (!settings)
        return QString::fromLatin1(DefaultCode);
    return settings->value(key, QString::fromLatin1(DefaultCode)).toString();
}

QString Hid_Thread::permissionText(const DeviceEntry &e) {
    return QStringLiteral("%1 is plugged in, but this user may not open it (%2: permission "
                          "denied).\n%3")
        .arg(e.productName, e.commandPath, InstallLayout().permissionAdvice());
}

void Hid_Thread::chkDeviceIsEnCode() {
    LinkState &state = LinkState::instance();
    const unsigned did = m_did.load();
    const QString code = configuredCode(did);
    state.setSecrecyCode(code);

    DeviceEntry e = entry(did);
    QString permissionProblem;
    if (e.isPresent()) {
        // Listed is not enough: a node this user cannot open would fail every exchange silently.
        bool denied = false;
        hid_device *probe = HidTransport::open(e.commandPath, &denied);
        if (probe)
            HidTransport::close(probe);
        else if (denied)
            permissionProblem = permissionText(e);
        if (!probe && permissionProblem.isEmpty())
            e.commandPath.clear();
    }
    if (e.isPresent() && permissionProblem.isEmpty()) {
        qDebug("Device Connect");
        state.connected = true;
        return;
    }

    qDebug("Device Error");
    state.connected = false;
    if (code == QLatin1String(DemoAccessCode)) {
        state.demoMode = true;
        state.connected = true;
        state.scrambling = false;
        return;
    }
    const QString title = m_title ? m_title() : QString();
    if (!permissionProblem.isEmpty())
        UserPrompt::current().warning(title, permissionProblem);
    else
        UserPrompt::current().warning(title,
                                      QStringLiteral("Can not detect %1 !").arg(e.productName));
    emit deviceAbsent();
}

// ---- scanning -------------------------------------------------------------------------------

void Hid_Thread::scanDevices(const DeviceTable &table) {
    QList<DeviceEntry> list;
    for (int i = 0; i < table.size(); ++i)
        list.append({i, table[i].productName, table[i].type, {}, {}, 0});

    if (unsigned(table.size()) > SearchedRecord) {
        const DeviceRecord &r = table[SearchedRecord];
        QString commandPath, eventPath;
        QStringList found; // each complete pair of interfaces, in the order listed
        // hidapi lists one entry per collection, so one path may appear more than once.
        for (const HidTransport::Collection &d : HidTransport::list(r.vid, r.pid)) {
            if (d.usagePage == r.usagePage && d.usage == r.usage)
                commandPath = d.path;
            if (d.usagePage == r.usagePage2 && d.usage == r.usage2)
                eventPath = d.path;
            if (!commandPath.isEmpty() && !eventPath.isEmpty()) {
                list[SearchedRecord] = {int(SearchedRecord), r.productName, r.type,
                                        commandPath,         eventPath,     r.reportLength};
                found.append(commandPath + QStringLiteral(" and ") + eventPath);
                // With two mice plugged in, one's command interface never pairs with the
                // other's event interface: the next pair starts afresh.
                commandPath.clear();
                eventPath.clear();
            }
        }
        if (found.size() > 1)
            qWarning("%lld %s devices are plugged in; using the one at %s.",
                     static_cast<long long>(found.size()), qUtf8Printable(r.productName),
                     qUtf8Printable(found.last()));
    }
    QMutexLocker lock(&m_devicesMutex);
    m_devices = list;
}

// ---- interfaces -----------------------------------------------------------------------------

hid_device *Hid_Thread::openInterface(int index, Interface which) {
    const DeviceEntry e = entry(unsigned(index));
    const QString &path = which == Interface::Command ? e.commandPath : e.eventPath;
    hid_device *&handle = which == Interface::Command ? m_commandHandle : m_eventHandle;
    if (path.isEmpty())
        return nullptr;
    closeInterface(handle);
    handle = HidTransport::open(path);
    if (!handle) {
        // Absent until the next scan finds it again.
        forgetPath(index, which);
        return nullptr;
    }
    return handle;
}

void Hid_Thread::closeInterface(hid_device *&handle) {
    HidTransport::close(handle);
    handle = nullptr;
}

hid_device *Hid_Thread::openCommandInterface(int index) {
    return openInterface(index, Interface::Command);
}

hid_device *Hid_Thread::openEventInterface(int index) {
    return openInterface(index, Interface::Event);
}

void Hid_Thread::closeCommandInterface() {
    closeInterface(m_commandHandle);
}

void Hid_Thread::closeEventInterface() {
    closeInterface(m_eventHandle);
}

// ---- exchanges ------------------------------------------------------------------------------

bool Hid_Thread::claimLink() {
    for (int round = 0; round < ClaimRounds; ++round) {
        bool expected = true;
        if (m_linkFree.compare_exchange_strong(expected, false))
            return true;
        QThread::msleep(ClaimWaitMs);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
    return false;
}

void Hid_Thread::settlePause() {
    m_deviceReady->store(false);
    QThread::msleep(SettleStepMs);
    if (m_deviceReady->load())
        return;
    m_deviceReady->store(true);
    QThread::msleep(SettleStepMs);
}

void Hid_Thread::lose() {
    m_sent.forget();
    m_deviceLost = true;
}

bool Hid_Thread::fail(ExchangeFailure::Cause cause) {
    if (cause == ExchangeFailure::Cause::DeviceGone)
        lose();
    QMutexLocker lock(&m_failuresMutex);
    m_failures.append({m_exchangeCode.load(), cause});
    return false;
}

ExchangeFailure::Cause Hid_Thread::causeOfError(const QString &path,
                                                ExchangeFailure::Cause otherwise) {
    hid_device *probe = HidTransport::open(path);
    if (!probe)
        return ExchangeFailure::Cause::DeviceGone;
    HidTransport::close(probe);
    return otherwise;
}

QList<ExchangeFailure> Hid_Thread::takeFailures() {
    QMutexLocker lock(&m_failuresMutex);
    return std::exchange(m_failures, {});
}

std::optional<DeviceEntry> Hid_Thread::openAndSendFrame() {
    using Cause = ExchangeFailure::Cause;
    const LinkState &state = LinkState::instance();
    const unsigned did = m_did.load();
    // One snapshot per exchange: a scan may replace the list meanwhile.
    const DeviceEntry device = entry(did);
    if (state.demoMode.load())
        return std::nullopt;
    if (!openCommandInterface(int(did))) {
        fail(Cause::DeviceGone);
        return std::nullopt;
    }
    FrameCodec::Frame &frame = m_frames.command;
    if (state.scrambling.load())
        FrameCodec::scramble(&frame[FrameCodec::ScrambledOffset], state.secrecyCode());
    if (HidTransport::transfer(HidTransport::Kind::FeatureOut, m_commandHandle, frame.data(),
                               frame.size()) < 0) {
        fail(causeOfError(device.commandPath, Cause::WriteFailed));
        return std::nullopt;
    }
    return device;
}

bool Hid_Thread::sendFrame(int n, bool pause) {
    ScopeExit done{[this] {
        closeCommandInterface();
        releaseLink();
    }};
    const std::optional<DeviceEntry> device = openAndSendFrame();
    if (!device)
        return false;
    if (pause)
        settlePause();
    if (n <= 0)
        return n == 0;

    using Cause = ExchangeFailure::Cause;
    const int length = device->reportLength;
    if (length <= 0 || n > BulkAreaSize)
        return fail(Cause::WriteFailed);
    const int chunk = std::min(n, length);
    QByteArray report(length + 1, '\0');
    auto *buffer = reinterpret_cast<uint8_t *>(report.data());
    for (int offset = 0; offset < n; offset += chunk) {
        report.fill('\0');
        std::memcpy(buffer + 1, m_frames.bulk.data() + offset, std::min(chunk, n - offset));
        if (HidTransport::transfer(HidTransport::Kind::Output, m_commandHandle, buffer,
                                   report.size()) < 0)
            return fail(causeOfError(device->commandPath, Cause::WriteFailed));
        QThread::msleep(ReportSpacingMs);
    }
    if (pause)
        settlePause();
    return true;
}

bool Hid_Thread::receiveFrame(int n) {
    ScopeExit done{[this] {
        closeCommandInterface();
        releaseLink();
    }};
    const std::optional<DeviceEntry> device = openAndSendFrame();
    if (!device)
        return false;
    FrameCodec::Frame &answer = m_frames.answer;
    // The read lands in a scratch frame so that a failed read leaves the preset untouched.
    using Cause = ExchangeFailure::Cause;
    FrameCodec::Frame received{};
    if (HidTransport::transfer(HidTransport::Kind::FeatureIn, m_commandHandle, received.data(),
                               received.size()) < 0)
        return fail(causeOfError(device->commandPath, Cause::NoAnswer));
    answer = received;
    if (n == 0) {
        const LinkState &state = LinkState::instance();
        if (state.scrambling.load())
            FrameCodec::descramble(&answer[FrameCodec::ScrambledOffset], state.secrecyCode());
        return true;
    }

    const int length = device->reportLength;
    if (n < 0 || length <= 0 || n > BulkAreaSize)
        return fail(Cause::NoAnswer);
    const int chunk = std::min(n, length);
    QByteArray report(length + 1, '\0');
    auto *buffer = reinterpret_cast<uint8_t *>(report.data());
    // Reports land in a scratch area: a get that fails half-way keeps its whole preset.
    std::array<uint8_t, BulkAreaSize> receivedBulk = m_frames.bulk;
    for (int offset = 0; offset < n; offset += chunk) {
        report.fill('\0');
        // Bounded: a device that stops sending fails the get instead of freezing the window.
        if (HidTransport::transfer(HidTransport::Kind::Input, m_commandHandle, buffer,
                                   report.size(), BulkReadTimeoutMs) <= 0)
            return fail(causeOfError(device->commandPath, Cause::NoAnswer));
        std::memcpy(receivedBulk.data() + offset, buffer, std::min(chunk, n - offset));
    }
    m_frames.bulk = receivedBulk;
    return true;
}

void Hid_Thread::startSend(int n, bool pause) {
    m_lastSend =
        QtConcurrent::run(QThreadPool::globalInstance(), [this, n, pause] { sendFrame(n, pause); });
}

void Hid_Thread::waitForSend() {
    m_lastSend.waitForFinished();
}

// ---- event watcher --------------------------------------------------------------------------

void Hid_Thread::startWatch(unsigned index) {
    stopWatch();
    const QString path = entry(index).eventPath;
    if (path.isEmpty())
        return;
    // Absent until the next scan finds it again.
    m_watcher = std::make_unique<EventWatcher>(path, m_deviceReady, [this, index] {
        forgetPath(int(index), Interface::Event);
        lose();
    });
}

void Hid_Thread::stopWatch() {
    m_watcher.reset();
}
