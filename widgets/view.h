// The base of everything in the view tree: a rectangle in its parent's coordinates, a dirty
// flag, mouse and keyboard entry points and the conversions between local and frame points.
#pragma once

#include <cstdint>

#include "vst/aeff_editor.h"
#include "widgets/geometry.h"
#include "widgets/reference_counter.h"

namespace VSTGUI {

class CDrawContext;
class CBitmap;
class CFrame;
class CDragContainer;
class AEffGUIEditor;

enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY };

// Answers of `notify`.
enum CMessageResult { kMessageUnknown = 0, kMessageNotified = 1 };

class CView : public CReferenceCounter {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    void forget() override { CReferenceCounter::forget(); }
    void remember() override { CReferenceCounter::remember(); }
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(const CRect& updateRect) const { return updateRect.overlaps(size); }
    virtual void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1);
    virtual void setBackground(CBitmap* bitmap);
    virtual CBitmap* getBackground() const { return pBackground; }
    virtual int32_t onKeyDown(VstKeyCode& key);
    virtual int32_t onKeyUp(VstKeyCode& key);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                         float distance);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
    virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void looseFocus(CDrawContext* context = nullptr);
    virtual void takeFocus(CDrawContext* context = nullptr);
    virtual bool isDirty() const { return bDirty; }
    virtual void setDirty(bool state = true) { bDirty = state; }
    virtual void setMouseEnabled(bool enabled = true) { bMouseEnabled = enabled; }
    virtual bool getMouseEnabled() const { return bMouseEnabled; }
    virtual void setMouseableArea(const CRect& area) { mouseableArea = area; }
    virtual CRect& getMouseableArea(CRect& area) const;
    virtual bool hitTest(const CPoint& where, int32_t buttons = -1) const;
    virtual void setTransparency(bool state) { bTransparencyEnabled = state; }
    virtual bool getTransparency() const { return bTransparencyEnabled; }
    virtual void setViewSize(const CRect& newSize);
    virtual CRect& getViewSize(CRect& area) const;
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);
    // The mouse now, in the coordinates of this view's parent (those of `size`).
    virtual CPoint& getMouseLocation(CDrawContext* context, CPoint& point);
    virtual CPoint& frameToLocal(CPoint& point) const;
    virtual CPoint& localToFrame(CPoint& point) const;
    virtual AEffGUIEditor* getEditor() const;
    virtual int32_t notify(CView* sender, const char* message);
    virtual void redrawRect(CDrawContext* context, const CRect& rect);
    virtual bool wantsFocus() const { return bWantsFocus; }
    virtual void setWantsFocus(bool state) { bWantsFocus = state; }
    virtual bool isTypeOf(const char* className) const;
    virtual void update(CDrawContext* context);

    // Non-virtual helpers.
    void setParentFrame(CFrame* frame) { pParentFrame = frame; }
    CFrame* getFrame() const { return pParentFrame; }
    void setParentView(CView* parent) { pParentView = parent; }
    CView* getParentView() const { return pParentView; }
    const CRect& getSize() const { return size; }
    bool isAttached() const { return attachedToParent; }

protected:
    CRect size;
    CRect mouseableArea;
    CFrame* pParentFrame = nullptr;
    CView* pParentView = nullptr;
    bool bDirty = false;
    bool bMouseEnabled = true;
    bool bTransparencyEnabled = false;
    bool bWantsFocus = false;
    bool attachedToParent = false;
    CBitmap* pBackground = nullptr;
};

}  // namespace VSTGUI
