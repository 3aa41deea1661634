#pragma once

// One record of the detector's log, as function 12 delivers it and as the local
// log files keep it (one record per line of hexadecimal text). The byte layout
// is the device's and the files' format: every offset is checked at compile
// time. Multi-byte fields are little-endian, unlike the Modbus registers.

#include "command.h"

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

constexpr int LogHeaderSize = 24;
constexpr int LogChannelBlockSize = 24;
constexpr int LogMaxChannels = 10;

// What the archive page hands to the export: which rows it writes.
enum ExportMode : int {
    ExportAll = 0,
    ExportErrorsOnly = 1,
    ExportService = 2,
    ExportServiceErrorsOnly = 3,
};

// One channel's 24 bytes. A measurement record and a settings-change event
// read them differently; the bytes marked gap are carried but never read.
struct LogMeasurementBlock {
    quint16 channelState;  // 0: bit 6 channel switched off
    quint16 channelStatus; // 2: bits 0-5 alarms, 6 sensor fault, 7-9 warnings
    quint16 zeroAdc;       // 4
    quint16 spanAdc;       // 6
    quint8 gap8[4];        // 8
    quint16 rawValue;      // 12: counts
    quint16 rawTwaValue;   // 14: counts
    quint16 format;        // 16: bits 0-1 unit, 6-7 decimals of the counts, 9 no TWA,
                           //     11 sensorStatus valid
    quint16 sensorStatus;  // 18
    quint8 gap20[4];       // 20
};

struct LogSettingsBlock {
    quint8 gap0[2];              // 0
    quint16 limit1;              // 2: counts; bit 15 a flag in the classic map
    quint16 limit2;              // 4
    quint16 limit3;              // 6
    quint16 limit4;              // 8: the range, all 16 bits
    quint16 stel;                // 10
    quint16 twa;                 // 12
    quint16 stelInterval;        // 14
    quint16 calibrationInterval; // 16
    quint16 format;              // 18: bits 6-7 scale the counts of this block
    quint32 lastCalibrationDate; // 20: device ticks
};

union LogChannelBlock {
    LogMeasurementBlock measurement;
    LogSettingsBlock settings;
    quint8 bytes[LogChannelBlockSize];
};

struct LogRecord {
    quint16 recordType;                       // 0: 4 measurement, else an event code
    quint8 gap2[2];                           // 2
    quint32 recordNumber;                     // 4: running number in the device archive
    quint32 recordTime;                       // 8: device ticks
    quint8 recordFlags;                       // 12: bit 7 bump-test flag (measurements)
    quint8 gap13[1];                          // 13
    quint16 deviceStatus;                     // 14: bits 0-9 the FA and WA codes
    quint16 batteryCharge;                    // 16: bump-test interval in a settings change
    qint16 temperature;                       // 18: hundredths of a degree (measurements)
    quint32 lastBumpTestDate;                 // 20: device ticks, settings change; 0 none
    LogChannelBlock channels[LogMaxChannels]; // 24 + 24 k
};

static_assert(sizeof(LogMeasurementBlock) == LogChannelBlockSize, "channel block size");
static_assert(sizeof(LogSettingsBlock) == LogChannelBlockSize, "channel block size");
static_assert(sizeof(LogChannelBlock) == LogChannelBlockSize, "channel block size");
static_assert(offsetof(LogMeasurementBlock, rawValue) == 12, "rawValue offset");
static_assert(offsetof(LogMeasurementBlock, format) == 16, "format offset");
static_assert(offsetof(LogMeasurementBlock, sensorStatus) == 18, "sensorStatus offset");
static_assert(offsetof(LogSettingsBlock, limit1) == 2, "limit1 offset");
static_assert(offsetof(LogSettingsBlock, format) == 18, "format offset");
static_assert(offsetof(LogSettingsBlock, lastCalibrationDate) == 20, "date offset");
static_assert(offsetof(LogRecord, recordNumber) == 4, "recordNumber offset");
static_assert(offsetof(LogRecord, recordTime) == 8, "recordTime offset");
static_assert(offsetof(LogRecord, recordFlags) == 12, "recordFlags offset");
static_assert(offsetof(LogRecord, deviceStatus) == 14, "deviceStatus offset");
static_assert(offsetof(LogRecord, batteryCharge) == 16, "batteryCharge offset");
static_assert(offsetof(LogRecord, temperature) == 18, "temperature offset");
static_assert(offsetof(LogRecord, lastBumpTestDate) == 20, "lastBumpTestDate offset");
static_assert(offsetof(LogRecord, channels) == LogHeaderSize, "channel blocks offset");
static_assert(sizeof(LogRecord) == LogRecordSize, "a header and ten channel blocks");

enum class LogRecordKind {
    Measurement,
    PowerOn,
    PowerOff,
    FirmwareUpdate,
    Damaged,
    SettingsChange,
};

// Record size in bytes and channel count of a model's log; 0 for a model
// without log records (ModelT8M and every code outside the table).
int logRecordSize(quint16 modelCode);
int logChannelCount(quint16 modelCode);

LogRecordKind logRecordKind(quint16 recordType);
// A settings-change record marks channel k changed with bit 4 + k.
bool logSettingsChanged(quint16 recordType, int channel);

// A record's bytes as a record; bytes past `size` (at most LogRecordSize) are 0.
LogRecord logRecordFromBytes(const quint8* bytes, int size);
// Command::logRecord as a record.
LogRecord currentLogRecord();

// Device ticks to seconds since the epoch: trunc(ticks x secondsPerTick) in
// double precision, low 32 bits unsigned.
quint32 logSeconds(quint32 ticks, double secondsPerTick);
// The same with the current model's tick, as local time.
QDateTime logDateTime(quint32 ticks);

// counts x (factor / decimalScale(format, 1)) in double precision, held as a float.
float logCountValue(quint16 counts, quint16 formatWord, double unitFactor);
// A limit of a settings-change block: the classic map keeps a flag in bit 15.
quint16 logLimitCounts(quint16 raw, quint16 registerMap);
// Degrees of a measurement record's temperature field.
float logTemperature(qint16 hundredths);

// One line of a log file into Command::logRecord. The line (its "\r\n" or "\n"
// end excluded) must hold exactly 2 x recordSize hexadecimal digits and
// recordSize must lie in 1..LogRecordSize; otherwise false and Command::logRecord
// is left as it was. On success the whole of Command::logRecord is rewritten:
// the record's bytes, then zeros, so no byte of an earlier line survives.
bool loadLogLine(const QByteArray& line, int recordSize);
// A record as one line of a log file: upper-case hex, "\r\n" at the end.
QByteArray logLine(const quint8* bytes, int recordSize);

// The dates the export shows in place of missing bump-test dates; set by every
// archive-page refresh.
extern quint32 exportBumpTestDate;
extern quint32 exportProductionDate;
void setExportDates(quint32 bumpTestDate, quint32 productionDate);
