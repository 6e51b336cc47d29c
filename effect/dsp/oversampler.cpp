#include "effect/dsp/oversampler.h"

#include <cmath>
#include <cstring>
#include <immintrin.h>
#include <numbers>

namespace {

// Half-band sinc: 0.5 at the centre, zero at every even tap.
double sincTap(int i) {
    if (i == 0) return 0.5;
    return std::sin(0.5 * std::numbers::pi * i) / (256 * std::sin(std::numbers::pi * i / 255));
}

std::array<double, COversampler::kHalfTaps> makeUpTable() {
    std::array<double, COversampler::kHalfTaps> table{};
    for (int i = 0; i < COversampler::kHalfTaps; ++i) {
        const double blackman = 0.42 + 0.5 * std::cos(2 * std::numbers::pi * i / 255) +
                                0.08 * std::cos(4 * std::numbers::pi * i / 255);
        const double product = sincTap(i) * blackman;
        table[static_cast<std::size_t>(i)] = std::fabs(product) < 1e-16 ? 0 : 2 * product;
    }
    table[0] = 1;
    return table;
}

std::array<double, COversampler::kHalfTaps> makeDownTable() {
    std::array<double, COversampler::kHalfTaps> table{};
    for (int i = 0; i < COversampler::kHalfTaps; ++i) {
        const double hann = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * i / 255);
        const double product = sincTap(i) * hann;
        table[static_cast<std::size_t>(i)] = std::fabs(product) < 1e-16 ? 0 : product;
    }
    table[0] = 0.5;
    return table;
}

// The odd taps of a half table laid out over a 128-sample window, oldest sample first:
// tap 2j + 1 meets the samples 64 + j and 63 - j of the window.
std::array<double, COversampler::kWindow> windowCoefficients(
    const std::array<double, COversampler::kHalfTaps>& table) {
    std::array<double, COversampler::kWindow> coefficients{};
    for (int j = 0; j < 64; ++j) {
        const double tap = table[static_cast<std::size_t>(2 * j + 1)];
        coefficients[static_cast<std::size_t>(64 + j)] = tap;
        coefficients[static_cast<std::size_t>(63 - j)] = tap;
    }
    return coefficients;
}

const std::array<double, COversampler::kWindow>& upCoefficients() {
    static const auto coefficients = windowCoefficients(COversampler::upTable());
    return coefficients;
}

const std::array<double, COversampler::kWindow>& downCoefficients() {
    static const auto coefficients = windowCoefficients(COversampler::downTable());
    return coefficients;
}

// The hot loop of both filters: a 128-tap dot product in four independent vector sums,
// for SSE2 (every x86-64 processor) and for AVX2 with fused multiply-add where it exists.
double dot128Sse2(const double* window, const double* coefficients) {
    __m128d sum0 = _mm_setzero_pd(), sum1 = sum0, sum2 = sum0, sum3 = sum0;
    for (int k = 0; k < COversampler::kWindow; k += 8) {
        sum0 = _mm_add_pd(sum0, _mm_mul_pd(_mm_loadu_pd(window + k), _mm_loadu_pd(coefficients + k)));
        sum1 = _mm_add_pd(sum1, _mm_mul_pd(_mm_loadu_pd(window + k + 2), _mm_loadu_pd(coefficients + k + 2)));
        sum2 = _mm_add_pd(sum2, _mm_mul_pd(_mm_loadu_pd(window + k + 4), _mm_loadu_pd(coefficients + k + 4)));
        sum3 = _mm_add_pd(sum3, _mm_mul_pd(_mm_loadu_pd(window + k + 6), _mm_loadu_pd(coefficients + k + 6)));
    }
    const __m128d total = _mm_add_pd(_mm_add_pd(sum0, sum1), _mm_add_pd(sum2, sum3));
    return _mm_cvtsd_f64(total) + _mm_cvtsd_f64(_mm_unpackhi_pd(total, total));
}

