// Windows, meters and over flags of the signal path, driven through the effect's parameters.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "effect/core/calorvane.h"
#include "tests/support/temp_settings.h"

namespace {

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class SignalPathTest : public ::testing::Test {
protected:
    // Runs `frames` of a signal through the effect in host blocks of 512.
    template <typename Generator>
    std::vector<float> run(int frames, Generator signal) {
        std::vector<float> in(static_cast<std::size_t>(frames)), left(in.size()), right(in.size());
        for (int i = 0; i < frames; ++i) in[static_cast<std::size_t>(i)] = static_cast<float>(signal(i));
        for (int start = 0; start < frames; start += 512) {
            const int count = std::min(512, frames - start);
            float* inputs[2] = {in.data() + start, in.data() + start};
            float* outputs[2] = {left.data() + start, right.data() + start};
            effect.processReplacing(inputs, outputs, count);
        }
        return left;
    }

    TempSettings settings;
    Calorvane effect{quietHost};
};

TEST_F(SignalPathTest, DetectorWindowsFollowSpeedAndRate) {
    struct WindowCase {
        float speed;
        float fat;
        int peakWindow;
        int bandWindow;
    };
    const WindowCase cases[] = {{0, 0, 3, 9},   {0.5f, 0, 13, 18},  {1, 0, 52, 52},
                                {0, 1, 6, 19},  {0.5f, 1, 26, 37},  {1, 1, 105, 105}};
    effect.setSampleRate(44100);
    for (const WindowCase& c : cases) {
        effect.setParameter(Param::FAT, c.fat);
        effect.setParameter(Param::Speed, c.speed);
        EXPECT_EQ(effect.dynamics().peakWindow, c.peakWindow) << c.speed << " FAT " << c.fat;
        EXPECT_EQ(effect.dynamics().bandWindow, c.bandWindow) << c.speed << " FAT " << c.fat;
    }
}

TEST_F(SignalPathTest, ClosedEditorLeavesTheMetersAlone) {
    effect.meters().meterEnabled = 0;
    run(4096, [](int i) { return 1.2 * std::sin(i * 0.1); });
    EXPECT_EQ(effect.meters().meterL.load(), 0.0f);
    EXPECT_EQ(effect.meters().meterR.load(), 0.0f);
    EXPECT_EQ(effect.meters().overL.load(), 0.0f);
}

TEST_F(SignalPathTest, OverNeedsOverIndicSamplesInARow) {
    effect.meters().meterEnabled = 1;
    effect.setParameter(Param::Meters, 0);        // Pre: the input is watched
    effect.setParameter(Param::OverIndic, 2.0f / 9);  // 3 samples
    const auto burst = [](int run) { return [run](int i) { return i < run ? 1.0 : 0.5; }; };
    const auto quiet = [](int) { return 0.5; };
    // The kernel sees the input one 64-sample delay later: the flag rises after the next block.
    run(64, burst(2));
    run(64, quiet);
    EXPECT_EQ(effect.meters().overL.load(), 0.0f) << "two samples at full scale are not an over";
    run(64, burst(3));
    run(64, quiet);
    EXPECT_EQ(effect.meters().overL.load(), 1.0f);
    EXPECT_EQ(effect.meters().overR.load(), 1.0f);
}

TEST_F(SignalPathTest, GainReductionReadsOneWhileTheCompressorIsIdle) {
    effect.meters().meterEnabled = 1;
    effect.setParameter(Param::Meters, 0.5f);
    run(44100, [](int i) { return 0.01 * std::sin(i * 0.05); });
    EXPECT_NEAR(effect.meters().meterL.load(), 1.0f, 1e-3);
    effect.setParameter(Param::MeterType, 1);  // PPM
    run(44100, [](int i) { return 0.01 * std::sin(i * 0.05); });
    EXPECT_NEAR(effect.meters().meterL.load(), 1.0f, 1e-3);
    effect.setParameter(Param::Process, 0);    // passing through reads no reduction either
    run(44100, [](int i) { return 0.5 * std::sin(i * 0.05); });
    EXPECT_NEAR(effect.meters().meterL.load(), 1.0f, 1e-3);
}

TEST_F(SignalPathTest, PpmSettlesAboveASteadyLevelByItsGain) {
    effect.meters().meterEnabled = 1;
    effect.setParameter(Param::Meters, 0);
    effect.setParameter(Param::MeterType, 1);
    effect.setParameter(Param::PpmIntegr, static_cast<float>(std::log(11.0) / std::log(101.0)));  // 10 ms
    effect.setParameter(Param::PpmReturn, 0.5f);                                                  // 1000 ms
    // A square wave keeps |x| at 0.5: the reading settles at G * 0.5, G = 10^(0.19 * 0.01^0.6).
    run(3 * 44100, [](int i) { return (i / 22) % 2 ? 0.5 : -0.5; });
    EXPECT_NEAR(effect.meters().meterL.load(), 0.5 * std::pow(10.0, 0.19 * std::pow(0.01, 0.6)), 1e-4);
    EXPECT_NEAR(effect.meters().meterL.load(), 0.514f, 0.001f);
}

TEST_F(SignalPathTest, VuReadsAboutOneForASineAtTheReference) {
    effect.meters().meterEnabled = 1;
    effect.setParameter(Param::Meters, 0);
    effect.setParameter(Param::VuRefer, 0.5f);  // reference 0.2475
    const double peak = effect.processingValues().vuReference;
    run(5 * 44100, [peak](int i) { return peak * std::sin(2 * std::numbers::pi * 1000 * i / 44100); });
    EXPECT_NEAR(effect.meters().meterL.load(), 0.987f, 0.01f);
}

TEST_F(SignalPathTest, NonFiniteInputIsSilenceAndDoesNotPoisonTheState) {
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const auto out = run(2048, [&](int i) { return i % 7 == 0 ? (i % 2 ? nan : inf) : 0.25f; });
    for (float sample : out) ASSERT_TRUE(std::isfinite(sample));
    const auto later = run(4096, [](int i) { return 0.25 * std::sin(i * 0.05); });
    for (float sample : later) ASSERT_TRUE(std::isfinite(sample));
}

}  // namespace
