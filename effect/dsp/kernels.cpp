// The seven processing kernels. Each runs one pass per sample over a sub-block: 15 Hz
// high-pass, tone shaping or band split, look-ahead peak detection, envelope, transfer curve,
// clamp, ceiling, dry/wet mix and output gain. Values and indices are loaded into locals at
// the top and stored back at the end; the per-sample steps they share are written once here.
#include <algorithm>
#include <cmath>

#include "effect/dsp/signal_path.h"
#include "effect/dsp/transfer_curve.h"

namespace {

constexpr double kDetectorHeadroom = 1.0115795;  // the detector reads 0.1 dB hot
constexpr double kDetectorFloor = 0.0009766;     // about -60 dB: silence still gets a gain
constexpr double kEnvelopeFloor = 1e-6;

enum Ring {
    LookLeft = 0, LookRight = 1,  // single band: look-ahead; three bands: the summed signal
    BandLook = 4,                 // + 2 * band + channel
};

// Peak maxima. A read index trailing the write index by `window` + 1 sees `window` + 2 peaks.
enum Maximum {
    MaxLeft = 0, MaxRight = 1,    // single band: peak maxima; three bands: final stage
    BandMax = 2,                  // + band (left or shared), + 3 + band for the right channel
};

// Automatic-release constants: D = k * fast / (slow + 1e-6),
// step = (pk - e) * coefficient * (m * D / (D + 1) + c) * factor.
struct AutoRelease {
    double k, m, c, factor;
};
constexpr AutoRelease kSingleMain{0.18, 3, 0.1, 1.4};
constexpr AutoRelease kSingleUnlinkedLeft{0.18, 4, 0.1, 1.4};
constexpr AutoRelease kBand{0.15, 2, 0.1, 1.5};
constexpr AutoRelease kLinkedHighBand{0.15, 2, 0.15, 1.5};
constexpr AutoRelease kFinalStage{0.2, 4, 0.1, 1.3};

// Attack toward a higher peak, release toward a lower one; with automatic release the release
// speeds up while the fast smoothing runs above the slow one.
inline double followEnvelope(double envelope, double peak, double attackCoef, double releaseCoef,
                             bool autoRelease, const AutoRelease& constants, double fast,
                             double slow, double releaseScale = 1) {
    if (peak > envelope) return envelope + (peak - envelope) * attackCoef;
    if (!autoRelease) return envelope + (peak - envelope) * releaseCoef;
    const double d = constants.k * fast / (slow + 1e-6);
    return envelope + (peak - envelope) * releaseCoef * (constants.m * d / (d + 1) + constants.c) *
                          constants.factor * releaseScale;
}

// One detector step: the smoothing pair always sees the peak (it keeps running with the
// automatic release off), then the envelope follows it.
inline double detect(double envelope, double peak, CBiquad& fast, CBiquad& slow, double attackCoef,
                     double releaseCoef, bool autoRelease, const AutoRelease& constants,
                     double releaseScale = 1) {
    const double fastLevel = fast.process(peak);
    const double slowLevel = slow.process(peak);
    return followEnvelope(envelope, peak, attackCoef, releaseCoef, autoRelease, constants, fastLevel,
                          slowLevel, releaseScale);
}

inline double clampUnit(double x) { return std::min(std::max(x, -1.0), 1.0); }

// Routing of the mono kernels, from the normalized L R value.
enum Routing { RouteBoth, RouteLeft, RouteRight };
inline Routing routingOf(float leftRight) {
    return leftRight < 0.333f ? RouteBoth : leftRight < 0.66f ? RouteLeft : RouteRight;
}

}  // namespace

