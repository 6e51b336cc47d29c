#include "platform/x11_test_driver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>

#include <chrono>

#include "platform/x11_window.h"

namespace platform {

void X11TestDriver::DisplayCloser::operator()(Display* display) const { XCloseDisplay(display); }

namespace {
bool requestFailed = false;
int noteError(Display*, XErrorEvent*) {
    requestFailed = true;
    return 0;
}
}  // namespace

std::unique_ptr<X11TestDriver> X11TestDriver::open() {
    Display* display = openDisplay();
    if (display == nullptr) return nullptr;
    std::unique_ptr<X11TestDriver> driver(new X11TestDriver());
    driver->display.reset(display);
    return driver;
}

X11TestDriver::~X11TestDriver() { finishRealDrag(); }

namespace {
// The test extension's entry points, looked up at run time: only tests need them.
using FakeButton = int (*)(Display*, unsigned, int, unsigned long);
using FakeMotion = int (*)(Display*, int, int, int, unsigned long);
struct TestExtension {
    FakeButton fakeButton = nullptr;
    FakeMotion fakeMotion = nullptr;
};
TestExtension loadTestExtension() {
    static void* library = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    TestExtension extension;
    if (library == nullptr) return extension;
    extension.fakeButton = reinterpret_cast<FakeButton>(dlsym(library, "XTestFakeButtonEvent"));
    extension.fakeMotion = reinterpret_cast<FakeMotion>(dlsym(library, "XTestFakeMotionEvent"));
    return extension;
}
}  // namespace

bool X11TestDriver::startRealDrag(std::uintptr_t window, int fromX, int fromY, int toX, int toY,
                                  int steps, int stepMs) {
    const TestExtension extension = loadTestExtension();
    if (extension.fakeButton == nullptr || extension.fakeMotion == nullptr || steps < 1)
        return false;
    Display* d = display.get();
    int extensionOpcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(d, "XTEST", &extensionOpcode, &firstEvent, &firstError)) return false;
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &rootX, &rootY, &child);
    const int screen = DefaultScreen(d);
    extension.fakeMotion(d, screen, rootX + fromX, rootY + fromY, 0);
    extension.fakeButton(d, 1, True, 0);
    XSync(d, False);
    finishRealDrag();
    dragThread = std::thread([=] {
        Display* mover = openDisplay();
        if (mover == nullptr) return;
        for (int step = 1; step <= steps; ++step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
            const int x = fromX + (toX - fromX) * step / steps;
            const int y = fromY + (toY - fromY) * step / steps;
            extension.fakeMotion(mover, screen, rootX + x, rootY + y, 0);
            XSync(mover, False);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
        extension.fakeButton(mover, 1, False, 0);
        XSync(mover, False);
        XCloseDisplay(mover);
    });
    return true;
}

void X11TestDriver::finishRealDrag() {
    if (dragThread.joinable()) dragThread.join();
}

std::uintptr_t X11TestDriver::createHostWindow(int widthPx, int heightPx) {
    Display* d = display.get();
    const int screen = DefaultScreen(d);
    const Window window = XCreateSimpleWindow(
        d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(widthPx),
        static_cast<unsigned>(heightPx), 0, BlackPixel(d, screen), WhitePixel(d, screen));
    XMapWindow(d, window);
    XSync(d, False);
    return window;
}

void X11TestDriver::sendButtonPress(std::uintptr_t window, int x, int y, int button,
                                    unsigned modifierState) {
    Display* d = display.get();
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = d;
    event.xbutton.window = window;
    event.xbutton.root = DefaultRootWindow(d);
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.button = static_cast<unsigned>(button);
    event.xbutton.state = modifierState;
    event.xbutton.same_screen = True;
    XSendEvent(d, window, True, ButtonPressMask, &event);
    XSync(d, False);
}

void X11TestDriver::sendKeysym(std::uintptr_t window, unsigned long keysym) {
    Display* d = display.get();
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.display = d;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(d);
    event.xkey.keycode = XKeysymToKeycode(d, keysym);
    event.xkey.same_screen = True;
    XSendEvent(d, window, True, KeyPressMask, &event);
    XSync(d, False);
}

void X11TestDriver::sendCharacter(std::uintptr_t window, char character) {
    // Latin-1 keysyms equal their character codes.
    sendKeysym(window, static_cast<unsigned char>(character));
}

void X11TestDriver::sendReturn(std::uintptr_t window) { sendKeysym(window, XK_Return); }

void X11TestDriver::warpPointer(std::uintptr_t window, int x, int y) {
    XWarpPointer(display.get(), None, window, 0, 0, 0, 0, x, y);
    XSync(display.get(), False);
}

bool X11TestDriver::grabPointer(std::uintptr_t window) {
    const int result = XGrabPointer(display.get(), window, False, ButtonPressMask | ButtonReleaseMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XSync(display.get(), False);
    return result == GrabSuccess;
}

Rgba X11TestDriver::pixel(std::uintptr_t window, int x, int y) {
    XImage* image = XGetImage(display.get(), window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return {0, 0, 0, 0};
    const unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return {static_cast<std::uint8_t>((value >> 16) & 0xff),
            static_cast<std::uint8_t>((value >> 8) & 0xff), static_cast<std::uint8_t>(value & 0xff),
            255};
}

bool X11TestDriver::windowExists(std::uintptr_t window) {
    XSync(display.get(), False);
    requestFailed = false;
    auto* previous = XSetErrorHandler(noteError);
    XWindowAttributes attributes{};
    const Status known = XGetWindowAttributes(display.get(), window, &attributes);
    XSync(display.get(), False);
    XSetErrorHandler(previous);
    return known != 0 && !requestFailed;
}

void X11TestDriver::destroyWindow(std::uintptr_t window) {
    XDestroyWindow(display.get(), window);
    XSync(display.get(), False);
}

std::uintptr_t X11TestDriver::firstChild(std::uintptr_t window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display.get(), window, &root, &parent, &children, &count) == 0) return 0;
    const std::uintptr_t first = count > 0 ? children[0] : 0;
    if (children != nullptr) XFree(children);
    return first;
}

}  // namespace platform
