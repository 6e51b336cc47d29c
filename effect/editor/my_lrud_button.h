// Four-position lever: up 0, left 0.33, right 0.67, down 1, picked by the zone under the mouse
// while the button is held.
#pragma once

#include "widgets/on_off_button.h"

class CMyLRUDButton : public VSTGUI::COnOffButton {
public:
    CMyLRUDButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                  VSTGUI::CBitmap* background, int32_t style = VSTGUI::kPostListenerUpdate);
    ~CMyLRUDButton() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;

    // The lever value for the mouse at `where`, or `pressValue` outside the four zones.
    float valueAt(const VSTGUI::CPoint& where, float pressValue) const;
};
