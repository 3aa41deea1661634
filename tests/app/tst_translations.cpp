// The translation sources: every text of the program has an English
// translation, the .ts files are current with the sources, no Russian text
// bypasses tr(), the compiled files load from next to the executable, and the
// pages' unit suffixes follow the language.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <QtTest>
#include <memory>

#include "command.h"
#include "devicesetting_3_window.h"
#include "devicesetting_5_window.h"
#include "warningguard.h"

namespace
{

struct Entry {
    QString translation;
    bool finished = false;
};

// (context, source, disambiguation) -> translation.
using Catalogue = QMap<QString, Entry>;

QString key(const QString& context, const QString& source, const QString& comment)
{
    return context + QChar(0x1F) + source + QChar(0x1F) + comment;
}

QString describe(const QString& k)
{
    QStringList parts = k.split(QChar(0x1F));
    return parts.value(0) + ": \"" + parts.value(1) + "\"";
}

bool readCatalogue(const QString& path, Catalogue& out, QString& language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("TS")) {
            language = xml.attributes().value("language").toString();
        } else if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            QString source, comment;
            Entry entry;
            bool obsolete = false;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("message")) &&
                   !xml.atEnd()) {
                xml.readNext();
                if (!xml.isStartElement())
                    continue;
                if (xml.name() == QLatin1String("source")) {
                    source = xml.readElementText();
                } else if (xml.name() == QLatin1String("comment")) {
                    comment = xml.readElementText();
                } else if (xml.name() == QLatin1String("translation")) {
                    const QStringRef type = xml.attributes().value("type");
                    obsolete =
                        type == QLatin1String("obsolete") || type == QLatin1String("vanished");
                    entry.finished = type.isEmpty();
                    entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                }
            }
            if (!obsolete)
                out.insert(key(context, source, comment), entry);
        }
    }
    return !xml.hasError();
}

QString tsPath(const QString& language)
{
    return QStringLiteral(QIRO_SOURCE_DIR "/translations/Qiro_Configuration_%1.ts").arg(language);
}

QStringList translatedDirs()
{
    QStringList dirs;
    for (const QString& d : QStringLiteral(QIRO_TRANSLATED_DIRS).split(',', Qt::SkipEmptyParts)) {
        if (QDir(QStringLiteral(QIRO_SOURCE_DIR "/") + d).exists())
            dirs << d;
    }
    return dirs;
}

bool hasCyrillic(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    }
    return false;
}

// The string literals of a C++ source, adjacent literals joined, escapes
// resolved; comments, character literals and raw strings are skipped.
QStringList stringLiterals(const QString& text)
{
    QStringList literals;
    QString current;
    bool open = false; // a literal is being joined
    const int n = text.size();
    int i = 0;
    auto flush = [&] {
        if (open)
            literals << current;
        current.clear();
        open = false;
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            const int end = text.indexOf("*/", i + 2);
            i = end < 0 ? n : end + 2;
            continue;
        }
        if (c == '\'') {
            ++i;
            while (i < n && text[i] != '\'') {
                if (text[i] == '\\')
                    ++i;
                ++i;
            }
            ++i;
            flush();
            continue;
        }
        if (c == 'R' && i + 1 < n && text[i + 1] == '"') {
            const int paren = text.indexOf('(', i + 2);
            const QString delimiter = ")" + text.mid(i + 2, paren - i - 2) + "\"";
            const int end = text.indexOf(delimiter, paren);
            i = end < 0 ? n : end + delimiter.size();
            flush();
            continue;
        }
        if (c == '"') {
            open = true;
            ++i;
            while (i < n && text[i] != '"') {
                if (text[i] == '\\' && i + 1 < n) {
                    const QChar e = text[i + 1];
                    current += e == 'n'   ? QChar('\n')
                               : e == 't' ? QChar('\t')
                               : e == 'r' ? QChar('\r')
                                          : e;
                    i += 2;
                    continue;
                }
                current += text[i++];
            }
            ++i;
            continue;
        }
        if (!c.isSpace())
            flush();
        ++i;
    }
    flush();
    return literals;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    WarningGuard guard;
    Catalogue extracted; // what lupdate finds in the sources now

    static QString failures(const QStringList& list) { return list.join(QLatin1Char('\n')); }

