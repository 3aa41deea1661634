// The write road and the device commands against the simulated detector:
// blocks per level, model group and layout, commits, failures.

#include "appsettings.h"
#include "configurationfile.h"
#include "devicesetting_1_window.h"
#include "devicesetting_4_window.h"
#include "devicesetting_5_window.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "roadsfixture.h"
#include "unusualnames.h"

#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QTemporaryDir>
#include <QUrl>

// The manual's file, as the build puts it next to the program.
const QString manualName =
    QStringLiteral("Руководство пользователя Qiro Configuration 05.04.2022.pdf");

const QString offlineText =
    QStringLiteral("Нет связи с прибором (Offline режим): данные не переданы");
const QString cancelledText = QStringLiteral("Команда отменена: данные не переданы");
const QString unknownLayout = QStringLiteral("Карта регистров прибора не определена, ничего не "
                                             "записано. Считайте параметры прибора и повторите "
                                             "запись.");

// The factory save of a classic T6 at the production level: the full write,
// committed as the factory set.
const QStringList classicT6FactorySave =
    QStringList{"16/0/254/4"} + perChannel(4, {"16/ch/256/82", "16/ch/546/2"}) +
    QStringList{"16/10/512/1", "16/10/544/2", "3/10/529/4", "16/10/528/6", "16/10/592/1"};

