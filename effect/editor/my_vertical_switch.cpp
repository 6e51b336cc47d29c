#include "effect/editor/my_vertical_switch.h"

#include "effect/editor/film_strip.h"

using namespace VSTGUI;

CMyVerticalSwitch::CMyVerticalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                     int32_t frameCount, int32_t frameHeight, int32_t positions,
                                     CBitmap* background, const CPoint& offset)
    : CVerticalSwitch(size, listener, tag, frameCount, frameHeight, positions, background, offset) {
}

CMyVerticalSwitch::~CMyVerticalSwitch() = default;

void CMyVerticalSwitch::draw(CDrawContext* context) {
    CPoint source = offset;
    source.y += verticalSwitchFrame(value, positions) * heightOfOneImage;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}
