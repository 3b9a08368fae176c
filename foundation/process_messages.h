#pragma once

#include <functional>

namespace tavo {

// Lets pending window messages run during a long operation, so the window stays alive.
// The Qt layer installs the hook; without one (tests, unattended runs) nothing happens.
void ProcessMessages();

// Installs the hook and gives back the one it replaces.
std::function<void()> SetProcessMessagesHook(std::function<void()> hook);

}  // namespace tavo