// Takes the URLs the program asks the desktop to open, so that no viewer starts.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestWriteroad : public RoadsTest
{
    Q_OBJECT

private slots:
    ROADS_TEST_FIXTURE_SLOTS

    void save_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QStringList>("expected");
        const int classic = int(SimDetector::Layout::Classic);
        const int extended = int(SimDetector::Layout::Extended);
        QTest::newRow("T2 User") << int(ModelT2Classic) << classic << "User"
                                 << QStringList{"16/0/256/2", "16/0/256/12", "16/0/560/1", commit};
        QTest::newRow("T2 Admin") << int(ModelT2) << classic << "Admin"
                                  << QStringList{"16/0/256/2", "16/0/256/29", "16/0/560/4",
                                                 "16/0/545/1", commit};
        QTest::newRow("T2 Dolen") << int(ModelT2) << classic << "Dolen"
                                  << QStringList{"16/0/256/2",  "16/0/256/80", "16/0/544/4",
                                                 "16/10/512/1", "3/10/529/4",  "16/10/528/6",
                                                 commit};
        QTest::newRow("T6 Admin") << int(ModelT6) << classic << "Admin"
                                  << (QStringList{"16/0/254/4"} +
                                      perChannel(4,
                                                 {"16/ch/256/29", "16/ch/560/4", "16/ch/545/1"}) +
                                      QStringList{commit});
        QTest::newRow("T6 Dolen") << int(ModelT6B) << classic << "Dolen"
                                  << (QStringList{"16/0/254/4"} +
                                      perChannel(4, {"16/ch/256/80", "16/ch/546/2"}) +
                                      QStringList{"16/10/512/1", "16/10/544/2", "3/10/529/4",
                                                  "16/10/528/6", commit});
        QTest::newRow("T6 Max Dolen")
            << int(ModelT6M4) << classic << "Dolen"
            << (QStringList{"16/0/254/4"} +
                perChannel(4, {"16/ch/256/80", "16/ch/352/20", "16/ch/546/2", "16/ch/514/1"}) +
                QStringList{"16/10/512/1", "16/10/544/2", "3/10/529/4", "16/10/528/6", commit});
        QTest::newRow("T6 Max User")
            << int(ModelT6M) << classic << "User"
            << (QStringList{"16/0/254/4"} + perChannel(6, {"16/ch/256/12", "16/ch/560/1"}) +
                QStringList{commit});
        QTest::newRow("extended User")
            << int(ModelT6) << extended << "User"
            << (QStringList{"16/0/254/4"} + perChannel(4, {"16/ch/258/19", "16/ch/548/2"}) +
                QStringList{commit});
    }

    void save()
    {
        QFETCH(int, model);
        QFETCH(int, layout);
        QFETCH(QString, user);
        QFETCH(QStringList, expected);
        connectAs(quint16(model), SimDetector::Layout(layout), user);
        click("pushButton_Save_Param");
        const QStringList seq = folded(frameSequence(sim));
        QCOMPARE(upTo(seq, commit), expected);
        QCOMPARE(seq.value(expected.size()), modelRead); // the current tab is read back
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    void saveAsAnyOtherNameSendsClockAndCommit()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Noname");
        click("pushButton_Save_Param");
        QCOMPARE(upTo(folded(frameSequence(sim)), commit), (QStringList{"16/0/254/4", commit}));
    }

    void failedBlockIsNotCommitted()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        sim.addFault(SimFault(SimFault::Exception, 16, 1, 256).code(2));
        dialogs::Script script;
        click("pushButton_Save_Param");
        const QStringList seq = folded(frameSequence(sim));
        QVERIFY(!seq.contains(commit));
        QCOMPARE(seq.last(), QString("16/1/256/29"));
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными"});
        QCOMPARE(status(), QString("Ошибка обмена данными"));
    }

    void factorySave_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("T6 classic")
            << int(ModelT6) << int(SimDetector::Layout::Classic) << classicT6FactorySave;
        QTest::newRow("T2 classic")
            << int(ModelT2Classic) << int(SimDetector::Layout::Classic)
            << QStringList{"16/0/256/2", "16/0/256/82", "16/0/544/4", "16/10/512/1",
                           "3/10/529/4", "16/10/528/6", "16/10/592/1"};
        QTest::newRow("extended T6")
            << int(ModelT6) << int(SimDetector::Layout::Extended)
            << (QStringList{"16/0/254/4"} +
                perChannel(4, {"16/ch/258/55", "16/ch/400/7", "16/ch/336/60", "16/ch/548/5",
                               "16/ch/768/2"}) +
                QStringList{"16/10/512/7", "3/10/529/4", "16/10/528/6", "16/10/544/4",
                            "16/10/784/3", "16/10/519/1", "16/10/592/1"});
    }

    void factorySave()
    {
        QFETCH(int, model);
        QFETCH(int, layout);
        QFETCH(QStringList, expected);
        connectAs(quint16(model), SimDetector::Layout(layout), "Dolen");
        dialogs::Script script;
        script.button(QMessageBox::Yes);
        click("pushButtonSaveFactorySettings");
        QCOMPARE(folded(frameSequence(sim)), expected);
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    void adminFullWriteSkipsTheSerialNumber()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        QVERIFY(window->writeDeviceImage(false));
        QCOMPARE(folded(frameSequence(sim)),
                 (QStringList{"16/0/254/4"} +
                  perChannel(4, {"16/ch/256/29", "16/ch/287/51", "16/ch/546/2"}) +
                  QStringList{"16/10/512/1", "16/10/544/2", "3/10/529/4", "16/10/528/6", commit}));
    }

    void commandButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("frame");
        QTest::newRow("BLE update mode")
            << "pushButtonBootloader_Ble" << int(ModelT6) << "16/10/1794/1";
        QTest::newRow("power off") << "pushButton_TurnOffDevice" << int(ModelT6) << "16/10/2048/1";
        QTest::newRow("power off in the bootloader")
            << "pushButton_TurnOffDevice" << int(ModelBootloader) << "16/10/5/1";
    }

    void commandButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, model);
        QFETCH(QString, frame);
        connectAs(quint16(model), SimDetector::Layout::Classic, "Admin");
        find<QPushButton>(qPrintable(button))->click();
        QCOMPARE(frameSequence(sim), QStringList{frame});
    }

    void restoreFactorySettings()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Dolen");
        dialogs::Script script;
        script.button(QMessageBox::Yes);
        click("pushButtonReadFactorySettings");
        const QStringList seq = folded(frameSequence(sim));
        QCOMPARE(seq.value(0), QString("16/10/594/1"));
        QCOMPARE(seq.value(1), modelRead); // read back
    }

    void restoreAsUserNeedsTheSecondPassword()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "User");
        dialogs::Script script; // the password dialog closed unanswered ("Cancel")
        script.button(QMessageBox::Yes);
        window->findChild<QPushButton*>("pushButtonReadFactorySettings")->setVisible(true);
        QMetaObject::invokeMethod(window.get(), "on_pushButtonReadFactorySettings_clicked");
        QCOMPARE(script.ran, QStringList{"AuthorizationWindow"});
        QCOMPARE(sim.requests().size(), 0);
        QCOMPARE(status(), cancelledText);
    }

    // Both factory buttons replace what the device holds: they ask first, in a box
    // that names what goes, with No as the default; No sends nothing.
    void factoryButtonsAskFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("replaced"); // what the question names
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("frames");
        const QStringList restore = {"16/10/594/1", modelRead}; // then the tab read back
        for (bool yes : {false, true}) {
            const char* answer = yes ? "Yes" : "No";
            QTest::newRow(qPrintable(QString("restore, %1").arg(answer)))
                << "pushButtonReadFactorySettings"
                << "Чтение заводских настроек"
                << "заменят его текущие настройки" << yes << (yes ? restore : QStringList());
            QTest::newRow(qPrintable(QString("factory save, %1").arg(answer)))
                << "pushButtonSaveFactorySettings"
                << "Сохранение заводских настроек"
                << "заменят его текущие и заводские настройки" << yes
                << (yes ? classicT6FactorySave : QStringList());
        }
    }
    void factoryButtonsAskFirst()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(QString, replaced);
        QFETCH(bool, yes);
        QFETCH(QStringList, frames);
        connectAs(ModelT6, SimDetector::Layout::Classic, "Dolen");
        // "Авто" ticked on tab 0: no timer read may run while the question is open.
        auto* autoUpdate = find<QCheckBox>("checkBoxAutoupdate");
        autoUpdate->setChecked(true);
        QList<dialogs::Request> shown;
        bool autoUpdateWhileAsked = true;
        dialogs::setHook([&](const dialogs::Request& r) {
            shown << r;
            autoUpdateWhileAsked = autoUpdate->isChecked() || window->autoUpdateTimer.isActive();
            return dialogs::Reply{yes ? QMessageBox::Yes : QMessageBox::No, yes, QString()};
        });
        click(qPrintable(button));
        dialogs::setHook(dialogs::Hook());
        QVERIFY(!autoUpdateWhileAsked);
        QCOMPARE(shown.size(), 1);
        const dialogs::Request& asked = shown.first();
        QCOMPARE(asked.kind, dialogs::Kind::Question);
        QCOMPARE(asked.title, title);
        QVERIFY2(asked.text.contains(replaced), qPrintable(asked.text));
        QCOMPARE(asked.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(asked.defaultButton, QMessageBox::No);
        if (!yes) {
            QCOMPARE(sim.requests().size(), 0);
            QCOMPARE(status(), cancelledText);
            return;
        }
        QCOMPARE(QStringList(folded(frameSequence(sim)).mid(0, frames.size())), frames);
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    // Every command ends with its outcome in the status bar. Offline a command that
    // would talk to the device sends nothing, asks nothing, and says so.
    void commandOutcomes_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("refused");    // a frame the device refuses, or empty
        QTest::addColumn<QStringList>("frames"); // frames that go out (none when empty)
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("boxes");
        const QStringList exchangeBox = {"Ошибка обмена данными"};
        const QString exchangeError = "Ошибка обмена данными";
        QTest::newRow("BLE") << "BLE" << true << "" << QStringList{"16/10/1794/1"}
                             << "Модуль Ble переведён в режим прошивки" << QStringList();
        QTest::newRow("BLE refused") << "BLE" << true << "16/10/1794" << QStringList{"16/10/1794/1"}
                                     << exchangeError << exchangeBox;
        QTest::newRow("BLE offline")
            << "BLE" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("device language") << "language" << true << "" << QStringList{"16/10/1792/1"}
                                         << "Язык на приборе: английский" << QStringList();
        QTest::newRow("device language refused")
            << "language" << true << "16/10/1792" << QStringList{"16/10/1792/1"} << exchangeError
            << exchangeBox;
        QTest::newRow("device language offline")
            << "language" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("power off") << "power off" << true << "" << QStringList{"16/10/2048/1"}
                                   << "Прибор принял команду выключения" << QStringList();
        QTest::newRow("power off refused")
            << "power off" << true << "16/10/2048" << QStringList{"16/10/2048/1"}
            << "Прибор не подтвердил команду выключения" << QStringList();
        QTest::newRow("power off offline")
            << "power off" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("setup write") << "setup write" << true << "" << QStringList{commit}
                                     << "Настройки канала 1 записаны в прибор" << QStringList();
        QTest::newRow("setup write refused") << "setup write" << true << "16/10/576"
                                             << QStringList{commit} << exchangeError << exchangeBox;
        QTest::newRow("setup write offline")
            << "setup write" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("read offline")
            << "read" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("save offline")
            << "save" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("factory save offline")
            << "factory save" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("factory restore offline")
            << "factory restore" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("configuration load offline")
            << "configuration load" << false << "" << QStringList() << offlineText << QStringList();
        QTest::newRow("firmware offline") << "firmware" << false << "" << QStringList()
                                          << offlineText << QStringList{"Нет связи с прибором"};
        QTest::newRow("firmware for another model")
            << "firmware" << true << "" << QStringList() << "Обновление ПО не выполнено"
            << QStringList{"Файл прошивки предназначен для другой модели прибора"};
        // A failure, a refusal or a cancel stands: the read-back's success does not
        // cover it, and a command that stops early still says so.
        QTest::newRow("configuration load, file of the wrong size")
            << "configuration load, wrong size" << true << "" << QStringList{modelRead}
            << "Конфигурация не загружена: в прибор ничего не записано"
            << QStringList{"Ошибка размера файла конфигурации"};
        QTest::newRow("configuration load, no file chosen")
            << "configuration load, cancelled" << true << "" << QStringList() << cancelledText
            << QStringList();
        QTest::newRow("configuration save, no file chosen")
            << "configuration save, cancelled" << true << "" << QStringList()
            << "Команда отменена: конфигурация не сохранена" << QStringList();
        QTest::newRow("firmware, no file chosen")
            << "firmware, cancelled" << true << "" << QStringList() << cancelledText
            << QStringList();
        QTest::newRow("firmware, answered No")
            << "firmware, No" << true << "" << QStringList() << cancelledText << QStringList();
        QTest::newRow("setup write, layout unknown")
            << "setup write, layout unknown" << true << "" << QStringList() << unknownLayout
            << QStringList{unknownLayout};
        QTest::newRow("temperature calibration")
            << "temperature" << true << "" << QStringList{"16/10/598/1"}
            << "Температура окружающей среды записана в прибор" << QStringList();
        QTest::newRow("temperature calibration refused")
            << "temperature" << true << "16/10/598" << QStringList{"16/10/598/1"} << exchangeError
            << exchangeBox;
        QTest::newRow("temperature calibration offline")
            << "temperature" << false << "" << QStringList() << offlineText << QStringList();
    }
    void commandOutcomes()
    {
        QFETCH(QString, what);
        QFETCH(bool, online);
        QFETCH(QString, refused);
        QFETCH(QStringList, frames);
        QFETCH(QString, expected);
        QFETCH(QStringList, boxes);
        QTemporaryDir dir;
        if (online) {
            connectAs(ModelT6, SimDetector::Layout::Classic, "Dolen");
        } else {
            command.userName = "Dolen";
            command.authorized = 1;
            window->offlineWork = true;
            window->setDeviceModel(ModelT6);
            command.registerMap = ClassicMap;
            window->rebuildDeviceUi();
        }
        if (what.startsWith("setup write")) {
            find<QTabWidget>("tabWidget")->setCurrentIndex(5);
            QVERIFY(deviceSetting4Window);
        }
        if (what == "setup write, layout unknown")
            command.registerMapDecided = false; // as after a firmware upload
        sim.clearLog();
        if (!refused.isEmpty()) {
            const QStringList f = refused.split('/');
            sim.addFault(
                SimFault(SimFault::Exception, f[0].toInt(), f[1].toInt(), f[2].toInt()).code(2));
        }
        dialogs::Script script;
        // What an earlier command left: every command replaces it with its own outcome.
        window->statusBar()->showMessage("Успешная передача данных (earlier command)");
        if (what == "BLE") {
            click("pushButtonBootloader_Ble");
        } else if (what == "language") {
            find<QRadioButton>("radioButtonLanguageEn_2")->click();
        } else if (what == "power off") {
            click("pushButton_TurnOffDevice");
        } else if (what.startsWith("setup write")) {
            deviceSetting4Window->findChild<QPushButton*>("pushButton")->click();
        } else if (what == "temperature") {
            QVERIFY(deviceSetting5Window);
            deviceSetting5Window->findChild<QPushButton*>("pushButton_TempsensorCalib")->click();
        } else if (what == "read") {
            click("pushButton_Read_Param");
        } else if (what == "save") {
            click("pushButton_Save_Param");
        } else if (what == "factory save") {
            click("pushButtonSaveFactorySettings");
        } else if (what == "factory restore") {
            click("pushButtonReadFactorySettings");
        } else if (what == "configuration load") {
            lastSavedConfigFile = dir.filePath("t6.txt");
            QVERIFY(saveConfigurationFile());
            script.accept(lastSavedConfigFile);
            click("pushButtonLoadConfigDevice");
            script.shown.removeFirst(); // the file dialog
        } else if (what == "firmware") {
            // A sound file whose model word (0802:FC00) is a T6 Mini's, not a T6's.
            const QString file = dir.filePath("other.hex");
            QFile hex(file);
            QVERIFY(hex.open(QIODevice::WriteOnly));
            hex.write(":020000040802F0\r\n"
                      ":02FC000096016B\r\n"
                      ":00000001FF\r\n");
            hex.close();
            script.accept(file).button(QMessageBox::Yes);
            click("pushButtonBootloader");
            script.shown.removeFirst(); // the file dialog
            script.shown.removeFirst(); // "Загрузить в устройство?"
        } else if (what == "configuration load, wrong size") {
            const QString file = dir.filePath("short.txt");
            QFile bad(file);
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write("0102\r\n");
            bad.close();
            script.accept(file);
            click("pushButtonLoadConfigDevice");
            script.shown.removeFirst(); // the file dialog
        } else if (what == "configuration load, cancelled") {
            click("pushButtonLoadConfigDevice");
            script.shown.removeFirst(); // the file dialog
        } else if (what == "configuration save, cancelled") {
            click("pushButtonSaveConfigPC");
            script.shown.removeFirst(); // the file dialog
        } else if (what == "firmware, cancelled") {
            click("pushButtonBootloader");
            script.shown.removeFirst(); // the file dialog
        } else if (what == "firmware, No") {
            const QString file = dir.filePath("t6.hex");
            QFile hex(file);
            QVERIFY(hex.open(QIODevice::WriteOnly));
            hex.write(":00000001FF\r\n");
            hex.close();
            script.accept(file).button(QMessageBox::No);
            click("pushButtonBootloader");
            script.shown.removeFirst(); // the file dialog
            script.shown.removeFirst(); // "Загрузить в устройство?"
        }
        if (frames.isEmpty()) {
            QCOMPARE(sim.requests().size(), 0);
        } else {
            const QStringList seq = folded(frameSequence(sim));
            for (const QString& frame : frames)
                QVERIFY2(seq.contains(frame), qPrintable(seq.join(' ')));
        }
        QStringList shown;
        for (const dialogs::Request& r : script.shown)
            shown << r.text;
        QCOMPARE(shown, boxes);
        QCOMPARE(status(), expected);
    }

    void deviceLanguage()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        find<QRadioButton>("radioButtonLanguageEn_2")->click();
        QCOMPARE(frameSequence(sim), QStringList{"16/10/1792/1"});
        QCOMPARE(sim.holding(10, 1792), quint16(1));
        QCOMPARE(command.classicLanguage, 1u);

        // A failed write leaves the image with the device's language.
        sim.addFault(SimFault(SimFault::Exception, 16, 10, 1792).code(2));
        dialogs::Script script;
        find<QRadioButton>("radioButtonLanguageRus_2")->click();
        QCOMPARE(command.classicLanguage, 1u);
        QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными"});
        QVERIFY(find<QRadioButton>("radioButtonLanguageEn_2")->isChecked());
    }

    // An edit on tab 1 changes the image only; "Сохранить параметры" sends it.
    void limitEditReachesTheDeviceThroughSave()
    {
        sim.setHolding(0, 259, 0); // PPM, no decimals, raw units
        sim.setHolding(0, 261, 0x8000 | 1200);
        connectAs(ModelT6, SimDetector::Layout::Classic, "User");
        find<QTabWidget>("tabWidget")->setCurrentIndex(1);
        sim.clearLog();
        deviceSetting1Windows[0]->findChild<QDoubleSpinBox*>("doubleSpinBoxLim_1")->setValue(800);
        QCOMPARE(sim.requests().size(), 0);
        QCOMPARE(sim.holding(0, 261), quint16(0x8000 | 1200));
        click("pushButton_Save_Param");
        QCOMPARE(sim.holding(0, 261), quint16(0x8320));
    }

    // "Очистка архива" on tab 5 zeroes the pointers in the image; the next save
    // sends the zeros once. A read in between brings the device's pointers back,
    // as it brings back any unsaved edit, and the save then sends the device's
    // own pointers, re-read just before it, not those of that read. A read that
    // fails, or whose reply is refused after the pointers (529 x 6 runs past the
    // archive block), brings nothing back: the clear stays pending.
    void archiveClear_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("between");
        const struct {
            const char* name;
            int model;
            SimDetector::Layout layout;
        } devices[] = {{"classic T6 Mini", ModelT6Mini, SimDetector::Layout::Classic},
                       {"extended T6", ModelT6, SimDetector::Layout::Extended}};
        for (const auto& d : devices)
            for (const char* between :
                 {"nothing", "read", "tab change", "rebuild", "failed read", "refused read"})
                QTest::newRow(qPrintable(
                    QStringLiteral("%1, %2").arg(QLatin1String(d.name), QLatin1String(between))))
                    << d.model << int(d.layout) << QString::fromLatin1(between);
    }
    void archiveClear()
    {
        QFETCH(int, model);
        QFETCH(int, layout);
        QFETCH(QString, between);
        sim.setHolding32(10, 529, 100);
        sim.setHolding32(10, 531, 5000);
        dialogs::Script script;
        connectAs(quint16(model), SimDetector::Layout(layout), "Dolen");
        auto* tabs = find<QTabWidget>("tabWidget");
        tabs->setCurrentIndex(5);
        QCOMPARE(tabs->currentIndex(), 5);
        find<QPushButton>("pushButton_ClearArchiv")->click();
        if (between == "read") {
            click("pushButton_Read_Param");
        } else if (between == "tab change") {
            tabs->setCurrentIndex(6);
            QCOMPARE(tabs->currentIndex(), 6);
        } else if (between == "rebuild") {
            window->rebuildDeviceUi();
        } else if (between == "failed read") {
            sim.addFault(SimFault(SimFault::Exception, 3, 10, 528).code(2));
            click("pushButton_Read_Param");
            QCOMPARE(status(), QString("Ошибка обмена данными"));
            QVERIFY(frameSequence(sim).contains("3/10/528/6"));
            sim.clearFaults();
        } else if (between == "refused read") {
            QVERIFY(command.transact(3, DevicePage, 529, 6) != ResultOk);
            QCOMPARE(sim.requests().last().reply.size(), 5 + 12);
        }
        // The device logs 37 records meanwhile.
        sim.setHolding32(10, 531, 5037);
        sim.clearLog();
        click("pushButton_Save_Param");
        QCOMPARE(status(), QString("Успешная передача данных"));
        const QStringList sent = upTo(folded(frameSequence(sim)), "16/10/528/6");
        QCOMPARE(sent.last(), QString("16/10/528/6"));
        if (between == "read" || between == "tab change" || between == "rebuild") {
            QCOMPARE(sent.value(sent.size() - 2), QString("3/10/529/4"));
            QCOMPARE(sim.holding32(10, 529), 100u);
            QCOMPARE(sim.holding32(10, 531), 5037u);
            QVERIFY(script.shown.isEmpty());
            return;
        }
        QVERIFY(!sent.contains("3/10/529/4"));
        QCOMPARE(sim.holding32(10, 529), 0u);
        QCOMPARE(sim.holding32(10, 531), 0u);
        // Once: the device logs on from the cleared archive, and the next save
        // sends its pointers back.
        sim.setHolding32(10, 531, 12);
        sim.clearLog();
        click("pushButton_Save_Param");
        QVERIFY(frameSequence(sim).contains("3/10/529/4"));
        QCOMPARE(sim.holding32(10, 529), 0u);
        QCOMPARE(sim.holding32(10, 531), 12u);
        QVERIFY(script.shown.isEmpty());
    }

    // Channel 0 takes part in calibration mode (format bit 10) and the device has it in
    // that mode; its input copy of the flag word still shows the mode after the switch-off,
    // so reads bring bit 8 back into the image. Only a running procedure may send it: the
    // connection (the calibration page switches it off) and every write road leave the
    // device's flag word without it.
    void noWriteRoadPutsCalibrationModeBack_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("road");
        const QStringList roads = {"connection", "Записать", "save", "configuration load",
                                   "factory save"};
        for (int model : {int(ModelT6Mini), int(ModelT6M)})
            for (const QString& road : roads)
                QTest::addRow("classic %d, %s", model, qPrintable(road))
                    << model << int(SimDetector::Layout::Classic) << road;
        for (const QString& road : {QString("Записать"), QString("configuration load")})
            QTest::addRow("extended 420, %s", qPrintable(road))
                << int(ModelT6M) << int(SimDetector::Layout::Extended) << road;
    }
    void noWriteRoadPutsCalibrationModeBack()
    {
        QFETCH(int, model);
        QFETCH(int, layout);
        QFETCH(QString, road);
        const bool classic = layout == int(SimDetector::Layout::Classic);
        const quint16 inMode = 46865;  // 0xB711: bit 8 set
        const quint16 modeOff = 46609; // 0xB611
        const int flagReg = classic ? 546 : 548;
        sim.setHolding(0, 259, quint16(1u << 10));
        sim.setHolding(0, flagReg, inMode);
        // The input copies that lag behind: fixed-channel (T6 Mini), page-based (T6 Max),
        // extended.
        sim.setInput(10, 48, inMode);
        sim.setInput(0, 34, inMode);
        sim.setInput(0, 550, inMode);
        connectAs(quint16(model), SimDetector::Layout(layout), "Dolen");
        QCOMPARE(sim.holding(0, flagReg), modeOff);
        if (road == "connection")
            return;

        // As a read of the lagging copy leaves the image.
        auto markImage = [&] {
            if (classic)
                command.classicChannels[0].channelFlags |= 256;
            else
                command.extendedChannels[0].channelFlags |= 256;
        };
        QTemporaryDir dir;
        dialogs::Script script;
        sim.clearLog();
        if (road == "Записать") {
            window->tabWidget()->setCurrentIndex(5);
            QCOMPARE(window->tabWidget()->currentIndex(), 5);
            markImage();
            deviceSetting4Window->findChild<QPushButton*>("pushButton")->click();
        } else if (road == "save") {
            markImage();
            click("pushButton_Save_Param");
        } else if (road == "configuration load") {
            markImage();
            lastSavedConfigFile = dir.filePath("calibration-mode.txt");
            QVERIFY(saveConfigurationFile());
            script.accept(lastSavedConfigFile);
            click("pushButtonLoadConfigDevice");
        } else {
            markImage();
            script.button(QMessageBox::Yes);
            click("pushButtonSaveFactorySettings");
        }
        QCOMPARE(script.texts().filter("Ошибка"), QStringList());
        QCOMPARE(sim.countFrames(16, 10, 576) + sim.countFrames(16, 10, 592), 1);
        QVERIFY(sim.countFrames(16, 0, flagReg) > 0);
        QCOMPARE(sim.holding(0, flagReg), modeOff);
    }

    void loadConfigurationIntoTheDevice()
    {
        QTemporaryDir dir;
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        lastSavedConfigFile = dir.filePath("t6.txt");
        command.classicChannels[2].limit2 = 777;
        QVERIFY(saveConfigurationFile());
        command.classicChannels[2].limit2 = 1;
        sim.clearLog();
        dialogs::Script script;
        script.accept(lastSavedConfigFile);
        click("pushButtonLoadConfigDevice");
        QCOMPARE(lastLoadedConfigFile, lastSavedConfigFile);
        QCOMPARE(lastDirectory, dir.path());
        const QStringList seq = folded(frameSequence(sim));
        QCOMPARE(upTo(seq, commit),
                 (QStringList{"16/0/254/4"} +
                  perChannel(4, {"16/ch/256/29", "16/ch/287/51", "16/ch/546/2"}) +
                  QStringList{"16/10/512/1", "16/10/544/2", "3/10/529/4", "16/10/528/6", commit}));
        QCOMPARE(sim.holding(2, 262), quint16(777));
        QCOMPARE(seq.value(seq.indexOf(commit) + 1), modelRead); // read back
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    // A failed write stays reported: the read-back does not cover it with "success".
    void failedConfigurationWriteKeepsTheError()
    {
        QTemporaryDir dir;
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        lastSavedConfigFile = dir.filePath("t6.txt");
        QVERIFY(saveConfigurationFile());
        sim.addFault(SimFault(SimFault::Exception, 16, 1, 287).code(2));
        dialogs::Script script;
        script.accept(lastSavedConfigFile);
        click("pushButtonLoadConfigDevice");
        QVERIFY(!frameSequence(sim).contains(commit));
        QVERIFY(frameSequence(sim).contains(modelRead)); // the tab is still read
        QCOMPARE(status(), QString("Ошибка обмена данными"));
    }

    void refusedConfigurationWritesNothing()
    {
        QTemporaryDir dir;
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        QFile bad(dir.filePath("bad.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("0102\r\n");
        bad.close();
        dialogs::Script script;
        script.accept(bad.fileName());
        click("pushButtonLoadConfigDevice");
        QCOMPARE(script.texts().value(1), QString("Ошибка размера файла конфигурации"));
        for (const QString& frame : frameSequence(sim))
            QVERIFY2(!frame.startsWith("16/") || frame == "16/0/254/4", qPrintable(frame));
    }

    // Names that are no plain file, picked as the configuration to load into the
    // device: the open error at once, before a single frame; after it only the
    // read-back of the tab, no write.
    void unusualConfigurationFileRefused_data() { addUnusualNameRows(); }
    void unusualConfigurationFileRefused()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        QVERIFY(dir.isValid() && elsewhere.isValid());
        const QString name = dir.filePath("config.txt");
        const UnusualName unusual(kind, name, elsewhere.path());
        QVERIFY(unusual.ok());
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        QStringList texts;
        int framesAtTheBox = -1;
        dialogs::setHook([&](const dialogs::Request& r) {
            if (r.kind == dialogs::Kind::OpenFile)
                return dialogs::Reply(QMessageBox::NoButton, true, name);
            texts << r.text;
            framesAtTheBox = frameSequence(sim).size();
            return dialogs::Reply(QMessageBox::Ok, true);
        });
        click("pushButtonLoadConfigDevice");
        dialogs::setHook({});
        QCOMPARE(texts, QStringList{"Ошибка открытия файла"});
        QCOMPARE(framesAtTheBox, 0);
        for (const QString& frame : frameSequence(sim))
            QVERIFY2(!frame.startsWith("16/") || frame == "16/0/254/4", qPrintable(frame));
        QVERIFY(unusual.unchanged());
    }

    void saveConfigurationToThePc()
    {
        QTemporaryDir dir;
        connectAs(ModelT2Classic, SimDetector::Layout::Classic, "User");
        lastDirectory = dir.path();
        dialogs::Script script;
        script.accept(dir.filePath("mine.txt"));
        click("pushButtonSaveConfigPC");
        QCOMPARE(script.shown.value(0).text, dir.path() + "//config.txt");
        QCOMPARE(script.shown.value(0).filter, QString("(*.txt)"));
        // A classic T2's 320 bytes: 16 lines of 40 digits and "\r\n".
        QCOMPARE(QFileInfo(dir.filePath("mine.txt")).size(), 16 * (40 + 2));
        QCOMPARE(sim.requests().size(), 0);
        QCOMPARE(status(), "Конфигурация сохранена в файл " +
                               QDir::toNativeSeparators(dir.filePath("mine.txt")));

        // A file that cannot be written: the box, and the outcome in the status bar.
        const QString missing = dir.filePath("no-such-folder/mine.txt");
        script.accept(missing);
        click("pushButtonSaveConfigPC");
        QCOMPARE(script.texts().last(), QString("Ошибка открытия файла"));
        QCOMPARE(status(), "Конфигурация не сохранена: ошибка записи файла " +
                               QDir::toNativeSeparators(missing));
    }

    // "Помощь" opens the manual the build put next to the program, a PDF, and says nothing.
    void helpOpensTheManual()
    {
        const QString manual = QCoreApplication::applicationDirPath() + "/" + manualName;
        QFile file(manual);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(manual));
        QVERIFY(file.read(5) == "%PDF-");
        file.close();
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        dialogs::Script script;
        QMetaObject::invokeMethod(window.get(), "on_action_help_triggered");
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(script.shown.size(), 0);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(manual)});
        QCOMPARE(status(), "Руководство пользователя открыто: " + QDir::toNativeSeparators(manual));
    }

    // No program opens the PDF: the operator is told where the manual lies.
    void unopenableManualSaysWhereItIs()
    {
        const QString manual = QCoreApplication::applicationDirPath() + "/" + manualName;
        QVERIFY(QFile::exists(manual));
        UrlCatcher catcher;
        // A handler without the slot named: QDesktopServices::openUrl fails, as without
        // a viewer.
        guard.allow("No such method");
        QDesktopServices::setUrlHandler("file", &catcher, "noSuchSlot");
        dialogs::Script script;
        QMetaObject::invokeMethod(window.get(), "on_action_help_triggered");
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QCOMPARE(script.texts().value(0),
                 "Не удалось открыть руководство пользователя: нет программы для просмотра "
                 "PDF.\nРуководство находится здесь:\n" +
                     QDir::toNativeSeparators(manual));
        QCOMPARE(status(),
                 "Руководство пользователя не открыто, файл: " + QDir::toNativeSeparators(manual));
    }

    void missingManualIsReported()
    {
        const QString manual = QCoreApplication::applicationDirPath() + "/" + manualName;
        const QString aside = manual + ".aside";
        QFile::remove(aside);
        QVERIFY(QFile::rename(manual, aside));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        dialogs::Script script;
        QMetaObject::invokeMethod(window.get(), "on_action_help_triggered");
        QDesktopServices::unsetUrlHandler("file");
        QVERIFY(QFile::rename(aside, manual));
        QCOMPARE(script.titles(), QStringList{"Ошибка"});
        QVERIFY(script.texts().value(0).contains(manualName));
        QCOMPARE(catcher.opened.size(), 0);
        QVERIFY(status().contains(manualName));
    }

    // The firmware replaces what the device runs: Enter at the question (its default
    // button) answers No and nothing goes out.
    void firmwareQuestionEnterSendsNothing()
    {
        QTemporaryDir dir;
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        const QString file = dir.filePath("t6.hex");
        QFile hex(file);
        QVERIFY(hex.open(QIODevice::WriteOnly));
        hex.write(":00000001FF\r\n");
        hex.close();
        QList<dialogs::Request> asked;
        dialogs::setHook([&](const dialogs::Request& r) {
            if (r.kind == dialogs::Kind::OpenFile)
                return dialogs::Reply{QMessageBox::Ok, true, file};
            asked << r;
            // What Enter does on the box: its default button.
            return dialogs::Reply{r.defaultButton, r.defaultButton == QMessageBox::Yes};
        });
        click("pushButtonBootloader");
        dialogs::setHook(dialogs::Hook());
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, dialogs::Kind::Question);
        QCOMPARE(asked[0].text, QString("Загрузить в устройство?"));
        QCOMPARE(asked[0].buttons,
                 QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(asked[0].defaultButton, QMessageBox::No);
        QCOMPARE(sim.requests().size(), 0);
        QCOMPARE(status(), cancelledText);
    }

    // The firmware button asks for the file first; a cancelled dialog sends nothing (the
    // upload itself is tested in tst_firmware).
    void firmwareButtonCancelledFileDialog()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        dialogs::Script script;
        click("pushButtonBootloader");
        QCOMPARE(script.titles(), QStringList{"Файл прошивки"});
        QCOMPARE(script.shown.first().filter, QString("(*.HEX)"));
        QCOMPARE(sim.requests().size(), 0);
    }
};

QTEST_MAIN(TestWriteroad)
#include "tst_writeroad.moc"
