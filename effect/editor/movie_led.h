// Over LED: lights fully at an over, steps down once per redraw and stays dim until reset.
#pragma once

#include "widgets/control.h"

class CMovieLED : public VSTGUI::CControl {
public:
    CMovieLED(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
              int32_t frameCount, int32_t frameHeight, VSTGUI::CBitmap* strip,
              const VSTGUI::CPoint& offset);
    ~CMovieLED() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
    virtual void reset();

    float getDecayStep() const { return decayStep; }
    // The frame drawn last.
    int32_t lastFrame() const { return drawnFrame; }

private:
    VSTGUI::CPoint sourceOffset;
    float decayStep;
    int32_t frameCount;
    int32_t frameHeight;
    int32_t drawnFrame = 0;
};
