// Needle meter strips: frame k shows the needle at position k / (frames - 1) of the arc. The
// printed marks sit where the meter law puts each level, so the needle reads true.
#pragma once

#include "resources/generator/cairo_handles.h"

namespace calorvane::art {

enum class MeterScale { Standard, Alternate };

// Needle position 0..1 for a linear level (1.0 = reference), as the meter control computes
// it: 0.617 * level^1.2 + 0.018, with the square root of level^1.2 on the alternate scale.
double meterNeedlePosition(double level, MeterScale scale);

SurfacePtr renderMeterStrip(MeterScale scale, int widthPx, int frameHeightPx, int frameCount);

}  // namespace calorvane::art
