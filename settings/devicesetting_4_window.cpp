#include "devicesetting_4_window.h"

#include "command.h"
#include "correctiontables.h"
#include "devicesetting_1_window.h"
#include "dialogs.h"
#include "embeddedpage.h"
#include "modeltraits.h"
#include "optiontables.h"
#include "rounding.h"
#include "sensorkinds.h"
#include "ui_devicesetting_4_window.h"
#include "unitlist.h"
#include "units.h"

#include <QKeyEvent>

#include <cmath>

namespace
{

constexpr quint16 ClassicLimitRawMax = 0x7FFF;      // bit 15 carries the direction
constexpr quint16 ClassicProtectionRawMax = 0x7FFF; // bit 7 of rloadIndex is the on/off bit
constexpr quint16 ClassicRawMax = 0xFFFF;
constexpr double TemperatureLimit = 327.67; // x 100 must fit i16

bool classic()
{
    return command.registerMap == ClassicMap;
}
bool extended()
{
    return command.registerMap == ExtendedMap;
}

bool t6Family(quint16 model)
{
    return traitsOf(model).group == ModelGroup::T6;
}
bool fourChannelFamily(quint16 model)
{
    return model == ModelT6M || model == ModelT6M4 || model == ModelT8M;
}

void fillCombo(QComboBox* combo, const char* const* names, int count)
{
    combo->clear();
    for (int i = 0; i < count; ++i)
        combo->addItem(QString::fromUtf8(names[i]));
}

} // namespace

DeviceSetting_4_Window::DeviceSetting_4_Window(QWidget* parent)
    : QDialog(parent), ui(new Ui::DeviceSetting_4_Window)
{
    refreshGuard = 0;
    coefficientRefresh = 1;
    ui->setupUi(this);

    fillCombo(ui->comboBoxDiscreteness, decimalFormatNames, decimalFormatNamesCount);
    fillCombo(ui->comboBoxDiscreteness_2, decimalFormatNames, decimalFormatNamesCount);
    ui->comboBoxUnitMeas_Calib->addItem(QString::fromUtf8(unitNames[2]));
    ui->comboBoxUnitMeas_Calib->addItem(QString::fromUtf8(unitNames[3]));

    const quint16 model = command.modelCode;
    if (t6Family(model) || model == ModelT2Classic) {
        fillCombo(ui->comboBoxRload, loadResistorNames, loadResistorNamesCount);
        fillCombo(ui->comboBoxRgain, gainResistorNames, gainResistorNamesCount);
        fillCombo(ui->comboBoxRF, filterResistorNames, filterResistorNamesCount);
        fillCombo(ui->comboBoxPGA, pgaGainNames, pgaGainNamesCount);
    } else if (model == ModelT2) {
        fillCombo(ui->comboBoxRgain, gainResistorSNames, gainResistorSNamesCount);
    } else if (fourChannelFamily(model)) {
        fillCombo(ui->comboBoxRgain, gainResistorNamesReduced, gainResistorNamesReducedCount);
        fillCombo(ui->comboBoxPGA, pgaGainNames4, pgaGainNames4Count);
    }
    ui->comboBoxRgain->setCurrentIndex(-1);
    fillCombo(ui->comboBoxUARTBT, baudRateNames, baudRateNamesCount);

    tables.reset(
        new CorrectionTables({ui->myTableTemp, ui->myTableSpan, ui->myTableTemp_Zero, this,
                              TemperatureLimit, CorrectionTables::Layouts::ClassicAndExtended}));
}

DeviceSetting_4_Window::~DeviceSetting_4_Window()
{
    delete ui;
}

void DeviceSetting_4_Window::keyPressEvent(QKeyEvent* event)
{
    if (!pageSwallowsKey(event))
        QDialog::keyPressEvent(event);
}

bool DeviceSetting_4_Window::editable() const
{
    return refreshGuard == 0 && (classic() || extended());
}

quint16 DeviceSetting_4_Window::classicRaw(double value, quint16 rawMaximum) const
{
    const double scale = classicScale != 0 && std::isfinite(classicScale) ? classicScale : 1.0;
    return roundedInto<quint16>(value / scale, 0, rawMaximum);
}

// ---------------------------------------------------------------- units

void DeviceSetting_4_Window::fillUnitList(int ch)
{
    firstUnit = quint16(fillChannelUnitCombo(ui->comboBoxUnitMeas, ch));
    firstBaseUnit = quint16(fillChannelBaseUnitCombo(ui->comboBoxUnitMeas_2, ch));

    ui->comboBoxUnitMeas_Calib->setCurrentIndex(
        (command.extendedChannels[ch].channelFlags & ChannelFlagBits::BldmCalibrationUnit) ? 1 : 0);
}

void DeviceSetting_4_Window::applyDisplayedUnit(int index)
{
    if (classic()) {
        quint16& f = command.classicChannels[channel].format;
        f = quint16((f & ~FormatBits::DisplayUnitMask) | ((index + firstUnit) & 3));
    } else if (extended()) {
        quint16& f = command.extendedChannels[channel].format;
        f = quint16((f & ~FormatBits::DisplayUnitMask) | ((index + firstUnit) & 3));
    } else {
        return;
    }
    showParameters(channel);
}

void DeviceSetting_4_Window::applyBaseUnit(int index)
{
    const quint16 bits = quint16(((index + firstBaseUnit) & 3) << FormatBits::BaseUnitShift);
    if (classic()) {
        quint16& f = command.classicChannels[channel].format;
        f = quint16((f & ~FormatBits::BaseUnitMask) | bits);
    } else if (extended()) {
        quint16& f = command.extendedChannels[channel].format;
        f = quint16((f & ~FormatBits::BaseUnitMask) | bits);
    } else {
        return;
    }
    showParameters(channel);
}

void DeviceSetting_4_Window::applyDecimals(int index)
{
    const quint16 bits = quint16((index & 3) << FormatBits::DecimalsShift);
    if (classic()) {
        auto& r = command.classicChannels[channel];
        r.format = quint16((r.format & ~FormatBits::DecimalsMask) | bits);
        r.displayDivisor[0] = quint16(decimalScale(r.format, 0));
    } else if (extended()) {
        auto& r = command.extendedChannels[channel];
        r.format = quint16((r.format & ~FormatBits::DecimalsMask) | bits);
        r.displayDivisor[0] = quint16(decimalScale(r.format, 0));
    } else {
        return;
    }
    showParameters(channel);
}

