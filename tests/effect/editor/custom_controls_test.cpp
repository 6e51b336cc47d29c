// The editor's custom controls: meters, LEDs, read-out, lever, switches, frame and preset bar.
#include <gtest/gtest.h>

#include <cmath>

#include "effect/editor/click_rect.h"
#include "effect/editor/counter.h"
#include "effect/editor/counter_glyphs.h"
#include "effect/editor/label2.h"
#include "effect/editor/movie_led.h"
#include "effect/editor/movie_meter.h"
#include "effect/editor/my_frame.h"
#include "effect/editor/my_lrud_button.h"
#include "effect/editor/my_on_off_button.h"
#include "effect/editor/my_text_edit.h"
#include "effect/editor/my_vertical_switch.h"
#include "effect/editor/ps_on_off_button.h"
#include "effect/editor/ps_rocker_switch.h"
#include "effect/editor/save_load_button.h"
#include "effect/editor/view_container_switch.h"
#include "tests/effect/editor/preset_listener_fixture.h"
#include "tests/widgets/widget_fixture.h"
#include "widgets/knob.h"

using namespace VSTGUI;
using widget_test::drawnRed;
using widget_test::makeStrip;
using widget_test::TestFrame;

namespace {

TEST(MovieMeter, NeedleFramesForLevelsOnBothScales) {
    CBitmap* standard = makeStrip(4, 2, 101);
    CBitmap* alternate = makeStrip(4, 2, 101);
    CMovieMeter meter(CRect(0, 0, 4, 2), nullptr, 25, 101, 2, standard, alternate, CPoint(), 0);
    standard->forget();
    alternate->forget();
    const std::pair<float, int> standardCases[] = {
        {0, 2}, {-1, 2}, {1.473f, 100}, {50, 100}, {1, 64}, {std::nanf(""), 2}};
    for (const auto& [level, frame] : standardCases) {
        meter.setValue(level);
        EXPECT_EQ(drawnRed(meter, 4, 2, 1, 1), frame) << level;
    }
    meter.setScaleMode(1);
    EXPECT_TRUE(meter.isDirty());
    meter.setValue(2.17f);
    EXPECT_EQ(drawnRed(meter, 4, 2, 1, 1), 100);
    meter.setValue(0);
    EXPECT_EQ(drawnRed(meter, 4, 2, 1, 1), 2);
}

TEST(MovieMeter, ClickTogglesTheScaleAndReports) {
    TestFrame test;
    RecordingPresetListener listener;
    auto* meter =
        new CMovieMeter(CRect(0, 0, 50, 20), &listener, 25, 101, 20, nullptr, nullptr, CPoint(), 0);
    test.frame->addView(meter);
    test.press(10, 10, kLButton);
    EXPECT_EQ(meter->getScaleMode(), 1);
    test.press(10, 10, kLButton);
    EXPECT_EQ(meter->getScaleMode(), 0);
    const std::vector<std::pair<int32_t, float>> expected{{25, 1.0f}, {25, 0.0f}};
    EXPECT_EQ(listener.changes, expected);
}

TEST(MovieLED, OverLightsThenDecaysToALatchUntilReset) {
    CBitmap* strip = makeStrip(4, 2, 6);
    CMovieLED led(CRect(0, 0, 4, 2), nullptr, 54, 6, 2, strip, CPoint());
    strip->forget();
    EXPECT_FLOAT_EQ(led.getDecayStep(), 0.2f);
    led.setValue(1);
    const int expected[] = {5, 4, 3, 2, 2, 2};
    for (int frame : expected) {
        EXPECT_EQ(drawnRed(led, 4, 2, 1, 1), frame);
        led.setValue(0);  // the editor cleared the over flag after reading it
    }
    led.reset();
    EXPECT_TRUE(led.isDirty());
    EXPECT_EQ(drawnRed(led, 4, 2, 1, 1), 0) << "dark again";
    led.setValue(1);
    EXPECT_EQ(drawnRed(led, 4, 2, 1, 1), 5);
}

TEST(MovieLED, ClickResetsAndTellsTheEditor) {
    TestFrame test;
    RecordingPresetListener listener;
    auto* led = new CMovieLED(CRect(0, 0, 21, 21), &listener, 55, 6, 21, nullptr, CPoint());
    test.frame->addView(led);
    led->setValue(1);
    test.frame->idle();
    test.press(5, 5, kLButton);
    EXPECT_FLOAT_EQ(led->getValue(), 0.0f);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].first, 55);
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"end 55"}));
}

