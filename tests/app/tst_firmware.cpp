// Firmware upload against the simulated detector. The HEX files are made by
// independent tools (objcopy, srec_cat) from random binaries, never by the
// program itself.

#include "appsettings.h"
#include "apptest.h"
#include "bytes.h"
#include "calibration.h"
#include "calibration_channel.h"
#include "calibrationhost.h"
#include "command.h"
#include "commandstate.h"
#include "devicesetting_4_window.h"
#include "devicesettingallwindow.h"
#include "dialogs.h"
#include "files.h"
#include "firmware.h"
#include "mainwindow.h"
#include "simdetector.h"
#include "unusualnames.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace
{

struct Word {
    int offset;
    QByteArray bytes;
};

// The model word record's first six bytes: model code h, two spare bytes, family code g.
QByteArray modelWord(quint16 h, quint16 g = 0)
{
    return le16(h) + QByteArray(2, '\0') + le16(g);
}

QByteArray randomBinary(int size, const QVector<Word>& words)
{
    QByteArray bin(size, '\0');
    QRandomGenerator rng(quint32(size) * 2654435761u);
    for (int i = 0; i < size; ++i)
        bin[i] = char(rng.bounded(256));
    for (const Word& w : words)
        bin.replace(w.offset, w.bytes.size(), w.bytes);
    return bin;
}

// The record bytes of every line (the ':' dropped), in file order.
QByteArray recordStream(const QByteArray& hex)
{
    QByteArray stream;
    for (QByteArray line : hex.split('\n')) {
        line = line.trimmed();
        if (line.startsWith(':'))
            stream.append(QByteArray::fromHex(line.mid(1)));
    }
    return stream;
}

} // namespace

Q_DECLARE_METATYPE(QVector<Word>)

class TstFirmware : public QObject
{
    Q_OBJECT

    WarningGuard guard;
    SimDetector sim;
    QTemporaryDir dir;
    int fileNumber = 0;

    QString writeFile(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("f%1.bin").arg(++fileNumber));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    // tool: "objcopy", "srec16" or "srec32".
    QString makeHex(const QString& tool, const QByteArray& bin, quint32 base)
    {
        const QString in = writeFile(bin);
        const QString out = in + QStringLiteral(".hex");
        QProcess p;
        if (tool == QLatin1String("objcopy")) {
            p.start(QStringLiteral("objcopy"), {"-I", "binary", "-O", "ihex", "--change-addresses",
                                                QStringLiteral("0x%1").arg(base, 0, 16), in, out});
        } else {
            const QString block = tool == QLatin1String("srec32") ? "32" : "16";
            p.start(QStringLiteral("srec_cat"),
                    {in, "-binary", "-offset", QStringLiteral("0x%1").arg(base, 0, 16), "-o", out,
                     "-intel", "-Output_Block_Size", block});
        }
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            qWarning("%s failed: %s", qPrintable(tool), p.readAllStandardError().constData());
            return QString();
        }
        return out;
    }

    void connectAs(quint16 model)
    {
        sim.setProfile(SimDetector::Layout::Open, model);
        QVERIFY(connectToSimulator(sim));
        command.modelCode = model;
        sim.clearLog();
    }

    int frames() const
    {
        int n = 0;
        for (const SimRequest& r : sim.requests())
            n += r.crcOk || r.handshake ? 1 : 0;
        return n;
    }

