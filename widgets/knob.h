// A rotary knob: a background and a handle (bitmap or line) on a circle from 225 degrees
// clockwise through 270 degrees. Dragged linearly or circularly by the editor-wide knob mode.
#pragma once

#include "widgets/control.h"

namespace VSTGUI {

class CKnob : public CControl {
public:
    CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
          CBitmap* handle, const CPoint& offset = CPoint());
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    bool isTypeOf(const char* className) const override;

    virtual void drawHandle(CDrawContext* context);
    virtual void setStartAngle(float radians);
    virtual float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float radians);
    virtual float getRangeAngle() const { return rangeAngle; }
    // The handle point for the value, relative to the knob's corner.
    virtual void valueToPoint(CPoint& point) const;
    // The value at `where` (relative to the knob's corner) on the knob's circle; the gap at the
    // bottom reads a little beyond the nearer end.
    virtual float valueFromPoint(const CPoint& where) const;
    virtual void setInsetValue(int32_t inset) { insetPx = inset; }
    virtual void setColorHandle(CColor colour) { colorHandle = colour; }
    virtual void setColorShadowHandle(CColor colour) { colorShadowHandle = colour; }
    virtual void setHandleBitmap(CBitmap* bitmap);
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    virtual float getZoomFactor() const { return zoomFactor; }

protected:
    CBitmap* pHandle = nullptr;
    CPoint offset;
    int32_t insetPx = 3;
    CColor colorHandle = kWhiteCColor;
    CColor colorShadowHandle = kGreyCColor;
    float startAngle = 0;
    float rangeAngle = 0;
    float halfAngle = 0;
    float aCoef = 0;
    float bCoef = 0;
    float radius = 0;
    float zoomFactor = 1.5f;
};

// A knob drawn from a film strip: frame floor(value x (frames - 1)) of a vertical strip.
class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
              int32_t heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());
    ~CAnimKnob() override;

    void draw(CDrawContext* context) override;
    // Dirty only when the handle point of the value moved: tiny changes cause no redraw.
    bool isDirty() const override;
    bool isTypeOf(const char* className) const override;

    void setInverseBitmap(bool inverse) { bInverseBitmap = inverse; }
    int32_t getNumSubPixmaps() const { return subPixmaps; }
    int32_t getHeightOfOneImage() const { return heightOfOneImage; }

protected:
    int32_t subPixmaps;
    int32_t heightOfOneImage;
    bool bInverseBitmap = false;
    CPoint lastDrawnPoint{-1, -1};
};

}  // namespace VSTGUI
