// calorvane-snapshot end to end: one PNG per embedded bitmap at its own size, and a frame of
// controls that really shows the controls on the background.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "resources/embedded_bitmap_table.h"
#include "tests/support/temp_settings.h"

namespace {

namespace fs = std::filesystem;
namespace resources = calorvane::resources;

int run(const std::string& arguments, const fs::path& log) {
    const std::string command = std::string("\"") + CALORVANE_SNAPSHOT + "\" " + arguments +
                                " >\"" + log.string() + "\" 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct PngSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Width and height from the IHDR chunk, which a PNG must start with.
PngSize pngSize(const std::string& png) {
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0 || png.compare(12, 4, "IHDR") != 0)
        return {};
    auto bigEndian = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(png[at + i]);
        return value;
    };
    return {bigEndian(16), bigEndian(20)};
}

TEST(SnapshotTool, WritesEveryBitmapAtItsSizeAndAFrameOfControls) {
    TempSettings scratch;
    const fs::path folder = scratch.path() / "snapshot";
    const fs::path log = scratch.path() / "log";
    ASSERT_EQ(run("\"" + folder.string() + "\"", log), 0) << bytes(log);

    ASSERT_GT(resources::kEmbeddedBitmapCount, 30u);
    for (std::size_t i = 0; i < resources::kEmbeddedBitmapCount; ++i) {
        const auto& bitmap = resources::kEmbeddedBitmaps[i];
        const fs::path png = folder / ("bitmap-" + std::to_string(bitmap.id) + ".png");
        const PngSize size = pngSize(bytes(png));
        EXPECT_EQ(size.width, static_cast<std::uint32_t>(bitmap.width)) << png;
        EXPECT_EQ(size.height, static_cast<std::uint32_t>(bitmap.height)) << png;
    }
    const std::string controls = bytes(folder / "controls.png");
    const PngSize size = pngSize(controls);
    EXPECT_EQ(size.width, 450u);
    EXPECT_EQ(size.height, 460u);
    EXPECT_NE(controls, bytes(folder / "bitmap-19000.png")) << "no control reached the picture";
}

TEST(SnapshotTool, BadArgumentsAndUnwritableFolders) {
    TempSettings scratch;
    const fs::path log = scratch.path() / "log";
    EXPECT_EQ(run("", log), 2);
    EXPECT_NE(bytes(log).find("usage: calorvane-snapshot <output folder>"), std::string::npos);
    EXPECT_EQ(run("\"\"", log), 2);
    EXPECT_EQ(run("one two", log), 2);

    std::ofstream(scratch.path() / "plain-file") << "x";
    EXPECT_EQ(run("\"" + (scratch.path() / "plain-file").string() + "\"", log), 1);
    EXPECT_EQ(run("\"" + (scratch.path() / "missing" / "deeper").string() + "\"", log), 1);
    EXPECT_NE(bytes(log).find("cannot create"), std::string::npos) << bytes(log);
}

}  // namespace
