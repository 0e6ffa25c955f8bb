#pragma once
// A virtual millisecond clock for tests of the playback loop on the real main
// window: time moves one millisecond each time the event loop turns, so the
// loop's waits end exactly at their deadlines without real waiting, and
// actions scheduled at virtual times run from the event loop, as a user's
// click or a timer would during playback.

#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>

namespace testsupport {

class VirtualClock {
public:
    // Installs itself as the program's clock; the destructor puts the real
    // one back.
    VirtualClock();
    ~VirtualClock();
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    // Counts from here on: at() and elapsed() measure from this moment; the
    // actions already asked for keep their times, now counted from here.
    void countFromNow() { origin_ = now_; }
    void cancelActions() { actions_.clear(); }
    std::int64_t origin() const { return origin_; }
    std::int64_t elapsed() const { return now_ - origin_; }
    // Runs action once elapsed() reaches `when`.
    void at(std::int64_t when, std::function<void()> action);

private:
    void tick();
    std::int64_t now_ = 5'000'000'000;  // beyond what a 32-bit tick count holds
    std::int64_t origin_ = now_;
    std::multimap<std::int64_t, std::function<void()>> actions_;
    QTimer ticker_;
};

}  // namespace testsupport
