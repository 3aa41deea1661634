#include "command.h"
#include "optiontables.h"
#include "units.h"

#include <QtTest>

#include <climits>

namespace
{

constexpr double K = 11.11778; // volume factor of the classic layout

// Unit fields of the format word.
constexpr int Ppm = 0;
constexpr int MgPerM3 = 1;
constexpr int Lel = 2;
constexpr int Vol = 3;

quint16 formatWord(int base, int display)
{
    // Decimals and sensor-kind bits set as well: they must not leak into the units.
    return quint16(0xFFF0 | (base << 2) | display);
}

QStringList rows(const char* const* table, int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(QString::fromLatin1(table[i]));
    return result;
}

} // namespace

Q_DECLARE_METATYPE(const char* const*)

class TestUnits : public QObject
{
    Q_OBJECT

private slots:
    void optionTables_data();
    void optionTables();
    void optionNameBounds_data();
    void optionNameBounds();
    void decimalScaleFields_data();
    void decimalScaleFields();
    void unitFactorTable_data();
    void unitFactorTable();
    void unitFactorReadsTheChosenChannel();
    void unitFactorOutsideTheImage_data();
    void unitFactorOutsideTheImage();
    void ticksFromSecondsHeldTo32Bits_data();
    void ticksFromSecondsHeldTo32Bits();
};

void TestUnits::optionTables_data()
{
    QTest::addColumn<const char* const*>("table");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("defaultUserName")
        << &defaultUserName[0] << defaultUserNameCount << QStringList{"Noname"};
    QTest::newRow("loadResistorNames")
        << &loadResistorNames[0] << loadResistorNamesCount
        << QStringList{"RLOAD_0",   "RLOAD_10",   "RLOAD_30",   "RLOAD_50",
                       "RLOAD_100", "RLOAD_1600", "RLOAD_3100", "RLOAD_3600"};
    QTest::newRow("gainResistorNames")
        << &gainResistorNames[0] << gainResistorNamesCount
        << QStringList{"RGAIN_DIS",  "RGAIN_200",  "RGAIN_1K",   "RGAIN_2K",   "RGAIN_3K",
                       "RGAIN_4K",   "RGAIN_6K",   "RGAIN_8K",   "RGAIN_10K",  "RGAIN_12K",
                       "RGAIN_16K",  "RGAIN_20K",  "RGAIN_24K",  "RGAIN_30K",  "RGAIN_32K",
                       "RGAIN_40K",  "RGAIN_48K",  "RGAIN_64K",  "RGAIN_85K",  "RGAIN_96K",
                       "RGAIN_100K", "RGAIN_120K", "RGAIN_128K", "RGAIN_160K", "RGAIN_196K",
                       "RGAIN_256K", "RGAIN_512K"};
    QTest::newRow("gainResistorNamesReduced")
        << &gainResistorNamesReduced[0] << gainResistorNamesReducedCount
        << QStringList{"RGAIN_DIS", "RGAIN_16K", "RGAIN_20K", "RGAIN_24K",
                       "RGAIN_30K", "RGAIN_32K", "RGAIN_40K", "RGAIN_48K",
                       "RGAIN_64K", "RGAIN_85K", "RGAIN_96K", "RGAIN_100K"};
    QTest::newRow("gainResistorSNames")
        << &gainResistorSNames[0] << gainResistorSNamesCount
        << QStringList{"RGAIN_S0", "RGAIN_S1", "RGAIN_S2", "RGAIN_S3", "RGAIN_S4"};
    QTest::newRow("filterResistorNames")
        << &filterResistorNames[0] << filterResistorNamesCount
        << QStringList{"RF_DIS",  "RF_BYPASS", "RF_20K",  "RF_100K",
                       "RF_200K", "RF_400K",   "RF_600K", "RF_1M"};
    QTest::newRow("decimalFormatNames")
        << &decimalFormatNames[0] << decimalFormatNamesCount << QStringList{"X", "X,X", "X,XX"};
    QTest::newRow("pgaGainNames") << &pgaGainNames[0] << pgaGainNamesCount
                                  << QStringList{"PGA_1", "PGA_1.5", "PGA_2", "PGA_4", "PGA_9"};
    QTest::newRow("pgaGainNames4") << &pgaGainNames4[0] << pgaGainNames4Count
                                   << QStringList{"PGA_1", "PGA_2", "PGA_4", "PGA_8"};
    QTest::newRow("rangeNames") << &rangeNames[0] << rangeNamesCount
                                << QStringList{"RANGE_1", "RANGE_2", "RANGE_3", "RANGE_4"};
    QTest::newRow("unitNames") << &unitNames[0] << unitNamesCount
                               << QStringList{"PPM", "mg/m3", "%LEL", "%VOL"};
    QTest::newRow("baudRateNames") << &baudRateNames[0] << baudRateNamesCount
                                   << QStringList{"9600", "19200", "38400", "57600"};
    QTest::newRow("restartModeNames") << &restartModeNames[0] << restartModeNamesCount
                                      << QStringList{"Reset", "Cold", "Warm", "Hot"};
    QTest::newRow("gnssSignalNames")
        << &gnssSignalNames[0] << gnssSignalNamesCount
        << QStringList{"GPS_L1",     "GLONASS_G1",  "BEIDOU_B1", "NOP",        "GALILEO_E1",
                       "QZSS_L1",    "SBAS_L1",     "IRNSS_L5",  "GPS_L2C",    "GPS_L5",
                       "GLONASS_G2", "BEIDOU_B1C",  "BEIDOU_B2", "BEIDOU_B2A", "BEIDOU_B3I",
                       "BEIDOU_B5",  "GALILEO_E5A", "QZSS_L2C",  "QZSS_L5"};
}

