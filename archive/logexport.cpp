#include "logexport.h"

#include "command.h"
#include "dialogs.h"
#include "hexlines.h"
#include "logdownload.h"
#include "modeltraits.h"
#include "operatorfile.h"
#include "optiontables.h"
#include "progress.h"
#include "units.h"
#include "workbookclose.h"
#include "xlsxsheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QVector>

#include <charconv>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

ExportChannel exportChannels[LogMaxChannels];
QString lastExportMessage;
int lastExportSkippedLines = 0;

std::function<void()> exportLineHook;
std::function<void()> exportCloseHook;

namespace
{
constexpr quint32 FillWhite = 0xFFFFFF;
constexpr quint32 FillGreen = 0x00AA00;
constexpr quint32 FillRed = 0xFF3333;
constexpr quint32 FillCyan = 0x00FFFF;

bool serviceMode(ExportMode mode)
{
    return mode == ExportService || mode == ExportServiceErrorsOnly;
}

QString unitName(quint16 format)
{
    return QString::fromLatin1(unitNames[displayUnitOf(format)]);
}

// The local time offset of one UTC day, asked of the system once per day of
// records: a conversion through QDateTime re-reads the time-zone file on every
// call and made up a fifth of the export's time. A day whose start and end
// offsets differ (a clock change) is converted record by record. A few days
// are kept, as settings rows mix the record's day with calibration dates.
struct DayOffset {
    qint64 day = -1;
    bool uniform = false;
    int offset = 0;
};
constexpr int DayOffsetSlots = 16;
DayOffset dayOffsets[DayOffsetSlots];

void clearDayOffsets()
{
    for (DayOffset& d : dayOffsets)
        d = DayOffset();
}

void twoDigits(char* to, qint64 v)
{
    to[0] = char('0' + (v / 10) % 10);
    to[1] = char('0' + v % 10);
}

// "dd-MM-yy hh:mm[:ss]" of a local time, as QDateTime::toString writes it.
QString dateText(quint32 ticks, bool seconds)
{
    const qint64 utc = qint64(logSeconds(ticks, command.secondsPerTick));
    const qint64 day = utc / 86400;
    DayOffset& dayOffset = dayOffsets[day % DayOffsetSlots];
    if (day != dayOffset.day) {
        dayOffset.day = day;
        dayOffset.offset = localUtcOffset(day * 86400);
        dayOffset.uniform = localUtcOffset(day * 86400 + 86399) == dayOffset.offset;
    }
    const qint64 local = utc + (dayOffset.uniform ? dayOffset.offset : localUtcOffset(utc));
    // Civil date of a day count (days from 1970-01-01), proleptic Gregorian.
    const qint64 z = (local >= 0 ? local / 86400 : (local - 86399) / 86400) + 719468;
    const qint64 secondOfDay = local - (z - 719468) * 86400;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const qint64 d = doy - (153 * mp + 2) / 5 + 1;
    const qint64 m = mp < 10 ? mp + 3 : mp - 9;
    const qint64 y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    if (y < 1000 || y > 9999) // outside the range this layout is sure of
        return logDateTime(ticks).toString(seconds ? QStringLiteral("dd-MM-yy hh:mm:ss")
                                                   : QStringLiteral("dd-MM-yy hh:mm"));
    char text[18] = "00-00-00 00:00:00";
    twoDigits(text, d);
    twoDigits(text + 3, m);
    twoDigits(text + 6, y % 100);
    twoDigits(text + 9, secondOfDay / 3600);
    twoDigits(text + 12, (secondOfDay / 60) % 60);
    twoDigits(text + 15, secondOfDay % 60);
    return QString::fromLatin1(text, seconds ? 17 : 14);
}

// "%.2f" as C's printf writes it in the C locale: the exact binary value
// rounded, ties to even (134.125 gives 134.12), whatever the user's locale.
// QString::number rounds such ties up, so a file would differ from every
// other tool's reading of the same value.
QString fixed2(double v)
{
    char text[400]; // the largest double has 309 digits before the point
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
    return QString::fromLatin1(text, int(r.ptr - text));
}

// A gas formula of the image: 10 bytes, not terminated when full.
void copyFormula(char (&to)[11], const char* from)
{
    std::memset(to, 0, sizeof to);
    std::memcpy(to, from, 10);
}

QString formulaOf(int k)
{
    return imageText(exportChannels[k].gasFormula, 10);
}

// A text line of cells at fixed character positions. The line closes each
// cell's text with ";", the layout's separator: a blank in a text file, "," in
// a CSV file (a value's unit follows it: "12.34; PPM"). Cells come in rising
// position order. A cell starts at its position, padded with blanks up to it;
// where earlier text already reaches past the position (a long code list, a
// long gas formula) the cell starts one blank after the line's end, so no cell
// is ever cut into another.
//
// In a CSV file every cell is one field: the field is the cell's leading blanks
// and its text without the closing ";" (an inner ";" becomes ","), quoted when
// it holds a comma or a quote, so that a code list or a formula such as "H2,S"
// stays one field. An empty cell adds nothing to a text file; in a CSV file it
// keeps an empty field when a later cell follows, so that the later cells stay
// under their titles.
class Line
{
public:
    explicit Line(ExportForm form) : m_csv(form == ExportForm::Csv) {}

    // A cell: `text`, the separator and `after` (the unit behind a value). A
    // cell whose text and `after` are both empty is an empty cell.
    void put(int position, const QString& text, const QString& after)
    {
        if (text.isEmpty() && after.isEmpty()) {
            ++m_emptyFields;
            return;
        }
        const int start = m_end <= position ? position : m_end + 1;
        const int lead = start - m_end;
        if (m_csv) {
            for (; m_emptyFields > 0; --m_emptyFields)
                m_text += QLatin1Char(',');
            QString field = text;
            if (!after.isEmpty()) {
                field += QLatin1Char(';');
                field += after;
            }
            field.replace(QLatin1Char(';'), QLatin1Char(','));
            if (needsQuotes(field)) {
                field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                m_text += QLatin1Char('"');
                m_text += QString(lead, QLatin1Char(' '));
                m_text += field;
                m_text += QLatin1Char('"');
            } else {
                m_text += QString(lead, QLatin1Char(' '));
                m_text += field;
            }
            m_text += QLatin1Char(',');
        } else {
            m_emptyFields = 0;
            m_text.resize(m_text.size() + lead, QLatin1Char(' '));
            const int from = m_text.size();
            m_text += text;
            m_text += QLatin1Char(';');
            m_text += after;
            for (int i = from; i < m_text.size(); ++i)
                if (m_text[i] == QLatin1Char(';'))
                    m_text[i] = QLatin1Char(' ');
        }
        m_end = start + text.size() + 1 + after.size();
    }

