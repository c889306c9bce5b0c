#pragma once

#include <QImage>
#include <QMutex>
#include <QQuickTextureFactory>
#include <QSize>
#include <QString>

// A texture made from a picture file that keeps no decoded copy beside it: the pixels decoded when
// the picture was asked for serve Qt's questions about it until the texture is made, and are let
// go then; after that the file is read again whenever an image is asked for. Small pictures share
// Qt's texture atlas, as they would from a plain file: URL.
class FileTextureFactory : public QQuickTextureFactory {
public:
    // `decoded`: the pixels already read, at `size`; without them the file is read when needed.
    FileTextureFactory(const QString &path, const QSize &size, const QImage &decoded = {});

    // The pixels as a texture should hold them, or a null image when the file cannot be read.
    static QImage decode(const QString &path, const QSize &size);
    // Decoded pixels scaled to `size` and in the format a texture takes: a palette picture at its
    // own size as it is, everything else in premultiplied full colour.
    static QImage prepare(QImage pixels, const QSize &size);

    QSGTexture *createTexture(QQuickWindow *window) const override;
    QSize textureSize() const override;
    int textureByteCount() const override;
    QImage image() const override;

private:
    QString m_path;
    QSize m_size;
    int m_bytesPerPixel;
    mutable QMutex m_lock;
    mutable QImage m_decoded;
};
