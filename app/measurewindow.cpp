#include "measurewindow.h"

#include "accesslevel.h"
#include "command.h"
#include "fieldguards.h"
#include "measurewindowconcentration.h"
#include "modeltraits.h"
#include "ui_measurewindow.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStackedWidget>

#include <cmath>

MeasureWindowConcentration* concentrationWidgets[10] = {};
MeasureWindowDateLastCalib* dateLastCalibWidgets[10] = {};

namespace
{

QStackedWidget* host(Ui::MeasureWindow* ui, bool concentration, int slot)
{
    QStackedWidget* const concentrationHosts[10] = {
        ui->stackedWidgetconcentration,   ui->stackedWidgetconcentration_1,
        ui->stackedWidgetconcentration_2, ui->stackedWidgetconcentration_3,
        ui->stackedWidgetconcentration_4, ui->stackedWidgetconcentration_5,
        ui->stackedWidgetconcentration_6, ui->stackedWidgetconcentration_7,
        ui->stackedWidgetconcentration_8, ui->stackedWidgetconcentration_9};
    QStackedWidget* const calibrationHosts[10] = {
        ui->stackedWidgetdatalastcalib,   ui->stackedWidgetdatalastcalib_1,
        ui->stackedWidgetdatalastcalib_2, ui->stackedWidgetdatalastcalib_3,
        ui->stackedWidgetdatalastcalib_4, ui->stackedWidgetdatalastcalib_5,
        ui->stackedWidgetdatalastcalib_6, ui->stackedWidgetdatalastcalib_7,
        ui->stackedWidgetdatalastcalib_8, ui->stackedWidgetdatalastcalib_9};
    return concentration ? concentrationHosts[slot] : calibrationHosts[slot];
}

int shownSlots()
{
    return command.channelSlotsInUse();
}

quint8 channelPageOf(int slot)
{
    return quint8((command.registerMap == ClassicMap ? command.classicChannels[slot].channelPage
                                                     : command.extendedChannels[slot].channelPage) &
                  0xFF);
}

bool isT2(quint16 model)
{
    return traitsOf(model).group == ModelGroup::T2;
}

} // namespace

MeasureWindow::MeasureWindow(QWidget* parent) : QDialog(parent), ui(new Ui::MeasureWindow)
{
    ui->setupUi(this);
    // The running log is written in fixed columns.
    ui->TextOut->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    createChannelWidgets();
    showParameters();
    if (isT2(command.modelCode)) {
        ui->progressBarCharge->hide();
        ui->label->hide();
    }
    PageGuard::install(this);
}

MeasureWindow::~MeasureWindow()
{
    delete ui;
}

