// The holding- and input-register maps of both layouts, frame by frame: function-3 and
// function-4 replies are made up as they come off the line and handed to the parsers,
// function-16 requests are built into a local buffer. No serial traffic.
//
// The expected registers are written down from the device's register tables, not taken from
// the program's own map tables, so that a register that lands on the wrong field shows here.

#include "command.h"
#include "commandstate.h"

#include <QtTest>

#include <cstddef>
#include <cstring>

namespace
{

constexpr int D = DevicePage; // 170, page 10 on the wire

// Where a value lands: the record of a channel, a device block or a field of Command.
enum Area {
    ClassicChannel,
    ClassicDevice,
    ClassicExtras,
    ExtendedChannel,
    ExtendedDevice,
    ModelCodeField,
    FirmwareVersionField,
    BleMacField,
    LoraIdField,
    FirmwareEndFlagField,
    FirmwareEndAddressField,
    TempSensorCalibrationField,
    ClassicLanguageField,
    ExtendedLanguageField,
};

#define CCH(f) int(offsetof(ClassicChannelRecord, f))
#define CDV(f) int(offsetof(ClassicDeviceBlock, f))
#define ECH(f) int(offsetof(ExtendedChannelRecord, f))
#define EDV(f) int(offsetof(ExtendedDeviceBlock, f))

quint8* fieldAt(int area, int record, int offset)
{
    quint8* base = nullptr;
    switch (area) {
    case ClassicChannel:
        base = reinterpret_cast<quint8*>(&command.classicChannels[record]);
        break;
    case ClassicDevice:
        base = reinterpret_cast<quint8*>(&command.classicDevice);
        break;
    case ClassicExtras:
        base = reinterpret_cast<quint8*>(&command.classicExtras[record]);
        break;
    case ExtendedChannel:
        base = reinterpret_cast<quint8*>(&command.extendedChannels[record]);
        break;
    case ExtendedDevice:
        base = reinterpret_cast<quint8*>(&command.extendedDevice);
        break;
    case ModelCodeField:
        base = reinterpret_cast<quint8*>(&command.modelCode);
        break;
    case FirmwareVersionField:
        base = reinterpret_cast<quint8*>(&command.firmwareVersion);
        break;
    case BleMacField:
        base = command.bleMac;
        break;
    case LoraIdField:
        base = command.loraId;
        break;
    case FirmwareEndFlagField:
        base = &command.firmwareEndFlag;
        break;
    case FirmwareEndAddressField:
        base = reinterpret_cast<quint8*>(&command.firmwareEndAddress);
        break;
    case TempSensorCalibrationField:
        base = reinterpret_cast<quint8*>(&command.tempSensorCalibration);
        break;
    case ClassicLanguageField:
        base = reinterpret_cast<quint8*>(&command.classicLanguage);
        break;
    case ExtendedLanguageField:
        base = reinterpret_cast<quint8*>(&command.extendedLanguage);
        break;
    }
    return base + offset;
}

qulonglong readField(int area, int record, int offset, int width)
{
    qulonglong v = 0;
    memcpy(&v, fieldAt(area, record, offset), size_t(width));
    return v;
}

void writeField(int area, int record, int offset, int width, qulonglong v)
{
    memcpy(fieldAt(area, record, offset), &v, size_t(width));
}

float readFloat(int area, int record, int offset)
{
    float f;
    memcpy(&f, fieldAt(area, record, offset), sizeof f);
    return f;
}

void writeFloat(int area, int record, int offset, float f)
{
    memcpy(fieldAt(area, record, offset), &f, sizeof f);
}

quint32 bitsOf(float f)
{
    quint32 b;
    memcpy(&b, &f, sizeof b);
    return b;
}

quint16 wire(int page, int reg)
{
    return quint16((page << 12) | reg);
}

// A reply as it comes off the line: address, function, byte count, registers, CRC.
QByteArray replyFrame(int fn, const QVector<quint16>& values, int byteCount = -1,
                      int extraBytes = 0)
{
    QByteArray f;
    f.append(char(0xFF));
    f.append(char(fn));
    f.append(char(byteCount < 0 ? 2 * values.size() : byteCount));
    for (quint16 v : values) {
        f.append(char(v >> 8));
        f.append(char(v & 0xFF));
    }
    f.append(QByteArray(extraBytes, char(0x33)));
    const int n = f.size();
    f.resize(n + 2);
    crc16(reinterpret_cast<quint8*>(f.data()), n);
    return f;
}

TransactionResult parse(int fn, int page, int reg, const QVector<quint16>& values,
                        int byteCount = -1)
{
    const QByteArray f = replyFrame(fn, values, byteCount);
    const auto* p = reinterpret_cast<const quint8*>(f.constData());
    return fn == 3 ? command.parseHoldingRegisters(p, wire(page, reg))
                   : command.parseInputRegisters(p, wire(page, reg));
}

struct Built {
    int result = 0;
    QByteArray frame;        // the whole request buffer
    QVector<quint16> values; // the registers of a complete request
};

Built build(int page, int reg, int count)
{
    Built b;
    quint8 frame[RequestBufferSize];
    memset(frame, 0xEE, sizeof frame);
    b.result = command.buildWriteMultiple(wire(page, reg), quint16(count), frame);
    b.frame = QByteArray(reinterpret_cast<const char*>(frame), int(sizeof frame));
    if (b.result == 7 + 2 * count) {
        for (int i = 0; i < count; ++i)
            b.values.append(quint16((frame[7 + 2 * i] << 8) | frame[8 + 2 * i]));
    }
    return b;
}

QVector<quint16> ramp(int n, quint16 first)
{
    QVector<quint16> v;
    for (int i = 0; i < n; ++i)
        v.append(quint16(first + i));
    return v;
}

QString hexList(const QVector<quint16>& v)
{
    QStringList s;
    for (quint16 x : v)
        s << QStringLiteral("0x%1").arg(x, 4, 16, QLatin1Char('0'));
    return s.join(QLatin1Char(' '));
}

// Every byte the register maps may store into.
QByteArray snapshot()
{
    QByteArray s = imageSnapshot();
    auto add = [&s](const void* p, size_t n) { s.append(static_cast<const char*>(p), int(n)); };
    add(&command.modelCode, sizeof command.modelCode);
    add(&command.firmwareVersion, sizeof command.firmwareVersion);
    add(command.bleMac, sizeof command.bleMac);
    add(command.loraId, sizeof command.loraId);
    add(&command.firmwareEndFlag, sizeof command.firmwareEndFlag);
    add(&command.firmwareEndAddress, sizeof command.firmwareEndAddress);
    add(&command.tempSensorCalibration, sizeof command.tempSensorCalibration);
    return s;
}

void resetImage()
{
    clearImage();
    command.registerMap = ClassicMap;
    command.modelCode = ModelT6;
    command.modbusAddress = 255;
    command.connected = 0;
}

void useMap(int map, int model)
{
    command.registerMap = quint16(map);
    command.modelCode = quint16(model);
}

// A table of requests: layout, model, function, page, first register, count,
// then the column `last` that the test names.
void addRequestColumns(const char* last)
{
    QTest::addColumn<int>("map");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("fn");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>(last);
}

void requestRow(const char* name, int map, int model, int fn, int page, int reg, int count,
                int last)
{
    QTest::newRow(name) << map << model << fn << page << reg << count << last;
}

} // namespace

