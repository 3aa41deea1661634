#pragma once

// The page of tab 4: the device's archive settings, a date-time filter
// bounded by the times of the archive's first and last records, the
// synchronisation of the local log file, the download and export of a time
// range and the export of the synchronised file.

#include "logrecord.h"
#include "statusline.h"

#include <QDateTime>
#include <QDialog>

namespace Ui
{
class ArchiveWindow;
}

class ArchiveWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ArchiveWindow(QWidget* parent = nullptr);
    ~ArchiveWindow() override;

    void showParameters();

    // The export mode the login and the two check boxes give; false: no export.
    bool exportMode(ExportMode& mode) const;

private slots:
    void on_pushButtonSyncArchive_clicked();
    void on_pushButton_clicked();
    void on_dateTimeEditStart_dateTimeChanged(const QDateTime& dateTime);
    void on_dateTimeEditStop_dateTimeChanged(const QDateTime& dateTime);
    void on_pushButton_2_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reportExport(statusline::Outcome& outcome, bool exported);
    void showOutcome(const statusline::Outcome& outcome);
    QString chooseExportFile(const QString& prefix);

    Ui::ArchiveWindow* ui;
    QDateTime rangeStart;
    QDateTime rangeStop;
    quint16 recordSize = 0;
    quint32 currentAddress = 0;
    quint32 startAddress = 0;
    quint32 deviceSerial = 0;
};
