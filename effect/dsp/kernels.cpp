// The seven processing kernels. Per sample of a sub-block: 15 Hz high-pass, tone shaping or
// band split, look-ahead peak detection, envelope, transfer curve, clamp, ceiling, dry/wet mix
// and output gain. Values and indices are loaded into locals at the top and stored back at the
// end; the per-sample steps they share are written once here.
#include <algorithm>
#include <cmath>

#include "effect/dsp/detector_lanes.h"
#include "effect/dsp/paired_filters.h"
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
// speeds up while the fast smoothing runs above the slow one. Both steps are computed, then
// one is chosen (measured a little faster than choosing first).
inline double followEnvelope(double envelope, double peak, double attackCoef, double releaseCoef,
                             bool autoRelease, const AutoRelease& constants, double fast,
                             double slow, double releaseScale = 1) {
    const double rise = envelope + (peak - envelope) * attackCoef;
    double fall;
    if (!autoRelease) {
        fall = envelope + (peak - envelope) * releaseCoef;
    } else {
        const double d = constants.k * fast / (slow + 1e-6);
        fall = envelope + (peak - envelope) * releaseCoef * (constants.m * d / (d + 1) + constants.c) *
                              constants.factor * releaseScale;
    }
    return peak > envelope ? rise : fall;
}

// One detector step for the three bands of one side, in vector lanes (see detector_lanes.h):
// the smoothing pair always sees the peak (it keeps running with the automatic release off),
// the envelope follows it, and the band's gain comes from the envelope. The bands' release
// scale, 1, is left out: x * 1 is x.
class BandDetectorLanes {
public:
    BandDetectorLanes(CBiquad* const (&fastFilters)[3], CBiquad* const (&slowFilters)[3],
                      double* const (&envelopes)[3], double attackCoef,
                      const std::array<double, BandCount>& releaseCoefs,
                      const AutoRelease (&constants)[3], const std::array<double, BandCount>& sats)
        : fast(fastFilters), slow(slowFilters), attack(broadcast(attackCoef)) {
        for (int lane = 0; lane < 4; ++lane) {
            const auto b = static_cast<std::size_t>(lane < 3 ? lane : 0);
            envelope[lane] = *envelopes[b];
            release[lane] = releaseCoefs[b];
            k[lane] = constants[b].k, m[lane] = constants[b].m, c[lane] = constants[b].c;
            factor[lane] = constants[b].factor;
            sat[lane] = sats[b];
        }
    }
    void storeTo(CBiquad* const (&fastFilters)[3], CBiquad* const (&slowFilters)[3],
                 double* const (&envelopes)[3]) const {
        fast.storeTo(fastFilters);
        slow.storeTo(slowFilters);
        for (int lane = 0; lane < 3; ++lane) *envelopes[lane] = envelope[lane];
    }

    // One frame: the bands' peaks in, their gains out.
    Double4 step(Double4 peak, bool autoRelease, const TransferCurve& curve, double driveGain,
                 double kneeScale) {
        const Double4 fastLevel = fast.process(peak);
        const Double4 slowLevel = slow.process(peak);
        const Double4 rise = envelope + (peak - envelope) * attack;
        Double4 fall;
        if (autoRelease) {
            const Double4 ratio = k * fastLevel / (slowLevel + 1e-6);
            fall = envelope + (peak - envelope) * release * (m * ratio / (ratio + 1.0) + c) * factor;
        } else {
            fall = envelope + (peak - envelope) * release;
        }
        envelope = peak > envelope ? rise : fall;
        envelope = envelope < kEnvelopeFloor ? broadcast(kEnvelopeFloor) : envelope;
        return curveLanes(curve, envelope * driveGain * kneeScale / sat) * sat / envelope;
    }

private:
    SmoothingLanes fast, slow;
    Double4 attack;
    Double4 envelope, release, k, m, c, factor, sat;
};

inline double clampUnit(double x) { return std::min(std::max(x, -1.0), 1.0); }

// Routing of the mono kernels, from the normalized L R value.
enum Routing { RouteBoth, RouteLeft, RouteRight };
inline Routing routingOf(float leftRight) {
    return leftRight < 0.333f ? RouteBoth : leftRight < 0.66f ? RouteLeft : RouteRight;
}

