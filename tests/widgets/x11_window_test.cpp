// The real window path on a private Xvfb: a child window in a host window, drawing that
// reaches the screen, clicks, wheel and keys through the X server, and bad parent ids.
#include "platform/x11_window.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/clock.h"
#include "platform/x11_test_driver.h"
#include "platform/xvfb_server.h"
#include "tests/widgets/widget_fixture.h"
#include "widgets/knob.h"
#include "widgets/on_off_button.h"
#include "widgets/option_menu.h"
#include "widgets/text_edit.h"

using namespace VSTGUI;
using widget_test::RecordingListener;

namespace {

class X11Fixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new platform::XvfbServer(); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(server->running()) << server->error();
        driver = platform::X11TestDriver::open();
        ASSERT_NE(driver, nullptr);
        host = driver->createHostWindow(300, 200);
    }
    // Runs the frame's idle until `done` or about two seconds.
    template <typename Condition>
    bool idleUntil(CFrame& frame, Condition done) {
        for (int i = 0; i < 200; ++i) {
            frame.idle();
            if (done()) return true;
            platform::sleepMilliseconds(10);
        }
        return false;
    }
    std::uintptr_t childOf(CFrame& frame) {
        auto* window = dynamic_cast<platform::X11Window*>(frame.getPlatformWindow());
        return window != nullptr ? window->windowId() : 0;
    }

    static platform::XvfbServer* server;
    std::unique_ptr<platform::X11TestDriver> driver;
    std::uintptr_t host = 0;
};

platform::XvfbServer* X11Fixture::server = nullptr;

// Two frames: off is (200, 40, 40), on is (40, 40, 200).
CBitmap* twoStateBitmap() {
    platform::Image image(40, 40);
    platform::Painter painter(image);
    painter.fillRect({0, 0, 40, 20}, {200, 40, 40, 255});
    painter.fillRect({0, 20, 40, 40}, {40, 40, 200, 255});
    return new CBitmap(std::move(image));
}

