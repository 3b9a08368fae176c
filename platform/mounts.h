#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavo::platform {

// Drive types as the Windows drive-type numbers.
enum class DriveKind : int {
    Unknown = 0,
    NoRoot = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// One mounted file system: the counterpart of a drive or a connected network share.
struct MountPoint {
    std::string path;    // with trailing "/"
    std::string fsType;  // as the kernel names it (ext4, nfs4, tmpfs, iso9660, ...)
    std::string source;  // device or share ("/dev/sda1", "server:/export", "//host/share")
    DriveKind kind = DriveKind::Unknown;
};

// The mount points of this process, from /proc/self/mountinfo, in mount order. Kernel
// pseudo file systems (proc, sysfs, cgroup, ...) are left out.
std::vector<MountPoint> MountPoints();

// The drive type of the file system that holds a path; NoRoot when the path does not exist.
DriveKind DriveKindOf(const std::string& path);

// The kind a file system type stands for (the source decides removable media).
DriveKind KindOfFileSystem(const std::string& fsType, const std::string& source);

// Free bytes for the caller on the file system of a path; -1 when unknown.
std::int64_t FreeBytesOf(const std::string& path);
// Size in bytes of the file system of a path; -1 when unknown.
std::int64_t TotalBytesOf(const std::string& path);

}  // namespace tavo::platform
