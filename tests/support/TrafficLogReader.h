#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One report of the virtual mouse's traffic log, whichever seam served it.
struct WireReport {
    QString kind; // feature_out, feature_in, output, input, event
    QByteArray bytes;
    bool refused = false;
};

// The log's reports in order; none when it is missing.
QList<WireReport> readTrafficLog(const QString &path);
// The bytes of every report of one kind, in order.
QList<QByteArray> reportsOfKind(const QList<WireReport> &log, const QString &kind);
