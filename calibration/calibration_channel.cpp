#include "calibration_channel.h"

#include "accesslevel.h"
#include "calibration_channel_chart.h"
#include "command.h"
#include "optiontables.h"
#include "units.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

#include <cmath>

Calibration_Channel* calibrationChannelWidgets[10] = {};

namespace
{

// The device needs this long to calibrate a channel on its own before its
// status word tells the result.
constexpr unsigned long DeviceCalibrationWaitMs = 1500;

constexpr quint16 DeviceCalibratesBit = 1u << 11;
constexpr quint32 SelectableBit = 1u << 5;
constexpr quint32 ZeroRefusedBit = 1u << 7;
constexpr quint32 SpanRefusedBit = 1u << 8;

constexpr quint16 RegClassicChannelStatus = 547;
constexpr quint16 RegClassicCalibrationGas = 260;
constexpr quint16 RegExtendedCalibrationGas = 262;
constexpr quint16 RegClassicAdcZero = 336;
constexpr quint16 RegClassicAdcSpan = 337;
constexpr quint16 RegExtendedAdcZero = 768;
constexpr quint16 RegExtendedAdcSpan = 769;

bool validChannel(int channel)
{
    return channel >= 0 && channel < ChannelSlots;
}

float safeFactor(float f)
{
    return (f == 0 || !std::isfinite(f)) ? 1.0f : f;
}

QDoubleSpinBox* readOnlyBox(QWidget* parent, const char* name, double min, double max, int decimals,
                            const QString& suffix = QString())
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return box;
}

QLabel* rightLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

Calibration_Channel::Calibration_Channel(QWidget* parent, int channel_)
    : QDialog(parent), channel(quint16(channel_))
{
    setupForm();
    switch (accessLevel(command.userName)) {
    case AccessLevel::Admin:
    case AccessLevel::Industry:
        frameCalibServiceADC->show();
        break;
    case AccessLevel::User:
        frameCalibServiceADC->hide();
        break;
    case AccessLevel::None:
        break;
    }
    // No parent, so that the chart is a window of its own; the row deletes it.
    chart = new Calibration_Channel_Chart(nullptr, channel);
    if (command.registerMap == ClassicMap || command.registerMap == ExtendedMap)
        chart->setWindowTitle(chartTitle());
    chart->resize(500, 300);
    showParameters(channel, 0);
    connect(chart, &Calibration_Channel_Chart::windowClosed, this,
            &Calibration_Channel::onCalibration_Channel_ChartClosed);
}

Calibration_Channel::~Calibration_Channel()
{
    // The chart has no parent: it goes with its row, never outlives it.
    chart->disconnect(this);
    chart->close();
    delete chart;
}

