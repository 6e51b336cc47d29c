#include "effect/dsp/transfer_curve.h"

#include <cmath>

#include "effect/dsp/signal_path.h"

TransferCurve TransferCurve::from(const ProcessingValues& values) {
    TransferCurve curve;
    curve.kneeType = values.kneeType;
    curve.kneeAmount = values.kneeAmount;
    curve.oneMinusF = 1 - values.kneeAmount;
    if (values.kneeType == 1) {
        const double eighthRoot = std::sqrt(std::sqrt(std::sqrt(values.kneeAmount)));
        curve.bend = 1.4 * std::pow(30.0, 1 - eighthRoot);
        curve.bendMinusOne = curve.bend - 1;
    }
    return curve;
}

// The input level at which the curve reaches x (single precision, like the values it feeds).
float inverseCurve(const ProcessingValues& values, float x) {
    if (!(x < 1)) return x;
    const float f = static_cast<float>(values.kneeAmount);
    if (values.kneeType == 0) {
        if (f == 0) return x;
        const float c = 1 - f;
        return ((2 * f + c) - std::sqrt(4 * f * c + c * c + 4 * f * f - 4 * f * x)) / (2 * f);
    }
    const float bend = static_cast<float>(TransferCurve::from(values).bend);
    const float b = 1 - std::sqrt(1 - x);
    return (bend - 1) * b / (bend - b);
}

// The gain the whole kernel gives a signal far below the knee.
float smallSignalGain(const ProcessingValues& values) {
    const TransferCurve curve = TransferCurve::from(values);
    const double probe = values.kneeScale * 1e-6;
    return static_cast<float>(curve(probe) / 1e-6 * values.driveGain * values.ceilingGain);
}
