// The channel limits page: what the boxes show and what edits store.

#include "channelpage.h"
#include "command.h"
#include "devicesetting_1_window.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QtTest>

#include <cmath>

namespace
{

void setClassicFormat(int ch, quint16 f)
{
    setFormat(command.classicChannels[ch], f);
}

} // namespace

class TestDeviceSetting1 : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetChannelPageImage(); }

    void classicLimitKeepsDirection()
    {
        command.registerMap = ClassicMap;
        setClassicFormat(1, format(0, 0, 0, 0));
        command.classicChannels[1].channelPage = 1;
        command.classicChannels[1].limit1 = 0x8000 | 1200;
        DeviceSetting_1_Window page(nullptr, 1);
        QVERIFY(!child<QCheckBox>(page, "checkBoxLim1IncDec")->isChecked());
        child<QDoubleSpinBox>(page, "doubleSpinBoxLim_1")->setValue(800);
        QCOMPARE(command.classicChannels[1].limit1, quint16(0x8320));
        child<QCheckBox>(page, "checkBoxLim1IncDec")->setChecked(true);
        QCOMPARE(command.classicChannels[1].limit1, quint16(800));
        QCOMPARE(child<QCheckBox>(page, "checkBoxLim1IncDec")->text(), QString("Возр."));
    }

    // Raw values never wrap into the direction bit or past 16 bits.
    void classicMaximaFollowTheRawRange()
    {
        command.registerMap = ClassicMap;
        setClassicFormat(0, format(0, 0, 0, 0));
        DeviceSetting_1_Window page(nullptr, 0);
        auto* lim = child<QDoubleSpinBox>(page, "doubleSpinBoxLim_2");
        QCOMPARE(lim->maximum(), 32767.0);
        lim->setValue(60000);
        QCOMPARE(command.classicChannels[0].limit2, quint16(32767));
        QCOMPARE(child<QDoubleSpinBox>(page, "doubleSpinBoxLimitTWA")->maximum(), 65535.0);
    }

    void classicRoundsHalfToEven_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("raw");
        QTest::newRow("1.25 -> 2.5 -> 2") << 1.25 << 2;
        QTest::newRow("1.75 -> 3.5 -> 4") << 1.75 << 4;
        QTest::newRow("1.5 -> 3") << 1.5 << 3;
    }
    void classicRoundsHalfToEven()
    {
        QFETCH(double, typed);
        QFETCH(int, raw);
        command.registerMap = ClassicMap;
        // PPM shown as mg/m3 with M = 5 (factor 5), raw values in tenths: scale 0.5.
        setClassicFormat(0, format(1, 0, 2, 1));
        command.classicChannels[0].molecularWeight = 5;
        DeviceSetting_1_Window page(nullptr, 0);
        child<QDoubleSpinBox>(page, "doubleSpinBoxLimitSTEL")->setValue(typed);
        QCOMPARE(int(command.classicChannels[0].stel), raw);
    }

    void extendedStoresBaseUnit()
    {
        command.registerMap = ExtendedMap;
        auto& r = command.extendedChannels[2];
        r.format = format(1, 0, 1, 0); // PPM shown as mg/m3
        r.molecularWeight = 2;
        r.displayDivisor[0] = 10;
        DeviceSetting_1_Window page(nullptr, 2);
        child<QDoubleSpinBox>(page, "doubleSpinBoxLim_3")->setValue(10);
        QCOMPARE(r.limit3, 5.0f);
        child<QCheckBox>(page, "checkBoxLim3IncDec")->setChecked(false);
        QCOMPARE(r.channelFlags & (1u << 12), 1u << 12);
        child<QDoubleSpinBox>(page, "doubleSpinBoxLimitTWA")->setValue(3);
        QCOMPARE(r.twa, 1.5f);
    }

    // A refresh only shows: values a box cannot hold exactly stay as the device sent them.
    void refreshLeavesTheImage_data()
    {
        QTest::addColumn<int>("map");
        QTest::newRow("classic") << int(ClassicMap);
        QTest::newRow("extended") << int(ExtendedMap);
    }
    void refreshLeavesTheImage()
    {
        QFETCH(int, map);
        command.registerMap = quint16(map);
        command.secondsPerTick = 0.9375;
        if (map == ClassicMap) {
            auto& r = command.classicChannels[0];
            setClassicFormat(0, format(0, 0, 0, 2)); // shown without decimals, raw in hundredths
            r.limit1 = 0x8000 | 12345;
            r.limit2 = 32767;
            r.limit4 = 65535;
            r.stel = 12399;
            r.twa = 1;
            r.stelInterval = 15;
            r.channelFlags = 0x0004 | 0x0008;
        } else {
            auto& r = command.extendedChannels[0];
            r.format = format(0, 0, 1, 0);
            r.displayDivisor[0] = 10;
            r.limit1 = 12.345f;
            r.limit2 = 1e9f; // beyond the box
            r.stel = 0.04f;
            r.twa = -3;
            r.stelInterval = 15;
            r.channelFlags = 0x0004 | 0x0400;
        }
        QByteArray before(reinterpret_cast<const char*>(&command.classicChannels[0]),
                          sizeof(ClassicChannelRecord));
        before += QByteArray(reinterpret_cast<const char*>(&command.extendedChannels[0]),
                             sizeof(ExtendedChannelRecord));
        DeviceSetting_1_Window page(nullptr, 0);
        page.showParameters(0);
        QByteArray after(reinterpret_cast<const char*>(&command.classicChannels[0]),
                         sizeof(ClassicChannelRecord));
        after += QByteArray(reinterpret_cast<const char*>(&command.extendedChannels[0]),
                            sizeof(ExtendedChannelRecord));
        QCOMPARE(after, before);
    }

    void stelInterval_data()
    {
        QTest::addColumn<double>("tick");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("shown");
        QTest::newRow("15 ticks of 0.9375") << 0.9375 << 15 << 14;
        QTest::newRow("16 ticks of 0.9375") << 0.9375 << 16 << 15;
        QTest::newRow("30 ticks of 1") << 1.0 << 30 << 30;
    }
    void stelInterval()
    {
        QFETCH(double, tick);
        QFETCH(int, ticks);
        QFETCH(int, shown);
        QCOMPARE(stelMinutesFromTicks(quint16(ticks), tick), shown);
        QCOMPARE(int(stelTicksFromMinutes(shown, tick)), ticks);
    }

    // Minutes that fall on half a tick go to the even tick, not always up.
    void stelTicksTiesToEven_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("ticks");
        QTest::newRow("1.5 ticks") << 3 << 2;
        QTest::newRow("2.5 ticks") << 5 << 2;
        QTest::newRow("3.5 ticks") << 7 << 4;
    }
    void stelTicksTiesToEven()
    {
        QFETCH(int, minutes);
        QFETCH(int, ticks);
        QCOMPARE(int(stelTicksFromMinutes(minutes, 2.0)), ticks);
    }

    void unitChoiceStoresFormat()
    {
        command.registerMap = ExtendedMap;
        auto& r = command.extendedChannels[0];
        r.format = quint16((1u << 11) | (2 << 2) | 1); // device-calibrated, base %LEL, shown mg/m3
        DeviceSetting_1_Window page(nullptr, 0);
        auto* units = child<QComboBox>(page, "comboBoxUnitMeas");
        QCOMPARE(units->count(), 3);
        QCOMPARE(units->itemText(0), QString("mg/m3"));
        QCOMPARE(units->currentIndex(), 0);
        QMetaObject::invokeMethod(&page, "on_comboBoxUnitMeas_activated", Q_ARG(int, 2));
        QCOMPARE(r.format & 3, 3);
        QMetaObject::invokeMethod(&page, "on_comboBoxDiscreteness_activated", Q_ARG(int, 2));
        QCOMPARE((r.format >> 4) & 3, 2);
        QCOMPARE(r.displayDivisor[0], quint16(100));
    }

    void rowsByKind_data()
    {
        QTest::addColumn<int>("kindBits");
        QTest::addColumn<bool>("stelRows");
        QTest::addColumn<bool>("unitRows");
        QTest::newRow("plain") << 0 << true << true;
        QTest::newRow("oxygen") << int(1u << 9) << false << false;
        QTest::newRow("kind 10") << int(1u << 10) << false << true;
        QTest::newRow("oxygen and kind 12") << int((1u << 9) | (1u << 12)) << false << true;
    }
    void rowsByKind()
    {
        QFETCH(int, kindBits);
        QFETCH(bool, stelRows);
        QFETCH(bool, unitRows);
        command.registerMap = ExtendedMap;
        command.extendedChannels[0].format = quint16(kindBits);
        DeviceSetting_1_Window page(nullptr, 0);
        page.show();
        QCOMPARE(child<QWidget>(page, "doubleSpinBoxLimitTWA")->isVisible(), stelRows);
        QCOMPARE(child<QWidget>(page, "spinBoxIntervalStel")->isVisible(), stelRows);
        QCOMPARE(child<QWidget>(page, "comboBoxUnitMeas")->isVisible(), unitRows);
        QCOMPARE(child<QWidget>(page, "label_17")->isVisible(), unitRows);
    }

    void channelOnOff()
    {
        command.registerMap = ClassicMap;
        command.classicChannels[3].channelPage = 3;
        DeviceSetting_1_Window page(nullptr, 3);
        auto* group = child<QGroupBox>(page, "ParamSensgroupBox");
        QVERIFY(group->isCheckable());
        QVERIFY(group->isChecked());
        QMetaObject::invokeMethod(&page, "on_ParamSensgroupBox_clicked", Q_ARG(bool, false));
        QCOMPARE(command.classicChannels[3].channelPage, quint16(7));
        QMetaObject::invokeMethod(&page, "on_ParamSensgroupBox_clicked", Q_ARG(bool, true));
        QCOMPARE(command.classicChannels[3].channelPage, quint16(3));

        command.modelCode = ModelT2Classic;
        DeviceSetting_1_Window t2(nullptr, 0);
        QVERIFY(!child<QGroupBox>(t2, "ParamSensgroupBox")->isCheckable());
    }

    void autoZero()
    {
        command.registerMap = ExtendedMap;
        command.extendedChannels[0].channelFlags = 0x0004;
        DeviceSetting_1_Window page(nullptr, 0);
        auto* box = child<QCheckBox>(page, "checkBoxAutoCalibZero");
        QCOMPARE(box->text(), QString("Выкл")); // the form's own text until the state changes
        box->setChecked(true);
        QCOMPARE(command.extendedChannels[0].channelFlags, quint32(0x0008));
        QCOMPARE(box->text(), QString("Вкл."));
    }

    // A never-read image (divisors 0) shows sane numbers.
    void zeroDivisors()
    {
        command.registerMap = ClassicMap;
        command.classicChannels[0].limit1 = 100;
        DeviceSetting_1_Window page(nullptr, 0);
        const double v = child<QDoubleSpinBox>(page, "doubleSpinBoxLim_1")->value();
        QVERIFY(std::isfinite(v));
        QCOMPARE(v, 100.0);
        QVERIFY(std::isfinite(child<QDoubleSpinBox>(page, "doubleSpinBoxLim_1")->maximum()));
    }

    void titleAndReadOnlyFields()
    {
        command.registerMap = ExtendedMap;
        memcpy(command.extendedChannels[0].gasFormula, "CH4CH4CH4C", 10); // full, no terminator
        command.extendedChannels[0].calibrationInterval = 180;
        command.extendedDevice.bumpTestInterval = 30;
        DeviceSetting_1_Window page(nullptr, 0);
        QCOMPARE(child<QGroupBox>(page, "ParamSensgroupBox")->title(),
                 QString("CH4CH4CH4C Параметры"));
        QCOMPARE(child<QSpinBox>(page, "spinBoxIntervalCalib")->value(), 180);
        QCOMPARE(child<QSpinBox>(page, "spinBoxIntervalBump")->value(), 30);
    }
};

QTEST_MAIN(TestDeviceSetting1)
#include "test_devicesetting1.moc"
