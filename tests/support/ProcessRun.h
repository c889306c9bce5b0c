#pragma once

#include <QProcess>
#include <QString>

// How a program a test ran ended and what it printed; exitCode -1 when it crashed or hung.
struct ProcessRun {
    int exitCode = -1;
    QString out;
    QString err;

    // Waits for a started process, killed after timeoutMs, and takes its output.
    static ProcessRun finish(QProcess &process, int timeoutMs) {
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return {
                -1,
                {},
                QStringLiteral("%1 did not end: %2").arg(process.program(), process.errorString())};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
};
