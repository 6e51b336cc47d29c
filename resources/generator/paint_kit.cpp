#include "resources/generator/paint_kit.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "resources/generator/cairo_handles.h"

namespace calorvane::art {

double DeterministicNoise::next() {
    // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const std::uint64_t mixed = state_ * 0x2545F4914F6CDD1DULL;
    return static_cast<double>(mixed >> 11) / static_cast<double>(1ULL << 52) - 1.0;
}

void setColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, alpha);
}

void fillRect(cairo_t* cr, const PixelRect& rect, Rgb colour) {
    setColour(cr, colour);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(cr);
}

void roundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius) {
    const double r = std::min({radius, width * 0.5, height * 0.5});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + width - r, y + height - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + height - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

namespace {

void selectFont(cairo_t* cr, double sizePx, bool bold) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, sizePx);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace

double textWidth(cairo_t* cr, std::string_view text, double sizePx, bool bold) {
    cairo_save(cr);
    selectFont(cr, sizePx, bold);
    const std::string owned(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, owned.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

double drawText(cairo_t* cr, std::string_view text, double x, double centreY,
                const TextStyle& style) {
    cairo_save(cr);
    selectFont(cr, style.sizePx, style.bold);
    const std::string owned(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, owned.c_str(), &extents);
    // Capital height of Liberation Sans is 0.729 em; centring on it keeps rows of labels level
    // whatever letters they hold.
    const double baseline = std::round(centreY + style.sizePx * 0.729 * 0.5);
    double left = x;
    if (style.align == Align::Centre) left = x - extents.x_advance * 0.5;
    if (style.align == Align::Right) left = x - extents.x_advance;
    setColour(cr, style.colour);
    cairo_move_to(cr, std::round(left), baseline);
    cairo_show_text(cr, owned.c_str());
    cairo_restore(cr);
    return extents.x_advance;
}

void drawEngravedText(cairo_t* cr, std::string_view text, double x, double centreY,
                      const TextStyle& style, Rgb edge) {
    TextStyle edgeStyle = style;
    edgeStyle.colour = edge;
    cairo_save(cr);
    cairo_push_group(cr);
    drawText(cr, text, x, centreY + 1, edgeStyle);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.55);
    cairo_restore(cr);
    drawText(cr, text, x, centreY, style);
}

void brushGrain(cairo_surface_t* surface, const PixelRect& rect, Rgb base, double strength,
                std::uint64_t seed) {
    cairo_surface_flush(surface);
    unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int surfaceWidth = cairo_image_surface_get_width(surface);
    const int surfaceHeight = cairo_image_surface_get_height(surface);
    DeterministicNoise noise(seed);
    for (int y = std::max(0, rect.top); y < std::min(surfaceHeight, rect.bottom); ++y) {
        // Each row of the grain has its own brightness, with long streaks along it.
        const double rowShade = noise.next() * 0.55 + noise.next() * 0.45;
        double streak = 0.0;
        int streakLeft = 0;
        auto* row = reinterpret_cast<std::uint32_t*>(pixels + y * stride);
        for (int x = std::max(0, rect.left); x < std::min(surfaceWidth, rect.right); ++x) {
            if (streakLeft-- <= 0) {
                streak = noise.next() * 0.8;
                streakLeft = 20 + static_cast<int>((noise.next() + 1.0) * 60.0);
            }
            const double grain = (rowShade + streak + noise.next() * 0.35) * strength;
            auto channel = [grain](double value) {
                return static_cast<std::uint32_t>(std::clamp(value * 255.0 + grain, 0.0, 255.0));
            };
            row[x] = (channel(base.red) << 16) | (channel(base.green) << 8) | channel(base.blue);
        }
    }
    cairo_surface_mark_dirty(surface);
}

void copyRegion(cairo_t* cr, cairo_surface_t* from, const PixelRect& source, double x, double y) {
    cairo_save(cr);
    cairo_set_source_surface(cr, from, x - source.left, y - source.top);
    cairo_rectangle(cr, x, y, source.width(), source.height());
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawScrew(cairo_t* cr, double centreX, double centreY, double radius, double slotAngleRad) {
    drawDropShadow(cr, centreX, centreY, radius, 0.45);
    PatternPtr head(cairo_pattern_create_radial(centreX - radius * 0.4, centreY - radius * 0.4,
                                                radius * 0.1, centreX, centreY, radius));
    cairo_pattern_add_color_stop_rgb(head.get(), 0.0, 0.93, 0.90, 0.84);
    cairo_pattern_add_color_stop_rgb(head.get(), 0.7, 0.62, 0.58, 0.52);
    cairo_pattern_add_color_stop_rgb(head.get(), 1.0, 0.36, 0.33, 0.30);
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * kPi);
    cairo_set_source(cr, head.get());
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, centreX, centreY);
    cairo_rotate(cr, slotAngleRad);
    cairo_set_line_width(cr, radius * 0.32);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_source_rgba(cr, 0.18, 0.16, 0.14, 0.9);
    cairo_move_to(cr, -radius * 0.8, 0);
    cairo_line_to(cr, radius * 0.8, 0);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 0.6);
    cairo_move_to(cr, -radius * 0.8, radius * 0.2);
    cairo_line_to(cr, radius * 0.8, radius * 0.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawRecess(cairo_t* cr, const PixelRect& rect, Rgb fill, double radius) {
    roundedRectPath(cr, rect.left - 1, rect.top - 1, rect.width() + 2, rect.height() + 2,
                    radius + 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_fill(cr);
    roundedRectPath(cr, rect.left - 1, rect.top - 1, rect.width() + 1, rect.height() + 1,
                    radius + 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_fill(cr);
    roundedRectPath(cr, rect.left, rect.top, rect.width(), rect.height(), radius);
    setColour(cr, fill);
    cairo_fill(cr);
}

void drawBrassBezel(cairo_t* cr, const PixelRect& rect, double width, double radius) {
    const double x = rect.left - width;
    const double y = rect.top - width;
    const double w = rect.width() + 2 * width;
    const double h = rect.height() + 2 * width;
    cairo_save(cr);
    cairo_push_group(cr);
    roundedRectPath(cr, x + 1, y + 2, w, h, radius + width);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    PatternPtr brass(cairo_pattern_create_linear(x, y, x + w * 0.3, y + h));
    cairo_pattern_add_color_stop_rgb(brass.get(), 0.0, palette::kBrassLight.red,
                                     palette::kBrassLight.green, palette::kBrassLight.blue);
    cairo_pattern_add_color_stop_rgb(brass.get(), 0.5, palette::kBrass.red, palette::kBrass.green,
                                     palette::kBrass.blue);
    cairo_pattern_add_color_stop_rgb(brass.get(), 1.0, palette::kBrassDark.red,
                                     palette::kBrassDark.green, palette::kBrassDark.blue);
    roundedRectPath(cr, x, y, w, h, radius + width);
    cairo_set_source(cr, brass.get());
    cairo_fill(cr);
    roundedRectPath(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius + width - 0.5);
    cairo_set_source_rgba(cr, 0.2, 0.14, 0.06, 0.7);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawDropShadow(cairo_t* cr, double centreX, double centreY, double radius, double strength) {
    PatternPtr shadow(cairo_pattern_create_radial(centreX + radius * 0.08, centreY + radius * 0.14,
                                                  radius * 0.8, centreX + radius * 0.08,
                                                  centreY + radius * 0.14, radius * 1.18));
    cairo_pattern_add_color_stop_rgba(shadow.get(), 0.0, 0, 0, 0, strength);
    cairo_pattern_add_color_stop_rgba(shadow.get(), 1.0, 0, 0, 0, 0);
    cairo_arc(cr, centreX + radius * 0.08, centreY + radius * 0.14, radius * 1.18, 0, 2 * kPi);
    cairo_set_source(cr, shadow.get());
    cairo_fill(cr);
}

}  // namespace calorvane::art
