// The channel set-up page: a refresh or a channel switch changes nothing, what
// each edit and kind choice stores, the correction tables, and "Записать"
// against the simulated detector.

#include "command.h"
#include "commandstate.h"
#include "devicesetting_4_window.h"
#include "dialogs.h"
#include "simdetector.h"
#include "widgetlookup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include <cstring>

namespace
{

void resetCommand(quint16 model, quint16 layout)
{
    clearImage();
    command.modelCode = model;
    command.registerMap = layout;
    command.channelOffMarker =
        (model == ModelT6 || model == ModelT6B || model == ModelT6Mini) ? 7 : 170;
    command.secondsPerTick = 1.0;
    command.currentChannel = 0;
}

// Random channel records with sane divisors and floats.
void randomImage(quint32 seed)
{
    QRandomGenerator random(seed);
    for (int ch = 0; ch < ChannelSlots; ++ch) {
        auto* c = reinterpret_cast<quint8*>(&command.classicChannels[ch]);
        for (size_t i = 0; i < sizeof command.classicChannels[ch]; ++i)
            c[i] = quint8(random.generate());
        auto* e = reinterpret_cast<quint8*>(&command.extendedChannels[ch]);
        for (size_t i = 0; i < sizeof command.extendedChannels[ch]; ++i)
            e[i] = quint8(random.generate());
        auto* z = reinterpret_cast<quint8*>(&command.classicExtras[ch]);
        for (size_t i = 0; i < sizeof command.classicExtras[ch]; ++i)
            z[i] = quint8(random.generate());
        auto& cr = command.classicChannels[ch];
        auto& er = command.extendedChannels[ch];
        cr.molecularWeight = 28.01f;
        cr.lelCoefficient = 1.5f;
        er.molecularWeight = 16.04f;
        er.lelCoefficient = 4.4f;
        cr.calibrationCoefficient = er.calibrationCoefficient = 1.0f;
        er.sensorProtection = 12.5f;
        for (int i = 0; i < 10; ++i) {
            cr.tempTableCoefficient[i] = er.tempTableCoefficient[i] = 1.25f;
            er.spanTableCoefficient[i] = 0.5f;
        }
        for (float* f :
             {&er.limit1, &er.limit2, &er.limit3, &er.limit4, &er.hysteresis, &er.deadZone,
              &er.deadZone2, &er.stel, &er.twa, &er.calibrationConcentration, &er.calibrationGas})
            *f = 12.5f;
        cr.displayDivisor[0] = 10;
        cr.displayDivisor[1] = 100;
        er.displayDivisor[0] = 10;
        er.displayDivisor[1] = 100;
        // Values the boxes cannot show as they are: a refresh must still leave them.
        er.averagingCount = 55;
        er.channelFlags |= 1u << 2;
        cr.channelFlags |= 1u << 2;
        command.classicExtras[ch].offset[0] = 32000; // beyond the classic column's range
    }
}

QDoubleSpinBox* cell(QWidget& page, const char* table, int row, int column)
{
    return qobject_cast<QDoubleSpinBox*>(child<QTableWidget>(page, table)->cellWidget(row, column));
}

// The set-up blocks of channel ch read into the image, as the device holds them.
bool readChannelBlocks(quint16 ch)
{
    QVector<QPair<int, int>> blocks; // first register, count
    if (command.registerMap == ClassicMap) {
        blocks = {{256, 82}, {546, 1}};
        if (command.modelCode == ModelT6M)
            blocks += {{352, 20}, {514, 1}};
    } else {
        blocks = {{258, 55}, {336, 60}, {768, 2}, {400, 7}, {548, 2}};
    }
    for (const auto& b : blocks)
        if (command.transact(3, ch, quint16(b.first), quint16(b.second)) != ResultOk)
            return false;
    return true;
}

quint16 fmt(int display, int base, int decimals, int rawDecimals, int kindBits = 0)
{
    return quint16(display | (base << 2) | (decimals << 4) | (rawDecimals << 6) | kindBits);
}

// Where a box of the classic layout stores its value in the channel record.
using ClassicField = int (*)(const ClassicChannelRecord&);

int storedLimit4(const ClassicChannelRecord& r)
{
    return r.limit4;
}

int storedLimit2(const ClassicChannelRecord& r)
{
    return r.limit2;
}

// The protection threshold fills the load and gain bytes, load byte high.
int storedProtection(const ClassicChannelRecord& r)
{
    return (r.rloadIndex << 8) | r.rgainIndex;
}

} // namespace

Q_DECLARE_METATYPE(ClassicField)

class TestDeviceSetting4 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(sim.start(), qPrintable(sim.errorString())); }
    void refreshChangesNothing_data();
    void refreshChangesNothing();
    void kindChoiceResetsUnits();
    void kindChoiceKeepsCell();
    void kindRowsAndFormula();
    void circuitTabOpensEnabled_data();
    void circuitTabOpensEnabled();
    void circuitTabKeepsTheTechniciansChoice();
    void classicConversions_data();
    void classicConversions();
    void extendedFields();
    void bldmCoefficientShowsWhatIsStored_data();
    void bldmCoefficientShowsWhatIsStored();
    void tableStores_data();
    void tableStores();
    void collectSkipsForeignAndUnfilledCells();
    void writeButton();
    void writeButtonSendsTheFlagWord_data();
    void writeButtonSendsTheFlagWord();
    void adcPointsGoOnlyWithTheWriteButton_data();
    void adcPointsGoOnlyWithTheWriteButton();
    void writeFailureWarns_data();
    void writeFailureWarns();
    void writeRefusedInUnknownLayout();
    void saveUnchangedOnSimulator_data();
    void saveUnchangedOnSimulator();

