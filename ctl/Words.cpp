#include "Words.h"

#include "MouseActions.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {
const QString Next = QStringLiteral("next");
const QString Prev = QStringLiteral("prev");
const QStringList RateWords{QStringLiteral("125"), QStringLiteral("250"), QStringLiteral("500"),
                            QStringLiteral("1000")};
const QStringList MacroWords{QStringLiteral("list"), QStringLiteral("show"),
                             QStringLiteral("import"), QStringLiteral("export")};

bool isNumber(const QString &text) {
    bool ok = false;
    text.toInt(&ok);
    return ok;
}

void out(const QString &line) {
    std::printf("%s\n", qUtf8Printable(line));
}

QString numbers(const QJsonArray &values) {
    QStringList texts;
    for (const QJsonValue &v : values)
        texts.append(QString::number(v.toInt()));
    return texts.join(QLatin1Char(' '));
}

// "profile", "profile N", "profile next": what a word with an optional N|next|prev accepts.
std::optional<QString> stepWord(const QStringList &w, const char *what) {
    if (w.size() == 1 || (w.size() == 2 && (isNumber(w[1]) || w[1] == Next || w[1] == Prev)))
        return std::nullopt;
    return QStringLiteral("%1 takes %2, next or prev (or nothing, to print it)")
        .arg(w[0], QLatin1String(what));
}
} // namespace

const QStringList &Words::all() {
    static const QStringList words{
        QStringLiteral("slots"),    QStringLiteral("call"),       QStringLiteral("profile"),
        QStringLiteral("dpi"),      QStringLiteral("dpi-stages"), QStringLiteral("rate"),
        QStringLiteral("lighting"), QStringLiteral("colour"),     QStringLiteral("key"),
        QStringLiteral("macro"),    QStringLiteral("rule"),       QStringLiteral("rules"),
        QStringLiteral("status"),   QStringLiteral("quit")};
    return words;
}

std::optional<QString> Words::usageError(const QStringList &w) {
    const QString word =
        w.value(0) == QLatin1String("color") ? QStringLiteral("colour") : w.value(0);
    const qsizetype n = w.size();
    if (word == QLatin1String("slots") || word == QLatin1String("status") ||
        word == QLatin1String("quit"))
        return n == 1 ? std::nullopt
                      : std::optional<QString>(QStringLiteral("%1 takes no arguments").arg(word));
    if (word == QLatin1String("call"))
        return n >= 2 ? std::nullopt
                      : std::optional<QString>(QStringLiteral("call takes SLOT [ARG...]"));
    if (word == QLatin1String("profile")) {
        if (n == 4 && (w[1] == QLatin1String("import") || w[1] == QLatin1String("export")) &&
            isNumber(w[2]))
            return std::nullopt;
        if (n == 2 && (w[1] == QLatin1String("import") || w[1] == QLatin1String("export")))
            return QStringLiteral("profile %1 takes N FILE").arg(w[1]);
        if (const auto error = stepWord(w, "a profile from 1 to 10"))
            return *error + QStringLiteral("; or import|export N FILE");
        return std::nullopt;
    }
    if (word == QLatin1String("dpi"))
        return stepWord(w, "a stage from 1 to 8");
    if (word == QLatin1String("dpi-stages")) {
        bool fine = n <= 1 + MouseActions::Stages;
        for (qsizetype i = 1; fine && i < n; ++i)
            fine = isNumber(w[i]);
        return fine ? std::nullopt
                    : std::optional<QString>(
                          QStringLiteral("dpi-stages takes up to 8 DPI values (0: stage off)"));
    }
    if (word == QLatin1String("rate"))
        return n == 1 || (n == 2 && RateWords.contains(w[1]))
                   ? std::nullopt
                   : std::optional<QString>(QStringLiteral("rate takes one of %1 (Hz)")
                                                .arg(RateWords.join(QStringLiteral(", "))));
    if (word == QLatin1String("lighting")) {
        bool fine = n != 2 || !w[1].startsWith(QLatin1String("--"));
        for (qsizetype i = 2; fine && i < n; i += 2)
            fine = (w[i] == QLatin1String("--brightness") || w[i] == QLatin1String("--speed")) &&
                   i + 1 < n && isNumber(w[i + 1]);
        return fine ? std::nullopt
                    : std::optional<QString>(
                          QStringLiteral("lighting takes EFFECT [--brightness 0-7] [--speed 0-7]"));
    }
    if (word == QLatin1String("colour"))
        return n == 1 || (n <= 3 && isNumber(w[1]))
                   ? std::nullopt
                   : std::optional<QString>(QStringLiteral("colour takes [STAGE [#RRGGBB]]"));
    if (word == QLatin1String("key"))
        return n <= 3 ? std::nullopt
                      : std::optional<QString>(QStringLiteral("key takes [KEY [FUNCTION]]"));
    if (word == QLatin1String("macro")) {
        const QString sub = w.value(1);
        if ((sub == QLatin1String("list") && n == 2) || (sub == QLatin1String("show") && n == 3) ||
            ((sub == QLatin1String("import") || sub == QLatin1String("export")) && n == 4))
            return std::nullopt;
        return QStringLiteral("macro takes list, show NAME, import NAME FILE or export NAME FILE");
    }
    if (word == QLatin1String("rule")) {
        const QString sub = w.value(1);
        if ((sub == QLatin1String("list") && n == 2) ||
            (sub == QLatin1String("add") && n == 4 && isNumber(w[3])) ||
            (sub == QLatin1String("remove") && n == 3) ||
            (sub == QLatin1String("default") && n == 3 &&
             (isNumber(w[2]) || w[2] == QLatin1String("none"))))
            return std::nullopt;
        return QStringLiteral(
            "rule takes list, add APP PROFILE, remove APP or default PROFILE|none");
    }
    if (word == QLatin1String("rules"))
        return n == 1 || (n == 2 && (w[1] == QLatin1String("on") || w[1] == QLatin1String("off")))
                   ? std::nullopt
                   : std::optional<QString>(QStringLiteral("rules takes on or off"));
    return QStringLiteral("%1\"%2\" is not a word of q7ctl; the words are: %3")
        .arg(w.isEmpty() ? QStringLiteral("no word given: ") : QString(), w.value(0),
             all().join(QStringLiteral(", ")));
}

