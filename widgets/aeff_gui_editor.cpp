#include "widgets/aeff_gui_editor.h"

#include "vst/audio_effect.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"

namespace VSTGUI {

namespace {
constexpr int kIdleSleepMs = 4;
constexpr int kIdleIntervalMs = 100;
constexpr int kIdleLateMs = 50;
}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {}

AEffGUIEditor::~AEffGUIEditor() {
    if (frame != nullptr) frame->forget();
}

bool AEffGUIEditor::getRect(ERect** out) {
    if (out == nullptr) return false;
    *out = &rect;
    return true;
}

bool AEffGUIEditor::open(void* parent) {
    AEffEditor::open(parent);
    return true;
}

void AEffGUIEditor::close() { AEffEditor::close(); }

void AEffGUIEditor::idle() {
    if (inIdleStuff || frame == nullptr) return;
    frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& key) {
    return frame != nullptr && frame->onKeyDown(key) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& key) {
    return frame != nullptr && frame->onKeyUp(key) == 1;
}

bool AEffGUIEditor::onWheel(float distance) {
    if (frame == nullptr) return false;
    CDrawContext context(frame);
    CPoint where;
    frame->getCurrentLocation(where);
    return frame->onWheel(&context, where, kMouseWheelAxisY, distance);
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    CFrame::setKnobMode(mode);
    return true;
}

void AEffGUIEditor::setParameter(VstInt32 /*index*/, float /*value*/) {}

void AEffGUIEditor::beginEdit(VstInt32 index) {
    if (effect != nullptr) effect->callHost(audioMasterBeginEdit, index);
}

void AEffGUIEditor::endEdit(VstInt32 index) {
    if (effect != nullptr) effect->callHost(audioMasterEndEdit, index);
}

void AEffGUIEditor::doIdleStuff() {
    if (frame == nullptr) return;
    platform::PlatformWindow* window = frame->getPlatformWindow();
    int64_t now = frame->getTicks();
    if (now < nextIdleTicks) {
        if (window != nullptr) window->sleep(kIdleSleepMs);
        now += kIdleSleepMs;
        if (now < nextIdleTicks - kIdleLateMs) return;
    }
    // The editor's idle redraws; inside a drag the frame handles only paint requests.
    idle();
    nextIdleTicks = now + kIdleIntervalMs;
    inIdleStuff = true;
    if (effect != nullptr) effect->callHost(audioMasterIdle);
    inIdleStuff = false;
}

}  // namespace VSTGUI
