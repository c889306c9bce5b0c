#include "BusSlotCaller.h"

#include "BusNames.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
std::optional<QJsonValue> parsed(const QString &json) {
    if (json.isEmpty())
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(('[' + json + ']').toUtf8());
    return doc.array().first();
}
} // namespace

bool BusSlotCaller::windowRunning() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(BusNames::service()).value();
}

bool BusSlotCaller::endProgram(QString *error) {
    const QDBusMessage answer = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(BusNames::service(), BusNames::path(), BusNames::interface(),
                                       QStringLiteral("Quit")),
        QDBus::Block, TimeoutMs);
    if (answer.type() == QDBusMessage::ReplyMessage)
        return true;
    *error = answer.errorMessage();
    return false;
}

SlotOutcome BusSlotCaller::call(const SlotRequest &request) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        BusNames::service(), BusNames::path(), BusNames::interface(), QStringLiteral("Call"));
    message << request.slot << request.jsonArgs
            << QVariantMap{{QStringLiteral("files"), request.files},
                           {QStringLiteral("confirmed"), request.confirmed}};
    const QDBusMessage answer =
        QDBusConnection::sessionBus().call(message, QDBus::Block, TimeoutMs);
    if (answer.type() == QDBusMessage::ReplyMessage) {
        SlotOutcome done;
        done.value = parsed(answer.arguments().value(0).toString());
        return done;
    }
    if (!BusNames::isOurs(answer.errorName())) {
        m_lost = true;
        return SlotOutcome::failure(
            SlotOutcome::Status::NotDone,
            QStringLiteral("the q7config window did not answer: %1").arg(answer.errorMessage()));
    }
    SlotOutcome failed;
    failed.status = BusNames::statusOf(answer.errorName());
    failed.messages = answer.errorMessage().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!failed.messages.isEmpty() && failed.messages.last().startsWith(BusNames::ResultLine))
        failed.value = parsed(failed.messages.takeLast().mid(BusNames::ResultLine.size()));
    return failed;
}
