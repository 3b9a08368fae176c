// The built setup started as a user would, under a private root.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>

#include <gtest/gtest.h>

#include "platform/named_lock.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::StartProgram;
using test::WaitForExit;
using namespace std::chrono_literals;

template <typename Pred>
bool WaitUntil(Pred pred, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (pred()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return pred();
}

std::vector<fs::path> LogFiles(const std::string& folder) {
    std::vector<fs::path> logs;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".log") logs.push_back(entry.path());
    return logs;
}

class SetupStart : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_.At("opt/setup"));
        program_ = root_.At("opt/setup/tavosetup");
        fs::copy_file(TAVOSETUP_BINARY, program_);
    }
    void TearDown() override {
        if (first_ > 0 && WaitForExit(first_, 0ms) < 0) {
            ::kill(first_, SIGKILL);
            WaitForExit(first_, 5s);
        }
    }

    test::TempRoot root_;
    std::string program_;
    pid_t first_ = -1;
};

TEST_F(SetupStart, SecondStartEndsAtOnceAndTheFirstEndsInOrder) {
    first_ = StartProgram(program_);
    // The first run writes its log into its own folder, the first writable candidate.
    ASSERT_TRUE(WaitUntil([&] { return platform::NamedLock::IsHeld("tavosetup"); }, 10s));
    const std::string folder = root_.At("opt/setup");
    ASSERT_TRUE(WaitUntil([&] { return LogFiles(folder).size() == 1; }, 10s));
    const fs::path log = LogFiles(folder).front();
    EXPECT_TRUE(std::regex_match(log.filename().string(),
                                 std::regex(R"(tavosetup_\d{4}-\d\d-\d\d_\d\d_\d\d_\d\d\.log)")))
        << log;

    // The second start ends by itself, writes no log of its own and brings the first forward.
    const pid_t second = StartProgram(program_, {"/uninstall"});
    EXPECT_EQ(WaitForExit(second, 5s), 0);
    EXPECT_EQ(LogFiles(folder).size(), 1u);
    EXPECT_TRUE(WaitUntil(
        [&] { return test::ReadFile(log.string()).find("Fenster nach vorn") != std::string::npos; },
        5s));

    // Asked to end by the system, the first closes in order and frees the lock.
    ASSERT_EQ(::kill(first_, SIGTERM), 0);
    EXPECT_EQ(WaitForExit(first_, 10s), 0);
    first_ = -1;
    EXPECT_NE(test::ReadFile(log.string()).find("Beenden durch das System angefordert"),
              std::string::npos);
    EXPECT_FALSE(platform::NamedLock::IsHeld("tavosetup"));
}

}  // namespace
}  // namespace tavo
