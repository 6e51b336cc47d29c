// Preset and bank files through the preset store: exact bytes, old layouts, refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "effect/core/calorvane.h"
#include "effect/presets/preset_file_format.h"
#include "platform/message_box.h"
#include "tests/support/temp_settings.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

int automateCalls = 0;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterAutomate) ++automateCalls;
    return opcode == audioMasterVersion ? 2400 : 0;
}

class RecordingSink : public platform::MessageSink {
public:
    void showError(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + " " + text);
    }
    std::vector<std::string> messages;
};

Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void appendFloat(Bytes& out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void appendName(Bytes& out, const char* name) {
    for (std::size_t i = 0; i < 24; ++i) out.push_back(i < std::strlen(name) ? static_cast<std::uint8_t>(name[i]) : 0);
}

// The bytes of a bank built by hand from the factory table: the oracle for saveBank.
Bytes factoryBankBytes() {
    Bytes bytes{'V', 'C', 'K', 'K', '7'};
    for (int slot = 0; slot < kPresetSlotCount; ++slot) {
        appendName(bytes, factoryPresetName(slot));
        for (float value : factoryPresetValues(slot)) appendFloat(bytes, value);
    }
    return bytes;
}

class PresetFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = platform::setMessageSink(&sink);
        folder = settings.path() / "files";
        fs::create_directories(folder);
    }
    void TearDown() override { platform::setMessageSink(previous); }
    std::string file(const char* name) const { return (folder / name).string(); }
    std::vector<float> slotValues(int slot) {
        std::vector<float> values;
        for (int k = 0; k < Param::PresetCount; ++k) values.push_back(effect.preset(slot)->getParameter(k));
        return values;
    }

    TempSettings settings;
    RecordingSink sink;
    platform::MessageSink* previous = nullptr;
    fs::path folder;
    Calorvane effect{quietHost};
};

TEST_F(PresetFilesTest, BankAfterConstructionIsTheFactoryTableByteForByte) {
    effect.saveBank(file("factory.kyb"));
    const Bytes bytes = readBytes(file("factory.kyb"));
    EXPECT_EQ(bytes.size(), 5957u);
    EXPECT_EQ(bytes, factoryBankBytes());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PresetFilesTest, PresetRoundTripWithAFullLengthName) {
    effect.selectPreset(7);
    effect.setPresetName("ABCDEFGHIJKLMNOPQRSTUVWX");  // 24 characters: no terminating zero
    effect.setParameter(Param::Drive, 0.77f);
    effect.savePreset(file("p.kyt"));
    const Bytes bytes = readBytes(file("p.kyt"));
    ASSERT_EQ(bytes.size(), 197u);
    EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 29), "ABCDEFGHIJKLMNOPQRSTUVWX");
    const auto saved = slotValues(7);

    Calorvane other(quietHost);
    other.selectPreset(3);
    automateCalls = 0;
    other.loadPreset(file("p.kyt"));
    EXPECT_EQ(automateCalls, 2 * Param::PresetCount) << "every parameter is reported to the host";
    char name[32];
    other.getProgramName(name);
    EXPECT_STREQ(name, "ABCDEFGHIJKLMNOPQRSTUVW") << "the host sees 23 characters";
    EXPECT_STREQ(other.preset(3)->name(), "ABCDEFGHIJKLMNOPQRSTUVWX");
    for (int k = 0; k < Param::PresetCount; ++k) EXPECT_EQ(other.preset(3)->getParameter(k), saved[static_cast<std::size_t>(k)]) << k;
    EXPECT_FLOAT_EQ(other.getParameter(Param::Drive), 0.77f) << "the loaded preset is live";
}

// Records what a preset menu would be told.
class NameWatchingEffect : public Calorvane {
public:
    NameWatchingEffect() : Calorvane(quietHost) {}
    std::vector<std::string> slotNames;
    std::string shownName;

protected:
    void presetSlotRenamed(int slot, const char* name) override {
        EXPECT_EQ(slot, static_cast<int>(slotNames.size()));
        slotNames.emplace_back(name);
    }
    void presetNameChanged(const char* name) override { shownName = name; }
};

