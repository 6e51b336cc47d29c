#include "widgets/control.h"

#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "widgets/bitmap.h"
#include "widgets/frame.h"
#include "widgets/mouse_buttons.h"

namespace VSTGUI {

namespace {
// Two presses this close always count as a double-click, whatever the system says.
constexpr int32_t kShortestDoubleClickMs = 250;
}  // namespace

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size),
      listener(listener),
      tag(tag),
      doubleClickInterval(std::max(platform::kDoubleClickTimeMs, kShortestDoubleClickMs)) {
    setBackground(background);
    // Taking the bitmap marked the control dirty; it still starts as never drawn.
    bDirty = false;
    oldValue = 1.0f;
}

CControl::~CControl() = default;

bool CControl::isDirty() const { return value != oldValue || CView::isDirty(); }

void CControl::setDirty(bool state) {
    CView::setDirty(state);
    if (state)
        oldValue = value != -1.0f ? -1.0f : 0.0f;
    else
        oldValue = value;
}

bool CControl::isTypeOf(const char* className) const {
    return std::strcmp(className, "CControl") == 0 || CView::isTypeOf(className);
}

void CControl::doIdleStuff() {
    if (pParentFrame != nullptr) pParentFrame->doIdleStuff();
}

void CControl::beginEdit() {
    if (pParentFrame == nullptr) return;
    pParentFrame->setFocusView(this);
    pParentFrame->beginEdit(tag);
}

void CControl::endEdit() {
    if (pParentFrame != nullptr) pParentFrame->endEdit(tag);
}

void CControl::bounceValue() {
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

bool CControl::checkDefaultValue(CDrawContext* context, int32_t buttons) {
    if (buttons != (kLButton | kControl)) return false;
    beginEdit();
    value = defaultValue;
    if (isDirty() && listener != nullptr) listener->valueChanged(context, this);
    endEdit();
    return true;
}

bool CControl::isDoubleClick() {
    if (pParentFrame == nullptr) return false;
    const int64_t now = pParentFrame->getTicks();
    doubleClickInterval = std::max(pParentFrame->getDoubleClickTime(), kShortestDoubleClickMs);
    if (lastPressTicks >= 0 && now - lastPressTicks < doubleClickInterval) {
        lastPressTicks = -1;
        return true;
    }
    lastPressTicks = now;
    return false;
}

int32_t CControl::getMouseButtons() const {
    return pParentFrame != nullptr ? pParentFrame->getCurrentMouseButtons() : 0;
}

void CControl::drawStripFrame(CDrawContext* context, CBitmap* strip, CPoint source) {
    if (strip == nullptr) return;
    if (bTransparencyEnabled)
        strip->drawTransparent(context, size, source);
    else
        strip->draw(context, size, source);
}

}  // namespace VSTGUI
