// The main window: its form, the device-model table, the rebuild per model
// and access level, the page pointers, the address box, the languages and the
// end of the program.

#include "appsettings.h"
#include "apptest.h"
#include "commandstate.h"
#include "devicesetting_1_window.h"
#include "mainwindow.h"
#include "simdetector.h"
#include "simsequence.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace
{

const QStringList groupWidgets = {"pushButtonBootloader",     "pushButtonReadFactorySettings",
                                  "pushButton_Save_Param",    "pushButton_Read_Param",
                                  "checkBoxAutoupdate",       "pushButtonLoadConfigDevice",
                                  "pushButtonSaveConfigPC",   "pushButtonBootloader_Ble",
                                  "pushButton_TurnOffDevice", "pushButtonSaveFactorySettings",
                                  "groupBoxLanguage_2"};

QStringList without(QStringList list, const QStringList& removed)
{
    for (const QString& r : removed)
        list.removeAll(r);
    return list;
}

QStringList shownGroupWidgets(QWidget* window)
{
    QStringList shown;
    for (const QString& name : groupWidgets) {
        QWidget* w = window->findChild<QWidget*>(name);
        if (w && !w->isHidden())
            shown << name;
    }
    return shown;
}

QStackedWidget* stack(QWidget* window, int tab, int channel)
{
    return window->findChild<QStackedWidget*>(
        QStringLiteral("stackedWidget_%1_%2").arg(tab == 1 ? 1 : 2).arg(channel));
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Counts the children added to a main window while the global pointer
// already names it.
class ChildSpy : public QObject
{
public:
    int published = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded && qobject_cast<MainWindow*>(watched) &&
            mainWindow == watched)
            ++published;
        return false;
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    WarningGuard guard;
    SimDetector sim;
    std::unique_ptr<MainWindow> window;

    template <class T> T* find(const char* name) const { return child<T>(*window, name); }
    QTabWidget* tabs() const { return find<QTabWidget>("tabWidget"); }

    void showModel(quint16 code, const QString& user, quint16 map = ClassicMap)
    {
        command.userName = user;
        window->setDeviceModel(code);
        command.registerMap = map;
        window->rebuildDeviceUi();
    }

private slots:
    void initTestCase()
    {
        guard.install();
        patientReplyTimeouts();
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        sim.setProfile(SimDetector::Layout::Open, ModelT6);
    }

    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
        window.reset(new MainWindow);
    }

    void cleanup()
    {
        window.reset();
        processDeferredDeletes();
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }

    void cleanupTestCase() { apptest::removeIni(); }

    void windowForm()
    {
        QCOMPARE(window->minimumSize(), QSize(1170, 700));
        QCOMPARE(window->maximumSize(), QSize(1170, 700));
        QCOMPARE(window->font().pointSize(), 10);
        QCOMPARE(window->iconSize(), QSize(24, 24));
        QVERIFY(window->styleSheet().contains("rgb(0, 114, 185)"));
        QVERIFY(window->styleSheet().contains("rgb(140, 15, 20)"));
        QCOMPARE(find<QStackedWidget>("stackedWidgetCalibration")->font().pointSize(), 8);
        QVERIFY(find<QWidget>("page"));
        // The status, calibration and archive pages fill their tabs, 10 px from the edges.
        for (const char* name :
             {"stackedWidgetMeasure", "stackedWidgetCalibration", "stackedWidgetArchiv"}) {
            auto* stack = find<QStackedWidget>(name);
            QLayout* layout = stack->parentWidget()->layout();
            QVERIFY2(layout && layout->indexOf(stack) == 0, name);
            QCOMPARE(layout->contentsMargins(), QMargins(10, 10, 10, 10));
            QVERIFY(
                qobject_cast<QTabWidget*>(stack->parentWidget()->parentWidget()->parentWidget()));
        }
        QCOMPARE(find<QSpinBox>("spinBoxModbusAddress")->prefix(), QString("Modbus address "));
        QCOMPARE(find<QSpinBox>("spinBoxModbusAddress")->maximum(), 255);
        QVERIFY(!find<QCheckBox>("checkBoxAutoupdate")->isChecked());
    }

    void formWidgets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("tabs") << "tabWidget" << QRect(230, 10, 930, 645) << "";
        QTest::newRow("firmware") << "pushButtonBootloader" << QRect()
                                  << "Обновление версии ПО\nустройства";
        QTest::newRow("factory read")
            << "pushButtonReadFactorySettings" << QRect() << "Чтение заводских\nнастроек";
        QTest::newRow("save") << "pushButton_Save_Param" << QRect() << "Сохранить параметры";
        QTest::newRow("read") << "pushButton_Read_Param" << QRect() << "Считать параметры";
        QTest::newRow("auto") << "checkBoxAutoupdate" << QRect() << "Авто";
        QTest::newRow("load config")
            << "pushButtonLoadConfigDevice" << QRect() << "Загрузить конфигурацию\nв прибор";
        QTest::newRow("save config")
            << "pushButtonSaveConfigPC" << QRect() << "Сохранить конфигурацию\nна ПК";
        QTest::newRow("ble") << "pushButtonBootloader_Ble" << QRect()
                             << "Установка модуля Ble\nв режим прошивки";
        QTest::newRow("power off") << "pushButton_TurnOffDevice" << QRect() << "Выключить прибор";
        QTest::newRow("factory save")
            << "pushButtonSaveFactorySettings" << QRect() << "Сохранение заводских\nнастроек";
        QTest::newRow("language") << "groupBoxLanguage" << QRect() << "Язык приложения";
        QTest::newRow("device language") << "groupBoxLanguage_2" << QRect() << "Язык на приборе";
        QTest::newRow("address stack")
            << "stackedWidgetModbusAddress" << QRect(10, 550, 171, 111) << "";
        QTest::newRow("address flip")
            << "pushButtonModbusAddress" << QRect(180, 550, 20, 100) << ">";
        QTest::newRow("address") << "spinBoxModbusAddress" << QRect(0, 10, 171, 26) << "";
        QTest::newRow("access level") << "groupBoxAccessLevel" << QRect() << "Уровень д-а";
        QTest::newRow("device type") << "groupBoxDevice" << QRect() << "Тип девайса";
        QTest::newRow("Russian") << "radioButtonLanguageRus" << QRect() << "Русский";
        QTest::newRow("English") << "radioButtonLanguageEn" << QRect() << "Английский";
        QTest::newRow("device Russian") << "radioButtonLanguageRus_2" << QRect() << "Русский";
        QTest::newRow("device English") << "radioButtonLanguageEn_2" << QRect() << "Английский";
        QTest::newRow("User") << "radioButtonNameUser" << QRect() << "По-ль.";
        QTest::newRow("Admin") << "radioButtonNameAdmin" << QRect() << "Се-ый.";
        QTest::newRow("Industry") << "radioButtonNameIndustry" << QRect() << "Пр-во.";
        QTest::newRow("T2") << "radioButtonDeviceT2" << QRect() << "T2";
        QTest::newRow("T6") << "radioButtonDeviceT6" << QRect() << "T6";
        QTest::newRow("T6M") << "radioButtonDeviceT6M" << QRect() << "T6M";
        QTest::newRow("T8M") << "radioButtonDeviceT8M" << QRect() << "T8M";
        QTest::newRow("bootloader") << "radioButtonDevice999" << QRect() << "Bl";
    }
    void formWidgets()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QWidget* w = window->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        if (!geometry.isNull())
            QCOMPARE(w->geometry(), geometry);
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            QCOMPARE(button->text(), text);
        if (auto* box = qobject_cast<QGroupBox*>(w))
            QCOMPARE(box->title(), text);
    }

    // The service buttons stand in one column: a button hidden for the model or the level
    // leaves no empty place, the next one moves up.
    void buttonColumnHasNoGaps_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("user");
        QTest::newRow("T6 Admin") << int(ModelT6) << "Admin";
        QTest::newRow("T2 User") << int(ModelT2) << "User";
        QTest::newRow("T6 production") << int(ModelT6) << "Dolen";
        QTest::newRow("bootloader") << int(ModelBootloader) << "Admin";
    }
    void buttonColumnHasNoGaps()
    {
        QFETCH(int, code);
        QFETCH(QString, user);
        window->show();
        showModel(quint16(code), user, ExtendedMap);
        QCoreApplication::processEvents();
        const char* column[] = {"pushButtonBootloader",
                                "pushButtonReadFactorySettings",
                                "pushButton_Save_Param",
                                "pushButton_Read_Param",
                                "pushButtonLoadConfigDevice",
                                "pushButtonSaveConfigPC",
                                "pushButtonBootloader_Ble",
                                "pushButton_TurnOffDevice",
                                "pushButtonSaveFactorySettings",
                                "groupBoxLanguage",
                                "groupBoxLanguage_2"};
        QWidget* central = find<QWidget>("centralwidget");
        QWidget* previous = nullptr;
        int shown = 0;
        for (const char* name : column) {
            QWidget* w = find<QWidget>(name);
            QVERIFY2(w, name);
            if (!w->isVisible())
                continue;
            ++shown;
            const QRect r(w->mapTo(central, QPoint(0, 0)), w->size());
            if (previous) {
                const QRect p(previous->mapTo(central, QPoint(0, 0)), previous->size());
                QVERIFY2(r.top() - p.bottom() - 1 <= 6, name);
                QVERIFY2(r.top() > p.bottom(), name);
            } else {
                QVERIFY2(r.top() <= 20, name);
            }
            previous = w;
        }
        QVERIFY(shown >= 3);
        // The column ends above the Modbus address box.
        const QWidget* address = find<QWidget>("stackedWidgetModbusAddress");
        QVERIFY(previous->mapTo(central, QPoint(0, previous->height())).y() <=
                address->mapTo(central, QPoint(0, 0)).y());
    }

    void tabsAndChannelStacks()
    {
        const QStringList titles = {"Информация об устройстве", "Сенсоры", "Калибровка",
                                    "Обслуживание", "Архив"};
        QCOMPARE(tabs()->count(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(tabs()->tabText(i), titles[i]);
        // Tabs 1 and 3 scroll their channel panes, one per line, channel 0 on top, each
        // as wide as the tab and as tall as its fields.
        for (const char* name : {"scrollArea", "scrollArea_2"}) {
            auto* area = find<QScrollArea>(name);
            QCOMPARE(area->frameShape(), QFrame::NoFrame);
            QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
            QVERIFY(area->widgetResizable());
        }
        for (int tab : {1, 3}) {
            QWidget* contents = stack(window.get(), tab, 0)->parentWidget();
            QCOMPARE(contents->objectName(),
                     QString(tab == 1 ? "scrollAreaWidgetContents" : "scrollAreaWidgetContents_2"));
            auto* column = qobject_cast<QVBoxLayout*>(contents->layout());
            QVERIFY(column);
            for (int ch = 0; ch < 10; ++ch) {
                QStackedWidget* s = stack(window.get(), tab, ch);
                QVERIFY(s);
                QCOMPARE(s->parentWidget(), contents);
                QCOMPARE(column->indexOf(s), ch);
            }
        }
    }

    void menuHoldsThreeActions()
    {
        auto* menu = find<QMenu>("menu");
        QCOMPARE(menu->title(), QString("Меню"));
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 6);
        const QStringList names = {"action_connect", "action_reference", "action_help"};
        const QStringList texts = {"Подключиться к устройству", "Справка", "Помощь"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(actions[2 * i]->objectName(), names[i]);
            QCOMPARE(actions[2 * i]->text(), texts[i]);
            QVERIFY(actions[2 * i + 1]->isSeparator());
        }
    }

    void startsWithoutDevice()
    {
        QCOMPARE(window->windowTitle(), QString("Qiro Configuration v1.18"));
        QVERIFY(tabs()->isHidden());
        QCOMPARE(shownGroupWidgets(window.get()), QStringList());
        QVERIFY(find<QWidget>("groupBoxAccessLevel")->isHidden());
        QVERIFY(find<QWidget>("groupBoxDevice")->isHidden());
        QVERIFY(find<QWidget>("pushButtonModbusAddress")->isHidden());
        QVERIFY(find<QWidget>("spinBoxModbusAddress")->isHidden());
        QCOMPARE(find<QStackedWidget>("stackedWidgetModbusAddress")->currentIndex(), 1);
        QVERIFY(find<QRadioButton>("radioButtonLanguageRus")->isChecked());
        QVERIFY(!find<QWidget>("menubar")->isHidden());
        QVERIFY(find<QAction>("action_connect")->isEnabled());
    }

    // The pages the first rebuild creates can already reach the window.
    void publishedBeforeTheFirstRebuild()
    {
        window.reset();
        processDeferredDeletes();
        QCOMPARE(mainWindow, nullptr);
        QCOMPARE(mainWindowWidget, nullptr);
        ChildSpy spy;
        qApp->installEventFilter(&spy);
        window.reset(new MainWindow);
        qApp->removeEventFilter(&spy);
        QVERIFY2(spy.published >= 10, qPrintable(QString::number(spy.published)));
        QCOMPARE(mainWindow, window.get());
        QCOMPARE(mainWindowWidget, static_cast<QWidget*>(window.get()));
        window.reset();
        QCOMPARE(mainWindow, nullptr);
        QCOMPARE(mainWindowWidget, nullptr);
    }

    void deviceModelTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("offMarker");
        QTest::addColumn<double>("secondsPerTick");
        // -1 / 0.5: left as they were (3, 99, 0.5 before the call).
        QTest::newRow("T2") << 102 << true << 1 << 170 << 1.0;
        QTest::newRow("T2 classic") << 411 << true << 1 << 7 << 0.9375;
        QTest::newRow("T6") << 404 << true << 4 << 7 << 1.0;
        QTest::newRow("T6B") << 405 << true << 4 << 170 << 1.0;
        QTest::newRow("T6 Mini") << 406 << true << 4 << 170 << 1.0;
        QTest::newRow("T6 Max") << 420 << true << 6 << 170 << 1.0;
        QTest::newRow("T6 Max(4)") << 421 << true << 4 << 170 << 1.0;
        QTest::newRow("T8 Max") << 430 << true << 10 << 170 << 1.0;
        QTest::newRow("bootloader") << 999 << true << 3 << 99 << 0.5;
        QTest::newRow("none") << 0 << false << 3 << 99 << 0.5;
        QTest::newRow("unknown 500") << 500 << false << 3 << 99 << 0.5;
        QTest::newRow("unknown 103") << 103 << false << 3 << 99 << 0.5;
    }
    void deviceModelTable()
    {
        QFETCH(int, code);
        QFETCH(bool, accepted);
        QFETCH(int, channels);
        QFETCH(int, offMarker);
        QFETCH(double, secondsPerTick);
        command.channelCount = 3;
        command.channelOffMarker = 99;
        command.secondsPerTick = 0.5;
        QCOMPARE(window->setDeviceModel(quint16(code)), accepted);
        QCOMPARE(int(command.modelCode), code);
        QCOMPARE(int(command.channelCount), channels);
        QCOMPARE(int(command.channelOffMarker), offMarker);
        QCOMPARE(command.secondsPerTick, secondsPerTick);
    }

    void rebuildPerModelAndLevel_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("tabsShown");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("serviceTabEnabled");
        QTest::addColumn<bool>("addressShown");

        const QString base = "Qiro Configuration v1.18";
        const QStringList device =
            without(groupWidgets, {"pushButtonBootloader_Ble", "groupBoxLanguage_2"});
        const QStringList t6 = groupWidgets;
        const QStringList factory = {"pushButtonReadFactorySettings",
                                     "pushButtonSaveFactorySettings"};

        QTest::newRow("T2 User") << 102 << "User" << base + ", устройство Qiro T2"
                                 << "Успешное подключение Qiro T2" << true
                                 << without(device, factory) << false << false;
        QTest::newRow("T2 classic Admin")
            << 411 << "Admin" << base + ", устройство Qiro T2"
            << "Успешное подключение Qiro T2" << true << without(device, factory) << true << false;
        QTest::newRow("T2 Industry")
            << 102 << "Dolen" << base + ", устройство Qiro T2"
            << "Успешное подключение Qiro T2" << true << device << true << true;
        QTest::newRow("T6 Admin") << 404 << "Admin" << base + ", устройство Qiro T6"
                                  << "Успешное подключение Qiro T6" << true << without(t6, factory)
                                  << true << false;
        QTest::newRow("T6B User") << 405 << "User" << base + ", устройство Qiro T6"
                                  << "Успешное подключение Qiro T6" << true << without(t6, factory)
                                  << false << false;
        QTest::newRow("T6 Mini Industry")
            << 406 << "Dolen" << base + ", устройство Qiro T6 Mini"
            << "Успешное подключение Qiro T6" << true << t6 << true << true;
        QTest::newRow("T6 Max Admin")
            << 420 << "Admin" << base + ", устройство Qiro T6Max"
            << "Успешное подключение Qiro T6Max" << true << without(t6, factory) << true << false;
        QTest::newRow("T6 Max(4) User")
            << 421 << "User" << base + ", устройство Qiro T6Max"
            << "Успешное подключение Qiro T6Max" << true << without(t6, factory) << false << false;
        // No level: the level's changes are left out, the group's buttons stay.
        QTest::newRow("T6 Noname") << 404 << "Noname" << base + ", устройство Qiro T6"
                                   << "Успешное подключение Qiro T6" << true << t6 << true << false;
        QTest::newRow("bootloader")
            << 999 << "Admin" << base + ", устройство Bootloader"
            << "Успешное подключение Bootloader" << false
            << QStringList{"pushButtonBootloader", "pushButton_TurnOffDevice"} << true << false;
        QTest::newRow("T8 Max") << 430 << "Dolen" << base << "before" << false << QStringList()
                                << true << false;
        QTest::newRow("none") << 0 << "Admin" << base << "before" << false << QStringList() << true
                              << false;
        QTest::newRow("unknown code")
            << 500 << "User" << base << "before" << false << QStringList() << true << false;
    }
    void rebuildPerModelAndLevel()
    {
        QFETCH(int, code);
        QFETCH(QString, user);
        QFETCH(QString, title);
        QFETCH(QString, status);
        QFETCH(bool, tabsShown);
        QFETCH(QStringList, shown);
        QFETCH(bool, serviceTabEnabled);
        QFETCH(bool, addressShown);

        window->statusBar()->showMessage("before");
        showModel(quint16(code), user);

        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->statusBar()->currentMessage(), status);
        QCOMPARE(shownGroupWidgets(window.get()), shown);
        QCOMPARE(tabs()->isHidden(), !tabsShown);
        QCOMPARE(find<QWidget>("spinBoxModbusAddress")->isHidden(), !addressShown);
        if (!tabsShown)
            return;
        QCOMPARE(tabs()->currentIndex(), 0);
        // The production level adds its tabs 5 and 6.
        QCOMPARE(tabs()->count(), user == "Dolen" ? 7 : 5);
        if (user == "Dolen")
            QCOMPARE(tabs()->tabText(6), QString("Общие параметры_1"));
        QCOMPARE(tabs()->isTabEnabled(3), serviceTabEnabled);
        for (int ch = 0; ch < 10; ++ch) {
            const bool used = ch < command.channelCount;
            QCOMPARE(stack(window.get(), 1, ch)->isHidden(), !used);
            QCOMPARE(stack(window.get(), 3, ch)->isHidden(), !used);
            QVERIFY(deviceSetting1Windows[ch]);
            QCOMPARE(stack(window.get(), 1, ch)->currentWidget(),
                     used ? static_cast<QWidget*>(deviceSetting1Windows[ch]) : nullptr);
        }
    }

    // A login name outside the three changes none of the level's settings.
    void otherNameKeepsTheServiceTab_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("after User") << "User";
        QTest::newRow("after Admin") << "Admin";
    }
    void otherNameKeepsTheServiceTab()
    {
        QFETCH(QString, before);
        showModel(ModelT6, before);
        const bool enabled = tabs()->isTabEnabled(3);
        showModel(ModelT6, "Noname");
        QCOMPARE(tabs()->isTabEnabled(3), enabled);
    }

    void deviceLanguageFollowsTheImage_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("classic");
        QTest::addColumn<int>("extended");
        QTest::addColumn<QString>("checked"); // "" = left as it was (English)
        QTest::newRow("classic Russian") << 0 << 0 << 1 << "radioButtonLanguageRus_2";
        QTest::newRow("classic English") << 0 << 1 << 0 << "radioButtonLanguageEn_2";
        QTest::newRow("extended Russian") << 1 << 1 << 0 << "radioButtonLanguageRus_2";
        QTest::newRow("extended other value") << 1 << 0 << 7 << "";
        QTest::newRow("other map") << 5 << 0 << 0 << "";
    }
    void deviceLanguageFollowsTheImage()
    {
        QFETCH(int, map);
        QFETCH(int, classic);
        QFETCH(int, extended);
        QFETCH(QString, checked);
        find<QRadioButton>("radioButtonLanguageEn_2")->setChecked(true);
        command.classicLanguage = quint32(classic);
        command.extendedLanguage = quint32(extended);
        showModel(ModelT6, "Admin", quint16(map));
        const QString expected = checked.isEmpty() ? "radioButtonLanguageEn_2" : checked;
        QVERIFY(find<QRadioButton>(qPrintable(expected))->isChecked());
    }

    // Every rebuild creates a full set of channel pages; the old ones go.
    void rebuildsReplaceTheirPages()
    {
        for (int i = 0; i < 4; ++i) {
            QPointer<DeviceSetting_1_Window> first = deviceSetting1Windows[0];
            QPointer<DeviceSetting_1_Window> last = deviceSetting1Windows[9];
            showModel(i % 2 ? ModelT6M : ModelT2, "Dolen");
            QVERIFY(deviceSetting1Windows[0] != first);
            processDeferredDeletes();
            QVERIFY(first.isNull());
            QVERIFY(last.isNull());
        }
        QCOMPARE(window->findChildren<DeviceSetting_1_Window*>().size(), 10);
        int production = 0;
        for (int i = 0; i < tabs()->count(); ++i)
            production += tabs()->tabText(i).startsWith("Общие параметры") ? 1 : 0;
        QVERIFY(production <= 2);
    }

    // An old page leaves its stack at once and is deleted only after the
    // slot it runs in has returned.
    void retiredPagesOutliveTheirSlot_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("code");
        QTest::newRow("status") << "stackedWidgetMeasure" << 404;
        QTest::newRow("calibration") << "stackedWidgetCalibration" << 404;
        QTest::newRow("archive") << "stackedWidgetArchiv" << 0;
        QTest::newRow("sensors") << "stackedWidget_1_0" << 999;
        QTest::newRow("service") << "stackedWidget_2_3" << 404;
        QTest::newRow("production tab") << "tab 5" << 404;
        QTest::newRow("production tab, no device") << "tab 5" << 0;
    }
    void retiredPagesOutliveTheirSlot()
    {
        QFETCH(QString, where);
        QFETCH(int, code);
        showModel(ModelT6, "Dolen");
        QPointer<QPushButton> probe = new QPushButton("probe");
        QStackedWidget* host =
            where.startsWith("tab") ? nullptr : window->findChild<QStackedWidget*>(where);
        if (host)
            host->insertWidget(0, probe);
        else
            tabs()->insertTab(5, probe, "Общие параметры");
        connect(probe.data(), &QPushButton::clicked, probe.data(), [this, probe, code] {
            window->setDeviceModel(quint16(code));
            window->rebuildDeviceUi();
            // Still inside the page's own slot.
            probe->setText("after the rebuild");
        });
        probe->click();
        QVERIFY(!probe.isNull());
        if (host)
            QCOMPARE(host->indexOf(probe), -1);
        else
            QCOMPARE(tabs()->indexOf(probe), -1);
        QVERIFY(probe->isHidden());
        processDeferredDeletes();
        QVERIFY(probe.isNull());
        // The placeholder page, and the new calibration page of a device model.
        if (where == "stackedWidgetCalibration")
            QCOMPARE(host->count(), calibrationWindow ? 2 : 1);
        // A device model gets a new status page; without one there is none.
        // The archive page likewise.
        if (code == ModelNone || code == ModelBootloader) {
            QCOMPARE(measureWindow, nullptr);
            QCOMPARE(archiveWindow, nullptr);
        } else {
            QVERIFY(measureWindow != nullptr);
            QVERIFY(archiveWindow != nullptr);
        }
        QCOMPARE(calibrationWindow != nullptr, measureWindow != nullptr);
        // The production level gets new tabs 5 and 6 with every device model.
        if (code == ModelNone || code == ModelBootloader) {
            QCOMPARE(deviceSettingAllWindow, nullptr);
            QCOMPARE(deviceSettingAllWindow1, nullptr);
        } else {
            QVERIFY(deviceSettingAllWindow != nullptr);
            QVERIFY(deviceSettingAllWindow1 != nullptr);
        }
    }

    void rebuildStopsTheAutoUpdate()
    {
        showModel(ModelT6, "Admin");
        auto* autoBox = find<QCheckBox>("checkBoxAutoupdate");
        auto* read = find<QPushButton>("pushButton_Read_Param");
        QVERIFY(autoBox->isEnabled());
        autoBox->setChecked(true);
        QVERIFY(window->autoUpdateTimer.isActive());
        QCOMPARE(window->autoUpdateTimer.interval(), 1000);
        QVERIFY(!read->isEnabled());

        showModel(ModelNone, "Admin");
        QVERIFY(!window->autoUpdateTimer.isActive());
        QVERIFY(read->isEnabled());
        QVERIFY(autoBox->isChecked());

        showModel(ModelT6, "Admin");
        QVERIFY(!autoBox->isChecked());
        QVERIFY(!window->autoUpdateTimer.isActive());
    }

    void leavingTheStatusTabUnticksAuto()
    {
        showModel(ModelT6, "Admin");
        auto* autoBox = find<QCheckBox>("checkBoxAutoupdate");
        autoBox->setChecked(true);
        tabs()->setCurrentIndex(3);
        QVERIFY(!autoBox->isChecked());
        QVERIFY(!autoBox->isEnabled());
        QVERIFY(!window->autoUpdateTimer.isActive());
        tabs()->setCurrentIndex(0);
        QVERIFY(autoBox->isEnabled());
        QVERIFY(!autoBox->isChecked());
    }

    void calibrationTimersStopOffTheirTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("running");
        QTest::newRow("status tab") << 0 << false;
        QTest::newRow("calibration tab") << 2 << true;
        QTest::newRow("archive tab") << 4 << false;
    }
    void calibrationTimersStopOffTheirTab()
    {
        QFETCH(int, tab);
        QFETCH(bool, running);
        showModel(ModelT6, "Admin");
        tabs()->setCurrentIndex(tab);
        window->calibrationPollTimer.start(500);
        window->calibrationChartTimer.start(1000);
        window->onCalibrationPollTimeout();
        window->onCalibrationChartTimeout();
        QCOMPARE(window->calibrationPollTimer.isActive(), running);
        QCOMPARE(window->calibrationChartTimer.isActive(), running);
        window->calibrationPollTimer.stop();
        window->calibrationChartTimer.stop();
    }

    void addressBox()
    {
        auto* pages = find<QStackedWidget>("stackedWidgetModbusAddress");
        auto* flip = find<QPushButton>("pushButtonModbusAddress");
        flip->click();
        QCOMPARE(pages->currentIndex(), 0);
        flip->click();
        QCOMPARE(pages->currentIndex(), 1);

        command.serialPort.setPortName(sim.portPath());
        QVERIFY(command.serialPort.open(QIODevice::ReadWrite));
        command.connected = 1;
        sim.clearLog();
        find<QSpinBox>("spinBoxModbusAddress")->setValue(7);
        QCOMPARE(int(command.modbusAddress), 7);
        QCOMPARE(int(command.transact(4, DevicePage, RegModelCode, 1)), int(ResultOk));
        const auto log = sim.requests();
        QVERIFY(!log.isEmpty());
        QCOMPARE(log.last().address, 7);
        QCOMPARE(log.last().raw.at(0), char(7));
    }

    void modelRadioButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("tabsShown");
        QTest::newRow("T2") << "radioButtonDeviceT2" << 102 << true;
        QTest::newRow("T6") << "radioButtonDeviceT6" << 404 << true;
        QTest::newRow("T6M") << "radioButtonDeviceT6M" << 420 << true;
        QTest::newRow("T8M") << "radioButtonDeviceT8M" << 430 << false;
        QTest::newRow("bootloader") << "radioButtonDevice999" << 999 << false;
    }
    void modelRadioButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, code);
        QFETCH(bool, tabsShown);
        command.userName = "Admin";
        window->findChild<QRadioButton*>(button)->click();
        QCOMPARE(int(command.modelCode), code);
        QCOMPARE(tabs()->isHidden(), !tabsShown);
    }

    void accessRadioButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("serviceTab");
        QTest::addColumn<bool>("addressShown");
        QTest::newRow("User") << "radioButtonNameUser"
                              << "User" << userPassword << false << false;
        QTest::newRow("Admin") << "radioButtonNameAdmin"
                               << "Admin" << adminPassword << true << false;
        QTest::newRow("Industry") << "radioButtonNameIndustry"
                                  << "Dolen" << industryPassword << true << true;
    }
    void accessRadioButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(bool, serviceTab);
        QFETCH(bool, addressShown);
        window->setDeviceModel(ModelT6);
        window->findChild<QRadioButton*>(button)->click();
        QCOMPARE(command.userName, login);
        QCOMPARE(command.password, password);
        QCOMPARE(int(command.authorized), 1);
        QCOMPARE(tabs()->isTabEnabled(3), serviceTab);
        QCOMPARE(find<QWidget>("spinBoxModbusAddress")->isHidden(), !addressShown);
    }

    // The translations are found next to the executable, whatever the
    // working directory; a missing one leaves the Russian source texts.
    void languageSwitch()
    {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const QString startDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));

        showModel(ModelT6, "Admin");
        QPointer<DeviceSetting_1_Window> page = deviceSetting1Windows[0];
        find<QRadioButton>("radioButtonLanguageEn")->click();
        QCOMPARE(translationName, englishTranslationName);
        QCOMPARE(tabs()->tabText(0), QString("Device information"));
        QCOMPARE(find<QAction>("action_connect")->text(), QString("Connect to a device"));
        QCOMPARE(window->windowTitle(), QString("Qiro Configuration v1.18, device Qiro T6"));
        QCOMPARE(window->statusBar()->currentMessage(), QString("Connected to Qiro T6"));
        QVERIFY(deviceSetting1Windows[0] != page);

        find<QRadioButton>("radioButtonLanguageRus")->click();
        QCOMPARE(translationName, russianTranslationName);
        QCOMPARE(tabs()->tabText(0), QString("Информация об устройстве"));
        QCOMPARE(window->statusBar()->currentMessage(), QString("Успешное подключение Qiro T6"));

        const QString qm = QCoreApplication::applicationDirPath() + "/Qiro_Configuration_en_US.qm";
        QVERIFY(QFile::rename(qm, qm + ".away"));
        find<QRadioButton>("radioButtonLanguageEn")->click();
        QFile::rename(qm + ".away", qm);
        QCOMPARE(translationName, englishTranslationName);
        QCOMPARE(tabs()->tabText(0), QString("Информация об устройстве"));

        QVERIFY(QDir::setCurrent(startDir));
    }

    void closeIsAccepted()
    {
        window->show();
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
    }

    // Closing the program ends the device's session; offline nothing goes out.
    void endOfSession_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::newRow("connected") << true;
        QTest::newRow("offline") << false;
    }
    void endOfSession()
    {
        QFETCH(bool, connected);
        command.serialPort.setPortName(sim.portPath());
        QVERIFY(command.serialPort.open(QIODevice::ReadWrite));
        command.connected = connected ? 1 : 0;
        sim.clearLog();
        window.reset();
        QTRY_COMPARE(sim.countFrames(16, SimDetector::DevicePage, RegEndSession),
                     connected ? 1 : 0);
        QCOMPARE(frameCount(sim), connected ? 1 : 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
