// Number and value texts shown to the host and in the editor's value displays.
// Each writes a zero-terminated text of at most kFormattedTextSize bytes into `text`.
#pragma once

#include <cstddef>

inline constexpr std::size_t kFormattedTextSize = 16;

// Exactly `decimals` decimals, half away from zero (a remainder of 0.49999 counts as a half),
// a leading "-" for any negative value, at most 8 digits (larger values show 8 nines).
void formatFixed(double value, int decimals, char* text);
void formatPercent(float value, char* text);
void formatDecibel(float value, char* text);
void formatDecibelFS(float value, char* text);
void formatInteger(float value, char* text);
void formatMultiplier(float value, char* text);
void formatSamples(float value, char* text);
void formatMilliseconds(float value, char* text);

// Copies at most `maxChars` characters and the terminating zero.
void copyText(char* destination, const char* source, std::size_t maxChars);
