// The pages of the main window against two ways of changing a value by mistake:
// a wheel turn while the technician scrolls a page, and an edit in a field that
// no save of the level and layout sends; and the fields a save does send, typed
// into and saved to the simulated detector.

#include "apptest.h"
#include "calibration.h"
#include "calibration_channel.h"
#include "calibration_channel_chart.h"
#include "connect_com_port.h"
#include "commandstate.h"
#include "devicesetting_1_window.h"
#include "devicesetting_2_window.h"
#include "devicesetting_4_window.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "mainwindow.h"
#include "shard.h"
#include "simdetector.h"
#include "warningguard.h"
#include "wheel.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

#include <cstring>

namespace
{

// The page a row looks into, as the main window holds it after a rebuild.
QWidget* pageNamed(const QString& page)
{
    if (page == QLatin1String("sensors"))
        return deviceSetting1Windows[0];
    if (page == QLatin1String("service"))
        return deviceSetting2Windows[0];
    if (page == QLatin1String("calibration"))
        return calibrationWindow;
    if (page == QLatin1String("calibration row"))
        return calibrationChannelWidgets[0];
    if (page == QLatin1String("general"))
        return deviceSettingAllWindow;
    if (page == QLatin1String("general 1"))
        return deviceSettingAllWindow1;
    return nullptr;
}

int tabNamed(const QString& page)
{
    if (page == QLatin1String("sensors"))
        return 1;
    if (page.startsWith(QLatin1String("calibration")))
        return 2;
    if (page == QLatin1String("service"))
        return 3;
    if (page == QLatin1String("general"))
        return 5;
    return 6;
}

QString valueOf(QWidget* box)
{
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return QString::number(combo->currentIndex());
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(box))
        return spin->text();
    if (auto* check = qobject_cast<QCheckBox*>(box))
        return QString::number(check->checkState());
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return line->text();
    return QString();
}

// The direction in which a notch would change the box's value.
int changingDelta(QWidget* box)
{
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return combo->currentIndex() > 0 ? 120 : -120;
    if (auto* spin = qobject_cast<QSpinBox*>(box))
        return spin->value() < spin->maximum() ? 120 : -120;
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(box))
        return spin->value() < spin->maximum() ? 120 : -120;
    if (auto* edit = qobject_cast<QDateTimeEdit*>(box))
        return edit->dateTime() < edit->maximumDateTime() ? 120 : -120;
    return 120;
}

QList<QScrollBar*> scrollBarsAround(QWidget* box)
{
    QList<QScrollBar*> bars;
    for (QWidget* w = box->parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
            if (area->verticalScrollBar()->maximum() >= 2)
                bars << area->verticalScrollBar();
    return bars;
}

QByteArray imageBytes()
{
    QByteArray bytes(reinterpret_cast<const char*>(&command.classicChannels),
                     int(sizeof command.classicChannels + sizeof command.classicDevice));
    bytes.append(reinterpret_cast<const char*>(&command.extendedChannels),
                 int(sizeof command.extendedChannels + sizeof command.extendedDevice));
    return bytes;
}

void seedImage()
{
    for (int ch = 0; ch < ChannelSlots; ++ch) {
        ClassicChannelRecord& c = command.classicChannels[ch];
        c.channelPage = quint16(ch);
        c.format = quint16((1u << 8) | (1u << 4) | (1u << 6)); // one decimal
        c.limit1 = 200;
        c.limit4 = 1000;
        c.hysteresis = 10;
        c.calibrationGas = 500;
        c.calibrationInterval = 180;
        c.formulaGasNumber = 42;
        c.molecularWeight = 28.01f;
        std::memcpy(c.gasFormula, "CO", 2);
        ExtendedChannelRecord& e = command.extendedChannels[ch];
        e.channelPage = quint16(ch);
        e.format = quint16((1u << 8) | (1u << 4) | (1u << 6));
        e.limit1 = 20;
        e.limit4 = 100;
        e.hysteresis = 1;
        e.calibrationGas = 50;
        e.calibrationInterval = 180;
        e.formulaGasNumber = 42;
        e.molecularWeight = 28.01f;
        e.channelFlags = 1u << 5;
        std::memcpy(e.gasFormula, "CO", 2);
        std::memcpy(e.sensorSerial, "SN1234", 6);
    }
    command.classicDevice.bumpTestInterval = 30;
    command.extendedDevice.bumpTestInterval = 30;
    command.extendedDevice.loraPeriod = 60;
    command.extendedDevice.loraAlarmPeriod = 10;
}

// A box of a window of its own, outside the pages: a notch over it without the
// focus leaves its value; clicked, it takes the wheel.
void checkWheelWaitsForFocus(QWidget* field)
{
    QVERIFY(field);
    QVERIFY(field->isVisible());
    QVERIFY(fieldEditable(field));
    QWidget* window = field->window();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    // Focus elsewhere in the window, as after a click on its title or buttons.
    field->clearFocus();
    QVERIFY(!field->hasFocus());
    const QString value = valueOf(field);
    const int delta = changingDelta(field);
    for (const int notch : {delta, -delta}) {
        turnWheel(field, notch);
        QCOMPARE(valueOf(field), value);
        QVERIFY2(!field->hasFocus(), "the wheel gave the box the focus");
    }

    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier,
                      QPoint(field->width() / 4, field->height() / 2));
    if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->hidePopup();
    QVERIFY(field->hasFocus());
    turnWheel(field, delta);
    QVERIFY2(valueOf(field) != value, "the focused box did not take the wheel");
}

