#include "platform/debug_channel.h"

#include <cstdio>
#include <cstdlib>

namespace tavo::platform {

void DebugOutput(std::string_view line) {
    if (!std::getenv("TAVO_DEBUG")) return;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace tavo::platform
