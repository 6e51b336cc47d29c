// Shared test helpers: a frame on a scripted test window, an editor that records host edit
// brackets, a listener that records what controls report, and strips whose frame k is painted
// in the colour (k, 0, 0) so that a drawn pixel tells which frame was shown.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/test_window.h"
#include "widgets/aeff_gui_editor.h"
#include "widgets/bitmap.h"
#include "widgets/control.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"

namespace widget_test {

// An editor with no effect that records the edit brackets and idle calls it receives.
class RecordingEditor : public VSTGUI::AEffGUIEditor {
public:
    RecordingEditor() : AEffGUIEditor(nullptr) {}
    void beginEdit(VstInt32 index) override { edits.push_back("begin " + std::to_string(index)); }
    void endEdit(VstInt32 index) override { edits.push_back("end " + std::to_string(index)); }
    void idle() override {
        ++idleCalls;
        AEffGUIEditor::idle();
    }
    void attach(VSTGUI::CFrame* newFrame) { frame = newFrame; }
    void detach() { frame = nullptr; }
    std::vector<std::string> edits;
    int idleCalls = 0;
};

// Records every report: (tag, value) per valueChanged.
class RecordingListener : public VSTGUI::CControlListener {
public:
    void valueChanged(VSTGUI::CDrawContext*, VSTGUI::CControl* control) override {
        changes.emplace_back(control->getTag(), control->getValue());
    }
    int32_t controlModifierClicked(VSTGUI::CDrawContext*, VSTGUI::CControl*,
                                   int32_t buttons) override {
        modifierClicks.push_back(buttons);
        return swallowModifierClicks ? 1 : 0;
    }
    std::vector<std::pair<int32_t, float>> changes;
    std::vector<int32_t> modifierClicks;
    bool swallowModifierClicks = false;
};

// A frame of `width` x `height` on a test window, with a recording editor.
struct TestFrame {
    explicit TestFrame(int width = 200, int height = 200) {
        auto made = std::make_unique<platform::TestWindow>(width, height);
        window = made.get();
        frame = new VSTGUI::CFrame(VSTGUI::CRect(0, 0, width, height), std::move(made), &editor);
        editor.attach(frame);
        VSTGUI::CFrame::setKnobMode(VSTGUI::kCircularMode);
    }
    ~TestFrame() {
        editor.detach();
        frame->forget();
    }
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;

    // A press at `where` followed by the pointer states of a drag (each read once per pass).
    void press(int x, int y, int buttons,
               std::vector<platform::TestWindow::PointerState> drag = {}) {
        window->setPointer({x, y, buttons});
        window->queuePointer(std::move(drag));
        frame->pressAt({x, y}, buttons);
    }

    RecordingEditor editor;
    platform::TestWindow* window = nullptr;
    VSTGUI::CFrame* frame = nullptr;
};

// A vertical strip of `frames` frames of `width` x `frameHeight`; frame k has colour (k, 0, 0).
inline VSTGUI::CBitmap* makeStrip(int width, int frameHeight, int frames) {
    platform::Image image(width, frameHeight * frames);
    {
        platform::Painter painter(image);
        for (int k = 0; k < frames; ++k)
            painter.fillRect({0, k * frameHeight, width, (k + 1) * frameHeight},
                             {static_cast<uint8_t>(k), 0, 0, 255});
    }
    return new VSTGUI::CBitmap(std::move(image));
}

// Draws `view` into an image of the frame's size and answers the red channel at (x, y).
inline int drawnRed(VSTGUI::CView& view, int width, int height, int x, int y) {
    platform::Image target(width, height);
    VSTGUI::CDrawContext context(nullptr, target);
    view.draw(&context);
    return target.pixel(x, y).red;
}

}  // namespace widget_test
