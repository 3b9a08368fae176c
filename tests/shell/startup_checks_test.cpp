#include "shell/startup_checks.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "platform/named_lock.h"
#include "shell/directory_access.h"
#include "shell/setup_state.h"
#include "shell/stop_with_message.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class StartupChecksTest : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        SetupState = {};
        SetupState.shortName = "Tavo";
        AppInfo.TempDir = root_.At("tmp/");
        fs::create_directories(AppInfo.TempDir);
    }
    static std::string Log() { return AppInfo.LogBuffer.value_or(""); }

    test::TempRoot root_;
};

TEST_F(StartupChecksTest, TheDirectoryProbeNamesWhatWentWrong) {
    fs::create_directories(root_.At("null/"));
    fs::create_symlink("/dev/null", root_.At("null/test.txt"));  // takes the line, gives none
    const struct {
        std::string folder;
        const char* error;
    } cases[] = {
        {root_.At("tmp/"), ""},
        {root_.At("missing/"), "Schreibfehler"},
        {root_.At("null/"), "Prüfwert stimmt nicht überein"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TestDirectoryAccess(c.folder), c.error) << c.folder;
        EXPECT_FALSE(fs::exists(fs::symlink_status(c.folder + "test.txt"))) << c.folder;
    }
}

TEST_F(StartupChecksTest, AFatalStopLogsEndeAndShowsTheFilledText) {
    test::ScriptedPrompts prompts;
    test::ExpectedPrompt notice("Datei /x/y fehlt\r\n\r\nEnde.", 0);
    notice.picture = bi_setup;
    prompts.Expect(notice);
    StopWithMessage("Datei %a fehlt|/x/y", true);
    EXPECT_NE(Log().find("Datei %a fehlt|/x/y Ende.\r\n"), std::string::npos) << Log();
    EXPECT_TRUE(Terminating);
}

TEST_F(StartupChecksTest, APlainStopOnlyTells) {
    test::ScriptedPrompts prompts;
    prompts.Expect("Datei /x/y fehlt", 0);
    StopWithMessage("Datei %a fehlt|/x/y", false);
    EXPECT_NE(Log().find("Datei %a fehlt|/x/y\r\n"), std::string::npos) << Log();
    EXPECT_EQ(Log().find("Ende."), std::string::npos);
    EXPECT_FALSE(Terminating);
}

TEST_F(StartupChecksTest, TheProductProbeNeverKeepsTheLock) {
    EXPECT_FALSE(IsProductRunning());
    {
        const auto held = platform::NamedLock::TryAcquire("Tavo");
        ASSERT_TRUE(held);
        // The lock is ours here, so probe from another process as the setup would.
        const pid_t child = ::fork();
        if (child == 0) ::_exit(IsProductRunning() ? 0 : 1);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_FALSE(IsProductRunning());
    EXPECT_TRUE(platform::NamedLock::TryAcquire("Tavo"));  // the probe left it free
}

TEST_F(StartupChecksTest, AnUnusableTemporaryFolderIsFatal) {
    AppInfo.TempDir = root_.At("missing/");
    test::ScriptedPrompts prompts;
    test::ExpectedPrompt notice(
        "Fehler im temporären Verzeichnis " + AppInfo.TempDir + ": Schreibfehler", 0);
    notice.textContains = true;
    prompts.Expect(notice);
    EXPECT_FALSE(StartupChecks());
    EXPECT_TRUE(Terminating);
}

TEST_F(StartupChecksTest, WithAllInOrderTheSequenceGoesOn) {
    test::ScriptedPrompts prompts;  // no question at all
    EXPECT_TRUE(StartupChecks());
    EXPECT_FALSE(Terminating);
}

}  // namespace
}  // namespace tavo
