#include "platform/locked_append.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/unique_fd.h"

namespace tavo::platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool AppendDenyingWriters(const std::string& path, std::string_view bytes) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!fd.valid()) return false;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
    const bool written = WriteAll(fd.get(), bytes);
    // Closing reports late write errors (for example on network file systems).
    return ::close(fd.Release()) == 0 && written;
}

bool CreateEmptyFile(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    return fd.valid();
}

}  // namespace tavo::platform
