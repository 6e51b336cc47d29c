// A preset-system listener that records every call, for the editor's controls.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "effect/editor/preset_system_listener.h"
#include "widgets/control.h"

class RecordingPresetListener : public CPresetSystemListener {
public:
    void valueChanged(VSTGUI::CDrawContext*, VSTGUI::CControl* control) override {
        changes.emplace_back(control->getTag(), control->getValue());
    }
    void loadBank() override { calls.emplace_back("loadBank"); }
    void saveBank() override { calls.emplace_back("saveBank"); }
    void loadPreset() override { calls.emplace_back("loadPreset"); }
    void savePreset() override { calls.emplace_back("savePreset"); }
    void stepPreset(bool next) override { calls.emplace_back(next ? "next" : "previous"); }
    void beginValueEntry(int32_t tag) override {
        calls.push_back("beginValueEntry " + std::to_string(tag));
    }
    void endValueEntry(int32_t tag, const char* text) override {
        calls.push_back("endValueEntry " + std::to_string(tag) + " " + text);
    }
    std::vector<std::pair<int32_t, float>> changes;
    std::vector<std::string> calls;
};
