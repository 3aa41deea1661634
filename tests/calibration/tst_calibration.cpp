// The calibration page against the simulated detector: confirmed zero and span
// calibrations frame by frame, the device refusing, a failed gas write, the
// bump test, the locks, the correction tables and the live chart.

#include "calibration.h"
#include "calibration_channel.h"
#include "calibration_channel_chart.h"
#include "calibrationhost.h"
#include "roadsfixture.h"
#include "widgetlookup.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QLCDNumber>
#include <QLabel>
#include <QSet>
#include <QTableWidget>
#include <QWindow>

#include <qcustomplot.h>

namespace
{
constexpr quint16 DeviceCalibrates = 1u << 11;
constexpr quint32 Selectable = 1u << 5;
constexpr quint16 CalibrationModeChannel = 1u << 10; // format: takes part in calibration mode
constexpr quint16 CalibrationModeOn = 1u << 8;       // channel flag word

QPushButton* dialogButton(QWidget* dialog, const char* name)
{
    return child<QPushButton>(*dialog, name);
}
} // namespace

class TestCalibration : public RoadsTest
{
    Q_OBJECT

    Calibration* page() const { return calibrationWindow; }
    Calibration_Channel* row(int ch) const { return calibrationChannelWidgets[ch]; }

    // Channel 0 on, calibrated by the device or by the PC, ticked.
    void prepareChannel0(bool classic, bool device)
    {
        if (classic) {
            ClassicChannelRecord& r = command.classicChannels[0];
            r.channelPage = 0;
            r.format = device ? DeviceCalibrates : 0;
            r.displayDivisor[0] = r.displayDivisor[1] = 100;
            r.adcCurrent = 1234;
        } else {
            ExtendedChannelRecord& r = command.extendedChannels[0];
            r.channelPage = 0;
            r.format = device ? DeviceCalibrates : 0;
            r.channelFlags = Selectable | 3;
            r.adcCurrent = 1234;
        }
        page()->showParameters(0);
        row(0)->checkBox->setChecked(true);
    }

private slots:
    ROADS_TEST_FIXTURE_SLOTS

    void confirmedCalibration_data()
    {
        QTest::addColumn<bool>("classic");
        QTest::addColumn<bool>("span");
        QTest::addColumn<bool>("device");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("extended zero PC") << false << false << false << QStringList{"16/0/768/1"};
        QTest::newRow("extended span PC")
            << false << true << false << QStringList{"16/0/262/2", "16/0/769/1"};
        QTest::newRow("extended span device")
            << false << true << true << QStringList{"16/0/262/2", "16/0/548/2", "3/0/548/4"};
        QTest::newRow("classic zero PC")
            << true << false << false << QStringList{"16/0/336/1", "16/0/547/1"};
        QTest::newRow("classic span PC")
            << true << true << false << QStringList{"16/0/260/1", "16/0/337/1", "16/0/547/1"};
        QTest::newRow("classic zero device")
            << true << false << true << QStringList{"16/0/546/1", "3/0/546/2", "16/0/547/1"};
    }

    void confirmedCalibration()
    {
        QFETCH(bool, classic);
        QFETCH(bool, span);
        QFETCH(bool, device);
        QFETCH(QStringList, frames);
        connectAs(classic ? ModelT6 : ModelT8M,
                  classic ? SimDetector::Layout::Classic : SimDetector::Layout::Extended, "Admin");
        if (device)
            sim.setChannelCalibration(200, false);
        prepareChannel0(classic, device);
        QPushButton* button = span ? page()->ButtoncalibrateSpan : page()->ButtoncalibrateZero;
        button->click();
        QCOMPARE(button->text(), QString("Подтвердить калибровку"));
        QVERIFY(calibrationTimers.poll->isActive());
        if (span)
            row(0)->doubleSpinBoxChan->setValue(12);
        sim.clearLog();
        button->click();
        const QStringList seq = frameSequence(sim);
        QCOMPARE(seq.mid(0, frames.size()), frames);
        QCOMPARE(seq.value(frames.size()), commit);
        QCOMPARE(row(0)->labelErrChan->text(), QString("Выполнено"));
        QVERIFY(!calibrationTimers.poll->isActive());
        QVERIFY(!calibrationTimers.chart->isActive());
        QCOMPARE(button->text(),
                 span ? QString("Калибровать диапазон") : QString("Калибровать ноль"));
        if (!device) {
            const int reg = classic ? (span ? 337 : 336) : (span ? 769 : 768);
            QCOMPARE(sim.holding(0, reg), quint16(1234));
        }
        if (device) {
            // The device ended its calibration: request bit back, no failure bit.
            const int bit = span ? 1 : 0;
            QCOMPARE(sim.holding(0, classic ? 546 : 548) & (1u << bit), 1u << bit);
            QCOMPARE(sim.holding(0, classic ? 547 : 550) & (1u << (7 + bit)), 0u);
        }
        if (span && classic)
            QCOMPARE(sim.holding(0, 260), quint16(1200));
        if (span && !classic)
            QCOMPARE(sim.holding(0, 262) == 0 && sim.holding(0, 263) == 0, false);
    }

