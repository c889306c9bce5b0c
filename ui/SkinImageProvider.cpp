#include "SkinImageProvider.h"

#include "FileTextureFactory.h"

#include <QImageReader>

SkinImageProvider::SkinImageProvider() : QQuickImageProvider(QQuickImageProvider::Texture) {}

// On the image loader's thread when the scene asks for the picture asynchronously: the decoding
// then runs beside the rest of the start.
QQuickTextureFactory *SkinImageProvider::requestTexture(const QString &id, QSize *size,
                                                        const QSize &requestedSize) {
    QImageReader reader(id);
    QSize textureSize = reader.size();
    if (!textureSize.isValid()) {
        qWarning("Cannot read the skin picture %s: %s", qPrintable(id),
                 qPrintable(reader.errorString()));
        return nullptr;
    }
    if (requestedSize.width() > 0 && requestedSize.height() > 0)
        textureSize = requestedSize;
    if (size)
        *size = textureSize;
    return new FileTextureFactory(id, textureSize, FileTextureFactory::decode(id, textureSize));
}
