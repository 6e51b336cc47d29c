#include "widgets/param_display.h"

#include <cstdio>
#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/draw_context.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CParamDisplay(size, nullptr, 0, background, style) {}

CParamDisplay::CParamDisplay(const CRect& size, CControlListener* listener, int32_t tag,
                             CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style) {}

CParamDisplay::~CParamDisplay() = default;

bool CParamDisplay::isTypeOf(const char* className) const {
    return std::strcmp(className, "CParamDisplay") == 0 || CControl::isTypeOf(className);
}

void CParamDisplay::setFont(int32_t index) {
    fontIndex = index;
    setDirty(true);
}
void CParamDisplay::setFontColor(CColor colour) {
    fontColor = colour;
    setDirty(true);
}
void CParamDisplay::setBackColor(CColor colour) {
    backColor = colour;
    setDirty(true);
}
void CParamDisplay::setFrameColor(CColor colour) {
    frameColor = colour;
    setDirty(true);
}
void CParamDisplay::setShadowColor(CColor colour) {
    shadowColor = colour;
    setDirty(true);
}
void CParamDisplay::setHoriAlign(int32_t align) {
    horiTxtAlign = align;
    setDirty(true);
}
void CParamDisplay::setStringConvert(StringConvert converter) {
    stringConvert = converter;
    stringConvert2 = nullptr;
    setDirty(true);
}
void CParamDisplay::setStringConvert(StringConvertWithData converter, void* data) {
    stringConvert2 = converter;
    userData = data;
    stringConvert = nullptr;
    setDirty(true);
}
void CParamDisplay::setString2FloatConvert(TextToValueConvert converter, void* data) {
    string2FloatConvert = converter;
    string2FloatUserData = data;
}
void CParamDisplay::setStyle(int32_t newStyle) {
    style = newStyle;
    setDirty(true);
}
void CParamDisplay::setTxtFace(int32_t face) {
    txtFace = face;
    setDirty(true);
}
void CParamDisplay::setTextTransparency(bool transparent) {
    bTextTransparencyEnabled = transparent;
    setDirty(true);
}

std::string CParamDisplay::valueText() const {
    char text[kDisplayTextCapacity] = {};
    if (stringConvert2 != nullptr)
        stringConvert2(value, text, userData);
    else if (stringConvert != nullptr)
        stringConvert(value, text);
    else
        std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(value));
    text[kDisplayTextCapacity - 1] = '\0';
    return text;
}

void CParamDisplay::draw(CDrawContext* context) {
    if (!(style & kNoDrawStyle)) drawText(context, valueText(), pBackground);
    setDirty(false);
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text, CBitmap* background) {
    if ((style & kNoDrawStyle) || context == nullptr) return;
    if (background != nullptr) {
        if (bTransparencyEnabled)
            background->drawTransparent(context, size, backOffset);
        else
            background->draw(context, size, backOffset);
    } else if (!bTransparencyEnabled || !bTextTransparencyEnabled) {
        // Only a see-through view leaves its colour out, unless its text is opaque.
        context->setFillColor(backColor);
        context->fillRect(size);
        if (!(style & (k3DIn | k3DOut | kNoFrame))) {
            context->setFrameColor(frameColor);
            context->drawRect(size);
        }
    }
    if (style & (k3DIn | k3DOut)) {
        // Raised or sunk: top and left edges in one colour, bottom and right in the other.
        const CColor topLeft = (style & k3DIn) ? backColor : frameColor;
        const CColor bottomRight = (style & k3DIn) ? frameColor : backColor;
        context->setLineWidth(1);
        context->setFrameColor(topLeft);
        context->moveTo({size.left, size.bottom - 1});
        context->lineTo({size.left, size.top});
        context->lineTo({size.right - 1, size.top});
        context->setFrameColor(bottomRight);
        context->moveTo({size.right - 1, size.top});
        context->lineTo({size.right - 1, size.bottom - 1});
        context->lineTo({size.left, size.bottom - 1});
    }
    if (style & kNoTextStyle) return;
    context->setFont(fontIndex, txtFace);
    if (style & kShadowText) {
        CRect shadowBox = size;
        shadowBox.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadowBox, horiTxtAlign);
    }
    context->setFontColor(fontColor);
    context->drawString(text, size, horiTxtAlign);
}

}  // namespace VSTGUI
