#include "support/app/VirtualClock.h"

#include "platform/time/Clock.h"

namespace testsupport {

VirtualClock::VirtualClock() {
    timing::setClockForTesting([this] { return now_; });
    // A zero-interval timer fires on every turn of the event loop.
    ticker_.setInterval(0);
    QObject::connect(&ticker_, &QTimer::timeout, [this] { tick(); });
    ticker_.start();
}

VirtualClock::~VirtualClock() {
    ticker_.stop();
    timing::setClockForTesting({});
}

void VirtualClock::at(std::int64_t when, std::function<void()> action) {
    actions_.emplace(when, std::move(action));
}

void VirtualClock::tick() {
    ++now_;
    // In time order; an action may schedule another.
    while (!actions_.empty() && actions_.begin()->first <= elapsed()) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

}  // namespace testsupport