    // The finished line, without its line end.
    const QString& text() const { return m_text; }

private:
    static bool needsQuotes(const QString& field)
    {
        for (const QChar c : field)
            if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
                c == QLatin1Char('\n'))
                return true;
        return false;
    }

    bool m_csv;
    QString m_text;
    int m_end = 0; // length of the line in the layout
    int m_emptyFields = 0;
};

void writeTextLine(ExportOutput& out, const QString& line)
{
    out.text->write((line + QStringLiteral("\r\n")).toUtf8());
}

bool textForm(const ExportOutput& out)
{
    return (out.form == ExportForm::Text || out.form == ExportForm::Csv) && out.text;
}

bool sheetForm(const ExportOutput& out)
{
    return out.form == ExportForm::Xlsx && out.sheet;
}

// One cell of a header line or a row, for both forms. The text form closes the
// text with ";", the layout's separator, and puts `after` behind it (the unit
// of a value: "12.34; PPM"); the sheet writes the text and `after` without the
// separator, or its own text where it has one. A cell without text adds
// nothing to a text line but keeps its field in a CSV line; in the sheet it is
// an empty cell, or no cell at all where `column` is 0.
struct Cell {
    int position; // in a text line
    int column;   // in the sheet, counted from 1; 0: none
    QString text; // without the separator
    QString after = {};
    std::optional<QString> sheet = {};
    int lastColumn = 0; // the sheet merges the columns up to this one
};

QString sheetCell(const Cell& cell)
{
    return cell.sheet ? *cell.sheet : cell.text + cell.after;
}

// Writes one line of the text form or one row of the sheet, painted with `fill`.
void writeRow(ExportOutput& out, const QVector<Cell>& cells, quint32 fill)
{
    if (textForm(out)) {
        Line line(out.form);
        for (const Cell& cell : cells)
            line.put(cell.position, cell.text, cell.after);
        writeTextLine(out, line.text());
    } else if (sheetForm(out)) {
        if (out.xlsxRow > XlsxSheet::MaxRows) {
            out.sheetFull = true;
            return;
        }
        const quint64 row = out.xlsxRow++;
        for (const Cell& cell : cells) {
            if (cell.column == 0)
                continue;
            if (cell.lastColumn > cell.column)
                out.sheet->mergeText(row, cell.column, cell.lastColumn, sheetCell(cell), fill);
            else
                out.sheet->writeText(row, cell.column, sheetCell(cell), fill);
        }
    }
}

// An empty line of the text form, an empty row of the sheet.
void writeEmptyRow(ExportOutput& out)
{
    if (textForm(out))
        writeTextLine(out, QString());
    else if (sheetForm(out))
        ++out.xlsxRow;
}

struct Legend {
    const char* text;
    const char* sheet; // the sheet's own wording; nullptr: the same
    int models;        // 0 all, else a group below
};

enum LegendGroup { AllModels = 0, Ble = 1, Radio = 2, Lcd = 3 };

bool inGroup(quint16 model, int group)
{
    const ModelTraits& traits = traitsOf(model);
    switch (group) {
    case AllModels:
        return true;
    case Ble:
        return traits.ble;
    case Radio:
        return traits.radio;
    case Lcd:
        return traits.lcd;
    }
    return false;
}

