// A rocker: -1 or +1 by the half of the control that is pressed, back to 0 at release.
// Three frames: -1, 0, +1.
#pragma once

#include "widgets/control.h"

namespace VSTGUI {

enum CRockerStyle { kHorizontal = 1, kVertical = 2 };

class CRockerSwitch : public CControl {
public:
    CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                  int32_t heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(),
                  int32_t style = kHorizontal);
    ~CRockerSwitch() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

protected:
    CPoint offset;
    int32_t heightOfOneImage;
    int32_t style;
};

}  // namespace VSTGUI