private slots:
    void initTestCase()
    {
        guard.install();
        QVERIFY(dir.isValid());
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    }
    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
        sim.clearFaults();
        sim.clearLog();
    }
    void cleanup()
    {
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }
    void cleanupTestCase() { apptest::removeIni(); }

    // The exact traffic of an upload, per model and mode.
    void upload_data()
    {
        QTest::addColumn<quint16>("model");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<quint32>("base");
        QTest::addColumn<int>("size");
        QTest::addColumn<QVector<Word>>("words");
        QTest::addColumn<int>("function");
        QTest::addColumn<QStringList>("leading");  // command writes before the first block
        QTest::addColumn<quint32>("firstAddress"); // of the first block with data
        QTest::addColumn<int>("blockSize");        // of every full block
        QTest::addColumn<bool>("stream");          // the device gets the record bytes
        QTest::addColumn<QString>("closing");      // command write after the last block

        // A running T6M (application, function 15): blocks of ten 21-byte lines at offsets
        // in the record stream, then registers 3-5 with the flag, the byte count and 1.
        QTest::newRow("T6M application objcopy")
            << quint16(ModelT6M) << "objcopy" << 0x08040000u << 700
            << QVector<Word>{{0, modelWord(420)}} << 15 << QStringList() << 0u << 210 << true
            << "w3=1,%1,1";
        QTest::newRow("T2 Classic application srec_cat")
            << quint16(ModelT2Classic) << "srec16" << 0x08020000u << 500 << QVector<Word>() << 15
            << QStringList() << 0u << 210 << true << "w3=1,%1,1";
        // A file from the start of flash goes to the bootloader (function 14) from the flash
        // addresses, 15 records a block, with no closing write.
        QTest::newRow("T6 from flash start objcopy")
            << quint16(ModelT6) << "objcopy" << 0x08000000u << 800 << QVector<Word>() << 14
            << QStringList{"w1=1"} << 0x08000000u << 240 << false << QString();
        QTest::newRow("T6B from flash start srec_cat")
            << quint16(ModelT6B) << "srec16" << 0x08000000u << 0x4C10
            << QVector<Word>{{0x4C00, modelWord(1, 4)}} << 14 << QStringList{"w1=1"} << 0x08000000u
            << 240 << false << QString();
        // The T6 update path: record 26 carries the marker; 14 records a block after 16 and 18,
        // ending with registers 4-5.
        QTest::newRow("T6 update path objcopy")
            << quint16(ModelT6) << "objcopy" << 0x08010000u << 900
            << QVector<Word>{{24 * 16, QByteArray("\x03\x32\x9c\xa7", 4)}} << 14
            << QStringList{"w16=0", "w18=0"} << 0x08010000u << 224 << false << "w4=%1,1";
    }
    void upload()
    {
        QFETCH(quint16, model);
        QFETCH(QString, tool);
        QFETCH(quint32, base);
        QFETCH(int, size);
        QFETCH(QVector<Word>, words);
        QFETCH(int, function);
        QFETCH(QStringList, leading);
        QFETCH(quint32, firstAddress);
        QFETCH(int, blockSize);
        QFETCH(bool, stream);
        QFETCH(QString, closing);

        const QByteArray bin = randomBinary(size, words);
        lastFirmwareFile = makeHex(tool, bin, base);
        QVERIFY(!lastFirmwareFile.isEmpty());
        connectAs(model);
        dialogs::Script script;
        QCOMPARE(updateFirmware(1), 1);
        QCOMPARE(script.shown.size(), 0);

        const QByteArray expected = stream ? recordStream(readAll(lastFirmwareFile)) : bin;
        QCOMPARE(sim.firmwareBytes(), expected);

        const QStringList traffic = sim.firmwareTraffic();
        QVERIFY2(traffic.mid(0, leading.size()) == leading, qPrintable(traffic.join(' ')));
        const QVector<SimDetector::FirmwareBlock> blocks = sim.firmwareBlocks();
        QVector<SimDetector::FirmwareBlock> full;
        for (const auto& b : blocks)
            if (!b.data.isEmpty())
                full.append(b);
        QVERIFY(!full.isEmpty());
        QCOMPARE(full.first().address, firstAddress);
        quint32 next = firstAddress;
        for (int i = 0; i < full.size(); ++i) {
            QCOMPARE(full[i].function, function);
            // Every block follows its predecessor (one contiguous image here); all but the
            // first (which may hold the address record too) and the last are full.
            QCOMPARE(full[i].address, next);
            if (i > 0 && i + 1 < full.size())
                QCOMPARE(full[i].data.size(), blockSize);
            next += quint32(full[i].data.size());
        }
        for (const auto& b : blocks)
            QCOMPARE(b.function, function);
        // The block after the last one with data is the empty closing block at the end.
        QVERIFY(blocks.last().data.isEmpty() || blocks.last().data.size() < blockSize ||
                blocks.size() == full.size());
        if (closing.isEmpty())
            QVERIFY(traffic.last().startsWith('f'));
        else
            QCOMPARE(traffic.last(), closing.arg(next & 0xFFFF));
        QCOMPARE(sim.countFrames(16, DevicePage), leading.size() + (closing.isEmpty() ? 0 : 1));
    }

    // Bad files are refused before a single frame.
    void refused_data()
    {
        QTest::addColumn<quint16>("model");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");

        const QString broken = "Файл прошивки не исправен";
        const auto hex = [this](const QString& tool, const QByteArray& bin, quint32 base) {
            return makeHex(tool, bin, base);
        };
        const QByteArray good = randomBinary(600, {{0, modelWord(420)}});
        const QString goodHex = hex("objcopy", good, 0x08040000);
        QList<QByteArray> lines = readAll(goodHex).split('\n');

        QList<QByteArray> badSum = lines;
        badSum[5][12] = badSum[5][12] == '0' ? '1' : '0';
        QTest::newRow("bad checksum")
            << quint16(ModelT6M) << writeFile(badSum.join('\n')) << broken;
        QList<QByteArray> noEnd = lines;
        while (!noEnd.isEmpty() && !noEnd.last().startsWith(":00000001"))
            noEnd.removeLast();
        noEnd.removeLast();
        QTest::newRow("no end record")
            << quint16(ModelT6M) << writeFile(noEnd.join('\n')) << broken;
        QList<QByteArray> noColon = lines;
        noColon[3] = noColon[3].mid(1);
        QTest::newRow("missing colon")
            << quint16(ModelT6M) << writeFile(noColon.join('\n')) << broken;
        QList<QByteArray> notHex = lines;
        notHex[4][20] = 'G';
        QTest::newRow("non-hex digit")
            << quint16(ModelT6M) << writeFile(notHex.join('\n')) << broken;
        QList<QByteArray> shortLength = lines;
        // A length byte that claims one byte less than the line holds (checksum mended).
        {
            QByteArray rec = QByteArray::fromHex(shortLength[2].trimmed().mid(1));
            rec[0] = char(rec[0] - 1);
            rec[rec.size() - 1] = char(rec[rec.size() - 1] + 1);
            shortLength[2] = ':' + rec.toHex().toUpper();
        }
        QTest::newRow("length disagrees")
            << quint16(ModelT6M) << writeFile(shortLength.join('\n')) << broken;
        // A sound file built for another model is refused as such, not as a damaged one;
        // a damaged one is damaged whatever its model word.
        const QString otherModel = "Файл прошивки предназначен для другой модели прибора";
        const QString t6m4Hex =
            hex("objcopy", randomBinary(600, {{0, modelWord(421)}}), 0x08040000);
        QTest::newRow("another model's file") << quint16(ModelT6M) << t6m4Hex << otherModel;
        QTest::newRow("T6 Max file on a T6 Max(4)") << quint16(ModelT6M4) << goodHex << otherModel;
        QList<QByteArray> otherDamaged = readAll(t6m4Hex).split('\n');
        otherDamaged[5][12] = otherDamaged[5][12] == '0' ? '1' : '0';
        QTest::newRow("another model's file, damaged")
            << quint16(ModelT6M) << writeFile(otherDamaged.join('\n')) << broken;
        QTest::newRow("no model word")
            << quint16(ModelT6M) << hex("objcopy", good, 0x08050000) << broken;
        QTest::newRow("32-byte records")
            << quint16(ModelT2Classic) << hex("srec32", good, 0x08040000) << broken;
        QTest::newRow("too big") << quint16(ModelT6M)
                                 << hex("srec16", randomBinary(501761, {{0, modelWord(420)}}),
                                        0x08040000)
                                 << "Файл прошивки больше, чем свободной памяти контроллера";
        QTest::newRow("empty") << quint16(ModelT6M) << writeFile(QByteArray())
                               << "Файл прошивки пустой";
        QTest::newRow("unreadable")
            << quint16(ModelT6M) << dir.filePath("missing.hex") << "Ошибка открытия файла";
    }
    void refused()
    {
        QFETCH(quint16, model);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QVERIFY(!file.isEmpty());
        lastFirmwareFile = file;
        connectAs(model);
        dialogs::Script script;
        QCOMPARE(updateFirmware(1), 0);
        QCOMPARE(script.texts(), QStringList{message});
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QCOMPARE(frames(), 0);
    }

    // Names that are no plain file, picked as the firmware file and confirmed: the
    // open error at once, before a single frame, and nothing under the name changes.
    // A pipe would block the open for good, a link to /dev/zero never end.
    void notAPlainFile_data() { addUnusualNameRows(); }
    void notAPlainFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const QString name = dir.filePath(QStringLiteral("unusual%1.hex").arg(++fileNumber));
        const UnusualName unusual(kind, name, elsewhere.path());
        QVERIFY(unusual.ok());
        MainWindow window;
        connectAs(ModelT6M);
        dialogs::Script script;
        script.accept(name).button(QMessageBox::Yes);
        window.findChild<QPushButton*>("pushButtonBootloader")->click();
        QCOMPARE(script.texts().mid(1),
                 (QStringList{"Загрузить в устройство?", "Ошибка открытия файла"}));
        QCOMPARE(script.titles().last(), QString("Ошибка"));
        QCOMPARE(frames(), 0);
        QVERIFY(unusual.unchanged());
    }

    // A file far longer than any firmware the model's flash takes is refused by its
    // size before it is read, for a model with a limit and for one without. The file
    // is sparse, nothing written: its zeros, were they read, would be refused as a
    // damaged file instead.
    void farTooLongRefusedBySize_data()
    {
        QTest::addColumn<quint16>("model");
        QTest::newRow("T6 Max") << quint16(ModelT6M);
        QTest::newRow("T6 Mini, no limit of its own") << quint16(ModelT6Mini);
        QTest::newRow("T2 Classic") << quint16(ModelT2Classic);
    }
    void farTooLongRefusedBySize()
    {
        QFETCH(quint16, model);
        lastFirmwareFile = dir.filePath(QStringLiteral("huge%1.hex").arg(++fileNumber));
        {
            QFile f(lastFirmwareFile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(1) << 30));
        }
        connectAs(model);
        dialogs::Script script;
        QCOMPARE(updateFirmware(1), 0);
        QCOMPARE(script.texts(),
                 QStringList{"Файл прошивки больше, чем свободной памяти контроллера"});
        QCOMPARE(frames(), 0);
        QFile::remove(lastFirmwareFile);
    }

    // A block refused (an exception of any code) or unanswered: one error box, no
    // closing write, result 0.
    void failedBlock_data()
    {
        QTest::addColumn<quint16>("model");
        QTest::addColumn<quint32>("base");
        QTest::addColumn<QVector<Word>>("words");
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("last"); // the last command write

        const QVector<Word> t6m{{0, modelWord(420)}};
        const QVector<Word> updatePath{{24 * 16, QByteArray("\x03\x32\x9c\xa7", 4)}};
        const QString critical = "Критическая ошибка, повторите обновление прошивки";
        QTest::newRow("application, exception 3")
            << quint16(ModelT6M) << 0x08040000u << t6m << 15 << int(SimFault::Exception) << 3
            << "Ошибка обмена данными" << QString();
        QTest::newRow("application, exception 4")
            << quint16(ModelT6M) << 0x08040000u << t6m << 15 << int(SimFault::Exception) << 4
            << "Ошибка обмена данными" << QString();
        QTest::newRow("application, exception 1")
            << quint16(ModelT6M) << 0x08040000u << t6m << 15 << int(SimFault::Exception) << 1
            << "Ошибка обмена данными" << QString();
        QTest::newRow("application, silence")
            << quint16(ModelT6M) << 0x08040000u << t6m << 15 << int(SimFault::Silence) << 0
            << "Ошибка обмена данными" << QString();
        QTest::newRow("update path, exception 3")
            << quint16(ModelT6) << 0x08010000u << updatePath << 14 << int(SimFault::Exception) << 3
            << critical << "w17=0";
        QTest::newRow("update path, exception 4")
            << quint16(ModelT6) << 0x08010000u << updatePath << 14 << int(SimFault::Exception) << 4
            << critical << "w17=0";
    }
    void failedBlock()
    {
        QFETCH(quint16, model);
        QFETCH(quint32, base);
        QFETCH(QVector<Word>, words);
        QFETCH(int, function);
        QFETCH(int, kind);
        QFETCH(int, code);
        QFETCH(QString, message);
        QFETCH(QString, last);

        lastFirmwareFile = makeHex("objcopy", randomBinary(900, words), base);
        connectAs(model);
        // Every attempt of the silent block costs the whole time-out: shorter for the silent
        // row, still long enough for the blocks answered before it on a loaded machine. The
        // rows answered with an exception keep the patient one.
        const bool silent = SimFault::Kind(kind) == SimFault::Silence;
        const TimeoutOverride quick(TimeoutDataBlockFirstReply,
                                    silent ? SilentAttemptsReplyMs : PatientReplyMs);
        // Block 3 of the function: in the update path block 1 is the empty one before the
        // first address record.
        sim.failFirmwareBlock(function, 3, SimFault::Kind(kind), code);
        dialogs::Script script;
        QCOMPARE(updateFirmware(1), 0);
        QCOMPARE(script.texts(), QStringList{message});
        const QStringList traffic = sim.firmwareTraffic();
        QStringList writes;
        for (const QString& t : traffic)
            if (t.startsWith('w'))
                writes.append(t);
        if (last.isEmpty())
            QVERIFY2(writes.isEmpty(), qPrintable(writes.join(' ')));
        else
            QCOMPARE(writes.last(), last);
        for (const QString& w : writes)
            QVERIFY(!w.startsWith("w3=") && !w.startsWith("w4="));
        QCOMPARE(sim.firmwareBlocks().size(), 2);
    }

    // Cancel in the progress dialog: result 0, no message, no closing write. The value
    // reaching 100 must not undo the cancel.
    void cancel()
    {
        lastFirmwareFile =
            makeHex("objcopy", randomBinary(2000, {{0, modelWord(420)}}), 0x08040000);
        connectAs(ModelT6M);
        dialogs::Script script;
        QTimer::singleShot(0, [] {
            if (command.progressDialog)
                command.progressDialog->cancel();
        });
        QCOMPARE(updateFirmware(1), 0);
        QVERIFY(script.shown.isEmpty());
        QVERIFY(sim.firmwareBlocks().isEmpty());
        QCOMPARE(sim.countFrames(16), 0);
    }

    // The file is read once: one replaced after the check (at the first event that the
    // transfer lets through) changes nothing of what is sent.
    void fileReplacedAfterCheck_data()
    {
        QTest::addColumn<bool>("otherModel"); // else a copy with one wrong checksum
        QTest::newRow("another model's file") << true;
        QTest::newRow("one wrong checksum") << false;
    }
    void fileReplacedAfterCheck()
    {
        QFETCH(bool, otherModel);
        lastFirmwareFile =
            makeHex("objcopy", randomBinary(2000, {{0, modelWord(420)}}), 0x08040000);
        const QByteArray checked = readAll(lastFirmwareFile);
        QByteArray swapped;
        if (otherModel) {
            swapped =
                readAll(makeHex("objcopy", randomBinary(3000, {{0, modelWord(421)}}), 0x08040000));
        } else {
            QList<QByteArray> lines = checked.split('\n');
            QByteArray& line = lines[40];
            const int at = line.trimmed().size() - 1; // the checksum's last digit
            line[at] = line[at] == '0' ? '1' : '0';
            swapped = lines.join('\n');
        }
        QVERIFY(!swapped.isEmpty() && swapped != checked);
        connectAs(ModelT6M);
        bool replaced = false;
        QTimer::singleShot(0, [&replaced, &swapped] {
            QFile f(lastFirmwareFile);
            replaced = f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                       f.write(swapped) == swapped.size();
        });
        dialogs::Script script;
        QCOMPARE(updateFirmware(1), 1);
        QVERIFY(replaced);
        QCOMPARE(readAll(lastFirmwareFile), swapped);
        QVERIFY(script.shown.isEmpty());
        const QByteArray sent = recordStream(checked);
        QCOMPARE(sim.firmwareBytes(), sent);
        QCOMPARE(sim.firmwareTraffic().last(), QString("w3=1,%1,1").arg(sent.size() & 0xFFFF));
    }

    // Offline nothing would reach a device: no upload, no success.
    void offlineRefused()
    {
        lastFirmwareFile = makeHex("objcopy", randomBinary(300, {{0, modelWord(420)}}), 0x08040000);
        command.modelCode = ModelT6M;
        QCOMPARE(command.connected, 0);
        dialogs::Script script;
        QCOMPARE(updateFirmware(1), 0);
        QCOMPARE(script.texts(), QStringList{"Нет связи с прибором"});
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QCOMPARE(frames(), 0);
    }

    // A device changes its register layout only with new firmware: the first read after
    // an upload, whole or refused half-way, asks the layout again (without an upload a
    // read does not, tst_readroad).
    void readAfterUploadProbesLayout_data()
    {
        QTest::addColumn<bool>("whole"); // else block 2 is refused
        QTest::newRow("whole upload") << true;
        QTest::newRow("block 2 refused") << false;
    }
    void readAfterUploadProbesLayout()
    {
        QFETCH(bool, whole);
        // The T2: one channel keeps the reads short.
        const QString file =
            makeHex("objcopy", randomBinary(600, {{0, modelWord(102)}}), 0x0803FC00);
        MainWindow window;
        sim.setProfile(SimDetector::Layout::Open, ModelT2);
        QVERIFY(connectToSimulator(sim));
        command.userName = QStringLiteral("Admin");
        command.authorized = 1;
        window.setDeviceModel(ModelT2);
        command.registerMap = ExtendedMap;
        command.registerMapProbed = false;
        window.rebuildDeviceUi();
        QCOMPARE(int(command.registerMap), int(ExtendedMap));
        lastFirmwareFile = file;
        if (!whole)
            sim.failFirmwareBlock(15, 2, SimFault::Exception, 4);
        {
            dialogs::Script script;
            QCOMPARE(updateFirmware(1), whole ? 1 : 0);
        }
        sim.clearFaults();
        // The device now answers the probe as a classic one.
        sim.setAnswersMapProbe(false);
        // Until a read has asked it, no probe of this connection has told the
        // layout: the save and the full write are refused and send nothing.
        sim.clearLog();
        {
            dialogs::Script script;
            child<QPushButton>(window, "pushButton_Save_Param")->click();
            child<QPushButton>(window, "pushButtonSaveFactorySettings")->click();
            const QString refused = "Карта регистров прибора не определена, ничего не записано. "
                                    "Считайте параметры прибора и повторите запись.";
            QCOMPARE(script.texts(), (QStringList{refused, refused}));
            QCOMPARE(script.titles(), (QStringList{"Ошибка", "Ошибка"}));
            QCOMPARE(window.statusBar()->currentMessage(), refused);
        }
        QCOMPARE(frames(), 0);
        window.readParameters(0);
        QVERIFY(sim.countFrames(4, 10, RegMapProbe) > 0);
        QCOMPARE(int(command.registerMap), int(ClassicMap));
        QCOMPARE(window.statusBar()->currentMessage(), QString("Успешная передача данных"));
        // Now the save goes out, in the layout the probe told.
        sim.clearLog();
        child<QPushButton>(window, "pushButton_Save_Param")->click();
        QCOMPARE(sim.countFrames(16, 10, RegCommit), 1);
        QCOMPARE(window.statusBar()->currentMessage(), QString("Успешная передача данных"));
    }

    // After an upload the device may have another register layout: every write road
    // pressed before a read sends no function-16 frame and tells the operator to read
    // first (that the read then probes first is readAfterUploadProbesLayout).
    void writeRoadsWaitForTheProbe_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("extendedBefore"); // the layout before the upload
        QTest::addColumn<QString>("shownIn");     // box, calibration, tables
        QTest::newRow("table save") << "Сохр таблицу" << 5 << false << "box";
        QTest::newRow("alarm lock box") << "alarm lock" << 2 << false << "box";
        QTest::newRow("menu lock box") << "menu lock" << 2 << false << "box";
        QTest::newRow("bump test") << "bump test" << 2 << false << "calibration";
        QTest::newRow("zero start") << "zero start" << 2 << false << "calibration";
        QTest::newRow("span start") << "span start" << 2 << false << "calibration";
        QTest::newRow("zero confirm") << "zero confirm" << 2 << false << "calibration";
        QTest::newRow("span confirm") << "span confirm" << 2 << false << "calibration";
        QTest::newRow("calibration tables") << "tables" << 2 << true << "tables";
        QTest::newRow("save") << "save" << 0 << false << "box";
        QTest::newRow("set-up page write") << "Записать" << 5 << false << "box";
        QTest::newRow("configuration load") << "configuration load" << 0 << false << "box";
        QTest::newRow("factory save") << "factory save" << 0 << false << "box";
    }
    void writeRoadsWaitForTheProbe()
    {
        QFETCH(QString, road);
        QFETCH(int, tab);
        QFETCH(bool, extendedBefore);
        QFETCH(QString, shownIn);
        const QString refused = "Карта регистров прибора не определена, ничего не записано. "
                                "Считайте параметры прибора и повторите запись.";
        const QString file =
            makeHex("objcopy", randomBinary(700, {{0, modelWord(420)}}), 0x08040000);
        for (int ch = 0; ch < 4; ++ch)
            sim.setHolding(ch, 258, quint16(ch));
        // Channel 0 takes part in calibration mode: a procedure's poll writes its flag word.
        sim.setHolding(0, 259, quint16(1u << 10));
        MainWindow window;
        sim.setProfile(SimDetector::Layout::Open, ModelT6M);
        sim.setAnswersMapProbe(extendedBefore);
        QVERIFY(connectToSimulator(sim));
        command.userName = QStringLiteral("Dolen");
        command.authorized = 1;
        window.setDeviceModel(ModelT6M);
        window.rebuildDeviceUi();
        QCOMPARE(int(command.registerMap), int(extendedBefore ? ExtendedMap : ClassicMap));
        // The page is chosen while the layout is known (choosing it reads the device).
        window.tabWidget()->setCurrentIndex(tab);
        QCOMPARE(window.tabWidget()->currentIndex(), tab);
        Calibration* page = calibrationWindow;
        QVERIFY(page);
        if (road == "tables") {
            page->tabWidget->setCurrentIndex(1);
            QCOMPARE(page->tabWidget->currentIndex(), 1);
        }
        calibrationChannelWidgets[0]->checkBox->setChecked(true);

        lastFirmwareFile = file;
        {
            dialogs::Script script;
            QCOMPARE(updateFirmware(1), 1);
        }
        // The new firmware has the extended map.
        sim.setAnswersMapProbe(true);
        sim.clearLog();

        dialogs::Script script;
        if (road == "Сохр таблицу") {
            deviceSettingAllWindow->findChild<QPushButton*>("pushButton")->click();
        } else if (road == "alarm lock") {
            page->checkBox_Block_Sound->click();
            QVERIFY(!page->checkBox_Block_Sound->isChecked());
        } else if (road == "menu lock") {
            page->checkBox_BlockCalibmenu->click();
            QVERIFY(!page->checkBox_BlockCalibmenu->isChecked());
        } else if (road == "bump test") {
            page->ButtoncalibrateBumpTest->click();
        } else if (road.endsWith("start") || road.endsWith("confirm")) {
            QPushButton* button =
                road.startsWith("zero") ? page->ButtoncalibrateZero : page->ButtoncalibrateSpan;
            button->click();
            if (road.endsWith("confirm"))
                button->click(); // before the first poll
            // The first poll ends the procedure.
            QTRY_VERIFY_WITH_TIMEOUT(!calibrationTimers.poll->isActive(), 15000);
        } else if (road == "tables") {
            page->pushButton_2->click();
        } else if (road == "save") {
            child<QPushButton>(window, "pushButton_Save_Param")->click();
        } else if (road == "Записать") {
            deviceSetting4Window->findChild<QPushButton*>("pushButton")->click();
        } else if (road == "configuration load") {
            child<QPushButton>(window, "pushButtonLoadConfigDevice")->click();
        } else if (road == "factory save") {
            child<QPushButton>(window, "pushButtonSaveFactorySettings")->click();
        }
        QCOMPARE(sim.countFrames(16), 0);
        if (shownIn == "box") {
            // Nothing asked (no question, no file dialog): the refusal alone.
            QCOMPARE(script.texts(), QStringList{refused});
            QCOMPARE(script.titles(), QStringList{"Ошибка"});
        } else {
            QCOMPARE(script.texts(), QStringList());
            QCOMPARE(
                (shownIn == "tables" ? page->labelTablesStatus : page->labelStatusInfo)->text(),
                refused);
        }
    }

    void sendBlock()
    {
        connectAs(ModelT6M);
        const QByteArray data("\x01\x02\x03", 3);
        const auto* bytes = reinterpret_cast<const quint8*>(data.constData());
        {
            dialogs::Script script;
            const bool failed = sendFirmwareBlock(15, 0x1234, bytes, 3, 1);
            QVERIFY(!failed);
            QVERIFY(script.shown.isEmpty());
        }
        sim.addFault(SimFault(SimFault::Exception, 14).code(3));
        for (int mode : {0, 2}) {
            dialogs::Script script;
            const bool failed = sendFirmwareBlock(14, 0x5000, bytes, 3, mode);
            QVERIFY(failed);
            QCOMPARE(script.texts(),
                     QStringList{mode == 2 ? "Критическая ошибка, повторите обновление прошивки"
                                           : "Ошибка обмена данными"});
        }
        QCOMPARE(sim.firmwareBlocks().size(), 1);
        QCOMPARE(sim.firmwareBlocks().first().address, 0x1234u);
    }

    // The button: the file, the question, the mode by model, the success text.
    void button_data()
    {
        QTest::addColumn<quint16>("model");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("success");
        QTest::newRow("T2 Classic")
            << quint16(ModelT2Classic) << true << "Контроллер успешно прошит";
        QTest::newRow("T6M") << quint16(ModelT6M) << true
                             << "Контроллер прошивается, подождите несколько минут";
        QTest::newRow("answered No") << quint16(ModelT6M) << false << QString();
        QTest::newRow("T8M: no upload") << quint16(ModelT8M) << true << QString();
    }
    void button()
    {
        QFETCH(quint16, model);
        QFETCH(bool, yes);
        QFETCH(QString, success);
        const QString file =
            makeHex("objcopy", randomBinary(300, {{0, modelWord(model)}}), 0x08040000);
        MainWindow window;
        connectAs(model);
        dialogs::Script script;
        script.accept(file).button(yes ? QMessageBox::Yes : QMessageBox::No);
        window.findChild<QPushButton*>("pushButtonBootloader")->click();
        QCOMPARE(lastFirmwareFile, file);
        QCOMPARE(lastFirmwareDirectory, QFileInfo(file).absolutePath());
        QCOMPARE(script.shown.size(), success.isEmpty() ? 2 : 3);
        QCOMPARE(script.shown[1].text, QString("Загрузить в устройство?"));
        if (success.isEmpty()) {
            QCOMPARE(sim.firmwareBlocks().size(), 0);
        } else {
            QCOMPARE(script.shown[2].title, QString("Обновление версии ПО"));
            QCOMPARE(script.shown[2].text, success);
            QCOMPARE(sim.firmwareBytes(), recordStream(readAll(file)));
        }
    }

    // The bootloader: 10 s after register 1, the first block at 0:5000, the model word's
    // record at 0800:4C00, and the closing write of registers 3-5. The one slow test.
    void bootloader()
    {
        const QByteArray app = randomBinary(500, {});
        const QByteArray word = modelWord(123);
        const QString appFile = writeFile(app);
        const QString wordFile = writeFile(word);
        const QString out = appFile + ".hex";
        QProcess p;
        p.start("srec_cat",
                {appFile, "-binary", "-offset", "0x5000", wordFile, "-binary", "-offset",
                 "0x08004C00", "-o", out, "-intel", "-Output_Block_Size", "16"});
        QVERIFY(p.waitForFinished(30000) && p.exitCode() == 0);

        MainWindow window;
        connectAs(ModelBootloader);
        dialogs::Script script;
        script.accept(out).button(QMessageBox::Yes);
        QElapsedTimer clock;
        clock.start();
        window.findChild<QPushButton*>("pushButtonBootloader")->click();
        QCOMPARE(script.texts().last(), QString("Контроллер успешно прошит"));
        QCOMPARE(sim.firmwareBytes(), app + word);

        const QVector<SimRequest> log = sim.requests();
        qint64 startUs = -1, firstBlockUs = -1;
        for (const SimRequest& r : log) {
            if (r.crcOk && r.function == 16 && r.reg == 1 && startUs < 0)
                startUs = r.timeUs;
            if (r.crcOk && r.function == 14 && firstBlockUs < 0)
                firstBlockUs = r.timeUs;
        }
        QVERIFY(startUs >= 0 && firstBlockUs > startUs);
        QVERIFY(firstBlockUs - startUs >= 10000000);

        QVector<SimDetector::FirmwareBlock> full;
        for (const auto& b : sim.firmwareBlocks())
            if (!b.data.isEmpty())
                full.append(b);
        QCOMPARE(full.first().address, 0x5000u);
        QCOMPARE(full.last().address, 0x08004C00u);
        const QStringList traffic = sim.firmwareTraffic();
        QCOMPARE(traffic.first(), QString("w1=1"));
        QCOMPARE(traffic.last(), QString("w3=1,%1,1").arg(0x4C00 + word.size()));
    }
};

QTEST_MAIN(TstFirmware)
#include "tst_firmware.moc"