TEST(Counter, DrawsTheGlyphsOfItsValueAndUnit) {
    // 18 glyphs of 2 x 3 px, glyph g coloured (g, 0, 0).
    CBitmap* glyphs = makeStrip(2, 3, 18);
    CCounter counter(CRect(10, 5, 22, 8), nullptr, 50, 15.32f, UnitDecibel, 10, 5, 2, 3, glyphs);
    glyphs->forget();
    EXPECT_TRUE(std::all_of(counter.glyphCodes().begin(), counter.glyphCodes().end(),
                            [](int g) { return g == GlyphBlank; }));
    platform::Image target(30, 10);
    {
        CDrawContext context(nullptr, target);
        counter.draw(&context);
    }
    const int expected[] = {GlyphPlus, 1, 5, GlyphPoint, 3, GlyphDecibel};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(target.pixel(10 + 2 * i, 6).red, expected[i]) << "glyph " << i;

    counter.setValueAndUnit(2800, UnitHertz);
    EXPECT_TRUE(counter.isDirty());
    {
        CDrawContext context(nullptr, target);
        counter.draw(&context);
    }
    EXPECT_EQ(counter.glyphCodes(),
              (std::array<int32_t, 6>{GlyphBlank, 2, GlyphKilo, 8, 0, GlyphHertz}));
    counter.setValueAndUnit(0, UnitNone);
    {
        CDrawContext context(nullptr, target);
        counter.draw(&context);
    }
    EXPECT_EQ(target.pixel(12, 6).red, GlyphBlank);
    counter.setMax(2);
    counter.setValue(1);
    EXPECT_FLOAT_EQ(counter.getNormalizedValue(), 0.5f);
    counter.setValue(5);
    EXPECT_FLOAT_EQ(counter.getNormalizedValue(), 1.0f);
    counter.setValue(std::nanf(""));
    EXPECT_FLOAT_EQ(counter.getNormalizedValue(), 0.0f);
}

