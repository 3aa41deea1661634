// Holding registers of the classic map.

#include "parameterimage.h"
#include "registermap.h"

#include <cstddef>

namespace regmap
{

void TableBuilder::add(int reg, Rule rule, Target target, int offset, Access access, int channel,
                       int bit)
{
    Entry e;
    e.rule = rule;
    e.target = target;
    e.offset = quint16(offset);
    e.channel = qint8(channel);
    e.bit = quint8(bit);
    if (access & R)
        read_.reg[reg] = e;
    if (access & W)
        write_.reg[reg] = e;
}

void TableBuilder::range(int reg, int n, Rule rule, Target target, int offset, int stride,
                         Access access, int channel)
{
    for (int i = 0; i < n; ++i)
        add(reg + i, rule, target, offset + i * stride, access, channel);
}

void TableBuilder::end(int reg, int readResult, int writeResult)
{
    Entry e;
    e.rule = Rule::End;
    if (readResult) {
        e.endResult = quint8(readResult);
        read_.reg[reg] = e;
    }
    if (writeResult) {
        e.endResult = quint8(writeResult);
        write_.reg[reg] = e;
    }
}

namespace
{

using C = ClassicChannelRecord;
using D = ClassicDeviceBlock;
constexpr Target Ch = Target::Channel;
constexpr Target Dv = Target::Device;

} // namespace

void buildClassicHolding(HoldingTables& t)
{
    TableBuilder ch(t.channelRead, t.channelWrite);
    // 254-255 are written with the clock but are no start registers for reading.
    ch.add(254, Rule::U16, Dv, offsetof(D, utcOffset), W);
    ch.add(255, Rule::U16, Dv, offsetof(D, utcOffset) + 2, W);
    ch.add(256, Rule::U16, Dv, offsetof(D, deviceClock));
    ch.add(257, Rule::U16, Dv, offsetof(D, deviceClock) + 2);
    ch.add(258, Rule::U16, Ch, offsetof(C, channelPage));
    ch.add(259, Rule::U16, Ch, offsetof(C, format));
    ch.add(260, Rule::U16, Ch, offsetof(C, calibrationGas));
    ch.add(261, Rule::U16, Ch, offsetof(C, limit1));
    ch.add(262, Rule::U16, Ch, offsetof(C, limit2));
    ch.add(263, Rule::U16, Ch, offsetof(C, limit3));
    ch.add(264, Rule::U16, Ch, offsetof(C, limit4));
    ch.add(265, Rule::U16, Ch, offsetof(C, stel));
    ch.add(266, Rule::U16, Ch, offsetof(C, twa));
    ch.add(267, Rule::U16, Ch, offsetof(C, stelInterval));
    ch.add(268, Rule::U16, Ch, offsetof(C, calibrationInterval));
    ch.add(269, Rule::U16, Dv, offsetof(D, bumpTestInterval));
    ch.range(270, 3, Rule::U16, Ch, offsetof(C, auxWords), 2);
    ch.range(273, 5, Rule::U16, Ch, offsetof(C, gasFormula), 2);
    ch.add(278, Rule::U16, Ch, offsetof(C, hysteresis));
    ch.add(279, Rule::U16, Ch, offsetof(C, zeroAdc));
    ch.add(280, Rule::U16, Ch, offsetof(C, spanAdc));
    ch.add(281, Rule::Hundredths, Ch, offsetof(C, lelCoefficient));
    ch.add(282, Rule::Hundredths, Ch, offsetof(C, molecularWeight));
    ch.add(283, Rule::Packed283, Ch, 0);
    ch.add(284, Rule::U8, Ch, offsetof(C, pgaIndex));
    ch.add(285, Rule::U16, Dv, offsetof(D, serialNumber));
    ch.add(286, Rule::U16, Dv, offsetof(D, serialNumber) + 2);
    ch.add(287, Rule::U16, Dv, offsetof(D, hardwareVersion));
    ch.add(288, Rule::FirmwareVersion288, Target::FirmwareVersion, 0);
    ch.add(289, Rule::U16, Dv, offsetof(D, productionDate));
    ch.add(290, Rule::U16, Dv, offsetof(D, productionDate) + 2);
    ch.add(291, Rule::U16, Ch, offsetof(C, deadZone));
    ch.add(292, Rule::U16, Ch, offsetof(C, deadZone2));
    ch.add(293, Rule::U16, Ch, offsetof(C, sensorStatus));
    ch.add(294, Rule::U16, Ch, offsetof(C, rangeCalibrationLimit));
    ch.add(295, Rule::U16, Ch, offsetof(C, formulaGasNumber));
    ch.range(296, 10, Rule::U16, Ch, offsetof(C, tempTableTemperature), 2);
    ch.range(306, 10, Rule::Thousandths, Ch, offsetof(C, tempTableCoefficient), 4);
    ch.range(316, 10, Rule::U16, Ch, offsetof(C, spanTableConcentration), 2);
    ch.range(326, 10, Rule::U16, Ch, offsetof(C, spanTableCoefficient), 2);
    ch.add(336, Rule::U16, Ch, offsetof(C, adcZeroPoint));
    ch.add(337, Rule::U16, Ch, offsetof(C, adcSpanPoint));
    ch.end(338, ResultBlockOverrun, ResultBlockOverrun);

    ch.range(352, 10, Rule::U16, Target::ClassicExtras, offsetof(ClassicZeroTable, temperature), 2);
    ch.range(362, 10, Rule::U16, Target::ClassicExtras, offsetof(ClassicZeroTable, offset), 2);
    ch.end(372, ResultBlockOverrun, ResultBlockOverrun);

    ch.add(514, Rule::U16, Ch, offsetof(C, sensorType));
    ch.end(515, ResultBlockOverrun, ResultBlockOverrun);

    ch.add(544, Rule::U16, Dv, offsetof(D, deviceFlags));
    ch.add(545, Rule::U16, Dv, offsetof(D, deviceStatus));
    ch.add(546, Rule::U16, Ch, offsetof(C, channelFlags));
    ch.add(547, Rule::U16, Ch, offsetof(C, channelStatus));
    ch.end(548, ResultBlockOverrun, ResultBlockOverrun);

    ch.add(560, Rule::FlagBit, Ch, offsetof(C, channelFlags), W, -1, 3);
    ch.add(561, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 1);
    ch.add(562, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 3);
    ch.add(563, Rule::FlagBit, Dv, offsetof(D, deviceFlags), W, -1, 2);
    ch.end(564, 0, ResultBlockOverrun);

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
    dev.end(513, ResultBlockOverrun, ResultBlockOverrun);
    dev.add(528, Rule::U16, Dv, offsetof(D, archiveIntervals));
    // The classic device assembles its archive addresses: the low register
    // replaces the whole value, the high one adds the upper half.
    dev.add(529, Rule::SetU32, Dv, offsetof(D, archiveStartAddress));
    dev.add(530, Rule::OrHighU32, Dv, offsetof(D, archiveStartAddress));
    dev.add(531, Rule::SetU32, Dv, offsetof(D, archiveCurrentAddress));
    dev.add(532, Rule::OrHighU32, Dv, offsetof(D, archiveCurrentAddress));
    dev.add(533, Rule::U16, Dv, offsetof(D, archiveEnabled));
    dev.end(534, ResultBlockOverrun, ResultBlockOverrun);
    dev.add(544, Rule::U16, Dv, offsetof(D, deviceFlags));
    dev.add(545, Rule::U16, Dv, offsetof(D, deviceStatus));
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
    dev.add(RegDeviceLanguage, Rule::U16, Target::ClassicLanguage, 0, W);
    dev.end(RegDeviceLanguage + 1, 0, ResultBlockOverrun);
}

} // namespace regmap
