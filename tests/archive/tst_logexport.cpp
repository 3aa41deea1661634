// The log export: legend, set-up block, column titles, rows, mode filters and
// the drivers with their refusals. Records are built byte by byte at their
// offsets; the written files are read back with independent readers (Python's
// csv module and openpyxl) or by fixed columns.

#include "bytes.h"
#include "command.h"
#include "dialogs.h"
#include "files.h"
#include "filesizelimit.h"
#include "logdownload.h"
#include "logexport.h"
#include "logrecord.h"
#include "types.h"
#include "workbookclose.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <time.h>

namespace
{
// A T6's legend: the 18 lines of every model and the BLE line.
constexpr int T6LegendLines = 19;
// The records between two column-title lines of one export.
constexpr int RecordsPerHeader = 50;

// The lines of a text header: the legend (none when not full) and an empty
// line, the set-up titles, one line per channel switched on, an empty line
// (which carries the serial number when no channel is on) and the column titles.
constexpr int textHeaderLines(int legendLines, int channelsOn)
{
    return legendLines + 1 + 1 + channelsOn + 1 + 1;
}
// The line of the first row in a text export of a T6 with all four channels on,
// counted from 0.
constexpr int FirstRowLine = textHeaderLines(T6LegendLines, 4);

// The same header in the spreadsheet form, rows counted from 1: the legend
// rows, an empty row, the set-up titles, the serial number beside the first
// channel and one row for each further channel, then the column titles.
constexpr int xlsxSetupTitlesRow(int legendLines)
{
    return legendLines + 2;
}
constexpr int xlsxTitlesRow(int legendLines, int channelsOn)
{
    return xlsxSetupTitlesRow(legendLines) + channelsOn + 1;
}
constexpr int XlsxFirstRow = xlsxTitlesRow(T6LegendLines, 4) + 1;

// A cell reference such as "F27".
QString ref(char column, int row)
{
    return QLatin1Char(column) + QString::number(row);
}

// A record of `size` bytes: type at 0, number at 4, time at 8.
QByteArray record(int size, quint16 type, quint32 number, quint32 time)
{
    QByteArray b(size, '\0');
    put16(b, 0, type);
    put32(b, 4, number);
    put32(b, 8, time);
    return b;
}

// `count` records of type 4, each numbered and timed by its index.
QList<QByteArray> numberedRecords(int count)
{
    QList<QByteArray> records;
    for (int i = 0; i < count; ++i)
        records << record(120, 4, quint32(i), quint32(i));
    return records;
}

// What stood under an export's name before it: the file a failed or cancelled
// export must leave as it was.
const QByteArray previousFile = "old\r\n";
bool putPreviousFile(const QString& dest)
{
    QFile f(dest);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(previousFile) == previousFile.size();
}

// Channel block k starts at 24 + 24 k: state 0, status 2, raw value 12, format 16,
// sensor status 18.
void setChannel(QByteArray& b, int k, quint16 status, quint16 raw, quint16 format)
{
    put16(b, 24 + 24 * k + 2, status);
    put16(b, 24 + 24 * k + 12, raw);
    put16(b, 24 + 24 * k + 16, format);
}

void setModel(quint16 model, quint16 channelsOn)
{
    command.modelCode = model;
    command.registerMap = ExtendedMap;
    command.secondsPerTick = 1.0;
    for (int k = 0; k < ChannelSlots; ++k) {
        ExtendedChannelRecord& r = command.extendedChannels[k];
        r = ExtendedChannelRecord{};
        r.channelPage = (channelsOn & (1u << k)) ? quint16(k) : quint16(0xFF);
        std::memcpy(r.gasFormula, "CO", 2);
        r.limit1 = 20;
        r.limit4 = 500;
    }
    setExportDates(0, 0);
}

QString runPython(const QString& script, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
    if (!p.waitForFinished(60000))
        return QString();
    if (p.exitCode() != 0)
        qWarning().noquote() << p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The local time zone of one case, put back when the case ends.
class ZoneGuard
{
public:
    explicit ZoneGuard(const QByteArray& zone)
        : m_wasSet(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneGuard()
    {
        if (m_wasSet)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;

private:
    bool m_wasSet;
    QByteArray m_old;
};

// The system's temporary folder for one case: a folder of its own, in which the
// workbook export makes its work folder; put back when the case ends, after
// every abandoned close has removed what it wrote.
class TemporaryFolderGuard
{
public:
    explicit TemporaryFolderGuard(const QString& folder)
        : m_folder(folder), m_wasSet(qEnvironmentVariableIsSet("TMPDIR")), m_old(qgetenv("TMPDIR"))
    {
        QDir().mkpath(folder);
        qputenv("TMPDIR", QFile::encodeName(folder));
    }
    ~TemporaryFolderGuard()
    {
        exportCloseHook = nullptr;
        waitForAbandonedWorkbooks();
        if (m_wasSet)
            qputenv("TMPDIR", m_old);
        else
            qunsetenv("TMPDIR");
    }
    TemporaryFolderGuard(const TemporaryFolderGuard&) = delete;
    TemporaryFolderGuard& operator=(const TemporaryFolderGuard&) = delete;

    // What is in the folder, hidden entries too.
    QStringList entries() const
    {
        return QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QString path() const { return m_folder; }

private:
    QString m_folder;
    bool m_wasSet;
    QByteArray m_old;
};

QStringList textLines(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The header and row writers writing one text form into memory.
struct TextExport {
    QBuffer buffer;
    ExportOutput out;

    explicit TextExport(ExportForm form = ExportForm::Text)
    {
        buffer.open(QIODevice::WriteOnly);
        out.form = form;
        out.text = &buffer;
    }
    // Forgets what was written so far (the header before the rows under test).
    void clear()
    {
        buffer.buffer().clear();
        buffer.seek(0);
    }
    QStringList lines() const { return textLines(buffer.data()); }
};
} // namespace

class TestLogExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void legendLength_data();
    void legendLength();
    void codes_data();
    void codes();
    void headerChannels();
    void eventRows_data();
    void eventRows();
    void headerRepeats();
    void range_data();
    void range();
    void recordUnit_data();
    void recordUnit();
    void localDates_data();
    void localDates();
    void damagedLines();
    void overlongLineSkipped_data();
    void overlongLineSkipped();
    void cancelInsideAnOverlongLine();
    void columns_data();
    void columns();
    void csvFields();
    void twoDecimalTies();
    void xlsxReadBack();
    void opensInLibreOffice();
    void formFromSuffix_data();
    void formFromSuffix();
    void refusals_data();
    void refusals();
    void cancelKeepsOldFile();
    void xlsxCancelWritesNothing_data();
    void xlsxCancelWritesNothing();
    void xlsxCancelDuringTheClose_data();
    void xlsxCancelDuringTheClose();
    void xlsxFailedCloseKeepsOldFile();
    void xlsxAbandonedCloseEndsWithTheProgram();
    void xlsxStopsAtTheSheetsLastRow();
    void fullDiskKeepsOldFile_data();
    void fullDiskKeepsOldFile();

private:
    QString writeSource(const QList<QByteArray>& records, const QByteArray& extra = {});
    QTemporaryDir m_dir;
    // Answers every box of the export (its Ok) and records what it said.
    std::unique_ptr<dialogs::Script> m_boxes;
};

void TestLogExport::init()
{
    m_boxes = std::make_unique<dialogs::Script>();
    exportLineHook = nullptr;
    exportCloseHook = nullptr;
    setModel(ModelT6, 0xF);
}

void TestLogExport::cleanup()
{
    m_boxes.reset();
    QFile::remove(syncLogFilePath(ModelT6, 7));
}

QString TestLogExport::writeSource(const QList<QByteArray>& records, const QByteArray& extra)
{
    QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/log"));
    const QString path = syncLogFilePath(command.modelCode, 7);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    for (const QByteArray& r : records)
        f.write(logLine(reinterpret_cast<const quint8*>(r.constData()), r.size()));
    f.write(extra);
    return path;
}

void TestLogExport::legendLength_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("lines");
    QTest::newRow("T2") << int(ModelT2) << 18;
    QTest::newRow("T6") << int(ModelT6) << 19;
    QTest::newRow("T6B") << int(ModelT6B) << 20;
    QTest::newRow("T6 Mini") << int(ModelT6Mini) << 23;
    QTest::newRow("T6M") << int(ModelT6M) << 23;
    QTest::newRow("T6M4") << int(ModelT6M4) << 23;
}

void TestLogExport::legendLength()
{
    QFETCH(int, model);
    QFETCH(int, lines);
    QCOMPARE(exportLegend(quint16(model)).size(), lines);
}

void TestLogExport::codes_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("device");
    QTest::addColumn<int>("status0");
    QTest::addColumn<int>("status1");
    QTest::addColumn<int>("format0");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<bool>("flag");
    QTest::newRow("T6 FA FA E") << int(ModelT6) << int(ExportAll) << 0x18 << 0x40 << 0 << 0
                                << "FA3,FA4,E06;" << true;
    QTest::newRow("T6M4 FA WA E") << int(ModelT6M4) << int(ExportAll) << 0x18 << 0x40 << 0 << 0
                                  << "FA3,WA4,E06;" << true;
    QTest::newRow("W17") << int(ModelT6) << int(ExportErrorsOnly) << 0 << 0 << 0x80 << 0 << "W17;"
                         << true;
    QTest::newRow("A00") << int(ModelT6) << int(ExportAll) << 0 << 1 << 0 << 0 << "A00;" << true;
    QTest::newRow("sensor status service")
        << int(ModelT6) << int(ExportService) << 0 << 0 << 0 << 0x800 << "0_ST-00A1;" << false;
    QTest::newRow("sensor status user")
        << int(ModelT6) << int(ExportAll) << 0 << 0 << 0 << 0x800 << "" << false;
    QTest::newRow("no device codes")
        << int(ModelNone) << int(ExportAll) << 0x18 << 0 << 0 << 0 << "" << false;
    QTest::newRow("T2 hex digit") << int(ModelT2) << int(ExportAll) << 0x200 << 0 << 0 << 0
                                  << "WA9;" << true;
}

void TestLogExport::codes()
{
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, device);
    QFETCH(int, status0);
    QFETCH(int, status1);
    QFETCH(int, format0);
    QFETCH(QString, codes);
    QFETCH(bool, flag);
    command.modelCode = quint16(model);
    QByteArray r = record(120, 4, 1, 0);
    put16(r, 14, quint16(device));
    setChannel(r, 0, quint16(status0), 0, quint16(format0));
    setChannel(r, 1, quint16(status1), 0, 0);
    put16(r, 24 + 18, 0x00A1);
    const LogRecord rec = logRecordFromBytes(reinterpret_cast<const quint8*>(r.constData()), 120);
    bool rowFlag = !flag;
    QCOMPARE(exportCodesText(rec, 4, ExportMode(mode), true, &rowFlag), codes);
    QCOMPARE(rowFlag, flag);
}

void TestLogExport::headerChannels()
{
    setModel(ModelT6, 0x5); // channels 0 and 2
    // Formulas are UTF-8 in the image, as the pages store them.
    std::memcpy(command.extendedChannels[2].gasFormula, "CH\xE2\x82\x84", 6);
    TextExport text;
    writeExportHeader(text.out, 4, 123, ExportAll, false);
    const QStringList lines = text.lines();
    // An empty line, the set-up titles, two channel lines, an empty line, the titles.
    QCOMPARE(lines.size(), textHeaderLines(0, 2));
    QCOMPARE(lines[0], QString());
    QVERIFY(lines[1].startsWith(QStringLiteral("Серийный номер:")));
    QCOMPARE(lines[2].left(20), QStringLiteral("QRT00000123 ").leftJustified(20));
    QCOMPARE(lines[2].mid(20, 5), QStringLiteral("1. CO"));
    QCOMPARE(lines[3].left(20), QString(20, QLatin1Char(' ')));
    QCOMPARE(lines[3].mid(20, 6), QString::fromUtf8("3. CH₄"));
    QCOMPARE(lines[2].mid(30, 13), QStringLiteral("Канал включен"));
    QCOMPARE(lines[2].mid(130, 6), QStringLiteral("20.00 "));
    QCOMPARE(lines[4], QString());
    QVERIFY(lines[5].startsWith(QStringLiteral("Дата/Время:")));
    QCOMPARE(lines[5].mid(145, 6), QStringLiteral("1.CO: "));

    // No channel on: the line after the set-up titles is the serial number as
    // it was built, with its ";", in both text forms.
    setModel(ModelT6, 0);
    for (ExportForm form : {ExportForm::Text, ExportForm::Csv}) {
        TextExport none(form);
        writeExportHeader(none.out, 4, 123, ExportAll, false);
        const QStringList noneLines = none.lines();
        QCOMPARE(noneLines.size(), textHeaderLines(0, 0));
        QCOMPARE(noneLines[2], QStringLiteral("QRT00000123;"));
        QVERIFY(noneLines[3].startsWith(QStringLiteral("Дата/Время:")));
    }
}

void TestLogExport::eventRows_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("typeCells");
    const QStringList none;
    QTest::newRow("48 all") << 48 << int(ExportAll)
                            << QStringList{"Настройка 1.CO", "Настройка 2.CO"};
    QTest::newRow("48 errors") << 48 << int(ExportErrorsOnly) << none;
    QTest::newRow("8192 all") << 8192 << int(ExportAll) << none;
    QTest::newRow("8192 errors") << 8192 << int(ExportErrorsOnly) << none;
    QTest::newRow("8192 service") << 8192 << int(ExportService) << none;
    QTest::newRow("4096 all") << 4096 << int(ExportAll) << QStringList{""};
    QTest::newRow("2 errors") << 2 << int(ExportErrorsOnly) << none;
    QTest::newRow("2 all") << 2 << int(ExportAll) << QStringList{"Прошивка"};
    QTest::newRow("0 errors") << 0 << int(ExportErrorsOnly) << QStringList{"Включение"};
    QTest::newRow("1 errors") << 1 << int(ExportServiceErrorsOnly) << QStringList{"Выключение"};
    QTest::newRow("3 errors") << 3 << int(ExportErrorsOnly) << QStringList{"Поврежденный лог"};
}

