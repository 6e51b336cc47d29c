#include "effect/editor/view_container_switch.h"

#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

CViewContainerSwitch::CViewContainerSwitch(const CRect& size, CControlListener* listener,
                                           int32_t tag)
    : CControl(size, listener, tag) {}

CViewContainerSwitch::~CViewContainerSwitch() = default;

void CViewContainerSwitch::draw(CDrawContext* /*context*/) { setDirty(false); }

void CViewContainerSwitch::mouse(CDrawContext* context, CPoint& /*where*/, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    value = value > 0.5f ? 0.0f : 1.0f;
    if (listener != nullptr) listener->valueChanged(context, this);
}
