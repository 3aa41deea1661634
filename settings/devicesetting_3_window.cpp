#include "devicesetting_3_window.h"

#include "command.h"
#include "embeddedpage.h"
#include "fieldguards.h"
#include "rounding.h"
#include "ui_devicesetting_3_window.h"

#include <QDateTime>
#include <QKeyEvent>

#include <cmath>

namespace
{

// The fields of the device block this page edits, in the layout in use.
struct DeviceFields {
    quint32* serialNumber;
    quint16* archiveEnabled;
    quint8* archiveIntervals;
    quint32* archiveStartAddress;
    quint32* archiveCurrentAddress;
    quint16* hardwareVersion;
    quint32* deviceClock;
    quint32* productionDate;
};

template <typename Block> DeviceFields fieldsOf(Block& b)
{
    return {&b.serialNumber,        &b.archiveEnabled,        b.archiveIntervals,
            &b.archiveStartAddress, &b.archiveCurrentAddress, &b.hardwareVersion,
            &b.deviceClock,         &b.productionDate};
}

bool deviceFields(DeviceFields* out)
{
    if (command.registerMap == ClassicMap)
        *out = fieldsOf(command.classicDevice);
    else if (command.registerMap == ExtendedMap)
        *out = fieldsOf(command.extendedDevice);
    else
        return false;
    return true;
}

double tickLength()
{
    return command.secondsPerTick > 0 && std::isfinite(command.secondsPerTick)
               ? command.secondsPerTick
               : 1.0;
}

QDateTime ticksToDateTime(quint32 ticks)
{
    return QDateTime::fromSecsSinceEpoch(qint64(std::floor(double(ticks) * tickLength())));
}

QString hexBytes(const quint8* bytes, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

// The pointer boxes span +-2e9; a pointer beyond that shows the nearest bound.
int pointerShown(quint32 value)
{
    return int(qMin<quint32>(value, 2000000000u));
}

} // namespace

DeviceSetting_3_Window::DeviceSetting_3_Window(QWidget* parent)
    : QDialog(parent), ui(new Ui::DeviceSetting_3_Window)
{
    ui->setupUi(this);
    ui->tabWidget->setCurrentIndex(0);
    ui->spinBoxSerialNumber->setMaximum(99999999);
    // Every save and every full write sets the device clock to the PC's time
    // first: a time typed here would never reach the device.
    setFieldEditable(ui->dateTimeEditDate, false);
    PageGuard::install(this);
}

DeviceSetting_3_Window::~DeviceSetting_3_Window()
{
    delete ui;
}

void DeviceSetting_3_Window::keyPressEvent(QKeyEvent* event)
{
    if (!pageSwallowsKey(event))
        QDialog::keyPressEvent(event);
}

void DeviceSetting_3_Window::showParameters()
{
    DeviceFields f;
    if (!deviceFields(&f))
        return;
    const bool wasRefreshing = refreshing;
    refreshing = true;
    ui->spinBoxSerialNumber->setValue(int(qMin<quint32>(*f.serialNumber, 99999999u)));
    ui->checkBoxArchive->setChecked(*f.archiveEnabled != 0);
    ui->checkBoxArchive->setText(*f.archiveEnabled != 0 ? tr("Вкл.") : tr("Выкл."));
    ui->spinBoxBegginAddr->setValue(pointerShown(*f.archiveStartAddress));
    ui->spinBoxCurrentAddr->setValue(pointerShown(*f.archiveCurrentAddress));
    ui->spinBoxIntervalArchiv->setValue(f.archiveIntervals[0]);
    ui->spinBoxIntervalArchiv_2->setValue(f.archiveIntervals[1]);
    ui->doubleSpinBoxFirmwareVer->setValue(command.firmwareVersion / 100.0);
    ui->doubleSpinBoxHardwareVer->setValue(*f.hardwareVersion / 10.0);
    ui->dateTimeEditDate_2->setDateTime(ticksToDateTime(*f.productionDate));
    ui->dateTimeEditDate->setDateTime(ticksToDateTime(*f.deviceClock));
    if (command.registerMap == ExtendedMap) {
        const quint32 flags = command.extendedDevice.deviceFlags;
        if (flags & DeviceFlagBits::BleOn)
            ui->lineEditMACBle->setText(hexBytes(command.bleMac, 6));
        else
            ui->lineEditMACBle->clear();
        if (flags & DeviceFlagBits::LoraOn)
            ui->lineEditEuiLora->setText(hexBytes(command.loraId, 8));
        else
            ui->lineEditEuiLora->clear();
    }
    refreshing = wasRefreshing;
}

void DeviceSetting_3_Window::on_checkBoxArchive_stateChanged(int arg1)
{
    ui->checkBoxArchive->setText(arg1 ? tr("Вкл.") : tr("Выкл."));
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    // The device takes any non-zero value as on; the check state (2) is what goes out.
    *f.archiveEnabled = quint16(arg1);
}

void DeviceSetting_3_Window::on_doubleSpinBoxHardwareVer_valueChanged(double arg1)
{
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    *f.hardwareVersion = roundedInto<quint16>(arg1 * 10.0);
}

void DeviceSetting_3_Window::on_dateTimeEditDate_dateTimeChanged(const QDateTime& dateTime)
{
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    *f.deviceClock = ticksFromSeconds(dateTime.toSecsSinceEpoch(), command.secondsPerTick,
                                      TickRounding::Nearest);
}

void DeviceSetting_3_Window::on_dateTimeEditDate_2_dateTimeChanged(const QDateTime& dateTime)
{
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    *f.productionDate = ticksFromSeconds(dateTime.toSecsSinceEpoch(), command.secondsPerTick,
                                         TickRounding::Nearest);
}

void DeviceSetting_3_Window::on_pushButton_ClearArchiv_clicked()
{
    DeviceFields f;
    if (!deviceFields(&f))
        return;
    *f.archiveStartAddress = 0;
    *f.archiveCurrentAddress = 0;
    // The next save sends these zeros instead of re-reading the device's pointers.
    command.archiveClearPending = true;
    const bool wasRefreshing = refreshing;
    refreshing = true;
    ui->spinBoxBegginAddr->setValue(0);
    ui->spinBoxCurrentAddr->setValue(0);
    refreshing = wasRefreshing;
}

// Each interval box stores its own byte: the other one stays as the image has it,
// even where its box could not show it.
void DeviceSetting_3_Window::on_spinBoxIntervalArchiv_valueChanged(int arg1)
{
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    f.archiveIntervals[0] = quint8(arg1);
}

void DeviceSetting_3_Window::on_spinBoxIntervalArchiv_2_valueChanged(int arg1)
{
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    f.archiveIntervals[1] = quint8(arg1);
}

void DeviceSetting_3_Window::on_spinBoxSerialNumber_valueChanged(const QString& arg1)
{
    DeviceFields f;
    if (refreshing || !deviceFields(&f))
        return;
    bool ok = false;
    const qulonglong value = arg1.toULongLong(&ok);
    *f.serialNumber = ok ? quint32(value) : 0;
}
