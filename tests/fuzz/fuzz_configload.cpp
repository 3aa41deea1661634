// The configuration loader against arbitrary files: a load that returns false
// leaves the image byte-identical.

#include "appsettings.h"
#include "command.h"
#include "configurationfile.h"
#include "dialogs.h"
#include "imagebytes.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>

namespace
{

const quint16 models[] = {ModelT2, ModelT2Classic, ModelT6, ModelT6M, ModelT6M4, ModelT8M};
QString path;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    path = QDir::tempPath() +
           QStringLiteral("/qiro_fuzz_config_%1.txt").arg(QCoreApplication::applicationPid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 20000)
        return 0;
    // The first byte picks the model and layout the file is loaded for.
    command.modelCode = models[(data[0] >> 1) % (sizeof models / sizeof models[0])];
    command.registerMap = (data[0] & 1) ? ExtendedMap : ClassicMap;
    command.channelCount = command.modelCode == ModelT8M ? 10 : 4;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    lastLoadedConfigFile = path;
    const std::string before = imageBytes(false);
    dialogs::Script script; // every message is answered, none waits
    if (!loadConfigurationFile() && imageBytes(false) != before)
        abort();
    command.progressDialog = nullptr;
    return 0;
}
