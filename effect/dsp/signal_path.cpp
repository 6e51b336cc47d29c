#include "effect/dsp/signal_path.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxOversamplingRate = 100000;

struct SmoothingDesign {
    double cutoffHz;
};

// Fast and slow partners of each detector's automatic release, in Smoothing order.
constexpr SmoothingDesign kSmoothingDesigns[] = {
    {200}, {20}, {200}, {20}, {50}, {5}, {200}, {20}, {1000}, {100},
    {200}, {20}, {200}, {20}, {200}, {20},
};

// Host samples into a work buffer; anything not finite becomes silence (x - x is 0 only for
// finite x, a test the compiler can vectorise).
template <typename Sample>
void readFinite(const Sample* __restrict from, double* __restrict to, int n) {
    for (int i = 0; i < n; ++i) {
        const auto value = static_cast<double>(from[i]);
        to[i] = value - value == 0 ? value : 0.0;
    }
}

template <typename Sample>
void writeSamples(const double* __restrict from, Sample* __restrict to, int n) {
    for (int i = 0; i < n; ++i) to[i] = static_cast<Sample>(from[i]);
}

}  // namespace

SignalPath::SignalPath()
    : oversamplerLeft(std::make_unique<COversampler>()),
      oversamplerRight(std::make_unique<COversampler>()),
      oversamplingDelayLeft(kMaxDelayRing),
      oversamplingDelayRight(kMaxDelayRing),
      detectorRings(static_cast<std::size_t>(kDetectorRings) * kMaxDetectorRing),
      dryLeft(kMaxDelayRing),
      dryRight(kMaxDelayRing),
      wetLeft(kMaxDelayRing),
      wetRight(kMaxDelayRing) {
    maxima.assign(8, SlidingMaximum(kMaxDetectorRing));
    for (int i = 0; i < SmoothingCount; ++i)
        smoothing[static_cast<std::size_t>(i)] =
            std::make_unique<CBiquad>(44100, CBiquad::LowPass, kSmoothingDesigns[i].cutoffHz, 0.5);
    for (auto& vu : vuFilters) vu = std::make_unique<CBiquad>(44100, CBiquad::LowPass, 2, 0.583);
    meterChannels[0].vuFilter = vuFilters[0].get();
    meterChannels[1].vuFilter = vuFilters[1].get();
    envelopes.fill(kEnvelopeStart);
    resetRingPositions(44100);
}

SignalPath::~SignalPath() = default;

bool SignalPath::vectorKernelsAvailable() {
    // The processor check is initialised explicitly: in a library a host loads, nothing
    // guarantees that its constructor has already run.
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return available;
}

int SignalPath::delayRingSize(double sampleRate) {
    return sampleRate < 50000 ? 512 : sampleRate < 100000 ? 1024 : 2048;
}

int SignalPath::detectorRingSize(double sampleRate) {
    return sampleRate < 50000 ? 256 : sampleRate < 100000 ? 512 : 1024;
}

int SignalPath::latencySamples(double sampleRate) {
    return COversampler::kLatency + delayRingSize(sampleRate) + 1;
}

void SignalPath::updateFilters(double sampleRate) {
    double rate = sampleRate;
    if (rate > 200000 || rate < 22000 || !std::isfinite(rate)) rate = 44100;
    if (sampleRate > kMaxOversamplingRate) values.oversample = 0;
    const double processingRate = rate * (1 + values.oversample);

    for (auto& filter : smoothing) filter->setSampleRate(processingRate);
    for (auto& filter : vuFilters) filter->setSampleRate(processingRate);

    // Below 32 kHz the top HighFreq settings would lie above Nyquist: keep both splits under it.
    const double highestCutoff = 0.45 * processingRate;
    const double lowCutoff = std::min(values.lowCutoffHz, highestCutoff);
    const double highCutoff = std::min(values.highCutoffHz, highestCutoff);
    for (ChannelFilters& filters : channelFilters) {
        filters.highPass15.designHighPass15(processingRate);
        filters.lowSplit.designHighPass(lowCutoff, processingRate);
        filters.highSplit.designLowPass(highCutoff, processingRate);
    }
}

