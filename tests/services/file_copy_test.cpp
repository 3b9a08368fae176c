#include "services/file_copy.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/file_ops.h"
#include "foundation/process_messages.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class FileCopy : public testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    std::string Log() const { return AppInfo.LogBuffer.value_or(""); }
    TFileCopy Copier(const std::string& source, const std::string& target) {
        TFileCopy copy;
        copy.FilenameSource = root_.At(source);
        copy.FilenameDest = root_.At(target);
        return copy;
    }
    static std::string Bytes(size_t n) {
        std::string data(n, '\0');
        for (size_t i = 0; i < n; ++i) data[i] = static_cast<char>('a' + i % 26);
        return data;
    }
    test::TempRoot root_;
};

TEST_F(FileCopy, ResumeAppendsOnlyTheMissingBytes) {
    const std::string data = Bytes(100000);
    test::WriteFile(root_.At("src"), data);
    test::WriteFile(root_.At("dst"), data.substr(0, 30000));
    TFileCopy copy = Copier("src", "dst");
    EXPECT_EQ(copy.DoCopy(true), TFileCopy::kCopied);
    EXPECT_EQ(test::ReadFile(root_.At("dst")), data);
    EXPECT_EQ(copy.BytesProcessed(), 70000);
    EXPECT_EQ(copy.BytesTotal(), 100000);

    test::WriteFile(root_.At("dst"), "");  // a 0-byte target receives the whole file
    EXPECT_EQ(copy.DoCopy(true), TFileCopy::kCopied);
    EXPECT_EQ(copy.BytesProcessed(), 100000);
    EXPECT_EQ(test::ReadFile(root_.At("dst")), data);
}

TEST_F(FileCopy, ResumeOverALongerTargetCopiesInFull) {
    const std::string data = Bytes(5000);
    test::WriteFile(root_.At("src"), data);
    test::WriteFile(root_.At("dst"), Bytes(9000));
    TFileCopy copy = Copier("src", "dst");
    EXPECT_EQ(copy.DoCopy(true), TFileCopy::kCopied);
    EXPECT_EQ(test::ReadFile(root_.At("dst")), data);
    EXPECT_EQ(copy.BytesProcessed(), 5000);
}

TEST_F(FileCopy, CopyOntoItselfInAnotherCaseLeavesTheFile) {
    test::WriteFile(root_.At("Setup.bin"), "keep me");
    TFileCopy copy = Copier("Setup.bin", "SETUP.BIN");
    EXPECT_EQ(copy.DoCopy(false), TFileCopy::kNotCopied);
    EXPECT_EQ(test::ReadFile(root_.At("Setup.bin")), "keep me");
    EXPECT_FALSE(fs::exists(root_.At("SETUP.BIN")));
}

TEST_F(FileCopy, AnEmptySourceGivesAnEmptyTargetWithAttributesAndTime) {
    test::WriteFile(root_.At("empty"), "");
    ::chmod(root_.At("empty").c_str(), 0444);
    EXPECT_TRUE(CopyFileSimple(root_.At("empty"), root_.At("copy"), 0, true));
    EXPECT_EQ(fs::file_size(root_.At("copy")), 0u);
    EXPECT_EQ(GetFileAttr(root_.At("copy")) & 0x01u, 0x01u);  // read-only came along
    EXPECT_NEAR(FileTimeOf(root_.At("copy"), true), FileTimeOf(root_.At("empty"), true),
                1.0 / 86400);
}

TEST_F(FileCopy, TheSimpleCopyLogsItsBlock) {
    test::WriteFile(root_.At("a"), Bytes(1234567));
    EXPECT_TRUE(CopyFileSimple(root_.At("a"), root_.At("b"), 0, true));
    EXPECT_EQ(Log(), "> TFileCopy(resume=false) " + root_.At("a") + " -> " + root_.At("b") +
                         "\r\n"
                         "\tfileexists: 1.234.567 Byte\r\n"
                         "\tcopied\r\n"
                         "\tattributes:Ja\r\n"
                         "\ttime:Ja\r\n"
                         "< TFileCopy\r\n");
}

TEST_F(FileCopy, AMissingSourceAsksAndLeavesTheTarget) {
    test::WriteFile(root_.At("dst"), "untouched");
    const std::string question = "Die Datei \"" + root_.At("gone") + "\" existiert nicht.";
    test::ScriptedPrompts prompts;
    prompts.Expect(question, 1);  // ignorieren
    TFileCopy copy = Copier("gone", "dst");
    EXPECT_EQ(copy.DoCopy(false), TFileCopy::kNotCopied);
    prompts.Expect(question, 2);  // abbrechen
    EXPECT_EQ(copy.DoCopy(false), TFileCopy::kAborted);
    EXPECT_EQ(test::ReadFile(root_.At("dst")), "untouched");
    EXPECT_EQ(prompts.Asked().at(0).buttons.size(), 3u);
    EXPECT_NE(Log().find("source does not exist"), std::string::npos);
}

TEST_F(FileCopy, AnOwnerStopsTheCopyAndTheTargetGoes) {
    test::WriteFile(root_.At("src"), Bytes(600000));
    TFileCopy copy = Copier("src", "dst");
    copy.KBperSecondMax = 300;
    // The owner pauses the copy; while it waits, the window's messages clear the flags.
    copy.Pause = true;
    int pumped = 0;
    SetProcessMessagesHook([&] {
        ++pumped;
        copy.Pause = false;
        copy.Running = false;
    });
    EXPECT_EQ(copy.DoCopy(false), TFileCopy::kAborted);
    SetProcessMessagesHook({});
    EXPECT_EQ(pumped, 1);
    EXPECT_FALSE(fs::exists(root_.At("dst")));
    EXPECT_NE(Log().find("User aborted. File deleted:yes"), std::string::npos);
    EXPECT_NE(Log().find("KBperSecondMax:300"), std::string::npos);
}

TEST_F(FileCopy, AnUnwritableTargetIsReported) {
    test::WriteFile(root_.At("src"), "x");
    TFileCopy copy = Copier("src", "no/such/dst");
    std::string error;
    copy.OnError = [&](TFileCopy&, const std::string& text) { error = text; };
    EXPECT_EQ(copy.DoCopy(false), TFileCopy::kNotCopied);
    EXPECT_EQ(error, "except 2");
}

TEST(FileCopyLimit, WaitsTheDifferenceToTheLimit) {
    EXPECT_EQ(TFileCopy::LimitWaitMs(60000, 150, 100), 200);  // 600 ms at the limit, took 400
    EXPECT_EQ(TFileCopy::LimitWaitMs(60000, 100, 100), 0);
    EXPECT_EQ(TFileCopy::LimitWaitMs(60000, 150, 0), 0);
    EXPECT_EQ(TFileCopy::LimitWaitMs(10000000, 20000, 1), 2000);  // never more than 2 s
}

}  // namespace
}  // namespace tavo
