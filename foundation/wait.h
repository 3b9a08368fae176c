#pragma once

#include <cstdint>

namespace tavo {

// Waits at least `milliseconds` on the monotonic clock, in shrinking sleeps: 400 ms (with
// longSleep) or 50 ms while more than 500 ms remain, letting pending messages run after
// each of these when processMessages is set; then 90, 10 and 1 ms steps, and the last
// millisecond without sleeping.
void WaitMs(std::int64_t milliseconds, bool longSleep = false, bool processMessages = true);

}  // namespace tavo
