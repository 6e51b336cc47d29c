#include "platform/x11_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>
#include <vector>

#include "platform/clock.h"

namespace platform {

void X11Window::DisplayCloser::operator()(Display* display) const { XCloseDisplay(display); }

namespace {

// X reports errors asynchronously, through one handler per process, and the default one ends
// the process. A request on our own connection may fail when the host destroys its window
// first; such errors are noted and ignored, all others go on to the handler that was there.
bool xRequestFailed = false;
std::vector<Display*> ourDisplays;
XErrorHandler chainedHandler = nullptr;

int routeXError(Display* display, XErrorEvent* error) {
    if (std::find(ourDisplays.begin(), ourDisplays.end(), display) != ourDisplays.end()) {
        xRequestFailed = true;
        return 0;
    }
    return chainedHandler != nullptr ? chainedHandler(display, error) : 0;
}

void registerDisplay(Display* display) {
    if (ourDisplays.empty()) {
        XErrorHandler previous = XSetErrorHandler(routeXError);
        if (previous != routeXError) chainedHandler = previous;
    }
    ourDisplays.push_back(display);
}

void unregisterDisplay(Display* display) {
    ourDisplays.erase(std::remove(ourDisplays.begin(), ourDisplays.end(), display),
                      ourDisplays.end());
    if (!ourDisplays.empty()) return;
    // Put the previous handler back unless someone installed another one meanwhile.
    XErrorHandler current = XSetErrorHandler(chainedHandler);
    if (current != routeXError) XSetErrorHandler(current);
}

int modifierBits(unsigned state) {
    int bits = 0;
    if (state & Button1Mask) bits |= kLeftButton;
    if (state & Button2Mask) bits |= kMiddleButton;
    if (state & Button3Mask) bits |= kRightButton;
    if (state & ShiftMask) bits |= kShiftKey;
    if (state & ControlMask) bits |= kControlKey;
    if (state & Mod1Mask) bits |= kAlternateKey;
    if (state & Mod4Mask) bits |= kCommandKey;
    return bits;
}

int virtualKeyFor(KeySym sym) {
    switch (sym) {
        case XK_BackSpace:
            return kKeyBack;
        case XK_Tab:
            return kKeyTab;
        case XK_Return:
            return kKeyReturn;
        case XK_Escape:
            return kKeyEscape;
        case XK_End:
            return kKeyEnd;
        case XK_Home:
            return kKeyHome;
        case XK_Left:
            return kKeyLeft;
        case XK_Up:
            return kKeyUp;
        case XK_Right:
            return kKeyRight;
        case XK_Down:
            return kKeyDown;
        case XK_KP_Enter:
            return kKeyEnter;
        case XK_Delete:
            return kKeyDelete;
        default:
            return 0;
    }
}

KeyStroke translateKey(XKeyEvent& event) {
    char text[8] = {};
    KeySym sym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text, &sym, nullptr);
    KeyStroke key;
    key.virtualKey = virtualKeyFor(sym);
    const auto first = static_cast<unsigned char>(text[0]);
    if (key.virtualKey == 0 && length == 1 && first >= 0x20 && first != 0x7f) key.character = first;
    key.modifiers = modifierBits(event.state) & ~(kLeftButton | kMiddleButton | kRightButton);
    return key;
}

}  // namespace

Display* openDisplay() {
    // A busy server now and then refuses a connection; a few tries settle it.
    constexpr int kTries = 5;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
        sleepMilliseconds(10);
    }
    return nullptr;
}

std::unique_ptr<X11Window> X11Window::create(std::uintptr_t parent, int widthPx, int heightPx) {
    if (parent == 0 || widthPx <= 0 || heightPx <= 0) return nullptr;
    std::unique_ptr<X11Window> made(new X11Window());
    made->display.reset(openDisplay());
    Display* display = made->display.get();
    if (display == nullptr) return nullptr;

    registerDisplay(display);
    made->errorsRouted = true;
    // A wrong parent id from the host must not end the process.
    XSync(display, False);
    xRequestFailed = false;
    XWindowAttributes parentAttributes{};
    const Status known = XGetWindowAttributes(display, parent, &parentAttributes);
    XSync(display, False);
    if (known == 0 || xRequestFailed) return nullptr;

    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(
        display, parent, 0, 0, static_cast<unsigned>(widthPx), static_cast<unsigned>(heightPx), 0,
        BlackPixel(display, screen), BlackPixel(display, screen));
    XSelectInput(display, window,
                 ExposureMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask |
                     KeyReleaseMask | FocusChangeMask | StructureNotifyMask);
    XStoreName(display, window, "Window");
    XMapWindow(display, window);
    XSync(display, False);
    made->window = window;
    made->widthPx = widthPx;
    made->heightPx = heightPx;
    made->windowSurface.reset(
        cairo_xlib_surface_create(display, window, parentAttributes.visual, widthPx, heightPx));
    return made;
}

X11Window::~X11Window() {
    windowSurface.reset();
    if (display == nullptr) return;
    // The host may have destroyed its window (and ours with it) before closing the editor; the
    // error handler ignores what fails on our connection.
    if (window != 0) XDestroyWindow(display.get(), window);
    if (cursor != 0) XFreeCursor(display.get(), cursor);
    XSync(display.get(), False);
    if (errorsRouted) unregisterDisplay(display.get());
}