TEST(Lever, ZonesPickTheValueAndOutsideKeepsThePressValue) {
    // The StereoMode lever: 326, 388, 377, 436 -> W = 12, H = 12, half = 24.
    CMyLRUDButton lever(CRect(326, 388, 377, 436), nullptr, 57, nullptr);
    const struct {
        CPoint where;
        float value;
    } cases[] = {
        {{330, 410}, 0.33f}, {{326, 400}, 0.33f}, {{372, 410}, 0.67f}, {{350, 430}, 1.0f},
        {{350, 412}, 1.0f},  {{350, 392}, 0.0f},  {{330, 390}, 0.5f},  {{350, 405}, 0.5f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(lever.valueAt(c.where, 0.5f), c.value) << c.where.x << "," << c.where.y;
}

TEST(Lever, DragPicksZonesAndPutsBackThePressValueOutside) {
    TestFrame test(500, 500);
    RecordingPresetListener listener;
    auto* lever = new CMyLRUDButton(CRect(326, 388, 377, 436), &listener, 57, nullptr);
    lever->setValue(0.67f);
    test.frame->addView(lever);
    test.press(330, 410, kLButton, {{350, 405, kLButton}, {350, 405, 0}});
    EXPECT_FLOAT_EQ(lever->getValue(), 0.67f)
        << "released between the zones: the value at the press";
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 57", "end 57"}));
    test.press(330, 410, kLButton, {{330, 410, 0}});
    EXPECT_FLOAT_EQ(lever->getValue(), 0.33f);
    EXPECT_FLOAT_EQ(listener.changes.back().second, 0.33f) << "reported once more at release";
}

TEST(Switches, FramesOfToggleLeverAndVerticalSwitch) {
    CBitmap* two = makeStrip(4, 2, 2);
    CMyOnOffButton toggle(CRect(0, 0, 4, 2), nullptr, 0, two);
    two->forget();
    const std::pair<float, int> toggleCases[] = {{0, 0}, {0.49f, 0}, {0.5f, 1}, {1, 1}};
    for (const auto& [value, frame] : toggleCases) {
        toggle.setValue(value);
        EXPECT_EQ(drawnRed(toggle, 4, 2, 1, 1), frame) << value;
    }
    CBitmap* four = makeStrip(4, 2, 4);
    CMyLRUDButton lever(CRect(0, 0, 4, 2), nullptr, 57, four);
    four->forget();
    const std::pair<float, int> leverCases[] = {{0, 0}, {0.33f, 1}, {0.67f, 2}, {1, 3}};
    for (const auto& [value, frame] : leverCases) {
        lever.setValue(value);
        EXPECT_EQ(drawnRed(lever, 4, 2, 1, 1), frame) << value;
    }
    CBitmap* three = makeStrip(4, 2, 3);
    CMyVerticalSwitch meters(CRect(0, 0, 4, 2), nullptr, 21, 3, 2, 3, three);
    three->forget();
    const std::pair<float, int> switchCases[] = {{0, 0}, {0.5f, 1}, {1, 2}};
    for (const auto& [value, frame] : switchCases) {
        meters.setValue(value);
        EXPECT_EQ(drawnRed(meters, 4, 2, 1, 1), frame) << value;
    }
}

TEST(Switches, OnOffButtonWithPointSevenTurnsOn) {
    TestFrame test;
    auto* button = new CMyOnOffButton(CRect(0, 0, 20, 20), nullptr, 26, nullptr);
    button->setValue(0.7f);
    test.frame->addView(button);
    test.press(5, 5, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 1.0f);
}

TEST(InvisibleAreas, PanelSwitchFlipsAndClickRectReports) {
    TestFrame test;
    RecordingPresetListener listener;
    auto* panelSwitch = new CViewContainerSwitch(CRect(0, 0, 50, 20), &listener, 52);
    auto* latency = new CClickRect(CRect(0, 50, 50, 70), &listener, 56);
    test.frame->addView(panelSwitch);
    test.frame->addView(latency);
    test.press(5, 5, kLButton);
    test.press(5, 5, kLButton);
    test.press(5, 5, kRButton);
    test.press(5, 60, kRButton);
    const std::vector<std::pair<int32_t, float>> expected{{52, 1.0f}, {52, 0.0f}, {56, 0.0f}};
    EXPECT_EQ(listener.changes, expected);
    platform::Image target(50, 20);
    CDrawContext context(nullptr, target);
    panelSwitch->draw(&context);
    EXPECT_EQ(target.pixel(5, 5).alpha, 0) << "draws nothing";
}

TEST(Label, SmallBlackTextWithoutBackground) {
    CLabel2 label(CRect(0, 0, 29, 10), "v2.3.1");
    EXPECT_TRUE(label.isDirty());
    platform::Image target(29, 10);
    {
        CDrawContext context(nullptr, target);
        label.draw(&context);
    }
    int inked = 0;
    for (int x = 0; x < 29; ++x)
        for (int y = 0; y < 10; ++y) inked += target.pixel(x, y).alpha > 100 ? 1 : 0;
    EXPECT_GT(inked, 5);
    EXPECT_EQ(target.pixel(28, 0).alpha, 0);
    CLabel2 empty(CRect(0, 0, 10, 10), nullptr);
    EXPECT_TRUE(empty.text().empty());
}

struct ValueEntryFixture : ::testing::Test {
    ValueEntryFixture() {
        auto made = std::make_unique<platform::TestWindow>(450, 460);
        window = made.get();
        frame = new CMyFrame(CRect(0, 0, 450, 460), std::move(made), nullptr);
        entry = new CMyTextEdit(CRect(151, 281, 207, 298), &listener, 58, nullptr, nullptr, 0);
        frame->addView(entry);
    }
    ~ValueEntryFixture() override { frame->forget(); }
    RecordingPresetListener listener;
    platform::TestWindow* window;
    CMyFrame* frame;
    CMyTextEdit* entry;
};

TEST_F(ValueEntryFixture, EnterReportsTheTypedTextForTheKnob) {
    entry->setText("0.00");
    entry->beginEntry(4, nullptr);
    frame->setPendingEntry(entry);
    EXPECT_EQ(entry->getEntryTag(), 4);
    for (char c : std::string("12")) frame->keyDown({c, 0, 0});
    frame->keyDown({0, platform::kKeyReturn, 0});
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"endValueEntry 4 12"}));
    EXPECT_EQ(entry->getEntryTag(), -1);
    // The frame still remembers the field; a later click must not report it again.
    window->setPointer({5, 5, kLButton});
    frame->pressAt({5, 5}, kLButton);
    EXPECT_EQ(listener.calls.size(), 1u);
}

TEST_F(ValueEntryFixture, AClickAnywhereCommitsThePendingEntry) {
    entry->beginEntry(7, nullptr);
    frame->setPendingEntry(entry);
    for (char c : std::string("2.5")) frame->keyDown({c, 0, 0});
    window->setPointer({5, 5, kLButton});
    frame->pressAt({5, 5}, kLButton);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"endValueEntry 7 2.5"}));
    EXPECT_EQ(frame->getPendingEntry(), nullptr);
    EXPECT_FALSE(entry->isEditing());
}

TEST_F(ValueEntryFixture, LongTextsAreCutTo63Characters) {
    entry->beginEntry(5, nullptr);
    for (int i = 0; i < 80; ++i) frame->keyDown({'9', 0, 0});
    frame->keyDown({0, platform::kKeyEnter, 0});
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0], "endValueEntry 5 " + std::string(63, '9'));
}