// The mono kernels process one channel and pass the other through: which is which.
struct MonoSources {
    const double* processed;
    const double* other;
};
inline MonoSources monoSources(Routing routing, const double* left, const double* right) {
    return routing == RouteRight ? MonoSources{right, left} : MonoSources{left, right};
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
    vectorKernels ? processSingleAvx<Layout::Mono>(frames, meter) : processSingle<Layout::Mono>(frames, meter);
}
void SignalPath::processSingleLinked(int frames, const MeterSetup& meter) {
    vectorKernels ? processSingleAvx<Layout::Linked>(frames, meter) : processSingle<Layout::Linked>(frames, meter);
}
void SignalPath::processSingleUnlinked(int frames, const MeterSetup& meter) {
    vectorKernels ? processSingleAvx<Layout::Unlinked>(frames, meter) : processSingle<Layout::Unlinked>(frames, meter);
}
void SignalPath::processMultiMono(int frames, const MeterSetup& meter) {
    vectorKernels ? processMultiAvx<Layout::Mono>(frames, meter) : processMulti<Layout::Mono>(frames, meter);
}
void SignalPath::processMultiLinked(int frames, const MeterSetup& meter) {
    vectorKernels ? processMultiAvx<Layout::Linked>(frames, meter) : processMulti<Layout::Linked>(frames, meter);
}
void SignalPath::processMultiUnlinked(int frames, const MeterSetup& meter) {
    vectorKernels ? processMultiAvx<Layout::Unlinked>(frames, meter) : processMulti<Layout::Unlinked>(frames, meter);
}

// The same kernels compiled for AVX: the three-band detectors' four lanes fit one register.
// Without fused multiply-add both builds round every operation alike.
template <SignalPath::Layout layout>
void SignalPath::processSingleAvx(int frames, const MeterSetup& meter) {
    processSingle<layout>(frames, meter);
}
template <SignalPath::Layout layout>
void SignalPath::processMultiAvx(int frames, const MeterSetup& meter) {
    processMulti<layout>(frames, meter);
}

