#include "SceneRenderer.h"

#include <QDir>
#include <QFileInfo>

bool SceneRenderer::hasGraphicsDevice(const QString &devRoot) {
    const QStringList nodes =
        QDir(devRoot + QStringLiteral("/dri"))
            .entryList(QDir::System | QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &node : nodes) {
        if (node.startsWith(QLatin1String("card")) || node.startsWith(QLatin1String("renderD")))
            return true;
    }
    return QFileInfo::exists(devRoot + QStringLiteral("/nvidiactl"));
}

bool SceneRenderer::softwareWanted(const QProcessEnvironment &env, bool graphicsDevice) {
    if (env.contains(QStringLiteral("QT_QUICK_BACKEND")) ||
        env.contains(QStringLiteral("QSG_RHI_BACKEND")))
        return false;
    return !graphicsDevice;
}

bool SceneRenderer::drawsInSoftware(const QProcessEnvironment &env, bool graphicsDevice) {
    const QString backend = env.value(QStringLiteral("QT_QUICK_BACKEND"));
    // Qt takes the older name too.
    return softwareWanted(env, graphicsDevice) || backend == QLatin1String("software") ||
           backend == QLatin1String("softwarecontext");
}
