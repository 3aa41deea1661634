// Whole sequences of exchanges over the parameter image: read everything,
// write by access level, write one channel's settings, calibration mode.

#include "accesslevel.h"
#include "command.h"
#include "modeltraits.h"

#include <QDateTime>

namespace
{

struct Block {
    quint8 function;
    quint16 page; // ChannelPage: the channel of the loop
    quint16 reg;
    quint16 count;
    bool counted; // whether its failure ends the operation
};

constexpr quint16 ChannelPage = 0xFFFF;

// Register counts (channel block at 258, read from RegFirmwareVersion) of the two kinds of
// firmware.
constexpr quint16 blockCountTable[2][2] = {{55, 7}, {55, 9}};

} // namespace

bool Command::longVersionBlock() const
{
    switch (modelCode) {
    case ModelT2:
    case ModelT2Classic:
    case ModelT6:
    case ModelT6B:
    case ModelT6Mini:
    case ModelT6M:
    case ModelT8M:
        return true;
    case ModelT6M4:
        return firmwareVersion != 11;
    default:
        return false;
    }
}

quint32 Command::deviceTimeNow() const
{
    return ticksFromSeconds(QDateTime::currentSecsSinceEpoch(), secondsPerTick);
}

void Command::setClockFieldsNow(quint16 map)
{
    const qint64 seconds = QDateTime::currentSecsSinceEpoch();
    const quint32 now = ticksFromSeconds(seconds, secondsPerTick);
    const qint32 offset = localUtcOffset(seconds);
    if (map == ClassicMap) {
        classicDevice.deviceClock = now;
        classicDevice.utcOffset = offset;
    } else {
        extendedDevice.deviceClock = now;
        extendedDevice.utcOffset = offset;
    }
}

qint64 Command::archiveOldestIndex() const
{
    // The device keeps its archive start one lap of the ring (0x7FFF records)
    // ahead once the ring has wrapped. The image keeps the raw pointers (a save
    // sends them back as they are); the oldest index is derived here. Equal
    // pointers are an empty archive.
    if (registerMap == ClassicMap)
        return qint64(classicDevice.archiveStartAddress);
    const qint64 start = qint64(extendedDevice.archiveStartAddress);
    const qint64 current = qint64(extendedDevice.archiveCurrentAddress);
    return start > current ? start - 0x7FFF : start;
}

bool Command::refreshArchivePointers()
{
    if (archiveClearPending)
        return true;
    return transact(3, DevicePage, RegArchiveStartAddress, 4) == ResultOk;
}

TransactionResult Command::writeArchiveBlock()
{
    // A device that logged records since the last read would be set back by the
    // image's older pointers; a failed read sends nothing stale either.
    if (connected && !refreshArchivePointers())
        return ResultMismatch;
    const TransactionResult result = transact(16, DevicePage, RegArchiveIntervals, 6);
    if (result == ResultOk && connected)
        archiveClearPending = false;
    return result;
}

bool Command::readAllParameters(int mode, bool measurementsOnly)
{
    const quint16* counts = blockCountTable[longVersionBlock() ? 1 : 0];
    const quint16 versionCount = counts[1];

    if (mode == 2) {
        for (quint16 ch = 0; ch < channelSlotsInUse(); ++ch) {
            if (extendedChannels[ch].channelPage == ch)
                transact(4, ch, RegCalibrationConcentration, 28);
        }
        transact(4, DevicePage, RegFirmwareVersion, versionCount);
        return true;
    }

    const bool stopAtFailure = mode == 1;
    if (mode == 1) {
        setClockFieldsNow(ExtendedMap);
        if (transact(16, DevicePage, RegClock, 4) != ResultOk)
            return false;
    }

    const quint16 channelBlock = counts[0];
    for (quint16 ch = 0; ch < channelSlotsInUse(); ++ch) {
        if (mode != 1 || !measurementsOnly) {
            if (transact(3, ch, RegChannelPage, channelBlock) != ResultOk && stopAtFailure)
                return false;
            if (transact(3, ch, RegExtendedCorrectionTables, ExtendedCorrectionTablesCount) !=
                    ResultOk &&
                stopAtFailure)
                return false;
            if (transact(3, ch, RegExtendedSensorSerial, 7) != ResultOk && stopAtFailure)
                memset(extendedChannels[ch].sensorSerial, 0,
                       sizeof extendedChannels[ch].sensorSerial);
            if (transact(3, ch, RegExtendedAdcZero, 2) != ResultOk && stopAtFailure)
                return false;
            // The writes send the flag block (548-552) back; without this read
            // they would send whatever the image held and clear the device's
            // limit directions, auto-zero and calibration flags.
            if (transact(3, ch, RegChannelFlagsExtended, 5) != ResultOk && stopAtFailure)
                return false;
        }
        if (transact(4, ch, RegCalibrationConcentration, 28) != ResultOk && stopAtFailure)
            return false;
    }

    if (mode != 1)
        transact(3, DevicePage, RegClock, 4); // reads the clock back
    const Block device[] = {{3, DevicePage, RegPwmSound, 7, true},
                            {3, DevicePage, RegArchiveIntervals, 6, true},
                            {3, DevicePage, RegDeviceFlags, 4, true},
                            {4, DevicePage, RegFirmwareVersion, versionCount, true},
                            {4, DevicePage, RegExtendedBleMac, 3, false},
                            {4, DevicePage, RegExtendedLoraId, 4, false},
                            {3, DevicePage, RegExtendedGnssConfig, 3, false},
                            {3, DevicePage, RegExtendedLcdType, 1, false}};
    for (const Block& b : device) {
        if (transact(b.function, b.page, b.reg, b.count) != ResultOk && b.counted && stopAtFailure)
            return false;
    }
    return true;
}

