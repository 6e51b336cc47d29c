// How controls report user changes: the editor implements this.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CDrawContext;
class CControl;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    // The control's value changed through the user.
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // Offered a press with modifier keys first; non-zero keeps the control from handling it.
    virtual int32_t controlModifierClicked(CDrawContext* /*context*/, CControl* /*control*/,
                                           int32_t /*buttons*/) {
        return 0;
    }
};

}  // namespace VSTGUI