void DeviceSetting_4_Window::applySecondDecimals(int index)
{
    const quint16 bits = quint16((index & 3) << FormatBits::RawDecimalsShift);
    if (classic()) {
        auto& r = command.classicChannels[channel];
        r.format = quint16((r.format & ~FormatBits::RawDecimalsMask) | bits);
        r.displayDivisor[1] = quint16(decimalScale(r.format, 1));
    } else if (extended()) {
        auto& r = command.extendedChannels[channel];
        r.format = quint16((r.format & ~FormatBits::RawDecimalsMask) | bits);
        r.displayDivisor[1] = quint16(decimalScale(r.format, 1));
    } else {
        return;
    }
    showParameters(channel);
}

void DeviceSetting_4_Window::on_comboBoxUnitMeas_activated(int index)
{
    if (!editable())
        return;
    collectTables(channel); // before the scale changes and the cells are refilled
    applyDisplayedUnit(index);
}
void DeviceSetting_4_Window::on_comboBoxDiscreteness_activated(int index)
{
    if (!editable())
        return;
    collectTables(channel); // before the scale changes and the cells are refilled
    applyDecimals(index);
}
void DeviceSetting_4_Window::on_comboBoxUnitMeas_2_activated(int index)
{
    if (!editable())
        return;
    collectTables(channel); // before the scale changes and the cells are refilled
    applyBaseUnit(index);
}
void DeviceSetting_4_Window::on_comboBoxDiscreteness_2_activated(int index)
{
    if (!editable())
        return;
    collectTables(channel); // before the scale changes and the cells are refilled
    applySecondDecimals(index);
}

void DeviceSetting_4_Window::on_comboBoxUnitMeas_Calib_activated(int index)
{
    if (extended()) {
        quint32& flags = command.extendedChannels[channel].channelFlags;
        putFlag(flags, ChannelFlagBits::BldmCalibrationUnit, index != 0);
    }
}

// ---------------------------------------------------------------- refresh

void DeviceSetting_4_Window::showParameters(int ch)
{
    if (ch < 0 || ch >= ChannelSlots)
        return;
    refreshGuard = 1;
    channel = quint16(ch);
    displayFactor = command.unitFactor(ch);
    if (displayFactor == 0 || !std::isfinite(displayFactor))
        displayFactor = 1.0;

    quint16 format = 0, sensorType = 0;
    quint8 lcdFormula = 0, cellPosition = 0;
    if (classic()) {
        format = command.classicChannels[ch].format;
        sensorType = command.classicChannels[ch].sensorType;
        cellPosition = quint8(sensorType >> 12);
    } else if (extended()) {
        const auto& r = command.extendedChannels[ch];
        format = r.format;
        sensorType = r.sensorType;
        lcdFormula = r.lcdFormula;
        cellPosition = r.cellPosition;
    }

    // Step 2: layout settings.
    if (classic()) {
        ui->checkBoxReceiptLimit->hide();
        if (ui->doubleSpinBoxMolecularWeight->decimals() != 2)
            for (QDoubleSpinBox* box :
                 {ui->doubleSpinBoxMolecularWeight, ui->doubleSpinBoxLELCoeff}) {
                box->setDecimals(2);
                box->setRange(0.01, 655.35);
                box->setSingleStep(0.01);
            }
        classicScale =
            displayFactor / effectiveDivisor(command.classicChannels[ch].displayDivisor[1]);
        ui->tabWidget->setTabEnabled(3, false);
        for (QWidget* w :
             {static_cast<QWidget*>(ui->label_82), static_cast<QWidget*>(ui->comboBoxRload),
              static_cast<QWidget*>(ui->label_87), static_cast<QWidget*>(ui->comboBoxRF)})
            w->show();
        ui->label_34->hide();
        ui->spinBoxFilMiddleCount->hide();
    } else if (extended()) {
        ui->checkBoxReceiptLimit->show();
        if (ui->doubleSpinBoxMolecularWeight->decimals() != 4)
            for (QDoubleSpinBox* box :
                 {ui->doubleSpinBoxMolecularWeight, ui->doubleSpinBoxLELCoeff}) {
                box->setDecimals(4);
                box->setRange(0.0001, 99999);
                box->setSingleStep(0.0001);
            }
        ui->tabWidget->setTabEnabled(3, true);
        for (QWidget* w :
             {static_cast<QWidget*>(ui->label_82), static_cast<QWidget*>(ui->comboBoxRload),
              static_cast<QWidget*>(ui->label_87), static_cast<QWidget*>(ui->comboBoxRF)})
            w->hide();
        ui->label_34->show();
        ui->spinBoxFilMiddleCount->show();
    }

    fillUnitList(ch);
    showKind(format, sensorType);

    // Step 8: LCD formula entry.
    if (classic()) {
        int index = 0;
        if (format & (1u << 13))
            index = 1;
        else if (format & (1u << 14))
            index = 2;
        else if (format & (1u << 15))
            index = 3;
        ui->comboBoxConfigFormula->setCurrentIndex(index);
    } else if (extended()) {
        ui->comboBoxConfigFormula->setCurrentIndex(lcdFormula >= 1 && lcdFormula <= 4 ? lcdFormula
                                                                                      : 0);
    }
    if (fourChannelFamily(command.modelCode))
        ui->comboBoxConfigChan_Pos->setCurrentIndex(
            cellPosition < ui->comboBoxConfigChan_Pos->count() ? cellPosition : -1);

    ui->comboBoxDiscreteness->setCurrentIndex(decimalsOf(format));
    ui->comboBoxDiscreteness_2->setCurrentIndex(rawDecimalsOf(format));

    showFields();
    tables->fill(channel);
    refreshGuard = 0;
}

