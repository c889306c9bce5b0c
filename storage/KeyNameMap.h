#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Key names as the macro lines and the key page write them ("L Ctrl", "KP 7 ", "MS-L", …)
// mapped to USB HID keyboard usages, with 0xF0 … 0xF4 for the five mouse buttons.
class KeyNameMap {
public:
    // The one map of the process, filled on first use.
    static const KeyNameMap &instance();

    // 0 for a name the map does not hold.
    quint8 usage(const QString &name) const { return m_usages.value(name, 0); }
    qsizetype size() const { return m_usages.size(); }
    const QHash<QString, quint8> &usages() const { return m_usages; }

private:
    KeyNameMap();
    void addRun(const QStringList &names, quint8 firstUsage);

    QHash<QString, quint8> m_usages;
};
