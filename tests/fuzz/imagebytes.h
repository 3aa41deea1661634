#pragma once

// Every byte of the parameter image and of the last log block, to prove that a
// refused input changed nothing.

#include "command.h"

#include <string>

inline std::string imageBytes(bool withLogBlock)
{
    std::string s;
    auto add = [&s](const void* p, size_t n) { s.append(static_cast<const char*>(p), n); };
    add(command.classicChannels, sizeof command.classicChannels);
    add(&command.classicDevice, sizeof command.classicDevice);
    add(&command.classicSpareWord, sizeof command.classicSpareWord);
    add(command.classicExtras, sizeof command.classicExtras);
    add(&command.classicLanguage, sizeof command.classicLanguage);
    add(command.classicSpare, sizeof command.classicSpare);
    add(command.extendedChannels, sizeof command.extendedChannels);
    add(&command.extendedDevice, sizeof command.extendedDevice);
    add(&command.extendedSpareWord, sizeof command.extendedSpareWord);
    add(&command.extendedLanguage, sizeof command.extendedLanguage);
    add(command.extendedSpare, sizeof command.extendedSpare);
    add(&command.firmwareVersion, sizeof command.firmwareVersion);
    add(&command.modelCode, sizeof command.modelCode);
    if (withLogBlock) {
        add(archiveBlock, sizeof archiveBlock);
        add(&archiveRangeFirst, sizeof archiveRangeFirst);
        add(&archiveRangeLast, sizeof archiveRangeLast);
    }
    return s;
}