void TestLogExport::eventRows()
{
    QFETCH(int, type);
    QFETCH(int, mode);
    QFETCH(QStringList, typeCells);
    const QByteArray r = record(120, quint16(type), 9, 100);
    std::memcpy(command.logEventRecord, r.constData(), size_t(r.size()));
    TextExport text;
    writeEventRow(text.out, 4, ExportMode(mode));
    const QStringList lines = text.lines();
    QCOMPARE(lines.size(), typeCells.size());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(lines[i].mid(20, 2), QStringLiteral("9 "));
        QCOMPARE(lines[i].mid(30, 20).trimmed(), typeCells[i]);
    }
}

void TestLogExport::headerRepeats()
{
    QList<QByteArray> records;
    const int recordCount = 2 * RecordsPerHeader + 20;
    for (int i = 0; i < recordCount; ++i)
        records << record(120, 4, quint32(i), quint32(1000 + i));
    QVERIFY(!writeSource(records).isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("repeat.txt"));
    QVERIFY(exportLogFile(4, 7, ExportAll, dest));
    const QStringList lines = textLines(readAll(dest));
    QList<int> titles;
    QList<int> legends;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("Дата/Время:")))
            titles << i;
        if (lines[i].startsWith(QStringLiteral("x — номер канала")))
            legends << i;
    }
    QCOMPARE(legends, QList<int>{0});
    QCOMPARE(titles.size(), 3);
    // The rows, then the header without its legend.
    QCOMPARE(titles[0], FirstRowLine - 1);
    QCOMPARE(titles[1] - titles[0], RecordsPerHeader + textHeaderLines(0, 4));
    QCOMPARE(titles[2] - titles[1], RecordsPerHeader + textHeaderLines(0, 4));
    QCOMPARE(lines.size() - 1 - titles[2], recordCount - 2 * RecordsPerHeader);
    QCOMPARE(lines[titles[0] + 1].mid(30, 9), QStringLiteral("Измерение"));

    // The same in a workbook, whose rows are written out one after the other: every
    // row at its place. The full header fills rows 1-26 (19 legend rows, an empty row,
    // the set-up titles, 4 channels, the column titles); records 0-49 fill rows 27-76;
    // each further header is 7 rows (an empty row, the set-up titles, 4 channels, the
    // column titles at its 7th), so records 50-99 fill rows 84-133 and 100-119 rows 141-160.
    const QString book = m_dir.filePath(QStringLiteral("repeat.xlsx"));
    QVERIFY(exportLogFile(4, 7, ExportAll, book));
    const QString script =
        QStringLiteral("import openpyxl,sys,json\n"
                       "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
                       "print(json.dumps({'max':ws.max_row,'rows':{r[0].row:[r[0].value,r[1].value]"
                       " for r in ws.iter_rows(max_col=2) if r[0].value is not None}}))\n");
    const QJsonObject o = QJsonDocument::fromJson(runPython(script, {book}).toUtf8()).object();
    QCOMPARE(o.value("max").toInt(), 160);
    const QJsonObject rows = o.value("rows").toObject();
    QList<int> titleRows;
    QList<int> legendRows;
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        const QString a = it.value().toArray()[0].toString();
        if (a == QStringLiteral("Дата/Время:"))
            titleRows << it.key().toInt();
        if (a == QStringLiteral("x — номер канала"))
            legendRows << it.key().toInt();
    }
    std::sort(titleRows.begin(), titleRows.end());
    QCOMPARE(legendRows, QList<int>{1});
    QCOMPARE(titleRows, (QList<int>{26, 83, 140}));
    for (const int empty : {20, 77, 134})
        QVERIFY2(!rows.contains(QString::number(empty)), qPrintable(QString::number(empty)));
    const QList<QPair<int, QString>> numbers = {{27, "0"},   {76, "49"},   {84, "50"},
                                                {133, "99"}, {141, "100"}, {160, "119"}};
    for (const auto& n : numbers)
        QCOMPARE(rows.value(QString::number(n.first)).toArray()[1].toString(), n.second);
}

void TestLogExport::range_data()
{
    QTest::addColumn<uint>("start");
    QTest::addColumn<uint>("stop");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("inside") << 25u << 100u << QStringList{"3", "4"};
    QTest::newRow("after every record") << 50u << 60u << QStringList{};
    QTest::newRow("ends before the last") << 15u << 25u << QStringList{"2"};
    QTest::newRow("bounds included") << 20u << 30u << QStringList{"2", "3"};
}

