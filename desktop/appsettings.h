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
// there is none). False when there is something under the name that cannot be
// read as a settings file (unreadable, not a plain file, far too big); then
// nothing changes and the file is never written.
bool readSettingsFile();

// Writes back the values the session changed, each on its own line as UTF-8,
// ended as the file's lines are ("\r\n" in a new file); every other line
// keeps its bytes, and with no change the file is not touched. A value that
// holds a line break is not stored, so that it cannot push the following
// values onto the wrong lines.
void writeSettingsFile();
