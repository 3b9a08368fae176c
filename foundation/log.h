#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The process-wide diagnostic log. One call writes one line to the in-memory tail
// (AppInfo.LogBuffer), the debugger channel and the run's log file. Level 1 opens a
// block ("> ", deeper afterwards), -1 closes it ("< "), 0 is a plain line. The log never
// fails its caller: a line the file refuses is held back and written with the next one.

extern int LogDepth;                // nesting depth, 0 to 20
extern std::string PendingLogText;  // lines the file refused, written before the next line
extern bool LogBufferSwitchLookedUp;

inline constexpr int kMaxLogDepth = 20;
inline constexpr size_t kLogBufferLimit = 100000;
inline constexpr int kLogBufferKeepLines = 100;

void WriteLog(std::string_view text, int level = 0);
void WriteLogTagged(std::string_view tag, std::string_view text, int level);

// Appends "HH:MM:SS [tag] text" to a file of the caller's; failures are ignored.
void AppendToLogFile(const std::string& filePath, std::string_view tag, std::string_view text);

// The folders a log may go to, in the order they are tried.
std::vector<std::string> LogDirCandidates();

// The first candidate in which a file can be created and deleted, else the fallback.
std::string ProbeLogDir(const std::vector<std::string>& candidates, const std::string& fallback);

// dir + base + "_YYYY-MM-DD_HH_MM_SS.log"; a program name without lower-case letters is
// lower-cased and title-cased for the base.
std::string MakeLogFilePath(const std::string& dir, const std::string& programName,
                            double startTime);

// Keeps the last kLogBufferKeepLines CR LF lines of a buffer (all of them when fewer).
void KeepLastLines(std::string& buffer, int lines);

}  // namespace tavo
