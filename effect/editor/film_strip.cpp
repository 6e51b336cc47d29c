#include "effect/editor/film_strip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Float-to-frame conversions truncate toward zero after adding 0.5.
int nearest(double x) { return static_cast<int>(x + 0.5); }

constexpr int kLargestOffset = std::numeric_limits<int>::max();

}  // namespace

int knobFrame(float value, int frameCount, int frameHeight, bool inverse) {
    if (value < 0 || frameCount < 2 || frameHeight <= 0) return 0;
    const double shown = inverse ? 1.0 - value : value;
    const auto offset = static_cast<int>(shown * frameHeight * (frameCount - 1));
    return offset / frameHeight;
}

StripPoint gridKnobSource(float value, int frameCount, int frameWidth, int frameHeight, int bitmapHeight) {
    if (frameHeight <= 0 || bitmapHeight <= 0) return {0, 0};
    int offset = 0;
    if (value > 0) {
        const double last = static_cast<double>(frameHeight) * (frameCount - 1);
        const double x = last * value;
        // Beyond the last frame the offset leaves the grid; capped so that it stays an int.
        offset = x > last ? static_cast<int>(std::min(x, double{kLargestOffset}))
                          : static_cast<int>(x / frameHeight) * frameHeight;
    }
    const std::int64_t column = offset / bitmapHeight;
    const std::int64_t left = std::min<std::int64_t>(column * frameWidth, kLargestOffset);
    return {static_cast<int>(left), offset % bitmapHeight};
}

float meterPosition(float level, bool alternateScale) {
    const double curved = std::pow(static_cast<double>(level), 1.2);
    const double a = alternateScale ? std::sqrt(curved) : curved;
    return static_cast<float>(0.617 * a + 0.018);
}

int meterFrame(float level, bool alternateScale, int frameCount) {
    if (!(level > 0)) level = 0;
    float position = meterPosition(level, alternateScale);
    if (position > 1) position = 1;
    return nearest((frameCount - 1) * static_cast<double>(position));
}

int ledFrame(LedState& led, int frameCount) {
    const float decayStep = 1.0f / static_cast<float>(frameCount - 1);
    float shown = led.lastDrawn;
    if (shown > 0.45f) shown -= decayStep;
    if (shown < 0) shown = 0;
    if (shown > led.value) led.value = shown;
    led.lastDrawn = led.value;
    if (led.value > 1) led.value = 1;
    if (!(led.value > 0)) return -1;
    return nearest((frameCount - 1) * static_cast<double>(led.value));
}

int toggleFrame(float value) { return value < 0.5f ? 0 : 1; }

int leverFrame(float value) { return value >= 0.75f ? 3 : value >= 0.5f ? 2 : value >= 0.25f ? 1 : 0; }

int verticalSwitchFrame(float value, int positions) {
    const double frame = std::floor(positions * static_cast<double>(value));
    if (frame > 2) return 2;
    return frame > 0 ? static_cast<int>(frame) : 0;  // negative, or not a number
}
