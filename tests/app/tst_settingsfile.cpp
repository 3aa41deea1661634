// The settings file "ini": eight UTF-8 lines ended by "\r\n", read at start,
// written at exit, and the interface language it remembers.

#include "appsettings.h"
#include "apptest.h"
#include "mainwindow.h"
#include "warningguard.h"

#include <QAction>
#include <QDir>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

namespace
{

QString* const settings[8] = {&lastDirectory,       &lastFirmwareDirectory, &lastLoadedConfigFile,
                              &lastSavedConfigFile, &currentLogFilePath,    &lastExportFile,
                              &lastFirmwareFile,    &translationName};

void setAll(const QStringList& values)
{
    for (int i = 0; i < 8; ++i)
        *settings[i] = values.value(i);
}

QStringList all()
{
    QStringList values;
    for (QString* s : settings)
        values << *s;
    return values;
}

QString desktop()
{
    return QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0);
}

QByteArray lines(const QStringList& values)
{
    QByteArray bytes;
    for (const QString& v : values)
        bytes += v.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

    WarningGuard guard;

private slots:
    void initTestCase() { guard.install(); }

    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
        QDir().rmdir(apptest::iniPath());
        setAll({});
        settingsFilePath.clear();
    }

    void cleanup() { QIRO_CHECK_WARNINGS(guard); }

    void cleanupTestCase()
    {
        QDir().rmdir(apptest::iniPath());
        apptest::removeIni();
    }

    void pathIsNextToTheExecutable()
    {
        QVERIFY(readSettingsFile());
        QCOMPARE(settingsFilePath, QCoreApplication::applicationDirPath() + "/ini");
    }

    void cyrillicValuesRoundTripByteExact()
    {
        const QStringList values = {
            "C:/Users/Оператор/Рабочий стол/Конфигурации",
            "D:/Прошивки",
            "C:/Users/Оператор/config.txt",
            "",
            "C:/Qiro/log/QIROT00001234.txt",
            "E:/Экспорт/журнал.xlsx",
            "D:/Прошивки/T6 v2.HEX",
            "Qiro_Configuration_en_US.",
        };
        QVERIFY(readSettingsFile());
        setAll(values);
        writeSettingsFile();
        QCOMPARE(apptest::readIni(), lines(values));

        setAll({});
        QVERIFY(readSettingsFile());
        QCOMPARE(all(), values);
    }

    // A value with a line break must not push the values after it onto the
    // wrong lines: it is dropped, the others survive.
    void lineBreaksAreDropped_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("LF in the first line") << 0 << "C:/a\nb";
        QTest::newRow("CR in a middle line") << 3 << "C:/a\rb";
        QTest::newRow("CR LF in the language") << 7 << "Qiro_Configuration_en_US.\r\nX";
        QTest::newRow("trailing LF") << 6 << "D:/fw.HEX\n";
    }
    void lineBreaksAreDropped()
    {
        QFETCH(int, line);
        QFETCH(QString, value);
        QStringList values;
        for (int i = 0; i < 8; ++i)
            values << QStringLiteral("value %1").arg(i + 1);
        QVERIFY(readSettingsFile());
        setAll(values);
        *settings[line] = value;
        writeSettingsFile();

        values[line].clear();
        QCOMPARE(apptest::readIni(), lines(values));
        QVERIFY(readSettingsFile());
        if (line == 0)
            values[0] = desktop();
        QCOMPARE(all(), values);
    }

    void readingTrimsAndStopsAtNul_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        const QString d = desktop();
        QTest::newRow("no file content")
            << QByteArray() << QStringList{d, "", "", "", "", "", "", ""};
        QTest::newRow("three lines")
            << QByteArray("C:/one\r\nC:/two\r\nC:/three\r\n")
            << QStringList{"C:/one", "C:/two", "C:/three", "", "", "", "", ""};
        QTest::newRow("blanks and LF-only ends")
            << QByteArray("  C:/one \t\n\n x\n\n\n\n\n Qiro_Configuration_en_US.  \n")
            << QStringList{"C:/one", "", "x", "", "", "", "", "Qiro_Configuration_en_US."};
        QTest::newRow("NUL ends a value") << QByteArray("C:/one\r\nab\0cd\r\n", 15)
                                          << QStringList{"C:/one", "ab", "", "", "", "", "", ""};
        QTest::newRow("lines after the eighth ignored")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n")
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"};
        QTest::newRow("last line without end")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\nQiro_Configuration_ru_RU.")
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "Qiro_Configuration_ru_RU."};
        QTest::newRow("folder that no longer exists kept")
            << QByteArray("Z:/Нет такой папки\r\n")
            << QStringList{"Z:/Нет такой папки", "", "", "", "", "", "", ""};
    }
    void readingTrimsAndStopsAtNul()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        apptest::writeIni(file);
        QVERIFY(readSettingsFile());
        QCOMPARE(all(), expected);
    }

    void missingFileIsCreated()
    {
        QVERIFY(!QFile::exists(apptest::iniPath()));
        QVERIFY(readSettingsFile());
        QVERIFY(QFile::exists(apptest::iniPath()));
        QCOMPARE(apptest::readIni(), QByteArray());
        QCOMPARE(lastDirectory, desktop());
    }

    void unreadableFileChangesNothing()
    {
        QVERIFY(QDir().mkdir(apptest::iniPath()));
        const QStringList before = {"a", "b", "c", "d", "e", "f", "g", "h"};
        setAll(before);
        QVERIFY(!readSettingsFile());
        QCOMPARE(all(), before);
        QVERIFY(QDir().rmdir(apptest::iniPath()));
    }

    // A first start: Russian, the file dialogs on the desktop, and at exit
    // eight lines.
    void firstRunWritesEightLines()
    {
        {
            MainWindow window;
            QVERIFY(window.findChild<QRadioButton*>("radioButtonLanguageRus")->isChecked());
            QCOMPARE(translationName, russianTranslationName);
        }
        QCOMPARE(apptest::readIni(),
                 lines({desktop(), "", "", "", "", "", "", "Qiro_Configuration_ru_RU."}));
    }

    void languageLineChoosesTheInterface_data()
    {
        QTest::addColumn<QByteArray>("line8");
        QTest::addColumn<bool>("english");
        QTest::newRow("English") << QByteArray("Qiro_Configuration_en_US.") << true;
        QTest::newRow("English with blanks") << QByteArray("Qiro_Configuration_en_US.   ") << true;
        QTest::newRow("Russian") << QByteArray("Qiro_Configuration_ru_RU.") << false;
        QTest::newRow("other letter case") << QByteArray("qiro_configuration_en_us.") << false;
        QTest::newRow("without the point") << QByteArray("Qiro_Configuration_en_US") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void languageLineChoosesTheInterface()
    {
        QFETCH(QByteArray, line8);
        QFETCH(bool, english);
        apptest::writeIni("C:/Папка\r\n\r\n\r\n\r\n\r\n\r\n\r\n" + line8 + "\r\n");
        {
            MainWindow window;
            QCOMPARE(window.findChild<QRadioButton*>("radioButtonLanguageEn")->isChecked(),
                     english);
            QCOMPARE(window.findChild<QRadioButton*>("radioButtonLanguageRus")->isChecked(),
                     !english);
            QCOMPARE(window.findChild<QAction*>("action_connect")->text(),
                     english ? QString("Connect to a device")
                             : QString("Подключиться к устройству"));
        }
        const QByteArray written = apptest::readIni();
        QCOMPARE(written,
                 QByteArray("C:/Папка\r\n\r\n\r\n\r\n\r\n\r\n\r\n") +
                     (english ? "Qiro_Configuration_en_US." : "Qiro_Configuration_ru_RU.") +
                     "\r\n");
    }

    // The last choice of the session is what the next start finds.
    void languageSwitchPersists_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("to English")
            << QStringList{"radioButtonLanguageEn"} << QByteArray("Qiro_Configuration_en_US.");
        QTest::newRow("to English and back")
            << QStringList{"radioButtonLanguageEn", "radioButtonLanguageRus"}
            << QByteArray("Qiro_Configuration_ru_RU.");
        QTest::newRow("back and forth")
            << QStringList{"radioButtonLanguageEn", "radioButtonLanguageRus",
                           "radioButtonLanguageEn"}
            << QByteArray("Qiro_Configuration_en_US.");
    }
    void languageSwitchPersists()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QByteArray, saved);
        {
            MainWindow window;
            for (const QString& name : clicks)
                window.findChild<QRadioButton*>(name)->click();
        }
        QVERIFY(apptest::readIni().endsWith("\r\n" + saved + "\r\n"));
        {
            MainWindow window;
            QCOMPARE(window.findChild<QRadioButton*>("radioButtonLanguageEn")->isChecked(),
                     saved.contains("en_US"));
        }
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
