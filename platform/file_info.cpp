#include "platform/file_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/win_errors.h"

namespace tavo::platform {

std::uint32_t FileAttributes(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return kInvalidAttributes;
    std::uint32_t bits = 0;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) bits |= kAttrReadOnly;
    std::string name = path;
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    const std::string base = name.substr(name.rfind('/') + 1);
    if (base.size() > 1 && base[0] == '.' && base != "..") bits |= kAttrHidden;
    if (S_ISDIR(st.st_mode))
        bits |= kAttrDirectory;
    else
        bits |= kAttrArchive;
    return bits;
}

int SetFileAttributes(const std::string& path, std::uint32_t attributes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return WindowsErrorOf(errno);
    mode_t mode = st.st_mode & 07777;
    if (attributes & kAttrReadOnly) {
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        // Writable again for those who may read it, as far as the umask allows.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode |= ((mode & 0444) >> 1) & ~mask;
        mode |= S_IWUSR;
    }
    return ::chmod(path.c_str(), mode) == 0 ? 0 : WindowsErrorOf(errno);
}

std::optional<std::timespec> LastWriteTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return st.st_mtim;
}

std::optional<std::timespec> CreationTime(const std::string& path) {
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_CTIME, &sx) != 0)
        return std::nullopt;
    const statx_timestamp t = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime;
    return std::timespec{static_cast<std::time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)};
}

bool SetLastWriteTime(const std::string& path, const std::timespec& when) {
    const std::timespec times[2] = {{0, UTIME_OMIT}, when};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::int64_t FileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

}  // namespace tavo::platform
