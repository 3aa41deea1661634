#pragma once

#include "parameterimage.h"
#include "types.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

class QProgressDialog;
class QWidget;
class QByteArray;
class QDateTime;

// Reply time-outs of the four exchanges, in milliseconds (indexes into Command::timeouts).
enum TimeoutIndex {
    TimeoutFirstReply = 0,
    TimeoutFirstReplyT6 = 1,
    TimeoutBetweenChunks = 2,
    TimeoutArchiveFirstReply = 4,
    TimeoutArchiveBetweenChunks = 5,
    TimeoutDataBlockFirstReply = 7,
    TimeoutDataBlockBetweenChunks = 8,
    TimeoutRangeFirstReply = 10,
    TimeoutRangeBetweenChunks = 11,
    TimeoutCount = 12,
};

constexpr int RequestBufferSize = 256;
constexpr int ReplyBufferSize = 3000;
constexpr int MaxDataBlockLength = 247;
constexpr int MaxArchiveRecordsPerReply = 25;
constexpr int ArchiveBlockSize = 3000;
constexpr int LogRecordSize = 264;

// The device link: serial port, Modbus RTU frames, exchanges, login and device
// state and the parameter image. There is exactly one, the global `command`.
class Command : public QObject
{
public:
    Command();
    ~Command() override;

    // --- exchanges ---
    TransactionResult transact(quint16 functionCode, quint16 page, quint16 reg, quint16 count);
    TransactionResult readArchiveBlock(quint16 functionCode, quint16 page, quint16 firstRecord,
                                       quint16 count);
    TransactionResult writeDataBlock(quint16 functionCode, quint32 address, const quint8* data,
                                     int length);
    TransactionResult findArchiveRange(quint16 functionCode, quint32 startTicks, quint32 stopTicks);
    // The map probe (input register 2457 of the device page). A reply means the
    // extended layout; a classic device answers with an exception: that is its
    // answer, not a fault, and is not asked again. Silence, CRC errors or a reply
    // that is neither after every attempt decide nothing: Unanswered, and the
    // layout stays as it was. Offline the current layout is the answer. Sets
    // registerMapProbed and probedModel when an answer came, and forgets the
    // firmware version of the last read.
    enum class MapProbe { Extended, Classic, Unanswered };
    MapProbe probeExtendedMap();
    // Probes and takes the answer as registerMap. While no probe has decided the
    // layout of the device now connected (see registerMapKnown), silence decides
    // too: older classic firmware never answers 2457 at all, so no answer means
    // ClassicMap. Once a probe has decided it, an unanswered probe keeps that
    // layout: when the device's silence decided it, silence is its answer (true);
    // otherwise the line failed (false, nothing is decided).
    bool adoptProbedMap();
    // Whether the layout must be asked at the next read: cleared on connecting,
    // after a failed read and by a firmware upload; the read road probes again when
    // it is clear or the model code differs from probedModel.
    bool registerMapProbed = false;
    quint16 probedModel = 0;
    // Whether a probe of this connection decided the layout of this device (of
    // probedModel): cleared on connecting, by a firmware upload and by a read that
    // finds another firmware version; a failed read keeps it.
    bool registerMapDecided = false;
    // The decision was silence (a classic device that does not answer 2457).
    bool registerMapBySilence = false;
    // Whether a probe of this connection decided the layout of the device now
    // connected: a write in any other layout would scatter its blocks over the wrong
    // registers. Offline the layout is the one chosen and always known.
    bool registerMapKnown() const
    {
        return connected == 0 || (registerMapDecided && probedModel == modelCode);
    }
    // Whether a function-16 write of these registers may go out before a probe has
    // told the layout: only the commands that no layout gives another meaning and
    // that carry nothing of the image (the firmware transfer's own registers,
    // power-off, end of session, restore factory settings, the BLE module's
    // update mode). Every other write waits for the probe.
    static bool writableBeforeProbe(quint16 page, quint16 reg, quint16 count);
    // Whether the last function-16 write was refused because no probe of this
    // connection has told the layout (nothing was sent, the result ResultNotSent).
    // Set by that refusal; cleared by the next write that passes, and by a probe
    // that decides the layout. The place that reports a failed exchange tells the
    // operator to read the device first when it is set.
    bool writeRefusedForLayout() const { return writeRefusedUnknownLayout && !registerMapKnown(); }
    // A device changes its layout only with new firmware. Called after the blocks of
    // a successful read: records the firmware version the image now holds and tells
    // whether it differs from the one an earlier read recorded since the last probe
    // (then the layout must be asked again).
    bool firmwareVersionChanged();
    quint16 lastReadFirmwareVersion = 0;
    bool lastReadFirmwareVersionKnown = false;

