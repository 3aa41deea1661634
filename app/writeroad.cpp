// The write road: "Сохранить параметры", the full write, and the one-button
// device commands.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accounts.h"
#include "appsettings.h"
#include "authorizationwindow.h"
#include "calibration.h"
#include "command.h"
#include "configurationfile.h"
#include "devicesettingallwindow.h"
#include "devicesettingallwindow_1.h"
#include "dialogs.h"
#include "firmware.h"
#include "statusline.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace
{

// One classic write block: channel page (or the device page after the channels).
struct WriteBlock {
    quint16 reg;
    quint16 count;
    bool ignored = false;
};

struct LevelBlocks {
    QVector<WriteBlock> perChannel;
    QVector<WriteBlock> device;
};

// What "Сохранить параметры" (fullWrite false) and the full write (true)
// send in the classic map, by model group and access level.
LevelBlocks classicWriteBlocks(ModelGroup group, AccessLevel level, bool fullWrite)
{
    const QVector<WriteBlock> userBlocks = {{RegDeviceClock, 12}, {RegAutoZeroBit, 1}};
    const QVector<WriteBlock> deviceT2 = {{RegPwmSound, 1}, {RegArchiveIntervals, 6}};
    const QVector<WriteBlock> deviceT6 = {
        {RegPwmSound, 1}, {RegDeviceFlags, 2}, {RegArchiveIntervals, 6}};
    if (!hasDevicePages(group))
        return {};
    if (level == AccessLevel::None)
        return {};
    if (level == AccessLevel::User)
        return {userBlocks, {}};
    if (!fullWrite) {
        if (level == AccessLevel::Admin)
            return {{{RegDeviceClock, 29}, {RegAutoZeroBit, 4}, {RegClassicDeviceStatus, 1}}, {}};
        switch (group) {
        case ModelGroup::T2:
            return {{{RegDeviceClock, 80}, {RegDeviceFlags, 4}}, deviceT2};
        case ModelGroup::T6:
            return {{{RegDeviceClock, 80}, {RegChannelFlagsClassic, 2}}, deviceT6};
        default:
            return {{{RegDeviceClock, 80},
                     {RegClassicZeroTable, 20},
                     {RegChannelFlagsClassic, 2},
                     {RegClassicSensorType, 1, true}},
                    deviceT6};
        }
    }
    // The Admin pair 256 x 29 and 287 x 51 leaves the serial number (285, 286) alone.
    const QVector<WriteBlock> head =
        level == AccessLevel::Admin
            ? QVector<WriteBlock>{{RegDeviceClock, 29}, {RegClassicHardwareVersion, 51}}
            : QVector<WriteBlock>{{RegDeviceClock, 82}};
    switch (group) {
    case ModelGroup::T2:
        return {head + QVector<WriteBlock>{{RegDeviceFlags, 4}}, deviceT2};
    case ModelGroup::T6:
        return {head + QVector<WriteBlock>{{RegChannelFlagsClassic, 2}}, deviceT6};
    default:
        return {head + QVector<WriteBlock>{{RegClassicZeroTable, 20},
                                           {RegChannelFlagsClassic, 2},
                                           {RegClassicSensorType, 1, true}},
                deviceT6};
    }
}

} // namespace

void MainWindow::reportExchangeError()
{
    dialogs::exchangeError(this);
    statusline::exchangeFailed();
}

bool MainWindow::writeClassicClock()
{
    command.setClockFieldsNow(ClassicMap);
    const bool shortClock = traitsOf(command.modelCode).group == ModelGroup::T2;
    return command.transact(16, 0, shortClock ? RegDeviceClock : RegClock, shortClock ? 2 : 4) ==
           ResultOk;
}

