#include "unitlist.h"

#include "command.h"
#include "optiontables.h"
#include "parameterimage.h"

#include <QComboBox>

UnitList unitListFor(quint16 format, quint16 sensorType)
{
    const int base = baseUnitOf(format);
    if (format & FormatBits::KindThermocatalytic)
        return base == 1 ? UnitList{1, 1} : UnitList{1, 3};
    if (format & FormatBits::KindModule) {
        if (base == 1)
            return {1, 1};
        if (base == 2 || base == 3)
            return {1, 3};
        return (sensorType & (SensorTypeBits::ModuleBeleadBlrm | SensorTypeBits::ModuleBeleadBldm))
                   ? UnitList{0, 4}
                   : UnitList{0, 1};
    }
    if (format & FormatBits::KindPid)
        return {0, 2};
    if (format & FormatBits::KindOxygen)
        return {3, 1};
    if (base == 2 || base == 3)
        return {base, 1};
    return {0, 2};
}

int fillUnitCombo(QComboBox* combo, quint16 format, quint16 sensorType)
{
    const UnitList list = unitListFor(format, sensorType);
    combo->clear();
    for (int i = 0; i < list.count; ++i)
        combo->addItem(QString::fromLatin1(optionName(unitNames, list.firstUnit + i)));
    const int index = displayUnitOf(format) - list.firstUnit;
    combo->setCurrentIndex(index >= 0 && index < list.count ? index : -1);
    return list.firstUnit;
}

UnitList baseUnitListFor(quint16 format)
{
    if (format & FormatBits::KindThermocatalytic)
        return {1, 3};
    if (format & FormatBits::KindModule)
        return {0, 4};
    if (format & FormatBits::KindPid)
        return {0, 1};
    if (format & FormatBits::KindOxygen)
        return {3, 1};
    return {0, 4};
}

int fillBaseUnitCombo(QComboBox* combo, quint16 format)
{
    const UnitList list = baseUnitListFor(format);
    combo->clear();
    for (int i = 0; i < list.count; ++i)
        combo->addItem(QString::fromLatin1(optionName(unitNames, list.firstUnit + i)));
    const int index = baseUnitOf(format) - list.firstUnit;
    combo->setCurrentIndex(index >= 0 && index < list.count ? index : -1);
    return list.firstUnit;
}

ChannelUnitWords channelUnitWords(int channel)
{
    ChannelUnitWords words;
    if (command.registerMap == ClassicMap) {
        words.format = command.classicChannels[channel].format;
        words.sensorType = command.classicChannels[channel].sensorType;
    } else if (command.registerMap == ExtendedMap) {
        words.format = command.extendedChannels[channel].format;
        words.sensorType = command.extendedChannels[channel].sensorType;
    }
    return words;
}

int fillChannelUnitCombo(QComboBox* combo, int channel)
{
    const ChannelUnitWords words = channelUnitWords(channel);
    return fillUnitCombo(combo, words.format, words.sensorType);
}

int fillChannelBaseUnitCombo(QComboBox* combo, int channel)
{
    return fillBaseUnitCombo(combo, channelUnitWords(channel).format);
}
