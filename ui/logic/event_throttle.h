#pragma once

#include <cstdint>

namespace korimbo {

// Decides when the events hook, which the decoder calls once per four characters, really
// dispatches the waiting events: at most once per interval, so a long decode stays fast and the
// window still answers. The clock is injectable for tests.
class EventThrottle
{
  public:
    // Microseconds from any fixed start.
    using Clock = std::int64_t (*)();

    // The steady clock of the standard library.
    static std::int64_t SteadyMicroseconds();

    // The clock is read on every `callsPerClockRead`-th call only: reading it costs more than
    // decoding the group of four characters that comes with each call.
    explicit EventThrottle(Clock clock = &SteadyMicroseconds, std::int64_t intervalMicroseconds = 10'000,
                           int callsPerClockRead = 64);

    // True when at least the interval has passed since the last time it said true (or since
    // construction); then the caller dispatches.
    bool ShouldDispatch();

  private:
    Clock clock_;
    std::int64_t interval_;
    std::int64_t last_;
    int callsPerClockRead_;
    int callsSinceClockRead_ = 0;
};

// Installs the core's events hook (SetPendingEventsHook): during a long decode it calls `dispatch`,
// which dispatches the toolkit's waiting events, whenever a throttle over `clock` allows.
void InstallThrottledEventsHook(void (*dispatch)(), EventThrottle::Clock clock = &EventThrottle::SteadyMicroseconds);

// Removes the hook.
void RemoveThrottledEventsHook();

} // namespace korimbo
