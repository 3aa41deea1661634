#include "operatorfile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

namespace
{

// Files are read in pieces of this size, so that memory grows with what the
// file holds, never with what the bound would allow.
constexpr qint64 PieceBytes = 64 * 1024;

// No file the program reads whole comes anywhere near this; a larger bound
// would only let a wrong file eat the memory.
constexpr qint64 MaxReadBytes = 256 * 1024 * 1024;

} // namespace

FileCheck checkOperatorFile(const QString& path, qint64 maxBytes)
{
    // QFileInfo follows links for exists(), isFile() and size(): a dangling
    // link exists not, a link to a pipe or a device is no file. isFile() is
    // true for plain files only.
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.exists())
        return FileCheck::Missing;
    if (!info.isFile())
        return FileCheck::NotPlain;
    if (maxBytes >= 0 && info.size() > maxBytes)
        return FileCheck::TooLarge;
    return FileCheck::Ok;
}

FileCheck openOperatorFile(QFile& file, QIODevice::OpenMode mode, qint64 maxBytes)
{
    const FileCheck named = checkOperatorFile(file.fileName(), maxBytes);
    if (named == FileCheck::NotPlain || named == FileCheck::TooLarge)
        return named;
    if (named == FileCheck::Missing) {
        if (!(mode & QIODevice::WriteOnly))
            return FileCheck::Missing;
        // Only a new file is created: whatever appeared under the name since
        // the check (a pipe would block the open) makes the open fail.
        mode |= QIODevice::NewOnly;
    }
    if (!file.open(mode))
        return FileCheck::Failed;
    // The handle's own kind and size: something else may have been put under
    // the name between the check and the open.
    if (file.isSequential()) {
        file.close();
        return FileCheck::NotPlain;
    }
    if (maxBytes >= 0 && file.size() > maxBytes) {
        file.close();
        return FileCheck::TooLarge;
    }
    return FileCheck::Ok;
}

FileCheck readOperatorFile(const QString& path, qint64 maxBytes, QByteArray* contents)
{
    contents->clear();
    const qint64 bound = maxBytes < 0 ? MaxReadBytes : qMin(maxBytes, MaxReadBytes);
    QFile file(path);
    const FileCheck opened = openOperatorFile(file, QIODevice::ReadOnly, bound);
    if (opened != FileCheck::Ok)
        return opened;
    QByteArray bytes;
    bytes.reserve(int(qMin(file.size(), bound)));
    QByteArray piece(int(PieceBytes), Qt::Uninitialized);
    for (;;) {
        // One byte past the bound tells a file that grew while it was read.
        const qint64 wanted = qMin(PieceBytes, bound + 1 - bytes.size());
        const qint64 got = file.read(piece.data(), wanted);
        if (got < 0)
            return FileCheck::Failed;
        if (got == 0)
            break;
        bytes.append(piece.constData(), int(got));
        if (bytes.size() > bound)
            return FileCheck::TooLarge;
    }
    *contents = bytes;
    return FileCheck::Ok;
}
