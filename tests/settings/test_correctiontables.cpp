// The correction tables shared by the channel set-up page and the calibration
// page: a collect stores the cells the operator changed since the fill, into the
// channel they were filled from, and nothing else.

#include "command.h"
#include "commandstate.h"
#include "correctiontables.h"

#include <QDoubleSpinBox>
#include <QTableWidget>
#include <QtTest>

Q_DECLARE_METATYPE(CorrectionTables::Layouts)

namespace
{

using Layouts = CorrectionTables::Layouts;

// The three tables on a page of their own.
struct Page {
    QWidget widget;
    QTableWidget temp{&widget};
    QTableWidget span{&widget};
    QTableWidget zero{&widget};
    CorrectionTables tables;
    explicit Page(Layouts layouts) : tables({&temp, &span, &zero, &widget, layouts}) {}
    QDoubleSpinBox* cell(int table, int row, int column) { return tables.cell(table, row, column); }
};

void resetImage(quint16 model, quint16 layout)
{
    clearImage();
    command.modelCode = model;
    command.registerMap = layout;
}

// Values that the cells cannot show as they are: a store of an untouched cell
// would change each of them.
void seedUnshowable(int ch)
{
    auto& e = command.extendedChannels[ch];
    e.format = 0;             // no decimals, but ...
    e.displayDivisor[1] = 10; // ... a scale of ten: 12345 shows as 1234 or 1235
    e.spanTableConcentration[1] = 12345;
    e.tempTableCoefficient[2] = 70.0f; // above the cell's 65.535
    e.zeroTableOffset[4] = -32768;     // below the cell's -3200
    auto& c = command.classicChannels[ch];
    c.format = 0;
    c.displayDivisor[1] = 10;
    c.spanTableConcentration[1] = 12345;
    c.tempTableCoefficient[2] = 70.0f;
    command.classicExtras[ch].offset[4] = -32768; // below the cell's -320
}

} // namespace

