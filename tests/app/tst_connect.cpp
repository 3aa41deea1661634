// The connection dialog against the simulated detector: handshake, model
// read and identification, Modbus address, offline models, and the menu's
// connect action with its login.

#include "accounts.h"
#include "apptest.h"
#include "authorizationwindow.h"
#include "commandstate.h"
#include "connect_com_port.h"
#include "dialogs.h"
#include "mainwindow.h"
#include "simdetector.h"
#include "simsequence.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

#include <memory>

Q_DECLARE_METATYPE(SimDetector::HandshakeMode)

namespace
{

QPushButton* button(QWidget* dialog, const char* name)
{
    return child<QPushButton>(*dialog, name);
}

QComboBox* portList(QWidget* dialog)
{
    return child<QComboBox>(*dialog, "cb_Com");
}

// The operator picks a port from the list.
void choosePort(QWidget* dialog, const QString& name)
{
    QComboBox* list = portList(dialog);
    const int index = list->findText(name);
    if (index >= 0)
        list->setCurrentIndex(index);
    QMetaObject::invokeMethod(list, "activated", Qt::DirectConnection, Q_ARG(QString, name));
}

int framesAddressedTo(const QVector<SimRequest>& log, int address)
{
    int n = 0;
    for (const SimRequest& r : log)
        n += (r.crcOk && r.address == address) ? 1 : 0;
    return n;
}

} // namespace

class TestConnect : public QObject
{
    Q_OBJECT

    WarningGuard guard;
    SimDetector sim;
    std::unique_ptr<MainWindow> window;

    // A dialog with the simulator's port chosen.
    std::unique_ptr<Connect_com_port> openDialog()
    {
        std::unique_ptr<Connect_com_port> dialog(new Connect_com_port(window.get()));
        dialog->show();
        choosePort(dialog.get(), sim.portPath());
        return dialog;
    }

