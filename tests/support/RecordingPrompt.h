#pragma once

#include "UserPrompt.h"

#include <QStringList>

// Remembers what the program would have shown, answers confirmations and file dialogs as told.
class RecordingPrompt : public UserPrompt {
public:
    RecordingPrompt() { UserPrompt::install(this); }
    ~RecordingPrompt() override { UserPrompt::install(nullptr); }

    void warning(const QString &title, const QString &text) override {
        warnings.append(text);
        titles.append(title);
    }
    bool confirm(const QString &title, const QString &text) override {
        titles.append(title);
        confirmations.append(text);
        return answerYes;
    }
    QString openFileName(const QString &, const QString &, const QString &) override {
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(const QString &, const QString &, const QString &) override {
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QStringList warnings;
    QStringList confirmations;
    QStringList titles;
    QStringList fileNames;
    bool answerYes = true;
};
