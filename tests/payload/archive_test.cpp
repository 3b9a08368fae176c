// The file archive: every entry below the target folder, the overwrite question with its
// remembered answers, the reports, and names that must not leave the target.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/dates.h"
#include "foundation/file_ops.h"
#include "foundation/process_messages.h"
#include "payload/archive_names.h"
#include "payload/binary_datas.h"
#include "payload/block_stream.h"
#include "tests/payload/block_test_support.h"
#include "tests/payload/lzh_samples.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string name;  // as stored, with "\"
    std::string content;
};

std::vector<std::uint8_t> MakeArchive(const std::vector<Entry>& entries) {
    TMemoryStream out;
    for (const auto& e : entries) {
        TMemoryStream source(e.content);
        EXPECT_TRUE(PackStream(source, out, true, e.name, 1000.0)) << e.name;
    }
    return out.Bytes();
}

// Where the n-th block of an archive starts.
std::size_t BlockStart(const std::vector<std::uint8_t>& bytes, int n) {
    std::size_t at = 0;
    const std::string view(bytes.begin(), bytes.end());
    for (int k = 0; k < n; ++k) at += test::GetLe(view, at + 8, 4);
    return at;
}

const std::vector<std::string> kOverwriteButtons = {
    "Überschreiben", "Alle Überschreiben", "Überspringen", "Alle Überspringen", "Abbrechen"};

class ArchiveTest : public test::BlockTest {
  protected:
    void SetUp() override {
        BlockTest::SetUp();
        Separators.thousands = ".";
        target_ = root_.At("ziel") + "/";
    }

    // Records both events.
    void Listen() {
        archive_.SetOnFileSaved([this](TBinaryDatas& sender, const std::string& path) {
            EXPECT_EQ(&sender, &archive_);
            saved_.push_back(path);
        });
        archive_.SetOnError([this](TBinaryDatas& sender, const std::string& text) {
            EXPECT_EQ(&sender, &archive_);
            reports_.push_back(text);
        });
    }

    std::string At(const std::string& relative) const { return target_ + relative; }
    void Put(const std::string& relative, const std::string& content) {
        fs::create_directories(fs::path(At(relative)).parent_path());
        test::WriteFile(At(relative), content);
    }

    std::string target_;
    TBinaryDatas archive_;
    std::vector<std::string> saved_, reports_;
};

TEST_F(ArchiveTest, AnEmptyArchiveExtractsNothingAndSucceeds) {
    TLaufbalken bar;
    bar.SetPosition(0.5);
    archive_.SetLaufbalken(&bar);
    Listen();
    EXPECT_EQ(archive_.Size(), 0);
    EXPECT_TRUE(archive_.ExtractAll(target_));
    EXPECT_FALSE(fs::exists(target_));
    EXPECT_TRUE(saved_.empty());
    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(bar.Position(), 0.5);  // not even touched
}

