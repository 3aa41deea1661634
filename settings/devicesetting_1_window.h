#pragma once

#include <QDialog>

class QKeyEvent;

namespace Ui
{
class DeviceSetting_1_Window;
}

// Tab 1, one page per channel: displayed unit and decimals, alarm limits with
// their directions, TWA/STEL and the STEL interval, auto-zero, channel on/off.
// Edits change the image only; "Сохранить параметры" sends them.
class DeviceSetting_1_Window : public QDialog
{
    Q_OBJECT

public:
    DeviceSetting_1_Window(QWidget* parent, int channel);
    ~DeviceSetting_1_Window() override;

    void showParameters(int channel);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_comboBoxDiscreteness_activated(int index);
    void on_comboBoxUnitMeas_activated(int index);
    void on_doubleSpinBoxConcCalibGas_valueChanged(double arg1);
    void on_doubleSpinBoxLim_1_valueChanged(double arg1);
    void on_doubleSpinBoxLim_2_valueChanged(double arg1);
    void on_checkBoxLim1IncDec_stateChanged(int arg1);
    void on_checkBoxLim2IncDec_stateChanged(int arg1);
    void on_doubleSpinBoxLim_3_valueChanged(double arg1);
    void on_checkBoxLim3IncDec_stateChanged(int arg1);
    void on_doubleSpinBoxLimitTWA_valueChanged(double arg1);
    void on_doubleSpinBoxLimitSTEL_valueChanged(double arg1);
    void on_spinBoxIntervalStel_valueChanged(int arg1);
    void on_checkBoxAutoCalibZero_stateChanged(int arg1);
    void on_ParamSensgroupBox_clicked(bool checked);

private:
    void fillUnitList(int channel);
    void storeLimit(int which, double value);
    void setDirection(int which, bool rising);

    Ui::DeviceSetting_1_Window* ui;
    double displayFactor = 1.0;
    double classicScale = 1.0;
    quint16 channel;
    quint16 firstUnit = 0;
    // While the page refreshes its boxes from the image, their slots store nothing:
    // a box that rounds or bounds the device's value must not change the image.
    bool refreshing = false;
};

// Minutes shown for a STEL interval in device ticks, and back; rounded to
// nearest both ways so that an unedited interval reads back unchanged.
int stelMinutesFromTicks(quint16 ticks, double secondsPerTick);
quint16 stelTicksFromMinutes(int minutes, double secondsPerTick);
