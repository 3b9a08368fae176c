#include "foundation/wait.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "foundation/process_messages.h"

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;

// A century: far beyond any wait, and the end point stays inside the clock's range.
constexpr std::int64_t kLongestWaitMs = 100LL * 365 * 24 * 3600 * 1000;

// The sleep for the time still to wait; zero for the last millisecond, checked at once.
std::chrono::milliseconds SleepFor(std::chrono::nanoseconds remaining, bool longSleep) {
    using std::chrono::milliseconds;
    if (remaining > milliseconds(500)) return milliseconds(longSleep ? 400 : 50);
    if (remaining > milliseconds(100)) return milliseconds(90);
    if (remaining > milliseconds(10)) return milliseconds(10);
    if (remaining > milliseconds(1)) return milliseconds(1);
    return milliseconds(0);
}

}  // namespace

void WaitMs(std::int64_t milliseconds, bool longSleep, bool processMessages) {
    if (milliseconds <= 0) return;
    const Clock::time_point end =
        Clock::now() + std::chrono::milliseconds(std::min(milliseconds, kLongestWaitMs));
    for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
        const auto remaining = end - now;
        const auto sleep = SleepFor(remaining, longSleep);
        if (sleep.count() > 0) std::this_thread::sleep_for(sleep);
        if (processMessages && remaining > std::chrono::milliseconds(500)) ProcessMessages();
    }
}

}  // namespace tavo
