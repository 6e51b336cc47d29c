// The left and right filters of one kind in the two lanes of a vector, so both channels run
// in one instruction stream and the states stay in registers. Each lane computes exactly what
// the scalar filter computes (same operations, same order, no fused multiply-add).
#pragma once

#include "effect/dsp/split_filters.h"

using Double2 = double __attribute__((vector_size(16)));

inline Double2 pairOf(double left, double right) { return Double2{left, right}; }

struct PairedDirectFilter {
    Double2 b0, b1, b2, a1, a2, x1, x2, y1, y2;

    PairedDirectFilter(const DirectFormFilter& l, const DirectFormFilter& r)
        : b0{l.b0, r.b0}, b1{l.b1, r.b1}, b2{l.b2, r.b2}, a1{l.a1, r.a1}, a2{l.a2, r.a2},
          x1{l.x1, r.x1}, x2{l.x2, r.x2}, y1{l.y1, r.y1}, y2{l.y2, r.y2} {}

    Double2 process(Double2 x, double denormalOffset) {
        const Double2 y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2 + denormalOffset;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
    void storeTo(DirectFormFilter& l, DirectFormFilter& r) const {
        l.x1 = x1[0], l.x2 = x2[0], l.y1 = y1[0], l.y2 = y2[0];
        r.x1 = x1[1], r.x2 = x2[1], r.y1 = y1[1], r.y2 = y2[1];
    }
};

struct PairedCanonicalFilter {
    Double2 b0, b1, a1, a2, w1, w2;

    PairedCanonicalFilter(const CanonicalFilter& l, const CanonicalFilter& r)
        : b0{l.b0, r.b0}, b1{l.b1, r.b1}, a1{l.a1, r.a1}, a2{l.a2, r.a2}, w1{l.w1, r.w1},
          w2{l.w2, r.w2} {}

    Double2 process(Double2 x, double denormalOffset) {
        const Double2 w = x - a1 * w1 - a2 * w2 + denormalOffset;
        const Double2 y = b0 * (w + w2) + b1 * w1;
        w2 = w1;
        w1 = w;
        return y;
    }
    void storeTo(CanonicalFilter& l, CanonicalFilter& r) const {
        l.w1 = w1[0], l.w2 = w2[0];
        r.w1 = w1[1], r.w2 = w2[1];
    }
};

// The three filters of both channels.
struct PairedChannelFilters {
    PairedDirectFilter highPass15;
    PairedCanonicalFilter lowSplit;
    PairedCanonicalFilter highSplit;

    PairedChannelFilters(const ChannelFilters& l, const ChannelFilters& r)
        : highPass15(l.highPass15, r.highPass15), lowSplit(l.lowSplit, r.lowSplit),
          highSplit(l.highSplit, r.highSplit) {}

    void storeTo(ChannelFilters& l, ChannelFilters& r) const {
        highPass15.storeTo(l.highPass15, r.highPass15);
        lowSplit.storeTo(l.lowSplit, r.lowSplit);
        highSplit.storeTo(l.highSplit, r.highSplit);
    }
};
