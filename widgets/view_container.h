// A view holding child views: draws them first to last (later ones on top) and hands presses
// to the last one that is mouse-enabled and contains the point. Children use coordinates local
// to the container.
#pragma once

#include <vector>

#include "widgets/view.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    int32_t onKeyUp(VstKeyCode& key) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    bool isDirty() const override;
    bool hitTest(const CPoint& where, int32_t buttons = -1) const override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    int32_t notify(CView* sender, const char* message) override;
    void redrawRect(CDrawContext* context, const CRect& rect) override;
    bool isTypeOf(const char* className) const override;
    void update(CDrawContext* context) override;

    // Appends `view`, referencing it; it lies on top of the earlier children.
    virtual void addView(CView* view);
    virtual void removeView(CView* view, bool forgetView = true);
    virtual void removeAll(bool forgetViews = true);
    virtual bool isChild(CView* view) const;
    // The topmost child whose mouseable area contains the current mouse position.
    virtual CView* getCurrentView() const;
    // The topmost child at `where` (local coordinates); deep: look inside child containers.
    virtual CView* getViewAt(const CPoint& where, bool deep = false) const;

    void setBackgroundColor(CColor colour) {
        backgroundColor = colour;
        setDirty(true);
    }
    CColor getBackgroundColor() const { return backgroundColor; }
    void setBackgroundOffset(const CPoint& offset) { backgroundOffset = offset; }
    void setMode(bool offscreen) { offscreenDrawing = offscreen; }
    int getNbViews() const { return static_cast<int>(children.size()); }
    CView* getView(int index) const;

protected:
    // Draws the container's own background for `area` (local coordinates of the container).
    void drawBackgroundRect(CDrawContext* context, const CRect& area);
    CPoint toChildCoordinates(const CPoint& where) const {
        return {where.x - size.left, where.y - size.top};
    }
    void updateChildren(CDrawContext* context);

    std::vector<CView*> children;
    CColor backgroundColor = kBlackCColor;
    CPoint backgroundOffset;
    bool offscreenDrawing = false;
    CView* mouseDownView = nullptr;
    CView* dragOverView = nullptr;
};

}  // namespace VSTGUI