private:
    bool connectAs(quint16 model, quint16 layout);
    SimDetector sim;
    QWidget host;
};

// The image cleared for `model` in `layout` and the program connected to a
// simulated detector of the same, without faults.
bool TestDeviceSetting4::connectAs(quint16 model, quint16 layout)
{
    resetCommand(model, layout);
    sim.setProfile(simLayoutOf(layout), model);
    sim.clearFaults();
    // The layout told by the device, as the program's first read asks it.
    return connectToSimulator(sim) && command.adoptProbedMap() && command.registerMap == layout;
}

void TestDeviceSetting4::refreshChangesNothing_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    for (int model :
         {ModelT6, ModelT6B, ModelT6Mini, ModelT6M, ModelT6M4, ModelT8M, ModelT2, ModelT2Classic})
        for (int layout : {ClassicMap, ExtendedMap})
            QTest::addRow("%d/%d", model, layout) << model << layout;
}

void TestDeviceSetting4::refreshChangesNothing()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    resetCommand(quint16(model), quint16(layout));
    randomImage(quint32(model * 3 + layout));
    DeviceSetting_4_Window page(&host);
    const QByteArray before = imageSnapshot();
    for (int ch : {0, 1, 2, 3, 2, 0, 5}) {
        page.collectTables(ch);
        page.showParameters(ch);
        page.collectTables(ch);
    }
    QVERIFY(imageSnapshot() == before);
}

void TestDeviceSetting4::kindChoiceResetsUnits()
{
    resetCommand(ModelT6, ClassicMap);
    auto& r = command.classicChannels[3];
    r.format = fmt(1, 1, 3, 3);
    r.displayDivisor[0] = r.displayDivisor[1] = 1000;
    r.channelFlags = 0x0004;
    r.channelPage = 3;
    DeviceSetting_4_Window page(&host);
    page.showParameters(3);
    auto* kind = child<QComboBox>(page, "comboBoxConfigChan");
    QCOMPARE(kind->count(), 4);
    QTest::qWait(0);
    kind->setCurrentIndex(1); // PID
    QMetaObject::invokeMethod(kind, "activated", Q_ARG(int, 1));
    QCOMPARE(r.format & 0x1F00, 0x0400);
    QCOMPARE(r.format & 0x0F, 0); // PPM / PPM
    QCOMPARE((r.format >> 4) & 3, 1);
    QCOMPARE((r.format >> 6) & 3, 2);
    QCOMPARE(r.displayDivisor[0], quint16(10));
    QCOMPARE(r.displayDivisor[1], quint16(100));
    QCOMPARE(r.channelFlags & 0x0004, 0);
    QCOMPARE(kind->currentText(), QString("PID"));

    QMetaObject::invokeMethod(kind, "activated", Q_ARG(int, 2)); // TK
    QCOMPARE(r.format & 0x1F00, 0x1000);
    QCOMPARE(kind->currentText(), QString("TK"));
    QVERIFY(!child<QWidget>(page, "WidgetMaxRange")->isHidden());
    QMetaObject::invokeMethod(kind, "activated", Q_ARG(int, 3)); // MIPEX
    QCOMPARE(r.format & 0x1F00, 0x0800);
    QCOMPARE(kind->currentText(), QString("MIPEX"));
    QVERIFY(child<QWidget>(page, "tabWidget_param_2")->isHidden());
    QVERIFY(child<QWidget>(page, "groupBox_5")->isHidden());
}

void TestDeviceSetting4::kindChoiceKeepsCell()
{
    resetCommand(ModelT6M, ClassicMap);
    auto& r = command.classicChannels[1];
    r.sensorType = 0x2001; // cell 3, single-channel
    r.format = fmt(0, 0, 1, 2, 0x100);
    r.displayDivisor[0] = 10;
    r.displayDivisor[1] = 100;
    DeviceSetting_4_Window page(&host);
    page.showParameters(1);
    auto* kind = child<QComboBox>(page, "comboBoxConfigChan");
    QCOMPARE(kind->count(), 13);
    QMetaObject::invokeMethod(kind, "activated", Q_ARG(int, 7)); // DYNAMENT
    QCOMPARE(r.sensorType, quint16(0x2004));
    QCOMPARE(r.format & 0x1F00, 0x0800);
    QCOMPARE(child<QComboBox>(page, "comboBoxConfigChan_Pos")->currentIndex(), 2);
    QCOMPARE(child<QLabel>(page, "label_84")->text(), QString("RANGE:"));
    // Electrochemical again: the gain list of the model comes back.
    QMetaObject::invokeMethod(kind, "activated", Q_ARG(int, 0));
    QCOMPARE(child<QLabel>(page, "label_84")->text(), QString("PGA:"));
    QCOMPARE(child<QComboBox>(page, "comboBoxPGA")->count(), 4);
}

