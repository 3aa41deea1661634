#pragma once

// Little-endian fields written into a byte buffer at their offsets, as the
// detector lays out its log records and as firmware images hold their words.
// The buffer must already be long enough.

#include <QByteArray>
#include <QtGlobal>

inline void put16(quint8* b, int offset, quint16 v)
{
    b[offset] = quint8(v & 0xFF);
    b[offset + 1] = quint8(v >> 8);
}

inline void put32(quint8* b, int offset, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = quint8((v >> (8 * i)) & 0xFF);
}

inline void put16(QByteArray& b, int offset, quint16 v)
{
    put16(reinterpret_cast<quint8*>(b.data()), offset, v);
}

inline void put32(QByteArray& b, int offset, quint32 v)
{
    put32(reinterpret_cast<quint8*>(b.data()), offset, v);
}

// The two bytes of a 16-bit value, low byte first.
inline QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    put16(b, 0, v);
    return b;
}
