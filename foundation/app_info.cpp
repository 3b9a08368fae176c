#include "foundation/app_info.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "foundation/command_line.h"
#include "foundation/dates.h"
#include "foundation/log.h"
#include "foundation/startup_report.h"
#include "foundation/text.h"
#include "platform/command_line.h"
#include "platform/folders.h"
#include "platform/identity.h"
#include "platform/instance_channel.h"
#include "platform/locked_append.h"
#include "platform/named_lock.h"
#include "platform/registry.h"
#include "platform/version_record.h"

namespace tavo {

TAppInfo AppInfo;
std::string ParamText;
bool Terminating = false;
CapturedSeparators Separators;

namespace {

// The single-instance lock and the channel on which a second start reaches us.
std::optional<platform::NamedLock> instanceLock;
std::optional<platform::InstanceListener> instanceListener;

void TakeVersion() {
    const auto version = platform::ReadFileVersion(platform::ProgramFile());
    const platform::FileVersion v = version.value_or(platform::FileVersion{});
    AppInfo.VersionNumber = v.major * 100 + v.minor;
    AppInfo.VersionShort = std::to_string(v.major) + "." + std::to_string(v.minor);
    AppInfo.ProgramVersionText = AppInfo.VersionShort;
    if (v.release != 0) AppInfo.ProgramVersionText += "." + std::to_string(v.release);
    AppInfo.ProgramVersionText += " Build " + std::to_string(v.build);
    AppInfo.TitleWithVersion = AppInfo.ProgramTitle + " " + AppInfo.VersionShort;
}

std::string OrDash(const std::string& value) {
    return value.empty() ? "-" : value;
}

void TakeRestartSource() {
    const std::string restart = GetSwitchValue("restart", ParamText);
    std::error_code ec;
    if (!restart.empty() && restart != "true" && std::filesystem::is_regular_file(restart, ec))
        AppInfo.RestartSource = restart;
}

void TakeProgramFile() {
    const std::string file = platform::ProgramFile();
    AppInfo.ProgramDir = platform::ProgramFolder();
    AppInfo.ExeFileName = file.substr(file.rfind('/') + 1);
    if (AppInfo.ProgramName.empty()) {
        const std::string name = AppInfo.ExeFileName;
        AppInfo.ProgramName = LowerCase(name.substr(0, name.rfind('.')));
    }
}

// False when another instance holds the lock; that one has been asked to come forward.
bool TakeSingleInstance() {
    instanceLock = platform::NamedLock::TryAcquire(AppInfo.ProgramName);
    if (!instanceLock) {
        platform::RequestActivation(platform::NamedLock::PathFor(AppInfo.ProgramName));
        return false;
    }
    instanceListener = platform::InstanceListener::Listen(instanceLock->path());
    return true;
}

void CreateRunLog() {
    AppInfo.LogToFile = AppInfo.LogAlways || HasSwitch("L", ParamText);
    AppInfo.SqlLogEnabled = true;
    if (!AppInfo.LogToFile) return;
    ParamText = RemoveLogSwitch(ParamText);
    if (!platform::CreateEmptyFile(AppInfo.LogFilePath)) AppInfo.LogToFile = false;
}

// The user's text cursor blink time, when the desktop settings key can be opened.
void TakeCursorBlinkRate() {
    platform::Registry reg(platform::RegHive::CurrentUser);
    if (!reg.OpenKeyReadOnly("\\Control Panel\\Desktop")) return;
    std::int64_t rate = 0;
    if (const auto number = reg.ReadInteger("CursorBlinkRate")) {
        rate = *number;
    } else if (const auto text = reg.ReadString("CursorBlinkRate")) {
        try {
            size_t used = 0;
            rate = std::stoll(*text, &used);
            if (used != text->size()) rate = 0;
        } catch (const std::exception&) {
            rate = 0;
        }
    }
    AppInfo.CursorBlinkRate = static_cast<std::int32_t>(std::clamp<std::int64_t>(rate, 100, 60000));
}

void TakeRegionalSettings() {
    const platform::RegionalSeparators seps = platform::CaptureSeparators();
    Separators = CapturedSeparators{seps.decimal, seps.thousands, seps.date};
}

void TakeMakerStrings() {
    AppInfo.MakerWebAddress = "www.zelvo.de";
    AppInfo.MakerName = "Zelvo";
    AppInfo.MakerSupportAddress = "support@zelvo.de";
    AppInfo.MakerSuggestionAddress = "ideen@zelvo.de";
}

}  // namespace

bool InitAppInfo(bool singleInstance) {
    AppInfo.StartTicks = TickCount();
    AppInfo.StartTime = NowDateTime();
    if (AppInfo.ProgramTitle.empty()) AppInfo.ProgramTitle = AppInfo.ProgramName;
    TakeVersion();
    AppInfo.UserName = OrDash(platform::UserName());
    AppInfo.ComputerName = OrDash(platform::ComputerName());
    ParamText = WithoutProgramPath(platform::ProcessCommandLine());
    TakeRestartSource();
    TakeProgramFile();
    AppInfo.TempDir = platform::TempFolder();
    if (singleInstance && !HasSwitch("restart", ParamText) && !TakeSingleInstance()) {
        Terminating = true;
        return false;
    }
    AppInfo.WindowsDir = platform::WindowsFolder();
    AppInfo.ProgramFilesDir = platform::ProgramFilesFolder();
    AppInfo.PersonalDir = platform::DocumentsFolder();
    TakeCursorBlinkRate();
    AppInfo.HomeDir = platform::HomeFolder();
    AppInfo.LogDir = AppInfo.ProgramDir;
    AppInfo.AppDataDir = platform::AppDataFolder();
    AppInfo.LogDir = ProbeLogDir(LogDirCandidates(), AppInfo.TempDir);
    AppInfo.LogFilePath = MakeLogFilePath(AppInfo.LogDir, AppInfo.ProgramName, AppInfo.StartTime);
    CreateRunLog();
    WriteStartupReportOpening();
    TakeRegionalSettings();
    WriteStartupReportDateFormat();
    AppInfo.TimeZone = platform::CaptureTimeZone();
    TakeMakerStrings();
    WriteStartupReportClosing();
    return true;
}

void FinishAppInfo() {
    Terminating = true;
    AppInfo.TimeZone.reset();
    WriteStartupReportEnd();
    instanceListener.reset();
    instanceLock.reset();
    AppInfo.LogBuffer.reset();
}

int InstanceActivationFd() {
    return instanceListener ? instanceListener->fd() : -1;
}

bool TakeInstanceActivation() {
    return instanceListener && instanceListener->TakeActivationRequests();
}

}  // namespace tavo
