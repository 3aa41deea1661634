// The settings file "ini": eight UTF-8 lines ended by "\r\n", read at start,
// written at exit, and the interface language it remembers.

#include "appsettings.h"
#include "apptest.h"
#include "files.h"
#include "mainwindow.h"
#include "warningguard.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "filesizelimit.h"
#include "unusualnames.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The file of the given lines, each ended by `end`.
QByteArray settingsBytes(const QByteArrayList& lines, const QByteArray& end = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + end;
    return bytes;
}

// The file the program writes of these values: UTF-8 lines ended by "\r\n".
QByteArray lines(const QStringList& values)
{
    QByteArrayList utf8;
    for (const QString& v : values)
        utf8 << v.toUtf8();
    return settingsBytes(utf8);
}

// Root reads a file whatever its mode. Run as root, the case takes a plain
// user's identity, gives that user the file and lets it write the folder, so
// that a write-only file cannot be read and could still be replaced.
class PlainUser
{
public:
    PlainUser(const QString& file, const QString& folder) : folder(QFile::encodeName(folder))
    {
        struct stat st;
        if (::geteuid() != 0 || ::stat(this->folder.constData(), &st) != 0)
            return;
        folderMode = st.st_mode & 07777;
        changed = true;
        const QByteArray name = QFile::encodeName(file);
        active = ::chown(name.constData(), Nobody, Nobody) == 0 &&
                 ::chmod(this->folder.constData(), 0777) == 0 && ::setegid(Nobody) == 0 &&
                 ::seteuid(Nobody) == 0;
    }
    ~PlainUser()
    {
        if (!changed)
            return;
        if (::seteuid(0) != 0 || ::setegid(0) != 0)
            qFatal("cannot take back the root identity");
        ::chmod(folder.constData(), folderMode);
    }
    bool failed() const { return ::getuid() == 0 && !active; }

private:
    static constexpr uid_t Nobody = 65534;
    const QByteArray folder;
    mode_t folderMode = 0755;
    bool changed = false;
    bool active = false;
};

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

    // A write that fails half-way (a full disk; here the process's file-size limit)
    // leaves the previous file whole, not cut where the disk ran out.
    void failedWriteKeepsThePreviousFile()
    {
        const QStringList values = {"C:/Users/Оператор/Рабочий стол/Конфигурации",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "Qiro_Configuration_ru_RU."};
        QVERIFY(readSettingsFile());
        setAll(values);
        writeSettingsFile();
        const QByteArray before = apptest::readIni();
        QCOMPARE(before, lines(values));
        setAll({QString(200, 'x'), "", "", "", "", "", "", "Qiro_Configuration_en_US."});
        {
            const FileSizeLimit limit(100);
            QVERIFY(limit.ok);
            writeSettingsFile();
        }
        QCOMPARE(apptest::readIni(), before);
    }

    // A value with a line break must not push the values after it onto the
    // wrong lines: it is not stored, its line keeps what the file had, the
    // others are written.
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
        QStringList old;
        for (int i = 0; i < 8; ++i) {
            values << QStringLiteral("value %1").arg(i + 1);
            old << QStringLiteral("old %1").arg(i + 1);
        }
        apptest::writeIni(lines(old));
        QVERIFY(readSettingsFile());
        setAll(values);
        *settings[line] = value;
        writeSettingsFile();

        values[line] = old[line];
        QCOMPARE(apptest::readIni(), lines(values));
        QVERIFY(readSettingsFile());
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
        QTest::newRow("CR-only line ends")
            << QByteArray("C:/one\rC:/two\r\r\r\r\r\rQiro_Configuration_en_US.\r")
            << QStringList{"C:/one", "C:/two", "", "", "", "", "", "Qiro_Configuration_en_US."};
        QTest::newRow("a lone CR in a CR LF file stays in its line")
            << QByteArray("C:/a\rb\r\nC:/two\r\n")
            << QStringList{"C:/a\rb", "C:/two", "", "", "", "", "", ""};
        QTest::newRow("the longest Windows path")
            << QByteArray("C:/" + QString(32764, QChar(0x44F)).toUtf8() + "\r\nC:/two\r\n")
            << QStringList{"C:/" + QString(32764, QChar(0x44F)), "C:/two", "", "", "", "", "", ""};
        QTest::newRow("a line longer than any path reads empty")
            << QByteArray(QByteArray(100 * 1024 + 1, 'x') + "\r\nC:/two\r\n")
            << QStringList{d, "C:/two", "", "", "", "", "", ""};
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

    // The file is rewritten only when the language it names is not the one
    // chosen, and then only in its last line.
    void languageLineChoosesTheInterface_data()
    {
        QTest::addColumn<QByteArray>("line8");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("English") << QByteArray("Qiro_Configuration_en_US.") << true
                                 << QByteArray("Qiro_Configuration_en_US.");
        QTest::newRow("English with blanks") << QByteArray("Qiro_Configuration_en_US.   ") << true
                                             << QByteArray("Qiro_Configuration_en_US.   ");
        QTest::newRow("Russian") << QByteArray("Qiro_Configuration_ru_RU.") << false
                                 << QByteArray("Qiro_Configuration_ru_RU.");
        QTest::newRow("other letter case") << QByteArray("qiro_configuration_en_us.") << false
                                           << QByteArray("Qiro_Configuration_ru_RU.");
        QTest::newRow("without the point") << QByteArray("Qiro_Configuration_en_US") << false
                                           << QByteArray("Qiro_Configuration_ru_RU.");
        QTest::newRow("empty") << QByteArray() << false << QByteArray("Qiro_Configuration_ru_RU.");
    }
    void languageLineChoosesTheInterface()
    {
        QFETCH(QByteArray, line8);
        QFETCH(bool, english);
        QFETCH(QByteArray, saved);
        const QByteArray head = "C:/Папка\r\n"
                                "/tmp/\xe9t\xe9\r\n  C:/three \t\r\n\r\n\r\n\r\n\r\n";
        apptest::writeIni(head + line8 + "\r\n");
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
        QCOMPARE(apptest::readIni(), head + saved + "\r\n");
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

    // A session that changes nothing leaves the file as it was, whatever it
    // holds: it is not even written.
    void unchangedSessionLeavesTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray ru = "Qiro_Configuration_ru_RU.";
        QTest::newRow("a line not in UTF-8")
            << settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "", "", "", "", "", ru});
        QTest::newRow("CR-only line ends")
            << settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "", "", "", "", "", ru}, "\r");
        QTest::newRow("LF-only line ends, blanks, a NUL")
            << settingsBytes({"  C:/one\t", "ab", QByteArray("C:/x\0junk", 9), "", "", "", "",
                              "Qiro_Configuration_en_US.  "},
                             "\n");
        QTest::newRow("lines after the eighth, no end")
            << QByteArray(settingsBytes({"C:/one", "", "", "", "", "", "", ru}) + "9\r\n10");
        QTest::newRow("eight lines, the last without end")
            << QByteArray("C:/one\r\n\r\n\r\n\r\n\r\n\r\n\r\n" + ru);
    }
    void unchangedSessionLeavesTheFile()
    {
        QFETCH(QByteArray, file);
        apptest::writeIni(file);
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
        {
            QFile ini(apptest::iniPath());
            QVERIFY(ini.open(QIODevice::ReadWrite));
            QVERIFY(ini.setFileTime(old, QFileDevice::FileModificationTime));
        }
        {
            MainWindow window;
        }
        QCOMPARE(apptest::readIni(), file);
        QCOMPARE(QFileInfo(apptest::iniPath()).lastModified().toUTC().toSecsSinceEpoch(),
                 old.toSecsSinceEpoch());
    }

    // A changed value replaces its own line; the other lines keep their
    // bytes, and missing lines up to it are added as empty ones, ended the way
    // the file's own lines are.
    void changedSettingRewritesOnlyItsLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray ru = "Qiro_Configuration_ru_RU.";
        QTest::newRow("beside a line not in UTF-8, blanks and a NUL")
            << settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "  C:/three \t", QByteArray("ab\0cd", 5),
                              "", "", "", ru})
            << 4 << "C:/Qiro/log/QIROT00001234.txt"
            << settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "  C:/three \t", QByteArray("ab\0cd", 5),
                              "C:/Qiro/log/QIROT00001234.txt", "", "", ru});
        QTest::newRow("CR-only line ends")
            << settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "", "", "", "", "", ru}, "\r") << 2
            << "D:/Конфиг.txt"
            << settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "D:/Конфиг.txt", "", "", "", "", ru},
                             "\r");
        QTest::newRow("a short file with LF ends")
            << QByteArray("C:/one\n") << 2 << "D:/x.txt" << QByteArray("C:/one\n\nD:/x.txt\n");
        QTest::newRow("the last line, without end")
            << QByteArray("C:/one\r\nC:/two") << 1 << "D:/Прошивки"
            << QByteArray("C:/one\r\nD:/Прошивки\r\n");
        QTest::newRow("after a last line without end")
            << QByteArray("C:/one\r\nC:/two") << 3 << "D:/x.txt"
            << QByteArray("C:/one\r\nC:/two\r\n\r\nD:/x.txt\r\n");
        QTest::newRow("lines after the eighth kept")
            << QByteArray(settingsBytes({"C:/one", "", "", "", "", "", "", ru}) + "9\r\n10") << 7
            << "Qiro_Configuration_en_US."
            << QByteArray(
                   settingsBytes({"C:/one", "", "", "", "", "", "", "Qiro_Configuration_en_US."}) +
                   "9\r\n10");
        QTest::newRow("a line longer than any path")
            << settingsBytes({"C:/one", QByteArray(100 * 1024 + 1, 'x'), "", ""}) << 3 << "D:/x.txt"
            << settingsBytes({"C:/one", QByteArray(100 * 1024 + 1, 'x'), "", "D:/x.txt"});
    }
    void changedSettingRewritesOnlyItsLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        apptest::writeIni(file);
        QVERIFY(readSettingsFile());
        *settings[line] = value;
        writeSettingsFile();
        QCOMPARE(apptest::readIni(), expected);
    }

    // Another copy of the program (or an editor) may write the file during
    // the session: what it wrote stays, except the line this session changed.
    void fileChangedMeanwhileKeepsTheOtherLines_data()
    {
        QTest::addColumn<QByteArray>("meanwhile");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray ru = "Qiro_Configuration_ru_RU.";
        QTest::newRow("written by another copy")
            << settingsBytes({"C:/one", "D:/Прошивки", "", "", "", "", "", ru})
            << settingsBytes({"C:/one", "D:/Прошивки", "E:/load.txt", "", "", "", "", ru});
        QTest::newRow("removed") << QByteArray()
                                 << settingsBytes(
                                        {"C:/one", "", "E:/load.txt", "", "", "", "", ru});
    }
    void fileChangedMeanwhileKeepsTheOtherLines()
    {
        QFETCH(QByteArray, meanwhile);
        QFETCH(QByteArray, expected);
        apptest::writeIni(
            settingsBytes({"C:/one", "", "", "", "", "", "", "Qiro_Configuration_ru_RU."}));
        QVERIFY(readSettingsFile());
        if (meanwhile.isEmpty())
            apptest::removeIni();
        else
            apptest::writeIni(meanwhile);
        lastLoadedConfigFile = "E:/load.txt";
        writeSettingsFile();
        QCOMPARE(apptest::readIni(), expected);
    }

    // A file the program cannot read, or one far bigger than any settings
    // file, is not read: the program starts with empty settings in Russian,
    // and at exit the file is left as it was even after a language switch.
    void unusableFileIsLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("writeOnly");
        const QByteArray settings =
            settingsBytes({"C:/Мои конфигурации", "D:/fw", "C:/load.txt", "C:/save.txt",
                           "C:/Qiro/log/QIROT00001234.txt", "E:/export.xlsx", "D:/fw/T6.HEX",
                           "Qiro_Configuration_en_US."});
        QTest::newRow("write-only") << settings << true;
        QTest::newRow("bigger than any settings file")
            << QByteArray(settings + QByteArray(1024 * 1024, 'x')) << false;
    }
    void unusableFileIsLeftAlone()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, writeOnly);
        apptest::writeIni(file);
        if (writeOnly)
            QVERIFY(QFile::setPermissions(apptest::iniPath(), QFile::WriteOwner));
        {
            PlainUser user(apptest::iniPath(), QCoreApplication::applicationDirPath());
            QVERIFY(!user.failed());
            {
                MainWindow window;
                QVERIFY(window.findChild<QRadioButton*>("radioButtonLanguageRus")->isChecked());
                QCOMPARE(all(), QStringList({"", "", "", "", "", "", "", russianTranslationName}));
                window.findChild<QRadioButton*>("radioButtonLanguageEn")->click();
            }
        }
        QVERIFY(QFile::setPermissions(apptest::iniPath(), QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(apptest::readIni(), file);
    }

    // A pipe, a folder or a link to one under the name is neither opened nor
    // replaced: the program starts at once with empty settings in Russian.
    void notAPlainFileIsNeitherReadNorWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("link to a named pipe") << "link to pipe";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link to a folder") << "link to folder";
    }
    void notAPlainFileIsNeitherReadNorWritten()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ini = apptest::iniPath();
        const bool pipe = kind.contains("pipe");
        const bool link = kind.startsWith("link");
        const QString target = link ? dir.filePath("target") : ini;
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkdir(target));
        if (link)
            QVERIFY(QFile::link(target, ini));
        {
            PipeFeeder feeder(target);
            {
                MainWindow window;
                QVERIFY(window.findChild<QRadioButton*>("radioButtonLanguageRus")->isChecked());
                QCOMPARE(all(), QStringList({"", "", "", "", "", "", "", russianTranslationName}));
                window.findChild<QRadioButton*>("radioButtonLanguageEn")->click();
            }
            QVERIFY(!feeder.pipeOpened());
        }
        const QFileInfo info(ini);
        QCOMPARE(info.isSymLink(), link);
        if (link)
            QCOMPARE(info.symLinkTarget(), target);
        QVERIFY(pipe ? isPipe(target) : QFileInfo(target).isDir());
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size() <= 1);
        QFile::remove(ini);
    }

    // Every kind of name that is no plain file, a dangling link and a link to
    // /dev/zero among them: the program starts at once with empty settings in
    // Russian, and at exit neither writes the file nor creates the link's target.
    void unusualNameStartsWithEmptySettings_data() { addUnusualNameRows(); }
    void unusualNameStartsWithEmptySettings()
    {
        QFETCH(QString, kind);
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        {
            const UnusualName unusual(kind, apptest::iniPath(), elsewhere.path());
            QVERIFY(unusual.ok());
            {
                MainWindow window;
                QVERIFY(window.findChild<QRadioButton*>("radioButtonLanguageRus")->isChecked());
                QCOMPARE(all(), QStringList({"", "", "", "", "", "", "", russianTranslationName}));
                window.findChild<QRadioButton*>("radioButtonLanguageEn")->click();
            }
            QVERIFY(unusual.unchanged());
        }
        QVERIFY(!QFileInfo::exists(apptest::iniPath()));
    }

    // Behind a link the link stays: its target gets the change and keeps its
    // other lines and its permissions.
    void linkToAFileKeepsTheLink()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString target = dir.filePath("settings.ini");
        const QByteArray before = settingsBytes(
            {"C:/one", "/tmp/\xe9t\xe9", "", "", "", "", "", "Qiro_Configuration_ru_RU."});
        {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(before), qint64(before.size()));
        }
        const QFile::Permissions permissions =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(target, permissions));
        QVERIFY(QFile::link(target, apptest::iniPath()));
        {
            MainWindow window;
            QCOMPARE(lastFirmwareDirectory, QString("/tmp/\uFFFDt\uFFFD"));
            window.findChild<QRadioButton*>("radioButtonLanguageEn")->click();
        }
        const QFileInfo info(apptest::iniPath());
        QVERIFY(info.isSymLink());
        QCOMPARE(info.symLinkTarget(), target);
        QCOMPARE(readAll(target), settingsBytes({"C:/one", "/tmp/\xe9t\xe9", "", "", "", "", "",
                                                 "Qiro_Configuration_en_US."}));
        const QFile::Permissions forAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFileInfo(target).permissions() & forAll, permissions);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"settings.ini"});
        QFile::remove(apptest::iniPath());
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
