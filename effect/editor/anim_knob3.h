// Knob whose frames fill the columns of a grid bitmap, top to bottom, column after column.
#pragma once

#include "widgets/knob.h"

class CAnimKnob3 : public VSTGUI::CAnimKnob {
public:
    CAnimKnob3(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
               int32_t frameCount, int32_t frameWidth, int32_t frameHeight, VSTGUI::CBitmap* grid,
               const VSTGUI::CPoint& offset = VSTGUI::CPoint());
    ~CAnimKnob3() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;

    // The grid's corner for the current value.
    VSTGUI::CPoint sourcePoint() const;

private:
    int32_t frameWidth;
    int32_t bitmapHeight;
    int32_t rowsPerColumn;
};
