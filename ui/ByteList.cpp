#include "ByteList.h"

namespace ByteList {

QByteArray toBytes(const QVariantList &list, int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size && i < list.size(); ++i)
        bytes[i] = char(list[i].toInt() & 0xff);
    return bytes;
}

QVariantList fromBytes(const uchar *bytes, int size) {
    QVariantList list;
    list.reserve(size);
    for (int i = 0; i < size; ++i)
        list.append(int(bytes[i]));
    return list;
}

QVariantList toUnsigned(const QVariantList &list) {
    QVariantList out;
    out.reserve(list.size());
    for (const QVariant &v : list)
        out.append(v.toUInt());
    return out;
}

} // namespace ByteList
