#pragma once

// The in-memory image of the detector's registers. The records are copied byte
// for byte into configuration files, so every offset, width and gap below is
// part of that file format and is checked at compile time.

#include <QtGlobal>
#include <cstddef>
#include <limits>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "the image and configuration files are little-endian");
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "f32 fields must be IEEE-754 single precision");

// One gas channel in the classic register map (232 bytes).
struct ClassicChannelRecord {
    quint16 channelPage;                // 0: own index when on, channelOffMarker when off
    quint16 format;                     // 2: format word
    float molecularWeight;              // 4
    float lelCoefficient;               // 8
    quint16 zeroAdc;                    // 12
    quint16 spanAdc;                    // 14
    quint8 pgaIndex;                    // 16
    quint8 rloadIndex;                  // 17
    quint8 rgainIndex;                  // 18
    quint8 rfIndex;                     // 19
    quint16 auxWords[3];                // 20
    quint8 gap26[1];                    // 26
    char gasFormula[10];                // 27, not terminated when full
    quint8 gap37[1];                    // 37
    quint16 channelFlags;               // 38
    quint16 channelStatus;              // 40
    quint16 deadZone;                   // 42
    quint16 deadZone2;                  // 44
    quint16 adcZeroPoint;               // 46
    quint16 adcCurrent;                 // 48
    quint8 gap50[6];                    // 50
    quint16 adcSpanPoint;               // 56
    quint8 gap58[2];                    // 58
    quint32 auxInputValue;              // 60
    float measuredValue;                // 64
    float auxMeasuredValue1;            // 68
    float auxMeasuredValue2;            // 72
    quint16 calibrationConcentration;   // 76
    quint16 calibrationGas;             // 78
    quint16 rangeCalibrationLimit;      // 80
    quint8 gap82[2];                    // 82
    float calibrationCoefficient;       // 84
    quint16 limit1;                     // 88: bits 0-14 value, bit 15 falling
    quint16 limit2;                     // 90
    quint16 limit3;                     // 92
    quint16 limit4;                     // 94
    quint16 hysteresis;                 // 96
    quint16 sensorStatus;               // 98
    quint8 gap100[4];                   // 100
    quint16 stel;                       // 104
    quint16 twa;                        // 106
    quint16 stelInterval;               // 108
    quint16 calibrationInterval;        // 110
    quint32 lastCalibrationDate;        // 112
    quint16 spanTableCoefficient[10];   // 116: x 1000
    quint16 spanTableConcentration[10]; // 136: x the channel scale
    qint16 tempTableTemperature[10];    // 156: hundredths of a degree
    float tempTableCoefficient[10];     // 176
    quint16 displayDivisor[2];          // 216
    quint16 formulaGasNumber;           // 220
    quint16 sensorType;                 // 222
    quint8 gap224[8];                   // 224
};

// Device-wide parameters of the classic map (80 bytes, page 10).
struct ClassicDeviceBlock {
    quint16 deviceFlags;           // 0
    quint16 deviceStatus;          // 2
    quint8 gap4[6];                // 4
    quint16 pwmSound;              // 10
    quint8 gap12[8];               // 12
    quint16 batteryCharge;         // 20
    quint16 batteryVoltage;        // 22
    quint16 archiveEnabled;        // 24
    quint8 archiveIntervals[2];    // 26: minutes, threshold-mode seconds
    quint32 archiveStartAddress;   // 28
    quint32 archiveCurrentAddress; // 32
    quint32 deviceClock;           // 36
    quint16 bumpTestInterval;      // 40
    quint8 gap42[2];               // 42
    quint32 lastBumpTestDate;      // 44
    float deviceTemperature;       // 48
    quint32 serialNumber;          // 52
    quint16 hardwareVersion;       // 56
    quint8 gap58[2];               // 58
    quint32 productionDate;        // 60
    qint32 utcOffset;              // 64
    quint8 gap68[12];              // 68
};

