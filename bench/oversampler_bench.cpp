// The oversampler against its first, plainly written version: speed of up- plus down-sampling
// a stereo block, and the largest difference between their outputs (rounding only).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/baseline/reference_oversampler.h"
#include "effect/dsp/oversampler.h"

namespace {

template <typename Oversampler>
void upAndDown(benchmark::State& state) {
    Oversampler left, right;
    double blockLeft[128], blockRight[128];
    long frames = 0;
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) {
            blockLeft[i] = std::sin((frames + i) * 0.01);
            blockRight[i] = std::sin((frames + i) * 0.013);
        }
        left.upsample(blockLeft, 64);
        right.upsample(blockRight, 64);
        left.downsample(blockLeft, 64);
        right.downsample(blockRight, 64);
        benchmark::DoNotOptimize(blockLeft);
        frames += 64;
    }
    state.counters["realtime"] = benchmark::Counter(frames / 44100.0, benchmark::Counter::kIsRate);

    // Same input through both versions: the results agree within rounding.
    ReferenceOversampler reference;
    COversampler fast;
    double largest = 0;
    for (int block = 0; block < 64; ++block) {
        double a[128], b[128];
        for (int i = 0; i < 64; ++i) a[i] = b[i] = std::sin((block * 64 + i) * 0.05);
        reference.upsample(a, 64);
        fast.upsample(b, 64);
        reference.downsample(a, 64);
        fast.downsample(b, 64);
        for (int i = 0; i < 64; ++i) largest = std::max(largest, std::fabs(a[i] - b[i]));
    }
    state.counters["max_difference"] = largest;
}

BENCHMARK(upAndDown<ReferenceOversampler>)->Name("Oversampler/reference");
BENCHMARK(upAndDown<COversampler>)->Name("Oversampler/vectorised");

}  // namespace
