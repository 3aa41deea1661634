// Every field of both layouts end to end: raw registers seeded in the simulated detector are
// read through command.transact and compared with the image, then an edited image is written
// back and the detector's raw registers are compared.
//
// The field lists below are the device's register tables written down field by field; the
// expected image is built from them alone and compared with the whole image, so a value that
// lands on the wrong bytes, in the wrong record or not at all shows as a difference.

#include "command.h"
#include "commandstate.h"
#include "simdetector.h"

#include <QtTest>

#include <cstddef>
#include <cstring>
#include <vector>

namespace
{

enum class Scope {
    Channel, // record of the request's page (or the fixed channel of the field)
    Device,
    Extras, // classic zero table of the page
    ModelCode,
    FirmwareVersion,
    BleMac,
    LoraId,
    Language, // the language word of the current layout
    TempSensorCalibration,
};

enum class Rule {
    Plain,            // u16 words, one per register
    LowByte,          // a byte field: low byte read, sent with a high byte of 0
    Halves,           // 32-bit field, low half first
    Text,             // two bytes a register, the earlier in the low byte
    Hundredths,       // f32 = v / 100, sent x 100 truncated
    Thousandths,      // f32 words = v / 1000, sent x 1000 truncated
    SignedHundredths, // f32 = (signed v) / 100, read only
    ByDivisor,        // f32 = v / displayDivisor[1] of the record (0 counts as 1), read only
    Packed283,        // classic resistor indexes
    ReadOnlyValue,    // classic 288: read into the firmware version, always sent as 0
    ZeroExtended,     // read into a u32 zero-extended, the low 16 bits sent
};

enum Access { Read = 1, Write = 2, Both = 3 };

struct Field {
    const char* name;
    int reg;
    int regs;
    Scope scope;
    int offset;
    Rule rule;
    int access;
    int record; // -1: the request's page
};

int sizeOf(const Field& f)
{
    switch (f.rule) {
    case Rule::LowByte:
        return 1;
    case Rule::Halves:
    case Rule::Hundredths:
    case Rule::SignedHundredths:
    case Rule::ByDivisor:
    case Rule::ZeroExtended:
        return 4;
    case Rule::Thousandths:
        return 4 * f.regs;
    case Rule::Packed283:
        return 3;
    default:
        return 2 * f.regs;
    }
}

#define CCH(f) int(offsetof(ClassicChannelRecord, f))
#define CDV(f) int(offsetof(ClassicDeviceBlock, f))
#define ECH(f) int(offsetof(ExtendedChannelRecord, f))
#define EDV(f) int(offsetof(ExtendedDeviceBlock, f))

Field ch(const char* n, int reg, int regs, int offset, Rule rule, int access = Both)
{
    return Field{n, reg, regs, Scope::Channel, offset, rule, access, -1};
}
Field dev(const char* n, int reg, int regs, int offset, Rule rule, int access = Both)
{
    return Field{n, reg, regs, Scope::Device, offset, rule, access, -1};
}
Field cmd(const char* n, int reg, int regs, Scope scope, Rule rule, int access = Both)
{
    return Field{n, reg, regs, scope, 0, rule, access, -1};
}
Field fixed(const char* n, int reg, int regs, int record, int offset, Rule rule)
{
    return Field{n, reg, regs, Scope::Channel, offset, rule, Read, record};
}

using Fields = std::vector<Field>;

// Classic holding registers of a channel page.
Fields classicChannelHolding()
{
    using R = Rule;
    return {
        dev("utcOffset", 254, 2, CDV(utcOffset), R::Halves, Write),
        dev("deviceClock", 256, 2, CDV(deviceClock), R::Halves),
        ch("channelPage", 258, 1, CCH(channelPage), R::Plain),
        ch("format", 259, 1, CCH(format), R::Plain),
        ch("calibrationGas", 260, 1, CCH(calibrationGas), R::Plain),
        ch("limit1-limit4", 261, 4, CCH(limit1), R::Plain),
        ch("stel", 265, 1, CCH(stel), R::Plain),
        ch("twa", 266, 1, CCH(twa), R::Plain),
        ch("stelInterval", 267, 1, CCH(stelInterval), R::Plain),
        ch("calibrationInterval", 268, 1, CCH(calibrationInterval), R::Plain),
        dev("bumpTestInterval", 269, 1, CDV(bumpTestInterval), R::Plain),
        ch("auxWords", 270, 3, CCH(auxWords), R::Plain),
        ch("gasFormula", 273, 5, CCH(gasFormula), R::Text),
        ch("hysteresis", 278, 1, CCH(hysteresis), R::Plain),
        ch("zeroAdc", 279, 1, CCH(zeroAdc), R::Plain),
        ch("spanAdc", 280, 1, CCH(spanAdc), R::Plain),
        ch("lelCoefficient", 281, 1, CCH(lelCoefficient), R::Hundredths),
        ch("molecularWeight", 282, 1, CCH(molecularWeight), R::Hundredths),
        ch("resistor indexes", 283, 1, CCH(rloadIndex), R::Packed283),
        ch("pgaIndex", 284, 1, CCH(pgaIndex), R::LowByte),
        dev("serialNumber", 285, 2, CDV(serialNumber), R::Halves),
        dev("hardwareVersion", 287, 1, CDV(hardwareVersion), R::Plain),
        cmd("firmwareVersion", 288, 1, Scope::FirmwareVersion, R::ReadOnlyValue),
        dev("productionDate", 289, 2, CDV(productionDate), R::Halves),
        ch("deadZone", 291, 1, CCH(deadZone), R::Plain),
        ch("deadZone2", 292, 1, CCH(deadZone2), R::Plain),
        ch("sensorStatus", 293, 1, CCH(sensorStatus), R::Plain),
        ch("rangeCalibrationLimit", 294, 1, CCH(rangeCalibrationLimit), R::Plain),
        ch("formulaGasNumber", 295, 1, CCH(formulaGasNumber), R::Plain),
        ch("tempTable temperatures", 296, 10, CCH(tempTableTemperature), R::Plain),
        ch("tempTable coefficients", 306, 10, CCH(tempTableCoefficient), R::Thousandths),
        ch("spanTable concentrations", 316, 10, CCH(spanTableConcentration), R::Plain),
        ch("spanTable coefficients", 326, 10, CCH(spanTableCoefficient), R::Plain),
        ch("adcZeroPoint", 336, 1, CCH(adcZeroPoint), R::Plain),
        ch("adcSpanPoint", 337, 1, CCH(adcSpanPoint), R::Plain),
        {"zero table temperatures", 352, 10, Scope::Extras, 0, R::Plain, Both, -1},
        {"zero table offsets", 362, 10, Scope::Extras, 20, R::Plain, Both, -1},
        ch("sensorType", 514, 1, CCH(sensorType), R::Plain),
        dev("deviceFlags", 544, 1, CDV(deviceFlags), R::Plain),
        dev("deviceStatus", 545, 1, CDV(deviceStatus), R::Plain),
        ch("channelFlags", 546, 1, CCH(channelFlags), R::Plain),
        ch("channelStatus", 547, 1, CCH(channelStatus), R::Plain),
    };
}

Fields classicDeviceHolding()
{
    using R = Rule;
    return {
        dev("pwmSound", 512, 1, CDV(pwmSound), R::Plain),
        dev("archiveIntervals", 528, 1, CDV(archiveIntervals), R::Plain),
        dev("archiveStartAddress", 529, 2, CDV(archiveStartAddress), R::Halves),
        dev("archiveCurrentAddress", 531, 2, CDV(archiveCurrentAddress), R::Halves),
        dev("archiveEnabled", 533, 1, CDV(archiveEnabled), R::Plain),
        dev("deviceFlags", 544, 1, CDV(deviceFlags), R::Plain),
        dev("deviceStatus", 545, 1, CDV(deviceStatus), R::Plain),
        cmd("tempSensorCalibration", 598, 1, Scope::TempSensorCalibration, R::Hundredths, Write),
        cmd("classicLanguage", 1792, 1, Scope::Language, R::ZeroExtended, Write),
    };
}

Fields extendedChannelHolding()
{
    using R = Rule;
    return {
        dev("utcOffset", 254, 2, EDV(utcOffset), R::Halves),
        dev("deviceClock", 256, 2, EDV(deviceClock), R::Halves),
        ch("channelPage", 258, 1, ECH(channelPage), R::Plain),
        ch("format", 259, 1, ECH(format), R::Plain),
        ch("sensorType", 260, 1, ECH(sensorType), R::Plain),
        ch("lcdFormula, cellPosition", 261, 1, ECH(lcdFormula), R::Plain),
        ch("calibrationGas", 262, 2, ECH(calibrationGas), R::Halves),
        ch("limit1", 264, 2, ECH(limit1), R::Halves),
        ch("limit2", 266, 2, ECH(limit2), R::Halves),
        ch("limit3", 268, 2, ECH(limit3), R::Halves),
        ch("limit4", 270, 2, ECH(limit4), R::Halves),
        ch("stel", 272, 2, ECH(stel), R::Halves),
        ch("twa", 274, 2, ECH(twa), R::Halves),
        ch("stelInterval", 276, 1, ECH(stelInterval), R::Plain),
        ch("hysteresis", 277, 2, ECH(hysteresis), R::Halves),
        ch("lelCoefficient", 279, 2, ECH(lelCoefficient), R::Halves),
        ch("molecularWeight", 281, 2, ECH(molecularWeight), R::Halves),
        ch("calibrationInterval", 283, 1, ECH(calibrationInterval), R::Plain),
        dev("bumpTestInterval", 284, 1, EDV(bumpTestInterval), R::Plain),
        ch("auxWords", 285, 3, ECH(auxWords), R::Plain),
        ch("gasFormula", 288, 5, ECH(gasFormula), R::Text),
        ch("zeroAdc", 293, 1, ECH(zeroAdc), R::Plain),
        ch("spanAdc", 294, 1, ECH(spanAdc), R::Plain),
        ch("pgaIndex", 295, 1, ECH(pgaIndex), R::Plain),
        ch("correctionCoefficient", 296, 1, ECH(correctionCoefficient), R::Plain),
        ch("averagingCount", 297, 1, ECH(averagingCount), R::Plain),
        ch("rgainIndex", 298, 1, ECH(rgainIndex), R::Plain),
        dev("serialNumber", 299, 2, EDV(serialNumber), R::Halves),
        dev("hardwareVersion", 301, 1, EDV(hardwareVersion), R::Plain),
        dev("productionDate", 302, 2, EDV(productionDate), R::Halves),
        ch("sensorProtection", 304, 2, ECH(sensorProtection), R::Halves),
        ch("deadZone", 306, 2, ECH(deadZone), R::Halves),
        ch("deadZone2", 308, 2, ECH(deadZone2), R::Halves),
        ch("rangeCalibrationLimit", 310, 1, ECH(rangeCalibrationLimit), R::Plain),
        ch("formulaGasNumber", 311, 1, ECH(formulaGasNumber), R::Plain),
        ch("warmUpTime", 312, 1, ECH(warmUpTime), R::Plain),
        ch("tempTable temperatures", 336, 10, ECH(tempTableTemperature), R::Plain),
        ch("tempTable coefficients", 346, 10, ECH(tempTableCoefficient), R::Thousandths),
        ch("spanTable concentrations", 356, 10, ECH(spanTableConcentration), R::Plain),
        ch("spanTable coefficients", 366, 10, ECH(spanTableCoefficient), R::Thousandths),
        ch("zeroTable temperatures", 376, 10, ECH(zeroTableTemperature), R::Plain),
        ch("zeroTable offsets", 386, 10, ECH(zeroTableOffset), R::Plain),
        ch("sensorSerial", 400, 7, ECH(sensorSerial), R::Text),
        dev("deviceFlags", 544, 2, EDV(deviceFlags), R::Halves),
        dev("deviceStatus", 546, 2, EDV(deviceStatus), R::Halves),
        ch("channelFlags", 548, 2, ECH(channelFlags), R::Halves),
        ch("channelStatus", 550, 2, ECH(channelStatus), R::Halves),
        ch("sensorStatus", 552, 1, ECH(sensorStatus), R::Plain),
        ch("adcZeroPoint", 768, 1, ECH(adcZeroPoint), R::Plain),
        ch("adcSpanPoint", 769, 1, ECH(adcSpanPoint), R::Plain),
    };
}

Fields extendedDeviceHolding()
{
    using R = Rule;
    return {
        dev("pwmSound", 512, 1, EDV(pwmSound), R::Plain),
        dev("ledPulseTime", 513, 1, EDV(ledPulseTime), R::Plain),
        dev("ledPeriod", 514, 1, EDV(ledPeriod), R::Plain),
        dev("batteryLevels", 515, 4, EDV(batteryLevels), R::Plain),
        dev("lcdType", 519, 1, EDV(lcdType), R::Plain),
        dev("archiveIntervals", 528, 1, EDV(archiveIntervals), R::Plain),
        dev("archiveStartAddress", 529, 2, EDV(archiveStartAddress), R::Halves),
        dev("archiveCurrentAddress", 531, 2, EDV(archiveCurrentAddress), R::Halves),
        dev("archiveEnabled", 533, 1, EDV(archiveEnabled), R::Plain),
        dev("deviceFlags", 544, 2, EDV(deviceFlags), R::Halves),
        dev("deviceStatus", 546, 2, EDV(deviceStatus), R::Halves),
        dev("gnssConfig", 784, 2, EDV(gnssConfig), R::Halves),
        dev("loraPeriod, loraAlarmPeriod", 786, 1, EDV(loraPeriod), R::Plain),
        cmd("extendedLanguage", 1792, 1, Scope::Language, R::ZeroExtended),
    };
}

// Fixed-channel input registers: the register names the channel.
Fields fixedInput()
{
    using R = Rule;
    Fields f{
        cmd("modelCode", 16, 1, Scope::ModelCode, R::Plain, Read),
        Field{"lastBumpTestDate", 254, 2, Scope::Device, CDV(lastBumpTestDate), R::Halves, Read,
              -1},
        Field{"deviceTemperature", 256, 1, Scope::Device, CDV(deviceTemperature),
              R::SignedHundredths, Read, -1},
        Field{"batteryCharge", 257, 1, Scope::Device, CDV(batteryCharge), R::Plain, Read, -1},
        Field{"batteryVoltage", 258, 1, Scope::Device, CDV(batteryVoltage), R::Plain, Read, -1},
        cmd("firmwareVersion", 2457, 1, Scope::FirmwareVersion, R::Plain, Read),
    };
    for (int k = 0; k < 4; ++k) {
        f.push_back(fixed("calibrationConcentration", 32 + 2 * k, 1, k,
                          CCH(calibrationConcentration), R::Plain));
        f.push_back(fixed("calibrationCoefficient", 33 + 2 * k, 1, k, CCH(calibrationCoefficient),
                          R::Thousandths));
        f.push_back(fixed("channelFlags", 48 + 2 * k, 1, k, CCH(channelFlags), R::Plain));
        f.push_back(fixed("channelStatus", 49 + 2 * k, 1, k, CCH(channelStatus), R::Plain));
        f.push_back(
            fixed("lastCalibrationDate", 246 + 2 * k, 2, k, CCH(lastCalibrationDate), R::Halves));
        f.push_back(fixed("adcCurrent", 259 + 7 * k, 1, k, CCH(adcCurrent), R::Plain));
        f.push_back(fixed("adcZeroPoint", 260 + 7 * k, 1, k, CCH(adcZeroPoint), R::Plain));
        f.push_back(fixed("measuredValue", 261 + 7 * k, 1, k, CCH(measuredValue), R::ByDivisor));
        f.push_back(
            fixed("auxMeasuredValue1", 262 + 7 * k, 1, k, CCH(auxMeasuredValue1), R::ByDivisor));
        f.push_back(
            fixed("auxMeasuredValue2", 263 + 7 * k, 1, k, CCH(auxMeasuredValue2), R::ByDivisor));
        f.push_back(fixed("auxInputValue", 264 + 7 * k, 2, k, CCH(auxInputValue), R::Halves));
    }
    return f;
}

// Page-based classic input registers of ModelT6M and ModelT6M4.
Fields pagedClassicInput()
{
    using R = Rule;
    return {
        cmd("modelCode", 16, 1, Scope::ModelCode, R::Plain, Read),
        dev("lastBumpTestDate", 17, 2, CDV(lastBumpTestDate), R::Halves, Read),
        dev("deviceTemperature", 19, 1, CDV(deviceTemperature), R::SignedHundredths, Read),
        dev("batteryCharge", 20, 1, CDV(batteryCharge), R::Plain, Read),
        dev("batteryVoltage", 21, 1, CDV(batteryVoltage), R::Plain, Read),
        ch("calibrationConcentration", 32, 1, CCH(calibrationConcentration), R::Plain, Read),
        ch("calibrationCoefficient", 33, 1, CCH(calibrationCoefficient), R::Thousandths, Read),
        ch("channelFlags", 34, 1, CCH(channelFlags), R::Plain, Read),
        ch("channelStatus", 35, 1, CCH(channelStatus), R::Plain, Read),
        ch("lastCalibrationDate", 36, 2, CCH(lastCalibrationDate), R::Halves, Read),
        ch("adcCurrent", 38, 1, CCH(adcCurrent), R::Plain, Read),
        ch("adcZeroPoint", 39, 1, CCH(adcZeroPoint), R::Plain, Read),
        ch("measuredValue", 40, 1, CCH(measuredValue), R::ByDivisor, Read),
        ch("auxMeasuredValue1", 41, 1, CCH(auxMeasuredValue1), R::ByDivisor, Read),
        ch("auxMeasuredValue2", 42, 1, CCH(auxMeasuredValue2), R::ByDivisor, Read),
        ch("auxInputValue", 43, 2, CCH(auxInputValue), R::Halves, Read),
        cmd("firmwareVersion", 2457, 1, Scope::FirmwareVersion, R::Plain, Read),
    };
}

// Extended input registers; 38-42 are reserved and carry nothing.
Fields extendedInput()
{
    using R = Rule;
    return {
        cmd("modelCode", 16, 1, Scope::ModelCode, R::Plain, Read),
        cmd("firmwareVersion", 17, 1, Scope::FirmwareVersion, R::Plain, Read),
        dev("lastBumpTestDate", 18, 2, EDV(lastBumpTestDate), R::Halves, Read),
        dev("deviceTemperature", 20, 2, EDV(deviceTemperature), R::Halves, Read),
        dev("batteryCharge", 22, 1, EDV(batteryCharge), R::Plain, Read),
        dev("batteryVoltage", 23, 1, EDV(batteryVoltage), R::Plain, Read),
        dev("devicePressure", 24, 2, EDV(devicePressure), R::Halves, Read),
        ch("calibrationConcentration", 32, 2, ECH(calibrationConcentration), R::Halves, Read),
        ch("lastCalibrationDate", 34, 2, ECH(lastCalibrationDate), R::Halves, Read),
        ch("calibrationCoefficient", 36, 2, ECH(calibrationCoefficient), R::Halves, Read),
        ch("adcCurrent", 43, 1, ECH(adcCurrent), R::Plain, Read),
        ch("adcZeroPoint", 44, 1, ECH(adcZeroPoint), R::Plain, Read),
        ch("measuredValue", 45, 2, ECH(measuredValue), R::Halves, Read),
        ch("auxMeasuredValue1", 47, 2, ECH(auxMeasuredValue1), R::Halves, Read),
        ch("auxMeasuredValue2", 49, 2, ECH(auxMeasuredValue2), R::Halves, Read),
        ch("auxInputValue", 51, 2, ECH(auxInputValue), R::Halves, Read),
        ch("rawConcentration", 53, 2, ECH(rawConcentration), R::Halves, Read),
        ch("zeroCalibrationTemperature", 55, 1, ECH(zeroCalibrationTemperature), R::Plain, Read),
        ch("sensorTemperature", 56, 2, ECH(sensorTemperature), R::Halves, Read),
        ch("sensorHumidity", 58, 2, ECH(sensorHumidity), R::Halves, Read),
        cmd("bleMac", 96, 3, Scope::BleMac, R::Text, Read),
        cmd("loraId", 112, 4, Scope::LoraId, R::Text, Read),
        ch("channelFlags", 550, 2, ECH(channelFlags), R::Halves, Read),
        ch("channelStatus", 552, 2, ECH(channelStatus), R::Halves, Read),
        ch("sensorStatus", 554, 1, ECH(sensorStatus), R::Plain, Read),
        cmd("firmwareVersion", 2457, 1, Scope::FirmwareVersion, R::Plain, Read),
    };
}

// One request of a road through the registers.
struct Block {
    bool devicePage;
    int reg;
    int count;
};

std::vector<Block> classicHoldingBlocks(bool write)
{
    if (write)
        return {{false, 254, 84}, {false, 352, 20}, {false, 514, 1},
                {false, 544, 4},  {true, 512, 1},   {true, 528, 6},
                {true, 544, 2},   {true, 598, 1},   {true, 1792, 1}};
    return {{false, 256, 82}, {false, 352, 20}, {false, 514, 1}, {false, 544, 4},
            {true, 512, 1},   {true, 528, 6},   {true, 544, 2}};
}

std::vector<Block> extendedHoldingBlocks(bool write)
{
    Q_UNUSED(write); // the same blocks both ways
    return {{false, 254, 59}, {false, 336, 60}, {false, 400, 7}, {false, 544, 9}, {false, 768, 2},
            {true, 512, 8},   {true, 528, 6},   {true, 544, 4},  {true, 784, 3},  {true, 1792, 1}};
}

// A copy of everything the register maps may reach.
struct Image {
    ClassicChannelRecord classicChannels[ChannelSlots];
    ClassicDeviceBlock classicDevice;
    ClassicZeroTable classicExtras[ChannelSlots];
    quint32 classicLanguage;
    ExtendedChannelRecord extendedChannels[ChannelSlots];
    ExtendedDeviceBlock extendedDevice;
    quint32 extendedLanguage;
    quint16 modelCode;
    quint16 firmwareVersion;
    quint8 bleMac[6];
    quint8 loraId[8];
    float tempSensorCalibration;
};

Image capture()
{
    Image m;
    memset(&m, 0, sizeof m);
    memcpy(m.classicChannels, command.classicChannels, sizeof m.classicChannels);
    m.classicDevice = command.classicDevice;
    memcpy(m.classicExtras, command.classicExtras, sizeof m.classicExtras);
    m.classicLanguage = command.classicLanguage;
    memcpy(m.extendedChannels, command.extendedChannels, sizeof m.extendedChannels);
    m.extendedDevice = command.extendedDevice;
    m.extendedLanguage = command.extendedLanguage;
    m.modelCode = command.modelCode;
    m.firmwareVersion = command.firmwareVersion;
    memcpy(m.bleMac, command.bleMac, sizeof m.bleMac);
    memcpy(m.loraId, command.loraId, sizeof m.loraId);
    m.tempSensorCalibration = command.tempSensorCalibration;
    return m;
}

void install(const Image& m)
{
    memcpy(command.classicChannels, m.classicChannels, sizeof m.classicChannels);
    command.classicDevice = m.classicDevice;
    memcpy(command.classicExtras, m.classicExtras, sizeof m.classicExtras);
    command.classicLanguage = m.classicLanguage;
    memcpy(command.extendedChannels, m.extendedChannels, sizeof m.extendedChannels);
    command.extendedDevice = m.extendedDevice;
    command.extendedLanguage = m.extendedLanguage;
    command.modelCode = m.modelCode;
    layoutTold();
    command.firmwareVersion = m.firmwareVersion;
    memcpy(command.bleMac, m.bleMac, sizeof m.bleMac);
    memcpy(command.loraId, m.loraId, sizeof m.loraId);
    command.tempSensorCalibration = m.tempSensorCalibration;
}

quint8* locate(Image& m, bool extended, const Field& f, int page)
{
    const int record = f.record >= 0 ? f.record : page;
    quint8* base = nullptr;
    switch (f.scope) {
    case Scope::Channel:
        base = extended ? reinterpret_cast<quint8*>(&m.extendedChannels[record])
                        : reinterpret_cast<quint8*>(&m.classicChannels[record]);
        break;
    case Scope::Device:
        base = extended ? reinterpret_cast<quint8*>(&m.extendedDevice)
                        : reinterpret_cast<quint8*>(&m.classicDevice);
        break;
    case Scope::Extras:
        base = reinterpret_cast<quint8*>(&m.classicExtras[record]);
        break;
    case Scope::ModelCode:
        base = reinterpret_cast<quint8*>(&m.modelCode);
        break;
    case Scope::FirmwareVersion:
        base = reinterpret_cast<quint8*>(&m.firmwareVersion);
        break;
    case Scope::BleMac:
        base = m.bleMac;
        break;
    case Scope::LoraId:
        base = m.loraId;
        break;
    case Scope::Language:
        base = reinterpret_cast<quint8*>(extended ? &m.extendedLanguage : &m.classicLanguage);
        break;
    case Scope::TempSensorCalibration:
        base = reinterpret_cast<quint8*>(&m.tempSensorCalibration);
        break;
    }
    return base + f.offset;
}

quint16* divisorsOf(Image& m, bool extended, int page)
{
    return extended ? m.extendedChannels[page].displayDivisor
                    : m.classicChannels[page].displayDivisor;
}

quint16 formatOf(Image& m, bool extended, int page)
{
    return extended ? m.extendedChannels[page].format : m.classicChannels[page].format;
}

quint16 decimalScaleOf(int field)
{
    static const quint16 scale[4] = {1, 10, 100, 1000};
    return scale[field & 3];
}

bool packedHighLow(int model, int page)
{
    return model == ModelT6M || model == ModelT6M4 || page == 3;
}

// Distinct raw values with both bytes in use.
quint16 seed(int salt, int page, int reg)
{
    quint32 x = quint32(reg) * 2654435761u ^ quint32(page + 1) * 40503u ^ quint32(salt) * 97u;
    x ^= x >> 15;
    x *= 0x2C1B3C6Du;
    x ^= x >> 12;
    return quint16(x);
}

struct FloatCheck {
    const char* name;
    int reg;
    quint8* expected;
    float value;
};

// Applies what reading `raw` (registers from f.reg on) must leave in the image.
void expectRead(Image& m, bool extended, int model, int page, const Field& f,
                const QVector<quint16>& raw, std::vector<FloatCheck>& floats)
{
    quint8* p = locate(m, extended, f, page);
    auto putFloat = [&](int i, float v) { floats.push_back({f.name, f.reg + i, p + 4 * i, v}); };
    switch (f.rule) {
    case Rule::Plain:
    case Rule::Text:
    case Rule::ReadOnlyValue:
        for (int i = 0; i < f.regs; ++i) {
            const quint16 v = raw[i];
            p[2 * i] = quint8(v & 0xFF);
            p[2 * i + 1] = quint8(v >> 8);
        }
        break;
    case Rule::LowByte:
        p[0] = quint8(raw[0] & 0xFF);
        break;
    case Rule::Halves:
    case Rule::ZeroExtended: {
        const quint32 v = quint32(raw[0]) | (f.regs > 1 ? quint32(raw[1]) << 16 : 0u);
        memcpy(p, &v, 4);
        break;
    }
    case Rule::Hundredths:
        putFloat(0, float(raw[0]) / 100.0f);
        break;
    case Rule::Thousandths:
        for (int i = 0; i < f.regs; ++i)
            putFloat(i, float(raw[i]) / 1000.0f);
        break;
    case Rule::SignedHundredths:
        putFloat(0, float(qint16(raw[0])) / 100.0f);
        break;
    case Rule::ByDivisor: {
        const int record = f.record >= 0 ? f.record : page;
        const quint16 d = divisorsOf(m, extended, record)[1];
        putFloat(0, float(raw[0]) / float(d == 0 ? 1 : d));
        break;
    }
    case Rule::Packed283: {
        // p points at rloadIndex; rgainIndex and rfIndex follow it.
        const quint16 v = raw[0];
        if (packedHighLow(model, page)) {
            p[0] = quint8(v >> 8);
            p[1] = quint8(v & 0xFF);
        } else {
            p[0] = quint8((v >> 4) & 0x0F);
            p[1] = quint8(v >> 8);
            p[2] = quint8(v & 0x0F);
        }
        break;
    }
    }
}

// Puts into the image the value that writing must turn into `raw`; returns the registers
// expected on the line, which differ from raw where the field cannot carry all of it.
QVector<quint16> editForWrite(Image& m, bool extended, int model, int page, const Field& f,
                              const QVector<quint16>& raw)
{
    quint8* p = locate(m, extended, f, page);
    QVector<quint16> wireValues = raw;
    switch (f.rule) {
    case Rule::Plain:
    case Rule::Text:
        for (int i = 0; i < f.regs; ++i) {
            p[2 * i] = quint8(raw[i] & 0xFF);
            p[2 * i + 1] = quint8(raw[i] >> 8);
        }
        break;
    case Rule::LowByte:
        p[0] = quint8(raw[0] & 0xFF);
        wireValues[0] = raw[0] & 0xFF;
        break;
    case Rule::Halves: {
        const quint32 v = quint32(raw[0]) | quint32(raw[1]) << 16;
        memcpy(p, &v, 4);
        break;
    }
    case Rule::ZeroExtended: {
        const quint32 v = 0xA5A50000u | raw[0]; // the high half does not travel
        memcpy(p, &v, 4);
        break;
    }
    case Rule::Hundredths: {
        const float v = float(raw[0]) / 100.0f;
        memcpy(p, &v, 4);
        break;
    }
    case Rule::Thousandths:
        for (int i = 0; i < f.regs; ++i) {
            const float v = float(raw[i]) / 1000.0f;
            memcpy(p + 4 * i, &v, 4);
        }
        break;
    case Rule::ReadOnlyValue:
        memcpy(p, &raw[0], 2);
        wireValues[0] = 0;
        break;
    case Rule::Packed283:
        if (packedHighLow(model, page)) {
            p[0] = quint8(raw[0] >> 8);
            p[1] = quint8(raw[0] & 0xFF);
            p[2] = 0x0C; // not carried in this form
        } else {
            p[0] = quint8((raw[0] >> 4) & 0x0F);
            p[1] = quint8(raw[0] >> 8);
            p[2] = quint8(raw[0] & 0x0F);
        }
        break;
    case Rule::SignedHundredths:
    case Rule::ByDivisor:
        break; // read only
    }
    return wireValues;
}

// Names the field that covers a byte of an image area, for the failure message.
QString fieldAt(const Fields& fields, Scope scope, int offset, const char* fallback)
{
    for (const Field& f : fields) {
        if (f.scope == scope && offset >= f.offset && offset < f.offset + sizeOf(f))
            return QString::fromLatin1(f.name);
    }
    return QString::fromLatin1(fallback);
}

void diffBytes(QStringList& out, const QString& area, const void* expected, const void* actual,
               int size, const Fields& fields, Scope scope)
{
    const auto* e = static_cast<const quint8*>(expected);
    const auto* a = static_cast<const quint8*>(actual);
    for (int i = 0; i < size; ++i) {
        if (e[i] == a[i])
            continue;
        out << QStringLiteral("%1 byte %2 (%3): expected 0x%4, got 0x%5")
                   .arg(area)
                   .arg(i)
                   .arg(fieldAt(fields, scope, i, "no field"))
                   .arg(e[i], 2, 16, QLatin1Char('0'))
                   .arg(a[i], 2, 16, QLatin1Char('0'));
    }
}

// Every difference between the expected and the actual image.
QStringList compare(const Image& e, const Image& a, const Fields& fields)
{
    QStringList out;
    for (int i = 0; i < ChannelSlots; ++i) {
        diffBytes(out, QStringLiteral("classicChannels[%1]").arg(i), &e.classicChannels[i],
                  &a.classicChannels[i], sizeof(ClassicChannelRecord), fields, Scope::Channel);
        diffBytes(out, QStringLiteral("classicExtras[%1]").arg(i), &e.classicExtras[i],
                  &a.classicExtras[i], sizeof(ClassicZeroTable), fields, Scope::Extras);
        diffBytes(out, QStringLiteral("extendedChannels[%1]").arg(i), &e.extendedChannels[i],
                  &a.extendedChannels[i], sizeof(ExtendedChannelRecord), fields, Scope::Channel);
    }
    diffBytes(out, QStringLiteral("classicDevice"), &e.classicDevice, &a.classicDevice,
              sizeof(ClassicDeviceBlock), fields, Scope::Device);
    diffBytes(out, QStringLiteral("extendedDevice"), &e.extendedDevice, &a.extendedDevice,
              sizeof(ExtendedDeviceBlock), fields, Scope::Device);
    diffBytes(out, QStringLiteral("classicLanguage"), &e.classicLanguage, &a.classicLanguage, 4,
              fields, Scope::Language);
    diffBytes(out, QStringLiteral("extendedLanguage"), &e.extendedLanguage, &a.extendedLanguage, 4,
              fields, Scope::Language);
    diffBytes(out, QStringLiteral("modelCode"), &e.modelCode, &a.modelCode, 2, fields,
              Scope::ModelCode);
    diffBytes(out, QStringLiteral("firmwareVersion"), &e.firmwareVersion, &a.firmwareVersion, 2,
              fields, Scope::FirmwareVersion);
    diffBytes(out, QStringLiteral("bleMac"), e.bleMac, a.bleMac, 6, fields, Scope::BleMac);
    diffBytes(out, QStringLiteral("loraId"), e.loraId, a.loraId, 8, fields, Scope::LoraId);
    return out;
}

const Field* fieldOfRegister(const Fields& fields, int reg)
{
    for (const Field& f : fields) {
        if (reg >= f.reg && reg < f.reg + f.regs)
            return &f;
    }
    return nullptr;
}

} // namespace

