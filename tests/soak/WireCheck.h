#pragma once

#include "VirtualMouse.h"

#include <QList>
#include <QStringList>

// What the program put on the wire, read back from the virtual mouse's traffic log: every command
// frame is 9 bytes of report 0 that the mouse took, and output reports are whole reports that
// follow a bulk set, no more of them than the set carries.
class WireCheck {
public:
    explicit WireCheck(int reportLength) : m_reportLength(reportLength) {}

    void check(const QList<VirtualMouse::Report> &reports);

    int frames() const { return m_frames; }
    int outputs() const { return m_outputs; }
    int malformed() const { return m_malformed; }
    int refused() const { return m_refused; }
    // One line per report that was not well formed.
    const QStringList &problems() const { return m_problems; }

private:
    void frame(const QByteArray &bytes, bool refused);
    void output(const QByteArray &bytes);

    int m_reportLength;
    int m_frames = 0;
    int m_outputs = 0;
    int m_malformed = 0;
    int m_refused = 0;
    int m_outputsLeft = 0; // of the bulk set last sent
    QStringList m_problems;
};
