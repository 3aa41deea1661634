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

// Holding and input registers with a name of their own.
enum Register : quint16 {
    RegFirmwareStart = 1,
    RegFirmwareEndFlag = 3,
    RegFirmwareEndAddress = 4,
    RegBootloaderPowerOff = 5,
    RegModelCode = 16,       // input
    RegFirmwareVersion = 17, // input, extended map
    RegUpdatePrepare = 16,   // holding, device page
    RegUpdateCancel = 17,
    RegUpdateStart = 18,
    RegClock = 254,
    RegCorrectionTablesExtended = 336, // channel page: temperature, span, zero tables
    RegDeviceFlags = 544,
    RegChannelFlagsClassic = 546,
    RegChannelFlagsExtended = 548,
    RegAutoZeroBit = 560,
    RegSoundLockBit = 561,
    RegCalibMenuLockBit = 562,
    RegPowerOffLockBit = 563,
    RegCommit = 576,
    RegSaveFactory = 592,
    RegRestoreFactory = 594,
    RegEndSession = 596,
    RegTempSensorCalibration = 598,
    RegDeviceLanguage = 1792,
    RegBleBootloader = 1794,
    RegPowerOff = 2048,
    RegMapProbe = 2457, // input
};
