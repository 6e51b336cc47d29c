#include "effect/dsp/oversampler.h"

#include <cmath>
#include <cstring>
#include <immintrin.h>

#include "effect/dsp/oversampler_tables.h"

namespace {

// The odd taps h(1), h(3) .. h(127) of a half table: tap j meets a mirrored pair of samples.
constexpr std::array<double, COversampler::kOddTaps> oddTaps(const std::array<double, COversampler::kHalfTaps>& table) {
    std::array<double, COversampler::kOddTaps> taps{};
    for (int j = 0; j < COversampler::kOddTaps; ++j) taps[static_cast<std::size_t>(j)] = table[static_cast<std::size_t>(2 * j + 1)];
    return taps;
}

constexpr std::array<double, COversampler::kOddTaps> kUpOddTaps = oddTaps(kUpsamplingTable);
constexpr std::array<double, COversampler::kOddTaps> kDownOddTaps = oddTaps(kDownsamplingTable);

// The hot loop of both filters, over `count` outputs at once: output i is
//   sum over j = 0 .. 63 of taps[j] * (window[i + 64 + j] + window[i + 63 - j]),
// each mirrored pair added first, the sum taken in order of j. Neighbouring outputs share all
// but one sample of their windows, so a vector holds neighbouring outputs and every tap is
// loaded once for all of them. SSE2 (every x86-64 processor) keeps the plain order of rounding;
// AVX2 with fused multiply-add, where it exists, rounds each step once.
void firSse2(const double* window, int count, const double* taps, double* out) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128d sum0 = _mm_setzero_pd(), sum1 = sum0;
        for (int j = 0; j < COversampler::kOddTaps; ++j) {
            const __m128d tap = _mm_set1_pd(taps[j]);
            const double* newer = window + i + 64 + j;
            const double* older = window + i + 63 - j;
            sum0 = _mm_add_pd(sum0, _mm_mul_pd(tap, _mm_add_pd(_mm_loadu_pd(newer), _mm_loadu_pd(older))));
            sum1 = _mm_add_pd(sum1, _mm_mul_pd(tap, _mm_add_pd(_mm_loadu_pd(newer + 2), _mm_loadu_pd(older + 2))));
        }
        _mm_storeu_pd(out + i, sum0);
        _mm_storeu_pd(out + i + 2, sum1);
    }
    for (; i < count; ++i) {
        double sum = 0;
        for (int j = 0; j < COversampler::kOddTaps; ++j) sum += taps[j] * (window[i + 64 + j] + window[i + 63 - j]);
        out[i] = sum;
    }
}

__attribute__((target("avx2,fma"))) void firAvx2(const double* window, int count, const double* taps, double* out) {
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        __m256d sum0 = _mm256_setzero_pd(), sum1 = sum0, sum2 = sum0, sum3 = sum0;
        for (int j = 0; j < COversampler::kOddTaps; ++j) {
            const __m256d tap = _mm256_broadcast_sd(taps + j);
            const double* newer = window + i + 64 + j;
            const double* older = window + i + 63 - j;
            sum0 = _mm256_fmadd_pd(tap, _mm256_add_pd(_mm256_loadu_pd(newer), _mm256_loadu_pd(older)), sum0);
            sum1 = _mm256_fmadd_pd(tap, _mm256_add_pd(_mm256_loadu_pd(newer + 4), _mm256_loadu_pd(older + 4)), sum1);
            sum2 = _mm256_fmadd_pd(tap, _mm256_add_pd(_mm256_loadu_pd(newer + 8), _mm256_loadu_pd(older + 8)), sum2);
            sum3 = _mm256_fmadd_pd(tap, _mm256_add_pd(_mm256_loadu_pd(newer + 12), _mm256_loadu_pd(older + 12)), sum3);
        }
        _mm256_storeu_pd(out + i, sum0);
        _mm256_storeu_pd(out + i + 4, sum1);
        _mm256_storeu_pd(out + i + 8, sum2);
        _mm256_storeu_pd(out + i + 12, sum3);
    }
    for (; i + 4 <= count; i += 4) {
        __m256d sum = _mm256_setzero_pd();
        for (int j = 0; j < COversampler::kOddTaps; ++j)
            sum = _mm256_fmadd_pd(_mm256_broadcast_sd(taps + j),
                                  _mm256_add_pd(_mm256_loadu_pd(window + i + 64 + j), _mm256_loadu_pd(window + i + 63 - j)), sum);
        _mm256_storeu_pd(out + i, sum);
    }
    for (; i < count; ++i) {
        double sum = 0;
        for (int j = 0; j < COversampler::kOddTaps; ++j)
            sum = std::fma(taps[j], window[i + 64 + j] + window[i + 63 - j], sum);
        out[i] = sum;
    }
}

