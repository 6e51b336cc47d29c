// The transfer curve, its inverse and the small-signal gain against each other and the formulas.
#include "effect/dsp/transfer_curve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "effect/dsp/signal_path.h"

namespace {

ProcessingValues knee(int type, double amount) {
    ProcessingValues values;
    values.kneeType = type;
    values.kneeAmount = amount;
    return values;
}

struct KneeCase {
    int type;
    double amount;
};
constexpr KneeCase kKnees[] = {{0, 0.0}, {0, 0.3}, {0, 1.0}, {1, 0.0}, {1, 0.5}, {1, 1.0}};

TEST(TransferCurve, NeverExceedsOneAndRisesMonotonically) {
    for (const KneeCase& k : kKnees) {
        const TransferCurve curve = TransferCurve::from(knee(k.type, k.amount));
        double previous = 0;
        for (double level = 0; level < 20; level += 0.01) {
            const double y = curve(level);
            ASSERT_LE(y, 1.0) << k.type << " " << k.amount << " at " << level;
            ASSERT_GE(y, previous) << k.type << " " << k.amount << " at " << level;
            previous = y;
        }
        EXPECT_EQ(curve(50), 1.0);
    }
}

TEST(TransferCurve, KneeShapesMatchTheirFormulas) {
    // Knee 0: hard corner; pure parabola at F = 1; type 1 bends by A = 1.4 * 30^(1 - F^(1/8)).
    EXPECT_EQ(TransferCurve::from(knee(0, 0))(0.7), 0.7);
    EXPECT_DOUBLE_EQ(TransferCurve::from(knee(0, 1))(0.5), 0.75);
    EXPECT_DOUBLE_EQ(TransferCurve::from(knee(0, 0.5))(0.5), 0.5 * 0.5 + 0.5 * 0.75);
    EXPECT_NEAR(TransferCurve::from(knee(1, 0)).bend, 42, 1e-12);
    EXPECT_NEAR(TransferCurve::from(knee(1, 1)).bend, 1.4, 1e-12);
    const double bend = 1.4 * std::pow(30.0, 1 - std::pow(0.5, 0.125));
    const double mapped = bend * 0.3 / (0.3 + bend - 1);
    EXPECT_NEAR(TransferCurve::from(knee(1, 0.5))(0.3), 2 * mapped - mapped * mapped, 1e-12);
}

TEST(TransferCurve, InverseCurveUndoesTheCurve) {
    for (const KneeCase& k : kKnees) {
        const ProcessingValues values = knee(k.type, k.amount);
        const TransferCurve curve = TransferCurve::from(values);
        for (float x : {0.05f, 0.25f, 0.5f, 0.9f, 0.99f}) {
            const float level = inverseCurve(values, x);
            EXPECT_NEAR(curve(level), x, 2e-5) << k.type << " " << k.amount << " x " << x;
        }
        EXPECT_EQ(inverseCurve(values, 1.0f), 1.0f);
        EXPECT_EQ(inverseCurve(values, 2.5f), 2.5f);
    }
}

// Far below the knee the curve is linear with slope f'(0): 1 for the hard corner, 2 for the
// parabola, 2 * A / (A - 1) for type 1; the kernel multiplies by drive and ceiling.
TEST(TransferCurve, SmallSignalGainIsTheSlopeAtZeroTimesDriveAndCeiling) {
    struct Case {
        int type;
        double amount, slope;
    };
    const Case cases[] = {{0, 0, 1}, {0, 1, 2}, {0, 0.5, 1.5}, {1, 0, 2 * 42.0 / 41}, {1, 1, 2 * 1.4 / 0.4}};
    for (const Case& c : cases) {
        ProcessingValues values = knee(c.type, c.amount);
        values.driveGain = 2;
        values.ceilingGain = 0.5;
        values.kneeScale = 1.5;
        EXPECT_NEAR(smallSignalGain(values), c.slope * 1.5 * 2 * 0.5, 1e-4) << c.type << " " << c.amount;
    }
}

}  // namespace
