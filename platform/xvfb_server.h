// A private X server for tests: Xvfb on a free display, started and stopped by the test, so
// editor tests never touch the user's display and run in CI without one.
#pragma once

#include <sys/types.h>

#include <string>

namespace platform {

class XvfbServer {
public:
    // Starts Xvfb and points DISPLAY at it; `error` says why when it fails.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return pid > 0 && !display.empty(); }
    const std::string& displayName() const { return display; }
    const std::string& error() const { return failure; }

private:
    pid_t pid = -1;
    std::string display;
    std::string failure;
    std::string previousDisplay;
    bool hadDisplay = false;
};

}  // namespace platform
