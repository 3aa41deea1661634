#include "calibration.h"

#include "accesslevel.h"
#include "calibration_channel.h"
#include "calibrationhost.h"
#include "command.h"
#include "correctiontables.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "modeltraits.h"
#include "optiontables.h"
#include "ui_calibration.h"
#include "units.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace
{

constexpr int PollIntervalMs = 500;
constexpr int ChartIntervalMs = 1000;
// Pause between the confirmation's writes and its closing poll.
constexpr unsigned long ConfirmationSettleMs = 500;

quint32 deviceFlags()
{
    if (command.registerMap == ClassicMap)
        return command.classicDevice.deviceFlags;
    return command.extendedDevice.deviceFlags;
}

void setDeviceFlags(quint32 flags)
{
    if (command.registerMap == ClassicMap)
        command.classicDevice.deviceFlags = quint16(flags);
    else if (command.registerMap == ExtendedMap)
        command.extendedDevice.deviceFlags = flags;
}

bool knownMap()
{
    return command.registerMap == ClassicMap || command.registerMap == ExtendedMap;
}

quint16 flagWordCount()
{
    return command.registerMap == ExtendedMap ? 2 : 1;
}

} // namespace

Calibration::Calibration(QWidget* parent) : QDialog(parent), ui(new Ui::Calibration)
{
    setupForm();
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    createChannelWidgets();
    setMode(ZeroCalibration);
    lcdNumber->display(QStringLiteral("00:00"));
    fitReadings();
    switch (accessLevel(command.userName)) {
    case AccessLevel::Admin:
    case AccessLevel::Industry:
        tabWidget->setTabEnabled(1, true);
        break;
    case AccessLevel::User:
        tabWidget->setTabEnabled(1, false);
        checkBox_BlockCalibmenu->setEnabled(false);
        // The User's save leaves the bump-test and calibration intervals out
        // (classic 268-269, extended 283-284): an edit there would go nowhere.
        setFieldEditable(spinBoxIntervalBump, false);
        for (Calibration_Channel* row : calibrationChannelWidgets)
            if (row && isAncestorOf(row))
                setFieldEditable(row->spinBoxIntervalCalib, false);
        break;
    case AccessLevel::None:
        break;
    }
    showTablesTabState();
    // The rows are the page's children: this guards their boxes too.
    PageGuard::install(this);
}

Calibration::~Calibration()
{
    // Once the main window has ended the session (it clears the timers
    // first), nothing more goes to the device.
    if (calibrationTimers.poll)
        stopTimers();
    for (Calibration_Channel*& row : calibrationChannelWidgets)
        if (row && row->parent() == this)
            row = nullptr;
    delete ui;
}

void Calibration::setupForm()
{
    ui->setupUi(this);
    tabWidget = ui->tabWidget;
    calib = ui->calib;
    tab_2 = ui->tab_2;
    scrollArea = ui->scrollArea;
    scrollAreaWidgetContents = ui->scrollAreaWidgetContents;
    QStackedWidget* const stacks[10] = {
        ui->stackedWidget,   ui->stackedWidget_1, ui->stackedWidget_2, ui->stackedWidget_3,
        ui->stackedWidget_4, ui->stackedWidget_5, ui->stackedWidget_6, ui->stackedWidget_7,
        ui->stackedWidget_8, ui->stackedWidget_9};
    for (int i = 0; i < 10; ++i)
        hosts[i] = stacks[i];
    labelStatusInfo = ui->labelStatusInfo;
    ButtoncalibrateZero = ui->ButtoncalibrateZero;
    ButtoncalibrateSpan = ui->ButtoncalibrateSpan;
    ButtoncalibrateBumpTest = ui->ButtoncalibrateBumpTest;
    pushButton_CancelCalibrate = ui->pushButton_CancelCalibrate;
    checkBox_Block_Sound = ui->checkBox_Block_Sound;
    checkBox_BlockCalibmenu = ui->checkBox_BlockCalibmenu;
    spinBoxIntervalBump = ui->spinBoxIntervalBump;
    doubleSpinBoxTemp = ui->doubleSpinBoxTemp;
    label_8 = ui->label_8;
    doubleSpinBoxPressure = ui->doubleSpinBoxPressure;
    lcdNumber = ui->lcdNumber;
    myTableSpan = ui->myTableSpan;
    myTableTemp = ui->myTableTemp;
    myTableTemp_Zero = ui->myTableTemp_Zero;
    comboBoxChannelNum = ui->comboBoxChannelNum;
    pushButton_2 = ui->pushButton_2;
    labelTablesStatus = ui->labelTablesStatus;

    // The columns follow the cell boxes, which widen with the channel's unit.
    for (QTableWidget* table : {myTableSpan, myTableTemp, myTableTemp_Zero})
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tables.reset(new CorrectionTables({myTableTemp, myTableSpan, myTableTemp_Zero, this,
                                       CorrectionTables::Layouts::ExtendedOnly}));
    tabWidget->setCurrentIndex(0);
}

