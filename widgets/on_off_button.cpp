#include "widgets/on_off_button.h"

#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style) {}

COnOffButton::~COnOffButton() = default;

bool COnOffButton::isTypeOf(const char* className) const {
    return std::strcmp(className, "COnOffButton") == 0 || CControl::isTypeOf(className);
}

void COnOffButton::draw(CDrawContext* context) {
    CPoint source;
    if (value != 0 && pBackground != nullptr) source.y = pBackground->getHeight() / 2;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void COnOffButton::mouse(CDrawContext* context, CPoint& /*where*/, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    beginEdit();
    // Any value that truncates to 0 counts as off, so 0.7 turns on.
    value = static_cast<int32_t>(value) != 0 ? 0.0f : 1.0f;
    if (style == kPreListenerUpdate) {
        if (listener != nullptr) listener->valueChanged(context, this);
        doIdleStuff();
    } else {
        doIdleStuff();
        if (listener != nullptr) listener->valueChanged(context, this);
    }
    endEdit();
}

}  // namespace VSTGUI
