// Whole read and write sequences against the simulated detector. The expected
// request lists are written out here from the device's documented blocks.

#include "command.h"
#include "commandstate.h"
#include "simdetector.h"
#include "simsequence.h"

#include <QDateTime>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(SimFault)
Q_DECLARE_METATYPE(QVector<SimFault>)

class TestComposite : public QObject
{
    Q_OBJECT

    SimDetector sim;

    // The program's image and the simulator both on `model` in `map`.
    void useModel(int map, int model)
    {
        command.registerMap = quint16(map);
        command.modelCode = quint16(model);
        layoutTold();
        sim.setProfile(simLayoutOf(map), quint16(model));
    }

private slots:
    void initTestCase() { QVERIFY2(startSimulator(sim), qPrintable(sim.errorString())); }

    void init()
    {
        resetExtendedSimulator(sim, ModelT8M);
        command.channelCount = 2;
        command.userName = "Dolen";
        for (int ch = 0; ch < 10; ++ch)
            sim.setHolding(ch, 258, quint16(ch)); // every channel on
    }

    void cleanupTestCase() { closeProgramPort(); }

    void readAll_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("measurementsOnly");
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("expected");
        const QStringList channel = {"3/ch/258/55", "3/ch/336/60", "3/ch/400/7",
                                     "3/ch/768/2",  "3/ch/548/5",  "4/ch/32/28"};
        const QStringList status = {"4/10/96/3", "4/10/112/4", "3/10/784/3", "3/10/519/1"};
        QTest::newRow("mode 1, four channels")
            << 1 << false << int(ModelT8M)
            << (QStringList{"16/10/254/4"} + perChannel(4, channel) +
                QStringList{"3/10/512/7", "3/10/528/6", "3/10/544/4", "4/10/17/9"} + status);
        QTest::newRow("mode 1, measurements only")
            << 1 << true << int(ModelT8M)
            << (QStringList{"16/10/254/4"} + perChannel(4, {"4/ch/32/28"}) +
                QStringList{"3/10/512/7", "3/10/528/6", "3/10/544/4", "4/10/17/9"} + status);
        QTest::newRow("mode 1, short version block")
            << 1 << true << int(ModelNone)
            << (QStringList{"16/10/254/4"} + perChannel(4, {"4/ch/32/28"}) +
                QStringList{"3/10/512/7", "3/10/528/6", "3/10/544/4", "4/10/17/7"} + status);
        QTest::newRow("mode 2 poll") << 2 << true << int(ModelT8M)
                                     << (perChannel(4, {"4/ch/32/28"}) + QStringList{"4/10/17/9"});
        QTest::newRow("mode 0 image")
            << 0 << false << int(ModelT8M)
            << (perChannel(4, channel) +
                QStringList{"3/10/254/4", "3/10/512/7", "3/10/528/6", "3/10/544/4", "4/10/17/9"} +
                status);
    }
    void readAll()
    {
        QFETCH(int, mode);
        QFETCH(bool, measurementsOnly);
        QFETCH(int, model);
        QFETCH(QStringList, expected);
        command.channelCount = 4;
        command.modelCode = quint16(model);
        layoutTold();
        for (int ch = 0; ch < 4; ++ch)
            command.extendedChannels[ch].channelPage = quint16(ch);
        QVERIFY(command.readAllParameters(mode, measurementsOnly));
        QCOMPARE(frameSequence(sim), expected);
    }

    void readAllWritesTheClock()
    {
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QVERIFY(command.readAllParameters(1, true));
        const qint64 clock = sim.holding32(10, 256);
        QVERIFY(clock >= before && clock <= before + 2);
        QCOMPARE(qint32(sim.holding32(10, 254)), QDateTime::currentDateTime().offsetFromUtc());
    }

    void readAllStopsAtFirstFailure()
    {
        sim.addFault(SimFault(SimFault::Exception, 3, 1, 336).code(2));
        QVERIFY(!command.readAllParameters(1, false));
        QCOMPARE(folded(frameSequence(sim)),
                 (QStringList{"16/10/254/4", "3/0/258/55", "3/0/336/60", "3/0/400/7", "3/0/768/2",
                              "3/0/548/5", "4/0/32/28", "3/1/258/55", "3/1/336/60"}));
    }

    void failedSerialReadClearsItAndGoesOn()
    {
        memset(command.extendedChannels[1].sensorSerial, 'x', 14);
        sim.addFault(SimFault(SimFault::Exception, 3, 1, 400).code(2));
        QVERIFY(command.readAllParameters(1, false));
        QCOMPARE(QByteArray(command.extendedChannels[1].sensorSerial, 14), QByteArray(14, '\0'));
        QVERIFY(frameSequence(sim).contains("3/1/768/2"));
    }

    void pollSkipsChannelsThatAreOff()
    {
        command.channelCount = 3;
        command.extendedChannels[0].channelPage = 0;
        command.extendedChannels[1].channelPage = 170;
        command.extendedChannels[2].channelPage = 2;
        QVERIFY(command.readAllParameters(2, true));
        QCOMPARE(frameSequence(sim), (QStringList{"4/0/32/28", "4/2/32/28", "4/10/17/9"}));
    }

    // The image keeps the device's raw pointers however often it is read; the
    // oldest index is derived from them.
    void archivePointersStayRaw_data()
    {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("current");
        QTest::addColumn<qint64>("oldest");
        QTest::newRow("ahead") << quint32(33000) << quint32(100) << qint64(233);
        QTest::newRow("equal") << quint32(500) << quint32(500) << qint64(500);
        QTest::newRow("empty") << quint32(0) << quint32(0) << qint64(0);
        QTest::newRow("below") << quint32(100) << quint32(33000) << qint64(100);
    }
    void archivePointersStayRaw()
    {
        QFETCH(quint32, start);
        QFETCH(quint32, current);
        QFETCH(qint64, oldest);
        sim.setHolding32(10, 529, start);
        sim.setHolding32(10, 531, current);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(command.readAllParameters(1, true));
            QCOMPARE(command.extendedDevice.archiveStartAddress, start);
            QCOMPARE(command.extendedDevice.archiveCurrentAddress, current);
            QCOMPARE(command.archiveOldestIndex(), oldest);
        }
    }

    // The map probe: a reply is the extended device's answer, an exception (of any
    // code) the classic device's, asked once; silence and CRC errors are asked again,
    // and after every attempt they decide nothing.
    void mapProbe_data()
    {
        using Faults = QVector<SimFault>;
        QTest::addColumn<bool>("answers");
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("frames");
        const int extended = int(Command::MapProbe::Extended);
        const int classic = int(Command::MapProbe::Classic);
        const int unanswered = int(Command::MapProbe::Unanswered);
        QTest::newRow("classic, exception 2") << false << Faults() << classic << 1;
        QTest::newRow("exception 4")
            << true << Faults{SimFault(SimFault::Exception, 4, 10, RegMapProbe).code(4)} << classic
            << 1;
        QTest::newRow("extended") << true << Faults() << extended << 1;
        QTest::newRow("silent once, then extended")
            << true << Faults{SimFault(SimFault::Silence, 4, 10, RegMapProbe).attempts(1, 1)}
            << extended << 2;
        QTest::newRow("always silent")
            << true << Faults{SimFault(SimFault::Silence, 4, 10, RegMapProbe)} << unanswered << 10;
        QTest::newRow("classic, CRC error, then silent")
            << false
            << Faults{SimFault(SimFault::BadCrc, 4, 10, RegMapProbe).attempts(1, 1),
                      SimFault(SimFault::Silence, 4, 10, RegMapProbe)}
            << unanswered << 10;
    }
    void mapProbe()
    {
        QFETCH(bool, answers);
        QFETCH(QVector<SimFault>, faults);
        QFETCH(int, answer);
        QFETCH(int, frames);
        sim.setAnswersMapProbe(answers);
        for (const SimFault& f : faults)
            sim.addFault(f);
        command.registerMapProbed = false;
        command.probedModel = 0;
        command.registerMap = ExtendedMap;
        int got = -1;
        {
            // The answered rows keep a patient time-out, so that a loaded machine does not
            // turn a late reply into silence; where attempts go unanswered each costs the
            // whole time-out, shortened then, yet long enough that the simulator has read an
            // attempt before the next one clears the line (which would drop it unread).
            const bool silenceFirst =
                std::any_of(faults.begin(), faults.end(),
                            [](const SimFault& f) { return f.kind == SimFault::Silence; });
            const TimeoutOverride quick(TimeoutFirstReply,
                                        silenceFirst ? SilentAttemptsReplyMs : PatientReplyMs);
            got = int(command.probeExtendedMap());
        }
        sim.clearFaults();
        QCOMPARE(got, answer);
        // An unanswered last attempt may reach the log after the program gave up on it.
        QVERIFY(sim.waitForFrames(frames));
        QCOMPARE(sim.countFrames(4, 10, RegMapProbe), frames);
        QCOMPARE(command.registerMapProbed, answer != int(Command::MapProbe::Unanswered));
        QCOMPARE(command.probedModel, quint16(command.registerMapProbed ? ModelT8M : 0));
        QCOMPARE(int(command.registerMap), int(ExtendedMap)); // the caller decides
    }

    // A save sends the device's own pointers, read right before it, and keeps the
    // operator's switch and intervals; after a clear it sends the zeros once.
    void archiveBlockWrite()
    {
        sim.setHolding32(10, 529, 33000);
        sim.setHolding32(10, 531, 100);
        QCOMPARE(int(command.transact(3, DevicePage, 528, 6)), int(ResultOk));
        sim.setHolding32(10, 531, 110); // the device logged ten records since
        command.extendedDevice.archiveEnabled = 1;
        command.extendedDevice.archiveIntervals[0] = 7;
        QCOMPARE(int(command.writeArchiveBlock()), int(ResultOk));
        QCOMPARE(sim.holding32(10, 529), quint32(33000));
        QCOMPARE(sim.holding32(10, 531), quint32(110));
        QCOMPARE(sim.holding(10, 533), quint16(1)); // the switch as edited
        QCOMPARE(sim.holding(10, 528) & 0xFF, 7);   // the minutes as edited
        QCOMPARE(command.extendedDevice.archiveIntervals[0], quint8(7));

        command.extendedDevice.archiveStartAddress = 0;
        command.extendedDevice.archiveCurrentAddress = 0;
        command.archiveClearPending = true;
        QCOMPARE(int(command.writeArchiveBlock()), int(ResultOk));
        QCOMPARE(sim.holding32(10, 529), quint32(0));
        QCOMPARE(sim.holding32(10, 531), quint32(0));
        QVERIFY(!command.archiveClearPending);
    }

    void writeAll_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("adc");
        QTest::addColumn<QStringList>("expected");
        const QString clock = "16/0/254/4";
        QTest::newRow("User") << "User" << 2 << false
                              << (QStringList{clock} +
                                  perChannel(2, {"16/ch/258/19", "16/ch/548/2"}));
        QTest::newRow("Admin") << "Admin" << 2 << false
                               << (QStringList{clock} +
                                   perChannel(2, {"16/ch/258/41", "16/ch/311/1", "16/ch/400/7",
                                                  "16/ch/336/60", "16/ch/548/5"}) +
                                   QStringList{"16/10/544/4"});
        QTest::newRow("Admin, no channels")
            << "Admin" << 0 << false << QStringList{clock, "16/10/544/4"};
        const QStringList industry = {"16/ch/258/55", "16/ch/400/7", "16/ch/336/60", "16/ch/548/5"};
        // The archive pointers are read right before the archive block goes out.
        const QStringList industryDevice = {"16/10/512/7", "3/10/529/4",  "16/10/528/6",
                                            "16/10/544/4", "16/10/784/3", "16/10/519/1"};
        QTest::newRow("Dolen") << "Dolen" << 2 << false
                               << (QStringList{clock} + perChannel(2, industry) + industryDevice);
        QTest::newRow("Dolen with ADC points")
            << "Dolen" << 1 << true
            << (QStringList{clock} + perChannel(1, industry + QStringList{"16/ch/768/2"}) +
                industryDevice);
        QTest::newRow("Noname") << "Noname" << 2 << false << QStringList{clock};
        QTest::newRow("lower-case user") << "user" << 2 << false << QStringList{clock};
    }
    void writeAll()
    {
        QFETCH(QString, user);
        QFETCH(int, channels);
        QFETCH(bool, adc);
        QFETCH(QStringList, expected);
        command.userName = user;
        command.channelCount = quint16(channels);
        QVERIFY(command.writeAllParameters(adc));
        QCOMPARE(frameSequence(sim), expected);
    }

    // The User block carries the limits, STEL, TWA and the STEL interval whole.
    void userWriteCarriesStelAndTwa()
    {
        command.userName = "User";
        command.channelCount = 1;
        auto& ch = command.extendedChannels[0];
        ch.limit4 = 100.5f;
        ch.stel = 12.25f;
        ch.twa = 3.5f;
        ch.stelInterval = 15;
        QVERIFY(command.writeAllParameters(false));
        QCOMPARE(sim.holdingFloat(0, 270), 100.5f);
        QCOMPARE(sim.holdingFloat(0, 272), 12.25f);
        QCOMPARE(sim.holdingFloat(0, 274), 3.5f);
        QCOMPARE(sim.holding(0, 276), quint16(15));
    }

    void writeAllStopsAtCountedFailure_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("failReg");
        QTest::addColumn<bool>("result");
        QTest::newRow("Admin table write") << "Admin" << 336 << false;
        QTest::newRow("Admin serial write is not counted") << "Admin" << 400 << true;
        QTest::newRow("Dolen flags") << "Dolen" << 548 << false;
    }
    void writeAllStopsAtCountedFailure()
    {
        QFETCH(QString, user);
        QFETCH(int, failReg);
        QFETCH(bool, result);
        command.userName = user;
        command.channelCount = 2;
        sim.addFault(SimFault(SimFault::Exception, 16, 0, failReg).code(2));
        QCOMPARE(command.writeAllParameters(false), result);
        const QStringList seq = folded(frameSequence(sim));
        QCOMPARE(seq.contains(QString("16/1/258/%1").arg(user == "Admin" ? 41 : 55)), result);
    }

    void settingsBlocks_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("expected");
        // The settings blocks and the channel's flag word (546 classic, 548-549 extended),
        // and on the T6 Max the sub-kind and cell position (514); nothing of the device level.
        QTest::newRow("classic T6 Max")
            << int(ClassicMap) << int(ModelT6M)
            << QStringList{"16/2/256/82", "16/2/352/20", "16/2/546/1", "16/2/514/1", "4/2/32/13",
                           "16/10/576/1", "3/2/256/82",  "3/2/352/20", "3/2/514/1",  "3/2/546/1"};
        QTest::newRow("classic T6") << int(ClassicMap) << int(ModelT6)
                                    << QStringList{"16/2/256/82", "16/2/546/1", "4/10/32/8",
                                                   "16/10/576/1", "3/2/256/82", "3/2/546/1"};
        QTest::newRow("classic T2") << int(ClassicMap) << int(ModelT2Classic)
                                    << QStringList{"16/2/256/82", "16/2/546/1", "4/10/32/2",
                                                   "16/10/576/1", "3/2/256/82", "3/2/546/1"};
        QTest::newRow("classic T8 Max")
            << int(ClassicMap) << int(ModelT8M)
            << QStringList{"16/2/256/82", "16/2/546/1", "16/10/576/1", "3/2/256/82", "3/2/546/1"};
        QTest::newRow("extended") << int(ExtendedMap) << int(ModelT8M)
                                  << QStringList{"16/2/258/55", "16/2/336/60", "16/2/400/7",
                                                 "16/2/768/2",  "16/2/548/2",  "4/2/32/21",
                                                 "16/10/576/1", "3/2/258/55",  "3/2/336/60",
                                                 "3/2/768/2",   "3/2/548/2"};
    }
    void settingsBlocks()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(QStringList, expected);
        useModel(map, model);
        command.currentChannel = 2;
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QVERIFY(command.writeSettingsBlocks());
        QCOMPARE(frameSequence(sim), expected);
        if (map == ClassicMap) {
            // The classic block starts at the clock: it must carry now, not the image's old value.
            const qint64 clock = sim.holding32(2, 256);
            QVERIFY(clock >= before && clock <= before + 2);
        }
    }

    // The channel's flag word goes out as the image holds it, whole: limit directions,
    // auto-zero, range limit, sensor protection, receipt and calibration unit.
    void settingsBlocksCarryTheFlagWord()
    {
        command.currentChannel = 1;
        command.extendedChannels[1].channelFlags = 0x00023C98;
        QVERIFY(command.writeSettingsBlocks());
        QCOMPARE(sim.holding32(1, 548), 0x00023C98u);

        useModel(ClassicMap, ModelT6M);
        command.classicChannels[1].channelFlags = 0x0288;
        command.classicChannels[1].sensorType = 0x5003; // cell 5, sub-kind bits 0 and 1
        QVERIFY(command.writeSettingsBlocks());
        QCOMPARE(sim.holding(1, 546), quint16(0x0288));
        QCOMPARE(sim.holding(1, 514), quint16(0x5003));
    }

    // A refused block stops the write before the commit; the blocks whose answer
    // does not count (the sensor serial, the T6 Max sub-kind) do not.
    void settingsBlocksStopBeforeTheCommit_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("failReg");
        QTest::addColumn<bool>("committed");
        QTest::newRow("classic settings") << int(ClassicMap) << int(ModelT6M) << 256 << false;
        QTest::newRow("classic zero table") << int(ClassicMap) << int(ModelT6M) << 352 << false;
        QTest::newRow("classic flags") << int(ClassicMap) << int(ModelT6) << 546 << false;
        QTest::newRow("classic sub-kind") << int(ClassicMap) << int(ModelT6M) << 514 << true;
        QTest::newRow("extended settings") << int(ExtendedMap) << int(ModelT6) << 258 << false;
        QTest::newRow("extended tables") << int(ExtendedMap) << int(ModelT6) << 336 << false;
        QTest::newRow("extended serial") << int(ExtendedMap) << int(ModelT6) << 400 << true;
        QTest::newRow("extended ADC points") << int(ExtendedMap) << int(ModelT6) << 768 << false;
        QTest::newRow("extended flags") << int(ExtendedMap) << int(ModelT6) << 548 << false;
    }
    void settingsBlocksStopBeforeTheCommit()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, failReg);
        QFETCH(bool, committed);
        useModel(map, model);
        command.currentChannel = 2;
        sim.addFault(SimFault(SimFault::Exception, 16, 2, failReg).code(2));
        QCOMPARE(command.writeSettingsBlocks(), committed);
        QCOMPARE(sim.countFrames(16, 10, 576), committed ? 1 : 0);
    }

    void settingsBlocksCommitFailure()
    {
        command.currentChannel = 1;
        sim.addFault(SimFault(SimFault::Exception, 16, 10, 576).code(3));
        QVERIFY(!command.writeSettingsBlocks());
        QCOMPARE(folded(frameSequence(sim)).last(), QString("16/10/576/1"));
    }

    // A read that brings the archive pointers in replaces a pending clear;
    // reads of other registers leave it.
    void pointerReadDropsAPendingClear()
    {
        for (quint16 map : {quint16(ClassicMap), quint16(ExtendedMap)}) {
            command.registerMap = map;
            sim.setProfile(simLayoutOf(map), ModelT6);
            command.archiveClearPending = true;
            QCOMPARE(command.transact(3, DevicePage, 528, 1), TransactionResult(ResultOk));
            QCOMPARE(command.transact(3, DevicePage, 533, 1), TransactionResult(ResultOk));
            QCOMPARE(command.transact(3, DevicePage, 544, 2), TransactionResult(ResultOk));
            QVERIFY(command.archiveClearPending);
            QCOMPARE(command.transact(3, DevicePage, 528, 6), TransactionResult(ResultOk));
            QVERIFY(!command.archiveClearPending);
            command.archiveClearPending = true;
            QCOMPARE(command.transact(3, DevicePage, 531, 2), TransactionResult(ResultOk));
            QVERIFY(!command.archiveClearPending);
        }
    }

    void calibrationMode()
    {
        command.channelCount = 3;
        for (int i = 0; i < 3; ++i) {
            command.extendedChannels[i].channelPage = quint16(i);
            command.extendedChannels[i].format = FormatBits::CalibrationModeChannel;
        }
        command.extendedChannels[1].format = 0;        // takes no part
        command.extendedChannels[2].channelPage = 170; // off
        command.setCalibrationMode(true);
        command.setCalibrationMode(true);
        QCOMPARE(frameSequence(sim), QStringList{"16/0/548/2"});
        QCOMPARE(sim.holding32(0, 548) & 0x100u, 0x100u);
        sim.clearLog();
        command.setCalibrationMode(false);
        command.setCalibrationMode(false);
        QCOMPARE(frameSequence(sim), (QStringList{"16/0/548/2", "16/0/548/2"}));
        QCOMPARE(sim.holding32(0, 548) & 0x100u, 0u);

        command.registerMap = ClassicMap;
        sim.setProfile(SimDetector::Layout::Classic, ModelT6);
        command.classicChannels[0].channelPage = 0;
        command.classicChannels[0].format = FormatBits::CalibrationModeChannel;
        sim.clearLog();
        command.setCalibrationMode(true);
        QCOMPARE(frameSequence(sim), QStringList{"16/0/546/1"});
        QCOMPARE(sim.holding(0, 546), quint16(0x100));
    }

    // Until a probe of this connection has told the layout (after a firmware upload),
    // a write of the image sends nothing; the firmware transfer's command registers and
    // the pure device commands go out. A probe opens every write again.
    void writeGateBeforeProbe_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("open");
        QTest::newRow("firmware start") << int(DevicePage) << 1 << 1 << true;
        QTest::newRow("end flag and address") << int(DevicePage) << 3 << 3 << true;
        QTest::newRow("end address") << int(DevicePage) << 4 << 2 << true;
        QTest::newRow("bootloader power-off") << int(DevicePage) << 5 << 1 << true;
        QTest::newRow("update prepare") << int(DevicePage) << 16 << 1 << true;
        QTest::newRow("update cancel") << int(DevicePage) << 17 << 1 << true;
        QTest::newRow("update start") << int(DevicePage) << 18 << 1 << true;
        QTest::newRow("restore factory settings") << int(DevicePage) << 594 << 1 << true;
        QTest::newRow("end of session") << int(DevicePage) << 596 << 1 << true;
        QTest::newRow("BLE update mode") << int(DevicePage) << 1794 << 1 << true;
        QTest::newRow("power-off") << int(DevicePage) << 2048 << 1 << true;
        QTest::newRow("commit") << int(DevicePage) << 576 << 1 << false;
        QTest::newRow("save factory settings") << int(DevicePage) << 592 << 1 << false;
        QTest::newRow("display language") << int(DevicePage) << 1792 << 1 << false;
        QTest::newRow("temperature sensor") << int(DevicePage) << 598 << 1 << false;
        QTest::newRow("device flags") << int(DevicePage) << 544 << 4 << false;
        QTest::newRow("alarm lock bit") << int(DevicePage) << 561 << 1 << false;
        QTest::newRow("archive block") << int(DevicePage) << 528 << 6 << false;
        QTest::newRow("clock") << 0 << 254 << 4 << false;
        QTest::newRow("correction tables") << 1 << 336 << 60 << false;
        QTest::newRow("channel flag word") << 2 << 548 << 2 << false;
        QTest::newRow("zero point") << 0 << 768 << 1 << false;
    }
    void writeGateBeforeProbe()
    {
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(bool, open);
        const int wirePage = page == DevicePage ? 10 : page;
        command.registerMapProbed = false;
        command.registerMapDecided = false; // as a firmware upload leaves it
        sim.clearLog();
        const TransactionResult result =
            command.transact(16, quint16(page), quint16(reg), quint16(count));
        QCOMPARE(command.writeRefusedForLayout(), !open);
        if (open) {
            QCOMPARE(sim.countFrames(16, wirePage, reg), 1);
        } else {
            QCOMPARE(result, TransactionResult(ResultNotSent));
            QCOMPARE(sim.requests().size(), 0);
        }

        // The probe tells the layout: the refusal is over and the write goes out.
        QVERIFY(command.adoptProbedMap());
        QVERIFY(!command.writeRefusedForLayout());
        sim.clearLog();
        command.transact(16, quint16(page), quint16(reg), quint16(count));
        QCOMPARE(sim.countFrames(16, wirePage, reg), 1);

        // Offline the layout is the one chosen: nothing is refused.
        command.registerMapDecided = false;
        command.connected = 0;
        QCOMPARE(command.transact(16, quint16(page), quint16(reg), quint16(count)),
                 TransactionResult(ResultOk));
        QVERIFY(!command.writeRefusedForLayout());
        command.connected = 1;
    }

    // Whatever block carries a channel's flag word, calibration mode (bit 8) goes out
    // only while a procedure has switched it on, or for a channel that takes no part in
    // it; the image keeps what was sent.
    void flagWordCarriesNoCalibrationMode_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("procedure");
        QTest::addColumn<quint32>("sent");
        const int part = FormatBits::CalibrationModeChannel; // 1024
        QTest::newRow("classic, alone")
            << int(ClassicMap) << 546 << 1 << part << true << false << 0x0005u;
        QTest::newRow("classic, with the status")
            << int(ClassicMap) << 546 << 2 << part << true << false << 0x0005u;
        QTest::newRow("classic, procedure running")
            << int(ClassicMap) << 546 << 1 << part << true << true << 0x0105u;
        QTest::newRow("classic, takes no part")
            << int(ClassicMap) << 546 << 1 << 0 << true << false << 0x0105u;
        QTest::newRow("classic, channel off")
            << int(ClassicMap) << 546 << 1 << part << false << false << 0x0105u;
        QTest::newRow("extended, flag words")
            << int(ExtendedMap) << 548 << 2 << part << true << false << 0x00010005u;
        QTest::newRow("extended, flag block")
            << int(ExtendedMap) << 548 << 5 << part << true << false << 0x00010005u;
        QTest::newRow("extended, procedure running")
            << int(ExtendedMap) << 548 << 2 << part << true << true << 0x00010105u;
        QTest::newRow("extended, takes no part")
            << int(ExtendedMap) << 548 << 2 << 0 << true << false << 0x00010105u;
    }
    void flagWordCarriesNoCalibrationMode()
    {
        QFETCH(int, map);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(int, format);
        QFETCH(bool, on);
        QFETCH(bool, procedure);
        QFETCH(quint32, sent);
        const bool classic = map == ClassicMap;
        useModel(map, classic ? ModelT6 : ModelT8M);
        layoutTold();
        const quint16 page = on ? 1 : 170;
        if (classic) {
            command.classicChannels[1] = {};
            command.classicChannels[1].channelPage = page;
            command.classicChannels[1].format = quint16(format);
            command.classicChannels[1].channelFlags = 0x0105;
        } else {
            command.extendedChannels[1].channelPage = page;
            command.extendedChannels[1].format = quint16(format);
            command.extendedChannels[1].channelFlags = 0x00010105;
        }
        command.calibrationModeOn = procedure;
        QCOMPARE(command.transact(16, 1, quint16(reg), quint16(count)),
                 TransactionResult(ResultOk));
        command.calibrationModeOn = false;
        QCOMPARE(classic ? quint32(sim.holding(1, 546)) : sim.holding32(1, 548), sent);
        QCOMPARE(classic ? quint32(command.classicChannels[1].channelFlags)
                         : command.extendedChannels[1].channelFlags,
                 sent);
    }

    // Bit 8 of the extended device page's status word (546) is no channel's flag word.
    void deviceStatusKeepsItsBits()
    {
        command.channelCount = 2;
        command.extendedChannels[0].format = FormatBits::CalibrationModeChannel;
        command.extendedDevice.deviceStatus = 0x0105;
        QCOMPARE(command.transact(16, DevicePage, 546, 2), TransactionResult(ResultOk));
        QCOMPARE(sim.holding32(10, 546), 0x0105u);
    }
};

QTEST_GUILESS_MAIN(TestComposite)
#include "test_composite.moc"
