#include "devicesetting_4_window.h"

#include "channelpage.h"
#include "command.h"
#include "correctiontables.h"
#include "devicesetting_1_window.h"
#include "dialogs.h"
#include "embeddedpage.h"
#include "fieldguards.h"
#include "modeltraits.h"
#include "optiontables.h"
#include "rounding.h"
#include "sensorkinds.h"
#include "statusline.h"
#include "ui_devicesetting_4_window.h"
#include "unitlist.h"

#include <QKeyEvent>
#include <QTabWidget>

#include <algorithm>
#include <iterator>

namespace
{

constexpr quint16 ClassicProtectionRawMax = 0x7FFF; // bit 7 of rloadIndex is the on/off bit

// The classic record keeps the cell position in sensor-type bits 12-15.
constexpr int ClassicCellShift = 12;
constexpr quint16 ClassicCellBits = 0x0FFF; // the bits a cell position keeps

// The tabs of the circuit tab widget, and the outer tab of the zero correction
// table, which only the extended record holds.
constexpr int FirstCircuitTab = 0;
constexpr int SecondCircuitTab = 1;
constexpr int UartTab = 2;
constexpr int ZeroCorrectionTab = 3;

bool t6Family(quint16 model)
{
    return traitsOf(model).group == ModelGroup::T6;
}
// The M models take any sensor kind in any cell of their board.
bool modularModel(quint16 model)
{
    return traitsOf(model).modularBoard;
}
// The T6 family and the classic T2 select every resistor of their circuit.
bool resistorCircuitModel(quint16 model)
{
    return t6Family(model) || model == ModelT2Classic;
}

void fillCombo(QComboBox* combo, const char* const* names, int count)
{
    combo->clear();
    for (int i = 0; i < count; ++i)
        combo->addItem(QString::fromUtf8(names[i]));
}

// An index the combo cannot show leaves it without a current item.
void selectIndex(QComboBox* combo, quint32 index)
{
    combo->setCurrentIndex(index < quint32(combo->count()) ? int(index) : -1);
}

// An unsigned field that is narrower in the classic record than in the extended
// one (the channel flags, the PGA and gain indexes): read widened, stored cut to
// its own width.
class UnsignedField
{
public:
    UnsignedField() = default;
    explicit UnsignedField(quint8& field) : at(&field), width(1) {}
    explicit UnsignedField(quint16& field) : at(&field), width(2) {}
    explicit UnsignedField(quint32& field) : at(&field), width(4) {}

    quint32 get() const
    {
        if (width == 1)
            return *static_cast<const quint8*>(at);
        if (width == 2)
            return *static_cast<const quint16*>(at);
        return *static_cast<const quint32*>(at);
    }
    void set(quint32 value) const
    {
        if (width == 1)
            *static_cast<quint8*>(at) = quint8(value);
        else if (width == 2)
            *static_cast<quint16*>(at) = quint16(value);
        else
            *static_cast<quint32*>(at) = value;
    }
    void put(quint32 mask, bool on) const
    {
        quint32 word = get();
        putFlag(word, mask, on);
        set(word);
    }

private:
    void* at = nullptr;
    int width = 0;
};

} // namespace

// The fields of one channel that the page shows and edits, in the record of the
// layout in use: filled once per refresh and once per stored edit. `classic` or
// `extended` points at that record (the other one is null) for what only one
// layout has, or keeps in its own way.
struct DeviceSetting_4_Window::ChannelFields {
    ClassicChannelRecord* classic = nullptr;
    ExtendedChannelRecord* extended = nullptr;
    quint16* channelPage = nullptr;
    quint16* format = nullptr;
    quint16* sensorType = nullptr;
    quint16* displayDivisor = nullptr; // [2]
    char* gasFormula = nullptr;
    int gasFormulaSize = 0;
    quint16* formulaGasNumber = nullptr;
    float* molecularWeight = nullptr;
    float* lelCoefficient = nullptr;
    quint16* zeroAdc = nullptr;
    quint16* spanAdc = nullptr;
    quint16* adcZeroPoint = nullptr;
    quint16* adcSpanPoint = nullptr;
    quint16* rangeCalibrationLimit = nullptr;
    quint16* stelInterval = nullptr;
    quint16* calibrationInterval = nullptr;
    quint16* bumpTestInterval = nullptr; // of the device block
    float* calibrationCoefficient = nullptr;
    UnsignedField channelFlags;
    UnsignedField pgaIndex;
    UnsignedField rgainIndex;
    // By ConcentrationField; the classic sensor protection has no word of its
    // own (it is split between rloadIndex and rgainIndex) and stays empty here.
    Concentration concentrations[ConcentrationFieldCount];
    // The largest concentration a box admits, before the first display divisor:
    // the extended floats reach beyond the classic words.
    double concentrationTop = 0;

    // Points at channel `ch` of the layout in use; false under a layout without
    // channel records, where the page stores nothing.
    bool select(int ch)
    {
        if (command.registerMap == ClassicMap) {
            pointAt(command.classicChannels[ch], command.classicDevice);
            classic = &command.classicChannels[ch];
            concentrationTop = 65535.0;
        } else if (command.registerMap == ExtendedMap) {
            ExtendedChannelRecord& r = command.extendedChannels[ch];
            pointAt(r, command.extendedDevice);
            extended = &r;
            concentrations[SensorProtection] = Concentration::of(r.sensorProtection);
            concentrationTop = 99999.9;
        } else {
            return false;
        }
        return true;
    }

    double concentrationMaximum() const
    {
        return concentrationTop / effectiveDivisor(displayDivisor[0]);
    }

