// The stand-in product, started as the setup and its links start it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "platform/named_lock.h"
#include "platform/version_record.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::StartProgram;
using test::WaitForExit;
using namespace std::chrono_literals;

TEST(Product, HoldsItsLockWhileItRunsAndCarriesItsVersion) {
    const test::TempRoot root;
    fs::create_directories(root.At("opt/tavo"));
    const std::string program = root.At("opt/tavo/Tavo");
    fs::copy_file(TAVO_PRODUCT_BINARY, program);
    const auto version = platform::ReadFileVersion(program);
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, TAVO_VERSION_MAJOR);
    EXPECT_EQ(version->minor, TAVO_VERSION_MINOR);

    EXPECT_FALSE(platform::NamedLock::IsHeld("Tavo"));
    const pid_t first = StartProgram(program, {"/L"});
    bool held = false;
    for (int i = 0; i < 500 && !held; ++i) {
        held = platform::NamedLock::IsHeld("Tavo");
        if (!held) std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(held);
    EXPECT_EQ(WaitForExit(StartProgram(program, {"/setup"}), 5s),
              0);  // a second start ends at once
    bool logged = false;
    for (const auto& entry : fs::directory_iterator(root.At("opt/tavo")))
        logged = logged || entry.path().filename().string().rfind("Tavo_", 0) == 0;
    EXPECT_TRUE(logged);  // "/L" writes a log
    ::kill(first, SIGTERM);
    EXPECT_GE(WaitForExit(first, 5s), 0);
    EXPECT_FALSE(platform::NamedLock::IsHeld("Tavo"));
}

}  // namespace
}  // namespace tavo
