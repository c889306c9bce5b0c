#pragma once

#include <QImage>
#include <QString>

// Reads a picture with the decoder its file name's suffix names (PNG is built into Qt): asking
// every image plugin whether it can read the file would load them all (Qt Svg among them), which
// costs memory for the program's whole run. A file whose content is not what its suffix says is
// still read, by the content.
namespace PictureFile {

// A null image when the file cannot be read; `error` then says why.
QImage read(const QString &path, QString *error = nullptr);

} // namespace PictureFile
