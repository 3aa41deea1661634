#pragma once

// Export of a local log file into a text, CSV or xlsx file: the header with
// the code legend, the channel set-up and the column titles, then one row per
// record (one per changed channel for a settings change), filtered by the
// export mode.

#include "logrecord.h"

#include <QString>
#include <QtGlobal>

#include <functional>

class QIODevice;
class XlsxSheet;

struct ExportChannel {
    quint8 page = 0;
    quint16 format = 0;
    quint16 stelInterval = 0;
    quint32 lastCalibrationDate = 0;
    float value = 0;
    float twaValue = 0;
    float limit1 = 0;
    float limit2 = 0;
    float limit3 = 0;
    float limit4 = 0;
    float stel = 0;
    float twa = 0;
    char gasFormula[11] = {};
};

extern ExportChannel exportChannels[LogMaxChannels];

// The output form, from the destination's last suffix without regard to case.
enum class ExportForm { None, Text, Csv, Xlsx };
ExportForm exportFormOf(const QString& fileName);

// Where the header and row writers put their output: text lines into `text`,
// workbook rows into `sheet` from row `xlsxRow` on. A row that would lie past
// the sheet's last row is not written; `sheetFull` tells the driver, which
// stops there.
struct ExportOutput {
    ExportForm form = ExportForm::None;
    QIODevice* text = nullptr;
    XlsxSheet* sheet = nullptr;
    quint64 xlsxRow = 1;
    bool sheetFull = false;
};

void writeExportHeader(ExportOutput& out, quint16 channelCount, quint32 serial, ExportMode mode,
                       bool full);
// Row writers: the measurement record is Command::logRecord, the event record
// Command::logEventRecord.
void writeMeasurementRow(ExportOutput& out, quint16 channelCount, ExportMode mode);
void writeEventRow(ExportOutput& out, quint16 channelCount, ExportMode mode);

// The codes text of a record; rowFlag is set when a status bit 0-9 of the
// device (for models with device codes) or of a channel is set. Event rows
// pass measurement = false: device codes only.
QString exportCodesText(const LogRecord& record, quint16 channelCount, ExportMode mode,
                        bool measurement, bool* rowFlag);
// The legend lines of the current model, in text form (each ending in ";").
QStringList exportLegend(quint16 modelCode);

// Export of the range download's file (rangeLogFilePath, logdownload.h) or of
// the synchronised one (syncLogFilePath) into `destination` (the archive page
// passes lastExportFile). True when the whole source (or the window) was
// exported and the destination was written; false on cancel, refusal and
// every failure, each with a message.
bool exportLogRange(quint32 startSeconds, quint32 stopSeconds, quint16 channelCount, quint32 serial,
                    ExportMode mode, const QString& destination);
bool exportLogFile(quint16 channelCount, quint32 serial, ExportMode mode,
                   const QString& destination);

// What the last export run said (the archive page shows it): empty after a
// complete run without skipped lines.
extern QString lastExportMessage;
// How many source lines the last run skipped as damaged.
extern int lastExportSkippedLines;

// Called after every line of a run with the progress dialog (and after every
// piece of a line too long for a record, which is read in pieces); tests
// cancel through it.
extern std::function<void()> exportLineHook;

// Called once when the workbook's close has started on its own thread, with
// the progress dialog (its label "Запись файла..."); tests cancel through it.
extern std::function<void()> exportCloseHook;
