#pragma once

#include "CommandTable.h"
#include "DeviceEntry.h"
#include "DeviceRecord.h"
#include "EventWatcher.h"
#include "ExchangeFailure.h"
#include "FrameCodec.h"
#include "PreparedSet.h"
#include "SentRecord.h"

#include <QFuture>
#include <QList>
#include <QMutex>
#include <QThread>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QSettings;
struct hid_device_;
using hid_device = hid_device_;

// The link to the device: finds its two HID interfaces, frames and scrambles commands, moves bulk
// data and serialises exchanges. The thread itself is never started: gets run in the caller's
// thread, sets as jobs on the global thread pool, the event watcher in a thread of its own (a job
// that never ends would starve the pool on a one-CPU machine).
class Hid_Thread : public QThread {
    Q_OBJECT
public:
    static constexpr int BulkAreaSize = 512;
    static constexpr int ClaimRounds = 255;
    static constexpr int ClaimWaitMs = 8;
    static constexpr int SettleStepMs = 64;
    static constexpr int ReportSpacingMs = 8;
    static constexpr int BulkReadTimeoutMs = 1000;

    // No Qt parent: the owner holds it by value.
    Hid_Thread();
    ~Hid_Thread() override;

    // Where the per-device code ("common/sCode<n>") and the owner's title come from. The settings
    // are asked for at each check: a reset of the configuration replaces the object.
    void setSettingsSource(std::function<QSettings *()> source) { m_settings = std::move(source); }
    void setTitleSource(std::function<QString()> title) { m_title = std::move(title); }

    unsigned currentIndex() const { return m_did.load(); }
    // A copy of the entry, or an absent entry when the index has none.
    DeviceEntry entry(unsigned index) const;
    DeviceEntry currentEntry() const { return entry(currentIndex()); }
    QList<DeviceEntry> devices() const;

    // Link operations used by the command sets.
    bool claimLink();
    bool sendFrame(int n, bool pause);
    bool receiveFrame(int n);
    void settlePause();
    hid_device *openCommandInterface(int index);
    hid_device *openEventInterface(int index);
    void closeCommandInterface();
    void closeEventInterface();
    void scanDevices(const DeviceTable &table);
    void startWatch(unsigned index);
    void stopWatch();
    bool isWatching() const { return m_watcher && m_watcher->isRunning(); }
    bool isLinkFree() const { return m_linkFree.load(); }

    // While not allowed (the owner waits for the device lock) every exchange fails as busy.
    void setExchangesAllowed(bool allowed) { m_exchangesAllowed = allowed; }

    // The exchanges that failed since the last call, oldest first (busy, write, answer, gone).
    QList<ExchangeFailure> takeFailures();

    // Starts sendFrame on the pool; the link stays taken until it ends.
    void startSend(int n, bool pause);
    // Waits for the last set started with startSend.
    void waitForSend();

    // While a sink is set (GUI thread), the set commands are built and added to it instead of
    // being sent: what a call would send, to compare with what the mouse holds. Gets still run.
    void setCapture(QList<PreparedSet> *sink) { m_capture = sink; }
    // Sends a set as the command sets do (claim, frame, bulk, settle), built earlier.
    void send(const PreparedSet &set);
    // What the mouse was last given; every set that goes out whole is written into it.
    SentRecord &sentRecord() { return m_sent; }
    const SentRecord &sentRecord() const { return m_sent; }
    // Whether the mouse went away (an exchange found it gone, or its event interface failed)
    // since the last call; the record was forgotten then.
    bool takeDeviceLost() { return m_deviceLost.exchange(false); }

