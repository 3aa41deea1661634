// Export benchmark: a log of N records of a 6-channel detector exported into
// txt, csv and xlsx. Prints records per second, MB/s of output and the peak
// resident memory of each run, and the time openpyxl's write-only mode takes
// to write the same workbook cells. Then a damaged log: a sparse file of zero
// bytes without a line end, as a broken disk or copy leaves one, exported
// into txt: the time, the damaged lines counted and the peak resident memory,
// which must stay far below the file's size.
//
// Usage: bench_logexport [records [keep-folder [mode [first-time [damaged-MB]]]]]
// (default 32767 records). With a keep-folder the exported files are left
// there (to compare outputs between builds); mode is the ExportMode number
// (default ExportAll); first-time the first record's time in seconds;
// damaged-MB the size of the damaged file (default 256; 0 skips it).

#include "command.h"
#include "dialogs.h"
#include "logdownload.h"
#include "logexport.h"
#include "logrecord.h"
#include "types.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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
    const int size = logRecordSize(ModelT6M);
    QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/log"));
    const QString sourcePath = syncLogFilePath(ModelT6M, serial);
    {
        QFile source(sourcePath);
        if (!source.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        quint8 b[LogRecordSize];
        for (int i = 0; i < records; ++i) {
            std::memset(b, 0, sizeof b);
            // Every 20th record an event, every 7th an alarm on channel 2.
            put16(b, 0, i % 20 == 19 ? 0x30 : 4);
            put32(b, 4, quint32(i));
            put32(b, 8, quint32(firstTime + 60u * quint32(i)));
            for (int k = 0; k < 6; ++k) {
                put16(b, 24 + 24 * k + 2, (k == 2 && i % 7 == 0) ? 1 : 0);
                put16(b, 24 + 24 * k + 12, quint16(i * 3 + k));
                put16(b, 24 + 24 * k + 16, 0x80);
            }
            source.write(logLine(b, size));
        }
    }

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
    for (const char* suffix : {"txt", "csv", "xlsx"}) {
        const QString dest = dir.filePath(QStringLiteral("export.") + QLatin1String(suffix));
        resetPeakRss();
        QElapsedTimer timer;
        timer.start();
        const bool ok = exportLogFile(6, serial, mode, dest);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const double mb = double(QFileInfo(dest).size()) / 1e6;
        std::printf("%-4s  %s  %.3f s  %.0f records/s  %.2f MB  %.1f MB/s  peak RSS %.1f MB\n",
                    suffix, ok ? "ok    " : "FAILED", seconds, records / seconds, mb, mb / seconds,
                    peakRssMb());
        if (!ok)
            return 1;
        if (QLatin1String(suffix) == QLatin1String("xlsx")) {
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
    return 0;
}
