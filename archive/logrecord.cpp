#include "logrecord.h"

#include "modeltraits.h"
#include "types.h"
#include "units.h"

#include <cmath>
#include <cstring>

quint32 exportBumpTestDate = 0;
quint32 exportProductionDate = 0;

void setExportDates(quint32 bumpTestDate, quint32 productionDate)
{
    exportBumpTestDate = bumpTestDate;
    exportProductionDate = productionDate;
}

int logChannelCount(quint16 modelCode)
{
    const int size = logRecordSize(modelCode);
    return size == 0 ? 0 : (size - LogHeaderSize) / LogChannelBlockSize;
}

int logRecordSize(quint16 modelCode)
{
    return traitsOf(modelCode).logRecordSize;
}

LogRecordKind logRecordKind(quint16 recordType)
{
    switch (recordType) {
    case 4:
        return LogRecordKind::Measurement;
    case 0:
        return LogRecordKind::PowerOn;
    case 1:
        return LogRecordKind::PowerOff;
    case 2:
        return LogRecordKind::FirmwareUpdate;
    default:
        break;
    }
    // Bits 0-3 clear and something above them: a settings change; anything
    // else (20 = bits 2 and 4 among them) is a damaged entry.
    return (recordType & 0x000Fu) == 0 ? LogRecordKind::SettingsChange : LogRecordKind::Damaged;
}

bool logSettingsChanged(quint16 recordType, int channel)
{
    if (channel < 0 || channel + 4 > 15)
        return false;
    return logRecordKind(recordType) == LogRecordKind::SettingsChange &&
           (recordType >> (4 + channel) & 1u) != 0;
}

LogRecord logRecordFromBytes(const quint8* bytes, int size)
{
    LogRecord record;
    std::memset(&record, 0, sizeof record);
    if (bytes != nullptr && size > 0)
        std::memcpy(&record, bytes, size_t(qMin(size, LogRecordSize)));
    return record;
}

LogRecord currentLogRecord()
{
    return logRecordFromBytes(command.logRecord, LogRecordSize);
}

quint32 logSeconds(quint32 ticks, double secondsPerTick)
{
    const double seconds = std::trunc(double(ticks) * secondsPerTick);
    if (!std::isfinite(seconds) || seconds < 0)
        return 0;
    // At most 2^32 ticks of at most a few seconds each: fits 64 bits.
    return quint32(quint64(seconds) & 0xFFFFFFFFu);
}

QDateTime logDateTime(quint32 ticks)
{
    return QDateTime::fromSecsSinceEpoch(qint64(logSeconds(ticks, command.secondsPerTick)));
}

float logCountValue(quint16 counts, quint16 formatWord, double unitFactor)
{
    const double scale = decimalScale(formatWord, 1);
    return float(double(counts) * (unitFactor / scale));
}

quint16 logLimitCounts(quint16 raw, quint16 registerMap)
{
    return registerMap == ClassicMap ? quint16(raw & 0x7FFFu) : raw;
}

float logTemperature(qint16 hundredths)
{
    return float(hundredths) / 100.0f;
}

static int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool loadLogLine(const QByteArray& line, int recordSize)
{
    if (recordSize < 1 || recordSize > LogRecordSize)
        return false;
    int length = line.size();
    if (length > 0 && line[length - 1] == '\n')
        --length;
    if (length > 0 && line[length - 1] == '\r')
        --length;
    if (length != 2 * recordSize)
        return false;
    quint8 bytes[LogRecordSize] = {};
    for (int i = 0; i < recordSize; ++i) {
        const int high = hexValue(line[2 * i]);
        const int low = hexValue(line[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = quint8(high << 4 | low);
    }
    std::memcpy(command.logRecord, bytes, sizeof bytes);
    return true;
}

QByteArray logLine(const quint8* bytes, int recordSize)
{
    if (bytes == nullptr || recordSize < 1)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(bytes), recordSize).toHex().toUpper() + "\r\n";
}