TEST_F(PresetFilesTest, BankRoundTripAndProgramName) {
    effect.preset(0)->setName("First record");
    effect.preset(12)->setParameter(Param::Knee, 0.9f);
    effect.saveBank(file("b.kyb"));
    NameWatchingEffect other;
    other.selectPreset(8);
    other.loadBank(file("b.kyb"));
    char name[32];
    other.getProgramName(name);
    EXPECT_STREQ(name, "First record");
    EXPECT_EQ(other.getPresetIndex(), 0);
    EXPECT_EQ(other.shownName, "First record");
    ASSERT_EQ(other.slotNames.size(), 31u);
    EXPECT_EQ(other.slotNames[30], "Track Tape Fast");
    EXPECT_FLOAT_EQ(other.preset(12)->getParameter(Param::Knee), 0.9f);
    for (int slot = 1; slot < kPresetSlotCount; ++slot) {
        for (int k = 0; k < Param::PresetCount; ++k)
            EXPECT_EQ(other.preset(slot)->getParameter(k), effect.preset(slot)->getParameter(k)) << slot;
        EXPECT_STREQ(other.preset(slot)->name(), effect.preset(slot)->name());
    }
}

class RecordingEditor : public CalorvaneEditorLink {
public:
    void setParameter(int, float) override {}
    void showPresetName(const char* name) override { shownNames.emplace_back(name); }
    void showLatency() override {}
    void resetMeters() override {}
    std::vector<std::string> shownNames;
};

TEST_F(PresetFilesTest, AnOpenEditorShowsTheLoadedName) {
    effect.selectPreset(11);
    effect.setPresetName("Tape for the editor");
    effect.savePreset(file("p.kyt"));
    effect.saveBank(file("b.kyb"));
    Calorvane other(quietHost);
    RecordingEditor editor;
    other.setEditorLink(&editor);
    other.loadPreset(file("p.kyt"));
    other.selectPreset(2);
    other.loadBank(file("b.kyb"));
    EXPECT_EQ(editor.shownNames, (std::vector<std::string>{"Tape for the editor", "Tape for the editor"}))
        << "the loaded preset's name, then slot 0 of the bank (a copy of the selected slot 11)";
    other.setEditorLink(nullptr);
}

TEST_F(PresetFilesTest, BigEndianMagicIsAccepted) {
    effect.savePreset(file("p.kyt"));
    Bytes bytes = readBytes(file("p.kyt"));
    std::memcpy(bytes.data(), "KKCV", 4);
    bytes[29 + 4 * Param::Drive + 3] = 0x3e;  // Drive 0.5 becomes 0.125
    writeBytes(file("swapped.kyt"), bytes);
    effect.loadPreset(file("swapped.kyt"));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Drive), 0.125f);
}

TEST_F(PresetFilesTest, RefusedFilesShowTheirMessageAndChangeNothing) {
    effect.savePreset(file("p.kyt"));
    effect.saveBank(file("b.kyb"));
    Bytes wrongMagic = readBytes(file("p.kyt"));
    wrongMagic[0] = 'X';
    writeBytes(file("magic.kyt"), wrongMagic);
    Bytes truncated = readBytes(file("p.kyt"));
    truncated.resize(150);
    writeBytes(file("short.kyt"), truncated);
    Bytes oversized = readBytes(file("b.kyb"));
    oversized.push_back(0);
    writeBytes(file("long.kyb"), oversized);
    writeBytes(file("tiny"), Bytes{'V', 'C'});
    fs::create_directories(folder / "folder.kyb");

    struct Case {
        bool bank;
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {false, "b.kyb", "Error... Error #02: Not a preset file!"},
        {true, "p.kyt", "Error... Not a bank file!"},
        {false, "magic.kyt", "Error... Error #01: Invalid preset file!"},
        {true, "magic.kyt", "Error... Error #01: Invalid preset file!"},
        {false, "short.kyt", "Error... Error #03: Damaged preset file!"},
        {true, "long.kyb", "Error... Damaged bank file!"},
        {false, "tiny", "Error... Error #01: Invalid preset file!"},
        {true, "folder.kyb", "Error... Error #05: Could not read the file!"},
    };
    effect.selectPreset(4);
    effect.setParameter(Param::Drive, 0.31f);
    for (const Case& c : cases) {
        std::vector<std::vector<float>> before;
        for (int slot = 0; slot < kPresetSlotCount; ++slot) before.push_back(slotValues(slot));
        sink.messages.clear();
        if (c.bank)
            effect.loadBank(file(c.name));
        else
            effect.loadPreset(file(c.name));
        ASSERT_EQ(sink.messages.size(), 1u) << c.name;
        EXPECT_EQ(sink.messages[0], c.message);
        for (int slot = 0; slot < kPresetSlotCount; ++slot) EXPECT_EQ(slotValues(slot), before[static_cast<std::size_t>(slot)]);
        EXPECT_FLOAT_EQ(effect.getParameter(Param::Drive), 0.31f);
        EXPECT_EQ(effect.getPresetIndex(), 4);
    }
    sink.messages.clear();
    effect.loadPreset(file("does-not-exist.kyt"));
    EXPECT_TRUE(sink.messages.empty()) << "a file that cannot be opened is passed over";
}

