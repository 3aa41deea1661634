#pragma once

#include <QtGlobal>

class QComboBox;

// The displayed units a channel may choose, by its format and sensor-type words:
// unitNames[firstUnit] .. unitNames[firstUnit + count - 1].
struct UnitList {
    int firstUnit = 0;
    int count = 2;
};

UnitList unitListFor(quint16 format, quint16 sensorType);

// Rebuilds the combo box with the channel's units and selects the displayed unit
// (no current item when it lies outside the list). Returns the first unit.
int fillUnitCombo(QComboBox* combo, quint16 format, quint16 sensorType);

// The base units a channel may choose, by its format word.
UnitList baseUnitListFor(quint16 format);

// Rebuilds the base-unit combo and selects format bits 2-3 (no current item when
// they lie outside the list). Returns the first unit.
int fillBaseUnitCombo(QComboBox* combo, quint16 format);

// The format and sensor-type words of a channel's record in the image, by the
// device's register layout (classic or extended record); both zero for a layout
// without channel records. The caller keeps `channel` inside the channel slots.
struct ChannelUnitWords {
    quint16 format = 0;
    quint16 sensorType = 0;
};

ChannelUnitWords channelUnitWords(int channel);

// fillUnitCombo() and fillBaseUnitCombo() with the words of the channel's record.
int fillChannelUnitCombo(QComboBox* combo, int channel);
int fillChannelBaseUnitCombo(QComboBox* combo, int channel);
