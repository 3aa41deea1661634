#include "modeltraits.h"
#include "types.h"

#include <QtTest>

// The model tables worked by hand: the device-model table (channels, off
// marker, tick), the serial texts of the status page and the log files, the log
// record sizes, the export legend's module lines, the device codes, the
// firmware's flash start, which models get the device pages and which have the
// modular measuring board.
class TestModelTraits : public QObject
{
    Q_OBJECT

private slots:
    void traitsByModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("offMarker");
        QTest::addColumn<double>("secondsPerTick");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<int>("logRecordSize");
        QTest::addColumn<bool>("ble");
        QTest::addColumn<bool>("radio");
        QTest::addColumn<bool>("lcd");
        QTest::addColumn<int>("statusCodes");
        QTest::addColumn<quint32>("flashBase");
        QTest::addColumn<bool>("zeroTables");
        QTest::addColumn<bool>("devicePages");
        QTest::addColumn<bool>("modularBoard");

        const int none = int(ModelGroup::None);
        const int t2 = int(ModelGroup::T2);
        const int t6 = int(ModelGroup::T6);
        const int t6Max = int(ModelGroup::T6Max);
        const int fa3 = int(StatusCodeStyle::Fa3);
        const int fa34 = int(StatusCodeStyle::Fa3Fa4);
        const int noCodes = int(StatusCodeStyle::None);
        const QString plain = QStringLiteral("QRT00056789");
        const QString t6m = QStringLiteral("QRT6M0056789");

        QTest::newRow("T2") << 102 << t2 << 1 << 170 << 1.0 << plain << 48 << false << false
                            << false << fa3 << 0u << false << true << false;
        QTest::newRow("T2 Classic") << 411 << t2 << 1 << 7 << 0.9375 << plain << 48 << false
                                    << false << false << fa3 << 0u << false << true << false;
        QTest::newRow("T6") << 404 << t6 << 4 << 7 << 1.0 << plain << 120 << true << false << false
                            << fa34 << 0x08000000u << false << true << false;
        QTest::newRow("T6B") << 405 << t6 << 4 << 170 << 1.0 << plain << 120 << true << false
                             << true << fa34 << 0x08000000u << false << true << false;
        QTest::newRow("T6 Mini") << 406 << t6 << 4 << 170 << 1.0 << plain << 120 << true << true
                                 << true << fa34 << 0x08000000u << false << true << false;
        QTest::newRow("T6 Max") << 420 << t6Max << 6 << 170 << 1.0 << t6m << 168 << true << true
                                << true << fa3 << 0x08000000u << true << true << true;
        QTest::newRow("T6 Max(4)") << 421 << t6Max << 4 << 170 << 1.0 << t6m << 120 << true << true
                                   << true << fa3 << 0x08000000u << true << true << true;
        QTest::newRow("T8 Max") << 430 << none << 10 << 170 << 1.0 << plain << 0 << true << true
                                << true << fa3 << 0x08000000u << true << false << true;
        QTest::newRow("bootloader")
            << 999 << int(ModelGroup::Bootloader) << 0 << 0 << 1.0 << plain << 0 << false << false
            << false << noCodes << 0x5000u << false << false << false;
        QTest::newRow("no model") << 0 << none << 0 << 0 << 1.0 << plain << 0 << false << false
                                  << false << noCodes << 0u << false << false << false;
        QTest::newRow("unknown code") << 403 << none << 0 << 0 << 1.0 << plain << 0 << false
                                      << false << false << noCodes << 0u << false << false << false;
    }

    void traitsByModel()
    {
        QFETCH(int, model);
        QFETCH(int, group);
        QFETCH(int, channels);
        QFETCH(int, offMarker);
        QFETCH(double, secondsPerTick);
        QFETCH(QString, serial);
        QFETCH(int, logRecordSize);
        QFETCH(bool, ble);
        QFETCH(bool, radio);
        QFETCH(bool, lcd);
        QFETCH(int, statusCodes);
        QFETCH(quint32, flashBase);
        QFETCH(bool, zeroTables);
        QFETCH(bool, devicePages);
        QFETCH(bool, modularBoard);

        const ModelTraits& t = traitsOf(quint16(model));
        QCOMPARE(int(t.group), group);
        QCOMPARE(int(t.channelCount), channels);
        // Outside the device-model table these stay as the model before left them.
        if (channels != 0) {
            QCOMPARE(int(t.channelOffMarker), offMarker);
            QCOMPARE(t.secondsPerTick, secondsPerTick);
        }
        QCOMPARE(serialName(QStringLiteral("QRT"), quint16(model), 56789), serial);
        QCOMPARE(t.logRecordSize, logRecordSize);
        QCOMPARE(t.ble, ble);
        QCOMPARE(t.radio, radio);
        QCOMPARE(t.lcd, lcd);
        QCOMPARE(int(t.statusCodes), statusCodes);
        QCOMPARE(t.flashBase, flashBase);
        QCOMPARE(t.classicZeroTables, zeroTables);
        QCOMPARE(hasDevicePages(t.group), devicePages);
        QCOMPARE(t.modularBoard, modularBoard);
    }

    void serialNames_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("model");
        QTest::addColumn<quint32>("serial");
        QTest::addColumn<QString>("expected");

        QTest::newRow("log file, T6 Max")
            << "/log/QIROT" << 420 << 56789u << QStringLiteral("/log/QIROT6M0056789");
        QTest::newRow("log file, T2")
            << "/log/QIROT" << 102 << 56789u << QStringLiteral("/log/QIROT00056789");
        QTest::newRow("longer than the digits, T6 Max(4)")
            << "QRT" << 421 << 12345678u << QStringLiteral("QRT6M12345678");
        QTest::newRow("largest serial, T6")
            << "QRT" << 404 << 4294967295u << QStringLiteral("QRT4294967295");
        QTest::newRow("zero, T6 Max") << "QRT" << 420 << 0u << QStringLiteral("QRT6M0000000");
    }

    void serialNames()
    {
        QFETCH(QString, prefix);
        QFETCH(int, model);
        QFETCH(quint32, serial);
        QFETCH(QString, expected);

        QCOMPARE(serialName(prefix, quint16(model), serial), expected);
    }
};

QTEST_APPLESS_MAIN(TestModelTraits)
#include "test_modeltraits.moc"
