#pragma once
// The program's millisecond clock: monotonic and 64-bit, so it never wraps and
// never jumps with the wall clock. Tests may put their own clock in its place.

#include <cstdint>
#include <functional>

namespace timing {

constexpr std::int64_t MicrosPerMilli = 1000;

std::int64_t GetTickCount();
// The same clock in microseconds, for waits that must end within a
// millisecond; a test clock's milliseconds times 1000.
std::int64_t microsecondTicks();
// True while a test clock stands in for the real one.
bool clockReplaced();

// Replaces the clock (an empty function restores the real one).
void setClockForTesting(std::function<std::int64_t()> clock);

}  // namespace timing
