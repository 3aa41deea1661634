// The device options page: what the boxes show, what edits store, and the two
// registers it writes at once, against the simulated detector.

#include "command.h"
#include "commandstate.h"
#include "devicesetting_5_window.h"
#include "dialogs.h"
#include "simdetector.h"
#include "simsequence.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace
{

QCheckBox* gnssBox(QWidget& page, int row)
{
    return qobject_cast<QCheckBox*>(child<QTableWidget>(page, "myTableGPS")->cellWidget(row, 0));
}

void prepare(quint16 map, quint16 model = ModelT8M, quint16 channels = 4)
{
    clearImage();
    command.registerMap = map;
    command.modelCode = model;
    layoutTold();
    command.channelCount = channels;
}

quint32 deviceFlags()
{
    return command.registerMap == ClassicMap ? command.classicDevice.deviceFlags
                                             : command.extendedDevice.deviceFlags;
}

void fillRandom(void* p, size_t n, QRandomGenerator& random)
{
    auto* bytes = static_cast<quint8*>(p);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = quint8(random.generate());
}

} // namespace

class TestDeviceSetting5 : public QObject
{
    Q_OBJECT

    SimDetector sim;

    // The page talks to the simulator as `layout`; the device page's PWM register holds `pwm`.
    void online(SimDetector::Layout layout, quint16 pwm)
    {
        sim.clearFaults();
        sim.setProfile(layout, command.modelCode);
        sim.setHolding(SimDetector::DevicePage, 512, pwm);
        sim.setHolding(SimDetector::DevicePage, 598, 0);
        QVERIFY(connectToSimulator(sim));
        layoutTold();
        sim.clearLog();
    }

private slots:
    void initTestCase() { QVERIFY2(sim.start(), qPrintable(sim.errorString())); }
    void cleanup()
    {
        if (command.serialPort.isOpen())
            command.serialPort.close();
        command.connected = 0;
        sim.clearFaults();
    }