void TestLogExport::range()
{
    QFETCH(uint, start);
    QFETCH(uint, stop);
    QFETCH(QStringList, numbers);
    QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/log"));
    QFile source(rangeLogFilePath(7));
    QVERIFY(source.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (quint32 i = 1; i <= 4; ++i) {
        const QByteArray r = record(120, 4, i, 10 * i);
        source.write(logLine(reinterpret_cast<const quint8*>(r.constData()), r.size()));
    }
    source.close();
    const QString dest = m_dir.filePath(QStringLiteral("range.txt"));
    QVERIFY(exportLogRange(start, stop, 4, 7, ExportAll, dest));
    QFile::remove(rangeLogFilePath(7));
    const QStringList lines = textLines(readAll(dest));
    QCOMPARE(lines.size(), FirstRowLine + numbers.size());
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(lines[FirstRowLine + i].mid(20, 5).trimmed(), numbers[i]);
}

void TestLogExport::recordUnit_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("imageFormat"); // the channel's base and display unit now
    QTest::addColumn<float>("molecularWeight");
    QTest::addColumn<float>("lelCoefficient");
    QTest::addColumn<int>("correction");
    QTest::addColumn<int>("recordFormat"); // the unit and raw decimals the record was made in
    QTest::addColumn<int>("counts");
    QTest::addColumn<QString>("cell");
    // The image shows PPM; the record's own unit decides the factor and the label:
    // PPM to mg/m3 is M, PPM to %VOL 10^-4, %VOL to %LEL 100 / L, the extended
    // correction multiplies, and the classic %VOL to mg/m3 carries M x 11.11778 x 10^4.
    QTest::newRow("PPM to mg/m3") << int(ExtendedMap) << 0x00 << 28.01f << 0.0f << 0 << 0x01 << 100
                                  << "2801.00  mg/m3";
    QTest::newRow("PPM to %VOL") << int(ExtendedMap) << 0x00 << 28.01f << 0.0f << 0 << 0x03 << 5000
                                 << "0.50  %VOL";
    QTest::newRow("%VOL to %LEL, one decimal")
        << int(ExtendedMap) << 0x0C << 0.0f << 4.4f << 0 << 0x42 << 110 << "250.00  %LEL";
    QTest::newRow("correction 0.5")
        << int(ExtendedMap) << 0x00 << 28.01f << 0.0f << 500 << 0x01 << 100 << "1400.50  mg/m3";
    QTest::newRow("classic %VOL to mg/m3, three decimals")
        << int(ClassicMap) << 0x0C << 2.0f << 0.0f << 0 << 0xC1 << 1 << "222.36  mg/m3";
}

void TestLogExport::recordUnit()
{
    QFETCH(int, layout);
    QFETCH(int, imageFormat);
    QFETCH(float, molecularWeight);
    QFETCH(float, lelCoefficient);
    QFETCH(int, correction);
    QFETCH(int, recordFormat);
    QFETCH(int, counts);
    QFETCH(QString, cell);
    command.registerMap = quint16(layout);
    ExtendedChannelRecord& e = command.extendedChannels[0];
    e.format = quint16(imageFormat);
    e.molecularWeight = molecularWeight;
    e.lelCoefficient = lelCoefficient;
    e.correctionCoefficient = quint16(correction);
    ClassicChannelRecord& c = command.classicChannels[0];
    c = ClassicChannelRecord{};
    c.channelPage = 0;
    std::memcpy(c.gasFormula, "CO", 2);
    c.format = quint16(imageFormat);
    c.molecularWeight = molecularWeight;
    c.lelCoefficient = lelCoefficient;
    QByteArray r = record(120, 4, 1, 0);
    setChannel(r, 0, 0, quint16(counts), quint16(recordFormat));
    std::memcpy(command.logRecord, r.constData(), size_t(r.size()));
    TextExport text;
    writeExportHeader(text.out, 4, 1, ExportAll, false);
    text.clear();
    writeMeasurementRow(text.out, 4, ExportAll);
    QCOMPARE(text.lines().value(0).mid(145, cell.size()), cell);
}

void TestLogExport::localDates_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<double>("secondsPerTick");
    QTest::addColumn<QVector<uint>>("ticks");
    QTest::addColumn<QStringList>("dates");
    // Berlin: CET (+1) until 2021-03-28 01:00 UTC, then CEST (+2) until
    // 2021-10-31 01:00 UTC. The day of a change has two offsets; days 144 apart
    // (a multiple of 16) with different offsets follow one another.
    QTest::newRow("Berlin, clocks forward")
        << QByteArray("Europe/Berlin") << 1.0
        << QVector<uint>{1616846400, 1616889600, 1616893199, 1616893200, 1616975999}
        << QStringList{"27-03-21 13:00:00", "28-03-21 01:00:00", "28-03-21 01:59:59",
                       "28-03-21 03:00:00", "29-03-21 01:59:59"};
    QTest::newRow("Berlin, clocks back")
        << QByteArray("Europe/Berlin") << 1.0 << QVector<uint>{1635641999, 1635642000}
        << QStringList{"31-10-21 02:59:59", "31-10-21 02:00:00"};
    QTest::newRow("Berlin, summer day then winter day")
        << QByteArray("Europe/Berlin") << 1.0 << QVector<uint>{1624622400, 1637064000}
        << QStringList{"25-06-21 14:00:00", "16-11-21 13:00:00"};
    // 1724686080 ticks of 0.9375 s are 1616893200 s exactly, the change; one
    // tick less is 1616893199.0625 s, cut to the second before it.
    QTest::newRow("Berlin, 0.9375 s ticks across the change")
        << QByteArray("Europe/Berlin") << 0.9375 << QVector<uint>{1724686079, 1724686080}
        << QStringList{"28-03-21 01:59:59", "28-03-21 03:00:00"};
    // Moscow: summer time (+4) from 2010-03-27 23:00 UTC, in the UTC day before
    // the local one; +4 for good from 2011-03-26 23:00 UTC; +3 again from
    // 2014-10-25 22:00 UTC.
    QTest::newRow("Moscow, summer time 2010")
        << QByteArray("Europe/Moscow") << 1.0 << QVector<uint>{1269730799, 1269730800}
        << QStringList{"28-03-10 01:59:59", "28-03-10 03:00:00"};
    QTest::newRow("Moscow, +4 for good in 2011")
        << QByteArray("Europe/Moscow") << 1.0 << QVector<uint>{1301180399, 1301180400}
        << QStringList{"27-03-11 01:59:59", "27-03-11 03:00:00"};
    QTest::newRow("Moscow, back to +3 in 2014")
        << QByteArray("Europe/Moscow") << 1.0 << QVector<uint>{1414274399, 1414274400}
        << QStringList{"26-10-14 01:59:59", "26-10-14 01:00:00"};
    QTest::newRow("Moscow, +3 from 2014")
        << QByteArray("Europe/Moscow") << 1.0 << QVector<uint>{1414274400, 1414281599}
        << QStringList{"26-10-14 01:00:00", "26-10-14 02:59:59"};
}

void TestLogExport::localDates()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, secondsPerTick);
    QFETCH(QVector<uint>, ticks);
    QFETCH(QStringList, dates);
    const ZoneGuard local(zone);
    QVERIFY2(QDateTime::fromSecsSinceEpoch(1616893200).offsetFromUtc() != 0,
             "no time-zone data for the zone");
    command.secondsPerTick = secondsPerTick;
    TextExport text;
    writeExportHeader(text.out, 4, 1, ExportAll, true);
    text.clear();
    // Each time as a measurement and as a settings change of channel 1 whose
    // calibration date is the same time.
    for (uint t : ticks) {
        const QByteArray m = record(120, 4, 1, t);
        std::memcpy(command.logRecord, m.constData(), size_t(m.size()));
        writeMeasurementRow(text.out, 4, ExportAll);
        QByteArray e = record(120, 0x10, 2, t);
        put32(e, 24 + 20, t);
        std::memcpy(command.logEventRecord, e.constData(), size_t(e.size()));
        writeEventRow(text.out, 4, ExportAll);
    }
    // The calibration date of a settings row stands at 145 + 35 n + 25 for n channels.
    const int calibrationDateAt = 145 + 35 * 4 + 25;
    const QStringList lines = text.lines();
    QCOMPARE(lines.size(), 2 * ticks.size());
    for (int i = 0; i < ticks.size(); ++i) {
        QCOMPARE(lines[2 * i].left(18), dates[i] + QLatin1Char(' '));
        QCOMPARE(lines[2 * i + 1].left(18), dates[i] + QLatin1Char(' '));
        QCOMPARE(lines[2 * i + 1].mid(calibrationDateAt, 15), dates[i].left(14) + QLatin1Char(' '));
    }
}

