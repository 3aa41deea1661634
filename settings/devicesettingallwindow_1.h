#pragma once

#include <QDialog>

class DeviceSetting_5_Window;

namespace Ui
{
class DeviceSettingAllWindow_1;
}

// Tab 6 of the production level: the device options page, with the same
// configuration file choice and load as tab 5.
class DeviceSettingAllWindow_1 : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceSettingAllWindow_1(QWidget* parent);
    ~DeviceSettingAllWindow_1() override;

    void showParameters();
    // Stores the GNSS rows the operator changed into the image.
    void collectParameters();

private slots:
    void on_pushButton_FileConfig_clicked();
    void on_pushButton_ReadConfig_clicked();

private:
    Ui::DeviceSettingAllWindow_1* ui;
};

extern DeviceSetting_5_Window* deviceSetting5Window;