QStringList Words::withAbsoluteFiles(QStringList w) {
    const bool files =
        (w.value(0) == QLatin1String("profile") || w.value(0) == QLatin1String("macro")) &&
        (w.value(1) == QLatin1String("import") || w.value(1) == QLatin1String("export")) &&
        w.size() == 4;
    if (files)
        w[3] = QFileInfo(w[3]).absoluteFilePath();
    return w;
}

int Words::exitCode(SlotOutcome::Status status) {
    using Status = SlotOutcome::Status;
    switch (status) {
    case Status::Done:
        return Ok;
    case Status::BadArgument:
        return Usage;
    case Status::DeviceAbsent:
        return Absent;
    case Status::DeviceBusy:
        return Busy;
    case Status::ExchangeFailed:
    case Status::NotDone:
    case Status::FileNotWritten:
        break;
    }
    return Failed;
}

SlotOutcome Words::runWord(const QStringList &w, bool confirmed) {
    const QString word = w[0] == QLatin1String("color") ? QStringLiteral("colour") : w[0];
    const qsizetype n = w.size();
    const QString a1 = w.value(1), a2 = w.value(2), a3 = w.value(3);
    if (word == QLatin1String("call"))
        return m_caller.call({a1, w.mid(2), {}, confirmed});
    if (word == QLatin1String("profile")) {
        if (n == 4)
            return a1 == QLatin1String("import") ? m_actions.importProfile(a2.toInt(), a3)
                                                 : m_actions.exportProfile(a2.toInt(), a3);
        if (n == 1)
            return m_actions.profile();
        return a1 == Next   ? m_actions.stepProfile(1)
               : a1 == Prev ? m_actions.stepProfile(-1)
                            : m_actions.selectProfile(a1.toInt());
    }
    if (word == QLatin1String("dpi")) {
        if (n == 1)
            return m_actions.dpiStage();
        return a1 == Next   ? m_actions.stepDpiStage(1)
               : a1 == Prev ? m_actions.stepDpiStage(-1)
                            : m_actions.setDpiStage(a1.toInt());
    }
    if (word == QLatin1String("dpi-stages")) {
        if (n == 1)
            return m_actions.dpiStages();
        QList<int> values;
        for (qsizetype i = 1; i < n; ++i)
            values.append(w[i].toInt());
        return m_actions.setDpiStages(values);
    }
    if (word == QLatin1String("rate"))
        return n == 1 ? m_actions.pollingRate() : m_actions.setPollingRate(a1.toInt());
    if (word == QLatin1String("lighting")) {
        if (n == 1)
            return m_actions.lighting();
        int brightness = -1, speed = -1;
        for (qsizetype i = 2; i + 1 < n; i += 2)
            (w[i] == QLatin1String("--brightness") ? brightness : speed) = w[i + 1].toInt();
        return m_actions.setLighting(a1, brightness, speed);
    }
    if (word == QLatin1String("colour")) {
        if (n == 3)
            return m_actions.setStageColour(a1.toInt(), a2);
        SlotOutcome all = m_actions.stageColours();
        if (n == 2 && all.done()) {
            if (a1.toInt() < 1 || a1.toInt() > MouseActions::Stages)
                return SlotOutcome::failure(SlotOutcome::Status::BadArgument,
                                            QStringLiteral("stage %1: stages are 1 to 8").arg(a1));
            all.value = all.value->toArray().at(a1.toInt() - 1);
        }
        return all;
    }
    if (word == QLatin1String("key"))
        return n == 3   ? m_actions.setKey(a1, a2)
               : n == 2 ? m_actions.keyFunction(a1)
                        : m_actions.keyFunctions();
    if (word == QLatin1String("macro")) {
        if (a1 == QLatin1String("list"))
            return m_actions.macroNames();
        if (a1 == QLatin1String("show"))
            return m_actions.macroLines(a2);
        return a1 == QLatin1String("import") ? m_actions.importMacro(a2, a3)
                                             : m_actions.exportMacro(a2, a3);
    }
    if (word == QLatin1String("rule")) {
        if (a1 == QLatin1String("list"))
            return m_actions.rules();
        if (a1 == QLatin1String("add"))
            return m_actions.addRule(a2, a3.toInt());
        if (a1 == QLatin1String("remove"))
            return m_actions.removeRule(a2);
        return m_actions.setDefaultRule(a2 == QLatin1String("none") ? 0 : a2.toInt());
    }
    if (word == QLatin1String("rules")) {
        if (n == 2)
            return m_actions.setRulesOn(a1 == QLatin1String("on"));
        SlotOutcome all = m_actions.rules();
        if (all.done())
            all.value = all.value->toObject().value(QStringLiteral("rulesOn")).toBool()
                            ? QStringLiteral("on")
                            : QStringLiteral("off");
        return all;
    }
    return m_actions.status();
}