void Calibration::createChannelWidgets()
{
    for (int channel = 0; channel < 10; ++channel) {
        auto* row = new Calibration_Channel(this, channel);
        rows[channel] = row;
        calibrationChannelWidgets[channel] = row;
        row->hide();
        hosts[channel]->hide();
    }
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel) {
        hosts[channel]->show();
        hosts[channel]->insertWidget(0, rows[channel]);
        hosts[channel]->setCurrentIndex(0);
    }
}

void Calibration::setMode(int m)
{
    mode = quint8(m);
    for (QPushButton* b : {ButtoncalibrateZero, ButtoncalibrateSpan, ButtoncalibrateBumpTest})
        b->setEnabled(true);
    ButtoncalibrateZero->setText(tr("Калибровать ноль"));
    ButtoncalibrateSpan->setText(tr("Калибровать диапазон"));
    ButtoncalibrateBumpTest->setText(tr("BUMP Test start"));
    if (m == ZeroCalibration)
        modeBit = 0;
    else if (m == SpanCalibration)
        modeBit = 1;
    else if (m == BumpTest)
        modeBit = 8;
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        rows[channel]->setMode(m);
    showParameters(0);
    stopTimers();
}

void Calibration::startTimers()
{
    if (calibrationTimers.poll)
        calibrationTimers.poll->start(PollIntervalMs);
    if (calibrationTimers.chart)
        calibrationTimers.chart->start(ChartIntervalMs);
}

void Calibration::stopTimers()
{
    if (calibrationTimers.poll)
        calibrationTimers.poll->stop();
    if (calibrationTimers.chart)
        calibrationTimers.chart->stop();
    elapsedSeconds = 0;
    // The page that is built, and a page that switched the device into
    // calibration mode, switch it off; a refresh or an idle Cancel sends nothing.
    if (calibrationModeOn)
        command.setCalibrationMode(false);
    calibrationModeOn = false;
}

