#include "FileTextureFactory.h"

#include "PictureFile.h"

#include <QMutexLocker>
#include <QQuickWindow>

#include <utility>

FileTextureFactory::FileTextureFactory(const QString &path, const QSize &size,
                                       const QImage &decoded)
    : m_path(path), m_size(size), m_decoded(decoded) {}

// Null when the file has gone or cannot be decoded: nothing is drawn.
QImage FileTextureFactory::decode(const QString &path, const QSize &size) {
    return prepare(PictureFile::read(path), size);
}

QImage FileTextureFactory::prepare(QImage pixels, const QSize &size) {
    if (pixels.isNull())
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
    return pixels.isNull() || !window
               ? nullptr
               : window->createTextureFromImage(pixels, QQuickWindow::TextureCanUseAtlas);
}

QSize FileTextureFactory::textureSize() const {
    return m_size;
}

int FileTextureFactory::textureByteCount() const {
    return m_size.width() * m_size.height() * 4;
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
