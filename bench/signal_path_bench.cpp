// Realtime factor of each kernel: SignalPath::process on a stereo signal in 512-frame host
// blocks, reported as the counter "realtime" (audio seconds per CPU second).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "effect/dsp/signal_path.h"

namespace {

struct Kernel {
    const char* name;
    int processOn, multiband;
    float monoStereo;
    int linked;
};

constexpr Kernel kKernels[] = {
    {"Through", 0, 0, 1, 1},     {"SingleLinked", 1, 0, 1, 1}, {"SingleUnlinked", 1, 0, 1, 0},
    {"SingleMono", 1, 0, 0, 1},  {"MultiLinked", 1, 1, 1, 1},  {"MultiUnlinked", 1, 1, 1, 0},
    {"MultiMono", 1, 1, 0, 1},
};

// The default preset with the chosen kernel and Drive +6 dB (so the gain moves), resumed at `rate`.
std::unique_ptr<SignalPath> makePath(const Kernel& kernel, double rate, bool fat) {
    auto path = std::make_unique<SignalPath>();
    ProcessingValues& v = path->values;
    v.processOn = kernel.processOn;
    v.multiband = kernel.multiband;
    v.mode = kernel.multiband;
    v.monoStereo = kernel.monoStereo;
    v.linked = kernel.linked;
    v.oversample = fat && rate <= 100000;
    v.driveGain = 2;
    v.kneeScale = inverseCurve(v, static_cast<float>(1 / v.ceilingGain));
    v.smallSignalGain = smallSignalGain(v);
    path->resetRingPositions(rate);
    path->clearBuffers();
    path->resetFilterStates();
    path->resetOversamplers();
    path->updateFilters(rate);
    path->updateDynamics(rate);
    return path;
}

template <typename Sample>
struct TestSignal {
    static constexpr int kBlock = 512;
    std::vector<Sample> left, right;
    TestSignal() : left(kBlock * 64), right(kBlock * 64) {
        std::mt19937 random(42);
        std::normal_distribution<double> noise(0, 0.3);
        for (std::size_t i = 0; i < left.size(); ++i) {
            left[i] = static_cast<Sample>(noise(random) + 0.4 * std::sin(static_cast<double>(i) * 0.01));
            right[i] = static_cast<Sample>(noise(random) + 0.4 * std::sin(static_cast<double>(i) * 0.013));
        }
    }
};

template <typename Sample>
void processKernel(benchmark::State& state, const Kernel& kernel, double rate, bool fat) {
    const auto path = makePath(kernel, rate, fat);
    const TestSignal<Sample> signal;
    constexpr int kBlock = TestSignal<Sample>::kBlock;
    std::vector<Sample> outLeft(kBlock), outRight(kBlock);
    std::size_t offset = 0;
    for (auto _ : state) {
        path->process(signal.left.data() + offset, signal.right.data() + offset, outLeft.data(), outRight.data(),
                      kBlock, rate);
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        offset = (offset + kBlock) % signal.left.size();
    }
    const double audioSeconds = static_cast<double>(state.iterations()) * kBlock / rate;
    state.counters["realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}

const bool registered = [] {
    for (const Kernel& kernel : kKernels)
        for (double rate : {44100.0, 96000.0})
            for (bool fat : {false, true}) {
                const std::string setting = std::string(kernel.name) + "/" + std::to_string(static_cast<int>(rate)) +
                                            (fat ? "/FAT" : "/plain");
                benchmark::RegisterBenchmark((setting + "/32bit").c_str(), [=](benchmark::State& state) {
                    processKernel<float>(state, kernel, rate, fat);
                });
                benchmark::RegisterBenchmark((setting + "/64bit").c_str(), [=](benchmark::State& state) {
                    processKernel<double>(state, kernel, rate, fat);
                });
            }
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