bool Command::writeAllParameters(bool withAdcPoints)
{
    setClockFieldsNow(ExtendedMap);
    if (transact(16, 0, RegClock, 4) != ResultOk)
        return false;

    // Per channel, then at device level. The User block covers 258-276: the
    // limits, STEL, TWA and the STEL interval, whole fields only.
    static const Block user[] = {{16, ChannelPage, RegChannelPage, 19, true},
                                 {16, ChannelPage, RegChannelFlagsExtended, 2, true}};
    static const Block admin[] = {
        {16, ChannelPage, RegChannelPage, 41, true},
        {16, ChannelPage, RegExtendedFormulaGasNumber, 1, true},
        {16, ChannelPage, RegExtendedSensorSerial, 7, false},
        {16, ChannelPage, RegExtendedCorrectionTables, ExtendedCorrectionTablesCount, true},
        {16, ChannelPage, RegChannelFlagsExtended, 5, true}};
    static const Block adminDevice[] = {{16, DevicePage, RegDeviceFlags, 4, true}};
    static const Block industry[] = {
        {16, ChannelPage, RegChannelPage, 55, true},
        {16, ChannelPage, RegExtendedSensorSerial, 7, false},
        {16, ChannelPage, RegExtendedCorrectionTables, ExtendedCorrectionTablesCount, true},
        {16, ChannelPage, RegChannelFlagsExtended, 5, true}};
    static const Block industryAdc[] = {{16, ChannelPage, RegExtendedAdcZero, 2, true}};
    static const Block industryDevice[] = {{16, DevicePage, RegPwmSound, 7, true},
                                           {16, DevicePage, RegArchiveIntervals, 6, true},
                                           {16, DevicePage, RegDeviceFlags, 4, true},
                                           {16, DevicePage, RegExtendedGnssConfig, 3, false},
                                           {16, DevicePage, RegExtendedLcdType, 1, false}};

    auto run = [this](const Block* blocks, size_t n, quint16 ch) {
        for (size_t i = 0; i < n; ++i) {
            const Block& b = blocks[i];
            const quint16 page = b.page == ChannelPage ? ch : b.page;
            const bool archive = page == DevicePage && b.reg == RegArchiveIntervals;
            if ((archive ? writeArchiveBlock() : transact(b.function, page, b.reg, b.count)) !=
                    ResultOk &&
                b.counted)
                return false;
        }
        return true;
    };
    const quint16 channels = channelSlotsInUse();

    const AccessLevel level = accessLevel(userName);
    if (level == AccessLevel::User) {
        for (quint16 ch = 0; ch < channels; ++ch)
            if (!run(user, std::size(user), ch))
                return false;
        return true;
    }
    if (level == AccessLevel::Admin) {
        for (quint16 ch = 0; ch < channels; ++ch)
            if (!run(admin, std::size(admin), ch))
                return false;
        return run(adminDevice, std::size(adminDevice), 0);
    }
    if (level == AccessLevel::Industry) {
        for (quint16 ch = 0; ch < channels; ++ch) {
            if (!run(industry, std::size(industry), ch))
                return false;
            if (withAdcPoints && !run(industryAdc, std::size(industryAdc), ch))
                return false;
        }
        return run(industryDevice, std::size(industryDevice), 0);
    }
    return true; // any other name: only the clock
}

