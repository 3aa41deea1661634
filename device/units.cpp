#include "units.h"

#include "command.h"

int decimalScale(quint16 formatWord, int which)
{
    static const int powers[4] = {1, 10, 100, 1000};
    if (which == 0)
        return powers[decimalsOf(formatWord)];
    if (which == 1)
        return powers[rawDecimalsOf(formatWord)];
    return 1;
}

namespace
{

enum Unit { Ppm = 0, MgPerM3 = 1, PercentLel = 2, PercentVol = 3 };

// Factor from the base unit into the display unit. m: molecular weight,
// l: LEL coefficient, k: volume factor of the layout. A conversion that needs
// m or l falls back to 1 while that coefficient is not set (exactly 0), so an
// unconfigured channel shows its raw value instead of infinity.
double conversion(int base, int display, double m, double l, double k)
{
    const bool haveM = m != 0.0;
    const bool haveL = l != 0.0;
    switch (base) {
    case Ppm:
        switch (display) {
        case MgPerM3:
            return haveM ? m : 1.0;
        case PercentLel:
            return haveL ? (100.0 / l) * 1e-4 : 1.0;
        case PercentVol:
            return 1e-4;
        default:
            return 1.0;
        }
    case MgPerM3:
        switch (display) {
        case Ppm:
            return haveM ? 1.0 / m : 1.0;
        case PercentLel:
            return haveM && haveL ? (1.0 / (m * k * 1e4)) * (100.0 / l) : 1.0;
        case PercentVol:
            return haveM ? 1.0 / (m * k * 1e4) : 1.0;
        default:
            return 1.0;
        }
    case PercentLel:
        switch (display) {
        case Ppm:
            return haveL ? (l / 100.0) * 1e4 : 1.0;
        case MgPerM3:
            return haveM && haveL ? (l / 100.0) * (m * k * 1e4) : 1.0;
        case PercentVol:
            return haveL ? l / 100.0 : 1.0;
        default:
            return 1.0;
        }
    case PercentVol:
        switch (display) {
        case Ppm:
            return 1e4;
        case MgPerM3:
            return haveM ? m * k * 1e4 : 1.0;
        case PercentLel:
            return haveL ? 100.0 / l : 1.0;
        default:
            return 1.0;
        }
    default:
        return 1.0;
    }
}

// Volume factor of the classic layout in the mg/m3 conversions from and to
// %VOL and %LEL (PPM <-> mg/m3 goes without it); the extended layout uses 1.
constexpr double classicVolumeFactor = 11.11778;

} // namespace

float Command::unitFactor(int channel) const
{
    if (channel < 0 || channel >= ChannelSlots)
        return 1.0f;
    if (registerMap == ClassicMap)
        return unitFactorFor(channel, displayUnitOf(classicChannels[channel].format));
    if (registerMap == ExtendedMap)
        return unitFactorFor(channel, displayUnitOf(extendedChannels[channel].format));
    return 1.0f;
}

float Command::unitFactorFor(int channel, int displayUnit) const
{
    if (channel < 0 || channel >= ChannelSlots)
        return 1.0f;

    quint16 format;
    double m;
    double l;
    double k;
    double q = 1.0;
    if (registerMap == ClassicMap) {
        const ClassicChannelRecord& record = classicChannels[channel];
        format = record.format;
        m = record.molecularWeight;
        l = record.lelCoefficient;
        k = classicVolumeFactor;
    } else if (registerMap == ExtendedMap) {
        const ExtendedChannelRecord& record = extendedChannels[channel];
        format = record.format;
        m = record.molecularWeight;
        l = record.lelCoefficient;
        k = 1.0;
        // 0 means the device applies no correction.
        if (record.correctionCoefficient != 0)
            q = record.correctionCoefficient / 1000.0;
    } else {
        return 1.0f;
    }

    const int display = displayUnit & 0x3;
    const int base = baseUnitOf(format);
    return float(conversion(base, display, m, l, k) * q);
}