void TestUnits::optionTables()
{
    QFETCH(const char* const*, table);
    QFETCH(int, count);
    QFETCH(QStringList, expected);

    QCOMPARE(count, expected.size());
    QCOMPARE(rows(table, count), expected);
}

void TestUnits::optionNameBounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first row") << 0 << "PPM";
    QTest::newRow("last row") << 3 << "%VOL";
    QTest::newRow("one past the end") << 4 << "";
    QTest::newRow("largest index") << INT_MAX << "";
    QTest::newRow("negative") << -1 << "";
    QTest::newRow("most negative") << INT_MIN << "";
}

void TestUnits::optionNameBounds()
{
    QFETCH(int, index);
    QFETCH(QString, expected);

    const char* viaCount = optionName(unitNames, unitNamesCount, index);
    const char* viaArray = optionName(unitNames, index);
    QVERIFY(viaCount != nullptr);
    QVERIFY(viaArray != nullptr);
    QCOMPARE(QString::fromLatin1(viaCount), expected);
    QCOMPARE(QString::fromLatin1(viaArray), expected);
}

void TestUnits::decimalScaleFields_data()
{
    QTest::addColumn<int>("formatWord");
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("expected");

    QTest::newRow("display decimals 0") << 0x0000 << 0 << 1;
    QTest::newRow("display decimals 1") << 0x0010 << 0 << 10;
    QTest::newRow("display decimals 2") << 0x0020 << 0 << 100;
    QTest::newRow("display decimals 3") << 0x0030 << 0 << 1000;
    QTest::newRow("raw decimals 0") << 0x0000 << 1 << 1;
    QTest::newRow("raw decimals 1") << 0x0040 << 1 << 10;
    QTest::newRow("raw decimals 2") << 0x0080 << 1 << 100;
    QTest::newRow("raw decimals 3") << 0x00C0 << 1 << 1000;
    QTest::newRow("fields kept apart, display") << 0x00E0 << 0 << 100;
    QTest::newRow("fields kept apart, raw") << 0x00E0 << 1 << 1000;
    QTest::newRow("unit bits ignored") << 0x000F << 0 << 1;
    QTest::newRow("high byte ignored, display") << 0xFF20 << 0 << 100;
    QTest::newRow("high byte ignored, raw") << 0xFF3F << 1 << 1;
    QTest::newRow("which 2") << 0x00FF << 2 << 1;
    QTest::newRow("which -1") << 0x00FF << -1 << 1;
    QTest::newRow("which large") << 0xFFFF << INT_MAX << 1;
}

void TestUnits::decimalScaleFields()
{
    QFETCH(int, formatWord);
    QFETCH(int, which);
    QFETCH(int, expected);

    QCOMPARE(decimalScale(quint16(formatWord), which), expected);
}