void TestDeviceSetting4::kindRowsAndFormula()
{
    resetCommand(ModelT6, ClassicMap);
    auto& r = command.classicChannels[3];
    r.displayDivisor[0] = 10;
    r.displayDivisor[1] = 100;
    DeviceSetting_4_Window page(&host);
    page.showParameters(3);
    auto* formula = child<QComboBox>(page, "comboBoxConfigFormula");
    QCOMPARE(formula->count(), 5);
    QMetaObject::invokeMethod(formula, "activated", Q_ARG(int, 3)); // H2
    QCOMPARE(r.format & 0xE000, 0x8000);
    page.showParameters(3);
    QCOMPARE(formula->currentText(), QString("H2"));
    QMetaObject::invokeMethod(formula, "activated", Q_ARG(int, 4)); // CO2
    QCOMPARE(r.format & 0xE000, 0);
    page.showParameters(3);
    QCOMPARE(formula->currentText(), QString("Нет"));

    resetCommand(ModelT8M, ExtendedMap);
    DeviceSetting_4_Window t8(&host);
    t8.showParameters(0);
    auto* pos = child<QComboBox>(t8, "comboBoxConfigChan_Pos");
    QCOMPARE(pos->count(), 7);
    QCOMPARE(pos->itemText(6), QString("Откл"));
    QMetaObject::invokeMethod(pos, "activated", Q_ARG(int, 6));
    QCOMPARE(command.extendedChannels[0].cellPosition, quint8(6));

    // Oxygen and PID bits together: the oxygen rows come first.
    command.extendedChannels[0].format = 0x0600;
    t8.showParameters(0);
    QCOMPARE(child<QComboBox>(t8, "comboBoxConfigChan")->currentText(), QString("Кислород"));
    QVERIFY(child<QWidget>(t8, "WidgetMeasureCircuit_2")->isHidden());

    // T6B: the first circuit tab only with sensor-type bit 2.
    resetCommand(ModelT6B, ExtendedMap);
    command.extendedChannels[0].format = 0x0100;
    command.extendedChannels[0].sensorType = 0x0001;
    DeviceSetting_4_Window t6b(&host);
    t6b.showParameters(0);
    auto* tabs = child<QTabWidget>(t6b, "tabWidget_param_2");
    QVERIFY(!tabs->isTabEnabled(0));
    command.extendedChannels[0].sensorType = 0x0004;
    t6b.showParameters(0);
    QVERIFY(tabs->isTabEnabled(0));
    // For a module the same bit is the DYNAMENT, whose range row is on that tab.
    command.extendedChannels[0].format = 0x0800;
    t6b.showParameters(0);
    QVERIFY(tabs->isTabEnabled(0));
    QVERIFY(!child<QWidget>(t6b, "WidgetMeasureCircuitPGA")->isHidden());
}

void TestDeviceSetting4::circuitTabOpensEnabled_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<int>("expected"); // the first tab the kind enables
    QTest::newRow("electrochemical") << int(ModelT6) << int(ExtendedMap) << 0 << 0x0100 << 1 << 0;
    QTest::newRow("two-channel") << int(ModelT6) << int(ExtendedMap) << 1 << 0x0100 << 2 << 0;
    QTest::newRow("oxygen") << int(ModelT6) << int(ExtendedMap) << 2 << 0x0200 << 0 << 0;
    QTest::newRow("PID") << int(ModelT6) << int(ExtendedMap) << 3 << 0x0400 << 0 << 0;
    QTest::newRow("TK") << int(ModelT6) << int(ExtendedMap) << 3 << 0x1000 << 0 << 0;
    QTest::newRow("DYNAMENT") << int(ModelT6) << int(ExtendedMap) << 3 << 0x0800 << 4 << 0;
    QTest::newRow("BLRM") << int(ModelT6) << int(ExtendedMap) << 3 << 0x0800 << 8 << 1;
    QTest::newRow("BLDM") << int(ModelT6) << int(ExtendedMap) << 3 << 0x0800 << 16 << 1;
    QTest::newRow("no kind") << int(ModelT6) << int(ExtendedMap) << 0 << 0 << 0 << 0;
    QTest::newRow("classic PID") << int(ModelT6) << int(ClassicMap) << 3 << 0x0400 << 0 << 0;
    QTest::newRow("classic TK") << int(ModelT6) << int(ClassicMap) << 3 << 0x1000 << 0 << 0;
    QTest::newRow("T6B bias") << int(ModelT6B) << int(ExtendedMap) << 0 << 0x0100 << 4 << 0;
    QTest::newRow("T6 Max BLRM") << int(ModelT6M) << int(ClassicMap) << 0 << 0x0800 << 8 << 1;
    QTest::newRow("T2") << int(ModelT2) << int(ExtendedMap) << 0 << 0x0100 << 1 << 0;
    QTest::newRow("T2 classic") << int(ModelT2Classic) << int(ClassicMap) << 0 << 0 << 0 << 0;
}