void SignalPath::processThrough(int frames, const MeterSetup& meter) {
    const bool metering = meters.meterEnabled.load(std::memory_order_relaxed) != 0;
    const int delayMask = delaySize - 1;
    const int detectorMask = detectorSize - 1;
    double offset = denormalOffset;
    int write = delayWrite;
    for (int i = 0; i < frames; ++i) {
        const auto frame = static_cast<std::size_t>(i);
        offset = -offset;
        const double inL = inputLeft[frame] + offset;
        const double inR = inputRight[frame] + offset;
        dryLeft[static_cast<std::size_t>(write)] = inL;
        dryRight[static_cast<std::size_t>(write)] = inR;
        write = (write + 1) & delayMask;
        outputLeft[frame] = dryLeft[static_cast<std::size_t>(write)];
        outputRight[frame] = dryRight[static_cast<std::size_t>(write)];
        if (metering) {
            meterChannels[0].update(meter, inL, outputLeft[frame], 1, false);
            meterChannels[1].update(meter, inR, outputRight[frame], 1, false);
        }
    }
    delayWrite = write;
    detectorWrite = (detectorWrite + frames) & detectorMask;
    denormalOffset = offset;
    if (metering) {
        meters.meterL.store(meterChannels[0].value, std::memory_order_relaxed);
        meters.meterR.store(meterChannels[1].value, std::memory_order_relaxed);
    }
}

void SignalPath::processSingleMono(int frames, const MeterSetup& meter) {
    processSingle<Layout::Mono>(frames, meter);
}
void SignalPath::processSingleLinked(int frames, const MeterSetup& meter) {
    processSingle<Layout::Linked>(frames, meter);
}
void SignalPath::processSingleUnlinked(int frames, const MeterSetup& meter) {
    processSingle<Layout::Unlinked>(frames, meter);
}
void SignalPath::processMultiMono(int frames, const MeterSetup& meter) {
    processMulti<Layout::Mono>(frames, meter);
}
void SignalPath::processMultiLinked(int frames, const MeterSetup& meter) {
    processMulti<Layout::Linked>(frames, meter);
}
void SignalPath::processMultiUnlinked(int frames, const MeterSetup& meter) {
    processMulti<Layout::Unlinked>(frames, meter);
}

