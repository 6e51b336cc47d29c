#include "effect/editor/my_on_off_button.h"

#include "effect/editor/film_strip.h"
#include "widgets/bitmap.h"

using namespace VSTGUI;

CMyOnOffButton::CMyOnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                               CBitmap* background, int32_t style)
    : COnOffButton(size, listener, tag, background, style) {}

CMyOnOffButton::~CMyOnOffButton() = default;

void CMyOnOffButton::draw(CDrawContext* context) {
    CPoint source;
    if (pBackground != nullptr) source.y = toggleFrame(value) * (pBackground->getHeight() / 2);
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}
