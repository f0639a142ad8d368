#include "noop_hook.h"

namespace korimbo::bench {

[[gnu::noinline]] void NoOpEventsHook()
{
    // An empty asm statement keeps the compiler from treating the call as removable.
    asm volatile("");
}

} // namespace korimbo::bench