void Calibration::showParameters(int tab)
{
    if (tab != 0) {
        showTables();
        return;
    }
    refreshing = true;
    tabWidget->setCurrentIndex(0);
    labelStatusInfo->setText(tr(" "));
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        rows[channel]->showParameters(channel, modeBit);
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        rows[channel]->showMeasurements(channel);
    if (command.registerMap == ClassicMap) {
        checkBox_Block_Sound->setChecked(command.classicDevice.deviceFlags &
                                         DeviceFlagBits::AlarmOff);
        checkBox_BlockCalibmenu->setChecked(command.classicDevice.deviceFlags &
                                            DeviceFlagBits::CalibMenuBlocked);
        spinBoxIntervalBump->setValue(command.classicDevice.bumpTestInterval);
        doubleSpinBoxTemp->hide();
        doubleSpinBoxTemp->setValue(double(command.classicDevice.deviceTemperature));
        // The classic map shows no device temperature and has no pressure: their
        // labels go with the boxes.
        ui->label_7->hide();
        label_8->hide();
        doubleSpinBoxPressure->hide();
    } else if (command.registerMap == ExtendedMap) {
        checkBox_Block_Sound->setChecked(command.extendedDevice.deviceFlags &
                                         DeviceFlagBits::AlarmOff);
        checkBox_BlockCalibmenu->setChecked(command.extendedDevice.deviceFlags &
                                            DeviceFlagBits::CalibMenuBlocked);
        spinBoxIntervalBump->setValue(command.extendedDevice.bumpTestInterval);
        doubleSpinBoxTemp->show();
        doubleSpinBoxTemp->setValue(double(command.extendedDevice.deviceTemperature));
        ui->label_7->show();
        label_8->show();
        doubleSpinBoxPressure->show();
        doubleSpinBoxPressure->setValue(double(command.extendedDevice.devicePressure));
    }
    showTablesTabState();
    refreshing = false;
}

// The tables tab is disabled where it cannot be used, and says why: it edits
// the tables of the extended map only (a classic device would snap back to the
// first tab), and the User level may not edit them.
void Calibration::showTablesTabState()
{
    const AccessLevel level = accessLevel(command.userName);
    if (command.registerMap != ExtendedMap) {
        tabWidget->setTabEnabled(1, false);
        tabWidget->setTabToolTip(1, tr("Таблицы коррекции этой вкладки есть только в "
                                       "расширенной карте регистров, а прибор работает "
                                       "в классической"));
    } else if (level == AccessLevel::User) {
        tabWidget->setTabEnabled(1, false);
        tabWidget->setTabToolTip(1, tr("Таблицы коррекции доступны с уровня Admin"));
    } else {
        tabWidget->setTabEnabled(1, true);
        tabWidget->setTabToolTip(1, QString());
    }
}

void Calibration::on_ButtoncalibrateZero_clicked()
{
    if (ButtoncalibrateZero->text() == tr("Подтвердить калибровку")) {
        for (QPushButton* b : {ButtoncalibrateZero, ButtoncalibrateSpan, ButtoncalibrateBumpTest})
            b->setEnabled(true);
    } else {
        setMode(ZeroCalibration);
        ButtoncalibrateSpan->setEnabled(false);
        ButtoncalibrateBumpTest->setEnabled(false);
    }
    handleCalibrateButton(ButtoncalibrateZero);
}

void Calibration::on_ButtoncalibrateSpan_clicked()
{
    if (ButtoncalibrateSpan->text() == tr("Подтвердить калибровку")) {
        for (QPushButton* b : {ButtoncalibrateZero, ButtoncalibrateSpan, ButtoncalibrateBumpTest})
            b->setEnabled(true);
    } else {
        setMode(SpanCalibration);
        ButtoncalibrateZero->setEnabled(false);
        ButtoncalibrateBumpTest->setEnabled(false);
    }
    handleCalibrateButton(ButtoncalibrateSpan);
}

void Calibration::on_ButtoncalibrateBumpTest_clicked()
{
    if (ButtoncalibrateBumpTest->text() == tr("BUMP Test stop")) {
        for (QPushButton* b : {ButtoncalibrateZero, ButtoncalibrateSpan, ButtoncalibrateBumpTest})
            b->setEnabled(true);
    } else {
        setMode(BumpTest);
        ButtoncalibrateZero->setEnabled(false);
        ButtoncalibrateSpan->setEnabled(false);
    }
    handleCalibrateButton(ButtoncalibrateBumpTest);
}

