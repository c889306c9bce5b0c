#pragma once

#include "AppConfigStore.h"
#include "KeyDefineStore.h"
#include "LanguageStore.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "PointerSettings.h"
#include "ProfileStore.h"
#include "RecoilStore.h"
#include "RuleStore.h"
#include "SettingsFiles.h"

#include <QMap>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class Hid_Thread;
class ProfileApplier;
class SoundBoard;

// The QML scene's view, published to it as "ui_View": every native operation the scene calls is a
// public slot here. The slots keep a fixed order (the scene calls them by name; the order only
// matters to the meta-object). Files and strings are the storage classes' work, device commands
// the link's; the slots convert between them and the scene's lists and numbers.
class myQQuickView : public QQuickWidget {
    Q_OBJECT
    // The one-line note the macro and key pages show; empty while keys are captured everywhere.
    Q_PROPERTY(QString captureHint READ captureHint NOTIFY captureHintChanged)
    // The sensor page's line about the desktop's pointer settings: what this desktop cannot take,
    // or what it did not take at the last Apply.
    Q_PROPERTY(QString pointerNote READ pointerNote NOTIFY pointerNoteChanged)
public:
    static constexpr int ProfileCount = SettingsFiles::profileCount;
    static constexpr int UserPictureCount = 5;

    // withSound false (q7ctl) builds no players: the sound slots then do nothing.
    explicit myQQuickView(QWidget *parent = nullptr, bool withSound = true);
    ~myQQuickView() override;

    void setDeviceLink(Hid_Thread *hid);
    Hid_Thread *deviceLink() const { return m_hid; }
    QSettings *appSettings() { return &m_files.appConfig(); }
    QSettings *profileSettings(int index);
    QSettings *currentProfile() { return &m_files.currentProfile(); }
    int currentProfileIndex() const { return m_files.currentProfileIndex(); }
    // Every file write that failed in this run; each was shown to the user once.
    const StorageFailures &storageFailures() { return m_files.failures(); }
    // Writes what is still only in memory; false when any file could not be written.
    bool flushStorage() { return m_files.storeAll(); }
    SoundBoard *soundBoard() const { return m_sounds; }
    bool isAudioEnabled() const { return m_audioEnabled; }
    // 0 keyboard, 1 mouse, -1 without a device link.
    int currentDeviceType() const;

    // Entry points of the input capture; they queue the scene's handlers.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uchar code, int x, int y);
    QString captureHint() const { return m_captureHint; }
    void setCaptureHint(const QString &hint);
    // Sends stored profiles to the mouse; none without a device link.
    ProfileApplier *profileApplier() const { return m_applier.get(); }
    // The rules that choose a profile by the application in focus, and their switches.
    const RuleStore &ruleStore() const { return m_ruleStore; }
    // Where the rule panel gets the applications that have windows open (asking may start the
    // focus watch), and how much of the focus the desktop tells.
    struct FocusStatus {
        QString state; // "" (not asked yet), "watching", "partial" or "none"
        QString note;  // the desktop's reason when it tells less than everything
    };
    void setRunningApplicationsSource(std::function<QStringList()> source) {
        m_runningApplications = std::move(source);
    }
    void setFocusStatusSource(std::function<FocusStatus()> source) {
        m_focusStatus = std::move(source);
    }

    // A slot called from outside the window (q7ctl, D-Bus) ran: the scene's pages that show what
    // it may have changed read it again, and the profile menu shows the current profile.
    void showOutsideChange(const QString &slot);

    // The mouse whose pointer the desktop backends that set one device look for.
    void setPointerDevice(PointerSettings::Device mouse) { m_pointerDevice = mouse; }
    // The desktop's pointer settings, chosen from the session on first use unless given here.
    PointerSettings &pointerSettings();
    void setPointerSettings(std::unique_ptr<PointerSettings> settings);
    // "setCursorSpeed: …" for each pointer setting the desktop did not take since the last call.
    QStringList takePointerFailures();
    QString pointerNote();

    // What the mouse-dialect set slots send, without touching the profile. Applying a stored
    // profile sends through these, so its frames are the ones the pages' calls make.
    void sendReportRate(uchar rate);
    void sendDpiStage(uchar dpiStage);
    void sendLedEffect(uchar effect, uchar option1, uchar option2);
    void sendStageColours(uchar type, const QVariantList &src24);
    void sendDpiSet(uchar stageCount, const QVariantList &src8);
    void sendKeyMatrix(const QVariantList &src64);
    // warnWhenCut: a warning box says when the macro did not fit (the page's own binding).
    void sendMacroKey(int macroId, const QString &name, bool warnWhenCut);

signals:
    void captureHintChanged();
    // A slot changed the current profile, or what it holds of the rate, DPI stages or lighting.
    void settingsChanged();
    void pointerNoteChanged();
    // A rule, the default profile or one of the rule switches changed.
    void rulesChanged();
    // Another application has the focus, or the desktop tells less than it did: the rules panel
    // reads the running applications and the focus state again.
    void focusStatusChanged();

protected:
    // The scene's busy lock disables the view, which drops the keyboard focus; it is taken back
    // afterwards, or keys would stop reaching the scene until the user clicks into it.
    void changeEvent(QEvent *event) override;

public slots:
    // Start-up and sound.
    void syncFW();
    void initUI();
    void runUI();
    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