// Temperature-zero correction table of one classic channel (40 bytes).
struct ClassicZeroTable {
    qint16 temperature[10]; // hundredths of a degree
    qint16 offset[10];      // x the channel scale
};

// One gas channel in the extended register map (420 bytes).
struct ExtendedChannelRecord {
    quint16 channelPage;                // 0
    quint16 format;                     // 2
    quint16 sensorType;                 // 4
    quint8 lcdFormula;                  // 6
    quint8 cellPosition;                // 7
    float molecularWeight;              // 8
    float lelCoefficient;               // 12
    quint16 zeroAdc;                    // 16
    quint16 spanAdc;                    // 18
    quint16 pgaIndex;                   // 20
    quint16 averagingCount;             // 22
    quint16 rgainIndex;                 // 24
    quint16 correctionCoefficient;      // 26: x 1000
    quint16 auxWords[3];                // 28
    quint8 gap34[1];                    // 34
    char gasFormula[10];                // 35
    quint8 gap45[3];                    // 45
    quint32 channelFlags;               // 48
    quint32 channelStatus;              // 52
    quint16 sensorStatus;               // 56
    quint16 adcZeroPoint;               // 58
    quint16 adcCurrent;                 // 60
    quint8 gap62[6];                    // 62
    quint16 adcSpanPoint;               // 68
    quint8 gap70[2];                    // 70
    quint32 auxInputValue;              // 72
    float measuredValue;                // 76
    float auxMeasuredValue1;            // 80
    float auxMeasuredValue2;            // 84
    quint16 rangeCalibrationLimit;      // 88
    quint8 gap90[2];                    // 90
    float calibrationConcentration;     // 92
    float calibrationGas;               // 96
    float calibrationCoefficient;       // 100
    float deadZone;                     // 104
    float deadZone2;                    // 108
    float limit1;                       // 112: direction in channelFlags bit 10
    float limit2;                       // 116: bit 11
    float limit3;                       // 120: bit 12
    float limit4;                       // 124
    float hysteresis;                   // 128
    float stel;                         // 132
    float twa;                          // 136
    float sensorProtection;             // 140
    quint16 stelInterval;               // 144
    quint16 calibrationInterval;        // 146
    quint32 lastCalibrationDate;        // 148
    quint16 spanTableConcentration[10]; // 152
    float spanTableCoefficient[10];     // 172
    qint16 tempTableTemperature[10];    // 212
    float tempTableCoefficient[10];     // 232
    qint16 zeroTableTemperature[10];    // 272
    qint16 zeroTableOffset[10];         // 292
    quint8 gap312[60];                  // 312
    quint16 displayDivisor[2];          // 372
    quint16 formulaGasNumber;           // 376
    qint16 zeroCalibrationTemperature;  // 378
    quint16 warmUpTime;                 // 380
    quint8 gap382[2];                   // 382
    float rawConcentration;             // 384
    float sensorTemperature;            // 388
    float sensorHumidity;               // 392
    char sensorSerial[14];              // 396, not terminated when full
    quint8 gap410[10];                  // 410
};

// Device-wide parameters of the extended map (104 bytes, page 10).
struct ExtendedDeviceBlock {
    quint32 deviceFlags;           // 0
    quint32 deviceStatus;          // 4
    quint16 pwmSound;              // 8
    quint16 ledPulseTime;          // 10
    quint16 ledPeriod;             // 12
    quint8 gap14[2];               // 14
    quint16 lcdType;               // 16
    quint8 gap18[8];               // 18
    quint16 batteryCharge;         // 26
    quint16 batteryVoltage;        // 28
    quint16 batteryLevels[4];      // 30: maximum, minimum, limit 1, limit 2
    quint16 archiveEnabled;        // 38
    quint8 archiveIntervals[2];    // 40
    quint8 gap42[2];               // 42
    quint32 archiveStartAddress;   // 44
    quint32 archiveCurrentAddress; // 48
    quint32 deviceClock;           // 52
    quint16 bumpTestInterval;      // 56
    quint8 gap58[2];               // 58
    quint32 lastBumpTestDate;      // 60
    float deviceTemperature;       // 64
    quint8 gap68[4];               // 68
    float devicePressure;          // 72
    quint32 serialNumber;          // 76
    quint16 hardwareVersion;       // 80
    quint8 gap82[2];               // 82
    quint32 productionDate;        // 84
    qint32 utcOffset;              // 88
    quint32 gnssConfig;            // 92
    quint8 loraPeriod;             // 96
    quint8 loraAlarmPeriod;        // 97
    quint8 gap98[6];               // 98
};

