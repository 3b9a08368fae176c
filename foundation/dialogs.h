#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

// Every question and notice of the system goes through the functions below. They log the
// dialog as a block ("MessageDLG: " + title + ":" + unfilled text ... "MessageDLG.result:" +
// result), fill the placeholders, turn the "|"-separated button list into buttons (the rules
// live here, once, so every handler shows the same buttons) and hand the finished question
// to the one installed prompt handler: the Qt message dialog in the program, a scripted
// answerer in tests, a non-interactive answerer in unattended runs.

// Picture identifiers of the component library (button pictures, window icons).
using tbild = std::uint16_t;
inline constexpr tbild bi_none = 0;
inline constexpr tbild bi_ok = 6;
inline constexpr tbild bi_cancel = 7;
inline constexpr tbild bi_retry = 8;
inline constexpr tbild bi_update = 13;
inline constexpr tbild bi_save = 19;
inline constexpr tbild bi_copy = 23;
inline constexpr tbild bi_setup = 33;
inline constexpr tbild bi_mail = 60;
inline constexpr tbild bi_www = 62;
inline constexpr tbild bi_Server = 186;
inline constexpr tbild bi_Server_red = 187;

// Dialog kinds; any other value behaves as information.
inline constexpr std::uint8_t kKindWarning = 0;
inline constexpr std::uint8_t kKindError = 1;
inline constexpr std::uint8_t kKindInformation = 2;
inline constexpr std::uint8_t kKindConfirmation = 3;

// Button bits of AskUserFlags and its result codes.
inline constexpr std::uint16_t kFlagYes = 1;
inline constexpr std::uint16_t kFlagNo = 2;
inline constexpr std::uint16_t kFlagOk = 4;
inline constexpr std::uint16_t kFlagCancel = 8;
inline constexpr std::uint16_t kFlagAbort = 16;
inline constexpr std::uint16_t kFlagRetry = 32;
inline constexpr std::uint16_t kFlagIgnore = 64;
inline constexpr std::uint16_t kFlagAll = 128;
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultAbort = 3;
inline constexpr int kResultRetry = 4;
inline constexpr int kResultIgnore = 5;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
inline constexpr int kResultAll = 8;

// One button as every handler shows it.
struct DialogButton {
    std::string caption;      // "&" marks the accelerator
    tbild picture = bi_none;  // bi_none: no picture
    bool escape = false;      // answers the Esc key
};

// A finished question: title and text filled, buttons decided.
struct DialogRequest {
    std::string title;    // window caption (the kind's title when none was given), filled
    std::string text;     // message, filled
    std::string rawText;  // message as passed, with its placeholders and values
    std::uint8_t kind = kKindInformation;
    std::vector<DialogButton> buttons;
    tbild picture = bi_none;  // window icon; bi_none leaves the application's icon

    // Position of the button that answers Esc (the first such button), -1 when none does.
    int EscapeResult() const;
};

// The handler shows the question and answers the chosen button's position, -1 when the
// dialog was closed without a button. Answers outside the button list count as -1.
using PromptHandler = std::function<int(const DialogRequest&)>;

// Installs the one prompt handler and gives back the one it replaces (empty for none).
// Without a handler nothing blocks: the question is answered as if Esc had been pressed
// (-1 when no button answers Esc) and the answer is logged.
PromptHandler SetPromptHandler(PromptHandler handler);
bool HasPromptHandler();

// The answer of an unattended run: the Esc button, else -1.
int UnattendedAnswer(const DialogRequest& request);

// The error report: the handler shows the filled message, lets the user describe how the
// error came about and answers what to do with the report.
enum class ErrorReportChoice { NotSent, Mail, Clipboard };
struct ErrorReportAnswer {
    ErrorReportChoice choice = ErrorReportChoice::NotSent;
    std::string description;
};
using ErrorReportHandler = std::function<ErrorReportAnswer(const std::string& message)>;
ErrorReportHandler SetErrorReportHandler(ErrorReportHandler handler);

// The feedback question: the handler shows the caption and the kinds of message and answers
// the chosen kind and the typed subject, nothing when the user did not confirm.
struct FeedbackRequest {
    std::string caption;             // "E-Mail an " + maker, filled
    std::vector<std::string> items;  // "Vorschlag", "Fehler", "Frage"
};
struct FeedbackAnswer {
    std::string item;     // the chosen kind of message
    std::string subject;  // what the user typed, may be empty
};
using FeedbackHandler =
    std::function<std::optional<FeedbackAnswer>(const FeedbackRequest& request)>;
FeedbackHandler SetFeedbackHandler(FeedbackHandler handler);

// The clipboard the error report copies to; installed by the Qt layer.
using ClipboardWriter = std::function<void(const std::string& text)>;
ClipboardWriter SetClipboardWriter(ClipboardWriter writer);
// False when no clipboard is installed; the text is then only logged as lost.
bool CopyToClipboard(const std::string& text);

// The questions and notices. Texts may carry "%a", "%b" ... with their values behind "|".
int AskUser(const std::string& text, std::uint8_t kind, const std::string& buttons,
            tbild picture = bi_none);
int AskUserTitled(const std::string& title, const std::string& text, std::uint8_t kind,
                  const std::string& buttons, tbild picture = bi_none);
void ShowNotice(const std::string& text, tbild picture = bi_none);
void ShowNoticeKind(const std::string& text, std::uint8_t kind, tbild picture = bi_none);
void ShowNoticeTitled(const std::string& title, const std::string& text, tbild picture = bi_none);
// Buttons from bits (kFlag...), in the fixed order yes, ok, no, all, ignore, retry, abort,
// cancel; answers a result code (kResult...), kResultCancel when closed.
int AskUserFlags(const std::string& text, std::uint8_t kind, std::uint16_t buttons);

// States the software should never reach: offers to mail the report to the maker.
void ReportInternalError(const std::string& text);

// Asks for the kind and subject of a message to the maker and hands it to the mail program.
void AskFeedbackMail();

}  // namespace tavo