void Calibration_Channel::setupForm()
{
    setObjectName(QStringLiteral("Calibration_Channel"));
    setWindowTitle(QStringLiteral("Dialog"));
    QFont f = font();
    f.setPointSize(10);
    setFont(f);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    groupBox_Chan = new QGroupBox(tr("Калибровка Сенсора"), this);
    groupBox_Chan->setObjectName(QStringLiteral("groupBox_Chan"));
    groupBox_Chan->setMinimumSize(237, 67);
    outer->addWidget(groupBox_Chan);
    auto* box = new QVBoxLayout(groupBox_Chan);

    auto* top = new QHBoxLayout;
    pushButton = new QPushButton(tr("Открыть график"), groupBox_Chan);
    pushButton->setObjectName(QStringLiteral("pushButton"));
    checkBox = new QCheckBox(tr("Калибровка"), groupBox_Chan);
    checkBox->setObjectName(QStringLiteral("checkBox"));
    labelErrChan = new QLabel(groupBox_Chan);
    labelErrChan->setObjectName(QStringLiteral("labelErrChan"));
    labelErrChan->setMinimumSize(100, 18);
    labelErrChan->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->addWidget(pushButton);
    top->addWidget(checkBox);
    top->addWidget(labelErrChan, 1);
    box->addLayout(top);

    auto* bottom = new QHBoxLayout;
    frameCalibServiceParam = new QWidget(groupBox_Chan);
    frameCalibServiceParam->setObjectName(QStringLiteral("frameCalibServiceParam"));
    auto* user = new QGridLayout(frameCalibServiceParam);
    user->setContentsMargins(0, 0, 0, 0);
    spinBoxIntervalCalib = new QSpinBox(frameCalibServiceParam);
    spinBoxIntervalCalib->setObjectName(QStringLiteral("spinBoxIntervalCalib"));
    spinBoxIntervalCalib->setRange(0, 365);
    spinBoxIntervalCalib->setSuffix(tr(" day"));
    label_CHAN = rightLabel(frameCalibServiceParam, "label_CHAN", tr("Кал-ый газ:"));
    doubleSpinBoxChan = new QDoubleSpinBox(frameCalibServiceParam);
    doubleSpinBoxChan->setObjectName(QStringLiteral("doubleSpinBoxChan"));
    doubleSpinBoxChan->setDecimals(2);
    doubleSpinBoxChan->setRange(0, 65535);
    doubleSpinBoxChan_1 = readOnlyBox(frameCalibServiceParam, "doubleSpinBoxChan_1", 0, 65535, 2);
    label_8 = rightLabel(frameCalibServiceParam, "label_8", tr("\"t\" сенсора:"));
    doubleSpinBoxChan_Temp_Chan = readOnlyBox(frameCalibServiceParam, "doubleSpinBoxChan_Temp_Chan",
                                              -80, 65535, 2, QStringLiteral(" °C"));
    label_9 = rightLabel(frameCalibServiceParam, "label_9", tr("Влажность:"));
    doubleSpinBoxChan_Humidity_Chan =
        readOnlyBox(frameCalibServiceParam, "doubleSpinBoxChan_Humidity_Chan", -80, 65535, 2,
                    QStringLiteral(" %"));
    user->addWidget(rightLabel(frameCalibServiceParam, "label_CHAN_3", tr("Интервал кал.:")), 0, 0);
    user->addWidget(spinBoxIntervalCalib, 0, 1);
    user->addWidget(label_CHAN, 1, 0);
    user->addWidget(doubleSpinBoxChan, 1, 1);
    user->addWidget(rightLabel(frameCalibServiceParam, "label_CHAN_1", tr("Текущая к-ия:")), 2, 0);
    user->addWidget(doubleSpinBoxChan_1, 2, 1);
    user->addWidget(label_8, 3, 0);
    user->addWidget(doubleSpinBoxChan_Temp_Chan, 3, 1);
    user->addWidget(label_9, 4, 0);
    user->addWidget(doubleSpinBoxChan_Humidity_Chan, 4, 1);

    frameCalibServiceADC = new QFrame(groupBox_Chan);
    frameCalibServiceADC->setObjectName(QStringLiteral("frameCalibServiceADC"));
    auto* service = new QGridLayout(frameCalibServiceADC);
    service->setContentsMargins(0, 0, 0, 0);
    label_6 = rightLabel(frameCalibServiceADC, "label_6", tr("\"t\" кал. \"0\""));
    doubleSpinBoxChan_Temp_Calib = readOnlyBox(frameCalibServiceADC, "doubleSpinBoxChan_Temp_Calib",
                                               -80, 65535, 2, QStringLiteral(" °C"));
    doubleSpinBoxChan_ADC_ZERO =
        readOnlyBox(frameCalibServiceADC, "doubleSpinBoxChan_ADC_ZERO", 0, 65535, 0);
    doubleSpinBoxChan_ADC_CURRENT =
        readOnlyBox(frameCalibServiceADC, "doubleSpinBoxChan_ADC_CURRENT", 0, 65535, 0);
    doubleSpinBoxChan_ADC_SPAN =
        readOnlyBox(frameCalibServiceADC, "doubleSpinBoxChan_ADC_SPAN", -65535, 65535, 0);
    label_CHAN_4 = rightLabel(frameCalibServiceADC, "label_CHAN_4", tr("Conc. raw:"));
    doubleSpinBoxChan_2 =
        readOnlyBox(frameCalibServiceADC, "doubleSpinBoxChan_2", -65535, 65535, 2);
    service->addWidget(label_6, 0, 0);
    service->addWidget(doubleSpinBoxChan_Temp_Calib, 0, 1);
    service->addWidget(rightLabel(frameCalibServiceADC, "label_5", tr("АЦП \"0\":")), 1, 0);
    service->addWidget(doubleSpinBoxChan_ADC_ZERO, 1, 1);
    service->addWidget(rightLabel(frameCalibServiceADC, "label_CHAN_2", tr("Те-е АЦП:")), 2, 0);
    service->addWidget(doubleSpinBoxChan_ADC_CURRENT, 2, 1);
    service->addWidget(rightLabel(frameCalibServiceADC, "label_7", tr("АЦП ч-и:")), 3, 0);
    service->addWidget(doubleSpinBoxChan_ADC_SPAN, 3, 1);
    service->addWidget(label_CHAN_4, 4, 0);
    service->addWidget(doubleSpinBoxChan_2, 4, 1);

    bottom->addWidget(frameCalibServiceParam, 3);
    bottom->addWidget(frameCalibServiceADC, 2);
    box->addLayout(bottom);
    QMetaObject::connectSlotsByName(this);
}

