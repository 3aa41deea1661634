#include "configurationfile.h"

#include "appsettings.h"
#include "command.h"
#include "dialogs.h"
#include "hexlines.h"
#include "modeltraits.h"
#include "operatorfile.h"
#include "progress.h"

#include <QBuffer>
#include <QSaveFile>

#include <cstring>

namespace
{

constexpr int BytesPerLine = 20;
constexpr int MaxContent = 112 + 10 * 420;

// Device-flag bits that belong to a configuration: the others describe the
// device's state (alarm, bump test running, ...) and are never carried over.
constexpr quint16 ClassicFlagsKept = 0xEC8C;
constexpr quint32 ExtendedFlagsKept = 0xEE8C;
constexpr quint32 StatusKept = 3;

int contentSize(int bytes)
{
    return 2 * bytes + 2 * ((bytes + BytesPerLine - 1) / BytesPerLine);
}

quint16 channels()
{
    return command.channelSlotsInUse();
}

// The file content of the active layout, built from a copy of the image.
QByteArray buildContent()
{
    QByteArray out;
    auto append = [&out](const void* p, size_t n) {
        out.append(reinterpret_cast<const char*>(p), int(n));
    };
    if (command.registerMap == ClassicMap) {
        ClassicDeviceBlock device = command.classicDevice;
        device.deviceFlags &= ClassicFlagsKept;
        device.deviceStatus &= StatusKept;
        append(&device, sizeof device);
        append(&command.classicSpareWord, 4);
        append(&command.classicLanguage, 4);
        for (quint16 i = 0; i < channels(); ++i) {
            ClassicChannelRecord r = command.classicChannels[i];
            r.channelStatus = 0;
            r.measuredValue = r.auxMeasuredValue1 = r.auxMeasuredValue2 = 0;
            append(&r, sizeof r);
            if (traitsOf(command.modelCode).classicZeroTables)
                append(&command.classicExtras[i], sizeof(ClassicZeroTable));
        }
    } else if (command.registerMap == ExtendedMap) {
        ExtendedDeviceBlock device = command.extendedDevice;
        device.deviceFlags &= ExtendedFlagsKept;
        device.deviceStatus &= StatusKept;
        append(&device, sizeof device);
        append(&command.extendedSpareWord, 4);
        append(&command.extendedLanguage, 4);
        for (quint16 i = 0; i < channels(); ++i) {
            ExtendedChannelRecord r = command.extendedChannels[i];
            r.channelStatus = 0;
            r.measuredValue = r.auxMeasuredValue1 = r.auxMeasuredValue2 = 0;
            append(&r, sizeof r);
        }
    }
    return out;
}

// Every line but the last holds exactly 40 hexadecimal digits, the last at
// most 40 and an even number, and each ends in "\r\n". A file of the right
// size with a damaged digit would otherwise load shifted bytes silently.
bool wellFormed(const QByteArray& text)
{
    if (!text.endsWith("\r\n"))
        return false;
    const QList<QByteArray> lines = text.left(text.size() - 2).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (i + 1 < lines.size()) {
            if (!line.endsWith('\r'))
                return false;
            line.chop(1);
        }
        const bool last = i + 1 == lines.size();
        if (line.isEmpty() || line.size() % 2 != 0 || line.size() > 2 * BytesPerLine ||
            (!last && line.size() != 2 * BytesPerLine))
            return false;
        for (char c : line)
            if (!isxdigit(static_cast<unsigned char>(c)))
                return false;
    }
    return true;
}

// Decodes the file's lines into `buffer` under the progress dialog; false when the
// operator cancelled.
bool readContent(const QByteArray& text, int expected, quint8* buffer, quint64 capacity,
                 quint64& count, bool& overflow)
{
    QBuffer source;
    source.setData(text);
    source.open(QIODevice::ReadOnly);
    ProgressSession progress;
    qint64 position = 0;
    do {
        const int percent = int(100.0 / expected * double(position));
        if (!progress.step(percent))
            return false;
        position = readHexLine(source, buffer, count, capacity, position, &overflow);
        if (percent != 0)
            progress.setLabelText(QObject::tr("Выполнение процесса,\nосталось %1 секунд")
                                      .arg(progressSecondsLeft(progress.elapsedMs(), percent, 100,
                                                               PaceForm::ElapsedFirst)));
    } while (position != 0);
    return !progress.cancelled();
}

} // namespace

int expectedConfigurationFileSize()
{
    const quint16 m = command.modelCode;
    if (command.registerMap == ClassicMap) {
        switch (m) {
        case ModelT2:
        case ModelT2Classic:
            return 672;
        case ModelT6:
        case ModelT6B:
        case ModelT6Mini:
            return 2134;
        case ModelT6M:
            return 3612;
        case ModelT6M4:
            return 2470;
        case ModelBootloader:
            return 3108;
        default:
            return 0;
        }
    }
    if (command.registerMap == ExtendedMap) {
        switch (m) {
        case ModelT6:
        case ModelT6B:
        case ModelT6Mini:
        case ModelT6M4:
            return 3764;
        case ModelT6M:
            return 5528;
        default:
            return 0;
        }
    }
    return 0;
}

