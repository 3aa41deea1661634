// Log download against the simulated detector with the line paced at 115200
// baud: records per second and the share of the line rate (11,520 bytes/s)
// used by one synchronisation, beside the ceiling that the fixed wait of every
// block (the silence that ends a reply) allows.
//
// Usage: bench_logdownload [records] (default 2400; record size 120 bytes).

#include "appsettings.h"
#include "command.h"
#include "commandstate.h"
#include "dialogs.h"
#include "logdownload.h"
#include "simdetector.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const quint32 records = argc > 1 ? quint32(QByteArray(argv[1]).toUInt()) : 2400;
    const int recordSize = 120;

    SimDetector sim;
    if (!sim.start() || !connectToSimulator(sim)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    command.registerMap = ExtendedMap;
    command.modelCode = ModelT6;
    command.modbusAddress = 255;
    sim.setProfile(SimDetector::Layout::Extended, ModelT6);
    sim.setLogRing(recordSize, 0, records);
    sim.setLinePacing(true);
    QDir(logFolderPath()).removeRecursively();
    dialogs::Script script;

    QElapsedTimer timer;
    timer.start();
    const bool ok = syncLogFile(recordSize, 1, records, 0);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    QDir(logFolderPath()).removeRecursively();
    command.connected = 0;
    command.serialPort.close();
    if (!ok) {
        std::fprintf(stderr, "synchronisation failed: %s\n", qPrintable(script.texts().join("; ")));
        return 1;
    }

    const int perBlock = recordsPerBlock(recordSize);
    const quint32 blocks = (records + quint32(perBlock) - 1) / quint32(perBlock);
    // Request 8 bytes, reply 5 + k x size, both on the line.
    const double lineBytes = double(blocks) * (8 + 5) + double(records) * recordSize;
    const double lineRate = 11520.0;
    const double waitS = command.timeouts[TimeoutArchiveBetweenChunks] / 1000.0;
    const double ceilingS = lineBytes / lineRate + double(blocks) * waitS;
    const double share = lineBytes / lineRate / seconds;
    const double ceilingShare = lineBytes / lineRate / ceilingS;
    std::printf("records %u of %d bytes in %u blocks, %.3f s\n", records, recordSize, blocks,
                seconds);
    std::printf("records/s %.1f (ceiling %.1f)\n", records / seconds, records / ceilingS);
    std::printf("line share %.1f %% (ceiling %.1f %%), ratio to ceiling %.3f\n", 100 * share,
                100 * ceilingShare, share / ceilingShare);
    return 0;
}
