#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "foundation/process_messages.h"
#include "foundation/wait.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;

class WaitMsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ResetFoundationState();
        previous_ = SetProcessMessagesHook([this] { ++calls_; });
    }
    void TearDown() override { SetProcessMessagesHook(previous_); }

    // Milliseconds the wait took.
    static double TimedWait(std::int64_t ms, bool longSleep, bool processMessages) {
        const Clock::time_point start = Clock::now();
        WaitMs(ms, longSleep, processMessages);
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

    int calls_ = 0;
    std::function<void()> previous_;
};

TEST_F(WaitMsTest, WaitsAtLeastTheTimeAsked) {
    for (const std::int64_t ms : {0, 1, 2, 7, 30, 150}) {
        EXPECT_GE(TimedWait(ms, false, false), static_cast<double>(ms)) << ms;
    }
    EXPECT_GE(TimedWait(-5, false, false), 0.0);  // nothing to wait for
    EXPECT_EQ(calls_, 0);
}

TEST_F(WaitMsTest, LetsMessagesRunWhileMoreThanHalfASecondRemains) {
    EXPECT_GE(TimedWait(600, false, true), 600.0);
    EXPECT_GE(calls_, 1);
}

TEST_F(WaitMsTest, LeavesMessagesAloneWithoutTheFlagOrForShortWaits) {
    EXPECT_GE(TimedWait(600, false, false), 600.0);
    EXPECT_EQ(calls_, 0);
    EXPECT_GE(TimedWait(300, false, true), 300.0);  // never more than 500 ms left
    EXPECT_EQ(calls_, 0);
}

TEST_F(WaitMsTest, LongSleepTakesOneStepOf400Milliseconds) {
    // 900 ms: one 400 ms step leaves no more than 500 ms, so messages run exactly once.
    EXPECT_GE(TimedWait(900, true, true), 900.0);
    EXPECT_EQ(calls_, 1);
}

}  // namespace
}  // namespace tavo
