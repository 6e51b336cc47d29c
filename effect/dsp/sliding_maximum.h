// The largest detector peak over the last `window` samples, in constant time per sample with
// no data-dependent loop: the stream is cut into blocks of `window` samples; the maximum is the
// larger of the running maximum of the current block and the suffix maximum of the previous
// block from the same position on. At a steady window this equals walking every newer entry of
// a ring back to the read index and raising it; after a window change it restarts from the
// most recent peaks. Storage is allocated once; push() is real-time safe.
#pragma once

#include <algorithm>
#include <vector>

class SlidingMaximum {
public:
    explicit SlidingMaximum(int capacity)
        : history(static_cast<std::size_t>(capacity)), suffix(static_cast<std::size_t>(capacity) + 1),
          capacity(capacity) {}

    // As if every earlier peak had been 0.
    void reset() {
        std::fill(history.begin(), history.end(), 0.0);
        std::fill(suffix.begin(), suffix.end(), 0.0);
        position = 0;
        prefix = 0;
        newest = 0;
    }

    // Adds a peak (>= 0) and returns the maximum of the last `window` peaks, this one included.
    // Inlined into the kernels' per-sample loops; closing a block, once per window, is not.
    [[gnu::always_inline]] double push(double peak, int window) {
        if (window != length) restart(window);
        newest = newest + 1 == capacity ? 0 : newest + 1;
        history[static_cast<std::size_t>(newest)] = peak;
        prefix = position == 0 ? peak : std::max(prefix, peak);
        const double maximum =
            position == length - 1 ? prefix : std::max(prefix, suffix[static_cast<std::size_t>(position + 1)]);
        if (++position == length) closeBlock();
        return maximum;
    }

private:
    // The block just filled becomes the previous block: its suffix maxima, newest last.
    [[gnu::noinline]] void closeBlock() {
        suffix[static_cast<std::size_t>(length)] = 0;
        int at = newest;
        for (int j = length - 1; j >= 0; --j) {
            suffix[static_cast<std::size_t>(j)] = std::max(history[static_cast<std::size_t>(at)], suffix[static_cast<std::size_t>(j + 1)]);
            at = at == 0 ? capacity - 1 : at - 1;
        }
        position = 0;
    }

    // A new window length: the last `window` peaks form the previous block.
    void restart(int window) {
        length = std::clamp(window, 1, capacity);
        closeBlock();
    }

    std::vector<double> history;  // the most recent peaks, a ring
    std::vector<double> suffix;   // suffix maxima of the previous block
    int capacity;
    int length = 0;               // window, in samples
    int position = 0;             // of the next peak in the current block
    double prefix = 0;            // running maximum of the current block
    int newest = 0;               // ring position of the newest peak
};
