#pragma once

#include "parameterimage.h"

#include <QtGlobal>

class QComboBox;
class QGroupBox;
class QString;

// What the channel pages share (the parameter, sensor and set-up pages). Each
// function works on one channel of the image, in the record of the register
// layout in use; under a layout without channel records nothing is stored and
// the stores return false.

// Command::unitFactor of the channel, or 1 where a damaged image (a molecular
// weight of 0, NaN or infinity) makes it 0 or not finite: the pages divide typed
// values by it, which must never store inf or NaN into the device.
double displayFactorOf(int channel);

// A typed classic value as its raw word, in units of `classicScale`, rounded to
// nearest and kept inside [0, rawMaximum].
quint16 classicRaw(double value, double classicScale, quint16 rawMaximum = 0xFFFF);

// A concentration field of a channel. The classic record keeps a raw word, shown
// times the page's classic scale (the display factor over the second display
// divisor); the extended record a float in the base unit, shown times the display
// factor. Limits 1-3 keep their classic value in bits 0-14, bit 15 being their
// direction. An empty one (a layout without channel records) shows 0 and stores
// nothing.
struct Concentration {
    quint16* raw = nullptr;
    quint16 rawMask = 0xFFFF; // the bits of *raw that hold the value
    float* value = nullptr;

    static Concentration of(quint16& raw) { return {&raw, 0xFFFF, nullptr}; }
    static Concentration of(float& value) { return {nullptr, 0xFFFF, &value}; }
    static Concentration limit(quint16& raw) { return {&raw, ClassicLimitValueMask, nullptr}; }
    static Concentration limit(float& value) { return of(value); }
    // The field of channel `ch` in the record of the layout in use.
    static Concentration inChannel(int ch, quint16 ClassicChannelRecord::*classicField,
                                   float ExtendedChannelRecord::*extendedField);

    double shown(double classicScale, double displayFactor) const;
    // The classic word keeps its other bits; the value is rounded to nearest and
    // kept inside the value's bits.
    void store(double value, double classicScale, double displayFactor) const;
};

// The largest concentration the parameter and sensor pages admit: what the
// classic word or the extended float holds, over the first display divisor
// (0 under a layout without channel records).
double concentrationMaximumOf(int channel);

// A typed molecular weight or LEL coefficient as the classic record keeps it: in
// hundredths, rounded to nearest.
float classicCoefficient(double value);

// The format word's displayed unit (bits 0-1) or base unit (bits 2-3), from the
// low two bits of `unit`.
bool storeDisplayedUnit(int channel, int unit);
bool storeBaseUnit(int channel, int unit);
// The decimals of the display (which 0: bits 4-5) or of the raw values (which 1:
// bits 6-7), from the low two bits of `decimals`, and the display divisor that
// follows from them.
bool storeDecimals(int channel, int which, int decimals);

// The channel's on/off word: its own index when on, the model's off marker when off.
bool storeChannelOn(int channel, bool on);

// The decimal formats of a decimals combo ("X", "X,X", "X,XX").
void fillDecimalsCombo(QComboBox* combo);

// The channel group of the parameter and sensor pages is checked while the
// channel is on. A single-channel device cannot switch its channel off: there
// the group has no check box.
void setUpChannelGroup(QGroupBox* group);
// Titles the group with the channel's gas formula and `caption`, checks it by the
// channel's on/off word and passes the formula on to `formula` when given; false,
// the group left as it is, under a layout without channel records.
bool showChannelGroup(QGroupBox* group, int channel, const QString& caption,
                      QString* formula = nullptr);
