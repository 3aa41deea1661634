// The hex-line reader never writes past the capacity it is given.

#include "hexlines.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The capacity and the bytes already taken come first; the rest is the file.
    const quint64 capacity = data[0] % 64;
    quint64 count = capacity == 0 ? 0 : data[1] % (capacity + 1);
    QBuffer file;
    file.setData(QByteArray(reinterpret_cast<const char*>(data + 2), int(size - 2)));
    file.open(QIODevice::ReadOnly);
    // Exactly `capacity` bytes on the heap: AddressSanitizer reports any byte past them.
    std::unique_ptr<quint8[]> buffer(new quint8[capacity ? capacity : 1]);
    memset(buffer.get(), 0xA5, capacity ? capacity : 1);
    bool overflow = false;
    qint64 position = 0;
    int lines = 0;
    do {
        const quint64 taken = count;
        position = readHexLine(file, buffer.get(), count, capacity, position, &overflow);
        if (count > capacity || count < taken)
            abort();
    } while (position != 0 && ++lines < 10000);
    return 0;
}
