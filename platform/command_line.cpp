#include "platform/command_line.h"

#include <fstream>
#include <iterator>

namespace tavo::platform {
namespace {

std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find(' ') == std::string::npos) return arg;
    const auto colon = arg.find(':');
    if (arg.size() > 1 && arg[0] == '/' && colon != std::string::npos && arg.find(' ') > colon &&
        arg.find('"') == std::string::npos)
        return arg.substr(0, colon + 1) + '"' + arg.substr(colon + 1) + '"';
    return '"' + arg + '"';
}

std::vector<std::string> ReadProcCmdline() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    std::string current;
    for (const char c : raw) {
        if (c == '\0') {
            args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) args.push_back(current);
    return args;
}

}  // namespace

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (i > 0) line += ' ';
        // The program path is one plain argument, however it is spelt.
        const bool plainQuoted = i == 0 && (arg.empty() || arg.find(' ') != std::string::npos);
        line += plainQuoted ? '"' + arg + '"' : QuoteArgument(arg);
    }
    return line;
}

std::string ProcessCommandLine() {
    return JoinCommandLine(ReadProcCmdline());
}

}  // namespace tavo::platform
