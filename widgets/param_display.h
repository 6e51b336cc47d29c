// A control that shows its value as text: through a converter, else as "%2.2f"; over its
// background bitmap or colour, in one of the toolkit's fonts.
#pragma once

#include <string>

#include "widgets/control.h"
#include "widgets/font_table.h"

namespace VSTGUI {

// Style bits of displays and the controls built on them.
enum CParamDisplayStyle : int32_t {
    kShadowText = 1 << 2,
    k3DIn = 1 << 7,
    k3DOut = 1 << 8,
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
    kDoubleClickStyle = 1 << 13,
    kNoFrame = 1 << 14,
};

using StringConvert = void (*)(float value, char* text);
using StringConvertWithData = void (*)(float value, char* text, void* userData);
using TextToValueConvert = bool (*)(const char* text, float& value, void* userData);

// Converters write at most this many bytes, terminator included.
inline constexpr int kDisplayTextCapacity = 256;

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    CParamDisplay(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                  int32_t style);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;

    virtual void setFont(int32_t fontIndex);
    virtual int32_t getFont() const { return fontIndex; }
    virtual void setFontColor(CColor colour);
    virtual CColor getFontColor() const { return fontColor; }
    virtual void setBackColor(CColor colour);
    virtual CColor getBackColor() const { return backColor; }
    virtual void setFrameColor(CColor colour);
    virtual CColor getFrameColor() const { return frameColor; }
    virtual void setShadowColor(CColor colour);
    virtual CColor getShadowColor() const { return shadowColor; }
    virtual void setHoriAlign(int32_t align);
    virtual void setStringConvert(StringConvert converter);
    virtual void setStringConvert(StringConvertWithData converter, void* userData);
    virtual void setString2FloatConvert(TextToValueConvert converter, void* userData = nullptr);
    virtual void setStyle(int32_t newStyle);
    virtual int32_t getStyle() const { return style; }
    virtual void setTxtFace(int32_t face);
    virtual int32_t getTxtFace() const { return txtFace; }
    virtual void setTextTransparency(bool transparent);

    int32_t getHoriAlign() const { return horiTxtAlign; }
    bool getTextTransparency() const { return bTextTransparencyEnabled; }
    // The text the display shows for its value.
    std::string valueText() const;

protected:
    // The background (bitmap at the back offset, or colour and frame), then the text.
    void drawText(CDrawContext* context, const std::string& text, CBitmap* background);

    int32_t fontIndex = kNormalFontSmall;
    int32_t txtFace = kNormalFace;
    int32_t horiTxtAlign = kCenterText;
    int32_t style;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = {255, 0, 0, 255};
    bool bTextTransparencyEnabled = true;
    StringConvert stringConvert = nullptr;
    StringConvertWithData stringConvert2 = nullptr;
    void* userData = nullptr;
    TextToValueConvert string2FloatConvert = nullptr;
    void* string2FloatUserData = nullptr;
};

}  // namespace VSTGUI
