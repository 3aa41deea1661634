#pragma once

// Register-map descriptors shared by the function-3/4 parsers and the
// function-16 builder. Each layout is a table of 4096 entries per page kind;
// a register's entry says where its value lives in the image and how it is
// converted. Consecutive mapped registers form blocks closed by an end marker.

#include "types.h"

#include <QtGlobal>

namespace regmap
{

enum class Rule : quint8 {
    None, // not in the map
    End,  // end marker of a block; endResult is the result
    U16,  // the 16-bit word at offset (plain value, one half of a 32-bit field, two characters, two
          // bytes)
    U8,   // the byte at offset; sent with a high byte of 0
    SetU32,             // reading sets the whole 32-bit field to v; writing sends its low half
    OrHighU32,          // reading ORs v into bits 16-31; writing sends the high half
    Hundredths,         // f32 at offset, v / 100 and back
    Thousandths,        // f32 at offset, v / 1000 and back
    SignedHundredths,   // f32 at offset from a signed 16-bit value in hundredths (read only)
    DivByDivisor,       // f32 at offset, v / displayDivisor[1] of the record (read only)
    Packed283,          // classic register 283: load, gain and filter resistor indexes
    FirmwareVersion288, // classic 288: read into firmwareVersion, written as 0
    FirmwareStart,      // device register 1: read taken, written as 1
    Register2,          // device register 2: read taken, written as 1 when the request starts at 1
    BootloaderPowerOff, // device register 5: read taken and ends the parse with 8, written as 1
    NonZeroFlag,        // firmwareEndFlag: read 0 or 1, written as its low byte
    NonZeroAddress,     // firmwareEndAddress: read 0 or 1, written as its low 16 bits
    SendZero,           // command register: written as 0
    FlagBit,            // command register: bit `bit` of the flag word at offset, as 0 or 1
    Taken,              // read, nothing stored
};

enum class Target : quint8 {
    None,
    Channel, // record of the request's page, or of `channel` when that is 0-9
    Device,
    ClassicExtras, // classic zero table of the request's page
    ModelCode,
    FirmwareVersion,
    BleMac,
    LoraId,
    FirmwareEndFlag,
    FirmwareEndAddress,
    TempSensorCalibration,
    ClassicLanguage,
    ExtendedLanguage,
};

struct Entry {
    Rule rule = Rule::None;
    Target target = Target::None;
    qint8 channel = -1; // fixed channel of the classic fixed-channel input layout
    quint8 endResult = 0;
    quint16 offset = 0;
    quint8 bit = 0;
};

struct Table {
    Entry reg[4096];
    bool isStart(quint16 r) const
    {
        return r < 4096 && reg[r].rule != Rule::None && reg[r].rule != Rule::End;
    }
};

enum Access : quint8 { R = 1, W = 2, RW = 3 };

// Fills the read and write tables of one page kind from the same rows.
class TableBuilder
{
public:
    TableBuilder(Table& read, Table& write) : read_(read), write_(write) {}
    void add(int reg, Rule rule, Target target, int offset, Access access = RW, int channel = -1,
             int bit = 0);
    // n registers from reg, offsets stride bytes apart.
    void range(int reg, int n, Rule rule, Target target, int offset, int stride, Access access = RW,
               int channel = -1);
    // End markers; 0 leaves that direction without one.
    void end(int reg, int readResult, int writeResult);

private:
    Table& read_;
    Table& write_;
};

struct HoldingTables {
    Table channelRead, channelWrite; // pages 0-9
    Table deviceRead, deviceWrite;   // page 10, device registers of the channel pages included
};

struct InputTables {
    Table fixedClassic; // classic models, register names the channel
    Table pageClassic;  // ModelT6M and ModelT6M4 in the classic map
    Table extended;
};

void buildClassicHolding(HoldingTables& t);
void buildExtendedHolding(HoldingTables& t);
void buildInput(InputTables& t);

const HoldingTables& classicHolding();
const HoldingTables& extendedHolding();
const InputTables& inputTables();

// Truncates value x 10^decimals toward zero as the decimal number the float
// stands for (its shortest round-trip form), so 655.35 gives 65535, not 65534.
qint64 scaleDecimal(float value, int decimals);

} // namespace regmap
