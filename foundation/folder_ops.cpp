#include "foundation/folder_ops.h"

#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "foundation/file_ops.h"
#include "foundation/log.h"
#include "foundation/text.h"
#include "platform/file_info.h"
#include "platform/root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string EnvValue(const std::string& name, bool& found) {
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    found = value != nullptr;
    return value ? value : "";
}

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Expands %NAME%, $NAME and ${NAME}; an unknown variable stays as it was written.
std::string ExpandEnvironment(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool found = false;
        if (c == '%') {
            const size_t close = text.find('%', i + 1);
            if (close != std::string::npos) {
                const std::string value = EnvValue(text.substr(i + 1, close - i - 1), found);
                if (found) {
                    out += value;
                    i = close;
                    continue;
                }
            }
        } else if (c == '$' && i + 1 < text.size()) {
            const bool braced = text[i + 1] == '{';
            const size_t start = i + (braced ? 2 : 1);
            size_t end = start;
            while (end < text.size() && IsNameChar(text[end])) ++end;
            const bool closed = !braced || (end < text.size() && text[end] == '}');
            if (end > start && closed) {
                const std::string value = EnvValue(text.substr(start, end - start), found);
                if (found) {
                    out += value;
                    i = braced ? end : end - 1;
                    continue;
                }
            }
        }
        out += c;
    }
    return out;
}

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

// One level of deletedir: false as soon as a file resists.
bool DeleteLevel(const std::string& folder, bool sub) {
    WriteLog(folder);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const std::string path = folder + name;
        if (IsDirectory(path) && !entry.is_symlink()) {
            if (!sub) continue;
            if (!DeleteLevel(path + "/", sub)) return false;
            if (!RemoveFolder(path + "/")) {
                WriteLog("Deletion failed:" + folder + name);
                return false;
            }
            continue;
        }
        const std::uint32_t attrs = platform::FileAttributes(path);
        if (attrs != platform::kInvalidAttributes && (attrs & platform::kAttrReadOnly))
            platform::SetFileAttributes(path, attrs & ~platform::kAttrReadOnly);
        if (!myDeleteFileW(path)) {
            WriteLog("Deletion failed:" + folder + name);
            return false;
        }
    }
    return !ec;
}

bool OnlyEntriesLeft(const std::string& folder, bool subfoldersAllowed) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (subfoldersAllowed && entry.is_directory(ec) && !entry.is_symlink(ec)) continue;
        return false;
    }
    return !ec;
}

}  // namespace

bool ForceFolder(const std::string& path) {
    if (path.empty()) return true;
    const std::string folder = path.back() == '/' ? path : FolderOfPath(path);
    if (folder.empty() || IsDirectory(folder)) return true;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return IsDirectory(folder);
}

bool CreateFolder(const std::string& path) {
    if (path.empty()) return false;
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && IsDirectory(path));
}

bool FolderExists(const std::string& path) {
    if (path.empty()) return false;
    return IsDirectory(path);
}

bool FolderIsEmpty(const std::string& path) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(path, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(ec) && IsHiddenName(name)) continue;
        return false;
    }
    return true;
}

bool deletedir(const std::string& folder, bool sub) {
    WriteLog("deletedir " + folder + "  sub:" + (sub ? "Ja" : "Nein"));
    const std::string normal = NormalizeFolder(folder);
    if (normal.empty() || !IsDirectory(normal)) return false;
    if (!DeleteLevel(normal, sub)) return false;
    if (!OnlyEntriesLeft(normal, !sub)) return false;
    const std::uint32_t attrs = platform::FileAttributes(normal);
    if (attrs != platform::kInvalidAttributes && (attrs & platform::kAttrReadOnly))
        platform::SetFileAttributes(normal, attrs & ~platform::kAttrReadOnly);
    return RemoveFolder(normal);
}

void DeleteMatchingFiles(const std::string& mask) {
    const std::string folder = FolderOfPath(mask);
    if (folder.empty()) return;
    const std::string pattern = FileNameOfPath(mask);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ec) && !entry.is_symlink(ec)) continue;
        if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD | FNM_PERIOD) != 0) continue;
        const std::string path = folder + name;
        const std::uint32_t attrs = platform::FileAttributes(path);
        if (attrs != platform::kInvalidAttributes && (attrs & platform::kAttrReadOnly))
            platform::SetFileAttributes(path, attrs & ~platform::kAttrReadOnly);
        myDeleteFileW(path);
    }
}

bool RemoveFolder(const std::string& path) {
    return !path.empty() && ::rmdir(path.c_str()) == 0;
}

std::string NormalizeFolder(const std::string& path) {
    if (path.empty()) return {};
    std::string folder = ExpandEnvironment(Trim(path));
    while (!folder.empty() && folder.back() == '\0') folder.pop_back();
    return platform::WithTrailingSlash(folder);
}

std::string FolderOfPath(const std::string& path) {
    std::string text = path;
    if (!text.empty() && text[0] == '"') {
        const size_t close = text.find('"', 1);
        text = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    const size_t slash = text.rfind('/');
    return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

std::string FileNameOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SafeFileName(const std::string& name, const std::string& replacement) {
    std::string out;
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            out += replacement;
        else
            out += c;
    }
    return Trim(out);
}

}  // namespace tavo