void SignalPath::updateDynamics(double sampleRate) {
    DynamicsValues& d = dynamicsValues;
    const double longRelease = values.longRelease;
    d.autoReleaseScale = 0.5 * std::pow(std::pow(16.0, values.release) * (15 * longRelease + 1), 0.25);
    if (sampleRate > kMaxOversamplingRate) values.oversample = 0;
    const double processingRate = sampleRate * (1 + values.oversample);
    const double speed = values.speed;

    // Windows are at least one sample and leave the rings room to look ahead.
    const int largestWindow = detectorRingSize(sampleRate) / 2;
    d.peakWindow = std::clamp(static_cast<int>(std::pow(16.0, speed) * 0.075 * 0.001 * processingRate),
                              1, largestWindow);
    d.attackCoef = 1 - std::pow(0.05, 1.0 / d.peakWindow);
    d.bandWindow = std::clamp(
        static_cast<int>((std::pow(14.0, speed) * 0.075 + 0.15) * 0.001 * processingRate), 1,
        largestWindow);
    d.bandAttackCoef = 1 - std::pow(0.05, 1.0 / d.bandWindow);

    // Release time in units of 0.65 ms.
    const double releaseUnits =
        std::pow(48.0, speed) * values.releaseFactor * (values.longRelease ? 17 : 1);
    d.releaseCoef = 1 - std::pow(0.05, 1 / (releaseUnits * 0.65 * 0.001 * processingRate));
    for (std::size_t band = 0; band < BandCount; ++band)
        d.bandReleaseCoef[band] =
            1 - std::pow(0.05, 1 / (releaseUnits * values.bandRel[band] * 0.65 * 0.001 * processingRate));

    const double exponent = speed * (longRelease * values.releaseFactor * 0.7139 * speed + 1) * (1 + longRelease);
    const double finalMs = 0.65 * std::pow(24.0, exponent) + 1.35;
    d.finalReleaseCoef = 1 - std::pow(0.05, 1 / (finalMs * 0.001 * processingRate));

    // The processed path already carries the detector look-ahead: read the wet ring ahead by it.
    d.wetOffset = d.peakWindow + 2 + (values.mode >= 0.5 ? d.bandWindow + 1 : 0);
}

void SignalPath::clearBuffers() {
    meters.overL = 0;
    meters.overR = 0;
    std::fill(detectorRings.begin(), detectorRings.end(), 0.0);
    for (SlidingMaximum& maximum : maxima) maximum.reset();
    for (auto* ring : {&dryLeft, &dryRight, &wetLeft, &wetRight, &oversamplingDelayLeft,
                       &oversamplingDelayRight})
        std::fill(ring->begin(), ring->end(), 0.0);
    for (auto* buffer : {&inputLeft, &inputRight, &outputLeft, &outputRight}) buffer->fill(0);
}

void SignalPath::resetFilterStates() {
    envelopes.fill(kEnvelopeStart);
    for (ChannelFilters& filters : channelFilters) filters.reset();
    for (auto& filter : smoothing) {
        filter->design();
        filter->reset();
    }
}

void SignalPath::resetOversamplers() {
    oversamplerLeft->reset();
    oversamplerRight->reset();
}

void SignalPath::resetRingPositions(double sampleRate) {
    delaySize = delayRingSize(sampleRate);
    detectorSize = detectorRingSize(sampleRate);
    delayWrite = delaySize - 1;
    oversamplingWrite = delaySize - 1;
    detectorWrite = detectorSize - 1;
}

void SignalPath::resetVuFilters() {
    for (auto& filter : vuFilters) {
        filter->reset();
        filter->design();
    }
}

void SignalPath::resetMeterValues() {
    meters.meterL = 0;
    meters.meterR = 0;
    for (MeterChannel& channel : meterChannels) {
        channel.value = 0;
        channel.overCounter = 0;
    }
}

void SignalPath::setVuIntegration(double milliseconds) {
    for (auto& filter : vuFilters) {
        filter->setCutoff(700 / milliseconds);
        filter->reset();
    }
}

// ---- The driver ------------------------------------------------------------------------------

