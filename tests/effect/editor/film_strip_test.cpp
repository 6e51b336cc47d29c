// Drawing arithmetic of the editor's controls, from the examples the controls must show.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "effect/editor/counter_glyphs.h"
#include "effect/editor/film_strip.h"

namespace {

TEST(FilmStrip, KnobFramesFollowTheValue) {
    const std::pair<float, int> cases[] = {{0, 0}, {0.5f, 50}, {1, 100}, {0.999f, 99}, {-0.2f, 0}, {0.0101f, 1}};
    for (const auto& [value, frame] : cases) EXPECT_EQ(knobFrame(value, 101, 50, false), frame) << value;
    EXPECT_EQ(knobFrame(0.25f, 101, 50, true), 75) << "inverse knobs count down";
}

TEST(FilmStrip, GridKnobFillsColumnsTopToBottom) {
    // 101 frames of 113 x 93 in a 1243 x 930 bitmap: ten rows per column, eleven columns.
    const struct {
        float value;
        StripPoint source;
    } cases[] = {
        {0, {0, 0}}, {0.099f, {0, 837}}, {0.1f, {113, 0}}, {0.55f, {565, 465}}, {1, {1130, 0}},
    };
    for (const auto& c : cases) {
        const StripPoint source = gridKnobSource(c.value, 101, 113, 93, 930);
        EXPECT_EQ(source.x, c.source.x) << c.value;
        EXPECT_EQ(source.y, c.source.y) << c.value;
    }
    const StripPoint notANumber = gridKnobSource(std::nanf(""), 101, 113, 93, 930);
    EXPECT_EQ(notANumber.x, 0);
    EXPECT_EQ(notANumber.y, 0);
    EXPECT_GE(gridKnobSource(1e30f, 101, 113, 93, 930).x, 1243) << "far beyond the grid, not before it";
}

TEST(FilmStrip, MeterLawAndFrames) {
    EXPECT_EQ(meterFrame(0, false, 101), 2) << "silence rests just above the stop";
    EXPECT_EQ(meterFrame(-1, false, 101), 2);
    EXPECT_EQ(meterFrame(1.473f, false, 101), 100);
    EXPECT_EQ(meterFrame(2.17f, true, 101), 100);
    EXPECT_EQ(meterFrame(50, false, 101), 100) << "levels above the scale stay at the top";
    EXPECT_LT(meterFrame(1.4f, true, 101), meterFrame(1.4f, false, 101)) << "the wide scale reads loud levels lower";
    EXPECT_GT(meterFrame(0.25f, true, 101), meterFrame(0.25f, false, 101)) << "and quiet levels higher";
    EXPECT_NEAR(meterPosition(1, false), 0.635f, 1e-6);
}

TEST(FilmStrip, OverLedDecaysAndLatches) {
    LedState led{1, 0};
    const int expected[] = {5, 4, 3, 2, 2, 2};
    for (int frame : expected) {
        EXPECT_EQ(ledFrame(led, 6), frame);
        led.value = 0;  // the editor cleared the over flag after reading it
    }
    LedState dark{0, 0};
    EXPECT_EQ(ledFrame(dark, 6), -1);
}

TEST(FilmStrip, SwitchesAndLever) {
    EXPECT_EQ(toggleFrame(0.49f), 0);
    EXPECT_EQ(toggleFrame(0.5f), 1);
    const std::pair<float, int> lever[] = {{0, 0}, {0.33f, 1}, {0.67f, 2}, {1, 3}, {0.74f, 2}, {0.75f, 3}};
    for (const auto& [value, frame] : lever) EXPECT_EQ(leverFrame(value), frame) << value;
    EXPECT_EQ(verticalSwitchFrame(0, 3), 0);
    EXPECT_EQ(verticalSwitchFrame(0.5f, 3), 1);
    EXPECT_EQ(verticalSwitchFrame(1, 3), 2);
    EXPECT_EQ(verticalSwitchFrame(1, 2), 2);
    EXPECT_EQ(verticalSwitchFrame(1e30f, 3), 2);
    EXPECT_EQ(verticalSwitchFrame(-0.5f, 3), 0);
    EXPECT_EQ(verticalSwitchFrame(std::nanf(""), 3), 0);
}

TEST(CounterGlyphs, ReadOutExamples) {
    constexpr int B = GlyphBlank, P = GlyphPoint;
    const struct {
        float value;
        int unit;
        CounterGlyphs glyphs;
    } cases[] = {
        {-3.25f, UnitDecibel, {GlyphMinus, 3, P, 2, 5, GlyphDecibel}},
        {12.5f, UnitDecibel, {GlyphPlus, 1, 2, P, 5, GlyphDecibel}},
        {15.32f, UnitDecibel, {GlyphPlus, 1, 5, P, 3, GlyphDecibel}},
        {0, UnitDecibel, {B, 0, P, 0, 0, GlyphDecibel}},
        {2800, UnitHertz, {B, 2, GlyphKilo, 8, 0, GlyphHertz}},
        {16000, UnitHertz, {1, 6, GlyphKilo, 0, 0, GlyphHertz}},
        {100, UnitHertz, {1, 0, 0, P, 0, GlyphHertz}},
        {25.5f, UnitHertz, {B, 2, 5, P, 5, GlyphHertz}},
        {50, UnitPercent, {B, 5, 0, P, 0, GlyphPercent}},
        {100, UnitPercent, {1, 0, 0, P, 0, GlyphPercent}},
        {7.25f, 4, {B, B, 7, P, 2, 5}},
        {123.456f, 4, {1, 2, 3, P, 4, 6}},
        {42, UnitNone, {B, B, B, B, B, B}},
    };
    for (const auto& c : cases) EXPECT_EQ(counterGlyphs(c.value, c.unit), c.glyphs) << c.value << " unit " << c.unit;
}

TEST(CounterGlyphs, ValuesThatAreNotNumbersStillGiveGlyphsOfTheStrip) {
    const float values[] = {std::nanf(""), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 3e38f};
    for (float value : values)
        for (int unit = UnitDecibel; unit <= 4; ++unit)
            for (int glyph : counterGlyphs(value, unit)) {
                EXPECT_GE(glyph, 0) << value << " unit " << unit;
                EXPECT_LE(glyph, GlyphBlank) << value << " unit " << unit;
            }
}

}  // namespace
