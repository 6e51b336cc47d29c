#include "effect/presets/preset_system_effect.h"

#include <cstring>

#include "effect/core/formatters.h"

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                                         VstInt32 numParams)
    : AudioEffectX(audioMaster, numPrograms, numParams) {
    for (auto& program : programs) program = std::make_unique<CProgram>();
    loadFactoryPresets();
}

CPresetSystemEffect::~CPresetSystemEffect() = default;

CProgram* CPresetSystemEffect::preset(int slot) {
    if (slot < 0 || slot >= kPresetSlotCount) return nullptr;
    return programs[static_cast<std::size_t>(slot)].get();
}

void CPresetSystemEffect::loadFactoryPresets() {
    for (int slot = 0; slot < kPresetSlotCount; ++slot) {
        CProgram* program = preset(slot);
        if (program == nullptr) continue;
        program->setName(factoryPresetName(slot));
        const auto values = factoryPresetValues(slot);
        for (int index = 0; index < Param::PresetCount; ++index)
            program->setParameter(index, values[static_cast<std::size_t>(index)]);
    }
}

void CPresetSystemEffect::setPresetName(const char* text) {
    if (text == nullptr) return;
    char name[CProgram::kNameLength + 1];
    copyText(name, text, CProgram::kNameLength);
    preset(selectedSlot)->setName(name);
    preset(0)->setName(name);
    presetNameChanged(name);
}

void CPresetSystemEffect::setPresetNameFromEditor(const char* text) {
    if (text == nullptr) return;
    preset(selectedSlot)->setName(text);
    preset(0)->setName(text);
    updateDisplay();
}

// Slots outside 0..30 are ignored: there is nothing to apply.
void CPresetSystemEffect::selectPreset(int slot) {
    CProgram* source = preset(slot);
    if (source == nullptr) return;
    applyingPreset = true;
    selectedSlot = slot;
    for (int index = 0; index < Param::PresetCount; ++index) {
        const float value = source->getParameter(index);
        setParameterNotifying(index, value);
        preset(0)->setParameter(index, source->getParameter(index));
    }
    preset(0)->setName(source->name());
    applyingPreset = false;
    updateDisplay();
}

void CPresetSystemEffect::setParameterNotifying(int index, float value) {
    setParameter(index, value);
    if (audioMaster == nullptr) return;
    callHost(audioMasterBeginEdit, index);
    callHost(audioMasterAutomate, index, 0, nullptr, getParameter(index));
    callHost(audioMasterAutomate, index, 0, nullptr, value);
    callHost(audioMasterEndEdit, index);
}

void CPresetSystemEffect::setParameter(VstInt32 index, float value) {
    if (applyingPreset || index < 0 || index >= Param::PresetCount) return;
    preset(selectedSlot)->setParameter(index, value);
    preset(0)->setParameter(index, value);
}

void CPresetSystemEffect::recordInAllSlots(int index, float value) {
    for (auto& program : programs) program->setParameter(index, value);
}

// A host's program-name buffer holds 24 bytes with the zero, one less than a slot name.
void CPresetSystemEffect::getProgramName(char* name) {
    copyText(name, preset(0)->name(), kVstMaxProgNameLen - 1);
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (index != 0) return false;
    getProgramName(text);
    return true;
}
