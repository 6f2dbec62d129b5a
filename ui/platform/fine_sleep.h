#pragma once

#include <chrono>

namespace orvell::platform {

// Sleeps until `due`, a few milliseconds away, to within a fraction of a millisecond: the end of
// each pacing period. On Windows the plain sleep rounds up to the system's 15.6 ms timer tick,
// so a high-resolution waitable timer waits there instead.
void sleepUntil(std::chrono::steady_clock::time_point due);

}  // namespace orvell::platform
