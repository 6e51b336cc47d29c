// The block maximum against two oracles: the ring walk it replaces, and brute force.
#include "effect/dsp/sliding_maximum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Every ring entry holds the largest peak from its own sample up to the newest; the entry at
// the read index, `window` + 1 behind the write index, is the maximum, cleared once read.
double ringWalk(std::vector<double>& ring, int write, int read, double peak) {
    const int mask = static_cast<int>(ring.size()) - 1;
    ring[static_cast<std::size_t>(write)] = peak;
    for (int k = (write - 1) & mask; k != read && peak > ring[static_cast<std::size_t>(k)]; k = (k - 1) & mask)
        ring[static_cast<std::size_t>(k)] = peak;
    if (peak > ring[static_cast<std::size_t>(read)]) ring[static_cast<std::size_t>(read)] = peak;
    const double maximum = ring[static_cast<std::size_t>(read)];
    ring[static_cast<std::size_t>(read)] = 0;
    return maximum;
}

std::vector<double> peaks(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(0, 1);
    std::vector<double> values(count);
    // Noise, slow rises and silence: the shapes that make the walk long or short.
    for (std::size_t i = 0; i < count; ++i)
        values[i] = i % 3000 < 1000 ? noise(random) : i % 3000 < 2000 ? std::fabs(std::sin(i * 0.003)) : 0.0;
    return values;
}

TEST(SlidingMaximum, EqualsTheRingWalkAtASteadyWindow) {
    for (int window : {1, 3, 52, 105, 230}) {
        std::vector<double> ring(1024, 0.0);
        SlidingMaximum maximum(1024);
        maximum.reset();
        int write = 1023;
        for (double peak : peaks(20000, static_cast<unsigned>(window))) {
            const int read = (write - window - 1) & 1023;
            ASSERT_EQ(maximum.push(peak, window + 2), ringWalk(ring, write, read, peak)) << window;
            write = (write + 1) & 1023;
        }
    }
}

TEST(SlidingMaximum, IsTheMaximumOfTheLastPeaksWhenTheWindowChanges) {
    const std::vector<double> values = peaks(12000, 99);
    SlidingMaximum maximum(1024);
    maximum.reset();
    const int windows[] = {10, 54, 3, 200, 1, 77};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int window = windows[(i / 1700) % 6];
        const double expected =
            *std::max_element(values.begin() + static_cast<long>(i >= static_cast<std::size_t>(window) - 1 ? i - static_cast<std::size_t>(window) + 1 : 0),
                              values.begin() + static_cast<long>(i) + 1);
        ASSERT_EQ(maximum.push(values[i], window), expected) << i;
    }
}

}  // namespace
