#include "effect/editor/label2.h"

#include <cstring>

#include "widgets/draw_context.h"

using namespace VSTGUI;

CLabel2::CLabel2(const CRect& size, const char* text)
    : CParamDisplay(size),
      label(text != nullptr ? std::string(text, strnlen(text, 255)) : std::string()) {
    setDirty(true);
}

CLabel2::~CLabel2() = default;

void CLabel2::draw(CDrawContext* context) {
    if (context != nullptr) {
        context->setFont(kNormalFontVerySmall, kNormalFace);
        context->setFontColor(kBlackCColor);
        context->drawString(label, size, kLeftText);
    }
    setDirty(false);
}
