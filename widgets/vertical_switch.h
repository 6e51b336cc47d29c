// A switch of `positions` positions picked by the height of the press in its frame.
#pragma once

#include "widgets/control.h"

namespace VSTGUI {

class CVerticalSwitch : public CControl {
public:
    CVerticalSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                    int32_t heightOfOneImage, int32_t positions, CBitmap* background,
                    const CPoint& offset = CPoint());
    ~CVerticalSwitch() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

protected:
    CPoint offset;
    int32_t subPixmaps;
    int32_t heightOfOneImage;
    int32_t positions;
};

}  // namespace VSTGUI
