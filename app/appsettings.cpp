#include "appsettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

const QString appVersion = QStringLiteral("1.18");

QString lastDirectory;
QString lastFirmwareDirectory;
QString lastLoadedConfigFile;
QString lastSavedConfigFile;
QString currentLogFilePath;
QString lastExportFile;
QString lastFirmwareFile;
QString translationName;

QString settingsFilePath;

const QString russianTranslationName = QStringLiteral("Qiro_Configuration_ru_RU.");
const QString englishTranslationName = QStringLiteral("Qiro_Configuration_en_US.");

namespace
{

constexpr int SettingsLines = 8;

QString* settingsLine(int index)
{
    static QString* const lines[SettingsLines] = {
        &lastDirectory,      &lastFirmwareDirectory, &lastLoadedConfigFile, &lastSavedConfigFile,
        &currentLogFilePath, &lastExportFile,        &lastFirmwareFile,     &translationName,
    };
    return lines[index];
}

QByteArray encodeLine(const QString& value)
{
    if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
        return QByteArray();
    return value.toUtf8();
}

} // namespace

bool readSettingsFile()
{
    settingsFilePath = QCoreApplication::applicationDirPath() + QStringLiteral("/ini");
    QFile file(settingsFilePath);
    // ReadWrite creates the file on the first run.
    if (!file.open(QIODevice::ReadWrite))
        return false;
    for (int i = 0; i < SettingsLines; ++i) {
        QByteArray line = file.readLine();
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        *settingsLine(i) = QString::fromUtf8(line).trimmed();
    }
    file.close();
    if (lastDirectory.isEmpty())
        lastDirectory = QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0);
    return true;
}

void writeSettingsFile()
{
    // Written aside and put in place at the end, so that a failed write keeps
    // the previous settings instead of leaving a cut file.
    QSaveFile file(settingsFilePath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QByteArray bytes;
    for (int i = 0; i < SettingsLines; ++i) {
        bytes += encodeLine(*settingsLine(i));
        bytes += "\r\n";
    }
    if (file.write(bytes) == bytes.size())
        file.commit();
}
