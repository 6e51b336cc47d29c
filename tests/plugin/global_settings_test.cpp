// The six installation-wide settings, read at construction and written when an instance closes.
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "platform/settings_store.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

constexpr const char* kKey = "SOFTWARE\\Kytheral\\Calorvane20";

platform::Bytes floatBytes(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

float storedValue(const char* name) {
    const auto bytes = platform::SettingsStore(kKey).readBinary(name);
    if (!bytes || bytes->size() != 4) return -1;
    return std::bit_cast<float>(static_cast<std::uint32_t>((*bytes)[0]) |
                                static_cast<std::uint32_t>((*bytes)[1]) << 8 |
                                static_cast<std::uint32_t>((*bytes)[2]) << 16 |
                                static_cast<std::uint32_t>((*bytes)[3]) << 24);
}

TEST(GlobalSettings, FirstUseReadsOneHalfAndClosingWritesAllSix) {
    TempSettings settings;
    {
        auto plugin = loadPlugin();
        ASSERT_NE(plugin, nullptr);
        for (int index : {43, 44, 45, 46, 48}) EXPECT_FLOAT_EQ(plugin->getParameter(index), 0.5f);
        EXPECT_NEAR(plugin->getParameter(47), 5.0f / 9, 1e-6) << "over count 6";
        EXPECT_EQ(plugin->parameterDisplay(47), "6");
        EXPECT_EQ(plugin->parameterDisplay(43), "300ms");
        EXPECT_EQ(plugin->parameterDisplay(44), "-12.0dBFS");
        EXPECT_EQ(plugin->parameterDisplay(48), " Linear ");
    }
    for (const char* name : {"vuintegration", "vureference", "ppmintegration", "ppmreturn", "knobmode"})
        EXPECT_FLOAT_EQ(storedValue(name), 0.5f) << name;
    EXPECT_NEAR(storedValue("overcounter"), 5.0f / 9, 1e-6);
}

TEST(GlobalSettings, TheInstanceClosedLastWins) {
    TempSettings settings;
    auto older = loadPlugin();
    {
        auto changing = loadPlugin();
        changing->setParameter(43, 0.8f);
    }
    EXPECT_FLOAT_EQ(storedValue("vuintegration"), 0.8f);
    {
        auto next = loadPlugin();
        EXPECT_FLOAT_EQ(next->getParameter(43), 0.8f) << "a new instance starts with the change";
    }
    EXPECT_FLOAT_EQ(older->getParameter(43), 0.5f) << "a running instance keeps its own copy";
    older.reset();
    EXPECT_FLOAT_EQ(storedValue("vuintegration"), 0.5f) << "the older instance overwrites it";
}

TEST(GlobalSettings, OverCounterIsQuantizedOnTheWayIn) {
    TempSettings settings;
    ASSERT_TRUE(platform::SettingsStore(kKey).writeBinary("overcounter", floatBytes(0.3f)));
    ASSERT_TRUE(platform::SettingsStore(kKey).writeBinary("knobmode", floatBytes(0.0f)));
    {
        auto plugin = loadPlugin();
        EXPECT_NEAR(plugin->getParameter(47), 3.0f / 9, 1e-6);
        EXPECT_EQ(plugin->parameterDisplay(47), "4");
        EXPECT_EQ(plugin->parameterDisplay(48), " Circular ");
    }
    EXPECT_NEAR(storedValue("overcounter"), 0.333333f, 1e-6);
    EXPECT_FLOAT_EQ(storedValue("knobmode"), 0.0f);
}

TEST(GlobalSettings, DamagedOrMissingValuesReadAsFirstUse) {
    TempSettings settings;
    const platform::SettingsStore store(kKey);
    ASSERT_TRUE(store.writeBinary("vuintegration", platform::Bytes{1, 2}));         // too short
    ASSERT_TRUE(store.writeBinary("vureference", floatBytes(std::nanf(""))));       // not a number
    ASSERT_TRUE(store.writeBinary("ppmintegration", floatBytes(7.0f)));             // out of range
    ASSERT_TRUE(store.writeString("ppmreturn", "0.9"));                             // wrong type
    ASSERT_TRUE(store.writeBinary("knobmode", platform::Bytes{0, 0, 0, 0, 0}));     // too long
    std::ofstream(store.file(), std::ios::app) << "overcounter=binary:zz\n\x01\x02 junk\n";
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    for (int index : {43, 44, 45, 46, 48}) EXPECT_FLOAT_EQ(plugin->getParameter(index), 0.5f) << index;
    EXPECT_NEAR(plugin->getParameter(47), 5.0f / 9, 1e-6);
}

TEST(GlobalSettings, AnUnwritableStoreNeverStopsTheEffect) {
    TempSettings settings;
    const auto blocker = settings.path() / "blocker";
    std::ofstream(blocker) << "x";
    ::setenv("CALORVANE_SETTINGS_DIR", (blocker / "sub").c_str(), 1);
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    plugin->setParameter(43, 0.9f);
    plugin.reset();  // the write fails silently
    EXPECT_TRUE(std::filesystem::is_regular_file(blocker));
    EXPECT_FALSE(std::filesystem::exists(blocker / "sub"));
}

}  // namespace
