#pragma once

#include "ui/logic/event_throttle.h"

namespace korimbo {

// Installs the core's events hook: during a long decode it dispatches the waiting Qt events, at
// most once per 10 ms of the given clock (the steady clock unless a test injects one).
void InstallQtEventsHook(EventThrottle::Clock clock = &EventThrottle::SteadyMicroseconds);

// Removes the hook.
void RemoveQtEventsHook();

} // namespace korimbo
