#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>

// One call of a view slot by name from outside the window, as q7ctl and the D-Bus interface make
// it: arguments as JSON texts, checked against the slot's types and domain before it runs.
struct SlotRequest {
    QString slot;
    QStringList jsonArgs;
    QStringList files;      // what the slot's file dialogs answer, in order
    bool confirmed = false; // the safety questions are answered with OK
};

// What the call came to. Each status other than Done is one exit code of q7ctl and one named
// D-Bus error.
struct SlotOutcome {
    enum class Status {
        Done,
        BadArgument,
        DeviceAbsent,
        DeviceBusy,
        ExchangeFailed,
        NotDone,
        FileNotWritten
    };
    Status status = Status::Done;
    // What the user is told, one line each: warnings the slot gave, failed exchanges, refusals.
    QStringList messages;
    std::optional<QJsonValue> value; // the slot's result (also when not done); none for void

    bool done() const { return status == Status::Done; }
    static SlotOutcome failure(Status status, const QString &message) {
        SlotOutcome o;
        o.status = status;
        o.messages.append(message);
        return o;
    }
};

// One JSON value as text, as q7ctl prints a result and takes an argument.
inline QString jsonText(const QJsonValue &value) {
    // QJsonDocument holds only arrays and objects: the value inside a one-element array.
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

class SlotCaller {
public:
    virtual ~SlotCaller() = default;
    virtual SlotOutcome call(const SlotRequest &request) = 0;
};
