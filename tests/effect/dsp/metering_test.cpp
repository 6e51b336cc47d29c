// Meters and over flags as the editor reads them: nothing while closed, over runs, the idle
// gain-reduction reading and the ballistics' settling values.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/effect/dsp/signal_path_fixture.h"

namespace {

using namespace testing_dsp;

TEST(Metering, ClosedEditorChangesNothing) {
    for (const KernelChoice& kernel : kKernels) {
        ProcessingValues values = defaultPreset();
        choose(values, kernel);
        values.meterSource = MeterPost;
        values.overCount = 1;
        auto path = makePath(values, 44100);
        path->meters.meterEnabled = 0;
        const std::vector<double> loud = sine(4096, 1.5, 300, 44100);
        run(*path, {loud, loud}, 44100);
        EXPECT_EQ(path->meters.meterL.load(), 0.0f) << kernel.name;
        EXPECT_EQ(path->meters.meterR.load(), 0.0f) << kernel.name;
        EXPECT_EQ(path->meters.overL.load(), 0.0f) << kernel.name;
        EXPECT_EQ(path->meters.overR.load(), 0.0f) << kernel.name;
    }
}

// OverIndic 3: a run needs three samples at full scale; the flag rises when the block ends.
// Pre watches the input as it enters the kernel, 64 frames after the matching delay.
TEST(Metering, OverNeedsARunOfOverCountSamples) {
    ProcessingValues values = defaultPreset();
    values.meterSource = MeterPre;
    values.overCount = 3;
    auto path = makePath(values, 44100);
    path->meters.meterEnabled = 1;
    const std::vector<double> quiet(256, 0.25);
    std::vector<double> block = quiet;
    block[10] = block[11] = 1.0;  // two, then a quieter one
    block[12] = 0.5;
    run(*path, {block, quiet}, 44100);
    EXPECT_EQ(path->meters.overL.load(), 0.0f);

    block = quiet;
    block[20] = block[21] = block[22] = -1.0;  // three in a row, left only
    run(*path, {block, quiet}, 44100);
    EXPECT_EQ(path->meters.overL.load(), 1.0f);
    EXPECT_EQ(path->meters.overR.load(), 0.0f);

    // The editor clears the flag. A run that straddles two blocks counts as one: two samples
    // enter the kernel at the end of this block, the third at the start of the next.
    path->meters.overL = 0;
    block = quiet;
    block[190] = block[191] = block[192] = 1.0;
    run(*path, {block, quiet}, 44100);
    EXPECT_EQ(path->meters.overL.load(), 0.0f);
    run(*path, {quiet, quiet}, 44100);
    EXPECT_EQ(path->meters.overL.load(), 1.0f);

    // A block of 0 frames writes nothing and, with the counters restarted, raises nothing.
    path->meters.overL = 0;
    double untouched = 0.75;
    path->process(&untouched, &untouched, &untouched, &untouched, 0, 44100);
    EXPECT_EQ(untouched, 0.75);
    EXPECT_EQ(path->meters.overL.load(), 0.0f);
}

// With the compressor idle (quiet input, linear knee) the gain-reduction meter reads 1.0, in
// every kernel and both ballistics; with Process off too.
TEST(Metering, IdleGainReductionReadsOne) {
    for (float meterType : {0.0f, 1.0f}) {
        for (const KernelChoice& kernel : kKernels) {
            ProcessingValues values = defaultPreset();
            choose(values, kernel);
            values.meterType = meterType;
            values.meterSource = MeterGainReduction;
            values.leftRight = 0.5f;  // mono kernels: the right channel passes
            auto path = makePath(values, 44100);
            path->meters.meterEnabled = 1;
            const std::vector<double> quiet = sine(44100 * 3, 0.01, 440, 44100);
            run(*path, {quiet, quiet}, 44100);
            const std::string where = std::string(kernel.name) + (meterType > 0.5f ? " PPM" : " VU");
            EXPECT_NEAR(path->meters.meterL.load(), 1.0f, 1e-3f) << where;
            EXPECT_NEAR(path->meters.meterR.load(), 1.0f, 1e-3f) << where;
        }
    }
}

// Gain reduction under a loud signal: r = g * ceiling / smallSignalGain, so a driven input
// reads below 1 and the linked kernels show one gain on both meters.
TEST(Metering, LoudInputShowsReduction) {
    ProcessingValues values = defaultPreset();
    values.driveGain = 4;  // +12 dB into the curve: about 12 dB of reduction at full scale
    auto path = makePath(values, 44100);
    path->meters.meterEnabled = 1;
    const std::vector<double> loud = sine(44100 * 4, 1.0, 440, 44100);
    run(*path, {loud, sine(44100 * 4, 0.01, 440, 44100)}, 44100);
    EXPECT_NEAR(path->meters.meterL.load(), 0.25f, 0.02f);
    EXPECT_EQ(path->meters.meterL.load(), path->meters.meterR.load());
}

// PPM with 10 ms integration and 1000 ms return: G = 10^(0.19 * 0.01^0.6), about 1.028, so a
// steady level of 0.5 settles at 0.514 on the Pre meter; a sine with peaks at 0.5 a little
// below, since the 10 ms attack only partly catches each crest.
TEST(Metering, PpmPreSettlesAtTheLevelTimesItsGain) {
    const double gain = std::pow(10.0, 0.19 * std::pow(0.01, 0.6));
    EXPECT_NEAR(gain, 1.028, 1e-3);
    struct Case {
        const char* signal;
        double low, high;
    };
    const Case cases[] = {{"square", 0.5 * gain - 1e-4, 0.5 * gain + 1e-4}, {"sine", 0.49, 0.5 * gain}};
    for (const Case& c : cases) {
        ProcessingValues values = defaultPreset();
        values.meterType = 1;
        values.meterSource = MeterPre;
        values.ppmIntegrationMs = 10;
        values.ppmReturnMs = 1000;
        values.ppmTimeRatio = 0.01f;
        auto path = makePath(values, 44100);
        path->meters.meterEnabled = 1;
        std::vector<double> tone = sine(44100 * 2, 0.5, 1000, 44100);
        if (std::string(c.signal) == "square")
            for (double& x : tone) x = x < 0 ? -0.5 : 0.5;
        run(*path, {tone, tone}, 44100);
        EXPECT_GE(path->meters.meterL.load(), c.low) << c.signal;
        EXPECT_LE(path->meters.meterL.load(), c.high) << c.signal;
        EXPECT_EQ(path->meters.meterL.load(), path->meters.meterR.load()) << c.signal;
    }
}

// VU Pre: a steady sine whose peak equals the reference reads about 0.987.
TEST(Metering, VuPreReadsTheReferenceSineNearOne) {
    ProcessingValues values = defaultPreset();
    values.meterSource = MeterPre;
    auto path = makePath(values, 44100);
    path->meters.meterEnabled = 1;
    const std::vector<double> tone = sine(44100 * 4, values.vuReference, 1000, 44100);
    run(*path, {tone, tone}, 44100);
    EXPECT_NEAR(path->meters.meterL.load(), 0.987f, 0.01f);
}

// Mono routing: each meter follows its own output channel; the passing channel shows no
// reduction (its gain counts as the small-signal gain).
TEST(Metering, MonoRoutingMetersEachOutputChannel) {
    for (int multiband : {0, 1}) {
        ProcessingValues values = defaultPreset();
        values.monoStereo = 0;
        values.leftRight = 1;  // right processed, left passes
        values.multiband = multiband;
        values.mode = multiband;
        values.driveGain = 4;
        auto path = makePath(values, 44100);
        path->meters.meterEnabled = 1;
        const std::vector<double> loud = sine(44100 * 3, 1.0, 440, 44100);
        run(*path, {loud, loud}, 44100);
        EXPECT_NEAR(path->meters.meterL.load(), 1.0f, 1e-3f) << multiband;
        EXPECT_LT(path->meters.meterR.load(), 0.5f) << multiband;

        path->values.meterSource = MeterPre;  // left input only, right silent
        run(*path, {loud, std::vector<double>(loud.size(), 0.0)}, 44100);
        EXPECT_GT(path->meters.meterL.load(), 0.5f) << multiband;
        EXPECT_LT(path->meters.meterR.load(), 0.01f) << multiband;
    }
}

}  // namespace
