// The saturating transfer curve of the gain computer: f(H) never exceeds 1. Its shape comes
// from the Knee setting; the kernels evaluate it per sample from constants set up per block.
#pragma once

#include "effect/dsp/processing_values.h"

struct TransferCurve {
    int kneeType = 0;
    double kneeAmount = 0;  // F
    double oneMinusF = 1;
    double bend = 42;       // A = 1.4 * 30^(1 - F^(1/8)), knee type 1
    double bendMinusOne = 41;

    static TransferCurve from(const ProcessingValues& values);

    double operator()(double level) const {
        if (kneeType == 0) {
            const double parabola = level < 1 ? 2 * level - level * level : 1;
            return oneMinusF * (level < 1 ? level : 1) + kneeAmount * parabola;
        }
        const double mapped = bend * level / (level + bendMinusOne);
        return mapped < 1 ? 2 * mapped - mapped * mapped : 1;
    }
};
