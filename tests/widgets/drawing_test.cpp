// Drawing with no X server: bitmaps (plain, colour-keyed, alpha), displays and a whole frame.
#include <gtest/gtest.h>

#include "tests/widgets/widget_fixture.h"
#include "widgets/param_display.h"
#include "widgets/view_container.h"

using namespace VSTGUI;

namespace {

platform::Image twoColourImage() {
    // Left half white (the default transparent colour), right half blue.
    platform::Image image(20, 10);
    platform::Painter painter(image);
    painter.fillRect({0, 0, 10, 10}, {255, 255, 255, 255});
    painter.fillRect({10, 0, 20, 10}, {0, 0, 255, 255});
    return image;
}

TEST(Bitmap, PlainKeyedAndAlphaCopies) {
    auto* bitmap = new CBitmap(twoColourImage());
    platform::Image target(40, 10);
    {
        CDrawContext context(nullptr, target);
        context.setFillColor({255, 0, 0, 255});
        context.fillRect({0, 0, 40, 10});
        bitmap->draw(&context, CRect(0, 0, 20, 10));
        bitmap->drawTransparent(&context, CRect(20, 0, 40, 10));
    }
    EXPECT_EQ(target.pixel(5, 5), (platform::Rgba{255, 255, 255, 255}));
    EXPECT_EQ(target.pixel(25, 5), (platform::Rgba{255, 0, 0, 255}))
        << "the transparent colour is left out";
    EXPECT_EQ(target.pixel(35, 5), (platform::Rgba{0, 0, 255, 255}));
    {
        CDrawContext context(nullptr, target);
        bitmap->drawAlphaBlend(&context, CRect(0, 0, 20, 10), CPoint(10, 0), 128);
    }
    const platform::Rgba blended = target.pixel(5, 5);
    EXPECT_NEAR(blended.red, 127, 2);
    EXPECT_NEAR(blended.blue, 255, 2);

    bitmap->setTransparentColor({0, 0, 255, 0});
    {
        CDrawContext context(nullptr, target);
        context.setFillColor({0, 255, 0, 255});
        context.fillRect({0, 0, 40, 10});
        bitmap->drawTransparent(&context, CRect(0, 0, 20, 10));
    }
    EXPECT_EQ(target.pixel(15, 5).green, 255) << "a new transparent colour takes effect";
    EXPECT_EQ(target.pixel(5, 5).red, 255);
    bitmap->forget();
}

TEST(Bitmap, UnknownResourceIsEmptyAndDrawsNothing) {
    auto* missing = new CBitmap(4711);
    EXPECT_EQ(missing->getWidth(), 0);
    EXPECT_EQ(missing->getHeight(), 0);
    platform::Image target(10, 10);
    CDrawContext context(nullptr, target);
    missing->draw(&context, CRect(0, 0, 10, 10));
    EXPECT_EQ(target.pixel(5, 5).alpha, 0);
    missing->forget();
    EXPECT_TRUE(
        platform::Image::fromPng(reinterpret_cast<const unsigned char*>("not a png"), 9).empty());
}

TEST(Bitmap, EmbeddedResourceLoadsWithItsSize) {
    auto* background = new CBitmap(19000);
    if (!background->isLoaded()) {
        background->forget();
        GTEST_SKIP() << "built without the editor bitmaps";
    }
    EXPECT_EQ(background->getWidth(), 450);
    EXPECT_EQ(background->getHeight(), 460);
    background->forget();
}

TEST(ParamDisplay, DefaultTextConverterAndStyles) {
    CParamDisplay display(CRect(0, 0, 60, 16));
    display.setValue(0.5f);
    EXPECT_EQ(display.valueText(), "0.50");
    display.setStringConvert([](float value, char* text) {
        std::snprintf(text, 256, "%d dB", static_cast<int>(value * 10));
    });
    EXPECT_EQ(display.valueText(), "5 dB");

    display.setTextTransparency(false);
    display.setBackColor({0, 0, 200, 255});
    display.setFrameColor({200, 0, 0, 255});
    display.setFontColor({255, 255, 255, 255});
    platform::Image target(60, 16);
    {
        CDrawContext context(nullptr, target);
        display.draw(&context);
    }
    EXPECT_EQ(target.pixel(0, 0), (platform::Rgba{200, 0, 0, 255})) << "frame";
    EXPECT_EQ(target.pixel(2, 2), (platform::Rgba{0, 0, 200, 255})) << "background";
    int lit = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 16; ++y)
            lit += target.pixel(x, y).red > 150 && target.pixel(x, y).blue > 150 ? 1 : 0;
    EXPECT_GT(lit, 10) << "the text is drawn in white";

    display.setStyle(kNoDrawStyle);
    platform::Image untouched(60, 16);
    {
        CDrawContext context(nullptr, untouched);
        display.draw(&context);
    }
    EXPECT_EQ(untouched.pixel(2, 2).alpha, 0);
    EXPECT_FALSE(display.isDirty());
}

