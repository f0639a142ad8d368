#pragma once

// An events hook that does nothing. It lives in its own translation unit so that the decoder's
// call through the hook pointer stays a real call in the measurements.
namespace korimbo::bench {

// Returns at once.
void NoOpEventsHook();

} // namespace korimbo::bench
