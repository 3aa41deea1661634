#include "archivewindow.h"
#include "ui_archivewindow.h"

#include "accesslevel.h"
#include "appsettings.h"
#include "command.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "logdownload.h"
#include "logexport.h"
#include "modeltraits.h"
#include "statusline.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace
{
quint32 epochSeconds(const QDateTime& dateTime)
{
    return quint32(qBound<qint64>(0, dateTime.toSecsSinceEpoch(), 0xFFFFFFFFll));
}
} // namespace

ArchiveWindow::ArchiveWindow(QWidget* parent)
    : QDialog(parent, Qt::WindowFlags()), ui(new Ui::ArchiveWindow)
{
    ui->setupUi(this);
    const AccessLevel level = accessLevel(command.userName);
    if (level == AccessLevel::User || level == AccessLevel::Admin) {
        ui->labelBegginAddrRead->hide();
        ui->spinBoxBegginAddrRead->hide();
        ui->labelCurrentAddrRead->hide();
        ui->spinBoxCurrentAddrRead->hide();
        ui->checkBox_ArchivForService->hide();
    }
    recordSize = quint16(logRecordSize(command.modelCode));
    if (recordSize == 0) {
        // Without a record layout no request can be sized and no line read.
        const QString why = tr("Прибор этой модели не ведёт архив записей");
        for (QWidget* w :
             {static_cast<QWidget*>(ui->pushButtonSyncArchive),
              static_cast<QWidget*>(ui->pushButton), static_cast<QWidget*>(ui->pushButton_2)}) {
            w->setEnabled(false);
            w->setToolTip(why);
        }
    }
    PageGuard::install(this);
}

ArchiveWindow::~ArchiveWindow()
{
    delete ui;
}

void ArchiveWindow::showParameters()
{
    if (command.registerMap == ClassicMap || command.registerMap == ExtendedMap) {
        const bool classic = command.registerMap == ClassicMap;
        const quint16 enabled =
            classic ? command.classicDevice.archiveEnabled : command.extendedDevice.archiveEnabled;
        const quint8* intervals = classic ? command.classicDevice.archiveIntervals
                                          : command.extendedDevice.archiveIntervals;
        const quint32 current = classic ? command.classicDevice.archiveCurrentAddress
                                        : command.extendedDevice.archiveCurrentAddress;
        // An unwrapped start below the ring's first record counts from 0.
        const quint32 start = quint32(qMax<qint64>(0, logOldestIndex()));
        ui->checkBoxArchive->setChecked(enabled != 0);
        ui->spinBoxBegginAddr->setValue(int(qMin<quint32>(start, 2000000000u)));
        ui->spinBoxCurrentAddr->setValue(int(qMin<quint32>(current, 2000000000u)));
        ui->spinBoxIntervalArchiv->setValue(intervals[0]);
        ui->spinBoxIntervalArchiv_2->setValue(intervals[1]);
        deviceSerial =
            classic ? command.classicDevice.serialNumber : command.extendedDevice.serialNumber;
        currentAddress = current;
        startAddress = start;
        setExportDates(classic ? command.classicDevice.lastBumpTestDate
                               : command.extendedDevice.lastBumpTestDate,
                       classic ? command.classicDevice.productionDate
                               : command.extendedDevice.productionDate);
    }
    ui->checkBoxArchive->setText(ui->checkBoxArchive->isChecked() ? tr("Вкл.") : tr("Выкл."));
    if (startAddress == currentAddress) {
        ui->groupBox->setEnabled(false);
        ui->groupBox_2->setEnabled(false);
        return;
    }
    ui->groupBox->setEnabled(true);
    ui->groupBox_2->setEnabled(true);
    ui->labelStatusSyncArchive->setText(tr(" "));
    // A failed read leaves the filter as it was rather than at 1970; offline
    // nothing is asked at all.
    if (command.connected == 0 || recordSize == 0)
        return;
    if (!readArchiveRecord(recordSize, false, currentAddress, startAddress))
        return;
    const QDateTime first = logDateTime(currentLogRecord().recordTime);
    if (!readArchiveRecord(recordSize, true, currentAddress, startAddress))
        return;
    const QDateTime last = logDateTime(currentLogRecord().recordTime);
    rangeStart = first;
    rangeStop = last < first ? first : last;
    ui->dateTimeEditStart->setMaximumDateTime(rangeStop);
    ui->dateTimeEditStart->setMinimumDateTime(rangeStart);
    ui->dateTimeEditStop->setMinimumDateTime(rangeStart);
    ui->dateTimeEditStart->setDateTime(rangeStart);
    ui->dateTimeEditStop->setDateTime(rangeStop);
}

void ArchiveWindow::on_dateTimeEditStart_dateTimeChanged(const QDateTime& dateTime)
{
    ui->dateTimeEditStop->setMinimumDateTime(dateTime);
}

void ArchiveWindow::on_dateTimeEditStop_dateTimeChanged(const QDateTime& dateTime)
{
    ui->dateTimeEditStart->setMaximumDateTime(dateTime);
}

