// The user manual that "Помощь" opens: the build renders it next to the
// program, an independent tool (pdftotext) finds every tab of the program in
// it, and everything it quotes as the program's text is a text the program has.
// The poppler tools and fontconfig also check the typesetting: code spans in a
// fixed-width face, table rows kept whole with the header on every page.

#include "files.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QVector>
#include <QXmlStreamReader>
#include <QtTest>

namespace
{

const QString manualName =
    QStringLiteral("Руководство пользователя Qiro Configuration 05.04.2022.pdf");

QString sourcePath(const QString& relative)
{
    return QStringLiteral(QIRO_SOURCE_DIR "/") + relative;
}

// Line breaks and runs of blanks count as one blank, as the manual writes a
// two-line caption on one line; ligatures as the letters they join.
QString normalized(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).simplified();
}

bool isPdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF-") && bytes.right(32).contains("%%EOF");
}

// The text of a PDF as pdftotext extracts it.
QString pdfText(const QString& path, QString* error)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        *error =
            QStringLiteral("pdftotext is not installed (scripts/setup installs poppler-utils)");
        return QString();
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("pdftotext failed: ") + QString::fromUtf8(p.readAllStandardError());
        return QString();
    }
    return normalized(QString::fromUtf8(p.readAllStandardOutput()));
}

// Every tab title of the program: the tabs of every form, and the production
// tabs that the main window adds in code.
QStringList tabTitles()
{
    QStringList titles;
    const QDir forms(sourcePath(QStringLiteral("forms")));
    for (const QString& name : forms.entryList({QStringLiteral("*.ui")}, QDir::Files)) {
        QXmlStreamReader xml(readAll(forms.filePath(name)));
        // The class of every open widget element, to know whose child a page is.
        QStringList classes;
        bool inTitle = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("widget"))
                    classes << xml.attributes().value(QLatin1String("class")).toString();
                else if (xml.name() == QLatin1String("attribute"))
                    inTitle =
                        xml.attributes().value(QLatin1String("name")) == QLatin1String("title") &&
                        classes.size() >= 2 &&
                        classes.at(classes.size() - 2) == QLatin1String("QTabWidget");
                else if (xml.name() == QLatin1String("string") && inTitle)
                    titles << xml.readElementText();
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("widget"))
                    classes.removeLast();
                else if (xml.name() == QLatin1String("attribute"))
                    inTitle = false;
            }
        }
    }
    const QString mainWindow = QString::fromUtf8(readAll(sourcePath("app/mainwindow.cpp")));
    QRegularExpression added(QStringLiteral("addTab\\([^,]+,\\s*tr\\(\"([^\"]+)\"\\)\\)"));
    for (auto it = added.globalMatch(mainWindow); it.hasNext();)
        titles << it.next().captured(1);
    titles.removeDuplicates();
    return titles;
}

// The source texts of the Russian translation file, normalized.
QStringList programTexts()
{
    QStringList texts;
    QXmlStreamReader xml(readAll(sourcePath("translations/Qiro_Configuration_ru_RU.ts")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            texts << normalized(xml.readElementText());
    }
    return texts;
}

// What a quotation may be. A trailing ";" is the cell separator of the log
// export, which the spreadsheet and the screen do not show; "%1" is a value
// the program fills in (the manual writes N there).
class ProgramTexts
{
public:
    explicit ProgramTexts(const QStringList& texts)
    {
        for (const QString& text : texts) {
            exact.insert(text);
            if (text.endsWith(QLatin1Char(';')))
                exact.insert(text.left(text.size() - 1));
            const QStringList parts = text.split(QRegularExpression(QStringLiteral("%\\d")));
            if (parts.size() < 2)
                continue;
            QStringList escaped;
            for (const QString& part : parts)
                escaped << QRegularExpression::escape(part);
            filled << QRegularExpression(QStringLiteral("\\A") +
                                         escaped.join(QStringLiteral(".+")) +
                                         QStringLiteral(";?\\z"));
        }
    }

    bool has(const QString& quote) const
    {
        if (exact.contains(quote))
            return true;
        for (const QRegularExpression& pattern : filled)
            if (pattern.match(quote).hasMatch())
                return true;
        return false;
    }

private:
    QSet<QString> exact;
    QVector<QRegularExpression> filled;
};

// What the manual quotes as the program's texts: everything in «…», read from
// the source as the renderer reads it (Markdown marks and escapes resolved).
QStringList manualQuotes()
{
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(readAll(QStringLiteral(QIRO_MANUAL_SOURCE))));
    const QString text = document.toPlainText();
    QStringList quotes;
    QRegularExpression quoted(QStringLiteral("«([^«»]*)»"));
    for (auto it = quoted.globalMatch(text); it.hasNext();)
        quotes << normalized(it.next().captured(1));
    return quotes;
}

