// The editor's knob drags with injected mouse states, and the grid knob's frames.
#include <gtest/gtest.h>

#include "effect/editor/anim_knob2.h"
#include "effect/editor/anim_knob3.h"
#include "tests/effect/editor/preset_listener_fixture.h"
#include "tests/widgets/widget_fixture.h"

using namespace VSTGUI;
using widget_test::TestFrame;

namespace {

struct StripKnobFixture : ::testing::Test {
    StripKnobFixture() {
        knob = new CAnimKnob2(CRect(0, 0, 60, 50), &listener, 4, 101, 50, nullptr);
        knob->setValue(0.5f);
        knob->setDirty(false);
        test.frame->addView(knob);
        test.window->setTicks(5000);
    }
    TestFrame test{400, 400};
    RecordingPresetListener listener;
    CAnimKnob2* knob;
};

TEST_F(StripKnobFixture, LinearDragSweepsTheRangeIn300Pixels) {
    CFrame::setKnobMode(kLinearMode);
    test.press(30, 25, kLButton, {{30, 25, kLButton}, {30, -5, kLButton}, {30, -5, 0}});
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5) << "30 px up";
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 4", "end 4"}));

    test.window->advanceTicks(1000);
    test.press(30, 25, kLButton, {{30, 25, kLButton}, {90, 25, kLButton}, {90, 25, 0}});
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5) << "60 px right counts half";

    test.window->advanceTicks(1000);
    test.press(30, 25, kLButton, {{30, 25, kLButton}, {30, 400, kLButton}, {30, 400, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.0f) << "clamped";
}

TEST_F(StripKnobFixture, LinearDragCountsFromThePressPoint) {
    // The pointer is already 10 px higher when the knob first reads it.
    CFrame::setKnobMode(kLinearMode);
    test.press(30, 25, kLButton, {{30, 15, kLButton}, {30, 15, 0}});
    EXPECT_NEAR(knob->getValue(), 0.5f + 10.0f / 300, 1e-5);
}

TEST_F(StripKnobFixture, ShiftMidDragChangesTheRateWithoutAJump) {
    CFrame::setKnobMode(kLinearMode);
    const int shifted = kLButton | kShift;
    // 30 px up plain, then shift: the value stays, then 150 px up with shift is a tenth.
    test.press(30, 25, kLButton,
               {{30, 25, kLButton},
                {30, -5, kLButton},
                {30, -5, shifted},
                {30, -155, shifted},
                {30, -155, 0}});
    EXPECT_NEAR(knob->getValue(), 0.5f + 0.1f + 0.1f, 1e-5);

    std::vector<float> seen;
    for (const auto& change : listener.changes) seen.push_back(change.second);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_LE(std::abs(seen[i] - seen[i - 1]), 0.1f + 1e-5) << "no jump at report " << i;

    // Releasing shift mid-drag: 1500 px per range until then, 300 after.
    knob->setValue(0.5f);
    test.window->advanceTicks(1000);
    test.press(30, 25, shifted,
               {{30, 25, shifted},
                {30, -125, shifted},
                {30, -125, kLButton},
                {30, -155, kLButton},
                {30, -155, 0}});
    EXPECT_NEAR(knob->getValue(), 0.5f + 150.0f / 1500 + 30.0f / 300, 1e-5);
}

TEST_F(StripKnobFixture, AlternateKeySwapsTheDragMode) {
    // Circular mode with alt: linear.
    CFrame::setKnobMode(kCircularMode);
    test.press(30, 25, kLButton | kAlt,
               {{30, 25, kLButton | kAlt}, {30, -5, kLButton | kAlt}, {30, -5, 0}});
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5);
    // Linear mode with alt: circular; twelve o'clock is the middle.
    knob->setValue(0.9f);
    CFrame::setKnobMode(kLinearMode);
    test.window->advanceTicks(1000);
    test.press(50, 10, kLButton | kAlt, {{30, 0, kLButton | kAlt}, {30, 0, 0}});
    EXPECT_NEAR(knob->getValue(), 0.5f, 0.02f);
}

