#include "widgets/vertical_switch.h"

#include <cmath>
#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/mouse_buttons.h"

namespace VSTGUI {

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                 int32_t subPixmaps, int32_t heightOfOneImage, int32_t positions,
                                 CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background),
      offset(offset),
      subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage),
      positions(positions) {}

CVerticalSwitch::~CVerticalSwitch() = default;

bool CVerticalSwitch::isTypeOf(const char* className) const {
    return std::strcmp(className, "CVerticalSwitch") == 0 || CControl::isTypeOf(className);
}

void CVerticalSwitch::draw(CDrawContext* context) {
    CPoint source = offset;
    const auto frame = static_cast<int32_t>((positions - 1) * value + 0.5f);
    source.y += frame * heightOfOneImage;
    drawStripFrame(context, pBackground, source);
    setDirty(false);
}

void CVerticalSwitch::mouse(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!bMouseEnabled || positions < 2 || heightOfOneImage <= 0) return;
    if (buttons == -1) buttons = getMouseButtons();
    if (!(buttons & kLButton)) return;
    const double pixelsPerPosition = static_cast<double>(heightOfOneImage) / positions;
    beginEdit();
    do {
        value = static_cast<float>(std::floor((where.y - size.top) / pixelsPerPosition) /
                                   (positions - 1));
        if (value > 1)
            value = 1;
        else if (value < 0)
            value = 0;
        if (isDirty() && listener != nullptr) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdleStuff();
    } while (getMouseButtons() == buttons);
    endEdit();
}

}  // namespace VSTGUI
