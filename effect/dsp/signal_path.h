// The effect's signal path: work buffers, oversamplers, filters, rings, envelopes, the seven
// kernels and the meters. Knows nothing of the plug-in interface: the effect writes `values`
// from its parameters and calls the recomputation routines and `process`.
//
// Threads: `process` runs on the audio thread and never allocates, locks or does I/O. The
// recomputation routines run synchronously on whatever thread changes a parameter; the
// suspend-time resets run while processing is stopped. Everything is allocated here, in the
// constructor.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "effect/dsp/biquad.h"
#include "effect/dsp/metering.h"
#include "effect/dsp/oversampler.h"
#include "effect/dsp/processing_values.h"
#include "effect/dsp/sliding_maximum.h"
#include "effect/dsp/split_filters.h"

// Fields shared with the editor: written by the audio thread, read (and the over flags
// cleared) by the editor's idle. Relaxed atomics: plain-field behaviour without data races.
struct MeterFields {
    std::atomic<float> meterL{0};
    std::atomic<float> meterR{0};
    std::atomic<float> overL{0};
    std::atomic<float> overR{0};
    std::atomic<int> meterEnabled{0};
};

// Windows and coefficients of the detectors and envelopes, computed by updateDynamics.
struct DynamicsValues {
    int peakWindow = 1;   // look-ahead of the peak detector, samples at the processing rate
    int bandWindow = 1;   // look-ahead of the final stage of the three-band kernels
    int wetOffset = 3;    // wet read index ahead of the delay write index
    double attackCoef = 1;
    double bandAttackCoef = 1;
    double releaseCoef = 1;
    std::array<double, BandCount> bandReleaseCoef{1, 1, 1};
    double finalReleaseCoef = 1;
    double autoReleaseScale = 1;
};

class SignalPath {
public:
    static constexpr int kSubBlock = 64;
    static constexpr int kMaxDelayRing = 2048;
    static constexpr int kMaxDetectorRing = 1024;
    static constexpr int kDetectorRings = 16;
    static constexpr int kEnvelopes = 8;
    static constexpr double kEnvelopeStart = 0.0001;

    SignalPath();
    ~SignalPath();
    SignalPath(const SignalPath&) = delete;
    SignalPath& operator=(const SignalPath&) = delete;

    ProcessingValues values;
    MeterFields meters;

    // Ring sizes and latency depend only on the host rate.
    static int delayRingSize(double sampleRate);
    static int detectorRingSize(double sampleRate);
    static int latencySamples(double sampleRate);

    void updateFilters(double sampleRate);
    void updateDynamics(double sampleRate);
    void clearBuffers();
    void resetFilterStates();
    void resetOversamplers();
    // Resume: ring write indices back to their start for the rate's ring sizes.
    void resetRingPositions(double sampleRate);
    // Suspend: VU filters reset; meter values, over counters and PPM smoothing zeroed.
    void resetVuFilters();
    void resetMeterValues();
    // VU Integr: cutoff 700 / ms Hz for both VU filters, then reset them.
    void setVuIntegration(double milliseconds);

    // One host block. Channel pointers are resolved by the caller (never null); a block of 0
    // frames still raises the over flags.
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                 double sampleRate);
    void process(const double* inL, const double* inR, double* outL, double* outR, int frames,
                 double sampleRate);

    const DynamicsValues& dynamics() const { return dynamicsValues; }

    // The AVX build of the kernels runs where the processor has AVX; both give the same bits.
    // Tests turn it off to compare the two.
    void useVectorKernels(bool on) { vectorKernels = on && vectorKernelsAvailable(); }
    static bool vectorKernelsAvailable();

private:
    enum class Layout { Mono, Linked, Unlinked };
    enum Smoothing {
        MainFast, MainSlow, MainRightFast, MainRightSlow, LowFast, LowSlow, MidFast, MidSlow,
        HighFast, HighSlow, LowRightFast, LowRightSlow, MidRightFast, MidRightSlow, HighRightFast,
        HighRightSlow, SmoothingCount
    };

    template <typename Sample>
    void processBlock(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int frames,
                      double sampleRate);
    void runKernel(int frames, double processingRate);

    // The seven kernels; each reads the input work buffers and fills both output buffers.
    void processThrough(int frames, const MeterSetup& meter);
    void processSingleMono(int frames, const MeterSetup& meter);
    void processSingleLinked(int frames, const MeterSetup& meter);
    void processSingleUnlinked(int frames, const MeterSetup& meter);
    void processMultiMono(int frames, const MeterSetup& meter);
    void processMultiLinked(int frames, const MeterSetup& meter);
    void processMultiUnlinked(int frames, const MeterSetup& meter);
    // Inlined into both builds of each kernel entry: plain x86-64 and AVX.
    template <Layout layout>
    [[gnu::always_inline]] inline void processSingle(int frames, const MeterSetup& meter);
    template <Layout layout>
    [[gnu::always_inline]] inline void processMulti(int frames, const MeterSetup& meter);
    template <Layout layout>
    [[gnu::target("avx")]] void processSingleAvx(int frames, const MeterSetup& meter);
    template <Layout layout>
    [[gnu::target("avx")]] void processMultiAvx(int frames, const MeterSetup& meter);

    double* detectorRing(int ring) { return detectorRings.data() + ring * kMaxDetectorRing; }
    void raiseOverFlags();

    DynamicsValues dynamicsValues;
    bool vectorKernels = vectorKernelsAvailable();

    // Work buffers: one sub-block, doubled when oversampling.
    std::array<double, 512> inputLeft{}, inputRight{}, outputLeft{}, outputRight{};

    std::unique_ptr<COversampler> oversamplerLeft, oversamplerRight;
    std::vector<double> oversamplingDelayLeft, oversamplingDelayRight;
    int oversamplingWrite = 0;

    std::vector<double> detectorRings;  // look-ahead rings of kMaxDetectorRing
    // Peak maxima: single band left (or shared) and right, then three bands for left (or
    // shared) and three for right. The three-band final stage shares the first two.
    std::vector<SlidingMaximum> maxima;
    std::vector<double> dryLeft, dryRight, wetLeft, wetRight;
    int delaySize = 512;
    int detectorSize = 256;
    int detectorWrite = 255;
    int delayWrite = 511;

    std::array<double, kEnvelopes> envelopes{};
    std::array<ChannelFilters, 2> channelFilters;
    std::array<std::unique_ptr<CBiquad>, SmoothingCount> smoothing;
    std::array<std::unique_ptr<CBiquad>, 2> vuFilters;
    double denormalOffset = 1e-16;

    std::array<MeterChannel, 2> meterChannels;

    // Per-frame values handed from one kernel pass to the next. Chunks of kStageChunk frames
    // keep every look-ahead read behind the writes of its own chunk.
    static constexpr int kStageChunk = 64;
    std::array<std::array<double, kStageChunk>, 10> stageScratch{};
};

// Transfer-curve helpers the parameter model needs (single precision at the edges).
float inverseCurve(const ProcessingValues& values, float x);
float smallSignalGain(const ProcessingValues& values);
