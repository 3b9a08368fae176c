#include "shell/temp_copy_restart.h"

#include <chrono>
#include <filesystem>
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
    const std::string source = platform::ProgramFile();
    const std::string target = AppInfo.TempDir + platform::ExecutableName(AppInfo.ProgramName);
    if (!CopyFileSimple(source, target, 0, true) || !FileExistsW(target)) return false;
    // The copy must stay a program, or the start would open it as a document.
    std::error_code ec;
    std::filesystem::permissions(target, std::filesystem::status(source, ec).permissions(), ec);
    if (ec) return false;
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