    // Configuration and profiles.
    void saveApConfig(QVariantList apConfigs);
    QVariantList loadApConfig();
    QVariantList loadDeviceApConfig();
    void resetApconfig();
    bool getIsSkinShow();
    QVariantList loadDefaultProfile(uchar uiPageId);
    void loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    QVariant loadMacroIniFromFile();
    void saveMacroIniToFile(QString name);
    void renameMacroIniFile(QString oldName, QString newName);
    QString getCustomFilePath();
    QVariantMap chkLanguages();
    QStringList getGlobalStrings(QString langCode);
    QStringList getProductLayoutStrings_Q7(QString langCode);
    QVariant createMacroIni();
    QVariant deleteMacroIni(QString name);
    QStringList getMacroIniNames();
    QVariant saveMacroIni(QString name, QStringList macros);
    QStringList loadMacroIni(QString name);
    QVariantList loadMacroIniConfig(QString name);
    void setMacroIniConfig(QString name, QVariantList config);
    QVariantList getKeydefine(QVariant matrixId);
    QVariantList macroIncode(QStringList macros);
    void saveGundata(QVariant gameNo, QVariantList gunData);
    void saveSelGundata(QVariant selGun, QVariantList gunData);
    QVariantList getGundata(QVariant gameNo);
    QVariantList getSelGundata(QVariant selGun);

    // Keyboard dialect.
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                     uchar index);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0DH_SetKeyMatrix(QVariantList src512);
    void ui_0EH_SetKeyOnOff(QVariantList src21);
    void ui_11H_SetMacroKey(QVariant macroId, QVariant name);
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    QString ui_80H_GetFWVersion();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8DH_GetKeyMatrix();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_91H_GetMacroKey(uchar macroId);
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);

    // Mouse reads the pages make at start.
    QVariant getSensorType();
    bool chkIsLogoLedWork();

    // The desktop's pointer, and the last-left-button question.
    bool getMsgAns_FoolProofing();
    void setScrollPinSwap(bool isSwap);
    void setAcceleration(bool acceleration);
    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);

    // Mouse dialect.
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex);
    void ui_12H_SetKeyMatrix(QVariantList src64);
    void ui_13H_SetMacroKey(QVariant macroId, QVariant name);

    bool getScrollPinSwap();
    bool getAcceleration();
    uint getCursorSpeed();
    uint getVerticalScrollLines();
    uint getDoubleClickSpeed();

    void q7_0CH_SetPressGun(uchar x, uchar y, uchar times, uchar enable, uchar cursorBack,
                            uchar fireKey);
    QVariant ui_8BH_GetCurrentDPIStage();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    uchar ui_91H_SyncDPI();
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_93H_GetMacroKey(uchar macroId);

    // The profile every device-facing slot uses, 0 … 9, as ui_02H_SetCurrentProfile takes it.
    int getCurrentProfile();
    // Selects the profile, as ui_02H_SetCurrentProfile does, and makes the mouse hold it.
    void applyProfile(int profile);

    // Rules: [{application, profile}] with profiles 0 … 9; the default is -1 when there is none.
    QVariantList getRules();
    bool setRule(QString application, int profile);
    bool removeRule(QString application);
    int getDefaultRuleProfile();
    bool setDefaultRuleProfile(int profile);
    // {rulesOn, applyOnSwitch, keepInStep, autostart, focusState, focusNote}
    QVariantMap getRuleOptions();
    bool setRuleOption(QString option, bool on);
    QStringList getRunningApplications();

private:
    void invokeRoot(const char *function, Qt::ConnectionType type, const QVariantList &args = {});
    void sendMacro(int deviceType, int macroId, const QString &name);
    void pointerOutcome(const char *slot, PointerSettings::Setting setting, bool ok);

    Hid_Thread *m_hid = nullptr;
    std::unique_ptr<ProfileApplier> m_applier;
    RuleStore m_ruleStore;
    std::function<QStringList()> m_runningApplications;
    std::function<FocusStatus()> m_focusStatus;
    bool m_audioEnabled = true;
    QString m_captureHint;
    SoundBoard *m_sounds = nullptr;
    SettingsFiles m_files;
    LanguageStore m_languages;
    AppConfigStore m_appConfig;
    ProfileStore m_profiles;
    MacroLibrary m_macros;
    MacroEncoder m_encoder;
    RecoilStore m_recoil;
    KeyDefineStore m_keyDefines;
    PointerSettings::Device m_pointerDevice;
    std::unique_ptr<PointerSettings> m_pointer;
    QStringList m_pointerFailures;
    // Per setting, why the desktop did not take it the last time (empty: it did).
    QMap<PointerSettings::Setting, QString> m_pointerStatus;
};
