#include <filesystem>

#include <gtest/gtest.h>

#include "platform/command_line.h"
#include "platform/folders.h"
#include "platform/locked_append.h"
#include "platform/regional.h"
#include "platform/root.h"
#include "tests/support/temp_root.h"

namespace tavo::platform {
namespace {

TEST(Folders, HangUnderTheRoot) {
    const test::TempRoot root;
    EXPECT_EQ(RootPrefix(), root.path());
    EXPECT_EQ(ProgramFilesFolder(), root.At("opt/"));
    EXPECT_EQ(WindowsFolder(), root.At("etc/"));
    EXPECT_EQ(HomeFolder(), root.At("home/tester/"));
    EXPECT_EQ(AppDataFolder(), root.At("home/tester/.config/"));
    EXPECT_EQ(TempFolder(), root.At("tmp/"));
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TempFolder(), root.At("tmp/"));
}

TEST(Folders, DocumentsComeFromTheUserDirs) {
    const test::TempRoot root;
    EXPECT_EQ(DocumentsFolder(), root.At("home/tester/"));  // none configured: the home folder
    std::filesystem::create_directories(root.At("home/tester/.config"));
    test::WriteFile(root.At("home/tester/.config/user-dirs.dirs"),
                    "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(DocumentsFolder(), root.At("home/tester/Dokumente/"));
}

TEST(Folders, ProbeCreatesAndDeletes) {
    const test::TempRoot root;
    EXPECT_TRUE(CanCreateAndDelete(root.path()));
    EXPECT_FALSE(std::filesystem::exists(root.At("test.$$$")));
    EXPECT_FALSE(CanCreateAndDelete(root.At("nowhere")));
}

TEST(CommandLine, JoinsArgumentsAsAWindowsCallerWrites) {
    const struct {
        std::vector<std::string> args;
        const char* line;
    } cases[] = {
        {{"/usr/bin/tavosetup", "/uninstall"}, "/usr/bin/tavosetup /uninstall"},
        {{"/tmp/a b/tavosetup", "/L"}, "\"/tmp/a b/tavosetup\" /L"},
        {{"p", "/restart:/tmp/a b/x"}, "p /restart:\"/tmp/a b/x\""},
        {{"p", "two words"}, "p \"two words\""},
        {{"p", ""}, "p \"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JoinCommandLine(c.args), c.line) << c.line;
}

TEST(Regional, PlainLocaleGivesGermanSeparators) {
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    ::setenv("LC_ALL", "C", 1);
    const RegionalSeparators seps = CaptureSeparators();
    EXPECT_EQ(seps.decimal, ",");
    EXPECT_EQ(seps.thousands, ".");
    EXPECT_EQ(seps.date, ".");
    if (saved)
        ::setenv("LC_ALL", keep.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

TEST(LockedAppend, CreatesAppendsAndTruncates) {
    const test::TempRoot root;
    const std::string path = root.At("f.log");
    EXPECT_TRUE(AppendDenyingWriters(path, "a"));
    EXPECT_TRUE(AppendDenyingWriters(path, "b"));
    EXPECT_EQ(test::ReadFile(path), "ab");
    EXPECT_TRUE(CreateEmptyFile(path));
    EXPECT_EQ(test::ReadFile(path), "");
    EXPECT_FALSE(AppendDenyingWriters(root.At("no/dir/f.log"), "x"));
}

}  // namespace
}  // namespace tavo::platform
