// Checks the embedded editor bitmaps against the sizes the editor layout expects, and that the
// pictures move the way the controls read them.

#include "resources/bitmap_resources.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct PngReader {
    const unsigned char* next;
    std::size_t left;
};

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (length > reader->left) return CAIRO_STATUS_READ_ERROR;
    std::copy(reader->next, reader->next + length, data);
    reader->next += length;
    reader->left -= length;
    return CAIRO_STATUS_SUCCESS;
}

// A decoded bitmap; pixels as 0x00RRGGBB.
class Picture {
public:
    explicit Picture(const EmbeddedBitmap& bitmap) {
        PngReader reader{bitmap.png, bitmap.pngSize};
        surface_.reset(cairo_image_surface_create_from_png_stream(readPng, &reader));
    }
    bool ok() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface_.get()); }
    int height() const { return cairo_image_surface_get_height(surface_.get()); }
    std::uint32_t pixel(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                                   y * cairo_image_surface_get_stride(surface_.get());
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
    }

private:
    SurfacePtr surface_;
};

Picture load(int id) {
    const EmbeddedBitmap* bitmap = findEmbeddedBitmap(id);
    if (bitmap == nullptr) ADD_FAILURE() << "bitmap " << id << " is missing";
    static const unsigned char kNothing[1] = {0};
    return Picture(bitmap != nullptr ? *bitmap : EmbeddedBitmap{id, 0, 0, kNothing, 0});
}

int channelDistance(std::uint32_t a, std::uint32_t b) {
    int total = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        total +=
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return total;
}

struct Cell {
    int left;
    int top;
    int width;
    int height;
};

// Sum of colour differences between two cells of one picture.
long cellDifference(const Picture& picture, Cell a, Cell b) {
    long total = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            total += channelDistance(picture.pixel(a.left + x, a.top + y),
                                     picture.pixel(b.left + x, b.top + y));
        }
    }
    return total;
}

// Sizes from the editor's bitmap tables: id, width, height, frame count, frame height.
struct ExpectedBitmap {
    int id;
    int width;
    int height;
    int frames;
    int frameHeight;
};

constexpr ExpectedBitmap kExpected[] = {
    {19000, 450, 460, 1, 460},   {19002, 450, 445, 1, 445},   {19003, 136, 7070, 101, 70},
    {19004, 136, 7070, 101, 70}, {19005, 40, 150, 3, 50},     {19006, 40, 100, 2, 50},
    {19008, 60, 5050, 101, 50},  {19009, 1243, 930, 101, 93}, {19010, 60, 5656, 101, 56},
    {19012, 60, 5656, 101, 56},  {19013, 60, 5050, 101, 50},  {19014, 36, 80, 2, 40},
    {19015, 36, 80, 2, 40},      {19016, 51, 192, 4, 48},     {19017, 38, 80, 2, 40},
    {19018, 130, 58, 1, 58},     {19019, 130, 58, 1, 58},     {19020, 88, 22, 1, 22},
    {19021, 9, 306, 18, 17},     {19024, 60, 5656, 101, 56},  {19026, 21, 126, 6, 21},
    {19032, 30, 1530, 51, 30},   {19033, 15, 58, 2, 29},      {19034, 38, 80, 2, 40},
    {19035, 25, 50, 2, 25},      {19036, 25, 50, 2, 25},      {19037, 25, 50, 2, 25},
    {19100, 450, 460, 1, 460},   {19114, 36, 80, 2, 40},      {19991, 12, 56, 4, 14},
    {19992, 12, 56, 4, 14},      {19993, 12, 56, 4, 14},      {19994, 12, 56, 4, 14},
    {19995, 12, 56, 4, 14},      {19996, 12, 56, 4, 14},      {19997, 31, 70, 5, 14},
    {19998, 12, 56, 4, 14},      {19999, 12, 56, 4, 14},
};

// Frame k of a vertical strip.
Cell stripFrame(const ExpectedBitmap& expected, int frame) {
    return Cell{0, frame * expected.frameHeight, expected.width, expected.frameHeight};
}

const ExpectedBitmap& expectedFor(int id) {
    for (const ExpectedBitmap& expected : kExpected) {
        if (expected.id == id) return expected;
    }
    std::abort();
}

TEST(BitmapResources, EveryBitmapDecodesAtItsListedSize) {
    for (const ExpectedBitmap& expected : kExpected) {
        SCOPED_TRACE(expected.id);
        const EmbeddedBitmap* bitmap = findEmbeddedBitmap(expected.id);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->id, expected.id);
        EXPECT_EQ(bitmap->width, expected.width);
        EXPECT_EQ(bitmap->height, expected.height);
        const Picture picture(*bitmap);
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(picture.width(), expected.width);
        EXPECT_EQ(picture.height(), expected.height);
        if (expected.id != 19009) {  // the grid knob fills columns
            EXPECT_EQ(expected.frames * expected.frameHeight, expected.height);
        }
    }
}

