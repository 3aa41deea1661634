#pragma once

// Whole files read back and written in one call.

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes; empty when it cannot be opened (a missing file reads as empty).
inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The bytes of one line of a local log file: the record as two hexadecimal
// digits a byte, then "\r\n".
constexpr int logLineBytes(int recordSize)
{
    return 2 * recordSize + 2;
}