void DeviceSetting_4_Window::showKind(quint16 format, quint16 sensorType)
{
    const quint16 model = command.modelCode;
    const int ch = channel;

    // Step 4: reset.
    ui->comboBoxConfigChan->clear();
    ui->comboBoxConfigChan_Pos->clear();
    ui->comboBoxConfigChan_Pos->hide();
    ui->label_41->hide();
    ui->groupBox_5->show();
    ui->checkBox->show();
    ui->comboBoxConfigFormula->hide();
    if (coefficientRefresh == 1) {
        ui->label_Coef_Belead_Calib->hide();
        ui->doubleSpinBoxCoef_Belead_Calib->hide();
    }
    ui->WidgetMeasureCircuitResistor->hide();
    ui->WidgetMeasureCircuitBias->hide();
    ui->WidgetMeasureCircuitPGA->hide();
    ui->WidgetMeasureCircuit_2->hide();
    ui->tabWidget_param_2->show();
    for (int i = 0; i < 3; ++i)
        ui->tabWidget_param_2->setTabEnabled(i, false);

    // Step 5: the model part.
    for (KindEntry entry : kindEntries(model, command.registerMap, ch))
        ui->comboBoxConfigChan->addItem(tr(kindEntrySource(entry)));
    ui->comboBoxConfigChan->setCurrentIndex(
        currentKindIndex(model, command.registerMap, ch, format, sensorType));
    if (traitsOf(model).group == ModelGroup::T2) {
        ui->checkBox->hide();
        ui->tabWidget_param_2->setTabEnabled(0, true);
        ui->WidgetMeasureCircuitResistor->show();
        if (model == ModelT2Classic) {
            ui->WidgetMeasureCircuitBias->show();
            ui->WidgetMeasureCircuitPGA->show();
        }
    }
    // The PGA row shows the gain list unless a DYNAMENT module turns it into the range.
    ui->label_84->setText(tr("PGA:"));
    if (fourChannelFamily(model))
        fillCombo(ui->comboBoxPGA, pgaGainNames4, pgaGainNames4Count);
    else if (t6Family(model) || model == ModelT2Classic)
        fillCombo(ui->comboBoxPGA, pgaGainNames, pgaGainNamesCount);

    if (t6Family(model) || fourChannelFamily(model)) {
        ui->comboBoxConfigFormula->show();
        ui->comboBoxConfigFormula->clear();
        ui->comboBoxConfigFormula->addItem(tr("Нет"));
        if (t6Family(model) || model == ModelT6M4) {
            if (ch == 0)
                ui->comboBoxConfigFormula->addItem(QStringLiteral("CO"));
            else if (ch == 1)
                ui->comboBoxConfigFormula->addItem(QStringLiteral("H2S"));
            else if (ch == 2)
                ui->comboBoxConfigFormula->addItem(QStringLiteral("O2"));
            else if (ch == 3)
                ui->comboBoxConfigFormula->addItems({QStringLiteral("CH"), QStringLiteral("CH2"),
                                                     QStringLiteral("H2"), QStringLiteral("CO2")});
        }
    }
    if (fourChannelFamily(model)) {
        ui->comboBoxConfigChan_Pos->show();
        ui->label_41->show();
        for (int i = 1; i <= (model == ModelT8M ? 6 : 4); ++i)
            ui->comboBoxConfigChan_Pos->addItem(tr("Ячейка %1").arg(i));
        ui->comboBoxConfigChan_Pos->addItem(tr("Откл"));
    }

    // Step 6: rows of the kind.
    const bool classicLayout = classic();
    if ((t6Family(model) && ch == 2) || (format & FormatBits::KindOxygen)) {
        ui->tabWidget_param_2->setTabEnabled(0, true);
        ui->WidgetMeasureCircuitPGA->show();
    } else if (format & FormatBits::KindPid) {
        ui->tabWidget_param_2->setTabEnabled(0, true);
        ui->tabWidget_param_2->setTabEnabled(1, true);
        ui->WidgetMeasureCircuitPGA->show();
        ui->WidgetMeasureCircuit_2->show();
        ui->WidgetPIDParam->show();
        ui->WidgetMaxRange->hide();
        ui->WidgetCalibMeasBLDM->hide();
    } else if (format & FormatBits::KindModule) {
        ui->tabWidget_param_2->hide();
        if (t6Family(model))
            ui->groupBox_5->setVisible(!classicLayout);
        if (sensorType & (1u << 2)) {
            ui->tabWidget_param_2->show();
            ui->tabWidget_param_2->setTabEnabled(0, true);
            ui->WidgetMeasureCircuitPGA->show();
            ui->label_84->setText(tr("RANGE:"));
            fillCombo(ui->comboBoxPGA, rangeNames, rangeNamesCount);
        } else if (sensorType & (1u << 3)) {
            ui->label_95->setText(tr("Изм-е ед. изм. сенсора:"));
            ui->tabWidget_param_2->show();
            ui->tabWidget_param_2->setTabEnabled(1, true);
            ui->tabWidget_param_2->setCurrentIndex(1);
            ui->tabWidget_param_2->setTabEnabled(2, true);
            ui->WidgetMeasureCircuit_2->show();
            ui->WidgetMaxRange->show();
            ui->WidgetCalibMeasBLDM->hide();
            ui->WidgetPIDParam->hide();
        } else if (sensorType & (1u << 4)) {
            ui->label_95->setText(tr("Изм-е ед. изм. сенсора:"));
            ui->label_Coef_Belead_Calib->show();
            ui->doubleSpinBoxCoef_Belead_Calib->show();
            ui->tabWidget_param_2->show();
            ui->tabWidget_param_2->setTabEnabled(1, true);
            ui->tabWidget_param_2->setCurrentIndex(1);
            ui->WidgetMeasureCircuit_2->show();
            ui->WidgetMaxRange->show();
            ui->WidgetCalibMeasBLDM->show();
            ui->WidgetPIDParam->hide();
        }
    } else if (format & FormatBits::KindThermocatalytic) {
        ui->tabWidget_param_2->setTabEnabled(0, true);
        ui->tabWidget_param_2->setTabEnabled(1, true);
        ui->WidgetMeasureCircuitPGA->show();
        ui->WidgetMeasureCircuit_2->show();
        ui->label_95->setText(tr("Защита ТК сенсора:"));
        ui->WidgetMaxRange->show();
        ui->WidgetCalibMeasBLDM->hide();
        ui->WidgetPIDParam->hide();
    } else {
        ui->tabWidget_param_2->setTabEnabled(0, true);
        ui->WidgetMeasureCircuitResistor->show();
        ui->WidgetMeasureCircuitBias->show();
        ui->WidgetMeasureCircuitPGA->show();
    }

    // Step 7: model rules after the kind.
    if (model == ModelT2) {
        ui->WidgetMeasureCircuitBias->hide();
        ui->WidgetMeasureCircuitPGA->hide();
    }
    if ((model == ModelT6B || model == ModelT6Mini) && !(sensorType & (1u << 2))) {
        ui->tabWidget_param_2->setTabEnabled(0, false);
        ui->WidgetMeasureCircuitResistor->hide();
        ui->WidgetMeasureCircuitBias->hide();
        ui->WidgetMeasureCircuitPGA->hide();
    }
}

