#include "widgets/view.h"

#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"

namespace VSTGUI {

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::~CView() {
    if (pBackground != nullptr) pBackground->forget();
}

void CView::draw(CDrawContext* context) {
    if (pBackground != nullptr) {
        if (bTransparencyEnabled)
            pBackground->drawTransparent(context, size);
        else
            pBackground->draw(context, size);
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) { draw(context); }

void CView::mouse(CDrawContext* /*context*/, CPoint& /*where*/, int32_t /*buttons*/) {}

void CView::setBackground(CBitmap* bitmap) {
    if (bitmap == pBackground) return;
    if (pBackground != nullptr) pBackground->forget();
    pBackground = bitmap;
    if (pBackground != nullptr) pBackground->remember();
    setDirty(true);
}

int32_t CView::onKeyDown(VstKeyCode& /*key*/) { return -1; }
int32_t CView::onKeyUp(VstKeyCode& /*key*/) { return -1; }

bool CView::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis /*axis*/,
                    float distance) {
    return onWheel(context, where, distance);
}

bool CView::onWheel(CDrawContext* /*context*/, const CPoint& /*where*/, float /*distance*/) {
    return false;
}

bool CView::onDrop(CDrawContext*, CDragContainer*, const CPoint&) { return false; }
void CView::onDragEnter(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::onDragLeave(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::onDragMove(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::looseFocus(CDrawContext*) {}
void CView::takeFocus(CDrawContext*) {}

CRect& CView::getMouseableArea(CRect& area) const {
    area = mouseableArea;
    return area;
}

bool CView::hitTest(const CPoint& where, int32_t /*buttons*/) const {
    return mouseableArea.pointInside(where);
}

void CView::setViewSize(const CRect& newSize) {
    // A mouseable area that was the whole view stays the whole view.
    if (mouseableArea == size) mouseableArea = newSize;
    size = newSize;
    setDirty(true);
}

CRect& CView::getViewSize(CRect& area) const {
    area = size;
    return area;
}

bool CView::removed(CView* /*parent*/) {
    attachedToParent = false;
    pParentView = nullptr;
    pParentFrame = nullptr;
    return true;
}

bool CView::attached(CView* parent) {
    attachedToParent = true;
    pParentView = parent;
    return true;
}

CPoint& CView::getMouseLocation(CDrawContext* /*context*/, CPoint& point) {
    if (pParentFrame == nullptr) return point;
    pParentFrame->getCurrentLocation(point);
    return frameToLocal(point);
}

CPoint& CView::frameToLocal(CPoint& point) const {
    // Every enclosing container below the frame moves the origin by its corner.
    for (const CView* parent = pParentView; parent != nullptr && parent != pParentFrame;
         parent = parent->pParentView)
        point.offset(-parent->size.left, -parent->size.top);
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const {
    for (const CView* parent = pParentView; parent != nullptr && parent != pParentFrame;
         parent = parent->pParentView)
        point.offset(parent->size.left, parent->size.top);
    return point;
}

AEffGUIEditor* CView::getEditor() const {
    return pParentFrame != nullptr ? pParentFrame->getEditor() : nullptr;
}

int32_t CView::notify(CView* /*sender*/, const char* /*message*/) { return kMessageUnknown; }

void CView::redrawRect(CDrawContext* context, const CRect& rect) {
    if (pParentView != nullptr && pParentView != this)
        pParentView->redrawRect(context, rect);
    else if (pParentFrame != nullptr)
        pParentFrame->redrawRect(context, rect);
}

bool CView::isTypeOf(const char* className) const { return std::strcmp(className, "CView") == 0; }

void CView::update(CDrawContext* context) {
    if (!isDirty()) return;
    if (context != nullptr) {
        drawRect(context, size);
        setDirty(false);
    } else if (pParentFrame != nullptr) {
        CRect area = size;
        CPoint corner = area.topLeft();
        localToFrame(corner);
        area.moveTo(corner.x, corner.y);
        pParentFrame->invalidate(area);
    }
}

}  // namespace VSTGUI
