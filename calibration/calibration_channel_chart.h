#pragma once

#include <QWidget>

class QCustomPlot;
class QSpinBox;
namespace Ui
{
class Calibration_Channel_Chart;
}

// The live concentration chart of one channel: one point per second of a
// calibration procedure, the time axis in hh:mm:ss.
class Calibration_Channel_Chart : public QWidget
{
    Q_OBJECT
public:
    Calibration_Channel_Chart(QWidget* parent, int channel);
    ~Calibration_Channel_Chart() override;

    void addPoint(unsigned seconds);
    void setupPlot(QCustomPlot* plot);
    void setTimeWindow(unsigned seconds);

    QCustomPlot* plot() const { return ChannelChart; }
    QSpinBox* timeWindowBox() const { return spinBox; }

signals:
    void windowClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_spinBox_valueChanged(int arg1);

private:
    Ui::Calibration_Channel_Chart* ui;
    QCustomPlot* ChannelChart = nullptr;
    QSpinBox* spinBox = nullptr;
    float unitFactor = 1;
    quint16 channel;
    quint32 timeWindow = 60;
    quint32 penColours[10];
};
