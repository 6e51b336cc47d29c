// The driver and the kernels against oracles: exact delays, block-size independence, windows,
// the dry path, routing, look-ahead, the neutral settings and the brickwall bound.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/effect/dsp/signal_path_fixture.h"

namespace {

using namespace testing_dsp;

TEST(SignalPath, RingSizesAndLatencyFollowTheRateBands) {
    struct Case {
        double rate;
        int delayRing, detectorRing, latency;
    };
    const Case cases[] = {{22050, 512, 256, 639},    {44100, 512, 256, 639},   {49999, 512, 256, 639},
                          {50000, 1024, 512, 1151},  {96000, 1024, 512, 1151}, {100000, 2048, 1024, 2175},
                          {192000, 2048, 1024, 2175}};
    for (const Case& c : cases) {
        EXPECT_EQ(SignalPath::delayRingSize(c.rate), c.delayRing) << c.rate;
        EXPECT_EQ(SignalPath::detectorRingSize(c.rate), c.detectorRing) << c.rate;
        EXPECT_EQ(SignalPath::latencySamples(c.rate), c.latency) << c.rate;
    }
}

// With Process off the output is the input delayed by exactly the reported latency: sample for
// sample without oversampling, band-limited by the half-band filters with it.
TEST(SignalPath, ProcessOffDelaysByExactlyTheReportedLatency) {
    for (double rate : {44100.0, 96000.0, 192000.0}) {
        for (int fat : {0, 1}) {
            ProcessingValues values = defaultPreset();
            values.processOn = 0;
            values.oversample = fat;
            values.outputGain = 0.5;  // ignored when passing through
            auto path = makePath(values, rate);
            const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
            const bool bandLimited = fat && rate <= 100000;
            const Stereo input{bandLimited ? sine(8192, 0.5, 1000, rate) : noise(8192, 0.3, 1),
                               bandLimited ? sine(8192, 0.4, 700, rate, 1) : noise(8192, 0.3, 2)};
            const Stereo output = run(*path, input, rate, 333);
            const std::string where = std::to_string(rate) + " FAT " + std::to_string(fat);
            // Nothing comes out earlier: denormal offsets only (and, band-limited, the pre-ringing
            // of the linear-phase filters in the last 128 frames before).
            const std::size_t silent = bandLimited ? latency - 128 : latency;
            for (std::size_t i = 0; i < silent; ++i) ASSERT_LE(std::fabs(output.left[i]), 1e-14) << where;
            const double tolerance = bandLimited ? 0.005 : 1e-15;
            EXPECT_LT(largestDifference(output.left, input.left, latency), tolerance) << where;
            EXPECT_LT(largestDifference(output.right, input.right, latency), tolerance) << where;
            if (bandLimited) {  // one sample off is far worse: the match is the delay itself
                EXPECT_GT(largestDifference(output.left, input.left, latency - 1), 0.02) << where;
                EXPECT_GT(largestDifference(output.left, input.left, latency + 1), 0.02) << where;
            }
        }
    }
}

TEST(SignalPath, BlockSizeDoesNotChangeTheOutput) {
    for (const KernelChoice& kernel : kKernels) {
        for (int fat : {0, 1}) {
            ProcessingValues values = defaultPreset();
            choose(values, kernel);
            values.oversample = fat;
            values.driveGain = 4;
            values.autoRelease = 1;
            const Stereo input{noise(1000, 0.5, 3), noise(1000, 0.4, 4)};
            auto whole = makePath(values, 44100);
            auto pieces = makePath(values, 44100);
            whole->meters.meterEnabled = 1;
            pieces->meters.meterEnabled = 1;
            const Stereo once = run(*whole, input, 44100, 1000);
            const Stereo bySubBlock = run(*pieces, input, 44100, 64);
            EXPECT_EQ(once.left, bySubBlock.left) << kernel.name << " FAT " << fat;
            EXPECT_EQ(once.right, bySubBlock.right) << kernel.name << " FAT " << fat;
            EXPECT_EQ(whole->meters.meterL.load(), pieces->meters.meterL.load()) << kernel.name;
        }
    }
}

TEST(SignalPath, DetectorWindowsFollowSpeedAndTheProcessingRate) {
    struct Case {
        double speed;
        int fat, peakWindow, bandWindow;
    };
    const Case cases[] = {{0, 0, 3, 9},  {0.5, 0, 13, 18}, {1, 0, 52, 52},
                          {0, 1, 6, 19}, {0.5, 1, 26, 37}, {1, 1, 105, 105}};
    for (const Case& c : cases) {
        ProcessingValues values = defaultPreset();
        values.speed = c.speed;
        values.oversample = c.fat;
        auto path = makePath(values, 44100);
        EXPECT_EQ(path->dynamics().peakWindow, c.peakWindow) << c.speed << " FAT " << c.fat;
        EXPECT_EQ(path->dynamics().bandWindow, c.bandWindow) << c.speed << " FAT " << c.fat;
        EXPECT_NEAR(std::pow(1 - path->dynamics().attackCoef, c.peakWindow), 0.05, 1e-12);
    }
}

// Release coefficients as times: a one-pole step 1 - 0.05^(1/N) covers 95 % in N samples.
TEST(SignalPath, ReleaseTimesFollowSpeedReleaseAndLong) {
    const auto milliseconds = [](double coefficient, double rate) {
        return std::log(0.05) / std::log(1 - coefficient) / rate * 1000;
    };
    struct Case {
        double speed, release, releaseFactor;
        int longRelease;
        double releaseMs, finalMs, autoReleaseScale;
    };
    const Case cases[] = {
        {1, 0.5, 1, 0, 48 * 0.65, 0.65 * 24 + 1.35, 0.7071068},  // 48 units of 0.65 ms
        {0.5, 0.75, 2, 1, 153.11329, 152.16947, 1.6817928},      // Long: 17 times, slower final
        {0, 0, 0.25, 0, 0.25 * 0.65, 0.65 + 1.35, 0.5},
    };
    for (const Case& c : cases) {
        for (int fat : {0, 1}) {
            ProcessingValues values = defaultPreset();
            values.speed = c.speed;
            values.release = c.release;
            values.releaseFactor = c.releaseFactor;
            values.longRelease = c.longRelease;
            values.oversample = fat;
            values.bandRel = {0.5, 1, 4};
            auto path = makePath(values, 44100);
            const DynamicsValues& d = path->dynamics();
            const double rate = 44100.0 * (1 + fat);
            EXPECT_NEAR(milliseconds(d.releaseCoef, rate), c.releaseMs, 1e-4 * c.releaseMs) << c.speed;
            EXPECT_NEAR(milliseconds(d.bandReleaseCoef[LowBand], rate), 0.5 * c.releaseMs, 1e-4 * c.releaseMs);
            EXPECT_NEAR(milliseconds(d.bandReleaseCoef[HighBand], rate), 4 * c.releaseMs, 1e-4 * c.releaseMs);
            EXPECT_NEAR(milliseconds(d.finalReleaseCoef, rate), c.finalMs, 1e-4 * c.finalMs) << c.speed;
            EXPECT_NEAR(d.autoReleaseScale, c.autoReleaseScale, 1e-6) << c.speed;
        }
    }
}

TEST(SignalPath, FatIsIgnoredAbove100Kilohertz) {
    ProcessingValues values = defaultPreset();
    values.oversample = 1;
    auto path = makePath(values, 192000);
    EXPECT_EQ(path->values.oversample, 0);
    EXPECT_EQ(path->dynamics().peakWindow, 230);
}

// Mix 0: every processing kernel gives the dry path, delayed and scaled by Output; the single
// band mono kernel's processed channel carries the 15 Hz high-passed input.
TEST(SignalPath, MixZeroGivesTheDelayedDrySignal) {
    const double rate = 44100;
    const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
    const Stereo input{noise(6000, 0.5, 5), noise(6000, 0.5, 6)};
    for (const KernelChoice& kernel : kKernels) {
        ProcessingValues values = defaultPreset();
        choose(values, kernel);
        values.mixAmount = 0;
        values.outputGain = 0.5;
        values.driveGain = 8;
        auto path = makePath(values, rate);
        const Stereo output = run(*path, input, rate);
        const bool through = !kernel.processOn;
        const double gain = through ? 1 : 0.5;
        const bool monoSingle = kernel.processOn && !kernel.multiband && kernel.monoStereo < 0.5f;
        // Mono routing "both": the left input feeds both outputs.
        const std::vector<double>& rightSource = kernel.processOn && kernel.monoStereo < 0.5f ? input.left : input.right;
        const std::vector<double> leftDry = monoSingle ? highPassed15(input.left, rate) : input.left;
        const std::vector<double> rightDry = monoSingle ? leftDry : rightSource;
        EXPECT_LT(largestDifference(output.left, leftDry, latency, gain), 1e-12) << kernel.name;
        EXPECT_LT(largestDifference(output.right, rightDry, latency, gain), 1e-12) << kernel.name;
    }
}

// Mono kernels with L R left or right: the other channel passes, delayed, times Output only.
TEST(SignalPath, MonoRoutingLeavesTheOtherChannelUntouched) {
    const double rate = 44100;
    const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
    const Stereo input{noise(6000, 0.5, 7), noise(6000, 0.5, 8)};
    for (int multiband : {0, 1}) {
        for (float leftRight : {0.5f, 1.0f}) {
            ProcessingValues values = defaultPreset();
            values.monoStereo = 0;
            values.multiband = multiband;
            values.mode = multiband;
            values.leftRight = leftRight;
            values.driveGain = 8;
            values.outputGain = 0.7;
            auto path = makePath(values, rate);
            const Stereo output = run(*path, input, rate);
            const bool leftProcessed = leftRight < 0.66f;
            const auto& passed = leftProcessed ? output.right : output.left;
            const auto& passedInput = leftProcessed ? input.right : input.left;
            const auto& processed = leftProcessed ? output.left : output.right;
            const auto& processedInput = leftProcessed ? input.left : input.right;
            const std::string where = "multiband " + std::to_string(multiband) + " L R " + std::to_string(leftRight);
            EXPECT_LT(largestDifference(passed, passedInput, latency, 0.7), 1e-12) << where;
            // The processed channel is driven hard: it is far from its dry copy.
            EXPECT_GT(largestDifference(processed, processedInput, latency, 0.7), 0.1) << where;
        }
    }
}

// A single full-scale sample in a quiet tone: with the parabolic knee the gain falls as soon as
// the envelope rises, and that happens exactly peakWindow + 1 frames before the sample itself
// reaches the gain stage.
TEST(SignalPath, LookAheadLowersTheGainBeforeThePeakArrives) {
    const double rate = 44100;
    const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
    for (int multiband : {0, 1}) {
        ProcessingValues values = defaultPreset();
        values.kneeType = 0;
        values.kneeAmount = 1;
        values.driveGain = 4;
        values.brickwall = 0;
        values.multiband = multiband;
        values.mode = multiband;
        const std::size_t frames = 6000, impulseAt = 4000;
        const Stereo tone{sine(frames, 0.01, 1000, rate), sine(frames, 0.01, 1000, rate)};
        Stereo withPeak = tone;
        withPeak.left[impulseAt] = withPeak.right[impulseAt] = 1.0;
        auto quietPath = makePath(values, rate);
        auto peakPath = makePath(values, rate);
        const Stereo quiet = run(*quietPath, tone, rate);
        const Stereo peak = run(*peakPath, withPeak, rate);
        std::size_t firstChange = frames;
        for (std::size_t i = 0; i < frames && firstChange == frames; ++i)
            if (quiet.left[i] != peak.left[i]) firstChange = i;
        const int window = quietPath->dynamics().peakWindow;
        EXPECT_EQ(firstChange, impulseAt + latency - static_cast<std::size_t>(window) - 1) << multiband;
        // From there up to the peak the tone comes out quieter than without it.
        double quietEnergy = 0, peakEnergy = 0;
        for (std::size_t i = firstChange; i < impulseAt + latency; ++i) {
            quietEnergy += quiet.left[i] * quiet.left[i];
            peakEnergy += peak.left[i] * peak.left[i];
        }
        EXPECT_LT(peakEnergy, 0.5 * quietEnergy) << multiband;
        // The peak itself comes out far below its level times the quiet gain of about 8 (each
        // of the three bands is held near full scale on its own).
        EXPECT_LT(std::fabs(peak.left[impulseAt + latency]), multiband ? 2.0 : 1.1) << multiband;
    }
}

// Three bands with every band below its corner (+12 dB Sat) and no limiter: the bands sum back
// to the 15 Hz high-passed input.
TEST(SignalPath, NeutralThreeBandsReproduceTheInput) {
    const double rate = 44100;
    const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
    std::vector<double> left = sine(8000, 0.5, 80, rate), right = sine(8000, 0.3, 5000, rate);
    const std::vector<double> extra = sine(8000, 0.4, 1000, rate, 0.3);
    for (std::size_t i = 0; i < left.size(); ++i) left[i] += extra[i];
    for (const KernelChoice& kernel : {kKernels[4], kKernels[5], kKernels[6]}) {
        ProcessingValues values = defaultPreset();
        choose(values, kernel);
        values.brickwall = 0;
        values.bandSat = {4, 4, 4};
        values.bandSatInverse = {0.25, 0.25, 0.25};
        auto path = makePath(values, rate);
        const Stereo output = run(*path, {left, right}, rate);
        const std::vector<double> expectedLeft = highPassed15(left, rate);
        const std::vector<double> expectedRight = kernel.monoStereo < 0.5f ? expectedLeft : highPassed15(right, rate);
        EXPECT_LT(largestDifference(output.left, expectedLeft, latency), 1e-9) << kernel.name;
        EXPECT_LT(largestDifference(output.right, expectedRight, latency), 1e-9) << kernel.name;
    }
}

// Neutral single band: a -20 dBFS sine leaves high-passed and delayed, nothing else.
TEST(SignalPath, QuietSineLeavesTheNeutralSingleBandUnchanged) {
    for (double rate : {44100.0, 96000.0}) {
        for (int fat : {0, 1}) {
            ProcessingValues values = defaultPreset();
            values.oversample = fat;
            auto path = makePath(values, rate);
            const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
            const std::vector<double> tone = sine(16384, 0.1, 1000, rate);
            const Stereo output = run(*path, {tone, tone}, rate);
            const double tolerance = fat ? 1e-3 : 1e-9;  // the half-band passband ripple
            EXPECT_LT(largestDifference(output.left, highPassed15(tone, rate), latency), tolerance)
                << rate << " FAT " << fat;
            EXPECT_LT(largestDifference(output.right, highPassed15(tone, rate), latency), tolerance);
        }
    }
}

// Brickwall on, Mix 100 %: nothing leaves a processing kernel above ceiling times Output, and
// with FAT the driver holds the down-sampled output within Output.
TEST(SignalPath, BrickwallBoundsEveryKernel) {
    const double rate = 44100;
    Stereo input{noise(20000, 1.5, 9), noise(20000, 1.0, 10)};
    input.left[5000] = 20;
    input.right[7000] = -30;
    for (const KernelChoice& kernel : kKernels) {
        if (!kernel.processOn) continue;
        for (int fat : {0, 1}) {
            ProcessingValues values = defaultPreset();
            choose(values, kernel);
            values.oversample = fat;
            values.driveGain = 4;
            values.ceilingGain = 0.5;
            values.outputGain = 0.8;
            values.bandSat = {4, 2, 0.5};
            auto path = makePath(values, rate);
            const Stereo output = run(*path, input, rate);
            const double bound = fat ? 0.8 : 0.5 * 0.8;
            double largest = 0;
            for (std::size_t i = 0; i < output.left.size(); ++i)
                largest = std::max({largest, std::fabs(output.left[i]), std::fabs(output.right[i])});
            // The mix adds the wet path as dry + (wet - dry): allow its rounding.
            EXPECT_LE(largest, bound * (1 + 1e-12)) << kernel.name << " FAT " << fat;
            EXPECT_GT(largest, 0.5 * bound) << kernel.name << " FAT " << fat;  // not silence
        }
    }
}

// Non-finite samples count as silence: neither filters nor envelopes are poisoned.
TEST(SignalPath, NonFiniteInputIsSilence) {
    const double rate = 44100;
    const std::size_t latency = static_cast<std::size_t>(SignalPath::latencySamples(rate));
    for (const KernelChoice& kernel : kKernels) {
        ProcessingValues values = defaultPreset();
        choose(values, kernel);
        values.oversample = 1;
        const std::vector<double> tone = sine(6000, 0.1, 1000, rate);
        Stereo clean{tone, tone}, spoiled{tone, tone};
        const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
        for (std::size_t k = 0; k < 3; ++k) {
            spoiled.left[1000 + k] = bad[k];
            spoiled.right[1500 + k] = bad[k];
            clean.left[1000 + k] = clean.right[1500 + k] = 0;
        }
        auto cleanPath = makePath(values, rate);
        auto spoiledPath = makePath(values, rate);
        const Stereo expected = run<float>(*cleanPath, clean, rate);
        const Stereo actual = run<float>(*spoiledPath, spoiled, rate);
        EXPECT_EQ(actual.left, expected.left) << kernel.name;
        EXPECT_EQ(actual.right, expected.right) << kernel.name;
        EXPECT_TRUE(std::isfinite(actual.left[latency + 3000])) << kernel.name;
    }
}

// FAT toggled at Mix 50 %: the dry and processed paths stay aligned, so a steady sine keeps its
// level (a misaligned path would comb-filter it).
TEST(SignalPath, DryAndProcessedPathsStayAlignedWithAndWithoutFat) {
    const double rate = 44100;
    for (int fat : {0, 1}) {
        for (int multiband : {0, 1}) {
            ProcessingValues values = defaultPreset();
            values.oversample = fat;
            values.multiband = multiband;
            values.mode = multiband;
            values.mixAmount = 0.5;
            auto path = makePath(values, rate);
            const std::vector<double> tone = sine(16384, 0.1, 7000, rate);
            const Stereo output = run(*path, {tone, tone}, rate);
            double peak = 0;
            for (std::size_t i = 8000; i < output.left.size(); ++i) peak = std::max(peak, std::fabs(output.left[i]));
            EXPECT_NEAR(peak, 0.1, 0.002) << "FAT " << fat << " multiband " << multiband;
        }
    }
}

}  // namespace