void TestLogExport::damagedLines()
{
    QByteArray full = record(120, 4, 1, 10);
    setChannel(full, 2, 0, 555, 0);
    QByteArray next = record(120, 4, 2, 11);
    // A short line after a full one: skipped, and the record after it shows none of
    // the earlier bytes. An empty line between records is damaged too; one at the
    // very end of the file is not.
    QByteArray extra = logLine(reinterpret_cast<const quint8*>(full.constData()), 60);
    extra += "ZZ\r\n\r\n";
    QVERIFY(!writeSource({full},
                         extra + logLine(reinterpret_cast<const quint8*>(next.constData()), 120) +
                             "\r\n")
                 .isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("damaged.txt"));
    QVERIFY(exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(lastExportSkippedLines, 3);
    QCOMPARE(m_boxes->texts(), QStringList{QStringLiteral("Пропущено поврежденных строк: 3")});
    QCOMPARE(int(m_boxes->shown[0].kind), int(dialogs::Kind::Information));
    const QStringList lines = textLines(readAll(dest));
    QCOMPARE(lines.size(), FirstRowLine + 2);
    QCOMPARE(lines[FirstRowLine].mid(20, 2), QStringLiteral("1 "));
    QCOMPARE(lines[FirstRowLine].mid(185, 6), QStringLiteral("555.00"));
    QCOMPARE(lines[FirstRowLine + 1].mid(20, 2), QStringLiteral("2 "));
    QCOMPARE(lines[FirstRowLine + 1].mid(185, 6), QStringLiteral("0.00  "));
}

// A line longer than a record line is damaged: counted once and skipped up to
// its end, however long it is; the records around it are exported.
void TestLogExport::overlongLineSkipped_data()
{
    QTest::addColumn<QByteArray>("damaged");
    QTest::addColumn<bool>("recordAfter");
    QTest::newRow("4 MB without a line end, to the end of the file")
        << QByteArray(4 << 20, '0') << false;
    QTest::newRow("4 MB of zero bytes, then a record") << QByteArray(4 << 20, '\0') + "\r\n"
                                                       << true;
    QTest::newRow("one digit more than a record line, then a record")
        << QByteArray(241, 'A') + "\r\n"
        << true;
}

void TestLogExport::overlongLineSkipped()
{
    QFETCH(QByteArray, damaged);
    QFETCH(bool, recordAfter);
    const QByteArray first = record(120, 4, 1, 10);
    QByteArray extra = damaged;
    if (recordAfter) {
        const QByteArray next = record(120, 4, 2, 11);
        extra += logLine(reinterpret_cast<const quint8*>(next.constData()), 120);
    }
    QVERIFY(!writeSource({first}, extra).isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("overlong.txt"));
    QVERIFY(exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(lastExportSkippedLines, 1);
    QCOMPARE(m_boxes->texts(), QStringList{QStringLiteral("Пропущено поврежденных строк: 1")});
    const QStringList lines = textLines(readAll(dest));
    QCOMPARE(lines.size(), FirstRowLine + (recordAfter ? 2 : 1));
    QCOMPARE(lines[FirstRowLine].mid(20, 2), QStringLiteral("1 "));
    if (recordAfter)
        QCOMPARE(lines[FirstRowLine + 1].mid(20, 2), QStringLiteral("2 "));
}

// The Cancel of the progress dialog is seen while a long damaged line is read
// through: the events run between its pieces (each followed by the line hook),
// and a Cancel there ends the run inside the line, with the row before it.
void TestLogExport::cancelInsideAnOverlongLine()
{
    const QByteArray first = record(120, 4, 1, 10);
    QVERIFY(!writeSource({first}, QByteArray(4 << 20, '0')).isEmpty());
    int calls = 0;
    exportLineHook = [&] {
        // The first call follows the record, the next ones the pieces of the long line.
        if (++calls == 3 && command.progressDialog)
            command.progressDialog->cancel();
    };
    const QString dest = m_dir.filePath(QStringLiteral("cancelled.txt"));
    QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(calls, 3);
    QCOMPARE(lastExportSkippedLines, 1);
    QVERIFY(lastExportMessage.startsWith(QStringLiteral("Экспорт прерван")));
    const QStringList lines = textLines(readAll(dest));
    QCOMPARE(lines.size(), FirstRowLine + 1);
    QCOMPARE(lines[FirstRowLine].mid(20, 2), QStringLiteral("1 "));
}

void TestLogExport::columns_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("settingsAt");
    // Cells at their columns: values at 145 + 20k, TWA at 145 + 20n + 15k (user)
    // or + 50k with the two ADC cells 15 and 30 further (service). The 10-character
    // formula of channel 6 makes its titles longer than their step: the next title
    // starts one blank after it, and one that ends right at the next column is
    // followed there without a blank.
    const QString titlesStart = QString::fromUtf8(
        "Дата/Время:         "
        "Лог №:    "
        "Тип лога:           "
        "Статус прибора:                                                                 "
        "BUMP TEST:     ");
    const QString valueTitles = QString::fromUtf8("1.CO:               "
                                                  "2.H2S:              "
                                                  "3.CH4:              "
                                                  "4.O2:               ");
    const QString valueTitles56 = QString::fromUtf8("5.NO2:              "
                                                    "6.CH3SH12345:       ");
    const QString userTwaTitles = QString::fromUtf8("1.CO TWA:      "
                                                    "2.H2S TWA:     "
                                                    "3.CH4 TWA:     "
                                                    "4.O2 TWA:      ");
    const QString serviceTitles = QString::fromUtf8("1.CO TWA:      "
                                                    "1.CO АЦП 0:    "
                                                    "1.CO АЦП д.:        "
                                                    "2.H2S TWA:     "
                                                    "2.H2S АЦП 0:   "
                                                    "2.H2S АЦП д.:       "
                                                    "3.CH4 TWA:     "
                                                    "3.CH4 АЦП 0:   "
                                                    "3.CH4 АЦП д.:       "
                                                    "4.O2 TWA:      "
                                                    "4.O2 АЦП 0:    "
                                                    "4.O2 АЦП д.:        ");
    const QString calibrationTitles = QString::fromUtf8("Дата последней калибровки:    "
                                                        "Интервал BUMP TEST:      ");
    const QString settingsTitlesEnd = QString::fromUtf8("Дата последнего BUMP TEST:    "
                                                        "Порог 1:  "
                                                        "Порог 2:  "
                                                        "Порог 3:  "
                                                        "Диапазон:      "
                                                        "Порог TWA:     "
                                                        "Порог STEL:    "
                                                        "Интервал STEL: ");
    const QString rowStart = QString::fromUtf8("01-01-70 01:00:00   "
                                               "5         "
                                               "Измерение           ");
    const QString values = QString::fromUtf8("Да             "
                                             "18.54  PPM          "
                                             "638.00  PPM         "
                                             "Отключен            "
                                             "679.70  PPM         ");
    const QString values56 = QString::fromUtf8("12.00  PPM          "
                                               "65.54  PPM          ");
    const QString userTwa = QString::fromUtf8("19.00          "
                                              "630.00         "
                                              "27.27          ");
    const QString serviceCells = QString::fromUtf8("19.00          "
                                                   "1000           "
                                                   "2000                "
                                                   "630.00         "
                                                   "11             "
                                                   "65535               "
                                                   "27.27          "
                                                   "0              "
                                                   "5                   ");
    const QString serviceCells4 = QString::fromUtf8("-              "
                                                    "300            "
                                                    "4000                ");
    QTest::newRow("4 channels, user columns")
        << int(ModelT6) << int(ExportAll)
        << titlesStart + valueTitles + userTwaTitles +
               QString::fromUtf8("Интервал калибровки:     ") + calibrationTitles +
               settingsTitlesEnd
        << rowStart +
               QString::fromUtf8("FA3,A00,W37                                                      "
                                 "               ") +
               values + userTwa + QString::fromUtf8("- ")
        << 285;
    QTest::newRow("4 channels, service columns")
        << int(ModelT6) << int(ExportService)
        << titlesStart + valueTitles + serviceTitles +
               QString::fromUtf8("Заряд батареи:      "
                                 "Температура:   "
                                 "Интервал калибровки:     ") +
               calibrationTitles + settingsTitlesEnd
        << rowStart +
               QString::fromUtf8("FA3,A00,1_ST-00A1,W37                                            "
                                 "               ") +
               values + serviceCells + serviceCells4 +
               QString::fromUtf8("87                  "
                                 "23.45 ")
        << 460;
    QTest::newRow("6 channels, user columns")
        << int(ModelT6M) << int(ExportAll)
        << titlesStart + valueTitles + valueTitles56 + userTwaTitles +
               QString::fromUtf8("5.NO2 TWA:     "
                                 "6.CH3SH12345 TWA:  "
                                 "Интервал калибровки: ") +
               calibrationTitles + settingsTitlesEnd
        << rowStart +
               QString::fromUtf8("FA3,A00,W37,W59                                                  "
                                 "               ") +
               values + values56 + userTwa +
               QString::fromUtf8("-              "
                                 "7.00           "
                                 "0.00 ")
        << 355;
    QTest::newRow("6 channels, service columns")
        << int(ModelT6M) << int(ExportService)
        << titlesStart + valueTitles + valueTitles56 + serviceTitles +
               QString::fromUtf8("5.NO2 TWA:     "
                                 "5.NO2 АЦП 0:   "
                                 "5.NO2 АЦП д.:       "
                                 "6.CH3SH12345 TWA:  "
                                 "6.CH3SH12345 АЦП 0:  "
                                 "6.CH3SH12345 АЦП д.:  "
                                 "Заряд батареи:  "
                                 "Температура:  "
                                 "Интервал калибровки:  "
                                 "Дата последней калибровки:  "
                                 "Интервал BUMP TEST:    ") +
               settingsTitlesEnd
        << rowStart +
               QString::fromUtf8("FA3,A00,1_ST-00A1,W37,W59                                        "
                                 "               ") +
               values + values56 + serviceCells + serviceCells4 +
               QString::fromUtf8("7.00           "
                                 "1              "
                                 "2                   "
                                 "0.00           "
                                 "9              "
                                 "99                  "
                                 "87                  "
                                 "23.45 ")
        << 600;
}

void TestLogExport::columns()
{
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(QString, titles);
    QFETCH(QString, row);
    QFETCH(int, settingsAt);
    setModel(quint16(model), 0x3F);
    const int n = logChannelCount(quint16(model));
    const char* const formulas[] = {"CO", "H2S", "CH4", "O2", "NO2", "CH3SH12345"};
    for (int k = 0; k < n; ++k)
        std::memcpy(command.extendedChannels[k].gasFormula, formulas[k], std::strlen(formulas[k]));
    setExportDates(0, 172800);

    QByteArray m = record(24 + 24 * n, 4, 5, 3600);
    m[12] = char(0x80);
    put16(m, 14, 0x08); // FA3
    put16(m, 16, 87);
    put16(m, 18, 2345);
    struct Block {
        quint16 state, status, zero, span, raw, twa, format, sensor;
    };
    const Block blocks[6] = {
        {0, 0x001, 1000, 2000, 1854, 1900, 0x080, 0},   // 18.54, 19.00, A00
        {0, 0, 11, 65535, 63800, 63000, 0x880, 0x00A1}, // sensor status valid
        {0x40, 0, 0, 5, 5, 2727, 0x080, 0},             // switched off
        {0, 0x080, 300, 4000, 6797, 0, 0x240, 0},       // one decimal, no TWA, W37
        {0, 0, 1, 2, 12, 7, 0x000, 0},                  // no decimals
        {0, 0x200, 9, 99, 65535, 1, 0x0C0, 0},          // three decimals, W59
    };
    for (int k = 0; k < n; ++k) {
        const int b = 24 + 24 * k;
        const Block& c = blocks[k];
        put16(m, b, c.state);
        put16(m, b + 2, c.status);
        put16(m, b + 4, c.zero);
        put16(m, b + 6, c.span);
        put16(m, b + 12, c.raw);
        put16(m, b + 14, c.twa);
        put16(m, b + 16, c.format);
        put16(m, b + 18, c.sensor);
    }
    // A settings change of channel 1 with the bump-test date left to the production date.
    QByteArray e = record(24 + 24 * n, 0x10, 6, 3700);
    put16(e, 16, 30);
    put16(e, 24 + 2, 100);
    put16(e, 24 + 4, 200);
    put16(e, 24 + 6, 300);
    put16(e, 24 + 8, 5000);
    put16(e, 24 + 10, 150);
    put16(e, 24 + 12, 120);
    put16(e, 24 + 14, 15);
    put16(e, 24 + 16, 180);
    put16(e, 24 + 18, 0x40);
    put32(e, 24 + 20, 86400);

    TextExport text;
    writeExportHeader(text.out, quint16(n), 1, ExportMode(mode), false);
    QCOMPARE(text.lines().value(textHeaderLines(0, n) - 1), titles);
    text.clear();
    std::memcpy(command.logRecord, m.constData(), size_t(m.size()));
    writeMeasurementRow(text.out, quint16(n), ExportMode(mode));
    std::memcpy(command.logEventRecord, e.constData(), size_t(e.size()));
    writeEventRow(text.out, quint16(n), ExportMode(mode));
    const QStringList lines = text.lines();
    const QString settings = QString::fromUtf8("01-01-70 01:01:40   "
                                               "6         "
                                               "Настройка 1.CO")
                                 .leftJustified(settingsAt) +
                             QString::fromUtf8("180                      "
                                               "02-01-70 00:00                "
                                               "30                       "
                                               "03-01-70 00:00                "
                                               "10.00     "
                                               "20.00     "
                                               "30.00     "
                                               "500.00  PPM    "
                                               "12.00          "
                                               "15.00          "
                                               "15 ");
    QCOMPARE(lines, (QStringList{row, settings}));
}

void TestLogExport::csvFields()
{
    // Formulas with a comma and a quote; a record with 30 codes (120 characters
    // from column 50, past the bump-test column 130); one without codes; a
    // settings change of channel 2.
    std::memcpy(command.extendedChannels[1].gasFormula, "H2,S", 4);
    std::memcpy(command.extendedChannels[3].gasFormula, "O\"2", 3);
    QByteArray m = record(120, 4, 5, 3600);
    put16(m, 14, 0x3FF);
    setChannel(m, 0, 0x3FF, 1854, 0x80);
    put16(m, 24 + 14, 1900);
    setChannel(m, 1, 0x3FF, 0, 0);
    QByteArray quiet = record(120, 4, 6, 3601);
    setChannel(quiet, 0, 0, 100, 0);
    QByteArray set = record(120, 0x20, 7, 3602);
    put16(set, 24 + 24 + 16, 180);
    QVERIFY(!writeSource({m, quiet, set}).isEmpty());
    const QString codes = QStringLiteral("WA0,WA1,WA2,FA3,FA4,WA5,WA6,WA7,WA8,WA9,"
                                         "A00,A01,A02,A03,A04,A05,E06,W07,W08,W09,"
                                         "A10,A11,A12,A13,A14,A15,E16,W17,W18,W19");

    const QString dest = m_dir.filePath(QStringLiteral("fields.csv"));
    QVERIFY(exportLogFile(4, 7, ExportAll, dest));
    const QString raw = QString::fromUtf8(readAll(dest));
    // The quotes enclose the layout's blanks too: a reader takes a field as
    // quoted only when it starts with the quote.
    QVERIFY(raw.contains(QStringLiteral("Измерение,\"          ") + codes + QStringLiteral("\",")));
    QVERIFY(raw.contains(QStringLiteral("3.CO:,\"              4.O\"\"2:\",")));
    const QString script =
        QStringLiteral("import csv,sys,json\n"
                       "rows=list(csv.reader(open(sys.argv[1],encoding='utf-8',newline='')))\n"
                       "print(json.dumps([[f.strip() for f in r] for r in rows]))\n");
    const QJsonArray rows = QJsonDocument::fromJson(runPython(script, {dest}).toUtf8()).array();
    auto fields = [&](int i) {
        QStringList f;
        for (const QJsonValue& v : rows.at(i).toArray())
            f << v.toString();
        return f;
    };
    int setup = -1;
    int titles = -1;
    for (int i = 0; i < rows.size(); ++i) {
        if (fields(i).value(0) == QStringLiteral("Серийный номер:"))
            setup = i;
        if (fields(i).value(0) == QStringLiteral("Дата/Время:"))
            titles = i;
    }
    // The set-up titles, four channel lines, an empty line, the column titles.
    QVERIFY(setup > 0 && titles == setup + 4 + 2);
    QCOMPARE(fields(setup + 1).mid(0, 3), (QStringList{"QRT00000007", "1. CO", "Канал включен"}));
    // The serial number's field stays empty on the later channel lines.
    QCOMPARE(fields(setup + 2).mid(0, 4), (QStringList{"", "2. H2,S", "Канал включен", "PPM"}));
    const QStringList settingsTitles = {"Интервал калибровки:",
                                        "Дата последней калибровки:",
                                        "Интервал BUMP TEST:",
                                        "Дата последнего BUMP TEST:",
                                        "Порог 1:",
                                        "Порог 2:",
                                        "Порог 3:",
                                        "Диапазон:",
                                        "Порог TWA:",
                                        "Порог STEL:",
                                        "Интервал STEL:",
                                        ""};
    QCOMPARE(fields(titles), QStringList({"Дата/Время:", "Лог №:", "Тип лога:", "Статус прибора:",
                                          "BUMP TEST:", "1.CO:", "2.H2,S:", "3.CO:", "4.O\"2:",
                                          "1.CO TWA:", "2.H2,S TWA:", "3.CO TWA:", "4.O\"2 TWA:"}) +
                                 settingsTitles);
    QCOMPARE(fields(titles + 1), (QStringList{"01-01-70 01:00:00", "5", "Измерение", codes, "Нет",
                                              "18.54, PPM", "0.00, PPM", "0.00, PPM", "0.00, PPM",
                                              "19.00", "0.00", "0.00", "0.00", ""}));
    QCOMPARE(fields(titles + 2), (QStringList{"01-01-70 01:00:01", "6", "Измерение", "", "Нет",
                                              "100.00, PPM", "0.00, PPM", "0.00, PPM", "0.00, PPM",
                                              "0.00", "0.00", "0.00", "0.00", ""}));
    QCOMPARE(fields(titles + 3), QStringList({"01-01-70 01:00:02",
                                              "7",
                                              "Настройка 2.H2,S",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "180",
                                              "01-01-70 00:00",
                                              "0",
                                              "01-01-70 00:00",
                                              "0.00",
                                              "0.00",
                                              "0.00",
                                              "0.00, PPM",
                                              "0.00",
                                              "0.00",
                                              "0",
                                              ""}));
    QCOMPARE(rows.size(), titles + 1 + 3); // the titles and the three rows

    // The text file of the same log: nothing cut into the long code list, the
    // cells after it follow one blank apart, the TWA cells are back at their columns.
    const QString txt = m_dir.filePath(QStringLiteral("fields.txt"));
    QVERIFY(exportLogFile(4, 7, ExportAll, txt));
    const QStringList lines = textLines(readAll(txt));
    const QString line = lines.value(FirstRowLine);
    QCOMPARE(line.mid(50, 121), codes + QStringLiteral("  "));
    QCOMPARE(line.mid(171, 46), QStringLiteral("Нет  18.54  PPM 0.00  PPM 0.00  PPM 0.00  PPM "));
    QCOMPARE(line.mid(217),
             QStringLiteral("        19.00          0.00           0.00           0.00 "));
}

void TestLogExport::twoDecimalTies()
{
    // 1073 counts of one decimal in mg/m3 with a molecular weight of 1.25 is
    // 134.125 exactly, 4573 counts 571.625: C's printf rounds such ties to the
    // even digit. The header's limit is 263949.625.
    command.extendedChannels[0].molecularWeight = 1.25f;
    command.extendedChannels[0].limit1 = 263949.625f;
    QByteArray m = record(120, 4, 5, 3600);
    setChannel(m, 0, 0, 1073, 0x41);
    put16(m, 24 + 14, 4573);
    QByteArray set = record(120, 0x10, 6, 3601);
    put16(set, 24 + 2, 1073);
    put16(set, 24 + 18, 0x40);
    QVERIFY(!writeSource({m, set}).isEmpty());

    const QString txt = m_dir.filePath(QStringLiteral("ties.txt"));
    QVERIFY(exportLogFile(4, 7, ExportAll, txt));
    const QStringList lines = textLines(readAll(txt));
    // The first channel line follows the legend, its empty line and the set-up titles.
    const int channelLine = T6LegendLines + 2;
    QCOMPARE(lines.size(), FirstRowLine + 2);
    QCOMPARE(lines[channelLine].mid(130, 10), QStringLiteral("263949.62 "));
    QCOMPARE(lines[FirstRowLine].mid(145, 20), QStringLiteral("134.12  mg/m3       "));
    QCOMPARE(lines[FirstRowLine].mid(225, 7), QStringLiteral("571.62 "));
    QCOMPARE(lines[FirstRowLine + 1].mid(395, 7), QStringLiteral("134.12 "));

    const QString csv = m_dir.filePath(QStringLiteral("ties.csv"));
    QVERIFY(exportLogFile(4, 7, ExportAll, csv));
    const QString script =
        QStringLiteral("import csv,sys,json\n"
                       "rows=list(csv.reader(open(sys.argv[1],encoding='utf-8',newline='')))\n"
                       "c,r=int(sys.argv[2]),int(sys.argv[3])\n"
                       "print(json.dumps([rows[c][6],rows[r][5],rows[r][9],rows[r+1][17]]))\n");
    const QJsonArray c =
        QJsonDocument::fromJson(
            runPython(script, {csv, QString::number(channelLine), QString::number(FirstRowLine)})
                .toUtf8())
            .array();
    QCOMPARE(c.size(), 4);
    QCOMPARE(c[0].toString().trimmed(), QStringLiteral("263949.62"));
    QCOMPARE(c[1].toString().trimmed(), QStringLiteral("134.12, mg/m3"));
    QCOMPARE(c[2].toString().trimmed(), QStringLiteral("571.62"));
    QCOMPARE(c[3].toString().trimmed(), QStringLiteral("134.12"));

    const QString xlsx = m_dir.filePath(QStringLiteral("ties.xlsx"));
    QVERIFY(exportLogFile(4, 7, ExportAll, xlsx));
    const QString book = QStringLiteral("import openpyxl,sys,json\n"
                                        "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
                                        "print(json.dumps([ws[r].value for r in sys.argv[2:]]))\n");
    const QJsonArray x = QJsonDocument::fromJson(
                             runPython(book, {xlsx, ref('G', xlsxSetupTitlesRow(T6LegendLines) + 1),
                                              ref('F', XlsxFirstRow), ref('J', XlsxFirstRow),
                                              ref('R', XlsxFirstRow + 1)})
                                 .toUtf8())
                             .array();
    QCOMPARE(x.size(), 4);
    QCOMPARE(x[0].toString(), QStringLiteral("263949.62"));
    QCOMPARE(x[1].toString(), QStringLiteral("134.12 mg/m3"));
    QCOMPARE(x[2].toString(), QStringLiteral("571.62"));
    QCOMPARE(x[3].toString(), QStringLiteral("134.12"));
}

void TestLogExport::xlsxReadBack()
{
    QByteArray m = record(120, 4, 5, 3600);
    setChannel(m, 1, 0x80, 0, 0);
    const QByteArray on = record(120, 0, 6, 3700);
    const QByteArray set = record(120, 0x10, 7, 3800);
    QVERIFY(!writeSource({m, on, set}).isEmpty());
    const QString script = QStringLiteral(
        "import openpyxl,sys,json\n"
        "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
        "out={'merged':sorted(str(r) for r in ws.merged_cells.ranges),'cells':{}}\n"
        "for row in ws.iter_rows():\n"
        "  for c in row:\n"
        "    if c.value is None: continue\n"
        "    b=c.border\n"
        "    out['cells'][c.coordinate]=[c.value,c.fill.fill_type,c.fill.fgColor.rgb,"
        "b.left.style,b.right.style,b.top.style,b.bottom.style,c.font.color.rgb "
        "if c.font.color is not None else None]\n"
        "out['widths']={k:v.width for k,v in ws.column_dimensions.items()}\n"
        "print(json.dumps(out))\n");
    struct Case {
        ExportMode mode;
        const char* fill;
    };
    for (const Case& c : {Case{ExportAll, "FFFF3333"}, Case{ExportErrorsOnly, "FFFFFFFF"}}) {
        const QString dest = m_dir.filePath(QStringLiteral("log%1.XLSX").arg(int(c.mode)));
        QVERIFY(exportLogFile(4, 7, c.mode, dest));
        const QJsonObject o = QJsonDocument::fromJson(runPython(script, {dest}).toUtf8()).object();
        const QJsonArray merged = o.value("merged").toArray();
        QCOMPARE(merged.size(), T6LegendLines);
        QStringList expectMerged;
        for (int r = 1; r <= T6LegendLines; ++r)
            expectMerged << QStringLiteral("A%1:C%1").arg(r);
        QStringList gotMerged;
        for (const QJsonValue& v : merged)
            gotMerged << v.toString();
        expectMerged.sort();
        QCOMPARE(gotMerged, expectMerged);
        const QJsonObject cells = o.value("cells").toObject();
        auto cell = [&](const QString& at) { return cells.value(at).toArray(); };
        const int setup = xlsxSetupTitlesRow(T6LegendLines);
        const int titles = xlsxTitlesRow(T6LegendLines, 4);
        QCOMPARE(cell("A1")[0].toString(), QStringLiteral("x — номер канала"));
        QCOMPARE(cell("A13")[0].toString(),
                 QStringLiteral("WA1 - Необходимость периодической BUMP TEST"));
        QCOMPARE(cell(ref('A', setup))[0].toString(), QStringLiteral("Серийный номер:"));
        QCOMPARE(cell(ref('A', setup))[2].toString(), QStringLiteral("FF00AA00"));
        QCOMPARE(cell(ref('A', setup + 1))[0].toString(), QStringLiteral("QRT00000007;"));
        QCOMPARE(cell(ref('B', setup + 4))[0].toString(), QStringLiteral("4. CO"));
        QCOMPARE(cell(ref('A', titles))[0].toString(), QStringLiteral("Дата/Время:"));
        QCOMPARE(cell(ref('F', titles))[0].toString(), QStringLiteral("1.CO:"));
        QCOMPARE(cell(ref('N', titles))[0].toString(), QStringLiteral("Интервал калибровки:"));
        int row = XlsxFirstRow;
        QCOMPARE(cell(ref('C', row))[0].toString(), QStringLiteral("Измерение"));
        QCOMPARE(cell(ref('D', row))[0].toString(), QStringLiteral("W17;"));
        QCOMPARE(cell(ref('A', row))[2].toString(), QString::fromLatin1(c.fill));
        ++row;
        QCOMPARE(cell(ref('C', row))[0].toString(), QStringLiteral("Включение "));
        QCOMPARE(cell(ref('A', row))[2].toString(), QStringLiteral("FF00FFFF"));
        if (c.mode == ExportAll) {
            ++row;
            QCOMPARE(cell(ref('C', row))[0].toString(), QStringLiteral("Настройка 1.CO "));
            QCOMPARE(cell(ref('Q', row))[0].toString(), QStringLiteral("01-01-70 00:00"));
        }
        QVERIFY(!cells.contains(ref('A', row + 1)));
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const QJsonArray a = it.value().toArray();
            QCOMPARE(a[1].toString(), QStringLiteral("solid"));
            for (int side = 3; side <= 6; ++side)
                QCOMPARE(a[side].toString(), QStringLiteral("hair"));
            QCOMPARE(a[7].toString(), QStringLiteral("FF000000"));
        }
        // The file keeps a width as spreadsheet programs do: the shown width in
        // 7-pixel digits plus 5 pixels of padding, in 1/256 of a digit.
        auto stored = [](double shown) {
            return std::floor((std::floor(shown * 7 + 0.5) + 5) / 7 * 256) / 256;
        };
        const QJsonObject widths = o.value("widths").toObject();
        QCOMPARE(widths.value("A").toDouble(), stored(17.5));
        QCOMPARE(widths.value("B").toDouble(), stored(7.5));
        QCOMPARE(widths.value("F").toDouble(), stored(15.0));
        QCOMPARE(widths.value("J").toDouble(), stored(12.5));
        QCOMPARE(widths.value("N").toDouble(), stored(20.0));
        QCOMPARE(widths.value("X").toDouble(), stored(15.0));
    }
}

