// The log download against the simulated detector: request sizing, resume of
// the synchronised file, block checks, cancels and the refusals that must not
// send anything or touch the file.

#include "appsettings.h"
#include "command.h"
#include "commandstate.h"
#include "dialogs.h"
#include "files.h"
#include "logdownload.h"
#include "logexport.h"
#include "logrecord.h"
#include "simdetector.h"
#include "simsequence.h"
#include "unusualnames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>

#include <sys/stat.h>

namespace
{

QVector<QByteArray> fileLines(const QString& path)
{
    QVector<QByteArray> lines;
    for (const QByteArray& l : readAll(path).split('\n')) {
        if (!l.isEmpty())
            lines.append(l + '\n');
    }
    return lines;
}

} // namespace

class TestLogDownload : public QObject
{
    Q_OBJECT

    // The simulator serves its log ring of records of this size (SimDetector::setLogRing).
    SimDetector sim;
    int recordSize = 48;

    QString syncPath() const { return syncLogFilePath(command.modelCode, 42); }

    void useModel(quint16 model)
    {
        command.modelCode = model;
        sim.setProfile(SimDetector::Layout::Extended, model);
        recordSize = logRecordSize(model);
        sim.setLogRing(recordSize, 0, 0);
    }

    // The next index the device writes.
    void setCurrent(quint32 current) { sim.setLogRingCurrent(current); }

    // The log blocks the device answered since the request log was last
    // cleared, as {first record on the wire, count}.
    QVector<QPair<int, int>> asked() const
    {
        QVector<QPair<int, int>> blocks;
        for (const SimRequest& r : sim.requests()) {
            if (r.crcOk && r.function == 12 && r.answered && r.reply.size() >= 2 &&
                quint8(r.reply[1]) == 12)
                blocks.append({r.firstRecord, r.count});
        }
        return blocks;
    }

    // Every line decodes to the ring's record with its number, from `first` on.
    void checkFile(const QString& path, quint32 first, quint32 end)
    {
        const QVector<QByteArray> lines = fileLines(path);
        QCOMPARE(quint32(lines.size()), end - first);
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i].size(), logLineBytes(recordSize));
            QVERIFY(loadLogLine(lines[i], recordSize));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(command.logRecord), recordSize),
                     SimDetector::logRingRecord(first + quint32(i), recordSize));
        }
    }

