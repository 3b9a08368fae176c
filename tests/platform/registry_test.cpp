#include "platform/registry.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/support/temp_root.h"

namespace tavo::platform {
namespace {

template <typename Fn>
pid_t Spawn(Fn fn) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(fn());
    return pid;
}

int ExitCodeOf(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Registry, KeysAndNamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    const test::TempRoot root;
    Registry reg(RegHive::LocalMachine);
    bool existed = true;
    ASSERT_TRUE(reg.CreateKey("\\Software\\Tavo", &existed));
    EXPECT_FALSE(existed);
    ASSERT_TRUE(reg.CreateKey("\\SOFTWARE\\tavo\\Änderung", &existed));
    EXPECT_TRUE(reg.KeyExists("\\software\\TAVO\\ÄNDERUNG"));
    ASSERT_TRUE(reg.OpenKey("software\\TAVO", false));  // without the leading backslash too
    EXPECT_EQ(reg.CurrentPath(), "Software\\Tavo");
    EXPECT_TRUE(reg.WriteString("InstallPfad", "/opt/tavo/"));
    EXPECT_TRUE(reg.WriteString("INSTALLPFAD", "/opt/Tavo/"));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"InstallPfad"});
    EXPECT_EQ(reg.ReadString("installpfad"), "/opt/Tavo/");
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Änderung"});

    Registry other(RegHive::LocalMachine);
    ASSERT_TRUE(other.CreateKey("\\software\\TAVO", &existed));
    EXPECT_TRUE(existed);
    ASSERT_TRUE(other.OpenKeyReadOnly("\\Software"));
    EXPECT_EQ(other.GetKeyNames(), std::vector<std::string>{"Tavo"});
}

TEST(Registry, KeepsStringsAndIntegersApart) {
    const test::TempRoot root;
    Registry reg(RegHive::CurrentUser);
    ASSERT_TRUE(reg.OpenKey("\\Control Panel\\Desktop", true));
    EXPECT_TRUE(reg.WriteInteger("CursorBlinkRate", -530));
    EXPECT_TRUE(reg.WriteString("", "default value"));
    EXPECT_EQ(reg.ReadInteger("cursorblinkrate"), -530);
    EXPECT_FALSE(reg.ReadString("CursorBlinkRate"));
    EXPECT_FALSE(reg.ReadInteger(""));
    EXPECT_EQ(reg.ReadString(""), "default value");
    EXPECT_EQ(reg.GetDataType("CursorBlinkRate"), RegValueType::Integer);
    EXPECT_TRUE(reg.DeleteValue("CURSORBLINKRATE"));
    EXPECT_FALSE(reg.ValueExists("CursorBlinkRate"));
    EXPECT_FALSE(reg.DeleteValue("CursorBlinkRate"));
    EXPECT_FALSE(reg.ReadString("missing"));
    EXPECT_EQ(RegistryFileFor(RegHive::CurrentUser),
              root.At("home/tester/.local/share/tavo/registry/user.db"));
}

TEST(Registry, DeletesAKeyWithItsSubtree) {
    const test::TempRoot root;
    Registry reg(RegHive::LocalMachine);
    ASSERT_TRUE(reg.OpenKey("\\A\\B\\C", true));
    ASSERT_TRUE(reg.WriteString("deep", "1"));
    ASSERT_TRUE(reg.OpenKey("\\A", false));
    ASSERT_TRUE(reg.WriteString("top", "1"));
    ASSERT_TRUE(reg.OpenKey("\\Keep", true));
    EXPECT_TRUE(reg.DeleteKey("\\a"));
    EXPECT_FALSE(reg.KeyExists("\\A\\B\\C"));
    EXPECT_FALSE(reg.KeyExists("\\A"));
    EXPECT_TRUE(reg.KeyExists("\\Keep"));
    ASSERT_TRUE(reg.OpenKey("\\A\\B\\C", true));  // made anew: nothing of the old one is left
    EXPECT_TRUE(reg.GetValueNames().empty());
    EXPECT_FALSE(reg.DeleteKey("\\Nothing"));
    EXPECT_FALSE(reg.DeleteKey("\\"));
}