void TestLogExport::opensInLibreOffice()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("soffice is not installed (scripts/setup installs it)");
    QByteArray m = record(120, 4, 5, 3600);
    setChannel(m, 0, 0, 1234, 0x80);
    QVERIFY(!writeSource({m, record(120, 1, 6, 3700)}).isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("office.xlsx"));
    QVERIFY(exportLogFile(4, 7, ExportAll, dest));
    QTemporaryDir profile;
    QProcess p;
    p.setWorkingDirectory(profile.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), profile.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("soffice"),
            {QStringLiteral("-env:UserInstallation=file://") + profile.path(),
             QStringLiteral("--headless"), QStringLiteral("--convert-to"),
             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
             profile.path(), dest});
    QVERIFY(p.waitForFinished(120000));
    const QString csv = profile.filePath(QStringLiteral("office.csv"));
    const QString script = QStringLiteral(
        "import csv,sys,json\n"
        "print(json.dumps(list(csv.reader(open(sys.argv[1],encoding='utf-8',newline='')))))\n");
    const QJsonArray rows = QJsonDocument::fromJson(runPython(script, {csv}).toUtf8()).array();
    // Rows and columns counted from 1, as in the workbook.
    QVERIFY2(rows.size() >= XlsxFirstRow + 1,
             qPrintable(QString::fromUtf8(p.readAllStandardError())));
    auto at = [&](int row, int column) { return rows[row - 1].toArray()[column - 1].toString(); };
    const int setup = xlsxSetupTitlesRow(T6LegendLines);
    QCOMPARE(at(1, 1), QStringLiteral("x — номер канала"));
    QCOMPARE(at(setup, 1), QStringLiteral("Серийный номер:"));
    QCOMPARE(at(setup + 1, 1), QStringLiteral("QRT00000007;"));
    QCOMPARE(at(setup + 1, 2), QStringLiteral("1. CO"));
    QCOMPARE(at(xlsxTitlesRow(T6LegendLines, 4), 6), QStringLiteral("1.CO:"));
    QCOMPARE(at(XlsxFirstRow, 3), QStringLiteral("Измерение"));
    QCOMPARE(at(XlsxFirstRow, 6), QStringLiteral("12.34 PPM"));
    QCOMPARE(at(XlsxFirstRow + 1, 3), QStringLiteral("Выключение "));
}

