// Modbus RTU frames: CRC, the reply dispatcher and the register cursor.

#include "command.h"

#include <cstring>

quint16 crc16Value(const quint8* data, int n)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool out = crc & 1;
            crc >>= 1;
            if (out)
                crc ^= 0xA001;
        }
    }
    return crc;
}

void crc16(quint8* frame, int n)
{
    const quint16 crc = crc16Value(frame, n);
    frame[n] = quint8(crc & 0xFF);
    frame[n + 1] = quint8(crc >> 8);
}

bool crcMatches(const quint8* frame, int n)
{
    if (n < 3)
        return false;
    const quint16 crc = crc16Value(frame, n - 2);
    return frame[n - 2] == quint8(crc & 0xFF) && frame[n - 1] == quint8(crc >> 8);
}

namespace
{

// The parts of Command that a register reply may store into, kept aside so that
// a reply refused half-way (an unmapped register, a short block) leaves them as
// they were.
struct ImageBackup {
    explicit ImageBackup(const Command& c) { copy(c, *this); }
    void restore(Command& c) const { copy(*this, c); }

    ClassicChannelRecord classicChannels[ChannelSlots];
    ClassicDeviceBlock classicDevice;
    quint32 classicSpareWord;
    ClassicZeroTable classicExtras[ChannelSlots];
    quint32 classicLanguage;
    ExtendedChannelRecord extendedChannels[ChannelSlots];
    ExtendedDeviceBlock extendedDevice;
    quint32 extendedSpareWord;
    quint32 extendedLanguage;
    quint16 modelCode;
    quint16 firmwareVersion;
    float tempSensorCalibration;
    quint8 bleMac[6];
    quint8 loraId[8];
    quint8 firmwareEndFlag;
    quint64 firmwareEndAddress;

private:
    template <typename From, typename To> static void copy(const From& f, To& t)
    {
        memcpy(t.classicChannels, f.classicChannels, sizeof t.classicChannels);
        t.classicDevice = f.classicDevice;
        t.classicSpareWord = f.classicSpareWord;
        memcpy(t.classicExtras, f.classicExtras, sizeof t.classicExtras);
        t.classicLanguage = f.classicLanguage;
        memcpy(t.extendedChannels, f.extendedChannels, sizeof t.extendedChannels);
        t.extendedDevice = f.extendedDevice;
        t.extendedSpareWord = f.extendedSpareWord;
        t.extendedLanguage = f.extendedLanguage;
        t.modelCode = f.modelCode;
        t.firmwareVersion = f.firmwareVersion;
        t.tempSensorCalibration = f.tempSensorCalibration;
        memcpy(t.bleMac, f.bleMac, sizeof t.bleMac);
        memcpy(t.loraId, f.loraId, sizeof t.loraId);
        t.firmwareEndFlag = f.firmwareEndFlag;
        t.firmwareEndAddress = f.firmwareEndAddress;
    }
};

} // namespace

static quint16 be16(const quint8* p)
{
    return quint16((p[0] << 8) | p[1]);
}

static quint32 le32(const quint8* p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

bool replyAnswers(quint8 requestFunction, quint8 replyFunction)
{
    // A late reply to an earlier request (a second answer to a register read,
    // say) must never pass for the answer to this one.
    const quint8 plain = replyFunction & 0x7F;
    const bool exception = (replyFunction & 0x80) != 0;
    switch (requestFunction) {
    case 3:
    case 4:
    case 12:
    case 20:
        return plain == requestFunction;
    case 16:
        return exception ? plain == 16 : (plain == 16 || plain == 6);
    case 14:
    case 15:
        return exception ? plain == requestFunction : (plain == 14 || plain == 15);
    default:
        return false;
    }
}

TransactionResult Command::dispatchReply(const quint8* reply, int length, quint16 requested,
                                         quint16 count, quint8 requestFunction)
{
    // `length` includes the two CRC bytes; every field read below must lie
    // before them, or the reply is refused rather than read from stale bytes.
    if (length < 4)
        return ResultMismatch;
    if (!replyAnswers(requestFunction, reply[1]))
        return ResultMismatch;
    switch (reply[1]) {
    case 3:
    case 4: {
        // Only a reply of exactly the size asked for is parsed: a late reply to an
        // earlier request must never land in the registers of this one.
        const int n = reply[2];
        if (length != 5 + n || n != 2 * int(count))
            return ResultMismatch;
        const ImageBackup backup(*this);
        const TransactionResult result = reply[1] == 3 ? parseHoldingRegisters(reply, requested)
                                                       : parseInputRegisters(reply, requested);
        if (result != ResultOk)
            backup.restore(*this);
        return result;
    }
    case 6:
    case 16:
        if (length < 6)
            return ResultMismatch;
        return (be16(reply + 2) & 0x0FFF) == requested ? ResultOk : ResultMismatch;
    case 12:
        return parseArchiveBlock(reply, length, count);
    case 14:
    case 15:
        if (length < 8)
            return ResultMismatch;
        return be16(reply + 4) == requested ? ResultOk : ResultMismatch;
    case 20:
        if (length < 12)
            return ResultMismatch;
        archiveRangeFirst = le32(reply + 2);
        archiveRangeLast = le32(reply + 6);
        return ResultOk;
    case 0x83:
    case 0x84:
    case 0x8C:
    case 0x8E:
    case 0x8F:
    case 0x90:
    case 0x94:
        if (length < 5)
            return ResultMismatch;
        switch (reply[2]) {
        case 2:
            return ResultIllegalAddress;
        case 3:
            return ResultIllegalValue;
        default:
            // The device answers codes other than 2 and 3 for register requests it
            // has carried out anyway; they count as accepted and leave the image as
            // it is. A log block, a range search or a firmware block refused with
            // any code never arrived: taking it as received would write stale
            // records or report an image the device does not hold.
            switch (reply[1] & 0x7F) {
            case 3:
            case 4:
            case 16:
                return ResultOk;
            default:
                return ResultMismatch;
            }
        }
    default:
        return ResultNotSent;
    }
}

TransactionResult Command::parseArchiveBlock(const quint8* reply, int length, quint16 count)
{
    const int k = reply[2];
    if (k > MaxArchiveRecordsPerReply)
        return ResultMismatch;
    const int recordSize = archiveRecordSize();
    if (recordSize == 0)
        return ResultOk; // a model without a known record: nothing is copied
    if (k != count || k * recordSize > ArchiveBlockSize || length != 5 + k * recordSize)
        return ResultMismatch;
    if (k > 0)
        memcpy(archiveBlock, reply + 3, size_t(k) * size_t(recordSize));
    return ResultOk;
}

bool Command::putRegister(quint16 value)
{
    frameCursor[0] = quint8(value >> 8);
    frameCursor[1] = quint8(value & 0xFF);
    *byteCountPos = quint8(*byteCountPos + 2);
    frameLength += 2;
    frameCursor += 2;
    --frameRemaining;
    return frameRemaining == 0;
}

bool Command::takeRegister(quint16& out)
{
    out = be16(frameCursor);
    frameCursor += 2;
    frameRemaining -= 2;
    return frameRemaining == 0;
}

void Command::takeRegister()
{
    frameCursor += 2;
    frameRemaining -= 2;
}
