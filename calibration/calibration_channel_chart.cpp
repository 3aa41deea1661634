#include "calibration_channel_chart.h"

#include "command.h"
#include "fieldguards.h"
#include "optiontables.h"
#include "ui_calibration_channel_chart.h"

#include <QCloseEvent>
#include <QSet>
#include <QSpinBox>

#include <qcustomplot.h>

namespace
{

quint16 channelFormat(int channel)
{
    if (channel < 0 || channel >= ChannelSlots)
        return 0;
    if (command.registerMap == ClassicMap)
        return command.classicChannels[channel].format;
    if (command.registerMap == ExtendedMap)
        return command.extendedChannels[channel].format;
    return 0;
}

// The y axis of a calibration is often narrow (a few tenths around a value);
// its ticks then fall between the channel's decimals and would repeat labels
// ("3.7, 3.7"). This ticker adds decimals until every label is its own.
class DistinctLabelTicker : public QCPAxisTicker
{
protected:
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale,
                                       QChar formatChar, int precision) override
    {
        constexpr int MaxExtraDecimals = 6;
        QVector<QString> labels;
        for (int p = qMax(0, precision); p <= qMax(0, precision) + MaxExtraDecimals; ++p) {
            labels = QCPAxisTicker::createLabelVector(ticks, locale, formatChar, p);
            const QSet<QString> unique(labels.cbegin(), labels.cend());
            if (unique.size() == labels.size())
                break;
        }
        return labels;
    }
};

} // namespace

Calibration_Channel_Chart::Calibration_Channel_Chart(QWidget* parent, int channel_)
    : QWidget(parent), ui(new Ui::Calibration_Channel_Chart), channel(quint16(channel_))
{
    const quint32 colours[10] = {0x000080, 0x800000, 0x008000, 0xFF8C00, 0x0000FF,
                                 0xFF0000, 0x00FF00, 0xFFFF00, 0x800080, 0xFF00FF};
    std::copy(colours, colours + 10, penColours);

    ui->setupUi(this);
    ChannelChart = ui->ChannelChart;
    spinBox = ui->spinBox;

    spinBox->setValue(int(timeWindow));
    setupPlot(ChannelChart);
    // A window of its own, outside the page that guards its boxes.
    PageGuard::install(this);
}

Calibration_Channel_Chart::~Calibration_Channel_Chart()
{
    delete ui;
}

void Calibration_Channel_Chart::setupPlot(QCustomPlot* plot)
{
    const quint16 format = channelFormat(channel);
    plot->addGraph();
    plot->graph(0)->setPen(QPen(QColor(QRgb(penColours[channel % 10]))));
    QSharedPointer<QCPAxisTickerTime> ticker(new QCPAxisTickerTime);
    ticker->setTimeFormat(QStringLiteral("%h:%m:%s"));
    plot->xAxis->setTicker(ticker);
    plot->xAxis->setLabel(tr("Время"));
    plot->axisRect(0)->setupFullAxesBox(false);
    plot->yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new DistinctLabelTicker));
    plot->yAxis->setRange(-1, 1);
    plot->yAxis->setNumberFormat(QStringLiteral("f"));
    plot->yAxis->setNumberPrecision(decimalsOf(format));
    plot->yAxis->setLabel(QString::fromLatin1(unitNames[displayUnitOf(format)]));
}

void Calibration_Channel_Chart::addPoint(unsigned s)
{
    unitFactor = command.unitFactor(channel);
    quint16 format = 0;
    double value = 0;
    if (channel < ChannelSlots && command.registerMap == ClassicMap) {
        format = command.classicChannels[channel].format;
        value = double(command.classicChannels[channel].measuredValue * unitFactor);
    } else if (channel < ChannelSlots && command.registerMap == ExtendedMap) {
        format = command.extendedChannels[channel].format;
        value = double(command.extendedChannels[channel].measuredValue * unitFactor);
    }
    if (s <= 1) {
        ChannelChart->removeGraph(0);
        ChannelChart->addGraph();
        ChannelChart->graph(0)->setPen(QPen(QColor(QRgb(penColours[channel % 10]))));
    }
    ChannelChart->yAxis->setNumberPrecision(decimalsOf(format));
    ChannelChart->yAxis->setLabel(QString::fromLatin1(unitNames[displayUnitOf(format)]));
    ChannelChart->graph(0)->addData(s, value);
    // A time window of 0 would collapse the axis; one second is the least it shows.
    const double size = qMax(1.0, double(qMin<quint32>(s, timeWindow)));
    ChannelChart->xAxis->setRange(s, size, Qt::AlignRight);
    bool found = false;
    const QCPRange keys = ChannelChart->xAxis->range();
    QCPRange values = ChannelChart->graph(0)->getValueRange(found, QCP::sdBoth, keys);
    double margin = (values.upper - values.lower) * 0.1;
    if (margin == 0)
        margin = 1.0;
    ChannelChart->yAxis->setRange(values.lower - margin, values.upper + margin);
    ChannelChart->replot(QCustomPlot::rpRefreshHint);
}

void Calibration_Channel_Chart::setTimeWindow(unsigned s)
{
    timeWindow = s;
    if (!ChannelChart)
        return;
    const double upper = ChannelChart->xAxis->range().upper;
    ChannelChart->xAxis->setRange(upper, qMax(1.0, double(s)), Qt::AlignRight);
    ChannelChart->replot(QCustomPlot::rpRefreshHint);
}

void Calibration_Channel_Chart::on_spinBox_valueChanged(int arg1)
{
    setTimeWindow(unsigned(qMax(0, arg1)));
}

void Calibration_Channel_Chart::closeEvent(QCloseEvent* event)
{
    emit windowClosed();
    event->accept();
}
