#include "sensorkinds.h"

#include "parameterimage.h"
#include "types.h"

#include <QCoreApplication>

namespace
{

const char* const entrySources[KindEntryCount] = {
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Одноканальный сенсор"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Двуканальный сенсор"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Кислород"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "PID"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "TK"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "MIPEX"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "CUBIC"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "DYNAMENT"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "BELEAD_BLRM"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "BELEAD_BLDM"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Одноканальный сенсор Bias"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Кислород 3"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Выкл"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Другие газы"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Одноканальный Bias 200"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Одноканальный Bias 300"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Одноканальный Bias -600"),
    QT_TRANSLATE_NOOP("DeviceSetting_4_Window", "Одноканальный N сигнал"),
};

// Sub-kind conditions of a current-entry rule.
constexpr int AnySub = -2;  // whatever the sensor type holds
constexpr int SubZero = -1; // the low byte of the sensor type is 0

// One line of a current-entry rule: format kind bit (0 = any format), sub-kind
// condition (AnySub, SubZero or a bit that must be set), the entry selected.
struct CurrentRule {
    int formatBit;
    int sub;
    KindEntry entry;
};

struct CurrentRules {
    std::vector<CurrentRule> lines; // first matching line wins
    KindEntry otherwise;
};

// What each index of a list stores; indexes past the table store `otherwise`.
struct ChoiceTable {
    std::vector<KindBits> byIndex;
    KindBits otherwise;
};

constexpr KindBits none{0, -1};
constexpr KindBits f(int formatBit, int subBit = -1)
{
    return KindBits{formatBit, subBit};
}

const std::vector<KindEntry> fullList = {
    KindSingle,   KindDual,       KindOxygen,     KindPid,        KindTk,      KindMipex, KindCubic,
    KindDynament, KindBeleadBlrm, KindBeleadBldm, KindSingleBias, KindOxygen3, KindOff};

const CurrentRules fullCurrent = {{{8, 0, KindSingle},
                                   {8, 1, KindDual},
                                   {9, SubZero, KindOxygen},
                                   {10, AnySub, KindPid},
                                   {12, AnySub, KindTk},
                                   {11, 0, KindMipex},
                                   {11, 1, KindCubic},
                                   {11, 2, KindDynament},
                                   {11, 3, KindBeleadBlrm},
                                   {11, 4, KindBeleadBldm},
                                   {11, AnySub, KindOff},
                                   {8, 2, KindSingleBias},
                                   {9, 0, KindOxygen3}},
                                  KindOff};

const ChoiceTable fullChoice = {{f(8, 0), f(8, 1), f(9), f(10), f(12), f(11, 0), f(11, 1), f(11, 2),
                                 f(11, 3), f(11, 4), f(8, 2), f(9, 0), none},
                                none};

// One row of the kind table: models, layout (-1 any), channels first..last.
struct KindRow {
    std::vector<quint16> models;
    int layout;
    int firstChannel;
    int lastChannel;
    std::vector<KindEntry> entries;
    CurrentRules current;
    ChoiceTable choice;
};

const std::vector<quint16> t6Family = {ModelT6, ModelT6B, ModelT6Mini};
const std::vector<quint16> t6NotMini = {ModelT6, ModelT6B};
const std::vector<quint16> t2Family = {ModelT2, ModelT2Classic};
constexpr int AnyChannel = 1000;

const ChoiceTable nothingChosen = {{}, none};

// The lists, their current entries and choices. A model's list and its choices
// are keyed alike, except that the choices of the two T2 models follow the layout
// only (their lists follow the model): the choice rows carry those.
const std::vector<KindRow>& kindRows()
{
    static const std::vector<KindRow> rows = {
        {{ModelT6M, ModelT6M4, ModelT8M}, -1, 0, AnyChannel, fullList, fullCurrent, fullChoice},

        // Classic T6 family.
        {t6Family,
         ClassicMap,
         0,
         1,
         {KindSingle, KindDual},
         {{{8, AnySub, KindDual}}, KindSingle},
         {{none}, f(8)}},
        {t6Family, ClassicMap, 2, 2, {KindOxygen}, {{}, KindOxygen}, {{}, f(9)}},
        {t6Family,
         ClassicMap,
         3,
         3,
         {KindSingle, KindPid, KindTk, KindMipex},
         {{{10, AnySub, KindPid}, {12, AnySub, KindTk}, {11, AnySub, KindMipex}}, KindSingle},
         {{none, f(10), f(12), f(11)}, none}},

        // Extended T6 family.
        {t6NotMini,
         ExtendedMap,
         0,
         1,
         {KindSingle, KindDual, KindOff},
         {{{8, 0, KindSingle}, {8, 1, KindDual}}, KindOff},
         {{f(8, 0), f(8, 1)}, none}},
        {{ModelT6Mini},
         ExtendedMap,
         0,
         1,
         {KindSingle, KindOff},
         {{{8, 0, KindSingle}}, KindOff},
         {{f(8, 0)}, none}},
        {t6Family,
         ExtendedMap,
         2,
         2,
         {KindOxygen, KindOxygen3, KindOff},
         {{{0, SubZero, KindOxygen}}, KindOxygen3},
         {{f(9), f(9, 0)}, none}},
        {t6NotMini,
         ExtendedMap,
         3,
         3,
         {KindSingle, KindPid, KindTk, KindMipex, KindCubic, KindDynament, KindBeleadBlrm,
          KindBeleadBldm, KindOff},
         {{{8, 0, KindSingle},
           {10, AnySub, KindPid},
           {12, AnySub, KindTk},
           {11, 0, KindMipex},
           {11, 1, KindCubic},
           {11, 2, KindDynament},
           {11, 3, KindBeleadBlrm},
           {11, 4, KindBeleadBldm},
           {11, AnySub, KindOff}},
          KindOff},
         {{f(8, 0), f(10), f(12), f(11, 0), f(11, 1), f(11, 2), f(11, 3), f(11, 4)}, none}},
        {{ModelT6Mini},
         ExtendedMap,
         3,
         3,
         {KindTk, KindOff},
         {{{12, AnySub, KindTk}}, KindOff},
         {{f(12)}, none}},
    };
    return rows;
}

