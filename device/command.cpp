#include "command.h"

#include "modeltraits.h"

#include <QDateTime>

#include <cmath>
#include <cstring>

Command command;

quint8 archiveBlock[ArchiveBlockSize];
quint32 archiveRangeFirst = 0;
quint32 archiveRangeLast = 0;

QWidget* mainWindowWidget = nullptr;

Command::Command()
    : QObject(nullptr), serialPort(nullptr), portName(), modbusAddress(255), firmwareEndFlag(0),
      firmwareEndAddress(0), secondsPerTick(0.9375), connected(0), userName(), password(),
      authorized(0), secondPasswordAccepted(0), registerMap(ExtendedMap), modelCode(ModelNone),
      channelCount(1), channelOffMarker(170)
{
    const quint16 initial[TimeoutCount] = {85, 500, 15, 50, 150, 50, 50, 150, 50, 50, 10000, 15};
    for (int i = 0; i < TimeoutCount; ++i)
        timeouts[i] = initial[i];
    memset(requestBuffer, 0, sizeof requestBuffer);
    memset(replyBuffer, 0, sizeof replyBuffer);
}

// The progress dialog is a child of the main window, which deletes it.
Command::~Command() = default;

int Command::archiveRecordSize() const
{
    return traitsOf(modelCode).logRecordSize;
}

QString imageText(const char* field, int size)
{
    return QString::fromUtf8(field, int(qstrnlen(field, uint(size))));
}

void storeImageText(char* field, int size, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > size) {
        int cut = size;
        // Step back over continuation bytes to the start of the cut character.
        while (cut > 0 && (quint8(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.truncate(cut);
    }
    std::memset(field, 0, size_t(size));
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
}

QDateTime dateFromTicks(quint32 ticks)
{
    return QDateTime::fromSecsSinceEpoch(
        qint64(std::trunc(double(ticks) * command.secondsPerTick)));
}

int localUtcOffset(qint64 utcSeconds)
{
    // Not QDateTime::offsetFromUtc: in the hour a clock change repeats, Qt 5 maps the
    // local time back to UTC and takes the offset of the wrong pass. The local date
    // and time of a moment are unambiguous; their distance from the moment is the
    // offset.
    const QDateTime local = QDateTime::fromSecsSinceEpoch(utcSeconds);
    return int(QDateTime(local.date(), local.time(), Qt::UTC).toSecsSinceEpoch() - utcSeconds);
}

quint32 ticksFromSeconds(qint64 seconds, double secondsPerTick, TickRounding rounding)
{
    if (!(secondsPerTick > 0) || !std::isfinite(secondsPerTick))
        secondsPerTick = 1.0;
    const double exact = double(seconds) / secondsPerTick;
    const double ticks =
        rounding == TickRounding::Nearest ? std::nearbyint(exact) : std::trunc(exact);
    if (!(ticks > 0))
        return 0;
    if (ticks >= 4294967295.0)
        return 0xFFFFFFFFu;
    return quint32(ticks);
}
