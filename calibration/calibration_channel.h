#pragma once

#include "types.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
#include "calibration_channel_chart.h"
namespace Ui
{
class Calibration_Channel;
}

// One gas channel's row on the calibration page: its calibration gas (or first
// threshold during a bump test), live readings, the "Калибровка" tick and the
// result of the last confirmed calibration. It owns the channel's chart window.
class Calibration_Channel : public QDialog
{
    Q_OBJECT
public:
    Calibration_Channel(QWidget* parent, int channel);
    ~Calibration_Channel() override;

    void showParameters(int channel, int modeBit);
    void showMeasurements(int channel);
    void setMode(int mode);
    TransactionResult writeCalibration(int channel, int modeBit);
    void addChartPoint(int channel, unsigned seconds);

    Calibration_Channel_Chart* chartWindow() const { return chart; }

    // The form's widgets, by their object names.
    QGroupBox* groupBox_Chan;
    QPushButton* pushButton;
    QCheckBox* checkBox;
    QLabel* labelErrChan;
    QWidget* frameCalibServiceParam;
    QSpinBox* spinBoxIntervalCalib;
    QLabel* label_CHAN;
    QDoubleSpinBox* doubleSpinBoxChan;
    QDoubleSpinBox* doubleSpinBoxChan_1;
    QLabel* label_8;
    QDoubleSpinBox* doubleSpinBoxChan_Temp_Chan;
    QLabel* label_9;
    QDoubleSpinBox* doubleSpinBoxChan_Humidity_Chan;
    QFrame* frameCalibServiceADC;
    QLabel* label_6;
    QDoubleSpinBox* doubleSpinBoxChan_Temp_Calib;
    QDoubleSpinBox* doubleSpinBoxChan_ADC_ZERO;
    QDoubleSpinBox* doubleSpinBoxChan_ADC_CURRENT;
    QDoubleSpinBox* doubleSpinBoxChan_ADC_SPAN;
    QLabel* label_CHAN_4;
    QDoubleSpinBox* doubleSpinBoxChan_2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_doubleSpinBoxChan_valueChanged(double arg1);
    void on_spinBoxIntervalCalib_valueChanged(int arg1);
    void on_pushButton_clicked();
    void onCalibration_Channel_ChartClosed();

private:
    void setupForm();
    QString chartTitle() const;
    void placeChart();
    void attachChart();

    Ui::Calibration_Channel* ui;
    // Once shown, the chart is a tool window of the main window, which owns it
    // too; the pointer notices whichever of the two deletes it first.
    QPointer<Calibration_Channel_Chart> chart;
    float unitFactor = 1;
    quint8 modeBit = 0;
    quint16 channel;
    // Set while a refresh fills the boxes: their slots then store nothing.
    bool refreshing = false;
};

extern Calibration_Channel* calibrationChannelWidgets[10];
