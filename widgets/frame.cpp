#include "widgets/frame.h"

#include <cstring>

#include "platform/clock.h"
#include "platform/window_factory.h"
#include "widgets/aeff_gui_editor.h"
#include "widgets/draw_context.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& size, void* systemWindow, AEffGUIEditor* editor)
    : CFrame(size,
             systemWindow != nullptr
                 ? platform::createWindow(reinterpret_cast<std::uintptr_t>(systemWindow),
                                          size.width(), size.height())
                 : nullptr,
             editor) {
    this->systemWindow = systemWindow;
}

CFrame::CFrame(const CRect& size, std::unique_ptr<platform::PlatformWindow> window,
               AEffGUIEditor* editor)
    : CViewContainer(size, nullptr), editor(editor), window(std::move(window)) {
    pParentFrame = this;
}

CFrame::~CFrame() {
    focusView = nullptr;
    modalView = nullptr;
    removeAll(true);
    window.reset();
}

bool CFrame::isTypeOf(const char* className) const {
    return std::strcmp(className, "CFrame") == 0 || CViewContainer::isTypeOf(className);
}

bool CFrame::isOpen() const { return window != nullptr && window->isOpen(); }

platform::Image& CFrame::getPicture() {
    if (picture.empty()) {
        picture = platform::Image(size.width(), size.height());
        {
            CDrawContext context(this, picture);
            drawRect(&context, size);
        }
        invalidArea = {};
        // The first picture goes to the window whole.
        if (isOpen()) window->present(picture, {0, 0, size.width(), size.height()});
    }
    return picture;
}

void CFrame::present(const CRect& area) {
    if (!isOpen()) return;
    const CRect visible = area.intersection(size);
    if (visible.isEmpty()) return;
    window->present(getPicture(), {visible.left, visible.top, visible.right, visible.bottom});
}

platform::Image CFrame::drawToImage() {
    platform::Image image(size.width(), size.height());
    CDrawContext context(this, image);
    drawRect(&context, size);
    return image;
}

void CFrame::idle() {
    if (!isOpen()) return;
    if (!pumping) {
        pumping = true;
        window->pumpEvents(*this, false);
        pumping = false;
    } else {
        // Inside a drag loop only paint requests are handled.
        window->pumpEvents(*this, true);
    }
    if (!isOpen()) return;
    getPicture();
    if (!isDirty() && invalidArea.isEmpty()) return;
    CDrawContext context(this);
    if (!invalidArea.isEmpty()) {
        const CRect area = invalidArea;
        invalidArea = {};
        drawRect(&context, area);
    }
    update(&context);
}

void CFrame::doIdleStuff() {
    // Called from inside a gesture (a drag, a commit): only paint requests may be handled
    // meanwhile, also when the gesture did not start from the window's own events.
    const bool wasPumping = pumping;
    pumping = true;
    if (editor != nullptr)
        editor->doIdleStuff();
    else
        idle();
    pumping = wasPumping;
}

void CFrame::beginEdit(int32_t tag) {
    if (editor != nullptr) editor->beginEdit(tag);
}

void CFrame::endEdit(int32_t tag) {
    if (editor != nullptr) editor->endEdit(tag);
}

int64_t CFrame::getTicks() const {
    return window != nullptr ? window->tickCount() : platform::monotonicMilliseconds();
}

int32_t CFrame::getDoubleClickTime() const {
    return window != nullptr ? window->doubleClickTime() : platform::kDoubleClickTimeMs;
}

CPoint& CFrame::getCurrentLocation(CPoint& where) {
    if (window == nullptr) return where;
    const platform::PointerPosition now = window->mousePosition();
    where = {now.x, now.y};
    return where;
}

int32_t CFrame::getCurrentMouseButtons() const {
    return window != nullptr ? window->mouseButtons() : 0;
}

void CFrame::setFocusView(CView* view) {
    if (view == focusView) return;
    CView* previous = focusView;
    focusView = view;
    if (previous != nullptr) previous->looseFocus();
}

bool CFrame::setModalView(CView* view) {
    if (view != nullptr && modalView != nullptr) return false;
    modalView = view;
    return true;
}

