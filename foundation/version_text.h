#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace tavo {

// The version of a program file as text: major.minor, ".release" when the release is not
// 0, and " (Build n)" with withBuild ("3.12.2 (Build 410)"); empty when the file has no
// version record. Only the first `limit` bytes are searched (the start of an appended
// payload, so that a carried program's record is not taken for the file's own).
std::string FileVersionText(const std::string& path, bool withBuild,
                            std::uint64_t limit = std::numeric_limits<std::uint64_t>::max());

// The four numbers of a version text: major, minor, release (0 when missing) and the
// build after the word "Build" (0 without); a part that is no number counts as -1.
struct VersionNumbers {
    std::int64_t major = 0;
    std::int64_t minor = 0;
    std::int64_t release = 0;
    std::int64_t build = 0;
};
VersionNumbers ParseVersionText(std::string_view text);

// Whether version text a is newer than b: equal texts are not; otherwise the first of
// major, minor, release and build that differs decides.
bool IsNewerVersion(std::string_view a, std::string_view b);

}  // namespace tavo
