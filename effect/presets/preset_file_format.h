// Byte layouts of preset (".kyt") and bank (".kyb") files, with no effect instance involved:
// parsing checks everything before anything is used, so a refused file changes nothing.
//
//   preset: "VCKK" (or big-endian "KKCV"), '!', 24-byte name, 42 little-endian floats = 197 bytes
//   bank:   "VCKK", '7', then 31 records of a 24-byte name and 42 floats          = 5957 bytes
//   older:  149-byte presets and 4325-byte banks (30 records) with 30 values per record
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "effect/core/param_index.h"

struct PresetRecord {
    std::string name;  // at most 24 characters
    std::array<float, Param::PresetCount> values{};
    int valueCount = Param::PresetCount;  // 30 for the older layouts: later values not given
};

namespace preset_file {

inline constexpr std::size_t kNameField = 24;
inline constexpr std::size_t kPresetSize = 197;
inline constexpr std::size_t kOldPresetSize = 149;
inline constexpr std::size_t kBankSize = 5957;
inline constexpr std::size_t kOldBankSize = 4325;
inline constexpr int kBankRecords = 31;
inline constexpr int kOldBankRecords = 30;
inline constexpr int kOldValueCount = 30;

// The messages a user sees (caption "Error...").
inline constexpr const char* kInvalidFile = "Error #01: Invalid preset file!";
inline constexpr const char* kNotAPreset = "Error #02: Not a preset file!";
inline constexpr const char* kNotABank = "Not a bank file!";
inline constexpr const char* kDamagedPreset = "Error #03: Damaged preset file!";
inline constexpr const char* kDamagedBank = "Damaged bank file!";
inline constexpr const char* kErrorCaption = "Error...";

// Values that are not finite numbers read as 0; the rest as stored (slots clamp them).
std::optional<PresetRecord> parsePreset(const std::vector<std::uint8_t>& bytes, std::string* error);
std::optional<std::vector<PresetRecord>> parseBank(const std::vector<std::uint8_t>& bytes,
                                                   std::string* error);

std::vector<std::uint8_t> serializePreset(const PresetRecord& record);
// Exactly 31 records.
std::vector<std::uint8_t> serializeBank(const std::vector<PresetRecord>& records);

// Whole-file helpers. Reading stops a little past the largest layout, so the parser refuses a
// huge file without reading it whole; writing goes to a temporary file renamed over the target, so a
// failure never leaves a damaged file where a good one was.
std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::string* error);
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error);

}  // namespace preset_file