void Calibration::handleCalibrateButton(QPushButton* button)
{
    if (button->text() == tr("Подтвердить калибровку")) {
        stopTimers();
        unsigned result = ResultOk;
        for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
            result |= rows[channel]->writeCalibration(channel, modeBit);
        const TransactionResult commit = command.transact(16, DevicePage, RegCommit, 1);
        QString status;
        if (!resultsOk(result) || !resultOk(commit)) {
            status = dialogs::exchangeErrorText();
            // Without the commit the device keeps nothing of it.
            if (!resultOk(commit))
                for (int channel = 0; channel < command.channelSlotsInUse(); ++channel) {
                    QLabel* l = rows[channel]->labelErrChan;
                    if (l->text() == tr("Выполнено"))
                        l->setText(tr("Ошибка передачи"));
                }
        }
        button->setText(modeBit == 1 ? tr("Калибровать диапазон") : tr("Калибровать ноль"));
        QThread::msleep(ConfirmationSettleMs);
        pollDevice();
        // The closing poll refreshes the page; the error must stay in view.
        if (!status.isEmpty())
            labelStatusInfo->setText(status);
        return;
    }
    switch (mode) {
    case ZeroCalibration:
        labelStatusInfo->setText(tr("Подайте нулевой газ"));
        button->setText(tr("Подтвердить калибровку"));
        startTimers();
        break;
    case SpanCalibration:
        labelStatusInfo->setText(tr("Подайте калибровочный газ"));
        button->setText(tr("Подтвердить калибровку"));
        startTimers();
        break;
    case BumpTest: {
        if (!knownMap())
            return;
        const bool stopping = button->text() == tr("BUMP Test stop");
        const bool starting = button->text() == tr("BUMP Test start");
        const quint32 before = deviceFlags();
        const quint32 bit = DeviceFlagBits::BumpTestRunning;
        if (stopping)
            setDeviceFlags(before & ~bit);
        else if (starting)
            setDeviceFlags(before | bit);
        if (!resultOk(command.transact(16, DevicePage, RegDeviceFlags, flagWordCount()))) {
            // The image keeps what the device has, so that a later parameter
            // write does not start or stop the test behind the operator's back.
            setDeviceFlags(before);
            labelStatusInfo->setText(dialogs::exchangeErrorText());
            return;
        }
        if (stopping) {
            labelStatusInfo->setText(tr(" "));
            button->setText(tr("BUMP Test start"));
            stopTimers();
        } else if (starting) {
            labelStatusInfo->setText(tr("Подайте газ концентрацией выше пороговой"));
            button->setText(tr("BUMP Test stop"));
            startTimers();
        }
        break;
    }
    default:
        break;
    }
}

void Calibration::pollDevice()
{
    command.setCalibrationMode(true);
    if (command.writeRefusedForLayout()) {
        // No probe has told the layout (after a firmware upload, until a read):
        // the device link sent nothing, and the procedure ends before it starts.
        on_pushButton_CancelCalibrate_clicked();
        labelStatusInfo->setText(dialogs::unknownLayoutText());
        return;
    }
    calibrationModeOn = true;
    const bool pollActive = calibrationTimers.poll && calibrationTimers.poll->isActive();
    if (pollActive && mode == BumpTest && knownMap() &&
        ButtoncalibrateBumpTest->text() == tr("BUMP Test stop")) {
        if (resultOk(command.transact(3, DevicePage, RegDeviceFlags, flagWordCount())) &&
            !(deviceFlags() & DeviceFlagBits::BumpTestRunning)) {
            labelStatusInfo->setText(deviceFlags() & DeviceFlagBits::BumpTestPassed
                                         ? tr("Успешное выполнение")
                                         : tr("Ошибка выполнения"));
            ButtoncalibrateZero->setEnabled(true);
            ButtoncalibrateSpan->setEnabled(true);
            ButtoncalibrateBumpTest->setText(tr("BUMP Test start"));
        }
    }
    if (command.registerMap == ExtendedMap) {
        command.readAllParameters(2, true);
        doubleSpinBoxTemp->setValue(double(command.extendedDevice.deviceTemperature));
        doubleSpinBoxPressure->setValue(double(command.extendedDevice.devicePressure));
    } else if (command.registerMap == ClassicMap) {
        switch (traitsOf(command.modelCode).group) {
        case ModelGroup::T2:
            command.transact(4, DevicePage, RegClassicInputChannelFlags, 2);
            command.transact(4, DevicePage, RegClassicLastCalibrationDate, 20);
            command.transact(3, 0, RegDeviceClock, 82);
            break;
        case ModelGroup::T6:
            command.transact(4, DevicePage, RegClassicInputChannelFlags, 8);
            command.transact(4, DevicePage, RegClassicLastCalibrationDate, 41);
            break;
        case ModelGroup::T6Max:
            for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
                if (command.classicChannels[channel].channelPage == channel)
                    command.transact(4, quint16(channel), RegCalibrationConcentration, 13);
            break;
        default:
            break;
        }
        doubleSpinBoxTemp->setValue(double(command.classicDevice.deviceTemperature));
    }
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        rows[channel]->showMeasurements(channel);
    if (!calibrationTimers.poll || !calibrationTimers.poll->isActive()) {
        setMode(mode);
        stopTimers();
    }
}