struct T2Lists {
    std::vector<KindEntry> entries;
    CurrentRules current;
};

// The T2 lists follow the model in either layout.
const T2Lists* t2List(quint16 model)
{
    static const T2Lists classicT2 = {{KindOtherGases, KindOxygen},
                                      {{{9, AnySub, KindOxygen}}, KindOtherGases}};
    static const T2Lists t2 = {{KindSingle, KindBias200, KindBias300, KindBiasMinus600, KindNSignal,
                                KindOxygen, KindOxygen3, KindOff},
                               {{{8, 0, KindSingle},
                                 {8, 1, KindBias200},
                                 {8, 2, KindBias300},
                                 {8, 3, KindBiasMinus600},
                                 {8, 4, KindNSignal},
                                 {9, SubZero, KindOxygen},
                                 {9, 0, KindOxygen3}},
                                KindOff}};
    if (model == ModelT2Classic)
        return &classicT2;
    if (model == ModelT2)
        return &t2;
    return nullptr;
}

// T2 choices follow the layout (the classic rule holds for channel 0 only).
const ChoiceTable* t2Choice(int layout, int channel)
{
    static const ChoiceTable extended = {
        {f(8, 0), f(8, 1), f(8, 2), f(8, 3), f(8, 4), f(9), f(9, 0)}, none};
    static const ChoiceTable classicChannel0 = {{none}, f(9)};
    if (layout == ExtendedMap)
        return &extended;
    if (layout == ClassicMap && channel == 0)
        return &classicChannel0;
    return &nothingChosen;
}

bool contains(const std::vector<quint16>& models, quint16 model)
{
    for (quint16 m : models)
        if (m == model)
            return true;
    return false;
}

const KindRow* findRow(quint16 model, quint16 layout, int channel)
{
    for (const KindRow& row : kindRows()) {
        if (!contains(row.models, model))
            continue;
        if (row.layout >= 0 && row.layout != layout)
            continue;
        if (channel < row.firstChannel || channel > row.lastChannel)
            continue;
        return &row;
    }
    return nullptr;
}

bool lineMatches(const CurrentRule& line, quint16 format, quint16 sensorType)
{
    if (line.formatBit != 0 && !(format & (1u << line.formatBit)))
        return false;
    if (line.sub == AnySub)
        return true;
    if (line.sub == SubZero)
        return (sensorType & 0xFF) == 0;
    return (sensorType & (1u << line.sub)) != 0;
}

KindEntry currentEntry(const CurrentRules& rules, quint16 format, quint16 sensorType)
{
    for (const CurrentRule& line : rules.lines)
        if (lineMatches(line, format, sensorType))
            return line.entry;
    return rules.otherwise;
}

int indexOf(const std::vector<KindEntry>& entries, KindEntry entry)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == entry)
            return int(i);
    return -1;
}

} // namespace

const char* kindEntrySource(KindEntry entry)
{
    if (entry < 0 || entry >= KindEntryCount)
        return "";
    return entrySources[entry];
}

std::vector<KindEntry> kindEntries(quint16 model, quint16 layout, int channel)
{
    if (const T2Lists* t2 = t2List(model))
        return t2->entries;
    if (const KindRow* row = findRow(model, layout, channel))
        return row->entries;
    return {};
}

int currentKindIndex(quint16 model, quint16 layout, int channel, quint16 format, quint16 sensorType)
{
    if (const T2Lists* t2 = t2List(model))
        return indexOf(t2->entries, currentEntry(t2->current, format, sensorType));
    if (const KindRow* row = findRow(model, layout, channel))
        return indexOf(row->entries, currentEntry(row->current, format, sensorType));
    return -1;
}

KindBits kindChoiceBits(quint16 model, quint16 layout, int channel, int index)
{
    const ChoiceTable* table = &nothingChosen;
    if (t2List(model))
        table = t2Choice(layout, channel);
    else if (const KindRow* row = findRow(model, layout, channel))
        table = &row->choice;
    if (index >= 0 && size_t(index) < table->byIndex.size())
        return table->byIndex[size_t(index)];
    return table->otherwise;
}

void applyKindBits(const KindBits& bits, quint16& format, quint16& sensorType,
                   quint32& channelFlags)
{
    channelFlags &= ~ChannelFlagBits::SetupChanged;
    format = quint16(format & ~FormatBits::SensorKindMask);
    sensorType = quint16(sensorType & 0xFF00u);
    if (bits.formatBit >= 8 && bits.formatBit <= 12)
        format = quint16(format | (1u << bits.formatBit));
    if (bits.subBit >= 0 && bits.subBit <= 4)
        sensorType = quint16(sensorType | (1u << bits.subBit));
}
