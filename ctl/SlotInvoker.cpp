#include "SlotInvoker.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaType>
#include <QVariant>

#include <cmath>

namespace {

constexpr int MaxArgs = 10;

std::optional<QJsonValue> parseJson(const QString &text) {
    // QJsonDocument parses only arrays and objects; wrap so any single value is accepted.
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(('[' + text + ']').toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        return std::nullopt;
    return doc.array().first();
}

bool integral(const QJsonValue &v, double low, double high) {
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    return std::floor(d) == d && d >= low && d <= high;
}

// Converts a JSON value to exactly the parameter type, or fails with a reason.
std::optional<QVariant> convert(const QJsonValue &v, int typeId, QString &why) {
    switch (typeId) {
    case QMetaType::UChar:
        if (integral(v, 0, 255))
            return QVariant::fromValue(uchar(v.toInt()));
        why = QStringLiteral("a whole number from 0 to 255");
        return std::nullopt;
    case QMetaType::Int:
        if (integral(v, INT_MIN, INT_MAX))
            return QVariant(v.toInt());
        why = QStringLiteral("a whole number");
        return std::nullopt;
    case QMetaType::UInt:
        if (integral(v, 0, UINT_MAX))
            return QVariant(uint(v.toDouble()));
        why = QStringLiteral("a whole number from 0");
        return std::nullopt;
    case QMetaType::Bool:
        if (v.isBool())
            return QVariant(v.toBool());
        why = QStringLiteral("true or false");
        return std::nullopt;
    case QMetaType::QString:
        if (v.isString())
            return QVariant(v.toString());
        why = QStringLiteral("a JSON string, e.g. '\"text\"'");
        return std::nullopt;
    case QMetaType::QStringList: {
        QStringList list;
        const QJsonArray array = v.toArray();
        for (const QJsonValue &e : array)
            if (e.isString())
                list.append(e.toString());
        if (v.isArray() && list.size() == array.size())
            return QVariant(list);
        why = QStringLiteral("an array of strings");
        return std::nullopt;
    }
    case QMetaType::QVariantList:
        if (v.isArray())
            return QVariant(v.toArray().toVariantList());
        why = QStringLiteral("an array");
        return std::nullopt;
    case QMetaType::QVariant:
        return QVariant::fromValue(v.toVariant());
    }
    why = QStringLiteral("a type q7ctl cannot pass");
    return std::nullopt;
}

QJsonValue toJson(const QVariant &value) {
    // A slot returning QVariant hands back a variant inside the result variant.
    if (value.typeId() == QMetaType::QVariant)
        return toJson(value.value<QVariant>());
    if (value.typeId() == QMetaType::UChar)
        return int(value.value<uchar>());
    return QJsonValue::fromVariant(value);
}

} // namespace

bool SlotInvoker::isSupportedType(int typeId) {
    switch (typeId) {
    case QMetaType::UChar:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
    case QMetaType::QVariant:
        return true;
    }
    return false;
}

QList<QMetaMethod> SlotInvoker::publicSlots(const QString &name) const {
    QList<QMetaMethod> found;
    const QMetaObject *meta = m_target->metaObject();
    // Only the view's own slots, not those QQuickWidget and QWidget bring along.
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() != QMetaMethod::Slot || m.access() != QMetaMethod::Public)
            continue;
        if (name.isEmpty() || QString::fromLatin1(m.name()) == name)
            found.append(m);
    }
    return found;
}

QStringList SlotInvoker::describeSlots(const Details &details) const {
    QStringList lines;
    for (const QMetaMethod &m : publicSlots()) {
        QStringList params, names;
        for (int i = 0; i < m.parameterCount(); ++i) {
            names.append(QString::fromLatin1(m.parameterNames().value(i)));
            params.append(QString::fromLatin1(m.parameterTypeName(i)) + QLatin1Char(' ') +
                          names.last());
        }
        QString line =
            QString::fromLatin1(m.name()) + '(' + params.join(QStringLiteral(", ")) + ')';
        if (m.returnType() != QMetaType::Void)
            line += QStringLiteral(" -> ") + QString::fromLatin1(m.typeName());
        lines.append(line);
        if (details)
            for (const QString &detail : details(QString::fromLatin1(m.name()), names))
                lines.append(QStringLiteral("    ") + detail);
    }
    return lines;
}

