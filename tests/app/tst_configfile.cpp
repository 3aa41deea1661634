// Configuration files: exact sizes per model and layout, what a file carries,
// and loads that must change nothing.

#include "appsettings.h"
#include "apptest.h"
#include "command.h"
#include "commandstate.h"
#include "configurationfile.h"
#include "dialogs.h"
#include "files.h"
#include "mainwindow.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "filesizelimit.h"
#include "unusualnames.h"

namespace
{

// Every byte of the image a distinct, odd-looking value.
void fillImage(quint8 seed)
{
    forEachImagePart([seed](void* p, size_t n) {
        auto* b = static_cast<quint8*>(p);
        for (size_t i = 0; i < n; ++i)
            b[i] = quint8(seed + i * 7);
    });
}

void setModel(quint16 map, quint16 model, quint16 channels)
{
    command.registerMap = map;
    command.modelCode = model;
    command.channelCount = channels;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

    WarningGuard guard;
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        guard.install();
        QVERIFY(dir.isValid());
    }

    void init()
    {
        apptest::resetCommand();
        lastSavedConfigFile = dir.filePath("config.txt");
        lastLoadedConfigFile = lastSavedConfigFile;
        QFile::remove(lastSavedConfigFile);
    }

    void cleanup() { QIRO_CHECK_WARNINGS(guard); }

