#pragma once

#include <QQuickImageProvider>

// image://skin/<path>: a skin picture, served as a FileTextureFactory so that it is not kept
// decoded beside its texture (Qt's own loader keeps both, for every picture of the skin). The path is relative to the working folder, as
// the scene's file: URLs are.
class SkinImageProvider : public QQuickImageProvider {
public:
    static constexpr char Id[] = "skin";

    SkinImageProvider();

    QQuickTextureFactory *requestTexture(const QString &id, QSize *size,
                                         const QSize &requestedSize) override;
};
