#pragma once

#include <QDialog>

namespace Ui
{
class MeasureWindowConcentration;
class MeasureWindowDateLastCalib;
} // namespace Ui

// One channel's name and current concentration in its displayed unit.
class MeasureWindowConcentration : public QDialog
{
    Q_OBJECT

public:
    MeasureWindowConcentration(QWidget* parent, int channel);
    ~MeasureWindowConcentration() override;

    void showParameters(int slot);
    // Writes this channel's column of the status log line at character `position`.
    void insertLogColumn(QString& line, int position) const;
    // Puts one column's text at its position, or after the line's end when the line is longer.
    static void placeLogColumn(QString& line, int position, const QString& text);

private:
    // The value shown for the channel, in its displayed unit (displayFactor) and,
    // in the classic map, rounded to its displayed decimals.
    double displayedValue(float measuredValue, quint16 divisor) const;

    Ui::MeasureWindowConcentration* ui;
    double displayFactor = 1.0;
    quint16 channel = 0;
};

// One channel's name and the date of its last calibration.
class MeasureWindowDateLastCalib : public QDialog
{
    Q_OBJECT

public:
    MeasureWindowDateLastCalib(QWidget* parent, int channel);
    ~MeasureWindowDateLastCalib() override;

    void showParameters(int slot);

private:
    Ui::MeasureWindowDateLastCalib* ui;
    quint16 channel = 0;
};
