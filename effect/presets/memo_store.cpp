// The A and B memories: the current 42 values and the preset name, kept in the settings store
// under Calorvane20\MemoA and \MemoB and shared by every instance on the machine.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "effect/core/global_settings.h"
#include "effect/core/variant.h"
#include "effect/presets/preset_system_effect.h"
#include "platform/settings_store.h"

namespace {

// One value per announced parameter: 42 here, 48 in the classic build.
constexpr int kMemoValueCount = kVariant.numParams;

std::string memoKey(const char* memory) { return std::string(kSettingsKey) + "\\" + memory; }

std::string valueName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "param%3d", index);
    return name;
}

}  // namespace

// One write of the whole memory, so two instances storing at once leave one complete memory.
void CPresetSystemEffect::storeMemo(const char* memory) {
    platform::SettingValues values;
    for (int index = 0; index < kMemoValueCount; ++index) {
        const auto bits = std::bit_cast<std::uint32_t>(getParameter(index));
        values[valueName(index)] = platform::Bytes{
            static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    }
    values["name"] = std::string(preset(selectedSlot)->name());
    platform::SettingsStore(memoKey(memory)).write(values);
}

// Applies what the memory holds; a value that is missing or damaged is left as it is.
void CPresetSystemEffect::recallMemo(const char* memory) {
    const auto values = platform::SettingsStore(memoKey(memory)).readAll();
    if (!values) return;
    for (int index = 0; index < kMemoValueCount; ++index) {
        const auto found = values->find(valueName(index));
        if (found == values->end()) continue;
        const auto* bytes = std::get_if<platform::Bytes>(&found->second);
        if (bytes == nullptr || bytes->size() != 4) continue;
        const float value = std::bit_cast<float>(
            static_cast<std::uint32_t>((*bytes)[0]) | static_cast<std::uint32_t>((*bytes)[1]) << 8 |
            static_cast<std::uint32_t>((*bytes)[2]) << 16 | static_cast<std::uint32_t>((*bytes)[3]) << 24);
        // Clamped first, so the host is told the value the effect actually holds.
        if (std::isfinite(value)) setParameterAutomated(index, std::clamp(value, 0.0f, 1.0f));
    }
    const auto name = values->find("name");
    if (name != values->end())
        if (const auto* text = std::get_if<std::string>(&name->second)) setPresetName(text->c_str());
    updateDisplay();
}
