#include "devicesetting_2_window.h"

#include "command.h"
#include "embeddedpage.h"
#include "modeltraits.h"
#include "optiontables.h"
#include "rounding.h"
#include "ui_devicesetting_2_window.h"
#include "unitlist.h"
#include "units.h"

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

quint16* formatOf(int ch)
{
    if (classic())
        return &command.classicChannels[ch].format;
    if (extended())
        return &command.extendedChannels[ch].format;
    return nullptr;
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
    // A single-channel device cannot switch its channel off here.
    if (traitsOf(command.modelCode).group == ModelGroup::T2)
        ui->ParamSensgroupBox->setCheckable(false);
    for (int i = 0; i < decimalFormatNamesCount; ++i)
        ui->comboBoxDiscreteness->addItem(QString::fromLatin1(decimalFormatNames[i]));
    for (int i = 0; i < decimalFormatNamesCount; ++i)
        ui->comboBoxDiscreteness_2->addItem(QString::fromLatin1(decimalFormatNames[i]));
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

quint16 DeviceSetting_2_Window::classicRaw(double value) const
{
    const double scale = classicScale != 0 ? classicScale : 1.0;
    return roundedInto<quint16>(value / scale);
}

void DeviceSetting_2_Window::showParameters(int ch)
{
    if (ch < 0 || ch >= ChannelSlots)
        return;
    const bool wasRefreshing = refreshing;
    refreshing = true;
    quint16 format = 0;
    double maximum = 0;
    if (classic()) {
        format = command.classicChannels[ch].format;
        maximum = 65535.0 / effectiveDivisor(command.classicChannels[ch].displayDivisor[0]);
        ui->doubleSpinBoxMolecularWeight->setDecimals(2);
        ui->doubleSpinBoxLELCoeff->setDecimals(2);
    } else if (extended()) {
        format = command.extendedChannels[ch].format;
        maximum = 99999.0 / effectiveDivisor(command.extendedChannels[ch].displayDivisor[0]);
        ui->doubleSpinBoxMolecularWeight->setDecimals(5);
        ui->doubleSpinBoxLELCoeff->setDecimals(5);
    }
    const int decimals = decimalsOf(format);
    const QString unitText = QString::fromLatin1(optionName(unitNames, displayUnitOf(format)));

    displayFactor = command.unitFactor(ch);
    // Edits divide by the factor: a damaged image must never make them store
    // inf or NaN into the device.
    if (displayFactor == 0 || !std::isfinite(displayFactor))
        displayFactor = 1.0;
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

    if (classic() || extended()) {
        const char* formula = classic() ? command.classicChannels[ch].gasFormula
                                        : command.extendedChannels[ch].gasFormula;
        const quint16 page = classic() ? command.classicChannels[ch].channelPage
                                       : command.extendedChannels[ch].channelPage;
        const QString formulaText = imageText(formula, 10);
        ui->ParamSensgroupBox->setTitle(formulaText + QStringLiteral(" ") + tr("Параметры"));
        ui->ParamSensgroupBox->setChecked(page == ch);
        ui->lineEditMolecularForm->setText(formulaText);
    }
    if (classic()) {
        const auto& r = command.classicChannels[ch];
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
    quint16* format = formatOf(channel);
    if (!format || index < 0 || index > 3)
        return;
    quint16& divisor = classic() ? command.classicChannels[channel].displayDivisor[0]
                                 : command.extendedChannels[channel].displayDivisor[0];
    *format = quint16((*format & ~FormatBits::DecimalsMask) | (index << FormatBits::DecimalsShift));
    divisor = quint16(decimalScale(*format, 0));
    showParameters(channel);
}

void DeviceSetting_2_Window::on_comboBoxUnitMeas_activated(int index)
{
    quint16* format = formatOf(channel);
    const int unit = index + firstUnit;
    if (!format || index < 0 || unit > 3)
        return;
    *format = quint16((*format & ~FormatBits::DisplayUnitMask) | unit);
    showParameters(channel);
}

void DeviceSetting_2_Window::on_comboBoxDiscreteness_2_activated(int index)
{
    quint16* format = formatOf(channel);
    if (!format || index < 0 || index > 3)
        return;
    quint16& divisor = classic() ? command.classicChannels[channel].displayDivisor[1]
                                 : command.extendedChannels[channel].displayDivisor[1];
    *format =
        quint16((*format & ~FormatBits::RawDecimalsMask) | (index << FormatBits::RawDecimalsShift));
    divisor = quint16(decimalScale(*format, 1));
    showParameters(channel);
}

void DeviceSetting_2_Window::on_comboBoxUnitMeas_2_activated(int index)
{
    quint16* format = formatOf(channel);
    const int unit = index + firstBaseUnit;
    if (!format || index < 0 || unit > 3)
        return;
    *format = quint16((*format & ~FormatBits::BaseUnitMask) | (unit << FormatBits::BaseUnitShift));
    showParameters(channel);
}

void DeviceSetting_2_Window::on_doubleSpinBoxMolecularWeight_valueChanged(double arg1)
{
    if (refreshing)
        return;
    if (classic())
        // The classic device keeps hundredths.
        command.classicChannels[channel].molecularWeight =
            float(roundedInto<quint16>(arg1 * 100)) / 100;
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
        command.classicChannels[channel].lelCoefficient =
            float(roundedInto<quint16>(arg1 * 100)) / 100;
    else if (extended())
        command.extendedChannels[channel].lelCoefficient = float(arg1);
    coefficientRefresh = 0;
    showParameters(channel);
    coefficientRefresh = 1;
}

void DeviceSetting_2_Window::on_doubleSpinBoxLim_4_valueChanged(double arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicChannels[channel].limit4 = classicRaw(arg1);
    else if (extended())
        command.extendedChannels[channel].limit4 = float(arg1 / displayFactor);
}

void DeviceSetting_2_Window::on_doubleSpinBoxHist_1_valueChanged(double arg1)
{
    if (refreshing)
        return;
    if (classic())
        command.classicChannels[channel].hysteresis = classicRaw(arg1);
    else if (extended())
        command.extendedChannels[channel].hysteresis = float(arg1 / displayFactor);
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
    const quint16 page = checked ? channel : command.channelOffMarker;
    if (classic())
        command.classicChannels[channel].channelPage = page;
    else if (extended())
        command.extendedChannels[channel].channelPage = page;
}

void DeviceSetting_2_Window::on_doubleSpinBoxNumFormulaGas_valueChanged(double arg1)
{
    if (refreshing || !extended())
        return;
    command.extendedChannels[channel].formulaGasNumber = roundedInto<quint16>(arg1);
}
