// The preset bar's buttons: arrows (normal, mouse over, pressed, dimmed) and the grey rocker
// (rest, left lit, right lit, left pressed, right pressed).
#pragma once

#include "resources/generator/cairo_handles.h"
#include "resources/generator/palette.h"

namespace calorvane::art {

enum class ArrowPointing { Up, Down };

SurfacePtr renderArrowStrip(Rgb colour, ArrowPointing pointing, int widthPx, int frameHeightPx,
                            int frameCount);
SurfacePtr renderRockerStrip(int widthPx, int frameHeightPx, int frameCount);

}  // namespace calorvane::art