class TestRegisterMap : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetImage(); }

    // Start registers and block ends of every block. For function 16 the expected ResultOk
    // stands for a complete request of 7 + 2 x count bytes.
    void blockEnds_data()
    {
        addRequestColumns("expected");
        const auto row = requestRow;
        const int C = ClassicMap, E = ExtendedMap, T6 = ModelT6, T6M = ModelT6M, T8 = ModelT8M;
        const int Ok = ResultOk, Mis = ResultMismatch, Over = ResultBlockOverrun;

        // Classic holding registers, channel page.
        row("classic 3@256 x82", C, T6, 3, 2, 256, 82, Ok);
        row("classic 3@256 x83", C, T6, 3, 2, 256, 83, Over);
        row("classic 3@254", C, T6, 3, 2, 254, 1, Mis);
        row("classic 3@255", C, T6, 3, 2, 255, 1, Mis);
        row("classic 3@258 x80", C, T6, 3, 2, 258, 80, Ok);
        row("classic 3@337 x2", C, T6, 3, 2, 337, 2, Over);
        row("classic 3@338", C, T6, 3, 2, 338, 1, Mis);
        row("classic 3@352 x20", C, T6, 3, 2, 352, 20, Ok);
        row("classic 3@352 x21", C, T6, 3, 2, 352, 21, Over);
        row("classic 3@372", C, T6, 3, 2, 372, 1, Mis);
        row("classic 3@514", C, T6, 3, 2, 514, 1, Ok);
        row("classic 3@514 x2", C, T6, 3, 2, 514, 2, Over);
        row("classic 3@544 x4 channel page", C, T6, 3, 2, 544, 4, Ok);
        row("classic 3@544 x5", C, T6, 3, 2, 544, 5, Over);
        row("classic 3@546 x2", C, T6, 3, 2, 546, 2, Ok);
        row("classic 3@560", C, T6, 3, 2, 560, 1, Mis);
        // Classic holding registers, device page.
        row("classic 3@1", C, T6, 3, D, 1, 1, Over);
        row("classic 3@2", C, T6, 3, D, 2, 1, Over);
        row("classic 3@1 x5", C, T6, 3, D, 1, 5, Over);
        row("classic 3@3", C, T6, 3, D, 3, 1, Ok);
        row("classic 3@3 x2", C, T6, 3, D, 3, 2, Ok);
        row("classic 3@4", C, T6, 3, D, 4, 1, Ok);
        row("classic 3@3 x3", C, T6, 3, D, 3, 3, Over);
        row("classic 3@5", C, T6, 3, D, 5, 1, Over);
        row("classic 3@6", C, T6, 3, D, 6, 1, Mis);
        row("classic 3@16", C, T6, 3, D, 16, 1, Mis);
        row("classic 3@512", C, T6, 3, D, 512, 1, Ok);
        row("classic 3@512 x2", C, T6, 3, D, 512, 2, Over);
        row("classic 3@528 x6", C, T6, 3, D, 528, 6, Ok);
        row("classic 3@528 x7", C, T6, 3, D, 528, 7, Over);
        row("classic 3@544 x2 device page", C, T6, 3, D, 544, 2, Ok);
        row("classic 3@576", C, T6, 3, D, 576, 1, Mis);
        row("classic 3@1792", C, T6, 3, D, 1792, 1, Mis);
        row("classic 3@2048", C, T6, 3, D, 2048, 1, Mis);
        row("classic 3@256 x2 device page", C, T6, 3, D, 256, 2, Ok);
        row("classic 3@285 x3 device page", C, T6, 3, D, 285, 3, Ok);
        // Classic write map.
        row("classic 16@254 x4", C, T6, 16, 2, 254, 4, Ok);
        row("classic 16@254 x84", C, T6, 16, 2, 254, 84, Ok);
        row("classic 16@254 x85", C, T6, 16, 2, 254, 85, Over);
        row("classic 16@288", C, T6, 16, 2, 288, 1, Ok);
        row("classic 16@338", C, T6, 16, 2, 338, 1, Mis);
        row("classic 16@352 x20", C, T6, 16, 2, 352, 20, Ok);
        row("classic 16@352 x21", C, T6, 16, 2, 352, 21, Over);
        row("classic 16@514 x2", C, T6, 16, 2, 514, 2, Over);
        row("classic 16@544 x4", C, T6, 16, 2, 544, 4, Ok);
        row("classic 16@544 x5", C, T6, 16, 2, 544, 5, Over);
        row("classic 16@560 x4", C, T6, 16, 2, 560, 4, Ok);
        row("classic 16@560 x5", C, T6, 16, 2, 560, 5, Over);
        row("classic 16@0", C, T6, 16, D, 0, 1, Mis);
        row("classic 16@1 x5", C, T6, 16, D, 1, 5, Ok);
        row("classic 16@1 x6", C, T6, 16, D, 1, 6, Over);
        row("classic 16@16 x3", C, T6, 16, D, 16, 3, Ok);
        row("classic 16@16 x4", C, T6, 16, D, 16, 4, Over);
        row("classic 16@512 x2", C, T6, 16, D, 512, 2, Over);
        row("classic 16@528 x6", C, T6, 16, D, 528, 6, Ok);
        row("classic 16@528 x7", C, T6, 16, D, 528, 7, Over);
        row("classic 16@561 x3", C, T6, 16, D, 561, 3, Ok);
        row("classic 16@561 x4", C, T6, 16, D, 561, 4, Over);
        row("classic 16@576", C, T6, 16, D, 576, 1, Ok);
        row("classic 16@576 x2", C, T6, 16, D, 576, 2, Over);
        row("classic 16@592 x2", C, T6, 16, D, 592, 2, Over);
        row("classic 16@594 x2", C, T6, 16, D, 594, 2, Over);
        row("classic 16@596 x2", C, T6, 16, D, 596, 2, Over);
        row("classic 16@598 x2", C, T6, 16, D, 598, 2, Over);
        row("classic 16@1792 x2", C, T6, 16, D, 1792, 2, Over);
        row("classic 16@1794 x2", C, T6, 16, D, 1794, 2, Over);
        row("classic 16@2048 x2", C, T6, 16, D, 2048, 2, Over);
        row("classic 16@254 x4 device page", C, T6, 16, D, 254, 4, Ok);
        row("classic 16@258 device page", C, T6, 16, D, 258, 1, Mis);
        row("classic 16@352 device page", C, T6, 16, D, 352, 1, Mis);
        row("classic 16@258 page 11", C, T6, 16, 11, 258, 1, Mis);

        // Extended holding registers, channel page.
        row("extended 3@254 x59", E, T8, 3, 4, 254, 59, Ok);
        row("extended 3@254 x60", E, T8, 3, 4, 254, 60, Over);
        row("extended 3@258 x55", E, T8, 3, 4, 258, 55, Ok);
        row("extended 3@313", E, T8, 3, 4, 313, 1, Mis);
        row("extended 3@336 x60", E, T8, 3, 4, 336, 60, Ok);
        row("extended 3@336 x61", E, T8, 3, 4, 336, 61, Mis);
        row("extended 3@400 x7", E, T8, 3, 4, 400, 7, Ok);
        row("extended 3@400 x8", E, T8, 3, 4, 400, 8, Mis);
        row("extended 3@544 x9", E, T8, 3, 4, 544, 9, Ok);
        row("extended 3@548 x5", E, T8, 3, 4, 548, 5, Ok);
        row("extended 3@548 x6", E, T8, 3, 4, 548, 6, Mis);
        row("extended 3@560", E, T8, 3, 4, 560, 1, Mis);
        row("extended 3@768 x2", E, T8, 3, 4, 768, 2, Ok);
        row("extended 3@768 x3", E, T8, 3, 4, 768, 3, Over);
        // Extended holding registers, device page.
        row("extended 3@0", E, T8, 3, D, 0, 1, Mis);
        row("extended 3@1", E, T8, 3, D, 1, 1, Over);
        row("extended 3@3 x2", E, T8, 3, D, 3, 2, Ok);
        row("extended 3@16", E, T8, 3, D, 16, 1, Mis);
        row("extended 3@512 x8", E, T8, 3, D, 512, 8, Ok);
        row("extended 3@512 x9", E, T8, 3, D, 512, 9, Mis);
        row("extended 3@528 x6", E, T8, 3, D, 528, 6, Ok);
        row("extended 3@528 x7", E, T8, 3, D, 528, 7, Mis);
        row("extended 3@544 x4 device page", E, T8, 3, D, 544, 4, Ok);
        row("extended 3@561", E, T8, 3, D, 561, 1, Mis);
        row("extended 3@576", E, T8, 3, D, 576, 1, Mis);
        row("extended 3@784 x3", E, T8, 3, D, 784, 3, Ok);
        row("extended 3@784 x4", E, T8, 3, D, 784, 4, Over);
        row("extended 3@1792", E, T8, 3, D, 1792, 1, Ok);
        row("extended 3@1792 x2", E, T8, 3, D, 1792, 2, Mis);
        row("extended 3@254 x4 device page", E, T8, 3, D, 254, 4, Ok);
        // Extended write map.
        row("extended 16@254 x59", E, T8, 16, 4, 254, 59, Ok);
        row("extended 16@254 x60", E, T8, 16, 4, 254, 60, Over);
        row("extended 16@336 x60", E, T8, 16, 4, 336, 60, Ok);
        row("extended 16@336 x61", E, T8, 16, 4, 336, 61, 3);
        row("extended 16@400 x7", E, T8, 16, 4, 400, 7, Ok);
        row("extended 16@400 x8", E, T8, 16, 4, 400, 8, Mis);
        row("extended 16@544 x9", E, T8, 16, 4, 544, 9, Ok);
        row("extended 16@544 x10", E, T8, 16, 4, 544, 10, Mis);
        row("extended 16@560 x4", E, T8, 16, 4, 560, 4, Ok);
        row("extended 16@560 x5", E, T8, 16, 4, 560, 5, Over);
        row("extended 16@768 x3", E, T8, 16, 4, 768, 3, Over);
        row("extended 16@0", E, T8, 16, D, 0, 1, Mis);
        row("extended 16@1 x5", E, T8, 16, D, 1, 5, Ok);
        row("extended 16@16 x3", E, T8, 16, D, 16, 3, Ok);
        row("extended 16@16 x4", E, T8, 16, D, 16, 4, Over);
        row("extended 16@512 x8", E, T8, 16, D, 512, 8, Ok);
        row("extended 16@512 x9", E, T8, 16, D, 512, 9, Mis);
        row("extended 16@528 x7", E, T8, 16, D, 528, 7, Mis);
        row("extended 16@561 x3", E, T8, 16, D, 561, 3, Ok);
        row("extended 16@561 x4", E, T8, 16, D, 561, 4, Over);
        row("extended 16@576 x2", E, T8, 16, D, 576, 2, Over);
        row("extended 16@784 x4", E, T8, 16, D, 784, 4, Over);
        row("extended 16@1792 x2", E, T8, 16, D, 1792, 2, Over);
        row("extended 16@1794", E, T8, 16, D, 1794, 1, Ok);
        row("extended 16@2048", E, T8, 16, D, 2048, 1, Ok);
        row("extended 16@336 device page", E, T8, 16, D, 336, 1, Mis);

        // Fixed-channel input registers of the classic models.
        row("fixed 4@16", C, T6, 4, D, 16, 1, Ok);
        row("fixed 4@16 x2", C, T6, 4, D, 16, 2, 3);
        row("fixed 4@17", C, T6, 4, D, 17, 1, Mis);
        row("fixed 4@32 x8", C, T6, 4, D, 32, 8, Ok);
        row("fixed 4@32 x9", C, T6, 4, D, 32, 9, 3);
        row("fixed 4@32 x8 channel page", C, T6, 4, 7, 32, 8, Ok);
        row("fixed 4@40", C, T6, 4, D, 40, 1, Mis);
        row("fixed 4@48 x8", C, T6, 4, D, 48, 8, Ok);
        row("fixed 4@48 x9", C, T6, 4, D, 48, 9, 3);
        row("fixed 4@246 x41", C, T6, 4, D, 246, 41, Ok);
        row("fixed 4@246 x42", C, T6, 4, D, 246, 42, Over);
        row("fixed 4@287", C, T6, 4, D, 287, 1, Mis);
        row("fixed 4@2457", C, T6, 4, D, 2457, 1, Ok);
        row("fixed 4@2457 x2", C, T6, 4, D, 2457, 2, Over);
        // Page-based classic input registers of ModelT6M and ModelT6M4.
        row("T6M 4@16 x6", C, T6M, 4, D, 16, 6, Ok);
        row("T6M 4@16 x7", C, T6M, 4, D, 16, 7, 3);
        row("T6M 4@17 x2", C, T6M, 4, D, 17, 2, Ok);
        row("T6M 4@32 x13", C, T6M, 4, 2, 32, 13, Ok);
        row("T6M 4@32 x14", C, T6M, 4, 2, 32, 14, Over);
        row("T6M 4@45", C, T6M, 4, 2, 45, 1, Mis);
        row("T6M 4@2457 x2", C, T6M, 4, D, 2457, 2, Over);
        row("T6M4 4@32 x13", C, ModelT6M4, 4, 1, 32, 13, Ok);
        row("T6M4 4@17 x2", C, ModelT6M4, 4, D, 17, 2, Ok);
        // Extended input registers.
        row("extended 4@16 x10", E, T8, 4, D, 16, 10, Ok);
        row("extended 4@16 x11", E, T8, 4, D, 16, 11, Over);
        row("extended 4@26", E, T8, 4, D, 26, 1, Mis);
        row("extended 4@32 x6", E, T8, 4, 4, 32, 6, Ok);
        row("extended 4@32 x7", E, T8, 4, 4, 32, 7, Ok);
        row("extended 4@32 x28", E, T8, 4, 4, 32, 28, Ok);
        row("extended 4@32 x29", E, T8, 4, 4, 32, 29, Over);
        row("extended 4@43 x17", E, T8, 4, 4, 43, 17, Ok);
        row("extended 4@60", E, T8, 4, 4, 60, 1, Mis);
        row("extended 4@96 x3", E, T8, 4, D, 96, 3, Ok);
        row("extended 4@96 x4", E, T8, 4, D, 96, 4, Over);
        row("extended 4@112 x4", E, T8, 4, D, 112, 4, Ok);
        row("extended 4@112 x5", E, T8, 4, D, 112, 5, Over);
        row("extended 4@550 x5", E, T8, 4, 4, 550, 5, Ok);
        row("extended 4@550 x6", E, T8, 4, 4, 550, 6, Over);
        row("extended 4@2457", E, T8, 4, D, 2457, 1, Ok);
        row("extended 4@2457 x2", E, T8, 4, D, 2457, 2, Over);

        // A layout that is neither map stores nothing; the builder puts the header alone.
        row("unknown map 3", 7, T8, 3, 2, 259, 1, Ok);
        row("unknown map 4", 7, T8, 4, 2, 32, 1, Ok);
        row("unknown map 16", 7, T8, 16, 2, 259, 1, 7);
    }
    void blockEnds()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, fn);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(int, expected);
        useMap(map, model);
        if (fn == 16) {
            const Built b = build(page, reg, count);
            QCOMPARE(b.result, expected == ResultOk ? 7 + 2 * count : expected);
            return;
        }
        QVector<quint16> values(count, 0);
        if (fn == 4 && reg <= RegModelCode && RegModelCode < reg + count)
            values[RegModelCode - reg] = quint16(model); // keep the layout that was chosen
        const QByteArray before = snapshot();
        QCOMPARE(int(parse(fn, page, reg, values)), expected);
        if (map != ClassicMap && map != ExtendedMap)
            QCOMPARE(snapshot(), before);
    }

    // Replies the parsers refuse leave every byte of the image as it was.
    void refusedReplyStoresNothing_data()
    {
        addRequestColumns("byteCount");
        const auto row = requestRow;
        const int C = ClassicMap, E = ExtendedMap, T6 = ModelT6, T6M = ModelT6M, T8 = ModelT8M;
        row("classic 3@254 no start", C, T6, 3, 2, 254, 4, -1);
        row("classic 3@338 no start", C, T6, 3, 2, 338, 1, -1);
        row("classic 3@560 write only", C, T6, 3, 2, 560, 1, -1);
        row("classic 3@598 write only", C, T6, 3, D, 598, 1, -1);
        row("extended 3@313 no start", E, T8, 3, 4, 313, 1, -1);
        row("extended 3@0 no start", E, T8, 3, D, 0, 1, -1);
        row("fixed 4@17 no start", C, T6, 4, D, 17, 1, -1);
        row("extended 4@26 no start", E, T8, 4, D, 26, 1, -1);
        // Odd byte counts.
        row("classic 3 bytes", C, T6, 3, 2, 258, 2, 3);
        row("classic 1 byte", C, T6, 3, 2, 256, 1, 1);
        row("classic device 3 bytes", C, T6, 3, D, 528, 2, 3);
        row("extended 5 bytes", E, T8, 3, 1, 259, 3, 5);
        row("extended input 3 bytes", E, T8, 4, 1, 32, 2, 3);
        row("fixed input 7 bytes", C, T6, 4, D, 32, 4, 7);
        row("T6M input 1 byte", C, T6M, 4, 2, 32, 1, 1);
        // Channel registers on pages that name no channel.
        row("classic 3@258 device page", C, T6, 3, D, 258, 4, -1);
        row("classic 3@258 page 11", C, T6, 3, 11, 258, 4, -1);
        row("classic 3@258 page 15", C, T6, 3, 15, 258, 4, -1);
        row("classic 3@352 device page", C, T6, 3, D, 352, 20, -1);
        row("classic 3@514 device page", C, T6, 3, D, 514, 1, -1);
        row("classic 3@546 device page", C, T6, 3, D, 546, 2, -1);
        row("extended 3@258 device page", E, T8, 3, D, 258, 4, -1);
        row("extended 3@336 page 12", E, T8, 3, 12, 336, 60, -1);
        row("extended 3@400 device page", E, T8, 3, D, 400, 7, -1);
        row("extended 3@548 page 13", E, T8, 3, 13, 548, 5, -1);
        row("extended 3@768 device page", E, T8, 3, D, 768, 2, -1);
        row("extended 4@32 device page", E, T8, 4, D, 32, 6, -1);
        row("extended 4@550 page 14", E, T8, 4, 14, 550, 5, -1);
        row("T6M 4@32 device page", C, T6M, 4, D, 32, 13, -1);
    }
    void refusedReplyStoresNothing()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, fn);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(int, byteCount);
        useMap(map, model);
        const QByteArray before = snapshot();
        QCOMPARE(int(parse(fn, page, reg, ramp(count, 0xA501), byteCount)), int(ResultMismatch));
        QVERIFY(snapshot() == before);
    }

    // The dispatcher parses a function-3/4 reply only when it has exactly the size asked for.
    void dispatcherReplySize_data()
    {
        QTest::addColumn<int>("fn");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("dataRegs");
        QTest::addColumn<int>("byteCount");
        QTest::addColumn<int>("extraBytes");
        QTest::addColumn<int>("expected");
        // Extended map: holding 259/260 are format and sensorType, input 22/23 the battery.
        QTest::newRow("3 exact") << 3 << 259 << 2 << 2 << 4 << 0 << int(ResultOk);
        QTest::newRow("3 more asked") << 3 << 259 << 3 << 2 << 4 << 0 << int(ResultMismatch);
        QTest::newRow("3 fewer asked") << 3 << 259 << 1 << 2 << 4 << 0 << int(ResultMismatch);
        QTest::newRow("3 trailing byte") << 3 << 259 << 2 << 2 << 4 << 1 << int(ResultMismatch);
        QTest::newRow("3 short data") << 3 << 259 << 3 << 2 << 6 << 0 << int(ResultMismatch);
        QTest::newRow("3 odd count") << 3 << 259 << 2 << 2 << 3 << 0 << int(ResultMismatch);
        QTest::newRow("4 exact") << 4 << 22 << 2 << 2 << 4 << 0 << int(ResultOk);
        QTest::newRow("4 more asked") << 4 << 22 << 3 << 2 << 4 << 0 << int(ResultMismatch);
        QTest::newRow("4 trailing byte") << 4 << 22 << 2 << 2 << 4 << 1 << int(ResultMismatch);
        QTest::newRow("4 long data") << 4 << 22 << 2 << 3 << 4 << 0 << int(ResultMismatch);
    }
    void dispatcherReplySize()
    {
        QFETCH(int, fn);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(int, dataRegs);
        QFETCH(int, byteCount);
        QFETCH(int, extraBytes);
        QFETCH(int, expected);
        useMap(ExtendedMap, ModelT8M);
        const int page = fn == 3 ? 1 : D;
        const QByteArray f = replyFrame(fn, ramp(dataRegs, 0x1201), byteCount, extraBytes);
        const QByteArray before = snapshot();
        QCOMPARE(int(command.dispatchReply(reinterpret_cast<const quint8*>(f.constData()), f.size(),
                                           wire(page, reg), quint16(count), quint8(fn))),
                 expected);
        if (expected != ResultOk) {
            QVERIFY(snapshot() == before);
        } else if (fn == 3) {
            QCOMPARE(command.extendedChannels[1].format, quint16(0x1201));
            QCOMPARE(command.extendedChannels[1].sensorType, quint16(0x1202));
        } else {
            QCOMPARE(command.extendedDevice.batteryCharge, quint16(0x1201));
            QCOMPARE(command.extendedDevice.batteryVoltage, quint16(0x1202));
        }
    }

    // Where a reply's registers land: plain words, bytes, halves (assembled or half by half),
    // Command fields and the results of blocks that end after storing.
    void readStores_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("fn");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<QVector<quint16>>("values");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<qulonglong>("preset");
        QTest::addColumn<qulonglong>("expected");
        auto row = [](const char* name, int map, int model, int fn, int page, int reg,
                      const QVector<quint16>& values, int result, int area, int record, int offset,
                      int width, qulonglong preset, qulonglong expected) {
            QTest::newRow(name) << map << model << fn << page << reg << values << result << area
                                << record << offset << width << preset << expected;
        };
        const int C = ClassicMap, E = ExtendedMap, T6 = ModelT6, T6M = ModelT6M, T8 = ModelT8M;
        const int Ok = ResultOk;
        const qulonglong ones = 0xFFFFFFFFull;

        // Classic archive addresses are assembled: the low register sets the whole field.
        row("classic 529 sets the whole field", C, T6, 3, D, 529, {0x1234}, Ok, ClassicDevice, 0,
            CDV(archiveStartAddress), 4, ones, 0x00001234);
        row("classic 530 ORs the high half", C, T6, 3, D, 530, {0x0F00}, Ok, ClassicDevice, 0,
            CDV(archiveStartAddress), 4, 0x00F01234, 0x0FF01234);
        row("classic 531-532", C, T6, 3, D, 531, {0xBEEF, 0x0001, 0}, Ok, ClassicDevice, 0,
            CDV(archiveCurrentAddress), 4, ones, 0x0001BEEF);
        // Every other two-register field is stored half by half.
        row("classic clock low half", C, T6, 3, 2, 256, {0x1234}, Ok, ClassicDevice, 0,
            CDV(deviceClock), 4, ones, 0xFFFF1234);
        row("classic serial number low half", C, T6, 3, 1, 285, {0x1234}, Ok, ClassicDevice, 0,
            CDV(serialNumber), 4, ones, 0xFFFF1234);
        row("extended 529 half by half", E, T8, 3, D, 529, {0x1234}, Ok, ExtendedDevice, 0,
            EDV(archiveStartAddress), 4, ones, 0xFFFF1234);
        row("extended 530 half by half", E, T8, 3, D, 530, {0x0F00}, Ok, ExtendedDevice, 0,
            EDV(archiveStartAddress), 4, 0x00F01234, 0x0F001234);
        // Fixed-channel input halves are assembled too; the page-based ones are not.
        row("fixed 246 sets the whole date", C, T6, 4, D, 246, {0x1234}, Ok, ClassicChannel, 0,
            CCH(lastCalibrationDate), 4, ones, 0x00001234);
        row("fixed 249 ORs the high half", C, T6, 4, D, 249, {0x0F00}, Ok, ClassicChannel, 1,
            CCH(lastCalibrationDate), 4, 0x00F01234, 0x0FF01234);
        row("fixed 254 bump-test date", C, T6, 4, D, 254, {0x1234}, Ok, ClassicDevice, 0,
            CDV(lastBumpTestDate), 4, ones, 0x00001234);
        row("fixed 285 aux input channel 3", C, T6, 4, D, 285, {0x1234}, Ok, ClassicChannel, 3,
            CCH(auxInputValue), 4, ones, 0x00001234);
        row("T6M 36 half by half", C, T6M, 4, 2, 36, {0x1234}, Ok, ClassicChannel, 2,
            CCH(lastCalibrationDate), 4, ones, 0xFFFF1234);
        row("T6M 17-18 bump-test date", C, T6M, 4, D, 17, {0x5678, 0x1234}, Ok, ClassicDevice, 0,
            CDV(lastBumpTestDate), 4, 0, 0x12345678);
        row("T6M4 17 on a channel page", C, ModelT6M4, 4, 3, 17, {0x5678, 0x1234}, Ok,
            ClassicDevice, 0, CDV(lastBumpTestDate), 4, 0, 0x12345678);

        // Device fields reached through channel pages and the device page.
        row("classic bumpTestInterval via page 5", C, T6, 3, 5, 269, {0x0033}, Ok, ClassicDevice, 0,
            CDV(bumpTestInterval), 2, 0, 0x33);
        row("classic hardwareVersion via page 6", C, T6, 3, 6, 287, {0x0017}, Ok, ClassicDevice, 0,
            CDV(hardwareVersion), 2, 0, 0x17);
        row("classic productionDate via page 9", C, T6, 3, 9, 289, {0x5678, 0x1234}, Ok,
            ClassicDevice, 0, CDV(productionDate), 4, 0, 0x12345678);
        row("classic clock on device page", C, T6, 3, D, 256, {0x5678, 0x1234}, Ok, ClassicDevice,
            0, CDV(deviceClock), 4, 0, 0x12345678);
        row("classic deviceFlags via page 2", C, T6, 3, 2, 544, {0x0482, 0x0201, 0, 0}, Ok,
            ClassicDevice, 0, CDV(deviceFlags), 4, 0, 0x02010482);
        row("extended bumpTestInterval via page 2", E, T8, 3, 2, 284, {0x005A}, Ok, ExtendedDevice,
            0, EDV(bumpTestInterval), 2, 0, 0x5A);
        row("extended serialNumber via page 7", E, T8, 3, 7, 299, {0x614E, 0x00BC, 0x0021}, Ok,
            ExtendedDevice, 0, EDV(serialNumber), 4, 0, 12345678);
        row("extended hardwareVersion on device page", E, T8, 3, D, 299, {0x614E, 0x00BC, 0x21}, Ok,
            ExtendedDevice, 0, EDV(hardwareVersion), 2, 0, 0x21);
        row("extended utcOffset via page 0", E, T8, 3, 0, 254, {0xD5D0, 0xFFFF}, Ok, ExtendedDevice,
            0, EDV(utcOffset), 4, 0, 0xFFFFD5D0);
        row("extended deviceStatus via page 3", E, T8, 3, 3, 546, {0x0002, 0x8001}, Ok,
            ExtendedDevice, 0, EDV(deviceStatus), 4, 0, 0x80010002);

        // Words, bytes and Command fields.
        row("classic pgaIndex low byte", C, T6, 3, 1, 284, {0xAB12}, Ok, ClassicChannel, 1,
            CCH(pgaIndex), 1, 0, 0x12);
        row("classic 288 firmware version", C, T6, 3, 1, 288, {0x0123}, Ok, FirmwareVersionField, 0,
            0, 2, 0, 0x123);
        row("classic zero table last offset", C, T6, 3, 4, 371, {0xFF38}, Ok, ClassicExtras, 4, 38,
            2, 0, 0xFF38);
        row("classic zero table on page 9", C, T6, 3, 9, 352, ramp(20, 0x0900), Ok, ClassicExtras,
            9, 0, 2, 0, 0x0900);
        row("classic sensorType", C, T6, 3, 7, 514, {0x0A0B}, Ok, ClassicChannel, 7,
            CCH(sensorType), 2, 0, 0x0A0B);
        row("classic channelStatus", C, T6, 3, 8, 546, {0x0001, 0x0180}, Ok, ClassicChannel, 8,
            CCH(channelStatus), 2, 0, 0x0180);
        row("classic archive intervals", C, T6, 3, D, 528, {0x1E05}, Ok, ClassicDevice, 0,
            CDV(archiveIntervals), 2, 0, 0x1E05);
        row("extended lcdFormula and cellPosition", E, T8, 3, 0, 261, {0x0302}, Ok, ExtendedChannel,
            0, ECH(lcdFormula), 2, 0, 0x0302);
        row("extended LoRa periods", E, T8, 3, D, 786, {0x3C0A}, Ok, ExtendedDevice, 0,
            EDV(loraPeriod), 2, 0, 0x3C0A);
        row("extended language zero-extended", E, T8, 3, D, 1792, {0x0001}, Ok,
            ExtendedLanguageField, 0, 0, 4, 0xFFFF0000, 1);
        row("firmware end flag set", C, T6, 3, D, 3, {0x0100}, Ok, FirmwareEndFlagField, 0, 0, 1, 0,
            1);
        row("firmware end flag cleared", C, T6, 3, D, 3, {0x0000, 0x0007}, Ok, FirmwareEndFlagField,
            0, 0, 1, 1, 0);
        row("firmware end address set", C, T6, 3, D, 3, {0x0000, 0x8000}, Ok,
            FirmwareEndAddressField, 0, 0, 8, 0, 1);
        row("firmware end address cleared", E, T8, 3, D, 4, {0x0000}, Ok, FirmwareEndAddressField,
            0, 0, 8, 0x12345, 0);
        row("fixed model code", C, T6, 4, D, 16, {quint16(ModelT6)}, Ok, ModelCodeField, 0, 0, 2, 0,
            ModelT6);
        row("fixed firmware version", C, T6, 4, D, 2457, {0x0456}, Ok, FirmwareVersionField, 0, 0,
            2, 0, 0x456);
        row("T6M firmware version", C, T6M, 4, D, 2457, {0x0457}, Ok, FirmwareVersionField, 0, 0, 2,
            0, 0x457);
        row("extended firmware version 17", E, T8, 4, D, 17, {0x0789}, Ok, FirmwareVersionField, 0,
            0, 2, 0, 0x789);
        row("extended firmware version 2457", E, T8, 4, D, 2457, {0x0790}, Ok, FirmwareVersionField,
            0, 0, 2, 0, 0x790);
        row("fixed channelFlags channel 3", C, T6, 4, D, 54, {0x0108, 0x0080}, Ok, ClassicChannel,
            3, CCH(channelFlags), 2, 0, 0x0108);
        row("fixed calibration concentration ignores page", C, T6, 4, 7, 32, {0x0064}, Ok,
            ClassicChannel, 0, CCH(calibrationConcentration), 2, 0, 100);
        row("fixed battery", C, T6, 4, D, 257, {0x0055, 0x0F3C}, Ok, ClassicDevice, 0,
            CDV(batteryCharge), 4, 0, 0x0F3C0055);
        row("T6M channelFlags page 2", C, T6M, 4, 2, 34, {0x0108}, Ok, ClassicChannel, 2,
            CCH(channelFlags), 2, 0, 0x0108);
        row("T6M battery", C, T6M, 4, D, 20, {0x0055, 0x0F3C}, Ok, ClassicDevice, 0,
            CDV(batteryCharge), 4, 0, 0x0F3C0055);
        row("extended battery", E, T8, 4, D, 22, {0x0055, 0x0F3C}, Ok, ExtendedDevice, 0,
            EDV(batteryCharge), 4, 0, 0x0F3C0055);
        row("extended sensorStatus input", E, T8, 4, 3, 554, {0x0042}, Ok, ExtendedChannel, 3,
            ECH(sensorStatus), 2, 0, 0x42);
        row("extended input channelFlags", E, T8, 4, 3, 550, {0x0008, 0x0001}, Ok, ExtendedChannel,
            3, ECH(channelFlags), 4, 0, 0x00010008);
        row("extended BLE MAC low byte first", E, T8, 4, D, 96, {0x2211, 0x4433, 0x6655}, Ok,
            BleMacField, 0, 0, 6, 0, 0x665544332211ull);
        row("extended LoRa id low byte first", E, T8, 4, D, 112, {0x2211, 0x4433, 0x6655, 0x8877},
            Ok, LoraIdField, 0, 0, 8, 0, 0x8877665544332211ull);
        row("extended zero calibration temperature", E, T8, 4, 6, 55, {0xFF38}, Ok, ExtendedChannel,
            6, ECH(zeroCalibrationTemperature), 2, 0, 0xFF38);

        // Blocks that end after storing what came before the end.
        row("classic 3@256 x83 keeps adcSpanPoint", C, T6, 3, 2, 256, ramp(83, 0x1000),
            ResultBlockOverrun, ClassicChannel, 2, CCH(adcSpanPoint), 2, 0, 0x1051);
        row("classic 3@256 x83 keeps firmware version", C, T6, 3, 2, 256, ramp(83, 0x1000),
            ResultBlockOverrun, FirmwareVersionField, 0, 0, 2, 0, 0x1020);
        row("extended 3@548 x6 keeps channelFlags", E, T8, 3, 3, 548, ramp(6, 0x0001),
            ResultMismatch, ExtendedChannel, 3, ECH(channelFlags), 4, 0, 0x00020001);
        row("extended 3@548 x6 keeps sensorStatus", E, T8, 3, 3, 548, ramp(6, 0x0001),
            ResultMismatch, ExtendedChannel, 3, ECH(sensorStatus), 2, 0, 0x0005);
        row("extended 3@254 x60 keeps warmUpTime", E, T8, 3, 4, 254, ramp(60, 0x2000),
            ResultBlockOverrun, ExtendedChannel, 4, ECH(warmUpTime), 2, 0, 0x203A);
        row("extended 3@1792 x2 keeps the language", E, T8, 3, D, 1792, {0x0001, 0x0002},
            ResultMismatch, ExtendedLanguageField, 0, 0, 4, 0, 1);
        row("fixed 4@16 x2 keeps the model code", C, T6, 4, D, 16, {quint16(ModelT6), 0x0001}, 3,
            ModelCodeField, 0, 0, 2, 0, ModelT6);
        row("fixed 4@32 x9 keeps channel 3", C, T6, 4, D, 32, ramp(9, 0x0300), 3, ClassicChannel, 3,
            CCH(calibrationConcentration), 2, 0, 0x0306);
        row("extended 4@32 x7", E, T8, 4, 5, 32, ramp(7, 0x0100), Ok, ExtendedChannel, 5,
            ECH(calibrationCoefficient), 4, 0, 0x01050104);
    }
    void readStores()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, fn);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(QVector<quint16>, values);
        QFETCH(int, result);
        QFETCH(int, area);
        QFETCH(int, record);
        QFETCH(int, offset);
        QFETCH(int, width);
        QFETCH(qulonglong, preset);
        QFETCH(qulonglong, expected);
        useMap(map, model);
        writeField(area, record, offset, width, preset);
        QCOMPARE(int(parse(fn, page, reg, values)), result);
        QCOMPARE(readField(area, record, offset, width), expected);
    }

    // The extended input block 32-59 skips the five words 38-42 and stores everything else.
    void extendedInputMeasurementBlock()
    {
        useMap(ExtendedMap, ModelT8M);
        QVector<quint16> v = ramp(28, 0x3000); // registers 32-59
        for (int r = 38; r <= 42; ++r)
            v[r - 32] = 0xFFFF;
        v[45 - 32] = 0x0000; // 25.0 in halves, low half first
        v[46 - 32] = 0x41C8;
        QCOMPARE(int(parse(4, 6, 32, v)), int(ResultOk));
        const ExtendedChannelRecord& r = command.extendedChannels[6];
        QCOMPARE(bitsOf(r.calibrationConcentration), 0x30013000u);
        QCOMPARE(r.lastCalibrationDate, 0x30033002u);
        QCOMPARE(bitsOf(r.calibrationCoefficient), 0x30053004u);
        QCOMPARE(r.adcCurrent, quint16(0x300B));
        QCOMPARE(r.adcZeroPoint, quint16(0x300C));
        QCOMPARE(r.measuredValue, 25.0f);
        QCOMPARE(bitsOf(r.auxMeasuredValue1), 0x3010300Fu);
        QCOMPARE(bitsOf(r.auxMeasuredValue2), 0x30123011u);
        QCOMPARE(r.auxInputValue, 0x30143013u);
        QCOMPARE(bitsOf(r.rawConcentration), 0x30163015u);
        QCOMPARE(r.zeroCalibrationTemperature, qint16(0x3017));
        QCOMPARE(bitsOf(r.sensorTemperature), 0x30193018u);
        QCOMPARE(bitsOf(r.sensorHumidity), 0x301B301Au);
        // The reserved words went nowhere: the rest of the record is as it was.
        ExtendedChannelRecord expected = {};
        expected.calibrationConcentration = r.calibrationConcentration;
        expected.lastCalibrationDate = r.lastCalibrationDate;
        expected.calibrationCoefficient = r.calibrationCoefficient;
        expected.adcCurrent = r.adcCurrent;
        expected.adcZeroPoint = r.adcZeroPoint;
        expected.measuredValue = r.measuredValue;
        expected.auxMeasuredValue1 = r.auxMeasuredValue1;
        expected.auxMeasuredValue2 = r.auxMeasuredValue2;
        expected.auxInputValue = r.auxInputValue;
        expected.rawConcentration = r.rawConcentration;
        expected.zeroCalibrationTemperature = r.zeroCalibrationTemperature;
        expected.sensorTemperature = r.sensorTemperature;
        expected.sensorHumidity = r.sensorHumidity;
        QVERIFY(memcmp(&expected, &r, sizeof r) == 0);
    }

    // Two-register fields travel low half first; an f32 as the halves of its bit pattern.
    void halves_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("offset");
        QTest::addColumn<quint32>("bits");
        QTest::addColumn<QVector<quint16>>("wireValues");
        QTest::addColumn<bool>("readable");
        auto row = [](const char* name, int map, int page, int reg, int area, int offset,
                      quint32 bits, const QVector<quint16>& wireValues, bool readable) {
            QTest::newRow(name) << map << page << reg << area << offset << bits << wireValues
                                << readable;
        };
        const int C = ClassicMap, E = ExtendedMap;
        row("extended limit1 12.5", E, 3, 264, ExtendedChannel, ECH(limit1), bitsOf(12.5f),
            {0, 16712}, true);
        row("extended limit4 -1", E, 3, 270, ExtendedChannel, ECH(limit4), bitsOf(-1.0f),
            {0, 0xBF80}, true);
        row("extended calibrationGas 100", E, 0, 262, ExtendedChannel, ECH(calibrationGas),
            bitsOf(100.0f), {0, 0x42C8}, true);
        row("extended lelCoefficient", E, 9, 279, ExtendedChannel, ECH(lelCoefficient), 0x3F9DF3B6,
            {0xF3B6, 0x3F9D}, true);
        row("extended molecularWeight", E, 9, 281, ExtendedChannel, ECH(molecularWeight),
            0x41805124, {0x5124, 0x4180}, true);
        row("extended hysteresis", E, 1, 277, ExtendedChannel, ECH(hysteresis), 0x3F000001,
            {0x0001, 0x3F00}, true);
        row("extended sensorProtection", E, 1, 304, ExtendedChannel, ECH(sensorProtection),
            0x44FA0002, {0x0002, 0x44FA}, true);
        row("extended channelFlags", E, 2, 548, ExtendedChannel, ECH(channelFlags), 0x00012408,
            {0x2408, 0x0001}, true);
        row("extended utcOffset -3 h", E, 3, 254, ExtendedDevice, EDV(utcOffset), 0xFFFFD5D0,
            {0xD5D0, 0xFFFF}, true);
        row("extended serialNumber", E, 7, 299, ExtendedDevice, EDV(serialNumber), 12345678,
            {0x614E, 0x00BC}, true);
        row("extended gnssConfig", E, D, 784, ExtendedDevice, EDV(gnssConfig), 0x80000011,
            {0x0011, 0x8000}, true);
        row("extended archiveCurrentAddress", E, D, 531, ExtendedDevice, EDV(archiveCurrentAddress),
            0x00030004, {0x0004, 0x0003}, true);
        row("classic clock", C, 2, 256, ClassicDevice, CDV(deviceClock), 0x5F5E0FF1,
            {0x0FF1, 0x5F5E}, true);
        row("classic utcOffset +1 h", C, 2, 254, ClassicDevice, CDV(utcOffset), 3600,
            {0x0E10, 0x0000}, false);
        row("classic productionDate", C, 0, 289, ClassicDevice, CDV(productionDate), 0x60000001,
            {0x0001, 0x6000}, true);
        row("classic archiveStartAddress", C, D, 529, ClassicDevice, CDV(archiveStartAddress),
            0x00020001, {0x0001, 0x0002}, true);
    }
    void halves()
    {
        QFETCH(int, map);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, area);
        QFETCH(int, offset);
        QFETCH(quint32, bits);
        QFETCH(QVector<quint16>, wireValues);
        QFETCH(bool, readable);
        useMap(map, map == ClassicMap ? ModelT6 : ModelT8M);
        const int record = page < 10 ? page : 0;
        writeField(area, record, offset, 4, bits);
        const Built b = build(page, reg, 2);
        QVERIFY2(b.values == wireValues, qPrintable(hexList(b.values)));
        writeField(area, record, offset, 4, 0);
        QCOMPARE(int(parse(3, page, reg, wireValues)), int(readable ? ResultOk : ResultMismatch));
        QCOMPARE(quint32(readField(area, record, offset, 4)), readable ? bits : 0u);
    }

    // Text: two characters a register, the earlier one in the low byte; full fields carry no
    // terminator and the bytes around them stay untouched.
    void textPacking_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("classic gasFormula CH4")
            << int(ClassicMap) << 2 << 273 << CCH(gasFormula) << 10 << QByteArray("CH4");
        QTest::newRow("classic gasFormula full")
            << int(ClassicMap) << 0 << 273 << CCH(gasFormula) << 10 << QByteArray("C2H5OH-ABC");
        QTest::newRow("extended gasFormula H2S")
            << int(ExtendedMap) << 5 << 288 << ECH(gasFormula) << 10 << QByteArray("H2S");
        QTest::newRow("extended gasFormula full")
            << int(ExtendedMap) << 9 << 288 << ECH(gasFormula) << 10 << QByteArray("ABCDEFGHIJ");
        QTest::newRow("extended sensorSerial full")
            << int(ExtendedMap) << 1 << 400 << ECH(sensorSerial) << 14
            << QByteArray("SN-2024-000017");
        QTest::newRow("extended sensorSerial short")
            << int(ExtendedMap) << 1 << 400 << ECH(sensorSerial) << 14 << QByteArray("A1B");
    }
    void textPacking()
    {
        QFETCH(int, map);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, offset);
        QFETCH(int, size);
        QFETCH(QByteArray, text);
        useMap(map, map == ClassicMap ? ModelT6 : ModelT8M);
        const int area = map == ClassicMap ? ClassicChannel : ExtendedChannel;
        QByteArray padded = text;
        padded.append(QByteArray(size - text.size(), '\0'));
        QVector<quint16> wireValues;
        for (int i = 0; i < size; i += 2)
            wireValues.append(quint16(quint8(padded[i]) | (quint8(padded[i + 1]) << 8)));
        quint8* field = fieldAt(area, page, offset);

        memcpy(field, padded.constData(), size_t(size));
        const Built b = build(page, reg, size / 2);
        QVERIFY2(b.values == wireValues, qPrintable(hexList(b.values)));

        memset(field - 1, 0x5A, size_t(size) + 2);
        QCOMPARE(int(parse(3, page, reg, wireValues)), int(ResultOk));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(field), size), padded);
        QCOMPARE(int(field[-1]), 0x5A);
        QCOMPARE(int(field[size]), 0x5A);
    }

    // Classic register 283: one byte each for load and gain resistor on ModelT6M/T6M4 and on
    // channel page 3 of the other models; nibbles of load and filter resistor elsewhere.
    void register283_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("rload");
        QTest::addColumn<int>("rgain");
        QTest::addColumn<int>("rf");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("readRload");
        QTest::addColumn<int>("readRgain");
        QTest::addColumn<int>("readRf"); // -1: not carried, stays as it was
        QTest::newRow("T6 channel 3")
            << int(ModelT6) << 3 << 0x05 << 0xC7 << 0x0B << 0x05C7 << 0x05 << 0xC7 << -1;
        QTest::newRow("T6 channel 2")
            << int(ModelT6) << 2 << 0x1A << 0x12 << 0x1F << 0x12AF << 0x0A << 0x12 << 0x0F;
        QTest::newRow("T6 channel 0")
            << int(ModelT6) << 0 << 0x03 << 0x80 << 0x09 << 0x8039 << 0x03 << 0x80 << 0x09;
        QTest::newRow("T6M channel 2")
            << int(ModelT6M) << 2 << 0x85 << 0x3C << 0x0B << 0x853C << 0x85 << 0x3C << -1;
        QTest::newRow("T6M4 channel 0")
            << int(ModelT6M4) << 0 << 0x01 << 0x02 << 0x03 << 0x0102 << 0x01 << 0x02 << -1;
        QTest::newRow("T2 channel 3")
            << int(ModelT2) << 3 << 0x07 << 0x40 << 0x01 << 0x0740 << 0x07 << 0x40 << -1;
        QTest::newRow("T8M channel 1")
            << int(ModelT8M) << 1 << 0x02 << 0x10 << 0x04 << 0x1024 << 0x02 << 0x10 << 0x04;
    }
    void register283()
    {
        QFETCH(int, model);
        QFETCH(int, page);
        QFETCH(int, rload);
        QFETCH(int, rgain);
        QFETCH(int, rf);
        QFETCH(int, raw);
        QFETCH(int, readRload);
        QFETCH(int, readRgain);
        QFETCH(int, readRf);
        useMap(ClassicMap, model);
        ClassicChannelRecord& r = command.classicChannels[page];
        r.rloadIndex = quint8(rload);
        r.rgainIndex = quint8(rgain);
        r.rfIndex = quint8(rf);
        const Built b = build(page, 283, 1);
        QVERIFY2(b.values == QVector<quint16>{quint16(raw)}, qPrintable(hexList(b.values)));

        r.rloadIndex = 0;
        r.rgainIndex = 0;
        r.rfIndex = 0x77;
        QCOMPARE(int(parse(3, page, 283, {quint16(raw)})), int(ResultOk));
        QCOMPARE(int(r.rloadIndex), readRload);
        QCOMPARE(int(r.rgainIndex), readRgain);
        QCOMPARE(int(r.rfIndex), readRf < 0 ? 0x77 : readRf);
    }

    // Scaled writes truncate the decimal value the float stands for.
    void scaledWrites_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("offset");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("raw");
        auto row = [](const char* name, int map, int page, int reg, int area, int offset,
                      float value, int raw) {
            QTest::newRow(name) << map << page << reg << area << offset << value << raw;
        };
        const int C = ClassicMap, E = ExtendedMap;
        row("molecularWeight 655.35", C, 1, 282, ClassicChannel, CCH(molecularWeight), 655.35f,
            65535);
        row("molecularWeight 12.345", C, 1, 282, ClassicChannel, CCH(molecularWeight), 12.345f,
            1234);
        row("molecularWeight 44.01", C, 2, 282, ClassicChannel, CCH(molecularWeight), 44.01f, 4401);
        row("molecularWeight 700 loses high bits", C, 2, 282, ClassicChannel, CCH(molecularWeight),
            700.0f, 70000 & 0xFFFF);
        row("lelCoefficient 20.30", C, 3, 281, ClassicChannel, CCH(lelCoefficient), 20.30f, 2030);
        row("lelCoefficient 44.01", C, 3, 281, ClassicChannel, CCH(lelCoefficient), 44.01f, 4401);
        row("classic tempTable coefficient 0.9876", C, 0, 306, ClassicChannel,
            CCH(tempTableCoefficient), 0.9876f, 987);
        row("classic tempTable coefficient row 9 1.005", C, 0, 315, ClassicChannel,
            CCH(tempTableCoefficient) + 36, 1.005f, 1005);
        row("extended tempTable coefficient 0.9876", E, 4, 346, ExtendedChannel,
            ECH(tempTableCoefficient), 0.9876f, 987);
        row("extended tempTable coefficient row 5 1.005", E, 4, 351, ExtendedChannel,
            ECH(tempTableCoefficient) + 20, 1.005f, 1005);
        row("extended spanTable coefficient 1.005", E, 8, 366, ExtendedChannel,
            ECH(spanTableCoefficient), 1.005f, 1005);
        row("extended spanTable coefficient row 9 20.30", E, 8, 375, ExtendedChannel,
            ECH(spanTableCoefficient) + 36, 20.30f, 20300);
        row("tempSensorCalibration 20.30", C, D, 598, TempSensorCalibrationField, 0, 20.30f, 2030);
        row("tempSensorCalibration -1.239", C, D, 598, TempSensorCalibrationField, 0, -1.239f,
            quint16(-123));
        row("extended tempSensorCalibration 44.01", E, D, 598, TempSensorCalibrationField, 0,
            44.01f, 4401);
    }
    void scaledWrites()
    {
        QFETCH(int, map);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, area);
        QFETCH(int, offset);
        QFETCH(float, value);
        QFETCH(int, raw);
        useMap(map, map == ClassicMap ? ModelT6 : ModelT8M);
        writeFloat(area, page < 10 ? page : 0, offset, value);
        const Built b = build(page, reg, 1);
        QVERIFY2(b.values == QVector<quint16>{quint16(raw)}, qPrintable(hexList(b.values)));
    }

    // Scaled reads and the measured values divided by the channel's divisor.
    void scaledReads_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("fn");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<float>("expected");
        auto row = [](const char* name, int map, int model, int fn, int page, int reg, int raw,
                      int area, int record, int offset, int divisor, float expected) {
            QTest::newRow(name) << map << model << fn << page << reg << raw << area << record
                                << offset << divisor << expected;
        };
        const int C = ClassicMap, E = ExtendedMap, T6 = ModelT6, T6M = ModelT6M, T8 = ModelT8M;
        row("lelCoefficient 4401", C, T6, 3, 1, 281, 4401, ClassicChannel, 1, CCH(lelCoefficient),
            0, 44.01f);
        row("molecularWeight 65535", C, T6, 3, 1, 282, 65535, ClassicChannel, 1,
            CCH(molecularWeight), 0, 655.35f);
        row("molecularWeight 1234", C, T6, 3, 1, 282, 1234, ClassicChannel, 1, CCH(molecularWeight),
            0, 12.34f);
        row("classic tempTable coefficient 987", C, T6, 3, 5, 306, 987, ClassicChannel, 5,
            CCH(tempTableCoefficient), 0, 0.987f);
        row("extended tempTable coefficient 987", E, T8, 3, 5, 346, 987, ExtendedChannel, 5,
            ECH(tempTableCoefficient), 0, 0.987f);
        row("extended spanTable coefficient row 9", E, T8, 3, 5, 375, 1005, ExtendedChannel, 5,
            ECH(spanTableCoefficient) + 36, 0, 1.005f);
        row("fixed calibrationCoefficient channel 0", C, T6, 4, D, 33, 1234, ClassicChannel, 0,
            CCH(calibrationCoefficient), 0, 1.234f);
        row("fixed calibrationCoefficient channel 3", C, T6, 4, D, 39, 65535, ClassicChannel, 3,
            CCH(calibrationCoefficient), 0, 65.535f);
        row("T6M calibrationCoefficient", C, T6M, 4, 2, 33, 500, ClassicChannel, 2,
            CCH(calibrationCoefficient), 0, 0.5f);
        row("fixed deviceTemperature -1", C, T6, 4, D, 256, 0xFF9C, ClassicDevice, 0,
            CDV(deviceTemperature), 0, -1.0f);
        row("fixed deviceTemperature 23.45", C, T6, 4, D, 256, 2345, ClassicDevice, 0,
            CDV(deviceTemperature), 0, 23.45f);
        row("T6M deviceTemperature -1", C, T6M, 4, D, 19, 0xFF9C, ClassicDevice, 0,
            CDV(deviceTemperature), 0, -1.0f);
        row("T6M4 deviceTemperature -20.5", C, ModelT6M4, 4, D, 19, 0xF7FE, ClassicDevice, 0,
            CDV(deviceTemperature), 0, -20.5f);
        row("fixed measuredValue divisor 100", C, T6, 4, 5, 261, 2575, ClassicChannel, 0,
            CCH(measuredValue), 100, 25.75f);
        row("fixed measuredValue divisor 0", C, T6, 4, D, 261, 2575, ClassicChannel, 0,
            CCH(measuredValue), 0, 2575.0f);
        row("fixed auxMeasuredValue1 channel 1", C, T6, 4, D, 269, 123, ClassicChannel, 1,
            CCH(auxMeasuredValue1), 10, 12.3f);
        row("fixed auxMeasuredValue2 channel 3", C, T6, 4, D, 284, 65535, ClassicChannel, 3,
            CCH(auxMeasuredValue2), 1000, 65.535f);
        row("fixed measuredValue channel 2", C, T6, 4, D, 275, 7, ClassicChannel, 2,
            CCH(measuredValue), 1, 7.0f);
        row("T6M measuredValue divisor 100", C, T6M, 4, 2, 40, 2575, ClassicChannel, 2,
            CCH(measuredValue), 100, 25.75f);
        row("T6M auxMeasuredValue2 divisor 0", C, T6M, 4, 2, 42, 7, ClassicChannel, 2,
            CCH(auxMeasuredValue2), 0, 7.0f);
        row("T6M4 auxMeasuredValue1 divisor 10", C, ModelT6M4, 4, 9, 41, 5, ClassicChannel, 9,
            CCH(auxMeasuredValue1), 10, 0.5f);
    }
    void scaledReads()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, fn);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, raw);
        QFETCH(int, area);
        QFETCH(int, record);
        QFETCH(int, offset);
        QFETCH(int, divisor);
        QFETCH(float, expected);
        useMap(map, model);
        if (area == ClassicChannel)
            command.classicChannels[record].displayDivisor[1] = quint16(divisor);
        QCOMPARE(int(parse(fn, page, reg, {quint16(raw)})), int(ResultOk));
        const float got = readFloat(area, record, offset);
        QVERIFY(qIsFinite(got));
        QCOMPARE(got, expected);
    }

    // Both divisors follow the format word after every function-3 reply of a channel page that
    // was consumed to the end; nothing else recomputes them.
    void divisorRefresh_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("fn");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("div0");
        QTest::addColumn<int>("div1");
        auto row = [](const char* name, int map, int fn, int page, int reg, int count, int format,
                      int result, int div0, int div1) {
            QTest::newRow(name) << map << fn << page << reg << count << format << result << div0
                                << div1;
        };
        const int C = ClassicMap, E = ExtendedMap, Ok = ResultOk;
        row("classic whole channel block", C, 3, 2, 256, 82, 0x00E0, Ok, 100, 1000);
        row("classic run past the block", C, 3, 2, 256, 83, 0x00E0, ResultBlockOverrun, 0, 0);
        row("classic format alone", C, 3, 1, 259, 1, 0x0050, Ok, 10, 10);
        row("classic read without format", C, 3, 4, 514, 1, 0x0020, Ok, 100, 1);
        row("classic zero table read", C, 3, 8, 352, 20, 0x00C0, Ok, 1, 1000);
        row("classic high byte ignored", C, 3, 0, 259, 1, 0xFF10, Ok, 10, 1);
        row("classic format 0", C, 3, 5, 259, 1, 0x0000, Ok, 1, 1);
        row("classic device page", C, 3, D, 512, 1, 0x00F0, Ok, 0, 0);
        row("extended format alone", E, 3, 6, 259, 1, 0x00B0, Ok, 1000, 100);
        row("extended whole block", E, 3, 9, 254, 59, 0x0070, Ok, 1000, 10);
        row("extended 548 past the block", E, 3, 3, 548, 6, 0x0010, ResultMismatch, 0, 0);
        row("extended device page", E, 3, D, 512, 8, 0x00F0, Ok, 0, 0);
        row("fixed input", C, 4, D, 32, 8, 0x00E0, Ok, 0, 0);
        row("extended input", E, 4, 4, 32, 6, 0x00E0, Ok, 0, 0);
    }
    void divisorRefresh()
    {
        QFETCH(int, map);
        QFETCH(int, fn);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(int, format);
        QFETCH(int, result);
        QFETCH(int, div0);
        QFETCH(int, div1);
        useMap(map, map == ClassicMap ? ModelT6 : ModelT8M);
        for (int i = 0; i < ChannelSlots; ++i) {
            command.classicChannels[i].format = quint16(format);
            command.extendedChannels[i].format = quint16(format);
        }
        QVector<quint16> values(count, 0);
        if (fn == 3 && reg <= 259 && 259 < reg + count)
            values[259 - reg] = quint16(format);
        if (fn == 4 && reg <= RegModelCode && RegModelCode < reg + count)
            values[RegModelCode - reg] = command.modelCode;
        QCOMPARE(int(parse(fn, page, reg, values)), result);
        for (int i = 0; i < ChannelSlots; ++i) {
            const quint16* d = map == ClassicMap ? command.classicChannels[i].displayDivisor
                                                 : command.extendedChannels[i].displayDivisor;
            const bool mine = i == page;
            QCOMPARE(int(d[0]), mine ? div0 : 0);
            QCOMPARE(int(d[1]), mine ? div1 : 0);
        }
    }

    // A divisor set by a complete holding read is the one the measured values are divided by.
    void measuredValueUsesRefreshedDivisor()
    {
        useMap(ClassicMap, ModelT6);
        QCOMPARE(int(parse(3, 1, 259, {0x0080})), int(ResultOk)); // raw decimals 2
        QCOMPARE(command.classicChannels[1].displayDivisor[1], quint16(100));
        QCOMPARE(int(parse(4, D, 261 + 7, {2575})), int(ResultOk));
        QCOMPARE(command.classicChannels[1].measuredValue, 25.75f);
        QCOMPARE(command.classicChannels[1].displayDivisor[1], quint16(100));
    }

    // Command registers and the registers whose written value does not come from their field.
    void commandRegisters_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<quint32>("channelFlags");
        QTest::addColumn<quint32>("deviceFlags");
        QTest::addColumn<QVector<quint16>>("expected");
        auto row = [](const char* name, int map, int page, int reg, quint32 channelFlags,
                      quint32 deviceFlags, const QVector<quint16>& expected) {
            QTest::newRow(name) << map << page << reg << channelFlags << deviceFlags << expected;
        };
        const int C = ClassicMap, E = ExtendedMap;
        row("classic auto-zero set", C, 2, 560, 0x0008, 0, {1});
        row("classic auto-zero clear", C, 2, 560, 0xFFF7, 0xFFFF, {0});
        row("classic sound lock", C, D, 561, 0, 0x0002, {1, 0, 0});
        row("classic calibration menu lock", C, D, 561, 0, 0x0008, {0, 1, 0});
        row("classic power-off lock", C, D, 561, 0, 0x0004, {0, 0, 1});
        row("classic 560-563", C, 2, 560, 0x0008, 0xFFF1, {1, 0, 0, 0});
        row("extended 560-563", E, 3, 560, 0x00000008, 0x0000000E, {1, 1, 1, 1});
        row("extended auto-zero clear", E, 3, 560, 0xFFFFFFF7, 0xFFFFFFF1, {0, 0, 0, 0});
        row("classic firmware registers from 1", C, D, 1, 0, 0, {1, 1, 0x005A, 0x6789, 1});
        row("classic firmware registers from 2", C, D, 2, 0, 0, {0, 0x005A, 0x6789});
        row("extended firmware registers from 1", E, D, 1, 0, 0, {1, 1, 0x005A, 0x6789, 1});
        row("classic update commands", C, D, 16, 0, 0, {0, 0, 0});
        row("extended update commands", E, D, 16, 0, 0, {0, 0, 0});
        row("classic commit", C, D, RegCommit, 0, 0, {0});
        row("classic save factory", C, D, RegSaveFactory, 0, 0, {0});
        row("classic restore factory", C, D, RegRestoreFactory, 0, 0, {0});
        row("classic end session", C, D, RegEndSession, 0, 0, {0});
        row("extended commit", E, D, RegCommit, 0, 0, {0});
        row("extended end session", E, D, RegEndSession, 0, 0, {0});
        row("classic BLE bootloader", C, D, RegBleBootloader, 0, 0, {0});
        row("extended power off", E, D, RegPowerOff, 0, 0, {0});
        row("classic power off", C, D, RegPowerOff, 0, 0, {0});
        row("classic language", C, D, RegDeviceLanguage, 0, 0, {0x0001});
        row("extended language", E, D, RegDeviceLanguage, 0, 0, {0x0002});
        row("classic 288 sends 0", C, 1, 288, 0, 0, {0});
        row("classic pgaIndex", C, 1, 284, 0, 0, {0x00AB});
    }
    void commandRegisters()
    {
        QFETCH(int, map);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(quint32, channelFlags);
        QFETCH(quint32, deviceFlags);
        QFETCH(QVector<quint16>, expected);
        useMap(map, map == ClassicMap ? ModelT6 : ModelT8M);
        command.firmwareEndFlag = 0x5A;
        command.firmwareEndAddress = 0x000123456789ull;
        command.classicLanguage = 0x00070001;
        command.extendedLanguage = 0x00090002;
        command.firmwareVersion = 0x0123;
        for (auto& r : command.classicChannels)
            r.pgaIndex = 0xAB;
        if (map == ClassicMap) {
            if (page < 10)
                command.classicChannels[page].channelFlags = quint16(channelFlags);
            command.classicDevice.deviceFlags = quint16(deviceFlags);
        } else {
            if (page < 10)
                command.extendedChannels[page].channelFlags = channelFlags;
            command.extendedDevice.deviceFlags = deviceFlags;
        }
        const Built b = build(page, reg, expected.size());
        QVERIFY2(b.values == expected,
                 qPrintable(QStringLiteral("result %1: %2").arg(b.result).arg(hexList(b.values))));
    }

    // The request head: slave address, 16, address and count big-endian, byte count.
    void writeRequestHead_data()
    {
        QTest::addColumn<int>("modbusAddress");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("commit") << 255 << D << 576 << 1
                                << QByteArray::fromHex("ff10a240000102"
                                                       "0000");
        QTest::newRow("other slave address") << 0x0107 << D << 576 << 1
                                             << QByteArray::fromHex("0710a240000102"
                                                                    "0000");
        QTest::newRow("channel 2 clock") << 255 << 2 << 256 << 2
                                         << QByteArray::fromHex("ff1021000002"
                                                                "04");
        QTest::newRow("channel 9 tables")
            << 255 << 9 << 352 << 20 << QByteArray::fromHex("ff109160001428");
    }
    void writeRequestHead()
    {
        QFETCH(int, modbusAddress);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(QByteArray, head);
        useMap(ClassicMap, ModelT6);
        command.modbusAddress = quint16(modbusAddress);
        const Built b = build(page, reg, count);
        QCOMPARE(b.result, 7 + 2 * count);
        QCOMPARE(b.frame.left(head.size()), head);
    }

    // Clock writes start at the UTC offset; both values go low half first.
    void clockWrite_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("page");
        QTest::newRow("classic channel page") << int(ClassicMap) << 2;
        QTest::newRow("classic device page") << int(ClassicMap) << D;
        QTest::newRow("extended channel page") << int(ExtendedMap) << 7;
        QTest::newRow("extended device page") << int(ExtendedMap) << D;
    }
    void clockWrite()
    {
        QFETCH(int, map);
        QFETCH(int, page);
        useMap(map, map == ClassicMap ? ModelT6 : ModelT8M);
        if (map == ClassicMap) {
            command.classicDevice.utcOffset = -10800;
            command.classicDevice.deviceClock = 0x12345678;
        } else {
            command.extendedDevice.utcOffset = -10800;
            command.extendedDevice.deviceClock = 0x12345678;
        }
        const Built b = build(page, 254, 4);
        const QVector<quint16> expected{0xD5D0, 0xFFFF, 0x5678, 0x1234};
        QVERIFY2(b.values == expected, qPrintable(hexList(b.values)));
    }

    // Running past the correction tables marks the request as refused in the frame itself.
    void correctionTablesOverrun()
    {
        useMap(ExtendedMap, ModelT8M);
        const Built b = build(4, 336, 61);
        QCOMPARE(b.result, 3);
        QCOMPARE(int(quint8(b.frame[1])), 0x90);
        QCOMPARE(int(quint8(b.frame[2])), 3);
    }
};

QTEST_GUILESS_MAIN(TestRegisterMap)
#include "test_registermap.moc"
