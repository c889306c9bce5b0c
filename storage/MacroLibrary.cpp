#include "MacroLibrary.h"

#include "FileReplacement.h"
#include "LanguageStore.h"
#include "MacroEncoder.h"
#include "MacroImage.h"
#include "MacroName.h"
#include "SettingsList.h"
#include "StorageFailures.h"
#include "StoragePaths.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString indexKey = QStringLiteral("config/index");
const QString totalKey = QStringLiteral("config/total");
const QString repeatKey = QStringLiteral("config/repeat");
const QString didKey = QStringLiteral("config/did");
const QString linesGroup = QStringLiteral("macro");
constexpr int unbound = -1;
// Far beyond what a device buffer holds; a corrupt count must not make us read for ever.
constexpr int maximumLines = 100000;

QString tr(const char *text) {
    return QCoreApplication::translate("MacroLibrary", text);
}

QString desktop() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString lineKey(int i) {
    return linesGroup + QLatin1Char('/') + QString::number(i);
}

void refuseName(const QString &name) {
    UserPrompt::current().warning(
        tr("MACRO"), tr("\"%1\" cannot be a macro name: it must not be empty, begin with "
                        "\".\", contain \"/\", \"\\\" or control characters, or be longer than "
                        "file names may be.")
                         .arg(name));
}

} // namespace

MacroLibrary::MacroLibrary(const LanguageStore &languages, DeviceTypeSource deviceType,
                           MacroSender sender, StorageFailures &failures)
    : m_languages(languages), m_deviceType(std::move(deviceType)), m_sender(std::move(sender)),
      m_failures(failures) {}

QString MacroLibrary::existingFile(const QString &name) {
    if (!MacroName::isValid(name))
        return {};
    const QString path = StoragePaths::macro(name);
    return QFileInfo(path).isFile() ? path : QString();
}

QVariant MacroLibrary::createMacroIni() {
    QDir().mkpath(StoragePaths::macroDir);
    QString name;
    for (int n = 1;; ++n) {
        name = QStringLiteral("Macro. %1").arg(n, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(StoragePaths::macro(name)))
            break;
    }
    QSettings macro(StoragePaths::macro(name), QSettings::IniFormat);
    macro.setValue(indexKey, unbound);
    macro.setValue(totalKey, 0);
    macro.setValue(repeatKey, 1);
    macro.setValue(didKey, unbound);
    // The page would list a name whose file was never written.
    return m_failures.sync(macro) ? name : QString();
}

QVariant MacroLibrary::deleteMacroIni(const QString &name) {
    const QString path = existingFile(name);
    return !path.isEmpty() && QFile::remove(path);
}

QStringList MacroLibrary::getMacroIniNames() const {
    return QDir(StoragePaths::macroDir)
        .entryList({QStringLiteral("*") + StoragePaths::macroSuffix}, QDir::Files,
                   QDir::Name | QDir::IgnoreCase);
}

QVariant MacroLibrary::saveMacroIni(const QString &name, const QStringList &macros) {
    const QString path = existingFile(name);
    if (path.isEmpty())
        return false;
    int index = unbound;
    {
        QSettings macro(path, QSettings::IniFormat);
        macro.remove(linesGroup);
        macro.setValue(totalKey, macros.size());
        for (int i = 0; i < macros.size(); ++i)
            macro.setValue(lineKey(i), macros.at(i));
        index = macro.value(indexKey, unbound).toInt();
        if (!m_failures.sync(macro))
            return false;
    }
    // The file is written out before the send reads it back.
    if (index >= 0)
        sendBound(index, name);
    return true;
}

void MacroLibrary::sendBound(int index, const QString &name) {
    if (!m_sender)
        return;
    const int type = deviceType();
    if (type == DeviceType::keyboard && index < keyboardMacroSlots)
        m_sender(type, index, name);
    else if (type == DeviceType::mouse && index < mouseMacroSlots)
        m_sender(type, index + 1, name);
}

