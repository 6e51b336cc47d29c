// The largest detector peak over the last `span` + 1 samples, in amortized constant time:
// a queue of the peaks that can still become the maximum, largest first. It gives the same
// values as walking every ring entry back to the read index and raising it, without the walk.
// Storage is allocated once; push() is real-time safe.
#pragma once

#include <vector>

class SlidingMaximum {
public:
    explicit SlidingMaximum(int capacity)  // a power of two, above any span
        : peaks(static_cast<std::size_t>(capacity)), times(static_cast<std::size_t>(capacity)),
          mask(capacity - 1) {}

    void reset() { head = count = 0; }

    // Adds the peak of sample `now` (a running sample count) and returns the maximum of the
    // samples from `now - span` to `now`.
    double push(double peak, unsigned now, int span) {
        // A newer peak at least as large makes smaller older ones irrelevant.
        while (count > 0 && peaks[back()] < peak) --count;
        const auto slot = static_cast<std::size_t>((head + count) & mask);
        peaks[slot] = peak;
        times[slot] = now;
        ++count;
        while (now - times[static_cast<std::size_t>(head)] > static_cast<unsigned>(span)) {
            head = (head + 1) & mask;
            --count;
        }
        return peaks[static_cast<std::size_t>(head)];
    }

private:
    std::size_t back() const { return static_cast<std::size_t>((head + count - 1) & mask); }

    std::vector<double> peaks;
    std::vector<unsigned> times;
    int mask;
    int head = 0;
    int count = 0;
};