// Chosen from what the processor offers.
COversampler::Fir chooseFir() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? firAvx2 : firSse2;
}

}  // namespace

const std::array<double, COversampler::kHalfTaps>& COversampler::upTable() { return kUpsamplingTable; }

const std::array<double, COversampler::kHalfTaps>& COversampler::downTable() { return kDownsamplingTable; }

COversampler::COversampler() : fir(chooseFir()) { reset(); }

void COversampler::reset() {
    upHistory.clear();
    downEven.clear();
    downOdd.clear();
    scratch.fill(0);
}

// Output pair of input i: the value half-way between x[i-65] and x[i-64], then x[i-64]. The
// whole block enters the history first; the window of input i, x[i-128] .. x[i-1], then starts
// n + 127 samples before the newest and moves up by one per input.
void COversampler::upsample(double* block, int n) {
    for (int start = 0; start < n; start += kMaxBlock) {
        const int count = n - start < kMaxBlock ? n - start : kMaxBlock;
        const double* input = block + start;
        for (int i = 0; i < count; ++i) upHistory.push(input[i]);
        fir(upHistory.from(count + 127), count, kUpOddTaps.data(), interpolated.data());
        const double centre = kUpsamplingTable[0];
        for (int i = 0; i < count; ++i) {
            scratch[static_cast<std::size_t>(2 * (start + i))] = interpolated[static_cast<std::size_t>(i)];
            scratch[static_cast<std::size_t>(2 * (start + i) + 1)] = centre * upHistory.back(count - 1 - i + 64);
        }
    }
    std::memcpy(block, scratch.data(), sizeof(double) * static_cast<std::size_t>(2 * n));
}

// Output i is centred on r[2i-129]: the odd sample there (odd sample i-65) and the even ones
// r[2i-256] .. r[2i-2] (even samples i-128 .. i-1). All pairs enter the histories first.
void COversampler::downsample(double* block, int n) {
    for (int start = 0; start < n; start += kMaxBlock) {
        const int count = n - start < kMaxBlock ? n - start : kMaxBlock;
        const double* pairs = block + 2 * start;
        for (int i = 0; i < count; ++i) {
            downEven.push(pairs[2 * i]);
            downOdd.push(pairs[2 * i + 1]);
        }
        fir(downEven.from(count + 127), count, kDownOddTaps.data(), interpolated.data());
        const double centre = kDownsamplingTable[0];
        // In place: output start + i only overwrites pairs of this chunk or earlier, all read.
        for (int i = 0; i < count; ++i)
            block[start + i] = centre * downOdd.back(count - i + 64) + interpolated[static_cast<std::size_t>(i)];
    }
}

// The whole block goes in first; the n samples that come out, 64 older each, then lie in one
// contiguous run of the mirrored ring (n + 64 < kRing).
void COversampler::delayBlock(MirroredRing& ring, double* block, int n) {
    ring.pushBlock(block, n);
    std::memcpy(block, ring.from(n - 1 + kMatchingDelay), static_cast<std::size_t>(n) * sizeof(double));
}

void COversampler::inputDelay(double* block, int n) { delayBlock(upHistory, block, n); }

void COversampler::outputDelay(double* block, int n) { delayBlock(downEven, block, n); }
