// A display whose text the user can type: a press (or a double-click, by style) opens a
// single-line entry over the control; Enter or losing the focus commits it. There is no
// cancel key.
#pragma once

#include <string>

#include "widgets/param_display.h"

namespace VSTGUI {

using TextEditConvert = void (*)(const char* input, char* text);
using TextEditConvertWithData = void (*)(const char* input, char* text, void* userData);

class CTextEdit : public CParamDisplay {
public:
    // Texts hold at most this many characters.
    static constexpr std::size_t kMaxTextLength = 255;

    CTextEdit(const CRect& size, CControlListener* listener, int32_t tag,
              const char* text = nullptr, CBitmap* background = nullptr, int32_t style = 0);
    ~CTextEdit() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    void looseFocus(CDrawContext* context = nullptr) override;
    void takeFocus(CDrawContext* context = nullptr) override;
    bool isTypeOf(const char* className) const override;

    virtual void setText(const char* text);
    // Copies the text (with terminator) into `buffer`, which holds kMaxTextLength + 1 bytes.
    virtual void getText(char* buffer) const;
    virtual void setTextEditConvert(TextEditConvert converter);
    virtual void setTextEditConvert(TextEditConvertWithData converter, void* userData);

    const std::string& text() const { return currentText; }
    bool isEditing() const { return editing; }
    const std::string& typedText() const { return entryText; }

protected:
    std::string currentText;

private:
    void drawEntry(CDrawContext* context);
    std::string shownText() const;

    TextEditConvert editConvert = nullptr;
    TextEditConvertWithData editConvert2 = nullptr;
    void* editConvertData = nullptr;
    bool editing = false;
    std::string entryText;
    std::size_t caret = 0;
    bool allSelected = false;
};

}  // namespace VSTGUI
