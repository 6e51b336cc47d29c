// The toolkit's eight fonts by index: pixel height and face; index 0 is always bold.
#pragma once

#include <array>

namespace VSTGUI {

struct FontEntry {
    int pixelHeight;
    bool symbolFace;
    bool alwaysBold;
};

inline constexpr std::array<FontEntry, 8> kFontTable{{
    {12, false, true},
    {18, false, false},
    {14, false, false},
    {12, false, false},
    {11, false, false},
    {10, false, false},
    {9, false, false},
    {13, true, false},
}};

enum CFont {
    kSystemFont,
    kNormalFontVeryBig,
    kNormalFontBig,
    kNormalFont,
    kNormalFontSmall,
    kNormalFontSmaller,
    kNormalFontVerySmall,
    kSymbolFont
};

// Text face bits.
enum CTxtFace { kNormalFace = 0, kBoldFace = 1, kItalicFace = 2, kUnderlineFace = 4 };

enum CHoriTxtAlign { kLeftText = 0, kCenterText = 1, kRightText = 2 };

}  // namespace VSTGUI
