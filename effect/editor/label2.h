// A fixed text in the smallest font, black, left-aligned, with no background of its own.
#pragma once

#include <string>

#include "widgets/param_display.h"

class CLabel2 : public VSTGUI::CParamDisplay {
public:
    // `text` may be null: an empty label. At most 255 characters are kept.
    CLabel2(const VSTGUI::CRect& size, const char* text);
    ~CLabel2() override;

    void draw(VSTGUI::CDrawContext* context) override;

    const std::string& text() const { return label; }

private:
    std::string label;
};
