#include "SkinWriter.h"

#include "PaletteImage.h"

#include <QFileInfo>
#include <cstdio>

SkinWriter::SkinWriter(const QString &root, const SkinStyle &style)
    : m_dir(QDir(root).filePath(QStringLiteral("skin%1").arg(style.number))), m_style(style) {}

void SkinWriter::write(const QString &relativePath, const QImage &image) {
    const QString path = m_dir.filePath(relativePath + QStringLiteral(".png"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage stored = PaletteImage::worthReducing(image) ? PaletteImage::reduce(image)
                                                       : PaletteImage::exact(image);
    if (stored.isNull())
        stored = image;
    if (stored.save(path, "PNG")) {
        ++m_written;
        return;
    }
    ++m_failures;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}
