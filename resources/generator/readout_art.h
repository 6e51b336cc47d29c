// Glyphs of the liquid-crystal read-out, one per code, stacked top to bottom: the digits 0..9,
// decimal point, k, plus, minus, percent, dB, Hz and blank.
#pragma once

#include "resources/generator/cairo_handles.h"

namespace calorvane::art {

inline constexpr int kGlyphCount = 18;
inline constexpr int kGlyphPoint = 10;
inline constexpr int kGlyphKilo = 11;
inline constexpr int kGlyphPlus = 12;
inline constexpr int kGlyphMinus = 13;
inline constexpr int kGlyphPercent = 14;
inline constexpr int kGlyphDecibel = 15;
inline constexpr int kGlyphHertz = 16;
inline constexpr int kGlyphBlank = 17;

SurfacePtr renderGlyphStrip(int glyphWidthPx, int glyphHeightPx);

}  // namespace calorvane::art