void DeviceSetting_4_Window::showFields()
{
    const int ch = channel;
    quint16 format = 0;
    double maximum = 0;
    quint32 flags = 0;
    if (classic()) {
        format = command.classicChannels[ch].format;
        maximum = 65535.0 / effectiveDivisor(command.classicChannels[ch].displayDivisor[0]);
        flags = command.classicChannels[ch].channelFlags;
    } else if (extended()) {
        format = command.extendedChannels[ch].format;
        maximum = 99999.9 / effectiveDivisor(command.extendedChannels[ch].displayDivisor[0]);
        flags = command.extendedChannels[ch].channelFlags;
    }
    const int decimals = decimalsOf(format);
    const QString suffix =
        QStringLiteral(" ") + QString::fromUtf8(optionName(unitNames, displayUnitOf(format)));
    for (QDoubleSpinBox* box :
         {ui->doubleSpinBoxLim_1, ui->doubleSpinBoxLim_2, ui->doubleSpinBoxLim_3,
          ui->doubleSpinBoxLim_4, ui->doubleSpinBoxHist_1, ui->doubleSpinBoxDeadZone,
          ui->doubleSpinBoxDeadZone_2, ui->doubleSpinBoxLimitSTEL, ui->doubleSpinBoxLimitTWA,
          ui->doubleSpinBoxSensorProtection, ui->doubleSpinBoxConcCalibrGasCalc}) {
        box->setDecimals(decimals);
        box->setMaximum(maximum);
        box->setSuffix(suffix);
    }
    ui->checkBoxRangeCalibLim->setChecked(flags & ChannelFlagBits::RangeLimitInForce);
    ui->checkBoxAutoCalibZero->setChecked(flags & ChannelFlagBits::AutoZero);

    if (classic()) {
        const auto& r = command.classicChannels[ch];
        const double s = classicScale;
        ui->doubleSpinBoxNumFormulaGas->setValue(r.formulaGasNumber);
        ui->checkBox->setChecked(r.channelPage == ch);
        on_checkBox_stateChanged(r.channelPage == ch ? Qt::Checked : Qt::Unchecked);
        ui->lineEditMolecularForm->setText(imageText(r.gasFormula, sizeof r.gasFormula));
        if (coefficientRefresh == 1) {
            ui->doubleSpinBoxMolecularWeight->setValue(double(r.molecularWeight));
            ui->doubleSpinBoxLELCoeff->setValue(double(r.lelCoefficient));
        }
        const quint16 limits[3] = {r.limit1, r.limit2, r.limit3};
        QCheckBox* directions[3] = {ui->checkBoxLim1IncDec, ui->checkBoxLim2IncDec,
                                    ui->checkBoxLim3IncDec};
        for (int i = 0; i < 3; ++i) {
            directions[i]->setChecked(!(limits[i] & ClassicLimitFalling));
            setDirectionBox(i, (limits[i] & ClassicLimitFalling) ? 0 : 2);
        }
        ui->doubleSpinBoxLim_1->setValue((r.limit1 & ClassicLimitValueMask) * s);
        ui->doubleSpinBoxLim_2->setValue((r.limit2 & ClassicLimitValueMask) * s);
        ui->doubleSpinBoxLim_3->setValue((r.limit3 & ClassicLimitValueMask) * s);
        ui->doubleSpinBoxLim_4->setValue(r.limit4 * s);
        ui->doubleSpinBoxHist_1->setValue(r.hysteresis * s);
        ui->doubleSpinBoxDeadZone->setValue(r.deadZone * s);
        ui->doubleSpinBoxDeadZone_2->setValue(r.deadZone2 * s);
        ui->spinBoxIntervalCalib->setValue(r.calibrationInterval);
        ui->spinBoxIntervalBump->setValue(command.classicDevice.bumpTestInterval);
        ui->spinBoxIntervalStel->setValue(
            stelMinutesFromTicks(r.stelInterval, command.secondsPerTick));
        ui->doubleSpinBoxLimitSTEL->setValue(r.stel * s);
        ui->doubleSpinBoxLimitTWA->setValue(r.twa * s);
        ui->doubleSpinBoxRangeCalibLim->setValue(r.rangeCalibrationLimit);
        ui->doubleSpinBoxRangeCalibLim->setEnabled(r.channelFlags &
                                                   ChannelFlagBits::RangeLimitInForce);
        ui->comboBoxPGA->setCurrentIndex(r.pgaIndex < ui->comboBoxPGA->count() ? r.pgaIndex : -1);
        ui->comboBoxRload->setCurrentIndex(r.rloadIndex < ui->comboBoxRload->count() ? r.rloadIndex
                                                                                     : -1);
        ui->comboBoxRgain->setCurrentIndex(r.rgainIndex < ui->comboBoxRgain->count() ? r.rgainIndex
                                                                                     : -1);
        ui->comboBoxRF->setCurrentIndex(r.rfIndex < ui->comboBoxRF->count() ? r.rfIndex : -1);
        ui->spinBoxZeroADC->setValue(r.zeroAdc);
        ui->spinBoxSpanADC->setValue(r.spanAdc);
        const int protection = ((r.rloadIndex & ~ClassicSensorProtectionBit) << 8) | r.rgainIndex;
        ui->doubleSpinBoxSensorProtection->setValue(protection * s);
        const bool protectionOn = r.rloadIndex & ClassicSensorProtectionBit;
        ui->checkBoxSensorProtection->setChecked(protectionOn);
        on_checkBoxSensorProtection_stateChanged(protectionOn ? Qt::Checked : Qt::Unchecked);
        ui->spinBoxPidPeriod->setValue(r.spanAdc);
        ui->spinBoxPidWarm->setValue(r.zeroAdc & 0xFF);
        ui->spinBoxPidRead->setValue(r.zeroAdc >> 8);
        ui->doubleSpinBoxConcCalibrGasCalc->setValue(r.calibrationConcentration * s);
        ui->doubleSpinBoxADC_Zero->setValue(r.adcZeroPoint);
        ui->doubleSpinBoxADC_Calib_Value->setValue(r.adcSpanPoint);
        ui->doubleSpinBoxPrescaler_Calib->setValue(double(r.calibrationCoefficient));
    } else if (extended()) {
        const auto& r = command.extendedChannels[ch];
        const double s = displayFactor;
        ui->doubleSpinBoxNumFormulaGas->setValue(r.formulaGasNumber);
        ui->checkBox->setChecked(r.channelPage == ch);
        on_checkBox_stateChanged(r.channelPage == ch ? Qt::Checked : Qt::Unchecked);
        ui->lineEditSerialNum->setText(imageText(r.sensorSerial, sizeof r.sensorSerial));
        ui->lineEditMolecularForm->setText(imageText(r.gasFormula, sizeof r.gasFormula));
        if (coefficientRefresh == 1) {
            ui->doubleSpinBoxMolecularWeight->setValue(double(r.molecularWeight));
            ui->doubleSpinBoxLELCoeff->setValue(double(r.lelCoefficient));
            ui->doubleSpinBoxCoef_Belead_Calib->setValue(r.spanAdc / 10000.0);
            ui->doubleSpinBoxCorr_Coef->setValue(r.correctionCoefficient / 1000.0);
        }
        ui->checkBoxReceiptLimit->setChecked(r.channelFlags & ChannelFlagBits::LimitsReceipt);
        QCheckBox* directions[3] = {ui->checkBoxLim1IncDec, ui->checkBoxLim2IncDec,
                                    ui->checkBoxLim3IncDec};
        for (int i = 0; i < 3; ++i) {
            const bool falling = r.channelFlags & (ChannelFlagBits::Limit1Falling << i);
            directions[i]->setChecked(!falling);
            setDirectionBox(i, falling ? 0 : 2);
        }
        ui->doubleSpinBoxLim_1->setValue(double(r.limit1) * s);
        ui->doubleSpinBoxLim_2->setValue(double(r.limit2) * s);
        ui->doubleSpinBoxLim_3->setValue(double(r.limit3) * s);
        ui->doubleSpinBoxLim_4->setValue(double(r.limit4) * s);
        ui->doubleSpinBoxHist_1->setValue(double(r.hysteresis) * s);
        ui->doubleSpinBoxDeadZone->setValue(double(r.deadZone) * s);
        ui->doubleSpinBoxDeadZone_2->setValue(double(r.deadZone2) * s);
        ui->spinBoxIntervalCalib->setValue(r.calibrationInterval);
        ui->spinBoxIntervalBump->setValue(command.extendedDevice.bumpTestInterval);
        ui->spinBoxIntervalStel->setValue(
            stelMinutesFromTicks(r.stelInterval, command.secondsPerTick));
        ui->doubleSpinBoxLimitSTEL->setValue(double(r.stel) * s);
        ui->doubleSpinBoxLimitTWA->setValue(double(r.twa) * s);
        const bool rangeLimit = r.channelFlags & ChannelFlagBits::RangeLimitInForce;
        ui->checkBoxRangeCalibLim->setChecked(rangeLimit);
        on_checkBoxRangeCalibLim_stateChanged(rangeLimit ? Qt::Checked : Qt::Unchecked);
        ui->doubleSpinBoxRangeCalibLim->setValue(r.rangeCalibrationLimit);
        ui->spinBoxTimeWarm->setValue(r.warmUpTime);
        ui->spinBoxFilMiddleCount->setValue(r.averagingCount);
        ui->comboBoxPGA->setCurrentIndex(r.pgaIndex < ui->comboBoxPGA->count() ? r.pgaIndex : -1);
        ui->comboBoxRgain->setCurrentIndex(r.rgainIndex < ui->comboBoxRgain->count() ? r.rgainIndex
                                                                                     : -1);
        ui->spinBoxZeroADC->setValue(r.zeroAdc);
        ui->spinBoxSpanADC->setValue(r.spanAdc);
        ui->doubleSpinBoxSensorProtection->setValue(double(r.sensorProtection) * s);
        const bool protectionOn = r.channelFlags & ChannelFlagBits::SensorProtection;
        ui->checkBoxSensorProtection->setChecked(protectionOn);
        on_checkBoxSensorProtection_stateChanged(protectionOn ? Qt::Checked : Qt::Unchecked);
        ui->spinBoxPidPeriod->setValue(r.spanAdc);
        ui->spinBoxPidWarm->setValue(r.zeroAdc & 0xFF);
        ui->spinBoxPidRead->setValue(r.zeroAdc >> 8);
        ui->comboBoxUARTBT->setCurrentIndex(r.zeroAdc < ui->comboBoxUARTBT->count() ? r.zeroAdc
                                                                                    : -1);
        ui->doubleSpinBoxConcCalibrGasCalc->setValue(double(r.calibrationConcentration) * s);
        ui->doubleSpinBoxADC_Zero->setValue(r.adcZeroPoint);
        ui->doubleSpinBoxADC_Calib_Value->setValue(r.adcSpanPoint);
        ui->doubleSpinBoxPrescaler_Calib->setValue(double(r.calibrationCoefficient));
    }
}

