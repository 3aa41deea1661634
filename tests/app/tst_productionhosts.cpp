// The production hosts against the simulated detector: the channel choice and
// the table save of tab 5, the configuration file choice and load of tabs 5 and 6.

#include "appsettings.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "roadsfixture.h"
#include "unusualnames.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

class TestProductionHosts : public RoadsTest
{
    Q_OBJECT

    QList<dialogs::Request> shown;

    QComboBox* channelCombo() const { return find<QComboBox>("comboBoxChannelNum"); }
    void clickSaveTable()
    {
        deviceSettingAllWindow->findChild<QPushButton*>("pushButton")->click();
    }
    static QWidget* host(int tab)
    {
        return tab == 5 ? static_cast<QWidget*>(deviceSettingAllWindow)
                        : static_cast<QWidget*>(deviceSettingAllWindow1);
    }
    // What every box, check box and list of a host's pages shows.
    static QStringList shownValues(QWidget* w)
    {
        QStringList values;
        for (auto* box : w->findChildren<QAbstractSpinBox*>())
            values << box->objectName() + "=" + box->text();
        for (auto* box : w->findChildren<QAbstractButton*>())
            values << box->objectName() + "=" + box->text() + "/" +
                          QString::number(box->isChecked());
        for (auto* combo : w->findChildren<QComboBox*>())
            values << combo->objectName() + "=" + QString::number(combo->currentIndex());
        for (auto* line : w->findChildren<QLineEdit*>())
            values << line->objectName() + "=" + line->text();
        return values;
    }

private slots:
    ROADS_TEST_FIXTURE_SLOTS

    void hookDialogs()
    {
        shown.clear();
        dialogs::setHook([this](const dialogs::Request& r) {
            shown << r;
            return dialogs::Reply{QMessageBox::Ok, true, QString()};
        });
    }

