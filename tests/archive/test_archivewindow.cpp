// The archive page against the simulated detector's log ring: refresh, the
// filter bounds, the buttons for models without records, the export mode by
// login, and the range download that finds nothing.

#include "accesslevel.h"
#include "appsettings.h"
#include "archivewindow.h"
#include "command.h"
#include "commandstate.h"
#include "dialogs.h"
#include "files.h"
#include "logdownload.h"
#include "logexport.h"
#include "simdetector.h"
#include "statusline.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>

class TestArchiveWindow : public QObject
{
    Q_OBJECT

    SimDetector sim;

    void loadImage(quint32 start, quint32 current)
    {
        command.extendedDevice.archiveStartAddress = start;
        command.extendedDevice.archiveCurrentAddress = current;
        command.extendedDevice.archiveEnabled = 1;
        command.extendedDevice.archiveIntervals[0] = 5;
        command.extendedDevice.archiveIntervals[1] = 10;
        command.extendedDevice.serialNumber = 56789;
    }

private slots:
    void initTestCase() { QVERIFY2(startSimulator(sim), qPrintable(sim.errorString())); }

    void init()
    {
        resetExtendedSimulator(sim, ModelT2);
        command.userName = userLoginName;
        sim.setLogRing(48, 10, 50);
    }

    void cleanupTestCase()
    {
        QDir(logFolderPath()).removeRecursively();
        closeProgramPort();
    }

    void refreshBoundsTheFilter()
    {
        loadImage(10, 50);
        ArchiveWindow page;
        dialogs::Script script;
        page.showParameters();
        QVERIFY(script.shown.isEmpty());
        auto* start = page.findChild<QDateTimeEdit*>("dateTimeEditStart");
        auto* stop = page.findChild<QDateTimeEdit*>("dateTimeEditStop");
        QCOMPARE(start->dateTime().toSecsSinceEpoch(), qint64(1000 + 60 * 10));
        QCOMPARE(stop->dateTime().toSecsSinceEpoch(), qint64(1000 + 60 * 49));
        QCOMPARE(page.findChild<QSpinBox*>("spinBoxIntervalArchiv")->value(), 5);
        QCOMPARE(page.findChild<QSpinBox*>("spinBoxCurrentAddr")->value(), 50);
        QVERIFY(page.findChild<QCheckBox*>("checkBoxArchive")->isChecked());
        QVERIFY(page.findChild<QGroupBox*>("groupBox")->isEnabled());

        // A failed read leaves the filter as it was.
        // A reply with fewer records than asked for.
        sim.onArchiveRead([](quint16, quint16) { return SimDetector::ArchiveReply(); });
        page.showParameters();
        sim.onArchiveRead(nullptr);
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(start->dateTime().toSecsSinceEpoch(), qint64(1000 + 60 * 10));
        QCOMPARE(stop->dateTime().toSecsSinceEpoch(), qint64(1000 + 60 * 49));
    }

    void emptyArchiveDisablesTheRange()
    {
        loadImage(50, 50);
        ArchiveWindow page;
        page.showParameters();
        QVERIFY(!page.findChild<QGroupBox*>("groupBox")->isEnabled());
        QVERIFY(!page.findChild<QGroupBox*>("groupBox_2")->isEnabled());
        QVERIFY(page.findChild<QPushButton*>("pushButtonSyncArchive")->isEnabled());
        QCOMPARE(sim.countFrames(12), 0);
    }

    void modelWithoutRecords()
    {
        command.modelCode = ModelT8M;
        ArchiveWindow page;
        for (const char* name : {"pushButtonSyncArchive", "pushButton", "pushButton_2"}) {
            auto* b = page.findChild<QPushButton*>(name);
            QVERIFY(!b->isEnabled());
            QVERIFY(!b->toolTip().isEmpty());
        }
    }