// ---------------------------------------------------------------- tables

void DeviceSetting_4_Window::collectTables(int ch)
{
    if (ch < 0 || ch >= ChannelSlots)
        return;
    channel = quint16(ch);
    if (refreshGuard)
        return;
    tables->collect(ch);
}

void DeviceSetting_4_Window::on_myTableTemp_cellChanged(int row, int column)
{
    if (!refreshGuard)
        tables->storeCell(CorrectionTables::TempTable, row, column, channel);
}
void DeviceSetting_4_Window::on_myTableSpan_cellChanged(int row, int column)
{
    if (!refreshGuard)
        tables->storeCell(CorrectionTables::SpanTable, row, column, channel);
}
void DeviceSetting_4_Window::on_myTableTemp_Zero_cellChanged(int row, int column)
{
    if (!refreshGuard)
        tables->storeCell(CorrectionTables::ZeroTable, row, column, channel);
}

// ---------------------------------------------------------------- fields

void DeviceSetting_4_Window::on_pushButton_clicked()
{
    if (refreshGuard)
        return;
    // The tables the operator typed travel with the channel's blocks; the read-back
    // after the write would otherwise show the old cells again.
    tables->collect(channel);
    if (command.writeSettingsBlocks()) {
        showParameters(command.currentChannel);
        return;
    }
    dialogs::exchangeError(this);
}