#define QIRO_CHECK_OFFSET(T, f, o) static_assert(offsetof(T, f) == (o), #T "::" #f " offset")

static_assert(sizeof(ClassicChannelRecord) == 232, "ClassicChannelRecord size");
static_assert(sizeof(ClassicDeviceBlock) == 80, "ClassicDeviceBlock size");
static_assert(sizeof(ClassicZeroTable) == 40, "ClassicZeroTable size");
static_assert(sizeof(ExtendedChannelRecord) == 420, "ExtendedChannelRecord size");
static_assert(sizeof(ExtendedDeviceBlock) == 104, "ExtendedDeviceBlock size");

QIRO_CHECK_OFFSET(ClassicChannelRecord, format, 2);
QIRO_CHECK_OFFSET(ClassicChannelRecord, molecularWeight, 4);
QIRO_CHECK_OFFSET(ClassicChannelRecord, lelCoefficient, 8);
QIRO_CHECK_OFFSET(ClassicChannelRecord, zeroAdc, 12);
QIRO_CHECK_OFFSET(ClassicChannelRecord, spanAdc, 14);
QIRO_CHECK_OFFSET(ClassicChannelRecord, pgaIndex, 16);
QIRO_CHECK_OFFSET(ClassicChannelRecord, rloadIndex, 17);
QIRO_CHECK_OFFSET(ClassicChannelRecord, rgainIndex, 18);
QIRO_CHECK_OFFSET(ClassicChannelRecord, rfIndex, 19);
QIRO_CHECK_OFFSET(ClassicChannelRecord, auxWords, 20);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap26, 26);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gasFormula, 27);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap37, 37);
QIRO_CHECK_OFFSET(ClassicChannelRecord, channelFlags, 38);
QIRO_CHECK_OFFSET(ClassicChannelRecord, channelStatus, 40);
QIRO_CHECK_OFFSET(ClassicChannelRecord, deadZone, 42);
QIRO_CHECK_OFFSET(ClassicChannelRecord, deadZone2, 44);
QIRO_CHECK_OFFSET(ClassicChannelRecord, adcZeroPoint, 46);
QIRO_CHECK_OFFSET(ClassicChannelRecord, adcCurrent, 48);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap50, 50);
QIRO_CHECK_OFFSET(ClassicChannelRecord, adcSpanPoint, 56);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap58, 58);
QIRO_CHECK_OFFSET(ClassicChannelRecord, auxInputValue, 60);
QIRO_CHECK_OFFSET(ClassicChannelRecord, measuredValue, 64);
QIRO_CHECK_OFFSET(ClassicChannelRecord, auxMeasuredValue1, 68);
QIRO_CHECK_OFFSET(ClassicChannelRecord, auxMeasuredValue2, 72);
QIRO_CHECK_OFFSET(ClassicChannelRecord, calibrationConcentration, 76);
QIRO_CHECK_OFFSET(ClassicChannelRecord, calibrationGas, 78);
QIRO_CHECK_OFFSET(ClassicChannelRecord, rangeCalibrationLimit, 80);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap82, 82);
QIRO_CHECK_OFFSET(ClassicChannelRecord, calibrationCoefficient, 84);
QIRO_CHECK_OFFSET(ClassicChannelRecord, limit1, 88);
QIRO_CHECK_OFFSET(ClassicChannelRecord, limit2, 90);
QIRO_CHECK_OFFSET(ClassicChannelRecord, limit3, 92);
QIRO_CHECK_OFFSET(ClassicChannelRecord, limit4, 94);
QIRO_CHECK_OFFSET(ClassicChannelRecord, hysteresis, 96);
QIRO_CHECK_OFFSET(ClassicChannelRecord, sensorStatus, 98);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap100, 100);
QIRO_CHECK_OFFSET(ClassicChannelRecord, stel, 104);
QIRO_CHECK_OFFSET(ClassicChannelRecord, twa, 106);
QIRO_CHECK_OFFSET(ClassicChannelRecord, stelInterval, 108);
QIRO_CHECK_OFFSET(ClassicChannelRecord, calibrationInterval, 110);
QIRO_CHECK_OFFSET(ClassicChannelRecord, lastCalibrationDate, 112);
QIRO_CHECK_OFFSET(ClassicChannelRecord, spanTableCoefficient, 116);
QIRO_CHECK_OFFSET(ClassicChannelRecord, spanTableConcentration, 136);
QIRO_CHECK_OFFSET(ClassicChannelRecord, tempTableTemperature, 156);
QIRO_CHECK_OFFSET(ClassicChannelRecord, tempTableCoefficient, 176);
QIRO_CHECK_OFFSET(ClassicChannelRecord, displayDivisor, 216);
QIRO_CHECK_OFFSET(ClassicChannelRecord, formulaGasNumber, 220);
QIRO_CHECK_OFFSET(ClassicChannelRecord, sensorType, 222);
QIRO_CHECK_OFFSET(ClassicChannelRecord, gap224, 224);