QString Calibration_Channel::chartTitle() const
{
    QString formula;
    if (validChannel(channel) && command.registerMap == ClassicMap)
        formula = imageText(command.classicChannels[channel].gasFormula, 10);
    else if (validChannel(channel) && command.registerMap == ExtendedMap)
        formula = imageText(command.extendedChannels[channel].gasFormula, 10);
    return formula + QLatin1Char(' ') + tr("График сенсора");
}

void Calibration_Channel::showParameters(int channel_, int modeBit_)
{
    if (!validChannel(channel_))
        return;
    refreshing = true;
    quint16 page = 0;
    quint16 format = 0;
    quint16 flagsLow = 0;
    const bool classic = command.registerMap == ClassicMap;
    const bool extended = command.registerMap == ExtendedMap;
    if (classic) {
        const ClassicChannelRecord& r = command.classicChannels[channel_];
        groupBox_Chan->setTitle(imageText(r.gasFormula, 10) + QLatin1Char(' ') +
                                tr("Калибровка Сенсора"));
        page = r.channelPage;
        format = r.format;
    } else if (extended) {
        const ExtendedChannelRecord& r = command.extendedChannels[channel_];
        groupBox_Chan->setTitle(imageText(r.gasFormula, 10) + QLatin1Char(' ') +
                                tr("Калибровка Сенсора"));
        page = r.channelPage;
        format = r.format;
        flagsLow = quint16(r.channelFlags);
    }
    channel = quint16(channel_);
    checkBox->setEnabled(true);
    if (extended && !(flagsLow & SelectableBit)) {
        checkBox->setChecked(false);
        checkBox->setEnabled(false);
    }
    unitFactor = safeFactor(command.unitFactor(channel_));
    const bool on = page == channel_;
    groupBox_Chan->setEnabled(on);
    if (!on)
        checkBox->setChecked(false);
    const bool device = format & DeviceCalibratesBit;
    doubleSpinBoxChan_ADC_ZERO->setEnabled(!device);
    doubleSpinBoxChan_ADC_SPAN->setEnabled(!device);
    doubleSpinBoxChan_ADC_CURRENT->setEnabled(!device);

    double value = 0;
    if (classic) {
        const ClassicChannelRecord& r = command.classicChannels[channel_];
        const double raw = modeBit_ == 8 ? (r.limit1 & 0x7FFF) : r.calibrationGas;
        value = raw / effectiveDivisor(r.displayDivisor[1]) * double(unitFactor);
    } else if (extended) {
        const ExtendedChannelRecord& r = command.extendedChannels[channel_];
        value = double(modeBit_ == 8 ? r.limit1 : r.calibrationGas) * double(unitFactor);
    }
    for (QWidget* w :
         {static_cast<QWidget*>(doubleSpinBoxChan_Temp_Chan), static_cast<QWidget*>(label_8),
          static_cast<QWidget*>(doubleSpinBoxChan_Humidity_Chan), static_cast<QWidget*>(label_9),
          static_cast<QWidget*>(doubleSpinBoxChan_Temp_Calib), static_cast<QWidget*>(label_6),
          static_cast<QWidget*>(doubleSpinBoxChan_2), static_cast<QWidget*>(label_CHAN_4)})
        w->setVisible(extended);
    doubleSpinBoxChan->setDecimals((format >> 4) & 3);
    doubleSpinBoxChan->setSuffix(QLatin1Char(' ') + QString::fromLatin1(unitNames[format & 3]));
    doubleSpinBoxChan->setValue(value);
    refreshing = false;
}