// The device of an edit row: every channel on, an electrochemical sensor shown
// in PPM with two decimals, in steps of 1/100 PPM; each value that a row edits
// holds another value than the one the row types.
void seedSimulator(SimDetector& sim, bool classic)
{
    for (int page = 0; page < SimDetector::Pages; ++page)
        for (int reg = 0; reg < 1024; ++reg) {
            sim.setHolding(page, reg, 0);
            sim.setInput(page, reg, 0);
        }
    for (int ch = 0; ch < 10; ++ch) {
        sim.setHolding(ch, 258, quint16(ch));
        sim.setHolding(ch, 259, 0x01A0);
        if (classic) {
            sim.setHolding(ch, 260, 500);   // calibration gas 5.00
            sim.setHolding(ch, 261, 2000);  // limit 1 20.00
            sim.setHolding(ch, 264, 10000); // range 100.00
            sim.setHolding(ch, 268, 180);   // calibration interval
            sim.setHolding(ch, 269, 30);    // bump-test interval
            sim.setHoldingText(ch, 273, "CO", 5);
            sim.setHolding(ch, 278, 100);  // hysteresis 1.00
            sim.setHolding(ch, 282, 2801); // molecular weight 28.01
        } else {
            sim.setHoldingFloat(ch, 262, 5.0f);
            sim.setHoldingFloat(ch, 264, 20.0f);
            sim.setHoldingFloat(ch, 270, 100.0f);
            sim.setHoldingFloat(ch, 277, 1.0f);
            sim.setHoldingFloat(ch, 281, 28.01f);
            sim.setHolding(ch, 283, 180); // calibration interval
            sim.setHolding(ch, 284, 30);  // bump-test interval
            sim.setHoldingText(ch, 288, "CO", 5);
            sim.setHolding32(ch, 299, 12345);
            sim.setHolding32(ch, 302, 1577836800); // produced 01.01.2020
            sim.setHolding(ch, 311, 42);           // formula number
            sim.setHolding(ch, 312, 30);           // warm-up seconds
            sim.setHoldingText(ch, 400, "SN12345678ABCD", 7);
            sim.setHolding32(ch, 548, 1u << 5);
        }
    }
    sim.setHolding(SimDetector::DevicePage, 512, 500);
    sim.setHolding(SimDetector::DevicePage, 528, 30 * 256 + 15);
    if (!classic) {
        sim.setHolding32(SimDetector::DevicePage, 544, 0x0006);      // power-off and sound locks
        sim.setHolding32(SimDetector::DevicePage, 784, 0x01000005);  // signals 0 and 2, "Cold"
        sim.setHolding(SimDetector::DevicePage, 786, 10 * 256 + 60); // LoRa alarm 10 s, 60 s
        for (int reg = 515; reg <= 518; ++reg)
            sim.setHolding(SimDetector::DevicePage, reg, 3000);
    }
}