class TestRoundTrip : public QObject
{
    Q_OBJECT

    SimDetector sim;

    static void resetImage() { clearImage(); }

    void useDevice(int map, int model)
    {
        command.registerMap = quint16(map);
        command.modelCode = quint16(model);
        layoutTold();
        sim.setProfile(map == ExtendedMap ? SimDetector::Layout::Extended
                                          : SimDetector::Layout::Classic,
                       quint16(model));
        sim.clearFaults();
        sim.clearLog();
    }

    // Reads the blocks, comparing the whole image with the one the field lists give.
    void readAndCompare(int fn, bool extended, int model, int page,
                        const std::vector<Block>& blocks, const Fields& channelFields,
                        const Fields& deviceFields, Image expected)
    {
        const SimDetector::Kind kind =
            fn == 4 ? SimDetector::Kind::Input : SimDetector::Kind::Holding;
        std::vector<FloatCheck> floats;
        Fields all = channelFields;
        all.insert(all.end(), deviceFields.begin(), deviceFields.end());
        for (const Block& b : blocks) {
            const int p = b.devicePage ? int(DevicePage) : page;
            const int wirePage = p & 0x0F;
            QVector<quint16> raw;
            for (int r = b.reg; r < b.reg + b.count; ++r) {
                quint16 v = seed(fn, wirePage, r);
                if (fn == 4 && r == RegModelCode)
                    v = quint16(model);
                sim.setRegister(kind, wirePage, r, v);
                raw.append(v);
            }
            const TransactionResult result =
                command.transact(quint16(fn), quint16(p), quint16(b.reg), quint16(b.count));
            QVERIFY2(result == ResultOk, qPrintable(QStringLiteral("%1@%2 x%3 on page %4: %5")
                                                        .arg(fn)
                                                        .arg(b.reg)
                                                        .arg(b.count)
                                                        .arg(p)
                                                        .arg(result)));
            const Fields& fields = (fn == 3 && b.devicePage) ? deviceFields : channelFields;
            for (const Field& f : fields) {
                if (!(f.access & Read) || f.reg < b.reg || f.reg + f.regs > b.reg + b.count)
                    continue;
                expectRead(expected, extended, model, page, f, raw.mid(f.reg - b.reg, f.regs),
                           floats);
            }
            if (fn == 3 && !b.devicePage) {
                const quint16 format = formatOf(expected, extended, page);
                quint16* d = divisorsOf(expected, extended, page);
                d[0] = decimalScaleOf(format >> 4);
                d[1] = decimalScaleOf(format >> 6);
            }
        }
        Image actual = capture();
        QStringList problems;
        for (const FloatCheck& c : floats) {
            // Scaled values are compared as numbers, then taken over so that the byte
            // comparison below sees them as equal.
            const ptrdiff_t at = c.expected - reinterpret_cast<quint8*>(&expected);
            float got;
            memcpy(&got, reinterpret_cast<quint8*>(&actual) + at, 4);
            if (!qFuzzyCompare(got, c.value)) {
                problems << QStringLiteral("%1 (register %2): expected %3, got %4")
                                .arg(QString::fromLatin1(c.name))
                                .arg(c.reg)
                                .arg(double(c.value), 0, 'g', 9)
                                .arg(double(got), 0, 'g', 9);
            }
            memcpy(c.expected, &got, 4);
        }
        problems += compare(expected, actual, all);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Edits the image field by field, writes the blocks and compares the raw registers.
    void writeAndCompare(bool extended, int model, int page, const std::vector<Block>& blocks,
                         const Fields& channelFields, const Fields& deviceFields)
    {
        Image edited = capture();
        QMap<QPair<int, int>, quint16> wireExpected; // (wire page, register) -> value
        for (const Block& b : blocks) {
            const int wirePage = b.devicePage ? int(DevicePage & 0x0F) : page;
            const Fields& fields = b.devicePage ? deviceFields : channelFields;
            for (int r = b.reg; r < b.reg + b.count; ++r) {
                sim.setHolding(wirePage, r, 0xA5A5);
                const Field* f = fieldOfRegister(fields, r);
                QVERIFY2(f && (f->access & Write),
                         qPrintable(QStringLiteral("no field for register %1").arg(r)));
                if (r != f->reg)
                    continue;
                // Device fields are one value whatever page carries them.
                const bool perPage = f->scope == Scope::Channel || f->scope == Scope::Extras;
                QVector<quint16> raw;
                for (int i = 0; i < f->regs; ++i)
                    raw.append(seed(16, perPage ? page : 10, r + i));
                const QVector<quint16> w = editForWrite(edited, extended, model, page, *f, raw);
                for (int i = 0; i < f->regs; ++i)
                    wireExpected[qMakePair(wirePage, r + i)] = w[i];
            }
        }
        install(edited);
        for (const Block& b : blocks) {
            const int p = b.devicePage ? int(DevicePage) : page;
            const TransactionResult result =
                command.transact(16, quint16(p), quint16(b.reg), quint16(b.count));
            QVERIFY2(result == ResultOk, qPrintable(QStringLiteral("16@%1 x%2 on page %3: %4")
                                                        .arg(b.reg)
                                                        .arg(b.count)
                                                        .arg(p)
                                                        .arg(result)));
        }
        QStringList problems;
        Fields all = channelFields;
        all.insert(all.end(), deviceFields.begin(), deviceFields.end());
        for (auto it = wireExpected.cbegin(); it != wireExpected.cend(); ++it) {
            const quint16 got = sim.holding(it.key().first, it.key().second);
            if (got == it.value())
                continue;
            const Field* f = fieldOfRegister(it.key().first == 10 ? deviceFields : channelFields,
                                             it.key().second);
            problems << QStringLiteral("H %1 page %2 (%3): expected 0x%4, got 0x%5")
                            .arg(it.key().second)
                            .arg(it.key().first)
                            .arg(QString::fromLatin1(f ? f->name : "?"))
                            .arg(it.value(), 4, 16, QLatin1Char('0'))
                            .arg(got, 4, 16, QLatin1Char('0'));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

private slots:
    void initTestCase()
    {
        patientReplyTimeouts();
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        command.serialPort.setPortName(sim.portPath());
        command.serialPort.setBaudRate(115200);
        QVERIFY(command.serialPort.open(QIODevice::ReadWrite));
        command.connected = 1;
        command.modbusAddress = 255;
    }

    void cleanupTestCase() { closeProgramPort(); }

    void init() { resetImage(); }

    // Holding registers of one channel page and of the device page: read, then write back.
    void holdingRoundTrip_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("page");
        QTest::newRow("classic T6 channel 1") << int(ClassicMap) << int(ModelT6) << 1;
        QTest::newRow("classic T6 channel 3") << int(ClassicMap) << int(ModelT6) << 3;
        QTest::newRow("classic T6M channel 2") << int(ClassicMap) << int(ModelT6M) << 2;
        QTest::newRow("classic T2 channel 0") << int(ClassicMap) << int(ModelT2) << 0;
        QTest::newRow("extended T8M channel 4") << int(ExtendedMap) << int(ModelT8M) << 4;
        QTest::newRow("extended T6M4 channel 9") << int(ExtendedMap) << int(ModelT6M4) << 9;
    }
    void holdingRoundTrip()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, page);
        useDevice(map, model);
        const bool extended = map == ExtendedMap;
        const Fields channelFields = extended ? extendedChannelHolding() : classicChannelHolding();
        const Fields deviceFields = extended ? extendedDeviceHolding() : classicDeviceHolding();

        Image expected = capture();
        readAndCompare(3, extended, model, page,
                       extended ? extendedHoldingBlocks(false) : classicHoldingBlocks(false),
                       channelFields, deviceFields, expected);
        if (QTest::currentTestFailed())
            return;
        writeAndCompare(extended, model, page,
                        extended ? extendedHoldingBlocks(true) : classicHoldingBlocks(true),
                        channelFields, deviceFields);
    }