bool MainWindow::writeClassicBlocks(bool fullWrite)
{
    if (!writeClassicClock())
        return false;
    const LevelBlocks blocks =
        classicWriteBlocks(traitsOf(command.modelCode).group, currentAccessLevel(), fullWrite);
    const quint16 channels = command.channelSlotsInUse();
    for (quint16 ch = 0; ch < channels && !blocks.perChannel.isEmpty(); ++ch) {
        for (const WriteBlock& b : blocks.perChannel)
            if (command.transact(16, ch, b.reg, b.count) != ResultOk && !b.ignored)
                return false;
    }
    for (const WriteBlock& b : blocks.device) {
        const TransactionResult result = b.reg == RegArchiveIntervals
                                             ? command.writeArchiveBlock()
                                             : command.transact(16, DevicePage, b.reg, b.count);
        if (result != ResultOk && !b.ignored)
            return false;
    }
    return true;
}

void MainWindow::on_pushButton_Save_Param_clicked()
{
    const statusline::Outcome outcome = beginCommand();
    // Pending table edits of the calibration and production tabs are stored
    // into the image here once those pages are part of the interface.
    if (ui->tabWidget->currentIndex() == 2 && calibrationWindow)
        calibrationWindow->collectParameters();
    statusline::show(tr("Идет передача данных..."));
    QCoreApplication::processEvents();
    if (deviceSettingAllWindow)
        deviceSettingAllWindow->collectParameters();
    if (deviceSettingAllWindow1)
        deviceSettingAllWindow1->collectParameters();

    bool ok = true;
    if (command.registerMap == ClassicMap)
        ok = writeClassicBlocks(false);
    else if (command.registerMap == ExtendedMap)
        ok = command.writeAllParameters(false);
    if (!ok || command.transact(16, DevicePage, RegCommit, 1) != ResultOk) {
        reportExchangeError();
        return;
    }
    readParameters(quint8(ui->tabWidget->currentIndex()));
}

bool MainWindow::writeDeviceImage(bool saveAsFactory)
{
    statusline::show(tr("Идет передача данных..."));
    ui->checkBoxAutoupdate->setChecked(false);
    QCoreApplication::processEvents();

    bool ok = true;
    if (command.registerMap == ClassicMap)
        ok = writeClassicBlocks(true);
    else if (command.registerMap == ExtendedMap)
        ok = command.writeAllParameters(true);
    if (!ok || command.transact(16, DevicePage, saveAsFactory ? RegSaveFactory : RegCommit, 1) !=
                   ResultOk) {
        reportExchangeError();
        return false;
    }
    // Offline nothing went out, although every exchange "succeeded".
    if (command.connected)
        statusline::succeed(tr("Успешная передача данных"));
    else
        statusline::refuse(statusline::offlineText());
    return true;
}

bool MainWindow::confirmFactoryCommand(const QString& title, const QString& question)
{
    // Offline there is no device whose settings a question could be about.
    if (!command.connected) {
        statusline::refuse(statusline::offlineText());
        return false;
    }
    if (dialogs::confirmReplace(this, title, question))
        return true;
    statusline::cancel(tr("Команда отменена: данные не переданы"));
    return false;
}

void MainWindow::on_pushButtonSaveFactorySettings_clicked()
{
    // The whole image goes out and becomes the device's factory set: the set the
    // device had is gone for good. Nothing to ask while no write could go out.
    // No auto-update read runs under the open question.
    const statusline::Outcome outcome = beginCommand();
    if (!layoutKnownForWrite())
        return;
    if (!confirmFactoryCommand(
            tr("Сохранение заводских настроек"),
            tr("Параметры, показанные программой, будут записаны в прибор и заменят его текущие "
               "и заводские настройки. Прежние заводские настройки будут потеряны.\n\n"
               "Продолжить?")))
        return;
    if (deviceSettingAllWindow)
        deviceSettingAllWindow->collectParameters();
    if (deviceSettingAllWindow1)
        deviceSettingAllWindow1->collectParameters();
    writeDeviceImage(true);
}

