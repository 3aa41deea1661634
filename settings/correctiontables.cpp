#include "correctiontables.h"

#include "command.h"
#include "modeltraits.h"
#include "optiontables.h"
#include "rounding.h"

#include <QDoubleSpinBox>
#include <QTableWidget>

CorrectionTables::CorrectionTables(const Setup& setup)
    : tables{setup.tempTable, setup.spanTable, setup.zeroTable}, layouts(setup.layouts)
{
    // (minimum, maximum, decimals) of each table's two columns; the span
    // concentrations and the zero offsets take the channel's scale on every fill.
    struct Range {
        double min, max;
        int decimals;
    };
    const Range ranges[TableCount][ColumnCount] = {
        {{TemperatureMinimum, TemperatureMaximum, 2}, {0, 65.535, 3}},
        {{0, 655.35, 2}, {0, 65.535, 3}},
        {{TemperatureMinimum, TemperatureMaximum, 2}, {-320, 320, 2}},
    };
    for (int table = 0; table < TableCount; ++table) {
        QTableWidget* widget = tables[table];
        widget->setRowCount(RowCount);
        widget->setColumnCount(ColumnCount);
        for (int row = 0; row < RowCount; ++row)
            for (int column = 0; column < ColumnCount; ++column) {
                auto* box = new QDoubleSpinBox(setup.page);
                QFont font = box->font();
                font.setPointSize(10);
                box->setFont(font);
                box->setButtonSymbols(QAbstractSpinBox::NoButtons);
                box->setAlignment(Qt::AlignCenter);
                box->setRange(ranges[table][column].min, ranges[table][column].max);
                box->setDecimals(ranges[table][column].decimals);
                widget->setCellWidget(row, column, box);
            }
    }
}

QDoubleSpinBox* CorrectionTables::cell(int table, int row, int column) const
{
    return qobject_cast<QDoubleSpinBox*>(tables[table]->cellWidget(row, column));
}

bool CorrectionTables::servesMap() const
{
    if (layouts == Layouts::ExtendedOnly)
        return command.registerMap == ExtendedMap;
    return command.registerMap == ClassicMap || command.registerMap == ExtendedMap;
}

void CorrectionTables::rememberFilled(int table, int channel)
{
    filledChannel[table] = channel;
    for (int row = 0; row < RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column)
            filledValues[table][row][column] = cell(table, row, column)->value();
}

bool CorrectionTables::fill(int ch)
{
    if (ch < 0 || ch >= ChannelSlots || !servesMap())
        return false;
    const bool classic = command.registerMap == ClassicMap;
    const quint16 format =
        classic ? command.classicChannels[ch].format : command.extendedChannels[ch].format;
    const quint16 divisor = classic ? command.classicChannels[ch].displayDivisor[1]
                                    : command.extendedChannels[ch].displayDivisor[1];
    const double s = effectiveDivisor(divisor);
    const int d = rawDecimalsOf(format);
    const QString u =
        QStringLiteral(" ") + QString::fromUtf8(optionName(unitNames, baseUnitOf(format)));
    // The two records name the same fields; the classic span coefficient is a u16
    // of thousandths, the extended one a float.
    const auto fillRows = [&](const auto& r, double spanCoefficientUnit) {
        for (int row = 0; row < RowCount; ++row) {
            cell(TempTable, row, 0)->setValue(r.tempTableTemperature[row] / 100.0);
            cell(TempTable, row, 1)->setValue(double(r.tempTableCoefficient[row]));
            QDoubleSpinBox* conc = cell(SpanTable, row, 0);
            conc->setMaximum(65535.0 / s);
            conc->setDecimals(d);
            conc->setSuffix(u);
            conc->setValue(r.spanTableConcentration[row] / s);
            cell(SpanTable, row, 1)
                ->setValue(double(r.spanTableCoefficient[row]) / spanCoefficientUnit);
        }
    };
    if (classic)
        fillRows(command.classicChannels[ch], 1000.0);
    else
        fillRows(command.extendedChannels[ch], 1.0);
    rememberFilled(TempTable, ch);
    rememberFilled(SpanTable, ch);

    if (!classic) {
        const auto& r = command.extendedChannels[ch];
        for (int row = 0; row < RowCount; ++row) {
            cell(ZeroTable, row, 0)->setValue(r.zeroTableTemperature[row] / 100.0);
            QDoubleSpinBox* offset = cell(ZeroTable, row, 1);
            offset->setRange(-32000.0 / s, 32000.0 / s);
            offset->setDecimals(d);
            offset->setSuffix(u);
            offset->setValue(r.zeroTableOffset[row] / s);
        }
        rememberFilled(ZeroTable, ch);
    } else if (traitsOf(command.modelCode).group == ModelGroup::T6Max) {
        // Its offsets keep the constructor's range.
        const auto& z = command.classicExtras[ch];
        for (int row = 0; row < RowCount; ++row) {
            cell(ZeroTable, row, 0)->setValue(z.temperature[row] / 100.0);
            QDoubleSpinBox* offset = cell(ZeroTable, row, 1);
            offset->setDecimals(d);
            offset->setSuffix(u);
            offset->setValue(z.offset[row] / s);
        }
        rememberFilled(ZeroTable, ch);
    } else {
        // This table is not the classic device's for these models: never store it.
        filledChannel[ZeroTable] = -1;
    }
    return true;
}

