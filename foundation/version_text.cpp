#include "foundation/version_text.h"

#include <tuple>

#include "foundation/text.h"
#include "platform/version_record.h"

namespace tavo {

std::string FileVersionText(const std::string& path, bool withBuild, std::uint64_t limit) {
    const auto version = platform::ReadFileVersion(path, limit);
    if (!version) return {};
    std::string text = std::to_string(version->major) + "." + std::to_string(version->minor);
    if (version->release != 0) text += "." + std::to_string(version->release);
    if (withBuild) text += " (Build " + std::to_string(version->build) + ")";
    return text;
}

VersionNumbers ParseVersionText(std::string_view text) {
    std::string rest(text);
    ReplaceAll(rest, "(", "");
    ReplaceAll(rest, ")", "");
    rest = Trim(rest);
    // The dotted numbers are split at their dots, never read as one number with regional
    // separators: "12.2" is minor 12 and release 2 on every system.
    std::string dotted = SplitOff(rest, " ");
    const auto nextNumber = [&dotted]() -> std::int64_t {
        return dotted.empty() ? 0 : IntOf(SplitOff(dotted, "."));
    };
    VersionNumbers v;
    v.major = IntOf(SplitOff(dotted, "."));
    v.minor = nextNumber();
    v.release = nextNumber();
    // What follows is "Build n": the word is dropped, the number counts up to a dot.
    rest = Trim(rest);
    if (!rest.empty()) {
        SplitOff(rest, " ");
        v.build = IntOf(SplitOff(rest, "."));
    }
    return v;
}

bool IsNewerVersion(std::string_view a, std::string_view b) {
    if (a == b) return false;
    const VersionNumbers x = ParseVersionText(a);
    const VersionNumbers y = ParseVersionText(b);
    return std::tie(x.major, x.minor, x.release, x.build) >
           std::tie(y.major, y.minor, y.release, y.build);
}

}  // namespace tavo
