// The preset slots as the parameter model fills them, on an instance built in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effect/core/calorvane.h"
#include "tests/support/temp_settings.h"

namespace {

struct Call {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};

std::vector<Call>* recordedCalls = nullptr;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    if (recordedCalls != nullptr) recordedCalls->push_back({opcode, index, opt});
    return opcode == audioMasterVersion ? 2400 : 0;
}

class PresetStoreTest : public ::testing::Test {
protected:
    void SetUp() override { recordedCalls = &calls; }
    void TearDown() override { recordedCalls = nullptr; }

    float slotValue(int slot, int index) { return effect.preset(slot)->getParameter(index); }

    TempSettings settings;
    std::vector<Call> calls;
    Calorvane effect{recordingHost};
};

TEST_F(PresetStoreTest, FactorySlotsAfterConstruction) {
    char name[32];
    effect.preset(2)->getName(name);
    EXPECT_STREQ(name, "Mastering First Aid");
    effect.preset(30)->getName(name);
    EXPECT_STREQ(name, "Track Tape Fast");
    EXPECT_FLOAT_EQ(slotValue(19, Param::Drive), 0.8f);
    EXPECT_FLOAT_EQ(slotValue(19, Param::Brickwall), 1.0f);
    EXPECT_EQ(effect.preset(31), nullptr);
    EXPECT_EQ(effect.preset(-1), nullptr);
}

TEST_F(PresetStoreTest, SelectingCopiesTheSlotIntoSlotZero) {
    effect.selectPreset(2);
    char name[32];
    effect.getProgramName(name);
    EXPECT_STREQ(name, "Mastering First Aid");
    for (int index = 0; index < Param::PresetCount; ++index)
        EXPECT_FLOAT_EQ(slotValue(0, index), slotValue(2, index)) << index;
    EXPECT_EQ(effect.getPresetIndex(), 2);
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Drive), 0.535f);
}

TEST_F(PresetStoreTest, EditsGoToTheSelectedSlotAndSlotZeroGlobalsToAll) {
    effect.selectPreset(5);
    effect.setParameter(Param::Drive, 0.7f);
    for (int slot = 0; slot < kPresetSlotCount; ++slot) {
        const bool recorded = slot == 0 || slot == 5;
        EXPECT_EQ(slotValue(slot, Param::Drive) == 0.7f, recorded) << slot;
    }
    for (int global : {Param::Process, Param::MonoStereo, Param::Meters, Param::MeterType,
                       Param::MeterScale, Param::FAT}) {
        effect.setParameter(global, 0.0f);
        for (int slot = 0; slot < kPresetSlotCount; ++slot)
            EXPECT_FLOAT_EQ(slotValue(slot, global), 0.0f) << global << " slot " << slot;
    }
    effect.setParameter(Param::MeterDelay, 0.1f);
    for (int slot = 0; slot < kPresetSlotCount; ++slot)
        EXPECT_FLOAT_EQ(slotValue(slot, Param::MeterDelay), 0.125f) << "the raised value is kept";
    effect.selectPreset(7);
    EXPECT_FLOAT_EQ(effect.getParameter(Param::Process), 0.0f) << "globals survive a preset change";
}

TEST_F(PresetStoreTest, FineTuneIsQuantizedInTheEffectButNotInTheSlot) {
    effect.setParameter(Param::FineTune, 0.2f);
    EXPECT_NEAR(effect.getParameter(Param::FineTune), 1.0f / 3, 1e-6);
    EXPECT_FLOAT_EQ(slotValue(0, Param::FineTune), 0.2f);

    effect.preset(1)->setParameter(Param::FineTune, 0.2f);
    calls.clear();
    effect.selectPreset(1);
    std::vector<float> automated;
    for (const Call& call : calls)
        if (call.opcode == audioMasterAutomate && call.index == Param::FineTune)
            automated.push_back(call.opt);
    ASSERT_EQ(automated.size(), 2u);
    EXPECT_NEAR(automated[0], 0.333333f, 1e-6);
    EXPECT_FLOAT_EQ(automated[1], 0.2f);
}

