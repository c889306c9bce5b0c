#pragma once

#include "KernelRig.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// q7config as a user runs it, on an X display of its own (Xvfb), started by the rig so that it
// sees the rig's devices. Clicks go in with xdotool; the window's responsiveness is measured by
// pinging it through its notice channel, which answers from the GUI thread.
class KernelWindow {
public:
    static constexpr const char *Title = "Q7 Gaming Mouse";

    // loggingRules: QT_LOGGING_RULES for the program, e.g. "q7.input.debug=true".
    explicit KernelWindow(const KernelRig &rig, KernelRig::Access access = KernelRig::Access::Full,
                          const QString &loggingRules = {});
    ~KernelWindow();

    bool isRunning() const { return m_program.state() != QProcess::NotRunning; }
    // Waits for a line of the program's output, pinging the window meanwhile.
    bool waitFor(const QRegularExpression &line, int timeoutMs = 30000);
    bool waitFor(const QString &text, int timeoutMs = 30000);
    const QString &output() const { return m_output; }
    int count(const QString &text) const { return int(m_output.count(text)); }
    // Lets time pass, pinging the window and collecting its output.
    void idle(int ms);
    // The longest the window took to answer a ping so far.
    int slowestAnswerMs() const { return m_slowestMs; }

    // Opens the sensor page and presses its Apply, again while the mouse sees no command frame
    // come of it (the page answers once the opening animation is over). True when one came.
    bool applySensorPage(const QString &mouse = QStringLiteral("q7"));
    // How many windows with the program's title are on the screen (a message box has it too).
    int visibleWindows() const;
    // Presses Return on the window that has the focus (a message box's OK).
    bool pressReturn();
    // Ends the program (if still running) and the display.
    void end();

private:
    QString xdotool(const QStringList &args) const;
    bool click(int x, int y) const;
    void ping();
    void collect();
    // Adds to the output how the program ended, once it has ended on its own.
    void noteEnd();

    const KernelRig &m_rig;
    QProcess m_xserver;
    QString m_display;
    QProcess m_program;
    QString m_output;
    int m_slowestMs = 0;
    bool m_endNoted = false;
    QElapsedTimer m_sincePing;
};