__attribute__((target("avx2,fma"))) double dot128Avx2(const double* window, const double* coefficients) {
    __m256d sum0 = _mm256_setzero_pd(), sum1 = sum0, sum2 = sum0, sum3 = sum0;
    for (int k = 0; k < COversampler::kWindow; k += 16) {
        sum0 = _mm256_fmadd_pd(_mm256_loadu_pd(window + k), _mm256_loadu_pd(coefficients + k), sum0);
        sum1 = _mm256_fmadd_pd(_mm256_loadu_pd(window + k + 4), _mm256_loadu_pd(coefficients + k + 4), sum1);
        sum2 = _mm256_fmadd_pd(_mm256_loadu_pd(window + k + 8), _mm256_loadu_pd(coefficients + k + 8), sum2);
        sum3 = _mm256_fmadd_pd(_mm256_loadu_pd(window + k + 12), _mm256_loadu_pd(coefficients + k + 12), sum3);
    }
    const __m256d total = _mm256_add_pd(_mm256_add_pd(sum0, sum1), _mm256_add_pd(sum2, sum3));
    const __m128d half = _mm_add_pd(_mm256_castpd256_pd128(total), _mm256_extractf128_pd(total, 1));
    return _mm_cvtsd_f64(half) + _mm_cvtsd_f64(_mm_unpackhi_pd(half, half));
}

using DotProduct = double (*)(const double*, const double*);

// Chosen once per process from what the processor offers.
DotProduct dot128() {
    static const DotProduct chosen =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? dot128Avx2 : dot128Sse2;
    return chosen;
}

}  // namespace

const std::array<double, COversampler::kHalfTaps>& COversampler::upTable() {
    static const std::array<double, kHalfTaps> table = makeUpTable();
    return table;
}

const std::array<double, COversampler::kHalfTaps>& COversampler::downTable() {
    static const std::array<double, kHalfTaps> table = makeDownTable();
    return table;
}

COversampler::COversampler() {
    upCoefficients();
    downCoefficients();
    reset();
}

void COversampler::reset() {
    upHistory.clear();
    downEven.clear();
    downOdd.clear();
    scratch.fill(0);
}

// Output pair of input i: the value half-way between x[i-65] and x[i-64], then x[i-64].
void COversampler::upsample(double* block, int n) {
    const double* coefficients = upCoefficients().data();
    const double centre = upTable()[0];
    const DotProduct dot = dot128();
    for (int i = 0; i < n; ++i) {
        upHistory.push(block[i]);
        // The window x[i-128] .. x[i-1] ends one sample before the newest.
        scratch[static_cast<std::size_t>(2 * i)] = dot(upHistory.window(1), coefficients);
        scratch[static_cast<std::size_t>(2 * i + 1)] = centre * upHistory.back(64);
    }
    std::memcpy(block, scratch.data(), sizeof(double) * static_cast<std::size_t>(2 * n));
}

// Output i is centred on r[2i-129]: the odd sample there and the even ones r[2i-256] .. r[2i-2].
void COversampler::downsample(double* block, int n) {
    const double* coefficients = downCoefficients().data();
    const double centre = downTable()[0];
    const DotProduct dot = dot128();
    for (int i = 0; i < n; ++i) {
        // Window of the even stream before r[2i] joins it; r[2i-129] is odd sample i-65.
        const double taps = dot(downEven.window(0), coefficients);
        const double output = centre * downOdd.back(64) + taps;
        downEven.push(block[2 * i]);
        downOdd.push(block[2 * i + 1]);
        block[i] = output;
    }
}

void COversampler::inputDelay(double* block, int n) {
    for (int i = 0; i < n; ++i) {
        upHistory.push(block[i]);
        block[i] = upHistory.back(64);
    }
}

void COversampler::outputDelay(double* block, int n) {
    for (int i = 0; i < n; ++i) {
        downEven.push(block[i]);
        block[i] = downEven.back(64);
    }
}