void TestLogExport::formFromSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("form");
    QTest::newRow("txt") << "a.txt" << int(ExportForm::Text);
    QTest::newRow("CSV") << "a.CSV" << int(ExportForm::Csv);
    QTest::newRow("XLSX") << "report.XLSX" << int(ExportForm::Xlsx);
    QTest::newRow("further dot") << "log.v1.2.csv" << int(ExportForm::Csv);
    QTest::newRow("doc") << "a.doc" << int(ExportForm::None);
    QTest::newRow("none") << "a" << int(ExportForm::None);
}

void TestLogExport::formFromSuffix()
{
    QFETCH(QString, name);
    QFETCH(int, form);
    QCOMPARE(int(exportFormOf(name)), form);
}

void TestLogExport::refusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("unknown suffix") << "suffix";
    QTest::newRow("source is destination") << "same";
    QTest::newRow("unwritable folder") << "folder";
}

void TestLogExport::refusals()
{
    QFETCH(QString, kind);
    const QString source = writeSource({record(120, 4, 1, 1)});
    QVERIFY(!source.isEmpty());
    QString dest = m_dir.filePath(QStringLiteral("old.doc"));
    QByteArray before = "old contents\r\n";
    if (kind == QLatin1String("same")) {
        dest = source;
        before = readAll(source);
    } else if (kind == QLatin1String("folder")) {
        const QString folder = m_dir.filePath(QStringLiteral("locked"));
        QDir().mkpath(folder);
        dest = folder + QStringLiteral("/old.txt");
    }
    if (kind != QLatin1String("same")) {
        QFile f(dest);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    if (kind == QLatin1String("folder"))
        QFile::setPermissions(QFileInfo(dest).path(), QFile::ReadOwner | QFile::ExeOwner);
    if (kind == QLatin1String("folder") && QFileInfo(QFileInfo(dest).path()).isWritable() &&
        QFile(QFileInfo(dest).path() + "/probe").open(QIODevice::WriteOnly)) {
        QFile::remove(QFileInfo(dest).path() + "/probe");
        QFile::setPermissions(QFileInfo(dest).path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("running as a user who may write into any folder");
    }
    QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(int(m_boxes->shown[0].kind), int(dialogs::Kind::Critical));
    QCOMPARE(m_boxes->shown[0].title, QStringLiteral(" "));
    QVERIFY(!m_boxes->shown[0].text.isEmpty());
    QCOMPARE(lastExportMessage, m_boxes->shown[0].text);
    QFile::setPermissions(QFileInfo(dest).path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(readAll(dest), before);
}

// A disk that runs full before the export's last bytes are out: a failed write, and
// the previous file stays whole (nothing cut is put in its place). A workbook keeps its
// rows in a temporary file until it is written: the disk may run full there, while the
// rows are written, and the workbook left of them would still fit.
void TestLogExport::fullDiskKeepsOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("room"); // bytes a file may have
    QTest::newRow("txt") << "full.txt" << 40 << 4000;
    QTest::newRow("xlsx, at the end") << "full.xlsx" << 40 << 4000;
    QTest::newRow("xlsx, while the rows are written") << "full.xlsx" << 2000 << 300000;
}

void TestLogExport::fullDiskKeepsOldFile()
{
    QFETCH(QString, name);
    QFETCH(int, records);
    QFETCH(int, room);
    const QList<QByteArray> source = numberedRecords(records);
    QVERIFY(!writeSource(source).isEmpty());
    const QString dest = m_dir.filePath(name);
    const QByteArray& before = previousFile;
    QVERIFY(putPreviousFile(dest));
    bool exported = true;
    {
        const FileSizeLimit limit{rlim_t(room)};
        QVERIFY(limit.ok);
        exported = exportLogFile(4, 7, ExportAll, dest);
    }
    QVERIFY(!exported);
    QCOMPARE(lastExportMessage, QStringLiteral("Ошибка записи файла"));
    QCOMPARE(readAll(dest), before);
}

void TestLogExport::cancelKeepsOldFile()
{
    const QList<QByteArray> records = numberedRecords(3);
    QVERIFY(!writeSource(records).isEmpty());
    for (const char* name : {"c.txt", "c.xlsx"}) {
        const QString dest = m_dir.filePath(QString::fromLatin1(name));
        const QByteArray& before = previousFile;
        QVERIFY(putPreviousFile(dest));
        // Cancelled before the first record: nothing to keep, the old file stays.
        command.progressDialog = nullptr;
        exportLineHook = nullptr;
        bool first = true;
        exportLineHook = [&] {
            if (first && command.progressDialog)
                command.progressDialog->cancel();
            first = false;
        };
        // The first line is read before the hook runs, so cancel on a source
        // whose first line is damaged: no row written.
        QFile src(syncLogFilePath(ModelT6, 7));
        QVERIFY(src.open(QIODevice::WriteOnly | QIODevice::Truncate));
        src.write("00\r\n");
        for (const QByteArray& r : records)
            src.write(logLine(reinterpret_cast<const quint8*>(r.constData()), r.size()));
        src.close();
        QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
        QCOMPARE(readAll(dest), before);

        // Cancelled on the last line: a cancel stays a cancel. A text file keeps the
        // rows so far; a workbook is not written at all (xlsxCancelWritesNothing).
        int lines = 0;
        exportLineHook = [&] {
            if (++lines == 4 && command.progressDialog)
                command.progressDialog->cancel();
        };
        QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
        QVERIFY(lastExportMessage.startsWith(QStringLiteral("Экспорт прерван")));
        if (QByteArray(name).endsWith(".xlsx"))
            QCOMPARE(readAll(dest), before);
        else
            QVERIFY(readAll(dest) != before);
    }
}

// A Cancel ends a workbook export without writing anything: the rows so far would take
// the workbook's whole writing, which no event interrupts. A previous file of the name
// stays as it was; without one no file is left. The Cancel may come during the lines or
// just after the last one, before the workbook is written.
void TestLogExport::xlsxCancelWritesNothing_data()
{
    QTest::addColumn<bool>("previous");
    QTest::addColumn<int>("cancelAt"); // the line whose hook cancels
    QTest::addColumn<bool>("posted");  // the Cancel as an event, seen at the next event pass
    QTest::newRow("during the lines, previous file") << true << 2 << false;
    QTest::newRow("during the lines, no file") << false << 2 << false;
    QTest::newRow("after the last line, previous file") << true << 5 << true;
    QTest::newRow("after the last line, no file") << false << 5 << true;
}

void TestLogExport::xlsxCancelWritesNothing()
{
    QFETCH(bool, previous);
    QFETCH(int, cancelAt);
    QFETCH(bool, posted);
    const QList<QByteArray> records = numberedRecords(5);
    QVERIFY(!writeSource(records).isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("abandoned.xlsx"));
    QFile::remove(dest);
    const QByteArray& before = previousFile;
    if (previous)
        QVERIFY(putPreviousFile(dest));
    int lines = 0;
    exportLineHook = [&] {
        if (++lines != cancelAt || !command.progressDialog)
            return;
        QProgressDialog* box = command.progressDialog;
        if (posted)
            QTimer::singleShot(0, box, &QProgressDialog::cancel);
        else
            box->cancel();
    };
    QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(lines, cancelAt);
    QCOMPARE(lastExportMessage, QStringLiteral("Экспорт прерван"));
    QVERIFY(m_boxes->shown.isEmpty());
    if (previous)
        QCOMPARE(readAll(dest), before);
    else
        QVERIFY(!QFileInfo::exists(dest));
    // Nothing of the run is left beside the destination either.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("abandoned*")}, QDir::Files),
             previous ? QStringList{QStringLiteral("abandoned.xlsx")} : QStringList{});
}

// The workbook's close runs for seconds near the sheet's last row and cannot be stopped:
// a Cancel during it ends the export at once, as cancelled, with nothing written, and
// the abandoned close removes what it wrote when it ends. A new export may run
// meanwhile (each has a temporary folder of its own) and writes its whole workbook.
void TestLogExport::xlsxCancelDuringTheClose_data()
{
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("posted"); // the Cancel as an event, seen at the next event pass
    QTest::newRow("previous file") << true << false;
    QTest::newRow("no file") << false << false;
    QTest::newRow("previous file, posted") << true << true;
    QTest::newRow("no file, posted") << false << true;
}

void TestLogExport::xlsxCancelDuringTheClose()
{
    QFETCH(bool, previous);
    QFETCH(bool, posted);
    // The temporary folders of this case's exports, to see that none is left.
    const TemporaryFolderGuard temporary(
        m_dir.filePath(QStringLiteral("tmp-%1").arg(QTest::currentDataTag())));
    // Enough rows that the close runs a while after the Cancel.
    constexpr int Records = 2000;
    const QList<QByteArray> records = numberedRecords(Records);
    QVERIFY(!writeSource(records).isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("closing.xlsx"));
    QFile::remove(dest);
    const QByteArray& before = previousFile;
    if (previous)
        QVERIFY(putPreviousFile(dest));
    int closes = 0;
    QString label;
    exportCloseHook = [&] {
        ++closes;
        QProgressDialog* box = command.progressDialog;
        if (!box)
            return;
        label = box->labelText();
        if (posted)
            QTimer::singleShot(0, box, &QProgressDialog::cancel);
        else
            box->cancel();
    };
    QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(closes, 1);
    QCOMPARE(label, QStringLiteral("Запись файла..."));
    QCOMPARE(lastExportMessage, QStringLiteral("Экспорт прерван"));
    QVERIFY(m_boxes->shown.isEmpty());

    // The next export, while the abandoned close may still run: its whole workbook.
    // The full header is 26 rows, each further one 7 rows before every 50 records.
    exportCloseHook = [&] { ++closes; };
    const QString next = m_dir.filePath(QStringLiteral("closing-next.xlsx"));
    QVERIFY(exportLogFile(4, 7, ExportAll, next));
    QCOMPARE(closes, 2);
    QCOMPARE(lastExportMessage, QString());
    const QString script =
        QStringLiteral("import openpyxl,sys\n"
                       "ws=openpyxl.load_workbook(sys.argv[1],read_only=True).active\n"
                       "rows=list(ws.iter_rows(min_col=2,max_col=2,values_only=True))\n"
                       "print(len(rows),rows[-1][0])\n");
    QCOMPARE(runPython(script, {next}).trimmed(),
             QStringLiteral("%1 %2").arg(26 + Records + 7 * (Records / 50 - 1)).arg(Records - 1));
    QVERIFY(QFile::remove(next));

    waitForAbandonedWorkbooks();
    if (previous)
        QCOMPARE(readAll(dest), before);
    else
        QVERIFY(!QFileInfo::exists(dest));
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("closing*")}, QDir::Files),
             previous ? QStringList{QStringLiteral("closing.xlsx")} : QStringList{});
    QCOMPARE(temporary.entries(), QStringList());
}

