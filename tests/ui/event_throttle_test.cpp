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
    EventThrottle throttle(&FakeClock, 10'000);
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

TEST(EventThrottle, SteadyClockMovesForward)
{
    const std::int64_t before = EventThrottle::SteadyMicroseconds();
    EXPECT_GE(EventThrottle::SteadyMicroseconds(), before);
}

} // namespace
} // namespace korimbo
