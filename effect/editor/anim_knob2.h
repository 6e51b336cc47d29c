// Film-strip knob with the editor's own drag (see knob_drag.h).
#pragma once

#include "widgets/knob.h"

class CAnimKnob2 : public VSTGUI::CAnimKnob {
public:
    // The source offset is stored by the knob base but not used for drawing.
    CAnimKnob2(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
               int32_t frameCount, int32_t frameHeight, VSTGUI::CBitmap* strip,
               const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CAnimKnob2() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
};
