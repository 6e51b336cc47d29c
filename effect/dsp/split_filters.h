// The effect-level filters of each channel: the fixed 15 Hz high-pass at the kernel input and
// the two split filters that shape the tone (one band) or cut the three bands.
#pragma once

#include <cmath>
#include <numbers>

// Direct form, used by the 15 Hz high-pass.
struct DirectFormFilter {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    // Butterworth high-pass at 15 Hz.
    void designHighPass15(double processingRate) {
        const double w = 94.24777960769379 / processingRate;  // 2 pi 15 / rate
        const double s = std::sin(w) / 1.4142;
        const double n = 1 / (1 + s);
        const double c = std::cos(w);
        b0 = (1 + c) / 2 * n;
        b2 = b0;
        b1 = -(1 + c) * n;
        a1 = -2 * c * n;
        a2 = (1 - s) * n;
    }
    void reset() { x1 = x2 = y1 = y2 = 0; }
    double process(double x, double denormalOffset) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2 + denormalOffset;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// Canonical form with Q 0.5, used by both split filters.
struct CanonicalFilter {
    double b0 = 1, b1 = 0, a1 = 0, a2 = 0;
    double w1 = 0, w2 = 0;

    void designHighPass(double cutoffHz, double processingRate) {
        const auto [s, c, n] = terms(cutoffHz, processingRate);
        b0 = (1 + c) / 2 * n;
        b1 = -(1 + c) * n;
        a1 = -2 * c * n;
        a2 = (1 - s) * n;
    }
    void designLowPass(double cutoffHz, double processingRate) {
        const auto [s, c, n] = terms(cutoffHz, processingRate);
        b0 = (1 - c) / 2 * n;
        b1 = (1 - c) * n;
        a1 = -2 * c * n;
        a2 = (1 - s) * n;
    }
    void reset() { w1 = w2 = 0; }
    double process(double x, double denormalOffset) {
        const double w = x - a1 * w1 - a2 * w2 + denormalOffset;
        const double y = b0 * (w + w2) + b1 * w1;
        w2 = w1;
        w1 = w;
        return y;
    }

private:
    struct Terms {
        double s, c, n;
    };
    static Terms terms(double cutoffHz, double processingRate) {
        const double w = 2 * std::numbers::pi * cutoffHz / processingRate;
        const double s = std::sin(w);
        return {s, std::cos(w), 1 / (1 + s)};
    }
};

// The filters of one channel.
struct ChannelFilters {
    DirectFormFilter highPass15;
    CanonicalFilter lowSplit;   // high-pass at lowCutoff
    CanonicalFilter highSplit;  // low-pass at highCutoff

    void reset() {
        highPass15.reset();
        lowSplit.reset();
        highSplit.reset();
    }
};
