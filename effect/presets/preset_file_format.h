// Byte layouts of preset (".kyt") and bank (".kyb") files, with no effect instance involved:
// parsing checks everything before anything is used, so a refused file changes nothing.
//
//   preset: "VCKK" (or big-endian "KKCV"), '!', 24-byte name, 42 little-endian floats = 197 bytes
//   bank:   "VCKK", '7', then 31 records of a 24-byte name and 42 floats          = 5957 bytes
//   older:  149-byte presets and 4325-byte banks (30 records) with 30 values per record
//   classic build: 48 values per record (221-byte presets, 6701-byte banks), -1 after index 41
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "effect/core/param_index.h"
#include "effect/core/variant.h"

struct PresetRecord {
    std::string name;  // at most 24 characters
    std::array<float, Param::PresetCount> values{};
    int valueCount = Param::PresetCount;  // 30 for the older layouts: later values not given
};

namespace preset_file {

inline constexpr std::size_t kNameField = 24;
inline constexpr std::size_t kHeaderSize = 5;  // magic and kind
inline constexpr int kBankRecords = 31;

// The record length of one build's files: one value per parameter it announces. Slots keep
// only the first 42; a build with more writes -1 for the others and ignores them when reading.
struct FileLayout {
    int valuesPerRecord;
    constexpr std::size_t recordSize() const { return kNameField + 4 * static_cast<std::size_t>(valuesPerRecord); }
    constexpr std::size_t presetSize() const { return kHeaderSize + recordSize(); }
    constexpr std::size_t bankSize() const { return kHeaderSize + kBankRecords * recordSize(); }
};
inline constexpr FileLayout kMainLayout{42};
inline constexpr FileLayout kClassicLayout{48};
// The layout this build writes, and reads its banks with.
inline constexpr FileLayout kLayout = kVariant.numParams == kClassicLayout.valuesPerRecord ? kClassicLayout : kMainLayout;

inline constexpr std::size_t kPresetSize = kMainLayout.presetSize();
inline constexpr std::size_t kOldPresetSize = 149;
// Any preset from kPresetSize up to the classic build's length reads as 42 values: each build
// has always read the other's presets with its own record length.
inline constexpr std::size_t kLargestPresetSize = kClassicLayout.presetSize();
inline constexpr std::size_t kBankSize = kMainLayout.bankSize();
inline constexpr std::size_t kOldBankSize = 4325;
inline constexpr int kOldBankRecords = 30;
inline constexpr int kOldValueCount = 30;
static_assert(kPresetSize == 197 && kLargestPresetSize == 221);
static_assert(kBankSize == 5957 && kClassicLayout.bankSize() == 6701);

// The messages a user sees (caption "Error...").
inline constexpr const char* kInvalidFile = "Error #01: Invalid preset file!";
inline constexpr const char* kNotAPreset = "Error #02: Not a preset file!";
inline constexpr const char* kNotABank = "Not a bank file!";
inline constexpr const char* kDamagedPreset = "Error #03: Damaged preset file!";
inline constexpr const char* kDamagedBank = "Damaged bank file!";
inline constexpr const char* kSaveFailed = "Error #04: Could not save the file!";
inline constexpr const char* kReadFailed = "Error #05: Could not read the file!";
inline constexpr const char* kErrorCaption = "Error...";

// Check magic, kind and length before reading anything; on refusal `error` gets the message a
// user sees. Values that are not finite numbers read as 0; the rest as stored (slots clamp them).
// Presets read alike in both builds; a bank is read with `layout` (a bank of the other build
// does not line up and is refused).
std::optional<PresetRecord> parsePreset(const std::vector<std::uint8_t>& bytes, std::string* error);
std::optional<std::vector<PresetRecord>> parseBank(const std::vector<std::uint8_t>& bytes,
                                                   std::string* error, const FileLayout& layout = kLayout);

std::vector<std::uint8_t> serializePreset(const PresetRecord& record, const FileLayout& layout = kLayout);
// Exactly 31 records.
std::vector<std::uint8_t> serializeBank(const std::vector<PresetRecord>& records,
                                        const FileLayout& layout = kLayout);

// Whole-file helpers. Reading stops a little past the largest layout, so the parser refuses a
// huge file without reading it whole; `error` starts with "cannot open" when the file could not
// be opened at all. Writing goes to a temporary file beside the target, renamed over it, so a
// failure never leaves a damaged file where a good one was.
std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::string* error);
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error);

}  // namespace preset_file
