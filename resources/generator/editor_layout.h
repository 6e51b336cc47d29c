// Where the editor places its controls (left, top, right, bottom in editor pixels). The art
// prints labels around these rectangles and bakes the panel under them into each strip.
#pragma once

namespace calorvane::art {

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr double centreX() const { return (left + right) * 0.5; }
    constexpr double centreY() const { return (top + bottom) * 0.5; }
};

inline constexpr int kEditorWidthPx = 450;
inline constexpr int kEditorHeightPx = 460;
inline constexpr int kFrontPanelHeightPx = 444;
inline constexpr int kRearBitmapHeightPx = 445;
// The face below the meter bridge starts here.
inline constexpr int kBridgeBottomPx = 146;

namespace front {
inline constexpr PixelRect kLatencyMs{120, 428, 165, 438};
inline constexpr PixelRect kLatencySamples{167, 428, 212, 438};
inline constexpr PixelRect kProcess{42, 398, 78, 438};
inline constexpr PixelRect kLong{107, 356, 132, 381};
inline constexpr PixelRect kAuto{107, 317, 132, 342};
inline constexpr PixelRect kBrickwall{219, 337, 244, 362};
inline constexpr PixelRect kFat{248, 398, 286, 438};
inline constexpr PixelRect kMode{290, 398, 326, 438};
inline constexpr PixelRect kStereoLever{326, 388, 377, 436};
inline constexpr PixelRect kLink{371, 398, 409, 438};
inline constexpr PixelRect kMeterType{206, 88, 246, 138};
inline constexpr PixelRect kMeters{206, 28, 246, 78};
inline constexpr PixelRect kKnee{46, 167, 106, 217};
inline constexpr PixelRect kSpeed{46, 245, 106, 295};
inline constexpr PixelRect kDrive{122, 162, 235, 255};
inline constexpr PixelRect kHighFreq{345, 242, 405, 298};
inline constexpr PixelRect kHighAdjust{345, 167, 405, 217};
inline constexpr PixelRect kLowFreq{254, 242, 314, 298};
inline constexpr PixelRect kLowAdjust{254, 167, 314, 217};
inline constexpr PixelRect kOutput{345, 324, 405, 374};
inline constexpr PixelRect kMix{253, 323, 313, 373};
inline constexpr PixelRect kCeiling{150, 324, 210, 374};
inline constexpr PixelRect kRelease{46, 320, 106, 376};
inline constexpr PixelRect kMeterLeft{54, 40, 190, 110};
inline constexpr PixelRect kMeterRight{261, 40, 397, 110};
inline constexpr PixelRect kReadout{152, 281, 206, 298};
inline constexpr PixelRect kLedLeft{160, 109, 181, 130};
inline constexpr PixelRect kLedRight{367, 109, 388, 130};
inline constexpr PixelRect kRearSwitchArea{78, 404, 247, 422};
}  // namespace front

namespace rear {
struct KnobPlace {
    PixelRect knob;
    PixelRect display;
};
inline constexpr KnobPlace kLowSat{{65, 190, 95, 220}, {55, 221, 105, 235}};
inline constexpr KnobPlace kMidSat{{112, 190, 142, 220}, {102, 221, 152, 235}};
inline constexpr KnobPlace kHighSat{{158, 190, 188, 220}, {148, 221, 198, 235}};
inline constexpr KnobPlace kLowRel{{263, 190, 293, 220}, {253, 221, 303, 235}};
inline constexpr KnobPlace kMidRel{{310, 190, 340, 220}, {300, 221, 350, 235}};
inline constexpr KnobPlace kHighRel{{356, 190, 386, 220}, {346, 221, 396, 235}};
inline constexpr KnobPlace kVuIntegr{{65, 260, 95, 290}, {60, 291, 100, 305}};
inline constexpr KnobPlace kVuRefer{{65, 309, 95, 339}, {55, 340, 105, 354}};
inline constexpr KnobPlace kPpmIntegr{{264, 260, 294, 290}, {254, 291, 304, 305}};
inline constexpr KnobPlace kPpmReturn{{264, 309, 294, 339}, {254, 340, 304, 354}};
inline constexpr KnobPlace kOverIndic{{65, 381, 95, 411}, {65, 412, 95, 426}};
inline constexpr KnobPlace kFineTune{{264, 381, 294, 411}, {264, 412, 294, 426}};
inline constexpr PixelRect kKnobMode{375, 389, 390, 418};
inline constexpr PixelRect kVersionLabel{300, 45, 329, 55};
inline constexpr PixelRect kFrontSwitchArea{110, 36, 338, 134};
}  // namespace rear

namespace preset_bar {
inline constexpr PixelRect kSaveBank{20, 444, 32, 458};
inline constexpr PixelRect kLoadBank{70, 444, 82, 458};
inline constexpr PixelRect kSavePreset{91, 444, 103, 458};
inline constexpr PixelRect kLoadPreset{150, 444, 162, 458};
inline constexpr PixelRect kNameField{176, 444, 290, 458};
inline constexpr PixelRect kMenu{293, 444, 303, 458};
inline constexpr PixelRect kRocker{313, 444, 344, 458};
inline constexpr PixelRect kStoreA{352, 444, 364, 458};
inline constexpr PixelRect kRecallA{374, 444, 386, 458};
inline constexpr PixelRect kStoreB{395, 444, 407, 458};
inline constexpr PixelRect kRecallB{417, 444, 429, 458};
}  // namespace preset_bar

}  // namespace calorvane::art
