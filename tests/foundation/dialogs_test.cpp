#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "foundation/dialogs.h"
#include "foundation/dialogs_buttons.h"
#include "foundation/log.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

using test::ExpectedPrompt;
using test::kAnswerClose;
using test::kAnswerEsc;
using test::ScriptedPrompts;

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    std::string Log() const { return AppInfo.LogBuffer.value_or(""); }
};

// What a button list looks like to the user.
TEST_F(Dialogs, ButtonListsBecomeTheSameButtonsForEveryHandler) {
    struct Expected {
        std::string caption;
        tbild picture;
        bool escape;
    };
    const struct {
        const char* list;
        std::vector<Expected> buttons;
    } cases[] = {
        {"J|N", {{"&Ja, bitte", bi_ok, false}, {"Nein, danke", bi_cancel, false}}},
        {"y|n", {{"&Ja, bitte", bi_ok, false}, {"Nein, danke", bi_cancel, false}}},
        {"o", {{"&Ok", bi_ok, true}}},  // one button answers Esc
        {"o|", {{"&Ok", bi_ok, true}}},
        {"j|a", {{"&Ja, bitte", bi_ok, false}, {"&Abbrechen", bi_cancel, true}}},
        {"alle|ALLE|all|ALL",
         {{"A&lle", bi_none, false},
          {"A&lle", bi_none, false},
          {"A&lle", bi_none, false},
          {"ALL", bi_none, false}}},  // "all" only in lower case
        {"i|w", {{"&Ignorieren", bi_cancel, false}, {"&Wiederholen", bi_retry, false}}},
        {"wiederholen|A", {{"wiederholen", bi_retry, false}, {"&Abbrechen", bi_cancel, true}}},
        {"wiederholen|ignorieren|abbrechen",
         {{"wiederholen", bi_retry, false},
          {"ignorieren", bi_cancel, false},
          {"abbrechen", bi_cancel, true}}},
        {"Hinweis anzeigen|Ok", {{"Hinweis anzeigen", bi_none, false}, {"Ok", bi_ok, false}}},
        {"Speichern|Aktualisieren|Verwerfen|&Nein|ja",
         {{"Speichern", bi_save, false},
          {"Aktualisieren", bi_update, false},
          {"Verwerfen", bi_cancel, false},
          {"&Nein", bi_cancel, false},
          {"ja", bi_ok, false}}},
        {"Trotzdem fortsetzen|bi_www auf neue Version prüfen|a",
         {{"Trotzdem fortsetzen", bi_none, false},
          {"auf neue Version prüfen", bi_www, false},
          {"&Abbrechen", bi_cancel, true}}},
        {"bi_retry wiederholen|a",
         {{"wiederholen", bi_retry, false}, {"&Abbrechen", bi_cancel, true}}},
        {"bi_Server+1 Server|bi_ok", {{"Server", bi_Server_red, false}, {"", bi_ok, false}}},
        {"", {{"", bi_none, true}}},  // an empty list is one button without caption
        {"J||N",
         {{"&Ja, bitte", bi_ok, false}, {"", bi_none, false}, {"Nein, danke", bi_cancel, false}}},
    };
    for (const auto& c : cases) {
        const std::vector<DialogButton> buttons = MakeButtons(c.list);
        ASSERT_EQ(buttons.size(), c.buttons.size()) << c.list;
        for (size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i].caption, c.buttons[i].caption) << c.list << " #" << i;
            EXPECT_EQ(buttons[i].picture, c.buttons[i].picture) << c.list << " #" << i;
            EXPECT_EQ(buttons[i].escape, c.buttons[i].escape) << c.list << " #" << i;
        }
    }
}

TEST_F(Dialogs, CaptionsComeFromTheApplicationInfo) {
    AppInfo.CaptionYes = "&Yes";
    AppInfo.CaptionNo = "N&o way";
    AppInfo.CaptionOk = "Fi&ne";
    AppInfo.CaptionCancel = "&Stop";
    const std::vector<DialogButton> buttons = MakeButtons("j|n|o|a");
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0].caption, "&Yes");
    EXPECT_EQ(buttons[0].picture, bi_ok);
    EXPECT_EQ(buttons[1].caption, "N&o way");
    EXPECT_EQ(buttons[1].picture, bi_cancel);
    EXPECT_EQ(buttons[2].caption, "Fi&ne");
    EXPECT_EQ(buttons[2].picture, bi_ok);
    EXPECT_EQ(buttons[3].caption, "&Stop");
    EXPECT_TRUE(buttons[3].escape);
}

