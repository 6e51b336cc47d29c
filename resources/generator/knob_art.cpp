#include "resources/generator/knob_art.h"

#include <algorithm>
#include <cmath>

#include "resources/generator/paint_kit.h"

namespace calorvane::art {

namespace {

constexpr double kStartAngleDeg = 225.0;
constexpr double kSweepDeg = 270.0;
constexpr int kKnurlCount = 40;

struct Point {
    double x;
    double y;
};

Point onCircle(double centreX, double centreY, double radius, double angleRad) {
    return Point{centreX + radius * std::cos(angleRad), centreY - radius * std::sin(angleRad)};
}

void strokeRadial(cairo_t* cr, double centreX, double centreY, double fromRadius, double toRadius,
                  double angleRad) {
    const Point from = onCircle(centreX, centreY, fromRadius, angleRad);
    const Point to = onCircle(centreX, centreY, toRadius, angleRad);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_stroke(cr);
}

void drawScale(cairo_t* cr, double centreX, double centreY, const KnobLook& look) {
    const double radius = look.radiusPx;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, look.tickInk);
    const int majorEvery = (look.tickCount - 1) / 2;
    for (int i = 0; i < look.tickCount; ++i) {
        const double value = static_cast<double>(i) / (look.tickCount - 1);
        const bool major = majorEvery > 0 && i % majorEvery == 0;
        const double length = major ? radius * 0.26 + 1.0 : radius * 0.17 + 0.5;
        cairo_set_line_width(cr, major ? 1.5 : 1.0);
        strokeRadial(cr, centreX, centreY, radius + 2.5, radius + 2.5 + length,
                     knobAngleRad(value));
    }
    cairo_restore(cr);
}

cairo_pattern_t* linearShade(double x0, double y0, double x1, double y1, Rgb light, Rgb dark) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgb(pattern, 0.0, light.red, light.green, light.blue);
    cairo_pattern_add_color_stop_rgb(pattern, 1.0, dark.red, dark.green, dark.blue);
    return pattern;
}

}  // namespace

double knobAngleRad(double value) { return (kStartAngleDeg - kSweepDeg * value) * kPi / 180.0; }

void drawKnob(cairo_t* cr, double centreX, double centreY, const KnobLook& look, double value) {
    const double radius = look.radiusPx;
    const double rotationRad = -kSweepDeg * value * kPi / 180.0;
    const Rgb white = rgb8(255, 255, 255);
    const Rgb black = rgb8(0, 0, 0);

    drawScale(cr, centreX, centreY, look);
    drawDropShadow(cr, centreX, centreY, radius, 0.55);

    // Skirt: lit from the upper left.
    PatternPtr skirt(linearShade(centreX - radius, centreY - radius, centreX + radius * 0.6,
                                 centreY + radius, mix(look.body, white, 0.28),
                                 mix(look.body, black, 0.45)));
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * kPi);
    cairo_set_source(cr, skirt.get());
    cairo_fill(cr);

    // Grip ribs turn with the knob.
    cairo_save(cr);
    cairo_set_line_width(cr, radius > 20 ? 1.4 : 0.9);
    for (int i = 0; i < kKnurlCount; ++i) {
        const double angle = 2 * kPi * i / kKnurlCount + rotationRad;
        const double light = 0.5 + 0.5 * std::sin(angle + kPi / 4);
        setColour(cr, mix(mix(look.body, black, 0.5), mix(look.body, white, 0.35), light), 0.8);
        strokeRadial(cr, centreX, centreY, radius * 0.84, radius - 0.6, angle);
    }
    cairo_restore(cr);
    cairo_arc(cr, centreX, centreY, radius - 0.5, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    // Top face with a soft sheen.
    const double faceRadius = radius * 0.78;
    PatternPtr face(linearShade(centreX - faceRadius, centreY - faceRadius,
                                centreX + faceRadius * 0.5, centreY + faceRadius,
                                mix(look.face, white, 0.30), mix(look.face, black, 0.30)));
    cairo_arc(cr, centreX, centreY, faceRadius, 0, 2 * kPi);
    cairo_set_source(cr, face.get());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    PatternPtr sheen(cairo_pattern_create_radial(
        centreX - faceRadius * 0.35, centreY - faceRadius * 0.45, 0.0, centreX - faceRadius * 0.35,
        centreY - faceRadius * 0.45, faceRadius * 0.9));
    cairo_pattern_add_color_stop_rgba(sheen.get(), 0.0, 1, 1, 1, 0.30);
    cairo_pattern_add_color_stop_rgba(sheen.get(), 1.0, 1, 1, 1, 0.0);
    cairo_arc(cr, centreX, centreY, faceRadius, 0, 2 * kPi);
    cairo_set_source(cr, sheen.get());
    cairo_fill(cr);

    // Pointer line from near the centre across the skirt.
    const double pointerAngle = knobAngleRad(value);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, std::max(2.0, radius * 0.13) + 1.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    strokeRadial(cr, centreX + 0.4, centreY + 0.6, radius * 0.28, radius * 0.93, pointerAngle);
    cairo_set_line_width(cr, std::max(2.0, radius * 0.13));
    setColour(cr, look.pointer);
    strokeRadial(cr, centreX, centreY, radius * 0.28, radius * 0.93, pointerAngle);
    cairo_restore(cr);
}

SurfacePtr renderKnobStrip(cairo_surface_t* panel, const PixelRect& place, int frameCount,
                           const KnobLook& look) {
    const int width = place.width();
    const int height = place.height();
    SurfacePtr strip = makeSurface(width, height * frameCount);
    ContextPtr cr = makeContext(strip.get());
    for (int frame = 0; frame < frameCount; ++frame) {
        const double top = static_cast<double>(frame) * height;
        const FrameClip clip(cr.get(), 0, top, width, height);
        copyRegion(cr.get(), panel, place, 0, top);
        drawKnob(cr.get(), width * 0.5, top + height * 0.5, look,
                 static_cast<double>(frame) / (frameCount - 1));
    }
    return strip;
}

SurfacePtr renderGridKnob(cairo_surface_t* panel, const PixelRect& place, int frameCount,
                          int rowsPerColumn, int columns, const KnobLook& look,
                          const ScaleNumber* numbers, int numberCount) {
    const int width = place.width();
    const int height = place.height();
    SurfacePtr grid = makeSurface(width * columns, height * rowsPerColumn);
    ContextPtr cr = makeContext(grid.get());
    // Cells after the last frame show the bare panel.
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rowsPerColumn; ++row) {
            copyRegion(cr.get(), panel, place, column * width, row * height);
        }
    }
    const TextStyle numberStyle{7.0, true, look.tickInk};
    for (int frame = 0; frame < frameCount; ++frame) {
        const double left = static_cast<double>(frame / rowsPerColumn) * width;
        const double top = static_cast<double>(frame % rowsPerColumn) * height;
        const double centreX = left + width * 0.5;
        const double centreY = top + height * 0.5;
        const FrameClip clip(cr.get(), left, top, width, height);
        for (int i = 0; i < numberCount; ++i) {
            const Point at =
                onCircle(centreX, centreY, look.radiusPx + 15.0, knobAngleRad(numbers[i].position));
            drawText(cr.get(), numbers[i].text, at.x, at.y, numberStyle);
        }
        drawKnob(cr.get(), centreX, centreY, look, static_cast<double>(frame) / (frameCount - 1));
    }
    return grid;
}

}  // namespace calorvane::art
