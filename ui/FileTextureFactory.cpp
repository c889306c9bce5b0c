#include "FileTextureFactory.h"

#include <QImage>
#include <QQuickWindow>

FileTextureFactory::FileTextureFactory(const QString &path, const QSize &size)
    : m_path(path), m_size(size) {}

QSGTexture *FileTextureFactory::createTexture(QQuickWindow *window) const {
    const QImage pixels = image();
    return pixels.isNull() ? nullptr : window->createTextureFromImage(pixels);
}

QSize FileTextureFactory::textureSize() const {
    return m_size;
}

int FileTextureFactory::textureByteCount() const {
    return m_size.width() * m_size.height() * 4;
}

// Null when the file has gone or cannot be decoded: nothing is drawn.
QImage FileTextureFactory::image() const {
    QImage pixels(m_path);
    if (pixels.isNull())
        return pixels;
    if (pixels.size() != m_size)
        pixels = pixels.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
