// The sensor-kind tables of the channel set-up page, row by row: the entries
// listed per model, layout and channel, the entry a channel's bits select, and
// the bits each choice stores.

#include "sensorkinds.h"
#include "types.h"

#include <QtTest>

namespace
{

using Entries = std::vector<KindEntry>;

const Entries full = {KindSingle,     KindDual,    KindOxygen,   KindPid,        KindTk,
                      KindMipex,      KindCubic,   KindDynament, KindBeleadBlrm, KindBeleadBldm,
                      KindSingleBias, KindOxygen3, KindOff};

QString names(const Entries& entries)
{
    QStringList out;
    for (KindEntry e : entries)
        out << QString::fromUtf8(kindEntrySource(e));
    return out.join('|');
}

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestSensorKinds : public QObject
{
    Q_OBJECT

private slots:
    void lists_data();
    void lists();
    void current_data();
    void current();
    void choice_data();
    void choice();
    void applyKeepsCellAndClearsFlag();
};

void TestSensorKinds::lists_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("channel");
    QTest::addColumn<Entries>("entries");

    for (int model : {ModelT6M, ModelT6M4, ModelT8M})
        for (int layout : {ClassicMap, ExtendedMap})
            for (int channel : {0, 3, 7})
                QTest::addRow("%d/%d/%d full", model, layout, channel)
                    << model << layout << channel << full;
    for (int layout : {ClassicMap, ExtendedMap}) {
        QTest::addRow("T2Classic/%d", layout)
            << int(ModelT2Classic) << layout << 0 << Entries{KindOtherGases, KindOxygen};
        QTest::addRow("T2/%d", layout)
            << int(ModelT2) << layout << 1
            << Entries{KindSingle,  KindBias200, KindBias300, KindBiasMinus600,
                       KindNSignal, KindOxygen,  KindOxygen3, KindOff};
    }
    for (int model : {ModelT6, ModelT6B, ModelT6Mini}) {
        QTest::addRow("%d cls 0", model)
            << model << int(ClassicMap) << 0 << Entries{KindSingle, KindDual};
        QTest::addRow("%d cls 1", model)
            << model << int(ClassicMap) << 1 << Entries{KindSingle, KindDual};
        QTest::addRow("%d cls 2", model) << model << int(ClassicMap) << 2 << Entries{KindOxygen};
        QTest::addRow("%d cls 3", model)
            << model << int(ClassicMap) << 3 << Entries{KindSingle, KindPid, KindTk, KindMipex};
        QTest::addRow("%d cls 4", model) << model << int(ClassicMap) << 4 << Entries{};
        QTest::addRow("%d ext 2", model)
            << model << int(ExtendedMap) << 2 << Entries{KindOxygen, KindOxygen3, KindOff};
        QTest::addRow("%d ext 4", model) << model << int(ExtendedMap) << 4 << Entries{};
    }
    for (int model : {ModelT6, ModelT6B}) {
        QTest::addRow("%d ext 0", model)
            << model << int(ExtendedMap) << 0 << Entries{KindSingle, KindDual, KindOff};
        QTest::addRow("%d ext 1", model)
            << model << int(ExtendedMap) << 1 << Entries{KindSingle, KindDual, KindOff};
        QTest::addRow("%d ext 3", model)
            << model << int(ExtendedMap) << 3
            << Entries{KindSingle,   KindPid,        KindTk,         KindMipex, KindCubic,
                       KindDynament, KindBeleadBlrm, KindBeleadBldm, KindOff};
    }
    QTest::newRow("Mini ext 0") << int(ModelT6Mini) << int(ExtendedMap) << 0
                                << Entries{KindSingle, KindOff};
    QTest::newRow("Mini ext 3") << int(ModelT6Mini) << int(ExtendedMap) << 3
                                << Entries{KindTk, KindOff};
    QTest::newRow("none") << int(ModelNone) << int(ClassicMap) << 0 << Entries{};
    QTest::newRow("bootloader") << int(ModelBootloader) << int(ExtendedMap) << 0 << Entries{};
}

void TestSensorKinds::lists()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    QFETCH(int, channel);
    QFETCH(Entries, entries);
    QCOMPARE(names(kindEntries(quint16(model), quint16(layout), channel)), names(entries));
}