// The circuit tabs never open on a disabled tab (the "UartBT" tab, where Qt
// moves the current tab when a refresh disables the others), which would hide
// the rows of the tabs the kind uses.
void TestDeviceSetting4::circuitTabOpensEnabled()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    QFETCH(int, channel);
    QFETCH(int, format);
    QFETCH(int, sensorType);
    QFETCH(int, expected);
    resetCommand(quint16(model), quint16(layout));
    for (int ch = 0; ch < ChannelSlots; ++ch) {
        command.classicChannels[ch].channelPage = command.extendedChannels[ch].channelPage =
            quint16(ch);
        command.classicChannels[ch].displayDivisor[0] =
            command.extendedChannels[ch].displayDivisor[0] = 10;
        command.classicChannels[ch].displayDivisor[1] =
            command.extendedChannels[ch].displayDivisor[1] = 100;
    }
    command.classicChannels[channel].format = command.extendedChannels[channel].format =
        quint16(format);
    command.classicChannels[channel].sensorType = command.extendedChannels[channel].sensorType =
        quint16(sensorType);
    DeviceSetting_4_Window page(&host);
    auto* tabs = child<QTabWidget>(page, "tabWidget_param_2");
    // A fresh page, and one that showed another channel before.
    for (int pass = 0; pass < 2; ++pass) {
        page.showParameters(channel);
        QVERIFY(!tabs->isHidden());
        QCOMPARE(tabs->currentIndex(), expected);
        QVERIFY(tabs->isTabEnabled(tabs->currentIndex()));
        page.showParameters(channel == 0 ? 1 : 0);
        bool anyEnabled = false;
        for (int i = 0; i < tabs->count(); ++i)
            anyEnabled = anyEnabled || tabs->isTabEnabled(i);
        QVERIFY(!anyEnabled || tabs->isTabEnabled(tabs->currentIndex()));
    }
}

void TestDeviceSetting4::circuitTabKeepsTheTechniciansChoice()
{
    resetCommand(ModelT6, ExtendedMap);
    auto& blrm = command.extendedChannels[3];
    blrm.format = 0x0800;
    blrm.sensorType = 8; // BELEAD_BLRM: tabs 1 and 2
    command.extendedChannels[0].format = 0x0100;
    command.extendedChannels[0].sensorType = 1;
    DeviceSetting_4_Window page(&host);
    auto* tabs = child<QTabWidget>(page, "tabWidget_param_2");
    page.showParameters(3);
    QCOMPARE(tabs->currentIndex(), 1);
    tabs->setCurrentIndex(2); // the technician opens "UartBT"
    page.showParameters(3);
    QCOMPARE(tabs->currentIndex(), 2);
    page.showParameters(0); // another channel opens on its own first tab
    QCOMPARE(tabs->currentIndex(), 0);
    page.showParameters(3);
    QCOMPARE(tabs->currentIndex(), 2);
    blrm.sensorType = 16; // BELEAD_BLDM: tab 2 no longer in use
    page.showParameters(3);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(tabs->isTabEnabled(1));
}

void TestDeviceSetting4::classicConversions_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<ClassicField>("stored");
    QTest::addColumn<int>("divisor1");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    const QString limit4 = "doubleSpinBoxLim_4";
    const QString limit2 = "doubleSpinBoxLim_2";
    const QString protection = "doubleSpinBoxSensorProtection";
    // With second divisor 2 and factor 1 the scale is 0.5: ties go to even.
    QTest::newRow("tie down") << limit4 << &storedLimit4 << 2 << 1.25 << 2;
    QTest::newRow("tie up") << limit4 << &storedLimit4 << 2 << 1.75 << 4;
    QTest::newRow("16-bit clamp") << limit4 << &storedLimit4 << 2 << 60000.0 << 65535;
    // Limit 2 and the protection keep their bit 15 (direction, protection on).
    QTest::newRow("limit keeps direction")
        << limit2 << &storedLimit2 << 10 << 80.0 << (0x8000 | 800);
    QTest::newRow("limit 15-bit clamp") << limit2 << &storedLimit2 << 1 << 40000.0 << 0xFFFF;
    QTest::newRow("protection") << protection << &storedProtection << 10 << 30.0 << 0x812C;
    QTest::newRow("protection 15-bit clamp")
        << protection << &storedProtection << 1 << 40000.0 << 0xFFFF;
}

void TestDeviceSetting4::classicConversions()
{
    QFETCH(QString, box);
    QFETCH(ClassicField, stored);
    QFETCH(int, divisor1);
    QFETCH(double, value);
    QFETCH(int, expected);
    resetCommand(ModelT6, ClassicMap);
    auto& r = command.classicChannels[0];
    r.format = fmt(0, 0, 3, 0);
    r.displayDivisor[0] = 1;
    r.displayDivisor[1] = quint16(divisor1);
    r.limit2 = 0x8000 | 1200;
    r.rloadIndex = 0x80; // protection on
    r.format |= 0x1000;  // TK: the protection row
    DeviceSetting_4_Window page(&host);
    page.showParameters(0);
    child<QDoubleSpinBox>(page, qPrintable(box))->setValue(value);
    QCOMPARE(stored(r), expected);
}

