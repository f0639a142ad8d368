#include "ui/logic/event_throttle.h"

#include <chrono>
#include <optional>

#include "convert/runtime.h"

namespace korimbo {
namespace {

std::optional<EventThrottle> throttle;
void (*dispatchEvents)() = nullptr;

void DispatchWhenDue()
{
    if (throttle && throttle->ShouldDispatch())
        dispatchEvents();
}

} // namespace

std::int64_t EventThrottle::SteadyMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

EventThrottle::EventThrottle(Clock clock, std::int64_t intervalMicroseconds, int callsPerClockRead)
    : clock_(clock), interval_(intervalMicroseconds), last_(clock()), callsPerClockRead_(callsPerClockRead)
{
}

bool EventThrottle::ShouldDispatch()
{
    if (++callsSinceClockRead_ < callsPerClockRead_)
        return false;
    callsSinceClockRead_ = 0;
    const std::int64_t now = clock_();
    if (now - last_ < interval_)
        return false;
    last_ = now;
    return true;
}

void InstallThrottledEventsHook(void (*dispatch)(), EventThrottle::Clock clock)
{
    dispatchEvents = dispatch;
    throttle.emplace(clock);
    SetPendingEventsHook(&DispatchWhenDue);
}

void RemoveThrottledEventsHook()
{
    SetPendingEventsHook(nullptr);
    throttle.reset();
}

} // namespace korimbo