void Calibration_Channel::showMeasurements(int channel_)
{
    if (validChannel(channel_)) {
        refreshing = true;
        if (command.registerMap == ClassicMap &&
            command.classicChannels[channel_].channelPage == channel_) {
            const ClassicChannelRecord& r = command.classicChannels[channel_];
            doubleSpinBoxChan_1->setDecimals((r.format >> 4) & 3);
            doubleSpinBoxChan_1->setSuffix(QLatin1Char(' ') +
                                           QString::fromLatin1(unitNames[r.format & 3]));
            const quint16 div = effectiveDivisor(r.displayDivisor[0]);
            const double counts =
                std::nearbyint(double(r.measuredValue) * double(unitFactor) * div);
            const quint16 n = quint16(qBound(0.0, counts, 65535.0));
            doubleSpinBoxChan_1->setValue(double(n) / div);
            doubleSpinBoxChan_ADC_SPAN->setValue(int(r.adcCurrent) - int(r.adcZeroPoint));
            doubleSpinBoxChan_ADC_ZERO->setValue(r.adcZeroPoint);
            doubleSpinBoxChan_ADC_CURRENT->setValue(r.adcCurrent);
            spinBoxIntervalCalib->setValue(r.calibrationInterval);
        } else if (command.registerMap == ExtendedMap &&
                   command.extendedChannels[channel_].channelPage == channel_) {
            const ExtendedChannelRecord& r = command.extendedChannels[channel_];
            doubleSpinBoxChan_1->setDecimals((r.format >> 4) & 3);
            doubleSpinBoxChan_1->setSuffix(QLatin1Char(' ') +
                                           QString::fromLatin1(unitNames[r.format & 3]));
            doubleSpinBoxChan_1->setValue(double(r.measuredValue * unitFactor));
            doubleSpinBoxChan_ADC_SPAN->setValue(int(r.adcCurrent) - int(r.adcZeroPoint));
            doubleSpinBoxChan_ADC_ZERO->setValue(r.adcZeroPoint);
            doubleSpinBoxChan_ADC_CURRENT->setValue(r.adcCurrent);
            spinBoxIntervalCalib->setValue(r.calibrationInterval);
            doubleSpinBoxChan_Temp_Chan->setValue(double(r.sensorTemperature));
            doubleSpinBoxChan_Humidity_Chan->setValue(double(r.sensorHumidity));
            doubleSpinBoxChan_Temp_Calib->setValue(r.zeroCalibrationTemperature / 100.0);
            doubleSpinBoxChan_2->setValue(double(r.rawConcentration * unitFactor));
        }
        refreshing = false;
    }
    pushButton->setText(chart->isVisible() ? tr("Закрыть график") : tr("Открыть график"));
}

