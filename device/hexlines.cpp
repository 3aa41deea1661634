#include "hexlines.h"

#include <QByteArray>
#include <QIODevice>

#include <cstring>

qint64 readHexLine(QIODevice& file, quint8* destination, quint64& byteCount, quint64 capacity,
                   qint64 position, bool* overflow)
{
    if (!file.seek(position) || file.atEnd())
        return 0;

    QByteArray line = file.readLine();
    const qint64 next = file.pos();

    // A stray NUL (a file padded by some editor) ends the text.
    const int nul = line.indexOf('\0');
    if (nul >= 0)
        line.truncate(nul);
    line.replace(':', QByteArray());

    const QByteArray bytes = QByteArray::fromHex(line);
    if (bytes.isEmpty())
        return next;

    const quint64 size = quint64(bytes.size());
    if (destination == nullptr || byteCount > capacity || size > capacity - byteCount) {
        if (overflow != nullptr)
            *overflow = true;
        return next;
    }
    std::memcpy(destination + byteCount, bytes.constData(), size_t(size));
    byteCount += size;
    return next;
}

void writeHexLines(QIODevice& file, const quint8* data, int bytesPerLine, quint64 length)
{
    if (data == nullptr || length == 0 || bytesPerLine < 1)
        return;

    static const char digits[] = "0123456789ABCDEF";
    const quint64 width = quint64(bytesPerLine);

    QByteArray line;
    if (bytesPerLine <= 4096)
        line.reserve(2 * bytesPerLine + 2);
    for (quint64 i = 0; i < length; ++i) {
        line.append(digits[data[i] >> 4]);
        line.append(digits[data[i] & 0x0F]);
        if (i % width == width - 1 || i == length - 1) {
            line.append("\r\n");
            file.write(line);
            line.resize(0);
        }
    }
}
