// The colours of the panel art, in one place so that every bitmap agrees.
#pragma once

namespace calorvane::art {

struct Rgb {
    double red;
    double green;
    double blue;
};

constexpr Rgb rgb8(int red, int green, int blue) {
    return Rgb{red / 255.0, green / 255.0, blue / 255.0};
}

constexpr Rgb mix(Rgb from, Rgb to, double amount) {
    return Rgb{from.red + (to.red - from.red) * amount,
               from.green + (to.green - from.green) * amount,
               from.blue + (to.blue - from.blue) * amount};
}

namespace palette {
// Front face: warm cream lacquer over brushed metal.
inline constexpr Rgb kFace = rgb8(226, 212, 184);
inline constexpr Rgb kFaceShade = rgb8(196, 178, 146);
inline constexpr Rgb kInk = rgb8(52, 36, 24);
inline constexpr Rgb kInkSoft = rgb8(110, 84, 60);
inline constexpr Rgb kAccentRed = rgb8(160, 44, 28);
// Meter bridge, rear panel and preset bar: dark walnut brown.
inline constexpr Rgb kBridge = rgb8(50, 36, 27);
inline constexpr Rgb kBridgeLight = rgb8(84, 62, 45);
inline constexpr Rgb kBridgeInk = rgb8(232, 216, 184);
inline constexpr Rgb kPresetStrip = rgb8(38, 28, 21);
// Brass trim.
inline constexpr Rgb kBrass = rgb8(184, 150, 92);
inline constexpr Rgb kBrassLight = rgb8(236, 208, 150);
inline constexpr Rgb kBrassDark = rgb8(110, 82, 42);
// Needle meters.
inline constexpr Rgb kMeterFace = rgb8(244, 226, 178);
inline constexpr Rgb kMeterGlow = rgb8(255, 238, 190);
inline constexpr Rgb kMeterInk = rgb8(40, 30, 22);
inline constexpr Rgb kMeterRed = rgb8(196, 36, 24);
inline constexpr Rgb kNeedle = rgb8(28, 22, 18);
// Liquid-crystal read-out.
inline constexpr Rgb kLcdBack = rgb8(16, 34, 18);
inline constexpr Rgb kLcdLit = rgb8(132, 250, 120);
// Lamps.
inline constexpr Rgb kLedRed = rgb8(255, 48, 30);
inline constexpr Rgb kLampAmber = rgb8(255, 176, 60);
inline constexpr Rgb kLampGreen = rgb8(120, 230, 90);
inline constexpr Rgb kLampRed = rgb8(255, 70, 44);
// Preset bar.
inline constexpr Rgb kNameBox = rgb8(236, 226, 200);
inline constexpr Rgb kArrowGreen = rgb8(84, 196, 72);
inline constexpr Rgb kArrowRed = rgb8(222, 62, 42);
inline constexpr Rgb kArrowGrey = rgb8(168, 160, 150);
}  // namespace palette

}  // namespace calorvane::art
