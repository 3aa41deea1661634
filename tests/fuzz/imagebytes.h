#pragma once

// Every byte of the parameter image and of the last log block, to prove that a
// refused input changed nothing.

#include "command.h"
#include "imageparts.h"

#include <string>

inline std::string imageBytes(bool withLogBlock)
{
    std::string s;
    auto add = [&s](const void* p, size_t n) { s.append(static_cast<const char*>(p), n); };
    forEachImagePart(add);
    add(&command.firmwareVersion, sizeof command.firmwareVersion);
    add(&command.modelCode, sizeof command.modelCode);
    if (withLogBlock) {
        add(archiveBlock, sizeof archiveBlock);
        add(&archiveRangeFirst, sizeof archiveRangeFirst);
        add(&archiveRangeLast, sizeof archiveRangeLast);
    }
    return s;
}
