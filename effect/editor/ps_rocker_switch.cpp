#include "effect/editor/ps_rocker_switch.h"

#include "effect/editor/preset_system_listener.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

CPSRockerSwitch::CPSRockerSwitch(const CRect& size, CPresetSystemListener* presetListener,
                                 int32_t tag, int32_t frameHeight, CBitmap* background,
                                 const CPoint& offset, int32_t style)
    : CRockerSwitch(size, presetListener, tag, frameHeight, background, offset, style),
      presetListener(presetListener) {
    const int32_t middle = size.left + size.width() / 2;
    leftRect = {size.left, size.top, middle, size.bottom};
    rightRect = {middle, size.top, size.right, size.bottom};
}

CPSRockerSwitch::~CPSRockerSwitch() = default;

int32_t CPSRockerSwitch::frameIndex() const {
    if (value == 1.0f) return 4;
    if (value == -1.0f) return 3;
    return hoverZone;
}

void CPSRockerSwitch::draw(CDrawContext* context) {
    CPoint source = offset;
    source.y += frameIndex() * heightOfOneImage;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CPSRockerSwitch::mouse(CDrawContext* /*context*/, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled || presetListener == nullptr) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    const bool next = !leftRect.pointInside(where);
    value = next ? 1.0f : -1.0f;
    doIdleStuff();
    presetListener->stepPreset(next);
    setDirty(true);
    value = 0;
}

void CPSRockerSwitch::setHover(bool inside, int32_t x, int32_t y) {
    int32_t zone = 0;
    if (inside) {
        const CPoint at(x, y);
        zone = leftRect.pointInside(at) ? 1 : rightRect.pointInside(at) ? 2 : 0;
    }
    if (zone == hoverZone) return;
    hoverZone = zone;
    setDirty(true);
}
