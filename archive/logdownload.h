#pragma once

// The log unit: copies the detector's log records into local text files under
// the "log" folder next to the executable, one record per line of hexadecimal
// text. Every multi-block download shows a modal progress dialog with the
// remaining time and a cancel button.

#include <QString>
#include <QtGlobal>

#include <functional>

extern quint32 downloadedFirstIndex; // first index of the last range answer, as answered
extern quint32 downloadedEndIndex;   // its end index (last + 1)
constexpr quint8 recordsPerRequest = 24;

// At most this many records, the newest, are fetched by one download.
constexpr quint32 MaxRecordsPerDownload = 0x7FFF;

// Records asked for per function-12 request: 24, or fewer so that a block,
// with the reply's address, function, count and CRC around it, always fits the
// 3000-byte reply buffer. 0 for a record size of 0 (a model without log
// records): nothing can be sized then.
int recordsPerBlock(int recordSize);

// One download or export at a time. Every block lets the event loop run, and
// a click that starts a second transfer inside the first would append the
// same records twice. The transfer functions take the lock on entry and give
// up at once, doing nothing, while another holds it; the archive page asks
// logTransferRunning() before it offers a file dialog.
class LogTransferLock
{
public:
    LogTransferLock();
    ~LogTransferLock();
    LogTransferLock(const LogTransferLock&) = delete;
    LogTransferLock& operator=(const LogTransferLock&) = delete;
    bool acquired() const { return owner; }

private:
    bool owner;
};
bool logTransferRunning();

// Seconds left: remaining / done (single precision) x elapsed seconds, held in
// 32 bits (never reduced to 16 bits, which would wrap at 65,536 s).
quint32 remainingSeconds(quint32 remaining, quint32 done, quint64 elapsedMs);

// The oldest record index of the device archive, as the image holds it.
qint64 logOldestIndex();

QString logFolderPath();
QString syncLogFilePath(quint16 modelCode, quint32 serial);
QString rangeLogFilePath(quint32 serial);

// One record into Command::logRecord: the newest (`last`) or the oldest.
bool readArchiveRecord(quint16 recordSize, bool last, quint32 currentAddress, quint32 startAddress);
// Continues the device's synchronised file up to currentAddress - 1.
bool syncLogFile(quint16 recordSize, quint32 serial, quint32 currentAddress, quint32 startAddress);
// Replaces the range file with the records of [startSeconds, stopSeconds]
// that arrived: written aside and put in place when the download ends, so that
// a link of that name is replaced, never followed. After an empty or refused
// range the file is empty; a name that is no file (a folder, a pipe) is
// refused before the device is asked.
bool downloadLogRange(quint32 startSeconds, quint32 stopSeconds, quint16 recordSize,
                      quint32 serial);

// Called after every block written to a file (its number from 1); tests use it
// to cancel or to look at the file between blocks.
extern std::function<void(int block)> logBlockWritten;
