// A window with no X server for tests: the pointer, buttons, modifier keys, ticks, key presses
// and pop-up menu choices are injected; what the toolkit asks of the window is recorded.
#pragma once

#include <deque>
#include <vector>

#include "platform/platform_window.h"

namespace platform {

class TestWindow : public PlatformWindow {
public:
    struct PointerState {
        int x = 0;
        int y = 0;
        int buttons = 0;
    };

    explicit TestWindow(int widthPx = 0, int heightPx = 0);

    // The pointer as it is now.
    void setPointer(PointerState state) { current = state; }
    // States the pointer moves through: each mouse-position read moves to the next one; after
    // the last one every button is released. Drag loops read the position once per pass.
    void queuePointer(std::vector<PointerState> states);
    void advanceTicks(std::uint32_t milliseconds) { ticks += milliseconds; }
    void setTicks(std::uint32_t milliseconds) { ticks = milliseconds; }

    // Events handed out by the next `pumpEvents`.
    void injectMouseDown(int x, int y, int buttons);
    void injectKey(KeyStroke key);
    void injectExpose(const Rect& area);
    void injectFocusLoss();
    // The command the next pop-up menu answers (-1: dismissed).
    void setPopupChoice(int command) { popupChoice = command; }

    // Recorded requests.
    int presentCount = 0;
    Rect lastPresented;
    Image lastPicture;  // a copy of what was presented, full size
    bool keyboardFocus = false;
    CursorKind cursor = CursorKind::Arrow;
    std::vector<MenuItem> lastMenu;
    PointerPosition lastMenuOrigin;
    int lastMenuItemsPerColumn = 0;
    int positionReads = 0;

    bool isOpen() const override { return true; }
    int mouseButtons() override { return current.buttons; }
    PointerPosition mousePosition() override;
    std::uint32_t tickCount() override { return ticks; }
    // No real waiting: the clock moves on instead.
    void sleep(int milliseconds) override { ticks += static_cast<std::uint32_t>(milliseconds); }
    int doubleClickTime() const override { return doubleClickMs; }
    void setCursor(CursorKind shape) override { cursor = shape; }
    void present(const Image& picture, const Rect& area) override;
    void pumpEvents(WindowEvents& sink, bool exposeOnly) override;
    void setKeyboardFocus(bool wanted) override { keyboardFocus = wanted; }
    int popupMenu(const std::vector<MenuItem>& items, PointerPosition where,
                  int itemsPerColumn) override;
    PointerPosition screenOrigin() override { return {100, 200}; }

    int doubleClickMs = 400;

private:
    struct Event {
        enum class Kind { MouseDown, Key, Expose, FocusLoss } kind;
        PointerState pointer;
        KeyStroke key;
        Rect area;
    };
    PointerState current;
    std::deque<PointerState> script;
    std::deque<Event> events;
    std::uint32_t ticks = 1000;
    int popupChoice = -1;
    int widthPx;
    int heightPx;
};

}  // namespace platform
