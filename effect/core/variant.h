// What tells the two effect builds apart. The classic build compiles the same sources with
// CALORVANE_CLASSIC defined.
#pragma once

#include "vst/aeffect.h"

struct EffectVariant {
    const char* effectName;
    const char* productString;
    VstInt32 uniqueId;
    VstInt32 numParams;
};

inline constexpr const char* kVendorString = "www.kytheral.com";

#ifdef CALORVANE_CLASSIC
inline constexpr EffectVariant kVariant{
    "KYT Calorvane", "KYT Calorvane - analog saturation & compression emulator",
    fourCharCode("KkCV"), 48};
#else
inline constexpr EffectVariant kVariant{
    "KYT Calorvane2", "KYT Calorvane2 - analog saturation & compression emulator",
    fourCharCode("KKCV"), 42};
#endif
