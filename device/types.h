#pragma once

#include <QtGlobal>

// Result bits of one exchange with the detector. Callers OR the results of
// several exchanges together; see resultsOk().
using TransactionResult = quint16;

enum TransactionResultBits : quint16 {
    ResultNotSent = 1,
    ResultOk = 2,
    ResultMismatch = 4,
    ResultBlockOverrun = 8,
    ResultWriteTimeout = 16,
    ResultNoReply = 32,
    ResultIllegalAddress = 64,
    ResultIllegalValue = 128,
    ResultCrcError = 256,
};

// A single result is a success only when it is exactly ResultOk.
inline bool resultOk(TransactionResult r)
{
    return r == ResultOk;
}
// Results ORed together succeed when no bit but ResultOk is set (the CRC bit included).
inline bool resultsOk(unsigned combined)
{
    return (combined & ~unsigned(ResultOk)) == 0;
}

enum DeviceModel : quint16 {
    ModelNone = 0,
    ModelT2 = 102,
    ModelT2Classic = 411,
    ModelT6 = 404,
    ModelT6B = 405,
    ModelT6Mini = 406,
    ModelT6M = 420,
    ModelT6M4 = 421,
    ModelT8M = 430,
    ModelBootloader = 999,
};

enum RegisterMap : quint16 {
    ClassicMap = 0,
    ExtendedMap = 1,
};

// Device-level registers are addressed with this page; cut to the 4-bit page
// field of the wire address it lands as page 10 (0xA000 + register).
constexpr quint16 DevicePage = 170;
constexpr quint16 WireDevicePage = 10;
constexpr int ChannelSlots = 10;

// Holding and input registers with a name of their own. The two layouts give
// some numbers different meanings: Classic / Extended in a name says which
// layout the register belongs to; a name without either means the same field in
// both. Input registers are marked.
enum Register : quint16 {
    // device page
    RegFirmwareStart = 1,
    RegFirmwareEndFlag = 3,
    RegFirmwareEndAddress = 4,
    RegBootloaderPowerOff = 5,
    RegUpdatePrepare = 16,
    RegUpdateCancel = 17,
    RegUpdateStart = 18,
    RegPwmSound = 512,
    RegExtendedLcdType = 519,
    RegArchiveIntervals = 528, // the archive block, 528-533
    RegArchiveStartAddress = 529,
    RegDeviceFlags = 544,
    RegClassicDeviceStatus = 545,
    RegSoundLockBit = 561,
    RegCalibMenuLockBit = 562,
    RegPowerOffLockBit = 563,
    RegCommit = 576,
    RegSaveFactory = 592,
    RegRestoreFactory = 594,
    RegEndSession = 596,
    RegTempSensorCalibration = 598,
    RegExtendedGnssConfig = 784,
    RegDeviceLanguage = 1792,
    RegBleBootloader = 1794,
    RegPowerOff = 2048,

    // channel pages
    RegClock = 254,       // utcOffset, then deviceClock
    RegDeviceClock = 256, // the classic read block starts here
    RegChannelPage = 258, // the extended channel block starts here
    RegClassicCalibrationGas = 260,
    RegExtendedCalibrationGas = 262,
    RegClassicHardwareVersion = 287,
    RegClassicSensorStatus = 293,
    RegClassicCorrectionTables = 296, // temperature and span tables, 296-335
    RegExtendedFormulaGasNumber = 311,
    RegClassicAdcZero = 336,
    RegClassicAdcSpan = 337,
    RegExtendedCorrectionTables = 336, // temperature, span and zero tables, 336-395
    RegClassicZeroTable = 352,
    RegExtendedSensorSerial = 400,
    RegClassicSensorType = 514,
    RegChannelFlagsClassic = 546,
    RegClassicChannelStatus = 547,
    RegChannelFlagsExtended = 548,
    RegAutoZeroBit = 560,
    RegExtendedAdcZero = 768,
    RegExtendedAdcSpan = 769,

    // input registers
    RegModelCode = 16,
    RegFirmwareVersion = 17,          // extended
    RegT6MaxLastBumpTestDate = 17,    // classic ModelT6M and ModelT6M4, device page
    RegCalibrationConcentration = 32, // classic fixed-channel layout: channel k at 32 + 2k
    RegClassicInputChannelFlags = 48, // fixed-channel layout: channel k at 48 + 2k
    RegExtendedBleMac = 96,
    RegExtendedLoraId = 112,
    RegClassicLastCalibrationDate = 246, // fixed-channel layout: channel k at 246 + 2k
    RegMapProbe = 2457,
};

// Register counts of the correction-table blocks on a channel page: the classic
// temperature and span tables (296-335), the extended temperature, span and zero
// tables (336-395), each sent as one write.
constexpr quint16 ClassicCorrectionTablesCount = 40;
constexpr quint16 ExtendedCorrectionTablesCount = 60;
