#include "devicesetting_2_window.h"

#include "channelpage.h"
#include "command.h"
#include "embeddedpage.h"
#include "fieldguards.h"
#include "optiontables.h"
#include "rounding.h"
#include "ui_devicesetting_2_window.h"
#include "unitlist.h"

#include <QKeyEvent>

#include <cmath>

namespace
{

constexpr quint16 LelKinds = FormatBits::KindModule | FormatBits::KindThermocatalytic;

bool classic()
{
    return command.registerMap == ClassicMap;
}
bool extended()
{
    return command.registerMap == ExtendedMap;
}

} // namespace

DeviceSetting_2_Window::DeviceSetting_2_Window(QWidget* parent, int channel_)
    : QDialog(parent), ui(new Ui::DeviceSetting_2_Window), channel(quint16(channel_))
{
    ui->setupUi(this);
    ui->label_34->hide();
    ui->comboBoxDiscreteness_2->hide();
    ui->label_33->hide();
    ui->comboBoxUnitMeas_2->hide();
    setUpChannelGroup(ui->ParamSensgroupBox);
    fillDecimalsCombo(ui->comboBoxDiscreteness);
    fillDecimalsCombo(ui->comboBoxDiscreteness_2);
    PageGuard::install(this);
    showParameters(channel);
}

DeviceSetting_2_Window::~DeviceSetting_2_Window()
{
    delete ui;
}

void DeviceSetting_2_Window::keyPressEvent(QKeyEvent* event)
{
    if (!pageSwallowsKey(event))
        QDialog::keyPressEvent(event);
}

void DeviceSetting_2_Window::fillUnitList(int ch)
{
    firstUnit = quint16(fillChannelUnitCombo(ui->comboBoxUnitMeas, ch));
    firstBaseUnit = quint16(fillChannelBaseUnitCombo(ui->comboBoxUnitMeas_2, ch));
}

void DeviceSetting_2_Window::showParameters(int ch)
{
    if (ch < 0 || ch >= ChannelSlots)
        return;
    const bool wasRefreshing = refreshing;
    refreshing = true;
    const quint16 format = channelUnitWords(ch).format;
    const double maximum = concentrationMaximumOf(ch);
    if (classic() || extended()) {
        // The classic record keeps the coefficients in hundredths.
        const int coefficientDecimals = classic() ? 2 : 5;
        ui->doubleSpinBoxMolecularWeight->setDecimals(coefficientDecimals);
        ui->doubleSpinBoxLELCoeff->setDecimals(coefficientDecimals);
    }
    const int decimals = decimalsOf(format);
    const QString unitText = QString::fromLatin1(optionName(unitNames, displayUnitOf(format)));

    displayFactor = displayFactorOf(ch);
    fillUnitList(ch);

    const bool oxygen = (format & FormatBits::KindBits9to12) == FormatBits::KindOxygen;
    if (coefficientRefresh == 1) {
        const bool lel = format & LelKinds;
        const bool weight =
            !lel && ((format & FormatBits::KindPid) || !(format & FormatBits::KindOxygen));
        ui->label_38->setVisible(weight);
        ui->doubleSpinBoxMolecularWeight->setVisible(weight);
        ui->label_39->setVisible(lel);
        ui->doubleSpinBoxLELCoeff->setVisible(lel);
    }
    for (QWidget* w :
         {static_cast<QWidget*>(ui->label_17), static_cast<QWidget*>(ui->comboBoxDiscreteness),
          static_cast<QWidget*>(ui->label_18), static_cast<QWidget*>(ui->comboBoxUnitMeas)})
        w->setVisible(!oxygen);

    if (classic())
        classicScale =
            displayFactor / effectiveDivisor(command.classicChannels[ch].displayDivisor[1]);
    for (QDoubleSpinBox* box : {ui->doubleSpinBoxLim_4, ui->doubleSpinBoxHist_1}) {
        box->setDecimals(decimals);
        // Classic boxes stop where the raw value would no longer fit its register.
        box->setMaximum(classic() ? std::min(maximum, 65535.0 * classicScale) : maximum);
        box->setSuffix(QStringLiteral(" ") + unitText);
    }
    ui->comboBoxDiscreteness->setCurrentIndex(decimals < 3 ? decimals : -1);
    const int baseDecimals = rawDecimalsOf(format);
    ui->comboBoxDiscreteness_2->setCurrentIndex(baseDecimals < 3 ? baseDecimals : -1);

    QString formula;
    if (showChannelGroup(ui->ParamSensgroupBox, ch, tr("Параметры"), &formula))
        ui->lineEditMolecularForm->setText(formula);
    if (classic() || extended()) {
        // The classic record has no sensor serial, and this page stores no
        // formula number into it: both are shown, not edited, there.
        setFieldEditable(ui->lineEditSerialNum, extended());
        setFieldEditable(ui->doubleSpinBoxNumFormulaGas, extended());
    }
    if (classic()) {
        const auto& r = command.classicChannels[ch];
        ui->lineEditSerialNum->clear();
        ui->doubleSpinBoxNumFormulaGas->setValue(r.formulaGasNumber);
        ui->doubleSpinBoxLim_4->setValue(r.limit4 * classicScale);
        ui->doubleSpinBoxHist_1->setValue(r.hysteresis * classicScale);
        ui->spinBoxIntervalCalib->setValue(r.calibrationInterval);
        ui->spinBoxIntervalBump->setValue(command.classicDevice.bumpTestInterval);
        if (coefficientRefresh == 1) {
            ui->doubleSpinBoxMolecularWeight->setValue(double(r.molecularWeight));
            ui->doubleSpinBoxLELCoeff->setValue(double(r.lelCoefficient));
        }
    } else if (extended()) {
        const auto& r = command.extendedChannels[ch];
        ui->doubleSpinBoxNumFormulaGas->setValue(r.formulaGasNumber);
        ui->lineEditSerialNum->setText(imageText(r.sensorSerial, 14));
        ui->doubleSpinBoxLim_4->setValue(double(r.limit4) * displayFactor);
        ui->doubleSpinBoxHist_1->setValue(double(r.hysteresis) * displayFactor);
        ui->spinBoxIntervalCalib->setValue(r.calibrationInterval);
        ui->spinBoxIntervalBump->setValue(command.extendedDevice.bumpTestInterval);
        if (coefficientRefresh == 1) {
            ui->doubleSpinBoxMolecularWeight->setValue(double(r.molecularWeight));
            ui->doubleSpinBoxLELCoeff->setValue(double(r.lelCoefficient));
        }
    }
    refreshing = wasRefreshing;
}

