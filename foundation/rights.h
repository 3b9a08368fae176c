#pragma once

#include <string>

namespace tavo {

// True when both registry write probes succeed: the user's hive and the machine's hive
// (which only an administrator may change).
bool TestRegistryWrite();

// True when the process has administrator rights.
bool IsAdministrator();

// True on every platform this program supports (Windows 7 and later there).
bool IsNewerThanVista();

// The file names of all running processes, each followed by "|".
std::string RunningProcessNames();

// True when a running process has the file name (compared without regard to case).
bool IsProcessRunning(const std::string& name);

}  // namespace tavo
