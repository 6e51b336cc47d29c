// calorvane-presets end to end.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/temp_settings.h"

namespace {

namespace fs = std::filesystem;

int run(const std::string& arguments, const fs::path& log) {
    const std::string command =
        std::string("\"") + CALORVANE_PRESETS + "\" " + arguments + " >\"" + log.string() + "\" 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string text(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PresetsTool, WritesTheFactorySetAndShowsIt) {
    TempSettings settings;
    const fs::path log = settings.path() / "log";
    const fs::path bank = settings.path() / "factory.kyb";
    const fs::path preset = settings.path() / "guitar.kyt";
    ASSERT_EQ(run("factory-bank \"" + bank.string() + "\"", log), 0) << text(log);
    EXPECT_EQ(fs::file_size(bank), 5957u);
    ASSERT_EQ(run("factory-preset 19 \"" + preset.string() + "\"", log), 0) << text(log);
    EXPECT_EQ(fs::file_size(preset), 197u);

    ASSERT_EQ(run("show \"" + preset.string() + "\"", log), 0);
    const std::string shown = text(log);
    EXPECT_NE(shown.find("\"Guitar Track\""), std::string::npos);
    EXPECT_NE(shown.find("Drive        0.800000  14.40 dB"), std::string::npos) << shown;
    ASSERT_EQ(run("show \"" + bank.string() + "\"", log), 0);
    EXPECT_NE(text(log).find("31 records"), std::string::npos);
    EXPECT_NE(text(log).find("\"Track Tape Fast\""), std::string::npos);
}

TEST(PresetsTool, ErrorsExitWithTwo) {
    TempSettings settings;
    const fs::path log = settings.path() / "log";
    std::ofstream(settings.path() / "junk.kyt") << "not a preset";
    EXPECT_EQ(run("show \"" + (settings.path() / "junk.kyt").string() + "\"", log), 2);
    EXPECT_NE(text(log).find("Error #01: Invalid preset file!"), std::string::npos);
    EXPECT_EQ(run("show \"" + (settings.path() / "missing.kyt").string() + "\"", log), 2);
    EXPECT_EQ(run("factory-preset 31 out.kyt", log), 2);
    EXPECT_EQ(run("factory-bank /nonexistent/folder/out.kyb", log), 2);
    EXPECT_NE(text(log).find("Could not save the file!"), std::string::npos);
    EXPECT_EQ(run("frobnicate", log), 2);
}

}  // namespace
