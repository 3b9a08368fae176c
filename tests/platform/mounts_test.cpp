#include "platform/mounts.h"

#include <gtest/gtest.h>

namespace tavo::platform {
namespace {

TEST(Mounts, FileSystemTypesMapToDriveTypes) {
    const struct {
        const char* type;
        const char* source;
        DriveKind kind;
    } cases[] = {
        {"ext4", "/dev/vda1", DriveKind::Fixed},    {"nfs4", "srv:/export", DriveKind::Remote},
        {"cifs", "//srv/share", DriveKind::Remote}, {"fuse.sshfs", "u@h:", DriveKind::Remote},
        {"tmpfs", "tmpfs", DriveKind::RamDisk},     {"iso9660", "/dev/sr0", DriveKind::CdRom},
        {"udf", "/dev/sr0", DriveKind::CdRom},      {"overlay", "overlay", DriveKind::Fixed},
    };
    for (const auto& c : cases) EXPECT_EQ(KindOfFileSystem(c.type, c.source), c.kind) << c.type;
}

TEST(Mounts, TheRootIsMountedAndMissingPathsHaveNoRoot) {
    const auto mounts = MountPoints();
    ASSERT_FALSE(mounts.empty());
    bool root = false;
    for (const auto& m : mounts) {
        EXPECT_EQ(m.path.back(), '/');
        EXPECT_NE(m.fsType, "proc");
        root = root || m.path == "/";
    }
    EXPECT_TRUE(root);
    EXPECT_NE(DriveKindOf("/"), DriveKind::NoRoot);
    EXPECT_EQ(DriveKindOf("/no/such/folder"), DriveKind::NoRoot);
    EXPECT_GT(TotalBytesOf("/"), 0);
    EXPECT_EQ(FreeBytesOf("/no/such/folder"), -1);
}

}  // namespace
}  // namespace tavo::platform
