// The buttons argument of mouse calls: mouse buttons and modifier keys as bits.
#pragma once

#include "platform/platform_window.h"

namespace VSTGUI {

enum CButton : int {
    kLButton = platform::kLeftButton,
    kMButton = platform::kMiddleButton,
    kRButton = platform::kRightButton,
    kShift = platform::kShiftKey,
    kControl = platform::kControlKey,
    kAlt = platform::kAlternateKey,
    kApple = platform::kCommandKey,
};

inline constexpr int kModifierKeys = kShift | kControl | kAlt | kApple;

// Knob modes, editor-wide.
enum CKnobMode { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

}  // namespace VSTGUI
