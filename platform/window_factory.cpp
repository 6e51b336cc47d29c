#include "platform/window_factory.h"

#include "platform/x11_window.h"

namespace platform {

namespace {
WindowMaker& installedMaker() {
    static WindowMaker maker;
    return maker;
}
}  // namespace

std::unique_ptr<PlatformWindow> createWindow(std::uintptr_t parent, int widthPx, int heightPx) {
    if (installedMaker()) return installedMaker()(parent, widthPx, heightPx);
    return X11Window::create(parent, widthPx, heightPx);
}

void setWindowMaker(WindowMaker maker) { installedMaker() = std::move(maker); }

}  // namespace platform