void ArchiveWindow::on_pushButtonSyncArchive_clicked()
{
    // A click that reaches the page while a download or export runs (the
    // transfer lets the event loop run between blocks) does nothing.
    if (logTransferRunning())
        return;
    statusline::Outcome outcome;
    if (syncLogFile(recordSize, deviceSerial, currentAddress, startAddress))
        outcome.succeed(tr("Архив синхронизирован"));
    else
        outcome.fail(tr("Архив не синхронизирован"));
    showOutcome(outcome);
}

QString ArchiveWindow::chooseExportFile(const QString& prefix)
{
    const QString proposed =
        lastDirectory + prefix + QDateTime::currentDateTime().toString("dd-MM-yy hh-mm") + ").txt";
    // A name typed without a suffix gets the chosen type's, which decides the export's form.
    const QString file = dialogs::getSaveFileName(this, tr("Файл архива"), proposed,
                                                  tr("(*.txt);;(*.csv);;(*.xlsx)"));
    if (file.isEmpty())
        return file;
    lastDirectory = QFileInfo(file).path();
    lastExportFile = file;
    return file;
}

bool ArchiveWindow::exportMode(ExportMode& mode) const
{
    const bool errors = ui->checkBox_ArchivOnlyErr->isChecked();
    switch (accessLevel(command.userName)) {
    case AccessLevel::User:
    case AccessLevel::Admin:
        mode = errors ? ExportErrorsOnly : ExportAll;
        return true;
    case AccessLevel::Industry:
        if (ui->checkBox_ArchivForService->isChecked())
            mode = errors ? ExportServiceErrorsOnly : ExportService;
        else
            mode = errors ? ExportErrorsOnly : ExportAll;
        return true;
    case AccessLevel::None:
        break;
    }
    return false;
}

void ArchiveWindow::on_pushButton_clicked()
{
    if (logTransferRunning())
        return;
    statusline::Outcome outcome;
    const QString prefix =
        serialName(QStringLiteral("//QRT"), command.modelCode, deviceSerial) + QLatin1Char('(');
    const QString file = chooseExportFile(prefix);
    if (file.isEmpty()) {
        outcome.cancel(tr("Экспорт отменён"));
        showOutcome(outcome);
        return;
    }
    // The device counts seconds in 32 bits: a date outside them is held at
    // the nearest end rather than wrapped to another time.
    const quint32 startSeconds = epochSeconds(ui->dateTimeEditStart->dateTime());
    const quint32 stopSeconds = epochSeconds(ui->dateTimeEditStop->dateTime());
    const quint16 channels = command.channelCount;
    ui->labelStatusSyncArchive->setText(tr("Ожидайте"));
    const bool ok = downloadLogRange(startSeconds, stopSeconds, recordSize, deviceSerial);
    ui->spinBoxBegginAddrRead->setValue(int(qMin<quint32>(downloadedFirstIndex, 2000000000u)));
    ui->spinBoxCurrentAddrRead->setValue(int(qMin<quint32>(downloadedEndIndex, 2000000000u)));
    if (!ok) {
        outcome.fail(tr("Ошибка скачивания"));
    } else if (downloadedEndIndex <= downloadedFirstIndex) {
        // Nothing to export: no empty export file.
        outcome.succeed(tr("В заданном интервале нет записей"));
    } else {
        outcome.succeed(tr("Успешное скачивание"));
        ExportMode mode = ExportAll;
        if (exportMode(mode))
            reportExport(outcome, exportLogRange(startSeconds, stopSeconds, channels, deviceSerial,
                                                 mode, file));
    }
    showOutcome(outcome);
}

void ArchiveWindow::on_pushButton_2_clicked()
{
    if (logTransferRunning())
        return;
    statusline::Outcome outcome;
    const bool t6m = traitsOf(command.modelCode).group == ModelGroup::T6Max;
    const QString prefix = t6m ? QString::asprintf("//QTM_CREATOR%08u(", deviceSerial)
                               : QString::asprintf("//QRT_CREATOR%08u(", deviceSerial);
    const QString file = chooseExportFile(prefix);
    ExportMode mode = ExportAll;
    if (file.isEmpty())
        outcome.cancel(tr("Экспорт отменён"));
    else if (exportMode(mode))
        reportExport(outcome, exportLogFile(command.channelCount, deviceSerial, mode, file));
    showOutcome(outcome);
}

void ArchiveWindow::reportExport(statusline::Outcome& outcome, bool exported)
{
    // The download may have succeeded while the export did not: the outcome
    // says how the export ended, never the download's success alone.
    if (!exported)
        outcome.fail(tr("Ошибка экспорта"));
    else if (!lastExportMessage.isEmpty())
        outcome.succeed(lastExportMessage);
    else
        outcome.succeed(tr("Успешный экспорт"));
}

void ArchiveWindow::showOutcome(const statusline::Outcome& outcome)
{
    // The page's own line says what the status bar says; a command that decided
    // nothing leaves it empty rather than with an earlier command's outcome.
    ui->labelStatusSyncArchive->setText(outcome.text());
}

void ArchiveWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
