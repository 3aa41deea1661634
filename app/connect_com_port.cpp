#include "connect_com_port.h"
#include "ui_connect_com_port.h"

#include "accounts.h"
#include "command.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "mainwindow.h"
#include "statusline.h"

#include <QElapsedTimer>
#include <QSerialPortInfo>

QStringList extraPortNames;
int handshakeReplyWaitMs = 100;

namespace
{

const QString connectText = QStringLiteral("Connect");
const QString disconnectText = QStringLiteral("Disconnect");

constexpr int HandshakeAttempts = 6;
constexpr int HandshakeWrittenMs = 100;
constexpr int ReplyTailMs = 10;

struct OfflineModel {
    const char* text;
    quint16 modelCode;
    quint16 registerMap;
};

const OfflineModel offlineModels[] = {
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T2 v0.01"), ModelT2Classic, ClassicMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T6 v0.01"), ModelT6, ClassicMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T6 Max(4) v0.01"), ModelT6M4, ClassicMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T6 Max v0.01"), ModelT6M, ClassicMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T2 v0.02"), ModelT2, ExtendedMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T6 v0.02"), ModelT6, ExtendedMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T6 Max(4) v0.02"), ModelT6M4, ExtendedMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T6 Max v0.02"), ModelT6M, ExtendedMap},
    {QT_TRANSLATE_NOOP("Connect_com_port", "QIRO T8 Max v0.02"), ModelT8M, ExtendedMap},
};

} // namespace

Connect_com_port::Connect_com_port(QWidget* parent) : QDialog(parent), ui(new Ui::Connect_com_port)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Only the production login may talk to another slave address.
    if (currentAccessLevel() == AccessLevel::Industry && command.password == industryPassword) {
        ui->spinBoxModbusAddress->show();
        ui->spinBoxModbusAddress->setValue(command.modbusAddress);
    } else {
        ui->spinBoxModbusAddress->hide();
        command.modbusAddress = 255;
        ui->spinBoxModbusAddress->setValue(255);
    }

    if (command.serialPort.isOpen()) {
        ui->Button_connect->setText(disconnectText);
        ui->Button_Rescan->setEnabled(false);
        fillPortList();
        const int index = ui->cb_Com->findText(command.portName);
        if (index >= 0)
            ui->cb_Com->setCurrentIndex(index);
    } else {
        fillPortList();
        command.portName = ui->cb_Com->currentText();
        command.modelCode = ModelNone;
    }
    PageGuard::install(this);
}

Connect_com_port::~Connect_com_port()
{
    delete ui;
}

void Connect_com_port::fillPortList()
{
    ui->cb_Com->clear();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ui->cb_Com->addItem(info.portName());
    ui->cb_Com->addItems(extraPortNames);
}

void Connect_com_port::report(bool warning, const QString& text)
{
    statusline::show(text);
    if (warning)
        dialogs::warning(this, tr("Подключение"), text);
    else
        dialogs::information(this, tr("Подключение"), text);
}

void Connect_com_port::on_Button_connect_clicked()
{
    const QString state = ui->Button_connect->text();
    if (state == disconnectText) {
        command.connected = 0;
        disconnectPort();
        return;
    }
    if (state != connectText)
        return;

    QSerialPort& port = command.serialPort;
    port.setPortName(command.portName);
    port.setBaudRate(115200, QSerialPort::AllDirections);
    port.setStopBits(QSerialPort::OneStop);
    port.setParity(QSerialPort::NoParity);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite)) {
        command.connected = 0;
        report(false, tr("Не открывает COM port"));
        return;
    }
    command.connected = 1;
    if (mainWindow)
        mainWindow->offlineWork = false;
    // Another device may be on this line now: its layout is not known.
    command.registerMapProbed = false;
    command.registerMapDecided = false;
    port.clearError();
    port.clear(QSerialPort::AllDirections);

    if (!handshake()) {
        report(true, tr("COM port устройство не отвечает на запросы"));
        port.close();
        command.connected = 0;
        return;
    }

    if (command.transact(4, DevicePage, RegModelCode, 1) == ResultOk) {
        identifyDevice();
        return;
    }
    sendDeactivate();
    report(true, tr("Ошибка обмена данными с прибором"));
    port.close();
    command.connected = 0;
}

bool Connect_com_port::handshake()
{
    QSerialPort& port = command.serialPort;
    QByteArray reply;
    for (int attempt = 0; attempt < HandshakeAttempts; ++attempt) {
        port.write("ACTIV", 5);
        port.waitForBytesWritten(HandshakeWrittenMs);
        if (port.waitForReadyRead(handshakeReplyWaitMs)) {
            reply = port.readAll();
            // A line that never falls silent (another device, noise) must not
            // hold the window: the answer is five bytes, so a short tail does.
            QElapsedTimer tail;
            tail.start();
            while (reply.size() < 64 && tail.elapsed() < 100 && port.waitForReadyRead(ReplyTailMs))
                reply += port.readAll();
        }
        const int nul = reply.indexOf('\0');
        if ((nul >= 0 ? reply.left(nul) : reply) == "ACTIV")
            return true;
    }
    return false;
}

void Connect_com_port::sendDeactivate()
{
    // A failed reopen after a write time-out leaves the port closed.
    if (!command.serialPort.isOpen())
        return;
    command.serialPort.write("DEACTIV", 7);
    // Closing the port drops whatever is still queued, so the text must be on
    // the line before the port is closed.
    command.serialPort.waitForBytesWritten(HandshakeWrittenMs);
}

void Connect_com_port::identifyDevice()
{
    if (mainWindow && mainWindow->setDeviceModel(command.modelCode)) {
        ui->Button_connect->setText(disconnectText);
        ui->Button_Rescan->setEnabled(false);
        close();
        return;
    }
    sendDeactivate();
    report(true, tr("Прибор не опознан"));
    disconnectPort();
}

void Connect_com_port::disconnectPort()
{
    command.modelCode = ModelNone;
    // An unsaved archive clear belongs to the device that was connected.
    command.archiveClearPending = false;
    ui->Button_connect->setText(connectText);
    ui->Button_Rescan->setEnabled(true);
    command.serialPort.close();
    command.connected = 0;
}

void Connect_com_port::on_Button_Rescan_clicked()
{
    fillPortList();
    command.modelCode = ModelNone;
}

void Connect_com_port::on_cb_Com_activated(const QString& text)
{
    command.portName = text;
    disconnectPort();
}

void Connect_com_port::on_spinBoxModbusAddress_valueChanged(int value)
{
    command.modbusAddress = quint16(value);
}

void Connect_com_port::on_Button_Out_clicked()
{
    if (ui->Button_connect->text() == connectText) {
        QStringList names;
        for (const OfflineModel& model : offlineModels)
            names << tr(model.text);
        bool ok = false;
        const Qt::WindowFlags flags =
            Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const QString chosen =
            dialogs::getItem(nullptr, tr("Offline режим"), tr("Выберите имя устройства:"), names, 0,
                             false, &ok, flags);
        const int index = names.indexOf(chosen);
        if (ok && index >= 0 && mainWindow) {
            mainWindow->offlineWork = true;
            mainWindow->setDeviceModel(offlineModels[index].modelCode);
            command.registerMap = offlineModels[index].registerMap;
        }
    }
    close();
}
