#include "effect/editor/movie_meter.h"

#include "effect/editor/film_strip.h"
#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

CMovieMeter::CMovieMeter(const CRect& size, CControlListener* listener, int32_t tag,
                         int32_t frameCount, int32_t frameHeight, CBitmap* standardScale,
                         CBitmap* alternateScale, const CPoint& offset, int32_t scaleMode)
    : CControl(size, listener, tag, standardScale),
      sourceOffset(offset),
      frameCount(frameCount),
      frameHeight(frameHeight),
      alternateScale(alternateScale),
      scaleMode(scaleMode) {
    if (alternateScale != nullptr) alternateScale->remember();
}

CMovieMeter::~CMovieMeter() {
    if (alternateScale != nullptr) alternateScale->forget();
}

float CMovieMeter::meterPosition(float level) { return ::meterPosition(level, scaleMode != 0); }

void CMovieMeter::setScaleMode(int32_t mode) {
    scaleMode = mode;
    setDirty(true);
}

int32_t CMovieMeter::currentFrame() {
    if (!(value >= 0)) value = 0;  // negative, or not a number
    float position = meterPosition(value);
    if (position > 1) position = 1;
    return static_cast<int32_t>(static_cast<float>(frameCount - 1) * position + 0.5f);
}

void CMovieMeter::draw(CDrawContext* context) {
    CPoint source = sourceOffset;
    source.y += currentFrame() * frameHeight;
    drawStripFrame(context, scaleMode != 0 ? alternateScale : pBackground, source);
    setDirty(false);
}

void CMovieMeter::mouse(CDrawContext* context, CPoint& /*where*/, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    scaleMode = scaleMode == 0 ? 1 : 0;
    value = static_cast<float>(scaleMode);
    draw(context);
    if (listener != nullptr) listener->valueChanged(context, this);
}
