#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Shows a notice in the program's window found by its title. The receiver accepts only messages
// carrying NoticeCode whose announced length equals the UTF-8 length of the text, and RaiseCode
// with no text.
class NoticeChannel : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 NoticeCode = 9487;
    // A second start of the program asks the running one to show its window.
    static constexpr quint32 RaiseCode = 9488;

    explicit NoticeChannel(QObject *parent = nullptr);

    // Starts receiving for the window with this title; false when another live window has it.
    bool listen(const QString &windowTitle);
    QString serverName() const;

    // Sends to the first window with this title. False when none answers.
    static bool send(const QString &windowTitle, const QString &text);
    // Asks the window with this title to come to the front. False when none answers.
    static bool sendRaise(const QString &windowTitle);
    // The raw message, for callers that build their own.
    static bool sendRaw(const QString &windowTitle, quint32 code, quint32 length,
                        const QByteArray &data);
    static QString serverNameFor(const QString &windowTitle);

signals:
    void noticeReceived(const QString &text);
    void raiseRequested();

private:
    void readMessage(class QLocalSocket *socket);

    QLocalServer *m_server = nullptr;
    QString m_title;
};
