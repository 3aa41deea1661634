#include "measurewindowconcentration.h"

#include "command.h"
#include "optiontables.h"
#include "ui_measurewindowconcentration.h"
#include "ui_measurewindowdatelastcalib.h"

#include <QDateTime>

#include <cmath>

namespace
{

struct ChannelView {
    QString gasFormula;
    quint16 format = 0;
    quint32 channelStatus = 0;
    float measuredValue = 0;
    quint16 displayDivisor = 1;
    quint32 lastCalibrationDate = 0;
};

bool channelView(int slot, ChannelView& v)
{
    if (slot < 0 || slot >= ChannelSlots)
        return false;
    if (command.registerMap == ClassicMap) {
        const auto& r = command.classicChannels[slot];
        v = {imageText(r.gasFormula, sizeof r.gasFormula),
             r.format,
             r.channelStatus,
             r.measuredValue,
             r.displayDivisor[0],
             r.lastCalibrationDate};
        return true;
    }
    if (command.registerMap == ExtendedMap) {
        const auto& r = command.extendedChannels[slot];
        v = {imageText(r.gasFormula, sizeof r.gasFormula),
             r.format,
             r.channelStatus,
             r.measuredValue,
             r.displayDivisor[0],
             r.lastCalibrationDate};
        return true;
    }
    return false;
}

constexpr quint32 SensorFailedBit = 1u << 6;

} // namespace

MeasureWindowConcentration::MeasureWindowConcentration(QWidget* parent, int channel_)
    : QDialog(parent), ui(new Ui::MeasureWindowConcentration), channel(quint16(channel_))
{
    ui->setupUi(this);
    showParameters(channel_);
}

MeasureWindowConcentration::~MeasureWindowConcentration()
{
    delete ui;
}

double MeasureWindowConcentration::displayedValue(float measuredValue, quint16 divisor) const
{
    const double factor = displayFactor;
    if (command.registerMap == ExtendedMap)
        return double(measuredValue) * factor;
    // Classic values are rounded to the displayed decimals (ties to even) first.
    // No 16-bit cut: a high reading must never wrap round to a low one.
    const double d = effectiveDivisor(divisor);
    const double units = std::nearbyint(double(measuredValue) * factor * d);
    return units / d;
}

void MeasureWindowConcentration::showParameters(int slot)
{
    ChannelView v;
    if (!channelView(slot, v))
        return;
    ui->doubleSpinBoxChan->setEnabled(!(v.channelStatus & SensorFailedBit));
    channel = quint16(slot);
    displayFactor = command.unitFactor(slot);
    ui->label_Chan->setText(tr("Канал ") + v.gasFormula);
    ui->doubleSpinBoxChan->setDecimals(decimalsOf(v.format));
    ui->doubleSpinBoxChan->setSuffix(
        QStringLiteral(" ") + QString::fromLatin1(optionName(unitNames, displayUnitOf(v.format))));
    ui->doubleSpinBoxChan->setValue(displayedValue(v.measuredValue, v.displayDivisor));
}

void MeasureWindowConcentration::insertLogColumn(QString& line, int position) const
{
    ChannelView v;
    if (!channelView(channel, v))
        return;
    const QString value =
        (v.channelStatus & SensorFailedBit) ? tr("Err") : ui->doubleSpinBoxChan->text();
    placeLogColumn(line, position, v.gasFormula + QStringLiteral(" - ") + value);
}

void MeasureWindowConcentration::placeLogColumn(QString& line, int position, const QString& text)
{
    // Short lines keep the columns aligned; a column never goes inside text already on the
    // line (long code lists would be cut apart), it follows the line's end after one blank.
    if (line.size() < position)
        line = line.leftJustified(position, QLatin1Char(' '));
    else
        line += QLatin1Char(' ');
    line += text;
}

MeasureWindowDateLastCalib::MeasureWindowDateLastCalib(QWidget* parent, int channel_)
    : QDialog(parent), ui(new Ui::MeasureWindowDateLastCalib), channel(quint16(channel_))
{
    ui->setupUi(this);
    showParameters(channel_);
}

MeasureWindowDateLastCalib::~MeasureWindowDateLastCalib()
{
    delete ui;
}

void MeasureWindowDateLastCalib::showParameters(int slot)
{
    channel = quint16(slot);
    ChannelView v;
    if (!channelView(slot, v))
        return;
    ui->label_Chan->setText(tr("Канал ") + v.gasFormula);
    ui->dateTimeEditDateLastCalib->setDateTime(dateFromTicks(v.lastCalibrationDate));
}
