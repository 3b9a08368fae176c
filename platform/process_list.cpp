#include "platform/process_list.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tavo::platform {
namespace {

std::string NameOf(const std::filesystem::path& procDir) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink(procDir / "exe", ec);
    if (!ec) {
        std::string name = exe.filename().string();
        // A replaced program file shows as "name (deleted)".
        const std::string deleted = " (deleted)";
        if (name.size() > deleted.size() &&
            name.compare(name.size() - deleted.size(), deleted.size(), deleted) == 0)
            name.erase(name.size() - deleted.size());
        return name;
    }
    std::ifstream in(procDir / "comm");
    std::string comm;
    std::getline(in, comm);
    return comm;
}

}  // namespace

std::optional<std::vector<std::string>> RunningProcessFileNames(size_t limit) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() || !std::isdigit(static_cast<unsigned char>(pid[0]))) continue;
        if (names.size() >= limit) return std::nullopt;
        const std::string name = NameOf(entry.path());
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

}  // namespace tavo::platform
