// 2x up- and down-sampling with linear-phase half-band filters (255 taps each), and the
// matching 64-sample delays used while oversampling is off, so both paths have one latency.
//
// Both filters reduce to 64 taps over mirrored pairs of a contiguous 128-sample window of one
// sample stream (the input, or the even samples of the doubled-rate stream) plus a centre tap,
// so each history is a mirrored ring: every sample is written twice, R apart, and any run of
// up to R samples ending at the newest is contiguous.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>

class COversampler {
public:
    static constexpr int kHalfTaps = 128;  // h(0) .. h(127); the tables are symmetric
    static constexpr int kLatency = 126;   // 63 per filter, as the effect reports it

    COversampler();

    void reset();
    // n samples in (n at most 128), 2n out, in place: `block` must hold 2n.
    void upsample(double* block, int n);
    // 2n samples in, n out, in place.
    void downsample(double* block, int n);
    // Delays of 64 samples each, in place, for the path without oversampling (n at most 128).
    void inputDelay(double* block, int n);
    void outputDelay(double* block, int n);
    int latency() const { return kLatency; }

    static const std::array<double, kHalfTaps>& upTable();
    static const std::array<double, kHalfTaps>& downTable();

    static constexpr int kOddTaps = 64;   // h(1), h(3) .. h(127): the taps that are not 0
    static constexpr int kMaxBlock = 64;  // samples filtered at once

    // The filter loop of both directions, picked once at construction for the processor:
    // out[i] = sum over j of taps[j] * (window[i + 64 + j] + window[i + 63 - j]).
    using Fir = void (*)(const double* window, int count, const double* taps, double* out);

private:
    static constexpr int kRing = 256;

    // A ring of kRing samples stored twice so windows never wrap.
    struct MirroredRing {
        std::array<double, 2 * kRing> samples{};
        int newest = 0;  // position of the newest sample in [0, kRing)

        void push(double x) {
            newest = (newest + 1) & (kRing - 1);
            samples[static_cast<std::size_t>(newest)] = x;
            samples[static_cast<std::size_t>(newest + kRing)] = x;
        }
        // n samples (n < kRing) as n pushes: at most two contiguous copies into each half.
        void pushBlock(const double* block, int n) {
            const int start = (newest + 1) & (kRing - 1);
            const int first = std::min(n, kRing - start);
            copyTo(start, block, first);
            copyTo(0, block + first, n - first);
            newest = (newest + n) & (kRing - 1);
        }
        void copyTo(int position, const double* from, int count) {
            const auto bytes = static_cast<std::size_t>(count) * sizeof(double);
            std::memcpy(&samples[static_cast<std::size_t>(position)], from, bytes);
            std::memcpy(&samples[static_cast<std::size_t>(position + kRing)], from, bytes);
        }
        // Sample `age` steps before the newest (0 = newest), age < kRing.
        double back(int age) const { return samples[static_cast<std::size_t>(newest + kRing - age)]; }
        // Contiguous samples from the one `age` steps before the newest up to the newest.
        const double* from(int age) const { return &samples[static_cast<std::size_t>(newest + kRing - age)]; }
        void clear() {
            samples.fill(0);
            newest = 0;
        }
    };

    static constexpr int kMatchingDelay = 64;
    static void delayBlock(MirroredRing& ring, double* block, int n);

    MirroredRing upHistory;        // input samples
    MirroredRing downEven;         // even samples of the doubled-rate stream
    MirroredRing downOdd;          // odd samples of the doubled-rate stream
    std::array<double, 256> scratch{};
    std::array<double, kMaxBlock> interpolated{};
    Fir fir;
};