const Legend legendLines[] = {
    {QT_TRANSLATE_NOOP("QObject", "x — номер канала"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ошибки канала:"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ax0 - Превышение порог 1"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ax1 - Превышение порог 2"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ax2 - Превышение порог 3"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ax3 - Превышение порог STEL"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ax4 - Превышение порог TWA"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ax5 - Превышение диапазона"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Предупреждения системы:"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Wx7 - Ошибка при калибровке нуля"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Wx8 - Ошибка при калибровке"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Wx9 - Необходимость периодической калибровки"), nullptr,
     AllModels},
    {QT_TRANSLATE_NOOP("QObject", "WA1 - Необходимость периодического BUMP TEST"),
     QT_TRANSLATE_NOOP("QObject", "WA1 - Необходимость периодической BUMP TEST"), AllModels},
    {QT_TRANSLATE_NOOP("QObject", "WA2 - Критично низкий заряд аккумулятора"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ошибки системы:"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "Ex6 - Сенсор вышел из строя или не подключен"), nullptr,
     AllModels},
    {QT_TRANSLATE_NOOP("QObject", "FA3 - Ошибка микросхемы памяти"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "FA4 - Ошибка микросхемы измерений"), nullptr, AllModels},
    {QT_TRANSLATE_NOOP("QObject", "WA5 - Ошибка микросхемы BLE"), nullptr, Ble},
    {QT_TRANSLATE_NOOP("QObject", "WA6 - Ошибка GPS"), nullptr, Radio},
    {QT_TRANSLATE_NOOP("QObject", "WA7 - Ошибка GSM"), nullptr, Radio},
    {QT_TRANSLATE_NOOP("QObject", "WA8 - Ошибка LORA"), nullptr, Radio},
    {QT_TRANSLATE_NOOP("QObject", "WA9 - Ошибка LCD"), nullptr, Lcd},
};

// A legend line spans the sheet's first three columns.
Cell legendCell(const Legend& l)
{
    Cell cell{0, 1, QObject::tr(l.text)};
    if (l.sheet)
        cell.sheet = QObject::tr(l.sheet);
    cell.lastColumn = 3;
    return cell;
}

// The set-up block's columns: the titles and every channel's line put their
// cells at these text positions, in sheet columns 1 to 13.
struct SetupColumn {
    const char* title;
    int position;
};
const SetupColumn setupColumns[] = {
    {QT_TRANSLATE_NOOP("QObject", "Серийный номер:"), 0},
    {QT_TRANSLATE_NOOP("QObject", "Канал:"), 20},
    {QT_TRANSLATE_NOOP("QObject", "Статус:"), 30},
    {QT_TRANSLATE_NOOP("QObject", "Единица измерения:"), 50},
    {QT_TRANSLATE_NOOP("QObject", "Дата последней калибровки:"), 70},
    {QT_TRANSLATE_NOOP("QObject", "Дата последнего BUMP TEST:"), 100},
    {QT_TRANSLATE_NOOP("QObject", "Порог 1:"), 130},
    {QT_TRANSLATE_NOOP("QObject", "Порог 2:"), 145},
    {QT_TRANSLATE_NOOP("QObject", "Порог 3:"), 160},
    {QT_TRANSLATE_NOOP("QObject", "Диапазон:"), 175},
    {QT_TRANSLATE_NOOP("QObject", "Порог TWA:"), 190},
    {QT_TRANSLATE_NOOP("QObject", "Порог STEL:"), 205},
    {QT_TRANSLATE_NOOP("QObject", "Интервал STEL:"), 220},
};
constexpr int SetupColumnCount = int(sizeof setupColumns / sizeof setupColumns[0]);

Cell setupCell(int i, const QString& text)
{
    return Cell{setupColumns[i].position, i + 1, text};
}

QString serialNumber(quint32 serial)
{
    return serialName(QStringLiteral("QRT"), command.modelCode, serial);
}

// The serial number keeps its ";" in the sheet.
Cell serialCell(quint32 serial)
{
    const QString number = serialNumber(serial);
    Cell cell{0, 1, number};
    cell.sheet = number + QLatin1Char(';');
    return cell;
}

// A channel's limits, "%.2f" each, in the order of their titles in the set-up
// block and in the settings columns: limits 1 to 3, the range, TWA, STEL.
QStringList limitTexts(const ExportChannel& c)
{
    return {fixed2(double(c.limit1)), fixed2(double(c.limit2)), fixed2(double(c.limit3)),
            fixed2(double(c.limit4)), fixed2(double(c.twa)),    fixed2(double(c.stel))};
}

// A switched-on channel's line of the set-up block; `first` is the serial
// number's cell, or an empty one below the first channel.
QVector<Cell> setupChannelCells(int k, quint32 bumpDate, const Cell& first)
{
    const ExportChannel& c = exportChannels[k];
    QStringList texts = {
        QString::asprintf("%d. ", k + 1) + formulaOf(k),
        QObject::tr("Канал включен"),
        unitName(c.format),
        dateText(c.lastCalibrationDate, false),
        dateText(bumpDate, false),
    };
    texts << limitTexts(c) << QString::number(c.stelInterval);
    QVector<Cell> cells{first};
    for (int i = 1; i < SetupColumnCount; ++i)
        cells << setupCell(i, texts[i - 1]);
    return cells;
}

// The settings titles at S + offset (text) and P + index (sheet).
struct SettingsTitle {
    const char* title;
    int offset;
    double width;
};
const SettingsTitle settingsTitles[] = {
    {QT_TRANSLATE_NOOP("QObject", "Интервал калибровки:"), 0, 20},
    {QT_TRANSLATE_NOOP("QObject", "Дата последней калибровки:"), 25, 26},
    {QT_TRANSLATE_NOOP("QObject", "Интервал BUMP TEST:"), 55, 20},
    {QT_TRANSLATE_NOOP("QObject", "Дата последнего BUMP TEST:"), 80, 26},
    {QT_TRANSLATE_NOOP("QObject", "Порог 1:"), 110, 10},
    {QT_TRANSLATE_NOOP("QObject", "Порог 2:"), 120, 10},
    {QT_TRANSLATE_NOOP("QObject", "Порог 3:"), 130, 10},
    {QT_TRANSLATE_NOOP("QObject", "Диапазон:"), 140, 12.5},
    {QT_TRANSLATE_NOOP("QObject", "Порог TWA:"), 155, 12.5},
    {QT_TRANSLATE_NOOP("QObject", "Порог STEL:"), 170, 12.5},
    {QT_TRANSLATE_NOOP("QObject", "Интервал STEL:"), 185, 15},
};

// The columns under the column titles, one table per channel count and column
// set (user or service), in rising text position and sheet column: the title
// line and every row put their cells in this order. Measurement rows fill the
// columns before the settings, event rows the first four and the settings.
enum class ColumnKind {
    Date,
    Number,
    Type,
    Codes,
    Bump,
    Value,
    Twa,
    AdcZero,
    AdcSpan,
    Battery,
    Temperature,
    Setting,
};

struct Column {
    ColumnKind kind;
    int index;              // the channel; for a setting its entry in settingsTitles
    int position;           // in a text line
    int sheetColumn;        // counted from 1
    const char* title;      // a channel's title follows "%d." and its gas formula
    const char* sheetTitle; // the sheet's own wording; nullptr: the same
    double width;           // of the sheet column
};

bool channelColumn(ColumnKind kind)
{
    return kind == ColumnKind::Value || kind == ColumnKind::Twa || kind == ColumnKind::AdcZero ||
           kind == ColumnKind::AdcSpan;
}

// The title and sheet width of every kind of column but the settings, which
// have theirs in settingsTitles.
struct ColumnText {
    ColumnKind kind;
    const char* title;
    const char* sheetTitle;
    double width;
};
const ColumnText columnTexts[] = {
    {ColumnKind::Date, QT_TRANSLATE_NOOP("QObject", "Дата/Время:"), nullptr, 17.5},
    {ColumnKind::Number, QT_TRANSLATE_NOOP("QObject", "Лог №:"), nullptr, 7.5},
    {ColumnKind::Type, QT_TRANSLATE_NOOP("QObject", "Тип лога:"), nullptr, 21},
    {ColumnKind::Codes, QT_TRANSLATE_NOOP("QObject", "Статус прибора:"), nullptr, 26},
    {ColumnKind::Bump, QT_TRANSLATE_NOOP("QObject", "BUMP TEST:"), nullptr, 26},
    {ColumnKind::Value, ":", nullptr, 15},
    {ColumnKind::Twa, QT_TRANSLATE_NOOP("QObject", " TWA:"), nullptr, 12.5},
    {ColumnKind::AdcZero, QT_TRANSLATE_NOOP("QObject", " АЦП 0:"),
     QT_TRANSLATE_NOOP("QObject", " АЦП нуля:"), 15},
    {ColumnKind::AdcSpan, QT_TRANSLATE_NOOP("QObject", " АЦП д.:"),
     QT_TRANSLATE_NOOP("QObject", " АЦП диапазона:"), 15},
    {ColumnKind::Battery, QT_TRANSLATE_NOOP("QObject", "Заряд батареи:"), nullptr, 15},
    {ColumnKind::Temperature, QT_TRANSLATE_NOOP("QObject", "Температура:"), nullptr, 15},
};

// A column with the title and width of its kind.
Column column(ColumnKind kind, int index, int position, int sheetColumn)
{
    if (kind == ColumnKind::Setting) {
        const SettingsTitle& t = settingsTitles[index];
        return Column{kind, index, position, sheetColumn, t.title, nullptr, t.width};
    }
    for (const ColumnText& t : columnTexts)
        if (t.kind == kind)
            return Column{kind, index, position, sheetColumn, t.title, t.sheetTitle, t.width};
    Q_UNREACHABLE();
}

// n: the channel count, at most LogMaxChannels.
const QVector<Column>& exportColumns(int n, bool service)
{
    Q_ASSERT(n >= 0 && n <= LogMaxChannels);
    static QVector<Column> tables[2][LogMaxChannels + 1];
    QVector<Column>& c = tables[service ? 1 : 0][n];
    if (!c.isEmpty())
        return c;
    c << column(ColumnKind::Date, 0, 0, 1) << column(ColumnKind::Number, 0, 20, 2)
      << column(ColumnKind::Type, 0, 30, 3) << column(ColumnKind::Codes, 0, 50, 4)
      << column(ColumnKind::Bump, 0, 130, 5);
    for (int k = 0; k < n; ++k)
        c << column(ColumnKind::Value, k, 145 + 20 * k, 6 + k);
    for (int k = 0; k < n; ++k) {
        if (service) {
            const int at = 145 + 20 * n + 50 * k;
            c << column(ColumnKind::Twa, k, at, 6 + n + 3 * k)
              << column(ColumnKind::AdcZero, k, at + 15, 7 + n + 3 * k)
              << column(ColumnKind::AdcSpan, k, at + 30, 8 + n + 3 * k);
        } else {
            c << column(ColumnKind::Twa, k, 145 + 20 * n + 15 * k, 6 + n + k);
        }
    }
    if (service)
        c << column(ColumnKind::Battery, 0, 145 + 70 * n, 6 + 4 * n)
          << column(ColumnKind::Temperature, 0, 165 + 70 * n, 7 + 4 * n);
    const int s = service ? 180 + 70 * n : 145 + 35 * n;
    const int p = service ? 8 + 4 * n : 6 + 2 * n;
    for (int i = 0; i < int(sizeof settingsTitles / sizeof settingsTitles[0]); ++i)
        c << column(ColumnKind::Setting, i, s + settingsTitles[i].offset, p + i);
    return c;
}

// A cell of a column with the column's text position and sheet column.
Cell cellAt(const Column& c, const QString& text, const QString& after = {})
{
    return Cell{c.position, c.sheetColumn, text, after};
}

// A cell that only keeps its column's field in a CSV line.
Cell gapAt(const Column& c)
{
    return Cell{c.position, 0, {}};
}

Cell titleCell(const Column& c)
{
    const QString g = channelColumn(c.kind)
                          ? QString::asprintf("%d.", c.index + 1) + formulaOf(c.index)
                          : QString();
    Cell cell = cellAt(c, g + QObject::tr(c.title));
    if (c.sheetTitle)
        cell.sheet = g + QObject::tr(c.sheetTitle);
    return cell;
}

// The codes text brings its closing ";" along, into the sheet too.
Cell codesCell(const Column& c, const QString& codes)
{
    Cell cell = cellAt(c, codes.endsWith(QLatin1Char(';')) ? codes.chopped(1) : codes);
    cell.sheet = codes;
    return cell;
}

// The working table of the first n channels, n at most LogMaxChannels.
void buildWorkingTable(int n)
{
    for (int k = 0; k < n; ++k) {
        ExportChannel& c = exportChannels[k];
        const double f = command.unitFactor(k);
        if (command.registerMap == ClassicMap) {
            const ClassicChannelRecord& r = command.classicChannels[k];
            c.page = quint8(r.channelPage & 0xFF);
            c.format = r.format;
            c.stelInterval = r.stelInterval;
            c.lastCalibrationDate = r.lastCalibrationDate;
            copyFormula(c.gasFormula, r.gasFormula);
            const double w = f / decimalScale(r.format, 1);
            c.limit1 = float((r.limit1 & 0x7FFF) * w);
            c.limit2 = float((r.limit2 & 0x7FFF) * w);
            c.limit3 = float((r.limit3 & 0x7FFF) * w);
            c.limit4 = float(r.limit4 * w);
            c.stel = float(r.stel * w);
            c.twa = float(r.twa * w);
        } else if (command.registerMap == ExtendedMap) {
            const ExtendedChannelRecord& r = command.extendedChannels[k];
            c.page = quint8(r.channelPage & 0xFF);
            c.format = r.format;
            c.stelInterval = r.stelInterval;
            c.lastCalibrationDate = r.lastCalibrationDate;
            copyFormula(c.gasFormula, r.gasFormula);
            c.limit1 = float(double(r.limit1) * f);
            c.limit2 = float(double(r.limit2) * f);
            c.limit3 = float(double(r.limit3) * f);
            c.limit4 = float(double(r.limit4) * f);
            c.stel = float(double(r.stel) * f);
            c.twa = float(double(r.twa) * f);
        }
    }
}

void imageFormula(int k)
{
    if (command.registerMap == ClassicMap)
        copyFormula(exportChannels[k].gasFormula, command.classicChannels[k].gasFormula);
    else if (command.registerMap == ExtendedMap)
        copyFormula(exportChannels[k].gasFormula, command.extendedChannels[k].gasFormula);
}

int clampChannels(quint16 channelCount)
{
    return qMin<int>(channelCount, LogMaxChannels);
}
} // namespace

ExportForm exportFormOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("txt"))
        return ExportForm::Text;
    if (suffix == QLatin1String("csv"))
        return ExportForm::Csv;
    if (suffix == QLatin1String("xlsx"))
        return ExportForm::Xlsx;
    return ExportForm::None;
}

