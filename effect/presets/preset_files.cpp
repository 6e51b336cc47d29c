// Loading and saving preset and bank files through the preset store.
#include "effect/presets/preset_file_format.h"
#include "effect/presets/preset_system_effect.h"
#include "platform/message_box.h"

namespace {

void showError(const std::string& text) { platform::showErrorMessage(preset_file::kErrorCaption, text); }

// A file that cannot be opened at all is passed over silently; one that opens but cannot be
// read (a folder, an I/O error) is reported.
std::optional<std::vector<std::uint8_t>> readForLoading(const std::string& path) {
    std::string error;
    auto bytes = preset_file::readFile(path, &error);
    if (!bytes && error.rfind("cannot open", 0) != 0) showError(preset_file::kReadFailed);
    return bytes;
}

PresetRecord recordOf(CProgram& program) {
    PresetRecord record;
    record.name = program.name();
    for (int k = 0; k < Param::PresetCount; ++k)
        record.values[static_cast<std::size_t>(k)] = program.getParameter(k);
    return record;
}

void fill(CProgram& program, const PresetRecord& record) {
    program.setName(record.name.c_str());
    for (int k = 0; k < record.valueCount; ++k)
        program.setParameter(k, record.values[static_cast<std::size_t>(k)]);
}

void save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    if (!preset_file::writeFileAtomically(path, bytes, &error)) showError(preset_file::kSaveFailed);
}

}  // namespace

void CPresetSystemEffect::loadBank(const std::string& path) {
    const auto bytes = readForLoading(path);
    if (!bytes) return;
    std::string error;
    const auto bank = preset_file::parseBank(*bytes, &error);
    if (!bank) return showError(error);
    for (std::size_t record = 0; record < bank->size(); ++record) {
        const int slot = static_cast<int>(record);
        fill(*preset(slot), (*bank)[record]);
        presetSlotRenamed(slot, preset(slot)->name());
    }
    presetNameChanged(preset(0)->name());
    selectPreset(0);
}

void CPresetSystemEffect::saveBank(const std::string& path) {
    std::vector<PresetRecord> records;
    for (int slot = 0; slot < kPresetSlotCount; ++slot) records.push_back(recordOf(*preset(slot)));
    save(path, preset_file::serializeBank(records));
}

void CPresetSystemEffect::loadPreset(const std::string& path) {
    const auto bytes = readForLoading(path);
    if (!bytes) return;
    std::string error;
    const auto record = preset_file::parsePreset(*bytes, &error);
    if (!record) return showError(error);
    fill(*preset(selectedSlot), *record);
    presetNameChanged(preset(selectedSlot)->name());
    selectPreset(selectedSlot);
}

void CPresetSystemEffect::savePreset(const std::string& path) {
    save(path, preset_file::serializePreset(recordOf(*preset(selectedSlot))));
}
