#include "TrafficLogReader.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

QList<WireReport> readTrafficLog(const QString &path) {
    QList<WireReport> reports;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return reports;
    while (!file.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(file.readLine()).object();
        if (o.isEmpty())
            continue;
        reports.append({o.value(QStringLiteral("kind")).toString(),
                        QByteArray::fromHex(o.value(QStringLiteral("hex")).toString().toLatin1()),
                        o.value(QStringLiteral("refused")).toBool()});
    }
    return reports;
}

QList<QByteArray> reportsOfKind(const QList<WireReport> &log, const QString &kind) {
    QList<QByteArray> out;
    for (const WireReport &r : log)
        if (r.kind == kind)
            out.append(r.bytes);
    return out;
}
