#pragma once

#include <QJsonValue>
#include <QMetaMethod>
#include <QStringList>

#include <optional>

// Calls a public slot by name with arguments given as JSON values, converted to the slot's
// parameter types, and hands back its result as JSON.
class SlotInvoker {
public:
    explicit SlotInvoker(QObject *target) : m_target(target) {}

    // "name(type, type) -> type" for every public slot with parameter types we can convert.
    QStringList describeSlots() const;

    struct Result {
        bool ok = false;
        QString error;                   // set when ok is false
        std::optional<QJsonValue> value; // empty for a void slot
    };
    // With dryRun the arguments are checked and nothing is called.
    Result call(const QString &slot, const QStringList &jsonArgs, bool dryRun = false) const;

    static bool isSupportedType(int typeId);

private:
    QList<QMetaMethod> publicSlots(const QString &name = {}) const;
    QObject *m_target;
};
