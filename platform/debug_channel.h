#pragma once

#include <string_view>

namespace tavo::platform {

// The debugger output channel: standard error, only while TAVO_DEBUG is set.
void DebugOutput(std::string_view line);

}  // namespace tavo::platform
