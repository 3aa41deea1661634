#pragma once

#include "types.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLCDNumber;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QTabWidget;
class Calibration_Channel;
class CorrectionTables;

namespace Ui
{
class Calibration;
}

enum CalibrationMode { ZeroCalibration = 0, SpanCalibration = 1, BumpTest = 2 };

// Tab 2 of the main window: zero and span calibration of all gas channels,
// the device's bump test, two device locks, the bump-test interval and, on its
// second inner tab, the correction tables of one channel.
class Calibration : public QDialog
{
    Q_OBJECT
public:
    explicit Calibration(QWidget* parent);
    ~Calibration() override;

    void showParameters(int tab);
    void collectParameters();
    void collectTables();
    void pollDevice();
    void updateCharts();
    void startTimers();
    void stopTimers();
    void setMode(int mode);
    // Ends a running procedure as Cancel does (timers stopped, calibration mode
    // off), while the device can still hear it: before the port closes.
    void endProcedure();

    Ui::Calibration* ui;
    // The form's widgets, by their object names.
    QTabWidget* tabWidget;
    QWidget* calib;
    QWidget* tab_2;
    QScrollArea* scrollArea;
    QWidget* scrollAreaWidgetContents;
    QStackedWidget* hosts[10];
    QLabel* labelStatusInfo;
    QPushButton* ButtoncalibrateZero;
    QPushButton* ButtoncalibrateSpan;
    QPushButton* ButtoncalibrateBumpTest;
    QPushButton* pushButton_CancelCalibrate;
    QCheckBox* checkBox_Block_Sound;
    QCheckBox* checkBox_BlockCalibmenu;
    QSpinBox* spinBoxIntervalBump;
    QDoubleSpinBox* doubleSpinBoxTemp;
    QLabel* label_8;
    QDoubleSpinBox* doubleSpinBoxPressure;
    QLCDNumber* lcdNumber;
    QTableWidget* myTableSpan;
    QTableWidget* myTableTemp;
    QTableWidget* myTableTemp_Zero;
    QComboBox* comboBoxChannelNum;
    QPushButton* pushButton_2;
    QLabel* labelTablesStatus;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void on_pushButton_CancelCalibrate_clicked();
    void on_checkBox_BlockCalibmenu_stateChanged(int arg1);
    void on_checkBox_Block_Sound_stateChanged(int arg1);
    void on_ButtoncalibrateZero_clicked();
    void on_ButtoncalibrateSpan_clicked();
    void on_ButtoncalibrateBumpTest_clicked();
    void on_spinBoxIntervalBump_valueChanged(int arg1);
    void on_comboBoxChannelNum_activated(int index);
    void on_tabWidget_currentChanged(int index);
    void on_pushButton_2_clicked();

private:
    void setupForm();
    void fitReadings();
    void createChannelWidgets();
    void handleCalibrateButton(QPushButton* button);
    void writeLock(QCheckBox* box, quint32 bit, int arg1);
    void showTablesTabState();
    void showTables();

    Calibration_Channel* rows[10] = {};
    quint8 modeBit = 0;
    quint8 mode = ZeroCalibration;
    quint16 tableChannel = 0;
    quint32 elapsedSeconds = 0;
    // Set while a refresh fills the widgets: their slots then neither store
    // nor write anything.
    bool refreshing = false;
    // Set once a poll has switched the device's channels into calibration mode.
    // It starts set: a device may have been left in calibration mode (a crash,
    // a pulled cable), and building the page switches every channel off.
    bool calibrationModeOn = true;
    // The cells hold a channel's values only after a refresh of the tables tab;
    // until then nothing of them reaches the image.
    std::unique_ptr<CorrectionTables> tables;
};
