#include "platform/root.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tavo::platform {

std::string RootPrefix() {
    const char* env = std::getenv("TAVO_ROOT");
    std::string root = env ? env : "";
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root;
}

std::string UnderRoot(const std::string& absolutePath) {
    return RootPrefix() + absolutePath;
}

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool MakeFolders(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

}  // namespace tavo::platform
