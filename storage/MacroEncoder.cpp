#include "MacroEncoder.h"

#include "KeyNameMap.h"
#include "MacroLine.h"

#include <algorithm>

namespace {

constexpr char pressFlag = 0x01;
constexpr char releaseFlag = static_cast<char>(0x81);
constexpr char keyboardDelayMark = 0x7F;
constexpr char mediumDelayMark = 0x01;
constexpr char longDelayMark[2] = {0x00, 0x01};

// Mouse delay bands, in ms: folded into the event before, one byte of 20 ms units, two bytes.
constexpr int mouseShortDelayMax = 1270;
constexpr int mouseMediumDelayMax = 5100;

// The mouse keeps the delay after an event in the low seven bits of the event's first byte.
constexpr quint8 releaseBit = 0x80;
constexpr quint8 shortDelayBits = 0x7F;

QByteArray twoBytes(char first, char second) {
    QByteArray bytes;
    bytes.append(first).append(second);
    return bytes;
}

// A delay's count has 16 bits on the device: a longer delay is the longest the device holds, never
// one that wraps round to a short one (or overflows on the way).
constexpr qint64 longestCount = 0xFFFF;

int delayCount(int ms, int unitMs, qint64 roundingMs) {
    return int(std::min((qint64(ms) + roundingMs) / unitMs, longestCount));
}

QByteArray withCount(char first, char second, int count) {
    QByteArray bytes = twoBytes(first, second);
    bytes.append(static_cast<char>((count >> 8) & 0xFF)).append(static_cast<char>(count & 0xFF));
    return bytes;
}

// The pair the delay follows is whatever is last, the header when nothing was encoded yet.
void foldShortDelay(MacroEncoder::Records &records, int ms) {
    QByteArray &last = records.last().bytes;
    const qsizetype at = last.size() - 2;
    const quint8 units = static_cast<quint8>((std::max(ms, 10) + 5) / 10);
    const quint8 kept = static_cast<quint8>(last.at(at)) & releaseBit;
    last[at] = static_cast<char>(kept | (units & shortDelayBits));
}

void appendMouseDelay(MacroEncoder::Records &records, int ms, bool mayFold) {
    if (ms <= mouseShortDelayMax && mayFold) {
        foldShortDelay(records, ms);
    } else if (ms > mouseShortDelayMax && ms <= mouseMediumDelayMax) {
        records.append({twoBytes(static_cast<char>((ms + 10) / 20), mediumDelayMark)});
    } else {
        records.append(
            {withCount(longDelayMark[0], longDelayMark[1], delayCount(std::max(ms, 20), 20, 10))});
    }
}

} // namespace

const QByteArray MacroEncoder::header = twoBytes(0x00, 0x01);
const QByteArray MacroEncoder::terminator = twoBytes(0x00, 0x00);

MacroEncoder::MacroEncoder(DeviceTypeSource deviceType) : m_deviceType(std::move(deviceType)) {}

QVariantList MacroEncoder::macroIncode(const QStringList &macros) const {
    const QByteArray bytes = join(encode(macros, m_deviceType ? m_deviceType() : -1));
    QVariantList values;
    values.reserve(bytes.size());
    for (const char byte : bytes)
        values.append(static_cast<quint8>(byte));
    return values;
}

MacroEncoder::Records MacroEncoder::encode(const QStringList &lines, int deviceType) {
    Records records{{header}};
    bool previousWasDelay = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const MacroLine line(lines.at(i));
        switch (line.kind()) {
        case MacroLine::Kind::Press:
        case MacroLine::Kind::Release:
            if (const quint8 usage = KeyNameMap::instance().usage(line.value())) {
                const bool isPress = line.kind() == MacroLine::Kind::Press;
                records.append(
                    {twoBytes(isPress ? pressFlag : releaseFlag, static_cast<char>(usage)),
                     isPress ? usage : quint8(0), isPress ? quint8(0) : usage});
            }
            break;
        case MacroLine::Kind::Delay: {
            // Not a number, zero or negative: the page never writes these; leave them out.
            const int ms = line.value().toInt();
            if (ms <= 0)
                break;
            if (deviceType == DeviceType::keyboard)
                records.append({withCount(keyboardDelayMark, 0x00, delayCount(ms, 10, 0))});
            else if (deviceType == DeviceType::mouse)
                appendMouseDelay(records, ms, i > 0 && !previousWasDelay);
            break;
        }
        case MacroLine::Kind::Unknown:
            break;
        }
        previousWasDelay = line.kind() == MacroLine::Kind::Delay;
    }
    records.append({terminator});
    return records;
}

QByteArray MacroEncoder::join(const Records &records) {
    QByteArray bytes;
    for (const Record &record : records)
        bytes.append(record.bytes);
    return bytes;
}
