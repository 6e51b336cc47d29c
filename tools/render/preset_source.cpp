#include "tools/render/preset_source.h"

#include <cctype>
#include <cstdlib>

#include "effect/presets/factory_presets.h"
#include "platform/files.h"

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool hasPresetExtension(const std::string& text) {
    return text.size() > 4 && lower(text.substr(text.size() - 4)) == ".kyt";
}

std::optional<PresetRecord> presetFromFile(const std::string& path, std::string* error) {
    const auto bytes = preset_file::readFile(path, error);
    if (!bytes) return std::nullopt;
    auto record = preset_file::parsePreset(*bytes, error);
    if (!record) *error = path + ": " + *error;
    return record;
}

PresetRecord factoryPreset(int slot) {
    PresetRecord record;
    record.name = factoryPresetName(slot);
    record.values = factoryPresetValues(slot);
    return record;
}

std::string factoryNames() {
    std::string names;
    for (int slot = 0; slot < kPresetSlotCount; ++slot)
        names += "\n  " + std::to_string(slot) + "  " + factoryPresetName(slot);
    return names;
}

}  // namespace

std::optional<PresetRecord> presetFromArgument(const std::string& argument, std::string* error) {
    // A file only when it says so or names no factory preset: a file called "Default" in the
    // current folder must not shadow the factory preset.
    if (hasPresetExtension(argument)) return presetFromFile(argument, error);
    char* end = nullptr;
    const long number = std::strtol(argument.c_str(), &end, 10);
    if (!argument.empty() && end != argument.c_str() && *end == 0) {
        if (number < 0 || number >= kPresetSlotCount) {
            *error = "preset numbers run from 0 to 30:" + factoryNames();
            return std::nullopt;
        }
        return factoryPreset(static_cast<int>(number));
    }
    for (int slot = 0; slot < kPresetSlotCount; ++slot)
        if (lower(factoryPresetName(slot)) == lower(argument)) return factoryPreset(slot);
    if (platform::fileExists(argument)) return presetFromFile(argument, error);
    *error = "no factory preset or .kyt file named \"" + argument + "\"; factory presets:" + factoryNames();
    return std::nullopt;
}

std::optional<PresetRecord> presetFromBank(const std::string& bankPath, int slot, std::string* error) {
    const auto bytes = preset_file::readFile(bankPath, error);
    if (!bytes) return std::nullopt;
    const auto records = preset_file::parseBank(*bytes, error);
    if (!records) {
        *error = bankPath + ": " + *error;
        return std::nullopt;
    }
    if (slot < 0 || slot >= static_cast<int>(records->size())) {
        *error = bankPath + " has slots 0 to " + std::to_string(records->size() - 1) + ", not " + std::to_string(slot);
        return std::nullopt;
    }
    return (*records)[static_cast<std::size_t>(slot)];
}
