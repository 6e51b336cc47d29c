// The value-entry field of a knob: opened for a tag, it reports the typed text for that tag
// to the editor when it closes.
#pragma once

#include "widgets/text_edit.h"

class CMyTextEdit : public VSTGUI::CTextEdit {
public:
    CMyTextEdit(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                const char* text, VSTGUI::CBitmap* background, int32_t style);
    ~CMyTextEdit() override;

    // Commits the entry and hands the text to the editor's endValueEntry.
    void looseFocus(VSTGUI::CDrawContext* context = nullptr) override;
    // Opens the entry for the knob with `tag`, text selected.
    virtual void beginEntry(int32_t tag, VSTGUI::CDrawContext* context);

    int32_t getEntryTag() const { return entryTag; }

private:
    int32_t entryTag = -1;
};
