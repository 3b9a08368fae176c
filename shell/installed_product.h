#pragma once

#include <string>
#include <string_view>

#include "platform/names.h"

namespace tavo {

// What the setup relies on from the product it installs (and from its sibling), in one
// place. Program and library names take this platform's form: no ".exe", ".so" libraries.

// The product's short name: its program's base name, the name of the lock it holds while it
// runs, its uninstall key and the base name of its settings file.
inline constexpr std::string_view kProductShortName = "Tavo";
inline constexpr std::string_view kProductLongName = "Zelvo Verbindomat";
// The name an older installation may still hold the program under.
inline constexpr std::string_view kOldProductBaseName = "mox";
// The sibling product, installed side by side with its own uninstall key.
inline constexpr std::string_view kSiblingShortName = "Sarn";

// The switches with which the setup and its links start the product.
inline constexpr std::string_view kProductSwitchSetup = "/setup";    // second part of the setup
inline constexpr std::string_view kProductSwitchRemote = "/remote";  // remote support
inline constexpr std::string_view kProductSwitchRepair = "/repair";  // database repair
inline constexpr std::string_view kProductSwitchLog = "/L";          // log mode

// The files of the product's folder that the uninstall list names although the setup does
// not write them: the product may create them.
inline constexpr std::string_view kProductHelpFile = "sarn.chm";

inline std::string ProductProgramName() {
    return platform::ExecutableName(kProductShortName);
}
inline std::string OldProductProgramName() {
    return platform::ExecutableName(kOldProductBaseName);
}
inline std::string SiblingProgramName() {
    return platform::ExecutableName(kSiblingShortName);
}
// The name of the lock the running product holds.
inline std::string ProductLockName() {
    return std::string(kProductShortName);
}
inline std::string ProductSettingsFileName() {
    return std::string(kProductShortName) + ".ini";
}
inline std::string ProductLogFileName() {
    return std::string(kProductShortName) + ".log";
}
inline std::string ProductOldFileName() {
    return std::string(kProductShortName) + ".old";
}

// Uninstall keys under HKEY_LOCAL_MACHINE: the product's, the sibling's and the database
// server's that this setup writes.
inline constexpr std::string_view kProductUninstallKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tavo";
inline constexpr std::string_view kSiblingUninstallKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarn";
inline constexpr std::string_view kServerUninstallKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MySQL5";

// The client library as the setup places and loads it.
inline std::string ClientLibraryFileName() {
    return platform::LibraryName("libmysql");
}

// The database server's program, relative to the server folder.
inline std::string ServerProgramPath() {
    return "bin/" + platform::ExecutableName("mysqld");
}

}  // namespace tavo
