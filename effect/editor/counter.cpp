#include "effect/editor/counter.h"

#include "effect/editor/counter_glyphs.h"
#include "widgets/bitmap.h"

using namespace VSTGUI;

CCounter::CCounter(const CRect& size, CControlListener* listener, int32_t tag, float initialValue,
                   int32_t unit, int32_t originX, int32_t originY, int32_t glyphWidth,
                   int32_t glyphHeight, CBitmap* glyphs)
    : CControl(size, listener, tag, glyphs),
      unit(unit),
      originX(originX),
      originY(originY),
      glyphWidth(glyphWidth),
      glyphHeight(glyphHeight) {
    codes.fill(GlyphBlank);
    value = initialValue;
}

CCounter::~CCounter() = default;

float CCounter::getNormalizedValue() {
    if (vmax == 0) return 0;
    const float normalized = value / vmax;
    return !(normalized > 0) ? 0 : normalized > 1 ? 1 : normalized;
}

void CCounter::setValueAndUnit(float newValue, int32_t newUnit) {
    setValue(newValue);
    unit = newUnit;
    setDirty(true);
}

void CCounter::draw(CDrawContext* context) {
    const CounterGlyphs glyphs = counterGlyphs(value, unit);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        codes[i] = glyphs[i];
        if (pBackground == nullptr) continue;
        const int32_t left = originX + static_cast<int32_t>(i) * glyphWidth;
        pBackground->draw(context, {left, originY, left + glyphWidth, originY + glyphHeight},
                          {0, codes[i] * glyphHeight});
    }
    setDirty(false);
}
