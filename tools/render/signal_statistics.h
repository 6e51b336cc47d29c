// What the render summary reports, gathered block by block as the audio streams through.
#pragma once

#include <cstddef>
#include <vector>

// Peak and RMS over every sample of every channel. Samples that are not finite numbers (a
// damaged float file) are counted apart, so one of them cannot turn the whole summary into NaN.
class SignalLevels {
public:
    void add(const double* interleaved, std::size_t frames, int channels);
    double peak() const { return peakLinear; }
    double rms() const;
    std::size_t nonFiniteSamples() const { return nonFinite; }

private:
    double peakLinear = 0;
    double sumOfSquares = 0;
    std::size_t samples = 0;
    std::size_t nonFinite = 0;
};

// How far the effect turned the signal down at its busiest: the spread between its highest and
// its lowest gain (output over input energy) across windows where the input is above -40 dBFS.
// Make-up gain cancels out, so a louder output can still show its compression. The output must
// be latency compensated, so window k of the input and of the output hold the same music.
class GainReductionMeter {
public:
    explicit GainReductionMeter(std::size_t windowFrames);
    void addInput(const double* interleaved, std::size_t frames, int channels);
    void addOutput(const double* interleaved, std::size_t frames, int channels);
    // In dB, 0 when no window was loud enough.
    double largestReductionDb() const;

private:
    struct Energy {
        std::vector<double> windowSums;
        std::size_t frames = 0;
    };
    void add(Energy& energy, const double* interleaved, std::size_t frames, int channels) const;

    std::size_t windowFrames;
    Energy input, output;
};

// dB of a linear level; -inf for silence.
double decibelsOf(double linear);