// The BLDM coefficient box types from 0.0001, yet a stored 0 shows as 0 and the
// classic record, which has no such coefficient, shows none; the refresh stores nothing.
void TestDeviceSetting4::bldmCoefficientShowsWhatIsStored_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("spanAdc");
    QTest::addColumn<QString>("text");
    QTest::newRow("extended, 0 stored") << true << 0 << "0.0000";
    QTest::newRow("extended, 25000 stored") << true << 25000 << "2.5000";
    QTest::newRow("extended, 1 stored") << true << 1 << "0.0001";
    QTest::newRow("classic") << false << 0 << QString::fromUtf8("—");
}

void TestDeviceSetting4::bldmCoefficientShowsWhatIsStored()
{
    QFETCH(bool, extended);
    QFETCH(int, spanAdc);
    QFETCH(QString, text);
    resetCommand(ModelT6, extended ? ExtendedMap : ClassicMap);
    if (extended) {
        auto& r = command.extendedChannels[0];
        r.format = fmt(0, 0, 1, 2, 0x0800);
        r.sensorType = 0x10; // BLDM
        r.channelPage = 0;
        r.spanAdc = quint16(spanAdc);
    } else {
        command.classicChannels[0].format = fmt(0, 0, 1, 2, 0x0800);
        command.classicChannels[0].channelPage = 0;
    }
    DeviceSetting_4_Window page(&host);
    page.showParameters(0);
    QCOMPARE(child<QDoubleSpinBox>(page, "doubleSpinBoxCoef_Belead_Calib")->text(), text);
    if (extended)
        QCOMPARE(int(command.extendedChannels[0].spanAdc), spanAdc);
}

void TestDeviceSetting4::extendedFields()
{
    resetCommand(ModelT6, ExtendedMap);
    auto& r = command.extendedChannels[3];
    r.format = fmt(0, 0, 1, 2, 0x0800);
    r.sensorType = 0x10; // BLDM
    r.displayDivisor[0] = 10;
    r.displayDivisor[1] = 100;
    r.channelPage = 3;
    r.correctionCoefficient = 1500;
    DeviceSetting_4_Window page(&host);
    page.showParameters(3);
    QCOMPARE(child<QDoubleSpinBox>(page, "doubleSpinBoxCorr_Coef")->value(), 1.5);
    child<QDoubleSpinBox>(page, "doubleSpinBoxCoef_Belead_Calib")->setValue(2.5);
    QCOMPARE(r.spanAdc, quint16(25000));
    child<QDoubleSpinBox>(page, "doubleSpinBoxCorr_Coef")->setValue(1.25);
    QCOMPARE(r.correctionCoefficient, quint16(1250));
    child<QSpinBox>(page, "spinBoxPidWarm")->setValue(30);
    child<QSpinBox>(page, "spinBoxPidRead")->setValue(10);
    QCOMPARE(r.zeroAdc, quint16(0x0A1E));
    child<QSpinBox>(page, "spinBoxPidPeriod")->setValue(200);
    QCOMPARE(r.spanAdc, quint16(200));

    // Texts are cut at a character boundary.
    QMetaObject::invokeMethod(child<QLineEdit>(page, "lineEditMolecularForm"), "textEdited",
                              Q_ARG(QString, QString::fromUtf8("CH4ЖЖЖЖ")));
    QCOMPARE(QByteArray(r.gasFormula, 10), QByteArray("CH4\xD0\x96\xD0\x96\xD0\x96\0", 10));
    // and read back as they were stored.
    page.showParameters(3);
    QCOMPARE(child<QLineEdit>(page, "lineEditMolecularForm")->text(), QString::fromUtf8("CH4ЖЖЖ"));

    // STEL interval rounds both ways.
    command.secondsPerTick = 0.9375;
    child<QSpinBox>(page, "spinBoxIntervalStel")->setValue(15);
    QCOMPARE(r.stelInterval, quint16(16));

    // Channel on/off.
    auto* box = child<QCheckBox>(page, "checkBox");
    QVERIFY(box->isChecked());
    box->setChecked(false);
    QCOMPARE(r.channelPage, quint16(7));
    QCOMPARE(box->text(), QString("Выкл. канал"));
    box->setChecked(true);
    QCOMPARE(r.channelPage, quint16(3));

    resetCommand(ModelT6M, ClassicMap);
    command.classicChannels[0].molecularWeight = 1.0f;
    DeviceSetting_4_Window t6m(&host);
    t6m.showParameters(0);
    child<QCheckBox>(t6m, "checkBox")->setChecked(true);
    child<QCheckBox>(t6m, "checkBox")->setChecked(false);
    QCOMPARE(command.classicChannels[0].channelPage, quint16(170));
    child<QDoubleSpinBox>(t6m, "doubleSpinBoxMolecularWeight")->setValue(28.014);
    QCOMPARE(command.classicChannels[0].molecularWeight, 28.01f);
}

void TestDeviceSetting4::tableStores_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    for (int layout : {ClassicMap, ExtendedMap}) {
        QTest::addRow("%d temp 20.30", layout) << layout << "myTableTemp" << 0 << 20.30 << 2030;
        QTest::addRow("%d temp -10.01", layout) << layout << "myTableTemp" << 0 << -10.01 << -1001;
        QTest::addRow("%d temp 25.5", layout) << layout << "myTableTemp" << 0 << 25.5 << 2550;
        QTest::addRow("%d temp bounded", layout) << layout << "myTableTemp" << 0 << 400.0 << 32767;
        QTest::addRow("%d span conc", layout) << layout << "myTableSpan" << 0 << 12.3 << 123;
        QTest::addRow("%d zero offset", layout) << layout << "myTableTemp_Zero" << 1 << -1.5 << -15;
    }
    QTest::newRow("classic span coefficient")
        << int(ClassicMap) << "myTableSpan" << 1 << 1.005 << 1005;
}

