#pragma once

#include "types.h"

class QDoubleSpinBox;
class QTableWidget;
class QWidget;

// The three correction tables of one gas channel as the channel set-up page and
// the calibration page edit them: a coefficient by temperature, a coefficient by
// concentration (linearisation) and a zero offset by temperature, ten rows of two
// spin-box cells each.
//
// The cells do not signal their tables, so an edit reaches the image only through
// collect(), and collect() stores only the cells the operator changed since they
// were filled: an untouched cell keeps the image as read, even where the cell's
// range or decimals could not show the stored value exactly.
class CorrectionTables
{
public:
    enum Table { TempTable, SpanTable, ZeroTable, TableCount };
    static constexpr int RowCount = 10;
    static constexpr int ColumnCount = 2;

    // The temperature column of the temperature and zero tables, in degrees: the
    // field holds hundredths of a degree in a signed 16-bit word, so a box that
    // admitted more would store something other than what was typed.
    static constexpr double TemperatureMinimum = -327.68;
    static constexpr double TemperatureMaximum = 327.67;

    // The register layouts whose tables the page edits: the calibration page has
    // the tables of the extended map only; under any other map nothing is filled
    // or stored.
    enum class Layouts { ExtendedOnly, ClassicAndExtended };

    struct Setup {
        QTableWidget* tempTable;
        QTableWidget* spanTable;
        QTableWidget* zeroTable;
        // Parent of the cell boxes.
        QWidget* page;
        Layouts layouts;
    };

    // Gives every table ten rows of two cell boxes.
    explicit CorrectionTables(const Setup& setup);

    QDoubleSpinBox* cell(int table, int row, int column) const;

    // Fills the cells from the image of `channel` (the span concentrations and the
    // zero offsets take the channel's scale, decimals and base unit) and remembers
    // what each cell shows. Returns false, touching nothing, under a map these
    // tables are not edited in. In the classic map the zero table belongs to the
    // T6M and T6M4 only: for the other models it is left as it is and never stored.
    bool fill(int channel);

    // Stores every cell of the tables last filled from `channel` whose value
    // differs from what it showed then; tables filled from another channel, or
    // never filled, are left alone.
    void collect(int channel);

    // Stores one cell into `channel` as it holds now.
    void storeCell(int table, int row, int column, int channel);

private:
    void storeTempCell(int row, int column, int channel);
    void storeSpanCell(int row, int column, int channel);
    void storeZeroCell(int row, int column, int channel);
    void rememberFilled(int table, int channel);
    bool servesMap() const;

    QTableWidget* tables[TableCount];
    Layouts layouts;
    // The channel each table was last filled from (-1: never) and the values its
    // cells showed then.
    int filledChannel[TableCount] = {-1, -1, -1};
    double filledValues[TableCount][RowCount][ColumnCount] = {};
};
