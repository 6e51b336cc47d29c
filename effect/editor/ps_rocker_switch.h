// Previous/next rocker of the preset bar: five frames (rest, left lit, right lit, left pressed,
// right pressed); a press steps the preset at once.
#pragma once

#include "widgets/rocker_switch.h"

class CPresetSystemListener;

class CPSRockerSwitch : public VSTGUI::CRockerSwitch {
public:
    CPSRockerSwitch(const VSTGUI::CRect& size, CPresetSystemListener* presetListener, int32_t tag,
                    int32_t frameHeight, VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset,
                    int32_t style);
    ~CPSRockerSwitch() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
    // Lights the half under the mouse while it is inside.
    virtual void setHover(bool inside, int32_t x, int32_t y);

    int32_t getHoverZone() const { return hoverZone; }
    int32_t frameIndex() const;

private:
    CPresetSystemListener* presetListener;
    int32_t hoverZone = 0;
    VSTGUI::CRect leftRect;
    VSTGUI::CRect rightRect;
};