void TestDeviceSetting4::tableStores()
{
    QFETCH(int, layout);
    QFETCH(QString, table);
    QFETCH(int, column);
    QFETCH(double, value);
    QFETCH(int, expected);
    resetCommand(ModelT6M, quint16(layout));
    for (auto* divisors :
         {command.classicChannels[2].displayDivisor, command.extendedChannels[2].displayDivisor}) {
        divisors[0] = 10;
        divisors[1] = 10;
    }
    command.classicChannels[2].format = command.extendedChannels[2].format = fmt(0, 0, 1, 1);
    DeviceSetting_4_Window page(&host);
    page.showParameters(2);
    QCOMPARE(cell(page, "myTableSpan", 0, 0)->maximum(), 6553.5);
    QCOMPARE(cell(page, "myTableSpan", 0, 0)->decimals(), 1);
    cell(page, qPrintable(table), 4, column)->setValue(value);
    const QByteArray before = imageSnapshot();
    page.collectTables(2);
    const bool classic = layout == ClassicMap;
    const auto& c = command.classicChannels[2];
    const auto& e = command.extendedChannels[2];
    int got = 0;
    if (table == "myTableTemp")
        got = classic ? c.tempTableTemperature[4] : e.tempTableTemperature[4];
    else if (table == "myTableSpan")
        got = column == 0 ? (classic ? c.spanTableConcentration[4] : e.spanTableConcentration[4])
                          : c.spanTableCoefficient[4];
    else
        got = classic ? command.classicExtras[2].offset[4] : e.zeroTableOffset[4];
    QCOMPARE(got, expected);
    QVERIFY(imageSnapshot() != before);
}

void TestDeviceSetting4::collectSkipsForeignAndUnfilledCells()
{
    // Classic T6: the zero table is never filled, so never stored.
    resetCommand(ModelT6, ClassicMap);
    DeviceSetting_4_Window page(&host);
    page.showParameters(0);
    cell(page, "myTableTemp_Zero", 0, 1)->setValue(5);
    cell(page, "myTableTemp", 1, 1)->setValue(2.5);
    QByteArray before = imageSnapshot();
    page.collectTables(1); // cells shown for channel 0: not channel 1's
    QVERIFY(imageSnapshot() == before);
    page.collectTables(0);
    QCOMPARE(command.classicChannels[0].tempTableCoefficient[1], 2.5f);

    // A rerun of the page (a coefficient or a decimals change) keeps typed cells.
    cell(page, "myTableTemp", 2, 0)->setValue(-3.5);
    child<QDoubleSpinBox>(page, "doubleSpinBoxMolecularWeight")->setValue(30);
    QCOMPARE(command.classicChannels[0].tempTableTemperature[2], qint16(-350));
    QCOMPARE(cell(page, "myTableTemp", 2, 0)->value(), -3.5);
    cell(page, "myTableSpan", 0, 0)->setValue(1.5);
    QMetaObject::invokeMethod(child<QComboBox>(page, "comboBoxDiscreteness_2"), "activated",
                              Q_ARG(int, 2));
    QCOMPARE(command.classicChannels[0].spanTableConcentration[0],
             quint16(2)); // 1.5 x 1, ties to even
    QCOMPARE(command.classicExtras[0].offset[0], qint16(0));
}

void TestDeviceSetting4::writeButton()
{
    QVERIFY(connectAs(ModelT6, ExtendedMap));
    command.currentChannel = 1;
    command.extendedChannels[1].displayDivisor[0] = 10;
    command.extendedChannels[1].displayDivisor[1] = 100;
    command.extendedChannels[1].channelPage = 1;
    DeviceSetting_4_Window page(&host);
    page.showParameters(1);
    cell(page, "myTableTemp", 3, 0)->setValue(12.34);
    sim.clearLog();
    child<QPushButton>(page, "pushButton")->click();
    QVERIFY(sim.countFrames(16, 1) >= 2);
    QVERIFY(sim.countFrames(16, WireDevicePage, RegCommit) == 1);
    // The read-back brought the typed cell back from the device.
    QCOMPARE(command.extendedChannels[1].tempTableTemperature[3], qint16(1234));
    QCOMPARE(cell(page, "myTableTemp", 3, 0)->value(), 12.34);
}

// The edits of the page that live in the channel's flag word (and, on the T6
// Max, in its sub-kind register) reach the device with "Записать".
void TestDeviceSetting4::writeButtonSendsTheFlagWord_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    QTest::newRow("extended T6") << int(ModelT6) << int(ExtendedMap);
    QTest::newRow("classic T6") << int(ModelT6) << int(ClassicMap);
    QTest::newRow("classic T6 Max") << int(ModelT6M) << int(ClassicMap);
}

