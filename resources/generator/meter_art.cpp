#include "resources/generator/meter_art.h"

#include <cmath>
#include <span>
#include <string_view>

#include "resources/generator/paint_kit.h"

namespace calorvane::art {

namespace {

struct ScaleMark {
    double decibels;
    std::string_view label;  // empty: a minor tick
};

constexpr ScaleMark kStandardMarks[] = {
    {-20, "-20"}, {-10, "-10"}, {-7, ""},  {-5, "-5"}, {-3, "-3"}, {-2, ""},
    {-1, ""},     {0, "0"},     {1, "+1"}, {2, "+2"},  {3, "+3"},
};
constexpr ScaleMark kAlternateMarks[] = {
    {-40, "-40"}, {-30, ""}, {-20, "-20"}, {-10, "-10"}, {-6, "-6"},
    {-3, "-3"},   {0, "0"},  {3, "+3"},    {6, "+6"},
};

constexpr double kSweepDeg = 100.0;  // needle travel from rest to full scale
constexpr double kArcRadiusPx = 64.0;

struct MeterGeometry {
    double pivotX;
    double pivotY;
};

// Screen point at `radius` along the needle for position 0..1.
void needlePoint(const MeterGeometry& geometry, double position, double radius, double& x,
                 double& y) {
    const double angle = (-kSweepDeg * 0.5 + kSweepDeg * position) * kPi / 180.0;
    x = geometry.pivotX + radius * std::sin(angle);
    y = geometry.pivotY - radius * std::cos(angle);
}

void drawFace(cairo_t* cr, MeterScale scale, int width, int height, const MeterGeometry& geometry) {
    // Warm back-lit card.
    PatternPtr glow(cairo_pattern_create_radial(width * 0.5, height * 0.75, 4.0, width * 0.5,
                                                height * 0.6, width * 0.62));
    cairo_pattern_add_color_stop_rgb(glow.get(), 0.0, palette::kMeterGlow.red,
                                     palette::kMeterGlow.green, palette::kMeterGlow.blue);
    cairo_pattern_add_color_stop_rgb(glow.get(), 1.0, palette::kMeterFace.red * 0.86,
                                     palette::kMeterFace.green * 0.84,
                                     palette::kMeterFace.blue * 0.78);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, glow.get());
    cairo_fill(cr);

    const std::span<const ScaleMark> marks = scale == MeterScale::Standard
                                                 ? std::span<const ScaleMark>(kStandardMarks)
                                                 : std::span<const ScaleMark>(kAlternateMarks);
    auto positionOf = [scale](double decibels) {
        return meterNeedlePosition(std::pow(10.0, decibels / 20.0), scale);
    };
    const double zeroPosition = positionOf(0.0);
    const double lowPosition = positionOf(marks.front().decibels);
    const double topPosition = positionOf(marks.back().decibels);
    auto arcAngle = [](double position) {
        return (-kSweepDeg * 0.5 + kSweepDeg * position - 90.0) * kPi / 180.0;
    };

    cairo_save(cr);
    // Scale line, black below the reference and a red band above it.
    setColour(cr, palette::kMeterInk);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, geometry.pivotX, geometry.pivotY, kArcRadiusPx, arcAngle(lowPosition),
              arcAngle(zeroPosition));
    cairo_stroke(cr);
    setColour(cr, palette::kMeterRed);
    cairo_set_line_width(cr, 4.0);
    cairo_arc(cr, geometry.pivotX, geometry.pivotY, kArcRadiusPx + 1.5, arcAngle(zeroPosition),
              arcAngle(topPosition));
    cairo_stroke(cr);