    void deviceRefuses_data()
    {
        QTest::addColumn<bool>("classic");
        QTest::addColumn<bool>("span");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("classic zero")
            << true << false << QStringList{"16/0/546/1", "3/0/546/2", commit};
        QTest::newRow("extended span")
            << false << true << QStringList{"16/0/262/2", "16/0/548/2", "3/0/548/4", commit};
    }

    void deviceRefuses()
    {
        QFETCH(bool, classic);
        QFETCH(bool, span);
        QFETCH(QStringList, frames);
        connectAs(classic ? ModelT6 : ModelT8M,
                  classic ? SimDetector::Layout::Classic : SimDetector::Layout::Extended, "Admin");
        // The device takes 200 ms over its calibration and then reports it failed.
        sim.setChannelCalibration(200, true);
        prepareChannel0(classic, true);
        QPushButton* button = span ? page()->ButtoncalibrateSpan : page()->ButtoncalibrateZero;
        button->click();
        sim.clearLog();
        button->click();
        const QStringList seq = frameSequence(sim);
        QCOMPARE(seq.mid(0, frames.size()), frames);
        QVERIFY(!seq.contains("16/0/547/1"));
        QCOMPARE(row(0)->labelErrChan->text(), QString("Ошибка"));
        const int status = classic ? 547 : 550;
        QCOMPARE(sim.holding(0, status) & (1u << (span ? 8 : 7)), 1u << (span ? 8 : 7));
    }