void MainWindow::on_pushButtonReadFactorySettings_clicked()
{
    // Despite its caption the button reads nothing into the program: the device
    // overwrites its current settings with its factory set.
    const statusline::Outcome outcome = beginCommand();
    if (!confirmFactoryCommand(
            tr("Чтение заводских настроек"),
            tr("Заводские настройки прибора заменят его текущие настройки. Текущие настройки "
               "прибора будут потеряны.\n\nПродолжить?")))
        return;
    statusline::show(tr("Идет передача данных..."));
    QCoreApplication::processEvents();
    if (currentAccessLevel() == AccessLevel::User) {
        AuthorizationWindow password(this, AuthorizationWindow::FactoryPasswordPage);
        dialogs::exec(password);
        if (command.secondPasswordAccepted != 1) {
            statusline::cancel(tr("Команда отменена: данные не переданы"));
            return;
        }
    }
    command.secondPasswordAccepted = 0;
    if (!resultsOk(command.transact(16, DevicePage, RegRestoreFactory, 1))) {
        reportExchangeError();
        return;
    }
    readParameters(quint8(ui->tabWidget->currentIndex()));
}

void MainWindow::on_pushButtonLoadConfigDevice_clicked()
{
    const statusline::Outcome outcome = beginCommand();
    // The file would be read into the image of a layout that no probe has told;
    // nothing to choose while its write could not go out.
    if (!layoutKnownForWrite())
        return;
    const QString file =
        dialogs::getOpenFileName(this, tr("Файл конфигурации"), lastDirectory, tr("(*.txt)"));
    if (file.isEmpty()) {
        statusline::cancel(tr("Команда отменена: данные не переданы"));
        return;
    }
    lastDirectory = QFileInfo(file).absolutePath();
    lastLoadedConfigFile = file;
    // The file has said what is wrong with it in its own box.
    if (loadConfigurationFile())
        writeDeviceImage(false);
    else
        statusline::fail(tr("Конфигурация не загружена: в прибор ничего не записано"));
    // The device's own values, whatever became of the write; its success text
    // does not cover a load or a write that failed.
    readParameters(quint8(ui->tabWidget->currentIndex()));
}

void MainWindow::on_pushButtonSaveConfigPC_clicked()
{
    const statusline::Outcome outcome = beginCommand();
    const QString file =
        dialogs::getSaveFileName(this, tr("Файл конфигурации"),
                                 lastDirectory + QStringLiteral("//config.txt"), tr("(*.txt)"));
    if (file.isEmpty()) {
        statusline::cancel(tr("Команда отменена: конфигурация не сохранена"));
        return;
    }
    lastDirectory = QFileInfo(file).absolutePath();
    lastSavedConfigFile = file;
    const QString name = QDir::toNativeSeparators(file);
    if (saveConfigurationFile())
        statusline::succeed(tr("Конфигурация сохранена в файл %1").arg(name));
    else
        statusline::fail(tr("Конфигурация не сохранена: ошибка записи файла %1").arg(name));
}

void MainWindow::setDeviceLanguage(quint32 language)
{
    const statusline::Outcome outcome = beginCommand();
    quint32 unused = 0;
    quint32* field = command.registerMap == ClassicMap    ? &command.classicLanguage
                     : command.registerMap == ExtendedMap ? &command.extendedLanguage
                                                          : &unused;
    const quint32 previous = *field;
    *field = language;
    if (!resultsOk(command.transact(16, DevicePage, RegDeviceLanguage, 1))) {
        // The device keeps its old language, and so does the image.
        *field = previous;
        dialogs::exchangeError(this);
        showDeviceLanguage();
        statusline::exchangeFailed();
        return;
    }
    if (!command.connected)
        statusline::refuse(statusline::offlineText());
    else
        statusline::succeed(language == 0 ? tr("Язык на приборе: русский")
                                          : tr("Язык на приборе: английский"));
}

void MainWindow::on_radioButtonLanguageRus_2_clicked()
{
    setDeviceLanguage(0);
}

void MainWindow::on_radioButtonLanguageEn_2_clicked()
{
    setDeviceLanguage(1);
}

