#pragma once

#include <string>

namespace tavo::platform {

// Logon name of the effective user; empty when it cannot be read.
std::string UserName();

// Host name of the machine; empty when it cannot be read.
std::string ComputerName();

// True when the process runs with administrator rights (effective uid 0).
bool IsAdministrator();

}  // namespace tavo::platform
