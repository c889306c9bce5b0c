#include "SoundServer.h"

#include <QFileInfo>

bool SoundServer::mayListen(const QProcessEnvironment &env, const QString &systemSocket) {
    // A server named outright may be anywhere, even on another machine.
    if (!env.value(QStringLiteral("PULSE_SERVER")).isEmpty())
        return true;
    const QString runtime = env.value(QStringLiteral("PULSE_RUNTIME_PATH"));
    const QString session = env.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/native")))
        return true;
    if (!session.isEmpty() && QFileInfo::exists(session + QStringLiteral("/pulse/native")))
        return true;
    return QFileInfo::exists(systemSocket);
}
