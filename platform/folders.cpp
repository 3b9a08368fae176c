#include "platform/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/root.h"

namespace tavo::platform {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// $HOME as the user's shell sees it, without the root prefix.
std::string RawHome() {
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::geteuid())) home = pw->pw_dir ? pw->pw_dir : "";
    }
    return home.empty() ? "/" : home;
}

// Reads one XDG_..._DIR from user-dirs.dirs ("$HOME/..." or an absolute path).
std::string XdgUserDirFromConfig(const std::string& configHome, const std::string& name) {
    std::ifstream in(configHome + "user-dirs.dirs");
    const std::string key = name + "=";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = RawHome() + value.substr(5);
        return value;
    }
    return {};
}

std::string RawConfigHome() {
    const std::string xdg = Env("XDG_CONFIG_HOME");
    return WithTrailingSlash(xdg.empty() ? WithTrailingSlash(RawHome()) + ".config" : xdg);
}

// An XDG user folder under the root; the fallback (below the home folder) when unset.
std::string XdgUserFolder(const std::string& name, const std::string& fallback) {
    const std::string dir = XdgUserDirFromConfig(UnderRoot(RawConfigHome()), name);
    // A value of fewer than three characters names no real folder.
    if (dir.size() < 3) return HomeFolder() + fallback;
    return WithTrailingSlash(UnderRoot(dir));
}

std::string RawDataHome() {
    const std::string xdg = Env("XDG_DATA_HOME");
    return WithTrailingSlash(xdg.empty() ? WithTrailingSlash(RawHome()) + ".local/share" : xdg);
}

}  // namespace

std::string TempFolder() {
    const std::string tmp = Env("TMPDIR");
    if (!tmp.empty()) return WithTrailingSlash(tmp);
    const std::string folder = UnderRoot("/tmp/");
    MakeFolders(folder);
    return folder;
}

std::string ProgramFilesFolder() {
    return UnderRoot("/opt/");
}

std::string WindowsFolder() {
    return UnderRoot("/etc/");
}

std::string HomeFolder() {
    return WithTrailingSlash(UnderRoot(RawHome()));
}

std::string DocumentsFolder() {
    return XdgUserFolder("XDG_DOCUMENTS_DIR", "");
}

std::string AppDataFolder() {
    return UnderRoot(RawConfigHome());
}

std::string SpecialFolderPath(int number) {
    switch (number) {
        case 2:
            return UnderRoot(RawDataHome()) + "applications/";
        case 7:
            return AppDataFolder() + "autostart/";
        case 16:
            return XdgUserFolder("XDG_DESKTOP_DIR", "Desktop/");
        case 23:
            return UnderRoot("/usr/local/share/applications/");
        case 24:
            return UnderRoot("/etc/xdg/autostart/");
        default:
            return {};  // 25: all users share no desktop folder here
    }
}

std::string ProgramFile() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string ProgramFolder() {
    const std::string file = ProgramFile();
    const auto slash = file.rfind('/');
    return slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1);
}

bool CanCreateAndDelete(const std::string& folder) {
    const std::string probe = WithTrailingSlash(folder) + "test.$$$";
    {
        std::ofstream out(probe, std::ios::trunc);
        if (!out) return false;
    }
    return ::unlink(probe.c_str()) == 0;
}

}  // namespace tavo::platform