void Calibration::updateCharts()
{
    ++elapsedSeconds;
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        rows[channel]->addChartPoint(channel, elapsedSeconds);
    const quint32 s = elapsedSeconds % 86400;
    lcdNumber->display(QStringLiteral("%1:%2:%3")
                           .arg(s / 3600, 2, 10, QLatin1Char('0'))
                           .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
                           .arg(s % 60, 2, 10, QLatin1Char('0')));
}

void Calibration::on_pushButton_CancelCalibrate_clicked()
{
    labelStatusInfo->setText(tr(" "));
    for (QPushButton* b : {ButtoncalibrateZero, ButtoncalibrateSpan, ButtoncalibrateBumpTest})
        b->setEnabled(true);
    if (modeBit == 0)
        ButtoncalibrateZero->setText(tr("Калибровать ноль"));
    else if (modeBit == 1)
        ButtoncalibrateSpan->setText(tr("Калибровать диапазон"));
    else if (modeBit == 8)
        ButtoncalibrateBumpTest->setText(tr("BUMP Test start"));
    stopTimers();
}

void Calibration::endProcedure()
{
    on_pushButton_CancelCalibrate_clicked();
}

void Calibration::writeLock(QCheckBox* box, quint32 bit, int arg1)
{
    if (refreshing || !knownMap())
        return;
    const quint32 before = deviceFlags();
    setDeviceFlags(arg1 != 0 ? (before | bit) : (before & ~bit));
    TransactionResult r;
    if (bit == DeviceFlagBits::CalibMenuBlocked && command.registerMap == ClassicMap)
        r = command.transact(16, DevicePage, RegCalibMenuLockBit, 1);
    else
        r = command.transact(16, DevicePage, RegDeviceFlags, flagWordCount());
    if (!resultOk(r)) {
        // The device kept its lock: so do the box and the image.
        setDeviceFlags(before);
        const bool wasRefreshing = refreshing;
        refreshing = true;
        box->setChecked(before & bit);
        refreshing = wasRefreshing;
        dialogs::exchangeError(this);
    }
}

void Calibration::on_checkBox_Block_Sound_stateChanged(int arg1)
{
    writeLock(checkBox_Block_Sound, DeviceFlagBits::AlarmOff, arg1);
}

void Calibration::on_checkBox_BlockCalibmenu_stateChanged(int arg1)
{
    writeLock(checkBox_BlockCalibmenu, DeviceFlagBits::CalibMenuBlocked, arg1);
}

void Calibration::on_spinBoxIntervalBump_valueChanged(int arg1)
{
    if (refreshing)
        return;
    if (command.registerMap == ClassicMap)
        command.classicDevice.bumpTestInterval = quint16(arg1);
    else if (command.registerMap == ExtendedMap)
        command.extendedDevice.bumpTestInterval = quint16(arg1);
}