TEST(BitmapResources, UnknownIdsAreAbsent) {
    for (int id : {0, -1, 19001, 19007, 19011, 19022, 19101, 19990, 20000}) {
        EXPECT_EQ(findEmbeddedBitmap(id), nullptr) << id;
    }
}

TEST(BitmapResources, EveryFrameOfAStripShowsSomethingNew) {
    // Toggles, switches, the lever, LEDs and preset-bar buttons: each frame differs from the
    // one before, otherwise a state change would be invisible.
    for (int id : {19005, 19006, 19014, 19015, 19016, 19017, 19026, 19033, 19034, 19035, 19036,
                   19037, 19114, 19991, 19992, 19993, 19994, 19995, 19996, 19997, 19998, 19999}) {
        SCOPED_TRACE(id);
        const ExpectedBitmap& expected = expectedFor(id);
        const Picture picture = load(id);
        ASSERT_TRUE(picture.ok());
        // The fourth arrow frame (dimmed) is unused by the load/save buttons but still drawn.
        for (int frame = 1; frame < expected.frames; ++frame) {
            EXPECT_GT(cellDifference(picture, stripFrame(expected, frame - 1),
                                     stripFrame(expected, frame)),
                      100)
                << "frame " << frame;
        }
    }
}

// How much the picture changed from frame `reference` in the lower-left and lower-right
// quarters of a small disc around the knob's centre, where only the pointer moves.
struct SideChange {
    long lowerLeft = 0;
    long lowerRight = 0;
};

SideChange pointerChange(const Picture& picture, Cell frame, Cell reference) {
    SideChange change;
    const double centreX = frame.width * 0.5;
    const double centreY = frame.height * 0.5;
    const double radius = 0.2 * std::min(frame.width, frame.height);
    for (int y = static_cast<int>(centreY) + 2; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const double dx = x + 0.5 - centreX;
            const double dy = y + 0.5 - centreY;
            if (std::hypot(dx, dy) > radius || std::abs(dx) < 2) continue;
            const int distance =
                channelDistance(picture.pixel(frame.left + x, frame.top + y),
                                picture.pixel(reference.left + x, reference.top + y));
            (dx < 0 ? change.lowerLeft : change.lowerRight) += distance;
        }
    }
    return change;
}

Cell gridFrame(int frame) {
    // Frames fill columns of ten 113 x 93 cells.
    return Cell{(frame / 10) * 113, (frame % 10) * 93, 113, 93};
}

TEST(BitmapResources, KnobPointerSweepsFromLowerLeftToLowerRight) {
    for (int id : {19008, 19009, 19010, 19012, 19013, 19024, 19032}) {
        SCOPED_TRACE(id);
        const ExpectedBitmap& expected = expectedFor(id);
        const Picture picture = load(id);
        ASSERT_TRUE(picture.ok());
        const int last = expected.frames - 1;
        auto frameCell = [&](int frame) {
            return id == 19009 ? gridFrame(frame) : stripFrame(expected, frame);
        };
        // Against the middle frame (pointer straight up), the minimum shows the pointer at
        // 7:30 and the maximum at 4:30.
        const SideChange minimum = pointerChange(picture, frameCell(0), frameCell(last / 2));
        const SideChange maximum = pointerChange(picture, frameCell(last), frameCell(last / 2));
        EXPECT_GT(minimum.lowerLeft, 4 * minimum.lowerRight + 200);
        EXPECT_GT(maximum.lowerRight, 4 * maximum.lowerLeft + 200);
    }
}

TEST(BitmapResources, GridKnobLastFrameSitsAloneAtTheTopOfTheLastColumn) {
    const Picture picture = load(19009);
    ASSERT_TRUE(picture.ok());
    // The cell of frame 100 shows a knob; the cells below it show no frame at all, so they
    // differ from it and from frame 99 at the bottom of the column before.
    EXPECT_GT(cellDifference(picture, gridFrame(100), Cell{1130, 93, 113, 93}), 10000);
    EXPECT_GT(cellDifference(picture, gridFrame(99), Cell{1130, 837, 113, 93}), 10000);
    EXPECT_LT(cellDifference(picture, gridFrame(100), gridFrame(99)),
              cellDifference(picture, gridFrame(100), gridFrame(0)));
}

long litAmount(const Picture& picture, Cell cell) {
    long lit = 0;
    const std::uint32_t background = picture.pixel(cell.left, cell.top);
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            lit += channelDistance(picture.pixel(cell.left + x, cell.top + y), background);
        }
    }
    return lit;
}