    // Every change of the measuring circuit clears channel flag bit 2.
    void clearSetupChanged() const { channelFlags.put(ChannelFlagBits::SetupChanged, false); }

    // The classic limits carry their direction in bit 15, the extended ones in
    // channel flag bits 10-12.
    bool limitFalling(int which) const
    {
        if (classic)
            return *concentrations[Limit1 + which].raw & ClassicLimitFalling;
        return channelFlags.get() & (ChannelFlagBits::Limit1Falling << which);
    }
    void putLimitFalling(int which, bool falling) const
    {
        if (classic)
            putFlag(*concentrations[Limit1 + which].raw, ClassicLimitFalling, falling);
        else
            channelFlags.put(ChannelFlagBits::Limit1Falling << which, falling);
    }

    // The LCD formula entry: the classic record sets one of format bits 13-15 for
    // the entries 1-3 (any other entry leaves them clear), the extended one holds
    // the entry itself; what the list does not have reads as entry 0, "Нет".
    int formulaEntry() const
    {
        if (classic) {
            for (int entry = 1; entry <= 3; ++entry)
                if (*format & (1u << (FormatBits::ClassicFormulaShift + entry - 1)))
                    return entry;
            return 0;
        }
        return extended->lcdFormula >= 1 && extended->lcdFormula <= 4 ? extended->lcdFormula : 0;
    }
    void setFormulaEntry(int entry) const
    {
        if (classic) {
            *format = quint16(*format & ~FormatBits::ClassicFormulaMask);
            if (entry >= 1 && entry <= 3)
                *format = quint16(*format | (1u << (FormatBits::ClassicFormulaShift + entry - 1)));
        } else {
            extended->lcdFormula = quint8(entry);
        }
    }

    int cellPosition() const
    {
        return classic ? *sensorType >> ClassicCellShift : extended->cellPosition;
    }
    void setCellPosition(int cell) const
    {
        if (classic)
            *sensorType =
                quint16((*sensorType & ClassicCellBits) | ((cell & 0xF) << ClassicCellShift));
        else
            extended->cellPosition = quint8(cell);
    }

private:
    template <typename Record, typename Device> void pointAt(Record& r, Device& device)
    {
        channelPage = &r.channelPage;
        format = &r.format;
        sensorType = &r.sensorType;
        displayDivisor = r.displayDivisor;
        gasFormula = r.gasFormula;
        gasFormulaSize = int(sizeof r.gasFormula);
        formulaGasNumber = &r.formulaGasNumber;
        molecularWeight = &r.molecularWeight;
        lelCoefficient = &r.lelCoefficient;
        zeroAdc = &r.zeroAdc;
        spanAdc = &r.spanAdc;
        adcZeroPoint = &r.adcZeroPoint;
        adcSpanPoint = &r.adcSpanPoint;
        rangeCalibrationLimit = &r.rangeCalibrationLimit;
        stelInterval = &r.stelInterval;
        calibrationInterval = &r.calibrationInterval;
        bumpTestInterval = &device.bumpTestInterval;
        calibrationCoefficient = &r.calibrationCoefficient;
        channelFlags = UnsignedField(r.channelFlags);
        pgaIndex = UnsignedField(r.pgaIndex);
        rgainIndex = UnsignedField(r.rgainIndex);
        Concentration* c = concentrations;
        c[Limit1] = Concentration::limit(r.limit1);
        c[Limit2] = Concentration::limit(r.limit2);
        c[Limit3] = Concentration::limit(r.limit3);
        c[Limit4] = Concentration::of(r.limit4);
        c[Hysteresis] = Concentration::of(r.hysteresis);
        c[DeadZone] = Concentration::of(r.deadZone);
        c[DeadZone2] = Concentration::of(r.deadZone2);
        c[Twa] = Concentration::of(r.twa);
        c[Stel] = Concentration::of(r.stel);
        c[CalibrationConcentration] = Concentration::of(r.calibrationConcentration);
        c[CalibrationGas] = Concentration::of(r.calibrationGas);
    }
};

