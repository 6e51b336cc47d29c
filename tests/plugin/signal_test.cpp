// The sound as a host hears it: latency, block independence, mixing, look-ahead and limits.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "effect/dsp/split_filters.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

using Setting = std::pair<int, float>;

struct Stereo {
    std::vector<double> left, right;
};

std::unique_ptr<host::VstPlugin> preparedPlugin(float rate, const std::vector<Setting>& settings,
                                                const host::HostConfig& config = {}) {
    auto plugin = loadPlugin(config);
    if (plugin == nullptr) return nullptr;
    plugin->setRecording(false);
    plugin->setSampleRate(rate);
    for (const auto& [index, value] : settings) plugin->setParameter(index, value);
    plugin->resume();
    return plugin;
}

// Renders `input` (both channels) through the plug-in in host blocks of `block` frames.
Stereo render(host::VstPlugin& plugin, const Stereo& input, int block, bool useDouble = false) {
    const std::size_t frames = input.left.size();
    Stereo output{std::vector<double>(frames), std::vector<double>(frames)};
    std::vector<float> inL(frames), inR(frames), outL(frames), outR(frames);
    std::vector<double> inLD = input.left, inRD = input.right;
    for (std::size_t i = 0; i < frames; ++i) {
        inL[i] = static_cast<float>(input.left[i]);
        inR[i] = static_cast<float>(input.right[i]);
    }
    for (std::size_t start = 0; start < frames; start += static_cast<std::size_t>(block)) {
        const auto count = static_cast<VstInt32>(std::min<std::size_t>(static_cast<std::size_t>(block), frames - start));
        if (useDouble) {
            double* inputs[2] = {inLD.data() + start, inRD.data() + start};
            double* outputs[2] = {output.left.data() + start, output.right.data() + start};
            plugin.processDouble(inputs, outputs, count);
        } else {
            float* inputs[2] = {inL.data() + start, inR.data() + start};
            float* outputs[2] = {outL.data() + start, outR.data() + start};
            plugin.process(inputs, outputs, count);
        }
    }
    if (!useDouble)
        for (std::size_t i = 0; i < frames; ++i) {
            output.left[i] = outL[i];
            output.right[i] = outR[i];
        }
    return output;
}

Stereo sine(std::size_t frames, double rate, double hz, double amplitude) {
    Stereo signal{std::vector<double>(frames), std::vector<double>(frames)};
    for (std::size_t i = 0; i < frames; ++i) {
        signal.left[i] = amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / rate);
        signal.right[i] = amplitude * std::sin(2 * std::numbers::pi * hz * 1.5 * static_cast<double>(i) / rate);
    }
    return signal;
}

Stereo music(std::size_t frames, double amplitude, unsigned seed = 7) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, 1);
    Stereo signal{std::vector<double>(frames), std::vector<double>(frames)};
    for (std::size_t i = 0; i < frames; ++i) {
        const double burst = std::exp(-static_cast<double>(i % 11025) / 2000.0);
        signal.left[i] = amplitude * (0.5 * std::sin(i * 0.031) + 0.5 * burst * noise(random));
        signal.right[i] = amplitude * (0.5 * std::sin(i * 0.047) + 0.5 * burst * noise(random));
    }
    return signal;
}

double rms(const std::vector<double>& x, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += x[i] * x[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(Signal, ProcessOffIsAnExactDelayOfTheReportedLatency) {
    TempSettings settings;
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        auto plugin = preparedPlugin(rate, {{0, 0}});
        ASSERT_NE(plugin, nullptr);
        const int latency = plugin->latency();
        Stereo impulse{std::vector<double>(4096), std::vector<double>(4096)};
        impulse.left[10] = 1.0;
        impulse.right[20] = -0.5;
        const Stereo out = render(*plugin, impulse, 512);
        for (std::size_t i = 0; i < out.left.size(); ++i) {
            // Exact but for the 1e-16 anti-denormal offset.
            ASSERT_NEAR(out.left[i], i == 10u + static_cast<std::size_t>(latency) ? 1.0 : 0.0, 1e-15) << rate << " " << i;
            ASSERT_NEAR(out.right[i], i == 20u + static_cast<std::size_t>(latency) ? -0.5 : 0.0, 1e-15) << rate << " " << i;
        }
    }
}

TEST(Signal, OversamplingKeepsTheLatency) {
    TempSettings settings;
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        auto plugin = preparedPlugin(rate, {{0, 0}, {26, 1}});
        ASSERT_NE(plugin, nullptr);
        const int latency = plugin->latency();
        Stereo impulse{std::vector<double>(8192), std::vector<double>(8192)};
        impulse.left[100] = 1.0;
        impulse.right[100] = 1.0;
        const Stereo out = render(*plugin, impulse, 256);
        const auto peak = std::max_element(out.left.begin(), out.left.end(),
                                           [](double a, double b) { return std::fabs(a) < std::fabs(b); });
        EXPECT_EQ(peak - out.left.begin(), 100 + latency) << rate;
        // Linear phase: the band-limited impulse is symmetric around its peak.
        const std::size_t centre = static_cast<std::size_t>(peak - out.left.begin());
        for (std::size_t k = 1; k < 60; ++k)
            EXPECT_NEAR(out.left[centre - k], out.left[centre + k], 1e-6) << rate << " " << k;
    }
}

