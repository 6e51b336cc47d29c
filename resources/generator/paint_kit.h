// Small drawing helpers shared by every piece of art: colours, text, texture, trim.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <numbers>
#include <string_view>

#include "resources/generator/editor_layout.h"
#include "resources/generator/palette.h"

namespace calorvane::art {

inline constexpr double kPi = std::numbers::pi;

// Same numbers on every machine (the standard distributions are not portable).
class DeterministicNoise {
public:
    explicit DeterministicNoise(std::uint64_t seed) : state_(seed) {}
    // Uniform in [-1, 1).
    double next();

private:
    std::uint64_t state_;
};

enum class Align { Left, Centre, Right };

struct TextStyle {
    double sizePx;
    bool bold;
    Rgb colour;
    Align align = Align::Centre;
};

// Limits drawing to one frame of a strip while it lives, so glows cannot reach a neighbour.
class FrameClip {
public:
    FrameClip(cairo_t* cr, double x, double y, double width, double height) : cr_(cr) {
        cairo_save(cr_);
        cairo_rectangle(cr_, x, y, width, height);
        cairo_clip(cr_);
    }
    ~FrameClip() { cairo_restore(cr_); }
    FrameClip(const FrameClip&) = delete;
    FrameClip& operator=(const FrameClip&) = delete;

private:
    cairo_t* cr_;
};

void setColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
void fillRect(cairo_t* cr, const PixelRect& rect, Rgb colour);
void roundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius);

// Draws `text` with its capital height centred on `centreY`; `x` is the left edge, the centre
// or the right edge by the alignment. Returns the width drawn.
double drawText(cairo_t* cr, std::string_view text, double x, double centreY,
                const TextStyle& style);
// Text printed into the surface: a one-pixel light (or dark) edge under the ink.
void drawEngravedText(cairo_t* cr, std::string_view text, double x, double centreY,
                      const TextStyle& style, Rgb edge);
double textWidth(cairo_t* cr, std::string_view text, double sizePx, bool bold);

// Horizontal brushed-metal grain over `rect`, written straight into the pixels.
void brushGrain(cairo_surface_t* surface, const PixelRect& rect, Rgb base, double strength,
                std::uint64_t seed);
// Copies `source` (a region of `from`) to the top-left corner (x, y) of the context's target.
void copyRegion(cairo_t* cr, cairo_surface_t* from, const PixelRect& source, double x, double y);

void drawScrew(cairo_t* cr, double centreX, double centreY, double radius, double slotAngleRad);
// A sunken window: dark inner fill, shadow along the top and left, light along the bottom.
void drawRecess(cairo_t* cr, const PixelRect& rect, Rgb fill, double radius);
// A raised brass bezel ring of `width` pixels around `rect`.
void drawBrassBezel(cairo_t* cr, const PixelRect& rect, double width, double radius);
// A soft shadow under a circle, for knobs and buttons.
void drawDropShadow(cairo_t* cr, double centreX, double centreY, double radius, double strength);

}  // namespace calorvane::art
