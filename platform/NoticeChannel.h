#pragma once

#include <QObject>
#include <QString>

#include <functional>

class UnixSocketServer;

// Shows a notice in the program's window found by its title. The receiver accepts only messages
// carrying NoticeCode whose announced length equals the UTF-8 length of the text, and RaiseCode
// with an activation token (or none) of the announced length.
class NoticeChannel : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 NoticeCode = 9487;
    // A second start of the program asks the running one to show its window.
    static constexpr quint32 RaiseCode = 9488;
    // Activation tokens are short printable strings; anything else is not one.
    static constexpr int MaxTokenBytes = 1024;

    explicit NoticeChannel(QObject *parent = nullptr);

    // Starts receiving for the window with this title; false when another live window has it.
    bool listen(const QString &windowTitle);
    QString serverName() const;

    // Sends to the first window with this title. False when none answers.
    static bool send(const QString &windowTitle, const QString &text);
    // Asks the window with this title to come to the front, with the activation token that
    // token() gives once a window has answered (so a start that finds none asks for none).
    // False when none answers.
    static bool sendRaise(const QString &windowTitle,
                          const std::function<QByteArray()> &token = nullptr);
    // The raw message, for callers that build their own.
    static bool sendRaw(const QString &windowTitle, quint32 code, quint32 length,
                        const QByteArray &data);
    static QString serverNameFor(const QString &windowTitle);

signals:
    void noticeReceived(const QString &text);
    // token: the activation token the second start passed, empty when it had none.
    void raiseRequested(const QByteArray &token);

private:
    void handleMessage(const QByteArray &message);

    UnixSocketServer *m_server = nullptr;
    QString m_title;
};
