#pragma once

#include <QQuickTextureFactory>
#include <QSize>
#include <QString>

// A texture made from a picture file that keeps no decoded copy of it: the file is read again
// whenever a texture or an image is asked for, and the pixels are let go once the texture holds
// them. Worth it for large pictures that stay on screen.
class FileTextureFactory : public QQuickTextureFactory {
public:
    FileTextureFactory(const QString &path, const QSize &size);

    QSGTexture *createTexture(QQuickWindow *window) const override;
    QSize textureSize() const override;
    int textureByteCount() const override;
    QImage image() const override;

private:
    QString m_path;
    QSize m_size;
};
