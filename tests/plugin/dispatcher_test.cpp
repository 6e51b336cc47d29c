// What a host sees through the dispatcher of the built plug-in.
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/plugin/plugin_fixture.h"

namespace {

struct DispatchCase {
    const char* what;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    VstIntPtr expected;
};

class DispatcherTest : public PluginTest {};

TEST_F(DispatcherTest, AnswersEveryRowOfTheOpcodeTable) {
    const DispatchCase cases[] = {
        {"effOpen", effOpen, 0, 0, 0},
        {"effSetProgram", effSetProgram, 0, 0, 0},
        {"effGetProgram", effGetProgram, 0, 0, 0},
        {"effSetBlockSize", effSetBlockSize, 0, 2048, 0},
        {"effIdentify", effIdentify, 0, 0, 0x4E764566},
        {"effSetChunk", effSetChunk, 0, 0, 0},
        {"effProcessEvents", effProcessEvents, 0, 0, 0},
        {"effCanBeAutomated 0", effCanBeAutomated, 0, 0, 1},
        {"effCanBeAutomated 41", effCanBeAutomated, 41, 0, 1},
        {"effString2Parameter", effString2Parameter, 4, 0, 0},
        {"effGetPlugCategory", effGetPlugCategory, 0, 0, kPlugCategMastering},
        {"effSetBypass", effSetBypass, 0, 1, 0},
        {"effGetVendorVersion", effGetVendorVersion, 0, 0, 2310},
        {"effGetTailSize", effGetTailSize, 0, 0, 0},
        {"effGetVstVersion", effGetVstVersion, 0, 0, 2400},
        {"effEditKeyDown without editor", effEditKeyDown, 'a', 0, 0},
        {"effEditKeyUp without editor", effEditKeyUp, 'a', 0, 0},
        {"effSetEditKnobMode without editor", effSetEditKnobMode, 0, 2, 0},
        {"effEditIdle without editor", effEditIdle, 0, 0, 0},
        {"effEditClose without editor", effEditClose, 0, 0, 0},
        {"effEditOpen without editor", effEditOpen, 0, 0, 0},
        {"effGetCurrentMidiProgram", effGetCurrentMidiProgram, 0, 0, -1},
        {"effSetTotalSampleToProcess", effSetTotalSampleToProcess, 0, 4096, 4096},
        {"effSetProcessPrecision", effSetProcessPrecision, 0, 1, 1},
        {"unknown opcode 9", 9, 0, 0, 0},
        {"unknown opcode 99", 99, 0, 0, 0},
        {"unknown opcode 12345", 12345, 0, 0, 0},
        {"negative opcode", -3, 0, 0, 0},
    };
    for (const DispatchCase& c : cases)
        EXPECT_EQ(plugin->dispatch(c.opcode, c.index, c.value, nullptr, 0), c.expected) << c.what;
}

TEST_F(DispatcherTest, AEffectRecordCarriesTheIdentity) {
    const AEffect* effect = plugin->effect();
    EXPECT_EQ(effect->magic, 0x56737450);
    EXPECT_EQ(effect->uniqueID, fourCharCode("KKCV"));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 42);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_TRUE(effect->flags & effFlagsCanReplacing);
    EXPECT_TRUE(effect->flags & effFlagsCanDoubleReplacing);
    EXPECT_FALSE(effect->flags & effFlagsProgramChunks);
    EXPECT_FLOAT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->initialDelay, 639);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->processDoubleReplacing, nullptr);

    EXPECT_EQ(plugin->effectName(), "KYT Calorvane2");
    EXPECT_EQ(plugin->productString(), "KYT Calorvane2 - analog saturation & compression emulator");
    EXPECT_EQ(plugin->vendorString().size(), 16u);
    EXPECT_EQ(plugin->dispatch(effGetEffectName, 0, 0, nullptr), 0) << "null buffer";
}

TEST_F(DispatcherTest, ChunksAreNotOffered) {
    void* untouched = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(plugin->dispatch(effGetChunk, 0, 0, &untouched), 0);
    EXPECT_EQ(untouched, reinterpret_cast<void*>(0x1234));
}

TEST_F(DispatcherTest, CanDoAnswersNothing) {
    char receive[] = "receiveVstMidiEvent";
    char other[] = "bypass";
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, receive), 0);
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, other), 0);
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(DispatcherTest, SpeakerArrangementIsCleared) {
    void* input = reinterpret_cast<void*>(0x1);
    void* output = reinterpret_cast<void*>(0x2);
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input),
                               &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST_F(DispatcherTest, ShowsOneProgramNamedCurrent) {
    EXPECT_EQ(plugin->programName(), "Current");
    char name[64];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 0, 0, name), 1);
    EXPECT_STREQ(name, "Current");
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 1, 0, name), 0);
    EXPECT_EQ(name[0], 'x') << "index 1 writes nothing";
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);

    char renamed[] = "A name that is thirty chars!!";
    plugin->dispatch(effSetProgramName, 0, 0, renamed);
    EXPECT_EQ(plugin->programName(), "A name that is thirty c") << "at most 23 characters reach a host";
    plugin->dispatch(effSetProgramName, 0, 0, nullptr);
    plugin->dispatch(effGetProgramName, 0, 0, nullptr);
}

TEST_F(DispatcherTest, PinProperties) {
    struct PinCase {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr result;
        const char* label;
        VstInt32 flags;
    };
    const PinCase cases[] = {
        {effGetInputProperties, 0, 1, "My 1 In", kVstPinIsActive | kVstPinIsStereo},
        {effGetInputProperties, 1, 1, "My 2 In", kVstPinIsActive},
        {effGetOutputProperties, 0, 1, "My 1 Out", kVstPinIsActive | kVstPinIsStereo},
        {effGetOutputProperties, 1, 1, "My 2 Out", kVstPinIsActive},
        {effGetInputProperties, 2, 0, "untouched", 77},
        {effGetOutputProperties, -1, 0, "untouched", 77},
        {effGetInputProperties, std::numeric_limits<VstInt32>::min(), 0, "untouched", 77},
    };
    for (const PinCase& c : cases) {
        VstPinProperties pin{};
        std::strcpy(pin.label, "untouched");
        pin.flags = 77;
        pin.arrangementType = 55;
        EXPECT_EQ(plugin->dispatch(c.opcode, c.index, 0, &pin), c.result) << c.index;
        EXPECT_STREQ(pin.label, c.label);
        EXPECT_EQ(pin.flags, c.flags);
        EXPECT_EQ(pin.arrangementType, 55) << "only label and flags are written";
    }
    EXPECT_EQ(plugin->dispatch(effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(DispatcherTest, NullPointersAreRefusedSafely) {
    for (VstInt32 opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName, effSetProgramName,
                            effGetProgramName, effGetVendorString, effGetProductString,
                            effGetParameterProperties, effEditGetRect, effGetOutputProperties})
        EXPECT_EQ(plugin->dispatch(opcode, 0, 0, nullptr), 0) << opcode;
}

TEST(PluginEntry, HostThatAnswersNoVersionGetsNoEffect) {
    TempSettings settings;
    host::HostConfig config;
    config.version = 0;
    std::string error;
    EXPECT_EQ(host::VstPlugin::load(CALORVANE_PLUGIN_PATH, config, &error), nullptr);
}

}  // namespace
