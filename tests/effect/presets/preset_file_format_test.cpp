// The byte layouts on their own: which lengths are read, how, and what a refusal says.
#include "effect/presets/preset_file_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

void putFloat(Bytes& bytes, std::size_t at, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// A file of `length` bytes with the given header, a name and value k = k / 100 in every slot
// of every record that fits.
Bytes fileOf(char kind, std::size_t length, std::size_t valuesPerRecord) {
    Bytes bytes(length, 0);
    const char header[] = {'V', 'C', 'K', 'K', kind};
    for (std::size_t i = 0; i < std::min<std::size_t>(5, length); ++i) bytes[i] = static_cast<std::uint8_t>(header[i]);
    const std::size_t recordSize = preset_file::kNameField + 4 * valuesPerRecord;
    for (std::size_t at = 5; at + recordSize <= length; at += recordSize) {
        std::memcpy(bytes.data() + at, "Rec", 3);
        for (std::size_t k = 0; k < valuesPerRecord; ++k)
            putFloat(bytes, at + preset_file::kNameField + 4 * k, static_cast<float>(k) / 100);
    }
    return bytes;
}

TEST(PresetFileFormat, PresetLengths) {
    struct Case {
        std::size_t length;
        std::size_t valuesPerRecord;  // as the file was written
        int valueCount;               // as read; 0 when refused
    };
    const Case cases[] = {
        {148, 30, 0},  {149, 30, 30}, {150, 30, 0},  {196, 42, 0},
        {197, 42, 42}, {198, 42, 42}, {221, 48, 42}, {222, 48, 0},
        {5957, 42, 0},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto record = preset_file::parsePreset(fileOf('!', c.length, c.valuesPerRecord), &error);
        if (c.valueCount == 0) {
            EXPECT_FALSE(record) << c.length;
            EXPECT_EQ(error, "Error #03: Damaged preset file!") << c.length;
            continue;
        }
        ASSERT_TRUE(record) << c.length << ": " << error;
        EXPECT_EQ(record->name, "Rec");
        EXPECT_EQ(record->valueCount, c.valueCount) << c.length;
        for (int k = 0; k < c.valueCount; ++k) EXPECT_EQ(record->values[static_cast<std::size_t>(k)], static_cast<float>(k) / 100);
    }
}

TEST(PresetFileFormat, BankLengths) {
    struct Case {
        std::size_t length;
        std::size_t valuesPerRecord;
        std::size_t records;  // 0 when refused
    };
    const Case cases[] = {
        {4324, 30, 0}, {4325, 30, 30}, {4326, 30, 0},
        {5956, 42, 0}, {5957, 42, 31}, {5958, 42, 0},
        {6701, 48, 0},  // the classic build's bank: its records do not line up with ours
        {197, 42, 0},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto bank = preset_file::parseBank(fileOf('7', c.length, c.valuesPerRecord), &error);
        if (c.records == 0) {
            EXPECT_FALSE(bank) << c.length;
            EXPECT_EQ(error, "Damaged bank file!") << c.length;
            continue;
        }
        ASSERT_TRUE(bank) << c.length << ": " << error;
        ASSERT_EQ(bank->size(), c.records);
        for (const PresetRecord& record : *bank) {
            EXPECT_EQ(record.name, "Rec");
            EXPECT_EQ(record.valueCount, static_cast<int>(c.valuesPerRecord));
            EXPECT_EQ(record.values[29], 0.29f);
        }
    }
}

// The classic build writes 48 values a record, -1 for the 6 its slots do not keep; each build
// reads the other's presets, but not its banks.
TEST(PresetFileFormat, TheClassicBuildsLayout) {
    PresetRecord record;
    record.name = "Classic";
    for (std::size_t k = 0; k < record.values.size(); ++k) record.values[k] = static_cast<float>(k) / 64;
    const Bytes preset = preset_file::serializePreset(record, preset_file::kClassicLayout);
    ASSERT_EQ(preset.size(), 221u);
    for (std::size_t at = 197; at < 221; at += 4)
        EXPECT_EQ(Bytes(preset.begin() + static_cast<long>(at), preset.begin() + static_cast<long>(at) + 4),
                  (Bytes{0x00, 0x00, 0x80, 0xbf}))
            << "-1 at " << at;
    EXPECT_EQ(Bytes(preset.begin(), preset.begin() + 197), preset_file::serializePreset(record, preset_file::kMainLayout));
    const auto read = preset_file::parsePreset(preset, nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->values, record.values);

    const std::vector<PresetRecord> records(31, record);
    const Bytes classicBank = preset_file::serializeBank(records, preset_file::kClassicLayout);
    ASSERT_EQ(classicBank.size(), 6701u);
    const auto bank = preset_file::parseBank(classicBank, nullptr, preset_file::kClassicLayout);
    ASSERT_TRUE(bank);
    EXPECT_EQ((*bank)[30].values, record.values);
    EXPECT_EQ((*bank)[30].valueCount, 42);
    std::string error;
    EXPECT_FALSE(preset_file::parseBank(classicBank, &error, preset_file::kMainLayout));
    EXPECT_EQ(error, "Damaged bank file!");
    EXPECT_FALSE(preset_file::parseBank(preset_file::serializeBank(records, preset_file::kMainLayout), &error,
                                        preset_file::kClassicLayout));
    EXPECT_EQ(error, "Damaged bank file!");
}

TEST(PresetFileFormat, MagicAndKind) {
    struct Case {
        const char* header;  // five bytes
        bool bank;
        const char* error;   // null when accepted
    };
    const Case cases[] = {
        {"VCKK!", false, nullptr},
        {"KKCV!", false, nullptr},
        {"VCKK7", true, nullptr},
        {"KKCV7", true, nullptr},
        {"VCKK7", false, "Error #02: Not a preset file!"},
        {"VCKK!", true, "Not a bank file!"},
        {"VCKV!", false, "Error #01: Invalid preset file!"},
        {"vckk7", true, "Error #01: Invalid preset file!"},
    };
    for (const Case& c : cases) {
        Bytes bytes = fileOf(c.header[4], c.bank ? preset_file::kBankSize : preset_file::kPresetSize, 42);
        std::memcpy(bytes.data(), c.header, 4);
        std::string error;
        const bool accepted = c.bank ? preset_file::parseBank(bytes, &error).has_value()
                                     : preset_file::parsePreset(bytes, &error).has_value();
        EXPECT_EQ(accepted, c.error == nullptr) << c.header;
        if (c.error != nullptr) {
            EXPECT_EQ(error, c.error) << c.header;
        }
    }
    // Too short for even a header: the magic cannot be there.
    std::string error;
    EXPECT_FALSE(preset_file::parsePreset(Bytes{'V', 'C', 'K', 'K'}, &error));
    EXPECT_EQ(error, "Error #02: Not a preset file!");
    EXPECT_FALSE(preset_file::parseBank(Bytes{}, &error));
    EXPECT_EQ(error, "Error #01: Invalid preset file!");
}

TEST(PresetFileFormat, NamesAndValuesSurviveARoundTrip) {
    PresetRecord record;
    record.name = "ABCDEFGHIJKLMNOPQRSTUVWX";  // 24 characters: the field holds no zero
    for (std::size_t k = 0; k < record.values.size(); ++k) record.values[k] = 1.0f / static_cast<float>(k + 3);
    const Bytes bytes = preset_file::serializePreset(record);
    ASSERT_EQ(bytes.size(), preset_file::kPresetSize);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 5), (Bytes{'V', 'C', 'K', 'K', '!'}));
    EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 29), record.name);
    EXPECT_EQ(Bytes(bytes.begin() + 29, bytes.begin() + 33), (Bytes{0xab, 0xaa, 0xaa, 0x3e})) << "1/3 little-endian";
    const auto back = preset_file::parsePreset(bytes, nullptr);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, record.name);
    EXPECT_EQ(back->values, record.values);

    // A shorter name ends at its zero; what follows the zero in the field is ignored.
    Bytes shortName = bytes;
    shortName[5 + 3] = 0;
    EXPECT_EQ(preset_file::parsePreset(shortName, nullptr)->name, "ABC");

    std::vector<PresetRecord> bank(preset_file::kBankRecords, record);
    bank[30].name = "Last";
    const Bytes bankBytes = preset_file::serializeBank(bank);
    ASSERT_EQ(bankBytes.size(), preset_file::kBankSize);
    const auto bankBack = preset_file::parseBank(bankBytes, nullptr);
    ASSERT_TRUE(bankBack);
    EXPECT_EQ((*bankBack)[30].name, "Last");
    EXPECT_EQ((*bankBack)[30].values, record.values);
    EXPECT_EQ(preset_file::serializeBank(*bankBack), bankBytes);
}

