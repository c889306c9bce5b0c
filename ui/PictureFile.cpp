#include "PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

QImage PictureFile::read(const QString &path, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull() && file.seek(0)) {
        // Named for another format than it holds: every decoder is asked.
        reader.setDevice(&file);
        reader.setDecideFormatFromContent(true);
        image = reader.read();
    }
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}
