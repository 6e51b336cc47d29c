#include "effect/core/global_settings.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "effect/core/param_index.h"
#include "platform/settings_store.h"

const GlobalSetting kGlobalSettingsWriteOrder[6] = {
    {Param::VuIntegr, "vuintegration"}, {Param::VuRefer, "vureference"},
    {Param::PpmIntegr, "ppmintegration"}, {Param::PpmReturn, "ppmreturn"},
    {Param::KnobMode, "knobmode"},      {Param::OverIndic, "overcounter"},
};

namespace {

constexpr float kMissingValue = 0.5f;

const char* valueNameOf(int index) {
    for (const GlobalSetting& setting : kGlobalSettingsWriteOrder)
        if (setting.index == index) return setting.valueName;
    return nullptr;
}

}  // namespace

float readGlobalSetting(int index) {
    const char* name = valueNameOf(index);
    if (name == nullptr) return kMissingValue;
    const auto bytes = platform::SettingsStore(kSettingsKey).readBinary(name);
    if (!bytes || bytes->size() != 4) return kMissingValue;
    const std::uint32_t bits = static_cast<std::uint32_t>((*bytes)[0]) |
                               static_cast<std::uint32_t>((*bytes)[1]) << 8 |
                               static_cast<std::uint32_t>((*bytes)[2]) << 16 |
                               static_cast<std::uint32_t>((*bytes)[3]) << 24;
    const float value = std::bit_cast<float>(bits);
    if (!std::isfinite(value) || value < 0 || value > 1) return kMissingValue;
    return value;
}

void writeGlobalSetting(int index, float value) {
    const char* name = valueNameOf(index);
    if (name == nullptr) return;
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const platform::Bytes bytes{static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                static_cast<std::uint8_t>(bits >> 16),
                                static_cast<std::uint8_t>(bits >> 24)};
    platform::SettingsStore(kSettingsKey).writeBinary(name, bytes);
}
