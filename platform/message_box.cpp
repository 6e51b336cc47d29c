#include "platform/message_box.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace platform {
namespace {

// A modal error dialog through zenity; standard error when no dialog can be shown.
class DialogSink : public MessageSink {
public:
    void showError(const std::string& caption, const std::string& text) override {
        const pid_t child = ::fork();
        if (child == 0) {
            const std::string title = "--title=" + caption;
            const std::string message = "--text=" + text;
            ::execlp("zenity", "zenity", "--error", "--no-markup", title.c_str(), message.c_str(),
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
            WEXITSTATUS(status) != 127)
            return;
        std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
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
