#include "foundation/links.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "platform/process.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class Links : public testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    test::TempRoot root_;
};

// desktop-file-validate exits 0 for a valid entry (and prints nothing).
int Validate(const std::string& path) {
    const auto started = platform::SpawnProgram("desktop-file-validate", {path}, "", false);
    if (started.pid < 0) return -1;
    for (;;) {
        if (const auto code = platform::PollExit(started.pid)) return *code;
        ::usleep(10000);
    }
}

TEST_F(Links, SpecialFoldersHangUnderTheRoot) {
    const struct {
        int number;
        std::string folder;
    } cases[] = {
        {2, root_.At("home/tester/.local/share/applications/")},
        {7, root_.At("home/tester/.config/autostart/")},
        {16, root_.At("home/tester/Desktop/")},
        {23, root_.At("usr/local/share/applications/")},
        {24, root_.At("etc/xdg/autostart/")},
        {25, ""},
        {99, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpecialFolder(c.number), c.folder) << c.number;
        if (!c.folder.empty()) EXPECT_TRUE(fs::is_directory(c.folder)) << c.number;
    }
}

TEST_F(Links, ProgramLinksAreValidDesktopEntries) {
    const std::string program = root_.At("opt/tavo/Tavo");
    fs::create_directories(root_.At("opt/tavo"));
    test::WriteFile(program, "#!/bin/sh\n");
    ::chmod(program.c_str(), 0755);
    const std::string link = SpecialFolder(2) + "Zelvo Verbindomat Fernwartung.desktop";
    ASSERT_TRUE(CreateWinLink(program, link, root_.At("opt/tavo/"), "/remote \"a b\" 100%"));
    const std::string text = test::ReadFile(link);
    EXPECT_NE(text.find("Name=Zelvo Verbindomat Fernwartung\n"), std::string::npos);
    EXPECT_NE(text.find("Exec=" + program + " /remote \"a b\" \"100%%\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Path=" + root_.At("opt/tavo") + "\n"), std::string::npos);
    if (platform::FindProgram("desktop-file-validate").empty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    EXPECT_EQ(Validate(link), 0) << text;

    const std::string web = SpecialFolder(16) + "Homepage besuchen.DESKTOP";
    ASSERT_TRUE(CreateWinLink("http://www.zelvo.de", web, "", ""));
    EXPECT_NE(test::ReadFile(web).find("Type=Link\nURL=http://www.zelvo.de\n"), std::string::npos);
}

TEST_F(Links, AWrongExtensionIsAnInternalError) {
    test::ScriptedPrompts prompts;
    prompts.ExpectErrorReport({"Endung .DESKTOP fehlt", {}});
    EXPECT_FALSE(CreateWinLink("/bin/true", root_.At("x.lnk"), "", ""));
    EXPECT_FALSE(fs::exists(root_.At("x.lnk")));
}

TEST_F(Links, NoLinkWithoutItsFolder) {
    const fs::path here = fs::current_path();
    fs::current_path(root_.path());
    // The all-users desktop does not exist here: the name alone must not become a file.
    EXPECT_FALSE(CreateWinLink("/bin/true", SpecialFolder(25) + "Tavo.desktop", "", ""));
    EXPECT_FALSE(fs::exists(root_.At("Tavo.desktop")));
    EXPECT_FALSE(CreateWinLink("/bin/true", root_.At("no/such/Tavo.desktop"), "", ""));
    fs::current_path(here);
}

}  // namespace
}  // namespace tavo