TEST_F(X11Fixture, ChildWindowShowsTheFrameAndAClickTogglesAButton) {
    auto* frame = new CFrame(CRect(0, 0, 120, 80), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    const std::uintptr_t child = childOf(*frame);
    EXPECT_EQ(driver->firstChild(host), child) << "a child of the host's window";

    RecordingListener listener;
    CBitmap* bitmap = twoStateBitmap();
    auto* button = new COnOffButton(CRect(10, 10, 50, 30), &listener, 7, bitmap);
    bitmap->forget();
    frame->setBackgroundColor({0, 120, 0, 255});
    frame->addView(button);

    EXPECT_TRUE(idleUntil(*frame, [&] { return driver->pixel(child, 20, 20).red == 200; }))
        << "off frame on screen";
    EXPECT_EQ(driver->pixel(child, 100, 60).green, 120) << "frame background";

    driver->sendButtonPress(child, 20, 20, 1);
    EXPECT_TRUE(idleUntil(*frame, [&] { return button->getValue() == 1.0f; }));
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_TRUE(idleUntil(*frame, [&] { return driver->pixel(child, 20, 20).blue == 200; }))
        << "on frame on screen";
    frame->forget();
    EXPECT_FALSE(driver->windowExists(child)) << "closing destroys the child window";
}

TEST_F(X11Fixture, WheelAndPointerThroughTheServer) {
    auto* frame = new CFrame(CRect(0, 0, 120, 80), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    const std::uintptr_t child = childOf(*frame);
    RecordingListener listener;
    auto* knob = new CKnob(CRect(60, 10, 100, 50), &listener, 3, nullptr, nullptr);
    frame->addView(knob);
    frame->idle();

    driver->sendButtonPress(child, 80, 30, 4);  // wheel up
    EXPECT_TRUE(idleUntil(*frame, [&] { return knob->getValue() > 0.05f; }));
    EXPECT_NEAR(knob->getValue(), 0.1f, 1e-6);
    driver->sendButtonPress(child, 80, 30, 5);
    EXPECT_TRUE(idleUntil(*frame, [&] { return knob->getValue() < 0.05f; }));

    driver->warpPointer(child, 33, 44);
    CPoint where;
    frame->getCurrentLocation(where);
    EXPECT_EQ(where, CPoint(33, 44));
    EXPECT_EQ(frame->getCurrentMouseButtons(), 0);
    frame->forget();
}

TEST_F(X11Fixture, KnobDragPollsThePointerThroughTheServer) {
    auto* frame = new CFrame(CRect(0, 0, 120, 80), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    const std::uintptr_t child = childOf(*frame);
    RecordingListener listener;
    auto* knob = new CKnob(CRect(60, 10, 100, 50), &listener, 3, nullptr, nullptr);
    frame->addView(knob);
    frame->idle();
    CFrame::setKnobMode(kLinearMode);
    if (!driver->startRealDrag(child, 80, 30, 80, 0, 5, 40)) {
        frame->forget();
        GTEST_SKIP() << "the X server's test extension is not available";
    }
    // The press arrives as a real event; the knob then polls the pointer until the release.
    EXPECT_TRUE(idleUntil(*frame, [&] { return knob->getValue() > 0.1f; }));
    driver->finishRealDrag();
    frame->idle();
    EXPECT_NEAR(knob->getValue(), 30.0f / 200, 1e-5) << "30 px up of 200";
    EXPECT_GE(listener.changes.size(), 1u);
    CFrame::setKnobMode(kCircularMode);
    frame->forget();
}

TEST_F(X11Fixture, PopupMenuChoiceByDraggingOntoAnEntry) {
    auto* frame = new CFrame(CRect(0, 0, 120, 80), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    const std::uintptr_t child = childOf(*frame);
    RecordingListener listener;
    auto* menu = new COptionMenu(CRect(0, 0, 10, 14), &listener, 65, nullptr, nullptr, 5120);
    for (const char* entry : {"first", "second", "third"}) menu->addEntry(entry);
    menu->setCurrent(0);
    frame->addView(menu);
    frame->idle();
    // The pop-up opens under the control; rows are 18 px: the middle of the second row.
    if (!driver->startRealDrag(child, 5, 5, 30, 14 + 18 + 9, 4, 60)) {
        frame->forget();
        GTEST_SKIP() << "the X server's test extension is not available";
    }
    EXPECT_TRUE(idleUntil(*frame, [&] { return !listener.changes.empty(); }));
    driver->finishRealDrag();
    EXPECT_EQ(menu->getCurrent(), 1);
    frame->forget();
}

TEST_F(X11Fixture, PopupMenuGivesUpWhenAnotherClientHoldsThePointer) {
    auto* frame = new CFrame(CRect(0, 0, 120, 80), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    const std::uintptr_t child = childOf(*frame);
    RecordingListener listener;
    auto* menu = new COptionMenu(CRect(0, 0, 10, 14), &listener, 65, nullptr, nullptr, 5120);
    for (const char* entry : {"first", "second"}) menu->addEntry(entry);
    menu->setCurrent(0);
    frame->addView(menu);
    frame->idle();
    ASSERT_TRUE(driver->grabPointer(host));
    // Without the pointer the menu could never be closed by a click: it must not open at all,
    // and the press must come back instead of waiting forever.
    driver->sendButtonPress(child, 5, 5, 1);
    for (int i = 0; i < 20; ++i) {
        frame->idle();
        platform::sleepMilliseconds(10);
    }
    EXPECT_EQ(menu->getCurrent(), 0);
    frame->forget();
}

TEST_F(X11Fixture, TypedKeysReachAnOpenTextField) {
    auto* frame = new CFrame(CRect(0, 0, 200, 80), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    const std::uintptr_t child = childOf(*frame);
    RecordingListener listener;
    auto* field = new CTextEdit(CRect(10, 10, 150, 30), &listener, 59, "old");
    frame->addView(field);
    frame->idle();
    driver->sendButtonPress(child, 20, 20, 1);
    ASSERT_TRUE(idleUntil(*frame, [&] { return field->isEditing(); }));
    for (char c : std::string("new1")) driver->sendCharacter(child, c);
    driver->sendReturn(child);
    EXPECT_TRUE(idleUntil(*frame, [&] { return !field->isEditing(); }));
    EXPECT_EQ(field->text(), "new1");
    EXPECT_EQ(listener.changes.size(), 1u);
    frame->forget();
}

TEST_F(X11Fixture, HostWindowGoneBeforeTheEditorCloses) {
    auto* frame = new CFrame(CRect(0, 0, 50, 50), reinterpret_cast<void*>(host), nullptr);
    ASSERT_TRUE(frame->isOpen());
    driver->destroyWindow(host);
    EXPECT_TRUE(idleUntil(*frame, [&] { return !frame->isOpen(); }))
        << "the frame learns that its window is gone";
    frame->forget();  // must not end the process with an X error
}

TEST_F(X11Fixture, AWrongParentIdGivesNoWindowAndNoCrash) {
    const std::uintptr_t bogus = host + 0x100000;
    EXPECT_EQ(platform::X11Window::create(bogus, 100, 100), nullptr);
    EXPECT_EQ(platform::X11Window::create(0, 100, 100), nullptr);
    EXPECT_EQ(platform::X11Window::create(host, 0, 100), nullptr);
    CFrame frame(CRect(0, 0, 50, 50), reinterpret_cast<void*>(bogus), nullptr);
    EXPECT_FALSE(frame.isOpen());
    frame.idle();  // nothing to do, nothing to fail
}

}  // namespace