TEST(PresetFileFormat, NonFiniteValuesReadAsZero) {
    Bytes bytes = fileOf('!', preset_file::kPresetSize, 42);
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::signaling_NaN()};
    for (std::size_t i = 0; i < 4; ++i) putFloat(bytes, 29 + 4 * (10 + i), bad[i]);
    const auto record = preset_file::parsePreset(bytes, nullptr);
    ASSERT_TRUE(record);
    for (std::size_t k = 10; k < 14; ++k) EXPECT_EQ(record->values[k], 0.0f) << k;
    EXPECT_EQ(record->values[14], 0.14f) << "its neighbours are read as stored";
    EXPECT_EQ(record->values[9], 0.09f);
}

// A generated corpus of mutated files: every one is either read whole, with finite values, or
// refused with one of the user's messages. Also run by hand under AddressSanitizer.
TEST(PresetFileFormat, MutatedFilesAreReadWholeOrRefused) {
    const std::set<std::string> messages{preset_file::kInvalidFile, preset_file::kNotAPreset, preset_file::kNotABank,
                                         preset_file::kDamagedPreset, preset_file::kDamagedBank};
    const Bytes seeds[] = {fileOf('!', 197, 42), fileOf('!', 149, 30), fileOf('!', 221, 48),
                           fileOf('7', 5957, 42), fileOf('7', 4325, 30)};
    std::mt19937 random(20261211);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        Bytes bytes = seeds[random() % std::size(seeds)];
        switch (random() % 5) {
            case 0: bytes.resize(random() % (bytes.size() + 2)); break;
            case 1: bytes.insert(bytes.begin() + random() % bytes.size(), random() % 80, static_cast<std::uint8_t>(random())); break;
            case 2: bytes.erase(bytes.begin() + random() % bytes.size()); break;
            default:
                for (unsigned flips = 1 + random() % 16; flips > 0; --flips)
                    bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        // An exact-size copy: a read past the end must leave the allocation, where ASan sees it.
        const Bytes file(bytes.begin(), bytes.end());
        std::string error;
        const auto preset = preset_file::parsePreset(file, &error);
        if (preset) {
            ++accepted;
            EXPECT_LE(preset->name.size(), 24u);
            for (float value : preset->values) ASSERT_TRUE(std::isfinite(value));
        } else {
            ASSERT_TRUE(messages.count(error)) << error;
        }
        error.clear();
        const auto bank = preset_file::parseBank(file, &error);
        if (bank) {
            ++accepted;
            ASSERT_TRUE(bank->size() == 30 || bank->size() == 31);
            for (const PresetRecord& record : *bank)
                for (float value : record.values) ASSERT_TRUE(std::isfinite(value));
        } else {
            ASSERT_TRUE(messages.count(error)) << error;
        }
    }
    EXPECT_GT(accepted, 1000) << "the corpus also reaches the readers, not only the refusals";
}

}  // namespace
