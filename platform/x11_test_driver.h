// Drives a real X server for tests: a top-level window to act as the host's window, synthetic
// button, wheel and key events sent to a window, pointer warps and pixel read-back.
#pragma once

#include <cstdint>
#include <memory>
#include <thread>

#include "platform/graphics.h"

struct _XDisplay;

namespace platform {

class X11TestDriver {
public:
    // Null when no display can be opened.
    static std::unique_ptr<X11TestDriver> open();
    ~X11TestDriver();

    // A mapped top-level window, the stand-in for a host's plug-in window.
    std::uintptr_t createHostWindow(int widthPx, int heightPx);
    void sendButtonPress(std::uintptr_t window, int x, int y, int button,
                         unsigned modifierState = 0);
    // A printable ASCII character, or the Return key.
    void sendCharacter(std::uintptr_t window, char character);
    void sendReturn(std::uintptr_t window);
    void warpPointer(std::uintptr_t window, int x, int y);
    // Holds the pointer for this connection, as another application's menu would; false when
    // the server refuses.
    bool grabPointer(std::uintptr_t window);
    Rgba pixel(std::uintptr_t window, int x, int y);
    // Real pointer input through the server's test extension, when the system has it: press the
    // left button at `from`, move to each point after `stepMs`, release. Runs on its own thread
    // and connection, so that the caller can sit in a drag loop meanwhile. False without it.
    bool startRealDrag(std::uintptr_t window, int fromX, int fromY, int toX, int toY, int steps,
                       int stepMs);
    void finishRealDrag();
    bool windowExists(std::uintptr_t window);
    void destroyWindow(std::uintptr_t window);
    // Children of `window`, first one or 0.
    std::uintptr_t firstChild(std::uintptr_t window);

private:
    void sendKeysym(std::uintptr_t window, unsigned long keysym);
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    std::unique_ptr<_XDisplay, DisplayCloser> display;
    std::thread dragThread;
};

}  // namespace platform
