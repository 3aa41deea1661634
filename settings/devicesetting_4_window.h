#pragma once

#include <QDialog>

// Stand-in for the channel set-up page of the production tab: the host places
// it and calls it, it shows nothing and stores nothing. The full page replaces
// this file and its source.
class DeviceSetting_4_Window : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceSetting_4_Window(QWidget* parent = nullptr);
    ~DeviceSetting_4_Window() override;

    void showParameters(int channel);
    void collectTables(int channel);
};
