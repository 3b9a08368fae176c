#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavo::platform {

// The file names of the running processes (the program file's base name, or the kernel's
// command name where the program file cannot be read). Empty when there are more than
// `limit` processes.
std::optional<std::vector<std::string>> RunningProcessFileNames(size_t limit);

}  // namespace tavo::platform