    void exportMode_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("service");
        QTest::addColumn<bool>("errors");
        QTest::addColumn<int>("mode"); // -1: no export
        QTest::newRow("user") << userLoginName << true << false << int(ExportAll);
        QTest::newRow("user, errors") << userLoginName << true << true << int(ExportErrorsOnly);
        QTest::newRow("admin, errors") << adminLoginName << false << true << int(ExportErrorsOnly);
        QTest::newRow("industry") << industryLoginName << false << false << int(ExportAll);
        QTest::newRow("industry, service")
            << industryLoginName << true << false << int(ExportService);
        QTest::newRow("industry, both")
            << industryLoginName << true << true << int(ExportServiceErrorsOnly);
        QTest::newRow("other name") << QString("Somebody") << false << false << -1;
    }
    void exportMode()
    {
        QFETCH(QString, user);
        QFETCH(bool, service);
        QFETCH(bool, errors);
        QFETCH(int, mode);
        command.userName = user;
        ArchiveWindow page;
        page.findChild<QCheckBox*>("checkBox_ArchivForService")->setChecked(service);
        page.findChild<QCheckBox*>("checkBox_ArchivOnlyErr")->setChecked(errors);
        ExportMode got = ExportAll;
        QCOMPARE(page.exportMode(got), mode >= 0);
        if (mode >= 0)
            QCOMPARE(int(got), mode);
    }

    // A range without records: no export, the page says so.
    void emptyRange()
    {
        loadImage(10, 50);
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(10u, 9u); });
        ArchiveWindow page;
        page.showParameters();
        dialogs::Script script;
        script.accept(QDir::tempPath() + "/qiro_archive_test.txt");
        page.findChild<QPushButton*>("pushButton")->click();
        sim.onRangeSearch(nullptr);
        QCOMPARE(script.shown.size(), 1); // the save dialog only: no export message
        QCOMPARE(page.findChild<QLabel*>("labelStatusSyncArchive")->text(),
                 QString("В заданном интервале нет записей"));
        QCOMPARE(page.findChild<QSpinBox*>("spinBoxBegginAddrRead")->value(), 10);
        QCOMPARE(page.findChild<QSpinBox*>("spinBoxCurrentAddrRead")->value(), 10);
    }

    void syncFromThePage()
    {
        loadImage(10, 50);
        QDir(logFolderPath()).removeRecursively();
        ArchiveWindow page;
        page.showParameters();
        dialogs::Script script;
        page.findChild<QPushButton*>("pushButtonSyncArchive")->click();
        QCOMPARE(page.findChild<QLabel*>("labelStatusSyncArchive")->text(),
                 QString("Архив синхронизирован"));
        QFile f(syncLogFilePath(ModelT2, 56789));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.size(), qint64(40 * logLineBytes(48))); // records 10 to 49
        QVERIFY(f.readLine().startsWith(SimDetector::logRingRecord(10, 48).toHex().toUpper()));
    }

    // The save dialog offers the three types; a name typed without a suffix
    // takes the suffix of the type chosen in the list, and the export writes
    // that form, as Python's csv module and openpyxl read it back.
    void exportTypeChosenInTheList_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("txt") << "(*.txt)"
                             << "txt";
        QTest::newRow("csv") << "(*.csv)"
                             << "csv";
        QTest::newRow("xlsx") << "(*.xlsx)"
                              << "xlsx";
    }
    void exportTypeChosenInTheList()
    {
        QFETCH(QString, type);
        QFETCH(QString, suffix);
        loadImage(10, 50);
        QDir(logFolderPath()).removeRecursively();
        ArchiveWindow page;
        page.showParameters();
        QTemporaryDir exportDir;
        QVERIFY(exportDir.isValid());
        dialogs::Script script;
        child<QPushButton>(page, "pushButtonSyncArchive")->click();
        script.accept(exportDir.filePath("report"), type);
        child<QPushButton>(page, "pushButton_2")->click();
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(script.shown[0].filter, QString("(*.txt);;(*.csv);;(*.xlsx)"));
        const QString written = exportDir.filePath("report." + suffix);
        QCOMPARE(lastExportFile, written);
        QCOMPARE(child<QLabel>(page, "labelStatusSyncArchive")->text(),
                 QString("Успешный экспорт"));
        QCOMPARE(QDir(exportDir.path()).entryList(QDir::Files), QStringList{"report." + suffix});
        // Records 10 to 49: the even ones measurements, the odd ones power-offs.
        const QString reader = QStringLiteral(
            "import sys,json\n"
            "form,path=sys.argv[1],sys.argv[2]\n"
            "if form=='xlsx':\n"
            "  import openpyxl\n"
            "  ws=openpyxl.load_workbook(path).active\n"
            "  kinds=[str(r[2].value or '').strip() for r in ws.iter_rows() if len(r)>2]\n"
            "elif form=='csv':\n"
            "  import csv\n"
            "  rows=csv.reader(open(path,encoding='utf-8',newline=''))\n"
            "  kinds=[r[2].strip() for r in rows if len(r)>2]\n"
            "else:\n"
            "  text=open(path,encoding='utf-8',newline='').read()\n"
            "  kinds=[w for l in text.split('\\r\\n') for w in l.split()\n"
            "         if w in ('Измерение','Выключение')]\n"
            "print(json.dumps([kinds.count('Измерение'),kinds.count('Выключение')]))\n");
        QProcess python;
        python.start("/usr/bin/python3", {"-c", reader, suffix, written});
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        QCOMPARE(python.readAllStandardOutput().trimmed(), QByteArray("[20, 20]"));
    }

    // A name typed without a suffix that names an existing file once the
    // suffix is added: the dialog asked about the typed name only, so the page
    // asks before that file is replaced; No leaves it as it was.
    void completedNameAsksBeforeReplacing()
    {
        loadImage(10, 50);
        QDir(logFolderPath()).removeRecursively();
        ArchiveWindow page;
        page.showParameters();
        QTemporaryDir exportDir;
        QVERIFY(exportDir.isValid());
        const QString existing = exportDir.filePath("report.csv");
        {
            QFile f(existing);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("the operator's own file\r\n");
        }
        dialogs::Script script;
        child<QPushButton>(page, "pushButtonSyncArchive")->click();
        script.accept(exportDir.filePath("report"), "(*.csv)");
        child<QPushButton>(page, "pushButton_2")->click();
        QCOMPARE(script.shown.size(), 2);
        QCOMPARE(int(script.shown[1].kind), int(dialogs::Kind::Question));
        QCOMPARE(int(script.shown[1].defaultButton), int(QMessageBox::No));
        QVERIFY(script.shown[1].text.contains(QDir::toNativeSeparators(existing)));
        QCOMPARE(readAll(existing), QByteArray("the operator's own file\r\n"));
        script.accept(exportDir.filePath("report"), "(*.csv)").button(QMessageBox::Yes);
        child<QPushButton>(page, "pushButton_2")->click();
        QVERIFY(readAll(existing).contains("Измерение"));
    }

    // Every command of the page ends with its own outcome, in the page's line and
    // in the status bar, never with an earlier command's success: a failed
    // synchronisation, an export the operator called off (no file chosen, or No
    // to replacing the completed name), and a range the device refused, which also
    // leaves no earlier range beside the emptied range file.
    void commandOutcomes_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::newRow("synchronisation fails") << "sync fails"
                                               << "Архив не синхронизирован";
        QTest::newRow("export, no file chosen") << "export cancelled"
                                                << "Экспорт отменён";
        QTest::newRow("export, replacing answered No") << "export No"
                                                       << "Экспорт отменён";
        QTest::newRow("range, no file chosen") << "range cancelled"
                                               << "Экспорт отменён";
        QTest::newRow("range refused") << "range refused"
                                       << "Ошибка скачивания";
    }
    void commandOutcomes()
    {
        QFETCH(QString, what);
        QFETCH(QString, expected);
        loadImage(10, 50);
        QDir(logFolderPath()).removeRecursively();
        QString bar;
        statusline::setHost([&bar](const QString& text) { bar = text; });
        ArchiveWindow page;
        page.showParameters();
        auto* label = child<QLabel>(page, "labelStatusSyncArchive");
        auto* first = child<QSpinBox>(page, "spinBoxBegginAddrRead");
        auto* end = child<QSpinBox>(page, "spinBoxCurrentAddrRead");
        QTemporaryDir exportDir;
        QVERIFY(exportDir.isValid());
        dialogs::Script script;
        // Earlier successes: a synchronisation, an export, a range of records 20 to 49.
        child<QPushButton>(page, "pushButtonSyncArchive")->click();
        QCOMPARE(bar, QString("Архив синхронизирован"));
        script.accept(exportDir.filePath("report.txt"));
        child<QPushButton>(page, "pushButton_2")->click();
        QCOMPARE(label->text(), QString("Успешный экспорт"));
        sim.onRangeSearch([](quint32, quint32) { return std::make_pair(20u, 49u); });
        script.accept(exportDir.filePath("range.txt"));
        child<QPushButton>(page, "pushButton")->click();
        QCOMPARE(label->text(), QString("Успешный экспорт"));
        QCOMPARE(first->value(), 20);
        QCOMPARE(end->value(), 50);
        statusline::show("Успешная передача данных"); // the tab's read
        script.shown.clear();

        if (what == "sync fails") {
            sim.addFault(SimFault(SimFault::Exception, 3, 10, 528).code(2));
            child<QPushButton>(page, "pushButtonSyncArchive")->click();
            QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными 40"});
        } else if (what == "export cancelled") {
            child<QPushButton>(page, "pushButton_2")->click();
            QCOMPARE(script.shown.size(), 1);
        } else if (what == "export No") {
            script.accept(exportDir.filePath("report")).button(QMessageBox::No);
            child<QPushButton>(page, "pushButton_2")->click();
            QCOMPARE(script.shown.size(), 2);
            QCOMPARE(int(script.shown[1].kind), int(dialogs::Kind::Question));
        } else if (what == "range cancelled") {
            child<QPushButton>(page, "pushButton")->click();
            QCOMPARE(script.shown.size(), 1);
        } else if (what == "range refused") {
            sim.addFault(SimFault(SimFault::Exception, 20).code(4));
            script.accept(exportDir.filePath("range2.txt"));
            child<QPushButton>(page, "pushButton")->click();
            QCOMPARE(script.texts().value(1), QString("Ошибка обмена данными 04"));
            QCOMPARE(readAll(rangeLogFilePath(56789)), QByteArray());
            QCOMPARE(first->value(), 0);
            QCOMPARE(end->value(), 0);
            QVERIFY(!QFileInfo::exists(exportDir.filePath("range2.txt")));
        }
        sim.clearFaults();
        sim.onRangeSearch(nullptr);
        statusline::setHost(statusline::Host());
        QCOMPARE(label->text(), expected);
        QCOMPARE(bar, expected);
    }

    // While a synchronisation or an export runs, its event processing may
    // deliver clicks on the page's buttons (the window-modal dialog stops the
    // mouse, not a queued or programmatic click): each does nothing.
    void clicksDuringATransferDoNothing_data()
    {
        QTest::addColumn<bool>("duringExport");
        QTest::newRow("during a synchronisation") << false;
        QTest::newRow("during an export") << true;
    }
    void clicksDuringATransferDoNothing()
    {
        QFETCH(bool, duringExport);
        loadImage(10, 50);
        QDir(logFolderPath()).removeRecursively();
        ArchiveWindow page;
        page.showParameters();
        auto* label = child<QLabel>(page, "labelStatusSyncArchive");
        auto* sync = child<QPushButton>(page, "pushButtonSyncArchive");
        auto* range = child<QPushButton>(page, "pushButton");
        auto* exportFile = child<QPushButton>(page, "pushButton_2");
        QTemporaryDir exportDir;
        QVERIFY(exportDir.isValid());
        const QString destination = exportDir.filePath("nested.txt");
        dialogs::Script script;
        if (duringExport) {
            sync->click();
            QCOMPARE(label->text(), QString("Архив синхронизирован"));
            script.accept(destination);
        }
        sim.clearLog();
        int clicked = 0;
        auto clickAll = [&] {
            if (clicked++ != 0)
                return;
            QTimer::singleShot(0, sync, &QPushButton::click);
            QTimer::singleShot(0, range, &QPushButton::click);
            QTimer::singleShot(0, exportFile, &QPushButton::click);
        };
        logBlockWritten = [&](int) { clickAll(); };
        exportLineHook = clickAll;
        if (duringExport)
            exportFile->click();
        else
            sync->click();
        logBlockWritten = nullptr;
        exportLineHook = nullptr;
        QVERIFY(clicked > 0);
        // No file dialog but the export's own, no request but the two blocks.
        QCOMPARE(script.shown.size(), duringExport ? 1 : 0);
        QCOMPARE(sim.countFrames(20), 0);
        QCOMPARE(sim.countFrames(12), duringExport ? 0 : 2);
        QFile f(syncLogFilePath(ModelT2, 56789));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.size(), qint64(40 * logLineBytes(48))); // records 10 to 49
        if (duringExport)
            QCOMPARE(label->text(), QString("Успешный экспорт"));
        else
            QCOMPARE(label->text(), QString("Архив синхронизирован"));
    }

    // A stop date later than the device's clock can count: on a T2 Classic
    // (0.9375 s a tick) the ticks end in 2097, and every model's seconds in
    // 2106. The range asks up to the last tick rather than a wrapped time.
    void farStopDate_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<double>("secondsPerTick");
        QTest::addColumn<int>("year");
        QTest::addColumn<quint32>("stopTicks");
        QTest::newRow("T2 Classic, 2100") << int(ModelT2Classic) << 0.9375 << 2100 << 0xFFFFFFFFu;
        QTest::newRow("T2, 2100") << int(ModelT2) << 1.0 << 2100 << 4102444800u;
        QTest::newRow("T2, 2200") << int(ModelT2) << 1.0 << 2200 << 0xFFFFFFFFu;
    }
    void farStopDate()
    {
        QFETCH(int, model);
        QFETCH(double, secondsPerTick);
        QFETCH(int, year);
        QFETCH(quint32, stopTicks);
        command.modelCode = quint16(model);
        command.secondsPerTick = secondsPerTick;
        loadImage(10, 50);
        std::atomic<quint32> sent{0};
        sim.onRangeSearch([&sent](quint32, quint32 stop) {
            sent = stop;
            return std::make_pair(10u, 9u);
        });
        ArchiveWindow page;
        page.showParameters();
        child<QDateTimeEdit>(page, "dateTimeEditStop")
            ->setDateTime(QDateTime(QDate(year, 1, 1), QTime(0, 0), Qt::UTC));
        QTemporaryDir exportDir;
        dialogs::Script script;
        script.accept(exportDir.filePath("range.txt"));
        child<QPushButton>(page, "pushButton")->click();
        sim.onRangeSearch(nullptr);
        QCOMPARE(sim.countFrames(20), 1);
        QCOMPARE(quint32(sent), stopTicks);
    }
};

QTEST_MAIN(TestArchiveWindow)
#include "test_archivewindow.moc"
