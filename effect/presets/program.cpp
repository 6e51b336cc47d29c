#include "effect/presets/program.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "effect/presets/factory_presets.h"

CProgram::CProgram() {
    setName("init");
    const std::array<float, Param::PresetCount> defaults = factoryPresetValues(kDefaultPresetSlot);
    values = defaults;
}

void CProgram::setName(const char* text) {
    // `text` may be this slot's own name (slot 0 selecting itself): copy before clearing.
    std::array<char, kNameLength + 1> copy{};
    if (text != nullptr)
        for (std::size_t i = 0; i < kNameLength && text[i] != 0; ++i) copy[i] = text[i];
    nameBytes = copy;
}

void CProgram::getName(char* buffer) const {
    if (buffer != nullptr) std::memcpy(buffer, nameBytes.data(), std::strlen(nameBytes.data()) + 1);
}

void CProgram::setParameter(int index, float value) {
    if (index < 0 || index >= Param::PresetCount) return;
    values[static_cast<std::size_t>(index)] = std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
}

float CProgram::getParameter(int index) const {
    if (index < 0 || index >= Param::PresetCount) return -1;
    return values[static_cast<std::size_t>(index)];
}
