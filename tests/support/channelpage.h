#pragma once

// The image set-up shared by the tests of the channel pages.

#include "commandstate.h"

// The image cleared for a T6: its channel-off marker, one second per tick.
inline void resetChannelPageImage()
{
    clearImage();
    command.modelCode = ModelT6;
    command.channelOffMarker = 7;
    command.secondsPerTick = 1.0;
}

// format: display unit, base unit, decimals, raw decimals.
inline quint16 format(int display, int base, int decimals, int rawDecimals)
{
    return quint16(display | (base << 2) | (decimals << 4) | (rawDecimals << 6));
}

// A channel record (either layout) given the format and the display divisors
// that go with its decimals and raw decimals.
template <typename R> void setFormat(R& r, quint16 f)
{
    static const quint16 scale[4] = {1, 10, 100, 1000};
    r.format = f;
    r.displayDivisor[0] = scale[(f >> 4) & 3];
    r.displayDivisor[1] = scale[(f >> 6) & 3];
}
