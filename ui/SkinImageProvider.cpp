#include "SkinImageProvider.h"

#include "FileTextureFactory.h"
#include "PictureFile.h"

SkinImageProvider::SkinImageProvider() : QQuickImageProvider(QQuickImageProvider::Texture) {}

// On the image loader's thread when the scene asks for the picture asynchronously: the decoding
// then runs beside the rest of the start. The file is opened once.
QQuickTextureFactory *SkinImageProvider::requestTexture(const QString &id, QSize *size,
                                                        const QSize &requestedSize) {
    QString error;
    QImage pixels = PictureFile::read(id, &error);
    if (pixels.isNull()) {
        qWarning("Cannot read the skin picture %s: %s", qPrintable(id), qPrintable(error));
        return nullptr;
    }
    const QSize textureSize =
        requestedSize.width() > 0 && requestedSize.height() > 0 ? requestedSize : pixels.size();
    if (size)
        *size = textureSize;
    return new FileTextureFactory(id, textureSize,
                                  FileTextureFactory::prepare(std::move(pixels), textureSize));
}
