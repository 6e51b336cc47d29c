// The drag of the editor's film-strip knobs: slower and steadier than the stock knob (300
// pixels for the range, 1500 with shift, horizontal movement at half weight), a double-click
// asks for a typed value, control-click restores the default.
#pragma once

#include <cstdint>

#include "widgets/knob.h"

enum class KnobDragVariant {
    Strip,  // CAnimKnob2
    Grid,   // CAnimKnob3: also reports the press and every move to the listener
};

void dragFilmStripKnob(VSTGUI::CAnimKnob& knob, VSTGUI::CDrawContext* context,
                       VSTGUI::CPoint& where, int32_t buttons, KnobDragVariant variant);