QStringList exportLegend(quint16 modelCode)
{
    QStringList lines;
    for (const Legend& l : legendLines)
        if (inGroup(modelCode, l.models))
            lines << QObject::tr(l.text) + QLatin1Char(';');
    return lines;
}

void writeExportHeader(ExportOutput& out, quint16 channelCount, quint32 serial, ExportMode mode,
                       bool full)
{
    const int n = clampChannels(channelCount);
    buildWorkingTable(n);
    if (full) // a new export: the time zone may have changed since the last one
        clearDayOffsets();
    const quint32 bumpDate = exportBumpTestDate != 0 ? exportBumpTestDate : exportProductionDate;

    if (sheetForm(out))
        out.sheet->setColumnFormat(1, 50, FillWhite);
    if (full) {
        for (const Legend& l : legendLines)
            if (inGroup(command.modelCode, l.models))
                writeRow(out, {legendCell(l)}, FillWhite);
    }
    writeEmptyRow(out);

    QVector<Cell> setupTitles;
    for (int i = 0; i < SetupColumnCount; ++i)
        setupTitles << setupCell(i, QObject::tr(setupColumns[i].title));
    writeRow(out, setupTitles, FillGreen);

    // The serial number stands on the first channel's line only; the lines
    // below keep its field empty.
    bool anyChannel = false;
    for (int k = 0; k < n; ++k) {
        if (exportChannels[k].page != k)
            continue;
        writeRow(out,
                 setupChannelCells(k, bumpDate, anyChannel ? Cell{0, 0, {}} : serialCell(serial)),
                 FillWhite);
        anyChannel = true;
    }
    // The empty line after the channels; with no channel on it still carries
    // the serial number as it was built, ";" included. The sheet has no such
    // row: there the serial number then fills a row of its own.
    if (textForm(out))
        writeTextLine(out, anyChannel ? QString() : serialNumber(serial) + QLatin1Char(';'));
    else if (!anyChannel)
        writeRow(out, {serialCell(serial)}, FillWhite);

    const QVector<Column>& columns = exportColumns(n, serviceMode(mode));
    QVector<Cell> titles;
    for (const Column& c : columns)
        titles << titleCell(c);
    writeRow(out, titles, FillGreen);
    if (sheetForm(out)) {
        for (const Column& c : columns)
            out.sheet->setColumnWidth(c.sheetColumn, c.width);
    }
}