void DeviceSetting_4_Window::on_lineEditSerialNum_textEdited(const QString& arg1)
{
    if (editable() && extended())
        storeImageText(command.extendedChannels[channel].sensorSerial,
                       int(sizeof command.extendedChannels[channel].sensorSerial), arg1);
}

void DeviceSetting_4_Window::on_lineEditMolecularForm_textEdited(const QString& arg1)
{
    if (!editable())
        return;
    if (classic())
        storeImageText(command.classicChannels[channel].gasFormula,
                       int(sizeof command.classicChannels[channel].gasFormula), arg1);
    else
        storeImageText(command.extendedChannels[channel].gasFormula,
                       int(sizeof command.extendedChannels[channel].gasFormula), arg1);
}

void DeviceSetting_4_Window::coefficientRerun()
{
    // The rerun refills the tables: keep what the operator typed into them first.
    tables->collect(channel);
    coefficientRefresh = 0;
    showParameters(channel);
    coefficientRefresh = 1;
}

namespace
{
// Classic coefficients keep two decimals (the register holds hundredths).
float classicCoefficient(double value)
{
    return float(roundedInto<quint16>(value * 100) / 100.0);
}
} // namespace

void DeviceSetting_4_Window::on_doubleSpinBoxMolecularWeight_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    if (classic())
        command.classicChannels[channel].molecularWeight = classicCoefficient(arg1);
    else if (extended())
        command.extendedChannels[channel].molecularWeight = float(arg1);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxLELCoeff_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    if (classic())
        command.classicChannels[channel].lelCoefficient = classicCoefficient(arg1);
    else if (extended())
        command.extendedChannels[channel].lelCoefficient = float(arg1);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxCoef_Belead_Calib_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    if (extended())
        command.extendedChannels[channel].spanAdc = roundedInto<quint16>(arg1 * 10000.0);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxCorr_Coef_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    if (extended())
        command.extendedChannels[channel].correctionCoefficient =
            roundedInto<quint16>(arg1 * 1000.0);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxNumFormulaGas_valueChanged(double arg1)
{
    if (!editable())
        return;
    const quint16 v = roundedInto<quint16>(arg1);
    if (classic())
        command.classicChannels[channel].formulaGasNumber = v;
    else
        command.extendedChannels[channel].formulaGasNumber = v;
}

// Concentration fields: 0-2 limits 1-3, 3 limit 4, 4 hysteresis, 5 dead zone,
// 6 dead zone 2, 7 TWA, 8 STEL, 9 calibration gas, 10 sensor protection.
void DeviceSetting_4_Window::storeConcentration(int which, double value)
{
    if (!editable())
        return;
    if (classic()) {
        auto& r = command.classicChannels[channel];
        if (which <= 2) {
            quint16* limit[3] = {&r.limit1, &r.limit2, &r.limit3};
            *limit[which] = quint16((*limit[which] & ClassicLimitFalling) |
                                    classicRaw(value, ClassicLimitRawMax));
            return;
        }
        if (which == 10) {
            const quint16 raw = classicRaw(value, ClassicProtectionRawMax);
            r.rloadIndex = quint8((r.rloadIndex & ClassicSensorProtectionBit) | (raw >> 8));
            r.rgainIndex = quint8(raw & 0xFF);
            return;
        }
        quint16* fields[] = {nullptr,     nullptr,      nullptr, &r.limit4, &r.hysteresis,
                             &r.deadZone, &r.deadZone2, &r.twa,  &r.stel,   &r.calibrationGas};
        *fields[which] = classicRaw(value, ClassicRawMax);
        return;
    }
    auto& r = command.extendedChannels[channel];
    float* fields[] = {&r.limit1,     &r.limit2,         &r.limit3,          &r.limit4,
                       &r.hysteresis, &r.deadZone,       &r.deadZone2,       &r.twa,
                       &r.stel,       &r.calibrationGas, &r.sensorProtection};
    *fields[which] = float(value / displayFactor);
}

