// Walks the register maps: stores function-3/4 replies into the image and
// builds function-16 requests from it.

#include "registermap.h"
#include "command.h"
#include "modeltraits.h"
#include "units.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace regmap
{

namespace
{

bool isDeviceTarget(Target t)
{
    return t != Target::None && t != Target::Channel && t != Target::ClassicExtras;
}

// On the device page the device registers that sit inside the channel blocks
// are reachable too (the clock, serial number, ...); channel registers are not.
void addDeviceRegistersOfChannelPages(Table& device, const Table& channel)
{
    for (int r = 0; r < 4096; ++r) {
        if (device.reg[r].rule == Rule::None && channel.reg[r].rule != Rule::End &&
            isDeviceTarget(channel.reg[r].target))
            device.reg[r] = channel.reg[r];
    }
}

HoldingTables* makeHolding(void (*build)(HoldingTables&))
{
    auto* t = new HoldingTables();
    build(*t);
    addDeviceRegistersOfChannelPages(t->deviceRead, t->channelRead);
    addDeviceRegistersOfChannelPages(t->deviceWrite, t->channelWrite);
    return t;
}

} // namespace

const HoldingTables& classicHolding()
{
    static const HoldingTables* t = makeHolding(buildClassicHolding);
    return *t;
}

const HoldingTables& extendedHolding()
{
    static const HoldingTables* t = makeHolding(buildExtendedHolding);
    return *t;
}

const InputTables& inputTables()
{
    static const InputTables* t = [] {
        auto* tables = new InputTables();
        buildInput(*tables);
        return tables;
    }();
    return *t;
}

qint64 scaleDecimal(float value, int decimals)
{
    if (!std::isfinite(value))
        return 0;
    char text[64];
    const auto res = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (res.ec != std::errc())
        return 0;
    const char* p = text;
    const char* end = res.ptr;
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    constexpr qint64 limit = qint64(1) << 53;
    qint64 result = 0;
    for (; p < end && *p != '.'; ++p) {
        result = result * 10 + (*p - '0');
        if (result > limit)
            return negative ? -limit : limit;
    }
    if (p < end && *p == '.')
        ++p;
    for (int i = 0; i < decimals; ++i) {
        result *= 10;
        if (p < end)
            result += *p++ - '0';
    }
    return negative ? -result : result;
}

} // namespace regmap

using namespace regmap;

