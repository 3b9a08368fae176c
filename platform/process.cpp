#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/unique_fd.h"

namespace tavo::platform {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// In the child: runs the program or reports errno through the pipe and ends.
[[noreturn]] void ExecChild(const std::string& path, const std::vector<std::string>& args,
                            const std::string& folder, bool detached, int reportFd) {
    if (detached) ::setsid();
    ::signal(SIGPIPE, SIG_DFL);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
        const int err = errno;
        [[maybe_unused]] const ssize_t n = ::write(reportFd, &err, sizeof err);
        ::_exit(127);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(path.c_str(), argv.data());
    const int err = errno;
    [[maybe_unused]] const ssize_t n = ::write(reportFd, &err, sizeof err);
    ::_exit(127);
}

}  // namespace

std::string FindProgram(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
    const char* env = std::getenv("PATH");
    const std::string path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    size_t pos = 0;
    while (pos <= path.size()) {
        const size_t end = std::min(path.find(':', pos), path.size());
        const std::string dir = end > pos ? path.substr(pos, end - pos) : ".";
        const std::string candidate = dir + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        pos = end + 1;
    }
    return {};
}

SpawnResult SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& folder, bool detached) {
    const std::string path =
        program.find('/') == std::string::npos ? FindProgram(program) : program;
    if (path.empty()) return {-1, ENOENT};
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return {-1, errno};
    const UniqueFd readEnd(report[0]);
    UniqueFd writeEnd(report[1]);
    // A detached program runs in a grandchild, so nobody has to wait for its end.
    const pid_t pid = ::fork();
    if (pid < 0) return {-1, errno};
    if (pid == 0) {
        if (detached) {
            const pid_t grandchild = ::fork();
            if (grandchild < 0) ::_exit(127);
            if (grandchild > 0) ::_exit(0);
        }
        ExecChild(path, args, folder, detached, writeEnd.get());
    }
    writeEnd.Reset();
    int err = 0;
    ssize_t n;
    do {
        n = ::read(readEnd.get(), &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    if (detached) {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    if (n == static_cast<ssize_t>(sizeof err)) {
        if (!detached) ::waitpid(pid, nullptr, 0);
        return {-1, err};
    }
    return {pid, 0};
}

std::optional<int> PollExit(pid_t pid) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == 0) return std::nullopt;
    if (done < 0) return 127;  // not our child (any more): nothing to wait for
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return std::nullopt;
}

std::vector<std::string> SplitParameters(const std::string& parameters) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (const char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) args.push_back(current);
    return args;
}

}  // namespace tavo::platform