TEST(ParamDisplay, WithoutABitmapTheBackgroundColourAndFrameAreDrawn) {
    // Text transparency is on by default; it does not leave out the background.
    CParamDisplay display(CRect(0, 0, 60, 16));
    ASSERT_TRUE(display.getTextTransparency());
    display.setBackColor({0, 0, 200, 255});
    display.setFrameColor({200, 0, 0, 255});
    display.setStyle(kNoTextStyle);
    platform::Image target(60, 16);
    {
        CDrawContext context(nullptr, target);
        display.draw(&context);
    }
    EXPECT_EQ(target.pixel(0, 0), (platform::Rgba{200, 0, 0, 255})) << "frame";
    EXPECT_EQ(target.pixel(30, 8), (platform::Rgba{0, 0, 200, 255})) << "background";
}

TEST(OffscreenFrame, DrawsChildrenInOrderWithContainerOffsets) {
    CFrame frame(CRect(0, 0, 100, 80), std::unique_ptr<platform::PlatformWindow>(), nullptr);
    frame.setBackgroundColor({10, 10, 10, 255});
    auto* panel = new CViewContainer(CRect(20, 20, 80, 60), &frame);
    panel->setBackgroundColor({0, 100, 0, 255});
    auto* below = new CParamDisplay(CRect(0, 0, 30, 20));
    below->setTextTransparency(false);
    below->setStyle(kNoTextStyle | kNoFrame);
    below->setBackColor({200, 0, 0, 255});
    auto* above = new CParamDisplay(CRect(10, 10, 40, 30));
    above->setTextTransparency(false);
    above->setStyle(kNoTextStyle | kNoFrame);
    above->setBackColor({0, 0, 200, 255});
    panel->addView(below);
    panel->addView(above);
    frame.addView(panel);

    const platform::Image picture = frame.drawToImage();
    EXPECT_EQ(picture.pixel(5, 5).red, 10) << "frame background";
    EXPECT_EQ(picture.pixel(75, 55).green, 100) << "panel background";
    EXPECT_EQ(picture.pixel(22, 22).red, 200) << "first child, moved by the panel's corner";
    EXPECT_EQ(picture.pixel(35, 35).blue, 200) << "later children lie on top";
    EXPECT_FALSE(frame.isOpen());
}

TEST(OffscreenContext, MemoryPictureCopiedToAnotherContext) {
    COffscreenContext offscreen(nullptr, 10, 10, {0, 0, 180, 255});
    offscreen.setFillColor({180, 0, 0, 255});
    offscreen.fillRect(CRect(5, 0, 10, 10));
    platform::Image target(30, 10);
    CDrawContext context(nullptr, target);
    offscreen.copyFrom(&context, CRect(20, 0, 30, 10), CPoint(0, 0));
    EXPECT_EQ(target.pixel(22, 5).blue, 180) << "background colour";
    EXPECT_EQ(target.pixel(27, 5).red, 180);
    EXPECT_EQ(target.pixel(5, 5).alpha, 0) << "nothing outside the destination";
}

TEST(Fonts, TableOfEightHeights) {
    const int heights[] = {12, 18, 14, 12, 11, 10, 9, 13};
    for (std::size_t i = 0; i < kFontTable.size(); ++i)
        EXPECT_EQ(kFontTable[i].pixelHeight, heights[i]);
    EXPECT_TRUE(kFontTable[0].alwaysBold);
    EXPECT_TRUE(kFontTable[7].symbolFace);
}

TEST(Text, InvalidUtf8IsDrawnAsLatin1) {
    platform::Image target(80, 20);
    platform::Painter painter(target);
    painter.drawText("Caf\xe9", {0, 0, 80, 20}, {14, false, false, false, false},
                     {255, 255, 255, 255}, platform::TextAlign::Left);
    // The painter still works after such a text.
    painter.fillRect({70, 0, 80, 20}, {0, 255, 0, 255});
    EXPECT_EQ(target.pixel(75, 10).green, 255);
    int lit = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 20; ++y) lit += target.pixel(x, y).alpha > 128 ? 1 : 0;
    EXPECT_GT(lit, 20);
}

TEST(Text, NearlyUtf8BytesDoNotStopTheDrawing) {
    // Each looks like a UTF-8 sequence but is one cairo refuses.
    const char* const texts[] = {
        "A\xc0\x80",          // overlong zero
        "A\xc1\xbf",          // overlong two-byte form
        "A\xe0\x80\x80",      // overlong three-byte form
        "A\xed\xa0\x80",      // surrogate
        "A\xf4\x90\x80\x80",  // beyond U+10FFFF
        "A\xf7\xbf\xbf\xbf",  // beyond U+10FFFF
    };
    for (const char* text : texts) {
        platform::Image target(80, 20);
        platform::Painter painter(target);
        painter.drawText(text, {0, 0, 60, 20}, {14, false, false, false, false},
                         {255, 255, 255, 255}, platform::TextAlign::Left);
        painter.fillRect({70, 0, 80, 20}, {0, 255, 0, 255});
        EXPECT_EQ(target.pixel(75, 10).green, 255) << "after " << text + 1;
    }
}

}  // namespace
