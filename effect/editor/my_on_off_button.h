// Two-frame toggle that shows "on" from 0.5 up (the stock one only for exactly non-zero).
#pragma once

#include "widgets/on_off_button.h"

class CMyOnOffButton : public VSTGUI::COnOffButton {
public:
    CMyOnOffButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                   VSTGUI::CBitmap* background, int32_t style = VSTGUI::kPostListenerUpdate);
    ~CMyOnOffButton() override;

    void draw(VSTGUI::CDrawContext* context) override;
};
