#include "effect/core/formatters.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void copyText(char* destination, const char* source, std::size_t maxChars) {
    std::size_t length = 0;
    while (length < maxChars && source[length] != 0) ++length;
    std::memcpy(destination, source, length);
    destination[length] = 0;
}

namespace {

constexpr int kMaxDigits = 8;

// Formats into a roomy buffer, then keeps what fits the caller's text.
template <typename... Args>
void formatInto(char* text, const char* format, Args... args) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, args...);
    copyText(text, buffer, kFormattedTextSize - 1);
}

// Truncation toward zero into an int without undefined behaviour for huge values.
int truncToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);
}

void formatDecibelWith(double decibels, bool silent, const char* unit, char* text) {
    if (silent) {
        formatInto(text, "-oo %s", unit);
        return;
    }
    const int whole = truncToInt(decibels);
    const int tenth = truncToInt(std::fabs(decibels - whole) * 10);
    if (decibels >= 0 || decibels <= -1)
        formatInto(text, "%d.%d%s", whole, tenth, unit);
    else
        formatInto(text, "-%d.%d%s", whole, tenth, unit);
}

}  // namespace

void formatFixed(double value, int decimals, char* text) {
    if (std::isnan(value)) {
        copyText(text, "nan", 3);
        return;
    }
    if (std::isinf(value)) {
        copyText(text, value < 0 ? "-inf" : "inf", 4);
        return;
    }
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDigits - 1) decimals = kMaxDigits - 1;

    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const double scaled = std::fabs(value) * scale;
    double units = std::floor(scaled);
    if (scaled - units >= 0.49999) units += 1;
    const double largest = 99999999.0;  // 8 digits
    if (units > largest) units = largest;

    const auto digits = static_cast<long long>(units);
    const auto divisor = static_cast<long long>(scale);
    const char* sign = value < 0 ? "-" : "";
    if (decimals == 0)
        formatInto(text, "%s%lld", sign, digits);
    else
        formatInto(text, "%s%lld.%0*lld", sign, digits / divisor, decimals,
                      digits % divisor);
}

void formatPercent(float value, char* text) {
    if (value >= 0.2f)
        formatInto(text, "%d%%", truncToInt(100.0 * value));
    else
        formatInto(text, "%d.%d%%", truncToInt(100.0 * value),
                      std::abs(truncToInt(1000.0 * value) % 10));
}

void formatDecibel(float value, char* text) {
    const bool silent = !(value > 1e-8f);
    formatDecibelWith(silent ? 0 : 20 * std::log10(static_cast<double>(value)), silent, "dB", text);
}

void formatDecibelFS(float value, char* text) {
    const bool silent = !(value > 1e-8f);
    formatDecibelWith(silent ? 0 : 6 * std::log2(static_cast<double>(value)), silent, "dBFS", text);
}

void formatInteger(float value, char* text) {
    formatInto(text, "%d", truncToInt(value));
}

void formatMultiplier(float value, char* text) {
    formatInto(text, "x%d.%d%d", truncToInt(value),
                  std::abs(truncToInt(10.0 * value) % 10), std::abs(truncToInt(100.0 * value) % 10));
}

void formatSamples(float value, char* text) {
    if (value >= 1)
        formatInto(text, "%dsmps", truncToInt(value));
    else
        copyText(text, "0smps", 5);
}

void formatMilliseconds(float value, char* text) {
    char number[kFormattedTextSize];
    const char* unit = "ms";
    if (!(value >= 0.0001f)) {
        copyText(text, "0ms", 3);
        return;
    }
    if (value < 1)
        formatFixed(value, 3, number);
    else if (value < 10)
        formatFixed(value, 2, number);
    else if (value < 100)
        formatFixed(value, 1, number);
    else if (value < 1000)
        formatFixed(value, 0, number);
    else {
        formatFixed(value / 1000.0, 3, number);
        unit = "s";
    }
    formatInto(text, "%s%s", number, unit);
}
