#pragma once
#include <cstddef>
struct EmbeddedBitmap { int id; int width; int height; const unsigned char* png; std::size_t pngSize; };
// nullptr when the id is unknown.
const EmbeddedBitmap* findEmbeddedBitmap(int id);