TEST_F(PresetStoreTest, NamesAreCutTo24Characters) {
    effect.selectPreset(3);
    effect.setPresetName("123456789012345678901234567890");
    char name[32];
    effect.preset(3)->getName(name);
    EXPECT_STREQ(name, "123456789012345678901234");
    effect.preset(0)->getName(name);
    EXPECT_STREQ(name, "123456789012345678901234");
}

TEST_F(PresetStoreTest, SlotValuesAreClampedAndOutOfRangeIgnored) {
    CProgram program;
    program.setParameter(4, 3.0f);
    EXPECT_FLOAT_EQ(program.getParameter(4), 1.0f);
    program.setParameter(4, -3.0f);
    EXPECT_FLOAT_EQ(program.getParameter(4), 0.0f);
    program.setParameter(42, 0.5f);
    EXPECT_FLOAT_EQ(program.getParameter(42), -1.0f);
    EXPECT_FLOAT_EQ(program.getParameter(-1), -1.0f);
    effect.selectPreset(31);
    effect.selectPreset(-4);
    EXPECT_EQ(effect.getPresetIndex(), 0) << "slots outside 0..30 are ignored";
}

TEST_F(PresetStoreTest, SampleRateIsClampedIntoItsRange) {
    const std::pair<float, float> cases[] = {
        {8000, 22050}, {200000, 192000}, {48000, 48000}, {0, 22050}, {-1, 22050},
        {std::nanf(""), 44100}, {1e30f, 192000}};
    for (const auto& [given, stored] : cases) {
        effect.setSampleRate(given);
        EXPECT_FLOAT_EQ(effect.getSampleRate(), stored) << given;
    }
}

TEST_F(PresetStoreTest, FatIsForcedOffAboveOneHundredKilohertz) {
    effect.setParameter(Param::FAT, 1);
    EXPECT_EQ(effect.processingValues().oversample, 1);
    effect.setSampleRate(192000);
    effect.setParameter(Param::FAT, 1);
    EXPECT_EQ(effect.processingValues().oversample, 0);
    EXPECT_FLOAT_EQ(effect.getParameter(Param::FAT), 1.0f) << "the switch still shows FAT";
}

TEST_F(PresetStoreTest, DerivedValuesFollowTheMappings) {
    const ProcessingValues& v = effect.processingValues();
    effect.setParameter(Param::Drive, 1);
    EXPECT_NEAR(20 * std::log10(v.driveGain), 24.08, 0.01);
    effect.setParameter(Param::LowFreq, 0.5f);
    EXPECT_NEAR(v.lowCutoffHz, 50, 1e-9);
    effect.setParameter(Param::Knee, 0.1f);
    EXPECT_EQ(v.kneeType, 0);
    EXPECT_NEAR(v.kneeAmount, 0.4, 1e-6);
    effect.setParameter(Param::Knee, 0.625f);
    EXPECT_EQ(v.kneeType, 1);
    EXPECT_NEAR(v.kneeAmount, 0.5, 1e-6);
    effect.setParameter(Param::Meters, 1);
    EXPECT_EQ(v.meterSource, 2);
    effect.setParameter(Param::OverIndic, 0.3f);
    EXPECT_NEAR(effect.getParameter(Param::OverIndic), 3.0f / 9, 1e-6);
    EXPECT_DOUBLE_EQ(v.overCount, 4);
    effect.setParameter(Param::MeterDelay, 0.1f);
    EXPECT_FLOAT_EQ(effect.getParameterValue(Param::MeterDelay), 0);
    effect.setParameter(Param::MeterDelay, 0.05f);
    EXPECT_FLOAT_EQ(effect.getParameterValue(Param::MeterDelay), -1);
    effect.setParameter(Param::VuRefer, 0.5f);
    EXPECT_NEAR(v.vuReference, 0.2475, 1e-4);
}

}  // namespace