TEST(Signal, BlockSizeDoesNotChangeTheOutput) {
    TempSettings settings;
    const Stereo input = music(20000, 0.8);
    for (float fat : {0.0f, 1.0f})
        for (float mode : {0.0f, 1.0f}) {
            const std::vector<Setting> setup = {{26, fat}, {1, mode}, {4, 0.7f}};
            auto whole = preparedPlugin(44100, setup);
            auto small = preparedPlugin(44100, setup);
            auto odd = preparedPlugin(44100, setup);
            const Stereo a = render(*whole, input, 1000);
            const Stereo b = render(*small, input, 64);
            const Stereo c = render(*odd, input, 37);
            for (std::size_t i = 0; i < a.left.size(); ++i) {
                ASSERT_EQ(a.left[i], b.left[i]) << i;
                ASSERT_EQ(a.right[i], b.right[i]) << i;
                ASSERT_EQ(a.left[i], c.left[i]) << i;
            }
        }
}

TEST(Signal, DoublePrecisionMatchesSinglePrecisionWithinFloatRounding) {
    TempSettings settings;
    const Stereo input = music(8192, 0.5);
    auto single = preparedPlugin(44100, {{4, 0.75f}});
    auto twice = preparedPlugin(44100, {{4, 0.75f}});
    const Stereo a = render(*single, input, 512, false);
    const Stereo b = render(*twice, input, 512, true);
    for (std::size_t i = 0; i < a.left.size(); ++i) ASSERT_NEAR(a.left[i], b.left[i], 1e-5) << i;
}

TEST(Signal, OneConnectedInputFeedsBothChannels) {
    TempSettings settings;
    host::HostConfig config;
    config.inputConnected[1] = false;
    auto plugin = preparedPlugin(44100, {{0, 0}}, config);
    ASSERT_NE(plugin, nullptr);
    Stereo input = sine(4096, 44100, 440, 0.5);
    const Stereo out = render(*plugin, input, 512);
    const auto latency = static_cast<std::size_t>(plugin->latency());
    for (std::size_t i = 0; i + latency < out.right.size(); ++i)
        ASSERT_NEAR(out.right[i + latency], static_cast<float>(input.left[i]), 1e-15);
}

TEST(Signal, HalfMixShowsNoCombFilteringWithOrWithoutOversampling) {
    TempSettings settings;
    for (float fat : {0.0f, 1.0f})
        for (float hz : {1000.0f, 5000.0f, 12000.0f}) {
            auto plugin = preparedPlugin(44100, {{12, 0.5f}, {26, fat}});
            const Stereo input = sine(32768, 44100, hz, 0.1);
            const Stereo out = render(*plugin, input, 512);
            const double ratio = rms(out.left, 16384, 32768) / rms(input.left, 16384, 32768);
            EXPECT_NEAR(20 * std::log10(ratio), 0.0, 0.1) << "FAT " << fat << " at " << hz << " Hz";
        }
}

// The output is the input through the kernel's 15 Hz high-pass, delayed by the latency, from
// sample `settled` on.
void expectHighPassedCopy(host::VstPlugin& plugin, const Stereo& input, std::size_t settled) {
    const Stereo out = render(plugin, input, 512);
    const auto latency = static_cast<std::size_t>(plugin.latency());
    DirectFormFilter highPass;
    highPass.designHighPass15(44100);
    for (std::size_t i = 0; i + latency < input.left.size(); ++i) {
        const double expected = highPass.process(input.left[i], 0);
        if (i >= settled) {
            ASSERT_NEAR(out.left[i + latency], expected, 2e-6) << i;
        }
    }
}

TEST(Signal, NeutralSingleBandPassesAQuietSineUnchanged) {
    TempSettings settings;
    auto plugin = preparedPlugin(44100, {});
    expectHighPassedCopy(*plugin, sine(16384, 44100, 1000, 0.1), 4096);  // -20 dBFS
}

TEST(Signal, NeutralThreeBandsReproduceTheInput) {
    TempSettings settings;
    // Knee 0, 0 dB gains, every band's Sat at +12 dB, Brickwall off, Mix 100 %.
    auto plugin = preparedPlugin(44100, {{1, 1}, {15, 1}, {16, 1}, {17, 1}, {29, 0}});
    expectHighPassedCopy(*plugin, music(16384, 0.45), 0);
}