void TestUnits::unitFactorTable_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("display");
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("l");
    QTest::addColumn<int>("correction");
    QTest::addColumn<double>("expected");

    const int classic = ClassicMap;
    const int extended = ExtendedMap;

    // The whole table with M = 2 and L = 50, classic layout.
    QTest::newRow("classic PPM->PPM") << classic << Ppm << Ppm << 2.0 << 50.0 << 0 << 1.0;
    QTest::newRow("classic PPM->mg/m3") << classic << Ppm << MgPerM3 << 2.0 << 50.0 << 0 << 2.0;
    QTest::newRow("classic PPM->%LEL") << classic << Ppm << Lel << 2.0 << 50.0 << 0 << 2e-4;
    QTest::newRow("classic PPM->%VOL") << classic << Ppm << Vol << 2.0 << 50.0 << 0 << 1e-4;
    QTest::newRow("classic mg/m3->PPM") << classic << MgPerM3 << Ppm << 2.0 << 50.0 << 0 << 0.5;
    QTest::newRow("classic mg/m3->mg/m3")
        << classic << MgPerM3 << MgPerM3 << 2.0 << 50.0 << 0 << 1.0;
    QTest::newRow("classic mg/m3->%LEL")
        << classic << MgPerM3 << Lel << 2.0 << 50.0 << 0 << 2.0 / (2 * K * 1e4);
    QTest::newRow("classic mg/m3->%VOL")
        << classic << MgPerM3 << Vol << 2.0 << 50.0 << 0 << 1.0 / (2 * K * 1e4);
    QTest::newRow("classic %LEL->PPM") << classic << Lel << Ppm << 2.0 << 50.0 << 0 << 5000.0;
    QTest::newRow("classic %LEL->mg/m3")
        << classic << Lel << MgPerM3 << 2.0 << 50.0 << 0 << 0.5 * 2 * K * 1e4;
    QTest::newRow("classic %LEL->%LEL") << classic << Lel << Lel << 2.0 << 50.0 << 0 << 1.0;
    QTest::newRow("classic %LEL->%VOL") << classic << Lel << Vol << 2.0 << 50.0 << 0 << 0.5;
    QTest::newRow("classic %VOL->PPM") << classic << Vol << Ppm << 2.0 << 50.0 << 0 << 1e4;
    QTest::newRow("classic %VOL->mg/m3")
        << classic << Vol << MgPerM3 << 2.0 << 50.0 << 0 << 2 * K * 1e4;
    QTest::newRow("classic %VOL->%LEL") << classic << Vol << Lel << 2.0 << 50.0 << 0 << 2.0;
    QTest::newRow("classic %VOL->%VOL") << classic << Vol << Vol << 2.0 << 50.0 << 0 << 1.0;

    // The classic layout has no correction, whatever the extended field would hold.
    QTest::newRow("classic ignores correction")
        << classic << Vol << MgPerM3 << 2.0 << 50.0 << 500 << 2 * K * 1e4;
    QTest::newRow("classic PPM->%VOL without M and L")
        << classic << Ppm << Vol << 0.0 << 0.0 << 0 << 1e-4;
    QTest::newRow("classic PPM->%VOL, other M and L")
        << classic << Ppm << Vol << 7.5 << 3.0 << 0 << 1e-4;

    // Extended layout: no volume factor.
    QTest::newRow("extended %VOL->mg/m3") << extended << Vol << MgPerM3 << 2.0 << 50.0 << 0 << 2e4;
    QTest::newRow("extended %VOL->mg/m3, correction 500")
        << extended << Vol << MgPerM3 << 2.0 << 50.0 << 500 << 1e4;
    QTest::newRow("extended mg/m3->%LEL")
        << extended << MgPerM3 << Lel << 2.0 << 50.0 << 0 << 2.0 / 2e4;
    QTest::newRow("extended mg/m3->%VOL")
        << extended << MgPerM3 << Vol << 2.0 << 50.0 << 0 << 1.0 / 2e4;
    QTest::newRow("extended %LEL->mg/m3")
        << extended << Lel << MgPerM3 << 2.0 << 50.0 << 0 << 0.5 * 2e4;
    QTest::newRow("extended %LEL->PPM") << extended << Lel << Ppm << 2.0 << 50.0 << 0 << 5000.0;
    QTest::newRow("extended PPM->%VOL") << extended << Ppm << Vol << 2.0 << 50.0 << 0 << 1e-4;
    QTest::newRow("extended %VOL->%LEL, correction 2000")
        << extended << Vol << Lel << 2.0 << 50.0 << 2000 << 4.0;
    QTest::newRow("extended equal units") << extended << Lel << Lel << 2.0 << 50.0 << 0 << 1.0;
    QTest::newRow("extended equal units, correction 500")
        << extended << Ppm << Ppm << 2.0 << 50.0 << 500 << 0.5;
    QTest::newRow("extended largest correction")
        << extended << Vol << Vol << 0.0 << 0.0 << 65535 << 65.535;

    // PPM <-> mg/m3 needs M only and never the volume factor.
    QTest::newRow("classic PPM->mg/m3, M 0")
        << classic << Ppm << MgPerM3 << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("classic PPM->mg/m3, M 1.5")
        << classic << Ppm << MgPerM3 << 1.5 << 0.0 << 0 << 1.5;
    QTest::newRow("extended PPM->mg/m3, M 0")
        << extended << Ppm << MgPerM3 << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("extended PPM->mg/m3, M 1.5")
        << extended << Ppm << MgPerM3 << 1.5 << 0.0 << 0 << 1.5;
    QTest::newRow("extended PPM->mg/m3, M 0, correction 500")
        << extended << Ppm << MgPerM3 << 0.0 << 50.0 << 500 << 0.5;

    // Every conversion that needs a coefficient falls back to 1 while it is 0.
    QTest::newRow("M 0: mg/m3->PPM") << classic << MgPerM3 << Ppm << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("M 0: mg/m3->%LEL") << classic << MgPerM3 << Lel << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("L 0: mg/m3->%LEL") << classic << MgPerM3 << Lel << 2.0 << 0.0 << 0 << 1.0;
    QTest::newRow("M 0: mg/m3->%VOL") << classic << MgPerM3 << Vol << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("L 0: PPM->%LEL") << classic << Ppm << Lel << 2.0 << 0.0 << 0 << 1.0;
    QTest::newRow("M 0: PPM->%LEL") << classic << Ppm << Lel << 0.0 << 50.0 << 0 << 2e-4;
    QTest::newRow("L 0: %LEL->PPM") << classic << Lel << Ppm << 2.0 << 0.0 << 0 << 1.0;
    QTest::newRow("L 0: %LEL->mg/m3") << classic << Lel << MgPerM3 << 2.0 << 0.0 << 0 << 1.0;
    QTest::newRow("M 0: %LEL->mg/m3") << classic << Lel << MgPerM3 << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("L 0: %LEL->%VOL") << classic << Lel << Vol << 2.0 << 0.0 << 0 << 1.0;
    QTest::newRow("M 0: %VOL->mg/m3") << classic << Vol << MgPerM3 << 0.0 << 50.0 << 0 << 1.0;
    QTest::newRow("L 0: %VOL->%LEL") << classic << Vol << Lel << 2.0 << 0.0 << 0 << 1.0;
    QTest::newRow("M and L 0: %VOL->PPM") << classic << Vol << Ppm << 0.0 << 0.0 << 0 << 1e4;
    QTest::newRow("extended L 0: %VOL->%LEL, correction 500")
        << extended << Vol << Lel << 2.0 << 0.0 << 500 << 0.5;
}

