// Memo button of the preset bar: four frames (normal, lit under the mouse, pressed, disabled);
// reports the press at once and shows the pressed look until release.
#pragma once

#include "widgets/on_off_button.h"

class CPSOnOffButton : public VSTGUI::COnOffButton {
public:
    CPSOnOffButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                   VSTGUI::CBitmap* background);
    ~CPSOnOffButton() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
    virtual void setHighlight(bool on);

    bool isHighlighted() const { return highlighted != 0; }
    bool isPressed() const { return pressed != 0; }
    int32_t frameIndex() const;

private:
    uint8_t highlighted = 0;
    uint8_t enabled = 1;
    uint8_t pressed = 0;
};