QIRO_CHECK_OFFSET(ClassicDeviceBlock, deviceStatus, 2);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, gap4, 4);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, pwmSound, 10);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, gap12, 12);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, batteryCharge, 20);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, batteryVoltage, 22);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, archiveEnabled, 24);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, archiveIntervals, 26);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, archiveStartAddress, 28);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, archiveCurrentAddress, 32);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, deviceClock, 36);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, bumpTestInterval, 40);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, gap42, 42);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, lastBumpTestDate, 44);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, deviceTemperature, 48);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, serialNumber, 52);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, hardwareVersion, 56);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, gap58, 58);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, productionDate, 60);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, utcOffset, 64);
QIRO_CHECK_OFFSET(ClassicDeviceBlock, gap68, 68);

QIRO_CHECK_OFFSET(ClassicZeroTable, offset, 20);

QIRO_CHECK_OFFSET(ExtendedChannelRecord, format, 2);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, sensorType, 4);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, lcdFormula, 6);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, cellPosition, 7);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, molecularWeight, 8);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, lelCoefficient, 12);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, zeroAdc, 16);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, spanAdc, 18);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, pgaIndex, 20);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, averagingCount, 22);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, rgainIndex, 24);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, correctionCoefficient, 26);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, auxWords, 28);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap34, 34);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gasFormula, 35);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap45, 45);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, channelFlags, 48);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, channelStatus, 52);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, sensorStatus, 56);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, adcZeroPoint, 58);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, adcCurrent, 60);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap62, 62);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, adcSpanPoint, 68);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap70, 70);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, auxInputValue, 72);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, measuredValue, 76);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, auxMeasuredValue1, 80);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, auxMeasuredValue2, 84);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, rangeCalibrationLimit, 88);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap90, 90);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, calibrationConcentration, 92);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, calibrationGas, 96);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, calibrationCoefficient, 100);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, deadZone, 104);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, deadZone2, 108);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, limit1, 112);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, limit2, 116);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, limit3, 120);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, limit4, 124);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, hysteresis, 128);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, stel, 132);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, twa, 136);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, sensorProtection, 140);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, stelInterval, 144);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, calibrationInterval, 146);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, lastCalibrationDate, 148);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, spanTableConcentration, 152);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, spanTableCoefficient, 172);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, tempTableTemperature, 212);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, tempTableCoefficient, 232);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, zeroTableTemperature, 272);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, zeroTableOffset, 292);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap312, 312);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, displayDivisor, 372);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, formulaGasNumber, 376);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, zeroCalibrationTemperature, 378);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, warmUpTime, 380);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap382, 382);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, rawConcentration, 384);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, sensorTemperature, 388);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, sensorHumidity, 392);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, sensorSerial, 396);
QIRO_CHECK_OFFSET(ExtendedChannelRecord, gap410, 410);

