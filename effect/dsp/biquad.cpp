#include "effect/dsp/biquad.h"

#include <cmath>
#include <numbers>

CBiquad::CBiquad(double sampleRate, int type, double cutoffHz, double q, double /*gain*/)
    : sampleRate(sampleRate), type(type), cutoffHz(cutoffHz), q(q) {
    limitCutoff();
    design();
}

void CBiquad::limitCutoff() {
    const double rate = (sampleRate < 20000 || sampleRate > 200000) ? 44100 : sampleRate;
    if (cutoffHz > 0.499 * rate) cutoffHz = 0.499 * rate;
}

void CBiquad::setSampleRate(double rate) {
    sampleRate = rate;
    limitCutoff();
    design();
}

void CBiquad::setCutoff(double hz) {
    cutoffHz = hz;
    limitCutoff();
    design();
}

void CBiquad::design() {
    if (cutoffHz > 0.499 * sampleRate) cutoffHz = 0.499 * sampleRate;
    const double w = 2 * std::numbers::pi * cutoffHz / sampleRate;
    // Widens the bandwidth term as the cutoff approaches Nyquist.
    const double m = std::pow(cutoffHz / (0.50001 * sampleRate), 8);
    const double alpha = std::sin(w) / (2 * q * (1 - m));
    const double cosine = std::cos(w);
    a0 = 1 + alpha;
    a1 = -2 * cosine / a0;
    a2 = (1 - alpha) / a0;
    b0 = (1 - cosine) / (2 * a0);
    b2 = b0;
    b1 = (1 - cosine) / a0;
}

void CBiquad::reset() { x1 = x2 = y1 = y2 = 0; }
