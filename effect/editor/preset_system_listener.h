// The editor as its controls see it: value changes, the preset bar's file and step operations,
// and the typed value entry of a knob.
#pragma once

#include <cstdint>

#include "widgets/control_listener.h"

class CPresetSystemListener : public VSTGUI::CControlListener {
public:
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override = 0;
    // Presses with modifier keys get no special treatment.
    int32_t controlModifierClicked(VSTGUI::CDrawContext* /*context*/, VSTGUI::CControl* /*control*/,
                                   int32_t /*buttons*/) override {
        return 0;
    }
    virtual void loadBank() = 0;
    virtual void saveBank() = 0;
    virtual void loadPreset() = 0;
    virtual void savePreset() = 0;
    // true: the next preset; false: the previous one.
    virtual void stepPreset(bool next) = 0;
    // A double-click on the knob with this tag asks for a typed value.
    virtual void beginValueEntry(int32_t tag) = 0;
    // The typed text for the knob with this tag (at most 63 characters).
    virtual void endValueEntry(int32_t tag, const char* text) = 0;
};
