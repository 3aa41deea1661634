#pragma once

// The parts of the program's parameter image, for the tests and the fuzz targets
// that prove an input changed nothing. Plain C++ on top of command.h: the fuzz
// build has neither Qt Test nor the simulator.

#include "command.h"

#include <cstddef>

// Calls add(pointer, size) for every part of the parameter image, both layouts,
// always in the same order.
template <typename Add> void forEachImagePart(Add&& add)
{
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
}
