// A signal path set up the way the effect sets it up: the default preset's values, then the
// resume sequence at a given rate. Helpers to run whole signals through it in host blocks.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "effect/dsp/signal_path.h"
#include "effect/dsp/split_filters.h"

namespace testing_dsp {

// The default preset: Process on, single band, stereo, linked, every gain at 0 dB, Knee 0,
// Speed 1, Release 1.0x, HighFreq 16000 Hz, LowFreq 100 shown (50 Hz), Mix 100 %, Brickwall
// on, band Sat and Rel 1, fine 1.
inline ProcessingValues defaultPreset() {
    ProcessingValues v;
    v.processOn = 1;
    v.multiband = 0;
    v.mode = 0;
    v.monoStereo = 1;
    v.leftRight = 0;
    v.linked = 1;
    v.oversample = 0;
    v.longRelease = 0;
    v.autoRelease = 0;
    v.brickwall = 1;
    v.driveGain = v.lowAdjustGain = v.highAdjustGain = v.ceilingGain = v.outputGain = 1;
    v.kneeType = 0;
    v.kneeAmount = 0;
    v.speed = 1;
    v.release = 0.5;
    v.releaseFactor = 1;
    v.highCutoffHz = 16000;
    v.lowCutoffHz = 50;
    v.mixAmount = 1;
    v.bandSat = {1, 1, 1};
    v.bandSatInverse = {1, 1, 1};
    v.bandRel = {1, 1, 1};
    v.fineTuneScale = 1;
    v.meterSource = MeterGainReduction;
    v.meterType = 0;
    return v;
}

// What the parameter model derives from Knee, Drive and Ceiling.
inline void deriveCurveValues(ProcessingValues& v) {
    v.kneeScale = inverseCurve(v, static_cast<float>(1 / v.ceilingGain));
    v.smallSignalGain = smallSignalGain(v);
}

// The seven kernels by the switches that choose them.
struct KernelChoice {
    const char* name;
    int processOn;
    int multiband;
    float monoStereo;
    int linked;
};
inline constexpr KernelChoice kKernels[] = {
    {"Through", 0, 0, 1, 1},       {"SingleMono", 1, 0, 0, 1},   {"SingleLinked", 1, 0, 1, 1},
    {"SingleUnlinked", 1, 0, 1, 0}, {"MultiMono", 1, 1, 0, 1},    {"MultiLinked", 1, 1, 1, 1},
    {"MultiUnlinked", 1, 1, 1, 0},
};

inline void choose(ProcessingValues& v, const KernelChoice& kernel) {
    v.processOn = kernel.processOn;
    v.multiband = kernel.multiband;
    v.mode = kernel.multiband;
    v.monoStereo = kernel.monoStereo;
    v.linked = kernel.linked;
}

// Resume at `rate` with the values already in place, as the effect does.
inline void resume(SignalPath& path, double rate) {
    if (rate > 100000) path.values.oversample = 0;
    path.resetRingPositions(rate);
    path.clearBuffers();
    path.resetFilterStates();
    path.resetOversamplers();
    path.updateFilters(rate);
    path.updateDynamics(rate);
    path.resetVuFilters();
    path.resetMeterValues();
}

inline std::unique_ptr<SignalPath> makePath(const ProcessingValues& values, double rate) {
    auto path = std::make_unique<SignalPath>();
    path->values = values;
    deriveCurveValues(path->values);
    resume(*path, rate);
    return path;
}

struct Stereo {
    std::vector<double> left, right;
};

// Runs both channels through `path` in host blocks of `block` frames.
template <typename Sample = double>
Stereo run(SignalPath& path, const Stereo& input, double rate, int block = 512) {
    const std::size_t frames = input.left.size();
    std::vector<Sample> inL(input.left.begin(), input.left.end());
    std::vector<Sample> inR(input.right.begin(), input.right.end());
    std::vector<Sample> outL(frames), outR(frames);
    for (std::size_t start = 0; start < frames; start += static_cast<std::size_t>(block)) {
        const int count = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(block), frames - start));
        path.process(inL.data() + start, inR.data() + start, outL.data() + start, outR.data() + start,
                     count, rate);
    }
    return {{outL.begin(), outL.end()}, {outR.begin(), outR.end()}};
}

inline std::vector<double> sine(std::size_t frames, double amplitude, double frequencyHz, double rate,
                                double phase = 0) {
    std::vector<double> signal(frames);
    for (std::size_t i = 0; i < frames; ++i)
        signal[i] = amplitude * std::sin(2 * std::numbers::pi * frequencyHz * static_cast<double>(i) / rate + phase);
    return signal;
}

inline std::vector<double> noise(std::size_t frames, double deviation, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, deviation);
    std::vector<double> signal(frames);
    for (double& x : signal) x = gauss(random);
    return signal;
}

// The 15 Hz high-pass every processed path starts with, designed and run independently.
inline std::vector<double> highPassed15(const std::vector<double>& input, double rate) {
    DirectFormFilter filter;
    filter.designHighPass15(rate);
    std::vector<double> output(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) output[i] = filter.process(input[i], 0);
    return output;
}

// Largest |actual[i + delay] - gain * expected[i]| over the frames both cover.
inline double largestDifference(const std::vector<double>& actual, const std::vector<double>& expected,
                                std::size_t delay, double gain = 1) {
    double largest = 0;
    for (std::size_t i = 0; i + delay < actual.size() && i < expected.size(); ++i)
        largest = std::max(largest, std::fabs(actual[i + delay] - gain * expected[i]));
    return largest;
}

}  // namespace testing_dsp
