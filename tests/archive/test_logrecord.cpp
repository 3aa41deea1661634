// The device log record: sizes per model, record kinds, times, values and the
// log-file line form. The expected bytes are written out here by offset, not
// through the program's structures.

#include "bytes.h"
#include "command.h"
#include "logrecord.h"
#include "types.h"

#include <QtTest>

#include <cstring>

class TestLogRecord : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void kinds_data();
    void kinds();
    void fieldsAtTheirOffsets();
    void times_data();
    void times();
    void values_data();
    void values();
    void lines_data();
    void lines();
    void lineRewritesWholeRecord();
};

void TestLogRecord::sizes_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("size");
    QTest::newRow("T2") << int(ModelT2) << 1 << 48;
    QTest::newRow("T2 classic") << int(ModelT2Classic) << 1 << 48;
    QTest::newRow("T6") << int(ModelT6) << 4 << 120;
    QTest::newRow("T6B") << int(ModelT6B) << 4 << 120;
    QTest::newRow("T6 Mini") << int(ModelT6Mini) << 4 << 120;
    QTest::newRow("T6 Max(4)") << int(ModelT6M4) << 4 << 120;
    QTest::newRow("T6 Max") << int(ModelT6M) << 6 << 168;
    QTest::newRow("T8 Max") << int(ModelT8M) << 0 << 0;
    QTest::newRow("bootloader") << int(ModelBootloader) << 0 << 0;
    QTest::newRow("none") << int(ModelNone) << 0 << 0;
}

void TestLogRecord::sizes()
{
    QFETCH(int, model);
    QFETCH(int, channels);
    QFETCH(int, size);
    QCOMPARE(logChannelCount(quint16(model)), channels);
    QCOMPARE(logRecordSize(quint16(model)), size);
}

void TestLogRecord::kinds_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("changedMask"); // channels 0..9 marked changed
    QTest::newRow("measurement") << 4 << int(LogRecordKind::Measurement) << 0;
    QTest::newRow("power on") << 0 << int(LogRecordKind::PowerOn) << 0;
    QTest::newRow("power off") << 1 << int(LogRecordKind::PowerOff) << 0;
    QTest::newRow("firmware") << 2 << int(LogRecordKind::FirmwareUpdate) << 0;
    QTest::newRow("3 damaged") << 3 << int(LogRecordKind::Damaged) << 0;
    QTest::newRow("5 damaged") << 5 << int(LogRecordKind::Damaged) << 0;
    QTest::newRow("15 damaged") << 15 << int(LogRecordKind::Damaged) << 0;
    QTest::newRow("19 damaged") << 19 << int(LogRecordKind::Damaged) << 0;
    QTest::newRow("20 damaged, not a measurement") << 20 << int(LogRecordKind::Damaged) << 0;
    QTest::newRow("16 channel 0") << 16 << int(LogRecordKind::SettingsChange) << 0x1;
    QTest::newRow("32 channel 1") << 32 << int(LogRecordKind::SettingsChange) << 0x2;
    QTest::newRow("48 channels 0, 1") << 48 << int(LogRecordKind::SettingsChange) << 0x3;
    QTest::newRow("8192 channel 9") << 8192 << int(LogRecordKind::SettingsChange) << 0x200;
    QTest::newRow("0xFFF0 all") << 0xFFF0 << int(LogRecordKind::SettingsChange) << 0x3FF;
}

void TestLogRecord::kinds()
{
    QFETCH(int, type);
    QFETCH(int, kind);
    QFETCH(int, changedMask);
    QCOMPARE(int(logRecordKind(quint16(type))), kind);
    int mask = 0;
    for (int k = 0; k < LogMaxChannels; ++k) {
        if (logSettingsChanged(quint16(type), k))
            mask |= 1 << k;
    }
    QCOMPARE(mask, changedMask);
    QVERIFY(!logSettingsChanged(quint16(type), -1));
}

void TestLogRecord::fieldsAtTheirOffsets()
{
    quint8 bytes[168] = {};
    put16(bytes, 0, 4);
    put32(bytes, 4, 0x01020304);
    put32(bytes, 8, 1000000);
    bytes[12] = 0x80;
    put16(bytes, 14, 0x0208);
    put16(bytes, 16, 87);
    put16(bytes, 18, quint16(-2150));
    put32(bytes, 20, 0xA1B2C3D4);
    // Channel 1 of a measurement record starts at byte 48.
    put16(bytes, 48 + 0, 0x0040);
    put16(bytes, 48 + 2, 0x0081);
    put16(bytes, 48 + 12, 1234);
    put16(bytes, 48 + 14, 567);
    put16(bytes, 48 + 16, 0x0A42);
    put16(bytes, 48 + 18, 0x5555);
    // Channel 5, the last of a six-channel record, read as a settings block.
    put16(bytes, 144 + 2, 0x8064);
    put16(bytes, 144 + 8, 0xFFFF);
    put16(bytes, 144 + 18, 0x0080);
    put32(bytes, 144 + 20, 777);

    const LogRecord r = logRecordFromBytes(bytes, sizeof bytes);
    QCOMPARE(r.recordType, quint16(4));
    QCOMPARE(r.recordNumber, 0x01020304u);
    QCOMPARE(r.recordTime, 1000000u);
    QCOMPARE(r.recordFlags, quint8(0x80));
    QCOMPARE(r.deviceStatus, quint16(0x0208));
    QCOMPARE(r.batteryCharge, quint16(87));
    QCOMPARE(r.temperature, qint16(-2150));
    QCOMPARE(logTemperature(r.temperature), -21.5f);
    QCOMPARE(r.lastBumpTestDate, 0xA1B2C3D4u);
    QCOMPARE(r.channels[1].measurement.channelState, quint16(0x0040));
    QCOMPARE(r.channels[1].measurement.channelStatus, quint16(0x0081));
    QCOMPARE(r.channels[1].measurement.rawValue, quint16(1234));
    QCOMPARE(r.channels[1].measurement.rawTwaValue, quint16(567));
    QCOMPARE(r.channels[1].measurement.format, quint16(0x0A42));
    QCOMPARE(r.channels[1].measurement.sensorStatus, quint16(0x5555));
    QCOMPARE(r.channels[5].settings.limit1, quint16(0x8064));
    QCOMPARE(logLimitCounts(r.channels[5].settings.limit1, ClassicMap), quint16(100));
    QCOMPARE(logLimitCounts(r.channels[5].settings.limit1, ExtendedMap), quint16(32868));
    QCOMPARE(logLimitCounts(r.channels[5].settings.limit4, ClassicMap), quint16(0x7FFF));
    QCOMPARE(r.channels[5].settings.format, quint16(0x0080));
    QCOMPARE(r.channels[5].settings.lastCalibrationDate, 777u);
    // Bytes past the given size are zero, not whatever followed in memory.
    QCOMPARE(r.channels[6].measurement.rawValue, quint16(0));
    const LogRecord shortRecord = logRecordFromBytes(bytes, 48);
    QCOMPARE(shortRecord.channels[1].measurement.rawValue, quint16(0));
}

