// Filters and oversampler against their formulas: DC and stop-band gains, delays, passband loss.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "effect/dsp/biquad.h"
#include "effect/dsp/oversampler.h"
#include "effect/dsp/split_filters.h"

namespace {

// Steady-state amplitude of a sine through `filter`, measured after it settles.
template <typename Filter>
double sineGain(Filter&& run, double frequencyHz, double rate) {
    const int settle = static_cast<int>(rate);
    double peak = 0;
    for (int i = 0; i < settle + static_cast<int>(rate / frequencyHz) * 4; ++i) {
        const double y = run(std::sin(2 * std::numbers::pi * frequencyHz * i / rate));
        if (i > settle) peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

TEST(CBiquad, LowPassPassesDcAndAttenuatesADecadeUpByFortyDecibels) {
    CBiquad filter(44100, CBiquad::LowPass, 20, 0.5);
    double y = 0;
    for (int i = 0; i < 44100; ++i) y = filter.process(1.0);
    EXPECT_NEAR(y, 1.0, 1e-9);
    filter.reset();
    const double gain = sineGain([&](double x) { return filter.process(x); }, 200, 44100);
    EXPECT_NEAR(20 * std::log10(gain), -40, 1.0);
}

TEST(CBiquad, CutoffIsLimitedBelowNyquist) {
    CBiquad filter(44100, CBiquad::LowPass, 30000, 0.5);
    EXPECT_NEAR(filter.cutoff(), 0.499 * 44100, 1e-9);
    filter.setSampleRate(88200);
    filter.setCutoff(50000);
    EXPECT_NEAR(filter.cutoff(), 0.499 * 88200, 1e-9);
    double y = 0;
    for (int i = 0; i < 1000; ++i) y = filter.process(1.0);
    EXPECT_TRUE(std::isfinite(y));
}

TEST(SplitFilters, ThreeBandsSumBackToTheInput) {
    ChannelFilters filters;
    filters.lowSplit.designHighPass(100, 44100);
    filters.highSplit.designLowPass(4000, 44100);
    for (int i = 0; i < 2000; ++i) {
        const double y = std::sin(i * 0.37) + 0.5 * std::sin(i * 0.011);
        const double highPassed = filters.lowSplit.process(y, 0);
        const double lowPassed = filters.highSplit.process(y, 0);
        const double low = y - highPassed;
        const double high = y - lowPassed;
        const double mid = highPassed - (y - lowPassed);
        EXPECT_NEAR(low + mid + high, y, 1e-12);
    }
}

TEST(SplitFilters, FifteenHertzHighPassBlocksDc) {
    DirectFormFilter highPass;
    highPass.designHighPass15(44100);
    double y = 0;
    for (int i = 0; i < 44100; ++i) y = highPass.process(1.0, 0);
    EXPECT_NEAR(y, 0, 1e-3);
    highPass.reset();
    EXPECT_NEAR(sineGain([&](double x) { return highPass.process(x, 0); }, 1000, 44100), 1, 1e-3);
}

// The stored tables against their window formulas.
TEST(COversampler, TablesFollowTheirFormulas) {
    const auto sinc = [](int i) {
        return i == 0 ? 0.5 : std::sin(0.5 * std::numbers::pi * i) / (256 * std::sin(std::numbers::pi * i / 255));
    };
    for (int i = 1; i < COversampler::kHalfTaps; ++i) {
        const double blackman = 0.42 + 0.5 * std::cos(2 * std::numbers::pi * i / 255) +
                                0.08 * std::cos(4 * std::numbers::pi * i / 255);
        const double hann = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * i / 255);
        const double up = sinc(i) * blackman, down = sinc(i) * hann;
        EXPECT_NEAR(COversampler::upTable()[static_cast<std::size_t>(i)], std::fabs(up) < 1e-16 ? 0 : 2 * up, 1e-17) << i;
        EXPECT_NEAR(COversampler::downTable()[static_cast<std::size_t>(i)], std::fabs(down) < 1e-16 ? 0 : down, 1e-17) << i;
    }
}

TEST(COversampler, TablesAreHalfBand) {
    const auto& up = COversampler::upTable();
    const auto& down = COversampler::downTable();
    EXPECT_EQ(up[0], 1);
    EXPECT_EQ(down[0], 0.5);
    for (int i = 2; i < COversampler::kHalfTaps; i += 2) {
        EXPECT_EQ(up[static_cast<std::size_t>(i)], 0) << i;
        EXPECT_EQ(down[static_cast<std::size_t>(i)], 0) << i;
    }
    double upSum = 0;
    for (int i = 1; i < COversampler::kHalfTaps; i += 2) upSum += 2 * up[static_cast<std::size_t>(i)];
    EXPECT_NEAR(upSum, 1, 5e-3) << "the interpolated phase has nearly unity DC gain";
}

TEST(COversampler, UpAndDownDelayBy129SamplesWithTinyPassbandLoss) {
    COversampler oversampler;
    const double rate = 44100;
    const int frames = 8192;
    std::vector<double> input(frames), output(frames);
    for (int i = 0; i < frames; ++i) input[static_cast<std::size_t>(i)] = std::sin(2 * std::numbers::pi * 1000 * i / rate);
    double block[128];
    for (int start = 0; start < frames; start += 64) {
        for (int i = 0; i < 64; ++i) block[i] = input[static_cast<std::size_t>(start + i)];
        oversampler.upsample(block, 64);
        oversampler.downsample(block, 64);
        for (int i = 0; i < 64; ++i) output[static_cast<std::size_t>(start + i)] = block[i];
    }
    // The delay is the lag with the best match, and the gain the ratio of amplitudes there.
    double bestError = 1e9;
    int bestLag = 0;
    for (int lag = 100; lag < 160; ++lag) {
        double error = 0;
        for (int i = 1000; i < 6000; ++i)
            error += std::fabs(output[static_cast<std::size_t>(i + lag)] - input[static_cast<std::size_t>(i)]);
        if (error < bestError) {
            bestError = error;
            bestLag = lag;
        }
    }
    EXPECT_EQ(bestLag, 129);
    double peak = 0;
    for (int i = 2000; i < 8000; ++i) peak = std::max(peak, std::fabs(output[static_cast<std::size_t>(i)]));
    EXPECT_NEAR(20 * std::log10(peak), -0.03, 0.02);
}

TEST(COversampler, MatchingDelaysPassAnImpulse128SamplesLater) {
    COversampler oversampler;
    std::vector<double> output;
    double block[64];
    for (int start = 0; start < 256; start += 64) {
        for (int i = 0; i < 64; ++i) block[i] = (start + i == 5) ? 1.0 : 0.0;
        oversampler.inputDelay(block, 64);
        oversampler.outputDelay(block, 64);
        output.insert(output.end(), block, block + 64);
    }
    for (int i = 0; i < 256; ++i) EXPECT_EQ(output[static_cast<std::size_t>(i)], i == 133 ? 1.0 : 0.0) << i;
}

}  // namespace
