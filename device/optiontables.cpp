#include "optiontables.h"

// The definitions leave the bound open and are constexpr: the initialiser
// fixes the bound, so a surplus row clashes with the header's count, and the
// checks at the end catch a missing one.

constexpr const char* defaultUserName[] = {"Noname"};

constexpr const char* loadResistorNames[] = {"RLOAD_0",   "RLOAD_10",   "RLOAD_30",   "RLOAD_50",
                                             "RLOAD_100", "RLOAD_1600", "RLOAD_3100", "RLOAD_3600"};

constexpr const char* gainResistorNames[] = {
    "RGAIN_DIS",  "RGAIN_200",  "RGAIN_1K",   "RGAIN_2K",   "RGAIN_3K",   "RGAIN_4K",  "RGAIN_6K",
    "RGAIN_8K",   "RGAIN_10K",  "RGAIN_12K",  "RGAIN_16K",  "RGAIN_20K",  "RGAIN_24K", "RGAIN_30K",
    "RGAIN_32K",  "RGAIN_40K",  "RGAIN_48K",  "RGAIN_64K",  "RGAIN_85K",  "RGAIN_96K", "RGAIN_100K",
    "RGAIN_120K", "RGAIN_128K", "RGAIN_160K", "RGAIN_196K", "RGAIN_256K", "RGAIN_512K"};

constexpr const char* gainResistorNamesReduced[] = {
    "RGAIN_DIS", "RGAIN_16K", "RGAIN_20K", "RGAIN_24K", "RGAIN_30K", "RGAIN_32K",
    "RGAIN_40K", "RGAIN_48K", "RGAIN_64K", "RGAIN_85K", "RGAIN_96K", "RGAIN_100K"};

constexpr const char* gainResistorSNames[] = {"RGAIN_S0", "RGAIN_S1", "RGAIN_S2", "RGAIN_S3",
                                              "RGAIN_S4"};

constexpr const char* filterResistorNames[] = {"RF_DIS",  "RF_BYPASS", "RF_20K",  "RF_100K",
                                               "RF_200K", "RF_400K",   "RF_600K", "RF_1M"};

constexpr const char* decimalFormatNames[] = {"X", "X,X", "X,XX"};

constexpr const char* pgaGainNames[] = {"PGA_1", "PGA_1.5", "PGA_2", "PGA_4", "PGA_9"};

constexpr const char* pgaGainNames4[] = {"PGA_1", "PGA_2", "PGA_4", "PGA_8"};

constexpr const char* rangeNames[] = {"RANGE_1", "RANGE_2", "RANGE_3", "RANGE_4"};

// Indexed by the unit fields of the channel format word.
constexpr const char* unitNames[] = {"PPM", "mg/m3", "%LEL", "%VOL"};

constexpr const char* baudRateNames[] = {"9600", "19200", "38400", "57600"};

constexpr const char* restartModeNames[] = {"Reset", "Cold", "Warm", "Hot"};

// Indexed by the receiver's band number; "NOP" (row 3) names no band.
constexpr const char* gnssSignalNames[] = {"GPS_L1",      "GLONASS_G1", "BEIDOU_B1",  "NOP",
                                           "GALILEO_E1",  "QZSS_L1",    "SBAS_L1",    "IRNSS_L5",
                                           "GPS_L2C",     "GPS_L5",     "GLONASS_G2", "BEIDOU_B1C",
                                           "BEIDOU_B2",   "BEIDOU_B2A", "BEIDOU_B3I", "BEIDOU_B5",
                                           "GALILEO_E5A", "QZSS_L2C",   "QZSS_L5"};

namespace
{

constexpr bool allRowsSet(const char* const* table, int count)
{
    for (int i = 0; i < count; ++i) {
        if (table[i] == nullptr)
            return false;
    }
    return true;
}

static_assert(allRowsSet(defaultUserName, defaultUserNameCount), "defaultUserName");
static_assert(allRowsSet(loadResistorNames, loadResistorNamesCount), "loadResistorNames");
static_assert(allRowsSet(gainResistorNames, gainResistorNamesCount), "gainResistorNames");
static_assert(allRowsSet(gainResistorNamesReduced, gainResistorNamesReducedCount),
              "gainResistorNamesReduced");
static_assert(allRowsSet(gainResistorSNames, gainResistorSNamesCount), "gainResistorSNames");
static_assert(allRowsSet(filterResistorNames, filterResistorNamesCount), "filterResistorNames");
static_assert(allRowsSet(decimalFormatNames, decimalFormatNamesCount), "decimalFormatNames");
static_assert(allRowsSet(pgaGainNames, pgaGainNamesCount), "pgaGainNames");
static_assert(allRowsSet(pgaGainNames4, pgaGainNames4Count), "pgaGainNames4");
static_assert(allRowsSet(rangeNames, rangeNamesCount), "rangeNames");
static_assert(allRowsSet(unitNames, unitNamesCount), "unitNames");
static_assert(allRowsSet(baudRateNames, baudRateNamesCount), "baudRateNames");
static_assert(allRowsSet(restartModeNames, restartModeNamesCount), "restartModeNames");
static_assert(allRowsSet(gnssSignalNames, gnssSignalNamesCount), "gnssSignalNames");

} // namespace

const char* optionName(const char* const* table, int count, int index)
{
    if (table == nullptr || index < 0 || index >= count)
        return "";
    const char* name = table[index];
    return name != nullptr ? name : "";
}