void TestLogRecord::times_data()
{
    QTest::addColumn<quint32>("ticks");
    QTest::addColumn<double>("secondsPerTick");
    QTest::addColumn<quint32>("seconds");
    QTest::newRow("0.9375") << 1000000u << 0.9375 << 937500u;
    QTest::newRow("truncated") << 3u << 0.9375 << 2u;
    QTest::newRow("1.0") << 1700000000u << 1.0 << 1700000000u;
    QTest::newRow("largest") << 0xFFFFFFFFu << 1.0 << 0xFFFFFFFFu;
    QTest::newRow("low 32 bits") << 0xFFFFFFFFu << 2.0 << 0xFFFFFFFEu;
}

void TestLogRecord::times()
{
    QFETCH(quint32, ticks);
    QFETCH(double, secondsPerTick);
    QFETCH(quint32, seconds);
    QCOMPARE(logSeconds(ticks, secondsPerTick), seconds);
    command.secondsPerTick = secondsPerTick;
    QCOMPARE(logDateTime(ticks).toSecsSinceEpoch(), qint64(seconds));
}

void TestLogRecord::values_data()
{
    QTest::addColumn<int>("counts");
    QTest::addColumn<int>("format");
    QTest::addColumn<double>("factor");
    QTest::addColumn<float>("value");
    QTest::newRow("no decimals") << 125 << 0x0000 << 1.0 << 125.0f;
    QTest::newRow("one decimal") << 125 << 0x0040 << 1.0 << 12.5f;
    QTest::newRow("two decimals") << 2095 << 0x0080 << 1.0 << 20.95f;
    QTest::newRow("three decimals") << 65535 << 0x00C0 << 1.0 << 65.535f;
    QTest::newRow("display decimals ignored") << 125 << 0x0030 << 1.0 << 125.0f;
    QTest::newRow("factor") << 100 << 0x0040 << 1.25 << 12.5f;
}

void TestLogRecord::values()
{
    QFETCH(int, counts);
    QFETCH(int, format);
    QFETCH(double, factor);
    QFETCH(float, value);
    QCOMPARE(logCountValue(quint16(counts), quint16(format), factor), value);
}

void TestLogRecord::lines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("accepted");
    const QByteArray good = QByteArray(48, '\x5A').toHex().toUpper();
    QTest::newRow("crlf") << good + "\r\n" << 48 << true;
    QTest::newRow("lf") << good + "\n" << 48 << true;
    QTest::newRow("no end") << good << 48 << true;
    QTest::newRow("lower case") << good.toLower() + "\r\n" << 48 << true;
    QTest::newRow("one digit short") << good.left(95) + "\r\n" << 48 << false;
    QTest::newRow("one byte long") << good + "00\r\n" << 48 << false;
    QTest::newRow("other size") << good + "\r\n" << 120 << false;
    QTest::newRow("not hex") << good.left(94) + "G0\r\n" << 48 << false;
    QTest::newRow("blank inside") << good.left(94) + " 0\r\n" << 48 << false;
    QTest::newRow("empty") << QByteArray() << 48 << false;
    QTest::newRow("size 0") << QByteArray() << 0 << false;
    QTest::newRow("size over 264") << QByteArray(530, '0') << 265 << false;
}

void TestLogRecord::lines()
{
    QFETCH(QByteArray, line);
    QFETCH(int, size);
    QFETCH(bool, accepted);
    std::memset(command.logRecord, 0xEE, sizeof command.logRecord);
    QCOMPARE(loadLogLine(line, size), accepted);
    if (accepted) {
        for (int i = 0; i < size; ++i)
            QCOMPARE(command.logRecord[i], quint8(0x5A));
        QCOMPARE(logLine(command.logRecord, size), line.left(2 * size).toUpper() + "\r\n");
    } else {
        for (quint8 b : command.logRecord)
            QCOMPARE(b, quint8(0xEE));
    }
}

void TestLogRecord::lineRewritesWholeRecord()
{
    // A short record after a long one must not carry the long one's channels.
    QVERIFY(loadLogLine(QByteArray(168, '\x11').toHex(), 168));
    QVERIFY(loadLogLine(QByteArray(48, '\x22').toHex(), 48));
    for (int i = 0; i < LogRecordSize; ++i)
        QCOMPARE(command.logRecord[i], quint8(i < 48 ? 0x22 : 0));
}

QTEST_APPLESS_MAIN(TestLogRecord)
#include "test_logrecord.moc"
