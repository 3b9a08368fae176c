#include "shell/setup_state.h"

#include "foundation/app_info.h"
#include "foundation/command_line.h"
#include "platform/command_line.h"
#include "shell/temp_copy_restart.h"
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
    // The uninstaller restarted from its temporary copy starts while its starter still
    // holds the single-instance lock; it waits for that run's end instead of giving way.
    const std::string params = WithoutProgramPath(platform::ProcessCommandLine());
    if (HasSwitch("uninstall", params) && HasSwitch("secondrun", params))
        AwaitStarterEnd(kStarterEndWaitMs);
    if (!InitAppInfo(true)) return false;
    SwitchUiStyleOn(Qt::white);
    SetupState.clientLibraryLoaded = false;
    return true;
}

}  // namespace tavo
