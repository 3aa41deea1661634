// The device data and archive page: what the boxes show and what edits store.

#include "command.h"
#include "commandstate.h"
#include "devicesetting_3_window.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <cstring>

namespace
{

QByteArray deviceBlock()
{
    if (command.registerMap == ClassicMap)
        return QByteArray(reinterpret_cast<const char*>(&command.classicDevice),
                          sizeof command.classicDevice);
    return QByteArray(reinterpret_cast<const char*>(&command.extendedDevice),
                      sizeof command.extendedDevice);
}

void prepare(quint16 map, double tick)
{
    clearImage();
    command.registerMap = map;
    command.secondsPerTick = tick;
    command.archiveClearPending = false;
}

} // namespace

class TestDeviceSetting3 : public QObject
{
    Q_OBJECT

private slots:
    void refreshLeavesTheImage_data();
    void refreshLeavesTheImage();
    void editsStoreWhatWasTyped_data();
    void editsStoreWhatWasTyped();
    void intervalsKeepEachOther();
    void clearArchive();
    void readOnlyFields_data();
    void readOnlyFields();
};

void TestDeviceSetting3::refreshLeavesTheImage_data()
{
    QTest::addColumn<int>("map");
    QTest::addColumn<double>("tick");
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("archive");
    QTest::addColumn<quint32>("clock");
    QTest::addColumn<quint32>("date");
    QTest::addColumn<int>("hardware");
    for (int map : {int(ClassicMap), int(ExtendedMap)}) {
        const char* name = map == ClassicMap ? "classic" : "extended";
        QTest::addRow("%s interval bytes 0", name)
            << map << 1.0 << 5u << 0 << 0 << 2 << 1000u << 2000u << 23;
        QTest::addRow("%s interval bytes above 240", name)
            << map << 1.0 << 5u << 241 << 255 << 2 << 1000u << 2000u << 23;
        QTest::addRow("%s serial above 99999999", name)
            << map << 1.0 << 123456789u << 10 << 10 << 2 << 1000u << 2000u << 23;
        QTest::addRow("%s archive switch 1", name)
            << map << 1.0 << 5u << 10 << 10 << 1 << 1000u << 2000u << 23;
        // 0.9375 s ticks: whole seconds and back move these by one tick.
        QTest::addRow("%s tick drift", name)
            << map << 0.9375 << 5u << 10 << 10 << 0 << 1000000001u << 999999999u << 23;
        QTest::addRow("%s hardware at the top", name)
            << map << 1.0 << 5u << 10 << 10 << 0 << 1000u << 2000u << 65535;
    }
}

void TestDeviceSetting3::refreshLeavesTheImage()
{
    QFETCH(int, map);
    QFETCH(double, tick);
    QFETCH(quint32, serial);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(int, archive);
    QFETCH(quint32, clock);
    QFETCH(quint32, date);
    QFETCH(int, hardware);
    prepare(quint16(map), tick);
    auto fill = [&](auto& d) {
        d.serialNumber = serial;
        d.archiveIntervals[0] = quint8(minutes);
        d.archiveIntervals[1] = quint8(seconds);
        d.archiveEnabled = quint16(archive);
        d.deviceClock = clock;
        d.productionDate = date;
        d.hardwareVersion = quint16(hardware);
        d.archiveStartAddress = 0xFFFFFFF0u;
        d.archiveCurrentAddress = 0x7FFFFFFFu;
    };
    if (map == ClassicMap)
        fill(command.classicDevice);
    else
        fill(command.extendedDevice);
    const QByteArray before = deviceBlock();
    DeviceSetting_3_Window page(nullptr);
    page.showParameters();
    QCOMPARE(deviceBlock(), before);
    // A second refresh over boxes that already hold values stores nothing either.
    page.showParameters();
    QCOMPARE(deviceBlock(), before);
    QCOMPARE(child<QCheckBox>(page, "checkBoxArchive")->isChecked(), archive != 0);
    QVERIFY(!command.archiveClearPending);
}

void TestDeviceSetting3::editsStoreWhatWasTyped_data()
{
    QTest::addColumn<int>("map");
    QTest::addColumn<double>("tick");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QVariant>("typed");
    QTest::addColumn<quint32>("stored");
    for (int map : {int(ClassicMap), int(ExtendedMap)}) {
        const char* name = map == ClassicMap ? "classic" : "extended";
        QTest::addRow("%s hardware 2.3", name) << map << 1.0 << "hardware" << QVariant(2.3) << 23u;
        QTest::addRow("%s hardware 6553.5", name)
            << map << 1.0 << "hardware" << QVariant(6553.5) << 65535u;
        QTest::addRow("%s serial", name)
            << map << 1.0 << "serial" << QVariant(99999999) << 99999999u;
        QTest::addRow("%s clock epoch 937500000 at 0.9375", name)
            << map << 0.9375 << "clock" << QVariant(qint64(937500000)) << 1000000000u;
        QTest::addRow("%s production date epoch 937500000 at 0.9375", name)
            << map << 0.9375 << "date" << QVariant(qint64(937500000)) << 1000000000u;
        QTest::addRow("%s archive on", name) << map << 1.0 << "archive" << QVariant(true) << 2u;
    }
}

