#include "platform/message_box.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace platform {
namespace {

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != 0) || (wayland != nullptr && *wayland != 0);
}

// A modal error dialog through zenity; standard error when no dialog can be shown. The child
// is spawned, not forked: a host has many threads, and a forked copy of it could deadlock on a
// lock held by one of them before it reaches exec.
bool showDialog(const std::string& caption, const std::string& text) {
    if (!hasDisplay()) return false;
    std::string program = "zenity";
    std::string kind = "--error";
    std::string plain = "--no-markup";
    std::string title = "--title=" + caption;
    std::string message = "--text=" + text;
    char* arguments[] = {program.data(), kind.data(), plain.data(), title.data(), message.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0) return false;
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // A host that ignores SIGCHLD reaps the child itself: the dialog was shown all the same.
    if (waited < 0) return errno == ECHILD;
    // zenity answers 1 both when the user closes the dialog and when it cannot open the display:
    // only a confirmed dialog counts, and a second copy on standard error does no harm.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class DialogSink : public MessageSink {
public:
    void showError(const std::string& caption, const std::string& text) override {
        if (!showDialog(caption, text)) std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
    }
};

DialogSink dialog;
MessageSink* current = &dialog;

}  // namespace

void showErrorMessage(const std::string& caption, const std::string& text) {
    current->showError(caption, text);
}

MessageSink* setMessageSink(MessageSink* sink) {
    MessageSink* previous = current;
    current = sink != nullptr ? sink : &dialog;
    return previous;
}

}  // namespace platform
