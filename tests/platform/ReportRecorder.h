#pragma once

#include "KeyTranslator.h"

#include <QStringList>

// Every report of a translator as a short line: "key 04 down", "button f0 up 412,300".
class ReportRecorder {
public:
    explicit ReportRecorder(KeyTranslator &translator) {
        QObject::connect(
            &translator, &KeyTranslator::keyReported, &translator,
            [this](uint8_t usage, bool isDown) { lines.append(keyLine(usage, isDown)); });
        QObject::connect(&translator, &KeyTranslator::buttonReported, &translator,
                         [this](uint8_t code, bool isDown, int x, int y) {
                             lines.append(QStringLiteral("button %1 %2 %3,%4")
                                              .arg(code, 2, 16, QLatin1Char('0'))
                                              .arg(isDown ? "down" : "up")
                                              .arg(x)
                                              .arg(y));
                         });
    }

    static QString keyLine(int usage, bool isDown) {
        return QStringLiteral("key %1 %2")
            .arg(usage, 2, 16, QLatin1Char('0'))
            .arg(isDown ? "down" : "up");
    }

    QStringList take() { return std::exchange(lines, {}); }

    QStringList lines;
};
