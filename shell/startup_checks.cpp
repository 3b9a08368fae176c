#include "shell/startup_checks.h"

#include <string>

#include "foundation/app_info.h"
#include "foundation/command_line.h"
#include "foundation/dialogs.h"
#include "foundation/rights.h"
#include "platform/named_lock.h"
#include "shell/directory_access.h"
#include "shell/installed_product.h"
#include "shell/mainform.h"
#include "shell/setup_state.h"
#include "shell/stop_with_message.h"
#include "shell/temp_copy_restart.h"

namespace tavo {
namespace {

constexpr char kRegistryDenied[] =
    "Der Zugriff auf die Windows-Registry ist nicht erlaubt.\r\n"
    "Bitte überprüfen Sie Ihre Rechte. Für die Installation des Programms sind "
    "Administratorrechte erforderlich.";

std::string CloseProductQuestion() {
    const std::string& name = SetupState.shortName;
    return "Bitte schliessen Sie das Programm %a, bevor Sie " +
           std::string(SetupState.installMode ? "das Setup" : "die Deinstallation") +
           " fortführen.\r\n"
           "Eventuell ist das Programmlogo noch in der Taskleiste sichtbar. "
           "Alternativ entfernen Sie zuerst den Link aus dem \r\n"
           "Windowsmenü Start-Programme-Autostart-" +
           name + " und starten danach den PC neu.|" + name;
}

// Asks until the product has been closed; false when the user chose to end.
bool ProductClosedOrEnd() {
    while (IsProductRunning()) {
        const int answer = AskUserTitled("Programme beenden", CloseProductQuestion(),
                                         kKindConfirmation, "wiederholen|beenden", bi_none);
        if (answer != 0) {
            OrderlyEnd();
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsProductRunning() {
    return platform::NamedLock::IsHeld(ProductLockName());
}

bool StartupChecks() {
    if (!TestRegistryWrite()) {
        StopWithMessage(kRegistryDenied, true);
        return false;
    }
    if (const std::string error = TestDirectoryAccess(AppInfo.TempDir); !error.empty()) {
        StopWithMessage("Fehler im temporären Verzeichnis " + AppInfo.TempDir + ": " + error, true);
        return false;
    }
    if (!ProductClosedOrEnd()) return false;
    if (!SetupState.installMode && HasSwitch("secondrun") && RestartFromTempCopy()) {
        OrderlyEnd();
        return false;
    }
    return true;
}

}  // namespace tavo