TEST_F(Dialogs, PictureNamesAndOffsets) {
    const struct {
        const char* name;
        std::optional<tbild> value;
    } cases[] = {
        {"bi_www", bi_www},       {"BI_WWW", bi_www},        {"bi_Server+1", bi_Server_red},
        {"bi_ok+10", tbild(16)},  {"bi_none", bi_none},      {"bi_nothing", std::nullopt},
        {"bi_ok+", std::nullopt}, {"bi_ok+x", std::nullopt}, {"bi_ok+70000", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PictureByName(c.name), c.value) << c.name;
}

TEST_F(Dialogs, UnknownPictureShowsItsNoticeAndTheButtonGoesWithout) {
    ScriptedPrompts prompts;
    ExpectedPrompt notice{"Bild \"bi_gibtsnicht\" nicht gefunden", 0};
    notice.kind = kKindInformation;
    notice.buttons = std::vector<std::string>{"&Ok"};
    prompts.Expect(notice);
    ExpectedPrompt question{"Weiter?", 0};
    question.buttons = std::vector<std::string>{"weiter", "&Abbrechen"};
    prompts.Expect(question);
    EXPECT_EQ(AskUser("Weiter?", kKindConfirmation, "bi_gibtsnicht weiter|a"), 0);
    ASSERT_EQ(prompts.Asked().size(), 2u);
    EXPECT_EQ(prompts.Asked()[1].buttons[0].picture, bi_none);
}

TEST_F(Dialogs, YesNoQuestionAnswersPositionsAndMinusOneWhenClosed) {
    ScriptedPrompts prompts;
    ExpectedPrompt ask{"Fortfahren?", 1};
    ask.title = "Bestätigen";
    ask.kind = kKindConfirmation;
    ask.buttons = std::vector<std::string>{"&Ja, bitte", "Nein, danke"};
    ask.picture = bi_setup;
    prompts.Expect(ask);
    ask.answer = kAnswerClose;
    prompts.Expect(ask);
    ask.answer = kAnswerEsc;  // neither button answers Esc
    prompts.Expect(ask);
    EXPECT_EQ(AskUser("Fortfahren?", kKindConfirmation, "J|N", bi_setup), 1);
    EXPECT_EQ(AskUser("Fortfahren?", kKindConfirmation, "J|N", bi_setup), -1);
    EXPECT_EQ(AskUser("Fortfahren?", kKindConfirmation, "J|N", bi_setup), -1);
}

TEST_F(Dialogs, KindTitlesAndGivenTitles) {
    const struct {
        std::uint8_t kind;
        const char* title;
        const char* shown;
    } cases[] = {
        {0, "", "Warnung"},
        {1, "", "Fehler"},
        {2, "", "Information"},
        {3, "", "Bestätigen"},
        {7, "", "Information"},
        {1, "Eigener Titel", "Eigener Titel"},
        {2, "Datei %a|x.txt", "Datei x.txt"},
    };
    ScriptedPrompts prompts;
    for (const auto& c : cases) {
        ExpectedPrompt notice{"Text", 0};
        notice.title = c.shown;
        prompts.Expect(notice);
        AskUserTitled(c.title, "Text", c.kind, "o");
    }
}

TEST_F(Dialogs, NoticesAskWithOneOkButtonThatAnswersEsc) {
    ScriptedPrompts prompts;
    ExpectedPrompt notice{"Hinweis", kAnswerEsc};
    notice.buttons = std::vector<std::string>{"&Ok"};
    notice.kind = kKindInformation;
    notice.picture = bi_mail;
    prompts.Expect(notice);
    notice.kind = kKindError;
    notice.picture = bi_none;
    prompts.Expect(notice);
    notice.kind = kKindInformation;
    notice.title = "Titel";
    prompts.Expect(notice);
    ShowNotice("Hinweis", bi_mail);
    ShowNoticeKind("Hinweis", kKindError);
    ShowNoticeTitled("Titel", "Hinweis");
    EXPECT_NE(Log().find("MessageDLG: Titel:Hinweis"), std::string::npos);
    EXPECT_EQ(Log().find("MessageDLG.result:-1"), std::string::npos) << Log();
}

TEST_F(Dialogs, FlagButtonsKeepTheirFixedOrderAndMapBackToResultCodes) {
    const struct {
        std::uint16_t bits;
        const char* list;
        std::vector<int> results;  // per position
    } cases[] = {
        {40, "w|a", {kResultRetry, kResultCancel}},
        {kFlagYes | kFlagNo, "j|n", {kResultYes, kResultNo}},
        {kFlagOk, "o", {kResultOk}},
        {255,
         "j|o|n|all|i|w|&Abbrechen|a",
         {kResultYes, kResultOk, kResultNo, kResultAll, kResultIgnore, kResultRetry, kResultAbort,
          kResultCancel}},
        {kFlagAbort | kFlagRetry | kFlagIgnore,
         "i|w|&Abbrechen",
         {kResultIgnore, kResultRetry, kResultAbort}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FlagsButtonList(c.bits), c.list) << c.bits;
        for (size_t i = 0; i < c.results.size(); ++i)
            EXPECT_EQ(FlagsResult(c.bits, static_cast<int>(i)), c.results[i])
                << c.bits << " #" << i;
        EXPECT_EQ(FlagsResult(c.bits, -1), kResultCancel) << c.bits;
    }
}

TEST_F(Dialogs, AskUserFlagsShowsRetryThenCancelAndAnswersCodes) {
    ScriptedPrompts prompts;
    ExpectedPrompt ask{"Nochmal?", 0};
    ask.title = "Fehler";
    ask.buttons = std::vector<std::string>{"&Wiederholen", "&Abbrechen"};
    ask.picture = bi_none;
    prompts.Expect(ask);
    ask.answer = 1;
    prompts.Expect(ask);
    ask.answer = kAnswerClose;
    prompts.Expect(ask);
    ask.answer = kAnswerEsc;
    prompts.Expect(ask);
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultRetry);
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultCancel);
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultCancel);
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultCancel);
}

