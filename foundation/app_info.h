#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/regional.h"

namespace tavo {

// Floating-point formatting settings; "x" and -1 mean the system's separators and decimals.
struct NumberFormatSettings {
    std::string decimal = "x";
    std::string thousands = "x";
    std::int32_t decimals = -1;
};

// The process-wide record of the running program: who it is, where things are on this
// machine, who runs it, and how the foundation behaves. Filled once by InitAppInfo.
struct TAppInfo {
    std::string ProgramName;
    std::string ProgramTitle;
    std::string TitleWithVersion;
    std::string MakerWebAddress;
    std::string MakerName;
    std::string ExeFileName;
    std::uint32_t StartTicks = 0;
    double StartTime = 0;
    std::int32_t VersionNumber = 0;
    std::string VersionShort;
    std::string ProgramVersionText;
    std::string RestartSource;
    std::string LogDir;
    std::string PersonalDir;
    std::string ProgramFilesDir;
    std::string TempDir;
    std::string HomeDir;
    std::string AppDataDir;
    std::string WindowsDir;
    std::string LastFolder;
    NumberFormatSettings NumberFormat;
    std::optional<platform::TimeZoneInfo> TimeZone;
    std::string CaptionYes = "&Ja, bitte";
    std::string CaptionNo = "Nein, danke";
    std::string CaptionOk = "&Ok";
    std::string CaptionCancel = "&Abbrechen";
    std::string UserName;
    std::string ComputerName;
    std::int32_t CursorBlinkRate = 500;
    bool LogToFile = false;
    bool SqlLogEnabled = false;
    bool BufferEnabled = false;
    bool LogAlways = false;
    std::optional<std::string> LogBuffer;  // CR LF terminated lines; empty until first used
    std::string LogFilePath;
    std::string AppIcon;  // resource name of the window icon, used by the Qt layer
    bool CollectTexts = false;
    bool UnicodeMode = false;
    bool Utf8Database = false;
    // Addresses of the maker's mailboxes for error reports and suggestions.
    std::string MakerSupportAddress;
    std::string MakerSuggestionAddress;

    // Beside the record: the program's own folder (with trailing "/").
    std::string ProgramDir;
};

// The regional separators captured at start.
struct CapturedSeparators {
    std::string decimal = ",";
    std::string thousands = ".";
    std::string date = ".";
};

extern TAppInfo AppInfo;
extern std::string ParamText;
extern bool Terminating;
extern CapturedSeparators Separators;

// The program start: fills AppInfo, takes the single-instance lock when asked, creates the
// log file. False when another instance runs: that one was asked to come to the front and
// this process must end at once, silently.
bool InitAppInfo(bool singleInstance);

// The end routine at process exit: logs the end and releases what the start acquired.
void FinishAppInfo();

// The descriptor on which the running instance hears a second start (-1 when none), and
// whether a request to come to the front has arrived since the last call.
int InstanceActivationFd();
bool TakeInstanceActivation();

}  // namespace tavo