void CorrectionTables::collect(int ch)
{
    if (!servesMap())
        return;
    for (int table = 0; table < TableCount; ++table) {
        if (filledChannel[table] != ch)
            continue;
        for (int row = 0; row < RowCount; ++row)
            for (int column = 0; column < ColumnCount; ++column) {
                const double v = cell(table, row, column)->value();
                if (v == filledValues[table][row][column])
                    continue;
                storeCell(table, row, column, ch);
                filledValues[table][row][column] = v;
            }
    }
}

void CorrectionTables::storeCell(int table, int row, int column, int ch)
{
    if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount || ch < 0 ||
        ch >= ChannelSlots || !servesMap())
        return;
    if (table == TempTable)
        storeTempCell(row, column, ch);
    else if (table == SpanTable)
        storeSpanCell(row, column, ch);
    else if (table == ZeroTable)
        storeZeroCell(row, column, ch);
}

void CorrectionTables::storeTempCell(int row, int column, int ch)
{
    const double v = cell(TempTable, row, column)->value();
    qint16* temperature = nullptr;
    float* coefficient = nullptr;
    if (command.registerMap == ClassicMap) {
        temperature = &command.classicChannels[ch].tempTableTemperature[row];
        coefficient = &command.classicChannels[ch].tempTableCoefficient[row];
    } else {
        temperature = &command.extendedChannels[ch].tempTableTemperature[row];
        coefficient = &command.extendedChannels[ch].tempTableCoefficient[row];
    }
    if (column == 0)
        *temperature = roundedInto<qint16>(v * 100.0);
    else
        *coefficient = float(v);
}

void CorrectionTables::storeSpanCell(int row, int column, int ch)
{
    const double v = cell(SpanTable, row, column)->value();
    if (command.registerMap == ClassicMap) {
        auto& r = command.classicChannels[ch];
        if (column == 0)
            r.spanTableConcentration[row] =
                roundedInto<quint16>(v * effectiveDivisor(r.displayDivisor[1]));
        else
            r.spanTableCoefficient[row] = roundedInto<quint16>(v * 1000.0);
    } else {
        auto& r = command.extendedChannels[ch];
        if (column == 0)
            r.spanTableConcentration[row] =
                roundedInto<quint16>(v * effectiveDivisor(r.displayDivisor[1]));
        else
            r.spanTableCoefficient[row] = float(v);
    }
}

void CorrectionTables::storeZeroCell(int row, int column, int ch)
{
    const double v = cell(ZeroTable, row, column)->value();
    qint16* temperature = nullptr;
    qint16* offset = nullptr;
    quint16 divisor = 1;
    if (command.registerMap == ClassicMap) {
        temperature = &command.classicExtras[ch].temperature[row];
        offset = &command.classicExtras[ch].offset[row];
        divisor = command.classicChannels[ch].displayDivisor[1];
    } else {
        temperature = &command.extendedChannels[ch].zeroTableTemperature[row];
        offset = &command.extendedChannels[ch].zeroTableOffset[row];
        divisor = command.extendedChannels[ch].displayDivisor[1];
    }
    if (column == 0)
        *temperature = roundedInto<qint16>(v * 100.0);
    else
        *offset = roundedInto<qint16>(v * effectiveDivisor(divisor));
}
