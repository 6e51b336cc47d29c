// Creates the editor's native window in a host window. Tests and tools may replace the maker,
// for example to open editors on a TestWindow with no X server.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/platform_window.h"

namespace platform {

// `parent` is the host's X11 window id; null when the window cannot be made.
using WindowMaker = std::function<std::unique_ptr<PlatformWindow>(std::uintptr_t parent,
                                                                  int widthPx, int heightPx)>;

std::unique_ptr<PlatformWindow> createWindow(std::uintptr_t parent, int widthPx, int heightPx);
// An empty maker restores the X11 one. Process-wide; user-interface thread only.
void setWindowMaker(WindowMaker maker);

}  // namespace platform