// Shows the inner tab that holds the field, as a click on the tab would.
void bringTabForward(QWidget* field)
{
    for (QWidget* w = field; w && w->parentWidget(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(w);
    }
}

// Types into the field as an operator does: Tab gives it the focus, Ctrl+A
// selects the text it holds, the keys replace it (a space toggles a check box,
// a letter picks a combo item), then Tab leaves it.
void typeInto(QWidget* field, const QString& keys)
{
    field->setFocus(Qt::TabFocusReason);
    // A date edit, focused by Tab, has its first section selected: the digits
    // then fill it section by section, each full section handing on to the next.
    const bool dateEdit = qobject_cast<QDateTimeEdit*>(field) != nullptr;
    if (!dateEdit && (qobject_cast<QAbstractSpinBox*>(field) || qobject_cast<QLineEdit*>(field)))
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QString text = keys;
    if (qobject_cast<QDoubleSpinBox*>(field))
        text.replace(QLatin1Char('.'), field->locale().decimalPoint());
    QTest::keyClicks(field, text);
    // From a date edit's last section, too, Tab leaves the box.
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(!field->hasFocus());
}

} // namespace

class TestPageGuards : public QObject
{
    Q_OBJECT

    WarningGuard guard;
    SimDetector sim;
    MainWindow* window = nullptr;

    // The window as an offline session shows it, with `tab` current.
    void showPages(quint16 model, quint16 map, const QString& user, int tab)
    {
        command.userName = user;
        window->setDeviceModel(model);
        command.registerMap = map;
        window->rebuildDeviceUi();
        window->tabWidget()->setCurrentIndex(tab);
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        guard.install();
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    }

    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
        seedImage();
        window = new MainWindow;
        window->resize(1366, 720);
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void cleanup()
    {
        delete window;
        window = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }

    void cleanupTestCase() { apptest::removeIni(); }

