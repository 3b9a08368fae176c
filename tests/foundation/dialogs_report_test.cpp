#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/error_report.h"
#include "foundation/log.h"
#include "foundation/machine_description.h"
#include "foundation/mail.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

using test::ScriptedPrompts;

class ErrorReport : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        MeasuredProcessorMHz(std::chrono::milliseconds(20));  // keeps the tests quick
        test::UseSetupIdentity();
        AppInfo.ComputerName = "buero-pc";
        MapiSettings() = TMapiSettings{};
        MapiSettings().hook = [this](const TMapiMail& mail) {
            mails_.push_back(mail);
            return true;
        };
    }
    void TearDown() override { MapiSettings() = TMapiSettings{}; }

    std::vector<TMapiMail> mails_;
};

TEST_F(ErrorReport, TheMailedReportHoldsMessageDescriptionHistoryAndSystem) {
    for (int i = 1; i <= 12; ++i) WriteLog("Zeile " + std::to_string(i), 0);
    ScriptedPrompts prompts;
    prompts.ExpectErrorReport(
        {"Datei /opt/x fehlt", {ErrorReportChoice::Mail, "Beim Klick auf Weiter"}});
    ReportInternalError("Datei %a fehlt|/opt/x");
    ASSERT_EQ(mails_.size(), 1u);
    const TMapiMail& mail = mails_[0];
    EXPECT_EQ(mail.recipients, "support@zelvo.example");
    EXPECT_EQ(mail.subject, "Zelvo Verbindomat - Setup 2026.12 Build 1 - Fehlermeldung");
    const std::string& body = mail.body;
    EXPECT_EQ(body.rfind("Sehr geehrte Damen und Herren,\r\n\r\nder folgende Fehler ist "
                         "aufgetreten:\r\nDatei /opt/x fehlt\r\n\r\nDer Fehler erscheint: \r\n"
                         "Beim Klick auf Weiter\r\n\r\nHistroy:",
                         0),
              0u)
        << body;
    // The last ten lines of the log: "Zeile 4" ... "Zeile 12" and the "Fehler: " line.
    EXPECT_EQ(body.find("Zeile 3\r\n"), std::string::npos);
    EXPECT_NE(body.find("Histroy:Zeile 4\r\n"), std::string::npos) << body;
    EXPECT_NE(body.find("Zeile 12\r\nFehler: Datei /opt/x fehlt\r\nProgramm: "), std::string::npos);
    EXPECT_NE(body.find("Programm: Zelvo Verbindomat - Setup 2026.12 Build 1\r\nOS:  " + OsName() +
                        "\r\nPC:  buero-pc\r\nCPU: " + ProcessorName() + "  "),
              std::string::npos)
        << body;
    EXPECT_NE(
        body.find("MHz\r\nRAM: " + std::to_string(PhysicalMemory(true) / 1024 / 1024) + "MB\r\n"),
        std::string::npos);
    EXPECT_EQ(body.substr(body.size() - 2), "\r\n");
}

TEST_F(ErrorReport, TheCopiedReportIsTheSameTextOnTheClipboard) {
    ScriptedPrompts prompts;
    prompts.ExpectErrorReport({"kaputt", {ErrorReportChoice::Clipboard, "Beschreibung hier"}});
    ReportInternalError("kaputt");
    ASSERT_EQ(prompts.Clipboard().size(), 1u);
    EXPECT_EQ(prompts.Clipboard()[0], ErrorReportText("kaputt", "Beschreibung hier"));
    EXPECT_NE(prompts.Clipboard()[0].find("Beschreibung hier"), std::string::npos);
    EXPECT_TRUE(mails_.empty());
}

TEST_F(ErrorReport, NotSentOrNoDialogSendsNothing) {
    {
        ScriptedPrompts prompts;
        prompts.ExpectErrorReport({"kaputt", {ErrorReportChoice::NotSent, "egal"}});
        ReportInternalError("kaputt");
        EXPECT_TRUE(prompts.Clipboard().empty());
    }
    ReportInternalError("ohne Dialog");
    EXPECT_TRUE(mails_.empty());
    const std::string log = AppInfo.LogBuffer.value_or("");
    EXPECT_NE(log.find("Fehler: ohne Dialog\r\n"), std::string::npos);
}

TEST_F(ErrorReport, WithoutTheLogBufferThereIsNoHistory) {
    AppInfo.BufferEnabled = false;
    LogBufferSwitchLookedUp = true;  // as after "/nologbuffer"
    EXPECT_EQ(ErrorReportText("m", "d").find("Histroy:"), std::string::npos);
    AppInfo.BufferEnabled = true;
    WriteLog("eine Zeile", 0);
    EXPECT_NE(ErrorReportText("m", "d").find("Histroy:eine Zeile\r\nProgramm: "),
              std::string::npos);
}

TEST_F(ErrorReport, TheMessageIsCutToItsFirst60000Characters) {
    std::string text;
    for (int i = 0; i < 70000; ++i) text += "ä";
    const std::string message = ErrorReportMessage(text);
    EXPECT_EQ(message.size(), 2u * 60000);
    EXPECT_EQ(ErrorReportMessage("kurz %a|und gut"), "kurz und gut");
}

class FeedbackMail : public ErrorReport {};

TEST_F(FeedbackMail, TheSubjectNamesProgramVersionKindAndTheTypedText) {
    const struct {
        std::optional<FeedbackAnswer> answer;
        const char* subject;  // nullptr: no mail
    } cases[] = {
        {FeedbackAnswer{"Frage", "Wie geht das"},
         "tavosetup Ver. 2026.12 Build 1 - Frage: Wie geht das"},
        {FeedbackAnswer{"Vorschlag", ""}, "tavosetup Ver. 2026.12 Build 1 - Vorschlag"},
        {std::nullopt, nullptr},
    };
    for (const auto& c : cases) {
        mails_.clear();
        ScriptedPrompts prompts;
        prompts.ExpectFeedback({c.answer});
        AskFeedbackMail();
        ASSERT_EQ(prompts.FeedbackQuestions().size(), 1u);
        EXPECT_EQ(prompts.FeedbackQuestions()[0].caption, "E-Mail an Zelvo");
        EXPECT_EQ(prompts.FeedbackQuestions()[0].items,
                  (std::vector<std::string>{"Vorschlag", "Fehler", "Frage"}));
        if (!c.subject) {
            EXPECT_TRUE(mails_.empty());
            continue;
        }
        ASSERT_EQ(mails_.size(), 1u) << c.subject;
        EXPECT_EQ(mails_[0].recipients, "vorschlag@zelvo.example");
        EXPECT_EQ(mails_[0].subject, c.subject);
        EXPECT_EQ(mails_[0].body, "");
    }
}

}  // namespace
}  // namespace tavo