DeviceSetting_4_Window::DeviceSetting_4_Window(QWidget* parent)
    : QDialog(parent), ui(new Ui::DeviceSetting_4_Window)
{
    refreshGuard = 0;
    coefficientRefresh = 1;
    ui->setupUi(this);

    fillDecimalsCombo(ui->comboBoxDiscreteness);
    fillDecimalsCombo(ui->comboBoxDiscreteness_2);
    ui->comboBoxUnitMeas_Calib->addItem(QString::fromUtf8(unitNames[2]));
    ui->comboBoxUnitMeas_Calib->addItem(QString::fromUtf8(unitNames[3]));

    const quint16 model = command.modelCode;
    if (resistorCircuitModel(model)) {
        fillCombo(ui->comboBoxRload, loadResistorNames, loadResistorNamesCount);
        fillCombo(ui->comboBoxRgain, gainResistorNames, gainResistorNamesCount);
        fillCombo(ui->comboBoxRF, filterResistorNames, filterResistorNamesCount);
    } else if (model == ModelT2) {
        fillCombo(ui->comboBoxRgain, gainResistorSNames, gainResistorSNamesCount);
    } else if (modularModel(model)) {
        fillCombo(ui->comboBoxRgain, gainResistorNamesReduced, gainResistorNamesReducedCount);
    }
    fillPgaGains();
    ui->comboBoxRgain->setCurrentIndex(-1);
    fillCombo(ui->comboBoxUARTBT, baudRateNames, baudRateNamesCount);

    tables.reset(new CorrectionTables({ui->myTableTemp, ui->myTableSpan, ui->myTableTemp_Zero, this,
                                       CorrectionTables::Layouts::ClassicAndExtended}));

    // A refresh disables circuit tabs, and Qt then moves the current tab on by
    // itself; only a change outside a refresh is the technician's choice.
    std::fill(std::begin(chosenCircuitTab), std::end(chosenCircuitTab), -1);
    connect(ui->tabWidget_param_2, &QTabWidget::currentChanged, this, [this](int index) {
        if (refreshGuard == 0 && channel < ChannelSlots)
            chosenCircuitTab[channel] = index;
    });
    PageGuard::install(this);
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

bool DeviceSetting_4_Window::editableFields(ChannelFields* f) const
{
    return refreshGuard == 0 && f->select(channel);
}

// The classic sensor protection is a 15-bit raw value: its high 7 bits in
// rloadIndex (whose bit 7 switches the protection), its low 8 bits in rgainIndex.
double DeviceSetting_4_Window::shown(const ChannelFields& f, ConcentrationField field) const
{
    if (field == SensorProtection && f.classic) {
        const ClassicChannelRecord& r = *f.classic;
        return (((r.rloadIndex & ~ClassicSensorProtectionBit) << 8) | r.rgainIndex) * classicScale;
    }
    return f.concentrations[field].shown(classicScale, displayFactor);
}

void DeviceSetting_4_Window::storeConcentration(ConcentrationField field, double value)
{
    ChannelFields f;
    if (!editableFields(&f))
        return;
    if (field == SensorProtection && f.classic) {
        const quint16 raw = classicRaw(value, classicScale, ClassicProtectionRawMax);
        f.classic->rloadIndex =
            quint8((f.classic->rloadIndex & ClassicSensorProtectionBit) | (raw >> 8));
        f.classic->rgainIndex = quint8(raw & 0xFF);
        return;
    }
    f.concentrations[field].store(value, classicScale, displayFactor);
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
    if (storeDisplayedUnit(channel, index + firstUnit))
        showParameters(channel);
}

void DeviceSetting_4_Window::applyBaseUnit(int index)
{
    if (storeBaseUnit(channel, index + firstBaseUnit))
        showParameters(channel);
}

void DeviceSetting_4_Window::applyDecimals(int index)
{
    if (storeDecimals(channel, 0, index))
        showParameters(channel);
}

void DeviceSetting_4_Window::applySecondDecimals(int index)
{
    if (storeDecimals(channel, 1, index))
        showParameters(channel);
}

// A unit, decimals or kind choice changes how the table cells are shown: what the
// operator typed into them is stored before the refresh refills them. False, and
// nothing stored, while the page refreshes or under a layout without records.
bool DeviceSetting_4_Window::collectTablesForEdit()
{
    ChannelFields f;
    if (!editableFields(&f))
        return false;
    collectTables(channel);
    return true;
}

void DeviceSetting_4_Window::on_comboBoxUnitMeas_activated(int index)
{
    if (collectTablesForEdit())
        applyDisplayedUnit(index);
}
void DeviceSetting_4_Window::on_comboBoxDiscreteness_activated(int index)
{
    if (collectTablesForEdit())
        applyDecimals(index);
}
void DeviceSetting_4_Window::on_comboBoxUnitMeas_2_activated(int index)
{
    if (collectTablesForEdit())
        applyBaseUnit(index);
}
void DeviceSetting_4_Window::on_comboBoxDiscreteness_2_activated(int index)
{
    if (collectTablesForEdit())
        applySecondDecimals(index);
}

void DeviceSetting_4_Window::on_comboBoxUnitMeas_Calib_activated(int index)
{
    ChannelFields f;
    if (f.select(channel) && f.extended)
        putFlag(f.extended->channelFlags, ChannelFlagBits::BldmCalibrationUnit, index != 0);
}

// ---------------------------------------------------------------- refresh

// The circuit tabs open on the technician's last pick for this channel while the
// kind still offers it, else on the first tab the kind uses: never on a disabled
// one, which would hide the rows of the enabled tabs.
void DeviceSetting_4_Window::selectCircuitTab()
{
    QTabWidget* const tabs = ui->tabWidget_param_2;
    const int chosen = chosenCircuitTab[channel];
    if (chosen >= 0 && chosen < tabs->count() && tabs->isTabEnabled(chosen)) {
        tabs->setCurrentIndex(chosen);
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->isTabEnabled(i)) {
            tabs->setCurrentIndex(i);
            return;
        }
    }
}

void DeviceSetting_4_Window::showParameters(int ch)
{
    if (ch < 0 || ch >= ChannelSlots)
        return;
    refreshGuard = 1;
    channel = quint16(ch);
    displayFactor = displayFactorOf(ch);

    // Under a layout without channel records the page shows the rows and lists
    // of an all-zero format, and no values.
    ChannelFields f;
    const bool known = f.select(channel);
    const quint16 format = known ? *f.format : 0;
    const quint16 sensorType = known ? *f.sensorType : 0;

    if (known)
        setUpForLayout(f);
    fillUnitList(ch);
    resetKindRows();
    showKindList(format, sensorType);
    showModelRows();
    showKindRows(format, sensorType);
    hideCircuitsTheModelLacks(sensorType);
    selectCircuitTab();
    if (known)
        ui->comboBoxConfigFormula->setCurrentIndex(f.formulaEntry());
    if (modularModel(command.modelCode))
        selectIndex(ui->comboBoxConfigChan_Pos, known ? quint32(f.cellPosition()) : 0);
    ui->comboBoxDiscreteness->setCurrentIndex(decimalsOf(format));
    ui->comboBoxDiscreteness_2->setCurrentIndex(rawDecimalsOf(format));

    setUpConcentrationBoxes(format, known ? f.concentrationMaximum() : 0);
    const quint32 flags = known ? f.channelFlags.get() : 0;
    ui->checkBoxRangeCalibLim->setChecked(flags & ChannelFlagBits::RangeLimitInForce);
    ui->checkBoxAutoCalibZero->setChecked(flags & ChannelFlagBits::AutoZero);
    if (known)
        showValues(f);
    tables->fill(channel);
    refreshGuard = 0;
}

