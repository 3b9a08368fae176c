#pragma once

namespace tavo::platform {

// The Windows error code that stands for an errno value, so that callers and logs keep the
// codes they know (2 not found, 3 path not found, 5 access denied, ...).
int WindowsErrorOf(int errnoValue);

}  // namespace tavo::platform