bool saveConfigurationFile()
{
    const QByteArray content = buildContent();
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    writeHexLines(text, reinterpret_cast<const quint8*>(content.constData()), BytesPerLine,
                  quint64(content.size()));
    // Written aside and put in place at the end: a failed write never leaves a
    // half-written configuration where a good one was.
    QSaveFile file(lastSavedConfigFile);
    if (!writableOperatorFileName(lastSavedConfigFile) || !file.open(QIODevice::WriteOnly)) {
        dialogs::critical(nullptr, QObject::tr("Ошибка"), QObject::tr("Ошибка открытия файла"));
        return false;
    }
    // Opened but not written (a full disk): another reason than an open that failed.
    // The buffered bytes go out in an explicit flush: commit() flushes on its own but
    // does not heed a flush that fails, and would put a cut file in place.
    const qint64 size = text.data().size();
    if (file.write(text.data()) != size || !file.flush() || file.size() != size || !file.commit()) {
        dialogs::critical(nullptr, QObject::tr("Ошибка"), QObject::tr("Ошибка записи файла"));
        return false;
    }
    return true;
}

bool loadConfigurationFile()
{
    // A file larger than the model's is refused by its size before it is read.
    const int expected = expectedConfigurationFileSize();
    QByteArray text;
    const FileCheck read = readOperatorFile(lastLoadedConfigFile, expected, &text);
    if (read != FileCheck::Ok && read != FileCheck::TooLarge) {
        dialogs::critical(nullptr, QObject::tr("Ошибка"), QObject::tr("Ошибка открытия файла"));
        return false;
    }
    if (expected == 0 || read == FileCheck::TooLarge || text.size() != expected) {
        dialogs::critical(nullptr, QObject::tr("Ошибка"),
                          QObject::tr("Ошибка размера файла конфигурации"));
        return false;
    }
    // The content the current model's file carries, in bytes.
    const int headerBytes = command.registerMap == ClassicMap ? 88 : 112;
    const int recordBytes = command.registerMap == ClassicMap
                                ? (traitsOf(command.modelCode).classicZeroTables ? 272 : 232)
                                : 420;
    // The bootloader's file always carries six channel records.
    const int records = command.modelCode == ModelBootloader ? 6 : channels();
    const int bytes = headerBytes + records * recordBytes;
    if (!wellFormed(text) || contentSize(bytes) != expected) {
        dialogs::critical(nullptr, QObject::tr("Ошибка"),
                          QObject::tr("Файл конфигурации повреждён"));
        return false;
    }

    static quint8 buffer[MaxContent];
    quint64 count = 0;
    bool overflow = false;
    if (!readContent(text, expected, buffer, sizeof buffer, count, overflow))
        return false; // cancelled: the image stays as it was, nothing half-loaded reaches the
                      // device
    if (overflow || count != quint64(bytes)) {
        dialogs::critical(nullptr, QObject::tr("Ошибка"),
                          QObject::tr("Файл конфигурации повреждён"));
        return false;
    }

    const quint8* p = buffer;
    auto take = [&p](void* target, size_t n) {
        memcpy(target, p, n);
        p += n;
    };
    if (command.registerMap == ClassicMap) {
        const quint32 start = command.classicDevice.archiveStartAddress;
        const quint32 current = command.classicDevice.archiveCurrentAddress;
        take(&command.classicDevice, sizeof command.classicDevice);
        take(&command.classicSpareWord, 4);
        take(&command.classicLanguage, 4);
        for (int i = 0; i < records && i < ChannelSlots; ++i) {
            take(&command.classicChannels[i], sizeof(ClassicChannelRecord));
            if (traitsOf(command.modelCode).classicZeroTables)
                take(&command.classicExtras[i], sizeof(ClassicZeroTable));
        }
        command.classicDevice.deviceFlags |= DeviceFlagBits::ConfigLoaded;
        command.classicDevice.archiveStartAddress = start;
        command.classicDevice.archiveCurrentAddress = current;
    } else {
        const quint32 start = command.extendedDevice.archiveStartAddress;
        const quint32 current = command.extendedDevice.archiveCurrentAddress;
        take(&command.extendedDevice, sizeof command.extendedDevice);
        take(&command.extendedSpareWord, 4);
        take(&command.extendedLanguage, 4);
        for (int i = 0; i < records && i < ChannelSlots; ++i)
            take(&command.extendedChannels[i], sizeof(ExtendedChannelRecord));
        command.extendedDevice.deviceFlags |= DeviceFlagBits::ConfigLoaded;
        command.extendedDevice.archiveStartAddress = start;
        command.extendedDevice.archiveCurrentAddress = current;
    }
    return true;
}
