#include "shell/setup_version.h"

#include <filesystem>

#include "foundation/app_info.h"
#include "foundation/log.h"
#include "foundation/version_text.h"
#include "payload/payload_frames.h"
#include "platform/names.h"
#include "shell/setup_state.h"

namespace tavo {

std::string ReadSetupVersion() {
    const std::string file = AppInfo.TempDir + platform::ExecutableName(SetupState.shortName);
    const bool saved = SaveMainProgram(file);
    const std::string version = saved ? FileVersionText(file, true) : "?";
    // Also a half-written file goes again.
    std::error_code ec;
    std::filesystem::remove(file, ec);
    return version;
}

void ProbeVersion() {
    SetupState.setupVersion = ReadSetupVersion();
    AppInfo.ProgramVersionText = SetupState.setupVersion;
    SetupState.displayName = SetupState.longName + " " + SetupState.setupVersion;
    WriteLog("Version: " + SetupState.displayName);
}

}  // namespace tavo