QIRO_CHECK_OFFSET(ExtendedDeviceBlock, deviceStatus, 4);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, pwmSound, 8);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, ledPulseTime, 10);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, ledPeriod, 12);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap14, 14);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, lcdType, 16);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap18, 18);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, batteryCharge, 26);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, batteryVoltage, 28);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, batteryLevels, 30);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, archiveEnabled, 38);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, archiveIntervals, 40);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap42, 42);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, archiveStartAddress, 44);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, archiveCurrentAddress, 48);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, deviceClock, 52);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, bumpTestInterval, 56);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap58, 58);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, lastBumpTestDate, 60);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, deviceTemperature, 64);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap68, 68);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, devicePressure, 72);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, serialNumber, 76);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, hardwareVersion, 80);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap82, 82);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, productionDate, 84);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, utcOffset, 88);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gnssConfig, 92);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, loraPeriod, 96);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, loraAlarmPeriod, 97);
QIRO_CHECK_OFFSET(ExtendedDeviceBlock, gap98, 98);

#undef QIRO_CHECK_OFFSET

// Bits of the shared words that more than one page uses.
namespace FormatBits
{
constexpr quint16 DisplayUnitMask = 0x0003;
constexpr quint16 BaseUnitMask = 0x000C;
constexpr int BaseUnitShift = 2;
constexpr quint16 DecimalsMask = 0x0030;
constexpr int DecimalsShift = 4;
constexpr quint16 RawDecimalsMask = 0x00C0;
constexpr int RawDecimalsShift = 6;
constexpr quint16 SensorKindMask = 0x1F00;
constexpr int SensorKindShift = 8;
// The sensor kind: one of bits 8-12, or none.
constexpr quint16 KindElectrochemical = 0x0100; // bit 8
constexpr quint16 KindOxygen = 0x0200;          // bit 9
constexpr quint16 KindPid = 0x0400;             // bit 10
constexpr quint16 KindModule = 0x0800;          // bit 11: MIPEX, CUBIC, DYNAMENT, BELEAD
constexpr quint16 KindThermocatalytic = 0x1000; // bit 12
constexpr quint16 KindBits9to12 = KindOxygen | KindPid | KindModule | KindThermocatalytic;
// The same bits as the device reads them besides the kind.
constexpr quint16 CalibrationModeChannel = KindPid; // takes part in calibration mode
constexpr quint16 DeviceCalibrates = KindModule;    // the device calibrates by itself
constexpr quint16 ClassicFormulaMask = 0xE000;
constexpr int ClassicFormulaShift = 13;
} // namespace FormatBits

// Sub-kind bits of the sensorType word: what a bit means depends on the sensor
// kind in format bits 8-12, so one bit has several names.
namespace SensorTypeBits
{
// Electrochemical sensor (format bit 8).
constexpr quint16 SingleChannel = 1u << 0;
constexpr quint16 TwoChannel = 1u << 1;
constexpr quint16 SingleChannelWithBias = 1u << 2;
// Oxygen sensor (format bit 9): the second variant.
constexpr quint16 SecondOxygen = 1u << 0;
// Sensor module (format bit 11).
constexpr quint16 ModuleMipex = 1u << 0;
constexpr quint16 ModuleCubic = 1u << 1;
constexpr quint16 ModuleDynament = 1u << 2;
constexpr quint16 ModuleBeleadBlrm = 1u << 3;
constexpr quint16 ModuleBeleadBldm = 1u << 4;
} // namespace SensorTypeBits

