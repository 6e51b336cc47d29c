#include "widgets/rocker_switch.h"

#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

namespace VSTGUI {

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                             int32_t heightOfOneImage, CBitmap* background, const CPoint& offset,
                             int32_t style)
    : CControl(size, listener, tag, background),
      offset(offset),
      heightOfOneImage(heightOfOneImage),
      style(style) {
    vmin = -1;
}

CRockerSwitch::~CRockerSwitch() = default;

bool CRockerSwitch::isTypeOf(const char* className) const {
    return std::strcmp(className, "CRockerSwitch") == 0 || CControl::isTypeOf(className);
}

void CRockerSwitch::draw(CDrawContext* context) {
    CPoint source = offset;
    if (value == 1.0f)
        source.y += 2 * heightOfOneImage;
    else if (value == 0.0f)
        source.y += heightOfOneImage;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CRockerSwitch::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    beginEdit();
    float reported = value;
    // The first pass takes the press itself: a quick click may be over before it is delivered.
    for (bool first = true; first || (getMouseButtons() & kLButton); first = false) {
        if (!size.pointInside(where))
            value = 0;
        else if (style & kHorizontal)
            value = where.x < size.left + size.width() / 2 ? -1.0f : 1.0f;
        else
            value = where.y < size.top + size.height() / 2 ? -1.0f : 1.0f;
        // Every change is reported, also back to a state already drawn.
        if (value != reported && listener != nullptr) listener->valueChanged(context, this);
        reported = value;
        getMouseLocation(context, where);
        doIdleStuff();
    }
    value = 0;
    if (value != reported && listener != nullptr) listener->valueChanged(context, this);
    endEdit();
}

}  // namespace VSTGUI
