// Stock controls with injected mouse states: knob drags and gestures, buttons and switches.
#include <gtest/gtest.h>

#include "tests/widgets/widget_fixture.h"
#include "widgets/kick_button.h"
#include "widgets/knob.h"
#include "widgets/on_off_button.h"
#include "widgets/rocker_switch.h"
#include "widgets/vertical_switch.h"

using namespace VSTGUI;
using platform::TestWindow;
using widget_test::RecordingListener;
using widget_test::TestFrame;

namespace {

struct KnobFixture : ::testing::Test {
    KnobFixture() {
        knob = new CKnob(CRect(0, 0, 40, 40), &listener, 9, nullptr, nullptr);
        knob->setValue(0.5f);
        test.frame->addView(knob);
    }
    TestFrame test{300, 300};
    RecordingListener listener;
    CKnob* knob;
};

TEST_F(KnobFixture, LinearDragTakes200PixelsOr300WithShift) {
    CFrame::setKnobMode(kLinearMode);
    test.press(20, 20, kLButton, {{20, 20, kLButton}, {20, 0, kLButton}, {20, 0, 0}});
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5) << "20 px up of 200";
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 9", "end 9"}));

    knob->setValue(0.5f);
    test.press(20, 20, kLButton | kShift,
               {{20, 20, kLButton | kShift}, {50, 20, kLButton | kShift}, {50, 20, 0}});
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5) << "30 px right of 300 with shift";
}

TEST_F(KnobFixture, LinearDragRebasesWithoutAJumpWhenShiftChanges) {
    CFrame::setKnobMode(kLinearMode);
    test.press(20, 40, kLButton,
               {{20, 20, kLButton},
                {20, 20, kLButton | kShift},
                {20, -10, kLButton | kShift},
                {20, -10, 0}});
    EXPECT_NEAR(knob->getValue(), 0.5f + 20.0f / 200 + 30.0f / 300, 1e-5);
}

TEST_F(KnobFixture, CircularDragFollowsTheAngleAndAltSwapsTheMode) {
    CFrame::setKnobMode(kCircularMode);
    // Nine o'clock is 45 degrees into the sweep, twelve the middle, three o'clock 225 degrees.
    const std::pair<CPoint, float> cases[] = {
        {{0, 20}, 1.0f / 6}, {{20, 0}, 0.5f}, {{40, 20}, 5.0f / 6}};
    for (const auto& [point, expected] : cases) {
        test.press(36, 4, kLButton, {{point.x, point.y, kLButton}, {point.x, point.y, 0}});
        EXPECT_NEAR(knob->getValue(), expected, 0.01f) << point.x << "," << point.y;
    }

    knob->setValue(0.5f);
    test.press(20, 20, kLButton | kAlt,
               {{20, 20, kLButton | kAlt}, {20, 0, kLButton | kAlt}, {20, 0, 0}});
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5) << "alt in circular mode drags linearly";
}

