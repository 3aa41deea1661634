#pragma once

#include <QDialog>

class QKeyEvent;
class QString;

namespace Ui
{
class DeviceSetting_2_Window;
}

// Tab 3, one page per channel: the sensor's serial number, gas formula and
// formula number, conversion coefficients, range top, hysteresis, base and
// displayed units and decimals, bump-test and calibration intervals, on/off.
// Edits change the image only; the write road sends them.
class DeviceSetting_2_Window : public QDialog
{
    Q_OBJECT

public:
    DeviceSetting_2_Window(QWidget* parent, int channel);
    ~DeviceSetting_2_Window() override;

    void showParameters(int channel);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_lineEditSerialNum_textEdited(const QString& arg1);
    void on_lineEditMolecularForm_textEdited(const QString& arg1);
    void on_comboBoxDiscreteness_activated(int index);
    void on_comboBoxUnitMeas_activated(int index);
    void on_comboBoxDiscreteness_2_activated(int index);
    void on_comboBoxUnitMeas_2_activated(int index);
    void on_doubleSpinBoxMolecularWeight_valueChanged(double arg1);
    void on_doubleSpinBoxLELCoeff_valueChanged(double arg1);
    void on_doubleSpinBoxLim_4_valueChanged(double arg1);
    void on_doubleSpinBoxHist_1_valueChanged(double arg1);
    void on_spinBoxIntervalBump_valueChanged(int arg1);
    void on_spinBoxIntervalCalib_valueChanged(int arg1);
    void on_ParamSensgroupBox_clicked(bool checked);
    void on_doubleSpinBoxNumFormulaGas_valueChanged(double arg1);

private:
    void fillUnitList(int channel);

    Ui::DeviceSetting_2_Window* ui;
    double displayFactor = 1.0;
    double classicScale = 1.0;
    quint16 channel;
    quint16 firstUnit = 0;
    quint16 firstBaseUnit = 0;
    int coefficientRefresh = 1;
    // While the page refreshes its boxes from the image, their slots store nothing:
    // a box that rounds or bounds the device's value must not change the image.
    bool refreshing = false;
};
