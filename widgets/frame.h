// The root of the view tree: owns the native child window (or none, for off-screen use), keeps
// the picture of the whole editor, redraws dirty views on idle, and routes mouse, wheel and
// keyboard input. User-interface thread only.
#pragma once

#include <memory>

#include "platform/graphics.h"
#include "platform/platform_window.h"
#include "widgets/mouse_buttons.h"
#include "widgets/view_container.h"

namespace VSTGUI {

class CFrame : public CViewContainer, private platform::WindowEvents {
public:
    // Opens a child window of the host window `systemWindow` (an X11 window id); with a null
    // window the frame exists without one.
    CFrame(const CRect& size, void* systemWindow, AEffGUIEditor* editor);
    // Uses `window`, for example a test window; null for an off-screen frame.
    CFrame(const CRect& size, std::unique_ptr<platform::PlatformWindow> window,
           AEffGUIEditor* editor);
    ~CFrame() override;

    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    int32_t onKeyUp(VstKeyCode& key) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    void redrawRect(CDrawContext* context, const CRect& rect) override;
    // The modal view when there is one, else the topmost child under the mouse.
    CView* getCurrentView() const override {
        return modalView != nullptr ? modalView : CViewContainer::getCurrentView();
    }
    bool isTypeOf(const char* className) const override;
    AEffGUIEditor* getEditor() const override { return editor; }

    // Pumps the window's events, then redraws every dirty view into the window.
    virtual void idle();
    virtual void doIdleStuff();
    virtual void beginEdit(int32_t tag);
    virtual void endEdit(int32_t tag);
    virtual int64_t getTicks() const;
    virtual int32_t getDoubleClickTime() const;
    virtual int32_t getKnobMode() const { return knobMode; }
    // The mouse now, relative to the frame's window.
    virtual CPoint& getCurrentLocation(CPoint& where);
    virtual int32_t getCurrentMouseButtons() const;
    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() const { return focusView; }
    virtual bool setModalView(CView* view);
    virtual CView* getModalView() const { return modalView; }
    virtual void setCursor(platform::CursorKind kind);
    virtual void setDropActive(bool active) { dropActive = active; }
    virtual bool isDropActive() const { return dropActive; }

    // The editor-wide knob mode (CKnobMode), process-wide.
    static void setKnobMode(int32_t mode) { knobMode = mode; }
    static int32_t editorKnobMode() { return knobMode; }

    bool isOpen() const;
    void* getSystemWindow() const { return systemWindow; }
    platform::PlatformWindow* getPlatformWindow() const { return window.get(); }
    // The picture of the whole frame, drawn in full the first time it is asked for.
    platform::Image& getPicture();
    // Copies `area` of the picture to the window.
    void present(const CRect& area);
    // Marks `area` (frame coordinates) for drawing at the next idle.
    void invalidate(const CRect& area) {
        invalidArea = invalidArea.unionWith(area.intersection(size));
    }
    // Draws the whole frame into a new image; needs no window.
    platform::Image drawToImage();
    // A view left the tree: it can no longer be the focus or modal view.
    void viewRemoved(CView* view);
    // Delivers a mouse press at a window position, as the window's own event would.
    void pressAt(const CPoint& where, int32_t buttons);
    // Turns a window key into the host's key code and hands it to the views.
    int32_t keyDown(const platform::KeyStroke& key);

protected:
    AEffGUIEditor* editor;
    void* systemWindow = nullptr;
    CView* modalView = nullptr;
    CView* focusView = nullptr;

private:
    void windowExposed(const platform::Rect& area) override;
    void windowMouseDown(platform::PointerPosition where, int buttons) override;
    void windowWheel(platform::PointerPosition where, float distance) override;
    void windowKeyDown(const platform::KeyStroke& key) override;
    void windowKeyUp(const platform::KeyStroke& key) override;
    void windowFocusLost() override;
    void windowDestroyed() override;
    bool isInside(const CView* view, const CView* ancestor) const;

    std::unique_ptr<platform::PlatformWindow> window;
    platform::Image picture;
    CRect invalidArea;
    bool pumping = false;
    bool dropActive = false;
    static inline int32_t knobMode = kCircularMode;
};

}  // namespace VSTGUI
