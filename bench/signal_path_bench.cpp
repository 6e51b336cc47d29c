// Realtime factor of each kernel for a stereo instance in 512-frame host blocks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "effect/core/calorvane.h"

namespace {

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Kernel {
    const char* name;
    float process, mode, monoStereo, link;
};

constexpr Kernel kKernels[] = {
    {"Through", 0, 0, 1, 1},        {"SingleLinked", 1, 0, 1, 1}, {"SingleUnlinked", 1, 0, 1, 0},
    {"SingleMono", 1, 0, 0, 1},     {"MultiLinked", 1, 1, 1, 1},  {"MultiUnlinked", 1, 1, 1, 0},
    {"MultiMono", 1, 1, 0, 1},
};

template <typename Sample>
void processKernel(benchmark::State& state, const Kernel& kernel, float rate, bool fat) {
    ::setenv("CALORVANE_SETTINGS_DIR", "/tmp/calorvane-bench-settings", 1);
    Calorvane effect(quietHost);
    effect.setSampleRate(rate);
    effect.setParameter(Param::Process, kernel.process);
    effect.setParameter(Param::Mode, kernel.mode);
    effect.setParameter(Param::MonoStereo, kernel.monoStereo);
    effect.setParameter(Param::Link, kernel.link);
    effect.setParameter(Param::FAT, fat ? 1.0f : 0.0f);
    effect.setParameter(Param::Drive, 0.7f);
    effect.resume();

    constexpr int kBlock = 512;
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0, 0.3);
    std::vector<Sample> left(kBlock * 64), right(kBlock * 64), outLeft(kBlock), outRight(kBlock);
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] = static_cast<Sample>(noise(random) + 0.4 * std::sin(i * 0.01));
        right[i] = static_cast<Sample>(noise(random) + 0.4 * std::sin(i * 0.013));
    }
    std::size_t offset = 0;
    for (auto _ : state) {
        Sample* inputs[2] = {left.data() + offset, right.data() + offset};
        Sample* outputs[2] = {outLeft.data(), outRight.data()};
        if constexpr (sizeof(Sample) == sizeof(float))
            effect.processReplacing(inputs, outputs, kBlock);
        else
            effect.processDoubleReplacing(inputs, outputs, kBlock);
        benchmark::DoNotOptimize(outLeft.data());
        offset = (offset + kBlock) % left.size();
    }
    const double audioSeconds = static_cast<double>(state.iterations()) * kBlock / rate;
    state.counters["realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}

const bool registered = [] {
    for (const Kernel& kernel : kKernels)
        for (float rate : {44100.0f, 96000.0f})
            for (bool fat : {false, true})
                for (bool useDouble : {false, true}) {
                    const std::string name = std::string(kernel.name) + "/" +
                                             std::to_string(static_cast<int>(rate)) +
                                             (fat ? "/FAT" : "/plain") + (useDouble ? "/64bit" : "/32bit");
                    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
                        if (useDouble)
                            processKernel<double>(state, kernel, rate, fat);
                        else
                            processKernel<float>(state, kernel, rate, fat);
                    });
                }
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
