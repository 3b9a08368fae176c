#include <QApplication>

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "shell/mainform.h"
#include "shell/setup_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

class CloseQuery : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        SetupState = {};
        SetupState.shortName = "Tavo";
        SetupState.longName = "Zelvo Verbindomat";
        AppInfo.TempDir = root_.At("tmp/");
    }
    static std::string Log() { return AppInfo.LogBuffer.value_or(""); }

    test::TempRoot root_;
};

TEST_F(CloseQuery, ClosingTheWindowAsksAndNoKeepsIt) {
    const struct {
        bool installMode;
        const char* question;
    } cases[] = {
        {true, "Wollen Sie das Setup wirklich abbrechen?"},
        {false, "Wollen Sie die Deinstallation wirklich abbrechen?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        test::ResetFoundationState();
        TMainform form;
        form.show();
        SetupState.installMode = c.installMode;
        test::ScriptedPrompts prompts;
        test::ExpectedPrompt no(c.question, 1);
        no.buttons = std::vector<std::string>{"&Ja, bitte", "Nein, danke"};
        no.picture = bi_setup;
        prompts.Expect(no).Expect(c.question, 0);
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
        EXPECT_NE(Log().find("Programm beenden: Nein\r\n"), std::string::npos) << Log();
        EXPECT_TRUE(form.close());
        EXPECT_FALSE(form.isVisible());
        EXPECT_NE(Log().find("Programm beenden: Ja\r\n"), std::string::npos) << Log();
    }
}

TEST_F(CloseQuery, AnOrderlyEndDoesNotAsk) {
    TMainform form;
    form.show();
    test::ScriptedPrompts prompts;  // no question
    OrderlyEnd();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(prompts.Asked().size(), 0u);
}

}  // namespace
}  // namespace tavo