QString exportCodesText(const LogRecord& record, quint16 channelCount, ExportMode mode,
                        bool measurement, bool* rowFlag)
{
    QString codes;
    bool flag = false;
    const StatusCodeStyle style = traitsOf(command.modelCode).statusCodes;
    const bool groupA = style == StatusCodeStyle::Fa3;
    const bool groupB = style == StatusCodeStyle::Fa3Fa4;
    if (groupA || groupB) {
        for (int b = 0; b <= 9; ++b) {
            if (!(record.deviceStatus & (1u << b)))
                continue;
            flag = true;
            if (b == 3 || (b == 4 && groupB))
                codes += QObject::tr("FA") + QString::number(b);
            else if (groupA)
                codes += QObject::tr("WA") + QString::asprintf("%01X", b);
            else
                codes += QObject::tr("WA") + QString::number(b);
            codes += QLatin1Char(',');
        }
    }
    if (measurement) {
        for (int k = 0; k < clampChannels(channelCount); ++k) {
            const LogMeasurementBlock& m = record.channels[k].measurement;
            for (int b = 0; b <= 9; ++b) {
                if (!(m.channelStatus & (1u << b)))
                    continue;
                flag = true;
                const char* letter = b <= 5 ? "A" : b == 6 ? "E" : "W";
                codes +=
                    QObject::tr(letter) + QString::asprintf("%02X", 16 * k + b) + QLatin1Char(',');
            }
            if (serviceMode(mode) && (m.format & FormatBits::DeviceCalibrates))
                codes += QString::asprintf("%01X_ST-%04X,", k, m.sensorStatus);
        }
    }
    if (!codes.isEmpty())
        codes[codes.size() - 1] = QLatin1Char(';');
    if (rowFlag)
        *rowFlag = flag;
    return codes;
}

