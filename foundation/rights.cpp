#include "foundation/rights.h"

#include "foundation/dialogs.h"
#include "foundation/text.h"
#include "platform/identity.h"
#include "platform/process_list.h"
#include "platform/registry.h"

namespace tavo {
namespace {

constexpr char kTestName[] = "TESTKey";
constexpr char kTestValue[] = "TESTValue";
constexpr size_t kProcessLimit = 20001;

bool UserProbe() {
    platform::Registry reg(platform::RegHive::CurrentUser);
    if (!reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", true)) return false;
    reg.WriteString(kTestName, kTestValue);
    const auto back = reg.ReadString(kTestName);
    reg.DeleteValue(kTestName);
    return back == kTestValue;
}

bool MachineProbe() {
    const std::string key =
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WEXATEST_TEST";
    platform::Registry reg(platform::RegHive::LocalMachine);
    if (!reg.KeyExists(key)) {
        if (!reg.OpenKey(key, true)) return false;
        reg.WriteString(kTestName, kTestValue);
    } else if (!reg.OpenKeyReadOnly(key)) {
        return false;
    }
    const auto back = reg.ReadString(kTestName);
    reg.CloseKey();
    reg.DeleteKey(key);
    return back == kTestValue;
}

}  // namespace

bool TestRegistryWrite() {
    const bool user = UserProbe();
    const bool machine = MachineProbe();
    return user && machine;
}

bool IsAdministrator() {
    return platform::IsAdministrator();
}

bool IsNewerThanVista() {
    return true;
}

std::string RunningProcessNames() {
    const auto names = platform::RunningProcessFileNames(kProcessLimit);
    if (!names) {
        ShowNotice("ProzessID-Array zu klein", bi_none);
        return {};
    }
    std::string list;
    for (const std::string& name : *names) list += name + "|";
    return list;
}

bool IsProcessRunning(const std::string& name) {
    const std::string wanted = Trim(name);
    if (wanted.empty()) return false;
    return ContainsText("|" + wanted + "|", "|" + RunningProcessNames() + "|");
}

}  // namespace tavo
