#include "devicesetting_5_window.h"

#include "command.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "optiontables.h"
#include "statusline.h"
#include "ui_devicesetting_5_window.h"

#include <QCheckBox>
#include <QKeyEvent>

namespace
{

constexpr int RestartModeShift = 24;
constexpr quint32 RestartModeMask = 3u << RestartModeShift;
constexpr quint32 SignalMask = (1u << gnssSignalNamesCount) - 1;

bool classic()
{
    return command.registerMap == ClassicMap;
}
bool extended()
{
    return command.registerMap == ExtendedMap;
}

bool flagSet(quint32 word, quint32 mask)
{
    return (word & mask) != 0;
}

// The switches of the device flag word that both layouts have.
void showSharedFlags(Ui::DeviceSetting_5_Window* ui, quint32 flags)
{
    ui->checkBoxBlockSound->setChecked(flagSet(flags, DeviceFlagBits::AlarmBlockedInCalibration));
    ui->checkBoxTurnStateLed->setChecked(flagSet(flags, DeviceFlagBits::StatusLedOn));
    ui->checkBoxBlockCalib->setChecked(flagSet(flags, DeviceFlagBits::CalibMenuBlocked));
    ui->checkBoxBleTurnOn->setChecked(flagSet(flags, DeviceFlagBits::BleOn));
    ui->checkBoxBlockTurn->setChecked(flagSet(flags, DeviceFlagBits::PowerOffBlocked));
    ui->checkBoxTestSoundTurnOn->setChecked(flagSet(flags, DeviceFlagBits::SoundTestOn));
}

} // namespace

DeviceSetting_5_Window::DeviceSetting_5_Window(QWidget* parent)
    : QDialog(parent), ui(new Ui::DeviceSetting_5_Window)
{
    ui->setupUi(this);
    ui->tabWidget->setTabEnabled(2, false);
    ui->tabWidget->setCurrentIndex(0);
    ui->label_20->hide();
    ui->spinBoxTypeLcd->hide();
    switch (command.modelCode) {
    case ModelT2:
        ui->label_20->show();
        ui->spinBoxTypeLcd->show();
        [[fallthrough]];
    case ModelT2Classic:
        ui->checkBoxBlockTurn->hide();
        ui->checkBoxBleTurnOn->hide();
        break;
    case ModelT6B:
    case ModelT6M:
    case ModelT6M4:
    case ModelT8M:
        ui->tabWidget->setTabEnabled(2, true);
        break;
    default:
        break;
    }

    ui->myTableGPS->setRowCount(gnssSignalNamesCount);
    ui->myTableGPS->setColumnWidth(0, 150);
    for (int row = 0; row < gnssSignalNamesCount; ++row) {
        ui->myTableGPS->setRowHeight(row, 22);
        auto* box = new QCheckBox(QString::fromLatin1(gnssSignalNames[row]));
        QFont font = box->font();
        font.setPointSize(9);
        box->setFont(font);
        ui->myTableGPS->setCellWidget(row, 0, box);
    }
    for (const char* name : restartModeNames)
        ui->comboBoxTypeStartGPS->addItem(QString::fromLatin1(name));
    PageGuard::install(this);
}

DeviceSetting_5_Window::~DeviceSetting_5_Window()
{
    delete ui;
}

