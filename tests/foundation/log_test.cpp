#include "foundation/log.h"

#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/dates.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

class LogTest : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        AppInfo.ProgramName = "tavosetup";
        AppInfo.LogToFile = true;
        AppInfo.LogFilePath = root_.At("run.log");
    }
    void TearDown() override { test::ResetFoundationState(); }

    std::string FileText() const { return test::ReadFile(AppInfo.LogFilePath); }
    std::string BufferText() const { return AppInfo.LogBuffer.value_or(""); }

    test::TempRoot root_;
};

TEST_F(LogTest, NestsBlocksByIndentationAndMarkers) {
    WriteLog("checkinstalliert", 1);
    WriteLog("inst.ini", 1);
    WriteLog("inside", 0);
    WriteLog("inst.ini", -1);
    WriteLog("checkinstalliert", -1);
    EXPECT_EQ(FileText(),
              "> checkinstalliert\r\n"
              "   > inst.ini\r\n"
              "      inside\r\n"
              "   < inst.ini\r\n"
              "< checkinstalliert\r\n");
    EXPECT_EQ(BufferText(),
              "> checkinstalliert\r\n\t> inst.ini\r\n\t\tinside\r\n"
              "\t< inst.ini\r\n< checkinstalliert\r\n");
    EXPECT_EQ(LogDepth, 0);
}

TEST_F(LogTest, WritesSpecialTextsAndTags) {
    LogDepth = 1;
    WriteLog("-", 0);
    WriteLog("", 0);
    LogDepth = 2;
    WriteLogTagged("Timer", "tick", 0);
    LogDepth = 0;
    WriteLog("", 0);
    WriteLog("a\tb", 0);
    EXPECT_EQ(FileText(), "   " + std::string(40, '-') + "\r\n" +
                              "   \r\n"
                              "[Timer]       tick\r\n"
                              "\r\n"
                              "a   b\r\n");
    EXPECT_NE(BufferText().find("a\tb\r\n"), std::string::npos);  // the buffer keeps the TAB
}

TEST_F(LogTest, HoldsTheDepthAtTheLimit) {
    for (int i = 1; i <= 20; ++i) WriteLog("level " + std::to_string(i), 1);
    EXPECT_EQ(LogDepth, 20);
    WriteLog("deep", 1);
    WriteLog("deeper", 1);
    EXPECT_EQ(LogDepth, 20);
    const std::string file = FileText();
    const std::string indent(60, ' ');
    EXPECT_NE(file.find("\r\n" + indent + "> deep +FEHLER Loglevel Error\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n" + indent + "> deeper +FEHLER Loglevel Error\r\n"),
              std::string::npos);
    EXPECT_EQ(file.find("level 20 +FEHLER"), std::string::npos);
}

TEST_F(LogTest, UnbalancedClosingStaysAtDepthZero) {
    WriteLog("too many", -1);
    EXPECT_EQ(LogDepth, 0);
    EXPECT_EQ(FileText(), "< too many\r\n");
}

TEST_F(LogTest, BufferShrinksToItsLastHundredLines) {
    // Lines of exactly 1,000 bytes with their CR LF: 100 of them fill the buffer to the limit.
    const auto line = [](int n) {
        std::string text = std::to_string(n);
        return text + std::string(998 - text.size(), '.');
    };
    for (int n = 1; n <= 100; ++n) WriteLog(line(n), 0);
    EXPECT_EQ(BufferText().size(), kLogBufferLimit);  // at the limit, not above: kept whole
    WriteLog(line(101), 0);
    std::string expected;
    for (int n = 2; n <= 101; ++n) expected += line(n) + "\r\n";
    EXPECT_EQ(BufferText(), expected);
}

TEST_F(LogTest, KeepLastLinesKeepsExactlyTheTail) {
    std::string buffer = "a\r\nb\r\nc\r\n";
    KeepLastLines(buffer, 2);
    EXPECT_EQ(buffer, "b\r\nc\r\n");
    buffer = "a\r\nb\r\n";
    KeepLastLines(buffer, 5);
    EXPECT_EQ(buffer, "a\r\nb\r\n");
}

TEST_F(LogTest, NoBufferOnceTerminating) {
    Terminating = true;
    WriteLog("late", 0);
    EXPECT_FALSE(AppInfo.LogBuffer.has_value());
    EXPECT_EQ(FileText(), "late\r\n");  // the file still gets it
}

TEST_F(LogTest, NothingReachesAFileWithoutProgramName) {
    AppInfo.ProgramName.clear();
    WriteLog("line", 0);
    EXPECT_FALSE(std::filesystem::exists(AppInfo.LogFilePath));
    EXPECT_EQ(BufferText(), "line\r\n");
}

