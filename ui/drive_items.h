#pragma once

#include <string>
#include <vector>

#include "platform/mounts.h"

namespace tavo {

// The drive view of the directory chooser. Here the drives and connected network shares are
// mount points: every share is mounted somewhere, so it is listed as a network drive named
// after its remote source.
struct DriveItem {
    std::string caption;  // root + "  " + name, or the root alone when the name is empty
    std::string root;     // the mount point, with trailing "/"
    std::string name;
    int image = 1;
};

// Image indices of the chooser's picture list for drives.
inline constexpr int kImageShareOrOther = 1;
inline constexpr int kImageRemovable = 31;
inline constexpr int kImageFixed = 32;
inline constexpr int kImageCdRom = 33;
inline constexpr int kImageNetwork = 34;
inline constexpr int kImageRamDisk = 35;

// One item per mount point that can hold folders, sorted by path; of mount points stacked
// on the same path the last one counts. Mount points that are files (bind-mounted files)
// are left out; a missing mount point stays, it is a drive that is not ready.
std::vector<DriveItem> DriveItems(const std::vector<platform::MountPoint>& mounts);

// The file-system label of a device source ("/dev/sda1"), empty when it has none or
// cannot be read.
std::string VolumeLabelOf(const std::string& source);

// The mount point that holds a path (the deepest one that is a prefix), "/" when none is.
std::string DriveRootOf(const std::string& path, const std::vector<platform::MountPoint>& mounts);
bool IsDriveRoot(const std::string& folder, const std::vector<platform::MountPoint>& mounts);

}  // namespace tavo
