#include "firmware.h"

#include "appsettings.h"
#include "command.h"
#include "dialogs.h"
#include "hexlines.h"
#include "modeltraits.h"
#include "operatorfile.h"
#include "progress.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QVector>

#include <cstring>

namespace
{

// One record with up to 16 data bytes: length, address (2), type, data, checksum.
constexpr int LineBufferSize = 21;
constexpr int MaxRecordData = LineBufferSize - 5;
constexpr int BlockBufferSize = 256;
// A block is sent once its bytes and the reserve would pass this.
constexpr int BlockThreshold = 229;

enum RecordType : quint8 { RecordData = 0, RecordEnd = 1, RecordLinearAddress = 4 };

quint8 lineBuffer[LineBufferSize];
quint8 blockBuffer[BlockBufferSize];

// One record the check pass accepted, as the transfer sends it, and the file
// position after its line (for the progress).
struct CheckedRecord {
    quint8 bytes[LineBufferSize];
    quint8 size;
    qint64 end;
};

void showError(const QString& text)
{
    dialogs::critical(nullptr, QObject::tr("Ошибка"), text);
}

// The device needs these pauses between the command writes; nothing is processed
// meanwhile (the operator cannot cancel inside them).
void waitMs(QElapsedTimer& clock, qint64 ms)
{
    while (clock.elapsed() < ms)
        QThread::msleep(quint64(qMin<qint64>(ms - clock.elapsed(), 20)));
}

bool writeCommand(quint16 reg, quint16 count)
{
    return resultOk(command.transact(16, DevicePage, reg, count));
}

// Reads the record that starts at `position` into lineBuffer. Returns the
// position after it, or 0 at the end of the file. `bad` is set when the line is
// not a well-formed record that fits the line buffer: a missing ':', a character
// that is not a hexadecimal digit, an odd digit count, more than 16 data bytes or
// a length byte that disagrees with the line. Blank lines are skipped.
qint64 readRecord(QIODevice& file, qint64 position, quint64& byteCount, bool& bad)
{
    for (;;) {
        byteCount = 0;
        if (!file.seek(position) || file.atEnd())
            return 0;
        QByteArray text = file.readLine();
        const qint64 next = file.pos();
        if (next <= position)
            return 0;
        while (!text.isEmpty() && (text.endsWith('\n') || text.endsWith('\r')))
            text.chop(1);
        if (text.trimmed().isEmpty()) {
            position = next;
            continue;
        }
        bad = true;
        if (text.size() < 11 || text[0] != ':' || (text.size() - 1) % 2 != 0 ||
            text.size() > 1 + 2 * LineBufferSize)
            return next;
        for (int i = 1; i < text.size(); ++i) {
            const char c = text[i];
            const bool hex =
                (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
            if (!hex)
                return next;
        }
        bool overflow = false;
        const qint64 after =
            readHexLine(file, lineBuffer, byteCount, LineBufferSize, position, &overflow);
        if (after != next || overflow || byteCount < 5 || lineBuffer[0] > MaxRecordData ||
            byteCount != quint64(lineBuffer[0]) + 5)
            return next;
        bad = false;
        return next;
    }
}

quint32 recordAddress16(const quint8* record)
{
    return quint32(record[1]) << 8 | record[2];
}

bool checksumOk(const quint8* record, quint64 byteCount)
{
    quint8 sum = 0;
    for (quint64 i = 0; i < byteCount; ++i)
        sum = quint8(sum + record[i]);
    return sum == 0;
}

// The largest sum of data bytes the model's flash takes; 0 = no limit.
quint64 sizeLimit(quint16 model, int mode)
{
    switch (model) {
    case ModelT2Classic:
        return 108544;
    case ModelT6:
        return mode == 2 ? 108544 : 172800;
    case ModelT2:
    case ModelT6B:
    case ModelT6M:
    case ModelT6M4:
        return 501760;
    default:
        return 0;
    }
}

quint32 modelWordAddress(quint16 model, int mode)
{
    if (mode == 0)
        return model == ModelT6 ? 0 : 0x08004C00;
    if (model == ModelT2)
        return 0x0803FC00;
    if (model == ModelT6)
        return 0x0802FC00;
    return 0x08040000;
}

// Whether the model word's record (h: model code, g: family code) fits the model.
bool modelWordAccepted(quint16 model, int mode, quint16 h, quint16 g)
{
    switch (model) {
    case ModelT2:
    case ModelT6:
    case ModelT6B:
    case ModelT6Mini:
    case ModelT6M:
    case ModelT6M4:
    case ModelT8M:
        break;
    default:
        return true; // ModelT2Classic, ModelBootloader and any other model
    }
    if (mode != 0)
        return (model == ModelT6 && mode == 2) || h == command.modelCode;
    if (model == ModelT6)
        return h == 404;
    if (h == 999)
        return true;
    switch (model) {
    case ModelT2:
        return g == 2;
    case ModelT6B:
        return g == 4;
    default:
        return g == 5;
    }
}

bool modelWordOptional(quint16 model, int mode)
{
    return model == ModelT2Classic || (model == ModelT6 && (mode == 0 || mode == 2));
}

// The check pass: nothing is sent. Returns false after showing the reason; on
// success `records` holds every record of the file, in order.
bool checkFile(QIODevice& file, int& mode, QVector<CheckedRecord>& records)
{
    const quint16 model = command.modelCode;
    const QString broken = QObject::tr("Файл прошивки не исправен");
    qint64 position = 0;
    quint64 byteCount = 0;
    quint64 dataSum = 0;
    quint32 upper = 0;
    quint32 lower = 0;
    int recordNumber = 0;
    bool startsInFlash = false;
    bool wordFound = false;
    bool otherModel = false;
    int lastType = -1;
    for (;;) {
        bool bad = false;
        position = readRecord(file, position, byteCount, bad);
        if (position == 0)
            break;
        if (bad || !checksumOk(lineBuffer, byteCount)) {
            showError(broken);
            return false;
        }
        const quint8 length = lineBuffer[0];
        const quint8 type = lineBuffer[3];
        const quint8* data = lineBuffer + 4;
        lastType = type;
        CheckedRecord record;
        std::memcpy(record.bytes, lineBuffer, size_t(byteCount));
        record.size = quint8(byteCount);
        record.end = position;
        records.append(record);

        if (mode == 1) {
            ++recordNumber;
            if (recordNumber == 1) {
                startsInFlash = type == RecordLinearAddress && length >= 2 && data[0] == 0x08 &&
                                data[1] == 0x00;
            } else if (recordNumber == 2 && startsInFlash) {
                if (recordAddress16(lineBuffer) == 0)
                    mode = 0;
            } else if (!startsInFlash && model == ModelT6 && recordNumber == 26 && length >= 4 &&
                       data[0] == 3 && data[1] == 50 && data[2] == 156 && data[3] == 167) {
                mode = 2;
            }
        }

        if (type == RecordData) {
            dataSum += length;
            lower = recordAddress16(lineBuffer);
        } else if (type == RecordLinearAddress) {
            if (length < 2) {
                showError(broken);
                return false;
            }
            upper = quint32(data[0]) << 8 | data[1];
            lower = 0;
        }

        if (type == RecordData && (upper << 16 | lower) == modelWordAddress(model, mode)) {
            wordFound = true;
            const quint16 h = length >= 2 ? quint16(data[0] | data[1] << 8) : 0;
            const quint16 g = length >= 6 ? quint16(data[4] | data[5] << 8) : 0;
            if (length < 2) {
                showError(broken);
                return false;
            }
            // Refused, but said only once the whole file has proved sound: a
            // file built for another model is not a damaged one.
            if (!modelWordAccepted(model, mode, h, g))
                otherModel = true;
        }
    }
    if (lastType != RecordEnd || !(wordFound || modelWordOptional(model, mode))) {
        showError(broken);
        return false;
    }
    if (otherModel) {
        showError(QObject::tr("Файл прошивки предназначен для другой модели прибора"));
        return false;
    }
    const quint64 limit = sizeLimit(model, mode);
    if (limit != 0 && dataSum > limit) {
        showError(QObject::tr("Файл прошивки больше, чем свободной памяти контроллера"));
        return false;
    }
    return true;
}

} // namespace

bool sendFirmwareBlock(quint8 functionCode, quint32 address, const quint8* data, quint8 length,
                       int mode)
{
    if (resultOk(command.writeDataBlock(functionCode, address, data, length)))
        return false;
    if (mode == 2)
        showError(QObject::tr("Критическая ошибка, повторите обновление прошивки"));
    else
        dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
    return true;
}

namespace
{

// The longest HEX file an image that fits the model's flash can come in: every
// data byte in a record of its own (":01AAAA00DDCC" and the line end, 15
// characters) still stays under 16 characters a byte. The models without a
// limit of their own are bounded by four times the largest limit of the
// others (501760 bytes), about 2 MB of image. A file longer than that is no
// firmware for the model and is refused before it is read.
qint64 firmwareFileBound(quint16 model)
{
    constexpr qint64 CharactersPerDataByte = 16;
    constexpr quint64 LargestFlash = 4 * 501760;
    const quint64 limit = qMax(sizeLimit(model, 1), sizeLimit(model, 2));
    return qint64(limit != 0 ? limit : LargestFlash) * CharactersPerDataByte;
}

// The file as the transfer will send it. It is read once: the transfer sends exactly
// the records the check accepted, whatever happens to the file meanwhile.
bool readFirmwareFile(QByteArray& contents)
{
    switch (readOperatorFile(lastFirmwareFile, firmwareFileBound(command.modelCode), &contents)) {
    case FileCheck::Ok:
        break;
    case FileCheck::TooLarge:
        showError(QObject::tr("Файл прошивки больше, чем свободной памяти контроллера"));
        return false;
    default:
        showError(QObject::tr("Ошибка открытия файла"));
        return false;
    }
    if (contents.isEmpty()) {
        showError(QObject::tr("Файл прошивки пустой"));
        return false;
    }
    return true;
}

// Where the blocks go and how: the function, the address of the block being
// gathered and its bytes so far (in blockBuffer).
struct Transfer {
    int mode = 1;
    quint16 model = ModelNone;
    quint8 functionCode = 14;
    quint32 address = 0;
    // The block is sent once its bytes and the reserve would pass BlockThreshold.
    int reserve = 0;
    int pending = 0;
};

// The command writes and pauses before the first block, by mode; false after the
// error box.
bool prepareTransfer(Transfer& t)
{
    QElapsedTimer clock;
    if (t.mode == 1) {
        t.functionCode = 15;
        t.reserve = LineBufferSize;
        return true;
    }
    if (t.mode == 0) {
        t.address = traitsOf(t.model).flashBase;
        if (!writeCommand(RegFirmwareStart, 1)) {
            dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
            return false;
        }
        clock.start();
        waitMs(clock, t.model == ModelBootloader ? 10000 : 1500);
        return true;
    }
    if (!writeCommand(RegUpdatePrepare, 1)) {
        dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
        return false;
    }
    clock.start();
    waitMs(clock, 500);
    if (!writeCommand(RegUpdateStart, 1)) {
        dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
        if (!writeCommand(RegUpdateCancel, 1))
            writeCommand(RegBootloaderPowerOff, 1);
        return false;
    }
    clock.start();
    waitMs(clock, 1500);
    t.address = 0x5000;
    t.reserve = 16;
    return true;
}

// Sends the gathered block; false after a failure (the box is shown).
bool sendPending(Transfer& t)
{
    return !sendFirmwareBlock(t.functionCode, t.address, blockBuffer, quint8(t.pending), t.mode);
}

// Adds a record to the block. The running application (mode 1) takes the records
// as the file has them; the bootloader takes their data at its flash address, so
// an address record or a gap sends what is pending first. False after a failed send.
bool gatherRecord(Transfer& t, const CheckedRecord& record)
{
    const quint8* bytes = record.bytes;
    if (t.mode == 1) {
        std::memcpy(blockBuffer + t.pending, bytes, record.size);
        t.pending += record.size;
        return true;
    }
    const quint8 type = bytes[3];
    const quint8 length = bytes[0];
    if (type == RecordLinearAddress) {
        if (t.pending == 0) {
            // Nothing pending: an empty block, whose answer does not matter.
            command.writeDataBlock(t.functionCode, t.address, blockBuffer, 0);
        } else if (!sendPending(t)) {
            return false;
        }
        t.address = quint32(bytes[4]) << 24 | quint32(bytes[5]) << 16;
        t.pending = 0;
    } else if (type == RecordData) {
        const quint32 lower = recordAddress16(bytes);
        if (lower != ((t.address + quint32(t.pending)) & 0xFFFF)) {
            if (t.pending > 0 && !sendPending(t))
                return false;
            t.address = (t.address & 0xFFFF0000u) | lower;
            t.pending = 0;
        }
        std::memcpy(blockBuffer + t.pending, bytes + 4, length);
        t.pending += length;
    }
    return true;
}

// The closing write after the last block: the end flag and the address reached,
// from register `reg` on; false after the error box.
bool writeTransferEnd(quint8 flag, quint32 address, quint16 reg, quint16 count)
{
    command.firmwareEndFlag = flag;
    command.firmwareEndAddress = address;
    if (writeCommand(reg, count))
        return true;
    dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
    return false;
}

// The transfer pass: one record a step; a full block is sent, and at the end of the
// file what is left (an empty block too). False on a cancel and after a failure.
bool transferRecords(const QVector<CheckedRecord>& records, qint64 size, Transfer& t,
                     ProgressSession& progress)
{
    qint64 position = 0;
    int next = 0;
    for (;;) {
        const int percent = int(100 * position / size);
        if (!progress.step(percent))
            return false;
        const bool ended = next >= records.size();
        if (!ended) {
            const CheckedRecord& record = records[next++];
            position = record.end;
            if (!gatherRecord(t, record))
                return false;
        }
        if (t.pending + t.reserve > BlockThreshold || ended) {
            if (!sendPending(t))
                return false;
            t.address += quint32(t.pending);
            t.pending = 0;
        }
        if (percent != 0)
            progress.showRemaining(QObject::tr("Выполнение процесса,\nосталось %1 секунд"),
                                   qint64(progressSecondsLeft(progress.elapsedMs(), percent, 100,
                                                              PaceForm::ElapsedFirst)));
        if (ended)
            break;
    }
    // The running application and the bootloader model close the transfer with the
    // end flag; the update path closes it in finishUpdatePath.
    if (t.mode == 1 || t.model == ModelBootloader)
        return writeTransferEnd(1, t.address, RegFirmwareEndFlag, 3);
    return true;
}

// The end of a mode-2 transfer: the address reached, or the device told to cancel
// the update. Returns whether the update succeeded.
bool finishUpdatePath(bool ok, const Transfer& t)
{
    QElapsedTimer clock;
    clock.start();
    waitMs(clock, 300);
    if (!ok) {
        if (!writeCommand(RegUpdateCancel, 1))
            dialogs::exchangeError(nullptr, dialogs::Kind::Critical);
        return false;
    }
    return writeTransferEnd(0, t.address, RegFirmwareEndAddress, 2);
}

} // namespace

int updateFirmware(int mode)
{
    // Offline every exchange succeeds without traffic: the upload would report an
    // image that no device ever got.
    if (command.connected == 0) {
        showError(QObject::tr("Нет связи с прибором"));
        return 0;
    }
    QByteArray contents;
    if (!readFirmwareFile(contents))
        return 0;
    QVector<CheckedRecord> records;
    {
        QBuffer buffer(&contents);
        buffer.open(QIODevice::ReadOnly);
        if (!checkFile(buffer, mode, records))
            return 0;
    }

    // From here on the device may come back with new firmware, or in its
    // bootloader: the next read asks its register layout again, and no save
    // goes out before that.
    command.registerMapProbed = false;
    command.registerMapDecided = false;

    Transfer transfer;
    transfer.mode = mode;
    transfer.model = command.modelCode;
    if (!prepareTransfer(transfer))
        return 0;
    ProgressSession progress;
    bool ok = transferRecords(records, contents.size(), transfer, progress);
    if (mode == 2)
        ok = finishUpdatePath(ok, transfer);
    return ok ? 1 : 0;
}
