#include "calibration.h"

#include "accesslevel.h"
#include "calibration_channel.h"
#include "calibrationhost.h"
#include "command.h"
#include "optiontables.h"
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

#include <cmath>

namespace
{

constexpr int PollIntervalMs = 500;
constexpr int ChartIntervalMs = 1000;
// Pause between the confirmation's writes and its closing poll.
constexpr unsigned long ConfirmationSettleMs = 500;

constexpr quint32 SoundOffBit = 1u << 0;
constexpr quint32 CalibMenuLockBit = 1u << 3;
constexpr quint32 BumpPassedBit = 1u << 7;

constexpr quint16 RegTables = 336;
constexpr quint16 TableRegisterCount = 60;

enum Table { TempTable = 0, SpanTable = 1, ZeroTable = 2 };

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

// Typed values go into their integer register form rounded to nearest (ties to
// even) and kept inside the register's range.
template <typename T> T roundedInto(double value)
{
    const double r = std::nearbyint(value);
    return T(
        qBound(double(std::numeric_limits<T>::min()), r, double(std::numeric_limits<T>::max())));
}

QDoubleSpinBox* newCellBox(double min, double max, int decimals)
{
    auto* box = new QDoubleSpinBox;
    QFont f = box->font();
    f.setPointSize(10);
    box->setFont(f);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setRange(min, max);
    box->setDecimals(decimals);
    return box;
}

} // namespace

Calibration::Calibration(QWidget* parent) : QDialog(parent)
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
        break;
    case AccessLevel::None:
        break;
    }
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
}

