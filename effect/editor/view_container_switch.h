// An invisible area whose click flips its value between 0 and 1 (the editor swaps panels).
#pragma once

#include "widgets/control.h"

class CViewContainerSwitch : public VSTGUI::CControl {
public:
    CViewContainerSwitch(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                         int32_t tag);
    ~CViewContainerSwitch() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
};
