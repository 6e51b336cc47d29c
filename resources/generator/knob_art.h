// Film strips of the rotary knobs: the pointer sweeps 270 degrees, frame 0 at 7:30 (minimum),
// the last frame at 4:30 (maximum).
#pragma once

#include <array>
#include <string_view>

#include "resources/generator/cairo_handles.h"
#include "resources/generator/editor_layout.h"
#include "resources/generator/palette.h"

namespace calorvane::art {

struct KnobLook {
    Rgb body;     // skirt colour
    Rgb face;     // top colour
    Rgb pointer;  // pointer line
    Rgb tickInk;  // printed scale around the knob
    double radiusPx;
    int tickCount;  // printed ticks from minimum to maximum
};

// Printed numbers around the big knob, by normalized position.
struct ScaleNumber {
    double position;
    std::string_view text;
};

// Angle on screen (radians, counter-clockwise from 3 o'clock, y pointing down handled by the
// caller) of the pointer at normalized `value`.
double knobAngleRad(double value);

// Draws the knob and its printed scale centred at (centreX, centreY).
void drawKnob(cairo_t* cr, double centreX, double centreY, const KnobLook& look, double value);

// One frame per value step, stacked top to bottom; each frame shows the panel under `place`.
SurfacePtr renderKnobStrip(cairo_surface_t* panel, const PixelRect& place, int frameCount,
                           const KnobLook& look);

// The big knob: 101 frames of place's size filling columns of `rowsPerColumn` frames.
SurfacePtr renderGridKnob(cairo_surface_t* panel, const PixelRect& place, int frameCount,
                          int rowsPerColumn, int columns, const KnobLook& look,
                          const ScaleNumber* numbers, int numberCount);

namespace knob_looks {
// Dark walnut bakelite with a cream line.
inline constexpr KnobLook kDynamics{
    rgb8(58, 40, 30), rgb8(88, 64, 48), rgb8(240, 226, 196), palette::kInk, 16.5, 11};
// Black with a red line: the level controls.
inline constexpr KnobLook kLevel{
    rgb8(34, 30, 28), rgb8(62, 56, 52), rgb8(226, 64, 40), palette::kInk, 16.5, 11};
// Brass tops for the crossover frequencies.
inline constexpr KnobLook kFrequency{
    rgb8(58, 40, 30), rgb8(176, 142, 86), rgb8(52, 30, 18), palette::kInk, 17.5, 11};
inline constexpr KnobLook kRelease{
    rgb8(34, 30, 28), rgb8(176, 142, 86), rgb8(52, 30, 18), palette::kInk, 17.5, 11};
inline constexpr KnobLook kDrive{
    rgb8(92, 28, 20), rgb8(128, 44, 32), rgb8(246, 232, 204), palette::kInk, 28.0, 21};
inline constexpr KnobLook kRear{
    rgb8(30, 26, 24), rgb8(70, 62, 56), rgb8(236, 216, 176), palette::kBridgeInk, 10.0, 11};
}  // namespace knob_looks

}  // namespace calorvane::art
