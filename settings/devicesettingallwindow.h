#pragma once

#include <QDialog>

class QPushButton;

class DeviceSetting_3_Window;
class DeviceSetting_4_Window;

namespace Ui
{
class DeviceSettingAllWindow;
}

// Tab 5 of the production level: the channel choice, the channel set-up page,
// the configuration file choice and load, and "Сохр\nтаблицу", which writes the
// shown channel's correction tables to the device at once.
class DeviceSettingAllWindow : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceSettingAllWindow(QWidget* parent);
    ~DeviceSettingAllWindow() override;

    void showParameters();
    // Stores the shown channel's table cells into the image.
    void collectParameters();

private slots:
    void on_comboBoxChannelNum_activated(int index);
    void on_pushButton_FileConfig_clicked();
    void on_pushButton_ReadConfig_clicked();
    void on_pushButton_clicked();

private:
    Ui::DeviceSettingAllWindow* ui;
};

// The configuration file choice of both production hosts: the chosen name goes into the
// settings and onto the host's button.
void chooseConfigurationFile(QWidget* parent, QPushButton* button);

extern DeviceSetting_3_Window* deviceSetting3Window;
extern DeviceSetting_4_Window* deviceSetting4Window;
