// The four exchanges: request out, reply gathered until the line falls silent,
// CRC checked, dispatched, and the whole thing repeated until accepted.

#include "command.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>

#include <cstring>

namespace
{

enum class Preamble { None, BeforeFirstAttempt, BeforeEveryAttempt };
enum class Settle { AfterEveryQuickFailure, AfterFirstFailureOnly };

constexpr int SettleWaitMs = 500;
// A line that keeps chattering never ends a reply by silence; give up after this.
constexpr int MaxGatherMs = 2000;

void spinUntil(const QElapsedTimer& clock, qint64 ms)
{
    // The device needs this quiet time after a garbled frame; nothing else may
    // run meanwhile (no event processing), only the thread sleeps.
    while (clock.elapsed() < ms)
        QThread::msleep(1);
}

void putBe16(quint8* p, quint16 v)
{
    p[0] = quint8(v >> 8);
    p[1] = quint8(v & 0xFF);
}

void putBe32(quint8* p, quint32 v)
{
    p[0] = quint8(v >> 24);
    p[1] = quint8(v >> 16);
    p[2] = quint8(v >> 8);
    p[3] = quint8(v & 0xFF);
}

} // namespace

struct Command::ExchangeSettings {
    int attempts;
    int writeWaitMs;
    int firstReplyMs;
    int betweenChunksMs;
    Preamble preamble;
    int preambleWrittenMs;
    int preambleReadMs;
    Settle settle;
};

void Command::sendPreamble(int writtenMs, int readMs)
{
    // The first five bytes of the frame alone wake the device's receiver; the
    // device drops them, and whatever comes back is discarded by the next clear.
    serialPort.clear(QSerialPort::AllDirections);
    serialPort.write(reinterpret_cast<const char*>(requestBuffer), 5);
    serialPort.waitForBytesWritten(writtenMs);
    serialPort.waitForReadyRead(readMs);
}

bool Command::gatherReply(QByteArray& reply, int firstReplyMs, int betweenChunksMs,
                          TransactionResult& result)
{
    if (!serialPort.waitForReadyRead(firstReplyMs)) {
        result = ResultNoReply;
        return false;
    }
    QElapsedTimer gathering;
    gathering.start();
    reply += serialPort.readAll();
    while (reply.size() <= ReplyBufferSize && gathering.elapsed() < MaxGatherMs &&
           serialPort.waitForReadyRead(betweenChunksMs))
        reply += serialPort.readAll();
    if (reply.size() > ReplyBufferSize || gathering.elapsed() >= MaxGatherMs) {
        // More than any reply can hold, or a line that never falls silent.
        result = ResultMismatch;
        return false;
    }
    return true;
}

TransactionResult Command::runExchange(int frameLength, quint16 requested, quint16 count,
                                       const ExchangeSettings& s)
{
    crc16(requestBuffer, frameLength);
    const int total = frameLength + 2;

    if (s.preamble == Preamble::BeforeFirstAttempt)
        sendPreamble(s.preambleWrittenMs, s.preambleReadMs);

    TransactionResult result = ResultNoReply;
    bool settled = false;
    QElapsedTimer clock;
    for (int attempt = 0; attempt < s.attempts; ++attempt) {
        if (s.preamble == Preamble::BeforeEveryAttempt)
            sendPreamble(s.preambleWrittenMs, s.preambleReadMs);

        serialPort.clear(QSerialPort::AllDirections);
        serialPort.write(reinterpret_cast<const char*>(requestBuffer), total);
        QByteArray reply;
        clock.start();

        if (!serialPort.waitForBytesWritten(s.writeWaitMs)) {
            serialPort.close();
            serialPort.open(QIODevice::ReadWrite);
            result = ResultWriteTimeout;
            continue;
        }
        if (!gatherReply(reply, s.firstReplyMs, s.betweenChunksMs, result))
            continue;
        const qint64 took = clock.elapsed();

        if (quint16(reply.size()) == 0) {
            result = ResultCrcError;
            continue;
        }
        memcpy(replyBuffer, reply.constData(), size_t(reply.size()));
        const int length = reply.size();

        if (crcMatches(replyBuffer, length)) {
            result = dispatchReply(replyBuffer, length, requested, count, requestBuffer[1]);
            // A well-formed exception to this very request (a malformed one or one
            // to another function is a mismatch).
            if (exceptionIsAnswer && (replyBuffer[1] & 0x80) && result != ResultMismatch) {
                exceptionAnswered = true;
                return result;
            }
            if (result == ResultOk)
                return ResultOk;
            continue;
        }

        clock.restart();
        if (s.settle == Settle::AfterEveryQuickFailure) {
            if (took < SettleWaitMs)
                spinUntil(clock, SettleWaitMs);
        } else if (!settled) {
            settled = true;
            spinUntil(clock, SettleWaitMs);
        }
        result = ResultCrcError;
    }
    return result;
}