template <SignalPath::Layout layout>
void SignalPath::processSingle(int frames, const MeterSetup& meter) {
    constexpr bool mono = layout == Layout::Mono;
    constexpr bool unlinked = layout == Layout::Unlinked;
    const ProcessingValues v = values;
    const DynamicsValues d = dynamicsValues;
    const TransferCurve curve = TransferCurve::from(v);
    const bool metering = meters.meterEnabled.load(std::memory_order_relaxed) != 0;
    const bool autoRelease = v.autoRelease != 0;
    const bool brickwall = v.brickwall != 0;
    const Routing routing = mono ? routingOf(v.leftRight) : RouteBoth;
    const double lowAdjust = v.lowAdjustGain - 1;
    const double highAdjust = v.highAdjustGain - 1;
    const double releaseScaleMain = layout == Layout::Linked ? d.autoReleaseScale : 1;
    const AutoRelease& mainRelease = unlinked ? kSingleUnlinkedLeft : kSingleMain;

    const int delayMask = delaySize - 1;
    const int detectorMask = detectorSize - 1;
    int write = detectorWrite;
    int read = (write - d.peakWindow - 1) & detectorMask;
    int delay = delayWrite;
    int wetRead = (delay + d.wetOffset) & delayMask;
    double offset = denormalOffset;
    double envelopeLeft = envelopes[0];
    double envelopeRight = envelopes[1];
    double* lookLeft = detectorRing(LookLeft);
    double* lookRight = detectorRing(LookRight);
    SlidingMaximum& maxLeft = maxima[MaxLeft];
    SlidingMaximum& maxRight = maxima[MaxRight];
    const int peakSpan = d.peakWindow + 2;
    double* dry[2] = {dryLeft.data(), dryRight.data()};
    double* wet[2] = {wetLeft.data(), wetRight.data()};
    // Filter states live in locals (registers) for the sub-block and are stored back after it.
    CBiquad mainFast = *smoothing[MainFast];
    CBiquad mainSlow = *smoothing[MainSlow];
    CBiquad rightFast = *smoothing[MainRightFast];
    CBiquad rightSlow = *smoothing[MainRightSlow];
    std::array<ChannelFilters, 2> filters = channelFilters;

    // Filters, high-passed and tone-shaped signal of one channel.
    const auto shape = [&](ChannelFilters& filters, double x, double& highPassed) {
        const double y = filters.highPass15.process(x, offset);
        highPassed = y;
        const double lowSplit = filters.lowSplit.process(y, offset);
        const double highSplit = filters.highSplit.process(y, offset);
        return y + (y - lowSplit) * lowAdjust + (y - highSplit) * highAdjust;
    };
    // Envelope gain from a peak: returns g and updates the envelope.
    const auto gainFor = [&](double& envelope, double peak, CBiquad& fast, CBiquad& slow,
                             const AutoRelease& constants, double releaseScale) {
        envelope = detect(envelope, peak, fast, slow, d.attackCoef, d.releaseCoef, autoRelease,
                          constants, releaseScale);
        envelope = std::max(envelope, kEnvelopeFloor);
        return curve(envelope * v.driveGain * v.kneeScale) / envelope;
    };

    for (int i = 0; i < frames; ++i) {
        const auto frame = static_cast<std::size_t>(i);
        offset = -offset;
        const auto w = static_cast<std::size_t>(write);
        const auto r = static_cast<std::size_t>(read);
        double delayedLeft = 0;
        double delayedRight = 0;
        double gainLeft = 1;
        double gainRight = 1;
        double inputSeen[2];

        if constexpr (mono) {
            const bool rightProcessed = routing == RouteRight;
            const double processed = (rightProcessed ? inputRight[frame] : inputLeft[frame]) + offset;
            const double other = (rightProcessed ? inputLeft[frame] : inputRight[frame]) + offset;
            dry[1][delay] = other;
            double highPassed = 0;
            const double z = shape(filters[0], processed, highPassed);
            dry[0][delay] = highPassed;  // the processed dry path carries the high-passed signal
            lookLeft[w] = z;
            const double peak =
                maxLeft.push(std::fabs(kDetectorHeadroom * z), peakSpan) +
                kDetectorFloor + offset;
            gainLeft = gainFor(envelopeLeft, peak, mainFast, mainSlow, mainRelease, 1);
            delayedLeft = lookLeft[r] * gainLeft;
            if (brickwall) delayedLeft = clampUnit(delayedLeft);
            inputSeen[0] = processed;
            inputSeen[1] = other;
        } else {
            const double inL = inputLeft[frame] + offset;
            const double inR = inputRight[frame] + offset;
            dry[0][delay] = inL;
            dry[1][delay] = inR;
            double highPassed = 0;
            const double zL = shape(filters[0], inL, highPassed);
            const double zR = shape(filters[1], inR, highPassed);
            lookLeft[w] = zL;
            lookRight[w] = zR;
            if constexpr (unlinked) {
                const double peakL = maxLeft.push(std::fabs(kDetectorHeadroom * zL), peakSpan) +
                                     kDetectorFloor + offset;
                const double peakR = maxRight.push(std::fabs(kDetectorHeadroom * zR), peakSpan) +
                                     kDetectorFloor + offset;
                gainLeft = gainFor(envelopeLeft, peakL, mainFast, mainSlow, kSingleUnlinkedLeft, 1);
                gainRight = gainFor(envelopeRight, peakR, rightFast, rightSlow, kSingleMain, 1);
            } else {
                const double peak = maxLeft.push(std::max(std::fabs(kDetectorHeadroom * zL),
                                                          std::fabs(kDetectorHeadroom * zR)),
                                                 peakSpan) +
                                    kDetectorFloor + offset;
                gainLeft = gainFor(envelopeLeft, peak, mainFast, mainSlow, kSingleMain, releaseScaleMain);
                gainRight = gainLeft;
            }
            delayedLeft = lookLeft[r] * gainLeft;
            delayedRight = lookRight[r] * gainRight;
            if (brickwall) {
                delayedLeft = clampUnit(delayedLeft);
                delayedRight = clampUnit(delayedRight);
            }
            inputSeen[0] = inL;
            inputSeen[1] = inR;
        }

        // Wet ring, then the dry entries written delayRingSize - 1 frames ago.
        wet[0][delay] = delayedLeft * v.ceilingGain;
        const double wetLeftValue = wet[0][wetRead];
        double wetRightValue = 0;
        if constexpr (!mono) {
            wet[1][delay] = delayedRight * v.ceilingGain;
            wetRightValue = wet[1][wetRead];
        }
        delay = (delay + 1) & delayMask;
        wetRead = (wetRead + 1) & delayMask;
        const double dryFirst = dry[0][delay];
        const double drySecond = dry[1][delay];
        const double outFirst = v.outputGain * (dryFirst + v.mixAmount * (wetLeftValue - dryFirst));

        if constexpr (mono) {
            const double outOther = v.outputGain * drySecond;
            double meterGain[2] = {gainLeft, gainLeft};
            double meterInput[2] = {inputSeen[0], inputSeen[0]};
            switch (routing) {
                case RouteBoth:
                    outputLeft[frame] = outputRight[frame] = outFirst;
                    break;
                case RouteLeft:
                    outputLeft[frame] = outFirst;
                    outputRight[frame] = outOther;
                    meterGain[1] = v.smallSignalGain;
                    meterInput[1] = inputSeen[1];
                    break;
                case RouteRight:
                    outputLeft[frame] = outOther;
                    outputRight[frame] = outFirst;
                    meterGain[0] = v.smallSignalGain;
                    meterInput[0] = inputSeen[1];
                    break;
            }
            if (metering) {
                meterChannels[0].update(meter, meterInput[0], outputLeft[frame], meterGain[0], true);
                meterChannels[1].update(meter, meterInput[1], outputRight[frame], meterGain[1], true);
            }
        } else {
            outputLeft[frame] = outFirst;
            outputRight[frame] = v.outputGain * (drySecond + v.mixAmount * (wetRightValue - drySecond));
            if (metering) {
                meterChannels[0].update(meter, inputSeen[0], outputLeft[frame], gainLeft, true);
                meterChannels[1].update(meter, inputSeen[1], outputRight[frame], gainRight, true);
            }
        }
        write = (write + 1) & detectorMask;
        read = (read + 1) & detectorMask;
    }

    detectorWrite = write;
    delayWrite = delay;
    denormalOffset = offset;
    envelopes[0] = envelopeLeft;
    envelopes[1] = envelopeRight;
    channelFilters = filters;
    *smoothing[MainFast] = mainFast;
    *smoothing[MainSlow] = mainSlow;
    *smoothing[MainRightFast] = rightFast;
    *smoothing[MainRightSlow] = rightSlow;
    if (metering) {
        meters.meterL.store(meterChannels[0].value, std::memory_order_relaxed);
        meters.meterR.store(meterChannels[1].value, std::memory_order_relaxed);
    }
}

