#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tavo::platform {

// Windows runs a file as a program by its name; here only a file with execute bits runs.
// Whether content is a program: an ELF image or a script starting with "#!".
bool IsProgramImage(std::span<const std::uint8_t> content);

// Gives a just written file the execute bits of its read bits when its content is a
// program; other files are left alone. False only when the bits cannot be set.
bool MarkProgramExecutable(const std::string& path, std::span<const std::uint8_t> content);

}  // namespace tavo::platform
