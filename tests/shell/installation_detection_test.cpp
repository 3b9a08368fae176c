#include "shell/installation_detection.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/version_text.h"
#include "platform/registry.h"
#include "shell/installed_product.h"
#include "shell/setup_state.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

constexpr char kProductKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tavo";
constexpr char kSiblingKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarn";
constexpr char kServerKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MySQL5";
constexpr char kMySql50[] = "\\Software\\MySQL AB\\MySQL Server 5.0";
constexpr char kMySql51[] = "\\Software\\MySQL AB\\MySQL Server 5.1";

// One registry value; "{R}" in the value stands for the private root.
struct RegValue {
    std::string key;
    std::string name;
    std::string value;
};

std::string FillRoot(const test::TempRoot& root, const std::string& text) {
    std::string out = text;
    for (size_t at; (at = out.find("{R}")) != std::string::npos;) out.replace(at, 3, root.path());
    return out;
}

void Register(const test::TempRoot& root, const std::vector<RegValue>& values) {
    platform::Registry reg(platform::RegHive::LocalMachine);
    for (const auto& v : values) {
        ASSERT_TRUE(reg.OpenKey(v.key, true)) << v.key << ": " << reg.LastError();
        ASSERT_TRUE(reg.WriteString(v.name, FillRoot(root, v.value)));
        reg.CloseKey();
    }
}

// A program file: the stand-in product (with its version record) or an empty file.
void Place(const test::TempRoot& root, const std::string& relative, bool withVersion = false) {
    const std::string file = root.At(relative);
    fs::create_directories(fs::path(file).parent_path());
    if (withVersion) {
        fs::copy_file(TAVO_PRODUCT_BINARY, file, fs::copy_options::overwrite_existing);
    } else {
        test::WriteFile(file, "");
    }
}

class Detection : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        SetupState = {};
        SetupState.setupVersion = "2030.1 (Build 7)";
    }
    static std::string Log() { return AppInfo.LogBuffer.value_or(""); }
};

