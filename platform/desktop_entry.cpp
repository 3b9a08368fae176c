#include "platform/desktop_entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "platform/process.h"
#include "platform/shell_open.h"

namespace tavo::platform {
namespace {

// Escapes of a string value: backslash, and line breaks that would end the entry.
std::string ValueText(const std::string& value) {
    std::string out;
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

// One argument of the Exec key: quoted when it holds a reserved character, with the
// characters that stay special inside quotes escaped; "%" doubled for the field codes.
std::string ExecArgument(const std::string& arg) {
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`=%";
    std::string out;
    const bool quote = arg.empty() || arg.find_first_of(reserved) != std::string::npos;
    for (const char c : arg) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        out += c;
    }
    return quote ? '"' + out + '"' : out;
}

bool IsExecutable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string DesktopEntryText(const DesktopEntry& entry) {
    std::string text = "[Desktop Entry]\n";
    text += "Version=1.0\n";
    text += "Name=" + ValueText(entry.name) + "\n";
    if (IsAddress(entry.target)) {
        text += "Type=Link\n";
        text += "URL=" + ValueText(entry.target) + "\n";
        return text;
    }
    text += "Type=Application\n";
    std::string exec;
    if (IsExecutable(entry.target)) {
        exec = ExecArgument(entry.target);
        for (const std::string& arg : SplitParameters(entry.parameters))
            exec += " " + ExecArgument(arg);
    } else {
        exec = "xdg-open " + ExecArgument(entry.target);
    }
    text += "Exec=" + ValueText(exec) + "\n";
    if (!entry.workingFolder.empty()) text += "Path=" + ValueText(entry.workingFolder) + "\n";
    text += "Terminal=false\n";
    return text;
}

bool SaveDesktopEntry(const DesktopEntry& entry, const std::string& path) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << DesktopEntryText(entry);
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    // Desktops start only entries that are marked executable.
    ::chmod(temp.c_str(), 0755);
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace tavo::platform
