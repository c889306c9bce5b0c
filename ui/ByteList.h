#pragma once

#include <QByteArray>
#include <QVariantList>

// Byte data crosses to and from the scene as one number per byte, element 0 first.
namespace ByteList {

// Each element through toInt(), cut to 8 bits; elements past the list read as 0.
QByteArray toBytes(const QVariantList &list, int size);
QVariantList fromBytes(const uchar *bytes, int size);
// The buffer the device commands take.
inline uchar *raw(QByteArray &bytes) {
    return reinterpret_cast<uchar *>(bytes.data());
}
// Every element as an unsigned number (stored lists come back as strings after a restart).
QVariantList toUnsigned(const QVariantList &list);

} // namespace ByteList
