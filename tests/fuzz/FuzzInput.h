#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// A fuzz input read front to back as the values a target needs. Past the end every byte reads as
// 0 and every run of bytes as empty, so a target never has to check how much is left.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_at >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_at++]; }
    // 0 … count - 1.
    int choose(int count) { return count > 0 ? byte() % count : 0; }
    QByteArray bytes(size_t count) {
        const size_t n = std::min(count, left());
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_at), qsizetype(n));
        m_at += n;
        return out;
    }
    // Up to the next newline, which is taken and left out.
    QByteArray line() {
        QByteArray out;
        while (!atEnd()) {
            const char c = char(m_data[m_at++]);
            if (c == '\n')
                break;
            out.append(c);
        }
        return out;
    }
    QByteArray rest() { return bytes(left()); }
    QStringList lines() {
        QStringList out;
        while (!atEnd())
            out.append(QString::fromUtf8(line()));
        return out;
    }

private:
    size_t left() const { return atEnd() ? 0 : m_size - m_at; }

    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};
