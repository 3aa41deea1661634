#include "devicesetting_1_window.h"

#include "channelpage.h"
#include "command.h"
#include "embeddedpage.h"
#include "fieldguards.h"
#include "optiontables.h"
#include "rounding.h"
#include "ui_devicesetting_1_window.h"
#include "unitlist.h"

#include <QKeyEvent>

#include <cmath>

namespace
{

constexpr quint16 ClassicRawMax = 0xFFFF;

bool classic()
{
    return command.registerMap == ClassicMap;
}
bool extended()
{
    return command.registerMap == ExtendedMap;
}

// Limit `which` (0-2) of a channel, in the record of the layout in use.
Concentration limitOf(int ch, int which)
{
    if (classic()) {
        auto& r = command.classicChannels[ch];
        quint16* limits[3] = {&r.limit1, &r.limit2, &r.limit3};
        return Concentration::limit(*limits[which]);
    }
    if (extended()) {
        auto& r = command.extendedChannels[ch];
        float* limits[3] = {&r.limit1, &r.limit2, &r.limit3};
        return Concentration::limit(*limits[which]);
    }
    return {};
}

} // namespace

int stelMinutesFromTicks(quint16 ticks, double secondsPerTick)
{
    return int(std::lround(double(ticks) * secondsPerTick));
}

quint16 stelTicksFromMinutes(int minutes, double secondsPerTick)
{
    const double tick = secondsPerTick > 0 ? secondsPerTick : 1.0;
    return roundedInto<quint16>(double(minutes) / tick);
}

DeviceSetting_1_Window::DeviceSetting_1_Window(QWidget* parent, int channel_)
    : QDialog(parent), ui(new Ui::DeviceSetting_1_Window), channel(quint16(channel_))
{
    ui->setupUi(this);
    ui->label_4->hide();
    ui->doubleSpinBoxConcCalibGas->hide();
    setUpChannelGroup(ui->ParamSensgroupBox);
    fillDecimalsCombo(ui->comboBoxDiscreteness);
    PageGuard::install(this);
    showParameters(channel);
}

DeviceSetting_1_Window::~DeviceSetting_1_Window()
{
    delete ui;
}

void DeviceSetting_1_Window::keyPressEvent(QKeyEvent* event)
{
    if (!pageSwallowsKey(event))
        QDialog::keyPressEvent(event);
}

void DeviceSetting_1_Window::fillUnitList(int ch)
{
    firstUnit = quint16(fillChannelUnitCombo(ui->comboBoxUnitMeas, ch));
}

