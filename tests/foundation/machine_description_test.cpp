#include "foundation/machine_description.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "platform/machine_info.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

class MachineDescription : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        ForgetMachineDescription();
        std::filesystem::create_directories(root_.At("etc"));
    }
    void TearDown() override { ForgetMachineDescription(); }

    static std::string Kernel() {
        utsname info{};
        return ::uname(&info) == 0 ? info.release : "";
    }

    test::TempRoot root_;
};

TEST(OsReleaseValue, ReadsKeysWithAndWithoutQuotes) {
    const std::string content =
        "NAME=\"Debian GNU/Linux\"\nVERSION='12 (bookworm)'\nID=debian\n"
        "PRETTY_NAME_EXTRA=x\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nEMPTY=\n";
    const struct {
        const char* key;
        const char* value;
    } cases[] = {
        {"NAME", "Debian GNU/Linux"},
        {"VERSION", "12 (bookworm)"},
        {"ID", "debian"},
        {"PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"},  // not taken for PRETTY_NAME_EXTRA
        {"EMPTY", ""},
        {"MISSING", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::OsReleaseValue(content, c.key), c.value) << c.key;
}

TEST(CpuInfoValue, ReadsTheFirstFieldOfThatName) {
    const std::string content =
        "processor\t: 0\nmodel name\t: Intel(R) Xeon(R) CPU  @ 2.20GHz\ncpu MHz\t\t: 2199.998\n"
        "\nprocessor\t: 1\nmodel name\t: other\n";
    EXPECT_EQ(platform::CpuInfoValue(content, "model name"), "Intel(R) Xeon(R) CPU  @ 2.20GHz");
    EXPECT_EQ(platform::CpuInfoValue(content, "cpu MHz"), "2199.998");
    EXPECT_EQ(platform::CpuInfoValue(content, "processor"), "0");
    EXPECT_EQ(platform::CpuInfoValue(content, "model"), "");
}

TEST_F(MachineDescription, OsNameIsComputedOnceAndCached) {
    test::WriteFile(root_.At("etc/os-release"), "NAME=Testix\nPRETTY_NAME=\"Testix 7 (Probe)\"\n");
    const std::string first = OsName();
    EXPECT_EQ(first, "Testix 7 (Probe) Kernel " + Kernel());
    test::WriteFile(root_.At("etc/os-release"), "PRETTY_NAME=\"Anderes 8\"\n");
    EXPECT_EQ(OsName(), first);  // the platform is not asked again
    ForgetMachineDescription();
    EXPECT_EQ(OsName(), "Anderes 8 Kernel " + Kernel());
}

TEST_F(MachineDescription, OsNameFallsBackToNameAndVersionAndToLinux) {
    test::WriteFile(root_.At("etc/os-release"), "NAME=Testix\nVERSION=\"9 (Neu)\"\n");
    EXPECT_EQ(OsName(), "Testix 9 (Neu) Kernel " + Kernel());
    ForgetMachineDescription();
    std::filesystem::remove(root_.At("etc/os-release"));
    EXPECT_EQ(OsName(), "Linux Kernel " + Kernel());
}

TEST_F(MachineDescription, Is64BitWindowsFollowsTheVariable) {
    ASSERT_EQ(std::getenv("ProgramW6432"), nullptr);
    EXPECT_FALSE(Is64BitWindows());
    ::setenv("ProgramW6432", "C:\\Program Files", 1);
    EXPECT_TRUE(Is64BitWindows());
    ::unsetenv("ProgramW6432");
    EXPECT_FALSE(Is64BitWindows());
}

TEST_F(MachineDescription, ProcessorNameIsCleanedUp) {
    const std::string name = ProcessorName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find("Processor"), std::string::npos) << name;
    EXPECT_EQ(name.find("  "), std::string::npos) << name;
    EXPECT_NE(name.front(), ' ');
    EXPECT_NE(name.back(), ' ');
}

TEST_F(MachineDescription, ProcessorCountAndClockRate) {
    EXPECT_EQ(ProcessorCount(), static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
    const int mhz = ProcessorMHz(std::chrono::milliseconds(50));
    if (platform::HasTimeStampCounter() || platform::KernelCpuMHz() > 0) {
        EXPECT_GT(mhz, 100);
        EXPECT_LT(mhz, 20000);
    }
    const int measured = MeasuredProcessorMHz(std::chrono::milliseconds(20));
    EXPECT_GT(measured, 0);
    EXPECT_EQ(MeasuredProcessorMHz(std::chrono::milliseconds(20)), measured);
}

TEST_F(MachineDescription, MemoryFigures) {
    const std::uint64_t total = PhysicalMemory(true);
    const std::uint64_t available = PhysicalMemory(false);
    EXPECT_GT(total, 64u << 20);
    EXPECT_GT(available, 0u);
    EXPECT_LE(available, total);
}

TEST_F(MachineDescription, WorkingSetGrowsWithTouchedMemory) {
    const std::uint64_t before = WorkingSetSize();
    ASSERT_GT(before, 0u);
    std::vector<char> block(64u << 20, 1);
    const std::uint64_t after = WorkingSetSize();
    EXPECT_GE(after, before + (48u << 20)) << "block at " << static_cast<void*>(block.data());
}

TEST_F(MachineDescription, SessionIdIsTheLoginSessionOrZero) {
    const std::string text = test::ReadFile("/proc/self/sessionid");
    const unsigned long long raw = text.empty() ? 0 : std::stoull(text);
    EXPECT_EQ(SessionId(), raw >= 0xFFFFFFFFull ? 0u : raw);
    EXPECT_EQ(SessionId(), SessionId());
}

}  // namespace
}  // namespace tavo
