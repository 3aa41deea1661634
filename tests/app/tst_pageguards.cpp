// The pages of the main window against two ways of changing a value by mistake:
// a wheel turn while the technician scrolls a page, and an edit in a field that
// no save of the level and layout sends.

#include "apptest.h"
#include "calibration.h"
#include "calibration_channel.h"
#include "calibration_channel_chart.h"
#include "connect_com_port.h"
#include "devicesetting_1_window.h"
#include "devicesetting_2_window.h"
#include "devicesetting_4_window.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "dialogs.h"
#include "fieldguards.h"
#include "mainwindow.h"
#include "warningguard.h"
#include "wheel.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
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

} // namespace

class TestPageGuards : public QObject
{
    Q_OBJECT

    WarningGuard guard;
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
    void initTestCase() { guard.install(); }

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
    // save sends it stays editable.
    void fieldsNoSaveSendsTakeNoEdit_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("map");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("editable");
        const int T6 = ModelT6, T6M = ModelT6M;
        const int classic = ClassicMap, extended = ExtendedMap;
        struct Row {
            const char* name;
            int model, map;
            const char* user;
            const char* page;
            const char* box;
            bool editable;
        };
        const Row rows[] = {
            // The User blocks leave the bump-test and calibration intervals out.
            {"classic User, bump interval", T6, classic, "User", "calibration",
             "spinBoxIntervalBump", false},
            {"classic User, calibration interval", T6, classic, "User", "calibration row",
             "spinBoxIntervalCalib", false},
            {"extended User, bump interval", T6M, extended, "User", "calibration",
             "spinBoxIntervalBump", false},
            {"extended User, calibration interval", T6M, extended, "User", "calibration row",
             "spinBoxIntervalCalib", false},
            {"classic Admin, bump interval", T6, classic, "Admin", "calibration",
             "spinBoxIntervalBump", true},
            {"extended Admin, calibration interval", T6M, extended, "Admin", "calibration row",
             "spinBoxIntervalCalib", true},
            {"classic User, calibration gas", T6, classic, "User", "calibration row",
             "doubleSpinBoxChan", true},
            // The classic record has no sensor serial, and the page stores no
            // formula number there.
            {"classic Admin, S/N", T6, classic, "Admin", "service", "lineEditSerialNum", false},
            {"classic Admin, №", T6, classic, "Admin", "service", "doubleSpinBoxNumFormulaGas",
             false},
            {"classic Dolen, S/N", T6M, classic, "Dolen", "service", "lineEditSerialNum", false},
            {"classic Dolen, №", T6M, classic, "Dolen", "service", "doubleSpinBoxNumFormulaGas",
             false},
            {"extended Admin, S/N", T6M, extended, "Admin", "service", "lineEditSerialNum", true},
            {"extended Admin, №", T6M, extended, "Admin", "service", "doubleSpinBoxNumFormulaGas",
             true},
            // The classic device has no LoRa or GNSS registers.
            {"classic Dolen, LoRa", T6M, classic, "Dolen", "general 1", "checkBoxLoraTurnOn",
             false},
            {"classic Dolen, GPS", T6M, classic, "Dolen", "general 1", "checkBoxGpsTurnOn", false},
            {"classic Dolen, LoRa period", T6M, classic, "Dolen", "general 1",
             "spinBoxPeriodTimeLora", false},
            {"classic Dolen, LoRa alarm period", T6M, classic, "Dolen", "general 1",
             "spinBoxPeriodTimeLora_Alarm", false},
            {"classic Dolen, GNSS restart", T6M, classic, "Dolen", "general 1",
             "comboBoxTypeStartGPS", false},
            {"extended Dolen, LoRa", T6M, extended, "Dolen", "general 1", "checkBoxLoraTurnOn",
             true},
            {"extended Dolen, LoRa period", T6M, extended, "Dolen", "general 1",
             "spinBoxPeriodTimeLora", true},
            {"extended Dolen, GNSS restart", T6M, extended, "Dolen", "general 1",
             "comboBoxTypeStartGPS", true},
            // Every write sets the device clock to the PC's time first.
            {"classic Dolen, device clock", T6, classic, "Dolen", "general", "dateTimeEditDate",
             false},
            {"extended Dolen, device clock", T6M, extended, "Dolen", "general", "dateTimeEditDate",
             false},
            {"extended Dolen, production date", T6M, extended, "Dolen", "general",
             "dateTimeEditDate_2", true},
            // Only the extended channel record keeps these of the set-up page.
            {"classic Dolen, set-up S/N", T6M, classic, "Dolen", "general", "lineEditSerialNum",
             false},
            {"classic Dolen, warm-up time", T6M, classic, "Dolen", "general", "spinBoxTimeWarm",
             false},
            {"classic Dolen, correction coefficient", T6M, classic, "Dolen", "general",
             "doubleSpinBoxCorr_Coef", false},
            {"extended Dolen, set-up S/N", T6M, extended, "Dolen", "general", "lineEditSerialNum",
             true},
            {"extended Dolen, warm-up time", T6M, extended, "Dolen", "general", "spinBoxTimeWarm",
             true},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << r.model << r.map << QString::fromUtf8(r.user)
                                  << QString::fromUtf8(r.page) << QString::fromUtf8(r.box)
                                  << r.editable;
    }

    void fieldsNoSaveSendsTakeNoEdit()
    {
        QFETCH(int, model);
        QFETCH(int, map);
        QFETCH(QString, user);
        QFETCH(QString, page);
        QFETCH(QString, box);
        QFETCH(bool, editable);
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
        if (editable)
            return;

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
