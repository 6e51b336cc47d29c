#include "resources/generator/switch_art.h"

#include <algorithm>
#include <cmath>

#include "resources/generator/paint_kit.h"

namespace calorvane::art {

namespace {

const Rgb kWhite = rgb8(255, 255, 255);
const Rgb kBlack = rgb8(0, 0, 0);

// Prepares a strip of `frames` frames of `place`'s size, each showing the panel under it.
SurfacePtr panelStrip(cairo_surface_t* panel, const PixelRect& place, int frames) {
    SurfacePtr strip = makeSurface(place.width(), place.height() * frames);
    ContextPtr cr = makeContext(strip.get());
    for (int frame = 0; frame < frames; ++frame) {
        copyRegion(cr.get(), panel, place, 0, frame * place.height());
    }
    return strip;
}

void fillShaded(cairo_t* cr, double x, double y, double width, double height, double radius,
                Rgb colour, double lightAmount, double darkAmount) {
    PatternPtr shade(cairo_pattern_create_linear(x, y, x, y + height));
    const Rgb light = mix(colour, kWhite, lightAmount);
    const Rgb dark = mix(colour, kBlack, darkAmount);
    cairo_pattern_add_color_stop_rgb(shade.get(), 0.0, light.red, light.green, light.blue);
    cairo_pattern_add_color_stop_rgb(shade.get(), 1.0, dark.red, dark.green, dark.blue);
    roundedRectPath(cr, x, y, width, height, radius);
    cairo_set_source(cr, shade.get());
    cairo_fill(cr);
}

// A round lamp lens; `glow` 0 (dark) .. 1 (fully lit).
void drawLens(cairo_t* cr, double centreX, double centreY, double radius, Rgb colour, double glow) {
    const Rgb dark = mix(colour, kBlack, 0.78);
    const Rgb lit = mix(dark, colour, glow);
    if (glow > 0.0) {
        PatternPtr halo(cairo_pattern_create_radial(centreX, centreY, radius * 0.6, centreX,
                                                    centreY, radius * 2.0));
        cairo_pattern_add_color_stop_rgba(halo.get(), 0.0, colour.red, colour.green, colour.blue,
                                          0.55 * glow);
        cairo_pattern_add_color_stop_rgba(halo.get(), 1.0, colour.red, colour.green, colour.blue,
                                          0.0);
        cairo_arc(cr, centreX, centreY, radius * 2.0, 0, 2 * kPi);
        cairo_set_source(cr, halo.get());
        cairo_fill(cr);
    }
    PatternPtr lens(cairo_pattern_create_radial(centreX - radius * 0.3, centreY - radius * 0.3,
                                                radius * 0.1, centreX, centreY, radius));
    const Rgb centre = mix(lit, kWhite, 0.15 + 0.45 * glow);
    cairo_pattern_add_color_stop_rgb(lens.get(), 0.0, centre.red, centre.green, centre.blue);
    cairo_pattern_add_color_stop_rgb(lens.get(), 1.0, lit.red * 0.8, lit.green * 0.8,
                                     lit.blue * 0.8);
    cairo_arc(cr, centreX, centreY, radius, 0, 2 * kPi);
    cairo_set_source(cr, lens.get());
    cairo_fill(cr);
    // Specular highlight.
    cairo_arc(cr, centreX - radius * 0.35, centreY - radius * 0.4, radius * 0.3, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_fill(cr);
}

}  // namespace

SurfacePtr renderToggleStrip(cairo_surface_t* panel, const PixelRect& place,
                             const ToggleLook& look) {
    SurfacePtr strip = panelStrip(panel, place, 2);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    const double width = place.width();
    const double height = place.height();
    for (int frame = 0; frame < 2; ++frame) {
        const bool on = frame == 1;
        const double top = frame * height;
        const FrameClip clip(cr, 0, top, width, height);
        const double press = on ? 1.0 : 0.0;  // a latched button sits a pixel lower
        // Well and shadow.
        roundedRectPath(cr, 2, top + 2, width - 4, height - 4, 4);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_fill(cr);
        roundedRectPath(cr, 2.5, top + 3.5 + press, width - 5, height - 6 - press, 3.5);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
        cairo_fill(cr);
        // Cap.
        fillShaded(cr, 4, top + 3 + press, width - 8, height - 8, 3, rgb8(74, 54, 40),
                   on ? 0.12 : 0.25, 0.45);
        roundedRectPath(cr, 4.5, top + 3.5 + press, width - 9, height - 9, 2.5);
        cairo_set_source_rgba(cr, 1, 0.9, 0.75, 0.25);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        // Lamp window across the top of the cap.
        const double lampX = 6;
        const double lampY = top + 7 + press;
        const double lampWidth = width - 12;
        const double lampHeight = 11;
        const Rgb lampColour =
            on || !look.offWord.empty() ? look.lamp : mix(look.lamp, kBlack, 0.8);
        const double glow = on ? 1.0 : (look.offWord.empty() ? 0.0 : 0.75);
        roundedRectPath(cr, lampX - 1, lampY - 1, lampWidth + 2, lampHeight + 2, 2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
        cairo_fill(cr);
        PatternPtr lamp(cairo_pattern_create_radial(width * 0.5, lampY + lampHeight * 0.5, 1,
                                                    width * 0.5, lampY + lampHeight * 0.5,
                                                    lampWidth * 0.6));
        const Rgb centre =
            glow > 0 ? mix(lampColour, kWhite, 0.35 * glow) : mix(look.lamp, kBlack, 0.7);
        const Rgb edge = glow > 0 ? mix(lampColour, kBlack, 0.25) : mix(look.lamp, kBlack, 0.85);
        cairo_pattern_add_color_stop_rgb(lamp.get(), 0.0, centre.red, centre.green, centre.blue);
        cairo_pattern_add_color_stop_rgb(lamp.get(), 1.0, edge.red, edge.green, edge.blue);
        roundedRectPath(cr, lampX, lampY, lampWidth, lampHeight, 1.5);
        cairo_set_source(cr, lamp.get());
        cairo_fill(cr);
        const std::string_view word = on ? look.onWord : look.offWord;
        if (!word.empty()) {
            drawText(cr, word, width * 0.5, lampY + lampHeight * 0.5,
                     TextStyle{6.0, true, rgb8(40, 20, 8)});
        }
        cairo_rectangle(cr, lampX, lampY, lampWidth, lampHeight * 0.45);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
        cairo_fill(cr);
        // Grip lines on the lower part of the cap.
        cairo_set_line_width(cr, 1.0);
        for (int line = 0; line < 3; ++line) {
            const double y = top + press + height - 16.5 + line * 3;
            cairo_move_to(cr, 9, y);
            cairo_line_to(cr, width - 9, y);
            cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
            cairo_stroke(cr);
            cairo_move_to(cr, 9, y + 1);
            cairo_line_to(cr, width - 9, y + 1);
            cairo_set_source_rgba(cr, 1, 0.9, 0.8, 0.15);
            cairo_stroke(cr);
        }
    }
    return strip;
}

SurfacePtr renderRoundButtonStrip(cairo_surface_t* panel, const PixelRect& place, Rgb lamp) {
    SurfacePtr strip = panelStrip(panel, place, 2);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    const double width = place.width();
    const double height = place.height();
    const double radius = std::min(width, height) * 0.5 - 2.0;
    for (int frame = 0; frame < 2; ++frame) {
        const bool on = frame == 1;
        const double centreX = width * 0.5;
        const double centreY = frame * height + height * 0.5;
        const FrameClip clip(cr, 0, frame * height, width, height);
        drawDropShadow(cr, centreX, centreY, radius, 0.5);
        // Chrome bezel.
        PatternPtr bezel(cairo_pattern_create_linear(0, centreY - radius, 0, centreY + radius));
        cairo_pattern_add_color_stop_rgb(bezel.get(), 0.0, 0.92, 0.89, 0.84);
        cairo_pattern_add_color_stop_rgb(bezel.get(), 1.0, 0.40, 0.36, 0.32);
        cairo_arc(cr, centreX, centreY, radius, 0, 2 * kPi);
        cairo_set_source(cr, bezel.get());
        cairo_fill(cr);
        // Cap, a little lower when latched.
        const double capRadius = radius - 2.2;
        const double capY = centreY + (on ? 0.6 : 0.0);
        PatternPtr cap(cairo_pattern_create_linear(0, capY - capRadius, 0, capY + capRadius));
        cairo_pattern_add_color_stop_rgb(cap.get(), 0.0, 0.36, 0.27, 0.21);
        cairo_pattern_add_color_stop_rgb(cap.get(), 1.0, 0.14, 0.10, 0.08);
        cairo_arc(cr, centreX, capY, capRadius, 0, 2 * kPi);
        cairo_set_source(cr, cap.get());
        cairo_fill(cr);
        drawLens(cr, centreX, capY, capRadius * 0.48, lamp, on ? 1.0 : 0.0);
    }
    return strip;
}

SurfacePtr renderSlideSwitchStrip(cairo_surface_t* panel, const PixelRect& place,
                                  std::span<const std::string_view> positionWords) {
    const int positions = static_cast<int>(positionWords.size());
    SurfacePtr strip = panelStrip(panel, place, positions);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    const double width = place.width();
    const double height = place.height();
    const bool withWords = width > 24;
    const double slotX = withWords ? 6.0 : width * 0.5 - 3.0;
    const double slotWidth = 6.0;
    const double margin = 4.0;
    const double step = (height - 2 * margin) / positions;
    for (int frame = 0; frame < positions; ++frame) {
        const double top = frame * height;
        const FrameClip clip(cr, 0, top, width, height);
        // Slot.
        roundedRectPath(cr, slotX - 1, top + margin - 1, slotWidth + 2, height - 2 * margin + 2, 3);
        cairo_set_source_rgba(cr, 1, 0.9, 0.75, 0.18);
        cairo_fill(cr);
        roundedRectPath(cr, slotX, top + margin, slotWidth, height - 2 * margin, 3);
        cairo_set_source_rgba(cr, 0.05, 0.03, 0.02, 1.0);
        cairo_fill(cr);
        // Slider handle, in the middle of its position's band.
        const double handleHeight = std::min(10.0, step - 2.0);
        const double handleWidth = slotWidth + 8;
        const double handleX = slotX + slotWidth * 0.5 - handleWidth * 0.5;
        const double handleY = top + margin + step * (frame + 0.5) - handleHeight * 0.5;
        roundedRectPath(cr, handleX + 0.5, handleY + 1.5, handleWidth, handleHeight, 2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        fillShaded(cr, handleX, handleY, handleWidth, handleHeight, 2, rgb8(214, 200, 176), 0.5,
                   0.4);
        cairo_set_line_width(cr, 1.0);
        cairo_set_source_rgba(cr, 0.2, 0.15, 0.1, 0.6);
        cairo_move_to(cr, handleX + 2, handleY + handleHeight * 0.5);
        cairo_line_to(cr, handleX + handleWidth - 2, handleY + handleHeight * 0.5);
        cairo_stroke(cr);
        if (!withWords) continue;
        for (int position = 0; position < positions; ++position) {
            const bool selected = position == frame;
            const Rgb ink = selected ? palette::kLampAmber : mix(palette::kBridgeInk, kBlack, 0.35);
            drawText(cr, positionWords[position], slotX + slotWidth + 6,
                     top + margin + step * (position + 0.5),
                     TextStyle{7.5, true, ink, Align::Left});
        }
    }
    return strip;
}

SurfacePtr renderLeverStrip(cairo_surface_t* panel, const PixelRect& place) {
    SurfacePtr strip = panelStrip(panel, place, 4);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    const double width = place.width();
    const double height = place.height();
    // The link button overlaps the right edge of the lever's place, so the plate stops short.
    const double plateWidth = width - 8.0;
    const double armX = 12.0;
    const double armY = 11.0;
    // Lever end offsets for up, left, right, down.
    const double offsets[4][2] = {{0, -armY}, {-armX, 0}, {armX, 0}, {0, armY}};
    for (int frame = 0; frame < 4; ++frame) {
        const double top = frame * height;
        const FrameClip clip(cr, 0, top, width, height);
        const double centreX = 1.0 + plateWidth * 0.5;
        const double centreY = top + 19.0;
        // Plate.
        roundedRectPath(cr, 1.5, top + 2.5, plateWidth, height - 5, 5);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        fillShaded(cr, 1, top + 2, plateWidth, height - 6, 5, rgb8(70, 52, 40), 0.2, 0.4);
        // Cross gate.
        cairo_save(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 6.0);
        cairo_set_source_rgb(cr, 0.05, 0.03, 0.02);
        cairo_move_to(cr, centreX - armX, centreY);
        cairo_line_to(cr, centreX + armX, centreY);
        cairo_move_to(cr, centreX, centreY - armY);
        cairo_line_to(cr, centreX, centreY + armY);
        cairo_stroke(cr);
        cairo_restore(cr);
        const TextStyle letter{7.0, true, palette::kBridgeInk};
        drawText(cr, "L", centreX - armX - 1.0, centreY - 9, letter);
        drawText(cr, "R", centreX + armX + 1.0, centreY - 9, letter);
        drawText(cr, "STEREO", centreX, top + height - 8.5,
                 TextStyle{6.0, true, palette::kBridgeInk});
        // Shaft and ball.
        const double ballX = centreX + offsets[frame][0];
        const double ballY = centreY + offsets[frame][1];
        cairo_save(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 3.5);
        cairo_set_source_rgb(cr, 0.55, 0.52, 0.48);
        cairo_move_to(cr, centreX, centreY);
        cairo_line_to(cr, ballX, ballY);
        cairo_stroke(cr);
        cairo_restore(cr);
        drawDropShadow(cr, ballX, ballY, 5.5, 0.6);
        PatternPtr ball(cairo_pattern_create_radial(ballX - 2, ballY - 2, 0.5, ballX, ballY, 5.5));
        cairo_pattern_add_color_stop_rgb(ball.get(), 0.0, 1.0, 0.98, 0.92);
        cairo_pattern_add_color_stop_rgb(ball.get(), 0.6, 0.86, 0.80, 0.68);
        cairo_pattern_add_color_stop_rgb(ball.get(), 1.0, 0.46, 0.40, 0.32);
        cairo_arc(cr, ballX, ballY, 5.5, 0, 2 * kPi);
        cairo_set_source(cr, ball.get());
        cairo_fill(cr);
    }
    return strip;
}

SurfacePtr renderLedStrip(cairo_surface_t* panel, const PixelRect& place, int frameCount) {
    SurfacePtr strip = panelStrip(panel, place, frameCount);
    ContextPtr owner = makeContext(strip.get());
    cairo_t* cr = owner.get();
    const double width = place.width();
    const double height = place.height();
    for (int frame = 0; frame < frameCount; ++frame) {
        const double centreX = width * 0.5;
        const double centreY = frame * height + height * 0.5;
        const double bezelRadius = width * 0.5 - 2.0;
        const FrameClip clip(cr, 0, frame * height, width, height);
        drawDropShadow(cr, centreX, centreY, bezelRadius, 0.5);
        PatternPtr bezel(
            cairo_pattern_create_linear(0, centreY - bezelRadius, 0, centreY + bezelRadius));
        cairo_pattern_add_color_stop_rgb(bezel.get(), 0.0, 0.90, 0.87, 0.80);
        cairo_pattern_add_color_stop_rgb(bezel.get(), 1.0, 0.32, 0.28, 0.24);
        cairo_arc(cr, centreX, centreY, bezelRadius, 0, 2 * kPi);
        cairo_set_source(cr, bezel.get());
        cairo_fill(cr);
        cairo_arc(cr, centreX, centreY, bezelRadius - 1.6, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.08, 0.05, 0.04);
        cairo_fill(cr);
        drawLens(cr, centreX, centreY, bezelRadius - 2.4, palette::kLedRed,
                 static_cast<double>(frame) / (frameCount - 1));
    }
    return strip;
}

}  // namespace calorvane::art
