#include "payload/archive_names.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace tavo {
namespace {

namespace fs = std::filesystem;

bool IsDriveName(const std::string& name) {
    const unsigned char first = static_cast<unsigned char>(name[0]);
    return name.size() >= 2 && name[1] == ':' &&
           ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'));
}

bool SafeLevel(const std::string& level) {
    if (level.empty() || level == "." || level == "..") return false;
    for (const char c : level)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

// Each level of a path cut at sep must be a safe one.
bool SafeLevels(const std::string& path, char sep) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(sep, start);
        if (!SafeLevel(path.substr(start, end - start))) return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

bool IsLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool Within(const fs::path& inner, const fs::path& outer) {
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i)
        if (i == inner.end() || *i != *o) return false;
    return true;
}

}  // namespace

std::optional<std::string> NativeEntryPath(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/' || IsDriveName(name)) return std::nullopt;
    // A "/" inside a name is a separator on this system: treated like "\" so that no level
    // can hide a "..".
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (!SafeLevels(path, '/')) return std::nullopt;
    return path;
}

std::optional<std::string> EntryNameOf(const std::string& relativePath) {
    if (relativePath.find('\\') != std::string::npos) return std::nullopt;
    std::string name = relativePath;
    for (char& c : name)
        if (c == '/') c = '\\';
    if (!NativeEntryPath(name)) return std::nullopt;
    return name;
}

bool StaysInside(const std::string& folder, const std::string& relativePath) {
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(fs::path(folder).parent_path(), ec);
    if (ec) return false;
    std::string prefix = folder;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = relativePath.find('/', start);
        prefix += relativePath.substr(start, end - start);
        if (end == std::string::npos) return true;  // a link there is replaced, not followed
        if (!Exists(prefix)) return true;           // what is made from here on is below folder
        if (IsLink(prefix)) {
            const fs::path target = fs::weakly_canonical(fs::path(prefix), ec);
            if (ec || !Within(target, base)) return false;
        }
        prefix += '/';
        start = end + 1;
    }
}

}  // namespace tavo
