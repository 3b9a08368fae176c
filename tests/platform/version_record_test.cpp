#include "platform/version_record.h"

#include <cstring>

#include <gtest/gtest.h>

#include "tests/support/temp_root.h"

namespace tavo::platform {
namespace {

std::string RecordBytes(std::uint32_t strucVersion, std::uint32_t ms, std::uint32_t ls) {
    const FixedFileInfo info{
        kVersionSignature, strucVersion, ms, ls, ms, ls, 0x3F, 0, 4, 1, 0, 0, 0};
    std::string bytes(sizeof info, '\0');
    std::memcpy(bytes.data(), &info, sizeof info);
    return bytes;
}

TEST(VersionRecord, FindsTheFirstValidRecordAnywhereInTheFile) {
    const test::TempRoot root;
    const std::string path = root.At("prog");
    // A signature without the structure version is no record; the real one straddles the
    // reader's 1 MiB chunk boundary.
    std::string content(100, 'x');
    content += RecordBytes(0x00020000, 0x00090001, 0);
    content += std::string((1 << 20) - content.size() - 20, 'y');
    content += RecordBytes(kVersionStructVersion, (3u << 16) | 12u, (2u << 16) | 410u);
    content += RecordBytes(kVersionStructVersion, (7u << 16) | 1u, 0);  // a later one is not ours
    test::WriteFile(path, content);
    const auto version = ReadFileVersion(path);
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 3);
    EXPECT_EQ(version->minor, 12);
    EXPECT_EQ(version->release, 2);
    EXPECT_EQ(version->build, 410);
}

TEST(VersionRecord, NeverReadsBeyondTheLimit) {
    const test::TempRoot root;
    const std::string path = root.At("setup");
    const std::string program(4096, 'p');
    test::WriteFile(path, program + RecordBytes(kVersionStructVersion, 0x00050006, 0));
    EXPECT_FALSE(ReadFileVersion(path, program.size()));
    EXPECT_TRUE(ReadFileVersion(path));
    EXPECT_FALSE(ReadFileVersion(root.At("missing")));
}

TEST(VersionRecord, TheBuiltProgramCarriesTheProjectVersion) {
    const auto version = ReadFileVersion(TAVOSETUP_BINARY);
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, TAVO_VERSION_MAJOR);
    EXPECT_EQ(version->minor, TAVO_VERSION_MINOR);
}

}  // namespace
}  // namespace tavo::platform