void TestUnits::unitFactorTable()
{
    QFETCH(int, layout);
    QFETCH(int, base);
    QFETCH(int, display);
    QFETCH(double, m);
    QFETCH(double, l);
    QFETCH(int, correction);
    QFETCH(double, expected);

    // Both layouts carry the same values, so reading the wrong one shows up
    // only through the volume factor or the correction.
    const int channel = 4;
    for (auto& record : command.classicChannels)
        record = ClassicChannelRecord{};
    for (auto& record : command.extendedChannels)
        record = ExtendedChannelRecord{};
    command.classicChannels[channel].format = formatWord(base, display);
    command.classicChannels[channel].molecularWeight = float(m);
    command.classicChannels[channel].lelCoefficient = float(l);
    command.extendedChannels[channel].format = formatWord(base, display);
    command.extendedChannels[channel].molecularWeight = float(m);
    command.extendedChannels[channel].lelCoefficient = float(l);
    command.extendedChannels[channel].correctionCoefficient = quint16(correction);
    command.registerMap = quint16(layout);

    const float factor = command.unitFactor(channel);
    QVERIFY2(qAbs(double(factor) - expected) <= 1e-6 * qAbs(expected),
             qPrintable(QString("factor %1, expected %2")
                            .arg(double(factor), 0, 'g', 9)
                            .arg(expected, 0, 'g', 9)));
}

