#include "ui/drive_items.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/temp_root.h"
#include "ui/file_images.h"

namespace tavo {
namespace {

using platform::DriveKind;
using platform::MountPoint;

TEST(DriveItems, NamesAndPicturesFollowTheDriveType) {
    const test::TempRoot root;
    const std::string base = root.path() + "/";
    test::WriteFile(base + "hosts", "x");
    const std::vector<MountPoint> mounts = {
        {base + "usb/", "vfat", "/dev/sdz1", DriveKind::Removable},
        {"/", "ext4", "none", DriveKind::Fixed},
        {base + "net/", "nfs4", "server:/export", DriveKind::Remote},
        {base + "cd/", "iso9660", "none", DriveKind::CdRom},
        {base + "ram/", "tmpfs", "tmpfs", DriveKind::RamDisk},
        {base + "odd/", "whatever", "x", DriveKind::Unknown},
        {base + "hosts/", "ext4", "none", DriveKind::Fixed},         // a bind-mounted file
        {base + "net/", "cifs", "//host/share", DriveKind::Remote},  // stacked: the last counts
    };
    const struct {
        std::string caption, root;
        int image;
    } expected[] = {
        {"/", "/", kImageFixed},
        {base + "cd/  CD-Rom", base + "cd/", kImageCdRom},
        {base + "net/  //host/share", base + "net/", kImageNetwork},
        {base + "odd/", base + "odd/", kImageShareOrOther},
        {base + "ram/", base + "ram/", kImageRamDisk},
        {base + "usb/  Floppy", base + "usb/", kImageRemovable},
    };
    const std::vector<DriveItem> items = DriveItems(mounts);
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].caption, expected[i].caption) << i;
        EXPECT_EQ(items[i].root, expected[i].root) << i;
        EXPECT_EQ(items[i].image, expected[i].image) << i;
    }
}

TEST(DriveItems, RootOfAPathIsTheDeepestMountPointHoldingIt) {
    const std::vector<MountPoint> mounts = {{"/", "ext4", "", DriveKind::Fixed},
                                            {"/media/usb/", "vfat", "", DriveKind::Removable},
                                            {"/media/usb2/", "vfat", "", DriveKind::Removable}};
    const std::pair<const char*, const char*> cases[] = {
        {"/home/user/", "/"},
        {"/media/usb/a/b/", "/media/usb/"},
        {"/media/usb2/", "/media/usb2/"},
        {"/media/usb", "/"},  // a folder path always ends in "/"
    };
    for (const auto& [path, root] : cases) EXPECT_EQ(DriveRootOf(path, mounts), root) << path;
    EXPECT_TRUE(IsDriveRoot("/media/usb/", mounts));
    EXPECT_TRUE(IsDriveRoot("/", {}));
    EXPECT_FALSE(IsDriveRoot("/media/", mounts));
}

TEST(FileImageIndex, TheKindAfterTheLastDotDecides) {
    const struct {
        const char* name;
        bool folder;
        int image;
    } cases[] = {
        {"bericht.pdf", false, 27}, {"Seite.HtMl", false, 11}, {"setup.tar.zip", false, 18},
        {"ohne", false, 10},        {"endet.", false, 10},     {"Musik.mp3", false, 15},
        {"daten.ini", false, 21},   {"brief.dot", false, 25},  {"lib.dll", false, 23},
        {"ordner.pdf", true, 0},    {"..", true, 0},           {"tabelle.xlt", false, 26},
        {"bild.jpe", false, 13},    {"symbol.ico", false, 14}, {"film.viv", false, 16},
        {"start.pif", false, 17},   {"werte.rgd", false, 20},  {"post.body", false, 22},
        {"text.nfo", false, 12},
    };
    for (const auto& c : cases) EXPECT_EQ(FileImageIndex(c.name, c.folder), c.image) << c.name;
}

}  // namespace
}  // namespace tavo