void TestSensorKinds::current_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<int>("entry");

    const int M = ModelT6M, C = ClassicMap, E = ExtendedMap;
    // Full list.
    QTest::newRow("full F8 K0") << M << E << 0 << 0x100 << 0x01 << int(KindSingle);
    QTest::newRow("full F8 K1") << M << E << 0 << 0x100 << 0x02 << int(KindDual);
    QTest::newRow("full F8 K0K1") << M << E << 0 << 0x100 << 0x03 << int(KindSingle);
    QTest::newRow("full F9 K=0") << M << C << 0 << 0x200 << 0x00 << int(KindOxygen);
    QTest::newRow("full F9 K=0 high byte") << M << C << 0 << 0x200 << 0x2000 << int(KindOxygen);
    QTest::newRow("full F9+F10 oxygen first") << M << C << 0 << 0x600 << 0x00 << int(KindOxygen);
    QTest::newRow("full F10") << M << C << 0 << 0x400 << 0x00 << int(KindPid);
    QTest::newRow("full F12") << M << C << 0 << 0x1000 << 0x00 << int(KindTk);
    QTest::newRow("full F11 K0") << M << C << 0 << 0x800 << 0x01 << int(KindMipex);
    QTest::newRow("full F11 K1") << M << C << 0 << 0x800 << 0x02 << int(KindCubic);
    QTest::newRow("full F11 K2") << M << C << 0 << 0x800 << 0x04 << int(KindDynament);
    QTest::newRow("full F11 K3") << M << C << 0 << 0x800 << 0x08 << int(KindBeleadBlrm);
    QTest::newRow("full F11 K4") << M << C << 0 << 0x800 << 0x10 << int(KindBeleadBldm);
    QTest::newRow("full F11 none") << M << C << 0 << 0x800 << 0x00 << int(KindOff);
    QTest::newRow("full F8 K2") << M << C << 0 << 0x100 << 0x04 << int(KindSingleBias);
    QTest::newRow("full F9 K0") << M << C << 0 << 0x200 << 0x01 << int(KindOxygen3);
    QTest::newRow("full F9 K1") << M << C << 0 << 0x200 << 0x02 << int(KindOff);
    QTest::newRow("full nothing") << M << C << 0 << 0 << 0 << int(KindOff);
    // T2 models.
    QTest::newRow("T2Classic F9") << int(ModelT2Classic) << C << 0 << 0x200 << 0x01
                                  << int(KindOxygen);
    QTest::newRow("T2Classic other")
        << int(ModelT2Classic) << E << 0 << 0x100 << 0 << int(KindOtherGases);
    QTest::newRow("T2 F8 K0") << int(ModelT2) << E << 0 << 0x100 << 0x01 << int(KindSingle);
    QTest::newRow("T2 F8 K1") << int(ModelT2) << E << 0 << 0x100 << 0x02 << int(KindBias200);
    QTest::newRow("T2 F8 K2") << int(ModelT2) << E << 0 << 0x100 << 0x04 << int(KindBias300);
    QTest::newRow("T2 F8 K3") << int(ModelT2) << E << 0 << 0x100 << 0x08 << int(KindBiasMinus600);
    QTest::newRow("T2 F8 K4") << int(ModelT2) << E << 0 << 0x100 << 0x10 << int(KindNSignal);
    QTest::newRow("T2 F8 K3K4 first bit")
        << int(ModelT2) << E << 0 << 0x100 << 0x18 << int(KindBiasMinus600);
    QTest::newRow("T2 F9 K=0") << int(ModelT2) << E << 0 << 0x200 << 0 << int(KindOxygen);
    QTest::newRow("T2 F9 K0") << int(ModelT2) << E << 0 << 0x200 << 1 << int(KindOxygen3);
    QTest::newRow("T2 F8 none") << int(ModelT2) << E << 0 << 0x100 << 0 << int(KindOff);
    // Classic T6 family.
    for (int model : {ModelT6, ModelT6B, ModelT6Mini}) {
        QTest::addRow("%d cls0 F8", model) << model << C << 0 << 0x100 << 0 << int(KindDual);
        QTest::addRow("%d cls1 none", model) << model << C << 1 << 0 << 0 << int(KindSingle);
        QTest::addRow("%d cls2", model) << model << C << 2 << 0 << 0 << int(KindOxygen);
        QTest::addRow("%d cls3 F10", model) << model << C << 3 << 0x400 << 0 << int(KindPid);
        QTest::addRow("%d cls3 F12", model) << model << C << 3 << 0x1000 << 0 << int(KindTk);
        QTest::addRow("%d cls3 F11", model) << model << C << 3 << 0x800 << 0 << int(KindMipex);
        QTest::addRow("%d cls3 none", model) << model << C << 3 << 0x100 << 0 << int(KindSingle);
        // Channel 2 shows the oxygen entries by the sub-kind alone.
        QTest::addRow("%d ext2 K=0", model) << model << E << 2 << 0 << 0x300 << int(KindOxygen);
        QTest::addRow("%d ext2 K1", model) << model << E << 2 << 0x200 << 0x02 << int(KindOxygen3);
    }
    for (int model : {ModelT6, ModelT6B}) {
        QTest::addRow("%d ext0 F8K0", model) << model << E << 0 << 0x100 << 1 << int(KindSingle);
        QTest::addRow("%d ext1 F8K1", model) << model << E << 1 << 0x100 << 2 << int(KindDual);
        QTest::addRow("%d ext0 F8K2", model) << model << E << 0 << 0x100 << 4 << int(KindOff);
        QTest::addRow("%d ext3 F8K0", model) << model << E << 3 << 0x100 << 1 << int(KindSingle);
        QTest::addRow("%d ext3 F10", model) << model << E << 3 << 0x400 << 0 << int(KindPid);
        QTest::addRow("%d ext3 F12", model) << model << E << 3 << 0x1000 << 0 << int(KindTk);
        QTest::addRow("%d ext3 F11K0", model) << model << E << 3 << 0x800 << 1 << int(KindMipex);
        QTest::addRow("%d ext3 F11K1", model) << model << E << 3 << 0x800 << 2 << int(KindCubic);
        QTest::addRow("%d ext3 F11K2", model) << model << E << 3 << 0x800 << 4 << int(KindDynament);
        QTest::addRow("%d ext3 F11K3", model)
            << model << E << 3 << 0x800 << 8 << int(KindBeleadBlrm);
        QTest::addRow("%d ext3 F11K4", model)
            << model << E << 3 << 0x800 << 16 << int(KindBeleadBldm);
        QTest::addRow("%d ext3 F11 none", model) << model << E << 3 << 0x800 << 0 << int(KindOff);
        QTest::addRow("%d ext3 none", model) << model << E << 3 << 0 << 0 << int(KindOff);
    }
    QTest::newRow("Mini ext0 F8K0") << int(ModelT6Mini) << E << 0 << 0x100 << 1 << int(KindSingle);
    QTest::newRow("Mini ext0 F8K1") << int(ModelT6Mini) << E << 0 << 0x100 << 2 << int(KindOff);
    QTest::newRow("Mini ext3 F12") << int(ModelT6Mini) << E << 3 << 0x1000 << 0 << int(KindTk);
    QTest::newRow("Mini ext3 F10") << int(ModelT6Mini) << E << 3 << 0x400 << 0 << int(KindOff);
}

