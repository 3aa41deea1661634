// Holding registers of the extended map. Two-register fields travel low half
// first and are stored half by half.

#include "parameterimage.h"
#include "registermap.h"

#include <cstddef>

namespace regmap
{

namespace
{

using C = ExtendedChannelRecord;
using D = ExtendedDeviceBlock;
constexpr Target Ch = Target::Channel;
constexpr Target Dv = Target::Device;

void halves(TableBuilder& b, int reg, Target target, int offset, Access access = RW)
{
    b.add(reg, Rule::U16, target, offset, access);
    b.add(reg + 1, Rule::U16, target, offset + 2, access);
}

} // namespace

void buildExtendedHolding(HoldingTables& t)
{
    TableBuilder ch(t.channelRead, t.channelWrite);
    halves(ch, 254, Dv, offsetof(D, utcOffset));
    halves(ch, 256, Dv, offsetof(D, deviceClock));
    ch.add(258, Rule::U16, Ch, offsetof(C, channelPage));
    ch.add(259, Rule::U16, Ch, offsetof(C, format));
    ch.add(260, Rule::U16, Ch, offsetof(C, sensorType));
    ch.add(261, Rule::U16, Ch, offsetof(C, lcdFormula)); // low byte formula, high byte cell
    halves(ch, 262, Ch, offsetof(C, calibrationGas));
    halves(ch, 264, Ch, offsetof(C, limit1));
    halves(ch, 266, Ch, offsetof(C, limit2));
    halves(ch, 268, Ch, offsetof(C, limit3));
    halves(ch, 270, Ch, offsetof(C, limit4));
    halves(ch, 272, Ch, offsetof(C, stel));
    halves(ch, 274, Ch, offsetof(C, twa));
    ch.add(276, Rule::U16, Ch, offsetof(C, stelInterval));
    halves(ch, 277, Ch, offsetof(C, hysteresis));
    halves(ch, 279, Ch, offsetof(C, lelCoefficient));
    halves(ch, 281, Ch, offsetof(C, molecularWeight));
    ch.add(283, Rule::U16, Ch, offsetof(C, calibrationInterval));
    ch.add(284, Rule::U16, Dv, offsetof(D, bumpTestInterval));
    ch.range(285, 3, Rule::U16, Ch, offsetof(C, auxWords), 2);
    ch.range(288, 5, Rule::U16, Ch, offsetof(C, gasFormula), 2);
    ch.add(293, Rule::U16, Ch, offsetof(C, zeroAdc));
    ch.add(294, Rule::U16, Ch, offsetof(C, spanAdc));
    ch.add(295, Rule::U16, Ch, offsetof(C, pgaIndex));
    ch.add(296, Rule::U16, Ch, offsetof(C, correctionCoefficient));
    ch.add(297, Rule::U16, Ch, offsetof(C, averagingCount));
    ch.add(298, Rule::U16, Ch, offsetof(C, rgainIndex));
    halves(ch, 299, Dv, offsetof(D, serialNumber));
    ch.add(301, Rule::U16, Dv, offsetof(D, hardwareVersion));
    halves(ch, 302, Dv, offsetof(D, productionDate));
    halves(ch, 304, Ch, offsetof(C, sensorProtection));
    halves(ch, 306, Ch, offsetof(C, deadZone));
    halves(ch, 308, Ch, offsetof(C, deadZone2));
    ch.add(310, Rule::U16, Ch, offsetof(C, rangeCalibrationLimit));
    ch.add(311, Rule::U16, Ch, offsetof(C, formulaGasNumber));
    ch.add(312, Rule::U16, Ch, offsetof(C, warmUpTime));
    ch.end(313, ResultBlockOverrun, ResultBlockOverrun);

    ch.range(336, 10, Rule::U16, Ch, offsetof(C, tempTableTemperature), 2);
    ch.range(346, 10, Rule::Thousandths, Ch, offsetof(C, tempTableCoefficient), 4);
    ch.range(356, 10, Rule::U16, Ch, offsetof(C, spanTableConcentration), 2);
    ch.range(366, 10, Rule::Thousandths, Ch, offsetof(C, spanTableCoefficient), 4);
    ch.range(376, 10, Rule::U16, Ch, offsetof(C, zeroTableTemperature), 2);
    ch.range(386, 10, Rule::U16, Ch, offsetof(C, zeroTableOffset), 2);
    ch.end(396, ResultMismatch, ResultOk | ResultNotSent);

    ch.range(400, 7, Rule::U16, Ch, offsetof(C, sensorSerial), 2);
    ch.end(407, ResultMismatch, ResultMismatch);

    halves(ch, 544, Dv, offsetof(D, deviceFlags));
    halves(ch, 546, Dv, offsetof(D, deviceStatus));
    halves(ch, 548, Ch, offsetof(C, channelFlags));
    halves(ch, 550, Ch, offsetof(C, channelStatus));
    ch.add(552, Rule::U16, Ch, offsetof(C, sensorStatus));
    ch.end(553, ResultMismatch, ResultMismatch);

    ch.add(560, Rule::FlagBit, Ch, offsetof(C, channelFlags), W, -1, 3);
    ch.add(561, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 1);
    ch.add(562, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 3);
    ch.add(563, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 2);
    ch.end(564, 0, ResultBlockOverrun);

    ch.add(768, Rule::U16, Ch, offsetof(C, adcZeroPoint));
    ch.add(769, Rule::U16, Ch, offsetof(C, adcSpanPoint));
    ch.end(770, ResultBlockOverrun, ResultBlockOverrun);

    TableBuilder dev(t.deviceRead, t.deviceWrite);
    dev.add(1, Rule::FirmwareStart, Target::None, 0);
    dev.add(2, Rule::Register2, Target::None, 0);
    dev.add(3, Rule::NonZeroFlag, Target::FirmwareEndFlag, 0);
    dev.add(4, Rule::NonZeroAddress, Target::FirmwareEndAddress, 0);
    dev.add(5, Rule::BootloaderPowerOff, Target::None, 0);
    dev.end(6, ResultBlockOverrun, ResultBlockOverrun);
    dev.range(16, 3, Rule::SendZero, Target::None, 0, 0, W);
    dev.end(19, 0, ResultBlockOverrun);
    dev.add(512, Rule::U16, Dv, offsetof(D, pwmSound));
    dev.add(513, Rule::U16, Dv, offsetof(D, ledPulseTime));
    dev.add(514, Rule::U16, Dv, offsetof(D, ledPeriod));
    dev.range(515, 4, Rule::U16, Dv, offsetof(D, batteryLevels), 2);
    dev.add(519, Rule::U16, Dv, offsetof(D, lcdType));
    dev.end(520, ResultMismatch, ResultMismatch);
    dev.add(528, Rule::U16, Dv, offsetof(D, archiveIntervals));
    halves(dev, 529, Dv, offsetof(D, archiveStartAddress));
    halves(dev, 531, Dv, offsetof(D, archiveCurrentAddress));
    dev.add(533, Rule::U16, Dv, offsetof(D, archiveEnabled));
    dev.end(534, ResultMismatch, ResultMismatch);
    halves(dev, 544, Dv, offsetof(D, deviceFlags));
    halves(dev, 546, Dv, offsetof(D, deviceStatus));
    dev.add(561, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 1);
    dev.add(562, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 3);
    dev.add(563, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 2);
    dev.end(564, 0, ResultBlockOverrun);
    for (int reg : {int(RegCommit), int(RegSaveFactory), int(RegRestoreFactory), int(RegEndSession),
                    int(RegBleBootloader), int(RegPowerOff)}) {
        dev.add(reg, Rule::SendZero, Target::None, 0, W);
        dev.end(reg + 1, 0, ResultBlockOverrun);
    }
    dev.add(RegTempSensorCalibration, Rule::Hundredths, Target::TempSensorCalibration, 0, W);
    dev.end(RegTempSensorCalibration + 1, 0, ResultBlockOverrun);
    halves(dev, 784, Dv, offsetof(D, gnssConfig));
    dev.add(786, Rule::U16, Dv, offsetof(D, loraPeriod)); // low byte period, high byte alarm period
    dev.end(787, ResultBlockOverrun, ResultBlockOverrun);
    dev.add(RegDeviceLanguage, Rule::SetU32, Target::ExtendedLanguage, 0, R);
    dev.add(RegDeviceLanguage, Rule::U16, Target::ExtendedLanguage, 0, W);
    dev.end(RegDeviceLanguage + 1, ResultMismatch, ResultBlockOverrun);
}

} // namespace regmap
