// An invisible area that tells its listener of every press.
#pragma once

#include "widgets/control.h"

class CClickRect : public VSTGUI::CControl {
public:
    CClickRect(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag);
    ~CClickRect() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
};
