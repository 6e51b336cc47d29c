// The editor's frame: a click anywhere commits an open value entry first; the wheel goes to
// the focus view or the view under the mouse.
#pragma once

#include "widgets/frame.h"

class CMyTextEdit;

class CMyFrame : public VSTGUI::CFrame {
public:
    using CFrame::CFrame;
    ~CMyFrame() override;

    void mouse(VSTGUI::CDrawContext* context, VSTGUI::CPoint& where, int32_t buttons = -1) override;
    bool onWheel(VSTGUI::CDrawContext* context, const VSTGUI::CPoint& where,
                 VSTGUI::CMouseWheelAxis axis, float distance) override;

    // The value entry that a click must commit, or null.
    void setPendingEntry(CMyTextEdit* entry) { pendingEntry = entry; }
    CMyTextEdit* getPendingEntry() const { return pendingEntry; }

private:
    CMyTextEdit* pendingEntry = nullptr;
};