TransactionResult Command::transact(quint16 functionCode, quint16 page, quint16 reg, quint16 count)
{
    if (count == 0)
        return ResultOk;
    // Pages 0-9 are channels; anything else above them but the device page would
    // land on a page the image has no record for.
    if ((page > 9 && page != DevicePage) || reg > 0x0FFF)
        return ResultMismatch;

    const quint16 address = quint16((page << 12) | reg);
    int length = 0;
    quint16 requested = 0;
    switch (functionCode) {
    case 3:
    case 4:
        requestBuffer[0] = quint8(modbusAddress & 0xFF);
        requestBuffer[1] = quint8(functionCode);
        putBe16(requestBuffer + 2, address);
        putBe16(requestBuffer + 4, count);
        if (connected == 0)
            return ResultOk;
        length = 6;
        requested = address;
        break;
    case 16: {
        // The two layouts give the same register numbers other meanings: until a
        // probe of this connection has told which one the device uses (after a
        // firmware upload, until the next read), a write of the image would land
        // on the wrong fields. Nothing goes out.
        if (!registerMapKnown() && !writableBeforeProbe(page, reg, count)) {
            writeRefusedUnknownLayout = true;
            return ResultNotSent;
        }
        writeRefusedUnknownLayout = false;
        const int built = buildWriteMultiple(address, count, requestBuffer);
        if (connected == 0)
            return ResultOk;
        if (built <= 8)
            return TransactionResult(built);
        length = built;
        requested = reg;
        break;
    }
    default:
        return connected ? ResultNotSent : ResultOk;
    }

    const bool t6 = modelCode == ModelT6;
    ExchangeSettings s{10,
                       50,
                       timeouts[t6 ? TimeoutFirstReplyT6 : TimeoutFirstReply],
                       timeouts[TimeoutBetweenChunks],
                       t6 ? Preamble::None : Preamble::BeforeFirstAttempt,
                       10,
                       20,
                       Settle::AfterEveryQuickFailure};
    return runExchange(length, requested, count, s);
}

TransactionResult Command::readArchiveBlock(quint16 functionCode, quint16 /*page*/,
                                            quint16 firstRecord, quint16 count)
{
    if (functionCode != 12)
        return connected ? ResultNotSent : ResultOk;
    requestBuffer[0] = quint8(modbusAddress & 0xFF);
    requestBuffer[1] = 12;
    putBe16(requestBuffer + 2, firstRecord);
    putBe16(requestBuffer + 4, count);
    if (connected == 0)
        return ResultOk;
    ExchangeSettings s{10,
                       50,
                       timeouts[TimeoutArchiveFirstReply],
                       timeouts[TimeoutArchiveBetweenChunks],
                       Preamble::None,
                       0,
                       0,
                       Settle::AfterFirstFailureOnly};
    return runExchange(6, firstRecord, count, s);
}

TransactionResult Command::writeDataBlock(quint16 functionCode, quint32 address, const quint8* data,
                                          int length)
{
    if (functionCode != 14 && functionCode != 15)
        return connected ? ResultNotSent : ResultOk;
    // The frame and its CRC must fit the 256-byte request buffer.
    if (length < 0 || length > MaxDataBlockLength || (length > 0 && data == nullptr))
        return ResultMismatch;
    requestBuffer[0] = quint8(modbusAddress & 0xFF);
    requestBuffer[1] = quint8(functionCode);
    putBe32(requestBuffer + 2, address);
    requestBuffer[6] = quint8(length);
    if (length > 0)
        memcpy(requestBuffer + 7, data, size_t(length));
    if (connected == 0)
        return ResultOk;
    ExchangeSettings s{15,
                       100,
                       timeouts[TimeoutDataBlockFirstReply],
                       timeouts[TimeoutDataBlockBetweenChunks],
                       Preamble::BeforeFirstAttempt,
                       10,
                       20,
                       Settle::AfterFirstFailureOnly};
    return runExchange(7 + length, quint16(address & 0xFFFF), 0, s);
}

