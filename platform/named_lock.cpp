#include "platform/named_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/root.h"

namespace tavo::platform {
namespace {

bool UsableFolder(const std::string& folder) {
    return MakeFolders(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string LockFolder() {
    const std::string run = UnderRoot("/run/lock/");
    if (UsableFolder(run)) return run;
    const std::string tmp = UnderRoot("/tmp/");
    MakeFolders(tmp);
    return tmp;
}

// Lock files are shared by all users, so they are opened read-only when another user made them.
UniqueFd OpenLockFile(const std::string& path) {
    const mode_t old = ::umask(0);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ::umask(old);
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return UniqueFd(fd);
}

}  // namespace

std::string NamedLock::PathFor(const std::string& name) {
    return LockFolder() + "tavo-" + name + ".lock";
}

std::optional<NamedLock> NamedLock::TryAcquire(const std::string& name) {
    std::string path = PathFor(name);
    UniqueFd fd = OpenLockFile(path);
    if (!fd.valid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return std::nullopt;
    return NamedLock(std::move(fd), std::move(path));
}

bool NamedLock::IsHeld(const std::string& name) {
    const UniqueFd fd = OpenLockFile(PathFor(name));
    if (!fd.valid()) return false;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
        ::flock(fd.get(), LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

}  // namespace tavo::platform