    void failedGasWriteStopsTheChannel()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        sim.addFault(SimFault(SimFault::Exception, 16, 0, 260).code(2));
        prepareChannel0(true, true);
        page()->ButtoncalibrateSpan->click();
        sim.clearLog();
        page()->ButtoncalibrateSpan->click();
        const QStringList seq = upTo(frameSequence(sim), commit);
        QCOMPARE(seq.value(0), QString("16/0/260/1"));
        QVERIFY(!seq.contains("16/0/546/1"));
        QVERIFY(!seq.contains("16/0/547/1"));
        QCOMPARE(row(0)->labelErrChan->text(), QString("Ошибка передачи"));
        // The error stays in view after the closing poll.
        QCOMPARE(page()->labelStatusInfo->text(), QString("Ошибка обмена данными"));
    }

    void failedCommitShowsNoSuccess()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        sim.addFault(SimFault(SimFault::Exception, 16, 10, 576).code(2));
        prepareChannel0(false, false);
        page()->ButtoncalibrateZero->click();
        page()->ButtoncalibrateZero->click();
        QCOMPARE(row(0)->labelErrChan->text(), QString("Ошибка передачи"));
        QCOMPARE(page()->labelStatusInfo->text(), QString("Ошибка обмена данными"));
    }

    void bumpTest_data()
    {
        QTest::addColumn<bool>("passed");
        QTest::newRow("passed") << true;
        QTest::newRow("failed") << false;
    }

    void bumpTest()
    {
        QFETCH(bool, passed);
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        sim.setBumpTest(2, passed);
        page()->showParameters(0);
        sim.clearLog();
        page()->ButtoncalibrateBumpTest->click();
        QCOMPARE(frameSequence(sim).value(0), QString("16/10/544/2"));
        QCOMPARE(sim.holding(10, 544) & (1u << 8), 1u << 8);
        QCOMPARE(page()->ButtoncalibrateBumpTest->text(), QString("BUMP Test stop"));
        QVERIFY(calibrationTimers.poll->isActive());
        // The device ends its test at the second look: bit 8 cleared, bit 7 its verdict.
        page()->pollDevice();
        QCOMPARE(page()->ButtoncalibrateBumpTest->text(), QString("BUMP Test stop"));
        page()->pollDevice();
        QCOMPARE(page()->labelStatusInfo->text(),
                 passed ? QString("Успешное выполнение") : QString("Ошибка выполнения"));
        QCOMPARE(page()->ButtoncalibrateBumpTest->text(), QString("BUMP Test start"));
        page()->pushButton_CancelCalibrate->click();
        QVERIFY(!calibrationTimers.poll->isActive());
    }

    void failedBumpStartLeavesTheImage()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        page()->showParameters(0);
        sim.addFault(SimFault(SimFault::Exception, 16, 10, 544).code(2));
        page()->ButtoncalibrateBumpTest->click();
        QCOMPARE(command.extendedDevice.deviceFlags & (1u << 8), 0u);
        QCOMPARE(page()->labelStatusInfo->text(), QString("Ошибка обмена данными"));
        QVERIFY(!calibrationTimers.poll->isActive());
    }

    void refreshWritesNoLock()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        command.extendedDevice.deviceFlags = 1u | (1u << 3);
        sim.clearLog();
        page()->showParameters(0);
        QVERIFY(page()->checkBox_Block_Sound->isChecked());
        QVERIFY(!frameSequence(sim).contains("16/10/544/2"));
        // The operator's click writes; a refused write puts box and image back.
        sim.addFault(SimFault(SimFault::Exception, 16, 10, 544).code(2));
        dialogs::Script script;
        script.button(QMessageBox::Ok);
        page()->checkBox_Block_Sound->click();
        QVERIFY(page()->checkBox_Block_Sound->isChecked());
        QCOMPARE(command.extendedDevice.deviceFlags & 1u, 1u);
        QCOMPARE(script.texts(), QStringList{"Ошибка обмена данными"});
    }

    void leavingTheTabEndsTheProcedure()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        window->tabWidget()->setCurrentIndex(2);
        prepareChannel0(false, false);
        // Channel 0 takes part in calibration mode, in the image and on the device (the read
        // of tab 0 on the way out reads the format word again).
        command.extendedChannels[0].format |= 1u << 10;
        sim.setHolding(0, 259, command.extendedChannels[0].format);
        sim.setMeasurementRamp(0, 10.0f, 1000.0f);
        page()->ButtoncalibrateZero->click();
        QVERIFY(calibrationTimers.poll->isActive());
        // Each poll switches the mode on and shows the device's current concentration.
        page()->pollDevice();
        QVERIFY(sim.calibrationMode(0));
        const double first = row(0)->doubleSpinBoxChan_1->value();
        QVERIFY2(first >= 10.0, qPrintable(QString::number(first)));
        QTest::qWait(20);
        page()->pollDevice();
        QVERIFY(row(0)->doubleSpinBoxChan_1->value() > first);
        window->tabWidget()->setCurrentIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(!calibrationTimers.poll->isActive(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!calibrationTimers.chart->isActive(), 15000);
        QCOMPARE(page()->ButtoncalibrateZero->text(), QString("Калибровать ноль"));
        QVERIFY(!sim.calibrationMode(0));
        // No zero point was written.
        QVERIFY(!frameSequence(sim).contains("16/0/768/1"));
    }

    // A device left in calibration mode (a crash, a pulled cable) is switched
    // off whenever the page is built: every channel that takes part, each time.
    void buildingThePageSwitchesCalibrationModeOff_data()
    {
        QTest::addColumn<bool>("classic");
        QTest::newRow("extended") << false;
        QTest::newRow("classic") << true;
    }
    void buildingThePageSwitchesCalibrationModeOff()
    {
        QFETCH(bool, classic);
        const int flags = classic ? 546 : 548;
        const QString write = classic ? "16/%1/546/1" : "16/%1/548/2";
        auto leaveInCalibrationMode = [&] {
            for (int ch = 0; ch < 3; ++ch)
                sim.setHolding(ch, flags, CalibrationModeOn | 0x000B); // no calibration requested
        };
        // Channels 0 and 1 take part in calibration mode, channel 2 does not.
        sim.setHolding(0, 259, CalibrationModeChannel);
        sim.setHolding(1, 259, CalibrationModeChannel);
        leaveInCalibrationMode();
        sim.setProfile(classic ? SimDetector::Layout::Classic : SimDetector::Layout::Extended,
                       ModelT6);
        QVERIFY(connectToSimulator(sim));
        command.userName = "Admin";
        command.authorized = 1;
        window->setDeviceModel(ModelT6);
        command.registerMap = classic ? ClassicMap : ExtendedMap;
        for (int build = 0; build < 2; ++build) {
            sim.clearLog();
            window->rebuildDeviceUi();
            processDeferredDeletes();
            const QStringList seq = frameSequence(sim);
            QCOMPARE(seq.count(write.arg(0)), 1);
            QCOMPARE(seq.count(write.arg(1)), 1);
            QCOMPARE(seq.count(write.arg(2)), 0);
            QVERIFY(!sim.calibrationMode(0));
            QVERIFY(!sim.calibrationMode(1));
            QVERIFY(sim.calibrationMode(2));
            // The rest of the word stays as the device had it.
            QCOMPARE(sim.holding(0, flags), quint16(0x000B));
            leaveInCalibrationMode();
        }
    }

    // Every way out of a running procedure switches calibration mode off while
    // the device can still hear it: the ones that close the port, hand it to
    // another model or switch it off first.
    void exitPathsEndCalibrationMode_data()
    {
        QTest::addColumn<bool>("classic");
        QTest::addColumn<QString>("path");
        const char* const paths[] = {"cancel",
                                     "confirmation",
                                     "tables tab",
                                     "main tab",
                                     "rebuild",
                                     "window closed",
                                     "disconnect and offline model",
                                     "another port",
                                     "device lost",
                                     "power-off",
                                     "firmware upload"};
        // The classic map for the ways that end with the port closed or the
        // program gone; the rest take the same road in either map.
        const QStringList classicToo = {"window closed", "disconnect and offline model",
                                        "another port", "device lost"};
        for (bool classic : {false, true})
            for (const char* path : paths)
                if (!classic || classicToo.contains(QLatin1String(path)))
                    QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(
                        QLatin1String(classic ? "classic" : "extended"), QLatin1String(path))))
                        << classic << QString::fromLatin1(path);
    }

    void exitPathsEndCalibrationMode()
    {
        QFETCH(bool, classic);
        QFETCH(QString, path);
        sim.setHolding(0, 259, CalibrationModeChannel);
        connectAs(ModelT6, classic ? SimDetector::Layout::Classic : SimDetector::Layout::Extended,
                  "Admin");
        command.portName = sim.portPath();
        window->tabWidget()->setCurrentIndex(2);
        QCOMPARE(window->tabWidget()->currentIndex(), 2);
        page()->ButtoncalibrateZero->click();
        QVERIFY(calibrationTimers.poll->isActive());
        page()->pollDevice();
        QVERIFY(sim.calibrationMode(0));
        sim.clearLog();

        dialogs::Script script;
        if (path == "cancel") {
            page()->pushButton_CancelCalibrate->click();
        } else if (path == "confirmation") {
            page()->ButtoncalibrateZero->click();
        } else if (path == "tables tab") {
            page()->tabWidget->setCurrentIndex(1);
        } else if (path == "main tab") {
            window->tabWidget()->setCurrentIndex(0);
            QTRY_VERIFY_WITH_TIMEOUT(!sim.calibrationMode(0), 15000);
            QTRY_VERIFY_WITH_TIMEOUT(!calibrationTimers.chart->isActive(), 15000);
        } else if (path == "rebuild") {
            window->rebuildDeviceUi();
        } else if (path == "window closed") {
            window->close();
        } else if (path == "disconnect and offline model") {
            // "Подключиться к устройству", "Disconnect", "Выход", an offline model.
            script
                .act([](QDialog& connection) {
                    dialogButton(&connection, "Button_connect")->click();
                    dialogButton(&connection, "Button_Out")->click();
                })
                .accept("QIRO T6 Max v0.02");
            window->findChild<QAction*>("action_connect")->trigger();
            QCOMPARE(script.ran, QStringList{"Connect_com_port"});
            QCOMPARE(int(command.modelCode), int(ModelT6M));
        } else if (path == "another port") {
            extraPortNames = QStringList{sim.portPath(), "/dev/qiro-other"};
            script.act([](QDialog& connection) {
                QMetaObject::invokeMethod(child<QComboBox>(connection, "cb_Com"), "activated",
                                          Qt::DirectConnection,
                                          Q_ARG(QString, QString("/dev/qiro-other")));
                dialogButton(&connection, "Button_Out")->click(); // the offline list cancelled
            });
            window->findChild<QAction*>("action_connect")->trigger();
            QCOMPARE(script.ran, QStringList{"Connect_com_port"});
            QCOMPARE(int(command.modelCode), int(ModelNone));
        } else if (path == "device lost") {
            // The model-code read is refused: the read road drops the device.
            sim.addFault(SimFault(SimFault::Exception, 4, DevicePage, RegModelCode).code(2));
            click("pushButton_Read_Param");
            QCOMPARE(status(), QString("Ошибка обмена данными"));
        } else if (path == "power-off") {
            click("pushButton_TurnOffDevice");
            QCOMPARE(sim.countFrames(16, DevicePage, RegPowerOff), 1);
        } else if (path == "firmware upload") {
            // The file cannot be opened: the procedure is over all the same.
            script.accept(QStringLiteral("/nonexistent/firmware.hex")).button(QMessageBox::Yes);
            click("pushButtonBootloader");
            QCOMPARE(script.texts().value(1), QString("Загрузить в устройство?"));
        }

        // The switch-off reached the device, so it went out before any port closed.
        QVERIFY(frameSequence(sim).contains(classic ? "16/0/546/1" : "16/0/548/2"));
        QVERIFY(!sim.calibrationMode(0));
        QVERIFY(!calibrationTimers.poll->isActive());
        QVERIFY(!calibrationTimers.chart->isActive());
        const bool portClosed =
            path.contains("port") || path.contains("offline") || path == "device lost";
        QCOMPARE(command.serialPort.isOpen(), !portClosed);
    }

    void tablesGoToTheChannelTheyCameFrom()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        command.extendedChannels[0].displayDivisor[1] = 100;
        command.extendedChannels[0].format = 2u << 6; // two decimals
        command.extendedChannels[2].tempTableTemperature[0] = 777;
        command.currentChannel = 0;
        page()->tabWidget->setCurrentIndex(1);
        QCOMPARE(page()->tabWidget->currentIndex(), 1);
        auto box = [this](QTableWidget* t, int r, int c) {
            return qobject_cast<QDoubleSpinBox*>(t->cellWidget(r, c));
        };
        box(page()->myTableTemp, 0, 0)->setValue(20.30);
        box(page()->myTableTemp_Zero, 1, 1)->setValue(-3.21);
        box(page()->myTableSpan, 2, 0)->setValue(1.23);
        // Channel 3 shown (index 2), then saved.
        QMetaObject::invokeMethod(page()->comboBoxChannelNum, "activated", Q_ARG(int, 2));
        QCOMPARE(box(page()->myTableTemp, 0, 0)->value(), 7.77);
        sim.clearLog();
        page()->pushButton_2->click();
        QCOMPARE(qint16(sim.holding(0, 336)), qint16(2030));
        QCOMPARE(sim.holding(0, 358), quint16(123));
        QCOMPARE(qint16(sim.holding(0, 387)), qint16(-321));
        QCOMPARE(qint16(sim.holding(2, 336)), qint16(777));
        QCOMPARE(page()->labelTablesStatus->text(), QString("Выполнено"));
        QVERIFY(frameSequence(sim).contains(commit));
    }

    void failedTableWriteIsNotCommitted()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        page()->tabWidget->setCurrentIndex(1);
        sim.addFault(SimFault(SimFault::Exception, 16, 0, 336).code(2));
        sim.clearLog();
        page()->pushButton_2->click();
        QVERIFY(!frameSequence(sim).contains(commit));
        QCOMPARE(page()->labelTablesStatus->text(), QString("Ошибка обмена данными"));
    }

    void neverOpenedTablesStoreNothing()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        command.extendedChannels[0].tempTableTemperature[0] = 1111;
        page()->collectParameters();
        QCOMPARE(command.extendedChannels[0].tempTableTemperature[0], qint16(1111));
    }

    void chart()
    {
        command.registerMap = ExtendedMap;
        command.extendedChannels[1].format = 1u << 4;
        command.extendedChannels[1].measuredValue = 5.0f;
        Calibration_Channel_Chart chart(nullptr, 1);
        chart.addPoint(1);
        QCOMPARE(chart.plot()->graph(0)->dataCount(), 1);
        QCOMPARE(chart.plot()->xAxis->range().lower, 0.0);
        QCOMPARE(chart.plot()->xAxis->range().upper, 1.0);
        QCOMPARE(chart.plot()->yAxis->range().lower, 4.0);
        QCOMPARE(chart.plot()->yAxis->range().upper, 6.0);
        chart.timeWindowBox()->setValue(600);
        for (unsigned s = 2; s <= 700; ++s) {
            command.extendedChannels[1].measuredValue = float(s % 7);
            chart.addPoint(s);
        }
        QCOMPARE(chart.plot()->xAxis->range().lower, 100.0);
        QCOMPARE(chart.plot()->xAxis->range().upper, 700.0);
        // A new run starts with an empty graph.
        chart.addPoint(1);
        QCOMPARE(chart.plot()->graph(0)->dataCount(), 1);
        // A window of 0 still shows a second.
        chart.timeWindowBox()->setValue(0);
        QVERIFY(chart.plot()->xAxis->range().size() >= 1.0);
        for (unsigned s = 2; s <= 10; ++s) {
            command.extendedChannels[1].measuredValue = float(s * s);
            chart.addPoint(s);
        }
        chart.timeWindowBox()->setValue(60);
        chart.addPoint(11);
        const QString png = QStringLiteral(QIRO_ARTEFACT_DIR "/calibration_chart.png");
        QVERIFY(chart.plot()->savePng(png, 500, 300));
        QImage image(png);
        QVERIFY(!image.isNull());
        // Not blank: the graph's dark red pen shows.
        int pen = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 90 && c.green() < 80 && c.blue() < 80)
                    ++pen;
            }
        QVERIFY2(pen > 20, qPrintable(QString::number(pen)));
    }

    // A narrow range (3.6 to 3.8 with one decimal) gives ticks between the
    // channel's decimals: the labels still differ from each other.
    void chartAxisLabelsAreDistinct_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("tenths, 0.2 wide") << 1 << 3.6 << 3.8;
        QTest::newRow("whole, 0.3 wide") << 0 << 20.1 << 20.4;
        QTest::newRow("hundredths, 0.01 wide") << 2 << 0.50 << 0.51;
        QTest::newRow("tenths, wide") << 1 << 0.0 << 50.0;
    }
    void chartAxisLabelsAreDistinct()
    {
        QFETCH(int, decimals);
        QFETCH(double, low);
        QFETCH(double, high);
        command.registerMap = ExtendedMap;
        command.extendedChannels[1].format = quint16(decimals << 4);
        command.extendedChannels[1].channelPage = 1;
        Calibration_Channel_Chart chart(nullptr, 1);
        chart.resize(500, 300);
        for (unsigned s = 1; s <= 20; ++s) {
            command.extendedChannels[1].measuredValue = float(low + (high - low) * (s % 2));
            chart.addPoint(s);
        }
        chart.plot()->replot();
        const QVector<QString> labels = chart.plot()->yAxis->tickVectorLabels();
        QVERIFY(labels.size() >= 3);
        const QSet<QString> unique(labels.cbegin(), labels.cend());
        QVERIFY2(unique.size() == labels.size(), qPrintable(labels.toList().join(' ')));
        // Wide ranges keep the channel's own decimals.
        if (high - low > 10)
            QVERIFY2(labels.first().section('.', 1).size() == decimals, qPrintable(labels.first()));
    }

    // The chart window is a tool window of the main window: it stays above it when
    // the technician clicks the main window, and keeps its place on the screen.
    void chartWindowStaysAboveTheMainWindow()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        window->show();
        window->tabWidget()->setCurrentIndex(2);
        QWidget* chart = row(0)->chartWindow();
        row(0)->pushButton->click();
        QVERIFY(chart->isVisible());
        QCOMPARE(chart->windowType(), Qt::Tool);
        QCOMPARE(chart->parentWidget(), static_cast<QWidget*>(window.get()));
        QVERIFY(chart->windowHandle());
        QCOMPARE(chart->windowHandle()->transientParent(), window->windowHandle());
        QTest::mouseClick(window->tabWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCoreApplication::processEvents();
        QVERIFY(chart->isVisible());
        QCOMPARE(row(0)->pushButton->text(), QString("Закрыть график"));
        QCOMPARE(chart->windowHandle()->transientParent(), window->windowHandle());
        const QPoint place = chart->pos() + QPoint(7, 5);
        chart->move(place);
        row(0)->pushButton->click();
        QVERIFY(!chart->isVisible());
        row(0)->pushButton->click();
        QVERIFY(chart->isVisible());
        QCOMPARE(chart->pos(), place);
        QCOMPARE(chart->windowType(), Qt::Tool);
        row(0)->pushButton->click();
    }

    // On a classic device the row and the page show only what the map has: a
    // label goes with its box, the ADC boxes stand together, and the tables tab,
    // which only the extended map has, is disabled with a word why.
    void rowShowsWhatTheMapHas_data()
    {
        QTest::addColumn<bool>("classic");
        QTest::addColumn<QString>("user");
        QTest::newRow("classic Admin") << true << "Admin";
        QTest::newRow("classic User") << true << "User";
        QTest::newRow("extended Admin") << false << "Admin";
        QTest::newRow("extended User") << false << "User";
    }
    void rowShowsWhatTheMapHas()
    {
        QFETCH(bool, classic);
        QFETCH(QString, user);
        connectAs(ModelT6, classic ? SimDetector::Layout::Classic : SimDetector::Layout::Extended,
                  user);
        window->show();
        window->tabWidget()->setCurrentIndex(2);
        page()->showParameters(0);
        QCoreApplication::processEvents();
        for (QWidget* root : {static_cast<QWidget*>(page()), static_cast<QWidget*>(row(0))}) {
            for (QGridLayout* grid : root->findChildren<QGridLayout*>()) {
                for (int r = 0; r < grid->rowCount(); ++r) {
                    for (int c = 0; c + 1 < grid->columnCount(); ++c) {
                        QLayoutItem* left = grid->itemAtPosition(r, c);
                        QLayoutItem* right = grid->itemAtPosition(r, c + 1);
                        auto* label = left ? qobject_cast<QLabel*>(left->widget()) : nullptr;
                        if (!label || !right || !right->widget() ||
                            qobject_cast<QLabel*>(right->widget()))
                            continue;
                        QVERIFY2(label->isHidden() == right->widget()->isHidden(),
                                 qPrintable(label->objectName()));
                    }
                }
            }
        }
        // The page's own labels, not the rows' of the same names.
        auto* buttons = child<QFrame>(*page(), "frameCalibButton");
        auto* pressure = child<QDoubleSpinBox>(*buttons, "doubleSpinBoxPressure");
        auto* temperature = child<QLabel>(*buttons, "label_7");
        QCOMPARE(child<QLabel>(*buttons, "label_8")->isVisible(), !classic);
        QCOMPARE(pressure->isVisible(), !classic);
        QCOMPARE(temperature->isVisible(), !classic);
        QCOMPARE(page()->tabWidget->isTabEnabled(1), !classic && user == "Admin");
        QCOMPARE(page()->tabWidget->tabToolTip(1).isEmpty(), !classic && user == "Admin");
        if (user == "Admin") {
            // The three ADC boxes, one under the other, without a gap.
            QWidget* boxes[] = {row(0)->doubleSpinBoxChan_ADC_ZERO,
                                row(0)->doubleSpinBoxChan_ADC_CURRENT,
                                row(0)->doubleSpinBoxChan_ADC_SPAN};
            for (int i = 1; i < 3; ++i) {
                QCOMPARE(boxes[i]->x(), boxes[0]->x());
                QVERIFY(boxes[i]->y() > boxes[i - 1]->y());
                QVERIFY2(boxes[i]->y() - boxes[i - 1]->geometry().bottom() <= 8,
                         qPrintable(QString::number(boxes[i]->y())));
            }
        }
        // The tables tab of a classic device cannot be opened.
        if (classic) {
            page()->tabWidget->setCurrentIndex(1);
            QCOMPARE(page()->tabWidget->currentIndex(), 0);
        }
    }

    void chartWindowsGoWithTheirRows()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        QPointer<Calibration_Channel_Chart> chart = row(0)->chartWindow();
        row(0)->pushButton->click();
        QVERIFY(chart->isVisible());
        window->close();
        QVERIFY(!chart->isVisible());
        window.reset();
        QVERIFY(chart.isNull());
        QVERIFY(calibrationTimers.poll == nullptr);
    }

    void elapsedTimeDisplay()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        page()->updateCharts();
        QCOMPARE(page()->lcdNumber->digitCount(), 8);
        page()->pushButton_CancelCalibrate->click();
    }
};

QTEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
