#pragma once

#include <QDialog>

class QDateTime;
class QKeyEvent;
class QString;

namespace Ui
{
class DeviceSetting_3_Window;
}

// The device data and archive settings: serial number, hardware version,
// production date and clock, the archive switch, intervals and pointers, and
// the read-only firmware version, BLE MAC and LoRa identifier. Edits change the
// image only; the write road sends them.
class DeviceSetting_3_Window : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceSetting_3_Window(QWidget* parent);
    ~DeviceSetting_3_Window() override;

    void showParameters();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_checkBoxArchive_stateChanged(int arg1);
    void on_doubleSpinBoxHardwareVer_valueChanged(double arg1);
    void on_dateTimeEditDate_dateTimeChanged(const QDateTime& dateTime);
    void on_pushButton_ClearArchiv_clicked();
    void on_spinBoxIntervalArchiv_valueChanged(int arg1);
    void on_spinBoxIntervalArchiv_2_valueChanged(int arg1);
    void on_spinBoxSerialNumber_valueChanged(const QString& arg1);
    void on_dateTimeEditDate_2_dateTimeChanged(const QDateTime& dateTime);

private:
    Ui::DeviceSetting_3_Window* ui;
    // While the page refreshes its boxes from the image, their slots store nothing:
    // a box that bounds a value (an interval byte of 0, a serial number beyond
    // eight digits) or a date the tick conversion moves must not change the image.
    bool refreshing = false;
};
