// The reply dispatcher against arbitrary replies with a good CRC. A reply that is
// refused (any result but ResultOk) changes nothing; a reply of another function
// than the one asked (nor its exception) is always refused.

#include "command.h"
#include "imagebytes.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

const quint8 requestFunctions[] = {3, 4, 12, 14, 15, 16, 20};
const quint16 models[] = {ModelT2,  ModelT2Classic, ModelT6,  ModelT6B,
                          ModelT6M, ModelT6M4,      ModelT8M, ModelNone};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Header: request function, model, layout, requested address (2), count (2).
    if (size < 7 || size > 7 + ReplyBufferSize - 2)
        return 0;
    const quint8 function = requestFunctions[data[0] % sizeof requestFunctions];
    command.modelCode = models[data[1] % (sizeof models / sizeof models[0])];
    command.registerMap = (data[2] & 1) ? ExtendedMap : ClassicMap;
    const quint16 requested = quint16((data[3] << 8) | data[4]);
    const quint16 count = quint16((data[5] << 8) | data[6]);

    std::vector<quint8> reply(data + 7, data + size);
    reply.resize(reply.size() + 2);
    crc16(reply.data(), int(reply.size() - 2));

    const std::string before = imageBytes(true);
    const TransactionResult result =
        command.dispatchReply(reply.data(), int(reply.size()), requested, count, function);
    if (result != ResultOk && imageBytes(true) != before)
        abort(); // a refused reply changed the image
    if (reply.size() >= 2 && !replyAnswers(function, reply[1]) && result != ResultMismatch)
        abort(); // a reply of another function was not refused
    return 0;
}
