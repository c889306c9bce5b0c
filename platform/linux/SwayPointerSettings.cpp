#include "SwayPointerSettings.h"

#include <QJsonObject>

namespace {
constexpr char PointerType[] = "pointer";
} // namespace

SwayPointerSettings::SwayPointerSettings(const QString &socketPath, Device mouse,
                                         InputPicker picker)
    : m_ipc(socketPath), m_mouse(mouse), m_picker(std::move(picker)) {
    if (!m_picker)
        m_picker = [mouse](const QJsonArray &inputs) { return mousePointers(inputs, mouse); };
}

QStringList SwayPointerSettings::mousePointers(const QJsonArray &inputs, Device mouse) {
    QStringList found;
    for (const QJsonValue &value : inputs) {
        const QJsonObject input = value.toObject();
        if (input.value(QLatin1String("type")).toString() == QLatin1String(PointerType) &&
            input.value(QLatin1String("vendor")).toInt(-1) == mouse.vendor &&
            input.value(QLatin1String("product")).toInt(-1) == mouse.product)
            found.append(input.value(QLatin1String("identifier")).toString());
    }
    return found;
}

std::optional<QJsonArray> SwayPointerSettings::inputs() {
    const std::optional<QJsonDocument> reply = m_ipc.request(SwayIpc::GetInputs);
    if (!reply) {
        fail(m_ipc.lastError());
        return std::nullopt;
    }
    return reply->array();
}

bool SwayPointerSettings::configure(const QString &setting) {
    const std::optional<QJsonArray> list = inputs();
    if (!list)
        return false;
    const QStringList identifiers = m_picker(*list);
    if (identifiers.isEmpty())
        return fail(QStringLiteral("sway lists no pointer of the mouse (%1:%2)")
                        .arg(m_mouse.vendor, 4, 16, QLatin1Char('0'))
                        .arg(m_mouse.product, 4, 16, QLatin1Char('0')));
    QStringList commands;
    for (const QString &identifier : identifiers) {
        // Identifiers are "vendor:product:name"; a quote in the name would end the argument.
        if (identifier.contains(QLatin1Char('"')) || identifier.contains(QLatin1Char('\\')))
            return fail(QStringLiteral("sway's identifier %1 cannot be quoted").arg(identifier));
        commands.append(QStringLiteral("input \"%1\" %2").arg(identifier, setting));
    }
    if (!m_ipc.run(commands.join(QStringLiteral("; "))))
        return fail(m_ipc.lastError());
    return succeed();
}

bool SwayPointerSettings::setSpeed(int speed) {
    return configure(QStringLiteral("pointer_accel %1").arg(desktopSpeed(speed), 0, 'f', 3));
}

bool SwayPointerSettings::setAcceleration(bool on) {
    return configure(QStringLiteral("accel_profile %1")
                         .arg(on ? QLatin1String("adaptive") : QLatin1String("flat")));
}

bool SwayPointerSettings::setWheelLines(int lines) {
    return configure(QStringLiteral("scroll_factor %1").arg(scrollFactor(lines), 0, 'f', 3));
}

std::optional<bool> SwayPointerSettings::acceleration() {
    const std::optional<QJsonArray> list = inputs();
    if (!list)
        return std::nullopt;
    const QStringList mine = m_picker(*list);
    for (const QJsonValue &value : *list) {
        const QJsonObject input = value.toObject();
        if (!mine.contains(input.value(QLatin1String("identifier")).toString()))
            continue;
        const QString profile = input.value(QLatin1String("libinput"))
                                    .toObject()
                                    .value(QLatin1String("accel_profile"))
                                    .toString();
        if (!profile.isEmpty())
            return profile != QLatin1String("flat");
    }
    fail(QStringLiteral("sway lists no acceleration profile for the mouse"));
    return std::nullopt;
}
