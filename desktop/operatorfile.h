#pragma once

// Every file the program reads or writes under a name the operator chose (or
// one the program made for him): configuration and firmware files, log files,
// export files and the settings file. A name may only stand for a plain file
// or a link to one. A pipe blocks the open (or the first read or write) for
// good, a device such as /dev/zero never ends, a folder or a dangling link is
// no file of ours: all of them are refused by their name, before anything is
// opened, read or sent. A file's size is checked against what it can be
// before a byte of it is read, and no read takes more than that.

#include <QIODevice>
#include <QString>

class QByteArray;
class QFile;

enum class FileCheck {
    Ok,       // a plain file (or a link to one), no larger than allowed
    Missing,  // nothing at all under the name: fine for a file about to be written
    NotPlain, // a pipe, a device, a folder, a socket, a dangling link or a link to one of these
    TooLarge, // a plain file larger than the caller allows
    Failed,   // a plain file that could not be opened or read
};

// No bound on the size: for files that are read in bounded pieces or written.
constexpr qint64 AnySize = -1;

// The name alone (nothing is opened): what stands under it and, for a plain
// file, whether its size is within maxBytes.
FileCheck checkOperatorFile(const QString& path, qint64 maxBytes = AnySize);

// Opens `file`, named already, in `mode` once its name has passed the check.
// A missing name is opened (created) only by a mode that writes; else Missing.
// The open handle is checked again, so that a pipe or a device put under the
// name between the check and the open, or a file grown past the bound, is
// closed at once and refused.
FileCheck openOperatorFile(QFile& file, QIODevice::OpenMode mode, qint64 maxBytes = AnySize);

// The whole file, at most maxBytes of it (never more than 256 MiB, whatever
// the bound): a file that grows past the bound while it is read is refused as
// TooLarge. `contents` is empty after any failure.
FileCheck readOperatorFile(const QString& path, qint64 maxBytes, QByteArray* contents);

// Whether a name may be written: a plain file, a link to one, or nothing yet.
inline bool writableOperatorFileName(const QString& path)
{
    const FileCheck check = checkOperatorFile(path);
    return check == FileCheck::Ok || check == FileCheck::Missing;
}