template <SignalPath::Layout layout>
void SignalPath::processMulti(int frames, const MeterSetup& meter) {
    constexpr bool mono = layout == Layout::Mono;
    constexpr bool unlinked = layout == Layout::Unlinked;
    constexpr int channels = mono ? 1 : 2;
    constexpr int detectors = unlinked ? 2 : 1;  // per band, and final stages
    const ProcessingValues v = values;
    const DynamicsValues d = dynamicsValues;
    const TransferCurve curve = TransferCurve::from(v);
    const bool metering = meters.meterEnabled.load(std::memory_order_relaxed) != 0;
    const bool autoRelease = v.autoRelease != 0;
    const bool brickwall = v.brickwall != 0;
    const Routing routing = mono ? routingOf(v.leftRight) : RouteBoth;
    const AutoRelease bandRelease[BandCount] = {
        kBand, kBand, layout == Layout::Linked ? kLinkedHighBand : kBand};
    // Smoothing pairs per band and detector (left or shared, right).
    const Smoothing bandSmoothing[2][BandCount] = {{LowFast, MidFast, HighFast},
                                                   {LowRightFast, MidRightFast, HighRightFast}};
    const Smoothing finalSmoothing[2] = {MainFast, MainRightFast};
    // Envelopes: final stage main/right; bands low, mid, high for left (or shared) and right.
    constexpr int finalEnvelope[2] = {0, 1};
    constexpr int bandEnvelope[2][BandCount] = {{2, 4, 6}, {3, 5, 7}};

    const int delayMask = delaySize - 1;
    const int detectorMask = detectorSize - 1;
    int write = detectorWrite;
    int readPeak = (write - d.peakWindow - 1) & detectorMask;
    int readBand = (write - d.bandWindow - 1) & detectorMask;
    int delay = delayWrite;
    int wetRead = (delay + d.wetOffset) & delayMask;
    double offset = denormalOffset;
    std::array<double, kEnvelopes> envelope = envelopes;
    double* dry[2] = {dryLeft.data(), dryRight.data()};
    double* wet[2] = {wetLeft.data(), wetRight.data()};
    // Filter states live in locals for the sub-block and are stored back after it.
    std::array<ChannelFilters, 2> channel = channelFilters;
    std::array<CBiquad, SmoothingCount> smooth = {
        *smoothing[0],  *smoothing[1],  *smoothing[2],  *smoothing[3],  *smoothing[4],  *smoothing[5],
        *smoothing[6],  *smoothing[7],  *smoothing[8],  *smoothing[9],  *smoothing[10], *smoothing[11],
        *smoothing[12], *smoothing[13], *smoothing[14], *smoothing[15]};

    for (int i = 0; i < frames; ++i) {
        const auto frame = static_cast<std::size_t>(i);
        offset = -offset;
        const auto w = static_cast<std::size_t>(write);
        const auto rPeak = static_cast<std::size_t>(readPeak);
        const auto rBand = static_cast<std::size_t>(readBand);

        // 1. Inputs and dry rings (raw inputs in every three-band kernel).
        double input[2];
        double other = 0;
        if constexpr (mono) {
            const bool rightProcessed = routing == RouteRight;
            input[0] = (rightProcessed ? inputRight[frame] : inputLeft[frame]) + offset;
            other = (rightProcessed ? inputLeft[frame] : inputRight[frame]) + offset;
            dry[0][delay] = input[0];
            dry[1][delay] = other;
        } else {
            input[0] = inputLeft[frame] + offset;
            input[1] = inputRight[frame] + offset;
            dry[0][delay] = input[0];
            dry[1][delay] = input[1];
        }

        // 2-3. High-pass and band split per channel; each band into its look-ahead ring.
        double band[2][BandCount];
        for (int c = 0; c < channels; ++c) {
            ChannelFilters& filters = channel[static_cast<std::size_t>(c)];
            const double y = filters.highPass15.process(input[c], offset);
            const double highPassed = filters.lowSplit.process(y, offset);
            const double lowPassed = filters.highSplit.process(y, offset);
            band[c][LowBand] = (y - highPassed) * v.lowAdjustGain;
            band[c][HighBand] = (y - lowPassed) * v.highAdjustGain;
            band[c][MidBand] = highPassed - (y - lowPassed);
            for (int b = 0; b < BandCount; ++b) detectorRing(BandLook + 2 * b + c)[w] = band[c][b];
        }

        // 4-7. Per band and detector: peak, envelope, gain; sum per channel.
        double bandGain[2][BandCount];
        double sum[2] = {0, 0};
        double smallestGain[2] = {1e300, 1e300};
        for (int b = 0; b < BandCount; ++b) {
            for (int det = 0; det < detectors; ++det) {
                double peakInput = 0;
                for (int c = 0; c < channels; ++c)
                    if (!unlinked || c == det) peakInput = std::max(peakInput, std::fabs(band[c][b]));
                const double peak = maxima[static_cast<std::size_t>(BandMax + b + 3 * det)].push(
                                        peakInput, d.peakWindow + 2) +
                                    kDetectorFloor + offset;
                const auto pair = static_cast<std::size_t>(bandSmoothing[det][b]);
                double& e = envelope[static_cast<std::size_t>(bandEnvelope[det][b])];
                e = detect(e, peak, smooth[pair], smooth[pair + 1], d.attackCoef,
                           d.bandReleaseCoef[static_cast<std::size_t>(b)], autoRelease, bandRelease[b]);
                e = std::max(e, kEnvelopeFloor);
                const double sat = v.bandSat[static_cast<std::size_t>(b)];
                bandGain[det][b] = curve(e * v.driveGain * v.kneeScale / sat) * sat / e;
            }
            for (int c = 0; c < channels; ++c) {
                const double gain = bandGain[unlinked ? c : 0][b];
                sum[c] += detectorRing(BandLook + 2 * b + c)[rPeak] * gain;
                smallestGain[c] = std::min(smallestGain[c], gain);
            }
        }

        // 8. Final stage: brick-wall limiter on the sum, or just its delay.
        double processed[2];
        double finalGain[2] = {1, 1};
        for (int c = 0; c < channels; ++c) detectorRing(LookLeft + c)[w] = sum[c];
        if (brickwall) {
            for (int det = 0; det < detectors; ++det) {
                double peakInput = 0;
                for (int c = 0; c < channels; ++c)
                    if (!unlinked || c == det)
                        peakInput = std::max(peakInput, std::fabs(kDetectorHeadroom * sum[c]));
                const double peak = maxima[static_cast<std::size_t>(MaxLeft + det)].push(
                                        peakInput, d.bandWindow + 2) +
                                    kDetectorFloor + offset;
                const auto pair = static_cast<std::size_t>(finalSmoothing[det]);
                double& e = envelope[static_cast<std::size_t>(finalEnvelope[det])];
                // No floor here: the gain is 1 until the envelope passes full scale.
                e = detect(e, peak, smooth[pair], smooth[pair + 1], d.bandAttackCoef, d.finalReleaseCoef,
                           autoRelease, kFinalStage);
                finalGain[det] = e < 1 ? 1 : 1 / e;
            }
            if constexpr (!unlinked) finalGain[1] = finalGain[0];
            for (int c = 0; c < channels; ++c)
                processed[c] = clampUnit(detectorRing(LookLeft + c)[rBand] * finalGain[c]);
        } else {
            for (int c = 0; c < channels; ++c) processed[c] = detectorRing(LookLeft + c)[rBand];
        }

        // 9-11. Wet ring, mix with the dry entries, output gain.
        for (int c = 0; c < channels; ++c) wet[c][delay] = processed[c] * v.ceilingGain;
        double wetValue[2] = {wet[0][wetRead], 0};
        if constexpr (!mono) wetValue[1] = wet[1][wetRead];
        delay = (delay + 1) & delayMask;
        wetRead = (wetRead + 1) & delayMask;
        double out[2];
        for (int c = 0; c < channels; ++c) {
            const double dryValue = dry[c][delay];
            out[c] = v.outputGain * (dryValue + v.mixAmount * (wetValue[c] - dryValue));
        }
        double meterGain[2] = {smallestGain[0] * finalGain[0], smallestGain[1] * finalGain[1]};
        double meterInput[2] = {input[0], mono ? input[0] : input[1]};
        if constexpr (mono) {
            const double outOther = v.outputGain * dry[1][delay];
            meterGain[1] = meterGain[0];
            switch (routing) {
                case RouteBoth:
                    outputLeft[frame] = outputRight[frame] = out[0];
                    break;
                case RouteLeft:
                    outputLeft[frame] = out[0];
                    outputRight[frame] = outOther;
                    meterGain[1] = v.smallSignalGain;
                    meterInput[1] = other;
                    break;
                case RouteRight:
                    outputLeft[frame] = outOther;
                    outputRight[frame] = out[0];
                    meterGain[0] = v.smallSignalGain;
                    meterInput[0] = other;
                    meterInput[1] = input[0];
                    break;
            }
        } else {
            outputLeft[frame] = out[0];
            outputRight[frame] = out[1];
        }
        if (metering) {
            meterChannels[0].update(meter, meterInput[0], outputLeft[frame], meterGain[0], true);
            meterChannels[1].update(meter, meterInput[1], outputRight[frame], meterGain[1], true);
        }

        // 13. Detector indices.
        write = (write + 1) & detectorMask;
        readPeak = (readPeak + 1) & detectorMask;
        readBand = (readBand + 1) & detectorMask;
    }

    detectorWrite = write;
    delayWrite = delay;
    denormalOffset = offset;
    envelopes = envelope;
    channelFilters = channel;
    for (std::size_t k = 0; k < smooth.size(); ++k) *smoothing[k] = smooth[k];
    if (metering) {
        meters.meterL.store(meterChannels[0].value, std::memory_order_relaxed);
        meters.meterR.store(meterChannels[1].value, std::memory_order_relaxed);
    }
}
