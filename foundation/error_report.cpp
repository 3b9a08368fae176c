#include "foundation/error_report.h"

#include <optional>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/dialogs_handlers.h"
#include "foundation/log.h"
#include "foundation/mail_handover.h"
#include "foundation/number_text.h"
#include "foundation/translate.h"
#include "platform/machine_info.h"

namespace tavo {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr size_t kMessageLimit = 60000;
constexpr int kHistoryLines = 10;

// The last n CR LF lines of the log buffer, each with its CR LF.
std::string LastLogLines(const std::string& buffer, int n) {
    size_t start = buffer.size();
    for (int seen = 0; seen <= n && start > 0; ++seen) {
        const size_t at = start >= 2 ? buffer.rfind(kCrLf, start - 2) : std::string::npos;
        if (at == std::string::npos) return buffer;
        if (seen == n) return buffer.substr(at + 2);
        start = at + 1;
    }
    return buffer;
}

// The clock rate is read once per run.
std::int64_t ProcessorMHzOnce() {
    static const std::int64_t mhz = platform::CpuMHzFromKernel();
    return mhz;
}

std::string SystemSection() {
    std::string text =
        "Programm: " + AppInfo.ProgramTitle + " " + AppInfo.ProgramVersionText + kCrLf;
    text += "OS:  " + platform::OsReleaseName() + " " + platform::KernelRelease() + kCrLf;
    text += "PC:  " + AppInfo.ComputerName + kCrLf;
    text += "CPU: " + platform::CpuModelName() + "  " + GroupedInt(ProcessorMHzOnce(), true) +
            "MHz" + kCrLf;
    text += "RAM: " + std::to_string(platform::TotalMemoryBytes() / 1024 / 1024) + "MB" + kCrLf;
    return text;
}

}  // namespace

std::string ErrorReportText(const std::string& message, const std::string& description) {
    std::string text = std::string("Sehr geehrte Damen und Herren,") + kCrLf + kCrLf +
                       "der folgende Fehler ist aufgetreten:" + kCrLf + message + kCrLf + kCrLf +
                       "Der Fehler erscheint: " + kCrLf + description + kCrLf + kCrLf;
    if (AppInfo.BufferEnabled && AppInfo.LogBuffer)
        text += "Histroy:" + LastLogLines(*AppInfo.LogBuffer, kHistoryLines);
    return text + SystemSection();
}

void ReportInternalError(const std::string& text) {
    const std::string message = TranslateText(text.substr(0, kMessageLimit));
    WriteLog("Fehler: " + message, 0);
    ErrorReportAnswer answer;
    if (const ErrorReportHandler& handler = InstalledHandlers().errorReport) {
        try {
            answer = handler(message);
        } catch (...) {
            WriteLog("Fehlermeldung: Fehler im Dialog", 0);
        }
    }
    const std::string report = ErrorReportText(message, answer.description);
    if (answer.choice == ErrorReportChoice::Mail)
        HandMailToMailProgram(
            AppInfo.MakerSupportAddress,
            AppInfo.ProgramTitle + " " + AppInfo.ProgramVersionText + " - Fehlermeldung", report);
    else if (answer.choice == ErrorReportChoice::Clipboard)
        CopyToClipboard(report);
}

void AskFeedbackMail() {
    const FeedbackHandler& handler = InstalledHandlers().feedback;
    if (!handler) return;
    FeedbackRequest request;
    request.caption = TranslateText("E-Mail an %a|" + AppInfo.MakerName);
    request.items = {"Vorschlag", "Fehler", "Frage"};
    std::optional<FeedbackAnswer> answer;
    try {
        answer = handler(request);
    } catch (...) {
        WriteLog("Feedback: Fehler im Dialog", 0);
    }
    if (!answer) return;
    std::string subject =
        AppInfo.ProgramName + " Ver. " + AppInfo.ProgramVersionText + " - " + answer->item;
    if (!answer->subject.empty()) subject += ": " + answer->subject;
    HandMailToMailProgram(AppInfo.MakerSuggestionAddress, subject, "");
}

}  // namespace tavo
