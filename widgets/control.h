// A view with a value: reports user changes to its listener, brackets host edits through the
// frame, and knows the gestures all controls share (control-click default, double-click).
#pragma once

#include "widgets/control_listener.h"
#include "widgets/view.h"

namespace VSTGUI {

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);
    ~CControl() override;

    bool isDirty() const override;
    void setDirty(bool state = true) override;
    bool isTypeOf(const char* className) const override;

    virtual void doIdleStuff();
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    virtual void setMin(float minimum) { vmin = minimum; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float maximum) { vmax = maximum; }
    virtual float getMax() const { return vmax; }
    virtual void setOldValue(float old) { oldValue = old; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setTag(int32_t newTag) { tag = newTag; }
    virtual int32_t getTag() const { return tag; }
    virtual void beginEdit();
    virtual void endEdit();
    virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
    virtual void copyBackOffset() { backOffset = size.topLeft(); }
    virtual void setWheelInc(float increment) { wheelInc = increment; }
    virtual float getWheelInc() const { return wheelInc; }
    virtual void bounceValue();
    virtual bool checkDefaultValue(CDrawContext* context, int32_t buttons);

    // Non-virtual helpers.
    CControlListener* getListener() const { return listener; }
    void setListener(CControlListener* newListener) { listener = newListener; }
    const CPoint& getBackOffset() const { return backOffset; }
    // True for the second press within the double-click interval.
    bool isDoubleClick();
    // The buttons and modifier keys held now.
    int32_t getMouseButtons() const;

protected:
    // Copies the part of `strip` at `source` into this control's rectangle (colour-keyed when
    // transparent).
    void drawStripFrame(CDrawContext* context, CBitmap* strip, CPoint source);

    CControlListener* listener;
    int32_t tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float wheelInc = 0.1f;
    int64_t lastPressTicks = -1;
    int32_t doubleClickInterval;
    CPoint backOffset;
};

}  // namespace VSTGUI
