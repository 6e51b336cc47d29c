#include "widgets/kick_button.h"

#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                         int32_t heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background),
      offset(offset),
      heightOfOneImage(heightOfOneImage) {}

CKickButton::~CKickButton() = default;

bool CKickButton::isTypeOf(const char* className) const {
    return std::strcmp(className, "CKickButton") == 0 || CControl::isTypeOf(className);
}

void CKickButton::draw(CDrawContext* context) {
    CPoint source = offset;
    if (value > 0.5f) source.y += heightOfOneImage;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CKickButton::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    beginEdit();
    float reported = value;
    bool first = true;
    // The first pass takes the press itself: a quick click may be over before it is delivered.
    while (first || (getMouseButtons() & kLButton)) {
        value = size.pointInside(where) ? 1.0f : 0.0f;
        // Every change is reported, also back to a state already drawn.
        if ((first || value != reported) && listener != nullptr)
            listener->valueChanged(context, this);
        first = false;
        reported = value;
        getMouseLocation(context, where);
        doIdleStuff();
    }
    if (value != 0) {
        value = 0;
        if (listener != nullptr) listener->valueChanged(context, this);
    }
    endEdit();
}

}  // namespace VSTGUI
