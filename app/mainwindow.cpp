#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appsettings.h"
#include "archivewindow.h"
#include "authorizationwindow.h"
#include "calibration.h"
#include "calibrationhost.h"
#include "command.h"
#include "connect_com_port.h"
#include "devicesetting_1_window.h"
#include "devicesetting_2_window.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "measurewindow.h"
#include "reference.h"
#include "statusline.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSignalBlocker>

MainWindow* mainWindow = nullptr;

DeviceSetting_1_Window* deviceSetting1Windows[10] = {};
DeviceSetting_2_Window* deviceSetting2Windows[10] = {};
MeasureWindow* measureWindow = nullptr;
Calibration* calibrationWindow = nullptr;
ArchiveWindow* archiveWindow = nullptr;
DeviceSettingAllWindow* deviceSettingAllWindow = nullptr;
DeviceSettingAllWindow_1* deviceSettingAllWindow1 = nullptr;

namespace
{

// Tabs of the form; the production pages are inserted after them.
constexpr int StatusTab = 0;
constexpr int CalibrationTab = 2;
constexpr int ServiceTab = 3;
constexpr int FirstProductionTab = 5;

// The pages go with the window that owns them.
void forgetPages()
{
    for (int channel = 0; channel < 10; ++channel) {
        deviceSetting1Windows[channel] = nullptr;
        deviceSetting2Windows[channel] = nullptr;
    }
    measureWindow = nullptr;
    calibrationWindow = nullptr;
    archiveWindow = nullptr;
    deviceSettingAllWindow = nullptr;
    deviceSettingAllWindow1 = nullptr;
    deviceSetting3Window = nullptr;
    deviceSetting4Window = nullptr;
    deviceSetting5Window = nullptr;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    mainWindow = this;
    mainWindowWidget = this;
    // The pages' own device commands report here too.
    statusline::setHost([this](const QString& text) { statusBar()->showMessage(text); });

    // The access-level and model radio buttons and the page flip stay out of
    // the operator's reach.
    ui->pushButtonModbusAddress->hide();
    ui->spinBoxModbusAddress->hide();
    ui->stackedWidgetModbusAddress->setCurrentIndex(1);
    ui->groupBoxAccessLevel->hide();
    ui->groupBoxDevice->hide();

    readSettingsFile();
    // Checking a radio button from code does not emit its click.
    if (translationName == englishTranslationName) {
        ui->radioButtonLanguageEn->setChecked(true);
        on_radioButtonLanguageEn_clicked();
    } else {
        ui->radioButtonLanguageRus->setChecked(true);
        on_radioButtonLanguageRus_clicked();
    }

    // The refresh fills most of its second: a coarse timer would skew it by up to 5 %.
    autoUpdateTimer.setTimerType(Qt::PreciseTimer);
    connect(&autoUpdateTimer, &QTimer::timeout, this, &MainWindow::onAutoUpdateTimeout);
    connect(&calibrationPollTimer, &QTimer::timeout, this, &MainWindow::onCalibrationPollTimeout);
    connect(&calibrationChartTimer, &QTimer::timeout, this, &MainWindow::onCalibrationChartTimeout);
    calibrationTimers.poll = &calibrationPollTimer;
    calibrationTimers.chart = &calibrationChartTimer;
    PageGuard::install(this);
}

MainWindow::~MainWindow()
{
    if (mainWindow == this) {
        mainWindow = nullptr;
        statusline::setHost(statusline::Host());
    }
    if (mainWindowWidget == this)
        mainWindowWidget = nullptr;
    endCalibration();
    forgetPages();
    // Ends the device's session; offline nothing goes over the line.
    command.transact(16, DevicePage, RegEndSession, 1);
    writeSettingsFile();
    delete ui;
}

QTabWidget* MainWindow::tabWidget() const
{
    return ui->tabWidget;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    calibrationPollTimer.stop();
    calibrationChartTimer.stop();
    if (QWidget* page = calibrationPage())
        page->close();
    event->accept();
}

// --- languages ---

void MainWindow::switchLanguage(const QString& name)
{
    translationName = name;
    // Next to the executable, wherever the program was started from.
    translator.load(translationName, QCoreApplication::applicationDirPath());
    QCoreApplication::installTranslator(&translator);
    // Qt's base translation: from Qt's own folder, else next to the executable (as a
    // Windows deployment ships it). Without it Qt's dialogs just keep their English texts.
    QCoreApplication::removeTranslator(&qtBaseTranslator);
    if (translationName == russianTranslationName &&
        (qtBaseTranslator.load(QStringLiteral("qtbase_ru"),
                               QLibraryInfo::location(QLibraryInfo::TranslationsPath)) ||
         qtBaseTranslator.load(QStringLiteral("qtbase_ru"),
                               QCoreApplication::applicationDirPath())))
        QCoreApplication::installTranslator(&qtBaseTranslator);
    ui->retranslateUi(this);
    rebuildDeviceUi();
}

void MainWindow::on_radioButtonLanguageRus_clicked()
{
    switchLanguage(russianTranslationName);
}

void MainWindow::on_radioButtonLanguageEn_clicked()
{
    switchLanguage(englishTranslationName);
}

// --- device-model table ---

bool MainWindow::setDeviceModel(quint16 code)
{
    command.modelCode = code;
    if (code == ModelBootloader)
        return true;
    const ModelTraits& traits = traitsOf(code);
    if (traits.channelCount == 0)
        return false;
    command.channelCount = traits.channelCount;
    command.channelOffMarker = traits.channelOffMarker;
    command.secondsPerTick = traits.secondsPerTick;
    return true;
}

// --- rebuild ---

void MainWindow::rebuildDeviceUi()
{
    Q_ASSERT(mainWindow == this);
    const quint32 thisRebuild = ++rebuildCount;
    stopAutoUpdate();
    if (QWidget* page = calibrationPage())
        page->close();
    // The new pages show the device as it is read now: an archive clear the
    // operator did not save is gone with the page that made it.
    command.archiveClearPending = false;

    retireDevicePages();
    createChannelPages();

    const quint16 model = command.modelCode;
    if (model != ModelNone && model != ModelBootloader) {
        readDeviceImage();
        placeChannelPages();
        createDevicePages();
    }

    const ModelGroup group = traitsOf(model).group;
    QString title = tr("Qiro Configuration v") + appVersion;
    QString status;
    switch (model) {
    case ModelT2:
    case ModelT2Classic:
        title += tr(", устройство Qiro T2");
        status = tr("Успешное подключение Qiro T2");
        break;
    case ModelT6:
    case ModelT6B:
        title += tr(", устройство Qiro T6");
        status = tr("Успешное подключение Qiro T6");
        break;
    case ModelT6Mini:
        title += tr(", устройство Qiro T6 Mini");
        status = tr("Успешное подключение Qiro T6");
        break;
    case ModelT6M:
    case ModelT6M4:
        title += tr(", устройство Qiro T6Max");
        status = tr("Успешное подключение Qiro T6Max");
        break;
    case ModelBootloader:
        title += tr(", устройство Bootloader");
        status = tr("Успешное подключение Bootloader");
        break;
    default:
        break;
    }
    // A model picked for offline work has no device behind it: say so, rather than
    // report a connection that never happened.
    if (!status.isEmpty() && offlineWork && !command.serialPort.isOpen()) {
        title += tr(", Offline режим");
        status = tr("Offline режим");
    }
    setWindowTitle(title);

    if (group == ModelGroup::None || group == ModelGroup::Bootloader) {
        // No production pages without a device interface.
        retireProductionPages();
        ui->tabWidget->hide();
        showGroupButtons(group);
        if (group == ModelGroup::Bootloader)
            statusline::succeed(status);
        return;
    }

    ui->tabWidget->show();
    // The channel panes of tabs 1 and 3 stand in a layout that scrolls: it is as tall
    // as the model's channels need.
    showGroupButtons(group);
    // The status page is read at once: directly when tab 0 is already current,
    // else through the tab change.
    if (ui->tabWidget->currentIndex() == StatusTab)
        on_tabWidget_currentChanged(StatusTab);
    ui->tabWidget->setCurrentIndex(StatusTab);
    // That read may have lost the device or found another model and rebuilt
    // the interface itself: then this rebuild is over, and its texts and
    // production pages must not cover what the inner one showed.
    if (rebuildCount != thisRebuild)
        return;
    statusline::succeed(status);

    retireProductionPages();
    ui->spinBoxModbusAddress->hide();
    switch (currentAccessLevel()) {
    case AccessLevel::User:
        ui->tabWidget->setTabEnabled(ServiceTab, false);
        ui->pushButtonSaveFactorySettings->hide();
        ui->pushButtonReadFactorySettings->hide();
        break;
    case AccessLevel::Admin:
        ui->tabWidget->setTabEnabled(ServiceTab, true);
        ui->pushButtonSaveFactorySettings->hide();
        ui->pushButtonReadFactorySettings->hide();
        break;
    case AccessLevel::Industry:
        ui->spinBoxModbusAddress->show();
        ui->tabWidget->setTabEnabled(ServiceTab, true);
        createProductionPages();
        ui->pushButtonSaveFactorySettings->show();
        ui->pushButtonReadFactorySettings->show();
        break;
    case AccessLevel::None:
        break;
    }

    showDeviceLanguage();
}

void MainWindow::retireDevicePages()
{
    // Old pages leave their stacks and are deleted once control is back in the
    // event loop: the rebuild may run inside one of their own slots. Their
    // global pointers are cleared at once, so nothing reaches them meanwhile.
    for (int channel = 0; channel < 10; ++channel) {
        retirePages(channelStack(1, channel));
        retirePages(channelStack(3, channel));
        // Pages of channels the model lacks were never placed in a stack.
        if (deviceSetting1Windows[channel])
            deviceSetting1Windows[channel]->deleteLater();
        if (deviceSetting2Windows[channel])
            deviceSetting2Windows[channel]->deleteLater();
        deviceSetting1Windows[channel] = nullptr;
        deviceSetting2Windows[channel] = nullptr;
    }
    retirePages(ui->stackedWidgetCalibration, ui->page);
    retirePages(ui->stackedWidgetMeasure);
    retirePages(ui->stackedWidgetArchiv);
    calibrationWindow = nullptr;
    measureWindow = nullptr;
    archiveWindow = nullptr;
}

void MainWindow::retireProductionPages()
{
    // Removing the current tab would move the tab widget to another one and
    // read it; the rebuild has made tab 0 current already or shows no tabs.
    const QSignalBlocker blocker(ui->tabWidget);
    for (int index = ui->tabWidget->count() - 1; index >= FirstProductionTab; --index) {
        QWidget* page = ui->tabWidget->widget(index);
        ui->tabWidget->removeTab(index);
        page->hide();
        page->deleteLater();
    }
    deviceSettingAllWindow = nullptr;
    deviceSettingAllWindow1 = nullptr;
    deviceSetting3Window = nullptr;
    deviceSetting4Window = nullptr;
    deviceSetting5Window = nullptr;
}

void MainWindow::createChannelPages()
{
    // One page of tab 1 and one of tab 3 per channel slot, whatever the model,
    // before the first read of the device; placeChannelPages() shows those of
    // the model's channels.
    for (int channel = 0; channel < 10; ++channel) {
        deviceSetting1Windows[channel] = new DeviceSetting_1_Window(this, channel);
        deviceSetting2Windows[channel] = new DeviceSetting_2_Window(this, channel);
        channelStack(1, channel)->hide();
        channelStack(3, channel)->hide();
    }
}

void MainWindow::placeChannelPages()
{
    for (int channel = 0; channel < command.channelCount && channel < 10; ++channel) {
        channelStack(1, channel)->show();
        placePage(channelStack(1, channel), deviceSetting1Windows[channel]);
        channelStack(3, channel)->show();
        placePage(channelStack(3, channel), deviceSetting2Windows[channel]);
    }
}

void MainWindow::createDevicePages()
{
    // After the first read, so that their constructors see a filled image.
    // Calibration and ArchiveWindow will join stackedWidgetCalibration and
    // stackedWidgetArchiv here the same way; until then tabs 2 and 4 are empty.
    measureWindow = new MeasureWindow(this);
    placePage(ui->stackedWidgetMeasure, measureWindow);
    calibrationWindow = new Calibration(this);
    placePage(ui->stackedWidgetCalibration, calibrationWindow);
    archiveWindow = new ArchiveWindow(this);
    placePage(ui->stackedWidgetArchiv, archiveWindow);
}

void MainWindow::createProductionPages()
{
    // Industry level only: the device data and channel set-up as tab 5, the
    // device options as tab 6.
    deviceSettingAllWindow = new DeviceSettingAllWindow(this);
    ui->tabWidget->addTab(deviceSettingAllWindow, tr("Общие параметры"));
    deviceSettingAllWindow1 = new DeviceSettingAllWindow_1(this);
    ui->tabWidget->addTab(deviceSettingAllWindow1, tr("Общие параметры_1"));
}

void MainWindow::showGroupButtons(ModelGroup group)
{
    struct Row {
        QWidget* widget;
        bool shown[5]; // None, T2, T6, T6 Max, bootloader
    };
    const Row rows[] = {
        {ui->pushButtonBootloader, {false, true, true, true, true}},
        {ui->pushButtonReadFactorySettings, {false, true, true, true, false}},
        {ui->pushButton_Save_Param, {false, true, true, true, false}},
        {ui->pushButton_Read_Param, {false, true, true, true, false}},
        {ui->checkBoxAutoupdate, {false, true, true, true, false}},
        {ui->pushButtonLoadConfigDevice, {false, true, true, true, false}},
        {ui->pushButtonSaveConfigPC, {false, true, true, true, false}},
        {ui->pushButtonBootloader_Ble, {false, false, true, true, false}},
        {ui->pushButton_TurnOffDevice, {false, true, true, true, true}},
        {ui->pushButtonSaveFactorySettings, {false, true, true, true, false}},
        {ui->groupBoxLanguage_2, {false, false, true, true, false}},
    };
    const int column = int(group);
    for (const Row& row : rows)
        row.widget->setVisible(row.shown[column]);
}

void MainWindow::showDeviceLanguage()
{
    quint32 language = 2;
    if (command.registerMap == ClassicMap)
        language = command.classicLanguage;
    else if (command.registerMap == ExtendedMap)
        language = command.extendedLanguage;
    if (language == 0)
        ui->radioButtonLanguageRus_2->setChecked(true);
    else if (language == 1)
        ui->radioButtonLanguageEn_2->setChecked(true);
}

QStackedWidget* MainWindow::channelStack(int tab, int channel) const
{
    QStackedWidget* const sensors[10] = {
        ui->stackedWidget_1_0, ui->stackedWidget_1_1, ui->stackedWidget_1_2, ui->stackedWidget_1_3,
        ui->stackedWidget_1_4, ui->stackedWidget_1_5, ui->stackedWidget_1_6, ui->stackedWidget_1_7,
        ui->stackedWidget_1_8, ui->stackedWidget_1_9};
    QStackedWidget* const service[10] = {
        ui->stackedWidget_2_0, ui->stackedWidget_2_1, ui->stackedWidget_2_2, ui->stackedWidget_2_3,
        ui->stackedWidget_2_4, ui->stackedWidget_2_5, ui->stackedWidget_2_6, ui->stackedWidget_2_7,
        ui->stackedWidget_2_8, ui->stackedWidget_2_9};
    return tab == 1 ? sensors[channel] : service[channel];
}

void MainWindow::endCalibration()
{
    // Timers first, so that no tick reaches a page on its way out; then the
    // device leaves calibration mode before its session ends. The page stops
    // the timers through calibrationTimers, which still point at ours.
    if (calibrationWindow) {
        calibrationWindow->stopTimers();
    } else {
        calibrationPollTimer.stop();
        calibrationChartTimer.stop();
    }
    calibrationTimers.poll = nullptr;
    calibrationTimers.chart = nullptr;
}

void MainWindow::endCalibrationProcedure()
{
    // The page's end stops both timers before it switches calibration mode off.
    if (calibrationWindow) {
        calibrationWindow->endProcedure();
    } else {
        calibrationPollTimer.stop();
        calibrationChartTimer.stop();
    }
}

QWidget* MainWindow::calibrationPage() const
{
    QWidget* page = ui->stackedWidgetCalibration->currentWidget();
    return page == ui->page ? nullptr : page;
}

void MainWindow::placePage(QStackedWidget* stack, QWidget* page)
{
    stack->insertWidget(0, page);
    stack->setCurrentIndex(0);
}

void MainWindow::retirePages(QStackedWidget* stack, QWidget* keep)
{
    for (int index = stack->count() - 1; index >= 0; --index) {
        QWidget* page = stack->widget(index);
        if (page == keep)
            continue;
        stack->removeWidget(page);
        page->hide();
        page->deleteLater();
    }
}

// --- read road (readroad.cpp) ---

void MainWindow::stopAutoUpdate()
{
    autoUpdateTimer.stop();
    ui->pushButton_Read_Param->setEnabled(true);
}

statusline::Outcome MainWindow::beginCommand()
{
    statusBar()->clearMessage();
    ui->checkBoxAutoupdate->setChecked(false);
    QCoreApplication::processEvents();
    return statusline::Outcome();
}

void MainWindow::on_pushButton_Read_Param_clicked()
{
    const statusline::Outcome outcome;
    statusline::show(tr("Идет передача данных..."));
    QCoreApplication::processEvents();
    readParameters(quint8(ui->tabWidget->currentIndex()));
}

void MainWindow::on_checkBoxAutoupdate_stateChanged(int state)
{
    if (state != 0) {
        autoUpdateTimer.start(1000);
        ui->pushButton_Read_Param->setEnabled(false);
    } else {
        stopAutoUpdate();
    }
}

void MainWindow::on_tabWidget_currentChanged(int index)
{
    if (index != ui->tabWidget->currentIndex()) {
        ui->tabWidget->setCurrentIndex(index);
        return;
    }
    ui->checkBoxAutoupdate->setEnabled(index == StatusTab);
    ui->checkBoxAutoupdate->setChecked(false);
    readParameters(quint8(index));
}

void MainWindow::onAutoUpdateTimeout()
{
    readParameters(quint8(ui->tabWidget->currentIndex()));
}

void MainWindow::onCalibrationPollTimeout()
{
    if (ui->tabWidget->currentIndex() != CalibrationTab)
        calibrationPollTimer.stop();
    if (calibrationWindow)
        calibrationWindow->pollDevice();
}

void MainWindow::onCalibrationChartTimeout()
{
    if (ui->tabWidget->currentIndex() != CalibrationTab)
        calibrationChartTimer.stop();
    if (calibrationWindow)
        calibrationWindow->updateCharts();
}

// --- model, access level and address ---

void MainWindow::chooseModel(quint16 code)
{
    setDeviceModel(code);
    rebuildDeviceUi();
}

void MainWindow::on_radioButtonDeviceT2_clicked()
{
    chooseModel(ModelT2);
}

void MainWindow::on_radioButtonDeviceT6_clicked()
{
    chooseModel(ModelT6);
}

void MainWindow::on_radioButtonDeviceT6M_clicked()
{
    chooseModel(ModelT6M);
}

void MainWindow::on_radioButtonDeviceT8M_clicked()
{
    chooseModel(ModelT8M);
}

void MainWindow::on_radioButtonDevice999_clicked()
{
    chooseModel(ModelBootloader);
}

void MainWindow::logIn(const QString& name, const QString& password)
{
    command.userName = name;
    command.password = password;
    command.authorized = 1;
    rebuildDeviceUi();
}

void MainWindow::on_radioButtonNameUser_clicked()
{
    logIn(userLoginName, userPassword);
}

void MainWindow::on_radioButtonNameAdmin_clicked()
{
    logIn(adminLoginName, adminPassword);
}

void MainWindow::on_radioButtonNameIndustry_clicked()
{
    logIn(industryLoginName, industryPassword);
}

void MainWindow::on_spinBoxModbusAddress_valueChanged(int value)
{
    command.modbusAddress = quint16(value);
}

void MainWindow::on_pushButtonModbusAddress_clicked()
{
    const int page = ui->stackedWidgetModbusAddress->currentIndex();
    if (page == 0)
        ui->stackedWidgetModbusAddress->setCurrentIndex(1);
    else if (page == 1)
        ui->stackedWidgetModbusAddress->setCurrentIndex(0);
}

// --- menu ---

void MainWindow::on_action_connect_triggered()
{
    beginCommand();
    // The dialog may close the port (disconnect, another port) and a new model
    // or the offline choice follows: a calibration must not outlive the device
    // that hears it, nor poll the line while the dialog is open.
    endCalibrationProcedure();
    if (command.authorized == 0) {
        AuthorizationWindow login(this, AuthorizationWindow::LoginPage);
        dialogs::exec(login);
        if (command.authorized == 0) {
            rebuildDeviceUi();
            return;
        }
    }
    Connect_com_port connection(this);
    dialogs::exec(connection);
    rebuildDeviceUi();
}

void MainWindow::on_action_reference_triggered()
{
    beginCommand();
    Reference about(this);
    dialogs::exec(about);
}
