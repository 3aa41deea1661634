#pragma once

#include "accounts.h"
#include "modeltraits.h"
#include "statusline.h"

#include <QMainWindow>
#include <QTimer>
#include <QTranslator>

class ArchiveWindow;
class Calibration;
class DeviceSettingAllWindow;
class DeviceSettingAllWindow_1;
class DeviceSetting_1_Window;
class DeviceSetting_2_Window;
class MeasureWindow;
class QCloseEvent;
class QStackedWidget;
class QTabWidget;

namespace Ui
{
class MainWindow;
}

// The program's one window: the device pages in a tab widget, the service
// buttons on the left, the language and Modbus address boxes, the status bar
// and the menu. Every change of model, register map, login or language passes
// through rebuildDeviceUi().
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Channel count, channel-off marker and clock tick of a model code. False
    // for codes the program has no interface for (the code is kept anyway).
    bool setDeviceModel(quint16 code);
    // Recreates the device pages and shows the tabs and buttons of the current
    // model and access level.
    void rebuildDeviceUi();

    // The central read of one tab, and the first read after a model is set.
    void readParameters(quint8 tab);
    void readDeviceImage();

    void onCalibrationPollTimeout();
    void onCalibrationChartTimeout();
    void onAutoUpdateTimeout();

    // The pages reach the current tab through it.
    QTabWidget* tabWidget() const;

    // Ends a running calibration procedure: both calibration timers stopped and
    // the channels out of calibration mode. Run while the port is still open,
    // before anything closes it or hands the device over.
    void endCalibrationProcedure();

private:
    Ui::MainWindow* ui;

public:
    // The full write of the image, committed as the factory settings or not.
    bool writeDeviceImage(bool saveAsFactory);

    // Run by the calibration page: 500 ms device poll and 1000 ms chart update.
    QTimer calibrationPollTimer;
    QTimer calibrationChartTimer;
    QTranslator translator;
    // Set by the connection dialog's offline choice: a model without a device behind it.
    bool offlineWork = false;
    QTranslator qtBaseTranslator; // Qt's own dialog buttons (OK, Cancel) in Russian
    QTimer autoUpdateTimer;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_radioButtonLanguageRus_clicked();
    void on_radioButtonLanguageEn_clicked();

    void on_pushButton_Read_Param_clicked();
    void on_checkBoxAutoupdate_stateChanged(int state);
    void on_tabWidget_currentChanged(int index);

    void on_radioButtonDeviceT2_clicked();
    void on_radioButtonDeviceT6_clicked();
    void on_radioButtonDeviceT6M_clicked();
    void on_radioButtonDeviceT8M_clicked();
    void on_radioButtonDevice999_clicked();

    void on_radioButtonNameUser_clicked();
    void on_radioButtonNameAdmin_clicked();
    void on_radioButtonNameIndustry_clicked();

    void on_action_connect_triggered();
    void on_action_reference_triggered();

    void on_pushButton_Save_Param_clicked();
    void on_pushButtonSaveFactorySettings_clicked();
    void on_pushButtonReadFactorySettings_clicked();
    void on_pushButtonLoadConfigDevice_clicked();
    void on_pushButtonSaveConfigPC_clicked();
    void on_pushButtonBootloader_clicked();
    void on_pushButtonBootloader_Ble_clicked();
    void on_pushButton_TurnOffDevice_clicked();
    void on_radioButtonLanguageRus_2_clicked();
    void on_radioButtonLanguageEn_2_clicked();
    void on_action_help_triggered();

    void on_spinBoxModbusAddress_valueChanged(int value);
    void on_pushButtonModbusAddress_clicked();

private:
    void switchLanguage(const QString& name);
    void chooseModel(quint16 code);
    void logIn(const QString& name, const QString& password);
    void stopAutoUpdate();
    // Status message cleared, auto-update unticked, pending events run once; the
    // command's outcome opened, to be held for the command's run.
    statusline::Outcome beginCommand();

    // Rebuild steps.
    void retireDevicePages();
    void retireProductionPages();
    void createChannelPages();
    void placeChannelPages();
    void createDevicePages();
    void createProductionPages();
    void showGroupButtons(ModelGroup group);
    void showDeviceLanguage();

    // Read road steps.
    bool readClassicBlocks(quint8 tab, bool measurementsOnly);
    void showTab(quint8 tab);
    // True when the read found another firmware version and started over (it is done).
    bool rereadAfterNewFirmware(quint8 tab);
    void loseDevice();
    // False, with a warning and the status text, when no probe of this connection
    // has told the layout the image is in. The device link refuses such writes
    // anyway; the commands that ask something first (a question, a file) check it
    // before asking.
    bool layoutKnownForWrite();
    // Write road steps.
    bool writeClassicClock();
    bool writeClassicBlocks(bool fullWrite);
    void reportExchangeError();
    // The question before a command that replaces what the device holds (default
    // No). False when it is not to run: answered No, or offline; the outcome is
    // then in the status bar.
    bool confirmFactoryCommand(const QString& title, const QString& question);
    void setDeviceLanguage(quint32 language);

    QStackedWidget* channelStack(int tab, int channel) const;
    QWidget* calibrationPage() const;
    void endCalibration();
    static void placePage(QStackedWidget* stack, QWidget* page);
    static void retirePages(QStackedWidget* stack, QWidget* keep = nullptr);

    // A read may rebuild the interface, and every rebuild reads the status
    // page: these keep that from recursing and let an outer rebuild or read
    // see that an inner one has replaced the interface or lost the device.
    quint32 rebuildCount = 0;
    quint32 deviceLostCount = 0;
    bool rebuildFromRead = false;
};

// The one main window; set by its constructor, so that it is valid while the
// window builds its first pages, and cleared by its destructor.
extern MainWindow* mainWindow;

// The pages of the most recent rebuild (null where it created none).
extern DeviceSetting_1_Window* deviceSetting1Windows[10];
extern DeviceSetting_2_Window* deviceSetting2Windows[10];
extern MeasureWindow* measureWindow;
extern Calibration* calibrationWindow;
extern ArchiveWindow* archiveWindow;
extern DeviceSettingAllWindow* deviceSettingAllWindow;
extern DeviceSettingAllWindow_1* deviceSettingAllWindow1;
