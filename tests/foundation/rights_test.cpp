#include "foundation/rights.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

TEST(Rights, RegistryWriteNeedsAdministratorRights) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to compare both users";
    const test::TempRoot root;
    ::chmod(root.path().c_str(), 0755);
    std::filesystem::create_directories(root.At("home/nobody"));
    ASSERT_EQ(::chown(root.At("home/nobody").c_str(), 65534, 65534), 0);
    EXPECT_TRUE(TestRegistryWrite());
    EXPECT_TRUE(IsAdministrator());
    platform::Registry reg(platform::RegHive::LocalMachine);
    EXPECT_FALSE(reg.KeyExists(
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WEXATEST_TEST"));  // gone
    const pid_t child = ::fork();
    if (child == 0) {
        // The unprivileged user writes its own hive below a home of its own.
        ::setenv("HOME", "/home/nobody", 1);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(10);
        platform::Registry user(platform::RegHive::CurrentUser);
        if (!user.OpenKey("\\Software\\Tavo", true)) ::_exit(2);  // its own hive works
        ::_exit(!TestRegistryWrite() && !IsAdministrator() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Rights, RunningProcessesAreFoundByFileName) {
    const std::string names = RunningProcessNames();
    EXPECT_NE(names.find("rights_test|"), std::string::npos);
    EXPECT_TRUE(IsProcessRunning("  RIGHTS_TEST "));
    EXPECT_FALSE(IsProcessRunning("rights_tes"));
    EXPECT_FALSE(IsProcessRunning(""));
    EXPECT_TRUE(IsNewerThanVista());
}

}  // namespace
}  // namespace tavo
