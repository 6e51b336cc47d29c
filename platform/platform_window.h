// The window layer: one child window in a host window, as the editor's toolkit sees it.
// Everything runs on the host's user-interface thread; events are delivered from `pumpEvents`,
// which the editor calls from its idle.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace platform {

// Mouse buttons and modifier keys, the toolkit's bit values.
enum MouseBits : int {
    kLeftButton = 1,
    kMiddleButton = 2,
    kRightButton = 4,
    kShiftKey = 8,
    kControlKey = 16,
    kAlternateKey = 32,
    kCommandKey = 64,
};

// Virtual key codes of the VST key table that the toolkit reads.
enum VirtualKey : int {
    kKeyBack = 1,
    kKeyTab = 2,
    kKeyReturn = 4,
    kKeyEscape = 6,
    kKeySpace = 7,
    kKeyEnd = 9,
    kKeyHome = 10,
    kKeyLeft = 11,
    kKeyUp = 12,
    kKeyRight = 13,
    kKeyDown = 14,
    kKeyEnter = 19,
    kKeyDelete = 22,
};

struct PointerPosition {
    int x = 0;
    int y = 0;
};

// A key press in the host's terms: the character (0 for none), a virtual key code of the
// VST key table (0 for none) and the modifier bits above.
struct KeyStroke {
    int character = 0;
    int virtualKey = 0;
    int modifiers = 0;
};

enum class CursorKind { Arrow, Hand, SizeHorizontal, SizeVertical, SizeAll, Text };

// A pop-up menu as the toolkit builds it: commands are numbered; -1 means "no choice".
struct MenuItem {
    enum class Kind { Normal, Separator, Disabled, Greyed, Submenu };
    std::string text;
    int command = -1;
    Kind kind = Kind::Normal;
    bool checked = false;
    bool startsColumn = false;
    std::vector<MenuItem> submenu;
};

// What a window reports to its owner. Coordinates are relative to the window.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void windowExposed(const Rect& area) = 0;
    virtual void windowMouseDown(PointerPosition where, int buttons) = 0;
    virtual void windowWheel(PointerPosition where, float distance) = 0;
    virtual void windowKeyDown(const KeyStroke& key) = 0;
    virtual void windowKeyUp(const KeyStroke& key) = 0;
    virtual void windowFocusLost() = 0;
    virtual void windowDestroyed() = 0;
};

class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;

    virtual bool isOpen() const = 0;
    // The buttons and modifier keys held now (MouseBits).
    virtual int mouseButtons() = 0;
    // The pointer now, relative to the window.
    virtual PointerPosition mousePosition() = 0;
    virtual std::uint32_t tickCount() = 0;
    virtual void sleep(int milliseconds) = 0;
    virtual int doubleClickTime() const = 0;
    virtual void setCursor(CursorKind shape) = 0;
    // Copies `area` of the frame's picture to the screen.
    virtual void present(const Image& picture, const Rect& area) = 0;
    // Delivers waiting events; with `exposeOnly` everything but paint requests stays queued.
    virtual void pumpEvents(WindowEvents& sink, bool exposeOnly) = 0;
    // Keyboard input for a text entry, or back to the host.
    virtual void setKeyboardFocus(bool wanted) = 0;
    // Runs a pop-up menu with its top-left corner at `where` (window coordinates) and returns the
    // chosen command, or -1. Modal: returns after the user decided.
    virtual int popupMenu(const std::vector<MenuItem>& items, PointerPosition where,
                          int itemsPerColumn) = 0;
    // The window's position on the screen.
    virtual PointerPosition screenOrigin() = 0;
};

}  // namespace platform
