#pragma once

#include <QtGlobal>

class QIODevice;

// Lines of hexadecimal text as used by configuration files, the local log
// files and Intel-HEX firmware files.

// Reads the line that starts at `position` and appends its bytes to
// destination[byteCount ..], advancing byteCount. Every ':' is dropped (the
// Intel-HEX record mark), the text ends at its first NUL byte, characters
// that are not hexadecimal digits are skipped and digit pairs are formed from
// the end of the line, so an odd count leaves the first digit as a byte of
// its own (QByteArray::fromHex).
//
// Returns the position just after the line, or 0 when `position` is at the end
// of the file (or cannot be reached); then nothing is appended.
//
// The buffer holds `capacity` bytes. When the line's bytes do not fit into
// destination[byteCount .. capacity), nothing is appended, *overflow is set to
// true and the position after the line is still returned, so that the caller
// can refuse the line or the file. *overflow is never cleared here: a reader
// can clear it once and test it after the last line.
qint64 readHexLine(QIODevice& file, quint8* destination, quint64& byteCount, quint64 capacity,
                   qint64 position, bool* overflow = nullptr);

// Writes `length` bytes as upper-case hexadecimal text, `bytesPerLine` bytes to
// a line, every line (the last, shorter one included) ended by "\r\n".
// Nothing is written when length is 0 or bytesPerLine is below 1.
void writeHexLines(QIODevice& file, const quint8* data, int bytesPerLine, quint64 length);
