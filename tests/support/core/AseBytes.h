// Adobe Swatch Exchange files built byte by byte from the layout of the
// format, for the tests of the swatch import: big-endian numbers, UTF-16
// names, colour blocks of a four-letter model and its float values.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <cstring>

namespace asebytes {

inline QByteArray be16(quint16 v) {
    QByteArray b(2, 0);
    qToBigEndian(v, b.data());
    return b;
}
inline QByteArray be32(quint32 v) {
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}
inline QByteArray beFloat(float f) {
    quint32 bits;
    std::memcpy(&bits, &f, 4);
    return be32(bits);
}
inline QByteArray aseName(const QString& name) {
    QByteArray b = be16(quint16(name.size() + 1));
    for (QChar c : name)
        b += be16(c.unicode());
    return b + be16(0);
}
inline QByteArray aseBlock(quint16 type, const QByteArray& body) {
    return be16(type) + be32(quint32(body.size())) + body;
}
// One colour entry; `model` is "CMYK", "RGB ", "LAB " or "Gray".
inline QByteArray aseColour(const QString& name, const char* model, const QList<float>& v) {
    QByteArray body = aseName(name) + QByteArray(model, 4);
    for (float f : v)
        body += beFloat(f);
    return aseBlock(0x0001, body + be16(2));
}
// The header, claiming `count` blocks, and the blocks.
inline QByteArray aseFile(const QList<QByteArray>& blocks, quint32 count) {
    QByteArray b = QByteArray("ASEF") + be16(1) + be16(0) + be32(count);
    for (const QByteArray& block : blocks)
        b += block;
    return b;
}

} // namespace asebytes
