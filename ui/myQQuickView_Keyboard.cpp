// The keyboard-dialect slots. The mouse answers the report rate and option commands too.
#include "myQQuickView.h"

#include "ByteList.h"
#include "Hid_Thread.h"
#include "ProfileKeys.h"

namespace {
constexpr int KeyMatrixBytes = 512;
constexpr int StoredKeyboardKeys = 126; // the last two entries are sent but never stored
constexpr int KeyRecordBytes = 4;
constexpr int KeyOnOffBytes = 21;
constexpr int MacroBytes = 192;
constexpr int UserPictureBytes = 512;
constexpr uchar StoreOnlyOption = 255;

} // namespace

void myQQuickView::ui_01H_SetReportRate(uchar rate) {
    if (currentDeviceType() == DeviceType::mouse) {
        currentProfile()->setValue(ProfileKeys::reportRate, int(rate));
        m_files.storeCurrentProfile();
    }
    sendReportRate(rate);
    emit settingsChanged();
}

void myQQuickView::sendReportRate(uchar rate) {
    if (m_hid)
        m_hid->hid_01H_SetReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile) {
    if (profile == m_files.currentProfileIndex())
        return;
    if (!m_files.setCurrentProfileIndex(profile)) {
        qWarning("ui_02H_SetCurrentProfile: profile %d refused (0 to 9)", profile);
        return;
    }
    // The mouse keeps no profile number: the pages reload from the newly selected file.
    if (m_hid && currentDeviceType() == DeviceType::keyboard)
        m_hid->hid_02H_SetCurrentProfile(uchar(profile));
    emit settingsChanged();
}

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
    if (m_hid)
        m_hid->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                               uchar index) {
    if (m_hid)
        m_hid->hid_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4, index);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty) {
    if (m_hid)
        m_hid->hid_07H_SetControlIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction) {
    currentProfile()->setValue(
        QStringLiteral("color/ledType"),
        QVariantList{int(effect), int(speed), int(light), int(color), int(direction)});
    m_files.storeCurrentProfile();
    if (m_hid)
        m_hid->hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode) {
    if (m_hid)
        m_hid->hid_09H_SetKeyboardMode(mode);
}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512) {
    for (int n = 0; n < StoredKeyboardKeys; ++n) {
        QVariantList record;
        for (int i = 0; i < KeyRecordBytes; ++i)
            record.append(src512.value(n * KeyRecordBytes + i, 0));
        currentProfile()->setValue(QStringLiteral("keydefine/%1").arg(n), record);
    }
    m_files.storeCurrentProfile();
    QByteArray bytes = ByteList::toBytes(src512, KeyMatrixBytes);
    if (m_hid)
        m_hid->hid_0DH_SetKeyMatrix(ByteList::raw(bytes));
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21) {
    QByteArray bytes = ByteList::toBytes(src21, KeyOnOffBytes);
    if (m_hid)
        m_hid->hid_0EH_SetKeyOnOff(ByteList::raw(bytes));
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name) {
    QByteArray image = m_macros.macroImage(DeviceType::keyboard, name.toString());
    if (image.size() != MacroBytes)
        return;
    if (m_hid)
        m_hid->hid_11H_SetMacroKey(uchar(macroId.toInt()), ByteList::raw(image));
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512) {
    currentProfile()->setValue(QStringLiteral("userPicture/%1").arg(index), src512);
    m_files.storeCurrentProfile();
    if (option == StoreOnlyOption || !m_hid)
        return;
    QByteArray bytes = ByteList::toBytes(src512, UserPictureBytes);
    m_hid->hid_12H_SetUserPicture(index, option, ByteList::raw(bytes));
}

void myQQuickView::ui_13H_SetRecoveryData() {
    if (m_hid)
        m_hid->hid_13H_SetRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue) {
    currentProfile()->setValue(QStringLiteral("color/%1").arg(index),
                               QVariantList{int(rValue), int(gValue), int(bValue)});
    m_files.storeCurrentProfile();
    if (m_hid)
        m_hid->hid_14H_SetColor(index, rValue, gValue, bValue);
}

QString myQQuickView::ui_80H_GetFWVersion() {
    QString version;
    if (m_hid)
        m_hid->hid_80H_GetFWVersion(version);
    return version;
}

QVariant myQQuickView::ui_81H_GetReportRate() {
    uchar rate = 0;
    if (currentDeviceType() != DeviceType::keyboard)
        rate = uchar(currentProfile()->value(ProfileKeys::reportRate, 0).toUInt());
    else if (m_hid)
        m_hid->hid_81H_GetReportRate(rate);
    return int(rate);
}

QVariant myQQuickView::ui_82H_GetCurrentProfile() {
    uchar profile = 0;
    if (m_hid)
        m_hid->hid_82H_GetCurrentProfile(profile);
    return int(profile);
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption() {
    uchar b[4] = {};
    if (m_hid)
        m_hid->hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return ByteList::fromBytes(b, 4);
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity() {
    uchar s[4] = {};
    if (m_hid)
        m_hid->hid_84H_GetButtonSensitivity(s[0], s[1], s[2], s[3]);
    return ByteList::fromBytes(s, 4);
}

QVariantList myQQuickView::ui_88H_GetLEDType() {
    return ByteList::toUnsigned(
        currentProfile()->value(QStringLiteral("color/ledType"), 0).toList());
}

QVariant myQQuickView::ui_89H_GetKeyboardMode() {
    uchar mode = 0;
    if (m_hid)
        m_hid->hid_89H_GetKeyboardMode(mode);
    return int(mode);
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix() {
    uchar matrix[KeyMatrixBytes] = {};
    if (m_hid)
        m_hid->hid_8DH_GetKeyMatrix(matrix);
    return ByteList::fromBytes(matrix, KeyMatrixBytes);
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff() {
    uchar table[KeyOnOffBytes] = {};
    if (m_hid)
        m_hid->hid_8EH_GetKeyOnOff(table);
    return ByteList::fromBytes(table, KeyOnOffBytes);
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId) {
    uchar image[MacroBytes] = {};
    if (m_hid)
        m_hid->hid_91H_GetMacroKey(macroId, image);
    return ByteList::fromBytes(image, MacroBytes);
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index) {
    return ByteList::toUnsigned(
        currentProfile()->value(QStringLiteral("userPicture/%1").arg(index), 0).toList());
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index) {
    return ByteList::toUnsigned(
        currentProfile()->value(QStringLiteral("color/%1").arg(index), 0).toList());
}