// Runs a poppler tool and returns what it printed; empty with *error set
// when the tool is missing or fails.
QByteArray runTool(const QString& tool, const QStringList& arguments, QString* error,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        *error = tool + QStringLiteral(" is not installed (scripts/setup installs it)");
        return QByteArray();
    }
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(tool, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = tool + QStringLiteral(" failed: ") + QString::fromUtf8(p.readAllStandardError());
        return QByteArray();
    }
    return p.readAllStandardOutput();
}

// The lines of each page as pdftotext lays them out, pages counted from 0.
QVector<QStringList> pageLines(const QString& path, QString* error)
{
    QVector<QStringList> pages;
    const QByteArray text = runTool(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                     QStringLiteral("UTF-8"), path, QStringLiteral("-")},
                                    error);
    if (!error->isEmpty())
        return pages;
    // pdftotext ends every page with a form feed.
    QStringList chunks = QString::fromUtf8(text).split(QLatin1Char('\f'));
    if (!chunks.isEmpty() && chunks.last().trimmed().isEmpty())
        chunks.removeLast();
    // Ligatures as the letters they join.
    for (const QString& chunk : chunks)
        pages << chunk.normalized(QString::NormalizationForm_KC).split(QLatin1Char('\n'));
    return pages;
}

// A fontconfig file that reads the system's configuration but first puts the
// given face at the head of the generic "monospace", as a desktop's own
// setting does.
QByteArray monospaceConfig(const QString& family)
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n"
                          "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                          "<fontconfig>\n"
                          "  <match target=\"pattern\">\n"
                          "    <test name=\"family\"><string>monospace</string></test>\n"
                          "    <edit name=\"family\" mode=\"prepend_first\" binding=\"strong\">"
                          "<string>%1</string></edit>\n"
                          "  </match>\n"
                          "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                          "</fontconfig>\n")
        .arg(family)
        .toUtf8();
}

// The PostScript names of the fixed-width faces that fontconfig knows.
QSet<QString> fixedWidthFaces(QString* error)
{
    QSet<QString> faces;
    const QByteArray out =
        runTool(QStringLiteral("fc-list"),
                {QStringLiteral(":spacing=mono"), QStringLiteral("postscriptname")}, error);
    for (const QString& line : QString::fromUtf8(out).split(QLatin1Char('\n'))) {
        const int at = line.indexOf(QStringLiteral("postscriptname="));
        if (at >= 0)
            faces.insert(line.mid(at + 15).trimmed());
    }
    return faces;
}

// One run of text of one font, as pdftohtml reports it; only the runs that
// lie on their page (a clipped line of the page before is no text of it).
struct PdfRun {
    int page = 0;
    QString family;
    QString text;
};

QVector<PdfRun> pdfRuns(const QString& path, QString* error)
{
    QVector<PdfRun> runs;
    const QByteArray xmlText = runTool(QStringLiteral("pdftohtml"),
                                       {QStringLiteral("-xml"), QStringLiteral("-i"),
                                        QStringLiteral("-stdout"), QStringLiteral("-q"), path},
                                       error);
    if (!error->isEmpty())
        return runs;
    QXmlStreamReader xml(xmlText);
    QHash<QString, QString> families;
    int page = 0;
    int height = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            page = a.value(QLatin1String("number")).toInt();
            height = a.value(QLatin1String("height")).toInt();
        } else if (xml.name() == QLatin1String("fontspec")) {
            // A subset font is named with a tag such as "ABCDEF+".
            QString family = a.value(QLatin1String("family")).toString();
            family.remove(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+")));
            families.insert(a.value(QLatin1String("id")).toString(), family);
        } else if (xml.name() == QLatin1String("text")) {
            const int top = a.value(QLatin1String("top")).toInt();
            const QString family = families.value(a.value(QLatin1String("font")).toString());
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (top >= 0 && top < height)
                runs.push_back({page, family, text});
        }
    }
    if (xml.hasError())
        *error = QStringLiteral("pdftohtml wrote no readable XML: ") + xml.errorString();
    return runs;
}

