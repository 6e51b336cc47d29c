// Construction, suspend/resume and latency as a host sees them.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/plugin/plugin_fixture.h"

namespace {

std::vector<VstInt32> opcodesOf(const std::vector<host::CallbackRecord>& records) {
    std::vector<VstInt32> opcodes;
    for (const auto& record : records) opcodes.push_back(record.opcode);
    return opcodes;
}

TEST(PluginConstruction, ReportsEveryDefaultAsAnEditWhileTheEntryRuns) {
    TempSettings settings;
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    const auto& records = plugin->callbacks();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().opcode, audioMasterVersion);

    // The preset application: begin-edit, two automates, end-edit for each of the 42 values,
    // then one display update, all during the entry call.
    std::vector<host::CallbackRecord> edits;
    for (const auto& record : records)
        if (record.opcode == audioMasterBeginEdit || record.opcode == audioMasterEndEdit ||
            record.opcode == audioMasterAutomate || record.opcode == audioMasterUpdateDisplay)
            edits.push_back(record);
    ASSERT_EQ(edits.size(), 42u * 4 + 1);
    for (int index = 0; index < 42; ++index) {
        const host::CallbackRecord* group = &edits[static_cast<std::size_t>(index) * 4];
        EXPECT_EQ(group[0].opcode, audioMasterBeginEdit);
        EXPECT_EQ(group[1].opcode, audioMasterAutomate);
        EXPECT_EQ(group[2].opcode, audioMasterAutomate);
        EXPECT_EQ(group[3].opcode, audioMasterEndEdit);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(group[i].index, index);
            EXPECT_TRUE(group[i].fromConstruction);
        }
        // "Current" holds no value that the effect quantizes: both automates agree.
        EXPECT_FLOAT_EQ(group[1].opt, plugin->getParameter(index)) << index;
        EXPECT_FLOAT_EQ(group[2].opt, group[1].opt) << index;
    }
    EXPECT_EQ(edits.back().opcode, audioMasterUpdateDisplay);
    EXPECT_TRUE(edits.back().fromConstruction);

    // Host timing is asked for before the preset is applied.
    const auto opcodes = opcodesOf(records);
    const auto firstEdit = std::find(opcodes.begin(), opcodes.end(), audioMasterBeginEdit);
    EXPECT_NE(std::find(opcodes.begin(), firstEdit, audioMasterGetOutputLatency), firstEdit);
    EXPECT_NE(std::find(opcodes.begin(), firstEdit, audioMasterGetBlockSize), firstEdit);
}

TEST(PluginConstruction, FreshInstanceEndsSuspended) {
    TempSettings settings;
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    plugin->clearCallbacks();
    plugin->resume();
    // A suspended instance resumes directly: one timing query pair, no suspend before it.
    EXPECT_EQ(opcodesOf(plugin->callbacks()),
              (std::vector<VstInt32>{audioMasterGetOutputLatency, audioMasterGetBlockSize}));
    plugin->clearCallbacks();
    plugin->resume();
    // Resuming a running instance suspends it first.
    EXPECT_GT(plugin->callbacks().size(), 2u);
}

TEST(PluginLatency, InitialDelayFollowsTheSampleRate) {
    TempSettings settings;
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    const std::pair<float, VstInt32> cases[] = {
        {44100, 639},  {48000, 639},   {96000, 1151},  {192000, 2175}, {8000, 639},
        {0, 639},      {-44100, 639},  {1e9f, 2175},   {88200, 1151},  {49999, 639},
        {50000, 1151}, {100000, 2175}, {176400, 2175},
    };
    for (const auto& [rate, latency] : cases) {
        plugin->setSampleRate(rate);
        plugin->resume();
        EXPECT_EQ(plugin->latency(), latency) << rate;
        for (float fat : {1.0f, 0.0f}) {
            plugin->setParameter(26, fat);
            plugin->suspend();
            plugin->resume();
            EXPECT_EQ(plugin->latency(), latency) << rate << " FAT " << fat;
        }
    }
}

TEST(PluginLatency, HostBlockSizeAndLatencyAnswersAreAsked) {
    TempSettings settings;
    host::HostConfig config;
    config.blockSize = 0;
    config.outputLatency = 123;
    auto plugin = loadPlugin(config);
    ASSERT_NE(plugin, nullptr);
    plugin->dispatch(effSetBlockSize, 0, -5);
    plugin->resume();
    float silence[64] = {};
    float out[2][64];
    float* inputs[2] = {silence, silence};
    float* outputs[2] = {out[0], out[1]};
    plugin->process(inputs, outputs, 64);
    for (float sample : out[0]) EXPECT_LT(std::abs(sample), 1e-6f);
    EXPECT_EQ(plugin->latency(), 639);
}

TEST(PluginLifecycle, ManyInstancesCanLiveSideBySide) {
    TempSettings settings;
    std::vector<std::unique_ptr<host::VstPlugin>> plugins;
    for (int i = 0; i < 4; ++i) plugins.push_back(loadPlugin());
    for (auto& plugin : plugins) ASSERT_NE(plugin, nullptr);
    plugins[1]->setParameter(4, 1.0f);
    EXPECT_EQ(plugins[1]->parameterDisplay(4), "24.00");
    EXPECT_EQ(plugins[2]->parameterDisplay(4), "0.00");
}

}  // namespace