void X11Window::queryPointer(int& x, int& y, unsigned& mask) {
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    x = y = 0;
    mask = 0;
    if (window == 0) return;
    XQueryPointer(display.get(), window, &root, &child, &rootX, &rootY, &x, &y, &mask);
}

int X11Window::mouseButtons() {
    int x = 0;
    int y = 0;
    unsigned mask = 0;
    queryPointer(x, y, mask);
    return modifierBits(mask);
}

PointerPosition X11Window::mousePosition() {
    int x = 0;
    int y = 0;
    unsigned mask = 0;
    queryPointer(x, y, mask);
    return {x, y};
}

std::uint32_t X11Window::tickCount() { return monotonicMilliseconds(); }

void X11Window::sleep(int milliseconds) { sleepMilliseconds(milliseconds); }

int X11Window::doubleClickTime() const { return kDoubleClickTimeMs; }

void X11Window::setCursor(CursorKind shape) {
    if (window == 0) return;
    unsigned glyph = XC_left_ptr;
    switch (shape) {
        case CursorKind::Arrow:
            glyph = XC_left_ptr;
            break;
        case CursorKind::Hand:
            glyph = XC_hand2;
            break;
        case CursorKind::SizeHorizontal:
            glyph = XC_sb_h_double_arrow;
            break;
        case CursorKind::SizeVertical:
            glyph = XC_sb_v_double_arrow;
            break;
        case CursorKind::SizeAll:
            glyph = XC_fleur;
            break;
        case CursorKind::Text:
            glyph = XC_xterm;
            break;
    }
    const Cursor made = XCreateFontCursor(display.get(), glyph);
    XDefineCursor(display.get(), window, made);
    if (cursor != 0) XFreeCursor(display.get(), cursor);
    cursor = made;
    XFlush(display.get());
}

void X11Window::present(const Image& picture, const Rect& area) {
    if (window == 0 || picture.empty() || area.empty() || !windowSurface) return;
    cairo_t* cr = cairo_create(windowSurface.get());
    cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture.handle(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(windowSurface.get());
    XFlush(display.get());
}

void X11Window::pumpEvents(WindowEvents& sink, bool exposeOnly) {
    if (window == 0) return;
    Display* d = display.get();
    XEvent event;
    if (exposeOnly) {
        while (XCheckTypedWindowEvent(d, window, Expose, &event)) {
            const XExposeEvent& e = event.xexpose;
            sink.windowExposed({e.x, e.y, e.x + e.width, e.y + e.height});
        }
        return;
    }
    while (window != 0 && XPending(d) > 0) {
        XNextEvent(d, &event);
        switch (event.type) {
            case Expose: {
                const XExposeEvent& e = event.xexpose;
                sink.windowExposed({e.x, e.y, e.x + e.width, e.y + e.height});
                break;
            }
            case ButtonPress: {
                const XButtonEvent& e = event.xbutton;
                if (e.button == Button4 || e.button == Button5) {
                    sink.windowWheel({e.x, e.y}, e.button == Button4 ? 1.0f : -1.0f);
                    break;
                }
                const int pressed = e.button == Button1   ? kLeftButton
                                    : e.button == Button2 ? kMiddleButton
                                    : e.button == Button3 ? kRightButton
                                                          : 0;
                // The event carries the buttons: a quick click may be over before the pump runs.
                if (pressed != 0) sink.windowMouseDown({e.x, e.y}, modifierBits(e.state) | pressed);
                break;
            }
            case KeyPress:
                sink.windowKeyDown(translateKey(event.xkey));
                break;
            case KeyRelease:
                sink.windowKeyUp(translateKey(event.xkey));
                break;
            case FocusOut:
                if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior)
                    sink.windowFocusLost();
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == window) {
                    windowSurface.reset();
                    window = 0;
                    sink.windowDestroyed();
                }
                break;
            default:
                break;
        }
    }
}

void X11Window::setKeyboardFocus(bool wanted) {
    if (window == 0) return;
    Display* d = display.get();
    if (wanted) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(d, window, &attributes);
        if (attributes.map_state != IsViewable) return;
        Window current = 0;
        int revert = 0;
        XGetInputFocus(d, &current, &revert);
        if (current != window) previousFocus = current;
        XSetInputFocus(d, window, RevertToParent, CurrentTime);
        XFlush(d);
        return;
    }
    // Give the keyboard back to whoever had it (usually the host), if that window still exists.
    const Window back = previousFocus;
    previousFocus = 0;
    if (back == 0) return;
    Window current = 0;
    int revert = 0;
    XGetInputFocus(d, &current, &revert);
    if (current != window) return;
    XSetInputFocus(d, back, RevertToParent, CurrentTime);
    XFlush(d);
}

PointerPosition X11Window::screenOrigin() {
    if (window == 0) return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display.get(), window, DefaultRootWindow(display.get()), 0, 0, &x, &y,
                          &child);
    return {x, y};
}

}  // namespace platform
