#pragma once

#include <QString>

// The program version, shown in the main window's title and in the about box.
extern const QString appVersion;

// Remembered between runs in the settings file "ini" next to the executable,
// one line each, in this order.
extern QString lastDirectory;         // configuration and archive file dialogs
extern QString lastFirmwareDirectory; // firmware file dialog
extern QString lastLoadedConfigFile;
extern QString lastSavedConfigFile;
extern QString currentLogFilePath; // current log file under the "/log" folder
extern QString lastExportFile;
extern QString lastFirmwareFile;
extern QString translationName; // "Qiro_Configuration_ru_RU." or "Qiro_Configuration_en_US."

// Full path of the settings file, known once readSettingsFile() has run.
extern QString settingsFilePath;

extern const QString russianTranslationName;
extern const QString englishTranslationName;

// Reads the settings file into the globals above (creating an empty file when
// there is none). False when the file cannot be opened; then nothing changes.
bool readSettingsFile();

// Writes the globals back: eight UTF-8 lines, each ended by "\r\n". A value
// that holds a line break is written as an empty line, so that it cannot push
// the following values onto the wrong lines.
void writeSettingsFile();
