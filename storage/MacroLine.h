#pragma once

#include <QString>

// A macro line is its value (key name or delay in ms) followed by a 10-character marker: six
// spaces and a bracketed word saying press, release or delay.
class MacroLine {
public:
    enum class Kind { Press, Release, Delay, Unknown };

    static constexpr int markerLength = 10;

    explicit MacroLine(const QString &line);

    Kind kind() const { return m_kind; }
    const QString &value() const { return m_value; }

    static QString marker(Kind kind);
    static QString make(const QString &value, Kind kind) { return value + marker(kind); }

private:
    Kind m_kind = Kind::Unknown;
    QString m_value;
};