TEST_F(StripKnobFixture, CircularDragPinsAcrossTheDeadZone) {
    CFrame::setKnobMode(kCircularMode);
    // Near the end (lower right), round the bottom towards the start.
    test.press(55, 45, kLButton,
               {{55, 45, kLButton},
                {40, 52, kLButton},
                {20, 52, kLButton},
                {5, 45, kLButton},
                {5, 45, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
    test.window->advanceTicks(1000);
    test.press(5, 45, kLButton,
               {{5, 45, kLButton},
                {20, 52, kLButton},
                {40, 52, kLButton},
                {55, 45, kLButton},
                {55, 45, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.0f);
}

TEST_F(StripKnobFixture, ControlClickRestoresTheDefaultAsOneEdit) {
    knob->setDefaultValue(0.25f);
    test.press(30, 25, kLButton | kControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 4", "end 4"}));
    ASSERT_EQ(listener.changes.size(), 1u);
    // The control-click also started the double-click timer.
    test.window->advanceTicks(100);
    test.press(30, 25, kLButton);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"beginValueEntry 4"}));
}

TEST_F(StripKnobFixture, DoubleClickAsksForATypedValue) {
    test.press(30, 25, kLButton, {{30, 25, 0}});
    EXPECT_TRUE(listener.calls.empty());
    test.window->advanceTicks(240);
    test.press(30, 25, kLButton, {{30, 25, 0}});
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"beginValueEntry 4"}));
    EXPECT_EQ(test.editor.edits.size(), 2u) << "only the first press was a (still) drag";
}

TEST(GridKnob, ReportsThePressAndEveryMove) {
    TestFrame test(400, 400);
    RecordingPresetListener listener;
    auto* knob = new CAnimKnob3(CRect(0, 0, 113, 93), &listener, 4, 101, 113, 93, nullptr);
    knob->setValue(0.5f);
    test.frame->addView(knob);
    CFrame::setKnobMode(kLinearMode);
    test.press(50, 50, kLButton,
               {{50, 50, kLButton}, {50, 47, kLButton}, {50, 47, kLButton}, {50, 47, 0}});
    // At the press and once before the drag, still at the old value; then at the move.
    ASSERT_GE(listener.changes.size(), 4u);
    EXPECT_FLOAT_EQ(listener.changes[0].second, 0.5f);
    EXPECT_FLOAT_EQ(listener.changes[1].second, 0.5f);
    EXPECT_NEAR(listener.changes.back().second, 0.51f, 1e-5);
    EXPECT_NEAR(knob->getValue(), 0.51f, 1e-5);
}

TEST(GridKnob, FramesFillColumnsTopToBottom) {
    // A 3-column grid of 101 frames of 4 x 2 px, 10 rows per column; frame k coloured (k, 0, 0).
    platform::Image grid(44, 20);
    {
        platform::Painter painter(grid);
        for (int k = 0; k < 101; ++k)
            painter.fillRect({(k / 10) * 4, (k % 10) * 2, (k / 10) * 4 + 4, (k % 10) * 2 + 2},
                             {static_cast<uint8_t>(k), 0, 0, 255});
    }
    auto* bitmap = new CBitmap(std::move(grid));
    CAnimKnob3 knob(CRect(0, 0, 4, 2), nullptr, 4, 101, 4, 2, bitmap);
    bitmap->forget();
    const std::pair<float, int> cases[] = {{0, 0},     {-0.3f, 0},  {0.099f, 9},
                                           {0.1f, 10}, {0.55f, 55}, {1.0f, 100}};
    for (const auto& [value, frame] : cases) {
        knob.setValue(value);
        EXPECT_EQ(widget_test::drawnRed(knob, 4, 2, 1, 1), frame) << value;
    }
    knob.setValue(1.0f);
    EXPECT_EQ(knob.sourcePoint(), CPoint(40, 0)) << "frame 100 alone at the top of the last column";
}

TEST(StripKnob, DrawsFrameFloorOfValueTimesFrames) {
    auto* strip = widget_test::makeStrip(6, 5, 101);
    CAnimKnob2 knob(CRect(0, 0, 6, 5), nullptr, 1, 101, 5, strip);
    strip->forget();
    const std::pair<float, int> cases[] = {{0, 0}, {0.5f, 50}, {0.999f, 99}, {1, 100}, {-1, 0}};
    for (const auto& [value, frame] : cases) {
        knob.setValue(value);
        EXPECT_EQ(widget_test::drawnRed(knob, 6, 5, 2, 2), frame) << value;
    }
}

}  // namespace
