// The editor's child window on X11: its own Display connection, a child of the host's window,
// events pumped from the editor's idle, the pointer polled with XQueryPointer during drags.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/platform_window.h"

struct _XDisplay;

namespace platform {

// Opens a connection to the display named by DISPLAY; null when none answers.
_XDisplay* openDisplay();

class X11Window : public PlatformWindow {
public:
    // Null when no display can be opened or `parent` is not a window.
    static std::unique_ptr<X11Window> create(std::uintptr_t parent, int widthPx, int heightPx);
    ~X11Window() override;

    std::uintptr_t windowId() const { return window; }

    bool isOpen() const override { return window != 0; }
    int mouseButtons() override;
    PointerPosition mousePosition() override;
    std::uint32_t tickCount() override;
    void sleep(int milliseconds) override;
    int doubleClickTime() const override;
    void setCursor(CursorKind shape) override;
    void present(const Image& picture, const Rect& area) override;
    void pumpEvents(WindowEvents& sink, bool exposeOnly) override;
    void setKeyboardFocus(bool wanted) override;
    int popupMenu(const std::vector<MenuItem>& items, PointerPosition where,
                  int itemsPerColumn) override;
    PointerPosition screenOrigin() override;

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    X11Window() = default;
    void queryPointer(int& x, int& y, unsigned& mask);

    std::unique_ptr<_XDisplay, DisplayCloser> display;
    std::uintptr_t window = 0;
    std::uintptr_t cursor = 0;
    std::uintptr_t previousFocus = 0;
    bool errorsRouted = false;  // who had the keyboard before a text entry took it
    SurfaceHandle windowSurface;
    int widthPx = 0;
    int heightPx = 0;
};

}  // namespace platform