// The words of the code spans (`...`) of a Markdown text.
QSet<QString> codeWords(const QString& markdown)
{
    QSet<QString> words;
    QRegularExpression span(QStringLiteral("`([^`\\n]+)`"));
    for (auto it = span.globalMatch(markdown); it.hasNext();)
        for (const QString& word : it.next()
                                       .captured(1)
                                       .normalized(QString::NormalizationForm_KC)
                                       .split(QLatin1Char(' '), Qt::SkipEmptyParts))
            words.insert(word);
    return words;
}

// Checks that every code span of the Markdown is set in a fixed-width face
// and nothing else is; empty when it holds, otherwise what is wrong.
QString checkCodeFont(const QString& markdown, const QString& pdf)
{
    QString error;
    const QSet<QString> mono = fixedWidthFaces(&error);
    if (!error.isEmpty())
        return error;
    if (mono.isEmpty())
        return QStringLiteral("fontconfig knows no fixed-width face");
    const QVector<PdfRun> runs = pdfRuns(pdf, &error);
    if (!error.isEmpty())
        return error;
    const QSet<QString> code = codeWords(markdown);
    if (code.isEmpty())
        return QStringLiteral("no code spans to check");
    QSet<QString> inMono;
    QStringList problems;
    for (const PdfRun& run : runs) {
        const bool fixed = mono.contains(run.family);
        const QString text = run.text.normalized(QString::NormalizationForm_KC);
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (fixed)
                inMono.insert(word);
            if (fixed && !code.contains(word))
                problems << QStringLiteral("«%1» in %2 on page %3, not a code span")
                                .arg(word, run.family)
                                .arg(run.page);
        }
    }
    for (const QString& word : code)
        if (!inMono.contains(word))
            problems << QStringLiteral("code span word «%1» never in a fixed-width face").arg(word);
    problems.sort();
    return problems.join(QLatin1Char('\n'));
}

} // namespace

class TestManual : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString rendered;

