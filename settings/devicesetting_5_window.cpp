#include "devicesetting_5_window.h"

#include "command.h"
#include "dialogs.h"
#include "optiontables.h"
#include "ui_devicesetting_5_window.h"

#include <QCheckBox>
#include <QKeyEvent>

namespace
{

// deviceFlags bits of this page.
constexpr int SoundLockBit = 1;
constexpr int PowerOffLockBit = 2;
constexpr int CalibMenuLockBit = 3;
constexpr int DisplayUnitBit = 9;
constexpr int BleBit = 10;
constexpr int GreenLedBit = 11;
constexpr int SoundTestBit = 12;
constexpr int GpsBit = 13;
constexpr int LoraBit = 15;

// channelFlags bit 13 of an extended channel record: receipt on this channel.
constexpr quint32 ReceiptBit = 1u << 13;

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

template <typename Word> bool bitSet(Word word, int bit)
{
    return (quint32(word) >> bit) & 1u;
}

template <typename Word> void putBit(Word& word, int bit, bool on)
{
    if (on)
        word = Word(word | Word(1u << bit));
    else
        word = Word(word & Word(~(1u << bit)));
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
    if (classic()) {
        // The classic device sends its PWM value only when asked for it alone.
        command.transact(3, DevicePage, RegPwmSound, 1);
        ui->SettingDev->hide();
        ui->checkBoxReceiptLimit->hide();
        ui->checkBoxLcdUnitTurn->hide();
        const quint16 flags = command.classicDevice.deviceFlags;
        ui->checkBoxBlockSound->setChecked(bitSet(flags, SoundLockBit));
        ui->checkBoxTurnStateLed->setChecked(bitSet(flags, GreenLedBit));
        ui->checkBoxBlockCalib->setChecked(bitSet(flags, CalibMenuLockBit));
        ui->checkBoxBleTurnOn->setChecked(bitSet(flags, BleBit));
        ui->checkBoxBlockTurn->setChecked(bitSet(flags, PowerOffLockBit));
        ui->checkBoxTestSoundTurnOn->setChecked(bitSet(flags, SoundTestBit));
        ui->spinBoxPwmSound->setValue(command.classicDevice.pwmSound);
    } else if (extended()) {
        ui->SettingDev->show();
        ui->checkBoxReceiptLimit->show();
        ui->checkBoxLcdUnitTurn->show();
        bool allReceipt = true;
        for (int ch = 0; ch < command.channelSlotsInUse(); ++ch)
            allReceipt = allReceipt && (command.extendedChannels[ch].channelFlags & ReceiptBit);
        ui->checkBoxReceiptLimit->setChecked(allReceipt);
        const ExtendedDeviceBlock& d = command.extendedDevice;
        const quint32 flags = d.deviceFlags;
        ui->checkBoxBlockSound->setChecked(bitSet(flags, SoundLockBit));
        ui->checkBoxTurnStateLed->setChecked(bitSet(flags, GreenLedBit));
        ui->checkBoxBlockCalib->setChecked(bitSet(flags, CalibMenuLockBit));
        ui->checkBoxBleTurnOn->setChecked(bitSet(flags, BleBit));
        ui->checkBoxLoraTurnOn->setChecked(bitSet(flags, LoraBit));
        ui->checkBoxGpsTurnOn->setChecked(bitSet(flags, GpsBit));
        ui->checkBoxBlockTurn->setChecked(bitSet(flags, PowerOffLockBit));
        ui->checkBoxLcdUnitTurn->setChecked(bitSet(flags, DisplayUnitBit));
        ui->checkBoxTestSoundTurnOn->setChecked(bitSet(flags, SoundTestBit));
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
                box->setChecked(bitSet(d.gnssConfig, row));
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
        if (box && box->isChecked() != bitSet(shownSignals, row))
            on_myTableGPS_cellChanged(row, 0);
    }
}

void DeviceSetting_5_Window::storeFlag(int bit, int state, bool extendedOnly)
{
    if (refreshing)
        return;
    if (classic() && !extendedOnly)
        putBit(command.classicDevice.deviceFlags, bit, state != 0);
    else if (extended())
        putBit(command.extendedDevice.deviceFlags, bit, state != 0);
}

void DeviceSetting_5_Window::writeDeviceRegister(quint16 reg)
{
    if (!resultOk(command.transact(16, DevicePage, reg, 1)))
        dialogs::warning(this, tr("Ошибка"), tr("Ошибка обмена данными"));
}

void DeviceSetting_5_Window::on_checkBoxBlockCalib_stateChanged(int arg1)
{
    storeFlag(CalibMenuLockBit, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxBlockTurn_stateChanged(int arg1)
{
    storeFlag(PowerOffLockBit, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxTurnStateLed_stateChanged(int arg1)
{
    ui->checkBoxTurnStateLed->setText(arg1 ? tr("вкл.") : tr("выкл."));
    storeFlag(GreenLedBit, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxBlockSound_stateChanged(int arg1)
{
    storeFlag(SoundLockBit, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxBleTurnOn_stateChanged(int arg1)
{
    storeFlag(BleBit, arg1, false);
}

void DeviceSetting_5_Window::on_checkBoxTestSoundTurnOn_stateChanged(int arg1)
{
    storeFlag(SoundTestBit, arg1, false);
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
    writeDeviceRegister(RegTempSensorCalibration);
}

void DeviceSetting_5_Window::on_checkBoxReceiptLimit_stateChanged(int arg1)
{
    if (refreshing)
        return;
    for (int ch = 0; ch < command.channelSlotsInUse(); ++ch)
        putBit(command.extendedChannels[ch].channelFlags, 13, arg1 != 0);
}

void DeviceSetting_5_Window::on_checkBoxLcdUnitTurn_stateChanged(int arg1)
{
    storeFlag(DisplayUnitBit, arg1, true);
}

void DeviceSetting_5_Window::on_checkBoxLoraTurnOn_stateChanged(int arg1)
{
    storeFlag(LoraBit, arg1, true);
}

void DeviceSetting_5_Window::on_myTableGPS_cellChanged(int row, int column)
{
    Q_UNUSED(column)
    if (refreshing || row < 0 || row >= gnssSignalNamesCount)
        return;
    auto* box = qobject_cast<QCheckBox*>(ui->myTableGPS->cellWidget(row, 0));
    if (!box)
        return;
    putBit(shownSignals, row, box->isChecked());
    if (extended())
        putBit(command.extendedDevice.gnssConfig, row, box->isChecked());
}

void DeviceSetting_5_Window::on_checkBoxGpsTurnOn_stateChanged(int arg1)
{
    storeFlag(GpsBit, arg1, true);
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