void SignalPath::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                         double sampleRate) {
    processBlock(inL, inR, outL, outR, frames, sampleRate);
}

void SignalPath::process(const double* inL, const double* inR, double* outL, double* outR,
                         int frames, double sampleRate) {
    processBlock(inL, inR, outL, outR, frames, sampleRate);
}

template <typename Sample>
void SignalPath::processBlock(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                              int frames, double sampleRate) {
    if (sampleRate > kMaxOversamplingRate) values.oversample = 0;
    const int delayMask = delaySize - 1;

    for (int done = 0; done < frames;) {
        int n = std::min(kSubBlock, frames - done);
        readFinite(inL + done, inputLeft.data(), n);
        readFinite(inR + done, inputRight.data(), n);

        // One decision per sub-block, so up- and down-sampling always pair up.
        const bool oversample = values.oversample != 0;
        if (oversample) {
            oversamplerLeft->upsample(inputLeft.data(), n);
            oversamplerRight->upsample(inputRight.data(), n);
            n *= 2;
            // Delays the doubled-rate signal by delayRingSize - 3 samples to match the
            // latency of the path without oversampling.
            for (int i = 0; i < n; ++i) {
                const auto frame = static_cast<std::size_t>(i);
                oversamplingDelayLeft[static_cast<std::size_t>(oversamplingWrite)] = inputLeft[frame];
                oversamplingDelayRight[static_cast<std::size_t>(oversamplingWrite)] = inputRight[frame];
                oversamplingWrite = (oversamplingWrite + 1) & delayMask;
                const auto read = static_cast<std::size_t>((oversamplingWrite + 2) & delayMask);
                inputLeft[frame] = oversamplingDelayLeft[read];
                inputRight[frame] = oversamplingDelayRight[read];
            }
        } else {
            oversamplerLeft->inputDelay(inputLeft.data(), n);
            oversamplerRight->inputDelay(inputRight.data(), n);
        }

        runKernel(n, sampleRate * (oversample ? 2 : 1));

        if (oversample) {
            oversamplerLeft->downsample(outputLeft.data(), n / 2);
            oversamplerRight->downsample(outputRight.data(), n / 2);
            n /= 2;
            if (values.brickwall) {
                const double limit = values.outputGain;
                for (int i = 0; i < n; ++i) {
                    auto& left = outputLeft[static_cast<std::size_t>(i)];
                    auto& right = outputRight[static_cast<std::size_t>(i)];
                    left = std::clamp(left, -limit, limit);
                    right = std::clamp(right, -limit, limit);
                }
            }
        } else {
            oversamplerLeft->outputDelay(outputLeft.data(), n);
            oversamplerRight->outputDelay(outputRight.data(), n);
        }

        // Left first: when the host gives one output buffer for both, it ends up with the right.
        writeSamples(outputLeft.data(), outL + done, n);
        writeSamples(outputRight.data(), outR + done, n);
        done += n;
    }
    raiseOverFlags();
}

void SignalPath::raiseOverFlags() {
    const double overCount = values.overCount;
    std::atomic<float>* flags[2] = {&meters.overL, &meters.overR};
    for (int channel = 0; channel < 2; ++channel) {
        MeterChannel& meter = meterChannels[static_cast<std::size_t>(channel)];
        if (meter.overCounter >= overCount) {
            flags[channel]->store(1.0f, std::memory_order_relaxed);
            meter.overCounter = 0;
        }
    }
}

void SignalPath::runKernel(int frames, double processingRate) {
    // The meter constants cost three powers: only worth it while someone looks.
    const MeterSetup meter = meters.meterEnabled.load(std::memory_order_relaxed) != 0
                                 ? MeterSetup::from(values, processingRate)
                                 : MeterSetup{};
    if (!values.processOn)
        processThrough(frames, meter);
    else if (values.monoStereo > 0.5f) {
        if (values.linked)
            values.multiband ? processMultiLinked(frames, meter) : processSingleLinked(frames, meter);
        else
            values.multiband ? processMultiUnlinked(frames, meter) : processSingleUnlinked(frames, meter);
    } else {
        values.multiband ? processMultiMono(frames, meter) : processSingleMono(frames, meter);
    }
}
