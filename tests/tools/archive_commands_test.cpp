// tavopack's archive commands, run as the separate program the build uses.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/payload/lzh_samples.h"
#include "tests/support/temp_root.h"
#include "tests/tools/tavopack_run.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class ArchiveCommandsTest : public testing::Test {
  protected:
    test::TavopackResult Run(const std::vector<std::string>& args) {
        return test::RunTavopack(root_, args);
    }
    std::string At(const std::string& relative) const { return root_.At(relative); }
    void Put(const std::string& relative, const std::string& content) {
        fs::create_directories(fs::path(At(relative)).parent_path());
        test::WriteFile(At(relative), content);
    }

    // Every file below folder with its content, by relative path.
    std::map<std::string, std::string> Tree(const std::string& folder) const {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(At(folder)))
            if (e.is_regular_file())
                files[fs::relative(e.path(), At(folder)).string()] =
                    test::ReadFile(e.path().string());
        return files;
    }

    test::TempRoot root_;
};

TEST_F(ArchiveCommandsTest, CreatesListsAndExtractsATree) {
    Put("tree/my.ini", "[mysqld]\n");
    Put("tree/COPYING", test::SampleText(30'000));
    Put("tree/bin/mysqld", test::SampleMixed(400'000));
    Put("tree/data/mysql/func.MYD", "");
    Put("tree/share/errmsg.txt", "Fehler");
    Put("tree/share/german/Größe.sys", test::SampleNoise(5'000));
    const auto files = Tree("tree");

    const auto create = Run({"archive", "create", At("tree"), At("server.arc")});
    ASSERT_EQ(create.exitCode, 0) << create.err;
    EXPECT_EQ(create.out + create.err, "");

    const auto list = Run({"archive", "list", At("server.arc")});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    // A folder's files in name order, then its subfolders.
    std::vector<std::string> names;
    std::size_t storedTotal = 0;
    std::istringstream lines(list.out);
    for (std::string line; std::getline(lines, line);) {
        const auto tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        ASSERT_NE(tab2, std::string::npos) << line;
        const std::string name = line.substr(tab2 + 1);
        names.push_back(name);
        EXPECT_EQ(line.substr(0, tab1), std::to_string(files.at(name).size())) << line;
        storedTotal += std::stoul(line.substr(tab1 + 1, tab2 - tab1 - 1));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"COPYING", "my.ini", "bin/mysqld", "data/mysql/func.MYD",
                                        "share/errmsg.txt", "share/german/Größe.sys"}));
    EXPECT_EQ(storedTotal, fs::file_size(At("server.arc")));

    const auto extract = Run({"archive", "extract", At("server.arc"), At("out")});
    ASSERT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Tree("out"), files);
}

TEST_F(ArchiveCommandsTest, ExtractNeverReplacesAnExistingFile) {
    Put("tree/a", "neu");
    Put("tree/b", "neu");
    ASSERT_EQ(Run({"archive", "create", At("tree"), At("a.arc")}).exitCode, 0);
    Put("out/b", "alt");
    const auto r = Run({"archive", "extract", At("a.arc"), At("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tavopack: archive extract: Die Datei " + At("out/b") +
                         " existiert bereits. Benutzer hat abgebrochen.\n");
    EXPECT_EQ(test::ReadFile(At("out/a")), "neu");
    EXPECT_EQ(test::ReadFile(At("out/b")), "alt");
}

TEST_F(ArchiveCommandsTest, FailsWithAReasonAndLeavesNoArchive) {
    Put("backslash/a\\b", "x");
    Put("codepage/Łódź", "x");
    Put("fine/a", "x");
    fs::create_directories(At("special"));
    ASSERT_EQ(::mkfifo(At("special/fifo").c_str(), 0600), 0);
    const struct {
        const char* label;
        std::vector<std::string> args;
        const char* reason;  // part of the one line on stderr
    } cases[] = {
        {"missing folder", {"archive", "create", At("missing"), At("o1.arc")}, "Verzeichnis fehlt"},
        {"backslash in a name",
         {"archive", "create", At("backslash"), At("o2.arc")},
         "Ungültiger Dateiname im Archiv: a\\b"},
        {"name outside the code page", {"archive", "create", At("codepage"), At("o3.arc")}, "Łódź"},
        {"no regular file",
         {"archive", "create", At("special"), At("o4.arc")},
         "Keine Datei und kein Verzeichnis"},
        {"unwritable output",
         {"archive", "create", At("fine"), At("no/dir/o5.arc")},
         "kann nicht geschrieben werden"},
        {"list of no archive", {"archive", "list", At("fine/a")}, "Fehler beim Entpacken (Kopf)"},
        {"list of a missing file", {"archive", "list", At("o6.arc")}, "kann nicht gelesen werden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto r = Run(c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.rfind("tavopack: archive " + c.args[1] + ": ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    for (const char* out : {"o1.arc", "o2.arc", "o3.arc", "o4.arc"})
        EXPECT_FALSE(fs::exists(At(out))) << out;
    for (const auto& e : fs::directory_iterator(root_.path()))
        EXPECT_EQ(e.path().string().find(".tavopack~"), std::string::npos) << e.path();
}

TEST_F(ArchiveCommandsTest, ExtractRefusesAnEntryThatLeavesTheTarget) {
    Put("x", "boese");
    ASSERT_EQ(Run({"block", "pack", At("x"), At("evil.arc"), "--name", "..\\x2"}).exitCode, 0);
    const auto r = Run({"archive", "extract", At("evil.arc"), At("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tavopack: archive extract: Ungültiger Dateiname im Archiv: ..\\x2\n");
    EXPECT_FALSE(fs::exists(At("x2")));
    EXPECT_EQ(Run({"archive", "list", At("evil.arc")}).exitCode, 1);
}

TEST_F(ArchiveCommandsTest, ExplainsItsUseWhenCalledWrongly) {
    const std::vector<std::vector<std::string>> wrong = {
        {"archive"},
        {"archive", "pack", "a", "b"},
        {"archive", "create", "a"},
        {"archive", "create", "a", "b", "c"},
        {"archive", "list"},
        {"archive", "extract", "a"},
    };
    for (const auto& args : wrong) {
        const auto r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_EQ(r.err.rfind("usage: tavopack block pack", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("tavopack archive extract IN DIR\n"), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tavo
