#include "effect/presets/preset_file_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>

#include "platform/files.h"

namespace preset_file {
namespace {

constexpr std::uint8_t kPresetKind = '!';
constexpr std::uint8_t kBankKind = '7';
// Written for the values a slot does not keep.
constexpr float kUnusedValue = -1.0f;

bool hasMagic(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4) return false;
    const bool written = std::memcmp(bytes.data(), "VCKK", 4) == 0;
    const bool bigEndian = std::memcmp(bytes.data(), "KKCV", 4) == 0;
    return written || bigEndian;
}

float readFloat(const std::uint8_t* at) {
    const std::uint32_t bits = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                               static_cast<std::uint32_t>(at[2]) << 16 |
                               static_cast<std::uint32_t>(at[3]) << 24;
    const float value = std::bit_cast<float>(bits);
    return std::isfinite(value) ? value : 0.0f;
}

void writeFloat(std::vector<std::uint8_t>& out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

// Characters before the first zero, at most 24.
std::string readName(const std::uint8_t* at) {
    std::size_t length = 0;
    while (length < kNameField && at[length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(at), length);
}

void writeName(std::vector<std::uint8_t>& out, const std::string& name) {
    for (std::size_t i = 0; i < kNameField; ++i)
        out.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
}

PresetRecord readRecord(const std::uint8_t* at, int valueCount) {
    PresetRecord record;
    record.name = readName(at);
    record.valueCount = valueCount;
    for (int k = 0; k < valueCount; ++k)
        record.values[static_cast<std::size_t>(k)] = readFloat(at + kNameField + 4 * static_cast<std::size_t>(k));
    return record;
}

void writeRecord(std::vector<std::uint8_t>& out, const PresetRecord& record, const FileLayout& layout) {
    writeName(out, record.name);
    for (int k = 0; k < layout.valuesPerRecord; ++k)
        writeFloat(out, k < Param::PresetCount ? record.values[static_cast<std::size_t>(k)] : kUnusedValue);
}

bool fail(std::string* error, const char* message) {
    if (error != nullptr) *error = message;
    return false;
}

}  // namespace

std::optional<PresetRecord> parsePreset(const std::vector<std::uint8_t>& bytes, std::string* error) {
    if (!hasMagic(bytes)) return fail(error, kInvalidFile), std::nullopt;
    if (bytes.size() < kHeaderSize || bytes[4] != kPresetKind) return fail(error, kNotAPreset), std::nullopt;
    const bool old = bytes.size() == kOldPresetSize;
    if (!old && (bytes.size() < kPresetSize || bytes.size() > kLargestPresetSize))
        return fail(error, kDamagedPreset), std::nullopt;
    const int valueCount = old ? kOldValueCount : Param::PresetCount;
    return readRecord(bytes.data() + kHeaderSize, valueCount);
}

std::optional<std::vector<PresetRecord>> parseBank(const std::vector<std::uint8_t>& bytes,
                                                   std::string* error, const FileLayout& layout) {
    if (!hasMagic(bytes)) return fail(error, kInvalidFile), std::nullopt;
    if (bytes.size() < kHeaderSize || bytes[4] != kBankKind) return fail(error, kNotABank), std::nullopt;
    if (bytes.size() != layout.bankSize() && bytes.size() != kOldBankSize)
        return fail(error, kDamagedBank), std::nullopt;
    const bool old = bytes.size() == kOldBankSize;
    const int records = old ? kOldBankRecords : kBankRecords;
    const int valueCount = old ? kOldValueCount : std::min(layout.valuesPerRecord, Param::PresetCount);
    const std::size_t recordSize = old ? kNameField + 4 * kOldValueCount : layout.recordSize();
    std::vector<PresetRecord> bank;
    for (int r = 0; r < records; ++r)
        bank.push_back(readRecord(bytes.data() + kHeaderSize + recordSize * static_cast<std::size_t>(r), valueCount));
    return bank;
}

std::vector<std::uint8_t> serializePreset(const PresetRecord& record, const FileLayout& layout) {
    std::vector<std::uint8_t> out{'V', 'C', 'K', 'K', kPresetKind};
    writeRecord(out, record, layout);
    return out;
}

std::vector<std::uint8_t> serializeBank(const std::vector<PresetRecord>& records, const FileLayout& layout) {
    std::vector<std::uint8_t> out{'V', 'C', 'K', 'K', kBankKind};
    for (const PresetRecord& record : records) writeRecord(out, record, layout);
    return out;
}

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error != nullptr) *error = "cannot open " + path;
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    char buffer[4096];
    // One byte more than the largest layout is enough to refuse a file as too long.
    while (bytes.size() <= kBankSize && (in.read(buffer, sizeof buffer) || in.gcount() > 0))
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (in.bad()) {
        if (error != nullptr) *error = "cannot read " + path;
        return std::nullopt;
    }
    return bytes;
}

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string* error) {
    const std::string temporary = platform::temporaryNameBeside(path);
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        written = !out.fail();
    }
    if (written && platform::replaceFile(temporary, path)) return true;
    platform::removeFile(temporary);
    if (error != nullptr) *error = "cannot write " + path;
    return false;
}

}  // namespace preset_file
