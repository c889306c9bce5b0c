#pragma once

#include "UserPrompt.h"

#include <QStringList>

#include <functional>

// Answers every box of the soak without a window: confirmations and file dialogs at random from
// the choices it is given (a file, a damaged one, a folder, nothing at all), and counts warnings.
class SoakPrompt : public UserPrompt {
public:
    using Pick = std::function<int(int count)>; // 0 … count - 1

    SoakPrompt(Pick pick, QStringList openChoices, QStringList saveChoices)
        : m_pick(std::move(pick)), m_open(std::move(openChoices)), m_save(std::move(saveChoices)) {
        UserPrompt::install(this);
    }
    ~SoakPrompt() override { UserPrompt::install(nullptr); }

    void warning(const QString &, const QString &) override { ++warnings; }
    bool confirm(const QString &, const QString &) override { return m_pick(2) == 1; }
    QString openFileName(const QString &, const QString &, const QString &) override {
        return m_open.value(m_pick(int(m_open.size())));
    }
    QString saveFileName(const QString &, const QString &, const QString &) override {
        return m_save.value(m_pick(int(m_save.size())));
    }

    int warnings = 0;

private:
    Pick m_pick;
    QStringList m_open;
    QStringList m_save;
};