TEST_F(ArchiveTest, WritesEveryEntryBelowTheTargetInArchiveOrder) {
    const std::string big = test::SampleMixed(200'000);
    archive_.SetData(MakeArchive({{"COPYING", "Lizenz"},
                                  {"data\\mysql\\func.MYD", ""},
                                  {"share\\german\\Größe.sys", big},
                                  {"bin/mysqld", "server"}}));
    TLaufbalken bar;
    bar.SetPosition(0.7);  // left from an earlier run
    std::vector<double> progress;
    bar.SetOnChange([&](double fraction) { progress.push_back(fraction); });
    archive_.SetLaufbalken(&bar);
    int messageRuns = 0;
    const auto oldHook = SetProcessMessagesHook([&] { ++messageRuns; });
    Listen();

    const double before = NowDateTime() - 1.0 / 24;
    EXPECT_TRUE(archive_.ExtractAll(target_));
    SetProcessMessagesHook(oldHook);

    EXPECT_EQ(saved_, (std::vector<std::string>{At("COPYING"), At("data/mysql/func.MYD"),
                                                At("share/german/Größe.sys"), At("bin/mysqld")}));
    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(test::ReadFile(At("COPYING")), "Lizenz");
    EXPECT_TRUE(FileExistsW(At("data/mysql/func.MYD")));
    EXPECT_EQ(FileSizeOf(At("data/mysql/func.MYD")), 0);
    EXPECT_EQ(test::ReadFile(At("share/german/Größe.sys")), big);
    EXPECT_EQ(test::ReadFile(At("bin/mysqld")), "server");
    EXPECT_EQ(messageRuns, 4);
    // Files carry the time of writing, not the time stamp of their block (1902).
    EXPECT_GT(FileTimeOf(At("COPYING"), true), before);
    ASSERT_EQ(progress.size(), 5u);  // back to 0, then once per entry
    EXPECT_EQ(progress.front(), 0.0);
    for (std::size_t k = 1; k < progress.size(); ++k) EXPECT_GT(progress[k], progress[k - 1]);
    EXPECT_EQ(bar.Position(), 1.0);
    EXPECT_EQ(archive_.Data().Position(), 0);
}

TEST_F(ArchiveTest, ExtractsFromAFileRegionAndKeepsItsStoredForm) {
    const auto bytes = MakeArchive({{"a", "eins"}, {"b\\c", "zwei"}});
    std::string file = "PROGRAMM";
    file.append(bytes.begin(), bytes.end());
    file += "TRAILER";
    test::WriteFile(root_.At("setup"), file);
    archive_.SetDataStream(
        TFileStream::OpenRegion(root_.At("setup"), 8, static_cast<std::int64_t>(bytes.size())));
    EXPECT_EQ(archive_.Size(), static_cast<std::int64_t>(bytes.size()));
    EXPECT_TRUE(archive_.ExtractAll(target_));
    EXPECT_EQ(test::ReadFile(At("a")), "eins");
    EXPECT_EQ(test::ReadFile(At("b/c")), "zwei");

    TMemoryStream description;
    ASSERT_TRUE(archive_.WriteData(description));
    TBinaryDatas copy;
    description.Seek(0);
    ASSERT_TRUE(copy.ReadData(description));
    EXPECT_EQ(test::Bytes(static_cast<TMemoryStream&>(copy.Data())),
              std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(test::GetLe(test::Bytes(description), 0, 4), bytes.size());
}

// Three new entries over three existing files; each case answers the questions it gets.
TEST_F(ArchiveTest, AsksBeforeReplacingAndRemembersTheAllAnswers) {
    struct Question {
        const char* file;
        int answer;
    };
    const struct {
        const char* label;
        std::vector<Question> questions;
        const char* state;                 // afterwards x, y, z: N new, A old
        std::vector<std::string> reports;  // "skip f" or "cancel f"
        bool result;
    } cases[] = {
        {"one by one", {{"x", 0}, {"y", 2}, {"z", 0}}, "NAN", {"skip y"}, true},
        {"overwrite all", {{"x", 1}}, "NNN", {}, true},
        {"overwrite, then all", {{"x", 0}, {"y", 1}}, "NNN", {}, true},
        {"skip all", {{"x", 3}}, "AAA", {"skip x", "skip y", "skip z"}, true},
        {"skip, then overwrite all", {{"x", 2}, {"y", 1}}, "ANN", {"skip x"}, true},
        {"cancel", {{"x", 0}, {"y", 4}}, "NAA", {"cancel y"}, false},
        {"closed", {{"x", test::kAnswerClose}}, "AAA", {"cancel x"}, false},
    };
    const std::string fresh(12345, 'n');
    const std::string old(1234, 'a');
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(target_);
        for (const char* name : {"x", "y", "z"}) Put(std::string("sub/") + name, old);
        TBinaryDatas archive;
        archive.SetData(MakeArchive({{"sub\\x", fresh}, {"sub\\y", fresh}, {"sub\\z", fresh}}));
        std::vector<std::string> reports;
        archive.SetOnError([&](TBinaryDatas&, const std::string& t) { reports.push_back(t); });
        {
            test::ScriptedPrompts prompts;
            for (const auto& q : c.questions) {
                test::ExpectedPrompt p("Die Datei " + At("sub/") + q.file +
                                           "\r\n(1.234 Byte) existiert bereits.\r\n"
                                           "(neue Datei: 12.345 Byte)",
                                       q.answer);
                p.kind = kKindWarning;
                p.buttons = kOverwriteButtons;
                p.picture = bi_save;
                prompts.Expect(p);
            }
            EXPECT_EQ(archive.ExtractAll(target_), c.result);
        }
        std::string state;
        for (const char* name : {"x", "y", "z"})
            state += test::ReadFile(At(std::string("sub/") + name)) == fresh ? 'N' : 'A';
        EXPECT_EQ(state, c.state);
        std::vector<std::string> expected;
        for (const auto& r : c.reports) {
            const std::string path = At("sub/" + r.substr(r.find(' ') + 1));
            expected.push_back(r.rfind("skip", 0) == 0
                                   ? "Datei übersprungen: %a|" + path
                                   : "Die Datei %a existiert bereits. Benutzer hat abgebrochen.|" +
                                         path);
        }
        EXPECT_EQ(reports, expected);
    }
}

// Failures that end the extraction: reported through OnError when it is set, else shown.
TEST_F(ArchiveTest, ACorruptEntryStopsAndKeepsTheFilesBefore) {
    auto bytes = MakeArchive({{"a", "eins"}, {"b\\kaputt", "zwei"}, {"c", "drei"}});
    bytes[BlockStart(bytes, 1) + 28] ^= 0x01;  // checksum no longer matches
    for (const bool handler : {true, false}) {
        SCOPED_TRACE(handler ? "OnError" : "notice");
        fs::remove_all(target_);
        TBinaryDatas archive;
        archive.SetData(bytes);
        std::vector<std::string> reports;
        if (handler)
            archive.SetOnError([&](TBinaryDatas&, const std::string& t) { reports.push_back(t); });
        else {
            test::ExpectedPrompt notice("TPacks.Fehler beim Entpacken (Datei) " + At("b/kaputt"));
            notice.picture = bi_save;
            prompts_.Expect(notice);
        }
        EXPECT_FALSE(archive.ExtractAll(target_));
        EXPECT_EQ(reports, handler ? std::vector<std::string>{"Fehler beim Entpacken (Datei) " +
                                                              At("b/kaputt")}
                                   : std::vector<std::string>{});
        EXPECT_EQ(test::ReadFile(At("a")), "eins");
        EXPECT_FALSE(fs::exists(At("b/kaputt")));
        EXPECT_FALSE(fs::exists(At("c")));
        EXPECT_EQ(archive.Data().Position(), 0);
    }
}

TEST_F(ArchiveTest, AnArchiveCutInsideItsLastEntryFailsAtThatEntry) {
    auto bytes = MakeArchive({{"a", "eins"}, {"b", test::SampleMixed(50'000)}});
    bytes.resize(bytes.size() - 40);
    archive_.SetData(bytes);
    Listen();
    EXPECT_FALSE(archive_.ExtractAll(target_));
    EXPECT_EQ(reports_, std::vector<std::string>{"Fehler beim Entpacken (Datei) " + At("b")});
    EXPECT_EQ(saved_, std::vector<std::string>{At("a")});
    EXPECT_FALSE(fs::exists(At("b")));
}

TEST_F(ArchiveTest, AHeadThatIsNoBlockStopsTheExtraction) {
    const auto good = MakeArchive({{"a", "eins"}});
    const struct {
        const char* label;
        std::string tail;
    } cases[] = {
        {"garbage", "Q"},
        // A legacy block has no length of its own: the next entry could not be found.
        {"legacy block", std::string("\xFE\0\0\0\0\0\0\0\0", 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(target_);
        auto bytes = good;
        bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
        TBinaryDatas archive;
        archive.SetData(bytes);
        prompts_.Expect("TPacks.Fehler beim Entpacken (Kopf)", 0);
        EXPECT_FALSE(archive.ExtractAll(target_));
        EXPECT_EQ(test::ReadFile(At("a")), "eins");

        std::vector<std::string> reports;
        archive.SetOnError([&](TBinaryDatas&, const std::string& t) { reports.push_back(t); });
        fs::remove_all(target_);
        EXPECT_FALSE(archive.ExtractAll(target_));
        EXPECT_EQ(reports, std::vector<std::string>{"Fehler beim Entpacken (Kopf)"});
    }
}

TEST_F(ArchiveTest, RefusesNamesThatWouldLeaveTheTarget) {
    const char* names[] = {"..\\x",     "/etc/x", "\\etc\\x", "C:x", "c:\\x", "a\\..\\..\\x",
                           "a/../../x", "a\\\\x", "a\\.\\x",  "a\\", "..",    ""};
    const bool etcHadX = fs::exists("/etc/x");
    for (const char* name : names) {
        SCOPED_TRACE(name);
        fs::remove_all(root_.At("ziel"));
        fs::create_directories(target_);
        TBinaryDatas archive;
        archive.SetData(MakeArchive({{"vorher", "1"}, {name, "boese"}, {"nachher", "2"}}));
        std::vector<std::string> reports;
        archive.SetOnError([&](TBinaryDatas&, const std::string& t) { reports.push_back(t); });
        EXPECT_FALSE(archive.ExtractAll(target_));
        EXPECT_EQ(reports, std::vector<std::string>{"Ungültiger Dateiname im Archiv: %a|" +
                                                    std::string(name)});
        EXPECT_EQ(test::ReadFile(At("vorher")), "1");
        EXPECT_FALSE(fs::exists(At("nachher")));
        EXPECT_FALSE(fs::exists(root_.At("x")));
        EXPECT_FALSE(fs::exists(root_.At("etc")));
        if (!etcHadX) {
            EXPECT_FALSE(fs::exists("/etc/x"));
        }
    }
    // Without a handler the user is told.
    TBinaryDatas archive;
    archive.SetData(MakeArchive({{"..\\x", "boese"}}));
    test::ExpectedPrompt notice("TPacks.Fehler: Ungültiger Dateiname im Archiv: ..\\x");
    notice.picture = bi_save;
    prompts_.Expect(notice);
    EXPECT_FALSE(archive.ExtractAll(target_));
    EXPECT_FALSE(fs::exists(root_.At("x")));
}

TEST_F(ArchiveTest, DoesNotFollowAFolderLinkOutOfTheTarget) {
    fs::create_directories(root_.At("draussen"));
    fs::create_directories(target_ + "innen");
    fs::create_directory_symlink(root_.At("draussen"), target_ + "raus");
    fs::create_directory_symlink(target_ + "innen", target_ + "rein");
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"raus\\x", false},
        {"raus\\neu\\x", false},
        {"rein\\x", true},  // a link that stays inside is a folder like any other
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TBinaryDatas archive;
        archive.SetData(MakeArchive({{c.name, "inhalt"}}));
        std::vector<std::string> reports;
        archive.SetOnError([&](TBinaryDatas&, const std::string& t) { reports.push_back(t); });
        EXPECT_EQ(archive.ExtractAll(target_), c.accepted);
        EXPECT_TRUE(fs::is_empty(root_.At("draussen")));
    }
    EXPECT_EQ(test::ReadFile(target_ + "innen/x"), "inhalt");
}

TEST_F(ArchiveTest, AFolderThatCannotBeMadeStopsTheExtraction) {
    Put("a", "eine Datei, kein Verzeichnis");
    TBinaryDatas archive;
    archive.SetData(MakeArchive({{"a\\b\\c", "x"}, {"d", "y"}}));
    test::ExpectedPrompt notice("TPacks.Fehler: Kann Verzeichnis nicht anlegen: " + At("a/b/"));
    notice.picture = bi_save;
    prompts_.Expect(notice);
    EXPECT_FALSE(archive.ExtractAll(target_));
    EXPECT_FALSE(fs::exists(At("d")));

    std::vector<std::string> reports;
    archive.SetOnError([&](TBinaryDatas&, const std::string& t) { reports.push_back(t); });
    EXPECT_FALSE(archive.ExtractAll(target_));
    EXPECT_EQ(reports,
              std::vector<std::string>{"Kann Verzeichnis nicht anlegen: %a|" + At("a/b/")});
}

TEST_F(ArchiveTest, AWriteFailureEndsOnlyItsEntry) {
    fs::create_directories(At("ordner"));  // a folder where the file should go
    archive_.SetData(MakeArchive({{"ordner", "x"}, {"danach", "y"}}));
    Listen();
    EXPECT_FALSE(archive_.ExtractAll(target_));
    EXPECT_EQ(reports_, std::vector<std::string>{"Schreibfehler: %a|" + At("ordner")});
    EXPECT_EQ(saved_, std::vector<std::string>{At("danach")});
    EXPECT_TRUE(fs::is_directory(At("ordner")));
    EXPECT_EQ(test::ReadFile(At("danach")), "y");
}

// Sets or clears the immutable flag, which keeps even root from deleting a file.
bool SetImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

TEST_F(ArchiveTest, AFileThatCannotBeDeletedStopsTheExtraction) {
    Put("fest", "alt");
    if (!SetImmutable(At("fest"), true)) {
        if (::geteuid() == 0) GTEST_SKIP() << "the file system has no immutable flag";
        fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_exec);
    }
    archive_.SetData(MakeArchive({{"fest", "neu"}, {"danach", "y"}}));
    Listen();
    test::ExpectedPrompt question(
        "Die Datei " + At("fest") + "\r\n(3 Byte) existiert bereits.\r\n(neue Datei: 3 Byte)", 0);
    prompts_.Expect(question);
    const bool result = archive_.ExtractAll(target_);
    SetImmutable(At("fest"), false);
    fs::permissions(target_, fs::perms::owner_all);
    EXPECT_FALSE(result);
    EXPECT_EQ(reports_, std::vector<std::string>{"Kann Datei nicht löschen: %a|" + At("fest")});
    EXPECT_EQ(test::ReadFile(At("fest")), "alt");
    EXPECT_FALSE(fs::exists(At("danach")));
}

TEST(ArchiveNames, TurnEntryNamesIntoNativePathsAndBack) {
    const struct {
        const char* entry;
        const char* native;  // nullptr: refused
    } cases[] = {
        {"my.ini", "my.ini"},        {"share\\german\\errmsg.sys", "share/german/errmsg.sys"},
        {"a b\\Größe", "a b/Größe"}, {"..x\\y..", "..x/y.."},  // dots inside a name are no step up
        {"..\\x", nullptr},          {"/etc/x", nullptr},
        {"C:\\x", nullptr},          {"a\\\\b", nullptr},
        {"a\\b\\", nullptr},         {"a\x01", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const auto native = NativeEntryPath(c.entry);
        ASSERT_EQ(native.has_value(), c.native != nullptr);
        if (!native) continue;
        EXPECT_EQ(*native, c.native);
        EXPECT_EQ(EntryNameOf(*native), std::optional<std::string>(c.entry));
    }
    EXPECT_EQ(EntryNameOf("a\\b"), std::nullopt);  // a "\" in a native name would split it
}

}  // namespace
}  // namespace tavo