// The fields of a format word: units are indexes into unitNames, decimals 0-3.
constexpr int displayUnitOf(quint16 format)
{
    return format & FormatBits::DisplayUnitMask;
}
constexpr int baseUnitOf(quint16 format)
{
    return (format & FormatBits::BaseUnitMask) >> FormatBits::BaseUnitShift;
}
constexpr int decimalsOf(quint16 format)
{
    return (format & FormatBits::DecimalsMask) >> FormatBits::DecimalsShift;
}
constexpr int rawDecimalsOf(quint16 format)
{
    return (format & FormatBits::RawDecimalsMask) >> FormatBits::RawDecimalsShift;
}

namespace ChannelFlagBits
{
constexpr quint32 ZeroRequest = 1u << 0;
constexpr quint32 SpanRequest = 1u << 1;
constexpr quint32 SetupChanged = 1u << 2;
constexpr quint32 AutoZero = 1u << 3;
constexpr quint32 BldmCalibrationUnit = 1u << 4; // extended
constexpr quint32 Calibratable = 1u << 5;        // extended
constexpr quint32 RangeLimitInForce = 1u << 7;
constexpr quint32 CalibrationMode = 1u << 8;
constexpr quint32 SensorProtection = 1u << 9; // extended
constexpr quint32 Limit1Falling = 1u << 10;   // extended
constexpr quint32 Limit2Falling = 1u << 11;   // extended
constexpr quint32 Limit3Falling = 1u << 12;   // extended
constexpr quint32 LimitsReceipt = 1u << 13;   // extended
} // namespace ChannelFlagBits

namespace ChannelStatusBits
{
constexpr quint32 ZeroFailed = 1u << 7;
constexpr quint32 SpanFailed = 1u << 8;
} // namespace ChannelStatusBits

// Classic limits 1-3 carry their direction in bit 15.
constexpr quint16 ClassicLimitFalling = 0x8000;
constexpr quint16 ClassicLimitValueMask = 0x7FFF;
// Classic rloadIndex bit 7 switches sensor protection for the kinds that have it.
constexpr quint8 ClassicSensorProtectionBit = 0x80;

namespace DeviceFlagBits
{
constexpr quint32 AlarmOff = 1u << 0;
constexpr quint32 AlarmBlockedInCalibration = 1u << 1;
constexpr quint32 PowerOffBlocked = 1u << 2;
constexpr quint32 CalibMenuBlocked = 1u << 3;
constexpr quint32 ConfigLoaded = 1u << 5;
constexpr quint32 BumpTestPassed = 1u << 7;
constexpr quint32 BumpTestRunning = 1u << 8;
constexpr quint32 UnitOnDisplay = 1u << 9; // extended
constexpr quint32 BleOn = 1u << 10;
constexpr quint32 StatusLedOn = 1u << 11;
constexpr quint32 SoundTestOn = 1u << 12;
constexpr quint32 GnssOn = 1u << 13; // extended
constexpr quint32 LoraOn = 1u << 15; // extended
} // namespace DeviceFlagBits

// Sets or clears the bits of `mask` in a flag word.
template <typename Word> void putFlag(Word& word, quint32 mask, bool on)
{
    word = on ? Word(word | mask) : Word(word & ~mask);
}

// The raw values of a channel are in units of 1 / displayDivisor[1]; a record
// that was never read (or an offline image) holds 0 there, which counts as 1 so
// that nothing ever divides by zero.
inline quint16 effectiveDivisor(quint16 divisor)
{
    return divisor == 0 ? 1 : divisor;
}
