#pragma once

// Helpers shared by the application-shell tests.

#include "command.h"
#include "connect_com_port.h"
#include "files.h"

#include <QCoreApplication>
#include <QFile>

namespace apptest
{

// The login, link and model state of a freshly started program.
inline void resetCommand()
{
    if (command.serialPort.isOpen())
        command.serialPort.close();
    command.connected = 0;
    command.portName.clear();
    command.modbusAddress = 255;
    command.userName.clear();
    command.password.clear();
    command.authorized = 0;
    command.secondPasswordAccepted = 0;
    command.modelCode = ModelNone;
    command.registerMap = ExtendedMap;
    command.channelCount = 1;
    command.channelOffMarker = 170;
    command.secondsPerTick = 0.9375;
    command.classicLanguage = 0;
    command.extendedLanguage = 0;
    extraPortNames.clear();
}

// The settings file next to the test executable, where the program keeps it.
inline QString iniPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ini");
}

inline void writeIni(const QByteArray& bytes)
{
    QFile file(iniPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

inline QByteArray readIni()
{
    return readAll(iniPath());
}

inline void removeIni()
{
    QFile::remove(iniPath());
}

} // namespace apptest