    void saveTable_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("extended") << int(SimDetector::Layout::Extended)
                                  << QStringList{"16/1/336/60", commit};
        QTest::newRow("classic") << int(SimDetector::Layout::Classic)
                                 << QStringList{"16/1/296/40", commit};
    }
    void saveTable()
    {
        QFETCH(int, layout);
        QFETCH(QStringList, frames);
        hookDialogs();
        connectAs(ModelT6, SimDetector::Layout(layout), "Dolen");
        QVERIFY(deviceSettingAllWindow);
        emit channelCombo()->activated(1);
        QCOMPARE(command.currentChannel, quint16(1));
        sim.clearLog();
        window->statusBar()->showMessage("Успешная передача данных"); // an earlier read's
        clickSaveTable();
        QCOMPARE(frameSequence(sim), frames);
        QVERIFY(shown.isEmpty());
        QCOMPARE(status(), QString("Таблицы канала 2 записаны в прибор"));
        dialogs::setHook({});
    }

    void failedTableWriteIsNotCommitted()
    {
        hookDialogs();
        connectAs(ModelT6, SimDetector::Layout::Extended, "Dolen");
        command.currentChannel = 0;
        sim.addFault(SimFault(SimFault::Exception, 16, 0, 336).code(2));
        sim.clearLog();
        clickSaveTable();
        QVERIFY2(!frameSequence(sim).contains(commit), qPrintable(frameSequence(sim).join(" ")));
        QVERIFY(frameSequence(sim).contains("16/0/336/60"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, QString("Ошибка обмена данными"));
        QCOMPARE(status(), QString("Ошибка обмена данными"));
        dialogs::setHook({});
    }

    void channelTexts()
    {
        connectAs(ModelT6, SimDetector::Layout::Extended, "Dolen");
        const char* formulas[] = {"CO", "H2S", "", "CH4"};
        command.channelCount = 4;
        for (int ch = 0; ch < 4; ++ch)
            qstrncpy(command.extendedChannels[ch].gasFormula, formulas[ch], 10);
        deviceSettingAllWindow->showParameters();
        QStringList texts;
        for (int i = 0; i < channelCombo()->count(); ++i)
            texts << channelCombo()->itemText(i);
        QCOMPARE(texts, (QStringList{"Канал 1-CO", "Канал 2-H2S", "Канал 3-", "Канал 4-CH4"}));
    }

    // A channel chosen under a model with more channels is never used to index
    // a record beyond this model's channels.
    void channelBeyondTheCountIsClamped()
    {
        connectAs(ModelT6, SimDetector::Layout::Extended, "Dolen");
        command.channelCount = 2;
        command.currentChannel = 7;
        deviceSettingAllWindow->showParameters();
        QCOMPARE(command.currentChannel, quint16(0));
        QCOMPARE(channelCombo()->currentIndex(), 0);
    }

    void hosts_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("layout");
        for (int tab : {5, 6}) {
            QTest::addRow("tab %d extended", tab) << tab << int(SimDetector::Layout::Extended);
            QTest::addRow("tab %d classic", tab) << tab << int(SimDetector::Layout::Classic);
        }
    }

    void fileChoice_data() { hosts_data(); }
    void fileChoice()
    {
        QFETCH(int, tab);
        QFETCH(int, layout);
        connectAs(ModelT6, SimDetector::Layout(layout), "Dolen");
        QVERIFY(host(tab));
        QCOMPARE(window->tabWidget()->tabText(tab),
                 tab == 5 ? QString("Общие параметры") : QString("Общие параметры_1"));
        lastDirectory = "/start/here";
        lastLoadedConfigFile = "/start/here/old.txt";
        auto* button = host(tab)->findChild<QPushButton*>("pushButton_FileConfig");
        const QString text = button->text();
        QString chosen; // cancelled
        QList<dialogs::Request> asked;
        dialogs::setHook([&](const dialogs::Request& r) {
            asked << r;
            return dialogs::Reply{QMessageBox::NoButton, !chosen.isEmpty(), chosen};
        });
        button->click();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().kind, dialogs::Kind::OpenFile);
        QCOMPARE(asked.first().text, QString("/start/here"));
        QCOMPARE(asked.first().filter, QString("(*.txt)"));
        QCOMPARE(button->text(), text);
        QCOMPARE(lastDirectory, QString("/start/here"));
        QCOMPARE(lastLoadedConfigFile, QString("/start/here/old.txt"));

        chosen = "/other/place/new.txt";
        button->click();
        QCOMPARE(button->text(), chosen);
        QCOMPARE(lastDirectory, QString("/other/place"));
        QCOMPARE(lastLoadedConfigFile, chosen);
        dialogs::setHook({});
    }

    // A refused load leaves every page as it was, though the image behind it
    // changed since the pages showed it.
    void wrongSizeLoadChangesNoWidget_data() { hosts_data(); }
    void wrongSizeLoadChangesNoWidget()
    {
        QFETCH(int, tab);
        QFETCH(int, layout);
        const bool classic = layout == int(SimDetector::Layout::Classic);
        hookDialogs();
        connectAs(ModelT6, SimDetector::Layout(layout), "Dolen");
        QVERIFY(host(tab));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        lastLoadedConfigFile = dir.filePath("short.txt");
        QFile file(lastLoadedConfigFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0102030405\n");
        file.close();

        const QStringList before = shownValues(host(tab));
        if (classic) {
            command.classicDevice.deviceFlags ^= 0x1C0E;
            command.classicDevice.serialNumber ^= 0x55;
            command.classicDevice.pwmSound = quint16(command.classicDevice.pwmSound % 900 + 7);
        } else {
            command.extendedDevice.deviceFlags ^= 0xBE0E;
            command.extendedDevice.serialNumber ^= 0x55;
            command.extendedDevice.ledPeriod = quint16(command.extendedDevice.ledPeriod % 900 + 7);
            command.extendedDevice.gnssConfig ^= 0x0200000Fu;
        }
        sim.clearLog();
        host(tab)->findChild<QPushButton*>("pushButton_ReadConfig")->click();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, QString("Ошибка размера файла конфигурации"));
        QCOMPARE(shownValues(host(tab)), before);
        QVERIFY(frameSequence(sim).isEmpty());
        dialogs::setHook({});
        // The same change does reach the widgets through a refresh.
        if (tab == 5)
            deviceSettingAllWindow->showParameters();
        else
            deviceSettingAllWindow1->showParameters();
        QVERIFY(shownValues(host(tab)) != before);
    }

    // Names that are no plain file, chosen as the configuration to read into the
    // pages: the open error at once, no frame, and no widget changed.
    void unusualFileRefused_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("tab 5") << 5;
        QTest::newRow("tab 6") << 6;
    }
    void unusualFileRefused()
    {
        QFETCH(int, tab);
        hookDialogs();
        connectAs(ModelT6, SimDetector::Layout::Extended, "Dolen");
        QVERIFY(host(tab));
        const QStringList before = shownValues(host(tab));
        for (const QString& kind : unusualNameKinds()) {
            QTemporaryDir dir;
            QTemporaryDir elsewhere;
            QVERIFY(dir.isValid() && elsewhere.isValid());
            lastLoadedConfigFile = dir.filePath("config.txt");
            const UnusualName unusual(kind, lastLoadedConfigFile, elsewhere.path());
            QVERIFY2(unusual.ok(), qPrintable(kind));
            shown.clear();
            sim.clearLog();
            host(tab)->findChild<QPushButton*>("pushButton_ReadConfig")->click();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().text, QString("Ошибка открытия файла"));
            QVERIFY2(frameSequence(sim).isEmpty(), qPrintable(kind));
            QCOMPARE(shownValues(host(tab)), before);
            QVERIFY2(unusual.unchanged(), qPrintable(kind));
        }
        dialogs::setHook({});
    }
};

QTEST_MAIN(TestProductionHosts)
#include "tst_productionhosts.moc"