bool Command::writeSettingsBlocks()
{
    // Every register that holds a field of the channel set-up page, as the
    // production save writes it: the settings blocks, and the channel's flag
    // word (limit directions, auto-zero, range limit, sensor protection,
    // receipt, calibration unit), which they leave out. A refused block is not
    // committed: the device must not adopt half of the channel.
    const quint16 ch = currentChannel & 0xFF;
    if (registerMap == ClassicMap) {
        // The block starts at the device clock: set it to now so that a save
        // never sets the device clock back to whatever the image held.
        setClockFieldsNow(ClassicMap);
        const ModelGroup group = traitsOf(modelCode).group;
        const bool t6m = group == ModelGroup::T6Max;
        if (transact(16, ch, RegDeviceClock, 82) != ResultOk)
            return false;
        if (t6m && transact(16, ch, RegClassicZeroTable, 20) != ResultOk)
            return false;
        if (transact(16, ch, RegChannelFlagsClassic, 1) != ResultOk)
            return false;
        // Sub-kind and cell position; older T6 Max firmware has no such
        // register, so its answer does not count (as in the save).
        if (t6m)
            transact(16, ch, RegClassicSensorType, 1);
        unsigned results = ResultOk;
        switch (group) {
        case ModelGroup::T2:
            results |= transact(4, DevicePage, RegCalibrationConcentration, 2);
            break;
        case ModelGroup::T6:
            results |= transact(4, DevicePage, RegCalibrationConcentration, 8);
            break;
        case ModelGroup::T6Max:
            results |= transact(4, ch, RegCalibrationConcentration, 13);
            break;
        default:
            break;
        }
        results |= transact(16, DevicePage, RegCommit, 1);
        if (!resultsOk(results))
            return false;
        transact(3, ch, RegDeviceClock, 82);
        if (t6m) {
            transact(3, ch, RegClassicZeroTable, 20);
            transact(3, ch, RegClassicSensorType, 1);
        }
        transact(3, ch, RegChannelFlagsClassic, 1);
        return true;
    }
    if (registerMap == ExtendedMap) {
        if (transact(16, ch, RegChannelPage, 55) != ResultOk ||
            transact(16, ch, RegExtendedCorrectionTables, ExtendedCorrectionTablesCount) !=
                ResultOk)
            return false;
        transact(16, ch, RegExtendedSensorSerial, 7);
        if (transact(16, ch, RegExtendedAdcZero, 2) != ResultOk ||
            transact(16, ch, RegChannelFlagsExtended, 2) != ResultOk)
            return false;
        unsigned results = transact(4, ch, RegCalibrationConcentration, 21);
        results |= transact(16, DevicePage, RegCommit, 1);
        if (!resultsOk(results))
            return false;
        transact(3, ch, RegChannelPage, 55);
        transact(3, ch, RegExtendedCorrectionTables, ExtendedCorrectionTablesCount);
        transact(3, ch, RegExtendedAdcZero, 2);
        transact(3, ch, RegChannelFlagsExtended, 2);
        return true;
    }
    return true;
}

void Command::keepCalibrationModeOff(int channel)
{
    // Only a running procedure has the mode on (setCalibrationMode switches it).
    if (calibrationModeOn || channel < 0 || channel >= ChannelSlots)
        return;
    if (registerMap == ClassicMap) {
        ClassicChannelRecord& r = classicChannels[channel];
        if (r.channelPage == channel && (r.format & FormatBits::CalibrationModeChannel))
            r.channelFlags &= quint16(~ChannelFlagBits::CalibrationMode);
    } else if (registerMap == ExtendedMap) {
        ExtendedChannelRecord& r = extendedChannels[channel];
        if (r.channelPage == channel && (r.format & FormatBits::CalibrationModeChannel))
            r.channelFlags &= ~quint32(ChannelFlagBits::CalibrationMode);
    }
}

void Command::setCalibrationMode(bool on)
{
    if (registerMap != ClassicMap && registerMap != ExtendedMap)
        return;
    calibrationModeOn = on;
    const bool classic = registerMap == ClassicMap;
    const quint16 channels = channelSlotsInUse();
    for (quint16 i = 0; i < channels; ++i) {
        const quint16 page =
            classic ? classicChannels[i].channelPage : extendedChannels[i].channelPage;
        const quint16 format = classic ? classicChannels[i].format : extendedChannels[i].format;
        if (page != i || !(format & FormatBits::CalibrationModeChannel))
            continue;
        const quint32 flags =
            classic ? classicChannels[i].channelFlags : extendedChannels[i].channelFlags;
        if (on && (flags & ChannelFlagBits::CalibrationMode))
            continue;
        const quint32 updated = on ? flags | ChannelFlagBits::CalibrationMode
                                   : flags & ~ChannelFlagBits::CalibrationMode;
        if (classic) {
            classicChannels[i].channelFlags = quint16(updated);
            transact(16, i, RegChannelFlagsClassic, 1);
        } else {
            extendedChannels[i].channelFlags = updated;
            transact(16, i, RegChannelFlagsExtended, 2);
        }
    }
}
