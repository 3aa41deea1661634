// The rounding of typed values into their integer fields: nearest, ties to even,
// kept inside the field's range.

#include "rounding.h"

#include <QtTest>

#include <limits>

class TestRounding : public QObject
{
    Q_OBJECT

private slots:
    void tiesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("just below a half") << 0.49999999999999994 << 0;
        QTest::newRow("just above a half") << 2.5000000001 << 3;
        QTest::newRow("-0.6") << -0.6 << -1;
        // Products whose double lies just below the typed value: not truncated.
        QTest::newRow("20.30 x 100") << 20.30 * 100 << 2030;
        QTest::newRow("1.005 x 1000") << 1.005 * 1000 << 1005;
        QTest::newRow("-10.01 x 100") << -10.01 * 100 << -1001;
        QTest::newRow("0.29 x 100") << 0.29 * 100 << 29;
    }
    void tiesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundedInto<qint32>(value), expected);
    }

    // The same value into the three field types the image has.
    void boundsOfTheField_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("asI16");
        QTest::addColumn<int>("asU16");
        QTest::addColumn<qint64>("asU32");
        QTest::newRow("inside all") << 1234.4 << 1234 << 1234 << qint64(1234);
        QTest::newRow("above i16") << 40000.0 << 32767 << 40000 << qint64(40000);
        QTest::newRow("i16 top tie") << 32766.5 << 32766 << 32766 << qint64(32766);
        QTest::newRow("rounds past i16") << 32767.5 << 32767 << 32768 << qint64(32768);
        QTest::newRow("below i16") << -40000.0 << -32768 << 0 << qint64(0);
        QTest::newRow("i16 bottom") << -32768.4 << -32768 << 0 << qint64(0);
        QTest::newRow("small negative") << -0.6 << -1 << 0 << qint64(0);
        QTest::newRow("u16 top tie") << 65534.5 << 32767 << 65534 << qint64(65534);
        QTest::newRow("rounds past u16") << 65535.5 << 32767 << 65535 << qint64(65536);
        QTest::newRow("u32 top tie") << 4294967294.5 << 32767 << 65535 << qint64(4294967294);
        QTest::newRow("above u32") << 5e9 << 32767 << 65535 << qint64(4294967295);
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 32767 << 65535
                                  << qint64(4294967295);
        QTest::newRow("minus infinity")
            << -std::numeric_limits<double>::infinity() << -32768 << 0 << qint64(0);
        QTest::newRow("not a number")
            << std::numeric_limits<double>::quiet_NaN() << 0 << 0 << qint64(0);
    }
    void boundsOfTheField()
    {
        QFETCH(double, value);
        QFETCH(int, asI16);
        QFETCH(int, asU16);
        QFETCH(qint64, asU32);
        QCOMPARE(int(roundedInto<qint16>(value)), asI16);
        QCOMPARE(int(roundedInto<quint16>(value)), asU16);
        QCOMPARE(qint64(roundedInto<quint32>(value)), asU32);
    }

    // Narrower bounds than the type's, as for a 15-bit value under a direction bit.
    void givenBounds_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("inside") << 100.5 << 100;
        QTest::newRow("above") << 40000.0 << 32767;
        QTest::newRow("top tie") << 32766.5 << 32766;
        QTest::newRow("below") << -3.0 << 0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    }
    void givenBounds()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(roundedInto<quint16>(value, 0, 0x7FFF)), expected);
    }

    void notANumberStaysInsideRaisedBounds()
    {
        QCOMPARE(int(roundedInto<quint16>(std::numeric_limits<double>::quiet_NaN(), 5, 10)), 5);
    }
};

QTEST_APPLESS_MAIN(TestRounding)
#include "test_rounding.moc"