    void sizes_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("lines");
        QTest::newRow("classic T2") << int(ClassicMap) << int(ModelT2Classic) << 1 << 672 << 16;
        QTest::newRow("classic T6") << int(ClassicMap) << int(ModelT6) << 4 << 2134 << 51;
        QTest::newRow("classic T6 Max, zero tables")
            << int(ClassicMap) << int(ModelT6M) << 6 << 3612 << 86;
        QTest::newRow("classic T6 Max(4)") << int(ClassicMap) << int(ModelT6M4) << 4 << 2470 << 59;
        QTest::newRow("extended T6") << int(ExtendedMap) << int(ModelT6) << 4 << 3764 << 90;
        QTest::newRow("extended T6 Max") << int(ExtendedMap) << int(ModelT6M) << 6 << 5528 << 132;
        QTest::newRow("no channels: header only")
            << int(ClassicMap) << int(ModelT6) << 0 << 186 << 5;
    }
    void sizes()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, channels);
        QFETCH(int, size);
        QFETCH(int, lines);
        fillImage(3);
        setModel(quint16(map), quint16(model), quint16(channels));
        QVERIFY(saveConfigurationFile());
        const QByteArray text = readAll(lastSavedConfigFile);
        QCOMPARE(text.size(), size);
        QCOMPARE(text.count("\r\n"), lines);
        QVERIFY(QRegularExpression("^([0-9A-F]{40}\\r\\n)*[0-9A-F]{2,40}\\r\\n$")
                    .match(QString::fromLatin1(text))
                    .hasMatch());
        if (channels > 0) {
            dialogs::Script script; // the file it wrote loads back without a word
            QVERIFY(loadConfigurationFile());
            QVERIFY(script.shown.isEmpty());
        }
    }

    // What a file carries: the configuration, never state or measurements; the
    // image itself is not changed by a save.
    void savedContent()
    {
        memset(&command.classicDevice, 0, sizeof command.classicDevice);
        memset(command.classicChannels, 0, sizeof command.classicChannels);
        setModel(ClassicMap, ModelT2Classic, 1);
        command.classicDevice.deviceFlags = 0xFFFF;
        command.classicDevice.deviceStatus = 0xFFFF;
        command.classicChannels[0].channelStatus = 0x41;
        command.classicChannels[0].measuredValue = 12.5f;
        command.classicChannels[0].limit1 = 0x8320;
        const QByteArray before = imageSnapshot();
        QVERIFY(saveConfigurationFile());
        QCOMPARE(imageSnapshot(), before);
        const QByteArray bytes = QByteArray::fromHex(readAll(lastSavedConfigFile));
        QCOMPARE(bytes.size(), 320);
        QCOMPARE(bytes.mid(0, 4), QByteArray::fromHex("8cec0300"));
        QCOMPARE(bytes.mid(88 + 40, 2), QByteArray(2, '\0'));   // channel status
        QCOMPARE(bytes.mid(88 + 64, 12), QByteArray(12, '\0')); // measured values
        QCOMPARE(bytes.mid(88 + 88, 2), QByteArray::fromHex("2083"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("channels");
        QTest::newRow("classic T6 Max") << int(ClassicMap) << int(ModelT6M) << 6;
        QTest::newRow("extended T6") << int(ExtendedMap) << int(ModelT6) << 4;
    }
    void roundTrip()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(int, channels);
        setModel(quint16(map), quint16(model), quint16(channels));
        fillImage(11);
        QVERIFY(saveConfigurationFile());
        const QByteArray saved = readAll(lastSavedConfigFile);
        fillImage(99);
        const quint32 start = map == ClassicMap ? command.classicDevice.archiveStartAddress
                                                : command.extendedDevice.archiveStartAddress;
        QVERIFY(loadConfigurationFile());
        // Loading again and saving gives the same file but for the archive
        // pointers (the device's own) and bit 5 (set by every load).
        QCOMPARE(map == ClassicMap ? command.classicDevice.archiveStartAddress
                                   : command.extendedDevice.archiveStartAddress,
                 start);
        QVERIFY((map == ClassicMap ? command.classicDevice.deviceFlags
                                   : command.extendedDevice.deviceFlags) &
                (1u << 5));
        lastSavedConfigFile = dir.filePath("again.txt");
        QVERIFY(saveConfigurationFile());
        const QByteArray again = QByteArray::fromHex(readAll(lastSavedConfigFile));
        QByteArray original = QByteArray::fromHex(saved);
        const int pointers = map == ClassicMap ? 28 : 44;
        QCOMPARE(again.mid(pointers + 8), original.mid(pointers + 8));
        QCOMPARE(again.mid(4, pointers - 4), original.mid(4, pointers - 4));
    }

    // A refused file leaves the image exactly as it was.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("message");
        QByteArray good;
        for (int i = 0; i < 16; ++i)
            good += QByteArray(40, 'A') + "\r\n";
        QByteArray damaged = good;
        damaged[45] = 'G';
        QByteArray lowerLineEnd = good;
        lowerLineEnd.replace(40, 2, "\n\n");
        QTest::newRow("extended file while classic")
            << QByteArray(3764, 'A') << int(ModelT2Classic) << "Ошибка размера файла конфигурации";
        QTest::newRow("damaged digit")
            << damaged << int(ModelT2Classic) << "Файл конфигурации повреждён";
        QTest::newRow("bare line feeds")
            << lowerLineEnd << int(ModelT2Classic) << "Файл конфигурации повреждён";
        QTest::newRow("T8 Max has no file")
            << QByteArray() << int(ModelT8M) << "Ошибка размера файла конфигурации";
    }
    void refused()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, model);
        QFETCH(QString, message);
        setModel(ClassicMap, quint16(model), model == ModelT8M ? 10 : 1);
        fillImage(5);
        writeFile(lastLoadedConfigFile, text);
        const QByteArray before = imageSnapshot();
        dialogs::Script script;
        QVERIFY(!loadConfigurationFile());
        QCOMPARE(script.texts(), QStringList{message});
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QCOMPARE(imageSnapshot(), before);
    }

    // A Cancel leaves the image as it was, also one pressed on the last pass: the
    // dialog reaching its maximum must not forget it, or the image would be loaded
    // and written to the device.
    void cancelledLoadChangesNothing_data()
    {
        QTest::addColumn<bool>("onLastPass");
        QTest::newRow("cancel at once") << false;
        QTest::newRow("cancel on the last pass") << true;
    }
    void cancelledLoadChangesNothing()
    {
        QFETCH(bool, onLastPass);
        setModel(ClassicMap, ModelT6, 4);
        fillImage(1);
        QVERIFY(saveConfigurationFile());
        fillImage(2);
        const QByteArray before = imageSnapshot();
        bool seen = false;
        command.progressDialog = nullptr;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&seen, onLastPass] {
            QProgressDialog* d = command.progressDialog;
            if (!d || seen)
                return;
            seen = true;
            QVERIFY(!d->autoReset());
            d->cancel();
            if (onLastPass)
                d->setValue(d->maximum()); // what the last pass reaches
        });
        poll.start(0);
        QVERIFY(!loadConfigurationFile());
        QVERIFY(seen);
        QCOMPARE(imageSnapshot(), before);
    }

    // The load's dialog is up from its first pass, not after Qt's default 4 s,
    // so that a load is cancellable however short it is.
    void loadDialogShownAtOnce()
    {
        setModel(ClassicMap, ModelT6, 4);
        fillImage(1);
        QVERIFY(saveConfigurationFile());
        command.progressDialog = nullptr;
        int seen = -1;
        QTimer::singleShot(0, [&seen] {
            seen = command.progressDialog && command.progressDialog->isVisible() ? 1 : 0;
        });
        QVERIFY(loadConfigurationFile());
        QCOMPARE(seen, 1);
    }

    void fileErrors()
    {
        setModel(ClassicMap, ModelT2Classic, 1);
        dialogs::Script script;
        lastLoadedConfigFile = dir.filePath("missing.txt");
        QVERIFY(!loadConfigurationFile());
        lastSavedConfigFile = dir.filePath("no-such-folder/config.txt");
        QVERIFY(!saveConfigurationFile());
        QCOMPARE(script.texts(), (QStringList{"Ошибка открытия файла", "Ошибка открытия файла"}));
    }

    // A configuration saved from the main window under a name without a suffix
    // is written with ".txt", so that the load dialog's filter lists it, and it
    // loads back (offline: into the image, with nothing on the line).
    void savedWithoutSuffixLoadsBack()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        apptest::removeIni();
        {
            MainWindow window;
            command.userName = "Dolen";
            command.authorized = 1;
            window.offlineWork = true;
            window.setDeviceModel(ModelT6);
            command.registerMap = ClassicMap;
            window.rebuildDeviceUi();
            command.classicChannels[2].limit2 = 777;
            dialogs::Script script;
            script.accept(folder.filePath("cfg"));
            child<QPushButton>(window, "pushButtonSaveConfigPC")->click();
            QCOMPARE(lastSavedConfigFile, folder.filePath("cfg.txt"));
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"cfg.txt"});
            QCOMPARE(readAll(folder.filePath("cfg.txt")).size(), 2134);

            command.classicChannels[2].limit2 = 1;
            script.accept(folder.filePath("cfg.txt"));
            child<QPushButton>(window, "pushButtonLoadConfigDevice")->click();
            // The load dialog's filter finds the saved file.
            const QString filter = script.shown.last().filter;
            QCOMPARE(filter, QString("(*.txt)"));
            const QString pattern = filter.mid(1, filter.size() - 2);
            QCOMPARE(QDir(folder.path()).entryList({pattern}, QDir::Files), QStringList{"cfg.txt"});
            QCOMPARE(script.shown.size(), 2); // the two file dialogs, no error box
            QCOMPARE(command.classicChannels[2].limit2, quint16(777));
        }
        apptest::removeIni();
    }

    // Names that are no plain file, to load from and to save to: the open error
    // before anything is opened; the image and whatever stands under the name stay
    // as they were, and nothing is created.
    void notAPlainFile_data() { addUnusualNameRows(); }
    void notAPlainFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        QVERIFY(folder.isValid() && elsewhere.isValid());
        const QString name = folder.filePath("config.txt");
        const UnusualName unusual(kind, name, elsewhere.path());
        QVERIFY(unusual.ok());
        setModel(ClassicMap, ModelT6, 4);
        fillImage(3);
        const QByteArray before = imageSnapshot();
        dialogs::Script script;
        lastLoadedConfigFile = name;
        QVERIFY(!loadConfigurationFile());
        lastSavedConfigFile = name;
        QVERIFY(!saveConfigurationFile());
        QCOMPARE(script.texts(), (QStringList{"Ошибка открытия файла", "Ошибка открытия файла"}));
        QCOMPARE(imageSnapshot(), before);
        QVERIFY(unusual.unchanged());
    }

    // A file larger than the model's (2134 characters for a classic T6) is refused by
    // its size: one character too many, and 1 GiB (sparse, nothing written), which is
    // never read into memory.
    void largerFileRefusedBySize_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("one character too many") << qint64(2135);
        QTest::newRow("1 GiB") << (qint64(1) << 30);
    }
    void largerFileRefusedBySize()
    {
        QFETCH(qint64, size);
        setModel(ClassicMap, ModelT6, 4);
        fillImage(1);
        QVERIFY(saveConfigurationFile());
        {
            QFile file(lastLoadedConfigFile);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(size));
        }
        fillImage(2);
        const QByteArray before = imageSnapshot();
        dialogs::Script script;
        QVERIFY(!loadConfigurationFile());
        QCOMPARE(script.texts(), QStringList{"Ошибка размера файла конфигурации"});
        QCOMPARE(imageSnapshot(), before);
    }

    // A file that opens but cannot be written whole (a full disk; here the process's
    // file-size limit) is reported as a failed write, and the previous file stays whole.
    void failedWriteKeepsThePreviousFile()
    {
        setModel(ClassicMap, ModelT6, 4); // 2134 characters
        lastSavedConfigFile = dir.filePath("limited.txt");
        writeFile(lastSavedConfigFile, "previous\r\n");
        dialogs::Script script;
        bool saved = false;
        {
            const FileSizeLimit limit(1000);
            QVERIFY(limit.ok);
            saved = saveConfigurationFile();
        }
        QVERIFY(!saved);
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QCOMPARE(script.texts(), QStringList{"Ошибка записи файла"});
        QCOMPARE(readAll(lastSavedConfigFile), QByteArray("previous\r\n"));
    }
};

QTEST_MAIN(TestConfigFile)
#include "tst_configfile.moc"
