#include "widgets/text_edit.h"

#include <cstring>

#include "platform/platform_window.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"

namespace VSTGUI {

namespace {
constexpr int32_t kEntryMarginPx = 3;
const CColor kSelectionColour{51, 102, 204, 255};

std::string clipped(const char* text) {
    if (text == nullptr) return {};
    return std::string(text, strnlen(text, CTextEdit::kMaxTextLength));
}
}  // namespace

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text,
                     CBitmap* background, int32_t style)
    : CParamDisplay(size, listener, tag, background, style), currentText(clipped(text)) {
    bWantsFocus = true;
}

CTextEdit::~CTextEdit() {
    if (editing && pParentFrame != nullptr && pParentFrame->getPlatformWindow() != nullptr)
        pParentFrame->getPlatformWindow()->setKeyboardFocus(false);
}

bool CTextEdit::isTypeOf(const char* className) const {
    return std::strcmp(className, "CTextEdit") == 0 || CParamDisplay::isTypeOf(className);
}

void CTextEdit::setText(const char* text) {
    const std::string next = clipped(text);
    if (next != currentText) {
        currentText = next;
        setDirty(true);
    }
}

void CTextEdit::getText(char* buffer) const {
    if (buffer == nullptr) return;
    std::memcpy(buffer, currentText.c_str(), currentText.size() + 1);
}

void CTextEdit::setTextEditConvert(TextEditConvert converter) {
    editConvert = converter;
    editConvert2 = nullptr;
    setDirty(true);
}

void CTextEdit::setTextEditConvert(TextEditConvertWithData converter, void* userData) {
    editConvert2 = converter;
    editConvertData = userData;
    editConvert = nullptr;
    setDirty(true);
}

std::string CTextEdit::shownText() const {
    if (editConvert == nullptr && editConvert2 == nullptr) return currentText;
    char text[kDisplayTextCapacity] = {};
    if (editConvert2 != nullptr)
        editConvert2(currentText.c_str(), text, editConvertData);
    else
        editConvert(currentText.c_str(), text);
    text[kDisplayTextCapacity - 1] = '\0';
    return text;
}

void CTextEdit::draw(CDrawContext* context) {
    if (editing) {
        drawEntry(context);
    } else if (!(style & kNoDrawStyle)) {
        drawText(context, shownText(), pBackground);
    }
    setDirty(false);
}

void CTextEdit::drawEntry(CDrawContext* context) {
    if (context == nullptr) return;
    context->setFillColor(backColor);
    context->fillRect(size);
    CRect box(size.left + kEntryMarginPx, size.top, size.right - kEntryMarginPx, size.bottom);
    // The entry's font is a little heavier than regular; bold is the nearest face.
    context->setFont(fontIndex, txtFace | kBoldFace);
    const int32_t textWidth = context->getStringWidth(entryText);
    if (allSelected && !entryText.empty()) {
        context->setFillColor(kSelectionColour);
        context->fillRect(
            {box.left, box.top + 1, std::min(box.right, box.left + textWidth + 2), box.bottom - 1});
        context->setFontColor(kWhiteCColor);
    } else {
        context->setFontColor(fontColor);
    }
    context->drawString(entryText, box, kLeftText);
    if (!allSelected) {
        const int32_t caretX = box.left + 1 + context->getStringWidth(entryText.substr(0, caret));
        context->setFrameColor(fontColor);
        context->setLineWidth(1);
        context->moveTo({caretX, box.top + 2});
        context->lineTo({caretX, box.bottom - 3});
    }
}

void CTextEdit::mouse(CDrawContext* context, CPoint& /*where*/, int32_t buttons) {
    if (!bMouseEnabled) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    if ((style & kDoubleClickStyle) && !isDoubleClick()) return;
    beginEdit();
    takeFocus(context);
}

void CTextEdit::takeFocus(CDrawContext* /*context*/) {
    if (editing) return;
    editing = true;
    entryText = currentText;
    caret = entryText.size();
    allSelected = true;
    if (pParentFrame != nullptr) {
        if (pParentFrame->getFocusView() != this) pParentFrame->setFocusView(this);
        if (pParentFrame->getPlatformWindow() != nullptr)
            pParentFrame->getPlatformWindow()->setKeyboardFocus(true);
    }
    setDirty(true);
}

void CTextEdit::looseFocus(CDrawContext* context) {
    if (!editing) return;
    editing = false;
    if (pParentFrame != nullptr) {
        if (pParentFrame->getPlatformWindow() != nullptr)
            pParentFrame->getPlatformWindow()->setKeyboardFocus(false);
        if (pParentFrame->getFocusView() == this) pParentFrame->setFocusView(nullptr);
    }
    const std::string typed = entryText.substr(0, kMaxTextLength);
    entryText.clear();
    const bool changed = typed != currentText;
    currentText = typed;
    setDirty(true);
    if (changed) {
        if (listener != nullptr) listener->valueChanged(context, this);
        doIdleStuff();
    }
    CView* told = pParentView != nullptr ? pParentView : pParentFrame;
    if (told != nullptr) told->notify(this, "LooseFocus");
    endEdit();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key) {
    if (!editing) return -1;
    switch (key.virt) {
        case platform::kKeyReturn:
        case platform::kKeyEnter:
            looseFocus();
            return 1;
        case platform::kKeyBack:
            if (allSelected) {
                entryText.clear();
                caret = 0;
            } else if (caret > 0) {
                entryText.erase(--caret, 1);
            }
            break;
        case platform::kKeyDelete:
            if (allSelected) {
                entryText.clear();
                caret = 0;
            } else if (caret < entryText.size()) {
                entryText.erase(caret, 1);
            }
            break;
        case platform::kKeyLeft:
            if (!allSelected && caret > 0) --caret;
            if (allSelected) caret = 0;
            break;
        case platform::kKeyRight:
            if (caret < entryText.size()) ++caret;
            break;
        case platform::kKeyHome:
            caret = 0;
            break;
        case platform::kKeyEnd:
            caret = entryText.size();
            break;
        case platform::kKeyEscape:
        case platform::kKeyTab:
            // No cancel key; the entry stays open.
            return 1;
        default: {
            // Printable ASCII and Latin-1 (accented names), as the names are stored.
            const int c = key.character;
            if (c < 0x20 || (c > 0x7e && c < 0xa0) || c > 0xff) return -1;
            if (allSelected) {
                entryText.clear();
                caret = 0;
            }
            if (entryText.size() < kMaxTextLength)
                entryText.insert(caret++, 1, static_cast<char>(key.character));
            break;
        }
    }
    allSelected = false;
    setDirty(true);
    return 1;
}

}  // namespace VSTGUI