TEST(BitmapResources, ReadOutBlankGlyphIsEmptyAndTheOthersAreNot) {
    const ExpectedBitmap& expected = expectedFor(19021);
    const Picture picture = load(19021);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(litAmount(picture, stripFrame(expected, 17)), 0);
    for (int code = 0; code < 17; ++code) {
        EXPECT_GT(litAmount(picture, stripFrame(expected, code)), 500) << "glyph " << code;
    }
    // More segments light more glass: 8 is the fullest digit, 1 the emptiest, and the minus
    // sign shows less than the plus sign.
    for (int digit : {0, 2, 3, 4, 5, 6, 7, 9}) {
        EXPECT_GT(litAmount(picture, stripFrame(expected, 8)),
                  litAmount(picture, stripFrame(expected, digit)));
        EXPECT_GT(litAmount(picture, stripFrame(expected, digit)),
                  litAmount(picture, stripFrame(expected, 1)));
    }
    EXPECT_GT(litAmount(picture, stripFrame(expected, 12)),
              litAmount(picture, stripFrame(expected, 13)));
}

int luminance(std::uint32_t pixel) {
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
}

// Horizontal centre (0 left .. 1 right) of what became darker from `reference` to `frame`
// above the pivot housing along the bottom edge: where the dark needle has arrived.
double darkeningCentre(const Picture& picture, Cell frame, Cell reference) {
    double weighted = 0.0;
    double total = 0.0;
    for (int y = 0; y < frame.height - 14; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const int darkening = luminance(picture.pixel(reference.left + x, reference.top + y)) -
                                  luminance(picture.pixel(frame.left + x, frame.top + y));
            if (darkening < 60) continue;
            weighted += static_cast<double>(darkening) * x;
            total += darkening;
        }
    }
    return total > 0 ? weighted / total / frame.width : -1.0;
}

TEST(BitmapResources, MeterNeedleMovesLeftToRightAcrossTheFrames) {
    for (int id : {19003, 19004}) {
        SCOPED_TRACE(id);
        const ExpectedBitmap& expected = expectedFor(id);
        const Picture picture = load(id);
        ASSERT_TRUE(picture.ok());
        // Against the resting frame 2 (level 0), the needle at frame k lies further right the
        // larger k is, and crosses the middle at frame 50.
        double previous = 0.0;
        for (int frame : {20, 40, 50, 60, 80, 100}) {
            const double centre =
                darkeningCentre(picture, stripFrame(expected, frame), stripFrame(expected, 2));
            EXPECT_GT(centre, previous) << "frame " << frame;
            if (frame == 50) {
                EXPECT_NEAR(centre, 0.5, 0.05);
            }
            previous = centre;
        }
    }
    // The two scales are printed differently.
    const Picture standard = load(19003);
    const Picture alternate = load(19004);
    ASSERT_TRUE(standard.ok() && alternate.ok());
    long difference = 0;
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 136; ++x) {
            difference += channelDistance(standard.pixel(x, y), alternate.pixel(x, y));
        }
    }
    EXPECT_GT(difference, 5000);
}

double redness(const Picture& picture, Cell cell) {
    double total = 0.0;
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            const std::uint32_t pixel = picture.pixel(cell.left + x, cell.top + y);
            total += static_cast<double>((pixel >> 16) & 0xFF) - ((pixel >> 8) & 0xFF);
        }
    }
    return total;
}

TEST(BitmapResources, OverLedGetsRedderFrameByFrame) {
    const ExpectedBitmap& expected = expectedFor(19026);
    const Picture picture = load(19026);
    ASSERT_TRUE(picture.ok());
    for (int frame = 1; frame < expected.frames; ++frame) {
        EXPECT_GT(redness(picture, stripFrame(expected, frame)),
                  redness(picture, stripFrame(expected, frame - 1)) + 100)
            << "frame " << frame;
    }
}

TEST(BitmapResources, ClassicBuildHasItsOwnBackgroundAndProcessButton) {
    for (auto [mainId, classicId] : {std::pair{19000, 19100}, std::pair{19014, 19114}}) {
        const Picture main = load(mainId);
        const Picture classic = load(classicId);
        ASSERT_TRUE(main.ok() && classic.ok());
        const Cell whole{0, 0, main.width(), main.height()};
        long difference = 0;
        for (int y = 0; y < whole.height; ++y) {
            for (int x = 0; x < whole.width; ++x) {
                difference += channelDistance(main.pixel(x, y), classic.pixel(x, y));
            }
        }
        EXPECT_GT(difference, 1000) << mainId << " and " << classicId;
    }
}

}  // namespace
