#include "platform/program_mode.h"

#include <sys/stat.h>

#include <algorithm>
#include <string_view>

namespace tavo::platform {

bool IsProgramImage(std::span<const std::uint8_t> content) {
    const auto starts = [&](std::string_view magic) {
        return content.size() >= magic.size() &&
               std::equal(magic.begin(), magic.end(), content.begin(),
                          [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
    };
    return starts(
               "\x7f"
               "ELF") ||
           starts("#!");
}

bool MarkProgramExecutable(const std::string& path, std::span<const std::uint8_t> content) {
    if (!IsProgramImage(content)) return true;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    // Execute wherever reading is allowed, as an installed program is.
    const mode_t read = st.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
    return ::chmod(path.c_str(), (st.st_mode & 07777) | (read >> 2)) == 0;
}

}  // namespace tavo::platform
