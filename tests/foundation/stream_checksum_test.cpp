#include "foundation/stream_checksum.h"

#include <gtest/gtest.h>

#include "tests/support/temp_root.h"

namespace tavo {
namespace {

TEST(StreamChecksum, GivesTheBlockFormatsValues) {
    TMemoryStream abc(std::string_view("abc"));
    EXPECT_EQ(StreamChecksum(abc, true, true), 0xCA6598D0u);
    TMemoryStream empty;
    EXPECT_EQ(StreamChecksum(empty, true, true), 0u);
    TMemoryStream one(std::string_view("x"));
    EXPECT_EQ(StreamChecksum(one, true, false), 0u);  // quick reads size - 1 bytes
    TMemoryStream tail(std::string_view("zzabc"));
    tail.Seek(2);
    EXPECT_EQ(StreamChecksum(tail, false, false), 0xCA6598D0u);  // from the position on
    TMemoryStream quick(std::string_view("abcd"));
    EXPECT_EQ(StreamChecksum(quick, true, false), 0xCA6598D0u);
}

TEST(StreamChecksum, ReadsLargeFilesInBlocks) {
    const test::TempRoot root;
    std::string data(2'000'003, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + (i >> 9));
    test::WriteFile(root.At("big"), data);
    auto file = TFileStream::Open(root.At("big"), TFileStream::Mode::Read);
    ASSERT_TRUE(file);
    EXPECT_EQ(StreamChecksum(*file, true, true), ChecksumUpdate(0, data.data(), data.size()));
}

}  // namespace
}  // namespace tavo