private slots:
    // The build tool renders the manual, Cyrillic file name and all.
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        rendered = dir.filePath(manualName);
        QProcess p;
        p.start(QStringLiteral(QIRO_MANUAL_TOOL), {QStringLiteral(QIRO_MANUAL_SOURCE), rendered});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                 p.readAllStandardError().constData());
    }

    void isPdfUnderItsName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("rendered here") << rendered;
        // The one the build put next to the program.
        QTest::newRow("built") << QStringLiteral(QIRO_MANUAL_PDF);
    }
    void isPdfUnderItsName()
    {
        QFETCH(QString, path);
        QCOMPARE(QFileInfo(path).fileName(), manualName);
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QVERIFY(isPdf(readAll(path)));
    }

    void builtNextToTheProgram()
    {
        // The test programs and the program share the runtime output folder.
        QCOMPARE(QFileInfo(QStringLiteral(QIRO_MANUAL_PDF)).absolutePath(),
                 QFileInfo(QCoreApplication::applicationDirPath()).absoluteFilePath());
    }

    void aFailedRenderWritesNothing()
    {
        const QString target = dir.filePath(QStringLiteral("missing.pdf"));
        QProcess p;
        p.start(QStringLiteral(QIRO_MANUAL_TOOL),
                {dir.filePath(QStringLiteral("none.md")), target});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY(!QFileInfo::exists(target));
    }

    void holdsEveryTabTitle_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("rendered here") << rendered;
        QTest::newRow("built") << QStringLiteral(QIRO_MANUAL_PDF);
    }
    void holdsEveryTabTitle()
    {
        QFETCH(QString, path);
        QString error;
        const QString text = pdfText(path, &error);
        if (!error.isEmpty())
            QFAIL(qPrintable(error));
        // The Cyrillic text came through as text, not as boxes or blanks.
        QVERIFY(text.contains(QStringLiteral("Руководство пользователя Qiro Configuration")));
        const QStringList titles = tabTitles();
        // The main window's tabs at least, so that the check cannot pass empty.
        for (const char* t : {"Информация об устройстве", "Сенсоры", "Калибровка", "Обслуживание",
                              "Архив", "Общие параметры", "Общие параметры_1"})
            QVERIFY2(titles.contains(QString::fromUtf8(t)), t);
        QStringList missing;
        for (const QString& title : titles)
            if (!text.contains(normalized(title)))
                missing << title;
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
    }

    // The manual never quotes a caption or message that the program does not have.
    void quotesOnlyTheProgramsTexts()
    {
        const QStringList texts = programTexts();
        QVERIFY(texts.contains(QStringLiteral("Ошибка обмена данными")));
        const ProgramTexts program(texts);
        const QStringList quotes = manualQuotes();
        QVERIFY(quotes.contains(QStringLiteral("Ошибка обмена данными")));
        QStringList unknown;
        for (const QString& quote : quotes)
            if (!program.has(quote))
                unknown << quote;
        unknown.removeDuplicates();
        for (const QString& quote : unknown)
            qWarning("not a text of the program: «%s»", qPrintable(quote));
        QVERIFY2(unknown.isEmpty(), "the manual quotes texts the program does not have");
    }

    // Every error text of the program is quoted, and so explained, in the manual.
    void explainsEveryErrorText()
    {
        QSet<QString> quotes;
        for (const QString& quote : manualQuotes())
            quotes.insert(quote);
        QStringList unexplained;
        for (const QString& text : programTexts())
            if (text.startsWith(QStringLiteral("Ошибка")) && !quotes.contains(text))
                unexplained << text;
        unexplained.removeDuplicates();
        for (const QString& text : unexplained)
            qWarning("not in the manual: «%s»", qPrintable(text));
        QVERIFY2(unexplained.isEmpty(), "the manual leaves error texts of the program out");
    }

    // File names, logins and values are set in a fixed-width face, as the
    // manual says they are, and nothing else is: under the system's fontconfig,
    // and under one whose generic "monospace" is a proportional face (as on a
    // desktop that maps it to a face fontconfig does not mark fixed-pitch).
    void codeSpansInAFixedWidthFace_data()
    {
        QTest::addColumn<QString>("monospacePrefers");
        QTest::newRow("system fontconfig") << QString();
        QTest::newRow("monospace is DejaVu Sans") << QStringLiteral("DejaVu Sans");
    }
    void codeSpansInAFixedWidthFace()
    {
        QFETCH(QString, monospacePrefers);
        QString pdf = rendered;
        if (!monospacePrefers.isEmpty()) {
            const QString config = dir.filePath(QStringLiteral("fonts.conf"));
            QFile file(config);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(file.write(monospaceConfig(monospacePrefers)) > 0);
            file.close();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("FONTCONFIG_FILE"), config);
            // The generated file does turn "monospace" into a proportional face.
            QString error;
            const QByteArray match =
                runTool(QStringLiteral("fc-match"),
                        {QStringLiteral("-f"), QStringLiteral("%{family}|%{spacing}"),
                         QStringLiteral("monospace")},
                        &error, env);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(QString::fromUtf8(match), monospacePrefers + QLatin1Char('|'));
            pdf = dir.filePath(QStringLiteral("proportional monospace.pdf"));
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(QIRO_MANUAL_TOOL), {QStringLiteral(QIRO_MANUAL_SOURCE), pdf});
            QVERIFY(p.waitForFinished(120000));
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                     p.readAllStandardError().constData());
        }
        const QString problems =
            checkCodeFont(QString::fromUtf8(readAll(QStringLiteral(QIRO_MANUAL_SOURCE))), pdf);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // A heading stays with the text it heads: no page ends with one, and no
    // page holds headings only.
    void noHeadingAtTheFootOfAPage()
    {
        QSet<QString> headings;
        const QString markdown = QString::fromUtf8(readAll(QStringLiteral(QIRO_MANUAL_SOURCE)));
        for (const QString& line : markdown.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1Char('#')))
                headings.insert(normalized(QString(line).remove(QRegularExpression("^#+"))));
        QVERIFY(headings.contains(QStringLiteral("17. Сообщения программы и что делать")));
        QString error;
        const QVector<QStringList> pages = pageLines(rendered, &error);
        if (!error.isEmpty())
            QFAIL(qPrintable(error));
        QVERIFY(pages.size() > 1);
        for (int page = 0; page < pages.size(); ++page) {
            QStringList text;
            for (const QString& line : pages.at(page)) {
                const QString l = normalized(line);
                // The page number stands alone on its line.
                if (!l.isEmpty() &&
                    !QRegularExpression(QStringLiteral("^\\d+$")).match(l).hasMatch())
                    text << l;
            }
            QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("page %1 is empty").arg(page + 1)));
            bool onlyHeadings = true;
            for (const QString& l : text)
                onlyHeadings = onlyHeadings && headings.contains(l);
            QVERIFY2(!onlyHeadings,
                     qPrintable(QStringLiteral("page %1 holds headings only").arg(page + 1)));
            if (page + 1 < pages.size())
                QVERIFY2(
                    !headings.contains(text.last()),
                    qPrintable(
                        QStringLiteral("page %1 ends with «%2»").arg(page + 1).arg(text.last())));
        }
    }

    // A table longer than a page: no row is cut by a page break, and every
    // page it goes on on starts with its header row.
    void longTableKeepsRowsWholeAndRepeatsItsHeader()
    {
        const int rows = 45;
        QString markdown = QStringLiteral("# Long table\n\nKeys such as `k00` are codes.\n\n"
                                          "| hkey | hdesc | hflag |\n|---|---|---|\n");
        const QString filler =
            QStringLiteral("lorem ipsum dolor sit amet consectetur ").repeated(7);
        for (int row = 0; row < rows; ++row) {
            const QString n = QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
            markdown += QStringLiteral("| `k%1` | r%1first %2r%1last | f%1 |\n").arg(n, filler);
        }
        markdown += QStringLiteral("\nAfter the table.\n");
        const QString source = dir.filePath(QStringLiteral("long.md"));
        const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
        {
            QFile f(source);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(markdown.toUtf8());
        }
        QProcess p;
        p.start(QStringLiteral(QIRO_MANUAL_TOOL), {source, pdf});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());

        QString error;
        const QVector<QStringList> pages = pageLines(pdf, &error);
        if (!error.isEmpty())
            QFAIL(qPrintable(error));
        // Where a word stands: page and line, for every time it stands somewhere.
        auto find = [&](const QString& word) {
            QVector<QPair<int, int>> at;
            const QRegularExpression whole(QStringLiteral("(^|\\s)%1(\\s|$)").arg(word));
            for (int page = 0; page < pages.size(); ++page)
                for (int line = 0; line < pages.at(page).size(); ++line)
                    if (whole.match(pages.at(page).at(line)).hasMatch())
                        at.push_back({page, line});
            return at;
        };
        QMap<int, int> firstRowLine; // page -> line of its first row
        for (int row = 0; row < rows; ++row) {
            const QString n = QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
            const auto first = find(QStringLiteral("r%1first").arg(n));
            const auto last = find(QStringLiteral("r%1last").arg(n));
            const auto key = find(QStringLiteral("k%1").arg(n));
            QCOMPARE(first.size(), 1);
            QCOMPARE(last.size(), 1);
            QVERIFY(!key.isEmpty());
            QVERIFY2(last.at(0).first == first.at(0).first,
                     qPrintable(QStringLiteral("row %1 runs from page %2 to page %3")
                                    .arg(row)
                                    .arg(first.at(0).first + 1)
                                    .arg(last.at(0).first + 1)));
            const int page = first.at(0).first;
            if (!firstRowLine.contains(page))
                firstRowLine.insert(page, first.at(0).second);
        }
        // The table goes over several pages, or the test would show nothing.
        QVERIFY2(firstRowLine.size() >= 3, qPrintable(QString::number(firstRowLine.size())));
        const auto headers = find(QStringLiteral("hdesc"));
        for (auto it = firstRowLine.cbegin(); it != firstRowLine.cend(); ++it) {
            bool above = false;
            for (const auto& header : headers)
                if (header.first == it.key() && header.second < it.value() &&
                    pages.at(it.key()).at(header.second).contains(QStringLiteral("hkey")) &&
                    pages.at(it.key()).at(header.second).contains(QStringLiteral("hflag")))
                    above = true;
            QVERIFY2(above,
                     qPrintable(
                         QStringLiteral("page %1 has rows without the header").arg(it.key() + 1)));
        }
        QCOMPARE(headers.size(), firstRowLine.size());

        const QString problems = checkCodeFont(markdown, pdf);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // The check itself: a quotation the program lacks is caught, placeholders match values.
    void matchingRules_data()
    {
        QTest::addColumn<QString>("quote");
        QTest::addColumn<bool>("known");
        QTest::newRow("exact") << "Ошибка обмена данными" << true;
        QTest::newRow("two-line caption on one line") << "Скачать синхронизированный архив" << true;
        QTest::newRow("export cell without its separator") << "Ошибки канала:" << true;
        QTest::newRow("value filled in") << "Пропущено поврежденных строк: N" << true;
        QTest::newRow("placeholder never empty") << "Пропущено поврежденных строк:" << false;
        QTest::newRow("misspelt otherwise") << "Скачать синхронизированый архив" << false;
        QTest::newRow("part of a text") << "обмена данными" << false;
    }
    void matchingRules()
    {
        QFETCH(QString, quote);
        QFETCH(bool, known);
        static const ProgramTexts program(programTexts());
        QCOMPARE(program.has(normalized(quote)), known);
    }
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
