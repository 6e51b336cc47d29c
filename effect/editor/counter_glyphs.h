// The six glyphs of the liquid-crystal read-out for a value and unit.
#pragma once

#include <array>

enum Glyph {
    GlyphPoint = 10, GlyphKilo = 11, GlyphPlus = 12, GlyphMinus = 13, GlyphPercent = 14,
    GlyphDecibel = 15, GlyphHertz = 16, GlyphBlank = 17
};

enum CounterUnit { UnitNone = 0, UnitDecibel = 1, UnitHertz = 2, UnitPercent = 3 };

using CounterGlyphs = std::array<int, 6>;

// Glyph codes 0..17 of the read-out strip, left to right. Any unit other than the four named
// ones shows a plain number with two decimals.
CounterGlyphs counterGlyphs(float value, int unit);