void DeviceSetting_1_Window::showParameters(int ch)
{
    if (ch < 0 || ch >= ChannelSlots)
        return;
    refreshing = true;
    const quint16 format = channelUnitWords(ch).format;
    const double maximum = concentrationMaximumOf(ch);
    const int decimals = decimalsOf(format);
    const QString unitText = QString::fromLatin1(optionName(unitNames, displayUnitOf(format)));

    displayFactor = displayFactorOf(ch);
    fillUnitList(ch);

    const bool stelRows = !(format & FormatBits::KindBits9to12);
    const bool unitRows = (format & (FormatBits::KindBits9to12 & ~FormatBits::KindOxygen)) ||
                          !(format & FormatBits::KindOxygen);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->label_28), static_cast<QWidget*>(ui->doubleSpinBoxLimitTWA),
          static_cast<QWidget*>(ui->label_29), static_cast<QWidget*>(ui->doubleSpinBoxLimitSTEL),
          static_cast<QWidget*>(ui->label_30), static_cast<QWidget*>(ui->spinBoxIntervalStel)})
        w->setVisible(stelRows);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->label_17), static_cast<QWidget*>(ui->comboBoxDiscreteness),
          static_cast<QWidget*>(ui->label_22), static_cast<QWidget*>(ui->comboBoxUnitMeas)})
        w->setVisible(unitRows);

    if (classic()) {
        classicScale =
            displayFactor / effectiveDivisor(command.classicChannels[ch].displayDivisor[1]);
    }
    // Classic boxes stop where the raw value would no longer fit its register
    // (bits 0-14 for limits 1-3, whose bit 15 is the direction).
    const double classicLimitMax = ClassicLimitValueMask * classicScale;
    const double classicMax = ClassicRawMax * classicScale;
    struct Box {
        QDoubleSpinBox* box;
        bool limit;
    };
    const Box boxes[] = {
        {ui->doubleSpinBoxConcCalibGas, false}, {ui->doubleSpinBoxLim_1, true},
        {ui->doubleSpinBoxLim_2, true},         {ui->doubleSpinBoxLim_3, true},
        {ui->doubleSpinBoxLim_4, false},        {ui->doubleSpinBoxLimitSTEL, false},
        {ui->doubleSpinBoxLimitTWA, false}};
    for (const Box& b : boxes) {
        b.box->setDecimals(decimals);
        double boxMax = maximum;
        if (classic())
            boxMax = std::min(maximum, b.limit ? classicLimitMax : classicMax);
        b.box->setMaximum(boxMax);
        b.box->setSuffix(QStringLiteral(" ") + unitText);
    }
    ui->comboBoxDiscreteness->setCurrentIndex(decimals);

    showChannelGroup(ui->ParamSensgroupBox, ch, tr("Параметры"));
    if (classic()) {
        const auto& r = command.classicChannels[ch];
        ui->checkBoxLim1IncDec->setChecked(!(r.limit1 & ClassicLimitFalling));
        ui->checkBoxLim2IncDec->setChecked(!(r.limit2 & ClassicLimitFalling));
        ui->checkBoxLim3IncDec->setChecked(!(r.limit3 & ClassicLimitFalling));
        ui->checkBoxAutoCalibZero->setChecked(r.channelFlags & ChannelFlagBits::AutoZero);
        ui->doubleSpinBoxConcCalibGas->setValue(r.calibrationGas * classicScale);
        ui->doubleSpinBoxLim_1->setValue((r.limit1 & ClassicLimitValueMask) * classicScale);
        ui->doubleSpinBoxLim_2->setValue((r.limit2 & ClassicLimitValueMask) * classicScale);
        ui->doubleSpinBoxLim_3->setValue((r.limit3 & ClassicLimitValueMask) * classicScale);
        ui->doubleSpinBoxLim_4->setValue(r.limit4 * classicScale);
        ui->doubleSpinBoxLimitSTEL->setValue(r.stel * classicScale);
        ui->doubleSpinBoxLimitTWA->setValue(r.twa * classicScale);
        ui->spinBoxIntervalStel->setValue(
            stelMinutesFromTicks(r.stelInterval, command.secondsPerTick));
        ui->spinBoxIntervalCalib->setValue(r.calibrationInterval);
        ui->spinBoxIntervalBump->setValue(command.classicDevice.bumpTestInterval);
    } else if (extended()) {
        const auto& r = command.extendedChannels[ch];
        ui->checkBoxLim1IncDec->setChecked(!(r.channelFlags & ChannelFlagBits::Limit1Falling));
        ui->checkBoxLim2IncDec->setChecked(!(r.channelFlags & ChannelFlagBits::Limit2Falling));
        ui->checkBoxLim3IncDec->setChecked(!(r.channelFlags & ChannelFlagBits::Limit3Falling));
        ui->checkBoxAutoCalibZero->setChecked(r.channelFlags & ChannelFlagBits::AutoZero);
        ui->doubleSpinBoxConcCalibGas->setValue(double(r.calibrationGas) * displayFactor);
        ui->doubleSpinBoxLim_1->setValue(double(r.limit1) * displayFactor);
        ui->doubleSpinBoxLim_2->setValue(double(r.limit2) * displayFactor);
        ui->doubleSpinBoxLim_3->setValue(double(r.limit3) * displayFactor);
        ui->doubleSpinBoxLim_4->setValue(double(r.limit4) * displayFactor);
        ui->doubleSpinBoxLimitSTEL->setValue(double(r.stel) * displayFactor);
        ui->doubleSpinBoxLimitTWA->setValue(double(r.twa) * displayFactor);
        ui->spinBoxIntervalStel->setValue(
            stelMinutesFromTicks(r.stelInterval, command.secondsPerTick));
        ui->spinBoxIntervalCalib->setValue(r.calibrationInterval);
        ui->spinBoxIntervalBump->setValue(command.extendedDevice.bumpTestInterval);
    }
    refreshing = false;
}

void DeviceSetting_1_Window::on_comboBoxDiscreteness_activated(int index)
{
    if (index >= 0 && index <= 3 && storeDecimals(channel, 0, index))
        showParameters(channel);
}

