// The view tree: reference counting, hit order, focus, dirty flags and the idle redraw.
#include <gtest/gtest.h>

#include "tests/widgets/widget_fixture.h"
#include "widgets/knob.h"
#include "widgets/view_container.h"

using namespace VSTGUI;
using widget_test::RecordingListener;
using widget_test::TestFrame;

namespace {

// Counts presses and draws; reports its destruction.
class ProbeControl : public CControl {
public:
    ProbeControl(const CRect& size, int32_t tag, bool* destroyed = nullptr)
        : CControl(size, nullptr, tag), destroyed(destroyed) {}
    ~ProbeControl() override {
        if (destroyed != nullptr) *destroyed = true;
    }
    void mouse(CDrawContext*, CPoint& where, int32_t buttons) override {
        ++presses;
        lastWhere = where;
        lastButtons = buttons;
    }
    void draw(CDrawContext* context) override {
        ++draws;
        context->setFillColor({10, 20, 30, 255});
        context->fillRect(size);
        setDirty(false);
    }
    bool* destroyed;
    int presses = 0;
    int draws = 0;
    CPoint lastWhere;
    int32_t lastButtons = 0;
};

TEST(ReferenceCounting, LastForgetDestroysAndContainersHoldAReference) {
    bool destroyed = false;
    auto* probe = new ProbeControl(CRect(0, 0, 10, 10), 1, &destroyed);
    probe->remember();
    EXPECT_EQ(probe->getNbReference(), 2);
    probe->forget();
    EXPECT_FALSE(destroyed);
    {
        TestFrame test;
        test.frame->addView(probe);  // the frame takes over our reference
        probe->remember();           // and we keep one of our own
        test.frame->removeView(probe, true);
        EXPECT_FALSE(destroyed) << "removing forgets only the container's reference";
    }
    probe->forget();
    EXPECT_TRUE(destroyed);
}

// A bitmap that reports its destruction.
class ProbeBitmap : public CBitmap {
public:
    explicit ProbeBitmap(bool* destroyed) : CBitmap(platform::Image(4, 4)), destroyed(destroyed) {}
    ~ProbeBitmap() override { *destroyed = true; }
    bool* destroyed;
};

TEST(ReferenceCounting, SettingTheSameHandleBitmapAgainKeepsIt) {
    bool destroyed = false;
    auto* handle = new ProbeBitmap(&destroyed);
    {
        CKnob knob(CRect(0, 0, 20, 20), nullptr, 1, nullptr, handle);
        handle->forget();  // the knob now holds the only reference
        knob.setHandleBitmap(handle);
        EXPECT_FALSE(destroyed);
        if (!destroyed) {
            EXPECT_EQ(handle->getNbReference(), 1);
        }
    }
    EXPECT_TRUE(destroyed) << "the knob releases its reference";
}

TEST(HitOrder, LastAddedEnabledViewTakesThePressEdgesIncluded) {
    TestFrame test;
    auto* lower = new ProbeControl(CRect(10, 10, 60, 60), 1);
    auto* upper = new ProbeControl(CRect(40, 40, 90, 90), 2);
    test.frame->addView(lower);
    test.frame->addView(upper);

    test.press(50, 50, kLButton);
    EXPECT_EQ(upper->presses, 1);
    EXPECT_EQ(lower->presses, 0)
        << "only the last-added of two overlapping controls gets the overlap";

    test.press(60, 60, kLButton);  // right and bottom edges count for hit tests
    EXPECT_EQ(upper->presses, 2);

    upper->setMouseEnabled(false);
    test.press(50, 50, kLButton);
    EXPECT_EQ(lower->presses, 1) << "a disabled view lets presses through";

    test.press(5, 5, kLButton);
    EXPECT_EQ(lower->presses + upper->presses, 3) << "no view, nobody pressed";
}

TEST(HitOrder, MouseableAreaFollowsAMovedViewAndCanBeNarrowed) {
    TestFrame test;
    auto* probe = new ProbeControl(CRect(0, 0, 20, 20), 1);
    test.frame->addView(probe);
    test.frame->idle();
    probe->setViewSize(CRect(100, 100, 120, 120));
    EXPECT_TRUE(probe->isDirty()) << "resizing marks dirty";
    test.press(110, 110, kLButton);
    EXPECT_EQ(probe->presses, 1);
    probe->setMouseableArea(CRect(100, 100, 105, 105));
    test.press(110, 110, kLButton);
    EXPECT_EQ(probe->presses, 1) << "outside the narrowed area";
}

TEST(HitOrder, ContainersHandPressesInLocalCoordinates) {
    TestFrame test;
    auto* panel = new CViewContainer(CRect(100, 50, 200, 150), test.frame);
    auto* probe = new ProbeControl(CRect(10, 10, 30, 30), 7);
    panel->addView(probe);
    test.frame->addView(panel);
    test.press(115, 65, kLButton | kShift);
    ASSERT_EQ(probe->presses, 1);
    EXPECT_EQ(probe->lastWhere, CPoint(15, 15));
    EXPECT_EQ(probe->lastButtons, kLButton | kShift);

    test.window->setPointer({120, 70, 0});
    CPoint where;
    probe->getMouseLocation(nullptr, where);
    EXPECT_EQ(where, CPoint(20, 20)) << "mouse locations come in the view's parent coordinates";
    EXPECT_EQ(test.frame->getViewAt(CPoint(115, 65), true), probe);
    EXPECT_EQ(panel->getCurrentView(), probe);
}

TEST(DirtyRules, ControlValueAndFlag) {
    ProbeControl control(CRect(0, 0, 10, 10), 1);
    EXPECT_TRUE(control.isDirty()) << "the last drawn value starts at 1, the value at 0";
    control.setDirty(false);
    EXPECT_FALSE(control.isDirty());
    control.setValue(0.25f);
    EXPECT_TRUE(control.isDirty());
    control.setDirty(false);
    EXPECT_FLOAT_EQ(control.getOldValue(), 0.25f);
    control.setDirty(true);
    EXPECT_FLOAT_EQ(control.getOldValue(), -1.0f);
    control.setValue(-1);
    control.setDirty(true);
    EXPECT_FLOAT_EQ(control.getOldValue(), 0.0f)
        << "a value of -1 must still differ from the last drawn one";
    EXPECT_TRUE(control.isDirty());

    CBitmap* strip = widget_test::makeStrip(10, 10, 2);
    CControl withBitmap(CRect(0, 0, 10, 10), nullptr, 2, strip);
    strip->forget();
    EXPECT_FLOAT_EQ(withBitmap.getOldValue(), 1.0f) << "a bitmap does not change the start";
    EXPECT_TRUE(withBitmap.isDirty());
}

TEST(DirtyRules, IdleRedrawsOnlyDirtyViewsAndPresentsTheirArea) {
    TestFrame test;
    auto* a = new ProbeControl(CRect(0, 0, 20, 20), 1);
    auto* b = new ProbeControl(CRect(50, 50, 80, 70), 2);
    test.frame->addView(a);
    test.frame->addView(b);
    test.frame->idle();
    const int aDraws = a->draws;
    const int bDraws = b->draws;
    EXPECT_GE(aDraws, 1);
    EXPECT_FALSE(test.frame->isDirty());

    const int presents = test.window->presentCount;
    test.frame->idle();
    EXPECT_EQ(test.window->presentCount, presents) << "nothing dirty, nothing drawn";

    b->setValue(0.5f);
    test.frame->idle();
    EXPECT_EQ(a->draws, aDraws);
    EXPECT_EQ(b->draws, bDraws + 1);
    EXPECT_EQ(test.window->lastPresented.left, 50);
    EXPECT_EQ(test.window->lastPresented.bottom, 70);
    EXPECT_EQ(test.window->lastPicture.pixel(60, 60).blue, 30);
}

TEST(DirtyRules, TransparentViewsGetTheirBackgroundRedrawnFirst) {
    TestFrame test;
    platform::Image backdrop(200, 200);
    {
        platform::Painter painter(backdrop);
        painter.fillRect({0, 0, 200, 200}, {0, 90, 0, 255});
    }
    auto* background = new CBitmap(std::move(backdrop));
    auto* panel = new CViewContainer(CRect(0, 0, 200, 200), test.frame, background);
    background->forget();
    // Frame 0 white (left out when drawn transparently), frame 1 blue.
    platform::Image strip(20, 40);
    {
        platform::Painter painter(strip);
        painter.fillRect({0, 0, 20, 20}, {255, 255, 255, 255});
        painter.fillRect({0, 20, 20, 40}, {0, 0, 255, 255});
    }
    auto* bitmap = new CBitmap(std::move(strip));
    auto* knob = new CAnimKnob(CRect(10, 10, 30, 30), nullptr, 1, 2, 20, bitmap);
    bitmap->forget();
    knob->setTransparency(true);
    knob->setValue(1);
    panel->addView(knob);
    test.frame->addView(panel);
    test.frame->idle();
    EXPECT_EQ(test.window->lastPicture.pixel(20, 20).blue, 255);
    knob->setValue(0);
    test.frame->idle();
    EXPECT_EQ(test.window->lastPicture.pixel(20, 20), (platform::Rgba{0, 90, 0, 255}))
        << "the old picture is gone, the panel shows through";
}

TEST(DirtyRules, AnimKnobRedrawsOnlyWhenTheHandlePointMoves) {
    CAnimKnob knob(CRect(0, 0, 50, 50), nullptr, 1, 101, 50, nullptr);
    knob.setValue(0.5f);
    platform::Image target(50, 50);
    CDrawContext context(nullptr, target);
    knob.draw(&context);
    EXPECT_FALSE(knob.isDirty());
    knob.setValue(0.501f);
    EXPECT_FALSE(knob.isDirty()) << "the same picture needs no redraw";
    knob.setValue(0.6f);
    EXPECT_TRUE(knob.isDirty());
    knob.draw(&context);
    knob.setDirty(true);
    EXPECT_TRUE(knob.isDirty()) << "an explicit dirty flag always counts";
}

TEST(Focus, PressClearsTheFocusViewAndRemovalForgetsIt) {
    TestFrame test;
    auto* probe = new ProbeControl(CRect(0, 0, 20, 20), 1);
    test.frame->addView(probe);
    test.frame->setFocusView(probe);
    EXPECT_EQ(test.frame->getFocusView(), probe);
    test.press(100, 100, kLButton);
    EXPECT_EQ(test.frame->getFocusView(), nullptr);
    test.frame->setFocusView(probe);
    test.frame->removeView(probe);
    EXPECT_EQ(test.frame->getFocusView(), nullptr) << "a removed view cannot keep the focus";
}

TEST(Focus, ModalViewTakesPressesInsideOnly) {
    TestFrame test;
    auto* under = new ProbeControl(CRect(0, 0, 100, 100), 1);
    auto* modal = new ProbeControl(CRect(10, 10, 30, 30), 2);
    test.frame->addView(under);
    test.frame->addView(modal);
    ASSERT_TRUE(test.frame->setModalView(modal));
    EXPECT_FALSE(test.frame->setModalView(under)) << "one modal view at a time";
    test.press(50, 50, kLButton);
    test.press(20, 20, kLButton);
    EXPECT_EQ(under->presses, 0);
    EXPECT_EQ(modal->presses, 1);
}

TEST(TypeNames, EachClassAnswersForItselfAndItsBases) {
    CAnimKnob knob(CRect(0, 0, 10, 10), nullptr, 0, 2, 10, nullptr);
    for (const char* name : {"CAnimKnob", "CKnob", "CControl", "CView"})
        EXPECT_TRUE(knob.isTypeOf(name)) << name;
    EXPECT_FALSE(knob.isTypeOf("CFrame"));
    TestFrame test;
    for (const char* name : {"CFrame", "CViewContainer", "CView"})
        EXPECT_TRUE(test.frame->isTypeOf(name)) << name;
}

TEST(IdleStuff, DragLoopsIdleAboutEvery50Ms) {
    TestFrame test;
    test.window->setTicks(10000);
    test.editor.doIdleStuff();
    EXPECT_EQ(test.editor.idleCalls, 1);
    // 100 passes of a drag loop; each early pass sleeps 4 ms (the test clock moves on) and the
    // idle runs once the next slot (100 ms after the last idle) is at most 50 ms away, so a
    // drag idles every 13 passes (52 ms): passes 13, 26, ... 91.
    for (int i = 0; i < 100; ++i) test.editor.doIdleStuff();
    EXPECT_EQ(test.window->tickCount(), 10400u);
    EXPECT_EQ(test.editor.idleCalls, 8);
    test.window->advanceTicks(200);
    test.editor.doIdleStuff();
    EXPECT_EQ(test.editor.idleCalls, 9) << "a late call idles at once";
}

TEST(IdleStuff, AnIdleFromInsideAGestureServesOnlyPaintRequests) {
    TestFrame test;
    auto* probe = new ProbeControl(CRect(0, 0, 20, 20), 1);
    test.frame->addView(probe);
    test.frame->idle();  // everything drawn once
    test.window->setTicks(10000);
    test.window->injectMouseDown(5, 5, kLButton);
    test.window->injectExpose({0, 0, 10, 10});
    const int presented = test.window->presentCount;
    // As a text field does when a key from the host commits it: outside the window's own pump.
    probe->doIdleStuff();
    EXPECT_EQ(test.editor.idleCalls, 1);
    EXPECT_EQ(probe->presses, 0) << "a press waits until the gesture is over";
    EXPECT_GT(test.window->presentCount, presented) << "paint requests are served";
    test.frame->idle();
    EXPECT_EQ(probe->presses, 1);
}

}  // namespace
