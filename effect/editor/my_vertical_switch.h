// Vertical switch that draws frame floor(positions x value), at most frame 2.
#pragma once

#include "widgets/vertical_switch.h"

class CMyVerticalSwitch : public VSTGUI::CVerticalSwitch {
public:
    CMyVerticalSwitch(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                      int32_t frameCount, int32_t frameHeight, int32_t positions,
                      VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CMyVerticalSwitch() override;

    void draw(VSTGUI::CDrawContext* context) override;
};
