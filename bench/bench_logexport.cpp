// Export benchmark: a log of N records of a 6-channel detector exported into
// txt, csv and xlsx. Prints records per second, MB/s of output and the peak
// resident memory of each run, the xlsx peak beside the txt one, and the time
// openpyxl's write-only mode takes to write the same workbook cells. Then a
// damaged log: a sparse file of zero bytes without a line end, as a broken
// disk or copy leaves one, exported into txt: the time, the damaged lines
// counted and the peak resident memory, which must stay far below the file's
// size. Then a log with more rows than a sheet holds: exported into txt
// (whole) and into xlsx (stopped at the sheet's last row, nothing written),
// with the peak memory of each; and the part of it that just fits a sheet,
// exported into xlsx through a time window: the time the workbook's writing
// takes after the last line. For both workbooks (the N records and the one that
// just fits), the time a Cancel pressed as the workbook's close starts takes
// to end the export, beside the close's own duration, and how long the
// abandoned close then runs on in the background.
//
// Usage: bench_logexport [records [keep-folder [mode [first-time [damaged-MB
//                         [long-records]]]]]]
// (default 32767 records). With a keep-folder the exported files are left
// there (to compare outputs between builds); mode is the ExportMode number
// (default ExportAll); first-time the first record's time in seconds;
// damaged-MB the size of the damaged file (default 256; 0 skips it);
// long-records the records of the log longer than a sheet (default 1000000,
// about 1.2 million rows in ExportAll; 0 skips it).