void DeviceSetting_2_Window::on_lineEditSerialNum_textEdited(const QString& arg1)
{
    if (extended())
        storeImageText(command.extendedChannels[channel].sensorSerial, 14, arg1);
}

void DeviceSetting_2_Window::on_lineEditMolecularForm_textEdited(const QString& arg1)
{
    if (classic())
        storeImageText(command.classicChannels[channel].gasFormula, 10, arg1);
    else if (extended())
        storeImageText(command.extendedChannels[channel].gasFormula, 10, arg1);
}

void DeviceSetting_2_Window::on_comboBoxDiscreteness_activated(int index)
{
    if (index >= 0 && index <= 3 && storeDecimals(channel, 0, index))
        showParameters(channel);
}

void DeviceSetting_2_Window::on_comboBoxUnitMeas_activated(int index)
{
    const int unit = index + firstUnit;
    if (index >= 0 && unit <= 3 && storeDisplayedUnit(channel, unit))
        showParameters(channel);
}

void DeviceSetting_2_Window::on_comboBoxDiscreteness_2_activated(int index)
{
    if (index >= 0 && index <= 3 && storeDecimals(channel, 1, index))
        showParameters(channel);
}

void DeviceSetting_2_Window::on_comboBoxUnitMeas_2_activated(int index)
{
    const int unit = index + firstBaseUnit;
    if (index >= 0 && unit <= 3 && storeBaseUnit(channel, unit))
        showParameters(channel);
}

void DeviceSetting_2_Window::on_doubleSpinBoxMolecularWeight_valueChanged(double arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicChannels[channel].molecularWeight = classicCoefficient(arg1);
    else if (extended())
        command.extendedChannels[channel].molecularWeight = float(arg1);
    coefficientRefresh = 0;
    showParameters(channel);
    coefficientRefresh = 1;
}

void DeviceSetting_2_Window::on_doubleSpinBoxLELCoeff_valueChanged(double arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicChannels[channel].lelCoefficient = classicCoefficient(arg1);
    else if (extended())
        command.extendedChannels[channel].lelCoefficient = float(arg1);
    coefficientRefresh = 0;
    showParameters(channel);
    coefficientRefresh = 1;
}

void DeviceSetting_2_Window::on_doubleSpinBoxLim_4_valueChanged(double arg1)
{
    if (!refreshing)
        Concentration::inChannel(channel, &ClassicChannelRecord::limit4,
                                 &ExtendedChannelRecord::limit4)
            .store(arg1, classicScale, displayFactor);
}

void DeviceSetting_2_Window::on_doubleSpinBoxHist_1_valueChanged(double arg1)
{
    if (!refreshing)
        Concentration::inChannel(channel, &ClassicChannelRecord::hysteresis,
                                 &ExtendedChannelRecord::hysteresis)
            .store(arg1, classicScale, displayFactor);
}

void DeviceSetting_2_Window::on_spinBoxIntervalBump_valueChanged(int arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicDevice.bumpTestInterval = quint16(arg1);
    else if (extended())
        command.extendedDevice.bumpTestInterval = quint16(arg1);
}

void DeviceSetting_2_Window::on_spinBoxIntervalCalib_valueChanged(int arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicChannels[channel].calibrationInterval = quint16(arg1);
    else if (extended())
        command.extendedChannels[channel].calibrationInterval = quint16(arg1);
}

void DeviceSetting_2_Window::on_ParamSensgroupBox_clicked(bool checked)
{
    storeChannelOn(channel, checked);
}

void DeviceSetting_2_Window::on_doubleSpinBoxNumFormulaGas_valueChanged(double arg1)
{
    if (refreshing || !extended())
        return;
    command.extendedChannels[channel].formulaGasNumber = roundedInto<quint16>(arg1);
}
