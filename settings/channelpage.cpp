#include "channelpage.h"

#include "command.h"
#include "modeltraits.h"
#include "optiontables.h"
#include "rounding.h"
#include "units.h"

#include <QComboBox>
#include <QGroupBox>

#include <cmath>

namespace
{

quint16* formatOf(int ch)
{
    if (command.registerMap == ClassicMap)
        return &command.classicChannels[ch].format;
    if (command.registerMap == ExtendedMap)
        return &command.extendedChannels[ch].format;
    return nullptr;
}

bool putFormatField(int ch, quint16 mask, int shift, int value)
{
    quint16* format = formatOf(ch);
    if (!format)
        return false;
    *format = quint16((*format & ~mask) | ((value << shift) & mask));
    return true;
}

} // namespace

double displayFactorOf(int ch)
{
    const double factor = command.unitFactor(ch);
    return factor == 0 || !std::isfinite(factor) ? 1.0 : factor;
}

quint16 classicRaw(double value, double classicScale, quint16 rawMaximum)
{
    const double scale = classicScale != 0 && std::isfinite(classicScale) ? classicScale : 1.0;
    return roundedInto<quint16>(value / scale, 0, rawMaximum);
}

Concentration Concentration::inChannel(int ch, quint16 ClassicChannelRecord::*classicField,
                                       float ExtendedChannelRecord::*extendedField)
{
    if (command.registerMap == ClassicMap)
        return of(command.classicChannels[ch].*classicField);
    if (command.registerMap == ExtendedMap)
        return of(command.extendedChannels[ch].*extendedField);
    return {};
}

double Concentration::shown(double classicScale, double displayFactor) const
{
    if (raw)
        return (*raw & rawMask) * classicScale;
    return value ? double(*value) * displayFactor : 0.0;
}

void Concentration::store(double typed, double classicScale, double displayFactor) const
{
    if (raw)
        *raw = quint16((*raw & ~rawMask) | classicRaw(typed, classicScale, rawMask));
    else if (value)
        *value = float(typed / displayFactor);
}

double concentrationMaximumOf(int ch)
{
    if (command.registerMap == ClassicMap)
        return 65535.0 / effectiveDivisor(command.classicChannels[ch].displayDivisor[0]);
    if (command.registerMap == ExtendedMap)
        return 99999.0 / effectiveDivisor(command.extendedChannels[ch].displayDivisor[0]);
    return 0;
}

float classicCoefficient(double value)
{
    return float(roundedInto<quint16>(value * 100) / 100.0);
}

bool storeDisplayedUnit(int ch, int unit)
{
    return putFormatField(ch, FormatBits::DisplayUnitMask, 0, unit);
}

bool storeBaseUnit(int ch, int unit)
{
    return putFormatField(ch, FormatBits::BaseUnitMask, FormatBits::BaseUnitShift, unit);
}

bool storeDecimals(int ch, int which, int decimals)
{
    const bool raw = which == 1;
    if (!putFormatField(ch, raw ? FormatBits::RawDecimalsMask : FormatBits::DecimalsMask,
                        raw ? FormatBits::RawDecimalsShift : FormatBits::DecimalsShift, decimals))
        return false;
    quint16& divisor = command.registerMap == ClassicMap
                           ? command.classicChannels[ch].displayDivisor[which]
                           : command.extendedChannels[ch].displayDivisor[which];
    divisor = quint16(decimalScale(*formatOf(ch), which));
    return true;
}

bool storeChannelOn(int ch, bool on)
{
    const quint16 page = on ? quint16(ch) : command.channelOffMarker;
    if (command.registerMap == ClassicMap)
        command.classicChannels[ch].channelPage = page;
    else if (command.registerMap == ExtendedMap)
        command.extendedChannels[ch].channelPage = page;
    else
        return false;
    return true;
}

void fillDecimalsCombo(QComboBox* combo)
{
    for (int i = 0; i < decimalFormatNamesCount; ++i)
        combo->addItem(QString::fromLatin1(decimalFormatNames[i]));
}

void setUpChannelGroup(QGroupBox* group)
{
    if (traitsOf(command.modelCode).group == ModelGroup::T2)
        group->setCheckable(false);
}

bool showChannelGroup(QGroupBox* group, int ch, const QString& caption, QString* formula)
{
    const char* field = nullptr;
    quint16 page = 0;
    if (command.registerMap == ClassicMap) {
        field = command.classicChannels[ch].gasFormula;
        page = command.classicChannels[ch].channelPage;
    } else if (command.registerMap == ExtendedMap) {
        field = command.extendedChannels[ch].gasFormula;
        page = command.extendedChannels[ch].channelPage;
    } else {
        return false;
    }
    const QString formulaText = imageText(field, 10);
    group->setTitle(formulaText + QStringLiteral(" ") + caption);
    group->setChecked(page == ch);
    if (formula)
        *formula = formulaText;
    return true;
}