// The classic record keeps the coefficients in hundredths and the load and
// filter resistors; the extended record the coefficients in four decimals, the
// zero table, the limits' receipt and the filter length.
void DeviceSetting_4_Window::setUpForLayout(const ChannelFields& f)
{
    const bool classicLayout = f.classic != nullptr;
    ui->checkBoxReceiptLimit->setVisible(!classicLayout);
    const int decimals = classicLayout ? 2 : 4;
    if (ui->doubleSpinBoxMolecularWeight->decimals() != decimals)
        for (QDoubleSpinBox* box : {ui->doubleSpinBoxMolecularWeight, ui->doubleSpinBoxLELCoeff}) {
            const double step = classicLayout ? 0.01 : 0.0001;
            box->setDecimals(decimals);
            box->setRange(step, classicLayout ? 655.35 : 99999);
            box->setSingleStep(step);
        }
    if (classicLayout)
        classicScale = displayFactor / effectiveDivisor(f.displayDivisor[1]);
    ui->tabWidget->setTabEnabled(ZeroCorrectionTab, !classicLayout);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->label_82), static_cast<QWidget*>(ui->comboBoxRload),
          static_cast<QWidget*>(ui->label_87), static_cast<QWidget*>(ui->comboBoxRF)})
        w->setVisible(classicLayout);
    ui->label_34->setVisible(!classicLayout);
    ui->spinBoxFilMiddleCount->setVisible(!classicLayout);
    // Fields only the extended record keeps: in the classic layout they store
    // nothing that a write would send, so they are shown, not edited.
    for (QWidget* w :
         {static_cast<QWidget*>(ui->lineEditSerialNum), static_cast<QWidget*>(ui->spinBoxTimeWarm),
          static_cast<QWidget*>(ui->doubleSpinBoxCorr_Coef),
          static_cast<QWidget*>(ui->doubleSpinBoxCoef_Belead_Calib),
          static_cast<QWidget*>(ui->comboBoxUnitMeas_Calib),
          static_cast<QWidget*>(ui->comboBoxUARTBT)})
        setFieldEditable(w, !classicLayout);
}

// Every refresh starts from no circuit rows and empty kind, formula and cell lists.
void DeviceSetting_4_Window::resetKindRows()
{
    ui->comboBoxConfigChan->clear();
    ui->comboBoxConfigChan_Pos->clear();
    ui->comboBoxConfigChan_Pos->hide();
    ui->label_41->hide();
    ui->groupBox_5->show();
    ui->checkBox->show();
    ui->comboBoxConfigFormula->hide();
    // A coefficient slot's own refresh keeps the BLDM box it may have been typed into.
    if (coefficientRefresh == 1) {
        ui->label_Coef_Belead_Calib->hide();
        ui->doubleSpinBoxCoef_Belead_Calib->hide();
    }
    ui->WidgetMeasureCircuitResistor->hide();
    ui->WidgetMeasureCircuitBias->hide();
    ui->WidgetMeasureCircuitPGA->hide();
    ui->WidgetMeasureCircuit_2->hide();
    ui->tabWidget_param_2->show();
    for (int tab : {FirstCircuitTab, SecondCircuitTab, UartTab})
        ui->tabWidget_param_2->setTabEnabled(tab, false);
}

void DeviceSetting_4_Window::showKindList(quint16 format, quint16 sensorType)
{
    const quint16 model = command.modelCode;
    for (KindEntry entry : kindEntries(model, command.registerMap, channel))
        ui->comboBoxConfigChan->addItem(tr(kindEntrySource(entry)));
    ui->comboBoxConfigChan->setCurrentIndex(
        currentKindIndex(model, command.registerMap, channel, format, sensorType));
}

// What the model decides before the kind: a single-channel device cannot switch
// its channel off and always shows its resistors; the PGA row starts from the
// model's gain list; the LCD formula and cell lists.
void DeviceSetting_4_Window::showModelRows()
{
    const quint16 model = command.modelCode;
    if (traitsOf(model).group == ModelGroup::T2) {
        ui->checkBox->hide();
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, true);
        ui->WidgetMeasureCircuitResistor->show();
        if (model == ModelT2Classic) {
            ui->WidgetMeasureCircuitBias->show();
            ui->WidgetMeasureCircuitPGA->show();
        }
    }
    // A DYNAMENT module turns the PGA row into its range (showModuleRows).
    ui->label_84->setText(tr("PGA:"));
    fillPgaGains();
    fillFormulaList();
    fillCellList();
}

void DeviceSetting_4_Window::fillPgaGains()
{
    const quint16 model = command.modelCode;
    if (modularModel(model))
        fillCombo(ui->comboBoxPGA, pgaGainNames4, pgaGainNames4Count);
    else if (resistorCircuitModel(model))
        fillCombo(ui->comboBoxPGA, pgaGainNames, pgaGainNamesCount);
}

