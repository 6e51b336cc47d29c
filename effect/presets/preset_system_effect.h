// The effect's own store of 31 preset slots. Slot 0 is the working copy that always holds
// the live values; the host sees a single program named after slot 0.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "effect/presets/factory_presets.h"
#include "effect/presets/program.h"
#include "vst/audio_effect_x.h"

class CPresetSystemEffect : public AudioEffectX {
public:
    CPresetSystemEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    ~CPresetSystemEffect() override;

    virtual int getPresetIndex() { return selectedSlot; }
    // Name of the selected slot and of slot 0 (first 24 characters); an editor shows it.
    virtual void setPresetName(const char* text);
    // The same, then asks the host to refresh its display.
    virtual void setPresetNameFromEditor(const char* text);
    // Copies slot `slot` into slot 0 and applies its 42 values through setParameterNotifying.
    virtual void selectPreset(int slot);
    // setParameter, then begin-edit, two automate calls (held value, given value), end-edit.
    virtual void setParameterNotifying(int index, float value);
    virtual void loadFactoryPresets();
    // The two machine-wide memories (user-interface thread; settings-store I/O).
    virtual void storeMemoA() { storeMemo("MemoA"); }
    virtual void storeMemoB() { storeMemo("MemoB"); }
    virtual void recallMemoA() { recallMemo("MemoA"); }
    virtual void recallMemoB() { recallMemo("MemoB"); }

    // Preset and bank files (user-interface thread; file I/O). Refused files leave the store
    // and the parameters untouched and show one message; a failed save shows one too.
    void loadBank(const std::string& path);
    void saveBank(const std::string& path);
    void loadPreset(const std::string& path);
    void savePreset(const std::string& path);

    // Records a value in the selected slot and slot 0 (not while a preset is being applied).
    void setParameter(VstInt32 index, float value) override;

    VstInt32 getProgram() override { return 0; }
    void setProgram(VstInt32 /*program*/) override {}
    void setProgramName(char* name) override { setPresetName(name); }
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool setProcessPrecision(VstInt32 /*precision*/) override { return true; }

    // Slot access for the file and memo operations and the editor; null outside 0..30.
    CProgram* preset(int slot);
    bool isApplyingPreset() const { return applyingPreset; }

protected:
    // Called when the selected slot's name changed through setPresetName.
    virtual void presetNameChanged(const char* /*name*/) {}
    // Called when loading a bank renamed slot `slot`, so a preset menu can follow.
    virtual void presetSlotRenamed(int /*slot*/, const char* /*name*/) {}
    void storeMemo(const char* memory);
    void recallMemo(const char* memory);
    // Writes a value into all 31 slots (global parameters).
    void recordInAllSlots(int index, float value);

    std::array<std::unique_ptr<CProgram>, kPresetSlotCount> programs;
    int selectedSlot = 0;
    bool applyingPreset = false;
};
