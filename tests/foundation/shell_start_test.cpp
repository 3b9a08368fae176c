#include "foundation/shell_start.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/process_messages.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class ShellStart : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        fs::create_directories(root_.At("bin"));
        ::setenv("PATH", (root_.At("bin") + ":" + oldPath_).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        SetProcessMessagesHook({});
    }
    std::string Log() const { return AppInfo.LogBuffer.value_or(""); }
    std::string Script(const std::string& relative, const std::string& body) {
        const std::string path = root_.At(relative);
        fs::create_directories(fs::path(path).parent_path());
        test::WriteFile(path, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    // An xdg-open that writes down what it was asked to open.
    std::string RecordingOpener() {
        Script("bin/xdg-open", "printf '%s\\n' \"$@\" >> \"" + root_.At("opened") + "\"");
        return root_.At("opened");
    }

    test::TempRoot root_;
    std::string oldPath_;
};

TEST_F(ShellStart, AProgramRunsInItsFolderAndItsExitCodeIsLogged) {
    const std::string program = Script("app/run.sh", "pwd > where.txt; echo \"$1|$2\" > args.txt");
    EXPECT_TRUE(StarteDateiP(program, "eins \"zwei drei\"", false));
    EXPECT_EQ(test::ReadFile(root_.At("app/where.txt")), root_.At("app") + "\n");
    EXPECT_EQ(test::ReadFile(root_.At("app/args.txt")), "eins|zwei drei\n");
    EXPECT_NE(Log().find("StarteDateiP noAutoClose:" + program +
                         " Parameter:eins \"zwei drei\" Pfad:" + root_.At("app/")),
              std::string::npos);
    EXPECT_NE(Log().find("Exitcode:0"), std::string::npos);
}

TEST_F(ShellStart, TheWaitingStartKeepsMessagesRunning) {
    int pumped = 0;
    SetProcessMessagesHook([&] { ++pumped; });
    const std::string program = Script("app/slow.sh", "sleep 0.3; exit 7");
    test::ScriptedPrompts prompts;
    test::ExpectedPrompt reason;
    reason.text = "Unbekannter Fehler 7.";
    reason.textContains = true;
    prompts.Expect(reason);
    EXPECT_FALSE(StarteDateiP(program, "", false));  // exit codes 1..36 are failures
    EXPECT_GT(pumped, 3);
    EXPECT_NE(Log().find("Exitcode:7"), std::string::npos);
}

TEST_F(ShellStart, AMissingFileShowsItsReason) {
    test::ScriptedPrompts prompts;
    const std::string missing = root_.At("nowhere/app");
    prompts.Expect({"Fehler beim Starten von: " + missing + "\r\nGrund: Pfad nicht gefunden.", 0});
    EXPECT_FALSE(StarteDateiP(missing, "", true));
    const std::string absent = root_.At("absent");
    prompts.Expect({"Fehler beim Starten von: " + absent + "\r\nGrund: Datei nicht gefunden.", 0});
    EXPECT_FALSE(StarteDateiP(absent, "", true));
    EXPECT_NE(Log().find("Exitcode:2"), std::string::npos);
    prompts.Expect({"Fehler beim Starten von: " + absent, 0});
    EXPECT_FALSE(StarteDateiP(absent, "", false));
}

TEST_F(ShellStart, ReportStartErrorReasons) {
    test::ScriptedPrompts prompts;
    prompts.Expect({"Zugriff verweigert.", 0});
    ReportStartError(5);
    prompts.Expect({"Start von x: Es existiert keine Verknüpfung mit der Datei.", 0});
    ReportStartError(31, "Start von %a: %b|x");
    prompts.Expect({"Unbekannter Fehler 1.234.", 0});
    Separators.thousands = ".";
    ReportStartError(1234);
    ReportStartError(33);  // nothing to show
    ReportStartError(42);
    EXPECT_EQ(prompts.Pending(), 0u);
}

TEST_F(ShellStart, DocumentsAndAddressesGoToTheDesktop) {
    const std::string opened = RecordingOpener();
    StarteHTML("www.zelvo.de");
    StarteHTML("https://zelvo.de/x?a=1");
    StarteHTML("abc");  // too short: ignored
    const std::string doc = root_.At("brief.txt");
    test::WriteFile(doc, "text");
    StarteHTML(doc);  // a local path opens as a document
    EXPECT_EQ(test::ReadFile(opened), "http://www.zelvo.de\nhttps://zelvo.de/x?a=1\n" + doc + "\n");
    EXPECT_NE(Log().find("StarteHTML:www.zelvo.de"), std::string::npos);
    EXPECT_NE(Log().find(" exitcode: 42"), std::string::npos);
}

TEST_F(ShellStart, ExeCodeStartsTheProgramInItsFolder) {
    const std::string program = Script("tool/t.sh", "pwd > where.txt");
    EXPECT_TRUE(StarteDateiExeCode(program, "  /x  "));
    EXPECT_NE(
        Log().find("StarteDateiExeCode:" + program + " Parameter:/x Pfad:" + root_.At("tool/")),
        std::string::npos);
    // The program runs on its own; wait for its mark.
    for (int i = 0; i < 200 && !fs::exists(root_.At("tool/where.txt")); ++i) ::usleep(10000);
    EXPECT_EQ(test::ReadFile(root_.At("tool/where.txt")), root_.At("tool") + "\n");
}

}  // namespace
}  // namespace tavo