void Calibration::setupForm()
{
    setObjectName(QStringLiteral("Calibration"));
    setWindowTitle(tr("Калибровка"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    outer->addWidget(tabWidget);

    calib = new QWidget;
    calib->setObjectName(QStringLiteral("calib"));
    auto* calibLayout = new QVBoxLayout(calib);
    scrollArea = new QScrollArea(calib);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollAreaWidgetContents = new QWidget;
    scrollAreaWidgetContents->setObjectName(QStringLiteral("scrollAreaCalibrationRows"));
    auto* grid = new QGridLayout(scrollAreaWidgetContents);
    // Channel 0 top left, then the rows snake through two columns.
    // One row per line, channel 0 on top: two rows side by side would not
    // leave their values room to show in the width of the tab.
    for (int i = 0; i < 10; ++i) {
        hosts[i] = new QStackedWidget(scrollAreaWidgetContents);
        hosts[i]->setObjectName(i == 0 ? QStringLiteral("stackedWidget")
                                       : QStringLiteral("stackedWidget_%1").arg(i));
        hosts[i]->addWidget(new QWidget);
        grid->addWidget(hosts[i], i, 0);
    }
    grid->setRowStretch(10, 1);
    scrollArea->setWidget(scrollAreaWidgetContents);
    calibLayout->addWidget(scrollArea, 1);

    auto* bottom = new QHBoxLayout;
    auto* frameCalibButton = new QFrame(calib);
    frameCalibButton->setObjectName(QStringLiteral("frameCalibButton"));
    auto* buttons = new QGridLayout(frameCalibButton);
    labelStatusInfo = new QLabel(tr("Статусное состояние"), frameCalibButton);
    labelStatusInfo->setObjectName(QStringLiteral("labelStatusInfo"));
    labelStatusInfo->setAlignment(Qt::AlignCenter);
    ButtoncalibrateZero = new QPushButton(tr("Калибровать ноль"), frameCalibButton);
    ButtoncalibrateZero->setObjectName(QStringLiteral("ButtoncalibrateZero"));
    ButtoncalibrateSpan = new QPushButton(tr("Калибровать диапазон"), frameCalibButton);
    ButtoncalibrateSpan->setObjectName(QStringLiteral("ButtoncalibrateSpan"));
    ButtoncalibrateBumpTest = new QPushButton(tr("BUMP Test start"), frameCalibButton);
    ButtoncalibrateBumpTest->setObjectName(QStringLiteral("ButtoncalibrateBumpTest"));
    pushButton_CancelCalibrate = new QPushButton(tr("Отменить"), frameCalibButton);
    pushButton_CancelCalibrate->setObjectName(QStringLiteral("pushButton_CancelCalibrate"));
    checkBox_Block_Sound = new QCheckBox(tr("Выключить сигнализацию"), frameCalibButton);
    checkBox_Block_Sound->setObjectName(QStringLiteral("checkBox_Block_Sound"));
    checkBox_BlockCalibmenu =
        new QCheckBox(tr("Блокировка калибровки\nчерез меню"), frameCalibButton);
    checkBox_BlockCalibmenu->setObjectName(QStringLiteral("checkBox_BlockCalibmenu"));
    auto* label_32 = new QLabel(tr("Инт. BUMP TEST:"), frameCalibButton);
    label_32->setObjectName(QStringLiteral("label_32"));
    label_32->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    spinBoxIntervalBump = new QSpinBox(frameCalibButton);
    spinBoxIntervalBump->setObjectName(QStringLiteral("spinBoxIntervalBump"));
    spinBoxIntervalBump->setRange(0, 364);
    spinBoxIntervalBump->setSuffix(tr(" day"));
    auto* label_7 = new QLabel(tr("Температура прибора:"), frameCalibButton);
    label_7->setObjectName(QStringLiteral("label_7"));
    label_7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    doubleSpinBoxTemp = new QDoubleSpinBox(frameCalibButton);
    doubleSpinBoxTemp->setObjectName(QStringLiteral("doubleSpinBoxTemp"));
    doubleSpinBoxTemp->setReadOnly(true);
    doubleSpinBoxTemp->setButtonSymbols(QAbstractSpinBox::NoButtons);
    doubleSpinBoxTemp->setRange(-80, 1e43);
    doubleSpinBoxTemp->setSuffix(QStringLiteral(" °C"));
    label_8 = new QLabel(tr("Давление:"), frameCalibButton);
    label_8->setObjectName(QStringLiteral("label_8"));
    label_8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    doubleSpinBoxPressure = new QDoubleSpinBox(frameCalibButton);
    doubleSpinBoxPressure->setObjectName(QStringLiteral("doubleSpinBoxPressure"));
    doubleSpinBoxPressure->setReadOnly(true);
    doubleSpinBoxPressure->setButtonSymbols(QAbstractSpinBox::NoButtons);
    doubleSpinBoxPressure->setDecimals(1);
    doubleSpinBoxPressure->setRange(-80, 1e43);
    doubleSpinBoxPressure->setSuffix(tr(" мм рт. ст."));
    // The procedure buttons on one line, the locks and the device readings
    // below them in two columns of their own, so that neither widens the other.
    buttons->addWidget(labelStatusInfo, 0, 0, 1, 3);
    buttons->addWidget(ButtoncalibrateZero, 1, 0);
    buttons->addWidget(ButtoncalibrateSpan, 1, 1);
    buttons->addWidget(ButtoncalibrateBumpTest, 1, 2);
    buttons->addWidget(pushButton_CancelCalibrate, 2, 1);
    auto* locks = new QVBoxLayout;
    locks->addWidget(checkBox_Block_Sound);
    locks->addWidget(checkBox_BlockCalibmenu);
    locks->addStretch(1);
    auto* readings = new QGridLayout;
    readings->addWidget(label_32, 0, 0);
    readings->addWidget(spinBoxIntervalBump, 0, 1);
    readings->addWidget(label_7, 1, 0);
    readings->addWidget(doubleSpinBoxTemp, 1, 1);
    readings->addWidget(label_8, 2, 0);
    readings->addWidget(doubleSpinBoxPressure, 2, 1);
    // The readings under the locks: side by side they do not fit the page's width
    // with their labels and units.
    auto* lower = new QVBoxLayout;
    lower->addLayout(locks);
    auto* readingsRow = new QHBoxLayout;
    readingsRow->addLayout(readings);
    readingsRow->addStretch(1);
    lower->addLayout(readingsRow);
    buttons->addLayout(lower, 3, 0, 1, 3);
    bottom->addWidget(frameCalibButton, 1);
    lcdNumber = new QLCDNumber(calib);
    lcdNumber->setObjectName(QStringLiteral("lcdNumber"));
    lcdNumber->setSmallDecimalPoint(false);
    lcdNumber->setMode(QLCDNumber::Hex);
    // "hh:mm:ss" needs eight digits.
    lcdNumber->setDigitCount(8);
    lcdNumber->setMinimumSize(120, 41);
    // Above the buttons: beside them it would squeeze the device readings.
    calibLayout->addWidget(lcdNumber, 0, Qt::AlignRight);
    calibLayout->addLayout(bottom);
    tabWidget->addTab(calib, tr("Калибровка"));

    tab_2 = new QWidget;
    tab_2->setObjectName(QStringLiteral("tab_2"));
    auto* tablesLayout = new QVBoxLayout(tab_2);
    // Three tables side by side would be wider than the tab: two above, the
    // third below next to the channel choice and the save button.
    auto* tablesGrid = new QGridLayout;
    int tableIndex = 0;
    auto makeTable = [&](const char* groupName, const QString& title, const char* tableName,
                         const QString& head0, QTableWidget*& table) {
        auto* group = new QGroupBox(title, tab_2);
        group->setObjectName(QString::fromLatin1(groupName));
        group->setFlat(true);
        group->setAlignment(Qt::AlignHCenter);
        auto* l = new QVBoxLayout(group);
        table = new QTableWidget(10, 2, group);
        table->setObjectName(QString::fromLatin1(tableName));
        table->setHorizontalHeaderLabels({head0, tr("Коэффициент")});
        table->horizontalHeader()->setDefaultSectionSize(100);
        table->verticalHeader()->setDefaultSectionSize(24);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->addWidget(table);
        tablesGrid->addWidget(group, tableIndex / 2, tableIndex % 2);
        ++tableIndex;
    };
    makeTable("groupBox_2", tr("Линеаризация"), "myTableSpan", tr("Концентрация"), myTableSpan);
    makeTable("groupBox", tr("Температурная коррекция"), "myTableTemp", tr("Температура"),
              myTableTemp);
    makeTable("groupBox_3", tr("Температурная коррекция нуля"), "myTableTemp_Zero",
              tr("Температура"), myTableTemp_Zero);
    comboBoxChannelNum = new QComboBox(tab_2);
    comboBoxChannelNum->setObjectName(QStringLiteral("comboBoxChannelNum"));
    comboBoxChannelNum->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    pushButton_2 = new QPushButton(tr("Сохранить\nтаблицы канала"), tab_2);
    pushButton_2->setObjectName(QStringLiteral("pushButton_2"));
    labelTablesStatus = new QLabel(tab_2);
    labelTablesStatus->setObjectName(QStringLiteral("labelTablesStatus"));
    labelTablesStatus->setAlignment(Qt::AlignCenter);
    auto* save = new QVBoxLayout;
    save->addStretch(1);
    save->addWidget(comboBoxChannelNum, 0, Qt::AlignHCenter);
    save->addWidget(pushButton_2, 0, Qt::AlignHCenter);
    save->addWidget(labelTablesStatus);
    save->addStretch(1);
    tablesGrid->addLayout(save, 1, 1);
    tablesLayout->addLayout(tablesGrid, 1);
    tabWidget->addTab(tab_2, tr("Таблицы коррекции"));

    for (int row = 0; row < 10; ++row) {
        myTableTemp->setCellWidget(row, 0, newCellBox(-655.35, 655.35, 2));
        myTableTemp->setCellWidget(row, 1, newCellBox(0, 65.535, 3));
        myTableSpan->setCellWidget(row, 0, newCellBox(0, 655.35, 2));
        myTableSpan->setCellWidget(row, 1, newCellBox(0, 65.535, 3));
        myTableTemp_Zero->setCellWidget(row, 0, newCellBox(-655.35, 655.35, 2));
        myTableTemp_Zero->setCellWidget(row, 1, newCellBox(-320, 320, 2));
    }
    tabWidget->setCurrentIndex(0);
    QMetaObject::connectSlotsByName(this);
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
    // Only a page that switched the device into calibration mode switches it
    // off: building or refreshing the page sends nothing.
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
        checkBox_Block_Sound->setChecked(command.classicDevice.deviceFlags & SoundOffBit);
        checkBox_BlockCalibmenu->setChecked(command.classicDevice.deviceFlags & CalibMenuLockBit);
        spinBoxIntervalBump->setValue(command.classicDevice.bumpTestInterval);
        doubleSpinBoxTemp->hide();
        doubleSpinBoxTemp->setValue(double(command.classicDevice.deviceTemperature));
    } else if (command.registerMap == ExtendedMap) {
        checkBox_Block_Sound->setChecked(command.extendedDevice.deviceFlags & SoundOffBit);
        checkBox_BlockCalibmenu->setChecked(command.extendedDevice.deviceFlags & CalibMenuLockBit);
        spinBoxIntervalBump->setValue(command.extendedDevice.bumpTestInterval);
        doubleSpinBoxTemp->show();
        doubleSpinBoxTemp->setValue(double(command.extendedDevice.deviceTemperature));
        doubleSpinBoxPressure->setValue(double(command.extendedDevice.devicePressure));
    }
    refreshing = false;
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
            status = tr("Ошибка обмена данными");
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
        const quint32 bit = 1u << modeBit;
        if (stopping)
            setDeviceFlags(before & ~bit);
        else if (starting)
            setDeviceFlags(before | bit);
        if (!resultOk(command.transact(16, DevicePage, RegDeviceFlags, flagWordCount()))) {
            // The image keeps what the device has, so that a later parameter
            // write does not start or stop the test behind the operator's back.
            setDeviceFlags(before);
            labelStatusInfo->setText(tr("Ошибка обмена данными"));
            return;
        }
        if (stopping) {
            labelStatusInfo->setText(tr(" "));
            button->setText(tr("BUMP Test start"));
            stopTimers();
        } else if (starting) {
            labelStatusInfo->setText(tr("Подайте газ концетрацией выше пороговой"));
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
    calibrationModeOn = true;
    const bool pollActive = calibrationTimers.poll && calibrationTimers.poll->isActive();
    if (pollActive && mode == BumpTest && knownMap() &&
        ButtoncalibrateBumpTest->text() == tr("BUMP Test stop")) {
        if (resultOk(command.transact(3, DevicePage, RegDeviceFlags, flagWordCount())) &&
            !(deviceFlags() & (1u << modeBit))) {
            labelStatusInfo->setText(deviceFlags() & BumpPassedBit ? tr("Успешное выполнение")
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
        switch (command.modelCode) {
        case ModelT2:
        case ModelT2Classic:
            command.transact(4, DevicePage, 48, 2);
            command.transact(4, DevicePage, 246, 20);
            command.transact(3, 0, 256, 82);
            break;
        case ModelT6:
        case ModelT6B:
        case ModelT6Mini:
            command.transact(4, DevicePage, 48, 8);
            command.transact(4, DevicePage, 246, 41);
            break;
        case ModelT6M:
        case ModelT6M4:
            for (int channel = 0; channel < command.channelSlotsInUse(); ++channel)
                if (command.classicChannels[channel].channelPage == channel)
                    command.transact(4, quint16(channel), 32, 13);
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

void Calibration::writeLock(QCheckBox* box, quint32 bit, int arg1)
{
    if (refreshing || !knownMap())
        return;
    const quint32 before = deviceFlags();
    setDeviceFlags(arg1 != 0 ? (before | bit) : (before & ~bit));
    TransactionResult r;
    if (bit == CalibMenuLockBit && command.registerMap == ClassicMap)
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
        calibrationTimers.warn(this, tr("Ошибка"), tr("Ошибка обмена данными"));
    }
}

void Calibration::on_checkBox_Block_Sound_stateChanged(int arg1)
{
    writeLock(checkBox_Block_Sound, SoundOffBit, arg1);
}

void Calibration::on_checkBox_BlockCalibmenu_stateChanged(int arg1)
{
    writeLock(checkBox_BlockCalibmenu, CalibMenuLockBit, arg1);
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

QDoubleSpinBox* Calibration::cell(int table, int row, int column) const
{
    QTableWidget* const tables[3] = {myTableTemp, myTableSpan, myTableTemp_Zero};
    return qobject_cast<QDoubleSpinBox*>(tables[table]->cellWidget(row, column));
}

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
    const ExtendedChannelRecord& r = command.extendedChannels[tableChannel];
    const double div = effectiveDivisor(r.displayDivisor[1]);
    const int decimals = (r.format >> 6) & 3;
    const QString suffix = QLatin1Char(' ') + QString::fromLatin1(unitNames[(r.format >> 2) & 3]);
    for (int row = 0; row < 10; ++row) {
        cell(TempTable, row, 0)->setValue(r.tempTableTemperature[row] / 100.0);
        cell(TempTable, row, 1)->setValue(double(r.tempTableCoefficient[row]));
        QDoubleSpinBox* conc = cell(SpanTable, row, 0);
        conc->setMaximum(65535 / div);
        conc->setDecimals(decimals);
        conc->setSuffix(suffix);
        conc->setValue(r.spanTableConcentration[row] / div);
        cell(SpanTable, row, 1)->setValue(double(r.spanTableCoefficient[row]));
        cell(ZeroTable, row, 0)->setValue(r.zeroTableTemperature[row] / 100.0);
        QDoubleSpinBox* offset = cell(ZeroTable, row, 1);
        offset->setRange(-32000 / div, 32000 / div);
        offset->setDecimals(decimals);
        offset->setSuffix(suffix);
        offset->setValue(r.zeroTableOffset[row] / div);
        // The unit and the scale change with the channel: the column widens
        // so that the widest value of the range still shows.
        for (QDoubleSpinBox* box : {conc, offset}) {
            const QFontMetrics m = box->fontMetrics();
            box->setMinimumWidth(
                qMax(m.horizontalAdvance(box->textFromValue(box->minimum()) + box->suffix()),
                     m.horizontalAdvance(box->textFromValue(box->maximum()) + box->suffix())) +
                16);
        }
    }
    for (QTableWidget* table : {myTableTemp, myTableSpan, myTableTemp_Zero})
        table->resizeColumnsToContents();
    for (int t = 0; t < 3; ++t)
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 2; ++column)
                shownCells[t][row][column] = cell(t, row, column)->value();
    tablesFilled = true;
}

bool Calibration::storeCell(int table, int row, int column)
{
    const double value = cell(table, row, column)->value();
    // Only what the operator typed: an untouched cell keeps the image as read.
    if (value == shownCells[table][row][column])
        return false;
    ExtendedChannelRecord& r = command.extendedChannels[tableChannel];
    const double div = effectiveDivisor(r.displayDivisor[1]);
    switch (table) {
    case TempTable:
        if (column == 0)
            r.tempTableTemperature[row] = roundedInto<qint16>(value * 100);
        else
            r.tempTableCoefficient[row] = float(value);
        break;
    case SpanTable:
        if (column == 0)
            r.spanTableConcentration[row] = roundedInto<quint16>(value * div);
        else
            r.spanTableCoefficient[row] = float(value);
        break;
    default:
        if (column == 0)
            r.zeroTableTemperature[row] = roundedInto<qint16>(value * 100);
        else
            r.zeroTableOffset[row] = roundedInto<qint16>(value * div);
        break;
    }
    shownCells[table][row][column] = value;
    return true;
}

void Calibration::collectTables()
{
    if (!tablesFilled || command.registerMap != ExtendedMap)
        return;
    for (int table : {TempTable, SpanTable, ZeroTable})
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 2; ++column)
                storeCell(table, row, column);
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
            ok = resultOk(command.transact(16, quint16(channel), RegTables, TableRegisterCount));
    // A failed table write is not committed.
    if (ok)
        ok = resultOk(command.transact(16, DevicePage, RegCommit, 1));
    labelTablesStatus->setText(ok ? tr("Выполнено") : tr("Ошибка обмена данными"));
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
