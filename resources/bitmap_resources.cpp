#include "resources/bitmap_resources.h"

#include "resources/embedded_bitmap_table.h"

// Any thread; no allocation. The table is small enough for a linear search.
const EmbeddedBitmap* findEmbeddedBitmap(int id) {
    using calorvane::resources::kEmbeddedBitmapCount;
    using calorvane::resources::kEmbeddedBitmaps;
    for (std::size_t i = 0; i < kEmbeddedBitmapCount; ++i) {
        if (kEmbeddedBitmaps[i].id == id) return &kEmbeddedBitmaps[i];
    }
    return nullptr;
}
