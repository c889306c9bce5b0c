#pragma once

#include <QProcessEnvironment>
#include <QString>

// How the scene is drawn. Without a graphics device OpenGL is rasterised on the CPU (Mesa's
// llvmpipe), which for this 2D scene costs tens of MiB and a slower start than Qt Quick's own
// software renderer, which then draws instead. QT_QUICK_BACKEND or QSG_RHI_BACKEND, when set,
// decide.
namespace SceneRenderer {

// Whether the machine has a device that hardware OpenGL could draw with: a DRM node, or the
// NVIDIA driver's control node. `devRoot` stands in for /dev in tests.
bool hasGraphicsDevice(const QString &devRoot = QStringLiteral("/dev"));

// Whether the software renderer should draw the scene.
bool softwareWanted(const QProcessEnvironment &env, bool graphicsDevice);

// Whether the software renderer will draw it: chosen here, or by the user's QT_QUICK_BACKEND.
bool drawsInSoftware(const QProcessEnvironment &env, bool graphicsDevice);

} // namespace SceneRenderer
