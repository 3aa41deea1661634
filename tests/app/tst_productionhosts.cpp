// The production tab 5 host against the simulated detector: the channel
// choice and the table save.

#include "devicesettingallwindow.h"
#include "roadsfixture.h"

#include <QComboBox>

class TestProductionHosts : public RoadsTest
{
    Q_OBJECT

    QList<dialogs::Request> shown;

    QComboBox* channelCombo() const { return find<QComboBox>("comboBoxChannelNum"); }
    void clickSaveTable()
    {
        deviceSettingAllWindow->findChild<QPushButton*>("pushButton")->click();
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
        clickSaveTable();
        QCOMPARE(frameSequence(sim), frames);
        QVERIFY(shown.isEmpty());
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
};

QTEST_MAIN(TestProductionHosts)
#include "tst_productionhosts.moc"
