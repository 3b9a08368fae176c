#pragma once

#include <string>
#include <string_view>

namespace tavo::platform {

// Appends bytes to a file while holding an exclusive flock on it, so that no other writer
// that honours the lock interleaves; creates the file when missing. False when the file
// cannot be opened, another holder has it locked, or the write fails.
bool AppendDenyingWriters(const std::string& path, std::string_view bytes);

// Creates an empty file, truncating one that exists; false on failure.
bool CreateEmptyFile(const std::string& path);

}  // namespace tavo::platform