TEST_F(Dialogs, TheLogKeepsTheUnfilledTextAndTheHandlerGetsItFilled) {
    ScriptedPrompts prompts;
    ExpectedPrompt notice{"Verzeichnis /opt/Tavo/ existiert", 0};
    prompts.Expect(notice);
    LogDepth = 1;
    ShowNoticeKind("Verzeichnis %a existiert|/opt/Tavo/", kKindWarning);
    EXPECT_EQ(prompts.Asked().at(0).rawText, "Verzeichnis %a existiert|/opt/Tavo/");
    EXPECT_NE(Log().find("\t> MessageDLG: Warnung:Verzeichnis %a existiert|/opt/Tavo/\r\n"
                         "\t< MessageDLG.result:0\r\n"),
              std::string::npos)
        << Log();
    EXPECT_EQ(LogDepth, 1);
}

TEST_F(Dialogs, WithoutAHandlerNothingBlocksAndTheEscButtonAnswers) {
    ASSERT_FALSE(HasPromptHandler());
    EXPECT_EQ(AskUser("Abbrechen?", kKindConfirmation, "j|a"), 1);
    EXPECT_EQ(AskUser("Ja oder nein?", kKindConfirmation, "J|N"), -1);
    EXPECT_EQ(AskUserFlags("Nochmal?", kKindError, 40), kResultCancel);
    EXPECT_NE(Log().find("MessageDLG: keine Abfrage möglich"), std::string::npos);
    EXPECT_NE(Log().find("MessageDLG.result:1"), std::string::npos);
}

TEST_F(Dialogs, AnswersOutsideTheButtonsAndFailingHandlersCountAsClosed) {
    const struct {
        const char* name;
        PromptHandler handler;
    } cases[] = {
        {"too large", [](const DialogRequest&) { return 2; }},
        {"below -1", [](const DialogRequest&) { return -5; }},
        {"throws", [](const DialogRequest&) -> int { throw std::runtime_error("kaputt"); }},
    };
    for (const auto& c : cases) {
        const PromptHandler old = SetPromptHandler(c.handler);
        EXPECT_EQ(AskUser("?", kKindConfirmation, "j|a"), -1) << c.name;
        SetPromptHandler(old);
    }
    EXPECT_FALSE(HasPromptHandler());
    EXPECT_EQ(LogDepth, 0);
}

}  // namespace
}  // namespace tavo
