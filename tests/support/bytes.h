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

// Through the array's own index, not its data pointer: the optimiser cannot see that the
// buffer is long enough and warns of a write past an empty array.
inline void put16(QByteArray& b, int offset, quint16 v)
{
    Q_ASSERT(offset >= 0 && offset + 2 <= b.size());
    b[offset] = char(v & 0xFF);
    b[offset + 1] = char(v >> 8);
}

inline void put32(QByteArray& b, int offset, quint32 v)
{
    Q_ASSERT(offset >= 0 && offset + 4 <= b.size());
    for (int i = 0; i < 4; ++i)
        b[offset + i] = char((v >> (8 * i)) & 0xFF);
}

// The two bytes of a 16-bit value, low byte first.
inline QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    put16(b, 0, v);
    return b;
}