void DeviceSetting_1_Window::on_comboBoxUnitMeas_activated(int index)
{
    const int unit = index + firstUnit;
    if (index >= 0 && unit <= 3 && storeDisplayedUnit(channel, unit))
        showParameters(channel);
}

void DeviceSetting_1_Window::storeLimit(int which, double value)
{
    if (!refreshing)
        limitOf(channel, which).store(value, classicScale, displayFactor);
}

void DeviceSetting_1_Window::setDirection(int which, bool rising)
{
    QCheckBox* boxes[3] = {ui->checkBoxLim1IncDec, ui->checkBoxLim2IncDec, ui->checkBoxLim3IncDec};
    boxes[which]->setText(rising ? tr("Возр.") : tr("Убыв."));
    if (refreshing)
        return;
    // The classic limit word keeps the direction in bit 15, the extended record
    // in channel flag bits 10-12.
    if (classic())
        putFlag(*limitOf(channel, which).raw, ClassicLimitFalling, !rising);
    else if (extended())
        putFlag(command.extendedChannels[channel].channelFlags,
                ChannelFlagBits::Limit1Falling << which, !rising);
}

void DeviceSetting_1_Window::on_doubleSpinBoxConcCalibGas_valueChanged(double arg1)
{
    if (!refreshing)
        Concentration::inChannel(channel, &ClassicChannelRecord::calibrationGas,
                                 &ExtendedChannelRecord::calibrationGas)
            .store(arg1, classicScale, displayFactor);
}

void DeviceSetting_1_Window::on_doubleSpinBoxLim_1_valueChanged(double arg1)
{
    storeLimit(0, arg1);
}
void DeviceSetting_1_Window::on_doubleSpinBoxLim_2_valueChanged(double arg1)
{
    storeLimit(1, arg1);
}
void DeviceSetting_1_Window::on_doubleSpinBoxLim_3_valueChanged(double arg1)
{
    storeLimit(2, arg1);
}
void DeviceSetting_1_Window::on_checkBoxLim1IncDec_stateChanged(int arg1)
{
    setDirection(0, arg1 != 0);
}
void DeviceSetting_1_Window::on_checkBoxLim2IncDec_stateChanged(int arg1)
{
    setDirection(1, arg1 != 0);
}
void DeviceSetting_1_Window::on_checkBoxLim3IncDec_stateChanged(int arg1)
{
    setDirection(2, arg1 != 0);
}

void DeviceSetting_1_Window::on_doubleSpinBoxLimitTWA_valueChanged(double arg1)
{
    if (!refreshing)
        Concentration::inChannel(channel, &ClassicChannelRecord::twa, &ExtendedChannelRecord::twa)
            .store(arg1, classicScale, displayFactor);
}

void DeviceSetting_1_Window::on_doubleSpinBoxLimitSTEL_valueChanged(double arg1)
{
    if (!refreshing)
        Concentration::inChannel(channel, &ClassicChannelRecord::stel, &ExtendedChannelRecord::stel)
            .store(arg1, classicScale, displayFactor);
}

void DeviceSetting_1_Window::on_spinBoxIntervalStel_valueChanged(int arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicChannels[channel].stelInterval =
            stelTicksFromMinutes(arg1, command.secondsPerTick);
    else if (extended())
        command.extendedChannels[channel].stelInterval =
            stelTicksFromMinutes(arg1, command.secondsPerTick);
}

void DeviceSetting_1_Window::on_checkBoxAutoCalibZero_stateChanged(int arg1)
{
    ui->checkBoxAutoCalibZero->setText(arg1 ? tr("Вкл.") : tr("Выкл."));
    if (refreshing)
        return;
    const auto apply = [&](auto& flags) {
        flags &= ~decltype(flags + 0)(ChannelFlagBits::SetupChanged);
        if (arg1)
            flags |= decltype(flags + 0)(ChannelFlagBits::AutoZero);
        else
            flags &= ~decltype(flags + 0)(ChannelFlagBits::AutoZero);
    };
    if (classic())
        apply(command.classicChannels[channel].channelFlags);
    else if (extended())
        apply(command.extendedChannels[channel].channelFlags);
}

void DeviceSetting_1_Window::on_ParamSensgroupBox_clicked(bool checked)
{
    storeChannelOn(channel, checked);
}
