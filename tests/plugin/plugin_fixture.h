// Loads the built plug-in through the test host, with the settings store in a temp folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/vst_host.h"
#include "tests/support/temp_settings.h"

inline std::unique_ptr<host::VstPlugin> loadPlugin(const host::HostConfig& config = {}) {
    std::string error;
    auto plugin = host::VstPlugin::load(CALORVANE_PLUGIN_PATH, config, &error);
    EXPECT_NE(plugin, nullptr) << error;
    return plugin;
}

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = loadPlugin();
        ASSERT_NE(plugin, nullptr);
    }
    TempSettings settings;
    std::unique_ptr<host::VstPlugin> plugin;
};
