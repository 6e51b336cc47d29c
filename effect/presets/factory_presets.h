// The 31 factory preset slots: slot 0 "Current" is the working copy, slot 1 "Default".
#pragma once

#include <array>

#include "effect/core/param_index.h"

inline constexpr int kPresetSlotCount = 31;
inline constexpr int kDefaultPresetSlot = 1;

// Name of slot `slot` (0..30) as the factory table gives it.
const char* factoryPresetName(int slot);
// The 42 normalized values of slot `slot` (0..30), rounded to float.
std::array<float, Param::PresetCount> factoryPresetValues(int slot);
