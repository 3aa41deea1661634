// The user manual that "Помощь" opens: the build renders it next to the
// program, an independent tool (pdftotext) finds every tab of the program in
// it, and everything it quotes as the program's text is a text the program has.

#include "files.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
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

    // The check itself: a quotation the program lacks is caught, placeholders match values.
    void matchingRules_data()
    {
        QTest::addColumn<QString>("quote");
        QTest::addColumn<bool>("known");
        QTest::newRow("exact") << "Ошибка обмена данными" << true;
        QTest::newRow("two-line caption on one line") << "Скачать синхронизованый архив" << true;
        QTest::newRow("export cell without its separator") << "Ошибки канала:" << true;
        QTest::newRow("value filled in") << "Пропущено поврежденных строк: N" << true;
        QTest::newRow("placeholder never empty") << "Пропущено поврежденных строк:" << false;
        QTest::newRow("misspelt otherwise") << "Скачать синхронизованный архив" << false;
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
