#include "tests/support/temp_root.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "foundation/app_info.h"
#include "foundation/log.h"

namespace tavo::test {
namespace {

void Remember(const char* name, std::string& value, bool& had) {
    const char* current = std::getenv(name);
    had = current != nullptr;
    value = current ? current : "";
}

void Restore(const char* name, const std::string& value, bool had) {
    if (had)
        ::setenv(name, value.c_str(), 1);
    else
        ::unsetenv(name);
}

}  // namespace

TempRoot::TempRoot() {
    Remember("TAVO_ROOT", oldRoot_, hadRoot_);
    Remember("TMPDIR", oldTmp_, hadTmp_);
    Remember("HOME", oldHome_, hadHome_);
    std::string pattern = (std::filesystem::temp_directory_path() / "tavo-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    std::filesystem::create_directories(path_ + "/tmp");
    std::filesystem::create_directories(path_ + "/home/tester");
    ::setenv("TAVO_ROOT", path_.c_str(), 1);
    ::setenv("TMPDIR", (path_ + "/tmp/").c_str(), 1);
    // HOME stays a plain path; the root prefix is put in front of it where it is used.
    ::setenv("HOME", "/home/tester", 1);
}

TempRoot::~TempRoot() {
    Restore("TAVO_ROOT", oldRoot_, hadRoot_);
    Restore("TMPDIR", oldTmp_, hadTmp_);
    Restore("HOME", oldHome_, hadHome_);
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string TempRoot::At(const std::string& relative) const {
    return path_ + "/" + relative;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

void ResetFoundationState() {
    AppInfo = TAppInfo{};
    ParamText.clear();
    Terminating = false;
    Separators = CapturedSeparators{};
    LogDepth = 0;
    PendingLogText.clear();
    LogBufferSwitchLookedUp = false;
}

void UseSetupIdentity() {
    AppInfo.ProgramName = "tavosetup";
    AppInfo.ProgramTitle = "Zelvo Verbindomat - Setup";
    AppInfo.ProgramVersionText = "2026.12 Build 1";
    AppInfo.MakerName = "Zelvo";
    AppInfo.MakerSupportAddress = "support@zelvo.example";
    AppInfo.MakerSuggestionAddress = "vorschlag@zelvo.example";
}

}  // namespace tavo::test
