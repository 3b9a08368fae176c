#pragma once

#include <string>

namespace tavo {

// Creates a shortcut (a desktop entry here) at linkPath, which must end in the platform's
// link extension and name a folder; false when it cannot be written.
bool CreateWinLink(const std::string& target, const std::string& linkPath,
                   const std::string& workingFolder, const std::string& parameters);

// The special folder of a Windows folder number with "/" at the end, created when missing;
// empty when this platform has no such folder.
std::string SpecialFolder(int number);

}  // namespace tavo
