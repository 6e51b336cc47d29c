#include "widgets/knob.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/platform_window.h"
#include "widgets/bitmap.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"

namespace VSTGUI {

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr float kLinearRangePx = 200;
}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {
    radius = static_cast<float>(size.width()) / 2.0f;
    setHandleBitmap(handle);
    setStartAngle(static_cast<float>(5 * std::numbers::pi / 4));
    setRangeAngle(static_cast<float>(-3 * std::numbers::pi / 2));
}

CKnob::~CKnob() {
    if (pHandle != nullptr) pHandle->forget();
}

bool CKnob::isTypeOf(const char* className) const {
    return std::strcmp(className, "CKnob") == 0 || CControl::isTypeOf(className);
}

void CKnob::setHandleBitmap(CBitmap* bitmap) {
    // Take the new reference first: the new bitmap may be the one held now.
    if (bitmap != nullptr) bitmap->remember();
    if (pHandle != nullptr) pHandle->forget();
    pHandle = bitmap;
    if (pHandle != nullptr) {
        insetPx = static_cast<int32_t>(pHandle->getWidth() / 2.0 + 2.5);
    } else {
        insetPx = 3;
    }
}

void CKnob::setStartAngle(float radians) {
    startAngle = radians;
    halfAngle = static_cast<float>((kTwoPi - std::fabs(rangeAngle)) / 2);
}

void CKnob::setRangeAngle(float radians) {
    rangeAngle = radians;
    halfAngle = static_cast<float>((kTwoPi - std::fabs(rangeAngle)) / 2);
}

void CKnob::valueToPoint(CPoint& point) const {
    const float span = vmax - vmin;
    const double fraction = span != 0 ? (value - vmin) / span : 0;
    const double alpha = startAngle + fraction * rangeAngle;
    const double reach = radius - insetPx;
    point.x = static_cast<int32_t>(radius + std::cos(alpha) * reach + 0.5);
    point.y = static_cast<int32_t>(radius - std::sin(alpha) * reach + 0.5);
}

float CKnob::valueFromPoint(const CPoint& where) const {
    // Angle of the point, counter-clockwise from the right, y upwards.
    double alpha = std::atan2(radius - where.y, where.x - radius);
    // Distance from the start angle in the knob's sweep direction.
    double travelled = (startAngle - alpha) * (rangeAngle < 0 ? 1 : -1);
    travelled = std::fmod(travelled, kTwoPi);
    if (travelled < 0) travelled += kTwoPi;
    const double sweep = std::fabs(rangeAngle);
    // In the gap the first half reads past the end, the second half before the start.
    if (travelled > sweep + halfAngle) travelled -= kTwoPi;
    const double fraction = travelled / sweep;
    return static_cast<float>(vmin + fraction * (vmax - vmin));
}

void CKnob::draw(CDrawContext* context) {
    if (pBackground != nullptr) {
        if (bTransparencyEnabled)
            pBackground->drawTransparent(context, size, offset);
        else
            pBackground->draw(context, size, offset);
    }
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context) {
    CPoint handle;
    valueToPoint(handle);
    handle.offset(size.left, size.top);
    if (pHandle != nullptr) {
        const int32_t w = pHandle->getWidth();
        const int32_t h = pHandle->getHeight();
        const CRect where(handle.x - w / 2, handle.y - h / 2, handle.x - w / 2 + w,
                          handle.y - h / 2 + h);
        pHandle->drawTransparent(context, where);
        return;
    }
    const CPoint centre(size.left + static_cast<int32_t>(radius),
                        size.top + static_cast<int32_t>(radius));
    context->setLineWidth(1);
    context->setFrameColor(colorShadowHandle);
    context->moveTo({centre.x + 1, centre.y + 1});
    context->lineTo({handle.x + 1, handle.y + 1});
    context->setFrameColor(colorHandle);
    context->moveTo(centre);
    context->lineTo(handle);
}

void CKnob::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    if (listener != nullptr && (buttons & kModifierKeys) != 0 &&
        listener->controlModifierClicked(context, this, buttons) != 0)
        return;
    if (checkDefaultValue(context, buttons)) return;

    const int32_t mode = pParentFrame != nullptr ? pParentFrame->getKnobMode() : kCircularMode;
    const bool alternate = (buttons & kAlt) != 0;
    const bool linear = (mode == kLinearMode && !alternate) || (mode == kCircularMode && alternate);

    beginEdit();
    const float span = vmax - vmin;
    float rangePx = (buttons & kShift) ? kLinearRangePx * zoomFactor : kLinearRangePx;
    CPoint start = where;
    float entryValue = value;
    int32_t startButtons = buttons;
    float previousCircular = valueFromPoint({where.x - size.left, where.y - size.top});
    const float halfSpan = span / 2;
    CPoint previous = where;

    while (true) {
        buttons = getMouseButtons();
        if (!(buttons & kLButton)) break;
        if (linear && buttons != startButtons) {
            // Shift changed: carry on from here at the new rate, without a jump.
            rangePx = (buttons & kShift) ? kLinearRangePx * zoomFactor : kLinearRangePx;
            entryValue = value;
            start = previous;
            startButtons = buttons;
        }
        if (where != previous) {
            previous = where;
            if (linear) {
                const int32_t distance = (start.y - where.y) + (where.x - start.x);
                value = entryValue + static_cast<float>(distance) * span / rangePx;
            } else {
                value = valueFromPoint({where.x - size.left, where.y - size.top});
                if (previousCircular - value > halfSpan)
                    value = vmax;
                else if (value - previousCircular > halfSpan)
                    value = vmin;
                else
                    previousCircular = value;
            }
            bounceValue();
            if (isDirty() && listener != nullptr) listener->valueChanged(context, this);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    }
    endEdit();
}

bool CKnob::onWheel(CDrawContext* context, const CPoint& /*where*/, float distance) {
    if (!bMouseEnabled) return false;
    const int32_t buttons = getMouseButtons();
    if (buttons & kShift)
        value += 0.1f * distance * wheelInc;
    else
        value += distance * wheelInc;
    bounceValue();
    if (isDirty()) {
        beginEdit();
        if (listener != nullptr) listener->valueChanged(context, this);
        endEdit();
    }
    return true;
}

int32_t CKnob::onKeyDown(VstKeyCode& /*key*/) { return -1; }

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                     int32_t heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage) {}

CAnimKnob::~CAnimKnob() = default;

bool CAnimKnob::isTypeOf(const char* className) const {
    return std::strcmp(className, "CAnimKnob") == 0 || CKnob::isTypeOf(className);
}

bool CAnimKnob::isDirty() const {
    if (!bDirty) {
        CPoint point;
        valueToPoint(point);
        if (point == lastDrawnPoint) return false;
    }
    return CKnob::isDirty();
}

void CAnimKnob::draw(CDrawContext* context) {
    CPoint source;
    if (value >= 0 && heightOfOneImage > 0 && subPixmaps > 1) {
        const float shown = bInverseBitmap ? 1 - value : value;
        // Past the strip nothing is drawn; the bound only keeps the conversion defined.
        const float limit = static_cast<float>(heightOfOneImage) * static_cast<float>(subPixmaps);
        const float exact = shown * static_cast<float>(heightOfOneImage) * static_cast<float>(subPixmaps - 1);
        auto top = static_cast<int32_t>(std::clamp(exact, -limit, limit));
        source.y = top - top % heightOfOneImage;
    }
    drawStripFrame(context, pBackground, source);
    valueToPoint(lastDrawnPoint);
    setDirty(false);
}

}  // namespace VSTGUI
