#pragma once

#include <string>

namespace tavo::platform {

// The root prefix R of every system location, from TAVO_ROOT; empty means the real system.
// It carries no trailing "/", so R + "/etc/" is always a well-formed path.
std::string RootPrefix();

// R + absolute path.
std::string UnderRoot(const std::string& absolutePath);

// Ensures a folder path ends in "/".
std::string WithTrailingSlash(std::string folder);

// Creates a folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

}  // namespace tavo::platform
