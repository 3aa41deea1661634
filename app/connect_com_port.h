#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

namespace Ui
{
class Connect_com_port;
}

// Ports that the platform's port list does not show, offered after the ports
// it does (a pseudo-terminal standing in for a detector, for instance).
extern QStringList extraPortNames;
// How long each "ACTIV" attempt waits for the answer, in milliseconds. The device
// answers well within it; a stand-in for the device on a busy PC may answer later,
// and its tests wait longer so that a late answer is not taken for the next attempt's.
extern int handshakeReplyWaitMs;

// The connection dialog: opens a serial port, runs the "ACTIV" handshake,
// reads and identifies the model, disconnects, or picks a model for offline
// work. Its state lives in `command`; the button text tells whether a device
// is connected.
class Connect_com_port : public QDialog
{
    Q_OBJECT

public:
    explicit Connect_com_port(QWidget* parent);
    ~Connect_com_port() override;

private slots:
    void on_Button_connect_clicked();
    void on_Button_Rescan_clicked();
    void on_Button_Out_clicked();
    void on_cb_Com_activated(const QString& text);
    void on_spinBoxModbusAddress_valueChanged(int value);

private:
    void identifyDevice();
    void disconnectPort();

    void fillPortList();
    bool handshake();
    void sendDeactivate();
    void report(bool warning, const QString& text);

    Ui::Connect_com_port* ui;
};