private slots:
    void initTestCase()
    {
        guard.install();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fresh = dir.filePath("current.ts");
        QProcess lupdate;
        lupdate.setWorkingDirectory(QIRO_SOURCE_DIR);
        QStringList args = {"-silent", "-locations", "none", "-extensions", "cpp,h,ui"};
        args << translatedDirs() << "-ts" << fresh;
        lupdate.start(QIRO_LUPDATE, args);
        QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
        QCOMPARE(lupdate.exitCode(), 0);
        QString language;
        QVERIFY(readCatalogue(fresh, extracted, language));
        QVERIFY(extracted.size() > 50);
    }

    void cleanup() { QIRO_CHECK_WARNINGS(guard); }

    void everyTextHasAnEnglishTranslation()
    {
        Catalogue english;
        QString language;
        QVERIFY(readCatalogue(tsPath("en_US"), english, language));
        QCOMPARE(language, QString("en_US"));
        QStringList missing;
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            if (!it->finished || it->translation.isEmpty())
                missing << describe(it.key());
        }
        QVERIFY2(missing.isEmpty(), qPrintable("untranslated:\n" + failures(missing)));
    }

    // lupdate over the sources finds exactly the texts of each .ts file: a
    // new text must be added (cmake --build <dir> --target qiro_lupdate) and
    // translated, a removed one dropped.
    void translationSourcesAreCurrent_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en_US";
        QTest::newRow("Russian") << "ru_RU";
    }
    void translationSourcesAreCurrent()
    {
        QFETCH(QString, language);
        Catalogue file;
        QString fileLanguage;
        QVERIFY(readCatalogue(tsPath(language), file, fileLanguage));
        QCOMPARE(fileLanguage, language);
        QStringList problems;
        for (auto it = extracted.cbegin(); it != extracted.cend(); ++it) {
            if (!file.contains(it.key()))
                problems << "not in the file: " + describe(it.key());
        }
        for (auto it = file.cbegin(); it != file.cend(); ++it) {
            if (!extracted.contains(it.key()))
                problems << "no longer in the sources: " + describe(it.key());
        }
        QVERIFY2(problems.isEmpty(), qPrintable(failures(problems)));
    }

    // Russian literals are user-visible texts and go through tr() (or one of
    // the QT_TR_NOOP markers), except the few the program keeps as they are.
    void russianTextsGoThroughTr()
    {
        const QSet<QString> untranslated = {
            QStringLiteral("/Руководство пользователя Qiro Configuration 05.04.2022.pdf"),
        };
        QSet<QString> sources;
        for (auto it = extracted.cbegin(); it != extracted.cend(); ++it)
            sources.insert(it.key().split(QChar(0x1F)).value(1));
        QStringList bypassing;
        for (const QString& d : translatedDirs()) {
            QDirIterator files(QStringLiteral(QIRO_SOURCE_DIR "/") + d, {"*.cpp", "*.h"},
                               QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QString path = files.next();
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(file.readAll());
                for (const QString& literal : stringLiterals(text)) {
                    if (hasCyrillic(literal) && !sources.contains(literal) &&
                        !untranslated.contains(literal))
                        bypassing << QDir(QIRO_SOURCE_DIR).relativeFilePath(path) + ": \"" +
                                         literal + "\"";
                }
            }
        }
        QVERIFY2(bypassing.isEmpty(), qPrintable("not through tr():\n" + failures(bypassing)));
    }

    void literalScanner_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("literals");
        QTest::newRow("plain") << "tr(\"Да\");" << QStringList{"Да"};
        QTest::newRow("joined") << "tr(\"Один \"\n   \"два\")" << QStringList{"Один два"};
        QTest::newRow("escapes") << "x(\"a\\\"b\\nc\")" << QStringList{"a\"b\nc"};
        QTest::newRow("comments") << "// \"нет\"\n/* \"нет\" */ f(\"да\")" << QStringList{"да"};
        QTest::newRow("character literal") << "c == '\"' ? \"x\" : \"y\"" << QStringList{"x", "y"};
        QTest::newRow("raw string") << "R\"(\"нет\")\" \"да\"" << QStringList{"да"};
    }
    void literalScanner()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, literals);
        QCOMPARE(stringLiterals(code), literals);
    }

    void compiledTranslationsSitNextToTheExecutable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sensors");
        QTest::newRow("English") << "Qiro_Configuration_en_US."
                                 << "Sensors";
        QTest::newRow("Russian") << "Qiro_Configuration_ru_RU."
                                 << "";
    }
    void compiledTranslationsSitNextToTheExecutable()
    {
        QFETCH(QString, name);
        QFETCH(QString, sensors);
        QTranslator translator;
        QVERIFY(translator.load(name, QCoreApplication::applicationDirPath()));
        QCOMPARE(translator.translate("MainWindow", "Сенсоры"), sensors);
    }
    // The unit suffixes of the spin boxes read in the page's language: Russian in
    // the form, English through the translation next to the program.
    void unitSuffixes_data()
    {
        QTest::addColumn<int>("page");            // 3: device data page, 5: options page
        QTest::addColumn<QString>("translation"); // empty: the form's own Russian
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("suffix");
        const struct {
            int page;
            const char* box;
            const char* russian;
            const char* english;
        } rows[] = {
            {3, "spinBoxIntervalArchiv", " мин", " min"},
            {3, "spinBoxIntervalArchiv_2", " с", " sec"},
            {5, "spinBoxTimeLedStatePulse", " с", " sec"},
            {5, "spinBoxTimeLedStatePeriod", " с", " sec"},
            {5, "spinBoxPeriodTimeLora", " с", " sec"},
            {5, "spinBoxPeriodTimeLora_Alarm", " с", " sec"},
            {5, "spinBoxBattery_max", " мВ", " mV"},
            {5, "spinBoxBattery_min", " мВ", " mV"},
            {5, "spinBoxBattery_lim_1", " мВ", " mV"},
            {5, "spinBoxBattery_lim_2", " мВ", " mV"},
        };
        for (const auto& r : rows) {
            QTest::addRow("Russian %s", r.box) << r.page << QString() << QString::fromLatin1(r.box)
                                               << QString::fromUtf8(r.russian);
            QTest::addRow("English %s", r.box)
                << r.page << QStringLiteral("Qiro_Configuration_en_US.")
                << QString::fromLatin1(r.box) << QString::fromUtf8(r.english);
        }
    }
    void unitSuffixes()
    {
        QFETCH(int, page);
        QFETCH(QString, translation);
        QFETCH(QString, box);
        QFETCH(QString, suffix);
        QTranslator translator;
        if (!translation.isEmpty()) {
            QVERIFY(translator.load(translation, QCoreApplication::applicationDirPath()));
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        command.registerMap = ExtendedMap;
        std::unique_ptr<QWidget> window;
        if (page == 3)
            window = std::make_unique<DeviceSetting_3_Window>(nullptr);
        else
            window = std::make_unique<DeviceSetting_5_Window>(nullptr);
        auto* spin = window->findChild<QSpinBox*>(box);
        QVERIFY(spin);
        QCOMPARE(spin->suffix(), suffix);
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
