#include "appsettings.h"

#include "operatorfile.h"

#include <QByteArrayList>
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

// The longest path Windows allows (32767 UTF-16 units, up to three UTF-8 bytes
// each) and some room: a longer line holds no folder or file name.
constexpr int MaxLineBytes = 100 * 1024;

// Eight lines of that length and room for whatever follows them. A bigger file
// is no settings file of ours; it is neither read nor replaced.
constexpr qint64 MaxFileBytes = 1024 * 1024;

QString* settingsLine(int index)
{
    static QString* const lines[SettingsLines] = {
        &lastDirectory,      &lastFirmwareDirectory, &lastLoadedConfigFile, &lastSavedConfigFile,
        &currentLogFilePath, &lastExportFile,        &lastFirmwareFile,     &translationName,
    };
    return lines[index];
}

// What the session started from: the rewrite at exit touches only the lines
// whose value differs from these.
bool settingsRead = false;
QString valuesAtStart[SettingsLines];
QByteArray bytesAtStart;

enum class FileState { Missing, Read, Unusable };

// Reads the file as it stands. A pipe, a device, a folder or a dangling link
// under the name (or a link to one of these) is never opened: reading one
// blocks the start or never ends.
FileState readSettingsBytes(const QString& path, QByteArray* bytes)
{
    switch (readOperatorFile(path, MaxFileBytes, bytes)) {
    case FileCheck::Ok:
        return FileState::Read;
    case FileCheck::Missing:
        return FileState::Missing;
    default:
        return FileState::Unusable;
    }
}

// The first eight lines of the file, each as its content and its own line end,
// and the bytes after the eighth, so that the file can be put together again
// byte for byte.
struct SettingsText {
    QByteArrayList contents;
    QByteArrayList ends; // empty for a last line without an end
    QByteArray rest;
    QByteArray newLineEnd = "\r\n"; // for lines the file does not have yet

    QByteArray join() const
    {
        QByteArray bytes;
        for (int i = 0; i < contents.size(); ++i)
            bytes += contents.at(i) + ends.at(i);
        return bytes + rest;
    }
};

SettingsText splitLines(const QByteArray& bytes)
{
    // Lines end at LF; a CR before it belongs to the line end. A file with CRs
    // and no LF at all was saved with CR-only line ends (old Mac editors), and
    // its lines end at each CR.
    const char separator = bytes.contains('\n') || !bytes.contains('\r') ? '\n' : '\r';
    SettingsText text;
    int pos = 0;
    while (text.contents.size() < SettingsLines && pos < bytes.size()) {
        const int found = bytes.indexOf(separator, pos);
        const int next = found < 0 ? bytes.size() : found + 1;
        int contentEnd = found < 0 ? bytes.size() : found;
        if (separator == '\n' && found > pos && bytes.at(found - 1) == '\r')
            --contentEnd;
        text.contents << bytes.mid(pos, contentEnd - pos);
        text.ends << bytes.mid(contentEnd, next - contentEnd);
        pos = next;
    }
    text.rest = bytes.mid(pos);
    for (const QByteArray& end : qAsConst(text.ends)) {
        if (!end.isEmpty()) {
            text.newLineEnd = end;
            break;
        }
    }
    return text;
}

QString lineValue(QByteArray content)
{
    const int nul = content.indexOf('\0');
    if (nul >= 0)
        content.truncate(nul);
    if (content.size() > MaxLineBytes)
        return QString();
    return QString::fromUtf8(content).trimmed();
}

// A value with a line break would push the values after it onto the wrong
// lines: it is not stored, and its line stays as the file has it.
bool storable(const QString& value)
{
    return !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'));
}

} // namespace

bool readSettingsFile()
{
    settingsFilePath = QCoreApplication::applicationDirPath() + QStringLiteral("/ini");
    settingsRead = false;
    QByteArray bytes;
    FileState state = readSettingsBytes(settingsFilePath, &bytes);
    if (state == FileState::Missing) {
        // The first run leaves an empty file behind.
        QFile file(settingsFilePath);
        if (openOperatorFile(file, QIODevice::ReadWrite) != FileCheck::Ok)
            return false;
        state = FileState::Read;
    }
    if (state != FileState::Read)
        return false;
    const SettingsText text = splitLines(bytes);
    for (int i = 0; i < SettingsLines; ++i) {
        valuesAtStart[i] = lineValue(text.contents.value(i));
        *settingsLine(i) = valuesAtStart[i];
    }
    bytesAtStart = bytes;
    settingsRead = true;
    if (lastDirectory.isEmpty())
        lastDirectory = QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0);
    return true;
}

void writeSettingsFile()
{
    // A file that could not be read is never written: it still holds what the
    // user had.
    if (!settingsRead)
        return;
    bool changed[SettingsLines] = {};
    int lastChanged = -1;
    for (int i = 0; i < SettingsLines; ++i) {
        const QString& value = *settingsLine(i);
        changed[i] = value != valuesAtStart[i] && storable(value);
        if (changed[i])
            lastChanged = i;
    }
    if (lastChanged < 0)
        return;

    // The other lines keep their bytes as the file holds them now (another
    // copy of the program may have written it since the start); a file
    // removed meanwhile comes back as it was.
    QByteArray bytes;
    switch (readSettingsBytes(settingsFilePath, &bytes)) {
    case FileState::Unusable:
        return;
    case FileState::Missing:
        bytes = bytesAtStart;
        break;
    case FileState::Read:
        break;
    }
    SettingsText text = splitLines(bytes);
    while (text.contents.size() <= lastChanged) {
        text.contents << QByteArray();
        text.ends << QByteArray();
    }
    for (int i = 0; i < text.contents.size(); ++i) {
        if (changed[i])
            text.contents[i] = settingsLine(i)->toUtf8();
        // Every line ends, except an untouched last line that never had an end.
        if (text.ends.at(i).isEmpty() && (changed[i] || i + 1 < text.contents.size()))
            text.ends[i] = text.newLineEnd;
    }

    // Written aside and put in place at the end, so that a failed write keeps
    // the previous settings instead of leaving a cut file. Behind a link the
    // link stays and its target is replaced.
    const QByteArray out = text.join();
    QSaveFile file(settingsFilePath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    // commit() does not heed a flush that fails (a full disk): flushed here first.
    if (file.write(out) == out.size() && file.flush() && file.size() == out.size())
        file.commit();
}
