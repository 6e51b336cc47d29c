// Every processing kernel against a second, deliberately plain model written from the
// algorithm's description: one frame at a time, the ring-walk sliding maximum, the constants of
// the automatic release looked up per kernel and stage. Filters, windows and coefficients come
// from their own tested objects; what is checked here is how the kernels put them together.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>

#include "effect/dsp/biquad.h"
#include "tests/effect/dsp/signal_path_fixture.h"

namespace {

using namespace testing_dsp;

enum class Kind { Mono, Linked, Unlinked };

// k, m, c, factor of the automatic release: D = k fast / (slow + 1e-6),
// step = (pk - e) coefficient (m D / (D + 1) + c) factor.
struct Release {
    double k, m, c, factor;
};

double curve(const ProcessingValues& v, double h) {
    if (v.kneeType == 0) {
        const double f = v.kneeAmount;
        const double p = h < 1 ? 2 * h - h * h : 1;
        return (1 - f) * std::min(h, 1.0) + f * p;
    }
    const double a = 1.4 * std::pow(30.0, 1 - std::sqrt(std::sqrt(std::sqrt(v.kneeAmount))));
    const double mapped = a * h / (h + a - 1);
    return mapped < 1 ? 2 * mapped - mapped * mapped : 1;
}

struct Detector {
    std::vector<double> maxima;
    double envelope = 0.0001;
    CBiquad fast, slow;
    Detector(double fastHz, double slowHz, double rate)
        : maxima(256, 0.0), fast(44100, CBiquad::LowPass, fastHz, 0.5), slow(44100, CBiquad::LowPass, slowHz, 0.5) {
        fast.setSampleRate(rate);
        slow.setSampleRate(rate);
    }
    // The ring walk: every entry holds the largest peak from its sample to the newest.
    double peak(double p, int write, int read, double offset) {
        maxima[static_cast<std::size_t>(write)] = p;
        for (int k = (write - 1) & 255; p > maxima[static_cast<std::size_t>(k)] && k != read; k = (k - 1) & 255)
            maxima[static_cast<std::size_t>(k)] = p;
        if (p > maxima[static_cast<std::size_t>(read)]) maxima[static_cast<std::size_t>(read)] = p;
        const double pk = maxima[static_cast<std::size_t>(read)] + 0.0009766 + offset;
        maxima[static_cast<std::size_t>(read)] = 0;
        return pk;
    }
    void follow(double pk, double attack, double release, bool autoRelease, const Release& r, double scale,
                bool floored) {
        const double s200 = fast.process(pk), s20 = slow.process(pk);
        if (pk > envelope) {
            envelope += (pk - envelope) * attack;
        } else if (autoRelease) {
            const double d = r.k * s200 / (s20 + 1e-6);
            envelope += (pk - envelope) * release * (r.m * d / (d + 1) + r.c) * r.factor * scale;
        } else {
            envelope += (pk - envelope) * release;
        }
        if (floored) envelope = std::max(envelope, 1e-6);
    }
};

struct Channel {
    DirectFormFilter highPass;
    CanonicalFilter lowSplit, highSplit;
    std::vector<double> look = std::vector<double>(256, 0.0);
    std::vector<std::vector<double>> bandLook = std::vector<std::vector<double>>(3, std::vector<double>(256, 0.0));
    std::vector<double> dry = std::vector<double>(512, 0.0), wet = std::vector<double>(512, 0.0);
    std::deque<double> inputDelay = std::deque<double>(64, 0.0), outputDelay = std::deque<double>(64, 0.0);
};

// The kernels at 44100 Hz without oversampling, framed by the two 64-sample matching delays.
Stereo referenceKernel(const ProcessingValues& v, const DynamicsValues& d, Kind kind, const Stereo& input) {
    const double rate = 44100;
    const bool multiband = v.multiband != 0;
    Channel channels[2];
    for (Channel& c : channels) {
        c.highPass.designHighPass15(rate);
        c.lowSplit.designHighPass(v.lowCutoffHz, rate);
        c.highSplit.designLowPass(v.highCutoffHz, rate);
    }
    // Detectors: [0] main (left or shared), [1] main right; bands low, mid, high for the left
    // (or shared) channel, then for the right.
    std::vector<Detector> detectors = {{200, 20, rate}, {200, 20, rate}, {50, 5, rate},    {200, 20, rate},
                                       {1000, 100, rate}, {200, 20, rate}, {200, 20, rate}, {200, 20, rate}};
    const Release single{0.18, 3, 0.1, 1.4}, unlinkedLeft{0.18, 4, 0.1, 1.4};
    const Release band{0.15, 2, 0.1, 1.5}, linkedHigh{0.15, 2, 0.15, 1.5}, finalStage{0.2, 4, 0.1, 1.3};
    const int routing = kind != Kind::Mono ? 0 : v.leftRight < 0.333f ? 0 : v.leftRight < 0.66f ? 1 : 2;
    const int processedCount = kind == Kind::Mono ? 1 : 2;

    int detectorWrite = 255, delayWrite = 511;
    int wetRead = (delayWrite + d.peakWindow + 2 + (multiband ? d.bandWindow + 1 : 0)) & 511;
    double offset = 1e-16;
    Stereo output{std::vector<double>(input.left.size()), std::vector<double>(input.left.size())};
    for (std::size_t frame = 0; frame < input.left.size(); ++frame) {
        double in[2] = {input.left[frame], input.right[frame]};
        for (int c = 0; c < 2; ++c) {
            channels[c].inputDelay.push_back(in[c]);
            in[c] = channels[c].inputDelay.front();
            channels[c].inputDelay.pop_front();
        }
        const int w = detectorWrite, readPeak = (w - d.peakWindow - 1) & 255, readBand = (w - d.bandWindow - 1) & 255;
        offset = -offset;
        // Processed channels first: mono routing "right" processes the right input.
        double x[2] = {in[routing == 2 ? 1 : 0] + offset, in[routing == 2 ? 0 : 1] + offset};
        double processed[2] = {0, 0};
        if (!multiband) {
            double z[2];
            for (int c = 0; c < processedCount; ++c) {
                Channel& ch = channels[c];
                const double y = ch.highPass.process(x[c], offset);
                ch.dry[static_cast<std::size_t>(delayWrite)] = kind == Kind::Mono ? y : x[c];
                const double hl = ch.lowSplit.process(y, offset), lh = ch.highSplit.process(y, offset);
                z[c] = y + (y - hl) * (v.lowAdjustGain - 1) + (y - lh) * (v.highAdjustGain - 1);
                ch.look[static_cast<std::size_t>(w)] = z[c];
            }
            if (kind == Kind::Mono) channels[1].dry[static_cast<std::size_t>(delayWrite)] = x[1];
            double gain[2];
            if (kind == Kind::Unlinked) {
                for (int c = 0; c < 2; ++c) {
                    Detector& det = detectors[static_cast<std::size_t>(c)];
                    const double pk = det.peak(std::fabs(1.0115795 * z[c]), w, readPeak, offset);
                    det.follow(pk, d.attackCoef, d.releaseCoef, v.autoRelease, c == 0 ? unlinkedLeft : single, 1, true);
                    gain[c] = curve(v, det.envelope * v.driveGain * v.kneeScale) / det.envelope;
                }
            } else {
                const double p = kind == Kind::Mono ? std::fabs(1.0115795 * z[0])
                                                    : std::max(std::fabs(1.0115795 * z[0]), std::fabs(1.0115795 * z[1]));
                Detector& det = detectors[0];
                const double pk = det.peak(p, w, readPeak, offset);
                det.follow(pk, d.attackCoef, d.releaseCoef, v.autoRelease, single,
                           kind == Kind::Linked ? d.autoReleaseScale : 1, true);
                gain[0] = gain[1] = curve(v, det.envelope * v.driveGain * v.kneeScale) / det.envelope;
            }
            for (int c = 0; c < processedCount; ++c) {
                processed[c] = channels[c].look[static_cast<std::size_t>(readPeak)] * gain[c];
                if (v.brickwall) processed[c] = std::clamp(processed[c], -1.0, 1.0);
            }
        } else {
            double bands[2][3];
            for (int c = 0; c < processedCount; ++c) {
                Channel& ch = channels[c];
                ch.dry[static_cast<std::size_t>(delayWrite)] = x[c];
                const double y = ch.highPass.process(x[c], offset);
                const double hl = ch.lowSplit.process(y, offset), lh = ch.highSplit.process(y, offset);
                bands[c][0] = (y - hl) * v.lowAdjustGain;
                bands[c][1] = hl - (y - lh);
                bands[c][2] = (y - lh) * v.highAdjustGain;
                for (int b = 0; b < 3; ++b) ch.bandLook[static_cast<std::size_t>(b)][static_cast<std::size_t>(w)] = bands[c][b];
            }
            if (kind == Kind::Mono) channels[1].dry[static_cast<std::size_t>(delayWrite)] = x[1];
            double sum[2] = {0, 0};
            for (int b = 0; b < 3; ++b) {
                const Release& r = b == 2 && kind == Kind::Linked ? linkedHigh : band;
                const double sat = v.bandSat[static_cast<std::size_t>(b)];
                double gain[2];
                for (int c = 0; c < (kind == Kind::Unlinked ? 2 : 1); ++c) {
                    Detector& det = detectors[static_cast<std::size_t>(2 + b + 3 * c)];
                    const double p = kind == Kind::Unlinked ? std::fabs(bands[c][b])
                                     : kind == Kind::Mono  ? std::fabs(bands[0][b])
                                                           : std::max(std::fabs(bands[0][b]), std::fabs(bands[1][b]));
                    const double pk = det.peak(p, w, readPeak, offset);
                    det.follow(pk, d.attackCoef, d.bandReleaseCoef[static_cast<std::size_t>(b)], v.autoRelease, r, 1, true);
                    gain[c] = curve(v, det.envelope * v.driveGain * v.kneeScale / sat) * sat / det.envelope;
                }
                if (kind != Kind::Unlinked) gain[1] = gain[0];
                for (int c = 0; c < processedCount; ++c)
                    sum[c] += channels[c].bandLook[static_cast<std::size_t>(b)][static_cast<std::size_t>(readPeak)] * gain[c];
            }
            for (int c = 0; c < processedCount; ++c) channels[c].look[static_cast<std::size_t>(w)] = sum[c];
            if (v.brickwall) {
                double gain[2];
                for (int c = 0; c < (kind == Kind::Unlinked ? 2 : 1); ++c) {
                    Detector& det = detectors[static_cast<std::size_t>(c)];
                    const double p = kind == Kind::Unlinked ? std::fabs(1.0115795 * sum[c])
                                     : kind == Kind::Mono  ? std::fabs(1.0115795 * sum[0])
                                                           : std::max(std::fabs(1.0115795 * sum[0]), std::fabs(1.0115795 * sum[1]));
                    // The final stage's maxima share the single-band rings' slots, read at bandWindow.
                    const double pk = det.peak(p, w, readBand, offset);
                    det.follow(pk, d.bandAttackCoef, d.finalReleaseCoef, v.autoRelease, finalStage, 1, false);
                    gain[c] = det.envelope < 1 ? 1 : 1 / det.envelope;
                }
                if (kind != Kind::Unlinked) gain[1] = gain[0];
                for (int c = 0; c < processedCount; ++c)
                    processed[c] = std::clamp(channels[c].look[static_cast<std::size_t>(readBand)] * gain[c], -1.0, 1.0);
            } else {
                for (int c = 0; c < processedCount; ++c) processed[c] = channels[c].look[static_cast<std::size_t>(readBand)];
            }
        }
        double wet[2];
        for (int c = 0; c < processedCount; ++c) {
            channels[c].wet[static_cast<std::size_t>(delayWrite)] = processed[c] * v.ceilingGain;
            wet[c] = channels[c].wet[static_cast<std::size_t>(wetRead)];
        }
        delayWrite = (delayWrite + 1) & 511;
        wetRead = (wetRead + 1) & 511;
        double out[2];
        for (int c = 0; c < 2; ++c) {
            const double dry = channels[c].dry[static_cast<std::size_t>(delayWrite)];
            out[c] = c < processedCount ? v.outputGain * (dry + v.mixAmount * (wet[c] - dry)) : v.outputGain * dry;
        }
        double left = out[0], right = processedCount == 2 ? out[1] : out[0];
        if (routing == 1) right = out[1];
        if (routing == 2) {
            left = out[1];
            right = out[0];
        }
        detectorWrite = (detectorWrite + 1) & 255;
        double result[2] = {left, right};
        for (int c = 0; c < 2; ++c) {
            channels[c].outputDelay.push_back(result[c]);
            result[c] = channels[c].outputDelay.front();
            channels[c].outputDelay.pop_front();
        }
        output.left[frame] = result[0];
        output.right[frame] = result[1];
    }
    return output;
}

TEST(KernelReference, EveryKernelMatchesThePlainModel) {
    struct Setting {
        const char* name;
        int autoRelease, longRelease, kneeType;
        double kneeAmount, driveGain, speed;
        int brickwall;
        float leftRight;
    };
    const Setting settings[] = {
        {"default", 0, 0, 0, 0.0, 1, 1, 1, 0},          {"auto", 1, 0, 0, 0.5, 4, 0.6, 1, 0},
        {"auto long", 1, 1, 1, 0.3, 2, 0.2, 1, 0.5f},   {"soft knee", 0, 1, 1, 1.0, 8, 0, 0, 1},
        {"auto no wall", 1, 0, 0, 1.0, 3, 0.9, 0, 0.5f},
    };
    Stereo input{noise(6000, 0.3, 21), noise(6000, 0.2, 22)};
    for (std::size_t i = 2000; i < 2600; ++i) input.left[i] *= 4;  // a loud burst, then release
    for (std::size_t i = 3000; i < 3100; ++i) input.right[i] *= 6;
    for (const KernelChoice& kernel : kKernels) {
        if (!kernel.processOn) continue;
        const Kind kind = kernel.monoStereo < 0.5f ? Kind::Mono : kernel.linked ? Kind::Linked : Kind::Unlinked;
        for (const Setting& s : settings) {
            ProcessingValues values = defaultPreset();
            choose(values, kernel);
            values.autoRelease = s.autoRelease;
            values.longRelease = s.longRelease;
            values.kneeType = s.kneeType;
            values.kneeAmount = s.kneeAmount;
            values.driveGain = s.driveGain;
            values.speed = s.speed;
            values.brickwall = s.brickwall;
            values.leftRight = s.leftRight;
            values.release = 0.7;
            values.releaseFactor = 0.25 * std::pow(16.0, 0.7);
            values.lowAdjustGain = 1.5;
            values.highAdjustGain = 0.7;
            values.ceilingGain = 0.8;
            values.outputGain = 0.9;
            values.mixAmount = 0.8;
            values.bandSat = {0.5, 1, 2};
            values.bandRel = {2, 1, 0.5};
            auto path = makePath(values, 44100);
            const Stereo expected = referenceKernel(path->values, path->dynamics(), kind, input);
            const Stereo actual = run(*path, input, 44100, 300);
            const std::string where = std::string(kernel.name) + " " + s.name;
            EXPECT_LT(largestDifference(actual.left, expected.left, 0), 1e-12) << where;
            EXPECT_LT(largestDifference(actual.right, expected.right, 0), 1e-12) << where;

            // The plain build of the kernels gives the very same bits as the AVX build, with
            // and without oversampling.
            if (!SignalPath::vectorKernelsAvailable()) continue;
            for (const int fat : {0, 1}) {
                values.oversample = fat;
                auto vector = makePath(values, 44100);
                auto plain = makePath(values, 44100);
                plain->useVectorKernels(false);
                const Stereo fromVector = run(*vector, input, 44100, 300);
                const Stereo fromPlain = run(*plain, input, 44100, 300);
                EXPECT_TRUE(fromPlain.left == fromVector.left && fromPlain.right == fromVector.right)
                    << where << (fat ? " with FAT" : "");
            }
        }
    }
}

}  // namespace
