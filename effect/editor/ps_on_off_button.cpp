#include "effect/editor/ps_on_off_button.h"

#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

CPSOnOffButton::CPSOnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                               CBitmap* background)
    : COnOffButton(size, listener, tag, background) {}

CPSOnOffButton::~CPSOnOffButton() = default;

int32_t CPSOnOffButton::frameIndex() const { return pressed ? 2 : highlighted ? 1 : 0; }

void CPSOnOffButton::draw(CDrawContext* context) {
    CPoint source;
    if (pBackground != nullptr) source.y = frameIndex() * (pBackground->getHeight() / 4);
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CPSOnOffButton::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled || !enabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener != nullptr) listener->valueChanged(context, this);
    pressed = 1;
    setDirty(true);
    while (getMouseButtons() & kLButton) {
        getMouseLocation(context, where);
        doIdleStuff();
    }
    pressed = 0;
    setDirty(true);
}

void CPSOnOffButton::setHighlight(bool on) {
    const uint8_t next = on ? 1 : 0;
    if (next == highlighted) return;
    highlighted = next;
    setDirty(true);
}
