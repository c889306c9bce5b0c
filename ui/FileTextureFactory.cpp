#include "FileTextureFactory.h"

#include "PictureFile.h"

#include <QMutexLocker>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <utility>

FileTextureFactory::FileTextureFactory(const QString &path, const QSize &size,
                                       const QImage &decoded)
    : m_path(path), m_size(size), m_bytesPerPixel(decoded.isNull() ? 4 : decoded.depth() / 8),
      m_decoded(decoded) {}

// Null when the file has gone or cannot be decoded: nothing is drawn.
QImage FileTextureFactory::decode(const QString &path, const QSize &size) {
    return prepare(PictureFile::read(path), size);
}

QImage FileTextureFactory::prepare(QImage pixels, const QSize &size) {
    if (pixels.isNull())
        return pixels;
    // A palette picture shown at its own size stays at one byte per pixel: the software renderer
    // draws it as it is.
    if (pixels.size() == size && pixels.format() == QImage::Format_Indexed8)
        return pixels;
    if (pixels.size() != size)
        pixels = pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QSGTexture *FileTextureFactory::createTexture(QQuickWindow *window) const {
    QImage pixels;
    {
        QMutexLocker locker(&m_lock);
        pixels = std::exchange(m_decoded, QImage());
    }
    if (pixels.isNull())
        pixels = decode(m_path, m_size);
    if (pixels.isNull() || !window)
        return nullptr;
    // A graphics card takes full colour, and the texture lets the pixels go after the upload.
    if (const QSGRendererInterface *api = window->rendererInterface();
        !api || api->graphicsApi() != QSGRendererInterface::Software)
        pixels.convertTo(QImage::Format_ARGB32_Premultiplied);
    return window->createTextureFromImage(pixels, QQuickWindow::TextureCanUseAtlas);
}

QSize FileTextureFactory::textureSize() const {
    return m_size;
}

int FileTextureFactory::textureByteCount() const {
    return m_size.width() * m_size.height() * m_bytesPerPixel;
}

// Qt asks for the image when a picture has loaded (for its colour space), before any texture is
// made: the pixels decoded with the request answer that without a second decode.
QImage FileTextureFactory::image() const {
    {
        QMutexLocker locker(&m_lock);
        if (!m_decoded.isNull())
            return m_decoded;
    }
    return decode(m_path, m_size);
}