TEST_F(PresetFilesTest, OldLayoutsSetOnlyTheirValues) {
    Bytes old{'V', 'C', 'K', 'K', '!'};
    appendName(old, "Old one");
    for (int k = 0; k < 30; ++k) appendFloat(old, 0.25f);
    ASSERT_EQ(old.size(), 149u);
    writeBytes(file("old.kyt"), old);
    effect.selectPreset(6);
    effect.preset(6)->setParameter(30, 0.75f);
    effect.loadPreset(file("old.kyt"));
    EXPECT_FLOAT_EQ(effect.preset(6)->getParameter(29), 0.25f);
    EXPECT_FLOAT_EQ(effect.preset(6)->getParameter(30), 0.75f) << "value 30 keeps what it held";

    Bytes oldBank{'V', 'C', 'K', 'K', '7'};
    for (int r = 0; r < 30; ++r) {
        appendName(oldBank, "Old bank");
        for (int k = 0; k < 30; ++k) appendFloat(oldBank, 0.125f);
    }
    ASSERT_EQ(oldBank.size(), 4325u);
    writeBytes(file("old.kyb"), oldBank);
    const std::vector<float> slot30 = slotValues(30);
    effect.loadBank(file("old.kyb"));
    // Slot 30 keeps what it held, but for the global values that applying slot 0 spreads.
    for (int k = 0; k < Param::PresetCount; ++k) {
        const bool global = std::find(std::begin(Param::Global), std::end(Param::Global), k) != std::end(Param::Global);
        if (!global) {
            EXPECT_EQ(effect.preset(30)->getParameter(k), slot30[static_cast<std::size_t>(k)]) << k;
        }
    }
    EXPECT_FLOAT_EQ(effect.preset(5)->getParameter(20), 0.125f);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PresetFilesTest, NonFiniteValuesLoadAsZero) {
    effect.savePreset(file("p.kyt"));
    Bytes bytes = readBytes(file("p.kyt"));
    const float nan = std::nanf("");
    const auto bits = std::bit_cast<std::uint32_t>(nan);
    for (int shift = 0; shift < 32; shift += 8)
        bytes[static_cast<std::size_t>(29 + 4 * Param::Mix + shift / 8)] = static_cast<std::uint8_t>(bits >> shift);
    writeBytes(file("nan.kyt"), bytes);
    effect.loadPreset(file("nan.kyt"));
    EXPECT_EQ(effect.getParameter(Param::Mix), 0.0f);
    EXPECT_TRUE(std::isfinite(effect.processingValues().mixAmount));
}

TEST_F(PresetFilesTest, SavingIntoAnUnwritablePlaceReportsIt) {
    effect.savePreset((folder / "missing-folder" / "p.kyt").string());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Error... Error #04: Could not save the file!");
}

// Mutated files never crash either loader and never put a non-finite value into the store.
TEST_F(PresetFilesTest, MutatedFilesAreHandledSafely) {
    effect.savePreset(file("p.kyt"));
    effect.saveBank(file("b.kyb"));
    const Bytes seeds[] = {readBytes(file("p.kyt")), readBytes(file("b.kyb"))};
    std::mt19937 random(1234);
    for (int round = 0; round < 400; ++round) {
        Bytes bytes = seeds[round % 2];
        switch (random() % 4) {
            case 0: bytes.resize(random() % (bytes.size() + 1)); break;
            case 1: bytes.insert(bytes.end(), random() % 64, static_cast<std::uint8_t>(random())); break;
            default:
                for (int flips = 0; flips < 8; ++flips) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        writeBytes(file("m"), bytes);
        if (random() % 2)
            effect.loadBank(file("m"));
        else
            effect.loadPreset(file("m"));
        for (int slot = 0; slot < kPresetSlotCount; ++slot)
            for (float value : slotValues(slot)) ASSERT_TRUE(std::isfinite(value) && value >= 0 && value <= 1);
    }
}

}  // namespace