// The T6 family and the T6M4 know a gas formula for each of their four channels;
// the other M models offer "Нет" alone.
void DeviceSetting_4_Window::fillFormulaList()
{
    const quint16 model = command.modelCode;
    if (!t6Family(model) && !modularModel(model))
        return;
    ui->comboBoxConfigFormula->show();
    ui->comboBoxConfigFormula->clear();
    ui->comboBoxConfigFormula->addItem(tr("Нет"));
    if (!t6Family(model) && model != ModelT6M4)
        return;
    if (channel == 0)
        ui->comboBoxConfigFormula->addItem(QStringLiteral("CO"));
    else if (channel == 1)
        ui->comboBoxConfigFormula->addItem(QStringLiteral("H2S"));
    else if (channel == 2)
        ui->comboBoxConfigFormula->addItem(QStringLiteral("O2"));
    else if (channel == 3)
        ui->comboBoxConfigFormula->addItems({QStringLiteral("CH"), QStringLiteral("CH2"),
                                             QStringLiteral("H2"), QStringLiteral("CO2")});
}

void DeviceSetting_4_Window::fillCellList()
{
    const quint16 model = command.modelCode;
    if (!modularModel(model))
        return;
    ui->comboBoxConfigChan_Pos->show();
    ui->label_41->show();
    for (int i = 1; i <= (model == ModelT8M ? 6 : 4); ++i)
        ui->comboBoxConfigChan_Pos->addItem(tr("Ячейка %1").arg(i));
    ui->comboBoxConfigChan_Pos->addItem(tr("Откл"));
}

// The circuit rows of the kind. A channel with more than one kind bit shows the
// rows of the first line that matches, oxygen first.
void DeviceSetting_4_Window::showKindRows(quint16 format, quint16 sensorType)
{
    // The third channel of the T6 family is its oxygen channel, whatever its bits.
    if ((t6Family(command.modelCode) && channel == 2) || (format & FormatBits::KindOxygen)) {
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, true);
        ui->WidgetMeasureCircuitPGA->show();
    } else if (format & FormatBits::KindPid) {
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, true);
        ui->tabWidget_param_2->setTabEnabled(SecondCircuitTab, true);
        ui->WidgetMeasureCircuitPGA->show();
        showSecondCircuit(SecondCircuit::PidTimings);
    } else if (format & FormatBits::KindModule) {
        showModuleRows(sensorType);
    } else if (format & FormatBits::KindThermocatalytic) {
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, true);
        ui->tabWidget_param_2->setTabEnabled(SecondCircuitTab, true);
        ui->WidgetMeasureCircuitPGA->show();
        ui->label_95->setText(tr("Защита ТК сенсора:"));
        showSecondCircuit(SecondCircuit::MaxRange);
    } else {
        // An electrochemical sensor, or none: the whole first circuit.
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, true);
        ui->WidgetMeasureCircuitResistor->show();
        ui->WidgetMeasureCircuitBias->show();
        ui->WidgetMeasureCircuitPGA->show();
    }
}

// A sensor module has no circuit of the page's own, and on the classic T6 family
// no calibration-coefficient group. DYNAMENT sets its range in the PGA row, the
// BELEAD modules their unit on the second tab; MIPEX and CUBIC nothing.
void DeviceSetting_4_Window::showModuleRows(quint16 sensorType)
{
    ui->tabWidget_param_2->hide();
    if (t6Family(command.modelCode))
        ui->groupBox_5->setVisible(command.registerMap != ClassicMap);
    if (sensorType & SensorTypeBits::ModuleDynament) {
        ui->tabWidget_param_2->show();
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, true);
        ui->WidgetMeasureCircuitPGA->show();
        ui->label_84->setText(tr("RANGE:"));
        fillCombo(ui->comboBoxPGA, rangeNames, rangeNamesCount);
    } else if (sensorType & (SensorTypeBits::ModuleBeleadBlrm | SensorTypeBits::ModuleBeleadBldm)) {
        const bool bldm = !(sensorType & SensorTypeBits::ModuleBeleadBlrm);
        ui->label_95->setText(tr("Изм-е ед. изм. сенсора:"));
        if (bldm) {
            ui->label_Coef_Belead_Calib->show();
            ui->doubleSpinBoxCoef_Belead_Calib->show();
        }
        ui->tabWidget_param_2->show();
        ui->tabWidget_param_2->setTabEnabled(SecondCircuitTab, true);
        ui->tabWidget_param_2->setCurrentIndex(SecondCircuitTab);
        if (!bldm)
            ui->tabWidget_param_2->setTabEnabled(UartTab, true);
        showSecondCircuit(bldm ? SecondCircuit::MaxRangeAndBldmUnit : SecondCircuit::MaxRange);
    }
}

void DeviceSetting_4_Window::showSecondCircuit(SecondCircuit groups)
{
    ui->WidgetMeasureCircuit_2->show();
    ui->WidgetPIDParam->setVisible(groups == SecondCircuit::PidTimings);
    ui->WidgetMaxRange->setVisible(groups != SecondCircuit::PidTimings);
    ui->WidgetCalibMeasBLDM->setVisible(groups == SecondCircuit::MaxRangeAndBldmUnit);
}

// After the kind: the T2 has no bias or PGA row, and the T6B and T6 Mini set a
// circuit only with sensor-type bit 2: a sensor with bias, or for a module the
// DYNAMENT's range.
void DeviceSetting_4_Window::hideCircuitsTheModelLacks(quint16 sensorType)
{
    const quint16 model = command.modelCode;
    if (model == ModelT2) {
        ui->WidgetMeasureCircuitBias->hide();
        ui->WidgetMeasureCircuitPGA->hide();
    }
    if ((model == ModelT6B || model == ModelT6Mini) &&
        !(sensorType & SensorTypeBits::SingleChannelWithBias)) {
        ui->tabWidget_param_2->setTabEnabled(FirstCircuitTab, false);
        ui->WidgetMeasureCircuitResistor->hide();
        ui->WidgetMeasureCircuitBias->hide();
        ui->WidgetMeasureCircuitPGA->hide();
    }
}

