// The few messages the effect shows a user (file errors). At run time they appear in a dialog
// (zenity, when installed) or on standard error; tests install a recording sink instead.
// Called on the user-interface thread; never on the audio path.
#pragma once

#include <string>

namespace platform {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showError(const std::string& caption, const std::string& text) = 0;
};

void showErrorMessage(const std::string& caption, const std::string& text);
// Replaces where messages go (null restores the dialog); returns the previous sink.
MessageSink* setMessageSink(MessageSink* sink);

}  // namespace platform
