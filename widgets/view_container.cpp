#include "widgets/view_container.h"

#include <algorithm>
#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"

namespace VSTGUI {

namespace {
// Moves a context's origin for the duration of a child's drawing.
class OriginShift {
public:
    OriginShift(CDrawContext* context, const CPoint& by) : context(context) {
        if (context == nullptr) return;
        saved = context->getOffset();
        context->setOffset({saved.x + by.x, saved.y + by.y});
    }
    ~OriginShift() {
        if (context != nullptr) context->setOffset(saved);
    }
    OriginShift(const OriginShift&) = delete;
    OriginShift& operator=(const OriginShift&) = delete;

private:
    CDrawContext* context;
    CPoint saved;
};
}  // namespace

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background)
    : CView(size) {
    pParentFrame = frame;
    setBackground(background);
    bDirty = false;
}

CViewContainer::~CViewContainer() { removeAll(true); }

CView* CViewContainer::getView(int index) const {
    if (index < 0 || index >= getNbViews()) return nullptr;
    return children[static_cast<std::size_t>(index)];
}

void CViewContainer::addView(CView* view) {
    if (view == nullptr || isChild(view)) return;
    children.push_back(view);
    view->setParentFrame(pParentFrame);
    view->attached(this);
    view->setDirty(true);
}

void CViewContainer::removeView(CView* view, bool forgetView) {
    const auto found = std::find(children.begin(), children.end(), view);
    if (found == children.end()) return;
    children.erase(found);
    if (mouseDownView == view) mouseDownView = nullptr;
    if (dragOverView == view) dragOverView = nullptr;
    if (pParentFrame != nullptr) pParentFrame->viewRemoved(view);
    view->removed(this);
    if (forgetView) view->forget();
}

void CViewContainer::removeAll(bool forgetViews) {
    while (!children.empty()) removeView(children.back(), forgetViews);
}

bool CViewContainer::isChild(CView* view) const {
    return std::find(children.begin(), children.end(), view) != children.end();
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& area) {
    if (context == nullptr) return;
    if (pBackground != nullptr) {
        pBackground->draw(context, area,
                          {area.left + backgroundOffset.x, area.top + backgroundOffset.y});
    } else {
        context->setFillColor(backgroundColor);
        context->fillRect(area);
    }
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size); }

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    if (context == nullptr) return;
    const CRect area = updateRect.intersection(size);
    if (area.isEmpty()) return;
    const CRect savedClip = context->getClipRect();
    {
        OriginShift shift(context, size.topLeft());
        CRect local = area;
        local.offset(-size.left, -size.top);
        context->setClipRect(local);
        drawBackgroundRect(context, local);
        for (CView* child : children) {
            if (child->checkUpdate(local)) child->drawRect(context, local);
        }
    }
    if (savedClip.isEmpty())
        context->resetClipRect();
    else
        context->setClipRect(savedClip);
    CView::setDirty(false);
}

bool CViewContainer::isDirty() const {
    if (CView::isDirty()) return true;
    return std::any_of(children.begin(), children.end(),
                       [](const CView* child) { return child->isDirty(); });
}

void CViewContainer::updateChildren(CDrawContext* context) {
    OriginShift shift(context, size.topLeft());
    for (CView* child : children) {
        if (!child->isDirty()) continue;
        if (child->getTransparency()) {
            // What lies under a see-through view must be drawn again first.
            CRect under = child->getSize();
            drawBackgroundRect(context, under);
        }
        child->update(context);
    }
}

void CViewContainer::update(CDrawContext* context) {
    if (CView::isDirty()) {
        if (context != nullptr) {
            drawRect(context, size);
        } else if (pParentFrame != nullptr) {
            pParentFrame->invalidate(size);
        }
        return;
    }
    if (context != nullptr) updateChildren(context);
}

void CViewContainer::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    const CPoint local = toChildCoordinates(where);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        CView* view = *child;
        if (view->getMouseEnabled() && view->hitTest(local, buttons)) {
            CPoint childWhere = local;
            OriginShift shift(context, size.topLeft());
            mouseDownView = view;
            view->mouse(context, childWhere, buttons);
            return;
        }
    }
}

