#include "CallPrompt.h"

CallPrompt::CallPrompt(bool answerYes, QStringList files)
    : m_previous(&UserPrompt::current()), m_answerYes(answerYes), m_files(std::move(files)) {
    UserPrompt::install(this);
}

CallPrompt::~CallPrompt() {
    UserPrompt::install(m_previous);
}

void CallPrompt::warning(const QString &title, const QString &text) {
    ++m_warnings;
    m_lines.append(title + QStringLiteral(": ") + text);
}

bool CallPrompt::confirm(const QString &title, const QString &text) {
    m_lines.append(
        QStringLiteral("%1: %2 [%3]")
            .arg(title, text, m_answerYes ? QStringLiteral("OK") : QStringLiteral("Cancel")));
    return m_answerYes;
}

QString CallPrompt::openFileName(const QString &, const QString &, const QString &) {
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString CallPrompt::saveFileName(const QString &, const QString &, const QString &) {
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}
