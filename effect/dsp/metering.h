// Needle-meter ballistics and over counting, run per sample inside the kernels while the
// editor is open. All state lives in the signal path; this is the per-sample arithmetic.
#pragma once

#include <cmath>

#include "effect/dsp/biquad.h"
#include "effect/dsp/processing_values.h"

enum MeterSource { MeterPre = 0, MeterGainReduction = 1, MeterPost = 2 };

// Constants of one sub-block.
struct MeterSetup {
    int source = MeterGainReduction;
    bool ppm = false;
    double ppmAttack = 1;
    double ppmRelease = 1;
    double ppmGain = 1;
    double vuReference = 1;
    double ceilingGain = 1;
    double smallSignalGain = 1;
    double overCount = 6;

    static MeterSetup from(const ProcessingValues& values, double processingRate) {
        MeterSetup setup;
        setup.source = values.meterSource < 0 ? 0 : values.meterSource > 2 ? 2 : values.meterSource;
        setup.ppm = values.meterType >= 0.5f;
        const double integrationMs = values.ppmIntegrationMs;
        setup.ppmAttack = integrationMs > 0.05
                              ? 1 - std::pow(0.01, 1 / (integrationMs * 0.001 * processingRate))
                              : 1;
        setup.ppmRelease = 1 - std::pow(0.01, 1 / (values.ppmReturnMs * 0.001 * processingRate));
        // Slow integration against the return raises the reading.
        setup.ppmGain = std::pow(10.0, 0.19 * std::pow(static_cast<double>(values.ppmTimeRatio), 0.6));
        setup.vuReference = values.vuReference;
        setup.ceilingGain = values.ceilingGain;
        setup.smallSignalGain = values.smallSignalGain;
        setup.overCount = values.overCount;
        return setup;
    }
};

struct MeterChannel {
    float value = 0;
    double overCounter = 0;
    CBiquad* vuFilter = nullptr;

    // `gain` is the gain the kernel applied to this channel; `gainKnown` is false while the
    // signal only passes through (Process off), which reads as no reduction: the VU filter is
    // fed a steady 1.0, and the PPM needle is led to 1.0 with its own ballistics, so it settles
    // there without a jump.
    void update(const MeterSetup& setup, double input, double output, double gain, bool gainKnown) {
        // Full scale less the denormal offset's 1e-16, so a sample of exactly 1.0 always counts.
        constexpr double kFullScale = 1 - 1e-12;
        const double watched = setup.source == MeterPre ? input : output;
        if (std::fabs(watched) >= kFullScale)
            overCounter += 1;
        else if (overCounter < setup.overCount)
            overCounter = 0;

        if (setup.source == MeterGainReduction) {
            const double reduction =
                gainKnown ? std::fabs(gain) * setup.ceilingGain / setup.smallSignalGain : 1.0;
            if (setup.ppm) {
                const double coefficient = value > reduction ? setup.ppmAttack : setup.ppmRelease;
                value = static_cast<float>(value + (reduction - value) * coefficient);
            } else if (gainKnown && std::fabs(gain) * setup.ceilingGain < 0.01) {
                value = 1.0f;
            } else {
                value = static_cast<float>(vuFilter->process(reduction));
            }
            return;
        }
        const double level = std::fabs(setup.source == MeterPre ? input : output);
        if (setup.ppm) {
            const double x = setup.ppmGain * level;
            const double coefficient = value < x ? setup.ppmAttack : setup.ppmRelease;
            value = static_cast<float>(value + (x - value) * coefficient);
        } else {
            value = static_cast<float>(vuFilter->process(level * 1.4142136 * 1.096 / setup.vuReference));
        }
    }
};
