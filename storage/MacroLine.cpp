#include "MacroLine.h"

namespace {
// The markers are Chinese words, compared as text: 按下 press, 松开 release, 延时 delay.
const QString pressMarker = QStringLiteral("      [按下]");
const QString releaseMarker = QStringLiteral("      [松开]");
const QString delayMarker = QStringLiteral("      [延时]");
} // namespace

MacroLine::MacroLine(const QString &line) {
    if (line.size() < markerLength)
        return;
    const QString tail = line.right(markerLength);
    m_value = line.left(line.size() - markerLength);
    if (tail == pressMarker)
        m_kind = Kind::Press;
    else if (tail == releaseMarker)
        m_kind = Kind::Release;
    else if (tail == delayMarker)
        m_kind = Kind::Delay;
}

QString MacroLine::marker(Kind kind) {
    switch (kind) {
    case Kind::Press:
        return pressMarker;
    case Kind::Release:
        return releaseMarker;
    case Kind::Delay:
        return delayMarker;
    case Kind::Unknown:
        break;
    }
    return {};
}
