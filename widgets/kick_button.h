// A momentary button: 1 while the left button is held inside it, 0 otherwise; two frames.
#pragma once

#include "widgets/control.h"

namespace VSTGUI {

class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                int32_t heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());
    ~CKickButton() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

protected:
    CPoint offset;
    int32_t heightOfOneImage;
};

}  // namespace VSTGUI