struct KernelCase {
    const char* what;
    std::vector<Setting> settings;
};

const std::vector<KernelCase>& processingKernels() {
    static const std::vector<KernelCase> kernels = {
        {"single linked", {{1, 0}, {3, 1}}},
        {"single unlinked", {{1, 0}, {3, 0}}},
        {"multi linked", {{1, 1}, {3, 1}}},
        {"multi unlinked", {{1, 1}, {3, 0}}},
        {"single mono", {{1, 0}, {2, 0}}},
        {"multi mono", {{1, 1}, {2, 0}}},
    };
    return kernels;
}

TEST(Signal, ZeroMixIsTheDelayedInputTimesOutput) {
    TempSettings settings;
    const Stereo input = music(8192, 0.9);
    for (const KernelCase& kernel : processingKernels()) {
        auto setup = kernel.settings;
        setup.push_back({12, 0});       // Mix 0 %
        setup.push_back({14, 0.75f});   // Output +6 dB
        setup.push_back({4, 0.9f});     // plenty of drive, which must not be heard
        setup.push_back({30, 0.5f});    // mono kernels: left processed, right passes
        auto plugin = preparedPlugin(44100, setup);
        const Stereo out = render(*plugin, input, 512);
        const auto latency = static_cast<std::size_t>(plugin->latency());
        const double gain = std::pow(4.0, 0.5);
        for (std::size_t i = 0; i + latency < input.left.size(); ++i) {
            // The single-band mono kernel's processed channel carries its 15 Hz high-pass.
            if (kernel.what != std::string("single mono")) {
                ASSERT_NEAR(out.left[i + latency], gain * static_cast<float>(input.left[i]), 1e-6) << kernel.what;
            }
            ASSERT_NEAR(out.right[i + latency], gain * static_cast<float>(input.right[i]), 1e-6) << kernel.what;
        }
    }
}

TEST(Signal, MonoRoutingLeavesTheOtherChannelUntouched) {
    TempSettings settings;
    const Stereo input = music(8192, 1.5);
    for (float leftRight : {0.5f, 1.0f}) {
        auto plugin = preparedPlugin(44100, {{2, 0}, {30, leftRight}, {4, 1}, {13, 0.2f}});
        const Stereo out = render(*plugin, input, 512);
        const auto latency = static_cast<std::size_t>(plugin->latency());
        const auto& passed = leftRight < 0.66f ? out.right : out.left;
        const auto& source = leftRight < 0.66f ? input.right : input.left;
        for (std::size_t i = 0; i + latency < source.size(); ++i)
            ASSERT_EQ(static_cast<float>(passed[i + latency]), static_cast<float>(source[i])) << leftRight << " " << i;
    }
}

TEST(Signal, LookAheadCatchesASingleFullScaleSample) {
    TempSettings settings;
    // Drive +24 dB makes the idle gain about 16; only the look-ahead keeps the spike near 1.
    auto plugin = preparedPlugin(44100, {{4, 1}, {29, 0}});
    Stereo input{std::vector<double>(8192, 0.0), std::vector<double>(8192, 0.0)};
    input.left[4000] = 1.0;
    input.right[4000] = 1.0;
    const Stereo out = render(*plugin, input, 512);
    const auto latency = static_cast<std::size_t>(plugin->latency());
    EXPECT_LT(std::fabs(out.left[4000 + latency]), 1.1);
    EXPECT_GT(std::fabs(out.left[4000 + latency]), 0.5);
}

TEST(Signal, BrickwallBoundsEveryProcessingKernel) {
    TempSettings settings;
    const Stereo input = music(16384, 4.0);  // about +12 dBFS peaks
    for (const KernelCase& kernel : processingKernels())
        for (float ceiling : {0.5f, 0.3f}) {
            auto setup = kernel.settings;
            setup.push_back({13, ceiling});
            setup.push_back({14, 0.6f});
            setup.push_back({4, 0.8f});
            auto plugin = preparedPlugin(44100, setup);
            const Stereo out = render(*plugin, input, 512);
            const double ceilingGain = std::pow(16.0, ceiling) / 4;
            const double outputGain = std::pow(16.0, 0.6) / 4;
            double peak = 0;
            for (std::size_t i = 0; i < out.left.size(); ++i)
                peak = std::max({peak, std::fabs(out.left[i]), std::fabs(out.right[i])});
            EXPECT_LE(peak, ceilingGain * outputGain * (1 + 1e-6)) << kernel.what << " ceiling " << ceiling;
            EXPECT_GT(peak, 0.5 * ceilingGain * outputGain) << kernel.what;
        }
}

}  // namespace
