// The archive page against the simulated detector's log ring: refresh, the
// filter bounds, the buttons for models without records, the export mode by
// login, and the range download that finds nothing.

#include "accesslevel.h"
#include "appsettings.h"
#include "archivewindow.h"
#include "command.h"
#include "commandstate.h"
#include "dialogs.h"
#include "logdownload.h"
#include "simdetector.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

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
        command.modbusAddress = 255;
        command.secondsPerTick = 1.0;
        command.userName = userLoginName;
        sim.setLogRing(48, 10, 50);
    }

    void cleanupTestCase()
    {
        QDir(logFolderPath()).removeRecursively();
        command.connected = 0;
        command.serialPort.close();
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
        QCOMPARE(f.size(), qint64(40 * 98));
        QVERIFY(f.readLine().startsWith(SimDetector::logRingRecord(10, 48).toHex().toUpper()));
    }
};

QTEST_MAIN(TestArchiveWindow)
#include "test_archivewindow.moc"