class TestCorrectionTables : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetImage(ModelT6M, ExtendedMap); }

    void cellRanges_data()
    {
        QTest::addColumn<Layouts>("layouts");
        QTest::newRow("set-up page") << Layouts::ClassicAndExtended;
        QTest::newRow("calibration page") << Layouts::ExtendedOnly;
    }
    // The temperature cells hold what a signed 16-bit word of hundredths holds:
    // a typed 400.00 is held at 327.67, never stored as some other number.
    void cellRanges()
    {
        QFETCH(Layouts, layouts);
        Page page(layouts);
        QCOMPARE(page.temp.rowCount(), 10);
        QCOMPARE(page.zero.columnCount(), 2);
        QCOMPARE(page.cell(CorrectionTables::TempTable, 9, 0)->minimum(), -327.68);
        QCOMPARE(page.cell(CorrectionTables::TempTable, 9, 0)->maximum(), 327.67);
        QCOMPARE(page.cell(CorrectionTables::ZeroTable, 0, 0)->minimum(), -327.68);
        QCOMPARE(page.cell(CorrectionTables::ZeroTable, 0, 0)->maximum(), 327.67);
        QCOMPARE(page.cell(CorrectionTables::TempTable, 0, 1)->maximum(), 65.535);
        QCOMPARE(page.cell(CorrectionTables::TempTable, 0, 1)->decimals(), 3);
        QCOMPARE(page.cell(CorrectionTables::SpanTable, 0, 0)->maximum(), 655.35);
        QCOMPARE(page.cell(CorrectionTables::ZeroTable, 0, 1)->minimum(), -320.0);
        QCOMPARE(page.cell(CorrectionTables::ZeroTable, 0, 1)->parentWidget()->parentWidget(),
                 &page.zero);

        // A fill leaves the temperature cells' range as it is.
        QVERIFY(page.tables.fill(2));
        page.cell(CorrectionTables::TempTable, 4, 0)->setValue(400.0);
        page.cell(CorrectionTables::ZeroTable, 5, 0)->setValue(-400.0);
        QCOMPARE(page.cell(CorrectionTables::TempTable, 4, 0)->value(), 327.67);
        QCOMPARE(page.cell(CorrectionTables::ZeroTable, 5, 0)->value(), -327.68);
        page.tables.collect(2);
        QCOMPARE(command.extendedChannels[2].tempTableTemperature[4], qint16(32767));
        QCOMPARE(command.extendedChannels[2].zeroTableTemperature[5], qint16(-32768));
    }

    // One typed cell reaches its field; every other byte of the image stays,
    // although the untouched cells show the seeded values clamped or rounded.
    void onlyTheEditedCellIsStored_data()
    {
        QTest::addColumn<Layouts>("layouts");
        QTest::addColumn<int>("layout");
        QTest::newRow("calibration, extended") << Layouts::ExtendedOnly << int(ExtendedMap);
        QTest::newRow("set-up, extended") << Layouts::ClassicAndExtended << int(ExtendedMap);
        QTest::newRow("set-up, classic") << Layouts::ClassicAndExtended << int(ClassicMap);
    }
    void onlyTheEditedCellIsStored()
    {
        QFETCH(Layouts, layouts);
        QFETCH(int, layout);
        resetImage(ModelT6M, quint16(layout));
        seedUnshowable(3);
        Page page(layouts);
        QVERIFY(page.tables.fill(3));
        const QByteArray before = imageSnapshot();
        page.tables.collect(3);
        QVERIFY(imageSnapshot() == before);

        page.cell(CorrectionTables::TempTable, 6, 0)->setValue(20.30);
        page.tables.collect(3);
        qint16& stored = layout == ClassicMap ? command.classicChannels[3].tempTableTemperature[6]
                                              : command.extendedChannels[3].tempTableTemperature[6];
        QCOMPARE(stored, qint16(2030));
        stored = 0;
        QVERIFY(imageSnapshot() == before);
    }

    // A collect names the channel the cells were filled from, or stores nothing;
    // a cell typed and typed back, or collected once already, is not stored again.
    void whatACollectStores()
    {
        Page page(Layouts::ExtendedOnly);
        page.tables.collect(0); // never filled
        QDoubleSpinBox* offset = page.cell(CorrectionTables::ZeroTable, 2, 1);
        offset->setValue(-1.5);
        page.tables.collect(0);
        QCOMPARE(command.extendedChannels[0].zeroTableOffset[2], qint16(0));

        command.extendedChannels[1].format = 1u << 6; // one decimal
        command.extendedChannels[1].displayDivisor[1] = 10;
        QVERIFY(page.tables.fill(1));
        offset->setValue(-1.5);
        page.tables.collect(2);
        QCOMPARE(command.extendedChannels[2].zeroTableOffset[2], qint16(0));
        page.tables.collect(1);
        QCOMPARE(command.extendedChannels[1].zeroTableOffset[2], qint16(-15));

        // The image changes under the cells (a read): a later collect keeps it.
        command.extendedChannels[1].zeroTableOffset[2] = 7;
        page.tables.collect(1);
        QCOMPARE(command.extendedChannels[1].zeroTableOffset[2], qint16(7));

        QDoubleSpinBox* conc = page.cell(CorrectionTables::SpanTable, 0, 0);
        command.extendedChannels[1].spanTableConcentration[0] = 5;
        conc->setValue(3.0);
        conc->setValue(0.0); // what the fill showed
        page.tables.collect(1);
        QCOMPARE(command.extendedChannels[1].spanTableConcentration[0], quint16(5));
    }

    // The calibration page's tables are the extended map's only.
    void extendedOnlyUnderTheClassicMap()
    {
        resetImage(ModelT6M, ClassicMap);
        command.classicChannels[0].tempTableTemperature[0] = 1234;
        Page page(Layouts::ExtendedOnly);
        QVERIFY(!page.tables.fill(0));
        QCOMPARE(page.cell(CorrectionTables::TempTable, 0, 0)->value(), 0.0);
        const QByteArray before = imageSnapshot();
        page.cell(CorrectionTables::TempTable, 0, 1)->setValue(2.5);
        page.tables.collect(0);
        page.tables.storeCell(CorrectionTables::TempTable, 0, 1, 0);
        QVERIFY(imageSnapshot() == before);
    }

    // In the classic map only the T6M and T6M4 have a zero table.
    void classicZeroTable_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("stored");
        QTest::newRow("T6M") << int(ModelT6M) << -15;
        QTest::newRow("T6M4") << int(ModelT6M4) << -15;
        QTest::newRow("T8M") << int(ModelT8M) << 0;
        QTest::newRow("T6") << int(ModelT6) << 0;
    }
    void classicZeroTable()
    {
        QFETCH(int, model);
        QFETCH(int, stored);
        resetImage(quint16(model), ClassicMap);
        command.classicChannels[1].format = 1u << 6; // one decimal
        command.classicChannels[1].displayDivisor[1] = 10;
        Page page(Layouts::ClassicAndExtended);
        QVERIFY(page.tables.fill(1));
        page.cell(CorrectionTables::ZeroTable, 3, 1)->setValue(-1.5);
        page.tables.collect(1);
        QCOMPARE(int(command.classicExtras[1].offset[3]), stored);
    }
};

QTEST_MAIN(TestCorrectionTables)
#include "test_correctiontables.moc"