std::optional<QMetaMethod> SlotInvoker::resolve(const QString &slot, const QStringList &jsonArgs,
                                                QVariantList &args, QString &error) const {
    const QList<QMetaMethod> candidates = publicSlots(slot);
    if (candidates.isEmpty()) {
        error = QStringLiteral("no slot named \"%1\" (see: q7ctl slots)").arg(slot);
        return std::nullopt;
    }

    QList<QJsonValue> values;
    for (const QString &arg : jsonArgs) {
        const auto parsed = parseJson(arg);
        if (!parsed) {
            error = QStringLiteral("argument is not a JSON value: %1").arg(arg);
            return std::nullopt;
        }
        values.append(*parsed);
    }
    if (values.size() > MaxArgs) {
        error = QStringLiteral("too many arguments");
        return std::nullopt;
    }

    // Default arguments give a slot several entries: take the one with this many parameters.
    std::optional<QMetaMethod> method;
    for (const QMetaMethod &m : candidates)
        if (m.parameterCount() == values.size())
            method = m;
    if (!method) {
        QStringList counts;
        for (const QMetaMethod &m : candidates)
            counts.append(QString::number(m.parameterCount()));
        error = QStringLiteral("%1 takes %2 argument(s), %3 given")
                    .arg(slot, counts.join(QStringLiteral(" or ")))
                    .arg(values.size());
        return std::nullopt;
    }

    for (int i = 0; i < values.size(); ++i) {
        QString why;
        const auto v = convert(values[i], method->parameterType(i), why);
        if (!v) {
            error = QStringLiteral("argument %1 (%2 %3) must be %4")
                        .arg(i + 1)
                        .arg(QString::fromLatin1(method->parameterTypeName(i)),
                             QString::fromLatin1(method->parameterNames().value(i)), why);
            return std::nullopt;
        }
        args.append(*v);
    }
    return method;
}

SlotInvoker::Prepared SlotInvoker::prepare(const QString &slot, const QStringList &jsonArgs) const {
    Prepared p;
    const std::optional<QMetaMethod> method = resolve(slot, jsonArgs, p.args, p.error);
    if (method)
        for (const QByteArray &name : method->parameterNames())
            p.parameterNames.append(QString::fromLatin1(name));
    return p;
}

SlotInvoker::Result SlotInvoker::call(const QString &slot, const QStringList &jsonArgs,
                                      bool dryRun) const {
    QVariantList args;
    QString error;
    const std::optional<QMetaMethod> method = resolve(slot, jsonArgs, args, error);
    if (!method)
        return {false, error, std::nullopt};
    if (dryRun)
        return {true, {}, std::nullopt};

    QGenericArgument generic[MaxArgs];
    for (int i = 0; i < args.size(); ++i)
        // The metatype's name lasts as long as the program; parameterTypeName() is a temporary.
        generic[i] =
            QGenericArgument(QMetaType(method->parameterType(i)).name(), args[i].constData());

    const QMetaType returnType = method->returnMetaType();
    const bool hasResult = returnType.id() != QMetaType::Void;
    QVariant result = hasResult ? QVariant(returnType) : QVariant();
    QGenericReturnArgument ret = hasResult
                                     ? QGenericReturnArgument(returnType.name(), result.data())
                                     : QGenericReturnArgument();
    const bool invoked = method->invoke(m_target, Qt::DirectConnection, ret, generic[0], generic[1],
                                        generic[2], generic[3], generic[4], generic[5], generic[6],
                                        generic[7], generic[8], generic[9]);
    if (!invoked)
        return {false, QStringLiteral("could not call %1").arg(slot), {}};
    if (!hasResult)
        return {true, {}, std::nullopt};
    return {true, {}, toJson(result)};
}