void Calibration_Channel::setMode(int mode)
{
    if (mode == 0 || mode == 1) {
        modeBit = quint8(mode);
        label_CHAN->setText(tr("Кал-ый газ:"));
        doubleSpinBoxChan->setReadOnly(false);
        doubleSpinBoxChan->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    } else if (mode == 2) {
        modeBit = 8;
        label_CHAN->setText(tr("Порог 1:"));
        doubleSpinBoxChan->setReadOnly(true);
        doubleSpinBoxChan->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    showParameters(channel, modeBit);
}

TransactionResult Calibration_Channel::writeCalibration(int ch, int bit)
{
    const bool classic = command.registerMap == ClassicMap;
    const bool extended = command.registerMap == ExtendedMap;
    if ((!classic && !extended) || !checkBox->isChecked() || (bit != 0 && bit != 1) ||
        !validChannel(ch))
        return ResultOk;
    const quint16 page = quint16(ch);
    const bool span = bit == 1;
    unsigned result = ResultOk;

    auto refused = [&](quint32 status) {
        return (status & (span ? SpanRefusedBit : ZeroRefusedBit)) != 0;
    };

    if (extended) {
        ExtendedChannelRecord& r = command.extendedChannels[ch];
        const bool device = r.format & DeviceCalibratesBit;
        if (span) {
            r.calibrationGas = float(doubleSpinBoxChan->value() / double(safeFactor(unitFactor)));
            result |= command.transact(16, page, RegExtendedCalibrationGas, 2);
        }
        // Without the new gas value on the device, the span point would be
        // taken against the old one.
        if (resultsOk(result)) {
            if (device) {
                r.channelFlags &= ~quint32(span ? 2 : 1);
                result |= command.transact(16, page, RegChannelFlagsExtended, 2);
                QThread::msleep(DeviceCalibrationWaitMs);
                result |= command.transact(3, page, RegChannelFlagsExtended, 4);
                if (resultsOk(result) && refused(r.channelStatus)) {
                    labelErrChan->setText(tr("Ошибка"));
                    return TransactionResult(result);
                }
            } else {
                quint16 reg = RegExtendedAdcZero;
                if (span) {
                    r.adcSpanPoint = r.adcCurrent;
                    reg = RegExtendedAdcSpan;
                } else {
                    r.adcZeroPoint = r.adcCurrent;
                }
                result |= command.transact(16, page, reg, 1);
            }
        }
    } else {
        ClassicChannelRecord& r = command.classicChannels[ch];
        const bool device = r.format & DeviceCalibratesBit;
        if (span) {
            const double counts =
                std::nearbyint(doubleSpinBoxChan->value() * effectiveDivisor(r.displayDivisor[1]) /
                               double(safeFactor(unitFactor)));
            r.calibrationGas = quint16(qBound(0.0, counts, 65535.0));
            result |= command.transact(16, page, RegClassicCalibrationGas, 1);
        }
        if (resultsOk(result)) {
            if (device) {
                r.channelFlags &= quint16(~(span ? 2u : 1u));
                result |= command.transact(16, page, RegChannelFlagsClassic, 1);
                QThread::msleep(DeviceCalibrationWaitMs);
                result |= command.transact(3, page, RegChannelFlagsClassic, 2);
                if (resultsOk(result) && refused(r.channelStatus)) {
                    labelErrChan->setText(tr("Ошибка"));
                    return TransactionResult(result);
                }
                result |= command.transact(16, page, RegClassicChannelStatus, 1);
            } else {
                if (span) {
                    r.adcSpanPoint = r.adcCurrent;
                    result |= command.transact(16, page, RegClassicAdcSpan, 1);
                    r.channelStatus &= quint16(~SpanRefusedBit);
                } else {
                    r.adcZeroPoint = r.adcCurrent;
                    result |= command.transact(16, page, RegClassicAdcZero, 1);
                    r.channelStatus &= quint16(~ZeroRefusedBit);
                }
                result |= command.transact(16, page, RegClassicChannelStatus, 1);
            }
        }
    }
    labelErrChan->setText(resultsOk(result) ? tr("Выполнено") : tr("Ошибка передачи"));
    return TransactionResult(result);
}

void Calibration_Channel::addChartPoint(int ch, unsigned seconds)
{
    if (!validChannel(ch))
        return;
    quint16 page = 0;
    if (command.registerMap == ClassicMap)
        page = command.classicChannels[ch].channelPage;
    else if (command.registerMap == ExtendedMap)
        page = command.extendedChannels[ch].channelPage;
    else
        return;
    if (page == ch)
        chart->addPoint(seconds);
    else
        chart->close();
}

void Calibration_Channel::on_doubleSpinBoxChan_valueChanged(double arg1)
{
    if (refreshing || modeBit == 8 || !validChannel(channel))
        return;
    if (command.registerMap == ClassicMap) {
        ClassicChannelRecord& r = command.classicChannels[channel];
        const double counts = std::nearbyint(arg1 * effectiveDivisor(r.displayDivisor[1]) /
                                             double(safeFactor(unitFactor)));
        r.calibrationGas = quint16(qBound(0.0, counts, 65535.0));
    } else if (command.registerMap == ExtendedMap) {
        command.extendedChannels[channel].calibrationGas =
            float(arg1 / double(safeFactor(unitFactor)));
    }
}

void Calibration_Channel::on_spinBoxIntervalCalib_valueChanged(int arg1)
{
    if (refreshing || !validChannel(channel))
        return;
    if (command.registerMap == ClassicMap)
        command.classicChannels[channel].calibrationInterval = quint16(arg1);
    else if (command.registerMap == ExtendedMap)
        command.extendedChannels[channel].calibrationInterval = quint16(arg1);
}

void Calibration_Channel::on_pushButton_clicked()
{
    if (chart->isVisible()) {
        pushButton->setText(tr("Открыть график"));
        chart->close();
    } else {
        pushButton->setText(tr("Закрыть график"));
        if (command.registerMap == ClassicMap || command.registerMap == ExtendedMap)
            chart->setWindowTitle(chartTitle());
        chart->show();
    }
}

void Calibration_Channel::onCalibration_Channel_ChartClosed()
{
    pushButton->setText(tr("Открыть график"));
}

void Calibration_Channel::closeEvent(QCloseEvent* event)
{
    chart->close();
    event->accept();
}

void Calibration_Channel::keyPressEvent(QKeyEvent* event)
{
    // Embedded in the page: Escape must not hide the row.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
