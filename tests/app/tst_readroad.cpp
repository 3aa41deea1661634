// The read road against the simulated detector: blocks per model group, the
// clock, "Авто", a lost device, layout and model changes.

#include "roadsfixture.h"

class TestReadroad : public RoadsTest
{
    Q_OBJECT

private slots:
    ROADS_TEST_FIXTURE_SLOTS

    void classicRead_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("measurementsOnly");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("T2 classic") << int(ModelT2Classic) << false
                                    << QStringList{"16/0/256/2", "3/0/256/82", "3/0/544/4",
                                                   "3/10/528/6", "4/10/32/2",  "4/10/246/20"};
        QTest::newRow("T2") << int(ModelT2) << false
                            << QStringList{"16/0/256/2", "3/0/256/82", "3/0/544/4",
                                           "3/10/528/6", "4/10/32/2",  "4/10/246/20"};
        // Channel 1 calibrates by itself (format bit 11): its sensor status is read.
        QTest::newRow("T6") << int(ModelT6) << false
                            << (QStringList{"16/0/254/4", "3/0/256/82", "3/1/256/82", "3/1/293/1",
                                            "3/2/256/82", "3/3/256/82"} +
                                QStringList{"3/10/544/2", "4/10/48/8", "4/10/246/41"});
        QTest::newRow("T6 measurements only")
            << int(ModelT6) << true
            << QStringList{"16/0/254/4", "3/1/293/1", "3/10/544/2", "4/10/48/8", "4/10/246/41"};
        QTest::newRow("T6 Max")
            << int(ModelT6M) << false
            << (QStringList{"16/0/254/4"} +
                perChannel(1, {"3/ch/256/82", "3/ch/352/20", "3/ch/514/1", "4/ch/32/13"}) +
                QStringList{"3/1/256/82", "3/1/352/20", "3/1/514/1", "3/1/293/1", "4/1/32/13"} +
                QStringList{"3/2/256/82", "3/2/352/20", "3/2/514/1", "4/2/32/13"} +
                QStringList{"3/3/256/82", "3/3/352/20", "3/3/514/1", "4/3/32/13"} +
                QStringList{"3/4/256/82", "3/4/352/20", "3/4/514/1", "4/4/32/13"} +
                QStringList{"3/5/256/82", "3/5/352/20", "3/5/514/1", "4/5/32/13"} +
                QStringList{"3/10/528/6", "3/10/544/2", "4/10/17/5"});
        // Under "Авто" the T6 Max still reads its concentrations.
        QTest::newRow("T6 Max measurements only")
            << int(ModelT6M) << true
            << (QStringList{"16/0/254/4", "4/0/32/13", "4/1/32/13"} +
                QStringList{"4/2/32/13", "4/3/32/13", "4/4/32/13", "4/5/32/13", "3/10/528/6",
                            "3/10/544/2", "4/10/17/5"});
    }

    void classicRead()
    {
        QFETCH(int, model);
        QFETCH(bool, measurementsOnly);
        QFETCH(QStringList, blocks);
        sim.setHolding(1, 259, 0x0800);
        connectAs(quint16(model), SimDetector::Layout::Classic, "Admin");
        if (measurementsOnly) {
            find<QCheckBox>("checkBoxAutoupdate")->setChecked(true);
            window->autoUpdateTimer.stop(); // one read, by hand
            window->readParameters(0);
        } else {
            click("pushButton_Read_Param");
        }
        // The layout is known from connecting; the classic map has no language register.
        QCOMPARE(folded(frameSequence(sim)), (QStringList{modelRead} + blocks));
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    void extendedRead()
    {
        connectAs(ModelT8M, SimDetector::Layout::Extended, "Admin");
        window->readParameters(0);
        const QStringList seq = folded(frameSequence(sim));
        QCOMPARE(QStringList(seq.mid(0, 2)), (QStringList{modelRead, "16/10/254/4"}));
        QCOMPARE(seq.last(), language);
        QCOMPARE(seq.count("3/9/258/55"), 1); // all ten channels of the T8 Max
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    void clockWrite_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("reg");
        QTest::newRow("T2 classic, 0.9375 s ticks") << int(ModelT2Classic) << 256;
        QTest::newRow("T2") << int(ModelT2) << 256;
        QTest::newRow("T6") << int(ModelT6) << 254;
    }

    void clockWrite()
    {
        QFETCH(int, model);
        QFETCH(int, reg);
        connectAs(quint16(model), SimDetector::Layout::Classic, "User");
        const double tick = model == ModelT2Classic ? 0.9375 : 1.0;
        const qint64 expected = qint64(QDateTime::currentSecsSinceEpoch() / tick);
        click("pushButton_Read_Param");
        QCOMPARE(folded(frameSequence(sim)).value(1),
                 QString("16/0/%1/%2").arg(reg).arg(reg == 256 ? 2 : 4));
        const qint64 clock = sim.holding32(0, 256);
        QVERIFY2(qAbs(clock - expected) <= 2, qPrintable(QString::number(clock - expected)));
    }

    void autoUpdate()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        auto* box = find<QCheckBox>("checkBoxAutoupdate");
        box->setChecked(true);
        QVERIFY(!find<QPushButton>("pushButton_Read_Param")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(sim.countFrames(4, 10, 16) >= 2, 15000);
        box->setChecked(false);
        QVERIFY(find<QPushButton>("pushButton_Read_Param")->isEnabled());
        const int reads = sim.countFrames(4, 10, 16);
        QTest::qWait(1300);
        QCOMPARE(sim.countFrames(4, 10, 16), reads);

        box->setChecked(true);
        find<QTabWidget>("tabWidget")->setCurrentIndex(1);
        QVERIFY(!box->isChecked());
        QVERIFY(!box->isEnabled());
        const int afterTab = sim.countFrames(4, 10, 16);
        QTest::qWait(1300);
        QCOMPARE(sim.countFrames(4, 10, 16), afterTab);
    }

    void deviceGoesSilent()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        find<QCheckBox>("checkBoxAutoupdate")->setChecked(true);
        sim.addFault(SimFault(SimFault::Silence));
        // Every request goes unanswered from here: a short time-out loses nothing, and still
        // leaves the simulator ample time to log the last attempt before the road gives up.
        const TimeoutOverride quick(TimeoutFirstReplyT6, 300);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Ошибка обмена данными"), 20000);
        QVERIFY(find<QTabWidget>("tabWidget")->isHidden());
        QCOMPARE(command.connected, 0);
        QCOMPARE(int(command.modelCode), int(ModelNone));
        const int frames = sim.requests().size();
        QTest::qWait(1300);
        QCOMPARE(sim.requests().size(), frames);
    }

    void rebuildStopsWhenItsReadLosesTheDevice()
    {
        sim.setProfile(SimDetector::Layout::Classic, ModelT6);
        command.serialPort.setPortName(sim.portPath());
        QVERIFY(command.serialPort.open(QIODevice::ReadWrite));
        command.connected = 1;
        command.userName = "Dolen";
        window->setDeviceModel(ModelT6);
        command.registerMap = ClassicMap;
        sim.addFault(SimFault(SimFault::Exception, 4, 10, 16).code(2));
        window->rebuildDeviceUi();
        QCOMPARE(status(), QString("Ошибка обмена данными"));
        QVERIFY(find<QTabWidget>("tabWidget")->isHidden());
        QCOMPARE(find<QTabWidget>("tabWidget")->count(), 5);
        QVERIFY(find<QPushButton>("pushButtonSaveFactorySettings")->isHidden());
        QCOMPARE(command.connected, 0);
    }

    // The layout is asked again only after a failed read (or another model code):
    // a classic device answers the probe with an exception, asked once.
    void mapProbeSwitchesLayout()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        MeasureWindow* before = measureWindow;
        sim.addFault(SimFault(SimFault::Exception, 3, 10, 544).code(2));
        click("pushButton_Read_Param");
        QCOMPARE(status(), QString("Ошибка обмена данными"));
        sim.clearFaults();
        sim.setProfile(SimDetector::Layout::Extended, ModelT6);
        click("pushButton_Read_Param");
        QCOMPARE(int(command.registerMap), int(ExtendedMap));
        QVERIFY(measureWindow != before);
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    // Only an answer decides the layout: a probe left unanswered (a CRC error, then
    // silence) after a failed read keeps the extended layout and its pages and fails
    // that read alone; the next read asks again.
    void unansweredProbeKeepsLayout()
    {
        connectAs(ModelT2, SimDetector::Layout::Extended, "Admin");
        MeasureWindow* statusPage = measureWindow;
        DeviceSetting_1_Window* channelPage = deviceSetting1Windows[0];
        sim.addFault(SimFault(SimFault::Exception, 3, 10, 512).code(2));
        click("pushButton_Read_Param");
        QCOMPARE(status(), QString("Ошибка обмена данными"));
        sim.clearFaults();

        sim.addFault(SimFault(SimFault::BadCrc, 4, 10, RegMapProbe).attempts(1, 1));
        sim.addFault(SimFault(SimFault::Silence, 4, 10, RegMapProbe));
        {
            // Quick enough for the silent attempts, long enough for the answered model read.
            const TimeoutOverride quick(TimeoutFirstReply, SilentAttemptsReplyMs);
            sim.clearLog();
            click("pushButton_Read_Param");
        }
        sim.clearFaults();
        QCOMPARE(status(), QString("Ошибка обмена данными"));
        QCOMPARE(int(command.registerMap), int(ExtendedMap));
        QCOMPARE(measureWindow, statusPage);
        QCOMPARE(deviceSetting1Windows[0], channelPage);
        QCOMPARE(command.connected, 1);
        // The model read and ten probes; the last, unanswered, may reach the log after the
        // program gave up on it.
        QVERIFY(sim.waitForFrames(11));
        // Nothing is read or written after the unanswered probe.
        QCOMPARE(folded(frameSequence(sim)), (QStringList{modelRead, probe}));
        QCOMPARE(sim.countFrames(4, 10, RegMapProbe), 10);

        sim.clearLog();
        click("pushButton_Read_Param");
        QCOMPARE(status(), QString("Успешная передача данных"));
        QCOMPARE(sim.countFrames(4, 10, RegMapProbe), 1);
        QCOMPARE(int(command.registerMap), int(ExtendedMap));
        QCOMPARE(measureWindow, statusPage);
        QCOMPARE(deviceSetting1Windows[0], channelPage);
    }

    // A classic T6 whose firmware never answers the map probe (no reply at all, not
    // even an exception), connected right after the start, while the program still
    // holds its initial extended layout: its silence is the classic answer. The
    // pages are built, read and saved in the classic layout, and the layout is not
    // asked at every read. After a failed read the silent probe keeps the classic
    // layout and the read goes on.
    void classicSilentOnProbeAtConnection()
    {
        // Every silent probe costs the whole time-out: short enough for them, long enough for
        // every answered request even when the machine is loaded.
        const TimeoutOverride quick(TimeoutFirstReplyT6, SilentAttemptsReplyMs);
        sim.setProfile(SimDetector::Layout::Classic, ModelT6);
        sim.addFault(SimFault(SimFault::Silence, 4, 10, RegMapProbe));
        sim.clearLog();
        QCOMPARE(int(command.registerMap), int(ExtendedMap));
        QVERIFY(connectToSimulator(sim));
        command.userName = QStringLiteral("Dolen");
        command.authorized = 1;
        QVERIFY(window->setDeviceModel(ModelT6));
        window->rebuildDeviceUi();
        QCOMPARE(int(command.registerMap), int(ClassicMap));
        QCOMPARE(sim.countFrames(4, 10, RegMapProbe), 10);
        QCOMPARE(status(), QString("Успешное подключение Qiro T6"));
        // The first read of the device and the status page's read, classic both.
        const QStringList connection = folded(frameSequence(sim));
        QVERIFY(connection.contains("3/3/256/82"));
        QVERIFY(connection.contains("4/10/246/41"));
        QVERIFY(!connection.contains("3/0/258/55"));
        QVERIFY(!connection.contains("16/10/254/4"));
        MeasureWindow* statusPage = measureWindow;
        QVERIFY(statusPage);

        sim.clearLog();
        click("pushButton_Read_Param");
        QCOMPARE(status(), QString("Успешная передача данных"));
        QCOMPARE(measureWindow, statusPage);
        QCOMPARE(folded(frameSequence(sim)),
                 (QStringList{modelRead, "16/0/254/4", "3/0/256/82", "3/1/256/82", "3/2/256/82",
                              "3/3/256/82", "3/10/544/2", "4/10/48/8", "4/10/246/41"}));

        // The production save of a classic T6: its blocks, then the commit.
        sim.clearLog();
        click("pushButton_Save_Param");
        QStringList writes;
        for (const QString& frame : upTo(folded(frameSequence(sim)), commit))
            if (frame.startsWith("16/"))
                writes << frame;
        QCOMPARE(writes,
                 (QStringList{"16/0/254/4", "16/0/256/80", "16/0/546/2", "16/1/256/80",
                              "16/1/546/2", "16/2/256/80", "16/2/546/2", "16/3/256/80",
                              "16/3/546/2", "16/10/512/1", "16/10/544/2", "16/10/528/6", commit}));
        QCOMPARE(status(), QString("Успешная передача данных"));

        // A failed read, then the probe asked again: still silent, still classic.
        sim.addFault(SimFault(SimFault::Exception, 3, 2, 256).code(2));
        click("pushButton_Read_Param");
        QCOMPARE(status(), QString("Ошибка обмена данными"));
        sim.clearFaults();
        sim.addFault(SimFault(SimFault::Silence, 4, 10, RegMapProbe));
        sim.clearLog();
        click("pushButton_Read_Param");
        QCOMPARE(sim.countFrames(4, 10, RegMapProbe), 10);
        QCOMPARE(int(command.registerMap), int(ClassicMap));
        QCOMPARE(measureWindow, statusPage);
        QVERIFY(folded(frameSequence(sim)).contains("4/10/246/41"));
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    // A device changes its layout only with new firmware: a read that finds another
    // firmware version asks the layout again at once and reads in the answered one;
    // the same version is not asked.
    void newFirmwareVersionProbesLayout_data()
    {
        QTest::addColumn<bool>("newVersion");
        QTest::newRow("same version") << false;
        QTest::newRow("new version") << true;
    }
    void newFirmwareVersionProbesLayout()
    {
        QFETCH(bool, newVersion);
        sim.setInput(10, 17, 118); // the extended layout's firmware version
        connectAs(ModelT2, SimDetector::Layout::Open, "Admin");
        QCOMPARE(command.firmwareVersion, quint16(118));
        MeasureWindow* statusPage = measureWindow;
        // Every block still reads in both layouts; only the probe tells them apart.
        sim.setAnswersMapProbe(false);
        if (newVersion)
            sim.setInput(10, 17, 119);
        sim.clearLog();
        click("pushButton_Read_Param");
        QCOMPARE(sim.countFrames(4, 10, RegMapProbe) > 0, newVersion);
        QCOMPARE(int(command.registerMap), int(newVersion ? ClassicMap : ExtendedMap));
        QCOMPARE(measureWindow != statusPage, newVersion);
        QCOMPARE(status(), QString("Успешная передача данных"));
        if (newVersion) {
            // The read after it goes on in the classic layout without asking again.
            sim.clearLog();
            click("pushButton_Read_Param");
            QCOMPARE(sim.countFrames(4, 10, RegMapProbe), 0);
            QCOMPARE(status(), QString("Успешная передача данных"));
        }
    }

    void anotherModelRebuildsOnce()
    {
        connectAs(ModelT6, SimDetector::Layout::Classic, "Admin");
        sim.setProfile(SimDetector::Layout::Classic, ModelT6M);
        click("pushButton_Read_Param");
        QCOMPARE(int(command.modelCode), int(ModelT6M));
        QCOMPARE(int(command.channelCount), 6);
        QCOMPARE(window->windowTitle(), QString("Qiro Configuration v1.18, устройство Qiro T6Max"));
        QCOMPARE(status(), QString("Успешная передача данных"));
    }

    void offlineReadSendsNothing()
    {
        command.userName = "Admin";
        window->setDeviceModel(ModelT6);
        command.registerMap = ClassicMap;
        window->rebuildDeviceUi();
        sim.clearLog();
        click("pushButton_Read_Param");
        // Nothing came from a device: the read says so, not "Успешная передача данных".
        QCOMPARE(status(), QString("Нет связи с прибором (Offline режим): данные не переданы"));
        QCOMPARE(sim.requests().size(), 0);
    }
};

QTEST_MAIN(TestReadroad)
#include "tst_readroad.moc"