int32_t CViewContainer::onKeyDown(VstKeyCode& key) {
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const int32_t handled = (*child)->onKeyDown(key);
        if (handled != -1) return handled;
    }
    return -1;
}

int32_t CViewContainer::onKeyUp(VstKeyCode& key) {
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const int32_t handled = (*child)->onKeyUp(key);
        if (handled != -1) return handled;
    }
    return -1;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                             float distance) {
    const CPoint local = toChildCoordinates(where);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        CView* view = *child;
        if (view->getMouseEnabled() && view->hitTest(local)) {
            OriginShift shift(context, size.topLeft());
            return view->onWheel(context, local, axis, distance);
        }
    }
    return false;
}

bool CViewContainer::onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
    const CPoint local = toChildCoordinates(where);
    CView* view = getViewAt(local);
    dragOverView = nullptr;
    if (view == nullptr) return false;
    OriginShift shift(context, size.topLeft());
    return view->onDrop(context, drag, local);
}

void CViewContainer::onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
    const CPoint local = toChildCoordinates(where);
    dragOverView = getViewAt(local);
    if (dragOverView == nullptr) return;
    OriginShift shift(context, size.topLeft());
    dragOverView->onDragEnter(context, drag, local);
}

void CViewContainer::onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
    if (dragOverView == nullptr) return;
    OriginShift shift(context, size.topLeft());
    dragOverView->onDragLeave(context, drag, toChildCoordinates(where));
    dragOverView = nullptr;
}

void CViewContainer::onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
    const CPoint local = toChildCoordinates(where);
    CView* view = getViewAt(local);
    OriginShift shift(context, size.topLeft());
    if (view != dragOverView) {
        // The view the mouse left hears of it before the new one hears of the entry.
        if (dragOverView != nullptr) dragOverView->onDragLeave(context, drag, local);
        if (view != nullptr) view->onDragEnter(context, drag, local);
        dragOverView = view;
    } else if (view != nullptr) {
        view->onDragMove(context, drag, local);
    }
}

bool CViewContainer::hitTest(const CPoint& where, int32_t buttons) const {
    return CView::hitTest(where, buttons);
}

bool CViewContainer::removed(CView* parent) {
    for (CView* child : children) child->removed(this);
    return CView::removed(parent);
}

bool CViewContainer::attached(CView* parent) {
    CView::attached(parent);
    for (CView* child : children) {
        child->setParentFrame(pParentFrame);
        child->attached(this);
    }
    return true;
}

int32_t CViewContainer::notify(CView* /*sender*/, const char* message) {
    if (message != nullptr && std::strcmp(message, "kMsgCheckIfViewContainer") == 0)
        return kMessageNotified;
    return kMessageUnknown;
}

void CViewContainer::redrawRect(CDrawContext* context, const CRect& rect) {
    CRect inFrame = rect;
    CPoint corner = size.topLeft();
    localToFrame(corner);
    inFrame.offset(corner.x, corner.y);
    if (pParentFrame != nullptr) pParentFrame->redrawRect(context, inFrame);
}

bool CViewContainer::isTypeOf(const char* className) const {
    return std::strcmp(className, "CViewContainer") == 0 || CView::isTypeOf(className);
}

CView* CViewContainer::getCurrentView() const {
    if (pParentFrame == nullptr) return nullptr;
    CPoint where;
    pParentFrame->getCurrentLocation(where);
    frameToLocal(where);
    // Now in this container's parent coordinates; children need our own.
    where = toChildCoordinates(where);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        CRect area;
        if ((*child)->getMouseableArea(area).pointInside(where)) return *child;
    }
    return nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        CView* view = *child;
        if (!view->getSize().pointInside(where)) continue;
        if (deep && view->isTypeOf("CViewContainer")) {
            auto* container = static_cast<CViewContainer*>(view);
            if (CView* inner = container->getViewAt(container->toChildCoordinates(where), true))
                return inner;
        }
        return view;
    }
    return nullptr;
}

}  // namespace VSTGUI
