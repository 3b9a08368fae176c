#include "shell/installation_detection.h"

#include <optional>

#include "foundation/file_ops.h"
#include "foundation/folder_ops.h"
#include "foundation/log.h"
#include "foundation/version_text.h"
#include "platform/registry.h"
#include "shell/installed_product.h"
#include "shell/setup_state.h"

namespace tavo {
namespace {

constexpr char kMySqlKey[] = "\\Software\\MySQL AB";
constexpr char kMySql50Key[] = "\\Software\\MySQL AB\\MySQL Server 5.0";
constexpr char kMySql51Key[] = "\\Software\\MySQL AB\\MySQL Server 5.1";

const char* YesNo(bool value) {
    return value ? "Ja" : "Nein";
}

// A string value of a machine key; nothing when the key is missing, does not open or the
// value is missing or empty (an empty path would name the working folder).
std::optional<std::string> MachineValue(std::string_view key, const std::string& name) {
    platform::Registry reg(platform::RegHive::LocalMachine);
    const std::string path(key);
    if (!reg.KeyExists(path) || !reg.OpenKeyReadOnly(path)) return std::nullopt;
    auto value = reg.ReadString(name);
    reg.CloseKey();
    if (!value || value->empty()) return std::nullopt;
    return value;
}

bool MachineKeyExists(const std::string& key) {
    platform::Registry reg(platform::RegHive::LocalMachine);
    return reg.KeyExists(key);
}

// The folder of a product registered under key, when its program file is there.
std::optional<std::string> InstalledProgramFolder(std::string_view key,
                                                  const std::string& program) {
    const auto value = MachineValue(key, "Pfad");
    if (!value) return std::nullopt;
    const std::string folder = NormalizeFolder(*value);
    if (!FileExistsW(folder + program)) return std::nullopt;
    return folder;
}

void FindProducts() {
    if (const auto folder = InstalledProgramFolder(kProductUninstallKey, ProductProgramName())) {
        SetupState.softwarePath = *folder;
        SetupState.productFound = true;
        SetupState.ownProductFound = true;
        CompareInstalledVersion(FileVersionText(*folder + ProductProgramName(), true));
    }
    // With both installed the sibling's values win.
    if (const auto folder = InstalledProgramFolder(kSiblingUninstallKey, SiblingProgramName())) {
        SetupState.softwarePath = *folder;
        SetupState.productFound = true;
        SetupState.siblingFound = true;
        CompareInstalledVersion(FileVersionText(*folder + SiblingProgramName(), true));
    }
    WriteLog(std::string("WexaTavo/WexaSarn:") + YesNo(SetupState.ownProductFound) + "/" +
             YesNo(SetupState.siblingFound));
    if (SetupState.productFound) WriteLog("Softwarepfad:" + SetupState.softwarePath);
}

void TakeServer(const std::string& folder) {
    SetupState.serverPath = folder;
    SetupState.serverFound = true;
}

void FindServer() {
    const std::string program = ServerProgramPath();
    if (MachineKeyExists(kMySqlKey)) {
        // The 5.0 location is tested as read: without its trailing separator it is missed.
        if (const auto location = MachineValue(kMySql50Key, "Location");
            location && FileExistsW(*location + program))
            TakeServer(NormalizeFolder(*location));
        if (const auto location = MachineValue(kMySql51Key, "Location")) {
            const std::string folder = NormalizeFolder(*location);
            if (FileExistsW(folder + program)) TakeServer(folder);
        }
    }
    if (!SetupState.serverFound) {
        if (const auto path = MachineValue(kServerUninstallKey, "Pfad")) {
            const std::string folder = NormalizeFolder(*path);
            if (FileExistsW(folder + program)) TakeServer(folder);
        }
    }
    WriteLog(std::string("MySQL: ") + YesNo(SetupState.serverFound));
    if (SetupState.serverFound) WriteLog("MySQLpfad: " + SetupState.serverPath);
}

void ClearDetection() {
    SetupState.productFound = false;
    SetupState.siblingFound = false;
    SetupState.ownProductFound = false;
    SetupState.setupNewer = false;
    SetupState.sameVersion = false;
    SetupState.softwarePath.clear();
    SetupState.serverFound = false;
    SetupState.serverPath.clear();
}

}  // namespace

void CompareInstalledVersion(const std::string& installedVersion) {
    SetupState.setupNewer = IsNewerVersion(SetupState.setupVersion, installedVersion);
    SetupState.sameVersion = installedVersion == SetupState.setupVersion;
    const char* result = SetupState.sameVersion ? "gleich" : SetupState.setupNewer ? "älter" : "ja";
    WriteLog(installedVersion + " neuer? - " + result);
}

void checkinstalliert() {
    WriteLog("checkinstalliert", 1);
    ClearDetection();
    FindProducts();
    FindServer();
    WriteLog("checkinstalliert", -1);
}

}  // namespace tavo
