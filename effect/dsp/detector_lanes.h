// The three band detectors of one side of a three-band kernel, one band per vector lane:
// peak smoothing pair, envelope and gain step together, so their three recursions overlap.
// Every lane computes exactly what the scalar detector computes (same operations in the same
// order); a branch of the scalar code becomes a per-lane choice. Lane 3 is spare.
#pragma once

#include "effect/dsp/biquad.h"
#include "effect/dsp/paired_filters.h"
#include "effect/dsp/transfer_curve.h"

using Double4 = double __attribute__((vector_size(32)));

inline Double4 broadcast(double x) { return Double4{x, x, x, x}; }

// CBiquad low-passes in the lanes of a vector: coefficients, history and each one's own
// denormal offset. Lanes beyond the filters given repeat the first one and are never stored.
template <typename Lanes, int filterCount>
struct SmoothingLanesOf {
    static constexpr int kLanes = static_cast<int>(sizeof(Lanes) / sizeof(double));
    Lanes b0, b1, b2, a1, a2, x1, x2, y1, y2, offset;

    explicit SmoothingLanesOf(CBiquad* const (&filters)[filterCount]) {
        for (int lane = 0; lane < kLanes; ++lane) {
            const CBiquad& f = *filters[lane < filterCount ? lane : 0];
            b0[lane] = f.b0, b1[lane] = f.b1, b2[lane] = f.b2, a1[lane] = f.a1, a2[lane] = f.a2;
            x1[lane] = f.x1, x2[lane] = f.x2, y1[lane] = f.y1, y2[lane] = f.y2;
            offset[lane] = f.offset;
        }
    }
    void storeTo(CBiquad* const (&filters)[filterCount]) const {
        for (int lane = 0; lane < filterCount; ++lane) {
            CBiquad& f = *filters[lane];
            f.x1 = x1[lane], f.x2 = x2[lane], f.y1 = y1[lane], f.y2 = y2[lane];
            f.offset = offset[lane];
        }
    }
    Lanes process(Lanes x) {
        offset = -offset;
        const Lanes input = x + offset;
        const Lanes y = b0 * input + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        y2 = y1;
        y1 = y + offset;
        x2 = x1;
        x1 = input;
        return y;
    }
};

// The three bands' smoothing filters of one kind; a detector's fast and slow pair.
using SmoothingLanes = SmoothingLanesOf<Double4, 3>;
using SmoothingPair = SmoothingLanesOf<Double2, 2>;

// The transfer curve in lanes.
inline Double4 curveLanes(const TransferCurve& curve, Double4 level) {
    const Double4 one = broadcast(1);
    if (curve.kneeType == 0) {
        const auto below = level < one;
        const Double4 parabola = below ? 2.0 * level - level * level : one;
        return curve.oneMinusF * (below ? level : one) + curve.kneeAmount * parabola;
    }
    const Double4 mapped = curve.bend * level / (level + curve.bendMinusOne);
    return mapped < one ? 2.0 * mapped - mapped * mapped : one;
}
