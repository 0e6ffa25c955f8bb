#pragma once
// A timed wait that ends within microseconds of its deadline rather than at
// the next whole millisecond, for the playback steps.

#include <cstdint>

namespace forms {

// As waitForEvents, with the deadline on timing::microsecondTicks().
void waitForEventsUntilMicros(std::int64_t deadlineMicros);

}  // namespace forms
