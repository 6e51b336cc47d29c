// A two-state button: the upper half of its bitmap for 0, the lower half otherwise.
#pragma once

#include "widgets/control.h"

namespace VSTGUI {

// Styles: when the listener hears of the change relative to the idle redraw.
enum COnOffButtonStyle { kPostListenerUpdate = 0, kPreListenerUpdate = 1 };

class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 int32_t style = kPostListenerUpdate);
    ~COnOffButton() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

    int32_t getStyle() const { return style; }

protected:
    int32_t style;
};

}  // namespace VSTGUI