    FrameCodec::Frame &commandFrame() { return m_frames.command; }
    FrameCodec::Frame &answerFrame() { return m_frames.answer; }
    uint8_t *bulkArea() { return m_frames.bulk.data(); }

public slots:
    void swichCurDevice(unsigned int did);
    uchar hidCS(uchar *cmd);
    void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
    void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);
    void chkDeviceIsEnCode();

    // Keyboard dialect.
    void hid_01H_SetReportRate(uchar rate);
    void hid_02H_SetCurrentProfile(uchar profile);
    void hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                      uchar index);
    void hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                            uchar direction);
    void hid_09H_SetKeyboardMode(uchar mode);
    void hid_0DH_SetKeyMatrix(uchar *src512);
    void hid_0EH_SetKeyOnOff(uchar *src21);
    void hid_11H_SetMacroKey(uchar macroId, uchar *src192);
    void hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512);
    void hid_13H_SetRecoveryData();
    void hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    void hid_80H_GetFWVersion(QString &version);
    bool hid_81H_GetReportRate(uchar &rate);
    void hid_82H_GetCurrentProfile(uchar &profile);
    bool hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4);
    void hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                            uchar &direction);
    void hid_89H_GetKeyboardMode(uchar &mode);
    void hid_8DH_GetKeyMatrix(uchar *src512);
    void hid_8EH_GetKeyOnOff(uchar *src21);
    void hid_91H_GetMacroKey(uchar macroId, uchar *src192);
    void hid_92H_GetUserPicture(uchar index, uchar *src512);
    void hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue);

    // Mouse dialect.
    void hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2);
    void hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2, uchar option3);
    void hid_0BH_SetCurrentDPIStage(uchar dpiStage);
    void hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid_10H_SetLED8StageColor(uchar type, uchar *src24);
    void hid_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid_12H_SetKeyMatrix(uchar *src64, uchar index);
    void hid_13H_SetMacroKey(uchar macroId, uchar *src128);
    bool hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2);
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2, uchar &option3);
    void hid_8BH_GetCurrentDPIStage(uchar &dpiStage);
    void hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2);
    void hid_90H_GetLED8StageColor(uchar type, uchar *src24);
    bool hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8);
    void hid_92H_GetKeyMatrix(uchar *src64);
    void hid_93H_GetMacroKey(uchar macroId, uchar *src128);

signals:
    // The device is absent and the user has been told; the owner ends the program.
    void deviceAbsent();

private:
    enum class Outcome { Busy, Failed, Done };
    // Build the frame, then capture it or send it (logs "cmd Failed XX" when busy).
    void runSet(const CommandTable::Set &command, std::initializer_list<uint8_t> params,
                const uint8_t *bulk = nullptr, int bulkBytes = -1);
    // Claim, build, preset the answer (and the bulk area from buffer), exchange, hand the bulk
    // area back to buffer; logs "cmd Failed" when busy.
    Outcome runGet(const CommandTable::Get &command, std::initializer_list<uint8_t> params,
                   const FrameCodec::Frame &preset, uint8_t *buffer = nullptr, int bulkBytes = -1);
    uint8_t answer(int byte) const { return m_frames.answer[size_t(byte)]; }

    void releaseLink() { m_linkFree.store(true); }
    // The first step of every exchange; the device as it was when the exchange began.
    std::optional<DeviceEntry> openAndSendFrame();
    enum class Interface { Command, Event };
    hid_device *openInterface(int index, Interface which);
    void closeInterface(hid_device *&handle);
    void forgetPath(int index, Interface which);
    // The mouse went away: nothing is known of what it holds.
    void lose();
    QString configuredCode(unsigned index) const;
    // Records a failure of the exchange in progress; returns false for the caller to pass on.
    bool fail(ExchangeFailure::Cause cause);
    // After a transfer error: gone when the interface can no longer be opened.
    ExchangeFailure::Cause causeOfError(const QString &path, ExchangeFailure::Cause otherwise);
    static QString permissionText(const DeviceEntry &entry);

    std::function<QSettings *()> m_settings;
    std::function<QString()> m_title;

    mutable QMutex m_devicesMutex;
    QList<DeviceEntry> m_devices;
    std::atomic<unsigned> m_did{1};

    hid_device *m_commandHandle = nullptr;
    hid_device *m_eventHandle = nullptr;

    std::atomic<bool> m_linkFree{true};
    std::atomic<bool> m_exchangesAllowed{true};
    // Shared with every watcher, which may outlive this object.
    std::shared_ptr<std::atomic<bool>> m_deviceReady = std::make_shared<std::atomic<bool>>(true);
    std::unique_ptr<EventWatcher> m_watcher;
    QFuture<void> m_lastSend;
    QList<PreparedSet> *m_capture = nullptr;
    SentRecord m_sent;
    std::atomic<bool> m_deviceLost{false};

    std::atomic<uint8_t> m_exchangeCode{0}; // set under the claimed link
    mutable QMutex m_failuresMutex;
    QList<ExchangeFailure> m_failures;

    struct Frames {
        FrameCodec::Frame command{};
        FrameCodec::Frame answer{};
        std::array<uint8_t, BulkAreaSize> bulk{};
    } m_frames;
};
