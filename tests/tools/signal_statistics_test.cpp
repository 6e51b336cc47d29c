// The render summary's arithmetic against signals whose answers are known by construction.
#include "tools/render/signal_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

TEST(SignalLevels, SineAndStereoAndDamagedSamples) {
    SignalLevels levels;
    std::vector<double> stereo;
    for (int n = 0; n < 4000; ++n) {
        const double x = 0.5 * std::sin(2 * std::numbers::pi * n / 40.0);  // whole periods
        stereo.push_back(x);
        stereo.push_back(-x);
    }
    stereo[10] = std::numeric_limits<double>::quiet_NaN();
    stereo[11] = std::numeric_limits<double>::infinity();
    levels.add(stereo.data(), 2000, 2);  // in two blocks, as a render adds them
    levels.add(stereo.data() + 4000, 2000, 2);
    EXPECT_NEAR(levels.peak(), 0.5, 1e-9);
    EXPECT_NEAR(levels.rms(), 0.5 / std::sqrt(2.0), 1e-4);
    EXPECT_EQ(levels.nonFiniteSamples(), 2u);
    EXPECT_TRUE(std::isinf(decibelsOf(SignalLevels().peak())));
    EXPECT_NEAR(decibelsOf(0.5), -6.0206, 1e-4);
}

TEST(GainReductionMeter, SpreadOfGainOverLoudWindows) {
    constexpr std::size_t kWindow = 100;
    // Window 0 passes at unity, window 1 is turned down by 6 dB, window 2 up by 2 dB (make-up
    // gain), window 3 is too quiet to count whatever happens to it, window 4 is partial.
    const double gains[] = {1.0, 0.5, std::pow(10.0, 2.0 / 20), 0.01, 0.01};
    const double levels[] = {0.3, 0.3, 0.3, 0.001, 0.3};
    std::vector<double> input, output;
    for (std::size_t window = 0; window < 5; ++window)
        for (std::size_t n = 0; n < (window == 4 ? kWindow / 2 : kWindow); ++n) {
            const double x = levels[window] * (n % 2 == 0 ? 1 : -1);
            input.push_back(x);
            output.push_back(x * gains[window]);
        }
    GainReductionMeter meter(kWindow);
    meter.addInput(input.data(), input.size(), 1);
    meter.addOutput(output.data(), 130, 1);  // blocks need not line up with windows
    meter.addOutput(output.data() + 130, output.size() - 130, 1);
    EXPECT_NEAR(meter.largestReductionDb(), 20 * std::log10(2.0) + 2.0, 1e-9);

    GainReductionMeter silence(kWindow);
    const std::vector<double> zeros(1000, 0.0);
    silence.addInput(zeros.data(), zeros.size(), 1);
    silence.addOutput(zeros.data(), zeros.size(), 1);
    EXPECT_EQ(silence.largestReductionDb(), 0.0);
}

}  // namespace