    // Input registers of every layout; classic measured values are divided by the divisor that
    // the record holds (0 counting as 1).
    void inputRead_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("page");
        QTest::newRow("fixed T6") << int(ClassicMap) << int(ModelT6) << 0;
        QTest::newRow("fixed T2Classic, page ignored")
            << int(ClassicMap) << int(ModelT2Classic) << 5;
        QTest::newRow("paged T6M channel 2") << int(ClassicMap) << int(ModelT6M) << 2;
        QTest::newRow("paged T6M4 channel 1") << int(ClassicMap) << int(ModelT6M4) << 1;
        QTest::newRow("extended T8M channel 5") << int(ExtendedMap) << int(ModelT8M) << 5;
    }
    void inputRead()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, page);
        useDevice(map, model);
        const bool extended = map == ExtendedMap;
        const bool paged = model == ModelT6M || model == ModelT6M4;
        static const quint16 divisors[4] = {0, 10, 100, 1000};
        for (int i = 0; i < ChannelSlots; ++i) {
            command.classicChannels[i].displayDivisor[1] = divisors[i % 4];
            command.extendedChannels[i].displayDivisor[1] = divisors[i % 4];
        }
        // A classic device does not answer the map probe; its parser maps the register all the
        // same, so the simulator answers it here.
        sim.setAnswersMapProbe(true);
        Fields fields;
        std::vector<Block> blocks;
        if (extended) {
            fields = extendedInput();
            blocks = std::vector<Block>{{true, 16, 10}, {false, 32, 28}, {true, 96, 3},
                                        {true, 112, 4}, {false, 550, 5}, {true, 2457, 1}};
        } else if (paged) {
            fields = pagedClassicInput();
            blocks = std::vector<Block>{{true, 16, 6}, {false, 32, 13}, {true, 2457, 1}};
        } else {
            fields = fixedInput();
            blocks = std::vector<Block>{
                {false, 16, 1}, {false, 32, 8}, {false, 48, 8}, {false, 246, 41}, {false, 2457, 1}};
        }
        readAndCompare(4, extended, model, page, blocks, fields, Fields(), capture());
        // No divisor is recomputed by input replies.
        for (int i = 0; i < ChannelSlots; ++i) {
            const quint16* d = extended ? command.extendedChannels[i].displayDivisor
                                        : command.classicChannels[i].displayDivisor;
            QCOMPARE(d[0], quint16(0));
            QCOMPARE(d[1], divisors[i % 4]);
        }
    }

    // Requests the builder refuses never reach the line.
    void refusedWriteSendsNothing_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("extended tables x61") << int(ExtendedMap) << 4 << 336 << 61 << 3;
        QTest::newRow("extended sensorSerial x8")
            << int(ExtendedMap) << 4 << 400 << 8 << int(ResultMismatch);
        QTest::newRow("extended 313") << int(ExtendedMap) << 4 << 313 << 1 << int(ResultMismatch);
        QTest::newRow("classic 254 x85")
            << int(ClassicMap) << 2 << 254 << 85 << int(ResultBlockOverrun);
        QTest::newRow("classic commit x2")
            << int(ClassicMap) << int(DevicePage) << 576 << 2 << int(ResultBlockOverrun);
        QTest::newRow("classic channel register on device page")
            << int(ClassicMap) << int(DevicePage) << 258 << 1 << int(ResultMismatch);
        QTest::newRow("classic page 11")
            << int(ClassicMap) << 11 << 258 << 1 << int(ResultMismatch);
    }
    void refusedWriteSendsNothing()
    {
        QFETCH(int, map);
        QFETCH(int, page);
        QFETCH(int, reg);
        QFETCH(int, count);
        QFETCH(int, expected);
        useDevice(map, map == ExtendedMap ? ModelT8M : ModelT6);
        QCOMPARE(int(command.transact(16, quint16(page), quint16(reg), quint16(count))), expected);
        QCOMPARE(requestsBeforeMarker(sim).size(), 0);
    }

    // A reply whose byte count does not fit the request is never parsed, however often it comes.
    void misSizedReplyLeavesImage()
    {
        useDevice(ExtendedMap, ModelT8M);
        sim.setHolding(2, 259, 0x00E0);
        sim.setHolding(2, 260, 0x1234);
        sim.addFault(SimFault(SimFault::BadByteCount, 3));
        const Image before = capture();
        QCOMPARE(int(command.transact(3, 2, 259, 2)), int(ResultMismatch));
        QCOMPARE(sim.countFrames(3), 10);
        const Image after = capture();
        QVERIFY(memcmp(&before, &after, sizeof before) == 0);
    }
};

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "test_roundtrip.moc"
