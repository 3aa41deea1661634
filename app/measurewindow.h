#pragma once

#include <QDialog>

class MeasureWindowConcentration;
class MeasureWindowDateLastCalib;
class QKeyEvent;

namespace Ui
{
class MeasureWindow;
}

// Tab 0: the detector's status at a glance, with a running text log.
class MeasureWindow : public QDialog
{
    Q_OBJECT

public:
    explicit MeasureWindow(QWidget* parent);
    ~MeasureWindow() override;

    void createChannelWidgets();
    void showParameters();

    // The code list of the current image ("A00, E06, FA3"), as the page shows it.
    QString codeText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool slotShown(int slot) const { return channelPages[slot] == slot; }
    void takeCopies();

    Ui::MeasureWindow* ui;
    quint8 channelPages[10] = {};
    quint16 channelStatuses[10] = {};
    quint16 sensorStatuses[10] = {};
    quint16 channelFormats[10] = {};
    quint16 sensorTypes[10] = {};
    quint16 deviceStatusCopy = 0;
};

extern MeasureWindowConcentration* concentrationWidgets[10];
extern MeasureWindowDateLastCalib* dateLastCalibWidgets[10];