TransactionResult Command::findArchiveRange(quint16 functionCode, quint32 startTicks,
                                            quint32 stopTicks)
{
    if (functionCode != 20)
        return connected ? ResultNotSent : ResultOk;
    requestBuffer[0] = quint8(modbusAddress & 0xFF);
    requestBuffer[1] = 20;
    putBe32(requestBuffer + 2, startTicks);
    putBe32(requestBuffer + 6, stopTicks);
    if (connected == 0)
        return ResultOk;
    ExchangeSettings s{2,
                       50,
                       timeouts[TimeoutRangeFirstReply],
                       timeouts[TimeoutRangeBetweenChunks],
                       modelCode == ModelT2Classic ? Preamble::BeforeEveryAttempt : Preamble::None,
                       10,
                       10,
                       Settle::AfterFirstFailureOnly};
    return runExchange(10, quint16(startTicks & 0xFFFF), 0, s);
}

Command::MapProbe Command::probeExtendedMap()
{
    if (connected == 0)
        return registerMap == ExtendedMap ? MapProbe::Extended : MapProbe::Classic;
    exceptionAnswered = false;
    exceptionIsAnswer = true;
    const TransactionResult result = transact(4, DevicePage, RegMapProbe, 1);
    exceptionIsAnswer = false;
    // Only the exchange itself tells an exception answer: the reply buffer also
    // holds the garbled replies of attempts whose CRC failed.
    MapProbe answer = MapProbe::Unanswered;
    if (exceptionAnswered)
        answer = MapProbe::Classic;
    else if (result == ResultOk)
        answer = MapProbe::Extended;
    exceptionAnswered = false;
    registerMapProbed = answer != MapProbe::Unanswered;
    if (registerMapProbed) {
        probedModel = modelCode;
        lastReadFirmwareVersionKnown = false;
    }
    return answer;
}

bool Command::adoptProbedMap()
{
    const bool known = registerMapKnown();
    const MapProbe answer = probeExtendedMap();
    if (answer == MapProbe::Unanswered) {
        if (known && !registerMapBySilence)
            return false;
        // The first probe for this device, or the device that always stays silent
        // on 2457: its silence is the classic answer.
        registerMapProbed = true;
        if (!known) {
            probedModel = modelCode;
            lastReadFirmwareVersionKnown = false;
            registerMap = ClassicMap;
            registerMapBySilence = true;
        }
        registerMapDecided = true;
        writeRefusedUnknownLayout = false;
        return true;
    }
    registerMap = answer == MapProbe::Extended ? ExtendedMap : ClassicMap;
    registerMapDecided = true;
    registerMapBySilence = false;
    writeRefusedUnknownLayout = false;
    return true;
}

bool Command::writableBeforeProbe(quint16 page, quint16 reg, quint16 count)
{
    if (page != DevicePage)
        return false;
    for (quint32 r = reg; r < quint32(reg) + count; ++r) {
        switch (r) {
        case RegFirmwareStart:
        case RegFirmwareEndFlag:
        case RegFirmwareEndAddress:
        case RegBootloaderPowerOff:
        case RegUpdatePrepare:
        case RegUpdateCancel:
        case RegUpdateStart:
        case RegRestoreFactory:
        case RegEndSession:
        case RegBleBootloader:
        case RegPowerOff:
            break;
        default:
            return false;
        }
    }
    return true;
}

bool Command::firmwareVersionChanged()
{
    const bool changed = lastReadFirmwareVersionKnown && firmwareVersion != lastReadFirmwareVersion;
    lastReadFirmwareVersion = firmwareVersion;
    lastReadFirmwareVersionKnown = true;
    return changed;
}
