// Second-order low-pass used to smooth the detectors and to give the VU meters their
// ballistics. Coefficients are designed in double precision whenever rate or cutoff change.
#pragma once

class CBiquad {
public:
    enum Type { LowPass = 0 };

    CBiquad(double sampleRate, int type, double cutoffHz, double q, double gain = 0);

    void setSampleRate(double rate);
    void setCutoff(double hz);
    void design();
    void reset();

    // One sample; audio thread.
    double process(double x) {
        offset = -offset;
        const double input = x + offset;
        const double y = b0 * input + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        y2 = y1;
        y1 = y + offset;
        x2 = x1;
        x1 = input;
        return y;
    }

    double cutoff() const { return cutoffHz; }
    double rate() const { return sampleRate; }

private:
    template <typename, int>
    friend struct SmoothingLanesOf;  // steps several of these side by side
    void limitCutoff();

    double sampleRate;
    int type;
    double cutoffHz;
    double q;
    double offset = 1e-13;  // sign flips every sample: keeps the state out of denormals
    double a0 = 1, a1 = 0, a2 = 0, b0 = 1, b1 = 0, b2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};