void Words::print(const QStringList &w, const SlotOutcome &outcome, bool json) {
    if (!outcome.value || outcome.value->isUndefined() || outcome.value->isNull())
        return;
    const QJsonValue v = *outcome.value;
    const QString word = w[0];
    if (word == QLatin1String("call") || (json && word == QLatin1String("status"))) {
        out(jsonText(v));
    } else if (word == QLatin1String("rule") && v.isObject()) {
        // One rule a line, the profile first (application names may hold spaces).
        for (const QJsonValue &r : v[QStringLiteral("rules")].toArray())
            out(QStringLiteral("%1 %2")
                    .arg(r[QStringLiteral("profile")].toInt())
                    .arg(r[QStringLiteral("application")].toString()));
        const int fallback = v[QStringLiteral("default")].toInt();
        out(QStringLiteral("default %1")
                .arg(fallback > 0 ? QString::number(fallback) : QStringLiteral("none")));
    } else if (word == QLatin1String("status")) {
        const QJsonObject s = v.toObject();
        const auto row = [](const char *label, const QString &text) {
            out(QStringLiteral("%1%2").arg(QLatin1String(label), -15).arg(text));
        };
        if (s.contains(QStringLiteral("device")))
            row("mouse", s.value(QStringLiteral("device")).toString());
        row("profile", QString::number(s.value(QStringLiteral("profile")).toInt()));
        row("dpi stage", QStringLiteral("%1 of %2")
                             .arg(s.value(QStringLiteral("dpiStage")).toInt())
                             .arg(s.value(QStringLiteral("dpiStageCount")).toInt()));
        row("dpi stages", numbers(s.value(QStringLiteral("dpiStages")).toArray()));
        row("polling rate",
            QStringLiteral("%1 Hz").arg(s.value(QStringLiteral("pollingRate")).toInt()));
        row("lighting", s.value(QStringLiteral("lighting")).toString());
        QStringList colours;
        for (const QJsonValue &c : s.value(QStringLiteral("stageColours")).toArray())
            colours.append(c.toString());
        row("stage colours", colours.join(QLatin1Char(' ')));
        row("scroll swap", s.value(QStringLiteral("scrollSwap")).toBool() ? QStringLiteral("on")
                                                                          : QStringLiteral("off"));
        const char *label = "keys";
        for (const QJsonValue &k : s.value(QStringLiteral("keys")).toArray()) {
            const QJsonObject key = k.toObject();
            row(label, QStringLiteral("%1 %2: %3")
                           .arg(key.value(QStringLiteral("key")).toInt(), 2)
                           .arg(key.value(QStringLiteral("name")).toString(),
                                key.value(QStringLiteral("function")).toString()));
            label = "";
        }
    } else if (v.isArray()) {
        const QJsonArray list = v.toArray();
        if (word == QLatin1String("dpi-stages")) {
            out(numbers(list));
            return;
        }
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonValue e = list.at(i);
            if (e.isObject()) // key
                out(QStringLiteral("%1 %2 %3")
                        .arg(e[QStringLiteral("key")].toInt())
                        .arg(e[QStringLiteral("name")].toString(),
                             e[QStringLiteral("function")].toString()));
            else if (word == QLatin1String("colour") || word == QLatin1String("color"))
                out(QStringLiteral("%1 %2").arg(i + 1).arg(e.toString()));
            else
                out(e.toString());
        }
    } else if (v.isString()) {
        out(v.toString());
    } else {
        out(jsonText(v));
    }
}

int Words::run(const QStringList &words, bool confirmed, bool json) {
    const SlotOutcome outcome = runWord(words, confirmed);
    // The result is printed even when not all was done, as the slot gave it.
    if (outcome.status != SlotOutcome::Status::BadArgument)
        print(words, outcome, json);
    for (const QString &line : outcome.messages)
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(line));
    return exitCode(outcome.status);
}
