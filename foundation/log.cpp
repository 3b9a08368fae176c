#include "foundation/log.h"

#include <cstdio>
#include <ctime>

#include "foundation/app_info.h"
#include "foundation/command_line.h"
#include "foundation/dates.h"
#include "foundation/text.h"
#include "platform/debug_channel.h"
#include "platform/folders.h"
#include "platform/locked_append.h"
#include "platform/root.h"

namespace tavo {

int LogDepth = 0;
std::string PendingLogText;
bool LogBufferSwitchLookedUp = false;

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kDepthError = " +FEHLER Loglevel Error";
constexpr std::string_view kNextRound = " (lognextround)";

// Indentation, marker and tag of one line; moves the depth.
std::string FormLine(std::string_view tag, std::string_view text, int level) {
    std::string body = text == "-" ? std::string(40, '-') : std::string(text);
    const int indent = std::max(LogDepth + (level < 0 ? -1 : 0), 0);
    std::string line(static_cast<size_t>(indent), '\t');
    if (level > 0) line += "> ";
    if (level < 0) line += "< ";
    line += body;
    if (!tag.empty()) line = "[" + std::string(tag) + "] " + line;
    if (LogDepth == kMaxLogDepth && level == 1) {
        LogDepth = kMaxLogDepth - 1;
        line += kDepthError;
    }
    LogDepth = std::max(LogDepth + level, 0);
    return line;
}

void AddToBuffer(const std::string& line) {
    if (Terminating) return;
    if (!LogBufferSwitchLookedUp) {
        LogBufferSwitchLookedUp = true;
        AppInfo.BufferEnabled = !HasSwitch("nologbuffer");
    }
    if (!AppInfo.BufferEnabled) return;
    std::string& buffer = AppInfo.LogBuffer ? *AppInfo.LogBuffer : AppInfo.LogBuffer.emplace();
    buffer += line;
    buffer += kCrLf;
    if (buffer.size() > kLogBufferLimit) KeepLastLines(buffer, kLogBufferKeepLines);
}

std::string TabsAsSpaces(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (const char c : line) {
        if (c == '\t')
            out += "   ";
        else
            out += c;
    }
    return out;
}

void AppendToRunLog(const std::string& line) {
    if (!AppInfo.LogToFile || AppInfo.ProgramName.empty()) return;
    if (AppInfo.LogFilePath.empty())
        AppInfo.LogFilePath =
            MakeLogFilePath(AppInfo.LogDir, AppInfo.ProgramName, AppInfo.StartTime);
    std::string output = PendingLogText + line + std::string(kCrLf);
    PendingLogText.clear();
    if (!platform::AppendDenyingWriters(AppInfo.LogFilePath, output))
        PendingLogText = output + std::string(kNextRound) + std::string(kCrLf);
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

}  // namespace

void KeepLastLines(std::string& buffer, int lines) {
    // Step back over line ends: the last one closes the last line, so the start of the
    // n-th line from the end follows the (n+1)-th line end from the end.
    size_t pos = buffer.size();
    for (int seen = 0; seen <= lines; ++seen) {
        if (pos < 2) return;
        const size_t at = buffer.rfind(kCrLf, pos - 2);
        if (at == std::string::npos) return;
        if (seen == lines) {
            buffer.erase(0, at + kCrLf.size());
            return;
        }
        pos = at + 1;
    }
}

void WriteLogTagged(std::string_view tag, std::string_view text, int level) {
    const std::string line = FormLine(tag, text, level);
    AddToBuffer(line);
    const std::string spaced = TabsAsSpaces(line);
    if (!spaced.empty()) platform::DebugOutput(spaced);
    AppendToRunLog(spaced);
}

void WriteLog(std::string_view text, int level) {
    WriteLogTagged("", text, level);
}

void AppendToLogFile(const std::string& filePath, std::string_view tag, std::string_view text) {
    if (filePath.empty()) return;
    std::string body;
    if (!tag.empty() && !text.empty())
        body = "[" + std::string(tag) + "] " + std::string(text);
    else
        body = tag.empty() ? std::string(text) : std::string(tag);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char clock[64] = {};
    std::strftime(clock, sizeof clock, "%X", &local);
    platform::AppendDenyingWriters(filePath, std::string(clock) + " " + body + "\r\n");
}

std::vector<std::string> LogDirCandidates() {
    // The Windows drive roots map to the root of this system.
    return {AppInfo.ProgramDir,      AppInfo.TempDir, AppInfo.WindowsDir,      AppInfo.PersonalDir,
            AppInfo.ProgramFilesDir, AppInfo.HomeDir, platform::UnderRoot("/")};
}

std::string ProbeLogDir(const std::vector<std::string>& candidates, const std::string& fallback) {
    for (const std::string& dir : candidates) {
        if (!dir.empty() && platform::CanCreateAndDelete(dir))
            return platform::WithTrailingSlash(dir);
    }
    return fallback;
}

std::string MakeLogFilePath(const std::string& dir, const std::string& programName,
                            double startTime) {
    std::string base = programName;
    if (base == UpperCase(base)) base = TitleCase(LowerCase(base));
    const DateParts t = DecodeDateTime(startTime);
    const std::string stamp = std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" +
                              TwoDigits(t.day) + "_" + TwoDigits(t.hour) + "_" +
                              TwoDigits(t.minute) + "_" + TwoDigits(t.second);
    return dir + base + "_" + stamp + ".log";
}

}  // namespace tavo