void TestDeviceSetting3::editsStoreWhatWasTyped()
{
    QFETCH(int, map);
    QFETCH(double, tick);
    QFETCH(QString, what);
    QFETCH(QVariant, typed);
    QFETCH(quint32, stored);
    prepare(quint16(map), tick);
    DeviceSetting_3_Window page(nullptr);
    page.showParameters();
    auto value = [&](auto& d) -> quint32 {
        if (what == QLatin1String("hardware"))
            return d.hardwareVersion;
        if (what == QLatin1String("serial"))
            return d.serialNumber;
        if (what == QLatin1String("clock"))
            return d.deviceClock;
        if (what == QLatin1String("date"))
            return d.productionDate;
        return d.archiveEnabled;
    };
    if (what == QLatin1String("hardware"))
        child<QDoubleSpinBox>(page, "doubleSpinBoxHardwareVer")->setValue(typed.toDouble());
    else if (what == QLatin1String("serial"))
        child<QSpinBox>(page, "spinBoxSerialNumber")->setValue(typed.toInt());
    else if (what == QLatin1String("clock"))
        child<QDateTimeEdit>(page, "dateTimeEditDate")
            ->setDateTime(QDateTime::fromSecsSinceEpoch(typed.toLongLong()));
    else if (what == QLatin1String("date"))
        child<QDateTimeEdit>(page, "dateTimeEditDate_2")
            ->setDateTime(QDateTime::fromSecsSinceEpoch(typed.toLongLong()));
    else
        child<QCheckBox>(page, "checkBoxArchive")->setChecked(typed.toBool());
    const quint32 got =
        map == ClassicMap ? value(command.classicDevice) : value(command.extendedDevice);
    QCOMPARE(got, stored);
}

void TestDeviceSetting3::intervalsKeepEachOther()
{
    for (int map : {int(ClassicMap), int(ExtendedMap)}) {
        prepare(quint16(map), 1.0);
        quint8* bytes = map == ClassicMap ? command.classicDevice.archiveIntervals
                                          : command.extendedDevice.archiveIntervals;
        bytes[0] = 1;
        bytes[1] = 1;
        DeviceSetting_3_Window page(nullptr);
        page.showParameters();
        child<QSpinBox>(page, "spinBoxIntervalArchiv")->setValue(15);
        child<QSpinBox>(page, "spinBoxIntervalArchiv_2")->setValue(30);
        QCOMPARE(quint16(bytes[0] | (bytes[1] << 8)), quint16(7695));
        // A seconds byte the box cannot show (0) survives a minutes edit.
        bytes[1] = 0;
        page.showParameters();
        child<QSpinBox>(page, "spinBoxIntervalArchiv")->setValue(20);
        QCOMPARE(int(bytes[0]), 20);
        QCOMPARE(int(bytes[1]), 0);
    }
}

void TestDeviceSetting3::clearArchive()
{
    for (int map : {int(ClassicMap), int(ExtendedMap)}) {
        prepare(quint16(map), 1.0);
        auto set = [](auto& d) {
            d.archiveStartAddress = 1234;
            d.archiveCurrentAddress = 5678;
        };
        if (map == ClassicMap)
            set(command.classicDevice);
        else
            set(command.extendedDevice);
        DeviceSetting_3_Window page(nullptr);
        page.showParameters();
        QCOMPARE(child<QSpinBox>(page, "spinBoxBegginAddr")->value(), 1234);
        child<QPushButton>(page, "pushButton_ClearArchiv")->click();
        const quint32 start = map == ClassicMap ? command.classicDevice.archiveStartAddress
                                                : command.extendedDevice.archiveStartAddress;
        const quint32 current = map == ClassicMap ? command.classicDevice.archiveCurrentAddress
                                                  : command.extendedDevice.archiveCurrentAddress;
        QCOMPARE(start, 0u);
        QCOMPARE(current, 0u);
        QCOMPARE(child<QSpinBox>(page, "spinBoxBegginAddr")->value(), 0);
        QCOMPARE(child<QSpinBox>(page, "spinBoxCurrentAddr")->value(), 0);
        QVERIFY(command.archiveClearPending);
    }
}

void TestDeviceSetting3::readOnlyFields_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("lora");
    QTest::newRow("BLE and LoRa off") << 0u << QString() << QString();
    QTest::newRow("BLE on") << (1u << 10) << QStringLiteral("0A:1B:2C:3D:4E:5F") << QString();
    QTest::newRow("LoRa on") << (1u << 15) << QString()
                             << QStringLiteral("01:23:45:67:89:AB:CD:EF");
}

void TestDeviceSetting3::readOnlyFields()
{
    QFETCH(quint32, flags);
    QFETCH(QString, mac);
    QFETCH(QString, lora);
    prepare(ExtendedMap, 1.0);
    command.extendedDevice.deviceFlags = flags;
    command.firmwareVersion = 118;
    const quint8 m[6] = {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};
    const quint8 l[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::memcpy(command.bleMac, m, 6);
    std::memcpy(command.loraId, l, 8);
    DeviceSetting_3_Window page(nullptr);
    child<QLineEdit>(page, "lineEditMACBle")->setText(QStringLiteral("old"));
    page.showParameters();
    QCOMPARE(child<QLineEdit>(page, "lineEditMACBle")->text(), mac);
    QCOMPARE(child<QLineEdit>(page, "lineEditEuiLora")->text(), lora);
    QCOMPARE(child<QDoubleSpinBox>(page, "doubleSpinBoxFirmwareVer")->value(), 1.18);
}

QTEST_MAIN(TestDeviceSetting3)
#include "test_devicesetting3.moc"