void TestSensorKinds::current()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    QFETCH(int, channel);
    QFETCH(int, format);
    QFETCH(int, sensorType);
    QFETCH(int, entry);
    const Entries list = kindEntries(quint16(model), quint16(layout), channel);
    const int index = currentKindIndex(quint16(model), quint16(layout), channel, quint16(format),
                                       quint16(sensorType));
    QVERIFY(index >= 0 && size_t(index) < list.size());
    QCOMPARE(int(list[size_t(index)]), entry);
}

void TestSensorKinds::choice_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("formatBit");
    QTest::addColumn<int>("subBit");

    const int C = ClassicMap, E = ExtendedMap;
    const int fullBits[13][2] = {{8, 0},  {8, 1},  {9, -1}, {10, -1}, {12, -1}, {11, 0}, {11, 1},
                                 {11, 2}, {11, 3}, {11, 4}, {8, 2},   {9, 0},   {0, -1}};
    for (int model : {ModelT6M, ModelT6M4, ModelT8M})
        for (int layout : {C, E})
            for (int i = 0; i < 13; ++i)
                QTest::addRow("%d/%d/%d", model, layout, i)
                    << model << layout << 5 << i << fullBits[i][0] << fullBits[i][1];
    const int t2Ext[8][2] = {{8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4}, {9, -1}, {9, 0}, {0, -1}};
    for (int model : {ModelT2, ModelT2Classic}) {
        for (int i = 0; i < 8; ++i)
            QTest::addRow("%d ext %d", model, i)
                << model << E << 0 << i << t2Ext[i][0] << t2Ext[i][1];
        QTest::addRow("%d cls0 0", model) << model << C << 0 << 0 << 0 << -1;
        QTest::addRow("%d cls0 1", model) << model << C << 0 << 1 << 9 << -1;
        QTest::addRow("%d cls0 5", model) << model << C << 0 << 5 << 9 << -1;
        QTest::addRow("%d cls1 1", model) << model << C << 1 << 1 << 0 << -1;
    }
    for (int model : {ModelT6, ModelT6B, ModelT6Mini}) {
        QTest::addRow("%d cls0 0", model) << model << C << 0 << 0 << 0 << -1;
        QTest::addRow("%d cls1 1", model) << model << C << 1 << 1 << 8 << -1;
        QTest::addRow("%d cls2 0", model) << model << C << 2 << 0 << 9 << -1;
        QTest::addRow("%d cls2 3", model) << model << C << 2 << 3 << 9 << -1;
        QTest::addRow("%d cls3 0", model) << model << C << 3 << 0 << 0 << -1;
        QTest::addRow("%d cls3 1", model) << model << C << 3 << 1 << 10 << -1;
        QTest::addRow("%d cls3 2", model) << model << C << 3 << 2 << 12 << -1;
        QTest::addRow("%d cls3 3", model) << model << C << 3 << 3 << 11 << -1;
        QTest::addRow("%d ext2 0", model) << model << E << 2 << 0 << 9 << -1;
        QTest::addRow("%d ext2 1", model) << model << E << 2 << 1 << 9 << 0;
        QTest::addRow("%d ext2 2", model) << model << E << 2 << 2 << 0 << -1;
    }
    for (int model : {ModelT6, ModelT6B}) {
        QTest::addRow("%d ext0 0", model) << model << E << 0 << 0 << 8 << 0;
        QTest::addRow("%d ext1 1", model) << model << E << 1 << 1 << 8 << 1;
        QTest::addRow("%d ext1 2", model) << model << E << 1 << 2 << 0 << -1;
        const int ext3[9][2] = {{8, 0},  {10, -1}, {12, -1}, {11, 0}, {11, 1},
                                {11, 2}, {11, 3},  {11, 4},  {0, -1}};
        for (int i = 0; i < 9; ++i)
            QTest::addRow("%d ext3 %d", model, i)
                << model << E << 3 << i << ext3[i][0] << ext3[i][1];
    }
    QTest::newRow("Mini ext0 0") << int(ModelT6Mini) << E << 0 << 0 << 8 << 0;
    QTest::newRow("Mini ext0 1") << int(ModelT6Mini) << E << 0 << 1 << 0 << -1;
    QTest::newRow("Mini ext3 0") << int(ModelT6Mini) << E << 3 << 0 << 12 << -1;
    QTest::newRow("Mini ext3 1") << int(ModelT6Mini) << E << 3 << 1 << 0 << -1;
    QTest::newRow("other model") << int(ModelNone) << E << 0 << 0 << 0 << -1;
}

void TestSensorKinds::choice()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    QFETCH(int, channel);
    QFETCH(int, index);
    QFETCH(int, formatBit);
    QFETCH(int, subBit);
    const KindBits bits = kindChoiceBits(quint16(model), quint16(layout), channel, index);
    QCOMPARE(bits.formatBit, formatBit);
    QCOMPARE(bits.subBit, subBit);
}

void TestSensorKinds::applyKeepsCellAndClearsFlag()
{
    quint16 format = 0x1F00 | 0x00A5; // old kind bits and unit/decimal bits
    quint16 sensorType = 0x201F;      // cell 3 in the high byte, old sub-kind bits
    quint32 flags = 0x10007;
    applyKindBits(KindBits{11, 3}, format, sensorType, flags);
    QCOMPARE(format, quint16(0x08A5));
    QCOMPARE(sensorType, quint16(0x2008));
    QCOMPARE(flags, quint32(0x10003));
    applyKindBits(KindBits{}, format, sensorType, flags);
    QCOMPARE(format, quint16(0x00A5));
    QCOMPARE(sensorType, quint16(0x2000));
}

QTEST_APPLESS_MAIN(TestSensorKinds)
#include "test_sensorkinds.moc"