QStringList MacroLibrary::loadMacroIni(const QString &name) const {
    const QString path = existingFile(name);
    if (path.isEmpty())
        return {};
    const QSettings macro(path, QSettings::IniFormat);
    const int total = SettingsList::presentCount(
        macro, linesGroup, std::min(macro.value(totalKey, 0).toInt(), maximumLines));
    QStringList lines;
    for (int i = 0; i < total; ++i)
        lines.append(SettingsList::readText(macro, lineKey(i), QStringLiteral("0")));
    return lines;
}

QVariantList MacroLibrary::loadMacroIniConfig(const QString &name) const {
    const QString path = existingFile(name);
    if (path.isEmpty())
        return {};
    const QSettings macro(path, QSettings::IniFormat);
    // A binding made for the other device type means nothing to this one.
    const bool sameDevice = macro.value(didKey, unbound).toInt() == deviceType();
    return {sameDevice ? macro.value(indexKey, unbound).toInt() : unbound,
            macro.value(repeatKey, 1).toInt()};
}

void MacroLibrary::setMacroIniConfig(const QString &name, const QVariantList &config) {
    const QString path = existingFile(name);
    if (path.isEmpty())
        return;
    QSettings macro(path, QSettings::IniFormat);
    macro.setValue(indexKey, SettingsList::elementOrZero(config, 0).toInt());
    macro.setValue(repeatKey, SettingsList::elementOrZero(config, 1).toInt());
    macro.setValue(didKey, deviceType());
    m_failures.sync(macro);
}

QVariant MacroLibrary::loadMacroIniFromFile() {
    const QString chosen =
        UserPrompt::current().openFileName(tr("Open File"), desktop(), tr("Macro(*.bin)"));
    if (chosen.isEmpty())
        return QString();
    const QString fileName = chosen.mid(chosen.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = fileName.left(fileName.size() - StoragePaths::macroSuffix.size());
    if (!MacroName::isValid(name)) {
        refuseName(name);
        return QString();
    }
    QDir().mkpath(StoragePaths::macroDir);
    FileReplacement replacement(chosen, StoragePaths::macro(name));
    if (!replacement.prepare() || !replacement.commit()) {
        UserPrompt::current().warning(tr("MACRO"), replacement.error());
        return QString();
    }
    return name;
}

void MacroLibrary::saveMacroIniToFile(const QString &name) {
    const QString path = existingFile(name);
    if (path.isEmpty())
        return;
    const QString chosen =
        UserPrompt::current().saveFileName(tr("Save File"), desktop(), tr("Macro(*.bin)"));
    if (chosen.isEmpty())
        return;
    FileReplacement replacement(path, chosen);
    if (!replacement.prepare() || !replacement.commit())
        UserPrompt::current().warning(tr("MACRO"), replacement.error());
}

void MacroLibrary::renameMacroIniFile(const QString &oldName, const QString &newName) {
    const QString path = existingFile(oldName);
    if (path.isEmpty() || oldName == newName)
        return;
    if (!MacroName::isValid(newName)) {
        refuseName(newName);
        return;
    }
    // QFile::rename never overwrites: a name already taken leaves both files as they are.
    if (!QFile::rename(path, StoragePaths::macro(newName)))
        UserPrompt::current().warning(
            tr("MACRO"), tr("\"%1\" could not be renamed to \"%2\".").arg(oldName, newName));
}

QByteArray MacroLibrary::macroImage(int type, const QString &name, bool warn) const {
    const MacroEncoder::Records records = MacroEncoder::encode(loadMacroIni(name), type);
    const QString path = existingFile(name);
    const quint16 repeat =
        path.isEmpty() ? 1
                       : static_cast<quint16>(
                             QSettings(path, QSettings::IniFormat).value(repeatKey, 1).toUInt());
    const MacroImage image = MacroImage::place(records, type, repeat);
    if (image.wasCut() && !warn)
        qWarning("macro %s: cut to fit the device's buffer", qUtf8Printable(name));
    else if (image.wasCut()) {
        if (type == DeviceType::keyboard)
            UserPrompt::current().warning(m_languages.message(0), m_languages.message(1));
        else
            UserPrompt::current().warning(tr("MACRO"),
                                          tr("Out of memory,\nsome command line has been cut."));
    }
    return image.bytes();
}
