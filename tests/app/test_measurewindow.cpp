// The device status page: codes, concentrations, dates and the running log.

#include "command.h"
#include "commandstate.h"
#include "measurewindow.h"
#include "measurewindowconcentration.h"
#include "widgetlookup.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QtTest>

namespace
{

void resetImage()
{
    clearImage();
    command.firmwareVersion = 0;
    command.userName = "User";
    command.secondsPerTick = 1.0;
    command.channelOffMarker = 170;
    for (int ch = 0; ch < 10; ++ch) {
        command.classicChannels[ch].channelPage = 170;
        command.extendedChannels[ch].channelPage = 170;
    }
}

void channelOn(int ch)
{
    command.classicChannels[ch].channelPage = quint16(ch);
    command.extendedChannels[ch].channelPage = quint16(ch);
}

} // namespace

class TestMeasureWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetImage(); }

    void codes_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("channelStatus");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("sensorType");
        QTest::addColumn<int>("sensorStatus");
        QTest::addColumn<int>("deviceStatus");
        QTest::addColumn<QString>("expected");
        const int c = ClassicMap, e = ExtendedMap;
        QTest::newRow("nothing") << c << int(ModelT6) << "User" << 0 << 0 << 0 << 0 << 0 << 0 << "";
        QTest::newRow("alarm and sensor")
            << c << int(ModelT6) << "User" << 0 << 0x41 << 0 << 0 << 0 << 0 << "A00, E06";
        QTest::newRow("classic sensor status") << c << int(ModelT6) << "User" << 0 << 0x41 << 0x0800
                                               << 0 << 0x0102 << 0 << "A00, E06, MI0_ST-0102";
        QTest::newRow("slot 1 zero calibration")
            << c << int(ModelT6) << "User" << 1 << 0x80 << 0 << 0 << 0 << 0 << "W17";
        QTest::newRow("slot 2 sensor status")
            << c << int(ModelT6) << "User" << 2 << 0 << 0x0800 << 0 << 0x2B << 0 << "MI2_ST-002B";
        QTest::newRow("extended CU wins over DY")
            << e << int(ModelT8M) << "User" << 3 << 0 << 0x0800 << 0x0006 << 0xABC << 0
            << "CU3_ST-0ABC";
        QTest::newRow("extended without sensor bits")
            << e << int(ModelT8M) << "User" << 3 << 0 << 0x0800 << 0x0020 << 1 << 0 << "";
        QTest::newRow("production bits for Admin")
            << c << int(ModelT6) << "Admin" << 3 << 0x3C00 << 0 << 0 << 0 << 0 << "";
        QTest::newRow("production bits for Dolen")
            << c << int(ModelT6) << "Dolen" << 3 << 0x3C00 << 0 << 0 << 0 << 0
            << "ADC-03, POT-03, DAC-03, SHOCK-03";
        QTest::newRow("T6 device FA3 FA4")
            << c << int(ModelT6) << "User" << 0 << 0 << 0 << 0 << 0 << 0x18 << "FA3, FA4";
        QTest::newRow("T6 Max device FA3 WA4")
            << c << int(ModelT6M) << "User" << 0 << 0 << 0 << 0 << 0 << 0x18 << "FA3, WA4";
        QTest::newRow("bit 10 only")
            << c << int(ModelT6) << "User" << 0 << 0 << 0 << 0 << 0 << 0x400 << "";
        QTest::newRow("unknown model no device codes")
            << c << int(ModelNone) << "User" << 0 << 0 << 0 << 0 << 0 << 0x3FF << "";
        QTest::newRow("extended T8 WA codes") << e << int(ModelT8M) << "User" << 0 << 0x200 << 0
                                              << 0 << 0 << 0x206 << "W09, WA1, WA2, WA9";
    }
    void codes()
    {
        QFETCH(int, map);
        QFETCH(int, model);
        QFETCH(QString, user);
        QFETCH(int, slot);
        QFETCH(int, channelStatus);
        QFETCH(int, format);
        QFETCH(int, sensorType);
        QFETCH(int, sensorStatus);
        QFETCH(int, deviceStatus);
        QFETCH(QString, expected);
        command.registerMap = quint16(map);
        command.modelCode = quint16(model);
        command.channelCount = 4;
        command.userName = user;
        channelOn(slot);
        if (map == ClassicMap) {
            auto& r = command.classicChannels[slot];
            r.channelStatus = quint16(channelStatus);
            r.format = quint16(format);
            r.sensorType = quint16(sensorType);
            r.sensorStatus = quint16(sensorStatus);
            command.classicDevice.deviceStatus = quint16(deviceStatus);
        } else {
            auto& r = command.extendedChannels[slot];
            r.channelStatus = quint32(channelStatus);
            r.format = quint16(format);
            r.sensorType = quint16(sensorType);
            r.sensorStatus = quint16(sensorStatus);
            command.extendedDevice.deviceStatus = quint32(deviceStatus);
        }
        MeasureWindow page(nullptr);
        QCOMPARE(child<QPlainTextEdit>(page, "plainTextEditStateSystem")->toPlainText(), expected);
    }

    // The code list is the device's, not the technician's: typing changes
    // nothing, and Tab goes on to the next field instead of into the text.
    void codeListTakesNoTyping()
    {
        command.registerMap = ExtendedMap;
        command.modelCode = ModelT6M;
        command.channelCount = 4;
        channelOn(0);
        command.extendedChannels[0].channelStatus = 1;
        MeasureWindow page(nullptr);
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));
        auto* codes = child<QPlainTextEdit>(page, "plainTextEditStateSystem");
        const QString shown = codes->toPlainText();
        QCOMPARE(shown, QString("A00"));
        codes->setFocus(Qt::TabFocusReason);
        QVERIFY(codes->hasFocus());
        QTest::keyClicks(codes, QStringLiteral("x1"));
        QTest::keyClick(codes, Qt::Key_Backspace);
        QTest::keyClick(codes, Qt::Key_Return);
        QCOMPARE(codes->toPlainText(), shown);
        QTest::keyClick(codes, Qt::Key_Tab);
        QCOMPARE(codes->toPlainText(), shown);
        QVERIFY2(!codes->hasFocus(), "Tab stayed in the code list");
        QVERIFY(page.focusWidget() != nullptr);
    }

    void concentration_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<float>("measured");
        QTest::addColumn<double>("shown");
        QTest::newRow("extended 12.345 at 2 decimals") << int(ExtendedMap) << 2 << 12.345f << 12.35;
        QTest::newRow("classic 2.25 ties to even") << int(ClassicMap) << 1 << 2.25f << 2.2;
        QTest::newRow("classic 2.75 ties to even") << int(ClassicMap) << 1 << 2.75f << 2.8;
        // A high reading must never wrap round to a low one on a safety display.
        QTest::newRow("classic 6600 does not wrap") << int(ClassicMap) << 1 << 6600.0f << 6600.0;
        QTest::newRow("extended negative shows 0") << int(ExtendedMap) << 1 << -3.0f << 0.0;
    }
    void concentration()
    {
        QFETCH(int, map);
        QFETCH(int, decimals);
        QFETCH(float, measured);
        QFETCH(double, shown);
        command.registerMap = quint16(map);
        command.modelCode = ModelT6;
        command.channelCount = 1;
        channelOn(0);
        static const quint16 scale[4] = {1, 10, 100, 1000};
        if (map == ClassicMap) {
            auto& r = command.classicChannels[0];
            r.format = quint16(decimals << 4);
            r.displayDivisor[0] = scale[decimals];
            r.measuredValue = measured;
            memcpy(r.gasFormula, "CH4", 3);
        } else {
            auto& r = command.extendedChannels[0];
            r.format = quint16(decimals << 4);
            r.measuredValue = measured;
            memcpy(r.gasFormula, "CH4", 3);
        }
        MeasureWindow page(nullptr);
        auto* value = child<QDoubleSpinBox>(*concentrationWidgets[0], "doubleSpinBoxChan");
        QCOMPARE(value->value(), shown);
        QCOMPARE(value->suffix(), QString(" PPM"));
        QCOMPARE(child<QLabel>(*concentrationWidgets[0], "label_Chan")->text(),
                 QString("Канал CH4"));
    }

    void failedSensorAndLogColumns()
    {
        command.registerMap = ExtendedMap;
        command.modelCode = ModelT8M;
        command.channelCount = 3;
        channelOn(0);
        channelOn(2);
        memcpy(command.extendedChannels[0].gasFormula, "O2", 2);
        command.extendedChannels[0].format = 1 << 4;
        command.extendedChannels[0].measuredValue = 20.9f;
        memcpy(command.extendedChannels[2].gasFormula, "H2S", 3);
        command.extendedChannels[2].channelStatus = 1u << 6;
        MeasureWindow page(nullptr);
        QVERIFY(!child<QDoubleSpinBox>(*concentrationWidgets[2], "doubleSpinBoxChan")->isEnabled());
        const QString log = child<QPlainTextEdit>(page, "TextOut")->toPlainText();
        const QString line = log.split('\n').first();
        QVERIFY2(line.startsWith("t - "), qPrintable(line));
        QCOMPARE(line.mid(20, 12), QString("O2 - 20.9 PP"));
        QCOMPARE(line.mid(45).trimmed(), QString("H2S - Err"));
        QVERIFY(line.contains("E26"));
    }

    void logColumns_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QString>("line");
        const QString head = "t - 11:09:10";
        QTest::newRow("short codes keep 20, 45, 70")
            << " W39" << QStringList{"CH4 - 12.3 %LEL", "O2 - 20.9 %VOL", "CO - 5 PPM"}
            << (head + " W39").leftJustified(20) + QString("CH4 - 12.3 %LEL").leftJustified(25) +
                   QString("O2 - 20.9 %VOL").leftJustified(25) + "CO - 5 PPM";
        QTest::newRow("long codes push every column")
            << " W39, MI5, ST-0000, WA1" << QStringList{"CH4 - 12.3 %LEL", "O2 - 20.9 %VOL"}
            << head + " W39, MI5, ST-0000, WA1 CH4 - 12.3 %LEL O2 - 20.9 %VOL";
        QTest::newRow("a long value pushes the next column")
            << "" << QStringList{"CH4 - 12345.678 %LEL_LONG_UNIT", "O2 - 20.9 %VOL"}
            << head.leftJustified(20) + "CH4 - 12345.678 %LEL_LONG_UNIT O2 - 20.9 %VOL";
        QTest::newRow("line ending at a column")
            << QString(" W39, MI") << QStringList{"CO - 5"} << head + " W39, MI CO - 5";
    }
    void logColumns()
    {
        QFETCH(QString, codes);
        QFETCH(QStringList, columns);
        QFETCH(QString, line);
        QString built = "t - 11:09:10" + codes;
        for (int k = 0; k < columns.size(); ++k)
            MeasureWindowConcentration::placeLogColumn(built, 20 + 25 * k, columns[k]);
        QCOMPARE(built, line);
        // No column text is ever split by another.
        for (const QString& c : columns)
            QVERIFY2(built.contains(c), qPrintable(c));
    }

    void logLinesGoToTheEnd()
    {
        command.registerMap = ClassicMap;
        command.modelCode = ModelT6;
        command.channelCount = 1;
        MeasureWindow page(nullptr);
        auto* log = child<QPlainTextEdit>(page, "TextOut");
        log->moveCursor(QTextCursor::Start); // the operator clicked at the top
        page.showParameters();
        const QStringList lines = log->toPlainText().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        for (const QString& l : lines)
            QVERIFY2(QRegularExpression("^t - \\d\\d:\\d\\d:\\d\\d\\r?$").match(l).hasMatch(),
                     qPrintable(l));
    }

    void identification_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<quint32>("serial");
        QTest::addColumn<QString>("text");
        QTest::newRow("T6 Max") << int(ModelT6M) << quint32(56789) << "QRT6M0056789";
        QTest::newRow("T6") << int(ModelT6) << quint32(56789) << "QRT00056789";
        QTest::newRow("above 31 bits") << int(ModelT6) << quint32(4000000000u) << "QRT4000000000";
    }
    void identification()
    {
        QFETCH(int, model);
        QFETCH(quint32, serial);
        QFETCH(QString, text);
        command.registerMap = ClassicMap;
        command.modelCode = quint16(model);
        command.channelCount = 1;
        command.classicDevice.serialNumber = serial;
        command.classicDevice.hardwareVersion = 12;
        command.firmwareVersion = 118;
        MeasureWindow page(nullptr);
        QCOMPARE(child<QLineEdit>(page, "lineEditSerialNumber")->text(), text);
        QCOMPARE(child<QLineEdit>(page, "lineEditFirmwareVer")->text(), QString("1.18"));
        QCOMPARE(child<QLineEdit>(page, "lineEditHardwareVer")->text(), QString("1.2"));
    }

    void datesWithTheShortTick()
    {
        command.registerMap = ClassicMap;
        command.modelCode = ModelT2Classic;
        command.secondsPerTick = 0.9375;
        command.channelCount = 1;
        channelOn(0);
        command.classicChannels[0].lastCalibrationDate = 1831649831u;
        command.classicDevice.productionDate = 4000000000u; // ticks x tick above 31 bits
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        MeasureWindow page(nullptr);
        QCOMPARE(
            child<QDateTimeEdit>(*dateLastCalibWidgets[0], "dateTimeEditDateLastCalib")->dateTime(),
            QDateTime::fromSecsSinceEpoch(1717171716));
        QCOMPARE(child<QDateTimeEdit>(page, "dateTimeEditDateProduct")->date(),
                 QDateTime::fromSecsSinceEpoch(3750000000LL).date());
        const qint64 clock = command.classicDevice.deviceClock;
        QVERIFY(clock >= qint64(before / 0.9375) - 1 && clock <= qint64(before / 0.9375) + 3);
        QVERIFY(!child<QProgressBar>(page, "progressBarCharge")->isVisibleTo(&page));
    }

    void channelSwitchedOffDisappears()
    {
        command.registerMap = ExtendedMap;
        command.modelCode = ModelT8M;
        command.channelCount = 2;
        channelOn(0);
        channelOn(1);
        MeasureWindow page(nullptr);
        page.show();
        QVERIFY(concentrationWidgets[1]->isVisible());
        command.extendedChannels[1].channelPage = 170;
        page.showParameters();
        QVERIFY(!concentrationWidgets[1]->isVisible());
    }
};

QTEST_MAIN(TestMeasureWindow)
#include "test_measurewindow.moc"