TEST(Registry, WriteToAKeyDeletedMeanwhileFails) {
    const test::TempRoot root;
    Registry writer(RegHive::LocalMachine);
    ASSERT_TRUE(writer.OpenKey("\\Software\\Gone", true));
    Registry other(RegHive::LocalMachine);
    ASSERT_TRUE(other.DeleteKey("\\Software\\Gone"));
    EXPECT_FALSE(writer.WriteString("x", "y"));
    EXPECT_FALSE(writer.LastError().empty());
    EXPECT_FALSE(other.KeyExists("\\Software\\Gone"));
}

TEST(Registry, ClassesRootIsABranchOfTheMachineHive) {
    const test::TempRoot root;
    Registry classes(RegHive::ClassesRoot);
    ASSERT_TRUE(classes.OpenKey("\\http\\shell\\open\\command", true));
    ASSERT_TRUE(classes.WriteString("", "browser %1"));
    Registry machine(RegHive::LocalMachine);
    ASSERT_TRUE(machine.OpenKeyReadOnly("\\Software\\Classes\\HTTP\\Shell\\Open\\Command"));
    EXPECT_EQ(machine.ReadString(""), "browser %1");
    ASSERT_TRUE(classes.OpenKey("\\http", false));
    ASSERT_TRUE(classes.OpenKey("shell", false));  // relative to the open key
    EXPECT_EQ(classes.GetKeyNames(), std::vector<std::string>{"open"});
}

TEST(Registry, TwoProcessesWritingAtOnceLoseNothing) {
    const test::TempRoot root;
    constexpr int kEach = 150;
    const auto writer = [](const char* prefix) {
        return [prefix] {
            Registry reg(RegHive::LocalMachine);
            for (int i = 0; i < kEach; ++i) {
                if (!reg.OpenKey("\\Software\\Shared", true)) return 1;
                if (!reg.WriteInteger(prefix + std::to_string(i), i)) return 2;
                if (!reg.CreateKey("\\Software\\Shared\\" + std::string(prefix) + "key")) return 3;
            }
            return 0;
        };
    };
    const pid_t a = Spawn(writer("a"));
    const pid_t b = Spawn(writer("b"));
    EXPECT_EQ(ExitCodeOf(a), 0);
    EXPECT_EQ(ExitCodeOf(b), 0);
    Registry reg(RegHive::LocalMachine);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Shared"));
    EXPECT_EQ(reg.GetValueNames().size(), 2u * kEach);
    EXPECT_EQ(reg.ReadInteger("b149"), 149);
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"akey", "bkey"}));
}

TEST(Registry, MachineHiveIsWritableOnlyForRoot) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to take another user's identity";
    const test::TempRoot root;
    ::chmod(root.path().c_str(), 0755);
    {
        Registry reg(RegHive::LocalMachine);
        ASSERT_TRUE(reg.OpenKey("\\Software\\Tavo", true));
        ASSERT_TRUE(reg.WriteString("Pfad", "/opt/tavo/"));
    }
    const pid_t child = Spawn([] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 10;
        Registry reg(RegHive::LocalMachine);
        if (!reg.OpenKeyReadOnly("\\Software\\Tavo")) return 1;  // reading works
        if (reg.ReadString("Pfad") != "/opt/tavo/") return 2;
        if (reg.OpenKey("\\Software\\Tavo", false)) return 3;  // write access is refused
        if (reg.CreateKey("\\Software\\Other")) return 4;
        if (reg.WriteString("Pfad", "changed")) return 5;
        return 0;
    });
    EXPECT_EQ(ExitCodeOf(child), 0);
    Registry reg(RegHive::LocalMachine);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Tavo"));
    EXPECT_EQ(reg.ReadString("Pfad"), "/opt/tavo/");
}

}  // namespace
}  // namespace tavo::platform