namespace
{

struct Walk {
    Command& c;
    bool classic;
    int page;
};

// Where an entry's field lives, or nullptr when the request's page has no
// record for it (a channel register on the device page or above).
quint8* fieldBase(const Walk& w, const Entry& e)
{
    Command& c = w.c;
    switch (e.target) {
    case Target::Channel: {
        const int ch = e.channel >= 0 ? e.channel : w.page;
        if (ch < 0 || ch >= ChannelSlots)
            return nullptr;
        return w.classic ? reinterpret_cast<quint8*>(&c.classicChannels[ch])
                         : reinterpret_cast<quint8*>(&c.extendedChannels[ch]);
    }
    case Target::ClassicExtras:
        if (w.page < 0 || w.page >= ChannelSlots)
            return nullptr;
        return reinterpret_cast<quint8*>(&c.classicExtras[w.page]);
    case Target::Device:
        return w.classic ? reinterpret_cast<quint8*>(&c.classicDevice)
                         : reinterpret_cast<quint8*>(&c.extendedDevice);
    case Target::ModelCode:
        return reinterpret_cast<quint8*>(&c.modelCode);
    case Target::FirmwareVersion:
        return reinterpret_cast<quint8*>(&c.firmwareVersion);
    case Target::BleMac:
        return c.bleMac;
    case Target::LoraId:
        return c.loraId;
    case Target::FirmwareEndFlag:
        return &c.firmwareEndFlag;
    case Target::FirmwareEndAddress:
        return reinterpret_cast<quint8*>(&c.firmwareEndAddress);
    case Target::TempSensorCalibration:
        return reinterpret_cast<quint8*>(&c.tempSensorCalibration);
    case Target::ClassicLanguage:
        return reinterpret_cast<quint8*>(&c.classicLanguage);
    case Target::ExtendedLanguage:
        return reinterpret_cast<quint8*>(&c.extendedLanguage);
    case Target::None:
        break;
    }
    static quint8 none[8];
    return none; // rules without a field never touch it
}

template <typename T> T load(const quint8* p)
{
    T v;
    memcpy(&v, p, sizeof v);
    return v;
}

template <typename T> void save(quint8* p, T v)
{
    memcpy(p, &v, sizeof v);
}

bool packedByPair(const Walk& w)
{
    return traitsOf(w.c.modelCode).group == ModelGroup::T6Max || w.page == 3;
}

void storeValue(const Walk& w, const Entry& e, quint8* base, quint16 v)
{
    quint8* f = base + e.offset;
    switch (e.rule) {
    case Rule::U16:
        save<quint16>(f, v);
        break;
    case Rule::U8:
        *f = quint8(v & 0xFF);
        break;
    case Rule::SetU32:
        save<quint32>(f, v);
        break;
    case Rule::OrHighU32:
        save<quint32>(f, load<quint32>(f) | (quint32(v) << 16));
        break;
    case Rule::Hundredths:
        save<float>(f, float(double(v) / 100.0));
        break;
    case Rule::Thousandths:
        save<float>(f, float(double(v) / 1000.0));
        break;
    case Rule::SignedHundredths:
        save<float>(f, float(double(qint16(v)) / 100.0));
        break;
    case Rule::DivByDivisor: {
        const quint16 divisor =
            w.classic ? reinterpret_cast<ClassicChannelRecord*>(base)->displayDivisor[1]
                      : reinterpret_cast<ExtendedChannelRecord*>(base)->displayDivisor[1];
        save<float>(f, float(double(v) / double(effectiveDivisor(divisor))));
        break;
    }
    case Rule::Packed283: {
        auto* rec = reinterpret_cast<ClassicChannelRecord*>(base);
        if (packedByPair(w)) {
            rec->rloadIndex = quint8(v >> 8);
            rec->rgainIndex = quint8(v & 0xFF);
        } else {
            rec->rfIndex = quint8(v & 0x0F);
            rec->rloadIndex = quint8((v >> 4) & 0x0F);
            rec->rgainIndex = quint8(v >> 8);
        }
        break;
    }
    case Rule::FirmwareVersion288:
        w.c.firmwareVersion = v;
        break;
    case Rule::NonZeroFlag:
        w.c.firmwareEndFlag = v != 0 ? 1 : 0;
        break;
    case Rule::NonZeroAddress:
        w.c.firmwareEndAddress = v != 0 ? 1 : 0;
        break;
    default: // taken, nothing stored
        break;
    }
}

quint16 sendValue(const Walk& w, const Entry& e, const quint8* base, quint16 startRegister)
{
    const quint8* f = base + e.offset;
    switch (e.rule) {
    case Rule::U16:
    case Rule::SetU32:
        return load<quint16>(f);
    case Rule::OrHighU32:
        return load<quint16>(f + 2);
    case Rule::U8:
        return *f;
    case Rule::Hundredths:
        return quint16(scaleDecimal(load<float>(f), 2) & 0xFFFF);
    case Rule::Thousandths:
        return quint16(scaleDecimal(load<float>(f), 3) & 0xFFFF);
    case Rule::Packed283: {
        auto* rec = reinterpret_cast<const ClassicChannelRecord*>(base);
        if (packedByPair(w))
            return quint16((rec->rloadIndex << 8) | rec->rgainIndex);
        return quint16((rec->rgainIndex << 8) + ((rec->rloadIndex * 16) % 256) +
                       (rec->rfIndex % 16));
    }
    case Rule::FirmwareStart:
    case Rule::BootloaderPowerOff:
        return 1;
    case Rule::Register2:
        return startRegister == 1 ? 1 : 0;
    case Rule::NonZeroFlag:
        return w.c.firmwareEndFlag;
    case Rule::NonZeroAddress:
        return quint16(w.c.firmwareEndAddress & 0xFFFF);
    case Rule::FlagBit:
        return (load<quint16>(f) >> e.bit) & 1;
    default: // command registers and the firmware version are sent as 0
        return 0;
    }
}

void refreshDivisors(Command& c, bool classic, int page)
{
    if (classic) {
        auto& rec = c.classicChannels[page];
        rec.displayDivisor[0] = quint16(decimalScale(rec.format, 0));
        rec.displayDivisor[1] = quint16(decimalScale(rec.format, 1));
    } else {
        auto& rec = c.extendedChannels[page];
        rec.displayDivisor[0] = quint16(decimalScale(rec.format, 0));
        rec.displayDivisor[1] = quint16(decimalScale(rec.format, 1));
    }
}

TransactionResult walkReply(Command& c, const Table& t, const Walk& w, quint16 reg,
                            bool divisorStep)
{
    if (!t.isStart(reg))
        return ResultMismatch;
    bool lastWithoutTest = false;
    for (;; ++reg) {
        if (reg >= 4096)
            return ResultBlockOverrun;
        const Entry& e = t.reg[reg];
        if (e.rule == Rule::End)
            return e.endResult;
        if (e.rule == Rule::None)
            return ResultMismatch;
        quint8* base = fieldBase(w, e);
        if (base == nullptr)
            return ResultMismatch;
        if (c.frameRemaining < 2) {
            // Only after registers 1 and 2, which do not end the parse: the reply
            // holds nothing more, and the block is never complete there.
            return lastWithoutTest ? ResultBlockOverrun : ResultMismatch;
        }
        quint16 v = 0;
        c.takeRegister(v);
        storeValue(w, e, base, v);
        if (e.rule == Rule::BootloaderPowerOff)
            return ResultBlockOverrun;
        lastWithoutTest = e.rule == Rule::FirmwareStart || e.rule == Rule::Register2;
        if (lastWithoutTest)
            continue;
        if (c.frameRemaining == 0) {
            if (divisorStep && w.page < ChannelSlots)
                refreshDivisors(c, w.classic, w.page);
            return ResultOk;
        }
    }
}

static_assert(offsetof(ClassicDeviceBlock, archiveCurrentAddress) ==
                  offsetof(ClassicDeviceBlock, archiveStartAddress) + 4,
              "the archive pointers sit side by side");
static_assert(offsetof(ExtendedDeviceBlock, archiveCurrentAddress) ==
                  offsetof(ExtendedDeviceBlock, archiveStartAddress) + 4,
              "the archive pointers sit side by side");

// Whether the registers stored from reg on include one of the archive pointers.
bool storedArchivePointers(const Table& t, quint16 reg, int registers, bool classic)
{
    const int first = classic ? int(offsetof(ClassicDeviceBlock, archiveStartAddress))
                              : int(offsetof(ExtendedDeviceBlock, archiveStartAddress));
    for (int r = reg; r < reg + registers && r < 4096; ++r) {
        const Entry& e = t.reg[r];
        if (e.target == Target::Device && e.offset >= first && e.offset < first + 8)
            return true;
    }
    return false;
}

} // namespace