TEST_F(LogTest, DebugChannelGetsNonEmptyLinesWhenAsked) {
    ::setenv("TAVO_DEBUG", "1", 1);
    testing::internal::CaptureStderr();
    WriteLog("", 0);
    WriteLog("x\ty", 0);
    const std::string err = testing::internal::GetCapturedStderr();
    ::unsetenv("TAVO_DEBUG");
    EXPECT_EQ(err, "x   y\n");
}

// A second process holds the file; lines wait and arrive with the first line after release.
TEST_F(LogTest, HeldBackLinesFollowOnceTheFileIsFree) {
    WriteLog("first", 0);
    int toChild[2], toParent[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(toParent), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(AppInfo.LogFilePath.c_str(), O_RDWR);
        const bool locked = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
        char c = locked ? 'L' : 'E';
        [[maybe_unused]] ssize_t n = ::write(toParent[1], &c, 1);
        n = ::read(toChild[0], &c, 1);  // hold until told
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(toParent[0], &state, 1), 1);
    ASSERT_EQ(state, 'L');
    WriteLog("second", 0);
    WriteLog("third", 0);
    EXPECT_EQ(FileText(), "first\r\n");
    EXPECT_EQ(PendingLogText, "second\r\n (lognextround)\r\nthird\r\n (lognextround)\r\n");
    const char go = 'g';
    ASSERT_EQ(::write(toChild[1], &go, 1), 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    WriteLog("fourth", 0);
    EXPECT_EQ(FileText(),
              "first\r\nsecond\r\n (lognextround)\r\nthird\r\n (lognextround)\r\nfourth\r\n");
    EXPECT_TRUE(PendingLogText.empty());
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) ::close(fd);
}

TEST_F(LogTest, LinesWaitWhileTheFolderIsGone) {
    AppInfo.LogFilePath = root_.At("missing/run.log");
    WriteLog("kept", 0);
    EXPECT_EQ(PendingLogText, "kept\r\n (lognextround)\r\n");
    std::filesystem::create_directories(root_.At("missing"));
    WriteLog("next", 0);
    EXPECT_EQ(FileText(), "kept\r\n (lognextround)\r\nnext\r\n");
}

TEST_F(LogTest, AppendToLogFileWritesATimeStampedLine) {
    const std::string path = root_.At("sql.log");
    AppendToLogFile(path, "db", "SELECT 1");
    AppendToLogFile(path, "", "text only");
    AppendToLogFile(path, "tag only", "");
    AppendToLogFile("", "db", "nowhere");
    const std::regex expected(
        "\\d\\d:\\d\\d:\\d\\d \\[db\\] SELECT 1\r\n"
        "\\d\\d:\\d\\d:\\d\\d text only\r\n"
        "\\d\\d:\\d\\d:\\d\\d tag only\r\n");
    EXPECT_TRUE(std::regex_match(test::ReadFile(path), expected)) << test::ReadFile(path);
    EXPECT_EQ(LogDepth, 0);
    EXPECT_FALSE(AppInfo.LogBuffer.has_value());
}

TEST(LogFilePath, IsNamedAfterProgramAndStartTime) {
    const double start = EncodeDateTime(DateParts{2024, 3, 5, 9, 7, 2, 0});
    const struct {
        const char* program;
        const char* file;
    } cases[] = {
        {"tavosetup", "/logs/tavosetup_2024-03-05_09_07_02.log"},
        {"TAVOSETUP", "/logs/Tavosetup_2024-03-05_09_07_02.log"},
        {"MY-TOOL.X", "/logs/My-Tool.X_2024-03-05_09_07_02.log"},
        {"MixedCase", "/logs/MixedCase_2024-03-05_09_07_02.log"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeLogFilePath("/logs/", c.program, start), c.file) << c.program;
}

TEST(LogDir, TakesTheFirstUsableCandidate) {
    const test::TempRoot root;
    std::filesystem::create_directories(root.At("good"));
    std::filesystem::create_directories(root.At("later"));
    test::WriteFile(root.At("plainfile"), "x");
    const std::vector<std::string> candidates = {"", root.At("missing/"), root.At("plainfile"),
                                                 root.At("good"), root.At("later/")};
    EXPECT_EQ(ProbeLogDir(candidates, "/fallback/"), root.At("good/"));
    EXPECT_FALSE(std::filesystem::exists(root.At("good/test.$$$")));
    EXPECT_EQ(ProbeLogDir({root.At("missing/")}, "/fallback/"), "/fallback/");
}

}  // namespace
}  // namespace tavo
