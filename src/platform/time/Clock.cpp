// The tick count behind every timed wait and the playback steps.

#include "platform/time/Clock.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <utility>

namespace timing {

namespace {

struct Replacement {
    std::mutex lock;
    std::shared_ptr<const std::function<std::int64_t()>> clock;
    // Checked without the lock, so the real clock costs one atomic load.
    std::atomic<bool> installed{false};
};

Replacement& replacement() {
    static Replacement instance;
    return instance;
}

std::int64_t replacedMilliseconds(bool& replaced) {
    Replacement& r = replacement();
    replaced = false;
    if (r.installed.load(std::memory_order_acquire)) {
        std::shared_ptr<const std::function<std::int64_t()>> clock;
        {
            const std::lock_guard guard(r.lock);
            clock = r.clock;
        }
        // Called outside the lock, so a test clock may itself read the time.
        if (clock) {
            replaced = true;
            return (*clock)();
        }
    }
    return 0;
}

template <typename Unit>
std::int64_t realTicks() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<Unit>(sinceStart).count();
}

}  // namespace

std::int64_t GetTickCount() {
    bool replaced = false;
    const std::int64_t ticks = replacedMilliseconds(replaced);
    return replaced ? ticks : realTicks<std::chrono::milliseconds>();
}

std::int64_t microsecondTicks() {
    bool replaced = false;
    const std::int64_t ticks = replacedMilliseconds(replaced);
    return replaced ? ticks * MicrosPerMilli : realTicks<std::chrono::microseconds>();
}

bool clockReplaced() {
    return replacement().installed.load(std::memory_order_acquire);
}

void setClockForTesting(std::function<std::int64_t()> clock) {
    Replacement& r = replacement();
    const std::lock_guard guard(r.lock);
    if (clock) {
        r.clock = std::make_shared<const std::function<std::int64_t()>>(std::move(clock));
        r.installed.store(true, std::memory_order_release);
    } else {
        r.clock.reset();
        r.installed.store(false, std::memory_order_release);
    }
}

}  // namespace timing