void TestDeviceSetting4::writeButtonSendsTheFlagWord()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    QVERIFY(connectAs(quint16(model), quint16(layout)));
    const bool classic = layout == ClassicMap;
    for (int reg = 256; reg < 800; ++reg)
        sim.setHolding(1, reg, 0);
    sim.setHolding(1, 258, 1); // on
    // The device holds: limit 2 rising at 1200 raw, the range limit on (classic
    // bit 7) or the BLDM calibration unit %VOL (extended bit 4); sub-kind 1, cell 1.
    if (classic) {
        sim.setHolding(1, 262, 1200);
        sim.setHolding(1, 546, 0x0080);
        sim.setHolding(1, 514, 0x0001);
    } else {
        sim.setHolding32(1, 548, 0x00000010);
    }
    QVERIFY(readChannelBlocks(1));
    command.currentChannel = 1;
    DeviceSetting_4_Window page(&host);
    page.showParameters(1);
    // Limit 2 falling, auto-zero on, and on the T6 Max cell 3.
    auto* direction = child<QCheckBox>(page, "checkBoxLim2IncDec");
    auto* autoZero = child<QCheckBox>(page, "checkBoxAutoCalibZero");
    QVERIFY(direction->isChecked());
    QVERIFY(!autoZero->isChecked());
    direction->click();
    autoZero->click();
    if (model == ModelT6M)
        QMetaObject::invokeMethod(child<QComboBox>(page, "comboBoxConfigChan_Pos"), "activated",
                                  Q_ARG(int, 2));
    sim.clearLog();
    dialogs::Script script;
    child<QPushButton>(page, "pushButton")->click();
    QVERIFY(script.shown.isEmpty());
    QCOMPARE(sim.countFrames(16, WireDevicePage, RegCommit), 1);
    if (classic) {
        QCOMPARE(sim.holding(1, 262), quint16(0x8000 | 1200));
        QCOMPARE(sim.holding(1, 546), quint16(0x0088));
        QCOMPARE(sim.holding(1, 514), quint16(model == ModelT6M ? 0x2001 : 0x0001));
    } else {
        QCOMPARE(sim.holding32(1, 548), 0x00000818u);
    }
    // The page shows what the device now holds.
    QVERIFY(!direction->isChecked());
    QVERIFY(autoZero->isChecked());
}

// "Сохранить параметры" leaves the two ADC points out (the device keeps its
// own), "Записать" sends them: the page says so beside the boxes, in the
// captions of the page itself, and "Записать" does send what was typed.
void TestDeviceSetting4::adcPointsGoOnlyWithTheWriteButton_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("zeroRegister");
    QTest::newRow("extended") << int(ExtendedMap) << 768;
    QTest::newRow("classic") << int(ClassicMap) << 336;
}

void TestDeviceSetting4::adcPointsGoOnlyWithTheWriteButton()
{
    QFETCH(int, layout);
    QFETCH(int, zeroRegister);
    QVERIFY(connectAs(ModelT6, quint16(layout)));
    for (int reg = 256; reg < 800; ++reg)
        sim.setHolding(1, reg, 0);
    sim.setHolding(1, 258, 1); // on
    sim.setHolding(1, zeroRegister, 1000);
    sim.setHolding(1, zeroRegister + 1, 2000);
    QVERIFY(readChannelBlocks(1));
    command.currentChannel = 1;
    host.show();
    DeviceSetting_4_Window page(&host);
    page.showParameters(1);
    page.show();

    auto* zero = child<QDoubleSpinBox>(page, "doubleSpinBoxADC_Zero");
    auto* span = child<QDoubleSpinBox>(page, "doubleSpinBoxADC_Calib_Value");
    auto* note = child<QLabel>(page, "labelAdcWriteOnly");
    auto* button = child<QPushButton>(page, "pushButton");
    QVERIFY(note->isVisible());
    QCOMPARE(note->parentWidget(), zero->parentWidget());
    QCOMPARE(note->parentWidget(), button->parentWidget());
    // It names both boxes by their captions and the button by its text.
    for (const char* label : {"label_19", "label_18"}) {
        QString caption = child<QLabel>(page, label)->text();
        caption.chop(1); // the colon
        QVERIFY2(note->text().contains(caption), qPrintable(caption));
    }
    QVERIFY(note->text().contains(QLatin1Char('"') + button->text() + QLatin1Char('"')));
    for (QDoubleSpinBox* box : {zero, span})
        QVERIFY(box->toolTip().contains(QLatin1Char('"') + button->text() + QLatin1Char('"')));

    QCOMPARE(zero->value(), 1000.0);
    QCOMPARE(span->value(), 2000.0);
    zero->setValue(1234);
    span->setValue(4321);
    sim.clearLog();
    dialogs::Script script;
    button->click();
    QVERIFY(script.shown.isEmpty());
    QCOMPARE(sim.holding(1, zeroRegister), quint16(1234));
    QCOMPARE(sim.holding(1, zeroRegister + 1), quint16(4321));
    QCOMPARE(sim.countFrames(16, WireDevicePage, RegCommit), 1);
    host.hide();
}

