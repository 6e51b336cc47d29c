// Placeholder until the filters, oversampler and kernels land: a plain copy with the
// reported latency's ring sizes.
#include "effect/dsp/signal_path.h"

#include <algorithm>

SignalPath::SignalPath() = default;
SignalPath::~SignalPath() = default;

int SignalPath::delayRingSize(double sampleRate) {
    return sampleRate < 50000 ? 512 : sampleRate < 100000 ? 1024 : 2048;
}
int SignalPath::detectorRingSize(double sampleRate) { return delayRingSize(sampleRate) / 2; }
int SignalPath::latencySamples(double sampleRate) { return 126 + delayRingSize(sampleRate) + 1; }

void SignalPath::updateFilters(double) {}
void SignalPath::updateDynamics(double) {}
void SignalPath::clearBuffers() {
    meters.overL = 0;
    meters.overR = 0;
}
void SignalPath::resetFilterStates() {}
void SignalPath::resetOversamplers() {}
void SignalPath::resetRingPositions(double) {}
void SignalPath::resetVuFilters() {}
void SignalPath::resetMeterValues() {
    meters.meterL = 0;
    meters.meterR = 0;
}
void SignalPath::setVuIntegration(double) {}

void SignalPath::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                         double) {
    if (frames <= 0) return;
    std::copy(inL, inL + frames, outL);
    std::copy(inR, inR + frames, outR);
}
void SignalPath::process(const double* inL, const double* inR, double* outL, double* outR,
                         int frames, double) {
    if (frames <= 0) return;
    std::copy(inL, inL + frames, outL);
    std::copy(inR, inR + frames, outR);
}

float inverseCurve(const ProcessingValues&, float x) { return x; }
float smallSignalGain(const ProcessingValues&) { return 1.0f; }
