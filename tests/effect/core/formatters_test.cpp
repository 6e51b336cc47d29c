#include "effect/core/formatters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string fixed(double value, int decimals) {
    char text[kFormattedTextSize];
    formatFixed(value, decimals, text);
    return text;
}

TEST(FormatFixed, RoundsHalfAwayFromZeroWithTheWideHalf) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0, 2, "0.00"},         {1.005, 2, "1.01"},        {1.00499, 2, "1.00"},
        {1.00499995, 2, "1.01"}, {1.004995, 2, "1.00"},  {-1.005, 2, "-1.01"},      {-0.0001, 2, "-0.00"},
        {12.5, 0, "13"},        {2297.397, 0, "2297"},     {99.95, 1, "100.0"},
        {16000, 0, "16000"},    {0.0625, 2, "0.06"},       {-24, 2, "-24.00"},
        {123456789, 0, "99999999"}, {1e30, 2, "999999.99"}, {-1e30, 2, "-999999.99"},
        {3.14159, 3, "3.142"},
    };
    for (const auto& c : cases) EXPECT_EQ(fixed(c.value, c.decimals), c.text) << c.value;
}

TEST(FormatFixed, NonFiniteValuesStayShort) {
    EXPECT_EQ(fixed(std::nan(""), 2), "nan");
    EXPECT_EQ(fixed(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(fixed(-std::numeric_limits<double>::infinity(), 2), "-inf");
}

using Formatter = void (*)(float, char*);

struct FormatterCase {
    const char* what;
    Formatter format;
    float value;
    const char* text;
};

TEST(EditorFormatters, Examples) {
    const FormatterCase cases[] = {
        {"percent", formatPercent, 1.0f, "100%"},
        {"percent", formatPercent, 0.25f, "25%"},
        {"percent", formatPercent, 0.125f, "12.5%"},
        {"decibel", formatDecibel, 0.5f, "-6.0dB"},
        {"decibel", formatDecibel, 1.0f, "0.0dB"},
        {"decibel", formatDecibel, 4.0f, "12.0dB"},
        {"decibel", formatDecibel, 0.944f, "-0.5dB"},
        {"decibel", formatDecibel, 0.0f, "-oo dB"},
        {"decibel", formatDecibel, 1e-9f, "-oo dB"},
        {"decibelFS", formatDecibelFS, 0.5f, "-6.0dBFS"},
        {"decibelFS", formatDecibelFS, 0.2475f, "-12.0dBFS"},
        {"decibelFS", formatDecibelFS, 0.0f, "-oo dBFS"},
        {"integer", formatInteger, 6.9f, "6"},
        {"multiplier", formatMultiplier, 1.25f, "x1.25"},
        {"multiplier", formatMultiplier, 0.0625f, "x0.06"},
        {"multiplier", formatMultiplier, 16.0f, "x16.00"},
        {"samples", formatSamples, 639.0f, "639smps"},
        {"samples", formatSamples, 0.5f, "0smps"},
        {"ms", formatMilliseconds, 0.00005f, "0ms"},
        {"ms", formatMilliseconds, 0.5f, "0.500ms"},
        {"ms", formatMilliseconds, 9.05f, "9.05ms"},
        {"ms", formatMilliseconds, 14.49f, "14.5ms"},
        {"ms", formatMilliseconds, 300.0f, "300ms"},
        {"ms", formatMilliseconds, 1500.0f, "1.500s"},
    };
    for (const FormatterCase& c : cases) {
        char text[kFormattedTextSize];
        c.format(c.value, text);
        EXPECT_STREQ(text, c.text) << c.what << " " << c.value;
    }
}

TEST(EditorFormatters, ExtremeValuesFitTheBuffer) {
    const Formatter formatters[] = {formatPercent, formatDecibel, formatDecibelFS, formatInteger,
                                    formatMultiplier, formatSamples, formatMilliseconds};
    const float values[] = {std::nanf(""), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 3e38f, -3e38f, -1e-30f};
    for (Formatter format : formatters)
        for (float value : values) {
            char text[kFormattedTextSize + 8];
            std::memset(text, 'x', sizeof text);
            format(value, text);
            EXPECT_LT(strnlen(text, sizeof text), kFormattedTextSize);
            EXPECT_EQ(text[kFormattedTextSize], 'x');
        }
}

}  // namespace
