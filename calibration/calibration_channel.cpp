#include "calibration_channel.h"

#include "accesslevel.h"
#include "calibration_channel_chart.h"
#include "command.h"
#include "optiontables.h"
#include "rounding.h"
#include "ui_calibration_channel.h"
#include "units.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QThread>

#include <cmath>

Calibration_Channel* calibrationChannelWidgets[10] = {};

namespace
{

// The device needs this long to calibrate a channel on its own before its
// status word tells the result.
constexpr unsigned long DeviceCalibrationWaitMs = 1500;

bool validChannel(int channel)
{
    return channel >= 0 && channel < ChannelSlots;
}

float safeFactor(float f)
{
    return (f == 0 || !std::isfinite(f)) ? 1.0f : f;
}

} // namespace

Calibration_Channel::Calibration_Channel(QWidget* parent, int channel_)
    : QDialog(parent), ui(new Ui::Calibration_Channel), channel(quint16(channel_))
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
    // The chart goes with its row, never outlives it.
    if (chart) {
        chart->disconnect(this);
        chart->close();
        delete chart;
    }
    delete ui;
}

void Calibration_Channel::setupForm()
{
    ui->setupUi(this);
    groupBox_Chan = ui->groupBox_Chan;
    pushButton = ui->pushButton;
    checkBox = ui->checkBox;
    labelErrChan = ui->labelErrChan;
    frameCalibServiceParam = ui->frameCalibServiceParam;
    spinBoxIntervalCalib = ui->spinBoxIntervalCalib;
    label_CHAN = ui->label_CHAN;
    doubleSpinBoxChan = ui->doubleSpinBoxChan;
    doubleSpinBoxChan_1 = ui->doubleSpinBoxChan_1;
    label_8 = ui->label_8;
    doubleSpinBoxChan_Temp_Chan = ui->doubleSpinBoxChan_Temp_Chan;
    label_9 = ui->label_9;
    doubleSpinBoxChan_Humidity_Chan = ui->doubleSpinBoxChan_Humidity_Chan;
    frameCalibServiceADC = ui->frameCalibServiceADC;
    label_6 = ui->label_6;
    doubleSpinBoxChan_Temp_Calib = ui->doubleSpinBoxChan_Temp_Calib;
    doubleSpinBoxChan_ADC_ZERO = ui->doubleSpinBoxChan_ADC_ZERO;
    doubleSpinBoxChan_ADC_CURRENT = ui->doubleSpinBoxChan_ADC_CURRENT;
    doubleSpinBoxChan_ADC_SPAN = ui->doubleSpinBoxChan_ADC_SPAN;
    label_CHAN_4 = ui->label_CHAN_4;
    doubleSpinBoxChan_2 = ui->doubleSpinBoxChan_2;
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
    if (extended && !(flagsLow & ChannelFlagBits::Calibratable)) {
        checkBox->setChecked(false);
        checkBox->setEnabled(false);
    }
    unitFactor = safeFactor(command.unitFactor(channel_));
    const bool on = page == channel_;
    groupBox_Chan->setEnabled(on);
    if (!on)
        checkBox->setChecked(false);
    const bool device = format & FormatBits::DeviceCalibrates;
    doubleSpinBoxChan_ADC_ZERO->setEnabled(!device);
    doubleSpinBoxChan_ADC_SPAN->setEnabled(!device);
    doubleSpinBoxChan_ADC_CURRENT->setEnabled(!device);

    double value = 0;
    if (classic) {
        const ClassicChannelRecord& r = command.classicChannels[channel_];
        const double raw = modeBit_ == 8 ? (r.limit1 & ClassicLimitValueMask) : r.calibrationGas;
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
    doubleSpinBoxChan->setDecimals(decimalsOf(format));
    doubleSpinBoxChan->setSuffix(QLatin1Char(' ') +
                                 QString::fromLatin1(unitNames[displayUnitOf(format)]));
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
            doubleSpinBoxChan_1->setDecimals(decimalsOf(r.format));
            doubleSpinBoxChan_1->setSuffix(QLatin1Char(' ') +
                                           QString::fromLatin1(unitNames[displayUnitOf(r.format)]));
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
            doubleSpinBoxChan_1->setDecimals(decimalsOf(r.format));
            doubleSpinBoxChan_1->setSuffix(QLatin1Char(' ') +
                                           QString::fromLatin1(unitNames[displayUnitOf(r.format)]));
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
    pushButton->setText(chart && chart->isVisible() ? tr("Закрыть график") : tr("Открыть график"));
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
        return (status & (span ? ChannelStatusBits::SpanFailed : ChannelStatusBits::ZeroFailed)) !=
               0;
    };

    if (extended) {
        ExtendedChannelRecord& r = command.extendedChannels[ch];
        const bool device = r.format & FormatBits::DeviceCalibrates;
        if (span) {
            r.calibrationGas = float(doubleSpinBoxChan->value() / double(safeFactor(unitFactor)));
            result |= command.transact(16, page, RegExtendedCalibrationGas, 2);
        }
        // Without the new gas value on the device, the span point would be
        // taken against the old one.
        if (resultsOk(result)) {
            if (device) {
                r.channelFlags &=
                    ~(span ? ChannelFlagBits::SpanRequest : ChannelFlagBits::ZeroRequest);
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
        const bool device = r.format & FormatBits::DeviceCalibrates;
        if (span) {
            r.calibrationGas = roundedInto<quint16>(doubleSpinBoxChan->value() *
                                                    effectiveDivisor(r.displayDivisor[1]) /
                                                    double(safeFactor(unitFactor)));
            result |= command.transact(16, page, RegClassicCalibrationGas, 1);
        }
        if (resultsOk(result)) {
            if (device) {
                r.channelFlags &=
                    quint16(~(span ? ChannelFlagBits::SpanRequest : ChannelFlagBits::ZeroRequest));
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
                    r.channelStatus &= quint16(~ChannelStatusBits::SpanFailed);
                } else {
                    r.adcZeroPoint = r.adcCurrent;
                    result |= command.transact(16, page, RegClassicAdcZero, 1);
                    r.channelStatus &= quint16(~ChannelStatusBits::ZeroFailed);
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
    if (!chart)
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
        r.calibrationGas = roundedInto<quint16>(arg1 * effectiveDivisor(r.displayDivisor[1]) /
                                                double(safeFactor(unitFactor)));
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
    if (!chart)
        return;
    if (chart->isVisible()) {
        pushButton->setText(tr("Открыть график"));
        chart->close();
    } else {
        pushButton->setText(tr("Закрыть график"));
        if (command.registerMap == ClassicMap || command.registerMap == ExtendedMap)
            chart->setWindowTitle(chartTitle());
        attachChart();
        placeChart();
        chart->show();
    }
}

void Calibration_Channel::placeChart()
{
    // The chart is a window of its own, which the system would place where it likes,
    // partly below the screen's edge or under the task bar. The first time it opens
    // over the calibration page; every time it is kept, frame and title bar included,
    // inside the free area of the screen that shows the page.
    QWidget* const page = window();
    QScreen* screen = page->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Before its first show the window has no frame yet: allow for a usual one.
    QMargins frame(chart->geometry().left() - chart->frameGeometry().left(),
                   chart->geometry().top() - chart->frameGeometry().top(),
                   chart->frameGeometry().right() - chart->geometry().right(),
                   chart->frameGeometry().bottom() - chart->geometry().bottom());
    if (frame.isNull())
        frame = QMargins(8, 31, 8, 8);
    QRect outer = chart->geometry().marginsAdded(frame);
    if (!chart->testAttribute(Qt::WA_Moved))
        outer.moveCenter(page->frameGeometry().center());
    if (outer.right() > area.right())
        outer.moveRight(area.right());
    if (outer.bottom() > area.bottom())
        outer.moveBottom(area.bottom());
    if (outer.left() < area.left())
        outer.moveLeft(area.left());
    if (outer.top() < area.top())
        outer.moveTop(area.top());
    chart->move(outer.topLeft());
}

void Calibration_Channel::attachChart()
{
    // A window of its own falls behind the main window at the first click there,
    // while the row's button still reads "Закрыть график". A tool window of the
    // main window stays above it. The row is placed in the main window only after
    // its construction, so the chart is attached when it is first shown; its
    // place on the screen stays as it was.
    QWidget* const top = window();
    if (top == chart || chart->parentWidget() == top)
        return;
    const QPoint place = chart->pos();
    const bool moved = chart->testAttribute(Qt::WA_Moved);
    chart->setParent(top, Qt::Tool);
    chart->move(place);
    chart->setAttribute(Qt::WA_Moved, moved);
}

void Calibration_Channel::onCalibration_Channel_ChartClosed()
{
    pushButton->setText(tr("Открыть график"));
}

void Calibration_Channel::closeEvent(QCloseEvent* event)
{
    if (chart)
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
