#include "ui/logic/event_throttle.h"

#include <gtest/gtest.h>

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

TEST(EventThrottle, SteadyClockMovesForward)
{
    const std::int64_t before = EventThrottle::SteadyMicroseconds();
    EXPECT_GE(EventThrottle::SteadyMicroseconds(), before);
}

} // namespace
} // namespace korimbo
