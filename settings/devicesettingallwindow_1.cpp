#include "devicesettingallwindow_1.h"

#include "configurationfile.h"
#include "devicesetting_5_window.h"
#include "devicesettingallwindow.h"
#include "fieldguards.h"
#include "ui_devicesettingallwindow_1.h"

DeviceSetting_5_Window* deviceSetting5Window = nullptr;

DeviceSettingAllWindow_1::DeviceSettingAllWindow_1(QWidget* parent)
    : QDialog(parent), ui(new Ui::DeviceSettingAllWindow_1)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    deviceSetting5Window = new DeviceSetting_5_Window(this);
    ui->stackedWidget_5->insertWidget(0, deviceSetting5Window);
    ui->stackedWidget_5->setCurrentIndex(0);
    PageGuard::install(this);
    deviceSetting5Window->showParameters();
}

DeviceSettingAllWindow_1::~DeviceSettingAllWindow_1()
{
    delete ui;
}

void DeviceSettingAllWindow_1::showParameters()
{
    if (deviceSetting5Window)
        deviceSetting5Window->showParameters();
}

void DeviceSettingAllWindow_1::collectParameters()
{
    if (deviceSetting5Window)
        deviceSetting5Window->collectTables();
}

void DeviceSettingAllWindow_1::on_pushButton_FileConfig_clicked()
{
    chooseConfigurationFile(this, ui->pushButton_FileConfig);
}

void DeviceSettingAllWindow_1::on_pushButton_ReadConfig_clicked()
{
    if (!loadConfigurationFile())
        return;
    showParameters();
}
