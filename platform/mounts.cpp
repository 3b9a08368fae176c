#include "platform/mounts.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/root.h"

namespace tavo::platform {
namespace {

const std::set<std::string>& PseudoFileSystems() {
    static const std::set<std::string> names = {
        "proc",    "sysfs",       "cgroup",   "cgroup2",   "devpts",     "mqueue",  "debugfs",
        "tracefs", "securityfs",  "pstore",   "bpf",       "configfs",   "fusectl", "hugetlbfs",
        "autofs",  "binfmt_misc", "efivarfs", "selinuxfs", "rpc_pipefs", "nsfs",    "devtmpfs"};
    return names;
}

// mountinfo escapes blanks and backslashes as octal sequences ("\040").
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

// The block device behind a source reports whether its medium is removable.
bool IsRemovableDevice(const std::string& source) {
    if (source.rfind("/dev/", 0) != 0) return false;
    std::string device = source.substr(5);
    // A partition (sdb1, mmcblk0p1) belongs to its disk.
    while (!device.empty() && std::isdigit(static_cast<unsigned char>(device.back())))
        device.pop_back();
    if (device.size() > 1 && device.back() == 'p' && device.rfind("mmcblk", 0) == 0)
        device.pop_back();
    std::ifstream in("/sys/block/" + device + "/removable");
    int removable = 0;
    return (in >> removable) && removable == 1;
}

}  // namespace

DriveKind KindOfFileSystem(const std::string& fsType, const std::string& source) {
    static const std::set<std::string> remote = {"nfs",   "nfs4",       "cifs",       "smb3",
                                                 "smbfs", "fuse.sshfs", "9p",         "afs",
                                                 "ceph",  "glusterfs",  "fuse.rclone"};
    if (remote.count(fsType)) return DriveKind::Remote;
    if (fsType == "tmpfs" || fsType == "ramfs") return DriveKind::RamDisk;
    if (fsType == "iso9660" || fsType == "udf") return DriveKind::CdRom;
    if (IsRemovableDevice(source)) return DriveKind::Removable;
    return DriveKind::Fixed;
}

std::vector<MountPoint> MountPoints() {
    std::vector<MountPoint> mounts;
    std::ifstream in("/proc/self/mountinfo");
    for (std::string line; std::getline(in, line);) {
        // id parent major:minor root mountpoint options [optional...] - fstype source superopts
        std::istringstream fields(line);
        std::string id, parent, devno, root, mountPoint;
        fields >> id >> parent >> devno >> root >> mountPoint;
        std::string word;
        while (fields >> word && word != "-") {
        }
        MountPoint mount;
        fields >> mount.fsType >> mount.source;
        if (mount.fsType.empty() || PseudoFileSystems().count(mount.fsType)) continue;
        mount.path = WithTrailingSlash(Unescape(mountPoint));
        mount.source = Unescape(mount.source);
        mount.kind = KindOfFileSystem(mount.fsType, mount.source);
        mounts.push_back(mount);
    }
    return mounts;
}

DriveKind DriveKindOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return DriveKind::NoRoot;
    // The deepest mount point that holds the path.
    const std::string wanted = WithTrailingSlash(path);
    const MountPoint* best = nullptr;
    const auto mounts = MountPoints();
    for (const MountPoint& m : mounts) {
        if (wanted.rfind(m.path, 0) == 0 && (!best || m.path.size() >= best->path.size()))
            best = &m;
    }
    return best ? best->kind : DriveKind::Unknown;
}

std::int64_t FreeBytesOf(const std::string& path) {
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0) return -1;
    return static_cast<std::int64_t>(vfs.f_bavail) * static_cast<std::int64_t>(vfs.f_frsize);
}

std::int64_t TotalBytesOf(const std::string& path) {
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0) return -1;
    return static_cast<std::int64_t>(vfs.f_blocks) * static_cast<std::int64_t>(vfs.f_frsize);
}

}  // namespace tavo::platform