void DeviceSetting_5_Window::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void DeviceSetting_5_Window::showParameters()
{
    const bool wasRefreshing = refreshing;
    refreshing = true;
    if (classic() || extended()) {
        // The classic device has no LoRa, GNSS or display-type registers: no save
        // sends what these boxes hold there, so they only show it.
        for (QWidget* w : {static_cast<QWidget*>(ui->checkBoxLoraTurnOn),
                           static_cast<QWidget*>(ui->checkBoxGpsTurnOn),
                           static_cast<QWidget*>(ui->spinBoxPeriodTimeLora),
                           static_cast<QWidget*>(ui->spinBoxPeriodTimeLora_Alarm),
                           static_cast<QWidget*>(ui->spinBoxTypeLcd),
                           static_cast<QWidget*>(ui->comboBoxTypeStartGPS)})
            setFieldEditable(w, extended());
        for (int row = 0; row < gnssSignalNamesCount; ++row)
            setFieldEditable(ui->myTableGPS->cellWidget(row, 0), extended());
    }
    if (classic()) {
        // The classic device sends its PWM value only when asked for it alone.
        command.transact(3, DevicePage, RegPwmSound, 1);
        ui->SettingDev->hide();
        ui->checkBoxReceiptLimit->hide();
        ui->checkBoxLcdUnitTurn->hide();
        showSharedFlags(ui, command.classicDevice.deviceFlags);
        ui->spinBoxPwmSound->setValue(command.classicDevice.pwmSound);
    } else if (extended()) {
        ui->SettingDev->show();
        ui->checkBoxReceiptLimit->show();
        ui->checkBoxLcdUnitTurn->show();
        bool allReceipt = true;
        for (int ch = 0; ch < command.channelSlotsInUse(); ++ch)
            allReceipt = allReceipt && flagSet(command.extendedChannels[ch].channelFlags,
                                               ChannelFlagBits::LimitsReceipt);
        ui->checkBoxReceiptLimit->setChecked(allReceipt);
        const ExtendedDeviceBlock& d = command.extendedDevice;
        const quint32 flags = d.deviceFlags;
        showSharedFlags(ui, flags);
        ui->checkBoxLoraTurnOn->setChecked(flagSet(flags, DeviceFlagBits::LoraOn));
        ui->checkBoxGpsTurnOn->setChecked(flagSet(flags, DeviceFlagBits::GnssOn));
        ui->checkBoxLcdUnitTurn->setChecked(flagSet(flags, DeviceFlagBits::UnitOnDisplay));
        ui->spinBoxPwmSound->setValue(d.pwmSound);
        ui->spinBoxTimeLedStatePulse->setValue(d.ledPulseTime);
        ui->spinBoxTimeLedStatePeriod->setValue(d.ledPeriod);
        ui->spinBoxBattery_max->setValue(d.batteryLevels[0]);
        ui->spinBoxBattery_min->setValue(d.batteryLevels[1]);
        ui->spinBoxBattery_lim_1->setValue(d.batteryLevels[2]);
        ui->spinBoxBattery_lim_2->setValue(d.batteryLevels[3]);
        ui->spinBoxPeriodTimeLora->setValue(d.loraPeriod);
        ui->spinBoxPeriodTimeLora_Alarm->setValue(d.loraAlarmPeriod);
        ui->spinBoxTypeLcd->setValue(d.lcdType);
        for (int row = 0; row < gnssSignalNamesCount; ++row)
            if (auto* box = qobject_cast<QCheckBox*>(ui->myTableGPS->cellWidget(row, 0)))
                box->setChecked(flagSet(d.gnssConfig, 1u << row));
        shownSignals = d.gnssConfig & SignalMask;
        ui->comboBoxTypeStartGPS->setCurrentIndex(
            int((d.gnssConfig & RestartModeMask) >> RestartModeShift));
    }
    refreshing = wasRefreshing;
}

void DeviceSetting_5_Window::collectTables()
{
    if (refreshing)
        return;
    for (int row = 0; row < gnssSignalNamesCount; ++row) {
        auto* box = qobject_cast<QCheckBox*>(ui->myTableGPS->cellWidget(row, 0));
        if (box && box->isChecked() != flagSet(shownSignals, 1u << row))
            on_myTableGPS_cellChanged(row, 0);
    }
}

void DeviceSetting_5_Window::storeFlag(quint32 mask, int state, bool extendedOnly)
{
    if (refreshing)
        return;
    if (classic() && !extendedOnly)
        putFlag(command.classicDevice.deviceFlags, mask, state != 0);
    else if (extended())
        putFlag(command.extendedDevice.deviceFlags, mask, state != 0);
}

bool DeviceSetting_5_Window::writeDeviceRegister(quint16 reg)
{
    if (resultOk(command.transact(16, DevicePage, reg, 1)))
        return true;
    dialogs::exchangeError(this);
    return false;
}

