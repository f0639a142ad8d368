#include "ui/logic/event_throttle.h"

#include <gtest/gtest.h>

#include "convert/runtime.h"

namespace korimbo {
namespace {

std::int64_t fakeNow = 0;
std::int64_t FakeClock()
{
    return fakeNow;
}

TEST(EventThrottle, DispatchesAtMostOncePerInterval)
{
    fakeNow = 1'000;
    EventThrottle throttle(&FakeClock, 10'000, 1);
    EXPECT_FALSE(throttle.ShouldDispatch()); // nothing has passed since construction
    fakeNow += 9'999;
    EXPECT_FALSE(throttle.ShouldDispatch());
    fakeNow += 1;
    EXPECT_TRUE(throttle.ShouldDispatch());
    EXPECT_FALSE(throttle.ShouldDispatch()); // counted from the last dispatch
    fakeNow += 50'000;
    EXPECT_TRUE(throttle.ShouldDispatch()); // a long pause gives one dispatch, not five
    EXPECT_FALSE(throttle.ShouldDispatch());
}

int clockReads = 0;
std::int64_t CountingClock()
{
    ++clockReads;
    return fakeNow;
}

TEST(EventThrottle, ReadsTheClockOnEveryNthCallOnly)
{
    clockReads = 0;
    fakeNow = 0;
    EventThrottle throttle(&CountingClock, 10'000, 4);
    fakeNow = 20'000;
    EXPECT_FALSE(throttle.ShouldDispatch());
    EXPECT_FALSE(throttle.ShouldDispatch());
    EXPECT_FALSE(throttle.ShouldDispatch());
    EXPECT_TRUE(throttle.ShouldDispatch()); // the fourth call looks at the clock
    EXPECT_EQ(clockReads, 2);               // construction, then the fourth call
}

int dispatches = 0;
void CountDispatch()
{
    ++dispatches;
}

void CallTheHook(int times)
{
    for (int i = 0; i < times; ++i)
        ProcessPendingEvents();
}

// The core's events hook dispatches only when the throttle allows: once per interval, looking at
// the clock on every 64th call.
TEST(ThrottledEventsHook, DispatchesOncePerIntervalOfTheInjectedClock)
{
    fakeNow = 0;
    dispatches = 0;
    InstallThrottledEventsHook(&CountDispatch, &FakeClock);
    CallTheHook(1000);
    EXPECT_EQ(dispatches, 0); // no time has passed
    fakeNow = 10'000;
    CallTheHook(64); // one of any 64 calls reads the clock
    EXPECT_EQ(dispatches, 1);
    CallTheHook(1000);
    EXPECT_EQ(dispatches, 1); // counted from that dispatch
    RemoveThrottledEventsHook();
    fakeNow = 100'000;
    CallTheHook(64);
    EXPECT_EQ(dispatches, 1);
}

} // namespace
} // namespace korimbo