namespace
{
// The row writers on a decoded record: the line loop decodes each line's record
// once, for its time and type and for its row.
void writeMeasurementRow(ExportOutput& out, const LogRecord& rec, quint16 channelCount,
                         ExportMode mode)
{
    const int n = clampChannels(channelCount);
    for (int k = 0; k < n; ++k) {
        const LogMeasurementBlock& m = rec.channels[k].measurement;
        ExportChannel& c = exportChannels[k];
        c.format = m.format;
        // The record's own unit: the factor and the label come from one format word.
        const double q =
            double(command.unitFactorFor(k, displayUnitOf(m.format))) / decimalScale(m.format, 1);
        c.value = float(m.rawValue * q);
        c.twaValue = float(m.rawTwaValue * q);
    }
    bool rowFlag = false;
    const QString codes = exportCodesText(rec, channelCount, mode, true, &rowFlag);
    if (mode == ExportErrorsOnly || mode == ExportServiceErrorsOnly) {
        if (!rowFlag)
            return;
        rowFlag = false;
    } else if (mode != ExportAll && mode != ExportService) {
        return;
    }
    const QString date = dateText(rec.recordTime, true);
    const QString bump = (rec.recordFlags & 0x80) ? QObject::tr("Да") : QObject::tr("Нет");
    auto cellOf = [&](const Column& col) -> Cell {
        const LogMeasurementBlock& m = rec.channels[col.index].measurement;
        const ExportChannel& c = exportChannels[col.index];
        switch (col.kind) {
        case ColumnKind::Date:
            return cellAt(col, date);
        case ColumnKind::Number:
            return cellAt(col, QString::number(rec.recordNumber));
        case ColumnKind::Type:
            return cellAt(col, QObject::tr("Измерение"));
        case ColumnKind::Codes:
            return codesCell(col, codes);
        case ColumnKind::Bump:
            return cellAt(col, bump);
        case ColumnKind::Value:
            if (m.channelState & (1u << 6))
                return cellAt(col, QObject::tr("Отключен"));
            return cellAt(col, fixed2(double(c.value)), QLatin1Char(' ') + unitName(m.format));
        case ColumnKind::Twa:
            return cellAt(col, (m.format & FormatBits::KindOxygen) ? QStringLiteral("-")
                                                                   : fixed2(double(c.twaValue)));
        case ColumnKind::AdcZero:
            return cellAt(col, QString::number(m.zeroAdc));
        case ColumnKind::AdcSpan:
            return cellAt(col, QString::number(m.spanAdc));
        case ColumnKind::Battery:
            return cellAt(col, QString::number(rec.batteryCharge));
        case ColumnKind::Temperature:
            return cellAt(col, fixed2(double(logTemperature(rec.temperature))));
        case ColumnKind::Setting:
            break;
        }
        return gapAt(col);
    };
    const QVector<Column>& columns = exportColumns(n, serviceMode(mode));
    QVector<Cell> cells;
    cells.reserve(columns.size());
    for (const Column& col : columns) {
        if (col.kind == ColumnKind::Setting)
            break; // measurement rows leave the settings columns empty
        cells.append(cellOf(col));
    }
    writeRow(out, cells, rowFlag ? FillRed : FillWhite);
}

void writeEventRow(ExportOutput& out, const LogRecord& rec, quint16 channelCount, ExportMode mode)
{
    const int n = clampChannels(channelCount);
    for (int k = 0; k < n; ++k) {
        const LogSettingsBlock& s = rec.channels[k].settings;
        ExportChannel& c = exportChannels[k];
        // The unit label of a settings row is the last one written: its factor too.
        const double q =
            double(command.unitFactorFor(k, displayUnitOf(c.format))) / decimalScale(s.format, 1);
        c.limit1 = float(logLimitCounts(s.limit1, command.registerMap) * q);
        c.limit2 = float(logLimitCounts(s.limit2, command.registerMap) * q);
        c.limit3 = float(logLimitCounts(s.limit3, command.registerMap) * q);
        c.limit4 = float(s.limit4 * q);
        c.stel = float(s.stel * q);
        c.twa = float(s.twa * q);
        imageFormula(k);
    }
    const QString codes = exportCodesText(rec, channelCount, mode, false, nullptr);
    const quint16 type = rec.recordType;
    const bool damaged = type > 2 && (type & 0xF) != 0;
    QString typeText;
    if (type == 0)
        typeText = QObject::tr("Включение");
    else if (type == 1)
        typeText = QObject::tr("Выключение");
    else if (type == 2)
        typeText = QObject::tr("Прошивка");
    else if (damaged)
        typeText = QObject::tr("Поврежденный лог");

    bool plain = false;
    bool settings = false;
    if (mode == ExportErrorsOnly || mode == ExportServiceErrorsOnly) {
        plain = type == 0 || type == 1 || damaged;
    } else if (mode == ExportAll || mode == ExportService) {
        if (!damaged && (type & 0x2FF0))
            settings = true;
        else
            plain = true;
    } else {
        return;
    }
    const QString date = dateText(rec.recordTime, true);
    const QString number = QString::number(rec.recordNumber);
    const QVector<Column>& columns = exportColumns(n, serviceMode(mode));
    auto isHead = [](const Column& col) {
        return col.kind == ColumnKind::Date || col.kind == ColumnKind::Number ||
               col.kind == ColumnKind::Type || col.kind == ColumnKind::Codes;
    };
    // The first four cells of an event row. In the sheet every ";" of the type
    // text, its closing one included, becomes a blank.
    auto headCell = [&](const Column& col, const QString& type) -> Cell {
        switch (col.kind) {
        case ColumnKind::Date:
            return cellAt(col, date);
        case ColumnKind::Number:
            return cellAt(col, number);
        case ColumnKind::Type: {
            Cell cell = cellAt(col, type);
            if (!type.isEmpty())
                cell.sheet = QString(type)
                                 .append(QLatin1Char(';'))
                                 .replace(QLatin1Char(';'), QLatin1Char(' '));
            return cell;
        }
        case ColumnKind::Codes:
            return codesCell(col, codes);
        default:
            break;
        }
        return gapAt(col);
    };
    if (plain) {
        QVector<Cell> cells;
        for (const Column& col : columns)
            if (isHead(col))
                cells << headCell(col, typeText);
        writeRow(out, cells, FillCyan);
        return;
    }
    if (!settings)
        return;
    const quint32 bumpDate =
        rec.lastBumpTestDate != 0 ? rec.lastBumpTestDate : exportProductionDate;
    for (int k = 0; k < n; ++k) {
        if (!logSettingsChanged(type, k))
            continue;
        const LogSettingsBlock& s = rec.channels[k].settings;
        const ExportChannel& c = exportChannels[k];
        const QString t =
            QObject::tr("Настройка ") + QString::asprintf("%d.", k + 1) + formulaOf(k);
        // The settings cells in the order of their titles; the range carries the unit.
        QStringList texts = {
            QString::asprintf("%d", s.calibrationInterval),
            dateText(s.lastCalibrationDate, false),
            QString::number(rec.batteryCharge),
            dateText(bumpDate, false),
        };
        texts << limitTexts(c) << QString::asprintf("%d", s.stelInterval);
        constexpr int RangeCell = 7;
        // The measurement columns stay empty: in a CSV file they keep their
        // fields, so that the settings stand under their titles.
        QVector<Cell> cells;
        for (const Column& col : columns) {
            if (isHead(col))
                cells << headCell(col, t);
            else if (col.kind != ColumnKind::Setting)
                cells << gapAt(col);
            else if (col.index == RangeCell)
                cells << cellAt(col, texts[col.index], QLatin1Char(' ') + unitName(c.format));
            else
                cells << cellAt(col, texts[col.index]);
        }
        writeRow(out, cells, FillWhite);
    }
}

} // namespace

void writeMeasurementRow(ExportOutput& out, quint16 channelCount, ExportMode mode)
{
    writeMeasurementRow(out, logRecordFromBytes(command.logRecord, LogRecordSize), channelCount,
                        mode);
}

void writeEventRow(ExportOutput& out, quint16 channelCount, ExportMode mode)
{
    writeEventRow(out, logRecordFromBytes(command.logEventRecord, LogRecordSize), channelCount,
                  mode);
}