// Every concentration box shows the channel's decimals and displayed unit, up to
// the largest value its field holds.
void DeviceSetting_4_Window::setUpConcentrationBoxes(quint16 format, double maximum)
{
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
}

void DeviceSetting_4_Window::showValues(const ChannelFields& f)
{
    showNameAndSwitch(f);
    // A coefficient slot's own refresh leaves the box being typed into alone.
    if (coefficientRefresh == 1)
        showCoefficients(f);
    if (f.extended)
        ui->checkBoxReceiptLimit->setChecked(f.extended->channelFlags &
                                             ChannelFlagBits::LimitsReceipt);
    showLimits(f);
    showRangeLimit(f);
    if (f.extended) {
        ui->spinBoxTimeWarm->setValue(f.extended->warmUpTime);
        ui->spinBoxFilMiddleCount->setValue(f.extended->averagingCount);
    }
    showCircuit(f);
    showCalibrationPoints(f);
}

void DeviceSetting_4_Window::showNameAndSwitch(const ChannelFields& f)
{
    ui->doubleSpinBoxNumFormulaGas->setValue(*f.formulaGasNumber);
    const bool on = *f.channelPage == channel;
    ui->checkBox->setChecked(on);
    on_checkBox_stateChanged(on ? Qt::Checked : Qt::Unchecked);
    if (f.extended)
        ui->lineEditSerialNum->setText(
            imageText(f.extended->sensorSerial, sizeof f.extended->sensorSerial));
    else
        ui->lineEditSerialNum->clear(); // the classic record has no sensor serial
    ui->lineEditMolecularForm->setText(imageText(f.gasFormula, f.gasFormulaSize));
}

void DeviceSetting_4_Window::showCoefficients(const ChannelFields& f)
{
    ui->doubleSpinBoxMolecularWeight->setValue(double(*f.molecularWeight));
    ui->doubleSpinBoxLELCoeff->setValue(double(*f.lelCoefficient));
    // The box types from 0.0001 up, but a stored 0 must show as 0, not as the lowest
    // value it takes; the classic record has no such coefficient at all ("—").
    QDoubleSpinBox* const bldm = ui->doubleSpinBoxCoef_Belead_Calib;
    const bool zero = !f.extended || f.extended->spanAdc == 0;
    bldm->setMinimum(zero ? 0.0 : 0.0001);
    bldm->setSpecialValueText(f.extended ? QString() : QStringLiteral("—"));
    if (!f.extended)
        bldm->setValue(0.0);
    if (f.extended) {
        bldm->setValue(f.extended->spanAdc / 10000.0);
        ui->doubleSpinBoxCorr_Coef->setValue(f.extended->correctionCoefficient / 1000.0);
    }
}

void DeviceSetting_4_Window::showLimits(const ChannelFields& f)
{
    QCheckBox* directions[3] = {ui->checkBoxLim1IncDec, ui->checkBoxLim2IncDec,
                                ui->checkBoxLim3IncDec};
    for (int i = 0; i < 3; ++i) {
        const bool falling = f.limitFalling(i);
        directions[i]->setChecked(!falling);
        setDirectionBox(i, falling ? 0 : 2);
    }
    ui->doubleSpinBoxLim_1->setValue(shown(f, Limit1));
    ui->doubleSpinBoxLim_2->setValue(shown(f, Limit2));
    ui->doubleSpinBoxLim_3->setValue(shown(f, Limit3));
    ui->doubleSpinBoxLim_4->setValue(shown(f, Limit4));
    ui->doubleSpinBoxHist_1->setValue(shown(f, Hysteresis));
    ui->doubleSpinBoxDeadZone->setValue(shown(f, DeadZone));
    ui->doubleSpinBoxDeadZone_2->setValue(shown(f, DeadZone2));
    ui->spinBoxIntervalCalib->setValue(*f.calibrationInterval);
    ui->spinBoxIntervalBump->setValue(*f.bumpTestInterval);
    ui->spinBoxIntervalStel->setValue(
        stelMinutesFromTicks(*f.stelInterval, command.secondsPerTick));
    ui->doubleSpinBoxLimitSTEL->setValue(shown(f, Stel));
    ui->doubleSpinBoxLimitTWA->setValue(shown(f, Twa));
}

void DeviceSetting_4_Window::showRangeLimit(const ChannelFields& f)
{
    const bool rangeLimit = f.channelFlags.get() & ChannelFlagBits::RangeLimitInForce;
    if (f.extended) {
        ui->checkBoxRangeCalibLim->setChecked(rangeLimit);
        on_checkBoxRangeCalibLim_stateChanged(rangeLimit ? Qt::Checked : Qt::Unchecked);
    }
    ui->doubleSpinBoxRangeCalibLim->setValue(*f.rangeCalibrationLimit);
    if (f.classic)
        ui->doubleSpinBoxRangeCalibLim->setEnabled(rangeLimit);
}

void DeviceSetting_4_Window::showCircuit(const ChannelFields& f)
{
    selectIndex(ui->comboBoxPGA, f.pgaIndex.get());
    selectIndex(ui->comboBoxRgain, f.rgainIndex.get());
    if (f.classic) {
        selectIndex(ui->comboBoxRload, f.classic->rloadIndex);
        selectIndex(ui->comboBoxRF, f.classic->rfIndex);
    }
    ui->spinBoxZeroADC->setValue(*f.zeroAdc);
    ui->spinBoxSpanADC->setValue(*f.spanAdc);
    ui->doubleSpinBoxSensorProtection->setValue(shown(f, SensorProtection));
    const bool protectionOn = f.classic
                                  ? (f.classic->rloadIndex & ClassicSensorProtectionBit)
                                  : (f.channelFlags.get() & ChannelFlagBits::SensorProtection);
    ui->checkBoxSensorProtection->setChecked(protectionOn);
    // Run directly, so that the box's enabled state follows the image even where
    // the check state did not change.
    on_checkBoxSensorProtection_stateChanged(protectionOn ? Qt::Checked : Qt::Unchecked);
    // The PID timings share the offset words: the period in spanAdc, the warm-up
    // and read times in the two bytes of zeroAdc.
    ui->spinBoxPidPeriod->setValue(*f.spanAdc);
    ui->spinBoxPidWarm->setValue(*f.zeroAdc & 0xFF);
    ui->spinBoxPidRead->setValue(*f.zeroAdc >> 8);
    if (f.extended)
        selectIndex(ui->comboBoxUARTBT, *f.zeroAdc);
}