private slots:
    void initTestCase() { QVERIFY2(startSimulator(sim), qPrintable(sim.errorString())); }

    void init()
    {
        resetExtendedSimulator(sim, ModelT2);
        useModel(ModelT2);
        logBlockWritten = nullptr;
        // Function 12 answered from the ring, not by an earlier test's handler.
        sim.onArchiveRead(nullptr);
        QDir(logFolderPath()).removeRecursively();
    }

    void cleanupTestCase()
    {
        QDir(logFolderPath()).removeRecursively();
        closeProgramPort();
    }

    void sizing_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("perBlock");
        QTest::newRow("48") << 48 << 24;
        QTest::newRow("120") << 120 << 24;
        QTest::newRow("168") << 168 << 16;
        QTest::newRow("124: 2976 + 5 bytes") << 124 << 24;
        QTest::newRow("125: 24 would make 3005 bytes") << 125 << 23;
        QTest::newRow("126") << 126 << 22;
        QTest::newRow("none") << 0 << 0;
    }
    void sizing()
    {
        QFETCH(int, size);
        QFETCH(int, perBlock);
        QCOMPARE(recordsPerBlock(size), perBlock);
    }

    // Address, function and count before the records and the CRC after them:
    // every reply a request asks for fits the 3000-byte buffer.
    void everyBlockFits()
    {
        for (int size = 1; size <= 264; ++size) {
            const int n = recordsPerBlock(size);
            QVERIFY2(n >= 1 && n <= 24, qPrintable(QString::number(size)));
            QVERIFY2(5 + n * size <= 3000, qPrintable(QString::number(size)));
        }
    }

    void remainingTime_data()
    {
        QTest::addColumn<quint32>("remaining");
        QTest::addColumn<quint32>("done");
        QTest::addColumn<quint64>("ms");
        QTest::addColumn<quint32>("seconds");
        QTest::newRow("example") << 900u << 100u << quint64(5000) << 45u;
        QTest::newRow("past 65536 s") << 32000u << 24u << quint64(60000) << 80000u;
        QTest::newRow("nothing done") << 10u << 0u << quint64(10) << 0u;
    }
    void remainingTime()
    {
        QFETCH(quint32, remaining);
        QFETCH(quint32, done);
        QFETCH(quint64, ms);
        QFETCH(quint32, seconds);
        QCOMPARE(remainingSeconds(remaining, done, ms), seconds);
    }

    // Full synchronisation of each record size, then again after the ring grew.
    void fullSync_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("48") << int(ModelT2);
        QTest::newRow("120") << int(ModelT6);
        QTest::newRow("168") << int(ModelT6M);
    }
    void fullSync()
    {
        QFETCH(int, model);
        useModel(quint16(model));
        setCurrent(70);
        dialogs::Script script;
        QVERIFY(syncLogFile(quint16(recordSize), 42, 70, 0));
        QVERIFY(script.shown.isEmpty());
        checkFile(syncPath(), 0, 70);
        QCOMPARE(currentLogFilePath, syncPath());
        sim.clearLog();
        setCurrent(75);
        QVERIFY(syncLogFile(quint16(recordSize), 42, 75, 0));
        QCOMPARE(asked(), (QVector<QPair<int, int>>{{70, 5}}));
        checkFile(syncPath(), 0, 75);
    }

    void resumeRequests()
    {
        setCurrent(2000);
        QVERIFY(syncLogFile(48, 42, 2000, 1997));
        QCOMPARE(QFileInfo(syncPath()).size(), qint64(3 * logLineBytes(48)));
        sim.clearLog();
        setCurrent(2100);
        QVERIFY(syncLogFile(48, 42, 2100, 1500));
        QCOMPARE(asked(), (QVector<QPair<int, int>>{
                              {2000, 24}, {2024, 24}, {2048, 24}, {2072, 24}, {2096, 4}}));
        checkFile(syncPath(), 1997, 2100);
        // Up to date: only the settings read goes out.
        sim.clearLog();
        QVERIFY(syncLogFile(48, 42, 2100, 1500));
        QCOMPARE(sim.countFrames(12), 0);
        QCOMPARE(sim.countFrames(3), 1);
    }

    void newestRecordsOnly()
    {
        setCurrent(40000);
        logBlockWritten = [](int) { command.progressDialog->cancel(); };
        QVERIFY(!syncLogFile(48, 42, 40000, 0));
        QCOMPARE(asked(), (QVector<QPair<int, int>>{{7233, 24}}));
        checkFile(syncPath(), 7233, 7257);
    }

    void failedBlockKeepsEarlierLines_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("exception at block 3") << false;
        QTest::newRow("cancel after block 1") << true;
    }
    void failedBlockKeepsEarlierLines()
    {
        QFETCH(bool, cancel);
        setCurrent(100);
        dialogs::Script script;
        if (cancel)
            logBlockWritten = [](int) { command.progressDialog->cancel(); };
        else
            sim.addFault(SimFault(SimFault::Exception, 12).attempts(3, -1));
        QVERIFY(!syncLogFile(48, 42, 100, 0));
        checkFile(syncPath(), 0, cancel ? 24 : 48);
        QCOMPARE(script.texts().size(), cancel ? 0 : 1);
        logBlockWritten = nullptr;
        sim.clearFaults();
        QVERIFY(syncLogFile(48, 42, 100, 0));
        checkFile(syncPath(), 0, 100);
    }

    // The device falls silent from block 3 on: the link gives up after its
    // retries (the one slow path here), the two blocks before stay, and the
    // next synchronisation asks from record 48 on and ends with the very file
    // an uninterrupted run writes.
    void silenceKeepsEarlierLinesAndResumes()
    {
        setCurrent(100);
        QVERIFY(syncLogFile(48, 42, 100, 0));
        const QByteArray uninterrupted = readAll(syncPath());
        QVERIFY(QFile::remove(syncPath()));

        dialogs::Script script;
        sim.addFault(SimFault(SimFault::Silence, 12).attempts(3, -1));
        {
            // Every silent attempt costs the whole time-out: shorter here, still long
            // enough for the two blocks answered first on a loaded machine.
            const TimeoutOverride quick(TimeoutArchiveFirstReply, SilentAttemptsReplyMs);
            QVERIFY(!syncLogFile(48, 42, 100, 0));
        }
        checkFile(syncPath(), 0, 48);
        QCOMPARE(script.texts().size(), 1);

        sim.clearFaults();
        sim.clearLog();
        QVERIFY(syncLogFile(48, 42, 100, 0));
        QVERIFY(!asked().isEmpty());
        QCOMPARE(asked().first(), qMakePair(48, 24));
        QCOMPARE(readAll(syncPath()), uninterrupted);
    }

    // A cancel pressed while the last block is on its way is still a cancel.
    void cancelOnLastBlock()
    {
        setCurrent(30);
        logBlockWritten = [](int block) {
            if (block == 2)
                command.progressDialog->cancel();
        };
        QVERIFY(!syncLogFile(48, 42, 30, 0));
        checkFile(syncPath(), 0, 30);
    }

    // A block whose record numbers are not the ones asked for is not written.
    void brokenBlockNotWritten()
    {
        setCurrent(60);
        sim.onArchiveRead([this](quint16 first, quint16 count) {
            SimDetector::ArchiveReply reply;
            reply.count = count;
            for (int i = 0; i < count; ++i)
                reply.records +=
                    SimDetector::logRingRecord(first + quint32(i) + (first >= 24 ? 1 : 0), 48);
            return reply;
        });
        dialogs::Script script;
        QVERIFY(!syncLogFile(48, 42, 60, 0));
        QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными"});
        checkFile(syncPath(), 0, 24);
    }

    // The request carries the low 16 bits of the index: a block answered
    // from another lap of the record counter has the right low bits and runs
    // on consecutively, but is not the block asked for.
    void wrongLapRefused_data()
    {
        QTest::addColumn<qint64>("offset");
        QTest::newRow("0x10000 higher") << qint64(0x10000);
        QTest::newRow("0x10000 lower") << -qint64(0x10000);
    }
    void wrongLapRefused()
    {
        QFETCH(qint64, offset);
        setCurrent(66240);
        std::atomic<bool> faulty{true};
        sim.onArchiveRead([offset, &faulty](quint16 first, quint16 count) {
            // 66096 goes on the wire as 560.
            const quint32 number =
                first == 560 && faulty ? quint32(66096 + offset) : 0x10000u | first;
            SimDetector::ArchiveReply reply;
            reply.count = count;
            for (int i = 0; i < count; ++i)
                reply.records += SimDetector::logRingRecord(number + quint32(i), 48);
            return reply;
        });
        dialogs::Script script;
        QVERIFY(!syncLogFile(48, 42, 66240, 66000));
        QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными"});
        checkFile(syncPath(), 66000, 66096);

        faulty = false;
        sim.clearLog();
        QVERIFY(syncLogFile(48, 42, 66240, 66000));
        QCOMPARE(asked().first(), qMakePair(560, 24));
        checkFile(syncPath(), 66000, 66240);
        QCOMPARE(script.texts().size(), 1);
    }

    // Qt shows a progress dialog only after 4 s by default: a short download
    // would run without a cancel button and with the window open for clicks.
    void dialogShownAtOnce_data()
    {
        QTest::addColumn<bool>("range");
        QTest::newRow("synchronisation") << false;
        QTest::newRow("range") << true;
    }
    void dialogShownAtOnce()
    {
        QFETCH(bool, range);
        setCurrent(48);
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(0u, 47u); });
        QVector<bool> visible;
        logBlockWritten = [&visible](int) {
            visible.append(command.progressDialog && command.progressDialog->isVisible() &&
                           command.progressDialog->isModal());
        };
        QVERIFY(range ? downloadLogRange(0, 5000, 48, 42) : syncLogFile(48, 42, 48, 0));
        sim.onRangeSearch(nullptr);
        QCOMPARE(visible, (QVector<bool>{true, true}));
    }

    // While one transfer runs, the event loop it lets run between blocks may
    // start another (a click, a timer): it does nothing and writes nothing.
    void nestedTransfersDoNothing()
    {
        setCurrent(100);
        lastExportMessage.clear();
        QTemporaryDir exportDir;
        QVERIFY(exportDir.isValid());
        const QString exportFile = exportDir.filePath("nested.txt");
        int framesBefore = 0;
        QVector<bool> nested;
        logBlockWritten = [&](int block) {
            if (block != 2)
                return;
            framesBefore = frameCount(sim);
            nested << syncLogFile(48, 42, 100, 0) << downloadLogRange(0, 100000, 48, 42)
                   << exportLogFile(1, 42, ExportAll, exportFile)
                   << exportLogRange(0, 100000, 1, 42, ExportAll, exportFile);
            nested << (frameCount(sim) == framesBefore);
        };
        dialogs::Script script;
        QVERIFY(syncLogFile(48, 42, 100, 0));
        QCOMPARE(nested, (QVector<bool>{false, false, false, false, true}));
        QVERIFY(script.shown.isEmpty());
        QVERIFY(!QFile::exists(exportFile));
        QVERIFY(!QFile::exists(rangeLogFilePath(42)));
        checkFile(syncPath(), 0, 100);
        // Once it is over, the next one runs.
        logBlockWritten = nullptr;
        setCurrent(110);
        QVERIFY(syncLogFile(48, 42, 110, 0));
        checkFile(syncPath(), 0, 110);
    }

    // The device counts ticks in 32 bits; at 0.9375 s a tick they end in
    // August 2097. A later stop asks up to the last tick.
    void rangeTicksHeldTo32Bits_data()
    {
        QTest::addColumn<double>("secondsPerTick");
        QTest::addColumn<quint32>("startSeconds");
        QTest::addColumn<quint32>("stopSeconds");
        QTest::addColumn<quint32>("startTicks");
        QTest::addColumn<quint32>("stopTicks");
        // 2021-01-01 = 1609459200 s = 1716756480 ticks of 0.9375 s;
        // 2097-01-01 = 4007836800 s = 4275025920 ticks; 2100-01-01 = 4102444800 s.
        QTest::newRow("T2 Classic, 2021 to 2097")
            << 0.9375 << 1609459200u << 4007836800u << 1716756480u << 4275025920u;
        QTest::newRow("T2 Classic, 2021 to 2100")
            << 0.9375 << 1609459200u << 4102444800u << 1716756480u << 0xFFFFFFFFu;
        QTest::newRow("T2 Classic, last second of 2106")
            << 0.9375 << 4102444800u << 0xFFFFFFFFu << 0xFFFFFFFFu << 0xFFFFFFFFu;
        QTest::newRow("1 s a tick, 2100") << 1.0 << 0u << 4102444800u << 0u << 4102444800u;
        QTest::newRow("T2 Classic, cut toward zero") << 0.9375 << 1u << 1000001u << 1u << 1066667u;
    }
    void rangeTicksHeldTo32Bits()
    {
        QFETCH(double, secondsPerTick);
        QFETCH(quint32, startSeconds);
        QFETCH(quint32, stopSeconds);
        QFETCH(quint32, startTicks);
        QFETCH(quint32, stopTicks);
        command.secondsPerTick = secondsPerTick;
        useModel(ModelT2Classic);
        std::atomic<quint32> sentStart{0};
        std::atomic<quint32> sentStop{0};
        sim.onRangeSearch([&](quint32 start, quint32 stop) {
            sentStart = start;
            sentStop = stop;
            return std::make_pair(10u, 9u);
        });
        dialogs::Script script;
        QVERIFY(downloadLogRange(startSeconds, stopSeconds, 48, 42));
        sim.onRangeSearch(nullptr);
        QCOMPARE(sim.countFrames(20), 1);
        QCOMPARE(quint32(sentStart), startTicks);
        QCOMPARE(quint32(sentStop), stopTicks);
    }

    // The range file is written aside and put in place: a link named like it
    // is replaced, never written through, and a range that brings no records
    // changes nothing at all.
    // A link named like the range file is replaced by the range file, whatever
    // the download finds, and its target is never written.
    void rangeFileLinkKeepsItsTarget_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("lines"); // in the range file afterwards
        QTest::newRow("records") << "records" << 30;
        QTest::newRow("no records") << "empty" << 0;
        QTest::newRow("range request refused") << "refused" << 0;
        QTest::newRow("first block refused") << "block" << 0;
        QTest::newRow("cancel after the first block") << "cancel" << 24;
    }
    void rangeFileLinkKeepsItsTarget()
    {
        QFETCH(QString, what);
        QFETCH(int, lines);
        setCurrent(50);
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const QString target = elsewhere.filePath("precious.txt");
        const QByteArray precious = "the operator's own file\r\n";
        {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(precious);
        }
        QVERIFY(QDir().mkpath(logFolderPath()));
        QVERIFY(QFile::link(target, rangeLogFilePath(42)));
        if (what == "empty")
            sim.onRangeSearch([](quint32, quint32) { return std::make_pair(10u, 9u); });
        else
            sim.onRangeSearch([](quint32, quint32) { return std::make_pair(20u, 49u); });
        if (what == "refused")
            sim.addFault(SimFault(SimFault::BadCrc, 20));
        if (what == "block")
            sim.addFault(SimFault(SimFault::Exception, 12));
        if (what == "cancel")
            logBlockWritten = [](int) { command.progressDialog->cancel(); };
        dialogs::Script script;
        const bool ok = downloadLogRange(100, 200, 48, 42);
        sim.onRangeSearch(nullptr);
        QCOMPARE(ok, what == "records" || what == "empty");
        QCOMPARE(readAll(target), precious);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{"precious.txt"});
        const QFileInfo range(rangeLogFilePath(42));
        QVERIFY(!range.isSymLink());
        QVERIFY(range.isFile());
        checkFile(rangeLogFilePath(42), 20, 20 + quint32(lines));
    }

    // The range file holds the records of the last range download only: a
    // range with records, then one without, then a refused range request.
    void rangeFileFollowsTheLastRange()
    {
        setCurrent(50);
        dialogs::Script script;
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(20u, 49u); });
        QVERIFY(downloadLogRange(100, 200, 48, 42));
        checkFile(rangeLogFilePath(42), 20, 50);
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(10u, 9u); });
        QVERIFY(downloadLogRange(100, 200, 48, 42));
        QVERIFY(QFileInfo(rangeLogFilePath(42)).isFile());
        QCOMPARE(readAll(rangeLogFilePath(42)), QByteArray());
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(20u, 49u); });
        QVERIFY(downloadLogRange(100, 200, 48, 42));
        checkFile(rangeLogFilePath(42), 20, 50);
        sim.addFault(SimFault(SimFault::Exception, 20).code(4));
        QVERIFY(!downloadLogRange(100, 200, 48, 42));
        QVERIFY(QFileInfo(rangeLogFilePath(42)).isFile());
        QCOMPARE(readAll(rangeLogFilePath(42)), QByteArray());
        QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными 04"});
        sim.clearFaults();
        sim.onRangeSearch(nullptr);
    }

    // Names like the synchronised file's that are no plain file: a pipe (whose
    // open or first write would wait for a reader for good), a link to a
    // device (which would swallow every record), a dangling link (which would
    // create a file outside the log folder), a link to a folder. The
    // synchronisation refuses before the device is asked, the export before it
    // opens its source; both with the open error, nothing written anywhere.
    void unusualSyncFileNamesRefused_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link to /dev/null") << "null";
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("link to a folder") << "folder";
        QTest::newRow("link to a pipe") << "pipelink";
    }
    void unusualSyncFileNamesRefused()
    {
        QFETCH(QString, what);
        setCurrent(100);
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        QVERIFY(QDir().mkpath(logFolderPath()));
        const QString name = syncPath();
        const QString fifo = what == "pipe" ? name : elsewhere.filePath("fifo");
        if (what == "pipe" || what == "pipelink")
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (what == "pipelink")
            QVERIFY(QFile::link(fifo, name));
        if (what == "null")
            QVERIFY(QFile::link("/dev/null", name));
        if (what == "dangling")
            QVERIFY(QFile::link(elsewhere.filePath("created.txt"), name));
        if (what == "folder")
            QVERIFY(QFile::link(elsewhere.path(), name));
        const QStringList before =
            QDir(elsewhere.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        const QStringList logBefore =
            QDir(logFolderPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        dialogs::Script script;
        QVERIFY(!syncLogFile(48, 42, 100, 0));
        QCOMPARE(frameCount(sim), 0);
        const QString destination = elsewhere.filePath("export.txt");
        QVERIFY(!exportLogFile(1, 42, ExportAll, destination));
        QCOMPARE(script.texts(), (QStringList{"Ошибка открытия файла", "Ошибка открытия файла"}));
        QCOMPARE(QDir(elsewhere.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 before);
        QCOMPARE(
            QDir(logFolderPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
            logBefore);
        QFile::remove(name);
    }

    // Names that are no plain file as the export's destination, in each of its
    // forms, and as the range file: the open error; the range download asks the
    // device nothing, and nothing under the name changes or is created.
    void unusualDestinationsRefused_data() { addUnusualNameRows(); }
    void unusualDestinationsRefused()
    {
        QFETCH(QString, kind);
        setCurrent(10);
        dialogs::Script script;
        QVERIFY(syncLogFile(48, 42, 10, 0)); // the export's source
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        for (const char* suffix : {"txt", "csv", "xlsx"}) {
            QTemporaryDir elsewhere;
            QVERIFY(elsewhere.isValid());
            const UnusualName unusual(kind, folder.filePath(QStringLiteral("export.") + suffix),
                                      elsewhere.path());
            QVERIFY(unusual.ok());
            QVERIFY(!exportLogFile(1, 42, ExportAll,
                                   folder.filePath(QStringLiteral("export.") + suffix)));
            QVERIFY2(unusual.unchanged(), suffix);
        }
        {
            QTemporaryDir elsewhere;
            QVERIFY(elsewhere.isValid());
            const UnusualName unusual(kind, rangeLogFilePath(42), elsewhere.path());
            QVERIFY(unusual.ok());
            sim.clearLog();
            QVERIFY(!downloadLogRange(100, 200, 48, 42));
            QCOMPARE(frameCount(sim), 0);
            QVERIFY(unusual.unchanged());
        }
        const QString openError = "Ошибка открытия файла";
        QCOMPARE(script.texts(), (QStringList{openError, openError, openError, openError}));
    }

    // A log block, a single record or a range search that the device refuses with an
    // exception, of whatever code, stops the download with its error and writes
    // nothing of that block; the blocks before it stay.
    void refusedRequestStops_data()
    {
        QTest::addColumn<QString>("what"); // sync, range or record
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("fromRequest");
        QTest::addColumn<int>("code");
        QTest::addColumn<quint32>("firstLine");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("message");
        const QString coded = "Ошибка обмена данными 04";
        QTest::newRow("sync, block 3, code 4") << "sync" << 12 << 3 << 4 << 0u << 48 << coded;
        QTest::newRow("sync, block 1, code 1") << "sync" << 12 << 1 << 1 << 0u << 0 << coded;
        QTest::newRow("range search, code 4") << "range" << 20 << 1 << 4 << 0u << 0 << coded;
        QTest::newRow("range, block 2, code 6") << "range" << 12 << 2 << 6 << 20u << 24 << coded;
        QTest::newRow("single record, code 4")
            << "record" << 12 << 1 << 4 << 0u << 0 << "Ошибка обмена данными";
    }
    void refusedRequestStops()
    {
        QFETCH(QString, what);
        QFETCH(int, function);
        QFETCH(int, fromRequest);
        QFETCH(int, code);
        QFETCH(quint32, firstLine);
        QFETCH(int, lines);
        QFETCH(QString, message);
        setCurrent(100);
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(20u, 69u); });
        sim.addFault(SimFault(SimFault::Exception, function).attempts(fromRequest, -1).code(code));
        // Whatever an earlier reply left there must not pass for the refused block.
        memset(archiveBlock, 0xEE, sizeof archiveBlock);
        dialogs::Script script;
        if (what == "sync") {
            QVERIFY(!syncLogFile(48, 42, 100, 0));
            checkFile(syncPath(), firstLine, firstLine + quint32(lines));
        } else if (what == "range") {
            QVERIFY(!downloadLogRange(100, 200, 48, 42));
            checkFile(rangeLogFilePath(42), firstLine, firstLine + quint32(lines));
            if (function == 20)
                QCOMPARE(sim.countFrames(12), 0);
        } else {
            QVERIFY(!readArchiveRecord(48, true, 100, 0));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(command.logRecord), 48),
                     QByteArray(48, '\0'));
        }
        QCOMPARE(script.texts(), QStringList{message});
        sim.clearFaults();
        sim.onRangeSearch(nullptr);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("offline") << "offline";
        QTest::newRow("record size 0") << "size0";
        QTest::newRow("damaged last line") << "damaged";
        QTest::newRow("short file") << "short";
        QTest::newRow("4 MB without a line end") << "endless";
        QTest::newRow("unopenable") << "unopenable";
    }
    void refusals()
    {
        QFETCH(QString, what);
        setCurrent(100);
        QDir().mkpath(logFolderPath());
        QByteArray before = SimDetector::logRingRecord(5, 48).toHex().toUpper() + "\r\n";
        int size = 48;
        if (what == "offline")
            command.connected = 0;
        if (what == "size0")
            size = 0;
        if (what == "damaged")
            before += before.left(96) + "Z\r\n";
        if (what == "short")
            before = "0011\r\n";
        if (what == "endless")
            before = QByteArray(4 << 20, '0');
        if (what == "unopenable") {
            QVERIFY(QDir().mkpath(syncPath()));
        } else {
            QFile f(syncPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        dialogs::Script script;
        QVERIFY(!syncLogFile(quint16(size), 42, 100, 0));
        QCOMPARE(script.shown.size(), 1);
        if (what == "damaged" || what == "short" || what == "endless")
            QVERIFY(script.texts().first().contains(QDir::toNativeSeparators(syncPath())));
        QCOMPARE(frameCount(sim), 0);
        if (what != "unopenable")
            QCOMPARE(readAll(syncPath()), before);
        if (what == "offline" || what == "size0") {
            QVERIFY(!downloadLogRange(0, 100, quint16(size), 42));
            QVERIFY(!readArchiveRecord(quint16(size), true, 100, 0));
            QCOMPARE(frameCount(sim), 0);
        }
        command.connected = 1;
        QDir(logFolderPath()).removeRecursively();
    }

    void wireIndexIsLow16Bits()
    {
        setCurrent(70001);
        QVERIFY(readArchiveRecord(48, true, 70001, 0));
        QCOMPARE(asked(), (QVector<QPair<int, int>>{{4464, 1}}));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(command.logRecord), 48),
                 SimDetector::logRingRecord(70000, 48));
    }

    void range_data()
    {
        QTest::addColumn<quint32>("first");
        QTest::addColumn<quint32>("last");
        QTest::addColumn<int>("askedFirst");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty answer") << 10u << 9u << -1 << 0;
        QTest::newRow("small range") << 20u << 49u << 20 << 30;
        QTest::newRow("newest 32767") << 0u << 49999u << 17233 << 24;
    }
    void range()
    {
        QFETCH(quint32, first);
        QFETCH(quint32, last);
        QFETCH(int, askedFirst);
        QFETCH(int, lines);
        setCurrent(50000);
        sim.onRangeSearch([first, last](quint32, quint32) { return std::make_pair(first, last); });
        if (lines == 24)
            logBlockWritten = [](int) { command.progressDialog->cancel(); };
        QFile stale(rangeLogFilePath(42));
        QDir().mkpath(logFolderPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale\r\n");
        stale.close();
        dialogs::Script script;
        QCOMPARE(downloadLogRange(100, 200, 48, 42), lines != 24);
        QVERIFY(script.shown.isEmpty());
        QCOMPARE(downloadedFirstIndex, first);
        QCOMPARE(downloadedEndIndex, last + 1);
        // A range without records leaves an empty file, not the previous one.
        QCOMPARE(fileLines(rangeLogFilePath(42)).size(), lines);
        QVERIFY(!readAll(rangeLogFilePath(42)).contains("stale"));
        if (askedFirst >= 0) {
            QCOMPARE(asked().first().first, askedFirst);
            checkFile(rangeLogFilePath(42), quint32(askedFirst), quint32(askedFirst + lines));
        } else {
            QVERIFY(asked().isEmpty());
        }
        sim.onRangeSearch(nullptr);
    }
};

QTEST_MAIN(TestLogDownload)
#include "test_logdownload.moc"
