#pragma once

#include <string>
#include <string_view>

namespace tavo::platform {

// How this platform spells the names that Windows forms with ".lnk", ".exe" and ".dll".
// Every place that forms or removes such a name uses these.
inline constexpr std::string_view kLinkExtension = ".desktop";
inline constexpr std::string_view kExecutableSuffix = "";
inline constexpr std::string_view kLibrarySuffix = ".so";

inline std::string ExecutableName(std::string_view base) {
    return std::string(base) + std::string(kExecutableSuffix);
}
inline std::string LibraryName(std::string_view base) {
    return std::string(base) + std::string(kLibrarySuffix);
}
inline std::string LinkName(std::string_view base) {
    return std::string(base) + std::string(kLinkExtension);
}

}  // namespace tavo::platform
