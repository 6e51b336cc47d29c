#include "effect/editor/knob_drag.h"

#include "effect/editor/preset_system_listener.h"
#include "widgets/frame.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

namespace {

constexpr float kRangePx = 300;
constexpr float kFineRangePx = 1500;

void setClamped(CAnimKnob& knob, float value) {
    knob.setValue(value);
    knob.bounceValue();
}

void reportChange(CAnimKnob& knob, CDrawContext* context) {
    if (knob.getListener() != nullptr) knob.getListener()->valueChanged(context, &knob);
}

}  // namespace

void dragFilmStripKnob(CAnimKnob& knob, CDrawContext* context, CPoint& where, int32_t buttons,
                       KnobDragVariant variant) {
    if (!knob.getMouseEnabled()) return;
    if (buttons == -1) buttons = knob.getMouseButtons();
    if (!(buttons & kLButton)) return;
    CFrame* frame = knob.getFrame();
    const int32_t tag = knob.getTag();

    if (variant == KnobDragVariant::Grid) reportChange(knob, context);

    const bool controlClick = buttons == (kLButton | kControl);
    // A control-click also restarts the double-click timer of the strip knob.
    const bool doubleClick =
        (variant == KnobDragVariant::Strip || !controlClick) && knob.isDoubleClick();
    if (controlClick) {
        // Bracketed, so the host records the reset as one edit.
        if (frame != nullptr) frame->beginEdit(tag);
        knob.setValue(knob.getDefaultValue());
        if (knob.isDirty()) reportChange(knob, context);
        if (frame != nullptr) frame->endEdit(tag);
        return;
    }
    if (doubleClick) {
        if (auto* presetListener = dynamic_cast<CPresetSystemListener*>(knob.getListener()))
            presetListener->beginValueEntry(tag);
        return;
    }

    const float minimum = knob.getMin();
    const float maximum = knob.getMax();
    const float span = maximum - minimum;
    const float halfSpan = span * 0.5f;
    float entryValue = knob.getValue();
    float coefficient = span / kRangePx;
    int32_t previousButtons = buttons;
    const int32_t mode = frame != nullptr ? frame->getKnobMode() : kCircularMode;
    const bool alternate = (buttons & kAlt) != 0;
    const bool linear = (mode == kLinearMode) != alternate;
    const CRect& size = knob.getSize();
    auto onCircle = [&](const CPoint& point) {
        return knob.valueFromPoint({point.x - size.left, point.y - size.top});
    };

    float previousCircular = knob.getOldValue();
    if (linear) {
        if (buttons & kShift) coefficient = span / kFineRangePx;
    } else {
        previousCircular = onCircle(where);
    }

    // Linear movement counts from the press, not from the first position read below: the
    // pointer may have moved before the press reached the knob.
    CPoint previous = where;
    reportChange(knob, context);
    knob.getMouseLocation(context, where);
    knob.doIdleStuff();
    if (frame != nullptr) frame->beginEdit(tag);

    int32_t accumulatedPx = 0;
    while (true) {
        buttons = knob.getMouseButtons();
        if (!(buttons & kLButton)) break;
        if (variant == KnobDragVariant::Grid && where != previous) reportChange(knob, context);
        if (linear) {
            // Up counts double so that vertical movement is one to one and horizontal half rate.
            accumulatedPx += (where.x - previous.x) + 2 * (previous.y - where.y);
            const float diff = static_cast<float>(accumulatedPx) / 2;
            if (buttons != previousButtons) {
                const float nextCoefficient = span / ((buttons & kShift) ? kFineRangePx : kRangePx);
                entryValue += diff * (coefficient - nextCoefficient);
                coefficient = nextCoefficient;
            }
            setClamped(knob, entryValue + diff * coefficient);
        } else {
            float value = onCircle(where);
            if (previousCircular - value > halfSpan)
                value = maximum;
            else if (value - previousCircular > halfSpan)
                value = minimum;
            else
                previousCircular = value;
            setClamped(knob, value);
        }
        previousButtons = buttons;
        previous = where;
        if (knob.isDirty()) reportChange(knob, context);
        knob.getMouseLocation(context, where);
        knob.doIdleStuff();
    }
    if (frame != nullptr) frame->endEdit(tag);
}