// A close that fails (here its work folder is gone before it starts, so the library
// cannot make its files) is a failed write, not a cancel: the previous file stays.
void TestLogExport::xlsxFailedCloseKeepsOldFile()
{
    const TemporaryFolderGuard temporary(m_dir.filePath(QStringLiteral("tmp-failed")));
    constexpr int Records = 5;
    const QList<QByteArray> records = numberedRecords(Records);
    QVERIFY(!writeSource(records).isEmpty());
    const QString dest = m_dir.filePath(QStringLiteral("failedclose.xlsx"));
    const QByteArray& before = previousFile;
    QVERIFY(putPreviousFile(dest));
    int lines = 0;
    exportLineHook = [&] {
        if (++lines != Records)
            return;
        const QStringList work = temporary.entries();
        QCOMPARE(work.size(), 1);
        QVERIFY(QDir(temporary.path() + QLatin1Char('/') + work[0]).removeRecursively());
    };
    int closes = 0;
    exportCloseHook = [&] { ++closes; };
    QVERIFY(!exportLogFile(4, 7, ExportAll, dest));
    QCOMPARE(lines, Records);
    QCOMPARE(closes, 1);
    QCOMPARE(lastExportMessage, QStringLiteral("Ошибка записи файла"));
    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown[0].text, QStringLiteral("Ошибка записи файла"));
    QCOMPARE(readAll(dest), before);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("failedclose*")}, QDir::Files),
             QStringList{QStringLiteral("failedclose.xlsx")});
    QCOMPARE(temporary.entries(), QStringList());
}