    void wheelScrollsThePageUnlessTheBoxHasFocus_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("box");
        QTest::newRow("Сенсоры, limit") << "User"
                                        << "sensors"
                                        << "doubleSpinBoxLim_1";
        QTest::newRow("Сенсоры, unit") << "User"
                                       << "sensors"
                                       << "comboBoxDiscreteness";
        QTest::newRow("Калибровка, calibration gas") << "Admin"
                                                     << "calibration row"
                                                     << "doubleSpinBoxChan";
        QTest::newRow("Калибровка, interval") << "Admin"
                                              << "calibration row"
                                              << "spinBoxIntervalCalib";
        QTest::newRow("Обслуживание, hysteresis") << "Admin"
                                                  << "service"
                                                  << "doubleSpinBoxHist_1";
        QTest::newRow("Обслуживание, decimals") << "Admin"
                                                << "service"
                                                << "comboBoxDiscreteness";
        QTest::newRow("Общие параметры, limit") << "Dolen"
                                                << "general"
                                                << "doubleSpinBoxLim_1";
        QTest::newRow("Общие параметры, unit") << "Dolen"
                                               << "general"
                                               << "comboBoxUnitMeas";
        QTest::newRow("Общие параметры, production date") << "Dolen"
                                                          << "general"
                                                          << "dateTimeEditDate_2";
    }

    void wheelScrollsThePageUnlessTheBoxHasFocus()
    {
        if (!shard::runsUnsplit())
            QSKIP("the first shard runs this test");
        QFETCH(QString, user);
        QFETCH(QString, page);
        QFETCH(QString, box);
        showPages(ModelT6M, ExtendedMap, user, tabNamed(page));
        QWidget* root = pageNamed(page);
        QVERIFY(root);
        auto* field = root->findChild<QWidget*>(box);
        QVERIFY(field);
        QVERIFY(field->isVisible());
        QVERIFY(fieldEditable(field));
        QVERIFY(!field->hasFocus());

        // Mid-way down the page, so that a notch either way scrolls it.
        const QList<QScrollBar*> bars = scrollBarsAround(field);
        QVERIFY2(!bars.isEmpty(), "the page around the box does not scroll");
        QList<int> before;
        for (QScrollBar* bar : bars) {
            bar->setValue(bar->maximum() / 2);
            before << bar->value();
        }
        const QByteArray image = imageBytes();
        const QString value = valueOf(field);
        const int delta = changingDelta(field);

        turnWheel(field, delta);
        QCOMPARE(valueOf(field), value);
        QCOMPARE(imageBytes(), image);
        QVERIFY2(!field->hasFocus(), "the wheel gave the box the focus");
        bool scrolled = false;
        for (int i = 0; i < bars.size(); ++i)
            scrolled = scrolled || bars[i]->value() != before[i];
        QVERIFY2(scrolled, "the page did not scroll");

        // Once clicked, the box has the focus and takes the wheel.
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier,
                          QPoint(field->width() / 4, field->height() / 2));
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->hidePopup();
        QVERIFY(field->hasFocus());
        const QString clicked = valueOf(field);
        turnWheel(field, delta);
        QVERIFY2(valueOf(field) != clicked, "the focused box did not take the wheel");
    }

    // The chart window and the offline model picker are windows of their own,
    // opened after the pages installed their guard: their boxes are guarded too.
    void chartTimeBoxWaitsForFocus()
    {
        if (!shard::runsUnsplit())
            QSKIP("the first shard runs this test");
        showPages(ModelT6M, ExtendedMap, QStringLiteral("Admin"), tabNamed("calibration row"));
        Calibration_Channel* row = calibrationChannelWidgets[0];
        QVERIFY(row);
        row->pushButton->click();
        QWidget* chart = row->chartWindow();
        QVERIFY(chart->isVisible());
        checkWheelWaitsForFocus(chart->findChild<QSpinBox*>(QStringLiteral("spinBox")));
        chart->close();
    }

    void offlinePickerWaitsForFocus()
    {
        if (!shard::runsUnsplit())
            QSKIP("the first shard runs this test");
        QString chosen;
        dialogs::setHook([&](const dialogs::Request& r) {
            if (r.kind != dialogs::Kind::Item || !r.dialog)
                return dialogs::Reply();
            r.dialog->show();
            checkWheelWaitsForFocus(r.dialog->findChild<QComboBox*>());
            // The operator turned the wheel over the list once more, without
            // clicking, and confirmed what it shows.
            auto* combo = r.dialog->findChild<QComboBox*>();
            combo->setCurrentIndex(0);
            r.dialog->findChild<QPushButton*>()->setFocus();
            turnWheel(combo, -120);
            chosen = combo->currentText();
            r.dialog->hide();
            return dialogs::Reply(QMessageBox::Ok, true, chosen);
        });
        {
            Connect_com_port dialog(window);
            dialog.show();
            dialog.findChild<QPushButton*>(QStringLiteral("Button_Out"))->click();
        }
        dialogs::setHook(dialogs::Hook());
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(chosen, QStringLiteral("QIRO T2 v0.01"));
        QCOMPARE(int(command.modelCode), int(ModelT2Classic));
    }

    // A field that no save of the level and layout sends takes no edit: no typing,
    // no wheel even with the focus, no click; nor does the group around it. The same field where a
    // save sends it stays editable, and what the operator types there reaches its registers on
    // the device with "Сохранить параметры".
    void fieldsNoSaveSendsTakeNoEdit_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("map");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("editable");
        // Editable rows: the device registers set before the connection
        // ("page/register=value", over the common seed), the keys typed, and
        // where the save puts them: wire page (10 the device page), first
        // register and the raw words from there on.
        QTest::addColumn<QStringList>("seed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("regPage");
        QTest::addColumn<int>("reg");
        QTest::addColumn<QVector<quint16>>("words");
        const int T6 = ModelT6, T6M = ModelT6M;
        const int classic = ClassicMap, extended = ExtendedMap;
        struct Row {
            const char* name;
            int model, map;
            const char* user;
            const char* page;
            const char* box;
        };
        const Row readOnly[] = {
            // The User blocks leave the bump-test and calibration intervals out.
            {"classic User, bump interval", T6, classic, "User", "calibration",
             "spinBoxIntervalBump"},
            {"classic User, calibration interval", T6, classic, "User", "calibration row",
             "spinBoxIntervalCalib"},
            {"extended User, bump interval", T6M, extended, "User", "calibration",
             "spinBoxIntervalBump"},
            {"extended User, calibration interval", T6M, extended, "User", "calibration row",
             "spinBoxIntervalCalib"},
            // The classic record has no sensor serial, and the page stores no
            // formula number there.
            {"classic Admin, S/N", T6, classic, "Admin", "service", "lineEditSerialNum"},
            {"classic Admin, №", T6, classic, "Admin", "service", "doubleSpinBoxNumFormulaGas"},
            {"classic Dolen, S/N", T6M, classic, "Dolen", "service", "lineEditSerialNum"},
            {"classic Dolen, №", T6M, classic, "Dolen", "service", "doubleSpinBoxNumFormulaGas"},
            // The classic device has no LoRa or GNSS registers.
            {"classic Dolen, LoRa", T6M, classic, "Dolen", "general 1", "checkBoxLoraTurnOn"},
            {"classic Dolen, GPS", T6M, classic, "Dolen", "general 1", "checkBoxGpsTurnOn"},
            {"classic Dolen, LoRa period", T6M, classic, "Dolen", "general 1",
             "spinBoxPeriodTimeLora"},
            {"classic Dolen, LoRa alarm period", T6M, classic, "Dolen", "general 1",
             "spinBoxPeriodTimeLora_Alarm"},
            {"classic Dolen, GNSS restart", T6M, classic, "Dolen", "general 1",
             "comboBoxTypeStartGPS"},
            // Every write sets the device clock to the PC's time first.
            {"classic Dolen, device clock", T6, classic, "Dolen", "general", "dateTimeEditDate"},
            {"extended Dolen, device clock", T6M, extended, "Dolen", "general", "dateTimeEditDate"},
            // Only the extended channel record keeps these of the set-up page.
            {"classic Dolen, set-up S/N", T6M, classic, "Dolen", "general", "lineEditSerialNum"},
            {"classic Dolen, warm-up time", T6M, classic, "Dolen", "general", "spinBoxTimeWarm"},
            {"classic Dolen, correction coefficient", T6M, classic, "Dolen", "general",
             "doubleSpinBoxCorr_Coef"},
        };
        for (const Row& r : readOnly)
            QTest::newRow(r.name) << r.model << r.map << QString::fromUtf8(r.user)
                                  << QString::fromUtf8(r.page) << QString::fromUtf8(r.box) << false
                                  << QStringList() << QString() << 0 << 0 << QVector<quint16>();
        struct Edit {
            Row row;
            QStringList seed;
            const char* typed;
            int regPage, reg;
            QVector<quint16> words;
        };
        const Edit edits[] = {
            // The Admin blocks carry the intervals: classic 256-284, extended 258-298.
            {{"classic Admin, bump interval", T6, classic, "Admin", "calibration",
              "spinBoxIntervalBump"},
             {},
             "45",
             0,
             269,
             {45}},
            {{"extended Admin, calibration interval", T6M, extended, "Admin", "calibration row",
              "spinBoxIntervalCalib"},
             {},
             "200",
             0,
             283,
             {200}},
            // The User block 256-267 carries the calibration gas, in steps of
            // 1/100 PPM here: 2.3 x 100 is 229.99999999999997 in double, which
            // a truncation would send as 229.
            {{"classic User, calibration gas", T6, classic, "User", "calibration row",
              "doubleSpinBoxChan"},
             {},
             "2.3",
             0,
             260,
             {230}},
            // In steps of 1/10 PPM (format bits 6-7 = 1) shown with two decimals:
            // 2.25 and 2.35 are 22.5 and 23.5 steps, halves that go to the even step.
            {{"classic User, calibration gas, 22.5 steps", T6, classic, "User", "calibration row",
              "doubleSpinBoxChan"},
             {"0/259=352"},
             "2.25",
             0,
             260,
             {22}},
            {{"classic User, calibration gas, 23.5 steps", T6, classic, "User", "calibration row",
              "doubleSpinBoxChan"},
             {"0/259=352"},
             "2.35",
             0,
             260,
             {24}},
            // The Admin blocks carry the sensor serial (400-406: two characters a
            // register, the earlier in the low byte, the rest zero) and the
            // formula number (311).
            {{"extended Admin, S/N", T6M, extended, "Admin", "service", "lineEditSerialNum"},
             {},
             "Z9-77",
             0,
             400,
             {0x395A, 0x372D, 0x0037, 0, 0, 0, 0}},
            {{"extended Admin, №", T6M, extended, "Admin", "service", "doubleSpinBoxNumFormulaGas"},
             {},
             "1234",
             0,
             311,
             {1234}},
            // The production save sends the device page's 544-547 and 784-786.
            // LoRa on is bit 15 of the flag word (low half in 544).
            {{"extended Dolen, LoRa", T6M, extended, "Dolen", "general 1", "checkBoxLoraTurnOn"},
             {},
             " ",
             10,
             544,
             {0x8006, 0x0000}},
            // The LoRa period is the low byte of 786; the alarm period stays in the high one.
            {{"extended Dolen, LoRa period", T6M, extended, "Dolen", "general 1",
              "spinBoxPeriodTimeLora"},
             {},
             "125",
             10,
             786,
             {0x0A7D}},
            // The restart mode is bits 24-25 of the GNSS word: "Warm" is 2.
            {{"extended Dolen, GNSS restart", T6M, extended, "Dolen", "general 1",
              "comboBoxTypeStartGPS"},
             {},
             "W",
             10,
             784,
             {0x0005, 0x0200}},
            // The production block 258-312 carries the production date (302-303,
            // seconds since 1970, a second a tick on this model) and the
            // warm-up time (312); 400-406 the sensor serial.
            {{"extended Dolen, production date", T6M, extended, "Dolen", "general",
              "dateTimeEditDate_2"},
             {},
             "15032024",
             0,
             302,
             {36736, 26099}},
            {{"extended Dolen, set-up S/N", T6M, extended, "Dolen", "general", "lineEditSerialNum"},
             {},
             "QR-8",
             0,
             400,
             {0x5251, 0x382D, 0, 0, 0, 0, 0}},
            {{"extended Dolen, warm-up time", T6M, extended, "Dolen", "general", "spinBoxTimeWarm"},
             {},
             "90",
             0,
             312,
             {90}},
        };
        for (const Edit& e : edits)
            QTest::newRow(e.row.name)
                << e.row.model << e.row.map << QString::fromUtf8(e.row.user)
                << QString::fromUtf8(e.row.page) << QString::fromUtf8(e.row.box) << true << e.seed
                << QString::fromUtf8(e.typed) << e.regPage << e.reg << e.words;
    }

    void fieldsNoSaveSendsTakeNoEdit()
    {
        if (shard::rowInOtherShard())
            QSKIP("another shard runs this row");
        QFETCH(int, model);
        QFETCH(int, map);
        QFETCH(QString, user);
        QFETCH(QString, page);
        QFETCH(QString, box);
        QFETCH(bool, editable);
        QFETCH(QStringList, seed);
        QFETCH(QString, typed);
        QFETCH(int, regPage);
        QFETCH(int, reg);
        QFETCH(QVector<quint16>, words);
        // An editable field is tried on the simulated device: the pages show
        // what it holds, and the save goes to it.
        if (editable) {
            seedSimulator(sim, map == ClassicMap);
            for (const QString& s : seed) {
                const QStringList parts = s.split(QRegularExpression("[/=]"));
                QCOMPARE(parts.size(), 3);
                sim.setHolding(parts[0].toInt(), parts[1].toInt(), quint16(parts[2].toUInt()));
            }
            sim.setProfile(simLayoutOf(map), quint16(model));
            sim.clearFaults();
            QVERIFY(connectToSimulator(sim));
            command.authorized = 1;
        }
        showPages(quint16(model), quint16(map), user, tabNamed(page));
        QWidget* root = pageNamed(page);
        QVERIFY(root);
        // The set-up page and the device data page both have a serial-number box.
        QWidget* field = nullptr;
        if (page == QLatin1String("general") && box == QLatin1String("lineEditSerialNum"))
            field = deviceSetting4Window->findChild<QWidget*>(box);
        else
            field = root->findChild<QWidget*>(box);
        QVERIFY(field);
        QCOMPARE(fieldEditable(field), editable);
        if (editable) {
            bringTabForward(field);
            QVERIFY(field->isVisible());
            // "page/register=value" for each register, so that a failure names them.
            auto listed = [&](const QVector<quint16>& values) {
                QStringList out;
                for (int i = 0; i < values.size(); ++i)
                    out << QString("%1/%2=%3").arg(regPage).arg(reg + i).arg(values[i]);
                return out.join(QLatin1Char(' '));
            };
            auto registers = [&] {
                QVector<quint16> held;
                for (int i = 0; i < words.size(); ++i)
                    held << sim.holding(regPage, reg + i);
                return listed(held);
            };
            QVERIFY2(registers() != listed(words),
                     "the device held the typed value before the edit");
            typeInto(field, typed);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(registers() != listed(words), "the edit went to the device before the save");
            auto* save = window->findChild<QPushButton*>(QStringLiteral("pushButton_Save_Param"));
            QVERIFY(save);
            QVERIFY(save->isVisible());
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(window->statusBar()->currentMessage(), QString("Успешная передача данных"));
            QCOMPARE(registers(), listed(words));
            return;
        }

        const QString value = valueOf(field);
        const QByteArray image = imageBytes();
        // By the mouse: a click (a check box would toggle), then, with whatever focus
        // that gave, a wheel turn either way.
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier,
                          QPoint(field->width() / 4, field->height() / 2));
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->hidePopup();
        turnWheel(field, 120);
        turnWheel(field, -120);
        // By the keyboard, focused as Tab would focus it.
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_Up);
        QTest::keyClick(field, Qt::Key_End);
        // Nor a channel switched off by the space bar through the field's group.
        QTest::keyClick(field, Qt::Key_Space);
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(valueOf(field), value);
        QCOMPARE(imageBytes(), image);
    }
};

QTEST_MAIN(TestPageGuards)
#include "tst_pageguards.moc"
