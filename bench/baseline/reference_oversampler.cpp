#include "bench/baseline/reference_oversampler.h"

#include "effect/dsp/oversampler.h"

#include <cmath>
#include <numbers>

// The coefficient tables are the shipping ones: only the loops are the plain first version.
const std::array<double, ReferenceOversampler::kHalfTaps>& ReferenceOversampler::upTable() {
    return COversampler::upTable();
}

const std::array<double, ReferenceOversampler::kHalfTaps>& ReferenceOversampler::downTable() {
    return COversampler::downTable();
}

ReferenceOversampler::ReferenceOversampler() {
    upTable();
    downTable();
    reset();
}

void ReferenceOversampler::reset() {
    upHistory.fill(0);
    downHistory.fill(0);
    scratch.fill(0);
    upIndex = 0;
    downIndex = 0;
}

// Output pair of input i: the value half-way between x[i-65] and x[i-64], then x[i-64].
void ReferenceOversampler::upsample(double* block, int n) {
    const auto& h = upTable();
    for (int i = 0; i < n; ++i) {
        upHistory[static_cast<std::size_t>(upIndex)] = block[i];
        const int newest = upIndex;  // x[i]
        upIndex = (upIndex + 1) & kMask;
        double between = 0;
        for (int j = 0; j < 64; ++j) {
            const double later = upHistory[static_cast<std::size_t>((newest - 64 + j) & kMask)];
            const double earlier = upHistory[static_cast<std::size_t>((newest - 65 - j) & kMask)];
            between += h[static_cast<std::size_t>(2 * j + 1)] * (later + earlier);
        }
        scratch[static_cast<std::size_t>(2 * i)] = between;
        scratch[static_cast<std::size_t>(2 * i + 1)] =
            h[0] * upHistory[static_cast<std::size_t>((newest - 64) & kMask)];
    }
    for (int i = 0; i < 2 * n; ++i) block[i] = scratch[static_cast<std::size_t>(i)];
}

// Output i is centred on r[2i-129]; the newest pair is not yet used.
void ReferenceOversampler::downsample(double* block, int n) {
    const auto& g = downTable();
    for (int i = 0; i < n; ++i) {
        downHistory[static_cast<std::size_t>(downIndex)] = block[2 * i];
        downHistory[static_cast<std::size_t>((downIndex + 1) & kMask)] = block[2 * i + 1];
        const int r0 = downIndex;  // r[2i]
        downIndex = (downIndex + 2) & kMask;
        double sum = g[0] * downHistory[static_cast<std::size_t>((r0 - 129) & kMask)];
        for (int j = 0; j < 64; ++j) {
            const double later = downHistory[static_cast<std::size_t>((r0 - 128 + 2 * j) & kMask)];
            const double earlier = downHistory[static_cast<std::size_t>((r0 - 130 - 2 * j) & kMask)];
            sum += g[static_cast<std::size_t>(2 * j + 1)] * (later + earlier);
        }
        block[i] = sum;
    }
}

void ReferenceOversampler::inputDelay(double* block, int n) {
    for (int i = 0; i < n; ++i) {
        upHistory[static_cast<std::size_t>(upIndex)] = block[i];
        block[i] = upHistory[static_cast<std::size_t>((upIndex - 64) & kMask)];
        upIndex = (upIndex + 1) & kMask;
    }
}

void ReferenceOversampler::outputDelay(double* block, int n) {
    for (int i = 0; i < n; ++i) {
        downHistory[static_cast<std::size_t>(downIndex)] = block[i];
        block[i] = downHistory[static_cast<std::size_t>((downIndex - 64) & kMask)];
        downIndex = (downIndex + 1) & kMask;
    }
}