    const TextStyle labelStyle{7.5, true, palette::kMeterInk};
    for (const ScaleMark& mark : marks) {
        const double position = positionOf(mark.decibels);
        const bool major = !mark.label.empty();
        const bool red = mark.decibels > 0.0;
        setColour(cr, red ? palette::kMeterRed : palette::kMeterInk);
        cairo_set_line_width(cr, major ? 1.4 : 1.0);
        double x0, y0, x1, y1;
        needlePoint(geometry, position, kArcRadiusPx, x0, y0);
        needlePoint(geometry, position, kArcRadiusPx + (major ? 6.0 : 4.0), x1, y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_stroke(cr);
        if (major) {
            double textX, textY;
            needlePoint(geometry, position, kArcRadiusPx + 11.5, textX, textY);
            TextStyle style = labelStyle;
            if (red) style.colour = palette::kMeterRed;
            drawText(cr, mark.label, textX, textY, style);
        }
    }
    drawText(cr, "dB", width * 0.5, 47, TextStyle{8.0, true, palette::kMeterInk});
    cairo_restore(cr);
}

void drawNeedleAndDome(cairo_t* cr, int width, int height, const MeterGeometry& geometry,
                       double position) {
    double tipX, tipY;
    needlePoint(geometry, position, kArcRadiusPx + 7.0, tipX, tipY);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Shadow of the needle on the card.
    cairo_set_source_rgba(cr, 0.25, 0.15, 0.05, 0.22);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, geometry.pivotX + 2.5, geometry.pivotY + 1.5);
    cairo_line_to(cr, tipX + 2.5, tipY + 1.5);
    cairo_stroke(cr);
    setColour(cr, palette::kNeedle);
    cairo_set_line_width(cr, 1.3);
    cairo_move_to(cr, geometry.pivotX, geometry.pivotY);
    cairo_line_to(cr, tipX, tipY);
    cairo_stroke(cr);
    cairo_restore(cr);

    // The pivot housing.
    const double domeRadius = geometry.pivotY - (height - 12.0);
    PatternPtr dome(cairo_pattern_create_linear(0, height - 12.0, 0, height));
    cairo_pattern_add_color_stop_rgb(dome.get(), 0.0, 0.36, 0.26, 0.19);
    cairo_pattern_add_color_stop_rgb(dome.get(), 1.0, 0.16, 0.11, 0.08);
    cairo_arc(cr, geometry.pivotX, geometry.pivotY, domeRadius, 0, 2 * kPi);
    cairo_set_source(cr, dome.get());
    cairo_fill(cr);
    cairo_arc(cr, geometry.pivotX, geometry.pivotY, domeRadius - 0.5, kPi * 1.2, kPi * 1.8);
    cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    // Inner shadow of the window frame.
    PatternPtr topShade(cairo_pattern_create_linear(0, 0, 0, 6));
    cairo_pattern_add_color_stop_rgba(topShade.get(), 0.0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(topShade.get(), 1.0, 0, 0, 0, 0.0);
    cairo_rectangle(cr, 0, 0, width, 6);
    cairo_set_source(cr, topShade.get());
    cairo_fill(cr);
    PatternPtr leftShade(cairo_pattern_create_linear(0, 0, 4, 0));
    cairo_pattern_add_color_stop_rgba(leftShade.get(), 0.0, 0, 0, 0, 0.30);
    cairo_pattern_add_color_stop_rgba(leftShade.get(), 1.0, 0, 0, 0, 0.0);
    cairo_rectangle(cr, 0, 0, 4, height);
    cairo_set_source(cr, leftShade.get());
    cairo_fill(cr);
}

}  // namespace

double meterNeedlePosition(double level, MeterScale scale) {
    double law = std::pow(level, 1.2);
    if (scale == MeterScale::Alternate) law = std::sqrt(law);
    return 0.617 * law + 0.018;
}

SurfacePtr renderMeterStrip(MeterScale scale, int widthPx, int frameHeightPx, int frameCount) {
    const MeterGeometry geometry{widthPx * 0.5, frameHeightPx + 22.0};
    SurfacePtr face = makeSurface(widthPx, frameHeightPx);
    {
        ContextPtr cr = makeContext(face.get());
        drawFace(cr.get(), scale, widthPx, frameHeightPx, geometry);
    }
    SurfacePtr strip = makeSurface(widthPx, frameHeightPx * frameCount);
    ContextPtr cr = makeContext(strip.get());
    for (int frame = 0; frame < frameCount; ++frame) {
        const double top = static_cast<double>(frame) * frameHeightPx;
        cairo_save(cr.get());
        cairo_rectangle(cr.get(), 0, top, widthPx, frameHeightPx);
        cairo_clip(cr.get());
        cairo_translate(cr.get(), 0, top);
        cairo_set_source_surface(cr.get(), face.get(), 0, 0);
        cairo_paint(cr.get());
        drawNeedleAndDome(cr.get(), widthPx, frameHeightPx, geometry,
                          static_cast<double>(frame) / (frameCount - 1));
        cairo_restore(cr.get());
    }
    return strip;
}

}  // namespace calorvane::art
