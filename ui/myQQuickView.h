#pragma once

#include <QList>
#include <QQuickWidget>
#include <QStringList>

class Hid_Thread;
class QSettings;
class SoundBoard;

// The QML scene's view, published to it as "ui_View": every native operation the scene calls is a
// public slot here.
class myQQuickView : public QQuickWidget {
    Q_OBJECT
public:
    static constexpr int ProfileCount = 10;
    static constexpr int UserPictureCount = 5;

    // withSound false (q7ctl) builds no players: the sound slots then do nothing.
    explicit myQQuickView(QWidget *parent = nullptr, bool withSound = true);
    ~myQQuickView() override;

    void setDeviceLink(Hid_Thread *hid) { m_hid = hid; }
    Hid_Thread *deviceLink() const { return m_hid; }
    QSettings *appSettings() const { return m_appSettings; }
    QSettings *profileSettings(int index) const;
    QSettings *currentProfile() const { return profileSettings(m_currentProfile); }
    int currentProfileIndex() const { return m_currentProfile; }
    SoundBoard *soundBoard() const { return m_sounds; }
    bool isAudioEnabled() const { return m_audioEnabled; }

    // Entry points of the input capture; they queue the scene's handlers.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uchar code, uint x, uint y);

public slots:
    void syncFW();
    void initUI();
    void runUI();
    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

private:
    void invokeRoot(const char *function, Qt::ConnectionType type, const QVariantList &args = {});

    Hid_Thread *m_hid = nullptr;
    bool m_audioEnabled = true;
    SoundBoard *m_sounds = nullptr;
    QSettings *m_appSettings = nullptr;
    QList<QSettings *> m_profiles;
    int m_currentProfile = 0;
    QStringList m_messages;
};
