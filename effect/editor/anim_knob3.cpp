#include "effect/editor/anim_knob3.h"

#include "effect/editor/film_strip.h"
#include "effect/editor/knob_drag.h"
#include "widgets/bitmap.h"

using namespace VSTGUI;

CAnimKnob3::CAnimKnob3(const CRect& size, CControlListener* listener, int32_t tag,
                       int32_t frameCount, int32_t frameWidth, int32_t frameHeight, CBitmap* grid,
                       const CPoint& offset)
    : CAnimKnob(size, listener, tag, frameCount, frameHeight, grid, offset),
      frameWidth(frameWidth),
      bitmapHeight(grid != nullptr ? grid->getHeight() : 0),
      rowsPerColumn(frameHeight > 0 ? bitmapHeight / frameHeight : 0) {}

CAnimKnob3::~CAnimKnob3() = default;

CPoint CAnimKnob3::sourcePoint() const {
    const StripPoint source =
        gridKnobSource(value, subPixmaps, frameWidth, heightOfOneImage, bitmapHeight);
    return {source.x, source.y};
}

void CAnimKnob3::draw(CDrawContext* context) {
    drawStripFrame(context, pBackground, sourcePoint());
    valueToPoint(lastDrawnPoint);
    setDirty(false);
}

void CAnimKnob3::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    dragFilmStripKnob(*this, context, where, buttons, KnobDragVariant::Grid);
}