void DeviceSetting_4_Window::showCalibrationPoints(const ChannelFields& f)
{
    ui->doubleSpinBoxConcCalibrGasCalc->setValue(shown(f, CalibrationConcentration));
    ui->doubleSpinBoxADC_Zero->setValue(*f.adcZeroPoint);
    ui->doubleSpinBoxADC_Calib_Value->setValue(*f.adcSpanPoint);
    ui->doubleSpinBoxPrescaler_Calib->setValue(double(*f.calibrationCoefficient));
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
    statusline::Outcome outcome;
    // The tables the operator typed travel with the channel's blocks; the read-back
    // after the write would otherwise show the old cells again.
    tables->collect(channel);
    if (command.writeSettingsBlocks()) {
        showParameters(command.currentChannel);
        // Offline the blocks "went out" without a byte on the line.
        if (command.connected)
            outcome.succeed(
                tr("Настройки канала %1 записаны в прибор").arg(command.currentChannel + 1));
        else
            outcome.refuse(statusline::offlineText());
        return;
    }
    dialogs::exchangeError(this);
    statusline::exchangeFailed();
}

void DeviceSetting_4_Window::on_lineEditSerialNum_textEdited(const QString& arg1)
{
    ChannelFields f;
    if (editableFields(&f) && f.extended)
        storeImageText(f.extended->sensorSerial, int(sizeof f.extended->sensorSerial), arg1);
}

void DeviceSetting_4_Window::on_lineEditMolecularForm_textEdited(const QString& arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        storeImageText(f.gasFormula, f.gasFormulaSize, arg1);
}

void DeviceSetting_4_Window::coefficientRerun()
{
    // The rerun refills the tables: keep what the operator typed into them first.
    tables->collect(channel);
    coefficientRefresh = 0;
    showParameters(channel);
    coefficientRefresh = 1;
}

void DeviceSetting_4_Window::on_doubleSpinBoxMolecularWeight_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    ChannelFields f;
    if (f.select(channel))
        *f.molecularWeight = f.classic ? classicCoefficient(arg1) : float(arg1);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxLELCoeff_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    ChannelFields f;
    if (f.select(channel))
        *f.lelCoefficient = f.classic ? classicCoefficient(arg1) : float(arg1);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxCoef_Belead_Calib_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    ChannelFields f;
    if (f.select(channel) && f.extended)
        f.extended->spanAdc = roundedInto<quint16>(arg1 * 10000.0);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxCorr_Coef_valueChanged(double arg1)
{
    if (refreshGuard)
        return;
    ChannelFields f;
    if (f.select(channel) && f.extended)
        f.extended->correctionCoefficient = roundedInto<quint16>(arg1 * 1000.0);
    coefficientRerun();
}

void DeviceSetting_4_Window::on_doubleSpinBoxNumFormulaGas_valueChanged(double arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        *f.formulaGasNumber = roundedInto<quint16>(arg1);
}

