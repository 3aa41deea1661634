#pragma once

#include "types.h"

#include <QDialog>

#include <memory>

class CorrectionTables;
class QKeyEvent;

namespace Ui
{
class DeviceSetting_4_Window;
}

// Production set-up page of one gas channel: sensor kind and measuring circuit,
// units and decimals, limits, calibration points, intervals, the channel's on/off
// state and its three correction tables. Edits change the image; "Записать" sends
// the channel's settings blocks at once.
class DeviceSetting_4_Window : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceSetting_4_Window(QWidget* parent = nullptr);
    ~DeviceSetting_4_Window() override;

    void showParameters(int channel);
    // Stores the table cells the operator changed since they were filled from
    // `channel` (cells filled from another channel, or never filled, are left alone).
    void collectTables(int channel);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_pushButton_clicked();
    void on_lineEditSerialNum_textEdited(const QString& arg1);
    void on_lineEditMolecularForm_textEdited(const QString& arg1);
    void on_comboBoxUnitMeas_activated(int index);
    void on_comboBoxDiscreteness_activated(int index);
    void on_comboBoxUnitMeas_2_activated(int index);
    void on_comboBoxDiscreteness_2_activated(int index);
    void on_doubleSpinBoxLELCoeff_valueChanged(double arg1);
    void on_doubleSpinBoxMolecularWeight_valueChanged(double arg1);
    void on_checkBoxLim1IncDec_stateChanged(int arg1);
    void on_checkBoxLim2IncDec_stateChanged(int arg1);
    void on_checkBoxLim3IncDec_stateChanged(int arg1);
    void on_doubleSpinBoxLim_1_valueChanged(double arg1);
    void on_doubleSpinBoxLim_2_valueChanged(double arg1);
    void on_doubleSpinBoxLim_3_valueChanged(double arg1);
    void on_doubleSpinBoxDeadZone_valueChanged(double arg1);
    void on_doubleSpinBoxDeadZone_2_valueChanged(double arg1);
    void on_doubleSpinBoxHist_1_valueChanged(double arg1);
    void on_spinBoxSpanADC_valueChanged(int arg1);
    void on_spinBoxZeroADC_valueChanged(int arg1);
    void on_comboBoxPGA_activated(int index);
    void on_comboBoxRload_activated(int index);
    void on_comboBoxRgain_activated(int index);
    void on_comboBoxRF_activated(int index);
    void on_doubleSpinBoxADC_Zero_valueChanged(double arg1);
    void on_checkBox_stateChanged(int arg1);
    void on_myTableTemp_cellChanged(int row, int column);
    void on_myTableSpan_cellChanged(int row, int column);
    void on_doubleSpinBoxADC_Calib_Value_valueChanged(double arg1);
    void on_doubleSpinBoxConcCalibrGasCalc_valueChanged(double arg1);
    void on_comboBoxConfigChan_activated(int index);
    void on_checkBoxRangeCalibLim_stateChanged(int arg1);
    void on_doubleSpinBoxRangeCalibLim_valueChanged(double arg1);
    void on_spinBoxPidPeriod_valueChanged(int arg1);
    void on_spinBoxPidWarm_valueChanged(int arg1);
    void on_comboBoxConfigFormula_activated(int index);
    void on_doubleSpinBoxNumFormulaGas_valueChanged(double arg1);
    void on_doubleSpinBoxSensorProtection_valueChanged(double arg1);
    void on_checkBoxSensorProtection_stateChanged(int arg1);
    void on_spinBoxPidRead_valueChanged(int arg1);
    void on_checkBoxAutoCalibZero_stateChanged(int arg1);
    void on_doubleSpinBoxLimitTWA_valueChanged(double arg1);
    void on_doubleSpinBoxLimitSTEL_valueChanged(double arg1);
    void on_spinBoxIntervalStel_valueChanged(int arg1);
    void on_spinBoxIntervalCalib_valueChanged(int arg1);
    void on_spinBoxIntervalBump_valueChanged(int arg1);
    void on_doubleSpinBoxLim_4_valueChanged(double arg1);
    void on_comboBoxConfigChan_Pos_activated(int index);
    void on_myTableTemp_Zero_cellChanged(int row, int column);
    void on_checkBoxReceiptLimit_stateChanged(int arg1);
    void on_spinBoxTimeWarm_valueChanged(int arg1);
    void on_comboBoxUARTBT_activated(int index);
    void on_doubleSpinBoxCoef_Belead_Calib_valueChanged(double arg1);
    void on_spinBoxFilMiddleCount_valueChanged(int arg1);
    void on_comboBoxUnitMeas_Calib_activated(int index);
    void on_doubleSpinBoxCorr_Coef_valueChanged(double arg1);

private:
    // The shown channel's fields in the record of the layout in use.
    struct ChannelFields;
    // The concentrations the page's boxes show and edit.
    enum ConcentrationField {
        Limit1,
        Limit2,
        Limit3,
        Limit4,
        Hysteresis,
        DeadZone,
        DeadZone2,
        Twa,
        Stel,
        CalibrationConcentration, // what the calibration-gas box shows: the device's report
        CalibrationGas,           // what it stores
        SensorProtection,
        ConcentrationFieldCount
    };
    // The groups of the second circuit tab that a kind shows.
    enum class SecondCircuit { PidTimings, MaxRange, MaxRangeAndBldmUnit };

    void fillUnitList(int channel);
    void applyDisplayedUnit(int index);
    void applyBaseUnit(int index);
    void applyDecimals(int index);
    void applySecondDecimals(int index);
    void fillPgaGains();

    // The parts of showParameters, in their order.
    void setUpForLayout(const ChannelFields& f);
    void resetKindRows();
    void showKindList(quint16 format, quint16 sensorType);
    void showModelRows();
    void fillFormulaList();
    void fillCellList();
    void showKindRows(quint16 format, quint16 sensorType);
    void showModuleRows(quint16 sensorType);
    void showSecondCircuit(SecondCircuit groups);
    void hideCircuitsTheModelLacks(quint16 sensorType);
    void selectCircuitTab();
    void setUpConcentrationBoxes(quint16 format, double maximum);
    void showValues(const ChannelFields& f);
    void showNameAndSwitch(const ChannelFields& f);
    void showCoefficients(const ChannelFields& f);
    void showLimits(const ChannelFields& f);
    void showRangeLimit(const ChannelFields& f);
    void showCircuit(const ChannelFields& f);
    void showCalibrationPoints(const ChannelFields& f);

    // A concentration as the page shows it, and a typed one stored into its field.
    double shown(const ChannelFields& f, ConcentrationField field) const;
    void storeConcentration(ConcentrationField field, double value);
    // The fields a slot stores into; false while the page refreshes or under a
    // layout without channel records.
    bool editableFields(ChannelFields* f) const;
    bool collectTablesForEdit();
    void setDirectionBox(int which, int state);
    void coefficientRerun();

    Ui::DeviceSetting_4_Window* ui;
    double displayFactor = 1.0;
    double classicScale = 1.0;
    quint16 channel = 0;
    quint16 firstUnit = 0;
    quint16 firstBaseUnit = 0;
    int refreshGuard = 0;
    int coefficientRefresh = 1;
    // The circuit tab the technician last picked, per channel (-1: none yet).
    int chosenCircuitTab[ChannelSlots];
    // The correction tables; collectTables stores only what the operator changed
    // since they were filled.
    std::unique_ptr<CorrectionTables> tables;
};