void MainWindow::on_pushButtonBootloader_clicked()
{
    const statusline::Outcome outcome = beginCommand();
    const QString file =
        dialogs::getOpenFileName(this, tr("Файл прошивки"), lastFirmwareDirectory, tr("(*.HEX)"));
    if (file.isEmpty()) {
        statusline::cancel(tr("Команда отменена: данные не переданы"));
        return;
    }
    lastFirmwareDirectory = QFileInfo(file).absolutePath();
    lastFirmwareFile = file;
    // The device's firmware is replaced: Enter on the question must not start it.
    if (!dialogs::confirmReplace(nullptr, tr("Обновление версии ПО"),
                                 tr("Загрузить в устройство?"))) {
        statusline::cancel(tr("Команда отменена: данные не переданы"));
        return;
    }

    // The T2 models and the bootloader are done when the last block is in; the
    // T6 models go on writing their flash for a while after.
    QString success;
    int mode = 1;
    switch (traitsOf(command.modelCode).group) {
    case ModelGroup::T2:
        success = tr("Контроллер успешно прошит");
        break;
    case ModelGroup::T6:
    case ModelGroup::T6Max:
        success = tr("Контроллер прошивается, подождите несколько минут");
        break;
    case ModelGroup::Bootloader:
        mode = 0;
        success = tr("Контроллер успешно прошит");
        break;
    default:
        return;
    }
    // The device restarts with its new firmware: a calibration ends first.
    endCalibrationProcedure();
    const bool offline = !command.connected;
    if (updateFirmware(mode) == 1) {
        statusline::succeed(success);
        dialogs::information(nullptr, QStringLiteral("Обновление версии ПО"), success);
    } else if (offline) {
        // The upload has said why in its own box.
        statusline::refuse(statusline::offlineText());
    } else {
        statusline::fail(tr("Обновление ПО не выполнено"));
    }
}

void MainWindow::on_pushButtonBootloader_Ble_clicked()
{
    const statusline::Outcome outcome = beginCommand();
    if (!command.connected) {
        statusline::refuse(statusline::offlineText());
        return;
    }
    if (!resultsOk(command.transact(16, DevicePage, RegBleBootloader, 1))) {
        dialogs::exchangeError(this);
        statusline::exchangeFailed();
        return;
    }
    statusline::succeed(tr("Модуль Ble переведён в режим прошивки"));
}

void MainWindow::on_pushButton_TurnOffDevice_clicked()
{
    const statusline::Outcome outcome = beginCommand();
    // No procedure runs on against a device that is switched off: its
    // channels leave calibration mode first.
    endCalibrationProcedure();
    if (!command.connected) {
        statusline::refuse(statusline::offlineText());
        return;
    }
    // The bootloader has its own power-off register. A device may switch off
    // before its reply is out: no reply is no error box, only what is known.
    const TransactionResult result = command.transact(
        16, DevicePage, command.modelCode == ModelBootloader ? RegBootloaderPowerOff : RegPowerOff,
        1);
    if (resultsOk(result))
        statusline::succeed(tr("Прибор принял команду выключения"));
    else
        statusline::fail(tr("Прибор не подтвердил команду выключения"));
}

void MainWindow::on_action_help_triggered()
{
    const QString manual =
        QCoreApplication::applicationDirPath() +
        QStringLiteral("/Руководство пользователя Qiro Configuration 05.04.2022.pdf");
    // Opening a missing file would fail without a word; say which file is missing.
    const QString shown = QDir::toNativeSeparators(manual);
    if (!QFileInfo::exists(manual)) {
        dialogs::warning(this, tr("Ошибка"), tr("Файл руководства не найден:\n%1").arg(shown));
        statusline::fail(tr("Файл руководства не найден: %1").arg(shown));
        return;
    }
    // Without a PDF viewer the desktop cannot open it: the operator can still
    // find the file.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
        dialogs::warning(this, tr("Ошибка"),
                         tr("Не удалось открыть руководство пользователя: нет программы для "
                            "просмотра PDF.\nРуководство находится здесь:\n%1")
                             .arg(shown));
        statusline::fail(tr("Руководство пользователя не открыто, файл: %1").arg(shown));
        return;
    }
    statusline::succeed(tr("Руководство пользователя открыто: %1").arg(shown));
}