    void flagBoxes_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<QString>("box");
        QTest::addColumn<quint32>("stored");
        QTest::newRow("extended GPS") << int(ExtendedMap) << "checkBoxGpsTurnOn" << (1u << 13);
        QTest::newRow("classic GPS") << int(ClassicMap) << "checkBoxGpsTurnOn" << 0u;
        QTest::newRow("extended LoRa") << int(ExtendedMap) << "checkBoxLoraTurnOn" << (1u << 15);
        QTest::newRow("classic LoRa") << int(ClassicMap) << "checkBoxLoraTurnOn" << 0u;
        QTest::newRow("extended display unit")
            << int(ExtendedMap) << "checkBoxLcdUnitTurn" << (1u << 9);
        QTest::newRow("classic display unit") << int(ClassicMap) << "checkBoxLcdUnitTurn" << 0u;
        for (int map : {int(ClassicMap), int(ExtendedMap)}) {
            const char* name = map == ClassicMap ? "classic" : "extended";
            QTest::addRow("%s sound lock", name) << map << "checkBoxBlockSound" << (1u << 1);
            QTest::addRow("%s power-off lock", name) << map << "checkBoxBlockTurn" << (1u << 2);
            QTest::addRow("%s menu calibration lock", name)
                << map << "checkBoxBlockCalib" << (1u << 3);
            QTest::addRow("%s BLE", name) << map << "checkBoxBleTurnOn" << (1u << 10);
            QTest::addRow("%s green LED", name) << map << "checkBoxTurnStateLed" << (1u << 11);
            QTest::addRow("%s sound test", name) << map << "checkBoxTestSoundTurnOn" << (1u << 12);
        }
    }
    void flagBoxes()
    {
        QFETCH(int, map);
        QFETCH(QString, box);
        QFETCH(quint32, stored);
        prepare(quint16(map));
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        auto* check = child<QCheckBox>(page, box.toLatin1().constData());
        check->setChecked(true);
        QCOMPARE(deviceFlags(), stored);
        QVERIFY(check->isChecked());
        if (stored) {
            check->setChecked(false);
            QCOMPARE(deviceFlags(), 0u);
        }
    }

    void greenLedText()
    {
        prepare(ExtendedMap);
        command.extendedDevice.deviceFlags = 1u << 11;
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        auto* led = child<QCheckBox>(page, "checkBoxTurnStateLed");
        QCOMPARE(led->text(), QString("вкл."));
        led->setChecked(false);
        QCOMPARE(led->text(), QString("выкл."));
    }

    void receiptOnEveryChannel_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<quint32>("mixed"); // channels with bit 13 before, bit i = channel i
        QTest::newRow("4 channels, none") << 4 << 0u;
        QTest::newRow("4 channels, some") << 4 << 0x5u;
        QTest::newRow("1 channel") << 1 << 0u;
    }
    void receiptOnEveryChannel()
    {
        QFETCH(int, channels);
        QFETCH(quint32, mixed);
        prepare(ExtendedMap, ModelT8M, quint16(channels));
        auto seedFlags = [mixed] {
            for (int ch = 0; ch < ChannelSlots; ++ch)
                command.extendedChannels[ch].channelFlags = (mixed >> ch & 1u) ? 0x2001u : 0x1u;
        };
        DeviceSetting_5_Window page(nullptr);
        auto* receipt = child<QCheckBox>(page, "checkBoxReceiptLimit");
        receipt->setChecked(true); // shown checked before: the refresh unchecks it
        seedFlags();
        const QByteArray before = imageSnapshot();
        page.showParameters();
        QVERIFY(!receipt->isChecked());
        QCOMPARE(imageSnapshot(), before);
        receipt->click();
        for (int ch = 0; ch < ChannelSlots; ++ch)
            QCOMPARE(command.extendedChannels[ch].channelFlags,
                     ch < channels ? 0x2001u : ((mixed >> ch & 1u) ? 0x2001u : 0x1u));
        receipt->click();
        for (int ch = 0; ch < channels; ++ch)
            QCOMPARE(command.extendedChannels[ch].channelFlags, 0x1u);
    }

    void gnssRowsCollected_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<bool>("refreshed");
        QTest::addColumn<quint32>("before");
        QTest::addColumn<quint32>("after");
        QTest::newRow("extended, rows 0 and 3")
            << int(ExtendedMap) << true << 0x03000000u << 0x03000009u;
        QTest::newRow("extended, rows 0 and 3, others kept")
            << int(ExtendedMap) << true << 0x02400020u << 0x02400029u;
        QTest::newRow("extended, never shown")
            << int(ExtendedMap) << false << 0x01000000u << 0x01000009u;
        QTest::newRow("classic stores nothing")
            << int(ClassicMap) << true << 0x03000000u << 0x03000000u;
    }
    void gnssRowsCollected()
    {
        QFETCH(int, map);
        QFETCH(bool, refreshed);
        QFETCH(quint32, before);
        QFETCH(quint32, after);
        prepare(quint16(map));
        command.extendedDevice.gnssConfig = before;
        DeviceSetting_5_Window page(nullptr);
        if (refreshed)
            page.showParameters();
        // Ticking a box by itself stores nothing; the collect does.
        gnssBox(page, 0)->setChecked(true);
        gnssBox(page, 3)->setChecked(true);
        QCOMPARE(command.extendedDevice.gnssConfig, before);
        page.collectTables();
        QCOMPARE(command.extendedDevice.gnssConfig, after);
        page.collectTables();
        QCOMPARE(command.extendedDevice.gnssConfig, after);
    }

    // A refresh shows the bits; a collect with no row changed leaves bits it could not show.
    void gnssCollectWithoutEdits()
    {
        prepare(ExtendedMap);
        command.extendedDevice.gnssConfig = 0xFFFFFFFFu;
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        for (int row = 0; row < 19; ++row)
            QVERIFY(gnssBox(page, row)->isChecked());
        QCOMPARE(child<QComboBox>(page, "comboBoxTypeStartGPS")->currentIndex(), 3);
        command.extendedDevice.gnssConfig = 0x12345678u; // read since, page not refreshed
        page.collectTables();
        QCOMPARE(command.extendedDevice.gnssConfig, 0x12345678u);
    }

    void restartMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<quint32>("after");
        QTest::newRow("Reset") << "Reset" << 0xFC00ABCDu;
        QTest::newRow("Cold") << "Cold" << 0xFD00ABCDu;
        QTest::newRow("Warm") << "Warm" << 0xFE00ABCDu;
        QTest::newRow("Hot") << "Hot" << 0xFF00ABCDu;
    }
    void restartMode()
    {
        QFETCH(QString, mode);
        QFETCH(quint32, after);
        prepare(ExtendedMap);
        command.extendedDevice.gnssConfig = 0xFD00ABCDu;
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        auto* combo = child<QComboBox>(page, "comboBoxTypeStartGPS");
        QCOMPARE(combo->count(), 4);
        const int index = combo->findText(mode);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        QCOMPARE(command.extendedDevice.gnssConfig, 0xFD00ABCDu); // not by the program
        emit combo->activated(index);
        QCOMPARE(command.extendedDevice.gnssConfig, after);
    }

    void pwmWritesAtOnce_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("extended") << int(SimDetector::Layout::Extended);
        QTest::newRow("classic") << int(SimDetector::Layout::Classic);
    }
    void pwmWritesAtOnce()
    {
        QFETCH(int, layout);
        const bool classic = layout == int(SimDetector::Layout::Classic);
        prepare(classic ? ClassicMap : ExtendedMap, classic ? ModelT6 : ModelT8M);
        command.classicDevice.pwmSound = 400;
        command.extendedDevice.pwmSound = 400;
        online(SimDetector::Layout(layout), 400);
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        auto* pwm = child<QSpinBox>(page, "spinBoxPwmSound");
        QCOMPARE(pwm->value(), 400);
        sim.clearLog();
        pwm->stepUp();
        QCOMPARE(frameSequence(sim), QStringList{"16/10/512/1"});
        QCOMPARE(sim.holding(SimDetector::DevicePage, 512), quint16(401));
        QCOMPARE(classic ? command.classicDevice.pwmSound : command.extendedDevice.pwmSound,
                 quint16(401));
        sim.clearLog();
        pwm->stepUp();
        pwm->stepUp();
        QCOMPARE(frameSequence(sim), (QStringList{"16/10/512/1", "16/10/512/1"}));
        QCOMPARE(sim.holding(SimDetector::DevicePage, 512), quint16(403));
    }

    void temperatureCalibration_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<quint16>("sent");
        QTest::newRow("23.5") << 23.5 << quint16(2350);
        QTest::newRow("0.01") << 0.01 << quint16(1);
        QTest::newRow("327.67") << 327.67 << quint16(32767);
        QTest::newRow("0") << 0.0 << quint16(0);
        // Below zero the device gets the hundredths as a signed word, like its other
        // temperatures.
        QTest::newRow("-23.5") << -23.5 << quint16(65536 - 2350);
        QTest::newRow("-80") << -80.0 << quint16(65536 - 8000);
    }
    void temperatureCalibration()
    {
        QFETCH(double, typed);
        QFETCH(quint16, sent);
        prepare(ExtendedMap);
        online(SimDetector::Layout::Extended, 0);
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        const QByteArray before = imageSnapshot();
        child<QDoubleSpinBox>(page, "doubleSpinBoxTemp")->setValue(typed);
        sim.clearLog();
        child<QPushButton>(page, "pushButton_TempsensorCalib")->click();
        QCOMPARE(command.tempSensorCalibration, float(typed));
        QCOMPARE(frameSequence(sim), QStringList{"16/10/598/1"});
        QCOMPARE(sim.holding(SimDetector::DevicePage, 598), sent);
        QCOMPARE(imageSnapshot(), before);
    }

    // The box holds only what the register carries: hundredths in a signed 16-bit word
    // (from the lowest ambient temperature the page offers).
    void temperatureBoxBounds_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("held");
        QTest::newRow("above") << 1000.0 << 327.67;
        QTest::newRow("below") << -100.0 << -80.0;
        QTest::newRow("lowest") << -80.0 << -80.0;
        QTest::newRow("inside") << 21.25 << 21.25;
    }
    void temperatureBoxBounds()
    {
        QFETCH(double, typed);
        QFETCH(double, held);
        prepare(ExtendedMap);
        DeviceSetting_5_Window page(nullptr);
        auto* box = child<QDoubleSpinBox>(page, "doubleSpinBoxTemp");
        QCOMPARE(box->decimals(), 2);
        QVERIFY(box->minimum() * 100 >= -32768.0);
        QVERIFY(box->maximum() * 100 <= 32767.0);
        box->setValue(typed);
        QCOMPARE(box->value(), held);
    }

    void failedWriteIsShown_data()
    {
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("shown");
        for (int reg : {512, 598})
            for (int code : {1, 2, 3, 4})
                QTest::addRow("%d, exception %d", reg, code)
                    << reg << code << (code == 2 || code == 3);
    }
    void failedWriteIsShown()
    {
        QFETCH(int, reg);
        QFETCH(int, code);
        QFETCH(bool, shown);
        prepare(ExtendedMap);
        online(SimDetector::Layout::Extended, 400);
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        sim.clearLog();
        sim.addFault(SimFault(SimFault::Exception, 16, SimDetector::DevicePage, reg).code(code));
        dialogs::Script script;
        if (reg == 512)
            child<QSpinBox>(page, "spinBoxPwmSound")->setValue(401);
        else
            child<QPushButton>(page, "pushButton_TempsensorCalib")->click();
        // A refused write is tried again: one request, whatever its retries.
        QCOMPARE(folded(frameSequence(sim)), QStringList{QString("16/10/%1/1").arg(reg)});
        QCOMPARE(script.texts(), shown ? QStringList{"Ошибка обмена данными"} : QStringList());
    }

    void modelVisibility_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("powerOffLock");
        QTest::addColumn<bool>("ble");
        QTest::addColumn<bool>("displayType");
        QTest::addColumn<bool>("navigation");
        QTest::newRow("T2") << int(ModelT2) << false << false << true << false;
        QTest::newRow("T2 classic") << int(ModelT2Classic) << false << false << false << false;
        QTest::newRow("T6") << int(ModelT6) << true << true << false << false;
        QTest::newRow("T6 Mini") << int(ModelT6Mini) << true << true << false << false;
        QTest::newRow("T6B") << int(ModelT6B) << true << true << false << true;
        QTest::newRow("T6 Max") << int(ModelT6M) << true << true << false << true;
        QTest::newRow("T6 Max 4") << int(ModelT6M4) << true << true << false << true;
        QTest::newRow("T8 Max") << int(ModelT8M) << true << true << false << true;
    }
    void modelVisibility()
    {
        QFETCH(int, model);
        QFETCH(bool, powerOffLock);
        QFETCH(bool, ble);
        QFETCH(bool, displayType);
        QFETCH(bool, navigation);
        prepare(ExtendedMap, quint16(model));
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        QCOMPARE(!child<QCheckBox>(page, "checkBoxBlockTurn")->isHidden(), powerOffLock);
        QCOMPARE(!child<QCheckBox>(page, "checkBoxBleTurnOn")->isHidden(), ble);
        QCOMPARE(!child<QSpinBox>(page, "spinBoxTypeLcd")->isHidden(), displayType);
        QCOMPARE(!child<QLabel>(page, "label_20")->isHidden(), displayType);
        auto* tabs = child<QTabWidget>(page, "tabWidget");
        QCOMPARE(tabs->isTabEnabled(2), navigation);
        QCOMPARE(tabs->currentIndex(), 0);
        auto* table = child<QTableWidget>(page, "myTableGPS");
        QCOMPARE(table->rowCount(), 19);
        QCOMPARE(gnssBox(page, 0)->text(), QString("GPS_L1"));
        QCOMPARE(gnssBox(page, 18)->text(), QString("QZSS_L5"));
    }

    void layoutRows_data()
    {
        QTest::addColumn<int>("map");
        QTest::newRow("classic") << int(ClassicMap);
        QTest::newRow("extended") << int(ExtendedMap);
    }
    void layoutRows()
    {
        QFETCH(int, map);
        prepare(quint16(map));
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        const bool extended = map == ExtendedMap;
        QCOMPARE(!child<QWidget>(page, "SettingDev")->isHidden(), extended);
        QCOMPARE(!child<QCheckBox>(page, "checkBoxReceiptLimit")->isHidden(), extended);
        QCOMPARE(!child<QCheckBox>(page, "checkBoxLcdUnitTurn")->isHidden(), extended);
    }

    // A refresh over boxes that show another image: every box changes, and
    // still nothing is stored and nothing but the classic PWM read is sent.
    void refreshLeavesTheImage_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 3; ++seed) {
            QTest::addRow("extended %d", seed) << int(SimDetector::Layout::Extended) << seed;
            QTest::addRow("classic %d", seed) << int(SimDetector::Layout::Classic) << seed;
        }
    }
    void refreshLeavesTheImage()
    {
        QFETCH(int, layout);
        QFETCH(int, seed);
        const bool classic = layout == int(SimDetector::Layout::Classic);
        prepare(classic ? ClassicMap : ExtendedMap, classic ? ModelT6M : ModelT8M);
        online(SimDetector::Layout(layout), 0);
        DeviceSetting_5_Window page(nullptr);
        page.showParameters();
        for (int row = 0; row < 19; ++row)
            gnssBox(page, row)->setChecked(row % 2);
        child<QCheckBox>(page, "checkBoxReceiptLimit")->setChecked(true);

        QRandomGenerator random{quint32(seed)};
        fillRandom(command.classicChannels, sizeof command.classicChannels, random);
        fillRandom(&command.classicDevice, sizeof command.classicDevice, random);
        fillRandom(command.extendedChannels, sizeof command.extendedChannels, random);
        fillRandom(&command.extendedDevice, sizeof command.extendedDevice, random);
        // Values no box can show, and channels of which only some have the receipt bit.
        command.extendedDevice.lcdType = 7;
        command.extendedDevice.pwmSound = 60000;
        command.classicDevice.pwmSound = 60000;
        command.extendedChannels[0].channelFlags |= 1u << 13;
        command.extendedChannels[1].channelFlags &= ~(1u << 13);
        sim.setHolding(SimDetector::DevicePage, 512, command.classicDevice.pwmSound);
        const QByteArray before = imageSnapshot();
        sim.clearLog();
        page.showParameters();
        QCOMPARE(imageSnapshot(), before);
        page.collectTables();
        QCOMPARE(imageSnapshot(), before);
        QCOMPARE(frameSequence(sim), classic ? QStringList{"3/10/512/1"} : QStringList());
        QCOMPARE(sim.countFrames(16), 0);
    }

    void escapeIsSwallowed()
    {
        prepare(ExtendedMap);
        DeviceSetting_5_Window page(nullptr);
        page.show();
        QTest::keyClick(&page, Qt::Key_Escape);
        QVERIFY(page.isVisible());
    }
};

QTEST_MAIN(TestDeviceSetting5)
#include "test_devicesetting5.moc"
