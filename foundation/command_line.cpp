#include "foundation/command_line.h"

#include "foundation/text.h"
#include "platform/command_line.h"

namespace tavo {
namespace {

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Reads "name[:value]" at the start of text (its slash already dropped) and leaves text
// behind the switch. The value is "true" without ":" or with nothing behind it.
void ReadSwitch(std::string& text, std::string& name, std::string& value) {
    const auto stop = text.find_first_of(":\" ");
    if (stop == std::string::npos || text[stop] != ':') {
        name = "/" + text.substr(0, stop);
        value = "true";
        text = stop == std::string::npos ? std::string() : text.substr(stop);
        return;
    }
    name = "/" + text.substr(0, stop);
    std::string rest = text.substr(stop + 1);
    if (rest.empty()) {
        value = "true";
        text.clear();
    } else if (rest[0] == '"') {
        const auto close = rest.find('"', 1);
        value = rest.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        text = close == std::string::npos ? std::string() : rest.substr(close + 1);
    } else {
        const auto space = rest.find(' ');
        value = rest.substr(0, space);
        text = space == std::string::npos ? std::string() : rest.substr(space);
    }
}

}  // namespace

std::string WithoutProgramPath(const std::string& commandLine) {
    std::string rest;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const auto close = commandLine.find('"', 1);
        rest = close == std::string::npos ? std::string() : commandLine.substr(close + 1);
    } else {
        const auto space = commandLine.find(' ');
        rest = space == std::string::npos ? std::string() : commandLine.substr(space);
    }
    return TrimSpaces(rest);
}

std::string GetSwitchValue(const std::string& name, const std::optional<std::string>& commandLine) {
    // An empty name asks for the first plain argument.
    const bool wantPlain = name.empty();
    std::string wanted = LowerCase(name);
    if (wanted.empty() || wanted[0] != '/') wanted = "/" + wanted;

    std::string text =
        commandLine ? *commandLine : WithoutProgramPath(platform::ProcessCommandLine());
    while (!(text = TrimSpaces(text)).empty()) {
        const auto first = text.find_first_of(" \"/");
        std::string switchName;
        std::string value;
        if (first != std::string::npos && text[first] == ' ') {
            if (wantPlain) return text.substr(0, first);
            text.erase(0, first);
            continue;
        }
        if (text[0] == '/') {
            text.erase(0, 1);
            ReadSwitch(text, switchName, value);
        } else if (first != std::string::npos && text[first] == '"') {
            // A quoted plain argument.
            const auto close = text.find('"', first + 1);
            value = text.substr(first + 1,
                                close == std::string::npos ? std::string::npos : close - first - 1);
            if (wantPlain) return value;
            text = close == std::string::npos ? std::string() : text.substr(close + 1);
            continue;
        } else if (!wantPlain && StartsWithCI("/" + text, wanted)) {
            // A switch written without its slash.
            ReadSwitch(text, switchName, value);
        } else {
            // The rest is one plain argument, and the scan ends.
            return wantPlain ? text : std::string();
        }
        if (LowerCase(switchName) == wanted) return value;
    }
    return {};
}

bool HasSwitch(const std::string& name, const std::optional<std::string>& commandLine) {
    return !GetSwitchValue(name, commandLine).empty();
}

std::string RemoveLogSwitch(const std::string& params) {
    // Only a whole word "/L" outside quotation marks is the switch; "/Lib" or a quoted
    // path holding "/l" stays exactly as it is.
    std::string result;
    bool quoted = false;
    for (size_t i = 0; i < params.size(); ++i) {
        const bool wordStart = !quoted && (i == 0 || params[i - 1] == ' ');
        const bool isSwitch = wordStart && i + 1 < params.size() && params[i] == '/' &&
                              (params[i + 1] == 'L' || params[i + 1] == 'l') &&
                              (i + 2 == params.size() || params[i + 2] == ' ');
        if (isSwitch) {
            ++i;  // skip "/L"; the spaces around it are trimmed or kept as separators
            if (i + 1 < params.size()) ++i;
            continue;
        }
        if (params[i] == '"') quoted = !quoted;
        result += params[i];
    }
    return TrimSpaces(result);
}

}  // namespace tavo
