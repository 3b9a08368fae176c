#pragma once

namespace tavo {

// Copies the running program into the temporary folder and starts the copy with the same
// parameters plus " /secondrun". True when the copy was started; the copy itself, whose
// copy onto itself is refused, answers false and carries on.
bool RestartFromTempCopy();

// The copy waits until the run that started it has ended and freed the single-instance
// lock; false when it is still held after the wait.
bool AwaitStarterEnd(int limitMs);
inline constexpr int kStarterEndWaitMs = 10000;

}  // namespace tavo