// A close abandoned by a Cancel and still running when the program ends is waited for:
// the program ends normally and no temporary file is left. The case runs this test
// program again, which cancels an export during the close and ends at once.
void TestLogExport::xlsxAbandonedCloseEndsWithTheProgram()
{
    constexpr int Records = 2000; // a close that runs on after the program's end began
    if (qEnvironmentVariableIsSet("QIRO_TEST_ABANDON_AND_END")) {
        const QList<QByteArray> records = numberedRecords(Records);
        QVERIFY(!writeSource(records).isEmpty());
        exportCloseHook = [] {
            if (command.progressDialog)
                command.progressDialog->cancel();
        };
        QVERIFY(!exportLogFile(4, 7, ExportAll, m_dir.filePath(QStringLiteral("ending.xlsx"))));
        QCOMPARE(lastExportMessage, QStringLiteral("Экспорт прерван"));
        return;
    }
    const QString temporary = m_dir.filePath(QStringLiteral("tmp-ending"));
    QVERIFY(QDir().mkpath(temporary));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), temporary);
    env.insert(QStringLiteral("QIRO_TEST_ABANDON_AND_END"), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("xlsxAbandonedCloseEndsWithTheProgram")});
    QVERIFY(child.waitForFinished(300000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
    QVERIFY2(output.contains("PASS   : TestLogExport::xlsxAbandonedCloseEndsWithTheProgram()"),
             output.constData());
    QStringList left =
        QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    // Qt's own runtime folder, made there where the system names none.
    left.erase(std::remove_if(
                   left.begin(), left.end(),
                   [](const QString& name) { return name.startsWith(QStringLiteral("runtime-")); }),
               left.end());
    QCOMPARE(left, QStringList());
}

// A sheet holds 1,048,576 rows. A log with more rows than that stops at the row that
// would lie past the last one, reads no further, says so and writes nothing.
// A T2 with its channel on: the full header is 22 rows (18 legend rows, an empty row,
// the set-up titles, the channel, the column titles), each further header 4 rows
// before every 50 records. After n records of one row each the sheet has
// 22 + n + 4 * ((n - 1) / 50) rows: 970,886 records fill it exactly
// (22 + 970,886 + 4 * 19,417), the header rows and the 970,887th record would not fit.
void TestLogExport::xlsxStopsAtTheSheetsLastRow()
{
    setModel(ModelT2, 0x1);
    constexpr int StopLine = 970887;
    constexpr int Lines = StopLine + 113;
    {
        // Power-on events: one plain row each. The lines are alike, written in blocks.
        QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/log"));
        QFile f(syncLogFilePath(ModelT2, 7));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray r = record(48, 0, 1, 3600);
        const QByteArray line = logLine(reinterpret_cast<const quint8*>(r.constData()), r.size());
        constexpr int LinesPerBlock = 1000;
        const QByteArray block = line.repeated(LinesPerBlock);
        QCOMPARE(Lines % LinesPerBlock, 0);
        for (int i = 0; i < Lines / LinesPerBlock; ++i)
            QCOMPARE(f.write(block), qint64(block.size()));
    }
    // One run, over a previous file of the name: the run is long (a million rows), and
    // xlsxCancelWritesNothing shows that the same ending leaves no file where there was none.
    const QString dest = m_dir.filePath(QStringLiteral("sheetfull.xlsx"));
    const QByteArray& before = previousFile;
    QVERIFY(putPreviousFile(dest));
    int lines = 0;
    exportLineHook = [&] { ++lines; };
    QVERIFY(!exportLogFile(1, 7, ExportAll, dest));
    QCOMPARE(lines, StopLine);
    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(int(m_boxes->shown[0].kind), int(dialogs::Kind::Critical));
    const QString text = m_boxes->shown[0].text;
    QVERIFY2(text.contains(QStringLiteral("1048576")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("CSV")) && text.contains(QStringLiteral("TXT")) &&
                 text.contains(QStringLiteral("диапазон")),
             qPrintable(text));
    QCOMPARE(lastExportMessage, text);
    QCOMPARE(readAll(dest), before);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("sheetfull*")}, QDir::Files),
             QStringList{QStringLiteral("sheetfull.xlsx")});
}

QTEST_MAIN(TestLogExport)
#include "tst_logexport.moc"
