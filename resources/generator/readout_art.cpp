#include "resources/generator/readout_art.h"

#include <cstdint>
#include <string_view>

#include "resources/generator/paint_kit.h"

namespace calorvane::art {

namespace {

// Seven segments, bit 0 = a (top) .. bit 6 = g (middle), clockwise from the top.
constexpr std::uint8_t kDigitSegments[10] = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

struct Segment {
    double x0, y0, x1, y1;
};

// Segment ends in a 9 x 17 cell; other cell sizes scale them.
constexpr Segment kSegments[7] = {
    {2.4, 2.5, 6.6, 2.5},    // a
    {7.2, 3.1, 7.2, 7.9},    // b
    {7.2, 9.1, 7.2, 13.9},   // c
    {2.4, 14.5, 6.6, 14.5},  // d
    {1.8, 9.1, 1.8, 13.9},   // e
    {1.8, 3.1, 1.8, 7.9},    // f
    {2.4, 8.5, 6.6, 8.5},    // g
};

void drawSegments(cairo_t* cr, std::uint8_t segments, double top, double scaleX, double scaleY) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        // A faint wide stroke first: the glow of a back-lit segment.
        setColour(cr, palette::kLcdLit, pass == 0 ? 0.25 : 1.0);
        cairo_set_line_width(cr, pass == 0 ? 2.8 : 1.6);
        for (int segment = 0; segment < 7; ++segment) {
            if (!(segments & (1 << segment))) continue;
            const Segment& s = kSegments[segment];
            cairo_move_to(cr, s.x0 * scaleX, top + s.y0 * scaleY);
            cairo_line_to(cr, s.x1 * scaleX, top + s.y1 * scaleY);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void drawWord(cairo_t* cr, std::string_view word, double width, double top, double height,
              double sizePx, double squeeze) {
    cairo_save(cr);
    cairo_translate(cr, width * 0.5, top + height * 0.5);
    cairo_scale(cr, squeeze, 1.0);
    drawText(cr, word, 0, 0.5, TextStyle{sizePx, true, palette::kLcdLit});
    cairo_restore(cr);
}

}  // namespace

SurfacePtr renderGlyphStrip(int glyphWidthPx, int glyphHeightPx) {
    SurfacePtr strip = makeSurface(glyphWidthPx, glyphHeightPx * kGlyphCount);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    setColour(cr, palette::kLcdBack);
    cairo_paint(cr);
    const double scaleX = glyphWidthPx / 9.0;
    const double scaleY = glyphHeightPx / 17.0;
    const double width = glyphWidthPx;
    const double height = glyphHeightPx;
    for (int code = 0; code < kGlyphCount; ++code) {
        const double top = static_cast<double>(code) * height;
        const FrameClip clip(cr, 0, top, width, height);
        if (code <= 9) {
            drawSegments(cr, kDigitSegments[code], top, scaleX, scaleY);
        } else if (code == kGlyphPoint) {
            setColour(cr, palette::kLcdLit);
            cairo_arc(cr, width * 0.5, top + 14.3 * scaleY, 1.3 * scaleX, 0, 2 * kPi);
            cairo_fill(cr);
        } else if (code == kGlyphPlus) {
            drawSegments(cr, 1 << 6, top, scaleX, scaleY);
            cairo_save(cr);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(cr, 1.6);
            setColour(cr, palette::kLcdLit);
            cairo_move_to(cr, width * 0.5, top + 6.2 * scaleY);
            cairo_line_to(cr, width * 0.5, top + 10.8 * scaleY);
            cairo_stroke(cr);
            cairo_restore(cr);
        } else if (code == kGlyphMinus) {
            drawSegments(cr, 1 << 6, top, scaleX, scaleY);
        } else if (code == kGlyphKilo) {
            drawWord(cr, "k", width, top, height, 11.0, 1.0);
        } else if (code == kGlyphPercent) {
            drawWord(cr, "%", width, top, height, 9.5, 0.78);
        } else if (code == kGlyphDecibel) {
            drawWord(cr, "dB", width, top, height, 8.0, 0.68);
        } else if (code == kGlyphHertz) {
            drawWord(cr, "Hz", width, top, height, 8.0, 0.72);
        }
        // kGlyphBlank: the bare glass.
    }
    return strip;
}

}  // namespace calorvane::art
