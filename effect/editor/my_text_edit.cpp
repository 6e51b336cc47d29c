#include "effect/editor/my_text_edit.h"

#include <string>

#include "effect/editor/preset_system_listener.h"
#include "widgets/frame.h"

using namespace VSTGUI;

namespace {
constexpr std::size_t kEntryTextLimit = 63;
}  // namespace

CMyTextEdit::CMyTextEdit(const CRect& size, CControlListener* listener, int32_t tag,
                         const char* text, CBitmap* background, int32_t style)
    : CTextEdit(size, listener, tag, text, background, style) {}

CMyTextEdit::~CMyTextEdit() = default;

void CMyTextEdit::beginEntry(int32_t tag, CDrawContext* context) {
    entryTag = tag;
    if (pParentFrame == nullptr || pParentFrame->getFocusView() != this) beginEdit();
    takeFocus(context);
}

void CMyTextEdit::looseFocus(CDrawContext* context) {
    // Only an open entry reports: a second loss of focus must not enter the value twice.
    const bool wasOpen = isEditing();
    CTextEdit::looseFocus(context);
    if (!wasOpen) return;
    const std::string typed = text().substr(0, kEntryTextLimit);
    if (auto* presetListener = dynamic_cast<CPresetSystemListener*>(listener))
        presetListener->endValueEntry(entryTag, typed.c_str());
    entryTag = -1;
}
