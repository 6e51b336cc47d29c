#include "effect/editor/my_lrud_button.h"

#include "effect/editor/film_strip.h"
#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

namespace {
constexpr float kUp = 0.0f;
constexpr float kLeft = 0.33f;
constexpr float kRight = 0.67f;
constexpr float kDown = 1.0f;

bool within(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }
}  // namespace

CMyLRUDButton::CMyLRUDButton(const CRect& size, CControlListener* listener, int32_t tag,
                             CBitmap* background, int32_t style)
    : COnOffButton(size, listener, tag, background, style) {}

CMyLRUDButton::~CMyLRUDButton() = default;

void CMyLRUDButton::draw(CDrawContext* context) {
    CPoint source;
    if (pBackground != nullptr) source.y = leverFrame(value) * (pBackground->getHeight() / 4);
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

float CMyLRUDButton::valueAt(const CPoint& where, float pressValue) const {
    const int32_t l = size.left;
    const int32_t t = size.top;
    const int32_t r = size.right;
    const int32_t b = size.bottom;
    const int32_t w = (r - l) / 4;
    const int32_t h = (b - t) / 4;
    const int32_t half = (b - t) / 2;
    if (within(where.x, l, l + w) && within(where.y, t + h, b - h)) return kLeft;
    if (within(where.x, r - w, r) && within(where.y, t + h, b - h)) return kRight;
    if (within(where.x, l + w, r - w) && within(where.y, b - half, b)) return kDown;
    if (within(where.x, l + w, r - w) && within(where.y, t, t + h)) return kUp;
    return pressValue;
}

void CMyLRUDButton::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (listener != nullptr && (buttons & kModifierKeys) != 0 &&
        listener->controlModifierClicked(context, this, buttons) != 0)
        return;
    if (!(buttons & kLButton)) return;
    const float pressValue = value;
    beginEdit();
    do {
        value = valueAt(where, pressValue);
        if (isDirty() && listener != nullptr) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdleStuff();
    } while (getMouseButtons() & (kLButton | kMButton | kRButton));
    if (listener != nullptr) listener->valueChanged(context, this);
    endEdit();
}
