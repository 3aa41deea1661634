#include "devicesettingallwindow.h"

#include "appsettings.h"
#include "command.h"
#include "configurationfile.h"
#include "devicesetting_3_window.h"
#include "devicesetting_4_window.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "statusline.h"
#include "ui_devicesettingallwindow.h"

#include <QFileInfo>

DeviceSetting_3_Window* deviceSetting3Window = nullptr;
DeviceSetting_4_Window* deviceSetting4Window = nullptr;

namespace
{

// The channel the pages may index: the shared choice survives a change of
// model, so it may lie beyond this model's channels.
int shownChannel()
{
    const int count = qBound(1, int(command.channelCount), int(ChannelSlots));
    if (command.currentChannel >= count)
        command.currentChannel = 0;
    return command.currentChannel;
}

} // namespace

void chooseConfigurationFile(QWidget* parent, QPushButton* button)
{
    const QString name =
        dialogs::getOpenFileName(parent, DeviceSettingAllWindow::tr("Файл конфигурации"),
                                 lastDirectory, DeviceSettingAllWindow::tr("(*.txt)"));
    if (name.isEmpty())
        return; // cancelled: the button and both settings stay as they were
    lastDirectory = QFileInfo(name).path();
    lastLoadedConfigFile = name;
    button->setText(name);
}

DeviceSettingAllWindow::DeviceSettingAllWindow(QWidget* parent)
    : QDialog(parent), ui(new Ui::DeviceSettingAllWindow)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    deviceSetting3Window = new DeviceSetting_3_Window(this);
    ui->stackedWidget_3->insertWidget(0, deviceSetting3Window);
    ui->stackedWidget_3->setCurrentIndex(0);
    deviceSetting4Window = new DeviceSetting_4_Window(this);
    ui->stackedWidget_4->insertWidget(0, deviceSetting4Window);
    ui->stackedWidget_4->setCurrentIndex(0);
    PageGuard::install(this);
    showParameters();
}

DeviceSettingAllWindow::~DeviceSettingAllWindow()
{
    delete ui;
}

void DeviceSettingAllWindow::showParameters()
{
    ui->comboBoxChannelNum->clear();
    for (int i = 0; i < command.channelCount && i < ChannelSlots; ++i) {
        const char* formula = nullptr;
        if (command.registerMap == ClassicMap)
            formula = command.classicChannels[i].gasFormula;
        else if (command.registerMap == ExtendedMap)
            formula = command.extendedChannels[i].gasFormula;
        else
            break;
        ui->comboBoxChannelNum->addItem(tr("Канал") + QStringLiteral(" %1-").arg(i + 1) +
                                        imageText(formula, 10));
    }
    const int channel = shownChannel();
    ui->comboBoxChannelNum->setCurrentIndex(channel < ui->comboBoxChannelNum->count() ? channel
                                                                                      : -1);
    if (deviceSetting3Window)
        deviceSetting3Window->showParameters();
    if (deviceSetting4Window)
        deviceSetting4Window->showParameters(channel);
}

void DeviceSettingAllWindow::collectParameters()
{
    if (deviceSetting4Window)
        deviceSetting4Window->collectTables(shownChannel());
}

void DeviceSettingAllWindow::on_comboBoxChannelNum_activated(int index)
{
    if (index < 0 || index >= ChannelSlots)
        return;
    collectParameters();
    command.currentChannel = quint16(index);
    showParameters();
}

void DeviceSettingAllWindow::on_pushButton_FileConfig_clicked()
{
    chooseConfigurationFile(this, ui->pushButton_FileConfig);
}

void DeviceSettingAllWindow::on_pushButton_ReadConfig_clicked()
{
    if (!loadConfigurationFile())
        return;
    showParameters();
}

void DeviceSettingAllWindow::on_pushButton_clicked()
{
    // The tables go as the operator left them in the cells, then the commit;
    // a failed table write must not be committed.
    collectParameters();
    const quint16 channel = quint16(shownChannel());
    TransactionResult result = ResultOk;
    if (command.registerMap == ClassicMap)
        result =
            command.transact(16, channel, RegClassicCorrectionTables, ClassicCorrectionTablesCount);
    else if (command.registerMap == ExtendedMap)
        result = command.transact(16, channel, RegExtendedCorrectionTables,
                                  ExtendedCorrectionTablesCount);
    else
        return;
    statusline::Outcome outcome;
    if (result == ResultOk)
        result = command.transact(16, DevicePage, RegCommit, 1);
    if (result != ResultOk) {
        dialogs::exchangeError(this);
        statusline::exchangeFailed();
    } else if (!command.connected) {
        outcome.refuse(statusline::offlineText());
    } else {
        outcome.succeed(tr("Таблицы канала %1 записаны в прибор").arg(channel + 1));
    }
}
