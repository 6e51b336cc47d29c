#include "effect/editor/click_rect.h"

using namespace VSTGUI;

CClickRect::CClickRect(const CRect& size, CControlListener* listener, int32_t tag)
    : CControl(size, listener, tag) {}

CClickRect::~CClickRect() = default;

void CClickRect::draw(CDrawContext* /*context*/) { setDirty(false); }

void CClickRect::mouse(CDrawContext* context, CPoint& /*where*/, int32_t /*buttons*/) {
    if (bMouseEnabled && listener != nullptr) listener->valueChanged(context, this);
}
