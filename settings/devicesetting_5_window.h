#pragma once

#include <QDialog>

class QKeyEvent;

namespace Ui
{
class DeviceSetting_5_Window;
}

// The device-wide options of the production level: lock and function switches,
// buzzer PWM, status LED timing, battery thresholds, display type, LoRa periods,
// the receipt switch of all channels, the GNSS signal selection with the
// receiver's restart mode, and the calibration of the device's temperature
// sensor. Edits change the image only, except the PWM value and the temperature
// calibration, which are written to the device at once.
class DeviceSetting_5_Window : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceSetting_5_Window(QWidget* parent);
    ~DeviceSetting_5_Window() override;

    void showParameters();
    // Stores the GNSS rows the operator changed since the page showed them.
    void collectTables();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_checkBoxBlockCalib_stateChanged(int arg1);
    void on_checkBoxBlockTurn_stateChanged(int arg1);
    void on_checkBoxTurnStateLed_stateChanged(int arg1);
    void on_checkBoxBlockSound_stateChanged(int arg1);
    void on_checkBoxBleTurnOn_stateChanged(int arg1);
    void on_checkBoxTestSoundTurnOn_stateChanged(int arg1);
    void on_spinBoxPwmSound_valueChanged(int arg1);
    void on_spinBoxTimeLedStatePulse_valueChanged(int arg1);
    void on_spinBoxTimeLedStatePeriod_valueChanged(int arg1);
    void on_spinBoxBattery_max_valueChanged(int arg1);
    void on_spinBoxBattery_min_valueChanged(int arg1);
    void on_spinBoxBattery_lim_1_valueChanged(int arg1);
    void on_spinBoxBattery_lim_2_valueChanged(int arg1);
    void on_pushButton_TempsensorCalib_clicked();
    void on_checkBoxReceiptLimit_stateChanged(int arg1);
    void on_checkBoxLcdUnitTurn_stateChanged(int arg1);
    void on_checkBoxLoraTurnOn_stateChanged(int arg1);
    void on_myTableGPS_cellChanged(int row, int column);
    void on_checkBoxGpsTurnOn_stateChanged(int arg1);
    void on_comboBoxTypeStartGPS_activated(int index);
    void on_spinBoxPeriodTimeLora_valueChanged(int arg1);
    void on_spinBoxPeriodTimeLora_Alarm_valueChanged(int arg1);
    void on_spinBoxTypeLcd_valueChanged(int arg1);

private:
    // Sets or clears a bit of deviceFlags; `extendedOnly` bits store nothing in
    // the classic layout.
    void storeFlag(quint32 mask, int state, bool extendedOnly);
    // A device write of one register of the device page; a failure is reported.
    // False, after the error box, when the device did not take it.
    bool writeDeviceRegister(quint16 reg);

    Ui::DeviceSetting_5_Window* ui;
    // While the page refreshes its widgets from the image, their slots store
    // nothing and send nothing: a box that bounds a value (a display type above
    // 3, a battery level above 4200 mV), the receipt box that cannot show mixed
    // channels, and the PWM box, whose change would write register 512.
    bool refreshing = false;
    // The GNSS rows as the page last showed or stored them (bit i = row i).
    quint32 shownSignals = 0;
};