    // Checks a reply whose CRC matched. `length` is the reply's length with its CRC,
    // `count` the number of registers or records asked for (3, 4, 12), `requestFunction`
    // the function of the request. A reply of another function than the one asked
    // (or its exception) is ResultMismatch and changes nothing.
    TransactionResult dispatchReply(const quint8* reply, int length, quint16 requested,
                                    quint16 count, quint8 requestFunction);
    TransactionResult parseArchiveBlock(const quint8* reply, int length, quint16 count);

    // Register maps (holding registers of both layouts, input registers).
    TransactionResult parseHoldingRegisters(const quint8* reply, quint16 address);
    TransactionResult parseInputRegisters(const quint8* reply, quint16 address);
    int buildWriteMultiple(quint16 address, quint16 count, quint8* frame);

    bool putRegister(quint16 value);
    bool takeRegister(quint16& out);
    void takeRegister();

    // --- composite operations ---
    bool readAllParameters(int mode, bool measurementsOnly);
    bool writeAllParameters(bool withAdcPoints);
    bool writeSettingsBlocks();
    void setCalibrationMode(bool on);
    // Whether the last setCalibrationMode switched the mode on (a calibration
    // procedure runs); false from the start and after every switch-off. While it
    // is false, no write frame carries calibration mode (bit 8) in the flag word
    // of a channel that takes part in it (see buildWriteMultiple).
    bool calibrationModeOn = false;
    // The index of the oldest log record, from the raw archive pointers of the
    // image (which stay as the device has them).
    qint64 archiveOldestIndex() const;
    // Re-reads the archive pointers (start and current, device page 529-532) right
    // before a save sends the archive block, so that the device gets its own
    // pointers back; the switch and the intervals keep the operator's edits. Not
    // after "Очистка архива" (archiveClearPending): then the zeros go out, once.
    bool refreshArchivePointers();
    // The archive block (device page 528 x 6) with the device's own pointers, or
    // the zeros of a pending clear.
    TransactionResult writeArchiveBlock();
    // Set by "Очистка архива"; a read that brings the archive pointers in, a
    // disconnection and a rebuild of the interface drop it, as they drop any
    // unsaved edit. A failed or refused read leaves it, with the zeros.
    bool archiveClearPending = false;
    bool longVersionBlock() const;
    // The PC time in device ticks, and the clock fields (deviceClock, utcOffset)
    // of a layout's device block set to it.
    quint32 deviceTimeNow() const;
    void setClockFieldsNow(quint16 map);
    // The channel slots the model uses: channelCount, never more than the image holds.
    quint16 channelSlotsInUse() const { return qMin<quint16>(channelCount, ChannelSlots); }

    float unitFactor(int channel) const;
    // The same factor for another display unit (0-3) with the channel's own
    // base unit and coefficients: a log record carries the unit it was made in.
    float unitFactorFor(int channel, int displayUnit) const;

    // Size of one log record of the current model (0: nothing is copied).
    int archiveRecordSize() const;

    // --- members, in the device's own order ---
    QSerialPort serialPort;
    QString portName;
    quint16 modbusAddress;
    quint16 frameRemaining = 0;
    quint8* frameCursor = nullptr;
    quint8* byteCountPos = nullptr;
    quint16 frameLength = 0;
    quint16 timeouts[TimeoutCount];
    quint8 firmwareEndFlag;
    quint64 firmwareEndAddress;
    quint8 requestBuffer[RequestBufferSize];
    quint8 replyBuffer[ReplyBufferSize];
    double secondsPerTick;
    qint32 connected;
    QString userName;
    QString password;
    quint8 authorized;
    quint8 secondPasswordAccepted;
    QProgressDialog* progressDialog = nullptr;
    quint16 currentChannel = 0;
    quint16 registerMap;
    quint16 modelCode;
    quint16 firmwareVersion = 0;
    quint16 channelCount;
    quint16 channelOffMarker;
    float tempSensorCalibration = 0;
    quint8 bleMac[6] = {};
    quint8 loraId[8] = {};