void DeviceSetting_4_Window::on_doubleSpinBoxLim_1_valueChanged(double arg1)
{
    storeConcentration(0, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLim_2_valueChanged(double arg1)
{
    storeConcentration(1, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLim_3_valueChanged(double arg1)
{
    storeConcentration(2, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLim_4_valueChanged(double arg1)
{
    storeConcentration(3, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxHist_1_valueChanged(double arg1)
{
    storeConcentration(4, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxDeadZone_valueChanged(double arg1)
{
    storeConcentration(5, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxDeadZone_2_valueChanged(double arg1)
{
    storeConcentration(6, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLimitTWA_valueChanged(double arg1)
{
    storeConcentration(7, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLimitSTEL_valueChanged(double arg1)
{
    storeConcentration(8, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxConcCalibrGasCalc_valueChanged(double arg1)
{
    storeConcentration(9, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxSensorProtection_valueChanged(double arg1)
{
    storeConcentration(10, arg1);
}

void DeviceSetting_4_Window::setDirectionBox(int which, int state)
{
    static const char* const rising[3] = {QT_TR_NOOP("П1. Возр."), QT_TR_NOOP("П2. Возр."),
                                          QT_TR_NOOP("П3. Возр.")};
    static const char* const falling[3] = {QT_TR_NOOP("П1. Убыв."), QT_TR_NOOP("П2. Убыв."),
                                           QT_TR_NOOP("П3. Убыв.")};
    QCheckBox* boxes[3] = {ui->checkBoxLim1IncDec, ui->checkBoxLim2IncDec, ui->checkBoxLim3IncDec};
    boxes[which]->setText(tr(state ? rising[which] : falling[which]));
    if (!editable())
        return;
    if (classic()) {
        auto& r = command.classicChannels[channel];
        quint16* limit[3] = {&r.limit1, &r.limit2, &r.limit3};
        putFlag(*limit[which], ClassicLimitFalling, !state);
    } else {
        putFlag(command.extendedChannels[channel].channelFlags,
                ChannelFlagBits::Limit1Falling << which, state == 0);
    }
}

void DeviceSetting_4_Window::on_checkBoxLim1IncDec_stateChanged(int arg1)
{
    setDirectionBox(0, arg1);
}
void DeviceSetting_4_Window::on_checkBoxLim2IncDec_stateChanged(int arg1)
{
    setDirectionBox(1, arg1);
}
void DeviceSetting_4_Window::on_checkBoxLim3IncDec_stateChanged(int arg1)
{
    setDirectionBox(2, arg1);
}

void DeviceSetting_4_Window::on_spinBoxIntervalStel_valueChanged(int arg1)
{
    if (!editable())
        return;
    const quint16 ticks = stelTicksFromMinutes(arg1, command.secondsPerTick);
    if (classic())
        command.classicChannels[channel].stelInterval = ticks;
    else
        command.extendedChannels[channel].stelInterval = ticks;
}

void DeviceSetting_4_Window::on_spinBoxIntervalCalib_valueChanged(int arg1)
{
    if (!editable())
        return;
    if (classic())
        command.classicChannels[channel].calibrationInterval = quint16(arg1);
    else
        command.extendedChannels[channel].calibrationInterval = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxIntervalBump_valueChanged(int arg1)
{
    if (!editable())
        return;
    if (classic())
        command.classicDevice.bumpTestInterval = quint16(arg1);
    else
        command.extendedDevice.bumpTestInterval = quint16(arg1);
}

void DeviceSetting_4_Window::on_checkBoxReceiptLimit_stateChanged(int arg1)
{
    if (refreshGuard)
        return;
    putFlag(command.extendedChannels[channel].channelFlags, ChannelFlagBits::LimitsReceipt,
            arg1 != 0);
    ui->checkBoxReceiptLimit->setChecked(arg1 != 0);
}

void DeviceSetting_4_Window::on_checkBoxRangeCalibLim_stateChanged(int arg1)
{
    ui->doubleSpinBoxRangeCalibLim->setEnabled(arg1 != 0);
    ui->checkBoxRangeCalibLim->setText(arg1 ? tr("Вкл.") : tr("Выкл."));
    if (!editable())
        return;
    if (classic()) {
        quint32 flags = command.classicChannels[channel].channelFlags;
        flags &= ~ChannelFlagBits::SetupChanged;
        putFlag(flags, ChannelFlagBits::RangeLimitInForce, arg1 != 0);
        command.classicChannels[channel].channelFlags = quint16(flags);
    } else {
        quint32& flags = command.extendedChannels[channel].channelFlags;
        flags &= ~ChannelFlagBits::SetupChanged;
        putFlag(flags, ChannelFlagBits::RangeLimitInForce, arg1 != 0);
    }
}

void DeviceSetting_4_Window::on_doubleSpinBoxRangeCalibLim_valueChanged(double arg1)
{
    if (!editable())
        return;
    const quint16 v = roundedInto<quint16>(arg1);
    if (classic())
        command.classicChannels[channel].rangeCalibrationLimit = v;
    else
        command.extendedChannels[channel].rangeCalibrationLimit = v;
}

void DeviceSetting_4_Window::on_checkBoxAutoCalibZero_stateChanged(int arg1)
{
    ui->checkBoxAutoCalibZero->setText(arg1 ? tr("Вкл.") : tr("Выкл."));
    if (!editable())
        return;
    if (classic()) {
        quint32 flags = command.classicChannels[channel].channelFlags;
        flags &= ~ChannelFlagBits::SetupChanged;
        putFlag(flags, ChannelFlagBits::AutoZero, arg1 != 0);
        command.classicChannels[channel].channelFlags = quint16(flags);
    } else {
        quint32& flags = command.extendedChannels[channel].channelFlags;
        flags &= ~ChannelFlagBits::SetupChanged;
        putFlag(flags, ChannelFlagBits::AutoZero, arg1 != 0);
    }
    ui->checkBoxAutoCalibZero->setChecked(arg1 != 0);
}

void DeviceSetting_4_Window::on_spinBoxTimeWarm_valueChanged(int arg1)
{
    if (refreshGuard)
        return;
    command.extendedChannels[channel].warmUpTime = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxFilMiddleCount_valueChanged(int arg1)
{
    // A refresh shows a count above 40 as 40; it must not store that back.
    if (refreshGuard)
        return;
    command.extendedChannels[channel].averagingCount = quint16(arg1);
}

void DeviceSetting_4_Window::on_checkBoxSensorProtection_stateChanged(int arg1)
{
    ui->doubleSpinBoxSensorProtection->setEnabled(arg1 != 0);
    ui->checkBoxSensorProtection->setText(arg1 ? tr("Вкл.") : tr("Выкл."));
    if (!editable())
        return;
    if (classic()) {
        quint8& b = command.classicChannels[channel].rloadIndex;
        putFlag(b, ClassicSensorProtectionBit, arg1 != 0);
    } else {
        putFlag(command.extendedChannels[channel].channelFlags, ChannelFlagBits::SensorProtection,
                arg1 != 0);
    }
}

void DeviceSetting_4_Window::on_checkBox_stateChanged(int arg1)
{
    ui->checkBox->setText(arg1 ? tr("Вкл. канал") : tr("Выкл. канал"));
    if (!editable())
        return;
    const quint16 page = arg1 ? channel : command.channelOffMarker;
    if (classic())
        command.classicChannels[channel].channelPage = page;
    else
        command.extendedChannels[channel].channelPage = page;
}

// ---------------------------------------------------------------- circuit

namespace
{
void clearCircuitFlag(quint16 ch)
{
    if (command.registerMap == ClassicMap)
        command.classicChannels[ch].channelFlags &= quint16(~ChannelFlagBits::SetupChanged);
    else
        command.extendedChannels[ch].channelFlags &= ~ChannelFlagBits::SetupChanged;
}
} // namespace

void DeviceSetting_4_Window::on_comboBoxPGA_activated(int index)
{
    if (!editable() || index < 0)
        return;
    clearCircuitFlag(channel);
    if (classic())
        command.classicChannels[channel].pgaIndex = quint8(index);
    else
        command.extendedChannels[channel].pgaIndex = quint16(index);
}

void DeviceSetting_4_Window::on_comboBoxRload_activated(int index)
{
    if (!editable() || !classic() || index < 0)
        return;
    clearCircuitFlag(channel);
    command.classicChannels[channel].rloadIndex = quint8(index);
}

void DeviceSetting_4_Window::on_comboBoxRgain_activated(int index)
{
    if (!editable() || index < 0)
        return;
    clearCircuitFlag(channel);
    if (classic())
        command.classicChannels[channel].rgainIndex = quint8(index);
    else
        command.extendedChannels[channel].rgainIndex = quint16(index);
}

void DeviceSetting_4_Window::on_comboBoxRF_activated(int index)
{
    if (!editable() || !classic() || index < 0)
        return;
    clearCircuitFlag(channel);
    command.classicChannels[channel].rfIndex = quint8(index);
}

void DeviceSetting_4_Window::on_spinBoxZeroADC_valueChanged(int arg1)
{
    if (!editable())
        return;
    clearCircuitFlag(channel);
    if (classic())
        command.classicChannels[channel].zeroAdc = quint16(arg1);
    else
        command.extendedChannels[channel].zeroAdc = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxSpanADC_valueChanged(int arg1)
{
    if (!editable())
        return;
    clearCircuitFlag(channel);
    if (classic())
        command.classicChannels[channel].spanAdc = quint16(arg1);
    else
        command.extendedChannels[channel].spanAdc = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxPidPeriod_valueChanged(int arg1)
{
    on_spinBoxSpanADC_valueChanged(arg1);
}

void DeviceSetting_4_Window::on_spinBoxPidWarm_valueChanged(int arg1)
{
    if (!editable())
        return;
    clearCircuitFlag(channel);
    quint16& w = classic() ? command.classicChannels[channel].zeroAdc
                           : command.extendedChannels[channel].zeroAdc;
    w = quint16((w & 0xFF00) | (arg1 & 0xFF));
}

void DeviceSetting_4_Window::on_spinBoxPidRead_valueChanged(int arg1)
{
    if (!editable())
        return;
    clearCircuitFlag(channel);
    quint16& w = classic() ? command.classicChannels[channel].zeroAdc
                           : command.extendedChannels[channel].zeroAdc;
    w = quint16((w & 0x00FF) | ((arg1 & 0xFF) << 8));
}

void DeviceSetting_4_Window::on_comboBoxUARTBT_activated(int index)
{
    if (!editable() || !extended() || index < 0)
        return;
    clearCircuitFlag(channel);
    command.extendedChannels[channel].zeroAdc = quint16(index);
}

void DeviceSetting_4_Window::on_doubleSpinBoxADC_Zero_valueChanged(double arg1)
{
    if (!editable())
        return;
    const quint16 v = roundedInto<quint16>(arg1);
    if (classic())
        command.classicChannels[channel].adcZeroPoint = v;
    else
        command.extendedChannels[channel].adcZeroPoint = v;
}

void DeviceSetting_4_Window::on_doubleSpinBoxADC_Calib_Value_valueChanged(double arg1)
{
    if (!editable())
        return;
    const quint16 v = roundedInto<quint16>(arg1);
    if (classic())
        command.classicChannels[channel].adcSpanPoint = v;
    else
        command.extendedChannels[channel].adcSpanPoint = v;
}

// ---------------------------------------------------------------- kind, formula, cell

void DeviceSetting_4_Window::on_comboBoxConfigChan_activated(int index)
{
    if (!editable())
        return;
    collectTables(channel); // before the scale changes and the cells are refilled
    const KindBits bits = kindChoiceBits(command.modelCode, command.registerMap, channel, index);
    if (classic()) {
        auto& r = command.classicChannels[channel];
        quint32 flags = r.channelFlags;
        applyKindBits(bits, r.format, r.sensorType, flags);
        r.channelFlags = quint16(flags);
    } else {
        auto& r = command.extendedChannels[channel];
        applyKindBits(bits, r.format, r.sensorType, r.channelFlags);
    }
    // A new kind starts with the first unit of each list, "X,X" and "X,XX".
    fillUnitList(channel);
    applyDisplayedUnit(0);
    applyDecimals(1);
    applyBaseUnit(0);
    applySecondDecimals(2);
    showParameters(channel);
}

void DeviceSetting_4_Window::on_comboBoxConfigFormula_activated(int index)
{
    if (!editable())
        return;
    if (classic()) {
        quint16& f = command.classicChannels[channel].format;
        f = quint16(f & ~FormatBits::ClassicFormulaMask);
        if (index >= 1 && index <= 3)
            f = quint16(f | (1u << (12 + index)));
    } else {
        command.extendedChannels[channel].lcdFormula = quint8(index);
    }
}

void DeviceSetting_4_Window::on_comboBoxConfigChan_Pos_activated(int index)
{
    if (index < 0)
        return;
    if (classic()) {
        quint16& k = command.classicChannels[channel].sensorType;
        k = quint16((k & 0x0FFF) | ((index & 0xF) << 12));
    } else if (extended()) {
        command.extendedChannels[channel].cellPosition = quint8(index);
    }
}