void CFrame::setCursor(platform::CursorKind kind) {
    if (window != nullptr) window->setCursor(kind);
}

bool CFrame::isInside(const CView* view, const CView* ancestor) const {
    for (const CView* v = view; v != nullptr; v = v->getParentView()) {
        if (v == ancestor) return true;
        if (v == this) break;
    }
    return false;
}

void CFrame::viewRemoved(CView* view) {
    if (focusView != nullptr && isInside(focusView, view)) focusView = nullptr;
    if (modalView != nullptr && isInside(modalView, view)) modalView = nullptr;
}

void CFrame::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (buttons == -1) buttons = getCurrentMouseButtons();
    // A press anywhere ends a text entry, which commits it.
    setFocusView(nullptr);
    if (modalView != nullptr) {
        CPoint local = where;
        modalView->frameToLocal(local);
        if (modalView->hitTest(local, buttons)) modalView->mouse(context, local, buttons);
        return;
    }
    CViewContainer::mouse(context, where, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& key) {
    if (focusView != nullptr) {
        const int32_t handled = focusView->onKeyDown(key);
        if (handled != -1) return handled;
    }
    if (modalView != nullptr) return modalView->onKeyDown(key);
    return CViewContainer::onKeyDown(key);
}

int32_t CFrame::onKeyUp(VstKeyCode& key) {
    if (focusView != nullptr) {
        const int32_t handled = focusView->onKeyUp(key);
        if (handled != -1) return handled;
    }
    if (modalView != nullptr) return modalView->onKeyUp(key);
    return CViewContainer::onKeyUp(key);
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                     float distance) {
    // Controls become the focus view when they begin an edit; only a view that asks for the
    // focus (a text field) keeps the wheel, or the wheel would stay with the last knob touched.
    if (focusView != nullptr && focusView->wantsFocus())
        return focusView->onWheel(context, where, axis, distance);
    return CViewContainer::onWheel(context, where, axis, distance);
}

void CFrame::redrawRect(CDrawContext* context, const CRect& rect) {
    if (context != nullptr)
        drawRect(context, rect);
    else
        invalidate(rect);
}

void CFrame::pressAt(const CPoint& where, int32_t buttons) {
    CDrawContext context(this);
    CPoint point = where;
    mouse(&context, point, buttons);
}

namespace {
// The host's modifier bits: shift 1, alternate 2, command (control here) 4, control 8.
VstKeyCode hostKeyCode(const platform::KeyStroke& key) {
    unsigned modifiers = 0;
    if (key.modifiers & kShift) modifiers |= 1u;
    if (key.modifiers & kAlt) modifiers |= 2u;
    if (key.modifiers & kControl) modifiers |= 4u;
    if (key.modifiers & kApple) modifiers |= 8u;
    return {key.character, static_cast<unsigned char>(key.virtualKey),
            static_cast<unsigned char>(modifiers)};
}
}  // namespace

int32_t CFrame::keyDown(const platform::KeyStroke& key) {
    VstKeyCode code = hostKeyCode(key);
    return onKeyDown(code);
}

void CFrame::windowExposed(const platform::Rect& area) {
    present({area.left, area.top, area.right, area.bottom});
}

void CFrame::windowMouseDown(platform::PointerPosition where, int buttons) {
    pressAt({where.x, where.y}, buttons);
}

void CFrame::windowWheel(platform::PointerPosition where, float distance) {
    CDrawContext context(this);
    onWheel(&context, {where.x, where.y}, kMouseWheelAxisY, distance);
}

void CFrame::windowKeyDown(const platform::KeyStroke& key) { keyDown(key); }

void CFrame::windowKeyUp(const platform::KeyStroke& key) {
    VstKeyCode code = hostKeyCode(key);
    onKeyUp(code);
}

void CFrame::windowFocusLost() {
    if (focusView != nullptr && focusView->isTypeOf("CTextEdit")) setFocusView(nullptr);
}

void CFrame::windowDestroyed() { focusView = nullptr; }

}  // namespace VSTGUI
