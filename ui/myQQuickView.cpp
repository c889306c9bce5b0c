#include "myQQuickView.h"

#include "ByteList.h"
#include "Hid_Thread.h"
#include "KeyNameMap.h"
#include "ProfileApplier.h"
#include "SkinImageProvider.h"
#include "SliceIncubation.h"
#include "SoundBoard.h"

#include <QQmlEngine>
#include <QQuickItem>

namespace {
constexpr int MaxSoundIndex = 4;
constexpr int UserPictureBytes = 512;
} // namespace

myQQuickView::myQQuickView(QWidget *parent, bool withSound)
    : QQuickWidget(parent), m_appConfig(m_files, m_languages), m_profiles(m_files),
      m_macros(
          m_languages, [this] { return currentDeviceType(); },
          [this](int type, int id, const QString &name) { sendMacro(type, id, name); },
          m_files.failures()),
      m_encoder([this] { return currentDeviceType(); }), m_recoil(m_files.failures()),
      m_keyDefines(m_files, [this] { return currentDeviceType(); }) {
    KeyNameMap::instance(); // filled once, before any macro is encoded
    engine()->addImageProvider(QLatin1String(SkinImageProvider::Id), new SkinImageProvider);
    engine()->setIncubationController(new SliceIncubation(this));
    if (withSound)
        m_sounds = new SoundBoard(this);
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setDeviceLink(Hid_Thread *hid) {
    m_hid = hid;
    m_applier.reset(hid ? new ProfileApplier(*this, *hid) : nullptr);
}

void myQQuickView::changeEvent(QEvent *event) {
    QQuickWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled() && !window()->focusWidget())
        setFocus(Qt::OtherFocusReason);
}

QSettings *myQQuickView::profileSettings(int index) {
    return SettingsFiles::isProfileIndex(index) ? &m_files.profile(index) : nullptr;
}

int myQQuickView::currentDeviceType() const {
    return m_hid ? m_hid->currentEntry().type : -1;
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
    if (!m_hid || currentDeviceType() != DeviceType::keyboard)
        return;
    QSettings *profile = currentProfile();
    // One buffer for all five reads: a failed read keeps the previous picture's bytes.
    uchar buffer[UserPictureBytes] = {};
    for (int index = 0; index < UserPictureCount; ++index) {
        m_hid->hid_92H_GetUserPicture(uchar(index), buffer);
        profile->setValue(QStringLiteral("userPicture/%1").arg(index),
                          ByteList::fromBytes(buffer, UserPictureBytes));
    }
    m_files.storeCurrentProfile();
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

void myQQuickView::detectMouse(bool isDown, uchar code, int x, int y) {
    invokeRoot("detectMouse", Qt::QueuedConnection, {isDown, int(code), x, y});
}

void myQQuickView::showOutsideChange(const QString &slot) {
    invokeRoot("showOutsideChange", Qt::QueuedConnection, {slot, currentProfileIndex()});
}

void myQQuickView::setCaptureHint(const QString &hint) {
    if (hint == m_captureHint)
        return;
    m_captureHint = hint;
    emit captureHintChanged();
}
