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
    nameBytes.fill(0);
    if (text == nullptr) return;
    std::size_t length = 0;
    while (length < kNameLength && text[length] != 0) ++length;
    std::memcpy(nameBytes.data(), text, length);
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
