#include "myQQuickView.h"

#include "Hid_Thread.h"
#include "SoundBoard.h"

#include <QQuickItem>
#include <QSettings>

namespace {
constexpr int MaxSoundIndex = 4;
constexpr int UserPictureBytes = 512;
} // namespace

myQQuickView::myQQuickView(QWidget *parent, bool withSound) : QQuickWidget(parent) {
    if (withSound)
        m_sounds = new SoundBoard(this);
    m_appSettings =
        new QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat, this);
    for (int i = 1; i <= ProfileCount; ++i)
        m_profiles.append(new QSettings(QStringLiteral("./modules/setting/p%1.bin").arg(i),
                                        QSettings::IniFormat, this));
}

myQQuickView::~myQQuickView() = default;

QSettings *myQQuickView::profileSettings(int index) const {
    return index >= 0 && index < m_profiles.size() ? m_profiles[index] : nullptr;
}

void myQQuickView::invokeRoot(const char *function, Qt::ConnectionType type,
                              const QVariantList &args) {
    QQuickItem *root = rootObject();
    if (!root)
        return;
    // Root functions take untyped parameters, so every argument travels as a QVariant.
    switch (args.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                                  Q_ARG(QVariant, args[1]));
        break;
    default:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args.value(0)),
                                  Q_ARG(QVariant, args.value(1)), Q_ARG(QVariant, args.value(2)),
                                  Q_ARG(QVariant, args.value(3)));
        break;
    }
}

void myQQuickView::syncFW() {
    if (!m_hid || m_hid->currentEntry().type != 0)
        return;
    QSettings *profile = currentProfile();
    // One buffer for all five reads: a failed read keeps the previous picture's bytes.
    uchar buffer[UserPictureBytes] = {};
    for (int index = 0; index < UserPictureCount; ++index) {
        m_hid->hid_92H_GetUserPicture(uchar(index), buffer);
        QVariantList bytes;
        bytes.reserve(UserPictureBytes);
        for (uchar b : buffer)
            bytes.append(int(b));
        if (profile)
            profile->setValue(QStringLiteral("userPicture/%1").arg(index), bytes);
    }
}

void myQQuickView::initUI() {
    invokeRoot("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI() {
    invokeRoot("run", Qt::QueuedConnection);
}

void myQQuickView::setEnableAudio(bool isEnable) {
    m_audioEnabled = isEnable;
}

void myQQuickView::playMedia_Index(uchar index) {
    if (!m_audioEnabled || index > MaxSoundIndex)
        return;
    if (index == 0)
        playMedia_Background();
    else if (m_sounds)
        m_sounds->play(index);
}

void myQQuickView::playMedia_Background() {
    if (m_sounds)
        m_sounds->playBackground();
}

void myQQuickView::clearAllMedia() {
    if (m_sounds)
        m_sounds->clearAll();
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode) {
    invokeRoot("detectKeyboard", Qt::QueuedConnection, {isDown, int(usbCode)});
}

void myQQuickView::detectMouse(bool isDown, uchar code, uint x, uint y) {
    invokeRoot("detectMouse", Qt::QueuedConnection, {isDown, uint(code), x, y});
}
