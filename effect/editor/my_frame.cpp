#include "effect/editor/my_frame.h"

#include <memory>

#include "effect/editor/my_text_edit.h"
#include "widgets/draw_context.h"

using namespace VSTGUI;

CMyFrame::~CMyFrame() { pendingEntry = nullptr; }

void CMyFrame::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (pendingEntry != nullptr) {
        CMyTextEdit* entry = pendingEntry;
        pendingEntry = nullptr;
        entry->looseFocus(context);
    }
    CFrame::mouse(context, where, buttons);
}

bool CMyFrame::onWheel(CDrawContext* context, const CPoint& /*where*/, CMouseWheelAxis axis,
                       float distance) {
    CPoint mouseAt;
    getCurrentLocation(mouseAt);
    // Knobs become the focus view when they begin an edit; only a view that asks for the focus
    // keeps the wheel, or the wheel would stay with the last knob touched.
    CView* target =
        (focusView != nullptr && focusView->wantsFocus()) ? focusView : getCurrentView();
    if (target == nullptr) return false;
    std::unique_ptr<CDrawContext> ownContext;
    if (context == nullptr) {
        ownContext = std::make_unique<CDrawContext>(this);
        context = ownContext.get();
    }
    return target->onWheel(context, mouseAt, axis, distance);
}