TEST_F(KnobFixture, CircularDragIsPinnedAcrossTheGap) {
    CFrame::setKnobMode(kCircularMode);
    knob->setValue(0.1f);
    // From the lower left (near the start) round the bottom to the lower right (near the end).
    test.press(5, 35, kLButton,
               {{5, 35, kLButton},
                {15, 40, kLButton},
                {25, 40, kLButton},
                {35, 35, kLButton},
                {35, 35, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.0f) << "crossing the gap pins to the start";
}

TEST_F(KnobFixture, ControlClickRestoresTheDefaultAsOneEdit) {
    knob->setDefaultValue(0.25f);
    test.press(20, 20, kLButton | kControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 9", "end 9"}));
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_FLOAT_EQ(listener.changes[0].second, 0.25f);
    EXPECT_EQ(listener.modifierClicks, (std::vector<int32_t>{kLButton | kControl}));

    listener.swallowModifierClicks = true;
    knob->setValue(0.9f);
    test.press(20, 20, kLButton | kControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.9f) << "the listener may keep modifier presses for itself";
}

TEST_F(KnobFixture, WheelStepsByTheIncrementAndATenthWithShift) {
    knob->setWheelInc(0.05f);
    CDrawContext context(test.frame);
    test.window->setPointer({20, 20, 0});
    EXPECT_TRUE(knob->onWheel(&context, CPoint(20, 20), 2.0f));
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    test.window->setPointer({20, 20, kShift});
    knob->onWheel(&context, CPoint(20, 20), -1.0f);
    EXPECT_NEAR(knob->getValue(), 0.595f, 1e-6);
    EXPECT_EQ(test.editor.edits.size(), 4u) << "each step is one bracketed edit";
    knob->setValue(1.0f);
    knob->onWheel(&context, CPoint(20, 20), 3.0f);
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
}

TEST(DoubleClick, WithinTheIntervalAndNeverShorterThan250Ms) {
    TestFrame test;
    auto* control = new CKnob(CRect(0, 0, 10, 10), nullptr, 0, nullptr, nullptr);
    test.frame->addView(control);
    test.window->doubleClickMs = 100;  // a system setting shorter than the floor
    EXPECT_FALSE(control->isDoubleClick());
    test.window->advanceTicks(240);
    EXPECT_TRUE(control->isDoubleClick());
    EXPECT_FALSE(control->isDoubleClick()) << "a third press starts over";
    test.window->advanceTicks(260);
    EXPECT_FALSE(control->isDoubleClick());
    test.window->doubleClickMs = 400;
    test.window->advanceTicks(390);
    EXPECT_TRUE(control->isDoubleClick());
}

TEST(Buttons, OnOffToggleTreatsFractionsAsOff) {
    TestFrame test;
    RecordingListener listener;
    auto* button =
        new COnOffButton(CRect(0, 0, 20, 20), &listener, 3, widget_test::makeStrip(20, 10, 2));
    test.frame->addView(button);
    const std::pair<float, float> cases[] = {
        {0.7f, 1.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {2.5f, 0.0f}};
    for (const auto& [before, after] : cases) {
        button->setValue(before);
        test.press(5, 5, kLButton);
        EXPECT_FLOAT_EQ(button->getValue(), after) << before;
    }
    EXPECT_EQ(listener.changes.size(), 4u);
    test.press(5, 5, kRButton);
    EXPECT_EQ(listener.changes.size(), 4u) << "only the left button toggles";
    button->setValue(0.5f);
    EXPECT_EQ(widget_test::drawnRed(*button, 20, 20, 5, 5), 1) << "non-zero shows the lower half";
    button->setValue(0);
    EXPECT_EQ(widget_test::drawnRed(*button, 20, 20, 5, 5), 0);
}

TEST(Buttons, KickButtonIsOneWhileHeldInside) {
    TestFrame test;
    RecordingListener listener;
    auto* kick = new CKickButton(CRect(0, 0, 20, 20), &listener, 4, 20, nullptr);
    test.frame->addView(kick);
    test.press(5, 5, kLButton, {{50, 50, kLButton}, {5, 5, kLButton}, {5, 5, 0}});
    const std::vector<std::pair<int32_t, float>> expected{
        {4, 1.0f}, {4, 0.0f}, {4, 1.0f}, {4, 0.0f}};
    EXPECT_EQ(listener.changes, expected);
}

TEST(Buttons, RockerTakesTheHalfPressedAndReturnsToRest) {
    TestFrame test;
    RecordingListener listener;
    auto* rocker = new CRockerSwitch(CRect(0, 0, 40, 10), &listener, 5, 10, nullptr);
    test.frame->addView(rocker);
    test.press(30, 5, kLButton, {{30, 5, 0}});
    const std::vector<std::pair<int32_t, float>> expected{{5, 1.0f}, {5, 0.0f}};
    EXPECT_EQ(listener.changes, expected);
    listener.changes.clear();
    test.press(5, 5, kLButton, {{5, 5, 0}});
    EXPECT_FLOAT_EQ(listener.changes.front().second, -1.0f);
}

TEST(Buttons, AClickAlreadyOverWhenDeliveredStillPressesAndReleases) {
    // The press carries its buttons, but polling finds them up at once.
    TestFrame test;
    RecordingListener listener;
    test.frame->addView(new CKickButton(CRect(0, 0, 20, 20), &listener, 4, 20, nullptr));
    test.frame->addView(new CRockerSwitch(CRect(0, 50, 40, 60), &listener, 5, 10, nullptr));
    test.window->setPointer({5, 5, 0});
    test.frame->pressAt({5, 5}, kLButton);
    test.window->setPointer({30, 55, 0});
    test.frame->pressAt({30, 55}, kLButton);
    const std::vector<std::pair<int32_t, float>> expected{
        {4, 1.0f}, {4, 0.0f}, {5, 1.0f}, {5, 0.0f}};
    EXPECT_EQ(listener.changes, expected);
}

TEST(Buttons, VerticalSwitchPicksThePositionByHeight) {
    TestFrame test;
    RecordingListener listener;
    auto* switch3 = new CVerticalSwitch(CRect(0, 0, 10, 30), &listener, 6, 3, 30, 3,
                                        widget_test::makeStrip(10, 30, 3));
    test.frame->addView(switch3);
    const std::pair<int, float> cases[] = {
        {0, 0.0f}, {9, 0.0f}, {10, 0.5f}, {25, 1.0f}, {29, 1.0f}};
    for (const auto& [y, value] : cases) {
        test.press(5, y, kLButton, {{5, y, 0}});
        EXPECT_FLOAT_EQ(switch3->getValue(), value) << y;
    }
    test.press(5, 10, kLButton, {{5, 45, kLButton}, {5, -20, kLButton}, {5, -20, 0}});
    EXPECT_FLOAT_EQ(switch3->getValue(), 0.0f) << "dragging beyond the ends clamps";
    switch3->setValue(0.5f);
    EXPECT_EQ(widget_test::drawnRed(*switch3, 10, 30, 5, 5), 1);
}

}  // namespace
