// The effect's signal path: work buffers, oversamplers, filters, rings, envelopes, the seven
// kernels and the meters. Knows nothing of the plug-in interface: the effect writes `values`
// from its parameters and calls the recomputation routines and `process`.
//
// Threads: `process` runs on the audio thread and never allocates, locks or does I/O. The
// recomputation routines run synchronously on whatever thread changes a parameter, as the
// effect's parameter model requires; `suspend`-time resets run while processing is stopped.
#pragma once

#include <atomic>

#include "effect/dsp/processing_values.h"

// Fields shared with the editor: written by the audio thread, read (and the over flags
// cleared) by the editor's idle. Relaxed atomics: plain-field behaviour without data races.
struct MeterFields {
    std::atomic<float> meterL{0};
    std::atomic<float> meterR{0};
    std::atomic<float> overL{0};
    std::atomic<float> overR{0};
    std::atomic<int> meterEnabled{0};
};

class SignalPath {
public:
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
    // Resume: ring write indices to their start, read indices from the current windows.
    void resetRingPositions(double sampleRate);
    // Suspend: VU filters reset; meter values, over counters and PPM smoothing zeroed.
    void resetVuFilters();
    void resetMeterValues();
    // VU Integr: cutoff 700 / ms Hz for both VU filters, then reset them.
    void setVuIntegration(double milliseconds);

    // One host block. Channel pointers are already resolved (never null); frames may be 0.
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                 double sampleRate);
    void process(const double* inL, const double* inR, double* outL, double* outR, int frames,
                 double sampleRate);
};

// Transfer-curve helpers the parameter model needs (single precision at the edges).
float inverseCurve(const ProcessingValues& values, float x);
float smallSignalGain(const ProcessingValues& values);
