#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace tavo::platform {

// Program starts: fork and exec, never through a shell, so arguments reach the program
// exactly as given.
struct SpawnResult {
    pid_t pid = -1;  // > 0 when the program runs
    int error = 0;   // errno of the failed start (ENOENT, EACCES, ...), 0 on success
};

// Starts program (a path, or a name searched on PATH) with its arguments in folder (the
// current folder when empty). A detached program gets a session of its own and is not
// waited for; its end is reaped so it leaves no zombie.
SpawnResult SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& folder, bool detached);

// The exit code of a started (not detached) child once it has ended; empty while it runs.
// A child killed by a signal gives 128 + the signal's number.
std::optional<int> PollExit(pid_t pid);

// The full path of a program name on PATH (a name with "/" is taken as it is); empty when
// there is no executable of that name.
std::string FindProgram(const std::string& name);

// Splits a parameter text as a Windows program would: blanks separate, quotation marks
// group (and are removed).
std::vector<std::string> SplitParameters(const std::string& parameters);

}  // namespace tavo::platform