    void login(const QString& name, const QString& password)
    {
        command.userName = name;
        command.password = password;
        command.authorized = 1;
    }

private slots:
    void initTestCase()
    {
        guard.install();
        patientReplyTimeouts();
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    }

    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
        extraPortNames = QStringList{sim.portPath()};
        // A late answer of the simulator on a loaded machine must not be taken for the
        // answer to the next attempt; the device's own 100 ms wait is kept only where
        // attempts go unanswered on purpose.
        handshakeReplyWaitMs = PatientReplyMs;
        window.reset(new MainWindow);
        sim.setProfile(SimDetector::Layout::Open, ModelT6);
        sim.setHandshake(SimDetector::HandshakeMode::Answer, 1);
        sim.clearFaults();
        sim.clearLog();
        login("Admin", adminPassword);
    }

    void cleanup()
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }

    void cleanupTestCase() { apptest::removeIni(); }

    void form()
    {
        Connect_com_port dialog(window.get());
        QCOMPARE(dialog.windowTitle(), QString("Подключение устройства"));
        QCOMPARE(dialog.maximumSize(), QSize(320, 150));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(dialog.findChild<QGroupBox*>("groupBox")->title(), QString("COM port"));
        QCOMPARE(button(&dialog, "Button_connect")->text(), QString("Connect"));
        QCOMPARE(button(&dialog, "Button_Rescan")->text(), QString("Rescan"));
        QCOMPARE(button(&dialog, "Button_Out")->text(), QString("Выход"));
        QCOMPARE(dialog.findChild<QSpinBox*>("spinBoxModbusAddress")->prefix(), QString("Addr "));
        QVERIFY(dialog.findChild<QWidget*>("layoutWidget"));
    }

    // Opening the dialog while not connected takes the first listed port and
    // forgets the model.
    void openingWhileNotConnected()
    {
        command.modelCode = ModelT6;
        command.portName = "somewhere";
        Connect_com_port dialog(window.get());
        QComboBox* list = portList(&dialog);
        QVERIFY(list->count() >= 1);
        QCOMPARE(list->itemText(list->count() - 1), sim.portPath());
        QCOMPARE(command.portName, list->itemText(0));
        QCOMPARE(int(command.modelCode), int(ModelNone));
        QVERIFY(button(&dialog, "Button_Rescan")->isEnabled());
    }

    void handshake_data()
    {
        QTest::addColumn<SimDetector::HandshakeMode>("mode");
        QTest::addColumn<int>("from");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("connects");
        QTest::addColumn<int>("attempts");
        using M = SimDetector::HandshakeMode;
        QTest::newRow("first attempt") << M::Answer << 1 << QByteArray() << true << 1;
        QTest::newRow("third attempt") << M::Answer << 3 << QByteArray() << true << 3;
        QTest::newRow("sixth attempt") << M::Answer << 6 << QByteArray() << true << 6;
        QTest::newRow("seventh attempt is too late")
            << M::Answer << 7 << QByteArray() << false << 6;
        QTest::newRow("silent") << M::Never << 1 << QByteArray() << false << 6;
        QTest::newRow("longer text") << M::WrongText << 1 << QByteArray("ACTIVE") << false << 6;
        QTest::newRow("shorter text") << M::WrongText << 1 << QByteArray("ACTI") << false << 6;
        QTest::newRow("other letters") << M::WrongText << 1 << QByteArray("activ") << false << 6;
        QTest::newRow("wrong, then silent")
            << M::WrongText << 2 << QByteArray("ACTIVX") << false << 6;
        QTest::newRow("text ends at NUL")
            << M::WrongText << 1 << QByteArray("ACTIV\0zz", 8) << true << 1;
    }
    void handshake()
    {
        QFETCH(SimDetector::HandshakeMode, mode);
        QFETCH(int, from);
        QFETCH(QByteArray, text);
        QFETCH(bool, connects);
        QFETCH(int, attempts);
        if (text.isEmpty())
            sim.setHandshake(mode, from);
        else
            sim.setHandshake(mode, from, text);
        const int activBefore = sim.activCount();
        const int deactivBefore = sim.deactivCount();
        // Unanswered attempts cost the whole wait: shortened where there are any, yet
        // long enough for a late answer to the attempt that is answered.
        if (from > 1 || mode == SimDetector::HandshakeMode::Never || !connects)
            handshakeReplyWaitMs = SilentAttemptsReplyMs;

        dialogs::Script script;
        auto dialog = openDialog();
        button(dialog.get(), "Button_connect")->click();

        // After a last, unanswered attempt the program stops waiting before a loaded
        // simulator may have counted it; no attempt follows it.
        QTRY_COMPARE_WITH_TIMEOUT(sim.activCount() - activBefore, attempts, 10000);
        QCOMPARE(command.serialPort.isOpen(), connects);
        QCOMPARE(int(command.connected), connects ? 1 : 0);
        QCOMPARE(dialog->isVisible(), !connects);
        if (connects) {
            QVERIFY(script.shown.isEmpty());
            QCOMPARE(button(dialog.get(), "Button_connect")->text(), QString("Disconnect"));
            QVERIFY(!button(dialog.get(), "Button_Rescan")->isEnabled());
            QCOMPARE(int(command.modelCode), int(ModelT6));
            QCOMPARE(int(command.channelCount), 4);
        } else {
            QCOMPARE(script.shown.size(), 1);
            QCOMPARE(script.shown[0].kind, dialogs::Kind::Warning);
            QCOMPARE(script.titles(), QStringList{"Подключение"});
            QCOMPARE(script.texts(), QStringList{"COM port устройство не отвечает на запросы"});
            QCOMPARE(window->statusBar()->currentMessage(),
                     QString("COM port устройство не отвечает на запросы"));
            QCOMPARE(button(dialog.get(), "Button_connect")->text(), QString("Connect"));
            QCOMPARE(sim.countFrames(4), 0);
        }
        QCOMPARE(sim.deactivCount(), deactivBefore);
    }

    // A port where something chatters all the time must not hold the window:
    // every attempt ends and the handshake fails in bounded time.
    void chatteringLine()
    {
        sim.setHandshake(SimDetector::HandshakeMode::Never);
        handshakeReplyWaitMs = 100; // the device's own wait, which the chatter never lets run out
        std::atomic<bool> stop{false};
        std::thread noise([&] {
            while (!stop) {
                sim.sendUnsolicited("zz");
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
            }
        });
        dialogs::Script script;
        auto dialog = openDialog();
        QElapsedTimer t;
        t.start();
        button(dialog.get(), "Button_connect")->click();
        const qint64 took = t.elapsed();
        stop = true;
        noise.join();
        QVERIFY2(took < 5000, qPrintable(QString::number(took)));
        QCOMPARE(int(command.connected), 0);
        QCOMPARE(script.texts(), QStringList{"COM port устройство не отвечает на запросы"});
    }

    // After the handshake: the model read and the device-model table decide.
    void identification_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("fault"); // -1 none, else a SimFault::Kind on the model read
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("modelAfter");
        QTest::newRow("T6") << 404 << -1 << "" << 404;
        QTest::newRow("T2 classic") << 411 << -1 << "" << 411;
        QTest::newRow("T8 Max") << 430 << -1 << "" << 430;
        QTest::newRow("bootloader") << 999 << -1 << "" << 999;
        QTest::newRow("unknown code") << 500 << -1 << "Прибор не опознан" << 0;
        QTest::newRow("code 0") << 0 << -1 << "Прибор не опознан" << 0;
        QTest::newRow("silent model read")
            << 404 << int(SimFault::Silence) << "Ошибка обмена данными с прибором" << 0;
        QTest::newRow("exception on the model read")
            << 404 << int(SimFault::Exception) << "Ошибка обмена данными с прибором" << 0;
    }
    void identification()
    {
        QFETCH(int, code);
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(int, modelAfter);
        sim.setProfile(SimDetector::Layout::Open, quint16(code));
        // Exception 2 (illegal address): the device refused the read.
        if (fault >= 0)
            sim.addFault(SimFault(SimFault::Kind(fault), 4, DevicePage, RegModelCode).code(2));
        // A silent model read costs the whole time-out ten times: shorter there, yet long
        // enough that the simulator has taken in the last attempt before the closing text
        // follows it.
        const TimeoutOverride quick(TimeoutFirstReply, fault == int(SimFault::Silence)
                                                           ? SilentAttemptsReplyMs
                                                           : PatientReplyMs);
        const int deactivBefore = sim.deactivCount();

        dialogs::Script script;
        auto dialog = openDialog();
        button(dialog.get(), "Button_connect")->click();

        const bool connects = message.isEmpty();
        QCOMPARE(int(command.modelCode), modelAfter);
        QCOMPARE(command.serialPort.isOpen(), connects);
        QCOMPARE(int(command.connected), connects ? 1 : 0);
        QCOMPARE(dialog->isVisible(), !connects);
        QCOMPARE(button(dialog.get(), "Button_connect")->text(),
                 QString(connects ? "Disconnect" : "Connect"));
        QCOMPARE(button(dialog.get(), "Button_Rescan")->isEnabled(), !connects);
        if (connects) {
            QVERIFY(script.shown.isEmpty());
            QCOMPARE(sim.deactivCount(), deactivBefore);
        } else {
            QCOMPARE(script.titles(), QStringList{"Подключение"});
            QCOMPARE(script.texts(), QStringList{message});
            QCOMPARE(script.shown[0].kind, dialogs::Kind::Warning);
            QCOMPARE(window->statusBar()->currentMessage(), message);
            // Written before the port was closed.
            QTRY_COMPARE(sim.deactivCount(), deactivBefore + 1);
        }
    }

    void bootloaderState()
    {
        sim.setProfile(SimDetector::Layout::Open, ModelBootloader);
        auto dialog = openDialog();
        button(dialog.get(), "Button_connect")->click();
        QCOMPARE(int(command.modelCode), int(ModelBootloader));
        window->rebuildDeviceUi();
        QVERIFY(window->findChild<QTabWidget*>("tabWidget")->isHidden());
        QVERIFY(!window->findChild<QWidget*>("pushButtonBootloader")->isHidden());
        QVERIFY(!window->findChild<QWidget*>("pushButton_TurnOffDevice")->isHidden());
        QVERIFY(window->findChild<QWidget*>("pushButton_Save_Param")->isHidden());
        QCOMPARE(window->statusBar()->currentMessage(), QString("Успешное подключение Bootloader"));
        QVERIFY(window->windowTitle().endsWith(", устройство Bootloader"));
    }

    void portThatCannotBeOpened()
    {
        const int activBefore = sim.activCount();
        dialogs::Script script;
        Connect_com_port dialog(window.get());
        choosePort(&dialog, "/nonexistent/ttyQiro");
        QCOMPARE(command.portName, QString("/nonexistent/ttyQiro"));
        button(&dialog, "Button_connect")->click();
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(script.shown[0].kind, dialogs::Kind::Information);
        QCOMPARE(script.titles(), QStringList{"Подключение"});
        QCOMPARE(script.texts(), QStringList{"Не открывает COM port"});
        QCOMPARE(int(command.connected), 0);
        QCOMPARE(sim.activCount(), activBefore);
    }

    // Frames go to address 255 unless the production login chose another.
    void modbusAddress_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("chosen"); // -1: the box is hidden
        QTest::addColumn<int>("address");
        QTest::newRow("Admin") << "Admin" << adminPassword << 7 << -1 << 255;
        QTest::newRow("User") << "User" << userPassword << 9 << -1 << 255;
        QTest::newRow("production name, wrong password")
            << "Dolen" << adminPassword << 7 << -1 << 255;
        QTest::newRow("production, address 7") << "Dolen" << industryPassword << 255 << 7 << 7;
        QTest::newRow("production keeps its address")
            << "Dolen" << industryPassword << 12 << 12 << 12;
        QTest::newRow("production, address 255") << "Dolen" << industryPassword << 3 << 255 << 255;
    }
    void modbusAddress()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(int, before);
        QFETCH(int, chosen);
        QFETCH(int, address);
        login(name, password);
        command.modbusAddress = quint16(before);

        auto dialog = openDialog();
        auto* box = dialog->findChild<QSpinBox*>("spinBoxModbusAddress");
        QCOMPARE(box->isHidden(), chosen < 0);
        QCOMPARE(box->value(), chosen < 0 ? 255 : before);
        if (chosen >= 0)
            box->setValue(chosen);
        QCOMPARE(int(command.modbusAddress), address);
        button(dialog.get(), "Button_connect")->click();
        QCOMPARE(int(command.connected), 1);
        const auto log = sim.requests();
        QVERIFY(framesAddressedTo(log, address) >= 1);
        QCOMPARE(framesAddressedTo(log, address), frameCount(log));
    }

    void disconnect()
    {
        const int deactivBefore = sim.deactivCount();
        {
            auto dialog = openDialog();
            button(dialog.get(), "Button_connect")->click();
            QVERIFY(command.serialPort.isOpen());
        }
        Connect_com_port dialog(window.get());
        QCOMPARE(button(&dialog, "Button_connect")->text(), QString("Disconnect"));
        QVERIFY(!button(&dialog, "Button_Rescan")->isEnabled());
        QCOMPARE(portList(&dialog)->currentText(), sim.portPath());
        QCOMPARE(int(command.modelCode), int(ModelT6));

        // An archive clear not yet saved goes with the device it was meant for.
        command.archiveClearPending = true;
        button(&dialog, "Button_connect")->click();
        QVERIFY(!command.archiveClearPending);
        QVERIFY(!command.serialPort.isOpen());
        QCOMPARE(int(command.connected), 0);
        QCOMPARE(int(command.modelCode), int(ModelNone));
        QCOMPARE(button(&dialog, "Button_connect")->text(), QString("Connect"));
        QVERIFY(button(&dialog, "Button_Rescan")->isEnabled());
        QCOMPARE(sim.deactivCount(), deactivBefore);
    }

    void choosingAPortDisconnects()
    {
        auto dialog = openDialog();
        button(dialog.get(), "Button_connect")->click();
        QVERIFY(command.serialPort.isOpen());
        choosePort(dialog.get(), sim.portPath());
        QVERIFY(!command.serialPort.isOpen());
        QCOMPARE(int(command.connected), 0);
        QCOMPARE(int(command.modelCode), 0);
        QCOMPARE(button(dialog.get(), "Button_connect")->text(), QString("Connect"));
    }

    void rescanKeepsThePort()
    {
        auto dialog = openDialog();
        command.modelCode = ModelT6;
        extraPortNames << "/dev/qiro-second";
        button(dialog.get(), "Button_Rescan")->click();
        QCOMPARE(command.portName, sim.portPath());
        QCOMPARE(int(command.modelCode), 0);
        QCOMPARE(portList(dialog.get())->findText("/dev/qiro-second"),
                 portList(dialog.get())->count() - 1);
        button(dialog.get(), "Button_connect")->click();
        QCOMPARE(int(command.connected), 1);
    }

    void exitWhileConnectedOnlyCloses()
    {
        dialogs::Script script;
        auto dialog = openDialog();
        button(dialog.get(), "Button_connect")->click();
        dialog->show();
        button(dialog.get(), "Button_Out")->click();
        QVERIFY(script.shown.isEmpty());
        QVERIFY(!dialog->isVisible());
        QVERIFY(command.serialPort.isOpen());
        QCOMPARE(int(command.modelCode), int(ModelT6));
    }

    void offlineModels_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("map");
        QTest::addColumn<int>("channels");
        QTest::newRow("T2 v0.01") << 0 << "QIRO T2 v0.01" << 411 << 0 << 1;
        QTest::newRow("T6 v0.01") << 1 << "QIRO T6 v0.01" << 404 << 0 << 4;
        QTest::newRow("T6 Max(4) v0.01") << 2 << "QIRO T6 Max(4) v0.01" << 421 << 0 << 4;
        QTest::newRow("T6 Max v0.01") << 3 << "QIRO T6 Max v0.01" << 420 << 0 << 6;
        QTest::newRow("T2 v0.02") << 4 << "QIRO T2 v0.02" << 102 << 1 << 1;
        QTest::newRow("T6 v0.02") << 5 << "QIRO T6 v0.02" << 404 << 1 << 4;
        QTest::newRow("T6 Max(4) v0.02") << 6 << "QIRO T6 Max(4) v0.02" << 421 << 1 << 4;
        QTest::newRow("T6 Max v0.02") << 7 << "QIRO T6 Max v0.02" << 420 << 1 << 6;
        QTest::newRow("T8 Max v0.02") << 8 << "QIRO T8 Max v0.02" << 430 << 1 << 10;
    }
    void offlineModels()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, model);
        QFETCH(int, map);
        QFETCH(int, channels);
        command.registerMap = 7;
        dialogs::Script script;
        script.accept(text);
        Connect_com_port dialog(window.get());
        dialog.show();
        button(&dialog, "Button_Out")->click();

        QCOMPARE(script.shown.size(), 1);
        const dialogs::Request& asked = script.shown[0];
        QCOMPARE(asked.kind, dialogs::Kind::Item);
        QVERIFY(!asked.parent);
        QCOMPARE(asked.title, QString("Offline режим"));
        QCOMPARE(asked.text, QString("Выберите имя устройства:"));
        QCOMPARE(asked.items.size(), 9);
        QCOMPARE(asked.items.value(index), text);
        QCOMPARE(asked.current, 0);
        QVERIFY(!asked.editable);
        QVERIFY(!(asked.flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                 Qt::WindowContextHelpButtonHint)));

        QVERIFY(!dialog.isVisible());
        QCOMPARE(int(command.modelCode), model);
        QCOMPARE(int(command.registerMap), map);
        QCOMPARE(int(command.channelCount), channels);
        QCOMPARE(int(command.connected), 0);
        QCOMPARE(sim.requests().size(), 0);
        // A model the window knows is shown as offline work, never as a connection
        // (the menu rebuilds the window once the dialog is closed).
        window->rebuildDeviceUi();
        if (window->windowTitle().contains(", устройство ")) {
            // No blank before the comma, as in the model's part of the title.
            QVERIFY2(window->windowTitle().endsWith(", Offline режим") &&
                         !window->windowTitle().endsWith(" , Offline режим"),
                     qPrintable(window->windowTitle()));
            QCOMPARE(window->statusBar()->currentMessage(), QString("Offline режим"));
        }
    }

    void offlineCancelled()
    {
        command.modelCode = ModelT6;
        dialogs::Script script; // nothing queued: the list is cancelled
        Connect_com_port dialog(window.get());
        button(&dialog, "Button_Out")->click();
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(int(command.modelCode), int(ModelNone));
        window->rebuildDeviceUi();
        QVERIFY(window->findChild<QTabWidget*>("tabWidget")->isHidden());
    }

    // A device that failed the model read is not touched by a later offline
    // choice.
    void offlineAfterAFailedModelRead()
    {
        sim.addFault(SimFault(SimFault::Exception, 4, DevicePage, RegModelCode).code(2));
        const int deactivBefore = sim.deactivCount();
        dialogs::Script script;
        script.button(QMessageBox::Ok).accept("QIRO T6 v0.02");
        auto dialog = openDialog();
        button(dialog.get(), "Button_connect")->click();
        QTRY_COMPARE(sim.deactivCount(), deactivBefore + 1);
        const int before = sim.requests().size();
        button(dialog.get(), "Button_Out")->click();
        window->rebuildDeviceUi();
        QCOMPARE(int(command.modelCode), int(ModelT6));
        QCOMPARE(int(command.registerMap), int(ExtendedMap));
        QCOMPARE(sim.requests().size(), before);
    }

    // The menu's connect action: a login first, unless one was accepted.
    void connectActionAsksForALoginOnce()
    {
        command.userName.clear();
        command.password.clear();
        command.authorized = 0;
        dialogs::Script script;
        script
            .act([](QDialog& login) {
                child<QLineEdit>(login, "login")->setText("Admin");
                child<QLineEdit>(login, "password")->setText(adminPassword);
                button(&login, "pushButton")->click();
            })
            .act([this](QDialog& connection) {
                choosePort(&connection, sim.portPath());
                button(&connection, "Button_connect")->click();
            });
        window->findChild<QAction*>("action_connect")->trigger();
        QCOMPARE(script.ran, (QStringList{"AuthorizationWindow", "Connect_com_port"}));
        QCOMPARE(command.userName, QString("Admin"));
        QCOMPARE(int(command.authorized), 1);
        QCOMPARE(int(command.connected), 1);
        QVERIFY(!window->findChild<QTabWidget*>("tabWidget")->isHidden());
        QCOMPARE(window->statusBar()->currentMessage(), QString("Успешное подключение Qiro T6"));

        // Again, and after a disconnection: straight to the connection dialog.
        for (int round = 0; round < 2; ++round) {
            script.ran.clear();
            script.act([](QDialog& connection) {
                button(&connection, "Button_connect")->click();
                connection.close();
            });
            window->findChild<QAction*>("action_connect")->trigger();
            QCOMPARE(script.ran, QStringList{"Connect_com_port"});
        }
        QCOMPARE(int(command.authorized), 1);
    }

    void connectActionStopsWithoutALogin()
    {
        command.userName.clear();
        command.authorized = 0;
        command.modelCode = ModelT6;
        const int activBefore = sim.activCount();
        dialogs::Script script;
        script.act([](QDialog& login) {
            child<QLineEdit>(login, "login")->setText("Admin");
            child<QLineEdit>(login, "password")->setText("0000");
            button(&login, "pushButton")->click();
            login.close();
        });
        window->statusBar()->showMessage("stale");
        window->findChild<QAction*>("action_connect")->trigger();
        QCOMPARE(script.ran, QStringList{"AuthorizationWindow"});
        QCOMPARE(script.texts(), QStringList{"Вы не успешно авторизовались"});
        QCOMPARE(int(command.authorized), 0);
        // With a model set the failed login leaves the fields as they were.
        QCOMPARE(command.userName, QString());
        // Rebuilt, without opening the connection dialog.
        QVERIFY(!window->findChild<QTabWidget*>("tabWidget")->isHidden());
        QCOMPARE(sim.activCount(), activBefore);
    }
};

QTEST_MAIN(TestConnect)
#include "tst_connect.moc"
