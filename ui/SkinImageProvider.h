#pragma once

#include <QQuickImageProvider>

// image://skin/<path>: a skin picture as large as the window, served as a FileTextureFactory so
// that it is not kept decoded beside its texture. The path is relative to the working folder, as
// the scene's file: URLs are.
class SkinImageProvider : public QQuickImageProvider {
public:
    static constexpr char Id[] = "skin";

    SkinImageProvider();

    QQuickTextureFactory *requestTexture(const QString &id, QSize *size,
                                         const QSize &requestedSize) override;
};
