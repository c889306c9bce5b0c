#pragma once

#include "DeviceType.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>

class LanguageStore;
class StorageFailures;

// The named macro files in ./modules/macro/. Each call opens the file afresh, so every call sees
// what is on disk now.
class MacroLibrary {
public:
    // Sends a bound macro to the device: the view calls its own set-macro slot of the dialect.
    using MacroSender = std::function<void(int deviceType, int macroId, const QString &name)>;

    // A macro file that cannot be written is reported to failures.
    MacroLibrary(const LanguageStore &languages, DeviceTypeSource deviceType, MacroSender sender,
                 StorageFailures &failures);

    QVariant createMacroIni();
    QVariant deleteMacroIni(const QString &name);
    QStringList getMacroIniNames() const;
    QVariant saveMacroIni(const QString &name, const QStringList &macros);
    QStringList loadMacroIni(const QString &name) const;
    QVariantList loadMacroIniConfig(const QString &name) const;
    void setMacroIniConfig(const QString &name, const QVariantList &config);
    QVariant loadMacroIniFromFile();
    void saveMacroIniToFile(const QString &name);
    void renameMacroIniFile(const QString &oldName, const QString &newName);

    // The buffer to send with the set-macro command of deviceType (192 or 128 bytes, empty for
    // an unknown type). A macro too long for it is cut and, with warn, a warning box says so.
    QByteArray macroImage(int deviceType, const QString &name, bool warn = true) const;

    // Highest slot per dialect: keyboard macro ids 0 … 34, mouse slots 0 … 11 (ids 1 … 12).
    static constexpr int keyboardMacroSlots = 35;
    static constexpr int mouseMacroSlots = 12;

private:
    // The file of a valid name that exists; empty otherwise.
    static QString existingFile(const QString &name);
    int deviceType() const { return m_deviceType ? m_deviceType() : -1; }
    void sendBound(int index, const QString &name);

    const LanguageStore &m_languages;
    DeviceTypeSource m_deviceType;
    MacroSender m_sender;
    StorageFailures &m_failures;
};
