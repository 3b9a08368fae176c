#include "shell/step_list.h"

#include <gtest/gtest.h>

#include "foundation/app_info.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

class StepList : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        SetActiveStepList(&list_);
    }
    void TearDown() override { SetActiveStepList(nullptr); }
    std::string Log() const { return AppInfo.LogBuffer.value_or(""); }

    TStepList list_;
};

TEST_F(StepList, AContinuationNeedsALine) {
    AddStep("+ok", kStepOk);
    ASSERT_EQ(list_.Lines().size(), 1u);
    EXPECT_EQ(list_.Lines()[0].caption, "+ok");
    EXPECT_EQ(Log(), "+ok ->ok\r\n");
}

TEST_F(StepList, AnEmptyTextOnlySetsTheLastState) {
    AddStep("Dienst starten", kStepOpen);
    AddStep("", kStepOk);
    AddStep("", kStepNone);
    ASSERT_EQ(list_.Lines().size(), 1u);
    EXPECT_EQ(list_.Lines()[0].state, kStepNone);
    EXPECT_EQ(list_.Lines()[0].caption, "Dienst starten");
    EXPECT_EQ(Log(), "Dienst starten ->offen\r\n ->ok\r\n\r\n");
}

TEST_F(StepList, ResultsAppendToTheLineAndTheLastOneDecides) {
    AddStep("Datenbank anlegen", kStepOpen);
    AddStepResult(false);
    AddStepResult(true);
    ASSERT_EQ(list_.Lines().size(), 1u);
    EXPECT_EQ(list_.Lines()[0].caption, "Datenbank anlegen -> Fehler -> ok");
    EXPECT_EQ(list_.Lines()[0].state, kStepOk);
    EXPECT_EQ(Log(), "Datenbank anlegen ->offen\r\nFehler\r\nok\r\n");
    EXPECT_EQ(list_.CountInState(kStepOpen), 0);
}

TEST_F(StepList, ValuesAreFilledOnScreenAndKeptRawInTheLog) {
    AddStep("Verzeichnis %a existiert|/opt/tavo/", kStepOk);
    EXPECT_EQ(list_.Lines()[0].caption, "Verzeichnis /opt/tavo/ existiert");
    EXPECT_EQ(Log(), "Verzeichnis %a existiert|/opt/tavo/ ->ok\r\n");
}

TEST_F(StepList, WithoutAFrameTheShellKeepsTheLines) {
    SetActiveStepList(nullptr);
    const size_t before = ActiveStepList().Lines().size();
    AddStep("unbeaufsichtigt", kStepError);
    EXPECT_EQ(ActiveStepList().Lines().size(), before + 1);
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(Log(), "unbeaufsichtigt ->Fehler\r\n");
}

}  // namespace
}  // namespace tavo
