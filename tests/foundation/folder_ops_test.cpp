#include "foundation/folder_ops.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/dates.h"
#include "foundation/file_ops.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class FolderOps : public testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    std::string Log() const { return AppInfo.LogBuffer.value_or(""); }
    std::string Make(const std::string& relative, const std::string& content = "x") {
        const std::string path = root_.At(relative);
        fs::create_directories(fs::path(path).parent_path());
        test::WriteFile(path, content);
        return path;
    }
    test::TempRoot root_;
};

TEST_F(FolderOps, DeletedirWithoutSubfoldersFailsOnAFolderWithASubfolder) {
    Make("d/a.txt");
    const std::string locked = Make("d/b.txt");
    ::chmod(locked.c_str(), 0444);  // read-only files lose that attribute and go too
    Make("d/sub/c.txt");
    EXPECT_FALSE(deletedir(root_.At("d"), false));
    EXPECT_FALSE(fs::exists(root_.At("d/a.txt")));
    EXPECT_FALSE(fs::exists(locked));
    EXPECT_TRUE(fs::exists(root_.At("d/sub/c.txt")));
    EXPECT_NE(Log().find("deletedir " + root_.At("d") + "  sub:Nein"), std::string::npos);
    EXPECT_NE(Log().find("myDeleteFileW:" + root_.At("d/a.txt") + " :yes"), std::string::npos);

    EXPECT_TRUE(deletedir(root_.At("d/"), true));
    EXPECT_FALSE(fs::exists(root_.At("d")));
    EXPECT_FALSE(deletedir(root_.At("d/"), true));  // nothing left to remove
}

TEST_F(FolderOps, DeletedirStopsAtTheFirstFileThatStays) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand the folder to another user";
    // An unprivileged user may empty d/ but not d/sub/, which stays root's.
    Make("d/a.txt");
    Make("d/sub/keep.txt");
    ::chmod(root_.path().c_str(), 0755);
    ASSERT_EQ(::chown(root_.At("d").c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(root_.At("d/a.txt").c_str(), 65534, 65534), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(10);
        if (deletedir(root_.At("d/"), true)) ::_exit(1);
        const bool logged =
            Log().find("Deletion failed:" + root_.At("d/sub/") + "keep.txt") != std::string::npos;
        ::_exit(logged ? 0 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fs::exists(root_.At("d/sub/keep.txt")));
}

TEST_F(FolderOps, DeleteMatchingFilesComparesWithoutCase) {
    Make("data/x.MYD");
    Make("data/y.myd");
    Make("data/z.myi");
    DeleteMatchingFiles(root_.At("data/*.myd"));
    EXPECT_FALSE(fs::exists(root_.At("data/x.MYD")));
    EXPECT_FALSE(fs::exists(root_.At("data/y.myd")));
    EXPECT_TRUE(fs::exists(root_.At("data/z.myi")));
    DeleteMatchingFiles("*.myi");  // no folder part: nothing happens
    EXPECT_TRUE(fs::exists(root_.At("data/z.myi")));
}

TEST_F(FolderOps, NormalizeFolderExpandsTheEnvironment) {
    ::setenv("TAVO_TEST_DIR", "/srv/tavo", 1);
    const std::string tmp = std::getenv("TMPDIR");
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"%TMPDIR%", fs::path(tmp).string() + (tmp.back() == '/' ? "" : "/")},
        {"  $TAVO_TEST_DIR/a ", "/srv/tavo/a/"},
        {"${TAVO_TEST_DIR}x", "/srv/tavox/"},
        {"%NOT_SET_ANYWHERE%/b", "%NOT_SET_ANYWHERE%/b/"},
        {"$NOT_SET_ANYWHERE", "$NOT_SET_ANYWHERE/"},
        {"/opt/tavo/", "/opt/tavo/"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeFolder(c.in), c.out) << c.in;
    ::unsetenv("TAVO_TEST_DIR");
}

TEST_F(FolderOps, PathPartsAndSafeNames) {
    EXPECT_EQ(FolderOfPath("/opt/tavo/Tavo"), "/opt/tavo/");
    EXPECT_EQ(FolderOfPath("\"/opt/my tavo/Tavo\" /setup"), "/opt/my tavo/");
    EXPECT_EQ(FolderOfPath("Tavo"), "");
    EXPECT_EQ(FileNameOfPath("/opt/tavo/Tavo"), "Tavo");
    EXPECT_EQ(SafeFileName(" a:b*c?\"d\"<e>|f/g\\h\t ", "_"), "a_b_c__d__e__f_g_h_");
}

TEST_F(FolderOps, FoldersAreMadeTestedAndRemoved) {
    EXPECT_TRUE(ForceFolder(""));
    EXPECT_TRUE(ForceFolder(root_.At("a/b/c/file.txt")));  // a file path names its folder
    EXPECT_TRUE(FolderExists(root_.At("a/b/c")));
    EXPECT_FALSE(FolderExists(root_.At("a/b/c/file.txt")));
    EXPECT_TRUE(CreateFolder(root_.At("a/b/c")));  // also when it exists
    EXPECT_FALSE(CreateFolder(root_.At("x/y")));   // one level only
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(FolderExists("/"));
    fs::create_directories(root_.At("e/.hidden"));
    EXPECT_TRUE(FolderIsEmpty(root_.At("e/")));
    Make("e/.dotfile");
    EXPECT_FALSE(FolderIsEmpty(root_.At("e/")));
    EXPECT_TRUE(RemoveFolder(root_.At("a/b/c/")));
    EXPECT_FALSE(RemoveFolder(root_.At("a/")));  // not empty
}

TEST_F(FolderOps, FileFactsAndDates) {
    const std::string file = Make("f.txt", "12345");
    EXPECT_TRUE(FileExistsW(file));
    EXPECT_FALSE(FileExistsW(root_.path()));
    EXPECT_EQ(FileSizeOf(file), 5);
    EXPECT_EQ(FileSizeOf(root_.At("missing")), -1);
    EXPECT_EQ(FileTimeOf(root_.At("missing"), true), 0);
    const double when = EncodeDateTime(DateParts{2024, 3, 5, 9, 7, 2, 0});
    ASSERT_TRUE(SetFileDate(file, when));
    EXPECT_NEAR(FileTimeOf(file, true), when, 1.0 / 86400 / 100);
    EXPECT_GT(FileTimeOf(file, false), 0);
    EXPECT_FALSE(SetFileDate(root_.At("missing"), when));

    EXPECT_EQ(GetFileAttr(file) & 0x01u, 0u);
    EXPECT_EQ(SetFileAttr(file, 0x01), 0);
    EXPECT_EQ(GetFileAttr(file) & 0x01u, 0x01u);
    EXPECT_EQ(SetFileAttr(file, 0x20), 0);
    EXPECT_EQ(GetFileAttr(file) & 0x01u, 0u);
    EXPECT_EQ(GetFileAttr(root_.path()) & 0x10u, 0x10u);
    EXPECT_EQ(SetFileAttr(root_.At("missing"), 0), 2);
    EXPECT_FALSE(myDeleteFileW(root_.At("missing")));
    EXPECT_GT(DiskFreeOf(root_.path()), 0);
    EXPECT_EQ(DiskFreeOf(root_.At("missing")), -1);
}

}  // namespace
}  // namespace tavo