TransactionResult Command::parseHoldingRegisters(const quint8* reply, quint16 address)
{
    frameRemaining = reply[2];
    frameCursor = const_cast<quint8*>(reply + 3);
    const int page = address >> 12;
    const quint16 reg = address & 0x0FFF;
    if (registerMap != ClassicMap && registerMap != ExtendedMap)
        return ResultOk;
    // Half a register can not be stored; refuse the reply before anything is.
    if (frameRemaining % 2 != 0)
        return ResultMismatch;
    const bool classic = registerMap == ClassicMap;
    const HoldingTables& tables = classic ? classicHolding() : extendedHolding();
    const Table& t = page < ChannelSlots ? tables.channelRead : tables.deviceRead;
    const int bytes = frameRemaining;
    const TransactionResult result = walkReply(*this, t, Walk{*this, classic, page}, reg, true);
    // The device's own pointers replace a pending "Очистка архива" in the image,
    // as a read replaces any unsaved edit: the save then sends them, not zeros.
    // A refused reply puts the old image back, the zeros included, so the clear
    // stays pending with them.
    if (result == ResultOk && archiveClearPending &&
        storedArchivePointers(t, reg, (bytes - frameRemaining) / 2, classic))
        archiveClearPending = false;
    return result;
}

TransactionResult Command::parseInputRegisters(const quint8* reply, quint16 address)
{
    frameRemaining = reply[2];
    frameCursor = const_cast<quint8*>(reply + 3);
    const int page = address >> 12;
    const quint16 reg = address & 0x0FFF;
    if (registerMap != ClassicMap && registerMap != ExtendedMap)
        return ResultOk;
    if (frameRemaining % 2 != 0)
        return ResultMismatch;
    const InputTables& tables = inputTables();
    const bool classic = registerMap == ClassicMap;
    const Table& t = !classic                                         ? tables.extended
                     : traitsOf(modelCode).group == ModelGroup::T6Max ? tables.pageClassic
                                                                      : tables.fixedClassic;
    return walkReply(*this, t, Walk{*this, classic, page}, reg, false);
}

int Command::buildWriteMultiple(quint16 address, quint16 count, quint8* frame)
{
    frame[0] = quint8(modbusAddress & 0xFF);
    frame[1] = 16;
    frame[2] = quint8(address >> 8);
    frame[3] = quint8(address & 0xFF);
    frame[4] = quint8(count >> 8);
    frame[5] = quint8(count & 0xFF);
    frame[6] = 0;
    byteCountPos = frame + 6;
    frameCursor = frame + 7;
    frameLength = 7;
    frameRemaining = count;
    if (registerMap != ClassicMap && registerMap != ExtendedMap)
        return 7;
    const int page = address >> 12;
    quint16 reg = address & 0x0FFF;
    const bool classic = registerMap == ClassicMap;
    const HoldingTables& tables = classic ? classicHolding() : extendedHolding();
    const Table& t = page < ChannelSlots ? tables.channelWrite : tables.deviceWrite;
    if (!t.isStart(reg) || count == 0)
        return ResultMismatch;
    const Walk w{*this, classic, page};
    const quint16 start = reg;
    for (;; ++reg) {
        if (reg >= 4096)
            return ResultBlockOverrun;
        const Entry& e = t.reg[reg];
        if (e.rule == Rule::End) {
            if (e.endResult == (ResultOk | ResultNotSent)) {
                // The device's own firmware marks this overrun as an exception
                // frame; it is never sent.
                frame[1] |= 0x80;
                frame[2] = 3;
            }
            return e.endResult;
        }
        if (e.rule == Rule::None)
            return ResultMismatch;
        const quint8* base = fieldBase(w, e);
        if (base == nullptr)
            return ResultMismatch;
        if (frameLength + 2 + 2 > RequestBufferSize)
            return ResultBlockOverrun;
        if (page < ChannelSlots && e.target == Target::Channel &&
            reg == (classic ? RegChannelFlagsClassic : RegChannelFlagsExtended))
            keepCalibrationModeOff(page);
        if (putRegister(sendValue(w, e, base, start)))
            return frameLength;
    }
}