TEST_F(Detection, FindsProductsAndServersAsRegisteredWithTheirPrograms) {
    const std::string tavo = ProductProgramName();
    const std::string sarn = SiblingProgramName();
    const std::string mysqld = ServerProgramPath();
    const struct Case {
        const char* what;
        std::vector<RegValue> registry;
        std::vector<std::string> files;
        bool own, sibling;
        const char* softwarePath;  // relative to the root, "" when none
        const char* serverPath;
    } cases[] = {
        {"Pfad without the program file is not installed",
         {{kProductKey, "Pfad", "{R}/opt/Tavo/"}},
         {},
         false,
         false,
         "",
         ""},
        {"a program file of another spelling is not the product",
         {{kProductKey, "Pfad", "{R}/opt/Tavo/"}},
         {"opt/Tavo/tavo.exe"},
         false,
         false,
         "",
         ""},
        {"the product alone, Pfad without trailing separator",
         {{kProductKey, "Pfad", " {R}/opt/Tavo "}},
         {"opt/Tavo/" + tavo},
         true,
         false,
         "opt/Tavo/",
         ""},
        {"keys compare without regard to case",
         {{"\\SOFTWARE\\microsoft\\Windows\\CurrentVersion\\UNINSTALL\\TAVO", "pfad",
           "{R}/opt/Tavo/"}},
         {"opt/Tavo/" + tavo},
         true,
         false,
         "opt/Tavo/",
         ""},
        {"product and sibling: the sibling's folder wins",
         {{kProductKey, "Pfad", "{R}/opt/Tavo/"}, {kSiblingKey, "Pfad", "{R}/opt/Sarn/"}},
         {"opt/Tavo/" + tavo, "opt/Sarn/" + sarn},
         true,
         true,
         "opt/Sarn/",
         ""},
        {"the sibling alone",
         {{kSiblingKey, "Pfad", "{R}/opt/Sarn/"}},
         {"opt/Sarn/" + sarn},
         false,
         true,
         "opt/Sarn/",
         ""},
        {"an empty Pfad names no folder",
         {{kProductKey, "Pfad", ""}},
         {tavo},
         false,
         false,
         "",
         ""},
        {"5.0 Location without trailing separator is missed",
         {{kMySql50, "Location", "{R}/srv/my50"}},
         {"srv/my50/" + mysqld},
         false,
         false,
         "",
         ""},
        {"5.0 Location with trailing separator is found",
         {{kMySql50, "Location", "{R}/srv/my50/"}},
         {"srv/my50/" + mysqld},
         false,
         false,
         "",
         "srv/my50/"},
        {"5.1 Location without trailing separator is found",
         {{kMySql51, "Location", "{R}/srv/my51"}},
         {"srv/my51/" + mysqld},
         false,
         false,
         "",
         "srv/my51/"},
        {"5.1 overrides 5.0",
         {{kMySql50, "Location", "{R}/srv/my50/"}, {kMySql51, "Location", "{R}/srv/my51/"}},
         {"srv/my50/" + mysqld, "srv/my51/" + mysqld},
         false,
         false,
         "",
         "srv/my51/"},
        {"a server found through MySQL AB makes MySQL5 irrelevant",
         {{kMySql51, "Location", "{R}/srv/my51/"}, {kServerKey, "Pfad", "{R}/srv/own/"}},
         {"srv/my51/" + mysqld, "srv/own/" + mysqld},
         false,
         false,
         "",
         "srv/my51/"},
        {"MySQL5 is read when 5.0 and 5.1 give nothing",
         {{kMySql51, "Location", "{R}/srv/my51/"}, {kServerKey, "Pfad", "{R}/srv/own"}},
         {"srv/own/" + mysqld},
         false,
         false,
         "",
         "srv/own/"},
        {"MySQL5 alone",
         {{kServerKey, "Pfad", "{R}/srv/own/"}},
         {"srv/own/" + mysqld},
         false,
         false,
         "",
         "srv/own/"},
        {"a server folder without its program is no server",
         {{kServerKey, "Pfad", "{R}/srv/own/"}},
         {"srv/own/bin/mysql"},
         false,
         false,
         "",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempRoot root;  // a fresh registry and tree for every case
        Register(root, c.registry);
        for (const auto& file : c.files) Place(root, file);
        // Left-overs of an earlier detection are cleared.
        SetupState.productFound = SetupState.serverFound = SetupState.sameVersion = true;
        SetupState.softwarePath = SetupState.serverPath = "/alt/";

        checkinstalliert();

        const bool any = c.own || c.sibling;
        EXPECT_EQ(SetupState.productFound, any);
        EXPECT_EQ(SetupState.ownProductFound, c.own);
        EXPECT_EQ(SetupState.siblingFound, c.sibling);
        EXPECT_EQ(SetupState.softwarePath, *c.softwarePath ? root.At(c.softwarePath) : "");
        EXPECT_EQ(SetupState.serverFound, *c.serverPath != 0);
        EXPECT_EQ(SetupState.serverPath, *c.serverPath ? root.At(c.serverPath) : "");
        EXPECT_FALSE(SetupState.sameVersion);
    }
}

TEST_F(Detection, LogsItsFindingsInOneBlockAndComparesTheInstalledVersion) {
    const test::TempRoot root;
    Register(root, {{kProductKey, "Pfad", "{R}/opt/Tavo/"},
                    {kSiblingKey, "Pfad", "{R}/opt/Sarn/"},
                    {kMySql51, "Location", "{R}/srv/db"}});
    Place(root, "opt/Tavo/" + ProductProgramName(), true);
    Place(root, "opt/Sarn/" + SiblingProgramName());
    Place(root, "srv/db/" + ServerProgramPath());
    const std::string installed =
        FileVersionText(root.At("opt/Tavo/" + ProductProgramName()), true);
    ASSERT_FALSE(installed.empty());

    checkinstalliert();

    const std::string log = Log();
    const std::vector<std::string> lines = {
        "> checkinstalliert\r\n",
        installed + " neuer? - älter\r\n",
        " neuer? - älter\r\n",  // the sibling's empty file has no version: older
        "WexaTavo/WexaSarn:Ja/Ja\r\n",
        "Softwarepfad:" + root.At("opt/Sarn/") + "\r\n",
        "MySQL: Ja\r\n",
        "MySQLpfad: " + root.At("srv/db/") + "\r\n",
        "< checkinstalliert\r\n",
    };
    size_t at = 0;
    for (const auto& line : lines) {
        const size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing in order: " << line << "\n" << log;
        at = found + line.size();
    }
}

TEST_F(Detection, NothingInstalledIsLoggedAsSuch) {
    const test::TempRoot root;
    checkinstalliert();
    const std::string log = Log();
    EXPECT_NE(log.find("WexaTavo/WexaSarn:Nein/Nein\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("MySQL: Nein\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Softwarepfad:"), std::string::npos);
    EXPECT_EQ(log.find("MySQLpfad:"), std::string::npos);
    EXPECT_FALSE(SetupState.productFound || SetupState.serverFound);
}

TEST(CompareInstalledVersion, JudgesTheSetupAgainstTheInstalledVersion) {
    const struct {
        const char* setup;
        const char* installed;
        bool newer, same;
        const char* word;
    } cases[] = {
        {"2026.12 (Build 1)", "2026.12 (Build 1)", false, true, "gleich"},
        {"2026.12 (Build 2)", "2026.12 (Build 1)", true, false, "älter"},
        {"2026.12.1 (Build 1)", "2026.12 (Build 9)", true, false, "älter"},
        {"2026.11 (Build 9)", "2026.12 (Build 1)", false, false, "ja"},
        {"?", "2026.12 (Build 1)", false, false, "ja"},  // an unreadable setup version is old
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.setup) + " against " + c.installed);
        test::ResetFoundationState();
        SetupState = {};
        SetupState.setupVersion = c.setup;
        CompareInstalledVersion(c.installed);
        EXPECT_EQ(SetupState.setupNewer, c.newer);
        EXPECT_EQ(SetupState.sameVersion, c.same);
        EXPECT_EQ(AppInfo.LogBuffer.value_or(""),
                  std::string(c.installed) + " neuer? - " + c.word + "\r\n");
    }
}

}  // namespace
}  // namespace tavo
