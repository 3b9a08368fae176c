#include "shell/setup_state.h"

#include "foundation/app_info.h"
#include "ui/ui_style.h"

namespace tavo {

TSetupState SetupState;

bool InitSetupUnit() {
    AppInfo.ProgramName = "tavosetup";
    SetupState.shortName = "Tavo";
    SetupState.longName = "Zelvo Verbindomat";
    AppInfo.ProgramTitle = SetupState.longName + " - Setup";
    AppInfo.LogAlways = true;
    AppInfo.CollectTexts = true;
    AppInfo.UnicodeMode = false;
    if (!InitAppInfo(true)) return false;
    SwitchUiStyleOn(Qt::white);
    SetupState.clientLibraryLoaded = false;
    return true;
}

}  // namespace tavo
