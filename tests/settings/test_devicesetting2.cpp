// The channel sensor page: what the boxes show and what edits store.

#include "channelpage.h"
#include "command.h"
#include "devicesetting_2_window.h"
#include "widgetlookup.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include <cstring>

namespace
{

QByteArray field(const char* f, int size)
{
    return QByteArray(f, size);
}

} // namespace

class TestDeviceSetting2 : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetChannelPageImage(); }

    // 28.01 + 0.005 = 28.015, times 100 and truncated: 2801.
    void classicMolecularWeightInHundredths()
    {
        command.registerMap = ClassicMap;
        setFormat(command.classicChannels[0], format(1, 0, 0, 0));
        DeviceSetting_2_Window page(nullptr, 0);
        child<QDoubleSpinBox>(page, "doubleSpinBoxMolecularWeight")->setValue(28.01);
        QCOMPARE(command.classicChannels[0].molecularWeight, 2801.0f / 100);
    }

    void serialNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("14 characters fill the field")
            << "ABCDEFGHIJKLMN" << QByteArray("ABCDEFGHIJKLMN", 14);
        QTest::newRow("shorter is zero-padded")
            << "S123" << QByteArray("S123\0\0\0\0\0\0\0\0\0\0", 14);
        // Cyrillic letters take two bytes: the seventh (bytes 14-15) would not fit whole.
        QTest::newRow("cut at a character boundary")
            << "AБВГДЕЖЗ" << (QStringLiteral("AБВГДЕЖ").toUtf8() + QByteArray(1, '\0'));
    }
    void serialNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        command.registerMap = ExtendedMap;
        DeviceSetting_2_Window page(nullptr, 2);
        emit child<QLineEdit>(page, "lineEditSerialNum")->textEdited(typed);
        QCOMPARE(field(command.extendedChannels[2].sensorSerial, 14), stored);
        page.showParameters(2);
        QCOMPARE(child<QLineEdit>(page, "lineEditSerialNum")->text(),
                 QString::fromUtf8(stored.constData(), int(qstrnlen(stored.constData(), 14))));
    }

    void gasFormula_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("classic 10 characters, no zero")
            << int(ClassicMap) << "ABCDEFGHIJ" << QByteArray("ABCDEFGHIJ", 10);
        QTest::newRow("extended short")
            << int(ExtendedMap) << "CH4" << QByteArray("CH4", 3) + QByteArray(7, '\0');
        QTest::newRow("two-byte letter at the end is dropped whole")
            << int(ExtendedMap) << "ABCDEFGHIЖ" << QByteArray("ABCDEFGHI\0", 10);
    }
    void gasFormula()
    {
        QFETCH(int, map);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        command.registerMap = quint16(map);
        DeviceSetting_2_Window page(nullptr, 1);
        emit child<QLineEdit>(page, "lineEditMolecularForm")->textEdited(typed);
        const char* f = map == ClassicMap ? command.classicChannels[1].gasFormula
                                          : command.extendedChannels[1].gasFormula;
        QCOMPARE(field(f, 10), stored);
        page.showParameters(1);
        QCOMPARE(child<QLineEdit>(page, "lineEditMolecularForm")->text(),
                 QString::fromUtf8(stored.constData(), int(qstrnlen(stored.constData(), 10))));
    }

    void classicStoresNoSerialOrFormulaNumber()
    {
        command.registerMap = ClassicMap;
        DeviceSetting_2_Window page(nullptr, 0);
        const QByteArray before(reinterpret_cast<const char*>(&command.classicChannels[0]),
                                sizeof(ClassicChannelRecord));
        emit child<QLineEdit>(page, "lineEditSerialNum")->textEdited("X1");
        child<QDoubleSpinBox>(page, "doubleSpinBoxNumFormulaGas")->setValue(42);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&command.classicChannels[0]),
                            sizeof(ClassicChannelRecord)),
                 before);
    }

    void baseDecimalsIndex2()
    {
        command.registerMap = ExtendedMap;
        setFormat(command.extendedChannels[0], format(0, 0, 1, 0));
        DeviceSetting_2_Window page(nullptr, 0);
        emit child<QComboBox>(page, "comboBoxDiscreteness_2")->activated(2);
        QCOMPARE((command.extendedChannels[0].format >> 6) & 3, 2);
        QCOMPARE(command.extendedChannels[0].displayDivisor[1], quint16(100));
        QCOMPARE(command.extendedChannels[0].displayDivisor[0], quint16(10));
    }

    void baseUnitChoice()
    {
        command.registerMap = ClassicMap;
        setFormat(command.classicChannels[0], quint16(format(0, 1, 0, 0) | (1u << 12)));
        DeviceSetting_2_Window page(nullptr, 0);
        auto* combo = child<QComboBox>(page, "comboBoxUnitMeas_2");
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentIndex(), 0); // base unit 1 - first base unit 1
        emit combo->activated(2);
        QCOMPARE((command.classicChannels[0].format >> 2) & 3, 3);
    }

    void rowsByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("weightRow");
        QTest::addColumn<bool>("lelRow");
        QTest::addColumn<bool>("unitRows");
        QTest::newRow("oxygen") << 0x0200 << false << false << false;
        QTest::newRow("bit 11") << 0x0800 << false << true << true;
        QTest::newRow("bit 12") << 0x1000 << false << true << true;
        QTest::newRow("bit 10") << 0x0400 << true << false << true;
        QTest::newRow("bits 9 and 10") << 0x0600 << true << false << true;
        QTest::newRow("none") << 0 << true << false << true;
    }
    void rowsByKind()
    {
        QFETCH(int, kind);
        QFETCH(bool, weightRow);
        QFETCH(bool, lelRow);
        QFETCH(bool, unitRows);
        command.registerMap = ExtendedMap;
        setFormat(command.extendedChannels[0], quint16(kind));
        DeviceSetting_2_Window page(nullptr, 0);
        QCOMPARE(!child<QWidget>(page, "doubleSpinBoxMolecularWeight")->isHidden(), weightRow);
        QCOMPARE(!child<QWidget>(page, "label_38")->isHidden(), weightRow);
        QCOMPARE(!child<QWidget>(page, "doubleSpinBoxLELCoeff")->isHidden(), lelRow);
        QCOMPARE(!child<QWidget>(page, "comboBoxUnitMeas")->isHidden(), unitRows);
        QCOMPARE(!child<QWidget>(page, "comboBoxDiscreteness")->isHidden(), unitRows);
        QVERIFY(child<QWidget>(page, "comboBoxUnitMeas_2")->isHidden());
        QVERIFY(child<QWidget>(page, "label_34")->isHidden());
    }

    // Values the boxes cannot hold exactly stay in the image as the device gave them.
    void refreshLeavesTheImage_data()
    {
        QTest::addColumn<int>("map");
        QTest::newRow("classic") << int(ClassicMap);
        QTest::newRow("extended") << int(ExtendedMap);
    }
    void refreshLeavesTheImage()
    {
        QFETCH(int, map);
        command.registerMap = quint16(map);
        auto& c = command.classicChannels[3];
        setFormat(c, format(0, 0, 0, 2));
        c.limit4 = 65535;
        c.hysteresis = 12345;
        c.calibrationInterval = 400;
        c.molecularWeight = 28.0123f;
        c.lelCoefficient = 0.001f;
        command.classicDevice.bumpTestInterval = 999;
        auto& e = command.extendedChannels[3];
        setFormat(e, format(0, 0, 0, 0));
        e.limit4 = 123456.7f;
        e.hysteresis = 0.37f;
        e.calibrationInterval = 365;
        e.formulaGasNumber = 20000;
        e.molecularWeight = 1000.123f;
        e.lelCoefficient = 0.000001f;
        command.extendedDevice.bumpTestInterval = 65535;
        const QByteArray classicBefore(reinterpret_cast<const char*>(&command.classicChannels),
                                       sizeof(command.classicChannels));
        const QByteArray extendedBefore(reinterpret_cast<const char*>(&command.extendedChannels),
                                        sizeof(command.extendedChannels));
        const quint16 bumpC = command.classicDevice.bumpTestInterval;
        const quint16 bumpE = command.extendedDevice.bumpTestInterval;
        DeviceSetting_2_Window page(nullptr, 3);
        page.showParameters(3);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&command.classicChannels),
                            sizeof(command.classicChannels)),
                 classicBefore);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&command.extendedChannels),
                            sizeof(command.extendedChannels)),
                 extendedBefore);
        QCOMPARE(command.classicDevice.bumpTestInterval, bumpC);
        QCOMPARE(command.extendedDevice.bumpTestInterval, bumpE);
    }

    void classicLimit4RoundsToNearest()
    {
        command.registerMap = ClassicMap;
        setFormat(command.classicChannels[0], format(0, 0, 1, 1));
        DeviceSetting_2_Window page(nullptr, 0);
        // Both divisors 10, unit factor 1: the scale is 0.1 and 12.3 is 123 raw.
        child<QDoubleSpinBox>(page, "doubleSpinBoxLim_4")->setValue(12.3);
        QCOMPARE(command.classicChannels[0].limit4, quint16(123));
        child<QDoubleSpinBox>(page, "doubleSpinBoxHist_1")->setValue(0.7);
        QCOMPARE(command.classicChannels[0].hysteresis, quint16(7));
    }

    void intervalsAndFormulaNumber()
    {
        command.registerMap = ExtendedMap;
        DeviceSetting_2_Window page(nullptr, 1);
        child<QSpinBox>(page, "spinBoxIntervalBump")->setValue(30);
        child<QSpinBox>(page, "spinBoxIntervalCalib")->setValue(180);
        child<QDoubleSpinBox>(page, "doubleSpinBoxNumFormulaGas")->setValue(17);
        QCOMPARE(command.extendedDevice.bumpTestInterval, quint16(30));
        QCOMPARE(command.extendedChannels[1].calibrationInterval, quint16(180));
        QCOMPARE(command.extendedChannels[1].formulaGasNumber, quint16(17));
    }

    void channelOnOff()
    {
        command.registerMap = ExtendedMap;
        command.extendedChannels[2].channelPage = 2;
        DeviceSetting_2_Window page(nullptr, 2);
        auto* box = child<QGroupBox>(page, "ParamSensgroupBox");
        QVERIFY(box->isChecked());
        emit box->clicked(false);
        QCOMPARE(command.extendedChannels[2].channelPage, quint16(7));
    }

    // Divisor 0 counts as 1: the boxes get a finite maximum.
    void zeroDivisors()
    {
        command.registerMap = ClassicMap;
        command.classicChannels[0].displayDivisor[0] = 0;
        command.classicChannels[0].displayDivisor[1] = 0;
        command.classicChannels[0].limit4 = 500;
        DeviceSetting_2_Window page(nullptr, 0);
        QCOMPARE(child<QDoubleSpinBox>(page, "doubleSpinBoxLim_4")->maximum(), 65535.0);
        QCOMPARE(child<QDoubleSpinBox>(page, "doubleSpinBoxLim_4")->value(), 500.0);
    }
};

QTEST_MAIN(TestDeviceSetting2)
#include "test_devicesetting2.moc"
