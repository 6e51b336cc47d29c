// Where --preset and --bank find the values to render with: a factory preset by name (any case)
// or slot number, a preset file, or one slot of a bank file.
#pragma once

#include <optional>
#include <string>

#include "effect/presets/preset_file_format.h"

// `valueCount` of the result says how many of the values the source gives (older files: 30).
std::optional<PresetRecord> presetFromArgument(const std::string& argument, std::string* error);
std::optional<PresetRecord> presetFromBank(const std::string& bankPath, int slot, std::string* error);
