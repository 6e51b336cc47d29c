// Six-glyph liquid-crystal read-out of a value in dB, Hz, % or as a plain number.
#pragma once

#include <array>

#include "widgets/control.h"

class CCounter : public VSTGUI::CControl {
public:
    CCounter(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
             float initialValue, int32_t unit, int32_t originX, int32_t originY, int32_t glyphWidth,
             int32_t glyphHeight, VSTGUI::CBitmap* glyphs);
    ~CCounter() override;

    void draw(VSTGUI::CDrawContext* context) override;
    // value / maximum, within 0..1.
    virtual float getNormalizedValue();
    virtual void setValueAndUnit(float newValue, int32_t newUnit);

    int32_t getUnit() const { return unit; }
    const std::array<int32_t, 6>& glyphCodes() const { return codes; }

private:
    int32_t unit;
    std::array<int32_t, 6> codes;
    int32_t originX;
    int32_t originY;
    int32_t glyphWidth;
    int32_t glyphHeight;
};