// A firmware upload leaves the layout untold until the next read: "Записать" then
// sends nothing and says why.
void TestDeviceSetting4::writeRefusedInUnknownLayout()
{
    QVERIFY(connectAs(ModelT6, ClassicMap));
    command.registerMapDecided = false; // as the upload leaves it
    DeviceSetting_4_Window page(&host);
    page.showParameters(0);
    sim.clearLog();
    dialogs::Script script;
    child<QPushButton>(page, "pushButton")->click();
    QCOMPARE(sim.requests().size(), 0);
    QCOMPARE(script.titles(), QStringList{"Ошибка"});
    QCOMPARE(script.texts(),
             QStringList{"Карта регистров прибора не определена, ничего не записано. "
                         "Считайте параметры прибора и повторите запись."});
}

// A block the device refuses: nothing is committed, the page says so through
// the program's warning and keeps what it shows.
void TestDeviceSetting4::writeFailureWarns_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("failReg");
    QTest::newRow("extended settings block") << int(ExtendedMap) << 258;
    QTest::newRow("extended flag word") << int(ExtendedMap) << 548;
    QTest::newRow("classic flag word") << int(ClassicMap) << 546;
}

void TestDeviceSetting4::writeFailureWarns()
{
    QFETCH(int, layout);
    QFETCH(int, failReg);
    QVERIFY(connectAs(ModelT6, quint16(layout)));
    sim.addFault(SimFault(SimFault::Exception, 16, 0, failReg).code(2));
    DeviceSetting_4_Window page(&host);
    page.showParameters(0);
    cell(page, "myTableTemp", 0, 0)->setValue(7);
    sim.clearLog();
    dialogs::Script script;
    script.button(QMessageBox::Ok);
    child<QPushButton>(page, "pushButton")->click();
    QVERIFY(sim.countFrames(16, 0, failReg) >= 1);
    QCOMPARE(sim.countFrames(16, WireDevicePage, RegCommit), 0);
    QCOMPARE(script.shown.size(), 1);
    QCOMPARE(script.shown[0].kind, dialogs::Kind::Warning);
    QCOMPARE(script.shown[0].parent, static_cast<QWidget*>(&page));
    QCOMPARE(script.titles(), QStringList{"Ошибка"});
    QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными"});
    QCOMPARE(cell(page, "myTableTemp", 0, 0)->value(), 7.0);
    sim.clearFaults();
}

void TestDeviceSetting4::saveUnchangedOnSimulator_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("layout");
    QTest::newRow("classic T6") << int(ModelT6) << int(ClassicMap);
    QTest::newRow("classic T6 Max") << int(ModelT6M) << int(ClassicMap);
    QTest::newRow("extended T6") << int(ModelT6) << int(ExtendedMap);
}

void TestDeviceSetting4::saveUnchangedOnSimulator()
{
    QFETCH(int, model);
    QFETCH(int, layout);
    QVERIFY(connectAs(quint16(model), quint16(layout)));
    const bool classic = layout == ClassicMap;
    QRandomGenerator random(quint32(model + layout));
    for (int page = 0; page < 4; ++page) {
        for (int reg = 256; reg < 800; ++reg)
            sim.setHolding(page, reg, quint16(random.generate()));
        // Sane divisors and floats the boxes can show.
        sim.setHolding(page, classic ? 256 + 108 : 258 + 186, 10);
    }
    // Device-level registers read the same on every page.
    const QVector<int> deviceRegs =
        classic ? QVector<int>{269, 285, 286, 287, 289, 290, 544, 545}
                : QVector<int>{284, 299, 300, 301, 302, 303, 544, 545, 546, 547};
    for (int page = 0; page < 4 && classic; ++page)
        sim.setHolding(page, 284, sim.holding(page, 284) & 0xFF); // a byte register
    for (int page = 1; page < 4; ++page)
        for (int reg : deviceRegs)
            sim.setHolding(page, reg, sim.holding(0, reg));
    // Bring the channels into the image as the device holds them.
    for (quint16 ch = 0; ch < 4; ++ch)
        QVERIFY(readChannelBlocks(ch));
    auto snapshot = [&] {
        QVector<quint16> regs;
        for (int page = 0; page < 4; ++page)
            for (int reg = 258; reg < 800; ++reg)
                regs << (classic && reg == 288 ? 0 : sim.holding(page, reg)); // sent as 0 always
        return regs;
    };
    DeviceSetting_4_Window page(&host);
    for (int ch : {0, 1, 2, 3}) {
        page.showParameters(ch);
        page.collectTables(ch);
    }
    const QVector<quint16> before = snapshot();
    const QByteArray image = imageSnapshot();
    for (int ch : {0, 1, 2, 3}) {
        page.collectTables(command.currentChannel);
        command.currentChannel = quint16(ch);
        page.showParameters(ch);
        child<QPushButton>(page, "pushButton")->click();
        QVERIFY(sim.countFrames(16, WireDevicePage, RegCommit) >= 1);
    }
    const QVector<quint16> after = snapshot();
    QStringList changed;
    for (int i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            changed << QString("%1/%2: %3 -> %4")
                           .arg(i / 542)
                           .arg(258 + i % 542)
                           .arg(before[i])
                           .arg(after[i]);
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join("\n")));
    Q_UNUSED(image);
}

QTEST_MAIN(TestDeviceSetting4)
#include "test_devicesetting4.moc"
