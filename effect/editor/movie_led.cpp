#include "effect/editor/movie_led.h"

#include "effect/editor/film_strip.h"
#include "widgets/frame.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

CMovieLED::CMovieLED(const CRect& size, CControlListener* listener, int32_t tag, int32_t frameCount,
                     int32_t frameHeight, CBitmap* strip, const CPoint& offset)
    : CControl(size, listener, tag, strip),
      sourceOffset(offset),
      decayStep(frameCount > 1 ? 1.0f / static_cast<float>(frameCount - 1) : 1.0f),
      frameCount(frameCount),
      frameHeight(frameHeight) {
    value = 0;
    oldValue = 0;
    bMouseEnabled = true;
}

CMovieLED::~CMovieLED() = default;

void CMovieLED::draw(CDrawContext* context) {
    LedState led{value, oldValue};
    const int32_t frame = frameCount > 1 ? ledFrame(led, frameCount) : -1;
    value = led.value;
    // Dark is frame 0: the lit picture of an earlier over must not stay on screen.
    drawnFrame = frame < 0 ? 0 : frame;
    CPoint source = sourceOffset;
    source.y += drawnFrame * frameHeight;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CMovieLED::reset() {
    oldValue = 0;
    setValue(0);
    setDirty(true);
}

void CMovieLED::mouse(CDrawContext* context, CPoint& /*where*/, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    reset();
    // The editor hears of the click so that it can clear the other LED as well.
    if (listener != nullptr) listener->valueChanged(context, this);
    doIdleStuff();
    if (pParentFrame != nullptr) pParentFrame->endEdit(tag);
}
