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

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>

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
    const bool ok = syncLogFile(recordSize, deviceSerial, currentAddress, startAddress);
    ui->labelStatusSyncArchive->setText(ok ? tr("Архив синхронизирован")
                                           : tr("Архив не синхронизирован"));
}

QString ArchiveWindow::chooseExportFile(const QString& prefix)
{
    const QString proposed =
        lastDirectory + prefix + QDateTime::currentDateTime().toString("dd-MM-yy hh-mm") + ").txt";
    const QString filter = tr("(*.txt);;(*.csv);;(*.xlsx)");
    QString chosenType = filter.section(QStringLiteral(";;"), 0, 0);
    QString file = dialogs::getSaveFileName(this, tr("Файл архива"), proposed, filter, &chosenType);
    if (file.isEmpty())
        return file;
    // Qt's own dialog keeps a name typed without a suffix as it is: the type
    // chosen in the list gives it the suffix that decides the export's form.
    if (QFileInfo(file).suffix().isEmpty()) {
        const QRegularExpressionMatch type =
            QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosenType);
        if (type.hasMatch()) {
            if (!file.endsWith(QLatin1Char('.')))
                file += QLatin1Char('.');
            file += type.captured(1);
            // The dialog asked about replacing the name as typed, not this one.
            if (QFileInfo::exists(file) &&
                dialogs::question(this, tr("Файл архива"),
                                  tr("Файл %1 уже существует.\nЗаменить его?")
                                      .arg(QDir::toNativeSeparators(file)),
                                  QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes)
                return QString();
        }
    }
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
    const QString prefix =
        serialName(QStringLiteral("//QRT"), command.modelCode, deviceSerial) + QLatin1Char('(');
    const QString file = chooseExportFile(prefix);
    if (file.isEmpty())
        return;
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
        ui->labelStatusSyncArchive->setText(tr("Ошибка скачивания"));
        return;
    }
    if (downloadedEndIndex <= downloadedFirstIndex) {
        // Nothing to export: no empty export file.
        ui->labelStatusSyncArchive->setText(tr("В заданном интервале нет записей"));
        return;
    }
    ui->labelStatusSyncArchive->setText(tr("Успешное скачивание"));
    ExportMode mode = ExportAll;
    if (exportMode(mode))
        showExportOutcome(
            exportLogRange(startSeconds, stopSeconds, channels, deviceSerial, mode, file));
}

void ArchiveWindow::on_pushButton_2_clicked()
{
    if (logTransferRunning())
        return;
    const bool t6m = traitsOf(command.modelCode).group == ModelGroup::T6Max;
    const QString prefix = t6m ? QString::asprintf("//QTM_CREATOR%08u(", deviceSerial)
                               : QString::asprintf("//QRT_CREATOR%08u(", deviceSerial);
    const QString file = chooseExportFile(prefix);
    if (file.isEmpty())
        return;
    ExportMode mode = ExportAll;
    if (exportMode(mode))
        showExportOutcome(exportLogFile(command.channelCount, deviceSerial, mode, file));
}

void ArchiveWindow::showExportOutcome(bool exported)
{
    // The download may have succeeded while the export did not: the label
    // says how the export ended, never the download's success alone.
    if (!exported)
        ui->labelStatusSyncArchive->setText(tr("Ошибка экспорта"));
    else if (!lastExportMessage.isEmpty())
        ui->labelStatusSyncArchive->setText(lastExportMessage);
    else
        ui->labelStatusSyncArchive->setText(tr("Успешный экспорт"));
}

void ArchiveWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
