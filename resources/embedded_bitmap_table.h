// The table that the art generator writes at build time (embedded_bitmaps.cpp in the build
// folder): one entry per bitmap, PNG bytes in read-only data.
#pragma once

#include <cstddef>

#include "resources/bitmap_resources.h"

namespace calorvane::resources {

extern const EmbeddedBitmap kEmbeddedBitmaps[];
extern const std::size_t kEmbeddedBitmapCount;

}  // namespace calorvane::resources
