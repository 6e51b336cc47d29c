// Load/save arrow of the preset bar: three frames (normal, lit, pressed); a press runs the
// bank or preset file operation of its mode.
#pragma once

#include "widgets/kick_button.h"

class CPresetSystemListener;

enum SaveLoadMode { kLoadBank = 0, kSaveBank = 1, kLoadPreset = 2, kSavePreset = 3 };

class CSaveLoadButton : public VSTGUI::CKickButton {
public:
    CSaveLoadButton(const VSTGUI::CRect& size, CPresetSystemListener* presetListener, int32_t tag,
                    int32_t frameHeight, VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset,
                    int32_t mode);
    ~CSaveLoadButton() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
    virtual void setHighlight(bool on);

    bool isHighlighted() const { return highlighted != 0; }
    int32_t frameIndex() const;

private:
    CPresetSystemListener* presetListener;
    int32_t mode;
    uint8_t highlighted = 0;
};