void Calibration::on_tabWidget_currentChanged(int index)
{
    if (refreshing)
        return;
    if (index == 0) {
        showParameters(0);
        return;
    }
    on_pushButton_CancelCalibrate_clicked();
    showParameters(command.registerMap == ClassicMap ? 0 : index);
}

// --- correction tables ---

void Calibration::showTables()
{
    refreshing = true;
    tabWidget->setCurrentIndex(1);
    refreshing = false;
    if (command.registerMap != ExtendedMap) {
        // Classic devices have no such tables: back to the first tab.
        showParameters(0);
        return;
    }
    tableChannel = qMin<quint16>(command.currentChannel, ChannelSlots - 1);
    comboBoxChannelNum->clear();
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        comboBoxChannelNum->addItem(tr("Канал") + QStringLiteral(" %1").arg(channel + 1) +
                                    QLatin1Char('-') +
                                    imageText(command.extendedChannels[channel].gasFormula, 10));
    comboBoxChannelNum->setCurrentIndex(command.currentChannel);
    tables->fill(tableChannel);
    // The unit and the scale change with the channel: the column widens so that
    // the widest value of the range still shows.
    for (int row = 0; row < CorrectionTables::RowCount; ++row)
        for (QDoubleSpinBox* box : {tables->cell(CorrectionTables::SpanTable, row, 0),
                                    tables->cell(CorrectionTables::ZeroTable, row, 1)}) {
            const QFontMetrics m = box->fontMetrics();
            box->setMinimumWidth(
                qMax(m.horizontalAdvance(box->textFromValue(box->minimum()) + box->suffix()),
                     m.horizontalAdvance(box->textFromValue(box->maximum()) + box->suffix())) +
                16);
        }
    for (QTableWidget* table : {myTableTemp, myTableSpan, myTableTemp_Zero})
        table->resizeColumnsToContents();
}

// Stores the cells the operator changed since the tables were shown, into the
// channel they were shown for.
void Calibration::collectTables()
{
    tables->collect(tableChannel);
}

void Calibration::collectParameters()
{
    collectTables();
}

void Calibration::on_comboBoxChannelNum_activated(int index)
{
    collectTables();
    if (index < 0 || index >= command.channelSlotsInUse())
        return;
    command.currentChannel = quint16(index);
    showParameters(1);
}

void Calibration::on_pushButton_2_clicked()
{
    collectTables();
    labelTablesStatus->clear();
    bool ok = true;
    if (command.registerMap == ExtendedMap)
        for (int channel = 0; channel < command.channelSlotsInUse() && ok; ++channel)
            ok = resultOk(command.transact(16, quint16(channel), RegExtendedCorrectionTables,
                                           ExtendedCorrectionTablesCount));
    // A failed table write is not committed.
    if (ok)
        ok = resultOk(command.transact(16, DevicePage, RegCommit, 1));
    labelTablesStatus->setText(ok ? tr("Выполнено") : dialogs::exchangeErrorText());
}

void Calibration::closeEvent(QCloseEvent* event)
{
    for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
        rows[channel]->close();
    // A page that is closed never leaves the device in calibration mode.
    if (calibrationTimers.poll)
        stopTimers();
    event->accept();
}

void Calibration::fitReadings()
{
    // The two readings have a range wide only so that no device value is
    // clipped; their width follows what they show, in the font they have now.
    // Their size hint follows the range and would ask for the whole page.
    for (QDoubleSpinBox* box : {doubleSpinBoxTemp, doubleSpinBoxPressure})
        box->setFixedWidth(
            box->fontMetrics().horizontalAdvance(QStringLiteral("-999999.00") + box->suffix()) +
            16);
}

void Calibration::showEvent(QShowEvent* event)
{
    fitReadings();
    QDialog::showEvent(event);
}

void Calibration::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
