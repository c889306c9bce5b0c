#pragma once

#include "SkinStyle.h"

#include <QDir>
#include <QImage>
#include <QString>

// Saves the images of one skin under <root>/skin<N>/ and counts failures.
class SkinWriter {
public:
    SkinWriter(const QString &root, const SkinStyle &style);

    const SkinStyle &style() const { return m_style; }
    void write(const QString &relativePath, const QImage &image);
    int failures() const { return m_failures; }
    int written() const { return m_written; }

private:
    QDir m_dir;
    SkinStyle m_style;
    int m_failures = 0;
    int m_written = 0;
};

// One group of images each; together they cover every image the scene names.
void drawFrame(SkinWriter &out);
void drawControls(SkinWriter &out);
void drawMenus(SkinWriter &out);
void drawPageBackgrounds(SkinWriter &out);
void drawMice(SkinWriter &out);
void drawGuns(SkinWriter &out);
