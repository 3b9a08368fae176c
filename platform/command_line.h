#pragma once

#include <string>
#include <vector>

namespace tavo::platform {

// The process's command line as one text, the form the switch parser reads: arguments
// joined by spaces, an argument with a space quoted. A switch with a value
// ("/restart:/a b/x") gets only its value quoted, as a caller on Windows would write it.
std::string ProcessCommandLine();

// The same joining for a given argument vector (argument 0 is the program).
std::string JoinCommandLine(const std::vector<std::string>& args);

}  // namespace tavo::platform
