// The read road: every refresh of a tab from the device.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "archivewindow.h"
#include "calibration.h"
#include "command.h"
#include "devicesetting_1_window.h"
#include "devicesetting_2_window.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "dialogs.h"
#include "measurewindow.h"
#include "statusline.h"

#include <QElapsedTimer>
#include <QThread>

namespace
{

struct ReadBlock {
    quint8 function;
    bool devicePage;
    quint16 reg;
    quint16 count;
};

bool read(const ReadBlock& b, quint16 channel)
{
    return command.transact(b.function, b.devicePage ? DevicePage : channel, b.reg, b.count) ==
           ResultOk;
}

quint16 channels()
{
    return command.channelSlotsInUse();
}

} // namespace

void MainWindow::loseDevice()
{
    // A device that missed one read may still hear the calibration mode go off.
    endCalibrationProcedure();
    command.serialPort.close();
    command.connected = 0;
    command.modelCode = ModelNone;
    ++deviceLostCount;
    rebuildDeviceUi();
    statusline::exchangeFailed();
}

bool MainWindow::layoutKnownForWrite()
{
    if (command.registerMapKnown())
        return true;
    dialogs::unknownLayout(this);
    statusline::refuse(dialogs::unknownLayoutText());
    return false;
}

bool MainWindow::readClassicBlocks(quint8 tab, bool measurementsOnly)
{
    if (!writeClassicClock())
        return false;
    const ModelGroup group = traitsOf(command.modelCode).group;
    if (!hasDevicePages(group))
        return true; // nothing to read, nothing to show

    if (group == ModelGroup::T2) {
        static const ReadBlock perChannel[] = {{3, false, RegDeviceClock, 82},
                                               {3, false, RegDeviceFlags, 4}};
        static const ReadBlock device[] = {{3, true, RegArchiveIntervals, 6},
                                           {4, true, RegCalibrationConcentration, 2},
                                           {4, true, RegClassicLastCalibrationDate, 20}};
        for (quint16 ch = 0; ch < channels(); ++ch)
            for (const ReadBlock& b : perChannel)
                if (!read(b, ch))
                    return false;
        for (const ReadBlock& b : device)
            if (!read(b, 0))
                return false;
        return true;
    }
    if (group == ModelGroup::T6) {
        for (quint16 ch = 0; ch < channels(); ++ch) {
            if (!measurementsOnly && !read({3, false, RegDeviceClock, 82}, ch))
                return false;
            if ((command.classicChannels[ch].format & FormatBits::DeviceCalibrates) &&
                !read({3, false, RegClassicSensorStatus, 1}, ch))
                return false;
        }
        static const ReadBlock device[] = {{3, true, RegDeviceFlags, 2},
                                           {4, true, RegClassicInputChannelFlags, 8},
                                           {4, true, RegClassicLastCalibrationDate, 41}};
        for (const ReadBlock& b : device)
            if (!read(b, 0))
                return false;
        // The archive and production pages need the archive block, the production
        // pages also the calibration values.
        if (tab == 4 && !read({3, true, RegArchiveIntervals, 6}, 0))
            return false;
        if ((tab == 5 || tab == 6) && (!read({3, true, RegArchiveIntervals, 6}, 0) ||
                                       !read({4, true, RegCalibrationConcentration, 8}, 0)))
            return false;
        return true;
    }
    // T6 Max. Its measurements come with the channel's input block, which is
    // read under "Авто" too.
    for (quint16 ch = 0; ch < channels(); ++ch) {
        if (!measurementsOnly) {
            if (!read({3, false, RegDeviceClock, 82}, ch) ||
                !read({3, false, RegClassicZeroTable, 20}, ch))
                return false;
            // Older firmware has no sensor-type register.
            read({3, false, RegClassicSensorType, 1}, ch);
            if ((command.classicChannels[ch].format & FormatBits::DeviceCalibrates) &&
                !read({3, false, RegClassicSensorStatus, 1}, ch))
                return false;
        }
        if (!read({4, false, RegCalibrationConcentration, 13}, ch))
            return false;
    }
    static const ReadBlock device[] = {{3, true, RegArchiveIntervals, 6},
                                       {3, true, RegDeviceFlags, 2},
                                       {4, true, RegT6MaxLastBumpTestDate, 5}};
    for (const ReadBlock& b : device)
        if (!read(b, 0))
            return false;
    return true;
}

void MainWindow::showTab(quint8 tab)
{
    switch (tab) {
    case 0:
        if (measureWindow)
            measureWindow->showParameters();
        break;
    case 1:
        for (int ch = 0; ch < channels(); ++ch)
            if (deviceSetting1Windows[ch])
                deviceSetting1Windows[ch]->showParameters(ch);
        break;
    case 2:
        if (calibrationWindow)
            calibrationWindow->showParameters(0);
        break;
    case 4:
        if (archiveWindow)
            archiveWindow->showParameters();
        break;
    case 5:
        if (deviceSettingAllWindow)
            deviceSettingAllWindow->showParameters();
        break;
    case 6:
        if (deviceSettingAllWindow1)
            deviceSettingAllWindow1->showParameters();
        break;
    case 3:
        for (int ch = 0; ch < channels(); ++ch)
            if (deviceSetting2Windows[ch])
                deviceSetting2Windows[ch]->showParameters(ch);
        break;
    default:
        // Calibration, service, archive and production pages refresh here
        // once they are part of the interface.
        break;
    }
}

