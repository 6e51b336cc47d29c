// Monotonic milliseconds for the editor: tick counts, short sleeps, the double-click time.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start (CLOCK_MONOTONIC); wraps after 49 days like a tick count.
std::uint32_t monotonicMilliseconds();
void sleepMilliseconds(int milliseconds);

// The desktop offers no double-click setting to an embedded window; this is the usual value.
inline constexpr int kDoubleClickTimeMs = 400;

}  // namespace platform
