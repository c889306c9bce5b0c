#include "ConsolePrompt.h"

#include <cstdio>

void ConsolePrompt::warning(const QString &title, const QString &text) {
    ++m_warnings;
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
}

bool ConsolePrompt::confirm(const QString &title, const QString &text) {
    std::fprintf(stderr, "%s: %s [%s]\n", qUtf8Printable(title), qUtf8Printable(text),
                 m_answerYes ? "OK" : "Cancel");
    return m_answerYes;
}

QString ConsolePrompt::openFileName(const QString &caption, const QString &, const QString &) {
    return nextFileName(caption);
}

QString ConsolePrompt::saveFileName(const QString &caption, const QString &, const QString &) {
    return nextFileName(caption);
}

QString ConsolePrompt::nextFileName(const QString &caption) {
    if (m_fileNames.isEmpty()) {
        std::fprintf(stderr, "%s: no file given, cancelled\n", qUtf8Printable(caption));
        return {};
    }
    return m_fileNames.takeFirst();
}