bool MainWindow::rereadAfterNewFirmware(quint8 tab)
{
    // Another firmware version may bring another layout, and the blocks just read
    // would then be those of the old one: the read starts over with the probe (whose
    // read only records the version, so this happens once).
    if (!command.connected || !command.firmwareVersionChanged())
        return false;
    command.registerMapProbed = false;
    command.registerMapDecided = false;
    readParameters(tab);
    return true;
}

void MainWindow::readParameters(quint8 tab)
{
    // A short pause before every read; nothing else runs meanwhile.
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 100)
        QThread::msleep(1);

    const quint16 oldModel = command.modelCode;
    const quint16 oldMap = command.registerMap;
    if (command.transact(4, DevicePage, RegModelCode, 1) != ResultOk) {
        command.registerMapProbed = false;
        loseDevice();
        return;
    }
    // The layout does not change while the same device runs the same firmware.
    if (command.connected &&
        (!command.registerMapProbed || command.modelCode != command.probedModel) &&
        !command.adoptProbedMap()) {
        // The layout was known and the device answered it before: a flaky
        // line decides nothing. The layout, the pages and their edits stay,
        // and this read fails like any other failed exchange. The model code
        // is put back, so that the next read still sees a change.
        command.modelCode = oldModel;
        statusline::exchangeFailed();
        return;
    }

    if (command.modelCode != oldModel || command.registerMap != oldMap) {
        setDeviceModel(command.modelCode);
        // A rebuild reads the status page itself; a read inside that rebuild
        // goes on with the values it finds and never rebuilds again.
        if (!rebuildFromRead) {
            const quint32 lost = deviceLostCount;
            rebuildFromRead = true;
            rebuildDeviceUi();
            rebuildFromRead = false;
            if (deviceLostCount != lost)
                return; // the rebuild's own read lost the device: its error stands
        }
    }

    const bool measurementsOnly = ui->checkBoxAutoupdate->isChecked();
    if (command.registerMap == ClassicMap) {
        if (!readClassicBlocks(tab, measurementsOnly)) {
            command.registerMapProbed = false;
            statusline::exchangeFailed();
            return;
        }
        if (rereadAfterNewFirmware(tab))
            return;
        if (hasDevicePages(traitsOf(command.modelCode).group))
            showTab(tab);
    } else if (command.registerMap == ExtendedMap) {
        if (!command.readAllParameters(1, measurementsOnly)) {
            command.registerMapProbed = false;
            statusline::exchangeFailed();
            return;
        }
        if (rereadAfterNewFirmware(tab))
            return;
        showTab(tab);
    }

    // The classic map has no place for the language register: its reply would be dropped.
    if (command.registerMap != ClassicMap)
        command.transact(3, DevicePage, RegDeviceLanguage, 1);
    showDeviceLanguage();
    // Offline the page was refilled from the image: nothing came from a device.
    // Inside a command this success stands only if the command's own steps did.
    statusline::succeed(command.connected ? tr("Успешная передача данных")
                                          : statusline::offlineText());
}

void MainWindow::readDeviceImage()
{
    ui->spinBoxModbusAddress->setValue(command.modbusAddress);
    // The first probe of a device decides its layout, silence included (classic).
    if (command.connected)
        command.adoptProbedMap();
    if (command.registerMap == ExtendedMap) {
        command.transact(3, DevicePage, RegDeviceLanguage, 1);
        command.readAllParameters(0, false);
        return;
    }
    if (command.registerMap != ClassicMap)
        return;

    // Classic first read; failures leave the image as it is.
    const ModelGroup group = traitsOf(command.modelCode).group;
    if (group == ModelGroup::T2) {
        command.transact(3, 0, RegDeviceClock, 82);
        command.transact(3, 0, RegDeviceFlags, 4);
        command.transact(4, DevicePage, RegClassicLastCalibrationDate, 20);
    } else if (group == ModelGroup::T6) {
        for (quint16 ch = 0; ch < channels(); ++ch) {
            command.transact(3, ch, RegDeviceClock, 82);
            command.transact(3, ch, RegDeviceFlags, 4);
        }
        command.transact(4, DevicePage, RegClassicLastCalibrationDate, 41);
    } else if (group == ModelGroup::T6Max) {
        for (quint16 ch = 0; ch < channels(); ++ch) {
            command.transact(3, ch, RegDeviceClock, 82);
            command.transact(3, ch, RegClassicZeroTable, 20);
            command.transact(3, ch, RegDeviceFlags, 4);
            command.transact(4, ch, RegCalibrationConcentration, 13);
        }
    } else {
        return;
    }
    command.transact(3, DevicePage, RegArchiveIntervals, 6);
}
