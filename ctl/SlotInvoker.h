#pragma once

#include <QJsonValue>
#include <QMetaMethod>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <optional>

// Calls a public slot by name with arguments given as JSON values, converted to the slot's
// parameter types, and hands back its result as JSON.
class SlotInvoker {
public:
    explicit SlotInvoker(QObject *target) : m_target(target) {}

    // "name(type, type) -> type" for every public slot, each followed by the lines details gives
    // for it (indented).
    using Details = std::function<QStringList(const QString &slot, const QStringList &names)>;
    QStringList describeSlots(const Details &details = {}) const;

    struct Result {
        bool ok = false;
        QString error;                   // set when ok is false
        std::optional<QJsonValue> value; // empty for a void slot
    };
    // The arguments converted to the slot's parameter types, ready for a domain check.
    struct Prepared {
        QString error; // empty when the arguments fit the slot's types
        QVariantList args;
        QStringList parameterNames;
    };
    Prepared prepare(const QString &slot, const QStringList &jsonArgs) const;

    // With dryRun the arguments are checked and nothing is called.
    Result call(const QString &slot, const QStringList &jsonArgs, bool dryRun = false) const;

    static bool isSupportedType(int typeId);

private:
    QList<QMetaMethod> publicSlots(const QString &name = {}) const;
    // Finds the overload for this many arguments and converts them; error set on failure.
    std::optional<QMetaMethod> resolve(const QString &slot, const QStringList &jsonArgs,
                                       QVariantList &args, QString &error) const;
    QObject *m_target;
};
