#include "platform/shell_open.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/process.h"

namespace tavo::platform {
namespace {

constexpr int kSuccess = 42;

int CodeOfErrno(int err) {
    switch (err) {
        case ENOENT:
            return 2;
        case ENOTDIR:
            return 3;
        case EACCES:
        case EPERM:
            return 5;
        case ENOEXEC:
            return 11;
        case ENOMEM:
            return 8;
        default:
            return 31;
    }
}

// xdg-open's exit codes: 0 done, 1 bad call, 2 file missing, 3 no tool, 4 action failed.
int CodeOfOpener(int exitCode) {
    switch (exitCode) {
        case 0:
            return kSuccess;
        case 2:
            return 2;
        default:
            return 31;
    }
}

ShellOpenResult OpenWithDesktop(const std::string& target, const std::string& folder,
                                bool waitable) {
    const SpawnResult started = SpawnProgram("xdg-open", {target}, folder, false);
    if (started.pid < 0) return {started.error == ENOENT ? 31 : CodeOfErrno(started.error), -1};
    if (waitable) return {kSuccess, started.pid};
    // The opener hands the target over and ends; one that takes longer counts as started.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto code = PollExit(started.pid)) return {CodeOfOpener(*code), -1};
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {kSuccess, -1};
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool IsAddress(const std::string& text) {
    for (const char* scheme : {"http:", "https:", "mailto:", "mail:", "ftp:", "file:"}) {
        const std::string s = scheme;
        if (text.size() >= s.size()) {
            bool same = true;
            for (size_t i = 0; i < s.size(); ++i)
                same = same && std::tolower(static_cast<unsigned char>(text[i])) == s[i];
            if (same) return true;
        }
    }
    return false;
}

ShellOpenResult ShellOpen(const std::string& file, const std::string& parameters,
                          const std::string& folder, bool waitable) {
    if (file.empty()) return {2, -1};
    if (IsAddress(file)) return OpenWithDesktop(file, folder, waitable);
    if (!folder.empty() && !IsDirectory(folder)) return {3, -1};
    // A bare name is looked for in the folder first, then on PATH.
    std::string path = file;
    if (file.find('/') == std::string::npos) {
        const std::string inFolder = folder.empty() ? std::string() : folder + "/" + file;
        path = !inFolder.empty() && ::access(inFolder.c_str(), F_OK) == 0 ? inFolder
                                                                          : FindProgram(file);
        if (path.empty()) return {2, -1};
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {CodeOfErrno(errno), -1};
    if (S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0) {
        const SpawnResult started =
            SpawnProgram(path, SplitParameters(parameters), folder, !waitable);
        if (started.pid < 0) return {CodeOfErrno(started.error), -1};
        return {kSuccess, waitable ? started.pid : -1};
    }
    return OpenWithDesktop(path, folder, waitable);
}

}  // namespace tavo::platform