void DeviceSetting_5_Window::on_checkBoxBlockCalib_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::CalibMenuBlocked, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxBlockTurn_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::PowerOffBlocked, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxTurnStateLed_stateChanged(int arg1)
{
    ui->checkBoxTurnStateLed->setText(arg1 ? tr("вкл.") : tr("выкл."));
    storeFlag(DeviceFlagBits::StatusLedOn, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxBlockSound_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::AlarmBlockedInCalibration, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxBleTurnOn_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::BleOn, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxTestSoundTurnOn_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::SoundTestOn, arg1, false);
}

void DeviceSetting_5_Window::on_spinBoxPwmSound_valueChanged(int arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicDevice.pwmSound = quint16(arg1);
    else if (extended())
        command.extendedDevice.pwmSound = quint16(arg1);
    else
        return;
    // The buzzer takes the new value at once, so the operator hears it.
    writeDeviceRegister(RegPwmSound);
}

void DeviceSetting_5_Window::on_spinBoxTimeLedStatePulse_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.ledPulseTime = quint16(arg1);
}

void DeviceSetting_5_Window::on_spinBoxTimeLedStatePeriod_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.ledPeriod = quint16(arg1);
}

void DeviceSetting_5_Window::on_spinBoxBattery_max_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.batteryLevels[0] = quint16(arg1);
}

void DeviceSetting_5_Window::on_spinBoxBattery_min_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.batteryLevels[1] = quint16(arg1);
}

void DeviceSetting_5_Window::on_spinBoxBattery_lim_1_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.batteryLevels[2] = quint16(arg1);
}

void DeviceSetting_5_Window::on_spinBoxBattery_lim_2_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.batteryLevels[3] = quint16(arg1);
}

void DeviceSetting_5_Window::on_pushButton_TempsensorCalib_clicked()
{
    // The box is bounded to what the register carries: hundredths in a signed 16-bit
    // word (-80 C is the coldest the page offers), so no value wraps on the wire.
    command.tempSensorCalibration = float(ui->doubleSpinBoxTemp->value());
    statusline::Outcome outcome;
    if (!writeDeviceRegister(RegTempSensorCalibration))
        statusline::exchangeFailed();
    else if (!command.connected)
        outcome.refuse(statusline::offlineText());
    else
        outcome.succeed(tr("Температура окружающей среды записана в прибор"));
}

void DeviceSetting_5_Window::on_checkBoxReceiptLimit_stateChanged(int arg1)
{
    if (refreshing)
        return;
    for (int ch = 0; ch < command.channelSlotsInUse(); ++ch)
        putFlag(command.extendedChannels[ch].channelFlags, ChannelFlagBits::LimitsReceipt,
                arg1 != 0);
}

void DeviceSetting_5_Window::on_checkBoxLcdUnitTurn_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::UnitOnDisplay, arg1, true);
}

void DeviceSetting_5_Window::on_checkBoxLoraTurnOn_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::LoraOn, arg1, true);
}

void DeviceSetting_5_Window::on_myTableGPS_cellChanged(int row, int column)
{
    Q_UNUSED(column)
    if (refreshing || row < 0 || row >= gnssSignalNamesCount)
        return;
    auto* box = qobject_cast<QCheckBox*>(ui->myTableGPS->cellWidget(row, 0));
    if (!box)
        return;
    putFlag(shownSignals, 1u << row, box->isChecked());
    if (extended())
        putFlag(command.extendedDevice.gnssConfig, 1u << row, box->isChecked());
}

void DeviceSetting_5_Window::on_checkBoxGpsTurnOn_stateChanged(int arg1)
{
    storeFlag(DeviceFlagBits::GnssOn, arg1, true);
}

void DeviceSetting_5_Window::on_comboBoxTypeStartGPS_activated(int index)
{
    if (refreshing || index < 0 || index >= restartModeNamesCount)
        return;
    quint32& config = command.extendedDevice.gnssConfig;
    config = (config & ~RestartModeMask) | (quint32(index) << RestartModeShift);
}

void DeviceSetting_5_Window::on_spinBoxPeriodTimeLora_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.loraPeriod = quint8(arg1);
}

void DeviceSetting_5_Window::on_spinBoxPeriodTimeLora_Alarm_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.loraAlarmPeriod = quint8(arg1);
}

void DeviceSetting_5_Window::on_spinBoxTypeLcd_valueChanged(int arg1)
{
    if (!refreshing)
        command.extendedDevice.lcdType = quint16(arg1);
}
