// Every bitmap of both builds, rendered in id order.
#pragma once

#include <vector>

#include "resources/generator/cairo_handles.h"

namespace calorvane::art {

struct RenderedBitmap {
    int id;
    SurfacePtr surface;
};

std::vector<RenderedBitmap> renderAllBitmaps();

}  // namespace calorvane::art