namespace
{
bool fail(const QString& text)
{
    lastExportMessage = text;
    dialogs::critical(nullptr, QObject::tr(" "), text);
    return false;
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// What an export run exports: the records of a time window (or all), for the header
// and the row writers.
struct ExportJob {
    bool window;
    quint32 startSeconds;
    quint32 stopSeconds;
    quint16 channelCount;
    quint32 serial;
    ExportMode mode;
};

// One export run: its job, its source, its destination written aside (the old
// destination is replaced only by a finished file) and the counts of the line loop.
struct ExportRun {
    ExportRun(const ExportJob& job, const QString& destination) : job(job), target(destination) {}

    const ExportJob job;
    int recordSize = 0;

    QFile source;
    qint64 size = 0;
    QSaveFile target;
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<XlsxSheet> sheet;
    ExportOutput out;

    qint64 decoded = 0;
    int recordsSinceHeader = 0;
    int rowsWritten = 0;
    int emptyLines = 0; // empty lines not yet followed by another line

    // The source is read in bounded pieces: a whole line when it is no longer
    // than a record line, else piece by piece up to its end (a damaged file
    // may hold gigabytes without a line end).
    static constexpr int SkipPieceBytes = 64 * 1024;
    QByteArray buffer = QByteArray(SkipPieceBytes, Qt::Uninitialized);
    bool skipping = false; // inside a line longer than a record line
};

// Refusals and the opening of source and destination; false after the message (an empty
// source is refused without one).
bool openExport(ExportRun& run, const QString& sourcePath)
{
    const QString destination = run.target.fileName();
    // The form is decided before anything is opened: an unknown suffix leaves
    // an existing file as it is.
    const ExportForm form = exportFormOf(destination);
    if (form == ExportForm::None)
        return fail(QObject::tr("Неизвестный формат файла экспорта"));
    if (sameFile(sourcePath, destination))
        return fail(QObject::tr("Файл экспорта совпадает с файлом лога"));
    run.recordSize = logRecordSize(command.modelCode);
    if (run.recordSize <= 0)
        return fail(QObject::tr("Ошибка открытия файла"));

    run.source.setFileName(sourcePath);
    if (openOperatorFile(run.source, QIODevice::ReadOnly) != FileCheck::Ok)
        return fail(QObject::tr("Ошибка открытия файла"));
    run.size = run.source.size();
    if (run.size == 0)
        return false;

    if (!writableOperatorFileName(destination) || !run.target.open(QIODevice::WriteOnly))
        return fail(QObject::tr("Ошибка открытия файла"));
    run.out.form = form;
    if (form == ExportForm::Xlsx) {
        // The workbook library writes a file of its own; it is built aside
        // and copied into the destination when finished.
        run.workDir = std::make_unique<QTemporaryDir>();
        if (!run.workDir->isValid())
            return fail(QObject::tr("Ошибка открытия файла"));
        run.sheet =
            std::make_unique<XlsxSheet>(run.workDir->filePath(QStringLiteral("export.xlsx")));
        if (!run.sheet->ok())
            return fail(QObject::tr("Ошибка открытия файла"));
        run.out.sheet = run.sheet.get();
    } else {
        run.out.text = &run.target;
    }
    return true;
}

// A record inside the window: its row, after the repeated header every 50 records.
void writeRecordRow(ExportRun& run, const LogRecord& record)
{
    if (run.recordsSinceHeader == 50) {
        writeExportHeader(run.out, run.job.channelCount, run.job.serial, run.job.mode, false);
        run.recordsSinceHeader = 0;
    }
    if (record.recordType == 4)
        writeMeasurementRow(run.out, record, run.job.channelCount, run.job.mode);
    else
        writeEventRow(run.out, record, run.job.channelCount, run.job.mode);
    ++run.recordsSinceHeader;
    ++run.rowsWritten;
}

enum class LineResult { Next, Done, Failed };

// Reads the next line and writes its row; Done once a record lies after the window, which
// completes the run (the records are in rising time order). A line longer than a record
// line is damaged: it is counted at once and read on piece by piece, one piece per call,
// so that no more than a piece is ever held and the caller sees a Cancel between pieces.
LineResult exportLine(ExportRun& run)
{
    // readLine stores at most max - 1 bytes and a closing zero.
    const qint64 lineLimit = 2 * qint64(run.recordSize) + 2;
    const qint64 max = run.skipping ? qint64(run.buffer.size()) : lineLimit + 1;
    const qint64 n = run.source.readLine(run.buffer.data(), max);
    if (n < 0)
        return LineResult::Failed;
    run.decoded += n;
    const bool ended = n > 0 && run.buffer.at(int(n - 1)) == '\n';
    if (run.skipping) {
        if (ended || run.source.atEnd())
            run.skipping = false;
        return LineResult::Next;
    }
    // No byte of the previous line may stand in a damaged one.
    std::memset(command.logRecord, 0, sizeof command.logRecord);
    if (!ended && !run.source.atEnd()) {
        lastExportSkippedLines += run.emptyLines + 1;
        run.emptyLines = 0;
        run.skipping = true;
        return LineResult::Next;
    }
    QByteArray line(run.buffer.constData(), int(n));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    // An empty line between records is a damaged one (a record lost in
    // the file); only empty lines at the very end of the file are not.
    if (line.isEmpty()) {
        ++run.emptyLines;
        return LineResult::Next;
    }
    lastExportSkippedLines += run.emptyLines;
    run.emptyLines = 0;
    if (!loadLogLine(line, run.recordSize)) {
        ++lastExportSkippedLines;
        return LineResult::Next;
    }
    const LogRecord record = currentLogRecord();
    const quint32 t = logSeconds(record.recordTime, command.secondsPerTick);
    if (run.job.window) {
        if (t > run.job.stopSeconds)
            return LineResult::Done;
        if (t < run.job.startSeconds)
            return LineResult::Next;
    }
    writeRecordRow(run, record);
    return LineResult::Next;
}

// Whole seconds left at the pace so far; never wrapped at 65,536 s.
qint64 exportSecondsLeft(qint64 size, qint64 decoded, qint64 elapsedMs)
{
    return qint64(qMax(0.0, progressSecondsLeft(elapsedMs, decoded, size, PaceForm::RatioFirst)));
}

// How the line loop ended.
enum class LoopEnd {
    Complete,  // the whole source (or the window) was read
    Cancelled, // by the operator, or a failed read
    SheetFull, // a row would lie past the sheet's last row
};

// The line loop under the progress dialog.
LoopEnd exportLines(ExportRun& run, ProgressSession& progress)
{
    // The label is made (a translation look-up and a number) only when the whole
    // seconds change, not for every line.
    qint64 shownSeconds = -1;
    for (;;) {
        // The sheet holds no more rows: nothing further is read, the rest could
        // only take time and end the same way.
        if (run.out.sheetFull)
            return LoopEnd::SheetFull;
        const int percent = int(double(run.decoded) * (100.0 / double(run.size)));
        if (!progress.step(qBound(0, percent, 100)))
            return LoopEnd::Cancelled;
        if (run.source.atEnd())
            return LoopEnd::Complete;
        const LineResult line = exportLine(run);
        if (line == LineResult::Done)
            return LoopEnd::Complete;
        if (line == LineResult::Failed)
            return LoopEnd::Cancelled;
        if (run.decoded > 0) {
            const qint64 left = exportSecondsLeft(run.size, run.decoded, progress.elapsedMs());
            if (left != shownSeconds) {
                shownSeconds = left;
                progress.showRemaining(
                    QObject::tr("Выполнение процесса компоновки,\nосталось %1 секунд"), left);
            }
        }
        if (exportLineHook)
            exportLineHook();
    }
}

enum class WriteResult { Written, Failed, Cancelled };

// The library's close of the workbook, which writes its file into the work folder in
// one call that sees no events and runs for seconds near the sheet's last row. It runs
// on a thread of its own while the dialog stays alive here: a Cancel ends the export
// at once, and the abandoned close removes what it wrote when it ends.
WriteResult closeWorkbook(ExportRun& run, ProgressSession& progress)
{
    XlsxClose book = run.sheet->takeForClose();
    if (!book)
        return WriteResult::Failed;
    WorkbookClose close(std::move(book), run.workDir->path());
    if (exportCloseHook)
        exportCloseHook();
    // A Cancel is looked for before the end: one pressed while the close ran
    // counts even when the close ended meanwhile.
    while (progress.step(100)) {
        if (close.finished())
            return close.succeeded() ? WriteResult::Written : WriteResult::Failed;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    close.abandon(*run.workDir);
    return WriteResult::Cancelled;
}

// The finished workbook into the destination: a Cancel pressed before the close skips
// it, one pressed during it ends the export at once. The file is then copied in pieces,
// the Cancel seen between them, and never held whole in memory.
WriteResult writeWorkbook(ExportRun& run, ProgressSession& progress)
{
    progress.setLabelText(QObject::tr("Запись файла..."));
    if (progress.cancelledAtEnd())
        return WriteResult::Cancelled;
    const WriteResult closed = closeWorkbook(run, progress);
    if (closed != WriteResult::Written)
        return closed;
    if (progress.cancelledAtEnd())
        return WriteResult::Cancelled;
    QFile book(run.workDir->filePath(QStringLiteral("export.xlsx")));
    if (!book.open(QIODevice::ReadOnly))
        return WriteResult::Failed;
    QByteArray piece(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = book.read(piece.data(), piece.size());
        if (n < 0)
            return WriteResult::Failed;
        if (n == 0)
            return WriteResult::Written;
        if (run.target.write(piece.constData(), n) != n)
            return WriteResult::Failed;
        if (!progress.step(100))
            return WriteResult::Cancelled;
    }
}

// Puts the finished file in place of the destination.
WriteResult commitExport(ExportRun& run, ProgressSession& progress)
{
    if (run.out.form == ExportForm::Xlsx) {
        const WriteResult book = writeWorkbook(run, progress);
        if (book != WriteResult::Written) {
            run.target.cancelWriting();
            return book;
        }
    }
    // commit() does not heed a flush that fails (a full disk): flushed here first.
    return run.target.flush() && run.target.commit() ? WriteResult::Written : WriteResult::Failed;
}

QString sheetFullText()
{
    return QObject::tr("Лист xlsx вмещает не более %1 строк: экспорт остановлен, файл не "
                       "записан. Для такого объема выберите файл CSV или TXT либо более "
                       "короткий диапазон.")
        .arg(XlsxSheet::MaxRows);
}

// After the loop and the write. Nothing is written when the sheet ran full, when a workbook
// export was cancelled (writing its rows so far would take as long as a finished one) and
// when a text export was cancelled before its first row: the old destination then stays.
// Otherwise the rows so far replace it, and skipped lines are reported.
bool finishExport(ExportRun& run, LoopEnd end, WriteResult written)
{
    if (end == LoopEnd::SheetFull || written == WriteResult::Cancelled) {
        run.target.cancelWriting();
        if (run.sheet)
            run.sheet->discard();
        if (end == LoopEnd::SheetFull)
            return fail(sheetFullText());
        lastExportMessage = QObject::tr("Экспорт прерван");
        return false;
    }
    if (written == WriteResult::Failed)
        return fail(QObject::tr("Ошибка записи файла"));
    QString message;
    if (end != LoopEnd::Complete)
        message = QObject::tr("Экспорт прерван");
    if (lastExportSkippedLines > 0) {
        if (!message.isEmpty())
            message += QLatin1Char('\n');
        message += QObject::tr("Пропущено поврежденных строк: %1").arg(lastExportSkippedLines);
    }
    lastExportMessage = message;
    if (lastExportSkippedLines > 0)
        dialogs::information(nullptr, QObject::tr(" "), message);
    return end == LoopEnd::Complete;
}

bool runExport(const QString& sourcePath, bool window, quint32 startSeconds, quint32 stopSeconds,
               quint16 channelCount, quint32 serial, ExportMode mode, const QString& destination)
{
    lastExportMessage.clear();
    lastExportSkippedLines = 0;
    std::memset(command.logRecord, 0, sizeof command.logRecord);
    ExportRun run({window, startSeconds, stopSeconds, channelCount, serial, mode}, destination);
    if (!openExport(run, sourcePath))
        return false;
    writeExportHeader(run.out, channelCount, serial, mode, true);
    LoopEnd end = LoopEnd::Cancelled;
    WriteResult written = WriteResult::Cancelled;
    {
        // The dialog stays up while the file is written, so that its Cancel also
        // reaches the writing; it closes before any message.
        ProgressSession progress;
        // The event loop every 20 ms is enough for the Cancel button; once per
        // line it cost more than writing the line.
        progress.setEventInterval(20);
        end = exportLines(run, progress);
        run.source.close();
        const bool keepRows = run.out.form != ExportForm::Xlsx && run.rowsWritten > 0;
        if (end == LoopEnd::Complete || (end == LoopEnd::Cancelled && keepRows))
            written = commitExport(run, progress);
    }
    return finishExport(run, end, written);
}
} // namespace

bool exportLogRange(quint32 startSeconds, quint32 stopSeconds, quint16 channelCount, quint32 serial,
                    ExportMode mode, const QString& destination)
{
    const LogTransferLock lock; // one download or export at a time
    if (!lock.acquired())
        return false;
    return runExport(rangeLogFilePath(serial), true, startSeconds, stopSeconds, channelCount,
                     serial, mode, destination);
}

bool exportLogFile(quint16 channelCount, quint32 serial, ExportMode mode,
                   const QString& destination)
{
    const LogTransferLock lock;
    if (!lock.acquired())
        return false;
    return runExport(syncLogFilePath(command.modelCode, serial), false, 0, 0, channelCount, serial,
                     mode, destination);
}