// Three passes per chunk of frames, each a short loop the processor can overlap across frames:
// filters and peaks, then the detector and envelope (the only long recursion), then gains, mix
// and output. Arithmetic and ring order are those of one pass per frame.
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
    // Each detector's fast and slow smoothing filters step together in two lanes.
    CBiquad* const mainFilters[2] = {smoothing[MainFast].get(), smoothing[MainSlow].get()};
    CBiquad* const rightFilters[2] = {smoothing[MainRightFast].get(), smoothing[MainRightSlow].get()};
    SmoothingPair mainSmoothing(mainFilters);
    SmoothingPair rightSmoothing(rightFilters);
    std::array<ChannelFilters, 2> filters = channelFilters;
    double* peakLeft = stageScratch[0].data();
    double* peakRight = stageScratch[1].data();
    double* highPassed = stageScratch[2].data();

    // Filters, high-passed and tone-shaped signal of one channel.
    const auto shape = [&](ChannelFilters& filters, double x, double& highPassed) {
        const double y = filters.highPass15.process(x, offset);
        highPassed = y;
        const double lowSplit = filters.lowSplit.process(y, offset);
        const double highSplit = filters.highSplit.process(y, offset);
        return y + (y - lowSplit) * lowAdjust + (y - highSplit) * highAdjust;
    };
    // Envelope gain from a peak: returns g and updates the envelope.
    const auto gainFor = [&](double& envelope, double peak, SmoothingPair& smoothingPair,
                             const AutoRelease& constants, double releaseScale) {
        const Double2 levels = smoothingPair.process(Double2{peak, peak});
        envelope = followEnvelope(envelope, peak, d.attackCoef, d.releaseCoef, autoRelease, constants,
                                  levels[0], levels[1], releaseScale);
        envelope = std::max(envelope, kEnvelopeFloor);
        return curve(envelope * v.driveGain * v.kneeScale) / envelope;
    };
    const MonoSources sources = monoSources(routing, inputLeft.data(), inputRight.data());
    PairedChannelFilters paired(filters[0], filters[1]);  // stereo: both channels in two lanes

    for (int first = 0; first < frames; first += kStageChunk) {
        const int count = std::min(kStageChunk, frames - first);
        const double chunkOffset = offset;

        // 1. Filters into the look-ahead rings; the peak each detector sees.
        int ringWrite = write;
        for (int i = 0; i < count; ++i) {
            const auto frame = static_cast<std::size_t>(first + i);
            const auto w = static_cast<std::size_t>(ringWrite);
            const auto k = static_cast<std::size_t>(i);
            offset = -offset;
            if constexpr (mono) {
                const double z = shape(filters[0], sources.processed[frame] + offset, highPassed[k]);
                lookLeft[w] = z;
                peakLeft[k] = std::fabs(kDetectorHeadroom * z);
            } else {
                const Double2 x = pairOf(inputLeft[frame], inputRight[frame]) + offset;
                const Double2 y = paired.highPass15.process(x, offset);
                const Double2 lowSplit = paired.lowSplit.process(y, offset);
                const Double2 highSplit = paired.highSplit.process(y, offset);
                const Double2 z = y + (y - lowSplit) * lowAdjust + (y - highSplit) * highAdjust;
                lookLeft[w] = z[0];
                lookRight[w] = z[1];
                const Double2 scaled = kDetectorHeadroom * z;
                if constexpr (unlinked) {
                    peakLeft[k] = std::fabs(scaled[0]);
                    peakRight[k] = std::fabs(scaled[1]);
                } else {
                    peakLeft[k] = std::max(std::fabs(scaled[0]), std::fabs(scaled[1]));
                }
            }
            ringWrite = (ringWrite + 1) & detectorMask;
        }

        // 2. Detectors and envelopes: the peaks become gains, in place.
        offset = chunkOffset;
        for (int i = 0; i < count; ++i) {
            const auto k = static_cast<std::size_t>(i);
            offset = -offset;
            if constexpr (unlinked) {
                const double peakL = maxLeft.push(peakLeft[k], peakSpan) + kDetectorFloor + offset;
                const double peakR = maxRight.push(peakRight[k], peakSpan) + kDetectorFloor + offset;
                peakLeft[k] = gainFor(envelopeLeft, peakL, mainSmoothing, kSingleUnlinkedLeft, 1);
                peakRight[k] = gainFor(envelopeRight, peakR, rightSmoothing, kSingleMain, 1);
            } else {
                const double peak = maxLeft.push(peakLeft[k], peakSpan) + kDetectorFloor + offset;
                peakLeft[k] = gainFor(envelopeLeft, peak, mainSmoothing, mainRelease, releaseScaleMain);
            }
        }
        const double* gainLeft = peakLeft;
        const double* gainRight = unlinked ? peakRight : peakLeft;

        // 3. Gains on the delayed signal, wet and dry rings, mix, output and meters.
        offset = chunkOffset;
        for (int i = 0; i < count; ++i) {
            const auto frame = static_cast<std::size_t>(first + i);
            const auto k = static_cast<std::size_t>(i);
            const auto r = static_cast<std::size_t>(read);
            offset = -offset;
            double delayedLeft = lookLeft[r] * gainLeft[k];
            double delayedRight = 0;
            double inputSeen[2];
            if constexpr (mono) {
                inputSeen[0] = sources.processed[frame] + offset;
                inputSeen[1] = sources.other[frame] + offset;
                dry[1][delay] = inputSeen[1];
                dry[0][delay] = highPassed[k];  // the processed dry path carries the high-passed signal
                if (brickwall) delayedLeft = clampUnit(delayedLeft);
            } else {
                inputSeen[0] = inputLeft[frame] + offset;
                inputSeen[1] = inputRight[frame] + offset;
                dry[0][delay] = inputSeen[0];
                dry[1][delay] = inputSeen[1];
                delayedRight = lookRight[r] * gainRight[k];
                if (brickwall) {
                    delayedLeft = clampUnit(delayedLeft);
                    delayedRight = clampUnit(delayedRight);
                }
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
                double meterGain[2] = {gainLeft[k], gainLeft[k]};
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
                    meterChannels[0].update(meter, inputSeen[0], outputLeft[frame], gainLeft[k], true);
                    meterChannels[1].update(meter, inputSeen[1], outputRight[frame], gainRight[k], true);
                }
            }
            read = (read + 1) & detectorMask;
        }
        write = ringWrite;
    }

    if constexpr (!mono) paired.storeTo(filters[0], filters[1]);
    detectorWrite = write;
    delayWrite = delay;
    denormalOffset = offset;
    envelopes[0] = envelopeLeft;
    envelopes[1] = envelopeRight;
    channelFilters = filters;
    mainSmoothing.storeTo(mainFilters);
    rightSmoothing.storeTo(rightFilters);
    if (metering) {
        meters.meterL.store(meterChannels[0].value, std::memory_order_relaxed);
        meters.meterR.store(meterChannels[1].value, std::memory_order_relaxed);
    }
}

