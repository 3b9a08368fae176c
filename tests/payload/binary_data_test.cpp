#include "payload/binary_data.h"

#include <sys/stat.h>

#include <cmath>
#include <filesystem>

#include "payload/block_stream.h"
#include "tests/payload/block_test_support.h"
#include "tests/payload/lzh_samples.h"

namespace tavo {
namespace {

using test::Bytes;

std::vector<std::uint8_t> BytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

std::string TextOf(const std::vector<std::uint8_t>& b) {
    return {b.begin(), b.end()};
}

class BinaryDataTest : public test::BlockTest {
  protected:
    // A block holding content, packed when compressed.
    void Fill(TBinaryData& data, const std::string& content, bool compressed) {
        data.SetTheData(BytesOf(content));
        ASSERT_TRUE(data.SetCompressed(compressed));
    }
};

TEST_F(BinaryDataTest, PacksAndUnpacksThroughTheCompressedFlag) {
    const std::string content = test::SampleText(50'000);
    TBinaryData data;
    Fill(data, content, false);
    EXPECT_EQ(data.DataSize(), 50'000);
    EXPECT_EQ(data.DataSizeUnKomprimiert(), 50'000);
    EXPECT_EQ(data.ratio(), "100%");

    ASSERT_TRUE(data.SetCompressed(true));
    EXPECT_TRUE(data.Compressed());
    EXPECT_EQ(TextOf(data.TheData()).substr(0, 6), "zarvek");
    const std::int64_t packed = data.DataSize();
    EXPECT_LT(packed, 25'000);
    EXPECT_EQ(data.ratio(), "100%");  // until the unpacked size has been read
    EXPECT_EQ(data.DataSizeUnKomprimiert(), 50'000);
    const auto percent = static_cast<int>(std::nearbyint(packed * 100.0 / 50'000));
    EXPECT_EQ(data.ratio(), std::to_string(percent) + "%");
    EXPECT_EQ(Bytes(data.GetStream()), content);
    EXPECT_EQ(data.GetStream().Position(), 0);

    EXPECT_TRUE(data.SetCompressed(true));  // the same value: nothing happens
    EXPECT_EQ(data.DataSize(), packed);
    ASSERT_TRUE(data.SetCompressed(false));
    EXPECT_EQ(TextOf(data.TheData()), content);
    EXPECT_EQ(data.DataSizeUnKomprimiert(), 50'000);  // the old count is not kept
}

TEST_F(BinaryDataTest, LeavesADamagedBlockAsItWas) {
    TBinaryData data;
    Fill(data, test::SampleText(5000), true);
    std::vector<std::uint8_t> damaged = data.TheData();
    damaged[28] ^= 0xFF;  // checksum
    data.SetTheData(damaged);
    EXPECT_FALSE(data.SetCompressed(false));
    EXPECT_TRUE(data.Compressed());
    EXPECT_EQ(data.TheData(), damaged);
    EXPECT_EQ(data.GetStream().Size(), 0);  // no content to show from a damaged block
}

TEST_F(BinaryDataTest, OnlyRecordsTheFlagWhileLoading) {
    TBinaryData data;
    data.SetLoading(true);
    ASSERT_TRUE(data.SetCompressed(true));
    data.SetTheData(BytesOf("plain, not a block"));
    data.SetLoading(false);
    EXPECT_TRUE(data.Compressed());
    EXPECT_EQ(TextOf(data.TheData()), "plain, not a block");
}

TEST_F(BinaryDataTest, TellsTheUnpackedSizeFromTheHeader) {
    const struct {
        std::string stored;
        std::int64_t size;
        const char* ratio;
    } cases[] = {
        {std::string("zarvek\1\0\0\0\0\0\x50\0\0\0", 16), 80, "20%"},
        {std::string("\xFE\x05\0\0\0\x01\0\0\0", 9), 0x1'0000'0005, "0%"},
        {std::string("\xFE\x02\0\0\0\0\0\0", 8), -1, "100%"},  // too short
        {"MZ not a block", -1, "100%"},
        {"z-short", -1, "100%"},
    };
    for (const auto& c : cases) {
        TBinaryData data;
        data.SetLoading(true);  // the stored bytes as a form description brings them
        data.SetCompressed(true);
        data.SetTheData(BytesOf(c.stored));
        data.SetLoading(false);
        EXPECT_EQ(data.DataSizeUnKomprimiert(), c.size) << c.stored;
        EXPECT_EQ(data.ratio(), c.ratio) << c.stored;
    }
}

TEST_F(BinaryDataTest, ShowsTheContentAsLines) {
    TBinaryData data;
    data.SetTheData(BytesOf("erste\r\nzweite\ndritte\r\rfünfte"));
    const std::vector<std::string> lines = {"erste", "zweite", "dritte", "", "fünfte"};
    EXPECT_EQ(data.Lines(), lines);
    EXPECT_EQ(data.GetAllText(), "erste\r\nzweite\r\ndritte\r\n\r\nfünfte\r\n");
    EXPECT_EQ(data.Text(), data.GetAllText());

    ASSERT_TRUE(data.SetLines({"Lizenz", "Text"}));
    EXPECT_EQ(data.Extension(), "txt");
    EXPECT_EQ(TextOf(data.TheData()), "Lizenz\r\nText\r\n");
}

TEST_F(BinaryDataTest, KeepsACompressedBlockCompressedWhenLinesAreAssigned) {
    TBinaryData data;
    Fill(data, "old", true);
    ASSERT_TRUE(data.SetLines({"neu", "Zeilen"}));
    EXPECT_TRUE(data.Compressed());
    EXPECT_EQ(TextOf(data.TheData()).substr(0, 6), "zarvek");
    EXPECT_EQ(data.DataSizeUnKomprimiert(), 13);
    EXPECT_EQ(data.GetAllText(), "neu\r\nZeilen\r\n");
}

TEST_F(BinaryDataTest, CutsTextAndLeavesItEmptyForLargeBlocks) {
    // 3,000 characters of two bytes each: cut after 2,000 characters, not bytes.
    std::string umlauts;
    for (int i = 0; i < 3000; ++i) umlauts += "ä";
    TBinaryData data;
    Fill(data, umlauts, false);
    EXPECT_EQ(data.Text(), std::string(umlauts, 0, 4000));

    const struct {
        std::size_t storedSize;
        bool empty;
    } cases[] = {{9999, false}, {10'000, true}, {20'000, true}};
    for (const auto& c : cases) {
        TBinaryData block;
        Fill(block, "short text\r\n" + std::string(c.storedSize - 12, ' '), false);
        EXPECT_EQ(block.Text().empty(), c.empty) << c.storedSize;
    }
    // The stored size counts, packed or not: 10,000 packed bytes of short lines.
    TBinaryData packed;
    const std::string noise = test::SampleNoise(10'000);
    Fill(packed, noise, true);
    ASSERT_GE(packed.DataSize(), 10'000);
    EXPECT_EQ(packed.Text(), "");
    EXPECT_FALSE(packed.GetAllText().empty());
}

TEST_F(BinaryDataTest, KeepsTheStoredFormOfTheData) {
    TBinaryData data;
    Fill(data, "abc", true);
    TMemoryStream description;
    ASSERT_TRUE(data.WriteTheData(description));
    EXPECT_EQ(description.Size(), 4 + 37);
    EXPECT_EQ(test::GetLe(Bytes(description), 0, 4), 37u);

    TBinaryData loaded;
    ASSERT_TRUE(description.Seek(0));
    ASSERT_TRUE(loaded.ReadTheData(description));
    EXPECT_EQ(loaded.TheData(), data.TheData());

    const struct {
        std::string stored;
        bool ok;
        std::size_t size;
    } cases[] = {
        {std::string("\0\0\0\0", 4), true, 0},
        {"\xFF\xFF\xFF\xFF"
         "abc",
         true, 0},  // a negative length: nothing follows
        {std::string("\x05\0\0\0"
                     "ab",
                     6),
         false, 0},
        {std::string("\x02\0", 2), false, 0},
    };
    for (const auto& c : cases) {
        TMemoryStream in(c.stored);
        TBinaryData block;
        EXPECT_EQ(block.ReadTheData(in), c.ok) << c.stored.size();
        EXPECT_EQ(block.DataSize(), static_cast<std::int64_t>(c.size));
    }
}

TEST_F(BinaryDataTest, SavesTheContentToAFile) {
    const std::string content = test::SampleMixed(100'000);
    for (const bool compressed : {false, true}) {
        TBinaryData data;
        Fill(data, content, compressed);
        const std::string path = root_.At(compressed ? "packed.bin" : "plain.bin");
        test::WriteFile(path, "an older file");
        ::chmod(path.c_str(), 0755);
        EXPECT_TRUE(data.SaveToFile(path));
        EXPECT_EQ(test::ReadFile(path), content);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0755u);  // a program saved again stays executable
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_.path()),
                            std::filesystem::directory_iterator()),
              4);  // tmp, home and the two files: nothing left over
}

TEST_F(BinaryDataTest, WritesNoFileWhenTheBlockOrTheDiskFails) {
    TBinaryData data;
    Fill(data, test::SampleText(20'000), true);
    std::vector<std::uint8_t> damaged = data.TheData();
    damaged[damaged.size() / 2] ^= 0x55;  // the bit stream
    data.SetTheData(damaged);

    const std::string fresh = root_.At("fresh.txt");
    EXPECT_FALSE(data.SaveToFile(fresh));
    EXPECT_FALSE(std::filesystem::exists(fresh));
    const std::string existing = root_.At("existing.txt");
    test::WriteFile(existing, "keep me");
    EXPECT_FALSE(data.SaveToFile(existing));
    EXPECT_EQ(test::ReadFile(existing), "keep me");

    TBinaryData plain;
    Fill(plain, "abc", false);
    EXPECT_FALSE(plain.SaveToFile(root_.At("no/such/folder/file")));
    std::filesystem::create_directory(root_.At("folder"));
    EXPECT_FALSE(plain.SaveToFile(root_.At("folder")));  // a folder is not replaced
    EXPECT_TRUE(std::filesystem::is_directory(root_.At("folder")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_.path()),
                            std::filesystem::directory_iterator()),
              4);  // tmp, home, existing.txt, folder
}

}  // namespace
}  // namespace tavo
