#include "ui/drive_items.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace tavo {
namespace {

namespace fs = std::filesystem;

// udev writes labels with "\x20"-style escapes into the link names.
std::string UnescapeLabel(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const std::string hex = name.substr(i + 2, 2);
            if (hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
                out += static_cast<char>(std::strtol(hex.c_str(), nullptr, 16));
                i += 3;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string NameOf(const platform::MountPoint& mount) {
    switch (mount.kind) {
        case platform::DriveKind::Removable:
            return "Floppy";
        case platform::DriveKind::Fixed:
        case platform::DriveKind::RamDisk:
            return VolumeLabelOf(mount.source);
        case platform::DriveKind::Remote:
            return mount.source;
        case platform::DriveKind::CdRom: {
            const std::string label = VolumeLabelOf(mount.source);
            return label.empty() ? "CD-Rom" : label;
        }
        default:
            return {};
    }
}

int ImageOf(platform::DriveKind kind) {
    switch (kind) {
        case platform::DriveKind::Removable:
            return kImageRemovable;
        case platform::DriveKind::Fixed:
            return kImageFixed;
        case platform::DriveKind::Remote:
            return kImageNetwork;
        case platform::DriveKind::CdRom:
            return kImageCdRom;
        case platform::DriveKind::RamDisk:
            return kImageRamDisk;
        default:
            return kImageShareOrOther;
    }
}

// The mount list writes every mount point with a trailing "/", also a bind-mounted file.
bool IsFileMount(const std::string& path) {
    std::string bare = path;
    while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
    struct stat st {};
    return ::stat(bare.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace

std::string VolumeLabelOf(const std::string& source) {
    if (source.rfind("/dev/", 0) != 0) return {};
    const std::string device = RealPath(source);
    if (device.empty()) return {};
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/dev/disk/by-label", ec)) {
        if (RealPath(entry.path().string()) == device)
            return UnescapeLabel(entry.path().filename().string());
    }
    return {};
}

std::vector<DriveItem> DriveItems(const std::vector<platform::MountPoint>& mounts) {
    std::map<std::string, const platform::MountPoint*> byPath;  // sorted, last mount wins
    for (const platform::MountPoint& mount : mounts) {
        if (mount.path.empty() || IsFileMount(mount.path)) continue;
        byPath[mount.path] = &mount;
    }
    std::vector<DriveItem> items;
    for (const auto& [path, mount] : byPath) {
        DriveItem item;
        item.root = path;
        item.name = NameOf(*mount);
        item.caption = item.name.empty() ? path : path + "  " + item.name;
        item.image = ImageOf(mount->kind);
        items.push_back(item);
    }
    return items;
}

std::string DriveRootOf(const std::string& path, const std::vector<platform::MountPoint>& mounts) {
    std::string best = "/";
    for (const platform::MountPoint& mount : mounts) {
        if (path.rfind(mount.path, 0) == 0 && mount.path.size() > best.size()) best = mount.path;
    }
    return best;
}

bool IsDriveRoot(const std::string& folder, const std::vector<platform::MountPoint>& mounts) {
    if (folder == "/") return true;
    return std::any_of(mounts.begin(), mounts.end(),
                       [&](const platform::MountPoint& m) { return m.path == folder; });
}

}  // namespace tavo