// Three passes per chunk, as in the single-band kernels: filters and band peaks, then the
// three band detectors side by side, then the sum, the final stage, mix and output.
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
    double* bandRing[2][BandCount];
    for (int c = 0; c < 2; ++c)
        for (int b = 0; b < BandCount; ++b) bandRing[c][b] = detectorRing(BandLook + 2 * b + c);
    double* sumRing[2] = {detectorRing(LookLeft), detectorRing(LookRight)};
    // Per band and detector: the peak each frame feeds the detector, then the band's gain.
    double* bandPeak[2][BandCount];
    for (int det = 0; det < 2; ++det)
        for (int b = 0; b < BandCount; ++b)
            bandPeak[det][b] = stageScratch[static_cast<std::size_t>(det * BandCount + b)].data();
    // Per channel: the processed signal and the gain the meters show.
    double* processed[2] = {stageScratch[6].data(), stageScratch[7].data()};
    double* processedGain[2] = {stageScratch[8].data(), stageScratch[9].data()};
    // Filter states live in locals for the sub-block and are stored back after it.
    std::array<ChannelFilters, 2> channel = channelFilters;
    std::array<CBiquad, SmoothingCount> smooth = {
        *smoothing[0],  *smoothing[1],  *smoothing[2],  *smoothing[3],  *smoothing[4],  *smoothing[5],
        *smoothing[6],  *smoothing[7],  *smoothing[8],  *smoothing[9],  *smoothing[10], *smoothing[11],
        *smoothing[12], *smoothing[13], *smoothing[14], *smoothing[15]};
    // The final stages' fast and slow smoothing filters, each pair in two lanes.
    CBiquad* const finalFilters[2][2] = {{&smooth[MainFast], &smooth[MainSlow]},
                                         {&smooth[MainRightFast], &smooth[MainRightSlow]}};
    SmoothingPair finalSmoothing[2] = {SmoothingPair(finalFilters[0]), SmoothingPair(finalFilters[1])};
    // The bands' detectors of each side, three lanes of one vector, and the filters of both
    // channels in two lanes: loaded once here and stored back at the end.
    CBiquad* bandFast[2][BandCount];
    CBiquad* bandSlow[2][BandCount];
    double* bandEnvelopes[2][BandCount];
    for (int det = 0; det < 2; ++det) {
        for (int b = 0; b < BandCount; ++b) {
            const auto pair = static_cast<std::size_t>(bandSmoothing[det][b]);
            bandFast[det][b] = &smooth[pair];
            bandSlow[det][b] = &smooth[pair + 1];
            bandEnvelopes[det][b] = &envelope[static_cast<std::size_t>(bandEnvelope[det][b])];
        }
    }
    BandDetectorLanes bandLanes[2] = {
        {bandFast[0], bandSlow[0], bandEnvelopes[0], d.attackCoef, d.bandReleaseCoef, bandRelease, v.bandSat},
        {bandFast[1], bandSlow[1], bandEnvelopes[1], d.attackCoef, d.bandReleaseCoef, bandRelease, v.bandSat}};
    PairedChannelFilters paired(channel[0], channel[1]);
    const MonoSources sources = monoSources(routing, inputLeft.data(), inputRight.data());

    for (int first = 0; first < frames; first += kStageChunk) {
        const int count = std::min(kStageChunk, frames - first);
        const double chunkOffset = offset;

        // 1. High-pass and band split per channel; each band into its look-ahead ring.
        int ringWrite = write;
        for (int i = 0; i < count; ++i) {
            const auto frame = static_cast<std::size_t>(first + i);
            const auto w = static_cast<std::size_t>(ringWrite);
            const auto k = static_cast<std::size_t>(i);
            offset = -offset;
            double band[2][BandCount];
            if constexpr (mono) {
                ChannelFilters& filters = channel[0];
                const double y = filters.highPass15.process(sources.processed[frame] + offset, offset);
                const double highPassed = filters.lowSplit.process(y, offset);
                const double lowPassed = filters.highSplit.process(y, offset);
                band[0][LowBand] = (y - highPassed) * v.lowAdjustGain;
                band[0][HighBand] = (y - lowPassed) * v.highAdjustGain;
                band[0][MidBand] = highPassed - (y - lowPassed);
            } else {
                const Double2 x = pairOf(inputLeft[frame], inputRight[frame]) + offset;
                const Double2 y = paired.highPass15.process(x, offset);
                const Double2 highPassed = paired.lowSplit.process(y, offset);
                const Double2 lowPassed = paired.highSplit.process(y, offset);
                const Double2 low = (y - highPassed) * v.lowAdjustGain;
                const Double2 high = (y - lowPassed) * v.highAdjustGain;
                const Double2 mid = highPassed - (y - lowPassed);
                for (int c = 0; c < 2; ++c) {
                    band[c][LowBand] = low[c];
                    band[c][MidBand] = mid[c];
                    band[c][HighBand] = high[c];
                }
            }
            for (int b = 0; b < BandCount; ++b) {
                for (int c = 0; c < channels; ++c) bandRing[c][b][w] = band[c][b];
                double peakInput[2];
                if constexpr (unlinked) {
                    peakInput[0] = std::fabs(band[0][b]);
                    peakInput[1] = std::fabs(band[1][b]);
                } else if constexpr (mono) {
                    peakInput[0] = std::max(0.0, std::fabs(band[0][b]));
                } else {
                    peakInput[0] = std::max(std::max(0.0, std::fabs(band[0][b])), std::fabs(band[1][b]));
                }
                for (int det = 0; det < detectors; ++det)
                    bandPeak[det][b][k] = maxima[static_cast<std::size_t>(BandMax + b + 3 * det)].push(
                        peakInput[det], d.peakWindow + 2);
            }
            ringWrite = (ringWrite + 1) & detectorMask;
        }

        // 2. Band detectors: peak maxima become gains, in place, the three bands of a side
        //    in the lanes of one vector.
        for (int det = 0; det < detectors; ++det) {
            offset = chunkOffset;
            for (int i = 0; i < count; ++i) {
                const auto k = static_cast<std::size_t>(i);
                offset = -offset;
                const Double4 peak = Double4{bandPeak[det][LowBand][k], bandPeak[det][MidBand][k],
                                             bandPeak[det][HighBand][k], bandPeak[det][LowBand][k]} +
                                     kDetectorFloor + offset;
                const Double4 gain = bandLanes[det].step(peak, autoRelease, curve, v.driveGain, v.kneeScale);
                for (int b = 0; b < BandCount; ++b) bandPeak[det][b][k] = gain[b];
            }
        }

        // 3. Sum of the gained bands and the final stage: the processed signal.
        offset = chunkOffset;
        for (int i = 0; i < count; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const auto w = static_cast<std::size_t>(write);
            const auto rPeak = static_cast<std::size_t>(readPeak);
            const auto rBand = static_cast<std::size_t>(readBand);
            offset = -offset;

            double sum[2] = {0, 0};
            double smallestGain[2] = {1e300, 1e300};
            for (int b = 0; b < BandCount; ++b) {
                for (int c = 0; c < channels; ++c) {
                    const double gain = bandPeak[unlinked ? c : 0][b][k];
                    sum[c] += bandRing[c][b][rPeak] * gain;
                    smallestGain[c] = std::min(smallestGain[c], gain);
                }
            }

            // Brick-wall limiter on the sum, or just its delay.
            double finalGain[2] = {1, 1};
            for (int c = 0; c < channels; ++c) sumRing[c][w] = sum[c];
            if (brickwall) {
                for (int det = 0; det < detectors; ++det) {
                    double peakInput = 0;
                    for (int c = 0; c < channels; ++c)
                        if (!unlinked || c == det)
                            peakInput = std::max(peakInput, std::fabs(kDetectorHeadroom * sum[c]));
                    const double peak = maxima[static_cast<std::size_t>(MaxLeft + det)].push(
                                            peakInput, d.bandWindow + 2) +
                                        kDetectorFloor + offset;
                    double& e = envelope[static_cast<std::size_t>(finalEnvelope[det])];
                    const Double2 levels = finalSmoothing[det].process(Double2{peak, peak});
                    // No floor here: the gain is 1 until the envelope passes full scale.
                    e = followEnvelope(e, peak, d.bandAttackCoef, d.finalReleaseCoef, autoRelease,
                                       kFinalStage, levels[0], levels[1]);
                    finalGain[det] = e < 1 ? 1 : 1 / e;
                }
                if constexpr (!unlinked) finalGain[1] = finalGain[0];
                for (int c = 0; c < channels; ++c) processed[c][k] = clampUnit(sumRing[c][rBand] * finalGain[c]);
            } else {
                for (int c = 0; c < channels; ++c) processed[c][k] = sumRing[c][rBand];
            }
            for (int c = 0; c < 2; ++c) processedGain[c][k] = smallestGain[c] * finalGain[c];

            write = (write + 1) & detectorMask;
            readPeak = (readPeak + 1) & detectorMask;
            readBand = (readBand + 1) & detectorMask;
        }

        // 4. Dry and wet rings, mix, output gain and meters.
        offset = chunkOffset;
        for (int i = 0; i < count; ++i) {
            const auto frame = static_cast<std::size_t>(first + i);
            const auto k = static_cast<std::size_t>(i);
            offset = -offset;

            // Inputs and dry rings (raw inputs in every three-band kernel).
            double input[2];
            double other = 0;
            if constexpr (mono) {
                input[0] = sources.processed[frame] + offset;
                other = sources.other[frame] + offset;
                dry[0][delay] = input[0];
                dry[1][delay] = other;
            } else {
                input[0] = inputLeft[frame] + offset;
                input[1] = inputRight[frame] + offset;
                dry[0][delay] = input[0];
                dry[1][delay] = input[1];
            }

            // Wet ring, mix with the dry entries, output gain.
            for (int c = 0; c < channels; ++c) wet[c][delay] = processed[c][k] * v.ceilingGain;
            double wetValue[2] = {wet[0][wetRead], 0};
            if constexpr (!mono) wetValue[1] = wet[1][wetRead];
            delay = (delay + 1) & delayMask;
            wetRead = (wetRead + 1) & delayMask;
            double out[2];
            for (int c = 0; c < channels; ++c) {
                const double dryValue = dry[c][delay];
                out[c] = v.outputGain * (dryValue + v.mixAmount * (wetValue[c] - dryValue));
            }
            double meterGain[2] = {processedGain[0][k], processedGain[1][k]};
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
        }
    }

    if constexpr (!mono) paired.storeTo(channel[0], channel[1]);
    for (int det = 0; det < detectors; ++det)
        bandLanes[det].storeTo(bandFast[det], bandSlow[det], bandEnvelopes[det]);
    detectorWrite = write;
    delayWrite = delay;
    denormalOffset = offset;
    envelopes = envelope;
    channelFilters = channel;
    finalSmoothing[0].storeTo(finalFilters[0]);
    finalSmoothing[1].storeTo(finalFilters[1]);
    for (std::size_t k = 0; k < smooth.size(); ++k) *smoothing[k] = smooth[k];
    if (metering) {
        meters.meterL.store(meterChannels[0].value, std::memory_order_relaxed);
        meters.meterR.store(meterChannels[1].value, std::memory_order_relaxed);
    }
}
