#include "logdownload.h"

#include "appsettings.h"
#include "command.h"
#include "dialogs.h"
#include "hexlines.h"
#include "logrecord.h"
#include "modeltraits.h"
#include "operatorfile.h"
#include "progress.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cmath>
#include <cstring>

quint32 downloadedFirstIndex = 0;
quint32 downloadedEndIndex = 0;
std::function<void(int block)> logBlockWritten;

namespace
{

void openError()
{
    dialogs::critical(nullptr, QObject::tr("Ошибка"), QObject::tr("Ошибка открытия файла"));
}

void writeError()
{
    dialogs::critical(nullptr, QObject::tr("Ошибка"), QObject::tr("Ошибка записи файла"));
}

// Offline every exchange "succeeds" without traffic and leaves stale bytes in
// the reply buffers: nothing may be written from them.
bool refuseOffline()
{
    if (command.connected != 0)
        return false;
    dialogs::critical(nullptr, QObject::tr("Ошибка"), QObject::tr("Нет связи с прибором"));
    return true;
}

bool refuseNoRecords(int recordSize)
{
    if (recordsPerBlock(recordSize) > 0)
        return false;
    dialogs::critical(nullptr, QObject::tr("Ошибка"),
                      QObject::tr("Прибор этой модели не ведёт архив записей"));
    return true;
}

quint32 le32(const quint8* p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// A function-12 block is written only when its records are the ones asked
// for: record i carries the full 32-bit number first + i. The request holds
// only the low 16 bits of the index, so a device that answers from another
// lap of its counter (a number 0x10000 away) must be caught here.
bool blockConsecutive(quint32 first, int count, int recordSize)
{
    for (int i = 0; i < count; ++i) {
        if (le32(archiveBlock + i * recordSize + 4) != first + quint32(i))
            return false;
    }
    return true;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The synchronised file's last line, checked before the device is asked for
// anything: exactly 2 x recordSize hex digits and "\r\n", after a line end.
// Only that line and the byte before it are read, however large the file.
enum class ResumeResult { Empty, Ok, Damaged };

ResumeResult readResumeLine(QFile& file, int recordSize, quint32& lastNumber)
{
    const qint64 size = file.size();
    if (size == 0)
        return ResumeResult::Empty;
    const qint64 lineLength = 2 * qint64(recordSize) + 2;
    if (size < lineLength)
        return ResumeResult::Damaged;
    const qint64 position = size - lineLength;
    qint64 from = position > 0 ? position - 1 : position;
    if (!file.seek(from))
        return ResumeResult::Damaged;
    const QByteArray bytes = file.read(size - from);
    if (bytes.size() != size - from)
        return ResumeResult::Damaged;
    if (position > 0 && bytes.at(0) != '\n')
        return ResumeResult::Damaged;
    const QByteArray line = bytes.mid(position > 0 ? 1 : 0);
    if (!line.endsWith("\r\n"))
        return ResumeResult::Damaged;
    for (int i = 0; i < 2 * recordSize; ++i) {
        if (!isHexDigit(line.at(i)))
            return ResumeResult::Damaged;
    }
    if (!loadLogLine(line, recordSize))
        return ResumeResult::Damaged;
    lastNumber = le32(command.logRecord + 4);
    return ResumeResult::Ok;
}

// The download loop of both downloads: blocks from `next` up to `end`, each
// appended as it arrives (to the synchronised file, or to the range download's
// buffer).
bool fetchBlocks(QIODevice& file, quint32& next, quint32 end, int recordSize, const QString& label)
{
    int n = recordsPerBlock(recordSize);
    auto* onDisk = qobject_cast<QFileDevice*>(&file);
    const quint32 total = end - next;
    ProgressSession progress;
    bool result = true;
    int block = 0;
    while (next < end) {
        if (!progress.step(int(double(total - (end - next)) * (100.0 / double(total))))) {
            result = false;
            break;
        }
        if (quint64(next) + quint64(n) > end)
            n = int(end - next);
        const quint32 first = next;
        const TransactionResult r =
            command.readArchiveBlock(12, DevicePage, quint16(first & 0xFFFF), quint16(n));
        if (r != ResultOk) {
            dialogs::exchangeError(nullptr, dialogs::Kind::Critical, r);
            result = false;
            break;
        }
        if (!blockConsecutive(first, n, recordSize)) {
            dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
            result = false;
            break;
        }
        next += quint32(n);
        QByteArray text;
        for (int i = 0; i < n; ++i)
            text += logLine(archiveBlock + i * recordSize, recordSize);
        if (file.write(text) != text.size() || (onDisk && !onDisk->flush())) {
            writeError();
            result = false;
            break;
        }
        const quint32 remaining = end - next;
        const quint32 done = total - remaining;
        progress.showRemaining(label,
                               remainingSeconds(remaining, done, quint64(progress.elapsedMs())));
        ++block;
        if (logBlockWritten)
            logBlockWritten(block);
    }
    if (progress.cancelledAtEnd())
        result = false;
    return result;
}

// Puts `records` in place of the range file, written aside. A link named like
// the range file is replaced by the file, never followed: QSaveFile would
// write through it.
bool replaceRangeFile(const QString& path, const QByteArray& records)
{
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        writeError();
        return false;
    }
    QSaveFile file(path);
    // commit() does not heed a flush that fails (a full disk): flushed here first.
    if (!file.open(QIODevice::WriteOnly) || file.write(records) != records.size() ||
        !file.flush() || !file.commit()) {
        writeError();
        return false;
    }
    return true;
}

} // namespace

int recordsPerBlock(int recordSize)
{
    if (recordSize <= 0 || recordSize > LogRecordSize)
        return 0;
    const int fit = ArchiveBlockSize / recordSize;
    int n = fit < recordsPerRequest ? fit - 1 : recordsPerRequest;
    // The reply carries address, function and count before the records and
    // the CRC after them: 24 records of 125 bytes would make 3005 bytes.
    constexpr int ReplyFraming = 5;
    return qMin(n, (ReplyBufferSize - ReplyFraming) / recordSize);
}

namespace
{
bool transferRunning = false;
}

LogTransferLock::LogTransferLock() : owner(!transferRunning)
{
    if (owner)
        transferRunning = true;
}

LogTransferLock::~LogTransferLock()
{
    if (owner)
        transferRunning = false;
}

bool logTransferRunning()
{
    return transferRunning;
}

quint32 remainingSeconds(quint32 remaining, quint32 done, quint64 elapsedMs)
{
    if (done == 0)
        return 0;
    const double seconds = progressSecondsLeft(qint64(elapsedMs), done, qint64(done) + remaining,
                                               PaceForm::SingleRatio);
    if (!(seconds >= 0))
        return 0;
    if (seconds >= 4294967295.0)
        return 0xFFFFFFFFu;
    return quint32(seconds);
}

qint64 logOldestIndex()
{
    // The image keeps the device's raw pointers; the link derives the oldest
    // index from them.
    return command.archiveOldestIndex();
}

QString logFolderPath()
{
    return QCoreApplication::applicationDirPath() + "/log";
}

QString syncLogFilePath(quint16 modelCode, quint32 serial)
{
    return logFolderPath() + serialName(QStringLiteral("/QIROT"), modelCode, serial) +
           QStringLiteral(".txt");
}

QString rangeLogFilePath(quint32 serial)
{
    return logFolderPath() + QString::asprintf("/QRT%08u.txt", serial);
}

bool readArchiveRecord(quint16 recordSize, bool last, quint32 currentAddress, quint32 startAddress)
{
    const int size = qMin<int>(recordSize, LogRecordSize);
    memset(command.logRecord, 0, size_t(size));
    if (refuseOffline() || refuseNoRecords(size))
        return false;
    if (command.transact(3, DevicePage, RegArchiveIntervals, 6) == ResultOk) {
        const quint32 index = last ? currentAddress - 1 : startAddress;
        if (command.readArchiveBlock(12, DevicePage, quint16(index & 0xFFFF), 1) == ResultOk) {
            memcpy(command.logRecord, archiveBlock, size_t(size));
            return true;
        }
    }
    memset(command.logRecord, 0, size_t(size));
    dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
    return false;
}

bool syncLogFile(quint16 recordSize, quint32 serial, quint32 currentAddress, quint32 startAddress)
{
    const LogTransferLock lock;
    if (!lock.acquired())
        return false;
    if (refuseOffline() || refuseNoRecords(recordSize))
        return false;
    memset(command.logRecord, 0, sizeof command.logRecord);
    QDir().mkdir(logFolderPath());
    const QString path = syncLogFilePath(command.modelCode, serial);
    currentLogFilePath = path;
    // A pipe would block the open (or the first write), a device swallow the
    // records, a dangling link create a file somewhere else.
    QFile file(path);
    if (openOperatorFile(file, QIODevice::ReadWrite | QIODevice::Append) != FileCheck::Ok) {
        openError();
        return false;
    }
    quint32 next = startAddress;
    quint32 lastNumber = 0;
    switch (readResumeLine(file, recordSize, lastNumber)) {
    case ResumeResult::Empty:
        break;
    case ResumeResult::Ok:
        next = qMax(next, lastNumber + 1);
        break;
    case ResumeResult::Damaged:
        file.close();
        dialogs::critical(nullptr, QObject::tr("Ошибка"),
                          QObject::tr("Последняя строка файла %1 повреждена или не подходит к "
                                      "архиву прибора")
                              .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const TransactionResult settings = command.transact(3, DevicePage, RegArchiveIntervals, 6);
    if (settings != ResultOk) {
        dialogs::exchangeError(nullptr, dialogs::Kind::Critical, settings);
        return false;
    }
    if (next >= currentAddress)
        return true;
    if (currentAddress > MaxRecordsPerDownload && next < currentAddress - MaxRecordsPerDownload)
        next = currentAddress - MaxRecordsPerDownload;
    return fetchBlocks(file, next, currentAddress, recordSize,
                       QObject::tr("Выполнение процесса,\nосталось %1 секунд"));
}

bool downloadLogRange(quint32 startSeconds, quint32 stopSeconds, quint16 recordSize, quint32 serial)
{
    const LogTransferLock lock;
    if (!lock.acquired())
        return false;
    archiveRangeFirst = 0;
    archiveRangeLast = 0;
    // Until the device names this range, no range is known: never the last one's,
    // beside a file that no longer holds it.
    downloadedFirstIndex = 0;
    downloadedEndIndex = 0;
    if (refuseOffline() || refuseNoRecords(recordSize))
        return false;
    memset(command.logRecord, 0, sizeof command.logRecord);
    QDir().mkdir(logFolderPath());
    const QString path = rangeLogFilePath(serial);
    currentLogFilePath = path;
    // Checked before the device is asked: the name must be free for a file
    // (a link to one is replaced, see below) and the folder must take a new one.
    QTemporaryFile probe(logFolderPath() + "/QRT_XXXXXX");
    if (!writableOperatorFileName(path) || !probe.open()) {
        openError();
        return false;
    }
    probe.remove();
    // The records gather in memory (at most 32767 lines of 338 bytes) and
    // replace the file once the download ends.
    QBuffer records;
    records.open(QIODevice::WriteOnly);
    // A bound past the device's last tick asks for everything up to it.
    const quint32 startTicks = ticksFromSeconds(startSeconds, command.secondsPerTick);
    const quint32 stopTicks = ticksFromSeconds(stopSeconds, command.secondsPerTick);
    const TransactionResult r = command.findArchiveRange(20, startTicks, stopTicks);
    if (r != ResultOk) {
        dialogs::exchangeError(nullptr, dialogs::Kind::Critical, r);
        // No range: the file holds no records either, never the last range's.
        replaceRangeFile(path, QByteArray());
        return false;
    }
    const quint32 first = archiveRangeFirst;
    const quint32 end = archiveRangeLast + 1;
    archiveRangeLast = end;
    downloadedFirstIndex = first;
    downloadedEndIndex = end;
    if (end <= first)
        return replaceRangeFile(path, QByteArray());
    if (end > MaxRecordsPerDownload && first < end - MaxRecordsPerDownload)
        archiveRangeFirst = end - MaxRecordsPerDownload;
    const bool result =
        fetchBlocks(records, archiveRangeFirst, archiveRangeLast, recordSize,
                    QObject::tr("Выполнение процесса скачивания,\nосталось %1 секунд"));
    // Blocks that arrived before a cancel or a failed block are kept, as the
    // synchronisation keeps them; none arrived, the file is empty.
    return replaceRangeFile(path, records.data()) && result;
}
