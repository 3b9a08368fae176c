#include "foundation/file_ops.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <ctime>

#include "foundation/dates.h"
#include "foundation/log.h"
#include "platform/file_info.h"
#include "platform/mounts.h"

namespace tavo {
namespace {

std::timespec TimespecOfLocal(double dateTime) {
    const DateParts p = DecodeDateTime(dateTime);
    std::tm local{};
    local.tm_year = p.year - 1900;
    local.tm_mon = p.month - 1;
    local.tm_mday = p.day;
    local.tm_hour = p.hour;
    local.tm_min = p.minute;
    local.tm_sec = p.second;
    local.tm_isdst = -1;  // the rules of the date itself decide
    return std::timespec{::mktime(&local), static_cast<long>(p.millisecond) * 1000000L};
}

}  // namespace

bool myDeleteFileW(const std::string& path) {
    const bool deleted = !path.empty() && ::unlink(path.c_str()) == 0;
    WriteLog("myDeleteFileW:" + path + " :" + (deleted ? "yes" : "no"));
    return deleted;
}

bool FileExistsW(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::int64_t FileSizeOf(const std::string& path) {
    return platform::FileSize(path);
}

std::uint32_t GetFileAttr(const std::string& path) {
    return platform::FileAttributes(path);
}

int SetFileAttr(const std::string& path, std::uint32_t attributes) {
    return platform::SetFileAttributes(path, attributes);
}

double FileTimeOf(const std::string& path, bool lastWrite) {
    const auto when = lastWrite ? platform::LastWriteTime(path) : platform::CreationTime(path);
    return when ? LocalDateTimeOf(when->tv_sec, static_cast<int>(when->tv_nsec / 1000000)) : 0;
}

bool SetFileDate(const std::string& path, double dateTime) {
    if (!FileExistsW(path) || !(dateTime > 0)) return false;
    return platform::SetLastWriteTime(path, TimespecOfLocal(dateTime));
}

std::int64_t DiskFreeOf(const std::string& path) {
    return platform::FreeBytesOf(path);
}

int DriveType(const std::string& root) {
    return static_cast<int>(platform::DriveKindOf(root));
}

}  // namespace tavo
