#include "resources/generator/panel_art.h"

#include <span>

#include "resources/generator/editor_layout.h"
#include "resources/generator/paint_kit.h"

namespace calorvane::art {

namespace {

const Rgb kWhite = rgb8(255, 255, 255);
const Rgb kBlack = rgb8(0, 0, 0);

// A label printed above (or beside) a control.
struct PrintedLabel {
    std::string_view text;
    double x;
    double centreY;
    Align align;
};

const TextStyle kFaceLabel{8.0, true, palette::kInk};
const TextStyle kBridgeLabel{7.5, true, palette::kBridgeInk};

void printFaceLabels(cairo_t* cr, std::span<const PrintedLabel> labels, const TextStyle& base) {
    for (const PrintedLabel& label : labels) {
        TextStyle style = base;
        style.align = label.align;
        drawEngravedText(cr, label.text, label.x, label.centreY, style, rgb8(255, 250, 240));
    }
}

void printDarkLabels(cairo_t* cr, std::span<const PrintedLabel> labels, const TextStyle& base) {
    for (const PrintedLabel& label : labels) {
        TextStyle style = base;
        style.align = label.align;
        drawEngravedText(cr, label.text, label.x, label.centreY, style, kBlack);
    }
}

// Copies the panel under the first rectangle to the others, so that one film strip (which
// carries the panel under its control) matches every place it is used.
void stampSamePanel(cairo_t* cr, cairo_surface_t* surface, const PixelRect& source,
                    std::span<const PixelRect> places) {
    for (const PixelRect& place : places) copyRegion(cr, surface, source, place.left, place.top);
}

// Engraved line: a dark groove with a light edge below.
void drawGroove(cairo_t* cr, double x0, double y0, double x1, double y1, bool onDark) {
    cairo_save(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0, 0, 0, onDark ? 0.6 : 0.35);
    cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
    cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 0.95, 0.85, onDark ? 0.12 : 0.6);
    cairo_move_to(cr, x0 + 0.5, y0 + 1.5);
    cairo_line_to(cr, x1 + 0.5, y1 + 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Raised edge where the meter bridge meets the face.
void drawBridgeEdge(cairo_t* cr) {
    PatternPtr shadow(cairo_pattern_create_linear(0, kBridgeBottomPx, 0, kBridgeBottomPx + 7));
    cairo_pattern_add_color_stop_rgba(shadow.get(), 0.0, 0.15, 0.08, 0.02, 0.45);
    cairo_pattern_add_color_stop_rgba(shadow.get(), 1.0, 0.15, 0.08, 0.02, 0.0);
    cairo_rectangle(cr, 0, kBridgeBottomPx, kEditorWidthPx, 7);
    cairo_set_source(cr, shadow.get());
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kBridgeBottomPx - 2, kEditorWidthPx, 1);
    cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.25);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kBridgeBottomPx - 1, kEditorWidthPx, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_fill(cr);
}

// Soft darkening towards the outer edges of a region, like light falling off a panel.
void drawVignette(cairo_t* cr, const PixelRect& region, double strength) {
    PatternPtr left(cairo_pattern_create_linear(region.left, 0, region.left + 26, 0));
    cairo_pattern_add_color_stop_rgba(left.get(), 0.0, 0.2, 0.1, 0.0, strength);
    cairo_pattern_add_color_stop_rgba(left.get(), 1.0, 0.2, 0.1, 0.0, 0.0);
    cairo_rectangle(cr, region.left, region.top, 26, region.height());
    cairo_set_source(cr, left.get());
    cairo_fill(cr);
    PatternPtr right(cairo_pattern_create_linear(region.right, 0, region.right - 26, 0));
    cairo_pattern_add_color_stop_rgba(right.get(), 0.0, 0.2, 0.1, 0.0, strength);
    cairo_pattern_add_color_stop_rgba(right.get(), 1.0, 0.2, 0.1, 0.0, 0.0);
    cairo_rectangle(cr, region.right - 26, region.top, 26, region.height());
    cairo_set_source(cr, right.get());
    cairo_fill(cr);
}

void drawPresetBar(cairo_t* cr) {
    using namespace preset_bar;
    fillRect(cr, PixelRect{0, kFrontPanelHeightPx, kEditorWidthPx, kEditorHeightPx},
             palette::kPresetStrip);
    cairo_rectangle(cr, 0, kFrontPanelHeightPx, kEditorWidthPx, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    const double middle = (kSaveBank.top + kSaveBank.bottom) * 0.5;
    const TextStyle word{7.5, true, palette::kBridgeInk};
    drawText(cr, "BANK", (kSaveBank.right + kLoadBank.left) * 0.5, middle, word);
    drawText(cr, "PRESET", (kSavePreset.right + kLoadPreset.left) * 0.5, middle, word);
    drawText(cr, "A", (kStoreA.right + kRecallA.left) * 0.5, middle, word);
    drawText(cr, "B", (kStoreB.right + kRecallB.left) * 0.5, middle, word);
    // Light name box: the name field draws this part of the picture under its text.
    roundedRectPath(cr, kNameField.left + 0.5, kNameField.top + 0.5, kNameField.width() - 1,
                    kNameField.height() - 1, 2);
    setColour(cr, palette::kNameBox);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // List symbol under the preset menu.
    const double menuX = kMenu.centreX();
    cairo_move_to(cr, menuX - 3.5, middle - 2);
    cairo_line_to(cr, menuX + 3.5, middle - 2);
    cairo_line_to(cr, menuX, middle + 2.5);
    cairo_close_path(cr);
    setColour(cr, palette::kBridgeInk);
    cairo_fill(cr);
}

void drawScrews(cairo_t* cr, std::span<const double> xs, std::span<const double> ys,
                double radius = 4.5) {
    double angle = 0.3;
    for (double y : ys) {
        for (double x : xs) {
            drawScrew(cr, x, y, radius, angle);
            angle += 1.1;
        }
    }
}

void drawProductName(cairo_t* cr, std::string_view model, double centreX, double centreY,
                     double sizePx, Rgb ink) {
    const double makerWidth = textWidth(cr, "KYT ", sizePx, true);
    const double modelWidth = textWidth(cr, model, sizePx, false);
    const double left = centreX - (makerWidth + modelWidth) * 0.5;
    drawText(cr, "KYT ", left, centreY, TextStyle{sizePx, true, palette::kAccentRed, Align::Left});
    drawText(cr, model, left + makerWidth, centreY, TextStyle{sizePx, false, ink, Align::Left});
}

}  // namespace

SurfacePtr renderFrontPanel(PanelVariant variant) {
    using namespace front;
    SurfacePtr panel = makeSurface(kEditorWidthPx, kEditorHeightPx);
    brushGrain(panel.get(), PixelRect{0, 0, kEditorWidthPx, kBridgeBottomPx}, palette::kBridge, 5.0,
               0x5EED0001);
    brushGrain(panel.get(), PixelRect{0, kBridgeBottomPx, kEditorWidthPx, kFrontPanelHeightPx},
               palette::kFace, 3.5, 0x5EED0002);
    ContextPtr owner = makeContext(panel.get());
    cairo_t* cr = owner.get();
    drawVignette(cr, PixelRect{0, kBridgeBottomPx, kEditorWidthPx, kFrontPanelHeightPx}, 0.16);
    drawBridgeEdge(cr);

    // Meter windows.
    drawBrassBezel(cr, kMeterLeft, 3, 2);
    drawBrassBezel(cr, kMeterRight, 3, 2);

    // Places that share one film strip get the same piece of panel.
    const PixelRect dynamicsKnobs[] = {kSpeed, kMix};
    stampSamePanel(cr, panel.get(), kKnee, dynamicsKnobs);
    const PixelRect levelKnobs[] = {kLowAdjust, kOutput, kCeiling};
    stampSamePanel(cr, panel.get(), kHighAdjust, levelKnobs);
    const PixelRect leds[] = {kLedRight};
    stampSamePanel(cr, panel.get(), kLedLeft, leds);

    // Read-out glass and latency window.
    drawRecess(
        cr, PixelRect{kReadout.left - 3, kReadout.top - 3, kReadout.right + 3, kReadout.bottom + 3},
        palette::kLcdBack, 2);
    drawRecess(cr, PixelRect{117, 425, 215, 441}, mix(palette::kNameBox, kWhite, 0.35), 2);

    // Groups.
    drawGroove(cr, 114, 158, 114, 298, false);
    drawGroove(cr, 246, 158, 246, 300, false);
    drawGroove(cr, 330, 162, 330, 300, false);

    const double bridgeScrewXs[] = {10, 440};
    const double bridgeScrewYs[] = {10, 134};
    drawScrews(cr, bridgeScrewXs, bridgeScrewYs);
    const double faceScrewXs[] = {10, 440};
    const double faceScrewYs[] = {434};
    drawScrews(cr, faceScrewXs, faceScrewYs);

    const PrintedLabel bridgeLabels[] = {
        {"METERS", kMeters.centreX(), 20, Align::Centre},
        {"LEFT", kMeterLeft.centreX(), 29.5, Align::Centre},
        {"RIGHT", kMeterRight.centreX(), 29.5, Align::Centre},
        {"OVER", kLedLeft.left - 3.0, kLedLeft.centreY(), Align::Right},
        {"OVER", kLedRight.left - 3.0, kLedRight.centreY(), Align::Right},
    };
    printDarkLabels(cr, bridgeLabels, kBridgeLabel);

    const auto above = [](const PixelRect& rect, double gap = 6.0) { return rect.top - gap; };
    const PrintedLabel faceLabels[] = {
        {"KNEE", kKnee.centreX(), above(kKnee), Align::Centre},
        {"SPEED", kSpeed.centreX(), above(kSpeed), Align::Centre},
        {"RELEASE", kRelease.centreX(), above(kRelease), Align::Centre},
        {"AUTO", kAuto.centreX(), above(kAuto), Align::Centre},
        {"LONG", kLong.centreX(), above(kLong), Align::Centre},
        {"DRIVE", kDrive.centreX(), above(kDrive, 5.0), Align::Centre},
        {"CEILING", kCeiling.centreX(), above(kCeiling), Align::Centre},
        {"LOW ADJ", kLowAdjust.centreX(), above(kLowAdjust), Align::Centre},
        {"HIGH ADJ", kHighAdjust.centreX(), above(kHighAdjust), Align::Centre},
        {"LOW FREQ", kLowFreq.centreX(), above(kLowFreq), Align::Centre},
        {"HIGH FREQ", kHighFreq.centreX(), above(kHighFreq), Align::Centre},
        {"MIX", kMix.centreX(), above(kMix), Align::Centre},
        {"OUTPUT", kOutput.centreX(), above(kOutput), Align::Centre},
        {"PROCESS", kProcess.centreX(), above(kProcess), Align::Centre},
        {"MODE", kMode.centreX(), above(kMode), Align::Centre},
        {"LINK", kLink.centreX() + 4.0, above(kLink), Align::Centre},
        {"MONO", kStereoLever.centreX(), kStereoLever.top - 5.5, Align::Centre},
    };
    printFaceLabels(cr, faceLabels, kFaceLabel);
    const PrintedLabel smallLabels[] = {
        {"BRICKWALL", kBrickwall.centreX() + 1.0, above(kBrickwall, 6.0), Align::Centre},
        {"LATENCY", 114, 433, Align::Right},
        {"READ-OUT", kReadout.centreX(), kReadout.bottom + 9.0, Align::Centre},
    };
    printFaceLabels(cr, smallLabels, TextStyle{6.5, true, palette::kInk});
    if (variant == PanelVariant::Main) {
        const PrintedLabel fatLabel[] = {{"FAT", kFat.centreX(), above(kFat), Align::Centre}};
        printFaceLabels(cr, fatLabel, kFaceLabel);
    } else {
        // The classic core has no oversampling: its place carries the build's name instead.
        const PrintedLabel classicLabel[] = {
            {"CLASSIC", kFat.centreX(), kFat.centreY(), Align::Centre}};
        printFaceLabels(cr, classicLabel, TextStyle{7.5, true, palette::kAccentRed});
    }

    // Product name on the switch area that turns the panel round.
    const std::string_view model = variant == PanelVariant::Main ? "Calorvane2" : "Calorvane";
    drawProductName(cr, model, kRearSwitchArea.centreX() - 8, kRearSwitchArea.centreY() - 1, 15.0,
                    palette::kInk);
    drawText(cr, "SET-UP", kRearSwitchArea.right - 2, kRearSwitchArea.centreY() - 1,
             TextStyle{6.0, true, palette::kInkSoft, Align::Right});
    drawPresetBar(cr);
    return panel;
}

SurfacePtr renderRearPanel() {
    using namespace rear;
    SurfacePtr panel = makeSurface(kEditorWidthPx, kRearBitmapHeightPx);
    brushGrain(panel.get(), PixelRect{0, 0, kEditorWidthPx, kRearBitmapHeightPx}, palette::kBridge,
               5.0, 0x5EED0003);
    ContextPtr owner = makeContext(panel.get());
    cairo_t* cr = owner.get();
    drawVignette(cr, PixelRect{0, 0, kEditorWidthPx, kRearBitmapHeightPx}, 0.35);

    // Type plate; clicking it turns the panel back to the front.
    const PixelRect plate = kFrontSwitchArea;
    roundedRectPath(cr, plate.left + 1, plate.top + 2, plate.width(), plate.height(), 4);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    PatternPtr cream(cairo_pattern_create_linear(0, plate.top, 0, plate.bottom));
    cairo_pattern_add_color_stop_rgb(cream.get(), 0.0, 0.93, 0.88, 0.78);
    cairo_pattern_add_color_stop_rgb(cream.get(), 1.0, 0.84, 0.77, 0.64);
    roundedRectPath(cr, plate.left, plate.top, plate.width(), plate.height(), 4);
    cairo_set_source(cr, cream.get());
    cairo_fill(cr);
    // Small screws tucked into the corners, clear of the version label.
    const double plateScrewXs[] = {plate.left + 5.5, plate.right - 5.5};
    const double plateScrewYs[] = {plate.top + 5.5, plate.bottom - 5.5};
    drawScrews(cr, plateScrewXs, plateScrewYs, 3.5);
    drawProductName(cr, "Calorvane2", plate.left + 90, plate.top + 16, 15.0, palette::kInk);
    const TextStyle plateText{8.0, false, palette::kInkSoft, Align::Left};
    drawText(cr, "ANALOG SATURATION", plate.left + 24, plate.top + 40, plateText);
    drawText(cr, "LOOK-AHEAD COMPRESSION", plate.left + 24, plate.top + 52, plateText);
    drawText(cr, "SET-UP PANEL", plate.left + 24, plate.top + 70,
             TextStyle{8.0, true, palette::kInk, Align::Left});
    drawText(cr, "click the plate to turn the panel", plate.left + 24, plate.top + 82,
             TextStyle{7.0, false, palette::kInkSoft, Align::Left});
    drawText(cr, "www.kytheral.com", plate.right - 20, plate.top + 82,
             TextStyle{7.0, false, palette::kInkSoft, Align::Right});

    // All set-up knobs share one strip.
    const KnobPlace* const places[] = {&kLowSat,    &kMidSat,    &kHighSat,   &kLowRel,
                                       &kMidRel,    &kHighRel,   &kVuIntegr,  &kVuRefer,
                                       &kPpmIntegr, &kPpmReturn, &kOverIndic, &kFineTune};
    for (const KnobPlace* place : places) {
        if (place != &kLowSat) {
            copyRegion(cr, panel.get(), kLowSat.knob, place->knob.left, place->knob.top);
        }
        drawRecess(cr, place->display, rgb8(20, 14, 10), 2);
    }

    drawGroove(cr, 24, 160, 426, 160, true);
    drawGroove(cr, 24, 246, 426, 246, true);
    drawGroove(cr, 24, 368, 426, 368, true);
    drawGroove(cr, 225, 170, 225, 236, true);
    drawGroove(cr, 225, 256, 225, 356, true);
    drawGroove(cr, 225, 376, 225, 426, true);
    const double screwXs[] = {10, 440};
    const double screwYs[] = {10, 434};
    drawScrews(cr, screwXs, screwYs);

    const TextStyle title{8.0, true, palette::kLampAmber};
    const PrintedLabel titles[] = {
        {"BAND SATURATION", (kLowSat.knob.left + kHighSat.knob.right) * 0.5, 170, Align::Centre},
        {"BAND RELEASE", (kLowRel.knob.left + kHighRel.knob.right) * 0.5, 170, Align::Centre},
        {"VU METER", 30, 256, Align::Left},
        {"PPM METER", 240, 256, Align::Left},
        {"INDICATORS", 30, 378, Align::Left},
        {"CONTROLS", 240, 378, Align::Left},
    };
    printDarkLabels(cr, titles, title);
    const auto above = [](const PixelRect& rect) { return rect.top - 6.0; };
    const auto beside = [](const PixelRect& rect) { return rect.right + 10.0; };
    const PrintedLabel labels[] = {
        {"LOW SAT", kLowSat.knob.centreX(), above(kLowSat.knob), Align::Centre},
        {"MID SAT", kMidSat.knob.centreX(), above(kMidSat.knob), Align::Centre},
        {"HIGH SAT", kHighSat.knob.centreX(), above(kHighSat.knob), Align::Centre},
        {"LOW REL", kLowRel.knob.centreX(), above(kLowRel.knob), Align::Centre},
        {"MID REL", kMidRel.knob.centreX(), above(kMidRel.knob), Align::Centre},
        {"HIGH REL", kHighRel.knob.centreX(), above(kHighRel.knob), Align::Centre},
        {"VU INTEGR", beside(kVuIntegr.display), kVuIntegr.knob.centreY(), Align::Left},
        {"VU REFER", beside(kVuRefer.display), kVuRefer.knob.centreY(), Align::Left},
        {"PPM INTEGR", beside(kPpmIntegr.display), kPpmIntegr.knob.centreY(), Align::Left},
        {"PPM RETURN", beside(kPpmReturn.display), kPpmReturn.knob.centreY(), Align::Left},
        {"OVER INDIC", beside(kOverIndic.knob) + 2, kOverIndic.knob.centreY(), Align::Left},
        {"FINE TUNE", beside(kFineTune.knob) + 2, kFineTune.knob.centreY(), Align::Left},
        {"KNOB MODE", kKnobMode.centreX(), kKnobMode.top - 7.0, Align::Centre},
        {"CIRC", kKnobMode.left - 4.0, kKnobMode.top + 7.0, Align::Right},
        {"LIN", kKnobMode.left - 4.0, kKnobMode.bottom - 7.0, Align::Right},
    };
    printDarkLabels(cr, labels, TextStyle{7.5, true, palette::kBridgeInk});
    return panel;
}

SurfacePtr renderNamePlate(std::string_view productName, int widthPx, int heightPx) {
    SurfacePtr plate = makeSurface(widthPx, heightPx);
    ContextPtr owner = makeContext(plate.get());
    cairo_t* cr = owner.get();
    setColour(cr, palette::kBridge);
    cairo_paint(cr);
    const PixelRect inner{4, 4, widthPx - 4, heightPx - 4};
    drawBrassBezel(cr, inner, 2, 3);
    PatternPtr cream(cairo_pattern_create_linear(0, inner.top, 0, inner.bottom));
    cairo_pattern_add_color_stop_rgb(cream.get(), 0.0, 0.94, 0.89, 0.79);
    cairo_pattern_add_color_stop_rgb(cream.get(), 1.0, 0.83, 0.76, 0.63);
    roundedRectPath(cr, inner.left, inner.top, inner.width(), inner.height(), 3);
    cairo_set_source(cr, cream.get());
    cairo_fill(cr);
    drawProductName(cr, productName, widthPx * 0.5, heightPx * 0.42, 14.0, palette::kInk);
    drawText(cr, "SATURATION / COMPRESSION", widthPx * 0.5, heightPx * 0.72,
             TextStyle{6.5, true, palette::kInkSoft});
    return plate;
}

SurfacePtr renderMakerBadge(int widthPx, int heightPx) {
    SurfacePtr badge = makeSurface(widthPx, heightPx);
    ContextPtr owner = makeContext(badge.get());
    cairo_t* cr = owner.get();
    setColour(cr, palette::kBridge);
    cairo_paint(cr);
    drawBrassBezel(cr, PixelRect{3, 3, widthPx - 3, heightPx - 3}, 2, 2);
    fillRect(cr, PixelRect{3, 3, widthPx - 3, heightPx - 3}, palette::kBridge);
    drawText(cr, "KYTHERAL", widthPx * 0.5, heightPx * 0.5,
             TextStyle{9.0, true, palette::kBrassLight});
    return badge;
}

}  // namespace calorvane::art
