#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavo {

// A file read or written as a whole. Writing goes to a new file beside the target that
// replaces it only when complete, so a failure never leaves a partial file or destroys an
// existing one.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tavo
