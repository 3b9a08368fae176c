#include "foundation/stream.h"

#include <gtest/gtest.h>

#include "tests/support/temp_root.h"

namespace tavo {
namespace {

std::string ReadAll(TStream& s) {
    std::string out(static_cast<size_t>(s.Size() - s.Position()), '\0');
    out.resize(s.Read(out.data(), out.size()));
    return out;
}

TEST(MemoryStream, ReadsAndWritesAtItsPosition) {
    TMemoryStream s(std::string_view("abcdef"));
    char two[2];
    ASSERT_TRUE(s.Seek(4));
    EXPECT_EQ(s.Read(two, 5), 2u);  // short at the end
    EXPECT_EQ(s.Read(two, 1), 0u);
    EXPECT_FALSE(s.ReadExact(two, 1));
    EXPECT_FALSE(s.Seek(-1));
    EXPECT_EQ(s.Position(), 6);

    ASSERT_TRUE(s.Seek(8));  // beyond the end: the gap fills with zeros
    EXPECT_EQ(s.Write("xy", 2), 2u);
    EXPECT_EQ(s.View(), std::string_view("abcdef\0\0xy", 10));
    ASSERT_TRUE(s.Seek(1));
    EXPECT_TRUE(s.WriteAll("B", 1));
    EXPECT_EQ(s.View().substr(0, 3), "aBc");

    ASSERT_TRUE(s.SetSize(3));  // the position follows a cut
    ASSERT_TRUE(s.Seek(3));
    ASSERT_TRUE(s.SetSize(2));
    EXPECT_EQ(s.Position(), 2);
    EXPECT_TRUE(s.Clear());
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

class FileStreamTest : public testing::Test {
  protected:
    test::TempRoot root_;
    std::string path_ = root_.At("data.bin");
};

TEST_F(FileStreamTest, WritesReadsAndCutsAFile) {
    {
        auto out = TFileStream::Open(path_, TFileStream::Mode::Create);
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->WriteAll("0123456789", 10));
        ASSERT_TRUE(out->Seek(2));
        EXPECT_TRUE(out->WriteAll("ab", 2));
        EXPECT_EQ(out->Position(), 4);
        EXPECT_TRUE(out->SetSize(8));
    }
    EXPECT_EQ(test::ReadFile(path_), "01ab4567");
    auto in = TFileStream::Open(path_, TFileStream::Mode::Read);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Size(), 8);
    EXPECT_EQ(in->Write("z", 1), 0u);  // read only
    EXPECT_FALSE(in->SetSize(0));
    ASSERT_TRUE(in->Seek(5));
    EXPECT_EQ(ReadAll(*in), "567");
}

TEST_F(FileStreamTest, ARegionIsAStreamOfItsOwn) {
    test::WriteFile(path_, "headBLOCKtail");
    auto region = TFileStream::OpenRegion(path_, 4, 5);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->Size(), 5);
    EXPECT_EQ(ReadAll(*region), "BLOCK");
    ASSERT_TRUE(region->Seek(3));
    EXPECT_EQ(ReadAll(*region), "CK");
    EXPECT_EQ(region->Write("x", 1), 0u);

    auto beyond = TFileStream::OpenRegion(path_, 9, 100);  // ends with the file
    ASSERT_TRUE(beyond);
    EXPECT_EQ(ReadAll(*beyond), "tail");
    auto past = TFileStream::OpenRegion(path_, 50, 10);
    ASSERT_TRUE(past);
    EXPECT_EQ(past->Size(), 0);
    EXPECT_FALSE(TFileStream::OpenRegion(path_, -1, 10));
}

TEST_F(FileStreamTest, RefusesWhatCannotBeOpened) {
    EXPECT_FALSE(TFileStream::Open(root_.At("missing"), TFileStream::Mode::Read));
    EXPECT_FALSE(TFileStream::Open(root_.At("missing"), TFileStream::Mode::ReadWrite));
    EXPECT_FALSE(TFileStream::Open(root_.path(), TFileStream::Mode::Read));  // a folder
    EXPECT_FALSE(TFileStream::Open(root_.At("no/such/dir/x"), TFileStream::Mode::Create));
}

}  // namespace
}  // namespace tavo
