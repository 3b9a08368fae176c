#pragma once

#include <sys/types.h>

#include <string>

namespace tavo::platform {

// The shell's "open" action: a program runs, a document or an address opens in the
// application the desktop associates with it (through xdg-open). The result codes keep the
// Windows meanings: above 32 success (42 here), 2 file not found, 3 path not found,
// 5 access denied, 11 no program file, 31 no application associated.
struct ShellOpenResult {
    int code = 0;
    pid_t pid = -1;  // the started process when the caller asked to wait for it
};

ShellOpenResult ShellOpen(const std::string& file, const std::string& parameters,
                          const std::string& folder, bool waitable);

// Whether a text is an address with a scheme the desktop opens ("http:", "mailto:", ...).
bool IsAddress(const std::string& text);

}  // namespace tavo::platform