void MeasureWindow::keyPressEvent(QKeyEvent* event)
{
    // Embedded in a tab: Escape must not close the page.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void MeasureWindow::createChannelWidgets()
{
    for (int slot = 0; slot < shownSlots(); ++slot)
        channelPages[slot] = channelPageOf(slot);
    for (int slot = 0; slot < ChannelSlots; ++slot) {
        concentrationWidgets[slot] = new MeasureWindowConcentration(this, slot);
        host(ui, true, slot)->hide();
    }
    for (int slot = 0; slot < shownSlots(); ++slot) {
        QStackedWidget* h = host(ui, true, slot);
        h->setVisible(slotShown(slot));
        h->insertWidget(0, concentrationWidgets[slot]);
        h->setCurrentIndex(0);
    }
    for (int slot = 0; slot < ChannelSlots; ++slot) {
        dateLastCalibWidgets[slot] = new MeasureWindowDateLastCalib(this, slot);
        host(ui, false, slot)->hide();
    }
    for (int slot = 0; slot < shownSlots(); ++slot) {
        QStackedWidget* h = host(ui, false, slot);
        h->setVisible(slotShown(slot));
        h->insertWidget(0, dateLastCalibWidgets[slot]);
        h->setCurrentIndex(0);
    }
}

void MeasureWindow::takeCopies()
{
    const bool classic = command.registerMap == ClassicMap;
    for (int slot = 0; slot < shownSlots(); ++slot) {
        if (classic) {
            const auto& r = command.classicChannels[slot];
            channelPages[slot] = quint8(r.channelPage & 0xFF);
            channelStatuses[slot] = r.channelStatus;
            sensorStatuses[slot] = r.sensorStatus;
            channelFormats[slot] = r.format;
            sensorTypes[slot] = r.sensorType;
        } else {
            const auto& r = command.extendedChannels[slot];
            channelPages[slot] = quint8(r.channelPage & 0xFF);
            channelStatuses[slot] = quint16(r.channelStatus & 0xFFFF);
            sensorStatuses[slot] = r.sensorStatus;
            channelFormats[slot] = r.format;
            sensorTypes[slot] = r.sensorType;
        }
    }
    deviceStatusCopy = classic ? command.classicDevice.deviceStatus
                               : quint16(command.extendedDevice.deviceStatus & 0xFFFF);
}

QString MeasureWindow::codeText() const
{
    QStringList codes;
    const auto hex2 = [](int v) { return QString("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); };
    for (int n = 0; n < shownSlots(); ++n) {
        if (!slotShown(n))
            continue;
        const quint16 status = channelStatuses[n];
        if (status & 0x03FF) {
            for (int b = 0; b <= 9; ++b) {
                if (!(status & (1u << b)))
                    continue;
                const QString letter = b <= 5 ? tr("A") : b == 6 ? tr("E") : tr("W");
                codes << letter + hex2(16 * n + b);
            }
        }
        if (channelFormats[n] & FormatBits::DeviceCalibrates) {
            const QString tail = QString("%1_ST-%2")
                                     .arg(n, 1, 16)
                                     .toUpper()
                                     .arg(sensorStatuses[n], 4, 16, QLatin1Char('0'))
                                     .toUpper();
            if (command.registerMap == ClassicMap) {
                codes << QStringLiteral("MI") + tail;
            } else {
                static const char* const prefixes[5] = {"MI", "CU", "DY", "BR", "BD"};
                for (int b = 0; b < 5; ++b) {
                    if (sensorTypes[n] & (1u << b)) {
                        codes << QLatin1String(prefixes[b]) + tail;
                        break;
                    }
                }
            }
        }
        if (accessLevel(command.userName) == AccessLevel::Industry) {
            static const char* const production[4] = {"ADC-", "POT-", "DAC-", "SHOCK-"};
            for (int b = 10; b <= 13; ++b) {
                if (status & (1u << b))
                    codes << QLatin1String(production[b - 10]) + hex2(n);
            }
        }
    }
    if (deviceStatusCopy & 0x03FF) {
        const StatusCodeStyle style = traitsOf(command.modelCode).statusCodes;
        const bool fa34 = style == StatusCodeStyle::Fa3Fa4;
        if (style != StatusCodeStyle::None) {
            for (int b = 0; b <= 9; ++b) {
                if (!(deviceStatusCopy & (1u << b)))
                    continue;
                if (b == 3 || (b == 4 && fa34))
                    codes << QStringLiteral("FA%1").arg(b);
                else
                    codes << QStringLiteral("WA%1").arg(b, 1, 16).toUpper();
            }
        }
    }
    return codes.join(QStringLiteral(", "));
}

void MeasureWindow::showParameters()
{
    takeCopies();
    for (int slot = 0; slot < shownSlots(); ++slot) {
        const bool shown = slotShown(slot);
        host(ui, true, slot)->setVisible(shown);
        host(ui, false, slot)->setVisible(shown);
        if (shown) {
            concentrationWidgets[slot]->showParameters(slot);
            dateLastCalibWidgets[slot]->showParameters(slot);
        }
    }
    if (isT2(command.modelCode)) {
        ui->progressBarCharge->hide();
        ui->label->hide();
    }

    const bool classic = command.registerMap == ClassicMap;
    if (classic || command.registerMap == ExtendedMap) {
        const quint32 serial =
            classic ? command.classicDevice.serialNumber : command.extendedDevice.serialNumber;
        const quint16 hardware = classic ? command.classicDevice.hardwareVersion
                                         : command.extendedDevice.hardwareVersion;
        const quint32 production =
            classic ? command.classicDevice.productionDate : command.extendedDevice.productionDate;
        ui->lineEditSerialNumber->setText(
            serialName(QStringLiteral("QRT"), command.modelCode, serial));
        ui->lineEditFirmwareVer->setText(
            QStringLiteral("%1.%2")
                .arg(command.firmwareVersion / 100)
                .arg(command.firmwareVersion % 100, 2, 10, QLatin1Char('0')));
        ui->lineEditHardwareVer->setText(
            QStringLiteral("%1.%2").arg(hardware / 10).arg(hardware % 10));

        const quint32 ticks = command.deviceTimeNow();
        const QDateTime shown = dateFromTicks(ticks);
        if (classic) {
            command.classicDevice.deviceClock = ticks;
            command.classicDevice.utcOffset = localUtcOffset(shown.toSecsSinceEpoch());
        } else {
            command.extendedDevice.deviceClock = ticks;
            command.extendedDevice.utcOffset = localUtcOffset(shown.toSecsSinceEpoch());
        }
        ui->dateTimeEdit->setDateTime(shown);
        ui->dateTimeEditDateProduct->setDateTime(dateFromTicks(production));
        if (classic) {
            ui->progressBarCharge->setValue(command.classicDevice.batteryCharge);
            ui->doubleSpinBoxChargeVolt->setValue(command.classicDevice.batteryVoltage / 1000.0);
            ui->doubleSpinBoxTemp->setValue(double(command.classicDevice.deviceTemperature));
        } else {
            ui->progressBarCharge->setValue(command.extendedDevice.batteryCharge);
            ui->doubleSpinBoxChargeVolt->setValue(command.extendedDevice.batteryVoltage / 1000.0);
            ui->doubleSpinBoxTemp->setValue(double(command.extendedDevice.deviceTemperature));
        }
    }

    const QString codes = codeText();
    ui->plainTextEditStateSystem->setPlainText(codes);

    QString line = tr("t - ") + QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    if (!codes.isEmpty())
        line += QLatin1Char(' ') + codes;
    int k = 0;
    for (int slot = 0; slot < shownSlots(); ++slot) {
        if (slotShown(slot))
            concentrationWidgets[slot]->insertLogColumn(line, 20 + 25 * k++);
    }
    line += QStringLiteral("\r\n");
    // Always at the end, wherever the operator left the cursor.
    ui->TextOut->moveCursor(QTextCursor::End);
    ui->TextOut->insertPlainText(line);
    ui->TextOut->verticalScrollBar()->setValue(ui->TextOut->verticalScrollBar()->maximum());
}
