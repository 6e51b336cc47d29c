#include "platform/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {

namespace {
constexpr int kStartTimeoutMs = 15000;
}  // namespace

XvfbServer::XvfbServer() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        failure = "no pipe for Xvfb";
        return;
    }
    pid = fork();
    if (pid < 0) {
        failure = "cannot fork for Xvfb";
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return;
    }
    if (pid == 0) {
        close(pipeEnds[0]);
        // The server goes when the test process goes, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() == 1) _exit(1);
        const int quiet = open("/dev/null", O_RDWR);
        if (quiet >= 0) {
            dup2(quiet, STDIN_FILENO);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        const std::string fd = std::to_string(pipeEnds[1]);
        // Xvfb picks a free display and writes its number to the descriptor.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string number;
    pollfd waiting{pipeEnds[0], POLLIN, 0};
    while (poll(&waiting, 1, kStartTimeoutMs) > 0) {
        char c = 0;
        if (read(pipeEnds[0], &c, 1) != 1) break;
        if (c == '\n') break;
        number += c;
    }
    close(pipeEnds[0]);
    if (number.empty()) {
        failure = "Xvfb did not start (is it installed?)";
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
        return;
    }
    display = ":" + number;
    if (const char* old = std::getenv("DISPLAY")) {
        hadDisplay = true;
        previousDisplay = old;
    }
    setenv("DISPLAY", display.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (hadDisplay)
        setenv("DISPLAY", previousDisplay.c_str(), 1);
    else if (!display.empty())
        unsetenv("DISPLAY");
}

}  // namespace platform
