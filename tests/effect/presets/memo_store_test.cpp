// The A and B memories in the settings store, shared by every instance.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <vector>

#include "effect/core/calorvane.h"
#include "platform/settings_store.h"
#include "tests/support/temp_settings.h"

namespace {

struct Automation {
    VstInt32 index;
    float value;
};
std::vector<Automation>* automations = nullptr;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    if (opcode == audioMasterAutomate && automations != nullptr) automations->push_back({index, opt});
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr const char* kMemoA = "SOFTWARE\\Kytheral\\Calorvane20\\MemoA";

class MemoTest : public ::testing::Test {
protected:
    void SetUp() override { automations = &reported; }
    void TearDown() override { automations = nullptr; }
    TempSettings settings;
    std::vector<Automation> reported;
};

TEST_F(MemoTest, StoreAndRecallAcrossInstances) {
    {
        Calorvane first(recordingHost);
        first.selectPreset(9);
        first.setParameter(Param::FineTune, 0.2f);
        first.setParameter(Param::Drive, 0.66f);
        first.setParameter(Param::Process, 0);
        first.storeMemoA();
    }
    const auto stored = platform::SettingsStore(kMemoA).readBinary("param 24");
    ASSERT_TRUE(stored.has_value());
    ASSERT_EQ(stored->size(), 4u);
    const float fineTune = std::bit_cast<float>(static_cast<std::uint32_t>((*stored)[0]) |
                                                static_cast<std::uint32_t>((*stored)[1]) << 8 |
                                                static_cast<std::uint32_t>((*stored)[2]) << 16 |
                                                static_cast<std::uint32_t>((*stored)[3]) << 24);
    EXPECT_NEAR(fineTune, 1.0f / 3, 1e-6) << "the quantized value is stored";
    EXPECT_EQ(platform::SettingsStore(kMemoA).readString("name"), "Mix Finalize 2");

    Calorvane second(recordingHost);
    second.selectPreset(3);
    reported.clear();
    second.recallMemoA();
    EXPECT_FLOAT_EQ(second.getParameter(Param::Drive), 0.66f);
    char name[32];
    second.getProgramName(name);
    EXPECT_STREQ(name, "Mix Finalize 2");
    EXPECT_STREQ(second.preset(3)->name(), "Mix Finalize 2");
    for (int slot = 0; slot < kPresetSlotCount; ++slot)
        EXPECT_EQ(second.preset(slot)->getParameter(Param::Process), 0.0f) << "global values reach every slot";
    ASSERT_EQ(reported.size(), 42u);
    EXPECT_NEAR(reported[Param::FineTune].value, 1.0f / 3, 1e-6);
}

TEST_F(MemoTest, RecallingANeverStoredMemoryChangesNothing) {
    Calorvane effect(recordingHost);
    effect.setParameter(Param::Drive, 0.4f);
    reported.clear();
    effect.recallMemoB();
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Drive), 0.4f);
    EXPECT_TRUE(reported.empty());
}

platform::Bytes floatBytes(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

TEST_F(MemoTest, AnIncompleteMemoryAppliesOnlyWhatItHolds) {
    const platform::SettingsStore store(kMemoA);
    ASSERT_TRUE(store.write({{"param  4", floatBytes(0.9f)},
                             {"param  5", platform::Bytes{1, 2}},
                             {"param  7", floatBytes(5.0f)},
                             {"param  8", floatBytes(std::nanf(""))}}));
    Calorvane effect(recordingHost);
    effect.setParameter(Param::Knee, 0.2f);
    reported.clear();
    effect.recallMemoA();
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Drive), 0.9f);
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Knee), 0.2f) << "a damaged value is not applied";
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Speed), 1.0f) << "a missing value never reuses another";
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Release), 1.0f) << "clamped";
    EXPECT_FLOAT_EQ(effect.getParameter(Param::HighAdjust), 0.5f) << "a NaN is not applied";
    ASSERT_EQ(reported.size(), 2u) << "only the usable values reach the host";
    EXPECT_EQ(reported[0].index, Param::Drive);
    EXPECT_EQ(reported[1].index, Param::Release);
    EXPECT_EQ(reported[1].value, 1.0f) << "the host hears the clamped value";
    char name[32];
    effect.getProgramName(name);
    EXPECT_STREQ(name, "Current") << "no name stored: the name stays";
}

TEST_F(MemoTest, TwoProcessesStoringAtOnceLeaveAReadableMemory) {
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            Calorvane effect(recordingHost);
            effect.setParameter(Param::Drive, c == 0 ? 0.1f : 0.9f);
            for (int i = 0; i < 50; ++i) effect.storeMemoA();
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto values = platform::SettingsStore(kMemoA).readAll();
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->size(), 43u) << "42 values and the name";
    Calorvane effect(recordingHost);
    effect.recallMemoA();
    const float drive = effect.getParameter(Param::Drive);
    EXPECT_TRUE(drive == 0.1f || drive == 0.9f) << drive;
}

}  // namespace
