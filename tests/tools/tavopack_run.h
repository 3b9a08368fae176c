#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/temp_root.h"

namespace tavo::test {

struct TavopackResult {
    int exitCode = -1;
    std::string out, err;
};

inline std::string ShellQuoted(const std::string& word) {
    std::string q = "'";
    for (const char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs tavopack as the build does, its output caught in files of the root.
inline TavopackResult RunTavopack(const TempRoot& root, const std::vector<std::string>& args) {
    std::string command = ShellQuoted(TAVOPACK_PATH);
    for (const auto& a : args) command += " " + ShellQuoted(a);
    command += " >" + ShellQuoted(root.At("stdout")) + " 2>" + ShellQuoted(root.At("stderr"));
    const int status = std::system(command.c_str());
    TavopackResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadFile(root.At("stdout"));
    r.err = ReadFile(root.At("stderr"));
    return r;
}

}  // namespace tavo::test
