#include "foundation/shell_start.h"

#include <chrono>
#include <thread>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/folder_ops.h"
#include "foundation/log.h"
#include "foundation/number_text.h"
#include "foundation/process_messages.h"
#include "foundation/text.h"
#include "foundation/translate.h"
#include "platform/file_info.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/shell_open.h"

namespace tavo {
namespace {

constexpr int kStarted = 42;

bool IsSuccess(int code) {
    return code == 0 || code > 36;
}

std::string ReasonOf(int code) {
    switch (code) {
        case 2:
            return "Datei nicht gefunden";
        case 3:
            return "Pfad nicht gefunden";
        case 5:
            return "Zugriff verweigert";
        case 8:
            return "Nicht genug freier Speicher zur Ausführung des Programms";
        case 11:
            return "Keine EXE-Datei";
        case 26:
            return "Fehler bei der Shareverwaltung";
        case 27:
            return "Der Dateiname ist ungültig";
        case 31:
            return "Es existiert keine Verknüpfung mit der Datei";
        case 32:
            return "Eine DLL konnte nicht gefunden werden";
        default:
            return "Unbekannter Fehler " + GroupedInt(code, true);
    }
}

// Polls the started program until it ends or the program begins to end itself.
int WaitForProgram(pid_t pid) {
    for (;;) {
        if (const auto code = platform::PollExit(pid)) return *code;
        if (Terminating) return 0;
        ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Logs the shell's result and reads it as Windows does: 42 is a start, and "not found" for
// a file that exists means its program did not say more.
int StartResult(int code, const std::string& file) {
    WriteLog("Exitcode:" + std::to_string(code));
    if (code == kStarted) return 0;
    if (code == 2 && platform::FileSize(file) >= 0) return 0;
    return code;
}

std::string StartErrorText(const std::string& file) {
    return "Fehler beim Starten von: %a\r\nGrund: %b|" + file + "|";
}

bool StartAndForget(const std::string& file, const std::string& parameters,
                    const std::string& folder) {
    WriteLog("StarteDateiP:" + file + " Parameter:" + parameters + " Pfad:" + folder);
    const int code = StartResult(platform::ShellOpen(file, parameters, folder, false).code, file);
    // Windows retries code 31 with the "play" action; the desktop here knows only "open".
    if (IsSuccess(code)) return true;
    ReportStartError(code, StartErrorText(file));
    return false;
}

bool StartAndWait(const std::string& file, const std::string& parameters,
                  const std::string& folder) {
    WriteLog("StarteDateiP noAutoClose:" + file + " Parameter:" + parameters + " Pfad:" + folder);
    const platform::ShellOpenResult started = platform::ShellOpen(file, parameters, folder, true);
    if (!IsSuccess(started.code)) {
        WriteLog("Exitcode:" + std::to_string(started.code));
        ShowNotice("Fehler beim Starten von: %a|" + file, bi_none);
        return false;
    }
    const int code = started.pid > 0 ? WaitForProgram(started.pid) : 0;
    WriteLog("Exitcode:" + std::to_string(code));
    if (IsSuccess(code)) return true;
    ReportStartError(code, StartErrorText(file));
    return false;
}

// The command registered for an address scheme: for the user first, then for the machine.
std::string RegisteredHandler(const std::string& scheme) {
    for (const platform::RegHive hive :
         {platform::RegHive::CurrentUser, platform::RegHive::LocalMachine}) {
        platform::Registry reg(hive);
        if (reg.OpenKeyReadOnly("\\Software\\Classes\\" + scheme + "\\shell\\open\\command"))
            if (const auto command = reg.ReadString(""); command && !command->empty())
                return *command;
    }
    return {};
}

int OpenThroughHandler(const std::string& address) {
    const std::string scheme = StartsWithCI(address, "ftp:") ? "ftp" : "http";
    const std::string command = RegisteredHandler(scheme);
    if (command.empty()) return -1;
    std::vector<std::string> args = platform::SplitParameters(command);
    bool placed = false;
    for (std::string& arg : args) {
        if (arg.find("%1") != std::string::npos) {
            ReplaceAll(arg, "%1", address);
            placed = true;
        }
    }
    if (!placed) args.push_back(address);
    const std::string program = args.front();
    args.erase(args.begin());
    const platform::SpawnResult started = platform::SpawnProgram(program, args, "", true);
    return started.pid > 0 ? kStarted : 2;
}

}  // namespace

bool StarteDateiP(const std::string& file, const std::string& parameters, bool autoClose) {
    const std::string folder = FolderOfPath(file);
    return autoClose ? StartAndForget(file, parameters, folder)
                     : StartAndWait(file, parameters, folder);
}

void OpenDocument(const std::string& file) {
    StarteDateiP(file, "", true);
}

bool StarteDateiExeCode(const std::string& program, const std::string& parameters) {
    // The program starts in its own folder; this process keeps its current folder.
    const std::string folder = FolderOfPath(program);
    const std::string params = Trim(parameters);
    WriteLog("StarteDateiExeCode:" + program + " Parameter:" + params + " Pfad:" + folder);
    const int code = StartResult(platform::ShellOpen(program, params, folder, false).code, program);
    if (IsSuccess(code)) return true;
    ReportStartError(code);
    return false;
}

void StarteHTML(const std::string& address) {
    WriteLog("StarteHTML:" + address);
    if (address.size() <= 4) return;
    // A local path opens as a document.
    if (address[0] == '/') {
        OpenDocument(address);
        return;
    }
    std::string target = address;
    bool hasScheme = false;
    for (const char* scheme : {"http:", "https:", "mailto:", "mail:", "ftp:"})
        hasScheme = hasScheme || StartsWithCI(target, scheme);
    if (!hasScheme) target = "http://" + target;
    int code = platform::ShellOpen(target, "", "", false).code;
    WriteLog(" exitcode: " + std::to_string(code));
    if (code != 0 && code != kStarted) {
        if (const int second = OpenThroughHandler(target); second >= 0) code = second;
    }
    if (code != 0) ReportStartError(code);
}

void ReportStartError(int code, const std::string& text) {
    if (code == 33 || code == 42) return;
    const std::string reason = TranslateText(ReasonOf(code) + ".", "system");
    if (text.empty()) {
        ShowNotice(reason, bi_none);
        return;
    }
    ShowNotice((EndsWith(text, "|") ? text : text + "|") + reason, bi_none);
}

}  // namespace tavo