void TestUnits::unitFactorReadsTheChosenChannel()
{
    for (auto& record : command.extendedChannels)
        record = ExtendedChannelRecord{};
    command.registerMap = ExtendedMap;
    for (int channel = 0; channel < ChannelSlots; ++channel) {
        command.extendedChannels[channel].format = formatWord(Ppm, MgPerM3);
        command.extendedChannels[channel].molecularWeight = float(channel + 1);
    }
    for (int channel = 0; channel < ChannelSlots; ++channel)
        QCOMPARE(command.unitFactor(channel), float(channel + 1));
}

void TestUnits::unitFactorOutsideTheImage_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("channel");

    QTest::newRow("classic channel -1") << int(ClassicMap) << -1;
    QTest::newRow("classic channel 10") << int(ClassicMap) << 10;
    QTest::newRow("extended channel -1") << int(ExtendedMap) << -1;
    QTest::newRow("extended channel 10") << int(ExtendedMap) << 10;
    QTest::newRow("extended channel INT_MAX") << int(ExtendedMap) << INT_MAX;
    QTest::newRow("unknown layout") << 2 << 0;
}

void TestUnits::unitFactorOutsideTheImage()
{
    QFETCH(int, layout);
    QFETCH(int, channel);

    // Every record converts %VOL -> mg/m3 with M = 2, so only the fallback gives 1.
    for (int i = 0; i < ChannelSlots; ++i) {
        command.classicChannels[i] = ClassicChannelRecord{};
        command.classicChannels[i].format = formatWord(Vol, MgPerM3);
        command.classicChannels[i].molecularWeight = 2.0f;
        command.extendedChannels[i] = ExtendedChannelRecord{};
        command.extendedChannels[i].format = formatWord(Vol, MgPerM3);
        command.extendedChannels[i].molecularWeight = 2.0f;
    }
    command.registerMap = quint16(layout);

    QCOMPARE(command.unitFactor(channel), 1.0f);
}

// Worked by hand: 2021-01-01 is 1609459200 s, 2097-01-01 4007836800 s and 2100-01-01
// 4102444800 s since the epoch; at 0.9375 s a tick 4026531840 s is exactly 2^32 ticks,
// 4026531839 s is 4294967294.93 ticks and 1000001 s is 1066667.73 ticks.
void TestUnits::ticksFromSecondsHeldTo32Bits_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<double>("secondsPerTick");
    QTest::addColumn<quint32>("towardZero");
    QTest::addColumn<quint32>("nearest");

    QTest::newRow("1 s a tick, 2021") << qint64(1609459200) << 1.0 << 1609459200u << 1609459200u;
    QTest::newRow("T2 Classic, 2021") << qint64(1609459200) << 0.9375 << 1716756480u << 1716756480u;
    QTest::newRow("T2 Classic, a fraction") << qint64(1000001) << 0.9375 << 1066667u << 1066668u;
    QTest::newRow("T2 Classic, 2097") << qint64(4007836800) << 0.9375 << 4275025920u << 4275025920u;
    QTest::newRow("T2 Classic, just below the last tick")
        << qint64(4026531839) << 0.9375 << 4294967294u << 4294967295u;
    QTest::newRow("T2 Classic, one past the last tick")
        << qint64(4026531840) << 0.9375 << 4294967295u << 4294967295u;
    QTest::newRow("T2 Classic, 2100") << qint64(4102444800) << 0.9375 << 4294967295u << 4294967295u;
    QTest::newRow("1 s a tick, past 2106")
        << qint64(5000000000) << 1.0 << 4294967295u << 4294967295u;
    QTest::newRow("before the epoch") << qint64(-1) << 1.0 << 0u << 0u;
    QTest::newRow("T2 Classic, long before the epoch") << qint64(-5000000000) << 0.9375 << 0u << 0u;
    QTest::newRow("no tick length") << qint64(1000) << 0.0 << 1000u << 1000u;
    QTest::newRow("negative tick length") << qint64(1000) << -0.9375 << 1000u << 1000u;
}

void TestUnits::ticksFromSecondsHeldTo32Bits()
{
    QFETCH(qint64, seconds);
    QFETCH(double, secondsPerTick);
    QFETCH(quint32, towardZero);
    QFETCH(quint32, nearest);

    QCOMPARE(ticksFromSeconds(seconds, secondsPerTick), towardZero);
    QCOMPARE(ticksFromSeconds(seconds, secondsPerTick, TickRounding::Nearest), nearest);
}

QTEST_APPLESS_MAIN(TestUnits)
#include "test_units.moc"
