#include "shell/temp_copy_restart.h"

#include <chrono>
#include <thread>

#include "foundation/app_info.h"
#include "foundation/file_ops.h"
#include "foundation/shell_start.h"
#include "platform/folders.h"
#include "platform/named_lock.h"
#include "platform/names.h"
#include "services/file_copy.h"

namespace tavo {

bool RestartFromTempCopy() {
    const std::string target = AppInfo.TempDir + platform::ExecutableName(AppInfo.ProgramName);
    if (!CopyFileSimple(platform::ProgramFile(), target, 0, true) || !FileExistsW(target))
        return false;
    // Only a copy that really started carries on; otherwise this run goes on in place.
    return StarteDateiP(target, ParamText + " /secondrun", true);
}

bool AwaitStarterEnd(int limitMs) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(limitMs);
    while (platform::NamedLock::IsHeld(AppInfo.ProgramName)) {
        if (steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
}

}  // namespace tavo
