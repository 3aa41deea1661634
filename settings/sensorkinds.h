#pragma once

#include <QtGlobal>

#include <vector>

// Sensor kinds of a channel: the format word's kind bits 8-12 and the sub-kind
// in the low bits of the sensor-type word. What the set-up page lists, which
// entry a channel's bits select, and which bits a choice stores are tables
// (sensorkinds.cpp), looked up by model, register-map layout and channel.

// The texts a kind list is made of.
enum KindEntry {
    KindSingle,       // "Одноканальный сенсор"
    KindDual,         // "Двуканальный сенсор"
    KindOxygen,       // "Кислород"
    KindPid,          // "PID"
    KindTk,           // "TK"
    KindMipex,        // "MIPEX"
    KindCubic,        // "CUBIC"
    KindDynament,     // "DYNAMENT"
    KindBeleadBlrm,   // "BELEAD_BLRM"
    KindBeleadBldm,   // "BELEAD_BLDM"
    KindSingleBias,   // "Одноканальный сенсор Bias"
    KindOxygen3,      // "Кислород 3"
    KindOff,          // "Выкл"
    KindOtherGases,   // "Другие газы"
    KindBias200,      // "Одноканальный Bias 200"
    KindBias300,      // "Одноканальный Bias 300"
    KindBiasMinus600, // "Одноканальный Bias -600"
    KindNSignal,      // "Одноканальный N сигнал"
    KindEntryCount
};

// The untranslated text of an entry (translate in the context "DeviceSetting_4_Window").
const char* kindEntrySource(KindEntry entry);

// What a choice stores: one format kind bit (8-12, or 0 for none) and one
// sensor-type sub-kind bit (0-4, or -1 for none).
struct KindBits {
    int formatBit = 0;
    int subBit = -1;
    bool operator==(const KindBits& o) const
    {
        return formatBit == o.formatBit && subBit == o.subBit;
    }
};

// The entries listed for a channel (empty when the model has no kind list there).
std::vector<KindEntry> kindEntries(quint16 model, quint16 layout, int channel);

// Index into kindEntries() of the entry the channel's bits select (-1 for an empty list).
int currentKindIndex(quint16 model, quint16 layout, int channel, quint16 format,
                     quint16 sensorType);

// The bits stored when the operator picks entry `index`.
KindBits kindChoiceBits(quint16 model, quint16 layout, int channel, int index);

// Stores a choice: clears channel flag bit 2, the format kind bits and the low byte
// of the sensor type (its high byte holds the classic cell position), then sets the bits.
void applyKindBits(const KindBits& bits, quint16& format, quint16& sensorType,
                   quint32& channelFlags);
