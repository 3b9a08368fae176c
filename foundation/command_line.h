#pragma once

#include <optional>
#include <string>

namespace tavo {

// The value of a switch ("/" + name, optionally ":" + value) in a command line, or in the
// process's own command line without its program path when none is given. "true" for a
// switch without value; empty when the switch is absent.
std::string GetSwitchValue(const std::string& name,
                           const std::optional<std::string>& commandLine = std::nullopt);

// True when GetSwitchValue gives a non-empty text.
bool HasSwitch(const std::string& name,
               const std::optional<std::string>& commandLine = std::nullopt);

// A command line without the program's own path, trimmed of spaces.
std::string WithoutProgramPath(const std::string& commandLine);

// Removes every "/L" switch (any case) that stands as a word of its own.
std::string RemoveLogSwitch(const std::string& params);

}  // namespace tavo
