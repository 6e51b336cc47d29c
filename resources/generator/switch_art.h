// Strips of the buttons, switches, lever and over LED. Frame order follows the controls:
// toggles show off then on, switches their positions top to bottom, the lever up, left,
// right, down, the LED dark to fully lit.
#pragma once

#include <span>
#include <string_view>

#include "resources/generator/cairo_handles.h"
#include "resources/generator/editor_layout.h"
#include "resources/generator/palette.h"

namespace calorvane::art {

struct ToggleLook {
    Rgb lamp;
    // Words shown in the lamp window for off and on; empty for a plain lamp.
    std::string_view offWord;
    std::string_view onWord;
};

// Illuminated push button with a lamp window (two frames: off, on).
SurfacePtr renderToggleStrip(cairo_surface_t* panel, const PixelRect& place,
                             const ToggleLook& look);
// Small round push button with a lamp in its cap (two frames).
SurfacePtr renderRoundButtonStrip(cairo_surface_t* panel, const PixelRect& place, Rgb lamp);
// Slide switch with one printed word per position (frame i = position i).
SurfacePtr renderSlideSwitchStrip(cairo_surface_t* panel, const PixelRect& place,
                                  std::span<const std::string_view> positionWords);
// Four-way lever: up (mono), left, right, down (stereo).
SurfacePtr renderLeverStrip(cairo_surface_t* panel, const PixelRect& place);
// Over LED: `frameCount` frames from dark (0) to fully lit (last).
SurfacePtr renderLedStrip(cairo_surface_t* panel, const PixelRect& place, int frameCount);

}  // namespace calorvane::art
