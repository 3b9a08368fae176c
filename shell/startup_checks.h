#pragma once

namespace tavo {

// The checks before any wizard page: registry write access, the temporary folder, a
// running product, and in uninstall mode the restart from a temporary copy. False when the
// program ends (a fatal stop, the user's "beenden", the copy carrying on).
bool StartupChecks();

// Whether the product runs: a probe of the lock it holds. The setup never keeps the lock.
bool IsProductRunning();

}  // namespace tavo
