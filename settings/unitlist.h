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