TEST(MyFrame, WheelGoesToTheViewUnderTheMouseOrTheFocusView) {
    auto made = std::make_unique<platform::TestWindow>(200, 200);
    platform::TestWindow* window = made.get();
    auto* frame = new CMyFrame(CRect(0, 0, 200, 200), std::move(made), nullptr);
    RecordingPresetListener listener;
    auto* left = new CKnob(CRect(0, 0, 50, 50), &listener, 1, nullptr, nullptr);
    auto* right = new CKnob(CRect(100, 0, 150, 50), &listener, 2, nullptr, nullptr);
    frame->addView(left);
    frame->addView(right);
    window->setPointer({120, 20, 0});
    EXPECT_TRUE(frame->onWheel(nullptr, CPoint(), kMouseWheelAxisY, 1.0f))
        << "no context given: one is made";
    EXPECT_NEAR(right->getValue(), 0.1f, 1e-6);
    EXPECT_FLOAT_EQ(left->getValue(), 0.0f);
    frame->setFocusView(left);
    frame->onWheel(nullptr, CPoint(), kMouseWheelAxisY, 1.0f);
    EXPECT_NEAR(right->getValue(), 0.2f, 1e-6)
        << "a knob that took the focus does not keep the wheel";
    left->setWantsFocus(true);
    frame->setFocusView(left);
    frame->onWheel(nullptr, CPoint(), kMouseWheelAxisY, 1.0f);
    EXPECT_NEAR(left->getValue(), 0.1f, 1e-6) << "a view that wants the focus does";
    frame->setFocusView(nullptr);
    window->setPointer({80, 150, 0});
    EXPECT_FALSE(frame->onWheel(nullptr, CPoint(), kMouseWheelAxisY, 1.0f));
    frame->forget();
}

TEST(PresetBar, MemoButtonReportsAtOnceAndShowsPressedUntilRelease) {
    TestFrame test;
    RecordingPresetListener listener;
    CBitmap* arrows = makeStrip(12, 14, 4);
    auto* memo = new CPSOnOffButton(CRect(0, 0, 12, 14), &listener, 66, arrows);
    arrows->forget();
    test.frame->addView(memo);
    EXPECT_EQ(memo->frameIndex(), 0);
    memo->setHighlight(true);
    EXPECT_EQ(memo->frameIndex(), 1);
    memo->setDirty(false);
    memo->setHighlight(true);
    EXPECT_FALSE(memo->isDirty()) << "no change, no redraw";
    int pressedFrameSeen = -1;
    test.press(5, 5, kLButton, {{5, 5, kLButton}, {5, 5, kLButton}, {5, 5, 0}});
    pressedFrameSeen = test.window->lastPicture.pixel(5, 5).red;
    EXPECT_EQ(pressedFrameSeen, 2) << "the pressed look was drawn during the hold";
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_FALSE(memo->isPressed());
    EXPECT_EQ(memo->frameIndex(), 1);
}

TEST(PresetBar, RockerStepsAndLightsTheHalfUnderTheMouse) {
    TestFrame test(400, 400);
    RecordingPresetListener listener;
    auto* rocker =
        new CPSRockerSwitch(CRect(313, 344, 344, 358), &listener, 60, 14, nullptr, CPoint(), 1);
    test.frame->addView(rocker);
    test.press(320, 350, kLButton);
    test.press(340, 350, kLButton);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"previous", "next"}));
    EXPECT_FLOAT_EQ(rocker->getValue(), 0.0f);

    rocker->setDirty(false);
    rocker->setHover(true, 320, 350);
    EXPECT_EQ(rocker->frameIndex(), 1);
    EXPECT_TRUE(rocker->isDirty());
    rocker->setDirty(false);
    rocker->setHover(true, 321, 351);
    EXPECT_FALSE(rocker->isDirty());
    rocker->setHover(true, 340, 350);
    EXPECT_EQ(rocker->frameIndex(), 2);
    rocker->setHover(false, 340, 350);
    EXPECT_EQ(rocker->frameIndex(), 0);
    rocker->setValue(-1);
    EXPECT_EQ(rocker->frameIndex(), 3);
    rocker->setValue(1);
    EXPECT_EQ(rocker->frameIndex(), 4);
}

TEST(PresetBar, SaveLoadButtonsRunTheirModeAndShowTheirLook) {
    TestFrame test(200, 200);
    RecordingPresetListener listener;
    const char* expected[] = {"loadBank", "saveBank", "loadPreset", "savePreset"};
    for (int mode = 0; mode < 4; ++mode) {
        auto* button = new CSaveLoadButton(CRect(20 * mode, 0, 20 * mode + 12, 14), &listener,
                                           61 + mode, 14, nullptr, CPoint(), mode);
        test.frame->addView(button);
        test.press(20 * mode + 5, 5, kLButton);
        EXPECT_EQ(listener.calls.back(), expected[mode]);
        EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
        EXPECT_EQ(test.editor.edits.back(), "end " + std::to_string(61 + mode));
        button->setHighlight(true);
        EXPECT_EQ(button->frameIndex(), 1);
        button->setValue(1);
        EXPECT_EQ(button->frameIndex(), 2);
    }
}

}  // namespace
