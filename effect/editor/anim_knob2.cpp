#include "effect/editor/anim_knob2.h"

#include "effect/editor/knob_drag.h"

using namespace VSTGUI;

CAnimKnob2::CAnimKnob2(const CRect& size, CControlListener* listener, int32_t tag,
                       int32_t frameCount, int32_t frameHeight, CBitmap* strip,
                       const CPoint& offset)
    : CAnimKnob(size, listener, tag, frameCount, frameHeight, strip, offset) {}

CAnimKnob2::~CAnimKnob2() = default;

void CAnimKnob2::draw(CDrawContext* context) { CAnimKnob::draw(context); }

void CAnimKnob2::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    dragFilmStripKnob(*this, context, where, buttons, KnobDragVariant::Strip);
}
