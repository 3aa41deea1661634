// Input registers: identity, measurements and status, in the three layouts.

#include "parameterimage.h"
#include "registermap.h"

#include <cstddef>

namespace regmap
{

namespace
{

constexpr Target Ch = Target::Channel;
constexpr Target Dv = Target::Device;

void fixedClassic(Table& t)
{
    using C = ClassicChannelRecord;
    using D = ClassicDeviceBlock;
    Table unused;
    TableBuilder b(t, unused);
    b.add(RegModelCode, Rule::U16, Target::ModelCode, 0, R);
    b.end(17, ResultOk | ResultNotSent, 0);
    for (int k = 0; k < 4; ++k) {
        b.add(32 + 2 * k, Rule::U16, Ch, offsetof(C, calibrationConcentration), R, k);
        b.add(33 + 2 * k, Rule::Thousandths, Ch, offsetof(C, calibrationCoefficient), R, k);
    }
    b.end(40, ResultOk | ResultNotSent, 0);
    for (int k = 0; k < 4; ++k) {
        b.add(48 + 2 * k, Rule::U16, Ch, offsetof(C, channelFlags), R, k);
        b.add(49 + 2 * k, Rule::U16, Ch, offsetof(C, channelStatus), R, k);
    }
    b.end(56, ResultOk | ResultNotSent, 0);
    // The fixed-channel device assembles its 32-bit values: the low register
    // replaces the whole value, the high one adds the upper half.
    for (int k = 0; k < 4; ++k) {
        b.add(246 + 2 * k, Rule::SetU32, Ch, offsetof(C, lastCalibrationDate), R, k);
        b.add(247 + 2 * k, Rule::OrHighU32, Ch, offsetof(C, lastCalibrationDate), R, k);
    }
    b.add(254, Rule::SetU32, Dv, offsetof(D, lastBumpTestDate), R);
    b.add(255, Rule::OrHighU32, Dv, offsetof(D, lastBumpTestDate), R);
    b.add(256, Rule::SignedHundredths, Dv, offsetof(D, deviceTemperature), R);
    b.add(257, Rule::U16, Dv, offsetof(D, batteryCharge), R);
    b.add(258, Rule::U16, Dv, offsetof(D, batteryVoltage), R);
    for (int k = 0; k < 4; ++k) {
        const int r = 259 + 7 * k;
        b.add(r, Rule::U16, Ch, offsetof(C, adcCurrent), R, k);
        b.add(r + 1, Rule::U16, Ch, offsetof(C, adcZeroPoint), R, k);
        b.add(r + 2, Rule::DivByDivisor, Ch, offsetof(C, measuredValue), R, k);
        b.add(r + 3, Rule::DivByDivisor, Ch, offsetof(C, auxMeasuredValue1), R, k);
        b.add(r + 4, Rule::DivByDivisor, Ch, offsetof(C, auxMeasuredValue2), R, k);
        b.add(r + 5, Rule::SetU32, Ch, offsetof(C, auxInputValue), R, k);
        b.add(r + 6, Rule::OrHighU32, Ch, offsetof(C, auxInputValue), R, k);
    }
    b.end(287, ResultBlockOverrun, 0);
    b.add(RegMapProbe, Rule::U16, Target::FirmwareVersion, 0, R);
    b.end(RegMapProbe + 1, ResultBlockOverrun, 0);
}

void pageClassic(Table& t)
{
    using C = ClassicChannelRecord;
    using D = ClassicDeviceBlock;
    Table unused;
    TableBuilder b(t, unused);
    b.add(RegModelCode, Rule::U16, Target::ModelCode, 0, R);
    b.add(17, Rule::U16, Dv, offsetof(D, lastBumpTestDate), R);
    b.add(18, Rule::U16, Dv, offsetof(D, lastBumpTestDate) + 2, R);
    b.add(19, Rule::SignedHundredths, Dv, offsetof(D, deviceTemperature), R);
    b.add(20, Rule::U16, Dv, offsetof(D, batteryCharge), R);
    b.add(21, Rule::U16, Dv, offsetof(D, batteryVoltage), R);
    b.end(22, ResultOk | ResultNotSent, 0);
    b.add(32, Rule::U16, Ch, offsetof(C, calibrationConcentration), R);
    b.add(33, Rule::Thousandths, Ch, offsetof(C, calibrationCoefficient), R);
    b.add(34, Rule::U16, Ch, offsetof(C, channelFlags), R);
    b.add(35, Rule::U16, Ch, offsetof(C, channelStatus), R);
    b.add(36, Rule::U16, Ch, offsetof(C, lastCalibrationDate), R);
    b.add(37, Rule::U16, Ch, offsetof(C, lastCalibrationDate) + 2, R);
    b.add(38, Rule::U16, Ch, offsetof(C, adcCurrent), R);
    b.add(39, Rule::U16, Ch, offsetof(C, adcZeroPoint), R);
    b.add(40, Rule::DivByDivisor, Ch, offsetof(C, measuredValue), R);
    b.add(41, Rule::DivByDivisor, Ch, offsetof(C, auxMeasuredValue1), R);
    b.add(42, Rule::DivByDivisor, Ch, offsetof(C, auxMeasuredValue2), R);
    b.add(43, Rule::U16, Ch, offsetof(C, auxInputValue), R);
    b.add(44, Rule::U16, Ch, offsetof(C, auxInputValue) + 2, R);
    b.end(45, ResultBlockOverrun, 0);
    b.add(RegMapProbe, Rule::U16, Target::FirmwareVersion, 0, R);
    b.end(RegMapProbe + 1, ResultBlockOverrun, 0);
}

void extended(Table& t)
{
    using C = ExtendedChannelRecord;
    using D = ExtendedDeviceBlock;
    Table unused;
    TableBuilder b(t, unused);
    auto halves = [&](int reg, Target target, int offset) {
        b.add(reg, Rule::U16, target, offset, R);
        b.add(reg + 1, Rule::U16, target, offset + 2, R);
    };
    b.add(RegModelCode, Rule::U16, Target::ModelCode, 0, R);
    b.add(RegFirmwareVersion, Rule::U16, Target::FirmwareVersion, 0, R);
    halves(18, Dv, offsetof(D, lastBumpTestDate));
    halves(20, Dv, offsetof(D, deviceTemperature));
    b.add(22, Rule::U16, Dv, offsetof(D, batteryCharge), R);
    b.add(23, Rule::U16, Dv, offsetof(D, batteryVoltage), R);
    halves(24, Dv, offsetof(D, devicePressure));
    b.end(26, ResultBlockOverrun, 0);
    halves(32, Ch, offsetof(C, calibrationConcentration));
    halves(34, Ch, offsetof(C, lastCalibrationDate));
    halves(36, Ch, offsetof(C, calibrationCoefficient));
    // 38-42 are reserved inside the measurement block: the read roads ask for
    // 32-59 in one request, so they are taken and nothing is stored.
    for (int r = 38; r <= 42; ++r)
        b.add(r, Rule::Taken, Target::None, 0, R);
    b.add(43, Rule::U16, Ch, offsetof(C, adcCurrent), R);
    b.add(44, Rule::U16, Ch, offsetof(C, adcZeroPoint), R);
    halves(45, Ch, offsetof(C, measuredValue));
    halves(47, Ch, offsetof(C, auxMeasuredValue1));
    halves(49, Ch, offsetof(C, auxMeasuredValue2));
    halves(51, Ch, offsetof(C, auxInputValue));
    halves(53, Ch, offsetof(C, rawConcentration));
    b.add(55, Rule::U16, Ch, offsetof(C, zeroCalibrationTemperature), R);
    halves(56, Ch, offsetof(C, sensorTemperature));
    halves(58, Ch, offsetof(C, sensorHumidity));
    b.end(60, ResultBlockOverrun, 0);
    b.range(96, 3, Rule::U16, Target::BleMac, 0, 2, R);
    b.end(99, ResultBlockOverrun, 0);
    b.range(112, 4, Rule::U16, Target::LoraId, 0, 2, R);
    b.end(116, ResultBlockOverrun, 0);
    halves(550, Ch, offsetof(C, channelFlags));
    halves(552, Ch, offsetof(C, channelStatus));
    b.add(554, Rule::U16, Ch, offsetof(C, sensorStatus), R);
    b.end(555, ResultBlockOverrun, 0);
    b.add(RegMapProbe, Rule::U16, Target::FirmwareVersion, 0, R);
    b.end(RegMapProbe + 1, ResultBlockOverrun, 0);
}

} // namespace

void buildInput(InputTables& t)
{
    fixedClassic(t.fixedClassic);
    pageClassic(t.pageClassic);
    extended(t.extended);
}

} // namespace regmap
