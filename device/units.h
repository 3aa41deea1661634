#pragma once

#include <QtGlobal>

// Power of ten of one decimals field of a channel format word: which 0 reads
// bits 4-5 (decimals of the display), which 1 bits 6-7 (decimals of the raw
// values); the field's value 0..3 gives 1, 10, 100 or 1000. Any other `which`
// gives 1.
//
// The conversion factor between a channel's base and display unit is
// Command::unitFactor (implemented in units.cpp).
int decimalScale(quint16 formatWord, int which);
