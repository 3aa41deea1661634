#pragma once

#include <QString>
#include <QtGlobal>

// What the program needs to know of each detector model, in one table: the
// code read from the device (DeviceModel) decides all of it. A code outside
// the table gets the defaults below (no group, no channels, nothing to show).

// The interface variant the main window builds for a model (its button table
// has one column per group, in this order).
enum class ModelGroup { None, T2, T6, T6Max, Bootloader };

// How the device status bits 0-9 read as codes: bit 3 alone a fault ("FA3")
// and the others warnings ("WA"), or bits 3 and 4 faults ("FA3", "FA4").
enum class StatusCodeStyle { None, Fa3, Fa3Fa4 };

struct ModelTraits {
    ModelGroup group = ModelGroup::None;
    // The device-model table: channelCount 0 means a code outside it, which
    // leaves the channel count, off marker and tick length as they were.
    quint16 channelCount = 0;
    quint16 channelOffMarker = 0;
    double secondsPerTick = 1.0;
    // Serial numbers in texts and file names: a prefix, this infix, then the
    // number in this many digits ("QRT6M0056789", "QIROT00056789").
    const char* serialInfix = "";
    int serialDigits = 8;
    int logRecordSize = 0; // bytes of one log record; 0: the model keeps no log records
    // The modules whose faults the export's code legend lists.
    bool ble = false;
    bool radio = false; // GPS, GSM and LoRa
    bool lcd = false;
    StatusCodeStyle statusCodes = StatusCodeStyle::None;
    // Where an image that starts in flash goes when the bootloader takes it.
    quint32 flashBase = 0;
    // Configuration files carry the classic temperature-zero tables.
    bool classicZeroTables = false;
    // The M models' measuring board takes any sensor kind in any of its cells:
    // the channel page offers the cell position, the reduced gain resistors and
    // the four PGA gains.
    bool modularBoard = false;
};

const ModelTraits& traitsOf(quint16 model);

// Whether the main window builds its device pages (the tabs of status,
// settings, archive and production) for a model of this group, and the
// classic map's read and write roads have blocks to move for it.
inline bool hasDevicePages(ModelGroup group)
{
    return group == ModelGroup::T2 || group == ModelGroup::T6 || group == ModelGroup::T6Max;
}

// prefix, the model's infix and the serial number in the model's digits.
QString serialName(const QString& prefix, quint16 model, quint32 serial);
