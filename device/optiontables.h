#pragma once

// Fixed name lists that fill the combo boxes of the pages. The texts are the
// device's own identifiers and stay untranslated.
//
// The tables are plain arrays of string literals, so they are constant-
// initialised: they are complete before any dynamic initialiser (such as the
// global Command) runs and need no particular link order.
//
// Device fields used as row indexes can hold values past the end of a table
// (a newer firmware, a damaged image); read them through optionName().

constexpr int defaultUserNameCount = 1;
constexpr int loadResistorNamesCount = 8;
constexpr int gainResistorNamesCount = 27;
constexpr int gainResistorNamesReducedCount = 12;
constexpr int gainResistorSNamesCount = 5;
constexpr int filterResistorNamesCount = 8;
constexpr int decimalFormatNamesCount = 3;
constexpr int pgaGainNamesCount = 5;
constexpr int pgaGainNames4Count = 4;
constexpr int rangeNamesCount = 4;
constexpr int unitNamesCount = 4;
constexpr int baudRateNamesCount = 4;
constexpr int restartModeNamesCount = 4;
constexpr int gnssSignalNamesCount = 19;

extern const char* const defaultUserName[defaultUserNameCount];
extern const char* const loadResistorNames[loadResistorNamesCount];
extern const char* const gainResistorNames[gainResistorNamesCount];
extern const char* const gainResistorNamesReduced[gainResistorNamesReducedCount];
extern const char* const gainResistorSNames[gainResistorSNamesCount];
extern const char* const filterResistorNames[filterResistorNamesCount];
extern const char* const decimalFormatNames[decimalFormatNamesCount];
extern const char* const pgaGainNames[pgaGainNamesCount];
extern const char* const pgaGainNames4[pgaGainNames4Count];
extern const char* const rangeNames[rangeNamesCount];
extern const char* const unitNames[unitNamesCount];
extern const char* const baudRateNames[baudRateNamesCount];
extern const char* const restartModeNames[restartModeNamesCount];

// Signal bands of the GNSS receiver, device options page only.
extern const char* const gnssSignalNames[gnssSignalNamesCount];

// Row `index` of `table` (which has `count` rows), or "" when the index lies
// outside the table or the table is null. Never returns null.
const char* optionName(const char* const* table, int count, int index);

template <int N> inline const char* optionName(const char* const (&table)[N], int index)
{
    return optionName(table, N, index);
}
