#include "tests/support/scripted_prompts.h"

#include <sstream>
#include <utility>

#include <gtest/gtest.h>

namespace tavo::test {
namespace {

std::string Describe(const DialogRequest& request) {
    std::ostringstream out;
    out << "\"" << request.title << "\": \"" << request.text << "\" kind " << int(request.kind)
        << " buttons [";
    for (size_t i = 0; i < request.buttons.size(); ++i)
        out << (i ? "|" : "") << request.buttons[i].caption;
    out << "]";
    return out.str();
}

void Check(const ExpectedPrompt& want, const DialogRequest& got) {
    const std::string what = "question " + Describe(got);
    if (want.textContains) {
        EXPECT_NE(got.text.find(want.text), std::string::npos)
            << what << " lacks \"" << want.text << "\"";
    } else {
        EXPECT_EQ(got.text, want.text) << what;
    }
    if (want.title) {
        EXPECT_EQ(got.title, *want.title) << what;
    }
    if (want.kind) {
        EXPECT_EQ(int(got.kind), int(*want.kind)) << what;
    }
    if (want.buttons) {
        EXPECT_EQ(Captions(got), *want.buttons) << what;
    }
    if (want.picture) {
        EXPECT_EQ(got.picture, *want.picture) << what;
    }
}

const char* StepName(size_t index) {
    static const char* const names[] = {"a question", "an error report", "a feedback question"};
    return names[index];
}

}  // namespace

std::vector<std::string> Captions(const DialogRequest& request) {
    std::vector<std::string> captions;
    for (const DialogButton& button : request.buttons) captions.push_back(button.caption);
    return captions;
}

ScriptedPrompts::ScriptedPrompts() {
    oldPrompt_ = SetPromptHandler([this](const DialogRequest& r) { return AnswerPrompt(r); });
    oldErrorReport_ =
        SetErrorReportHandler([this](const std::string& m) { return AnswerErrorReport(m); });
    oldFeedback_ =
        SetFeedbackHandler([this](const FeedbackRequest& r) { return AnswerFeedback(r); });
    oldClipboard_ = SetClipboardWriter([this](const std::string& t) { clipboard_.push_back(t); });
}

ScriptedPrompts::~ScriptedPrompts() {
    SetPromptHandler(std::move(oldPrompt_));
    SetErrorReportHandler(std::move(oldErrorReport_));
    SetFeedbackHandler(std::move(oldFeedback_));
    SetClipboardWriter(std::move(oldClipboard_));
    for (const Step& step : script_) {
        if (const auto* prompt = std::get_if<ExpectedPrompt>(&step))
            ADD_FAILURE() << "expected question never asked: \"" << prompt->text << "\"";
        else
            ADD_FAILURE() << "expected " << StepName(step.index()) << " never came";
    }
}

ScriptedPrompts& ScriptedPrompts::Expect(ExpectedPrompt prompt) {
    script_.emplace_back(std::move(prompt));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::Expect(std::string text, int answer) {
    ExpectedPrompt prompt;
    prompt.text = std::move(text);
    prompt.answer = answer;
    return Expect(std::move(prompt));
}

ScriptedPrompts& ScriptedPrompts::ExpectErrorReport(ExpectedErrorReport report) {
    script_.emplace_back(std::move(report));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ExpectFeedback(ExpectedFeedback feedback) {
    script_.emplace_back(std::move(feedback));
    return *this;
}

int ScriptedPrompts::AnswerPrompt(const DialogRequest& request) {
    asked_.push_back(request);
    const auto* want = script_.empty() ? nullptr : std::get_if<ExpectedPrompt>(&script_.front());
    if (!want) {
        ADD_FAILURE() << "unexpected question " << Describe(request)
                      << (script_.empty()
                              ? ""
                              : std::string(", expected ") + StepName(script_.front().index()));
        return request.EscapeResult();
    }
    Check(*want, request);
    const int answer = want->answer == kAnswerEsc ? request.EscapeResult() : want->answer;
    script_.pop_front();
    return answer;
}

ErrorReportAnswer ScriptedPrompts::AnswerErrorReport(const std::string& message) {
    errorReports_.push_back(message);
    const auto* want =
        script_.empty() ? nullptr : std::get_if<ExpectedErrorReport>(&script_.front());
    if (!want) {
        ADD_FAILURE() << "unexpected error report \"" << message << "\"";
        return {};
    }
    EXPECT_NE(message.find(want->messagePart), std::string::npos)
        << "error report \"" << message << "\" lacks \"" << want->messagePart << "\"";
    ErrorReportAnswer answer = want->answer;
    script_.pop_front();
    return answer;
}

std::optional<FeedbackAnswer> ScriptedPrompts::AnswerFeedback(const FeedbackRequest& request) {
    feedback_.push_back(request);
    const auto* want = script_.empty() ? nullptr : std::get_if<ExpectedFeedback>(&script_.front());
    if (!want) {
        ADD_FAILURE() << "unexpected feedback question \"" << request.caption << "\"";
        return std::nullopt;
    }
    std::optional<FeedbackAnswer> answer = want->answer;
    script_.pop_front();
    return answer;
}

}  // namespace tavo::test
