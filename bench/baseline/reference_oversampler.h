// The first, plainly written oversampler: kept as the baseline the fast one is measured against.
// 2x up- and down-sampling with linear-phase half-band filters (255 taps each), and the
// matching 64-sample delays used while oversampling is off, so both paths have one latency.
#pragma once

#include <array>

class ReferenceOversampler {
public:
    static constexpr int kHalfTaps = 128;     // h(0) .. h(127); the tables are symmetric
    static constexpr int kLatency = 126;      // 63 per filter, as the effect reports it
    static constexpr int kHistorySize = 512;  // rings wrap by masking

    ReferenceOversampler();

    void reset();
    // n samples in, 2n out, in place: `block` must hold 2n.
    void upsample(double* block, int n);
    // 2n samples in, n out, in place.
    void downsample(double* block, int n);
    // Delays of 64 samples each, in place, for the path without oversampling.
    void inputDelay(double* block, int n);
    void outputDelay(double* block, int n);
    int latency() const { return kLatency; }

    static const std::array<double, kHalfTaps>& upTable();
    static const std::array<double, kHalfTaps>& downTable();

private:
    static constexpr int kMask = kHistorySize - 1;

    std::array<double, kHistorySize> upHistory{};
    std::array<double, kHistorySize> downHistory{};
    std::array<double, 256> scratch{};
    int upIndex = 0;    // next write position
    int downIndex = 0;
};
