#pragma once

// Helpers shared by the application-shell tests.

#include "command.h"
#include "connect_com_port.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

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
    QFile file(iniPath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline void removeIni()
{
    QFile::remove(iniPath());
}

// Answers the program's own modal dialogs (run with exec()) as they open:
// each step gets the next modal widget that appears and acts on it; `seen`
// records their class names in order.
class ModalDriver : public QObject
{
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalDriver(QVector<Step> steps) : steps(std::move(steps))
    {
        connect(&timer, &QTimer::timeout, this, [this] { poll(); });
        timer.start(10);
    }

    QStringList seen;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == handled)
            return;
        handled = modal;
        seen << QString::fromLatin1(modal->metaObject()->className());
        if (next < steps.size())
            steps[next++](modal);
        else
            modal->close();
    }

    QVector<Step> steps;
    int next = 0;
    QPointer<QWidget> handled;
    QTimer timer;
};

} // namespace apptest
