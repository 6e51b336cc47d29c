#include "tools/render/signal_statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

void SignalLevels::add(const double* interleaved, std::size_t frames, int channels) {
    const std::size_t count = frames * static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = interleaved[i];
        if (!std::isfinite(x)) {
            ++nonFinite;
            continue;
        }
        peakLinear = std::max(peakLinear, std::fabs(x));
        sumOfSquares += x * x;
        ++samples;
    }
}

double SignalLevels::rms() const {
    return samples > 0 ? std::sqrt(sumOfSquares / static_cast<double>(samples)) : 0;
}

GainReductionMeter::GainReductionMeter(std::size_t windowFrames) : windowFrames(std::max<std::size_t>(1, windowFrames)) {}

void GainReductionMeter::add(Energy& energy, const double* interleaved, std::size_t frames, int channels) const {
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t n = 0; n < frames; ++n, ++energy.frames) {
        const std::size_t window = energy.frames / windowFrames;
        if (window >= energy.windowSums.size()) energy.windowSums.push_back(0);
        for (std::size_t c = 0; c < width; ++c) {
            const double x = interleaved[n * width + c];
            if (std::isfinite(x)) energy.windowSums[window] += x * x;
        }
    }
}

void GainReductionMeter::addInput(const double* interleaved, std::size_t frames, int channels) {
    add(input, interleaved, frames, channels);
}

void GainReductionMeter::addOutput(const double* interleaved, std::size_t frames, int channels) {
    add(output, interleaved, frames, channels);
}

double GainReductionMeter::largestReductionDb() const {
    // Only whole windows that both sides have seen; the last partial window is too short to judge.
    const std::size_t windows = std::min(input.frames, output.frames) / windowFrames;
    constexpr double kQuietMeanSquare = 1e-4;  // -40 dBFS
    double highest = -std::numeric_limits<double>::infinity();
    double lowest = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < windows; ++k) {
        const double in = input.windowSums[k];
        const double out = output.windowSums[k];
        if (in / static_cast<double>(windowFrames) < kQuietMeanSquare || out <= 0) continue;
        const double gainDb = 10 * std::log10(out / in);
        highest = std::max(highest, gainDb);
        lowest = std::min(lowest, gainDb);
    }
    return highest >= lowest ? highest - lowest : 0;
}

double decibelsOf(double linear) {
    return linear > 0 ? 20 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}
