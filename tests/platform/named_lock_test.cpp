#include "platform/named_lock.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/instance_channel.h"
#include "tests/support/temp_root.h"

namespace tavo::platform {
namespace {

// Runs fn in a child process and returns its exit code.
template <typename Fn>
int InChild(Fn fn) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(fn());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(NamedLock, IsExclusiveAcrossProcessesAndLivesUnderTheRoot) {
    const test::TempRoot root;
    auto lock = NamedLock::TryAcquire("tavosetup");
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(lock->path(), root.At("run/lock/tavo-tavosetup.lock"));
    EXPECT_EQ(InChild([] { return NamedLock::TryAcquire("tavosetup") ? 1 : 0; }), 0);
    EXPECT_EQ(InChild([] { return NamedLock::IsHeld("tavosetup") ? 1 : 0; }), 1);
    EXPECT_EQ(InChild([] { return NamedLock::TryAcquire("other") ? 1 : 0; }), 1);
    lock.reset();
    EXPECT_EQ(InChild([] { return NamedLock::IsHeld("tavosetup") ? 1 : 0; }), 0);
}

TEST(NamedLock, ProbeNeverKeepsTheLock) {
    const test::TempRoot root;
    EXPECT_FALSE(NamedLock::IsHeld("Tavo"));
    EXPECT_TRUE(NamedLock::TryAcquire("Tavo").has_value());
}

TEST(NamedLock, DiesWithItsHolder) {
    const test::TempRoot root;
    // The child takes the lock and ends without releasing it.
    EXPECT_EQ(InChild([] {
                  auto lock = NamedLock::TryAcquire("tavosetup");
                  if (!lock) return 1;
                  ::_exit(0);
              }),
              0);
    EXPECT_TRUE(NamedLock::TryAcquire("tavosetup").has_value());
}

TEST(InstanceChannel, CarriesTheActivationRequest) {
    const test::TempRoot root;
    const auto lock = NamedLock::TryAcquire("tavosetup");
    ASSERT_TRUE(lock);
    const auto listener = InstanceListener::Listen(lock->path());
    ASSERT_TRUE(listener);
    EXPECT_FALSE(listener->TakeActivationRequests());
    EXPECT_EQ(InChild([&] { return RequestActivation(lock->path()) ? 0 : 1; }), 0);
    EXPECT_TRUE(listener->TakeActivationRequests());
    EXPECT_FALSE(listener->TakeActivationRequests());
    EXPECT_FALSE(RequestActivation(lock->path() + ".other"));  // nobody listens there
}

}  // namespace
}  // namespace tavo::platform
