// The panel backgrounds: front (main and classic build), rear, and the two name plates. They
// carry every printed label; the controls' own pictures are pasted on afterwards.
#pragma once

#include <string_view>

#include "resources/generator/cairo_handles.h"

namespace calorvane::art {

enum class PanelVariant { Main, Classic };

// 450 x 460: meter bridge, face, and the preset bar strip along the bottom.
SurfacePtr renderFrontPanel(PanelVariant variant);
// 450 x 445: the set-up panel.
SurfacePtr renderRearPanel();
// A brass-framed plate with the product name.
SurfacePtr renderNamePlate(std::string_view productName, int widthPx, int heightPx);
// The maker's small badge.
SurfacePtr renderMakerBadge(int widthPx, int heightPx);

}  // namespace calorvane::art
