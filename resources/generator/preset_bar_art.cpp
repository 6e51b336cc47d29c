#include "resources/generator/preset_bar_art.h"

#include "resources/generator/paint_kit.h"

namespace calorvane::art {

namespace {

enum class ButtonLook { Normal, Hover, Pressed, Dimmed };

const Rgb kWhite = rgb8(255, 255, 255);
const Rgb kBlack = rgb8(0, 0, 0);

// A filled triangle inside (x, y, width, height) pointing up, down, left or right.
void trianglePath(cairo_t* cr, double x, double y, double width, double height, int direction) {
    switch (direction) {
        case 0:  // up
            cairo_move_to(cr, x + width * 0.5, y);
            cairo_line_to(cr, x + width, y + height);
            cairo_line_to(cr, x, y + height);
            break;
        case 1:  // down
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + width, y);
            cairo_line_to(cr, x + width * 0.5, y + height);
            break;
        case 2:  // left
            cairo_move_to(cr, x + width, y);
            cairo_line_to(cr, x + width, y + height);
            cairo_line_to(cr, x, y + height * 0.5);
            break;
        default:  // right
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + width, y + height * 0.5);
            cairo_line_to(cr, x, y + height);
            break;
    }
    cairo_close_path(cr);
}

void drawArrow(cairo_t* cr, double x, double y, double width, double height, int direction,
               Rgb colour, ButtonLook look) {
    Rgb fill = colour;
    double shift = 0.0;
    switch (look) {
        case ButtonLook::Normal:
            break;
        case ButtonLook::Hover:
            fill = mix(colour, kWhite, 0.45);
            break;
        case ButtonLook::Pressed:
            fill = mix(colour, kBlack, 0.35);
            shift = 1.0;
            break;
        case ButtonLook::Dimmed:
            fill = mix(rgb8(120, 112, 104), palette::kPresetStrip, 0.3);
            break;
    }
    if (look == ButtonLook::Hover) {
        // A soft glow around the lit arrow.
        trianglePath(cr, x - 1, y - 1 + shift, width + 2, height + 2, direction);
        setColour(cr, colour, 0.35);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
    trianglePath(cr, x + 0.6, y + 1.0 + shift, width, height, direction);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    trianglePath(cr, x, y + shift, width, height, direction);
    PatternPtr shade(cairo_pattern_create_linear(0, y, 0, y + height));
    const Rgb light = mix(fill, kWhite, 0.3);
    const Rgb dark = mix(fill, kBlack, 0.25);
    cairo_pattern_add_color_stop_rgb(shade.get(), 0.0, light.red, light.green, light.blue);
    cairo_pattern_add_color_stop_rgb(shade.get(), 1.0, dark.red, dark.green, dark.blue);
    cairo_set_source(cr, shade.get());
    cairo_fill(cr);
}

}  // namespace

SurfacePtr renderArrowStrip(Rgb colour, ArrowPointing pointing, int widthPx, int frameHeightPx,
                            int frameCount) {
    SurfacePtr strip = makeSurface(widthPx, frameHeightPx * frameCount);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    setColour(cr, palette::kPresetStrip);
    cairo_paint(cr);
    constexpr ButtonLook kLooks[] = {ButtonLook::Normal, ButtonLook::Hover, ButtonLook::Pressed,
                                     ButtonLook::Dimmed};
    for (int frame = 0; frame < frameCount && frame < 4; ++frame) {
        const double top = static_cast<double>(frame) * frameHeightPx;
        const FrameClip clip(cr, 0, top, widthPx, frameHeightPx);
        drawArrow(cr, 1.5, top + 3.0, widthPx - 3.0, frameHeightPx - 7.0,
                  pointing == ArrowPointing::Up ? 0 : 1, colour, kLooks[frame]);
    }
    return strip;
}

SurfacePtr renderRockerStrip(int widthPx, int frameHeightPx, int frameCount) {
    SurfacePtr strip = makeSurface(widthPx, frameHeightPx * frameCount);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    setColour(cr, palette::kPresetStrip);
    cairo_paint(cr);
    // Per frame: look of the left arrow, look of the right arrow.
    constexpr ButtonLook kLooks[5][2] = {
        {ButtonLook::Normal, ButtonLook::Normal},  {ButtonLook::Hover, ButtonLook::Normal},
        {ButtonLook::Normal, ButtonLook::Hover},   {ButtonLook::Pressed, ButtonLook::Normal},
        {ButtonLook::Normal, ButtonLook::Pressed},
    };
    const double half = widthPx * 0.5;
    for (int frame = 0; frame < frameCount && frame < 5; ++frame) {
        const double top = static_cast<double>(frame) * frameHeightPx;
        const FrameClip clip(cr, 0, top, widthPx, frameHeightPx);
        // Rocker body.
        roundedRectPath(cr, 0.5, top + 0.5, widthPx - 1.0, frameHeightPx - 1.0, 3);
        PatternPtr body(cairo_pattern_create_linear(0, top, 0, top + frameHeightPx));
        cairo_pattern_add_color_stop_rgb(body.get(), 0.0, 0.34, 0.28, 0.24);
        cairo_pattern_add_color_stop_rgb(body.get(), 1.0, 0.16, 0.12, 0.10);
        cairo_set_source(cr, body.get());
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_move_to(cr, half, top + 2);
        cairo_line_to(cr, half, top + frameHeightPx - 2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
        cairo_stroke(cr);
        const double arrowWidth = 6.0;
        const double arrowHeight = frameHeightPx - 6.0;
        drawArrow(cr, half * 0.5 - arrowWidth * 0.5, top + 3.0, arrowWidth, arrowHeight, 2,
                  palette::kArrowGrey, kLooks[frame][0]);
        drawArrow(cr, half * 1.5 - arrowWidth * 0.5, top + 3.0, arrowWidth, arrowHeight, 3,
                  palette::kArrowGrey, kLooks[frame][1]);
    }
    return strip;
}

}  // namespace calorvane::art