void DeviceSetting_4_Window::on_doubleSpinBoxLim_1_valueChanged(double arg1)
{
    storeConcentration(Limit1, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLim_2_valueChanged(double arg1)
{
    storeConcentration(Limit2, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLim_3_valueChanged(double arg1)
{
    storeConcentration(Limit3, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLim_4_valueChanged(double arg1)
{
    storeConcentration(Limit4, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxHist_1_valueChanged(double arg1)
{
    storeConcentration(Hysteresis, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxDeadZone_valueChanged(double arg1)
{
    storeConcentration(DeadZone, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxDeadZone_2_valueChanged(double arg1)
{
    storeConcentration(DeadZone2, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLimitTWA_valueChanged(double arg1)
{
    storeConcentration(Twa, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxLimitSTEL_valueChanged(double arg1)
{
    storeConcentration(Stel, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxConcCalibrGasCalc_valueChanged(double arg1)
{
    storeConcentration(CalibrationGas, arg1);
}
void DeviceSetting_4_Window::on_doubleSpinBoxSensorProtection_valueChanged(double arg1)
{
    storeConcentration(SensorProtection, arg1);
}

void DeviceSetting_4_Window::setDirectionBox(int which, int state)
{
    static const char* const rising[3] = {QT_TR_NOOP("П1. Возр."), QT_TR_NOOP("П2. Возр."),
                                          QT_TR_NOOP("П3. Возр.")};
    static const char* const falling[3] = {QT_TR_NOOP("П1. Убыв."), QT_TR_NOOP("П2. Убыв."),
                                           QT_TR_NOOP("П3. Убыв.")};
    QCheckBox* boxes[3] = {ui->checkBoxLim1IncDec, ui->checkBoxLim2IncDec, ui->checkBoxLim3IncDec};
    boxes[which]->setText(tr(state ? rising[which] : falling[which]));
    ChannelFields f;
    if (editableFields(&f))
        f.putLimitFalling(which, state == 0);
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
    ChannelFields f;
    if (editableFields(&f))
        *f.stelInterval = stelTicksFromMinutes(arg1, command.secondsPerTick);
}

void DeviceSetting_4_Window::on_spinBoxIntervalCalib_valueChanged(int arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        *f.calibrationInterval = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxIntervalBump_valueChanged(int arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        *f.bumpTestInterval = quint16(arg1);
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
    ChannelFields f;
    if (!editableFields(&f))
        return;
    f.channelFlags.put(ChannelFlagBits::SetupChanged, false);
    f.channelFlags.put(ChannelFlagBits::RangeLimitInForce, arg1 != 0);
}

void DeviceSetting_4_Window::on_doubleSpinBoxRangeCalibLim_valueChanged(double arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        *f.rangeCalibrationLimit = roundedInto<quint16>(arg1);
}

void DeviceSetting_4_Window::on_checkBoxAutoCalibZero_stateChanged(int arg1)
{
    ui->checkBoxAutoCalibZero->setText(arg1 ? tr("Вкл.") : tr("Выкл."));
    ChannelFields f;
    if (!editableFields(&f))
        return;
    f.channelFlags.put(ChannelFlagBits::SetupChanged, false);
    f.channelFlags.put(ChannelFlagBits::AutoZero, arg1 != 0);
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
    ChannelFields f;
    if (!editableFields(&f))
        return;
    if (f.classic)
        putFlag(f.classic->rloadIndex, ClassicSensorProtectionBit, arg1 != 0);
    else
        f.channelFlags.put(ChannelFlagBits::SensorProtection, arg1 != 0);
}

void DeviceSetting_4_Window::on_checkBox_stateChanged(int arg1)
{
    ui->checkBox->setText(arg1 ? tr("Вкл. канал") : tr("Выкл. канал"));
    if (!refreshGuard)
        storeChannelOn(channel, arg1 != 0);
}

// ---------------------------------------------------------------- circuit

void DeviceSetting_4_Window::on_comboBoxPGA_activated(int index)
{
    ChannelFields f;
    if (index < 0 || !editableFields(&f))
        return;
    f.clearSetupChanged();
    f.pgaIndex.set(quint32(index));
}

void DeviceSetting_4_Window::on_comboBoxRload_activated(int index)
{
    ChannelFields f;
    if (index < 0 || !editableFields(&f) || !f.classic)
        return;
    f.clearSetupChanged();
    f.classic->rloadIndex = quint8(index);
}

void DeviceSetting_4_Window::on_comboBoxRgain_activated(int index)
{
    ChannelFields f;
    if (index < 0 || !editableFields(&f))
        return;
    f.clearSetupChanged();
    f.rgainIndex.set(quint32(index));
}

void DeviceSetting_4_Window::on_comboBoxRF_activated(int index)
{
    ChannelFields f;
    if (index < 0 || !editableFields(&f) || !f.classic)
        return;
    f.clearSetupChanged();
    f.classic->rfIndex = quint8(index);
}

void DeviceSetting_4_Window::on_spinBoxZeroADC_valueChanged(int arg1)
{
    ChannelFields f;
    if (!editableFields(&f))
        return;
    f.clearSetupChanged();
    *f.zeroAdc = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxSpanADC_valueChanged(int arg1)
{
    ChannelFields f;
    if (!editableFields(&f))
        return;
    f.clearSetupChanged();
    *f.spanAdc = quint16(arg1);
}

void DeviceSetting_4_Window::on_spinBoxPidPeriod_valueChanged(int arg1)
{
    on_spinBoxSpanADC_valueChanged(arg1);
}

void DeviceSetting_4_Window::on_spinBoxPidWarm_valueChanged(int arg1)
{
    ChannelFields f;
    if (!editableFields(&f))
        return;
    f.clearSetupChanged();
    *f.zeroAdc = quint16((*f.zeroAdc & 0xFF00) | (arg1 & 0xFF));
}

void DeviceSetting_4_Window::on_spinBoxPidRead_valueChanged(int arg1)
{
    ChannelFields f;
    if (!editableFields(&f))
        return;
    f.clearSetupChanged();
    *f.zeroAdc = quint16((*f.zeroAdc & 0x00FF) | ((arg1 & 0xFF) << 8));
}

void DeviceSetting_4_Window::on_comboBoxUARTBT_activated(int index)
{
    ChannelFields f;
    if (index < 0 || !editableFields(&f) || !f.extended)
        return;
    f.clearSetupChanged();
    f.extended->zeroAdc = quint16(index);
}

void DeviceSetting_4_Window::on_doubleSpinBoxADC_Zero_valueChanged(double arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        *f.adcZeroPoint = roundedInto<quint16>(arg1);
}

void DeviceSetting_4_Window::on_doubleSpinBoxADC_Calib_Value_valueChanged(double arg1)
{
    ChannelFields f;
    if (editableFields(&f))
        *f.adcSpanPoint = roundedInto<quint16>(arg1);
}

// ---------------------------------------------------------------- kind, formula, cell

void DeviceSetting_4_Window::on_comboBoxConfigChan_activated(int index)
{
    ChannelFields f;
    if (!collectTablesForEdit() || !f.select(channel))
        return;
    const KindBits bits = kindChoiceBits(command.modelCode, command.registerMap, channel, index);
    quint32 flags = f.channelFlags.get();
    applyKindBits(bits, *f.format, *f.sensorType, flags);
    f.channelFlags.set(flags);
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
    ChannelFields f;
    if (editableFields(&f))
        f.setFormulaEntry(index);
}

void DeviceSetting_4_Window::on_comboBoxConfigChan_Pos_activated(int index)
{
    ChannelFields f;
    if (index >= 0 && f.select(channel))
        f.setCellPosition(index);
}
