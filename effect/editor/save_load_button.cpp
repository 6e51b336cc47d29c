#include "effect/editor/save_load_button.h"

#include "effect/editor/preset_system_listener.h"
#include "widgets/frame.h"
#include "widgets/mouse_buttons.h"

using namespace VSTGUI;

CSaveLoadButton::CSaveLoadButton(const CRect& size, CPresetSystemListener* presetListener,
                                 int32_t tag, int32_t frameHeight, CBitmap* background,
                                 const CPoint& offset, int32_t mode)
    : CKickButton(size, presetListener, tag, frameHeight, background, offset),
      presetListener(presetListener),
      mode(mode) {}

CSaveLoadButton::~CSaveLoadButton() = default;

int32_t CSaveLoadButton::frameIndex() const {
    if (value > 0.5f) return 2;
    if (value < 0.5f && highlighted) return 1;
    return 0;
}

void CSaveLoadButton::draw(CDrawContext* context) {
    CPoint source = offset;
    source.y += frameIndex() * heightOfOneImage;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CSaveLoadButton::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled || pParentFrame == nullptr || context == nullptr ||
        presetListener == nullptr)
        return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    value = 1;
    switch (mode) {
        case kLoadBank:
            presetListener->loadBank();
            break;
        case kSaveBank:
            presetListener->saveBank();
            break;
        case kLoadPreset:
            presetListener->loadPreset();
            break;
        case kSavePreset:
            presetListener->savePreset();
            break;
        default:
            break;
    }
    while (getMouseButtons() & kLButton) {
        getMouseLocation(context, where);
        doIdleStuff();
    }
    pParentFrame->endEdit(tag);
    value = 0;
    setDirty(true);
}

void CSaveLoadButton::setHighlight(bool on) {
    const uint8_t next = on ? 1 : 0;
    if (next == highlighted) return;
    highlighted = next;
    setDirty(true);
}
