#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "foundation/dialogs.h"

namespace tavo::test {

// Answers as if the user pressed Esc: the Esc button's position, -1 when none answers Esc.
inline constexpr int kAnswerEsc = -2;
// Answers as if the dialog was closed without a button.
inline constexpr int kAnswerClose = -1;

// One question a test expects. The text is always checked (exactly, or as a part of the
// filled text with textContains); title, kind, button captions and picture when given.
struct ExpectedPrompt {
    ExpectedPrompt(std::string text = {}, int answer = 0) : text(std::move(text)), answer(answer) {}

    std::string text;
    int answer;  // button position, kAnswerEsc or kAnswerClose
    std::optional<std::string> title;
    std::optional<std::uint8_t> kind;
    std::optional<std::vector<std::string>> buttons;
    std::optional<tbild> picture;
    bool textContains = false;
};

// An error report a test expects: its filled message holds messagePart.
struct ExpectedErrorReport {
    std::string messagePart;
    ErrorReportAnswer answer;
};

// A feedback question a test expects and its answer (nothing: not confirmed).
struct ExpectedFeedback {
    std::optional<FeedbackAnswer> answer;
};

// The prompt handler of tests. While it lives it answers every question, error report and
// feedback question in the order scripted, checks each against its expectation and fails
// the test for a question nobody expected (answered like Esc) and, at its end, for expected
// questions that never came. It also stands in for the clipboard. The handlers it replaced
// come back when it goes.
class ScriptedPrompts {
  public:
    ScriptedPrompts();
    ~ScriptedPrompts();
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    ScriptedPrompts& Expect(ExpectedPrompt prompt);
    ScriptedPrompts& Expect(std::string text, int answer);
    ScriptedPrompts& ExpectErrorReport(ExpectedErrorReport report);
    ScriptedPrompts& ExpectFeedback(ExpectedFeedback feedback);

    // Everything asked so far, in order.
    const std::vector<DialogRequest>& Asked() const { return asked_; }
    const std::vector<std::string>& ErrorReports() const { return errorReports_; }
    const std::vector<FeedbackRequest>& FeedbackQuestions() const { return feedback_; }
    // The texts put on the clipboard, in order.
    const std::vector<std::string>& Clipboard() const { return clipboard_; }
    // Expectations not yet asked.
    size_t Pending() const { return script_.size(); }

  private:
    using Step = std::variant<ExpectedPrompt, ExpectedErrorReport, ExpectedFeedback>;

    int AnswerPrompt(const DialogRequest& request);
    ErrorReportAnswer AnswerErrorReport(const std::string& message);
    std::optional<FeedbackAnswer> AnswerFeedback(const FeedbackRequest& request);

    std::deque<Step> script_;
    std::vector<DialogRequest> asked_;
    std::vector<std::string> errorReports_;
    std::vector<FeedbackRequest> feedback_;
    std::vector<std::string> clipboard_;
    PromptHandler oldPrompt_;
    ErrorReportHandler oldErrorReport_;
    FeedbackHandler oldFeedback_;
    ClipboardWriter oldClipboard_;
};

// The captions of a question's buttons, in order.
std::vector<std::string> Captions(const DialogRequest& request);

}  // namespace tavo::test
