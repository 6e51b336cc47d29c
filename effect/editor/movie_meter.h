// Needle meter: a film strip of needle positions on one of two printed scales; a click swaps
// the scale.
#pragma once

#include "widgets/control.h"

class CMovieMeter : public VSTGUI::CControl {
public:
    CMovieMeter(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                int32_t frameCount, int32_t frameHeight, VSTGUI::CBitmap* standardScale,
                VSTGUI::CBitmap* alternateScale, const VSTGUI::CPoint& offset, int32_t scaleMode);
    ~CMovieMeter() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
    // Needle position 0..1 for a level (1.0 = the meter's reference).
    virtual float meterPosition(float level);
    virtual void setScaleMode(int32_t mode);

    int32_t getScaleMode() const { return scaleMode; }
    // The frame the needle shows for the current value.
    int32_t currentFrame();

private:
    VSTGUI::CPoint sourceOffset;
    int32_t frameCount;
    int32_t frameHeight;
    VSTGUI::CBitmap* alternateScale;
    int32_t scaleMode;
};