    // The parameter image: the classic area (2812 bytes) then the extended area
    // (4316 bytes). Only the area of the current registerMap is in use.
    ClassicChannelRecord classicChannels[ChannelSlots] = {};
    ClassicDeviceBlock classicDevice = {};
    quint32 classicSpareWord = 0;
    ClassicZeroTable classicExtras[ChannelSlots] = {};
    quint32 classicLanguage = 0;
    quint8 classicSpare[4] = {};
    ExtendedChannelRecord extendedChannels[ChannelSlots] = {};
    ExtendedDeviceBlock extendedDevice = {};
    quint32 extendedSpareWord = 0;
    quint32 extendedLanguage = 0;
    quint8 extendedSpare[4] = {};

    quint8 logRecord[LogRecordSize] = {};
    quint8 logEventRecord[LogRecordSize] = {};

private:
    struct ExchangeSettings;
    bool writeRefusedUnknownLayout = false;
    // Where a channel's flag word enters a write frame: unless a procedure has the
    // mode on, bit 8 is cleared in the image of a channel that takes part in
    // calibration mode, so that the image holds what goes out. A read may bring
    // the bit back: the classic devices also report the flag word in input
    // registers, which can still show the word from before the switch-off.
    void keepCalibrationModeOff(int channel);
    // Set while an exception reply ends the exchange as an answer; exceptionAnswered
    // tells then that the exchange ended on one.
    bool exceptionIsAnswer = false;
    bool exceptionAnswered = false;
    TransactionResult runExchange(int frameLength, quint16 requested, quint16 count,
                                  const ExchangeSettings& settings);
    void sendPreamble(int writtenMs, int readMs);
    bool gatherReply(QByteArray& reply, int firstReplyMs, int betweenChunksMs,
                     TransactionResult& result);
};

extern Command command;

// Records of the last function-12 reply and the record numbers of the last
// function-20 reply; the log download reads them.
extern quint8 archiveBlock[ArchiveBlockSize];
extern quint32 archiveRangeFirst;
extern quint32 archiveRangeLast;

// The main window as the parent of progress dialogs (set by the main window).
extern QWidget* mainWindowWidget;

// A text field of the image: its characters up to the first zero byte, at most
// `size` bytes (full fields carry no terminator), decoded as UTF-8, the form in
// which the pages store them.
QString imageText(const char* field, int size);
// Stores a text into a fixed field as UTF-8: at most `size` bytes from the start, the rest
// zero, cut at a character boundary (a field may end without a zero byte, never inside a
// character).
void storeImageText(char* field, int size, const QString& text);

// The local date and time of a device time in ticks.
QDateTime dateFromTicks(quint32 ticks);
// Seconds the local clock is ahead of UTC at a moment (seconds since the epoch).
int localUtcOffset(qint64 utcSeconds);
// Device ticks of a time in seconds since the epoch: seconds / secondsPerTick, cut toward
// zero (the PC clock) or rounded to the nearest tick, ties to even (a date the operator
// typed), held to the 32 bits the device counts in. A time before the epoch gives 0, one
// past the last tick the last tick (at 0.9375 s a tick, on a T2 Classic, the ticks run
// out in 2097). A tick length that is not a positive number counts as one second.
enum class TickRounding { TowardZero, Nearest };
quint32 ticksFromSeconds(qint64 seconds, double secondsPerTick,
                         TickRounding rounding = TickRounding::TowardZero);

// Whether a reply of function `replyFunction` (byte 1) may answer a request of
// `requestFunction`: the same function or its exception; 6 or 16 for a 16; 14 or
// 15 for a 14 or 15.
bool replyAnswers(quint8 requestFunction, quint8 replyFunction);

// CRC-16/MODBUS over the first n bytes; stores it at frame[n] (low byte) and frame[n+1].
void crc16(quint8* frame, int n);
quint16 crc16Value(const quint8* data, int n);
bool crcMatches(const quint8* frame, int n);
