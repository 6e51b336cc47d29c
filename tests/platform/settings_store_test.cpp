#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "tests/support/temp_settings.h"

namespace {

using platform::Bytes;
using platform::SettingsStore;
using platform::SettingValues;

constexpr const char* kKey = "SOFTWARE\\Kytheral\\Calorvane20";

TEST(SettingsStore, KeysMapToFilesBelowTheRoot) {
    TempSettings settings;
    EXPECT_EQ(SettingsStore(kKey).file(), settings.path() / "Calorvane20.reg");
    EXPECT_EQ(SettingsStore("SOFTWARE\\Kytheral\\Calorvane20\\MemoA").file(),
              settings.path() / "Calorvane20" / "MemoA.reg");
    for (const char* bad : {"", "SOFTWARE\\Other\\X", "SOFTWARE\\Kytheral\\", "SOFTWARE\\Kytheral\\..",
                            "SOFTWARE\\Kytheral\\a\\..\\b", "SOFTWARE\\Kytheral\\a/b"})
        EXPECT_TRUE(SettingsStore(bad).file().empty()) << bad;
    EXPECT_FALSE(SettingsStore("SOFTWARE\\Kytheral\\..").writeString("x", "y"));
}

TEST(SettingsStore, WritesKeepOtherValuesAndRoundTrip) {
    TempSettings settings;
    const SettingsStore store(kKey);
    EXPECT_FALSE(store.readAll().has_value()) << "no key yet";
    ASSERT_TRUE(store.writeBinary("vuintegration", Bytes{0x00, 0x00, 0x00, 0x3f}));
    ASSERT_TRUE(store.writeString("name", "two\nlines \\ and = signs"));
    EXPECT_EQ(store.readBinary("vuintegration"), (Bytes{0x00, 0x00, 0x00, 0x3f}));
    EXPECT_EQ(store.readString("name"), "two\nlines \\ and = signs");
    EXPECT_FALSE(store.readString("vuintegration").has_value()) << "types are kept apart";
    EXPECT_FALSE(store.readBinary("missing").has_value());

    std::ifstream file(store.file());
    std::string first;
    std::getline(file, first);
    EXPECT_EQ(first, "name=string:two\\nlines \\\\ and = signs");
    EXPECT_FALSE(store.writeString("bad=name", "x"));
}

TEST(SettingsStore, DamagedLinesAreIgnored) {
    const SettingValues values = SettingsStore::parse(
        "good=binary:0a0B\n"
        "oddhex=binary:abc\n"
        "nothex=binary:zz\n"
        "noequals\n"
        "=binary:00\n"
        "unknown=float:1.0\n"
        "badescape=string:a\\qb\n"
        "text=string:fine\n"
        "\x01\xff garbage");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(std::get<Bytes>(values.at("good")), (Bytes{0x0a, 0x0b}));
    EXPECT_EQ(std::get<std::string>(values.at("text")), "fine");
}

TEST(SettingsStore, UnwritableRootFailsQuietly) {
    TempSettings settings;
    // A regular file where the folder should be: no user can create keys below it.
    const auto blocker = settings.path() / "blocker";
    std::ofstream(blocker) << "x";
    ::setenv("CALORVANE_SETTINGS_DIR", (blocker / "sub").c_str(), 1);
    EXPECT_FALSE(SettingsStore(kKey).writeString("a", "b"));
    EXPECT_FALSE(SettingsStore(kKey).readAll().has_value());
}

// Two processes rewrite the same key many times while a third reads it: every read sees a
// whole file with both values, never a torn or half-written one.
TEST(SettingsStore, ConcurrentWritersNeverTearTheFile) {
    TempSettings settings;
    const SettingsStore store(kKey);
    ASSERT_TRUE(store.write({{"first", Bytes{0, 0, 0, 0}}, {"second", Bytes{0, 0, 0, 0}}}));

    constexpr int kWrites = 300;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            const char* name = w == 0 ? "first" : "second";
            bool ok = true;
            for (int i = 0; i < kWrites; ++i)
                ok = store.writeBinary(name, Bytes{static_cast<std::uint8_t>(i), 1, 2, 3}) && ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    int completeReads = 0;
    int exitStatus[2] = {-1, -1};
    while (exitStatus[0] < 0 || exitStatus[1] < 0) {
        const auto values = store.readAll();
        ASSERT_TRUE(values.has_value());
        ASSERT_EQ(values->size(), 2u);
        for (const auto& entry : *values) ASSERT_EQ(std::get<Bytes>(entry.second).size(), 4u);
        ++completeReads;
        for (int w = 0; w < 2; ++w) {
            int status = 0;
            if (exitStatus[w] < 0 && ::waitpid(writers[w], &status, WNOHANG) == writers[w])
                exitStatus[w] = WIFEXITED(status) ? WEXITSTATUS(status) : 99;
        }
    }
    EXPECT_EQ(exitStatus[0], 0);
    EXPECT_EQ(exitStatus[1], 0);
    const auto last = store.readAll();
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(std::get<Bytes>(last->at("first"))[0], static_cast<std::uint8_t>(kWrites - 1));
    EXPECT_EQ(std::get<Bytes>(last->at("second"))[0], static_cast<std::uint8_t>(kWrites - 1));
    EXPECT_GT(completeReads, 0);
}

}  // namespace
