// Lookups on their own thread: the waiting window keeps being served, and a
// wait given up leaves the lookup behind without sharing anything with it.
#include "net/host_lookup_thread.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "core/win32_owners.h"

namespace quonel {
namespace {

// Signals an event when the last copy of it is gone, that is, when the
// lookup's thread has freed what it owns.
struct FreedSignal {
  explicit FreedSignal(HANDLE event) : event(event) {}
  ~FreedSignal() { SetEvent(event); }
  HANDLE event;
};

OwnedKernelHandle NewEvent() { return OwnedKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

TEST(HostLookup, AWaitGivenUpReturnsWhileTheLookupHangsAndTheLookupLaterFreesWhatItOwns) {
  OwnedKernelHandle release = NewEvent();
  OwnedKernelHandle freed = NewEvent();
  auto signal = std::make_shared<FreedSignal>(freed.Get());
  auto finished = std::make_shared<std::atomic<bool>>(false);
  const HANDLE releaseEvent = release.Get();
  int pumps = 0;
  const TThreadWait outcome = RunLookupLeavable(
      [signal, finished, releaseEvent] {
        WaitForSingleObject(releaseEvent, 30000);
        *finished = true;
      },
      [&pumps] { return ++pumps < 3; }, -1);
  signal.reset();
  EXPECT_EQ(TThreadWait::GivenUp, outcome);
  EXPECT_EQ(3, pumps);
  EXPECT_FALSE(*finished);
  SetEvent(release.Get());
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(freed.Get(), 10000));
  EXPECT_TRUE(*finished);
}

TEST(HostLookup, AFinishedLookupIsSeenAndAStuckOneEndsAtTheLimitWithOrWithoutAPump) {
  auto address = std::make_shared<int>(0);
  EXPECT_EQ(TThreadWait::Finished, RunLookupLeavable([address] { *address = 42; }, nullptr, -1));
  EXPECT_EQ(42, *address);

  OwnedKernelHandle release = NewEvent();
  const HANDLE releaseEvent = release.Get();
  auto stuck = [releaseEvent] { WaitForSingleObject(releaseEvent, 30000); };
  EXPECT_EQ(TThreadWait::TimedOut, RunLookupLeavable(stuck, nullptr, 50));
  int pumps = 0;
  EXPECT_EQ(TThreadWait::TimedOut, RunLookupLeavable(stuck, [&pumps] { return ++pumps > 0; }, 100));
  EXPECT_GE(pumps, 1);
  SetEvent(release.Get());
}

}  // namespace
}  // namespace quonel
