// The payloads of the built setup, reached through their frames.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "foundation/stream.h"
#include "foundation/stream_checksum.h"
#include "payload/block_head.h"
#include "payload/payload_frames.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class PayloadFrames : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        SetPayloadSourceFile(TAVO_SETUP_FILE);
    }
    void TearDown() override { SetPayloadSourceFile(""); }

    test::TempRoot root_;
};

TEST_F(PayloadFrames, MainProgramSavedTwiceReplacesTheFileAndEqualsTheProduct) {
    const std::string target = root_.At("Tavo");
    test::WriteFile(target, "an older program that is longer than nothing");
    ASSERT_TRUE(SaveMainProgram(target));
    ASSERT_TRUE(SaveMainProgram(target));
    EXPECT_EQ(test::ReadFile(target), test::ReadFile(TAVO_PRODUCT_BINARY));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IXUSR, 0u) << "the saved program must run";
}

TEST_F(PayloadFrames, MainProgramIsNotWrittenWhereTheOldFileCannotGo) {
    // A non-empty folder in its place cannot be deleted, even by root.
    const std::string blocked = root_.At("blocked");
    fs::create_directories(blocked + "/inside");
    EXPECT_FALSE(SaveMainProgram(blocked));
    EXPECT_TRUE(fs::is_directory(blocked + "/inside"));
    EXPECT_FALSE(SaveMainProgram(root_.At("missing/folder/Tavo")));
    EXPECT_FALSE(fs::exists(root_.At("missing")));
}

TEST_F(PayloadFrames, ClientLibraryUnpacksToTheSizeAndChecksumOfItsHeader) {
    Tframe_data_libmysql frame;
    ASSERT_TRUE(frame.Loaded());
    EXPECT_TRUE(frame.libmySQL.Compressed());
    EXPECT_EQ(frame.libmySQL.Extension(), "DLL");
    TMemoryStream stored(
        std::string_view(reinterpret_cast<const char*>(frame.libmySQL.TheData().data()),
                         frame.libmySQL.TheData().size()));
    tmyHeadintern head;
    ASSERT_TRUE(ReadHead(stored, head));

    const std::string target = root_.At("libmysql.so");
    ASSERT_TRUE(frame.libmySQL.SaveToFile(target));
    const std::string bytes = test::ReadFile(target);
    EXPECT_EQ(static_cast<std::int64_t>(bytes.size()), head.unpackedLength);
    EXPECT_EQ(ChecksumUpdate(0, bytes.data(), bytes.size()), head.checksum);
    EXPECT_NE(head.checksum, 0u);
    EXPECT_EQ(bytes, test::ReadFile(TAVO_LIBMYSQL));
}

// What `tavopack archive list` says of the archive: native path -> unpacked size.
std::map<std::string, std::uintmax_t> ListedEntries(const std::string& archive) {
    std::map<std::string, std::uintmax_t> entries;
    const std::string command = std::string(TAVOPACK_PATH) + " archive list '" + archive + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return entries;
    std::string text;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, got);
    ::pclose(pipe);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::uintmax_t unpacked = 0, stored = 0;
        std::string path;
        fields >> unpacked >> stored;
        std::getline(fields >> std::ws, path);
        entries[path] = unpacked;
    }
    return entries;
}

TEST_F(PayloadFrames, ServerArchiveExtractsEveryListedFileIntoAnEmptyFolder) {
    const std::string archive = root_.At("mysql.archive");
    {
        TFrame_Data_MySQL frame;
        ASSERT_TRUE(frame.Loaded());
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frame.mysql.Size()));
        ASSERT_TRUE(frame.mysql.Data().Seek(0));
        ASSERT_TRUE(frame.mysql.Data().ReadExact(bytes.data(), bytes.size()));
        test::WriteFile(archive, std::string(bytes.begin(), bytes.end()));
    }
    const auto listed = ListedEntries(archive);
    ASSERT_GT(listed.size(), 50u);

    const std::string dir = root_.At("server") + "/";
    TFrame_Data_MySQL frame;
    int saved = 0;
    frame.mysql.SetOnFileSaved([&](TBinaryDatas&, const std::string&) { ++saved; });
    std::string errors;
    frame.mysql.SetOnError([&](TBinaryDatas&, const std::string& text) { errors += text; });
    ASSERT_TRUE(frame.mysql.ExtractAll(dir));
    EXPECT_EQ(errors, "");
    EXPECT_EQ(saved, static_cast<int>(listed.size()));

    std::map<std::string, std::uintmax_t> written;
    for (const auto& item : fs::recursive_directory_iterator(dir))
        if (item.is_regular_file())
            written[fs::relative(item.path(), dir).string()] = item.file_size();
    EXPECT_EQ(written, listed);
    for (const char* file : {"my.ini", "COPYING", "bin/mysqld", "share/english/errmsg.sys",
                             "share/german/errmsg.sys", "data/mysql/global_priv.frm"})
        EXPECT_EQ(written.count(file), 1u) << file;
    EXPECT_EQ(::access((dir + "bin/mysqld").c_str(), X_OK), 0) << "the server must run";
    EXPECT_NE(::access((dir + "my.ini").c_str(), X_OK), 0) << "settings are no program";
}

struct SmallBlockCase {
    const char* component;
    const char* extension;
    const char* contains;
};

TEST_F(PayloadFrames, SmallBlocksCarryTheirKindAndContent) {
    const SmallBlockCase cases[] = {
        {"LizenzDaten", "TXT", "$ende$"},
        {"DataGPL", "txt", "GNU GENERAL PUBLIC LICENSE"},
        {"DataGPLde", "txt", "inoffizielle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.component);
        TBinaryData block;
        ASSERT_TRUE(LoadSmallBlock(c.component, block));
        EXPECT_TRUE(block.Compressed());
        EXPECT_EQ(block.Extension(), c.extension);
        EXPECT_NE(block.GetAllText().find(c.contains), std::string::npos);
    }
    // The licence agreement is stored in Windows-1252: "ä" is one byte.
    TBinaryData licence;
    ASSERT_TRUE(LoadSmallBlock("LizenzDaten", licence));
    const std::string text = licence.GetAllText();
    EXPECT_NE(text.find("body>"), std::string::npos);
    EXPECT_NE(text.find('\xE4'), std::string::npos);
    EXPECT_EQ(text.find("\xC3\xA4"), std::string::npos);

    TBinaryData logo;
    ASSERT_TRUE(LoadSmallBlock("logo_quer", logo));
    EXPECT_EQ(logo.Extension(), "BMP");
    EXPECT_EQ(logo.GetStream().Size(), 19166);
}

TEST_F(PayloadFrames, ASetupWithoutPayloadsGivesNothingAndWritesNothing) {
    SetPayloadSourceFile(TAVOSETUP_PROGRAM);
    EXPECT_FALSE(TFrame_Data_prog().Loaded());
    EXPECT_FALSE(TFrame_Data_MySQL().Loaded());
    TBinaryData block;
    EXPECT_FALSE(LoadSmallBlock("DataGPL", block));
    EXPECT_EQ(block.DataSize(), 0);
    EXPECT_FALSE(LoadSmallBlock("unknown", block));
    EXPECT_FALSE(SaveMainProgram(root_.At("Tavo")));
    EXPECT_FALSE(fs::exists(root_.At("Tavo")));
}

}  // namespace
}  // namespace tavo
