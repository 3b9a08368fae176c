// The built setup's start-up checks, run as a process under a private root with an answer
// file standing in for the user.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/named_lock.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Sets an environment variable for the scope and restores the old value.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string LogOf(const std::string& folder) {
    std::string all;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == ".log") all += test::ReadFile(entry.path().string());
    return all;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class SetupChecks : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = root_.At("opt/setup/");
        fs::create_directories(folder_);
        program_ = folder_ + "tavosetup";
        fs::copy_file(TAVOSETUP_BINARY, program_);
        fs::create_directories(root_.At("tmp"));
    }
    // Runs the setup with the answers given and waits for its end.
    int Run(const std::vector<std::string>& args, const std::string& answers) {
        test::WriteFile(root_.At("answers"), answers);
        const ScopedEnv env("TAVO_ANSWERS", root_.At("answers"));
        const pid_t pid = test::StartProgram(program_, args);
        const int code = test::WaitForExit(pid, 20s);
        if (code < 0) {
            ::kill(pid, SIGKILL);
            test::WaitForExit(pid, 5s);
        }
        return code;
    }

    test::TempRoot root_;
    std::string folder_;
    std::string program_;
};

TEST_F(SetupChecks, AMachineHiveThatCannotBeWrittenEndsTheSetup) {
    // A file where the hive's folder belongs: the machine hive cannot be opened for writing.
    fs::create_directories(root_.At("var/lib/tavo"));
    test::WriteFile(root_.At("var/lib/tavo/registry"), "");
    EXPECT_EQ(Run({}, "0\n"), 0);
    const std::string log = LogOf(folder_);
    EXPECT_NE(log.find("Der Zugriff auf die Windows-Registry ist nicht erlaubt."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Administratorrechte erforderlich. Ende."), std::string::npos) << log;
    EXPECT_EQ(log.find("wirklich abbrechen"), std::string::npos) << log;
    EXPECT_EQ(log.find("Version: "), std::string::npos) << log;
}

TEST_F(SetupChecks, AnUnusableTemporaryFolderEndsTheSetup) {
    const ScopedEnv tmp("TMPDIR", root_.At("no-such-folder"));
    EXPECT_EQ(Run({}, "0\n"), 0);
    const std::string log = LogOf(folder_);
    EXPECT_NE(log.find("Fehler im temporären Verzeichnis " + root_.At("no-such-folder/") +
                       ": Schreibfehler Ende."),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("wirklich abbrechen"), std::string::npos) << log;
}

TEST_F(SetupChecks, ARunningProductIsAskedForUntilTheUserEnds) {
    const auto product = platform::NamedLock::TryAcquire("Tavo");
    ASSERT_TRUE(product);
    EXPECT_EQ(Run({}, "0\n1\n"), 0);  // "wiederholen", then "beenden"
    const std::string log = LogOf(folder_);
    EXPECT_EQ(Count(log,
                    "Programme beenden:Bitte schliessen Sie das Programm %a, bevor Sie "
                    "das Setup fortführen."),
              2u)
        << log;
    EXPECT_EQ(log.find("Version: "), std::string::npos) << log;
    EXPECT_EQ(log.find("wirklich abbrechen"), std::string::npos) << log;
}

TEST_F(SetupChecks, WithoutObstaclesTheVersionIsProbedAndTheDetectionRuns) {
    const pid_t pid = [&] {
        test::WriteFile(root_.At("answers"), "");
        const ScopedEnv env("TAVO_ANSWERS", root_.At("answers"));
        return test::StartProgram(program_);
    }();
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (LogOf(folder_).find("< checkinstalliert") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    ::kill(pid, SIGTERM);
    EXPECT_EQ(test::WaitForExit(pid, 10s), 0);
    const std::string log = LogOf(folder_);
    EXPECT_NE(log.find("Version: Zelvo Verbindomat 2"), std::string::npos) << log;
    EXPECT_NE(log.find("WexaTavo/WexaSarn:Nein/Nein"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(root_.At("tmp/Tavo")));  // the probe's file is gone again
}

TEST_F(SetupChecks, TheUninstallerRestartsFromATemporaryCopy) {
    EXPECT_EQ(Run({"/uninstall", "/secondrun"}, ""), 0);
    const std::string copy = root_.At("tmp/tavosetup");
    EXPECT_TRUE(fs::exists(copy));
    // The copy runs with the same parameters plus " /secondrun", refuses to copy itself and
    // carries on as the uninstaller.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (LogOf(root_.At("tmp/")).find("< checkinstalliert") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    const std::string copyLog = LogOf(root_.At("tmp/"));
    EXPECT_NE(copyLog.find("< checkinstalliert"), std::string::npos) << copyLog;
    const std::string log = LogOf(folder_);
    const size_t start = log.find("StarteDateiP:" + copy);
    ASSERT_NE(start, std::string::npos) << log;
    EXPECT_NE(
        log.substr(start, log.find('\n', start) - start).find("/uninstall /secondrun /secondrun"),
        std::string::npos)
        << log;
    // End the copy in order.
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::error_code ec;
        if (fs::read_symlink(entry.path() / "exe", ec) == fs::path(copy))
            ::kill(std::stoi(entry.path().filename().string()), SIGTERM);
    }
    std::this_thread::sleep_for(500ms);
}

}  // namespace
}  // namespace tavo
