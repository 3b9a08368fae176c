#include "foundation/error_report.h"

#include <optional>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/dialogs_handlers.h"
#include "foundation/log.h"
#include "foundation/machine_description.h"
#include "foundation/mail.h"
#include "foundation/number_text.h"
#include "foundation/translate.h"

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

// The first limit characters of UTF-8 text.
std::string FirstCharacters(const std::string& text, size_t limit) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (count++ == limit) return text.substr(0, i);
    }
    return text;
}

void HandOver(const ErrorReportAnswer& answer, const std::string& report) {
    if (answer.choice == ErrorReportChoice::Mail) {
        TMapiMail mail;
        mail.recipients = AppInfo.MakerSupportAddress;
        mail.subject = AppInfo.ProgramTitle + " " + AppInfo.ProgramVersionText + " - Fehlermeldung";
        mail.body = report;
        mailPerMapi(mail, true);
    } else if (answer.choice == ErrorReportChoice::Clipboard) {
        CopyToClipboard(report);
    }
}

}  // namespace

std::string ErrorReportSystemSection() {
    std::string text =
        "Programm: " + AppInfo.ProgramTitle + " " + AppInfo.ProgramVersionText + kCrLf;
    text += "OS:  " + OsName() + kCrLf;
    text += "PC:  " + AppInfo.ComputerName + kCrLf;
    text +=
        "CPU: " + ProcessorName() + "  " + GroupedInt(MeasuredProcessorMHz(), true) + "MHz" + kCrLf;
    text += "RAM: " + std::to_string(PhysicalMemory(true) / 1024 / 1024) + "MB" + kCrLf;
    return text;
}

std::string ErrorReportText(const std::string& message, const std::string& description) {
    std::string text = std::string("Sehr geehrte Damen und Herren,") + kCrLf + kCrLf +
                       "der folgende Fehler ist aufgetreten:" + kCrLf + message + kCrLf + kCrLf +
                       "Der Fehler erscheint: " + kCrLf + description + kCrLf + kCrLf;
    if (AppInfo.BufferEnabled && AppInfo.LogBuffer)
        text += "Histroy:" + LastLogLines(*AppInfo.LogBuffer, kHistoryLines);
    return text + ErrorReportSystemSection();
}

std::string ErrorReportMessage(const std::string& text) {
    return TranslateText(FirstCharacters(text, kMessageLimit));
}

void ReportInternalError(const std::string& text) {
    const std::string message = ErrorReportMessage(text);
    WriteLog("Fehler: " + message, 0);
    const ErrorReportHandler& handler = InstalledHandlers().errorReport;
    if (!handler) {
        WriteLog("Fehlermeldung: keine Abfrage möglich, nicht geschickt", 0);
        return;
    }
    ErrorReportAnswer answer;
    try {
        answer = handler(message);
    } catch (...) {
        WriteLog("Fehlermeldung: Fehler im Dialog", 0);
        return;
    }
    HandOver(answer, ErrorReportText(message, answer.description));
}

void AskFeedbackMail() {
    const FeedbackHandler& handler = InstalledHandlers().feedback;
    if (!handler) {
        WriteLog("Feedback: keine Abfrage möglich", 0);
        return;
    }
    FeedbackRequest request;
    request.caption = TranslateText("E-Mail an %a|" + AppInfo.MakerName);
    request.items = {"Vorschlag", "Fehler", "Frage"};
    std::optional<FeedbackAnswer> answer;
    try {
        answer = handler(request);
    } catch (...) {
        WriteLog("Feedback: Fehler im Dialog", 0);
        return;
    }
    if (!answer) return;
    TMapiMail mail;
    mail.recipients = AppInfo.MakerSuggestionAddress;
    mail.subject =
        AppInfo.ProgramName + " Ver. " + AppInfo.ProgramVersionText + " - " + answer->item;
    if (!answer->subject.empty()) mail.subject += ": " + answer->subject;
    mailPerMapi(mail, true);
}

}  // namespace tavo