#include "command.h"
#include "dialogs.h"
#include "logdownload.h"
#include "logexport.h"
#include "logrecord.h"
#include "types.h"
#include "workbookclose.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace
{
// Peak resident set in MB where the system tells it (Linux), else -1.
double peakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Starts a new peak measurement where the system allows it.
void resetPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void put16(quint8* b, int offset, quint16 v)
{
    b[offset] = quint8(v & 0xFF);
    b[offset + 1] = quint8(v >> 8);
}

void put32(quint8* b, int offset, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = quint8((v >> (8 * i)) & 0xFF);
}

// The log of `records` records of a 6-channel detector, one a minute from firstTime:
// every 20th record a settings change of channels 0 and 1 (two rows), every 7th an
// alarm on channel 2.
bool writeLog(const QString& path, int records, quint32 firstTime)
{
    QFile source(path);
    if (!source.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const int size = logRecordSize(ModelT6M);
    quint8 b[LogRecordSize];
    for (int i = 0; i < records; ++i) {
        std::memset(b, 0, sizeof b);
        put16(b, 0, i % 20 == 19 ? 0x30 : 4);
        put32(b, 4, quint32(i));
        put32(b, 8, quint32(firstTime + 60u * quint32(i)));
        for (int k = 0; k < 6; ++k) {
            put16(b, 24 + 24 * k + 2, (k == 2 && i % 7 == 0) ? 1 : 0);
            put16(b, 24 + 24 * k + 12, quint16(i * 3 + k));
            put16(b, 24 + 24 * k + 16, 0x80);
        }
        if (source.write(logLine(b, size)) < 0)
            return false;
    }
    return source.flush();
}

// One timed export: the result, seconds, peak resident MB and the seconds from the
// last line to the end (the writing of the file).
struct Timed {
    bool ok;
    double seconds;
    double peakMb;
    double writingSeconds;
};

template <typename Export> Timed timed(Export run)
{
    resetPeakRss();
    QElapsedTimer timer;
    timer.start();
    qint64 lastLineNs = 0;
    exportLineHook = [&] { lastLineNs = timer.nsecsElapsed(); };
    const bool ok = run();
    const qint64 end = timer.nsecsElapsed();
    exportLineHook = nullptr;
    return Timed{ok, double(end) / 1e9, peakRssMb(), double(end - lastLineNs) / 1e9};
}

// A workbook export cancelled as soon as the workbook's close starts: whether it
// ended as cancelled, the seconds from the Cancel to its return, and the seconds
// the abandoned close then ran on until it had removed its files.
struct CancelledClose {
    bool cancelled;
    double returnSeconds;
    double abandonedSeconds;
};

template <typename Export> CancelledClose cancelDuringClose(Export run)
{
    QElapsedTimer timer;
    // The Cancel as a click delivers it: an event, seen at the dialog's next event pass.
    exportCloseHook = [&] {
        timer.start();
        if (command.progressDialog)
            QTimer::singleShot(0, command.progressDialog, &QProgressDialog::cancel);
    };
    const bool ok = run();
    const double returned = timer.isValid() ? double(timer.nsecsElapsed()) / 1e9 : -1;
    exportCloseHook = nullptr;
    QElapsedTimer wait;
    wait.start();
    waitForAbandonedWorkbooks();
    const bool cancelled =
        !ok && returned >= 0 && lastExportMessage == QStringLiteral("Экспорт прерван");
    return CancelledClose{cancelled, returned, double(wait.nsecsElapsed()) / 1e9};
}

void printCancelledClose(const char* what, const CancelledClose& c, double closeSeconds)
{
    std::printf("%s  Cancel during the workbook's close: %s after %.3f s (the close itself "
                "%.3f s; the abandoned close ran on %.3f s)\n",
                what, c.cancelled ? "ended" : "NOT CANCELLED", c.returnSeconds, closeSeconds,
                c.abandonedSeconds);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 32767;
    if (records <= 0) {
        std::fprintf(stderr, "usage: bench_logexport [records]\n");
        return 2;
    }

    command.modelCode = ModelT6M;
    command.registerMap = ExtendedMap;
    command.secondsPerTick = 1.0;
    for (int k = 0; k < 6; ++k) {
        ExtendedChannelRecord& r = command.extendedChannels[k];
        r.channelPage = quint16(k);
        std::memcpy(r.gasFormula, "CH4", 3);
        r.limit1 = 10;
        r.limit4 = 100;
    }
    // Every box of the export is printed and answered at once.
    dialogs::setHook([](const dialogs::Request& box) {
        std::fprintf(stderr, "%s\n", box.text.toLocal8Bit().constData());
        return dialogs::Reply{QMessageBox::Ok, true, QString()};
    });

    const quint32 firstTime = argc > 4 ? QString::fromLocal8Bit(argv[4]).toUInt() : 1700000000u;
    const quint32 serial = 4242;
    QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/log"));
    const QString sourcePath = syncLogFilePath(ModelT6M, serial);
    if (!writeLog(sourcePath, records, firstTime))
        return 1;

    QTemporaryDir temporary;
    const QString keep = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const ExportMode mode =
        argc > 3 ? ExportMode(QString::fromLocal8Bit(argv[3]).toInt()) : ExportAll;
    if (!keep.isEmpty())
        QDir().mkpath(keep);
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    std::printf("records: %d, channels: 6, source: %.2f MB\n", records,
                double(QFileInfo(sourcePath).size()) / 1e6);
    QString workbook;
    double textPeakMb = -1;
    for (const char* suffix : {"txt", "csv", "xlsx"}) {
        const QString dest = dir.filePath(QStringLiteral("export.") + QLatin1String(suffix));
        resetPeakRss();
        QElapsedTimer timer;
        timer.start();
        qint64 closeStartNs = -1; // the workbook's close, with the copy into place after it
        exportCloseHook = [&] { closeStartNs = timer.nsecsElapsed(); };
        const bool ok = exportLogFile(6, serial, mode, dest);
        const qint64 endNs = timer.nsecsElapsed();
        exportCloseHook = nullptr;
        const double seconds = double(endNs) / 1e9;
        const double mb = double(QFileInfo(dest).size()) / 1e6;
        std::printf("%-4s  %s  %.3f s  %.0f records/s  %.2f MB  %.1f MB/s  peak RSS %.1f MB\n",
                    suffix, ok ? "ok    " : "FAILED", seconds, records / seconds, mb, mb / seconds,
                    peakRssMb());
        if (!ok)
            return 1;
        if (QLatin1String(suffix) == QLatin1String("txt"))
            textPeakMb = peakRssMb();
        if (QLatin1String(suffix) == QLatin1String("xlsx")) {
            std::printf("peak RSS of %d records: xlsx %.1f MB, txt %.1f MB\n", records, peakRssMb(),
                        textPeakMb);
            workbook = dest;
            std::printf("xlsx  ratio openpyxl/program: ");
            QProcess python;
            python.start(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral(OPENPYXL_SCRIPT), dest,
                          dir.filePath(QStringLiteral("openpyxl.xlsx"))});
            if (python.waitForFinished(600000) && python.exitCode() == 0) {
                const double reference = python.readAllStandardOutput().trimmed().toDouble();
                std::printf("%.2f (openpyxl write-only %.3f s)\n", reference / seconds, reference);
            } else {
                std::printf("openpyxl not available\n");
            }
            const CancelledClose c =
                cancelDuringClose([&] { return exportLogFile(6, serial, mode, dest); });
            printCancelledClose("xlsx", c, double(endNs - closeStartNs) / 1e9);
            if (!c.cancelled)
                return 1;
        }
    }
    QFile::remove(sourcePath);

    const qint64 damagedMb = argc > 5 ? QString::fromLocal8Bit(argv[5]).toLongLong() : 256;
    if (damagedMb > 0) {
        {
            QFile source(sourcePath);
            if (!source.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                !source.resize(damagedMb << 20))
                return 1;
        }
        const QString dest = dir.filePath(QStringLiteral("damaged.txt"));
        resetPeakRss();
        QElapsedTimer timer;
        timer.start();
        const bool ok = exportLogFile(6, serial, mode, dest);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        std::printf("damaged  %lld MB without a line end: %s  %.3f s  %.0f MB/s  skipped %d  "
                    "peak RSS %.1f MB\n",
                    static_cast<long long>(damagedMb), ok ? "ok    " : "FAILED", seconds,
                    double(damagedMb) / seconds, lastExportSkippedLines, peakRssMb());
        QFile::remove(sourcePath);
        if (!ok || lastExportSkippedLines != 1)
            return 1;
    }

    const int longRecords = argc > 6 ? QString::fromLocal8Bit(argv[6]).toInt() : 1000000;
    if (longRecords > 0) {
        if (!writeLog(sourcePath, longRecords, firstTime))
            return 1;
        std::printf("long log: %d records, source %.1f MB\n", longRecords,
                    double(QFileInfo(sourcePath).size()) / 1e6);
        const QString text = dir.filePath(QStringLiteral("long.txt"));
        const Timed t = timed([&] { return exportLogFile(6, serial, mode, text); });
        std::printf("long  txt   %s  %.3f s  %.2f MB  peak RSS %.1f MB\n",
                    t.ok ? "ok    " : "FAILED", t.seconds, double(QFileInfo(text).size()) / 1e6,
                    t.peakMb);
        QFile::remove(text);
        const QString book = dir.filePath(QStringLiteral("long.xlsx"));
        const Timed x = timed([&] { return exportLogFile(6, serial, mode, book); });
        const bool stopped = !x.ok && !QFileInfo::exists(book) &&
                             lastExportMessage.contains(QStringLiteral("1048576"));
        std::printf("long  xlsx  %s  %.3f s to the stop  peak RSS %.1f MB  (txt %.1f MB)\n",
                    stopped ? "stopped at the sheet's last row, nothing written" : "NOT STOPPED",
                    x.seconds, x.peakMb, t.peakMb);
        if (!t.ok || !stopped)
            return 1;
        // The records of a window that just fits a sheet: the longest workbook that is
        // written, and the time its writing takes after the last line.
        const QString range = rangeLogFilePath(serial);
        QFile::remove(range);
        if (!QFile::rename(sourcePath, range))
            return 1;
        const int fitting = qMin(longRecords, 840000);
        const quint32 stop = firstTime + 60u * quint32(fitting - 1);
        const Timed f =
            timed([&] { return exportLogRange(firstTime, stop, 6, serial, mode, book); });
        std::printf("fit   xlsx  %s  %d records  %.3f s  %.2f MB  peak RSS %.1f MB  writing the "
                    "file after the last line %.3f s\n",
                    f.ok ? "ok    " : "FAILED", fitting, f.seconds,
                    double(QFileInfo(book).size()) / 1e6, f.peakMb, f.writingSeconds);
        if (!f.ok)
            return 1;
        const CancelledClose c = cancelDuringClose(
            [&] { return exportLogRange(firstTime, stop, 6, serial, mode, book); });
        printCancelledClose("fit   xlsx", c, f.writingSeconds);
        QFile::remove(range);
        if (!c.cancelled)
            return 1;
        if (keep.isEmpty())
            QFile::remove(book);
    }
    return 0;
}
