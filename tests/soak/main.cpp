// q7soak: the program's slots driven at random against a misbehaving virtual mouse.
//   q7soak [--minutes N | --seconds N] [--seed N]   (30 minutes; the seed from the clock)
#include "Soak.h"

#include <QApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char *argv[]) {
    // The pointer settings go to a store of this process, never to the desktop's.
    qputenv("GSETTINGS_BACKEND", "memory");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    qint64 seconds = 30 * 60;
    quint32 seed = quint32(QDateTime::currentMSecsSinceEpoch());
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        bool ok = false;
        const qint64 value = args.at(i + 1).toLongLong(&ok);
        if (!ok || value < 0) {
            std::fprintf(stderr, "usage: q7soak [--minutes N | --seconds N] [--seed N]\n");
            return 2;
        }
        if (args.at(i) == QLatin1String("--minutes"))
            seconds = value * 60;
        else if (args.at(i) == QLatin1String("--seconds"))
            seconds = value;
        else if (args.at(i) == QLatin1String("--seed"))
            seed = quint32(value);
    }
    return Soak(seconds, seed).run() ? 0 : 1;
}
