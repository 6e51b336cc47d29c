// The message layer's run-time path, with a stand-in zenity on PATH: no real dialog appears.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/message_box.h"
#include "tests/support/temp_settings.h"

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : variable(name) {
        if (const char* old = std::getenv(name)) previous = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (previous)
            ::setenv(variable.c_str(), previous->c_str(), 1);
        else
            ::unsetenv(variable.c_str());
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string variable;
    std::optional<std::string> previous;
};

std::string text(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ErrorMessagesTest : public ::testing::Test {
protected:
    // A zenity that writes its arguments, one a line, and exits with `exitCode`.
    void installZenity(int exitCode) {
        const fs::path script = folder.path() / "zenity";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" << arguments.string() << "\"\nexit "
                              << exitCode << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }

    TempSettings folder;
    fs::path arguments = folder.path() / "arguments";
    ScopedVariable path{"PATH", folder.path().c_str()};
    ScopedVariable wayland{"WAYLAND_DISPLAY", nullptr};
};

TEST_F(ErrorMessagesTest, AConfirmedDialogCarriesCaptionAndTextAsPlainText) {
    const ScopedVariable display("DISPLAY", ":7");
    installZenity(0);
    ::testing::internal::CaptureStderr();
    platform::showErrorMessage("Error...", "Not a bank file! <b>");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(text(arguments), "--error\n--no-markup\n--title=Error...\n--text=Not a bank file! <b>\n");
}

TEST_F(ErrorMessagesTest, StandardErrorWhenNoDialogCanBeShown) {
    struct Case {
        const char* display;
        int zenityExit;  // -1: no zenity installed
    };
    const Case cases[] = {{":7", 1}, {":7", -1}, {nullptr, 0}};
    for (const Case& c : cases) {
        const ScopedVariable display("DISPLAY", c.display);
        fs::remove(folder.path() / "zenity");
        fs::remove(arguments);
        if (c.zenityExit >= 0) installZenity(c.zenityExit);
        ::testing::internal::CaptureStderr();
        platform::showErrorMessage("Error...", "Error #01: Invalid preset file!");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error... Error #01: Invalid preset file!\n")
            << (c.display ? c.display : "no display") << " " << c.zenityExit;
        if (c.display == nullptr) {
            EXPECT_FALSE(fs::exists(arguments)) << "no dialog is tried without a display";
        }
    }
}

}  // namespace
